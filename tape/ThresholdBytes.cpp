#include "tape/ThresholdBytes.h"

#include "tape/TapeFiles.h"

#include <algorithm>

namespace vornix::tape {

namespace {

// Pulses in a row repeating the one eight before that make a pilot: twelve bytes, fewer than
// the shortest pilots these loaders write, so a pilot damaged at its start still counts.
constexpr int kMinRun = 96;
// Pulse lengths a pilot may have, in TAP units: from the fastest Turbo Tape to the slowest.
constexpr unsigned kShortest = 6, kLongest = 160;

// Two pulses of the same kind: within an eighth of each other, and three units more for the
// coarse steps of a recording's samples.
inline bool alike(unsigned a, unsigned b) {
    const unsigned d = a > b ? a - b : b - a;
    return d * 8 <= std::max(a, b) + 24;
}

inline bool repeats(unsigned u, unsigned eightBefore) {
    return u - kShortest <= kLongest - kShortest && alike(u, eightBefore);
}

} // namespace

std::uint8_t ThresholdBlockDecoder::reversed(std::uint8_t b) {
    std::uint8_t r = 0;
    for (int i = 0; i < 8; ++i)
        r = static_cast<std::uint8_t>(r << 1 | (b >> i & 1));
    return r;
}

bool ThresholdBlockDecoder::rotationOf(std::uint8_t pattern, std::uint8_t b) {
    for (int k = 0; k < 8; ++k)
        if (static_cast<std::uint8_t>(pattern << k | pattern >> (8 - k)) == b)
            return true;
    return false;
}

// Pulses that cannot hold a pilot are passed over by looking at pairs eight apart, every 16th
// pulse: in a pilot every pair repeats, so four in a row send us back to look at each pulse.
std::size_t ThresholdBlockDecoder::skip(const std::uint8_t* u, std::size_t i, std::size_t n) {
    int hits = 0;
    std::size_t s = i;
    for (; s + 8 < n; s += 16) {
        hits = repeats(u[s], u[s + 8]) ? hits + 1 : 0;
        if (hits == 4)
            break;
    }
    // Back to before the first of the hits; at the feed's end, the last pulses one by one so a
    // run across feeds is followed.
    const std::size_t back = s + 8 < n ? 4 * 16 + 8 : 24;
    const std::size_t to = s > i + back ? s - back : i;
    if (to > i)
        fill_ = 8;
    detail_ = 256;
    return to;
}

void ThresholdBlockDecoder::toSeek() {
    state_ = State::Seek;
    run_ = 0;
    fill_ = 8;
    detail_ = 0;
    runStart_ = -1;
}

void ThresholdBlockDecoder::feed(const PulseBlock& b) {
    const std::uint8_t* u = b.units;
    std::size_t i = 0;
    while (i < b.count) {
        if (state_ == State::Seek) {
            if (run_ == 0 && detail_ == 0) {
                i = skip(u, i, b.count);
                if (i >= b.count)
                    break;
            }
            seekPulse(b, i++);
            continue;
        }
        const std::uint32_t c = u[i++];
        if (c < lo_ || c > hi_) {
            if (state_ == State::Body)
                brokeOff(false);
            toSeek();
            continue;
        }
        const bool one = c >= threshold_;
        if (state_ == State::Pilot) {
            pilotBit(one);
            continue;
        }
        acc_ = acc_ << 1 | one;
        if (++bits_ == 8) {
            bits_ = 0;
            if (!byte(static_cast<std::uint8_t>(acc_)))
                toSeek();
        }
    }
    // A run still short of a pilot: keep the cycles it covers here for its start.
    if (state_ == State::Seek && run_ > 0 && run_ < kMinRun) {
        std::uint64_t sum = 0;
        for (std::size_t j = runStart_ < 0 ? 0 : static_cast<std::size_t>(runStart_); j < b.count; ++j)
            sum += b.cycles[j];
        runBefore_ = runStart_ < 0 ? runBefore_ + sum : sum;
        runStart_ = -1;
    }
}

void ThresholdBlockDecoder::seekPulse(const PulseBlock& b, std::size_t i) {
    if (detail_ > 0)
        --detail_;
    const std::uint8_t u = b.units[i];
    const std::uint8_t before = ring_[ringAt_];
    ring_[ringAt_] = u;
    ringAt_ = (ringAt_ + 1) & 7;
    if (fill_ > 0) {
        --fill_;
        return;
    }
    if (!repeats(u, before)) {
        run_ = 0;
        return;
    }
    if (run_++ == 0)
        runStart_ = i >= 8 ? static_cast<std::ptrdiff_t>(i - 8) : 0;
    if (run_ != kMinRun)
        return;
    // Eight pulses of the pilot, oldest first: two lengths, or one for a pilot of one kind of bit
    // (another loader's: none of ours).
    const std::uint8_t lo = *std::min_element(ring_, ring_ + 8), hi = *std::max_element(ring_, ring_ + 8);
    if (hi * 4 < lo * 5)
        return;
    Pilot p;
    const unsigned threshold = (lo + hi + 1) / 2;
    unsigned zeros = 0, ones = 0;
    for (unsigned j = 0; j < 8; ++j) {
        const unsigned v = ring_[(ringAt_ + j) & 7];
        const bool one = v >= threshold;
        p.pattern = static_cast<std::uint8_t>(p.pattern << 1 | one);
        (one ? p.one : p.zero) += v;
        ++(one ? ones : zeros);
    }
    p.zero /= zeros;
    p.one /= ones;
    if (runStart_ >= 0) {
        p.start = b.start;
        for (std::ptrdiff_t j = 0; j < runStart_; ++j)
            p.start += b.cycles[j];
    } else {
        p.start = b.start > runBefore_ ? b.start - runBefore_ : 0;
    }
    if (!isPilot(p))
        return;
    state_ = State::Pilot;
    threshold_ = threshold;
    lo_ = std::max(2u, p.zero / 2);
    hi_ = p.one + p.one / 2 + 2;
    window_ = 0;
    for (int j = 0; j < 8; ++j)
        window_ = window_ << 8 | p.pattern;
    pastBreak_ = -1;
}

void ThresholdBlockDecoder::pilotBit(bool one) {
    window_ = window_ << 1 | one;
    if (pastBreak_ < 0) {
        if (one != static_cast<bool>(window_ >> 8 & 1))
            pastBreak_ = 0;
        return;
    }
    if (++pastBreak_ < 7)
        return;
    const int k = align(window_);
    if (k < 0 || k > 8) {
        toSeek();
        return;
    }
    state_ = State::Body;
    if (!byte(byteAt(window_, k))) {
        toSeek();
        return;
    }
    acc_ = static_cast<std::uint32_t>(window_ & ((1u << k) - 1));
    bits_ = k;
    if (bits_ == 8) {
        bits_ = 0;
        if (!byte(static_cast<std::uint8_t>(acc_)))
            toSeek();
    }
}

void ThresholdBlockDecoder::finish(std::vector<FoundFile>& files, std::vector<std::string>&) {
    if (state_ == State::Body)
        brokeOff(true);
    toSeek();
    collect(files);
}

bool AddressedBlockDecoder::isPilot(const Pilot& p) {
    if (!near(p.zero, format_.zero) || !near(p.one, format_.one) || !rotationOf(p.pattern, format_.pilot))
        return false;
    start_ = p.start;
    return true;
}

int AddressedBlockDecoder::align(std::uint64_t window) {
    for (int k = 0; k <= 8; ++k)
        if (byteAt(window, k) == format_.sync && byteAt(window, k + 8) == format_.pilot)
            return k;
    return -1;
}

bool AddressedBlockDecoder::byte(std::uint8_t b) {
    if (!synced_) {
        synced_ = true;
        body_.clear();
        need_ = format_.headerSize;
        return true;
    }
    body_.push_back(b);
    if (body_.size() < need_)
        return true;
    if (body_.size() == format_.headerSize) {
        const std::size_t at = format_.loadAt;
        const std::size_t length =
            lengthBetween(static_cast<std::uint16_t>(body_[at] | body_[at + 1] << 8),
                          static_cast<std::uint16_t>(body_[at + 2] | body_[at + 3] << 8));
        if (length == 0) {
            synced_ = false;
            return false; // no addresses: not one of our blocks
        }
        need_ += length + 1;
        return true;
    }
    emit();
    return false;
}

void AddressedBlockDecoder::brokeOff(bool) {
    if (synced_ && body_.size() >= format_.headerSize)
        emit();
    synced_ = false;
}

void AddressedBlockDecoder::emit() {
    synced_ = false;
    FoundFile f;
    f.loader = format_.loader;
    const std::uint8_t* header = body_.data();
    f.load = static_cast<std::uint16_t>(header[format_.loadAt] | header[format_.loadAt + 1] << 8);
    f.end = static_cast<std::uint16_t>(header[format_.loadAt + 2] | header[format_.loadAt + 3] << 8);
    f.startSeconds = start_ / kPalClock;
    place(f, header);
    std::vector<std::uint8_t> data(body_.begin() + static_cast<std::ptrdiff_t>(format_.headerSize),
                                   body_.end());
    settleData(f, data, lengthBetween(f.load, f.end), true);
    files_.push_back(std::move(f));
}

void AddressedBlockDecoder::collect(std::vector<FoundFile>& files) {
    for (FoundFile& f : files_)
        files.push_back(std::move(f));
    files_.clear();
}

void settleData(FoundFile& file, std::vector<std::uint8_t>& body, std::size_t length, bool hasChecksum) {
    const std::size_t have = std::min(body.size(), length);
    file.data.assign(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(have));
    if (body.size() < length + hasChecksum) {
        file.state = FileState::CutOff;
        file.detail = {FileDetailKind::TapeEnds, CopyTrouble::None, have, length};
        return;
    }
    if (!hasChecksum) {
        file.state = FileState::NoChecksum;
        return;
    }
    std::uint8_t x = 0;
    for (std::uint8_t v : file.data)
        x ^= v;
    file.state = x == body[length] ? FileState::Good : FileState::ChecksumWrong;
    if (file.state == FileState::ChecksumWrong)
        file.detail.kind = FileDetailKind::ChecksumWrong;
}

} // namespace vornix::tape
