#include "tape/ThresholdBytes.h"

#include "tape/TapeFiles.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    return (u - kShortest <= kLongest - kShortest) & alike(u, eightBefore);
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
// pulse: in a pilot every pair repeats, so six in a row send us back to look at each pulse.
std::size_t ThresholdBlockDecoder::skip(const std::uint8_t* u, std::size_t i, std::size_t n) {
    int hits = 0;
    std::size_t s = i;
    for (; s + 8 < n; s += 16) {
        hits = repeats(u[s], u[s + 8]) ? hits + 1 : 0;
        if (hits == 6)
            break;
    }
    // Back to before the first of the hits; at the feed's end, the last pulses one by one so a
    // run across feeds is followed.
    const std::size_t back = s + 8 < n ? 6 * 16 + 8 : 24;
    return s > i + back ? s - back : i;
}

void ThresholdBlockDecoder::toSeek() {
    state_ = State::Seek;
    run_ = 0;
    passing_ = false;
}

void ThresholdBlockDecoder::feed(const PulseBlock& b) {
    const std::uint8_t* u = b.units;
    const std::size_t n = b.count;
    // A run passed over goes on only where the last feed ended.
    if (passing_ && b.start != end_) {
        passing_ = false;
        run_ = 0;
    }
    std::size_t i = 0;
    while (i < n) {
        if (state_ != State::Seek) {
            i = readBlock(b, i);
            continue;
        }
        if (run_ == 0) {
            i = skip(u, i, n);
            if (i >= n)
                break;
        }
        // One by one for some pulses, and on while a run lasts, the run taken whole up to the
        // pulse that breaks it.
        std::size_t look = std::min(n, i + 128);
        int run = run_;
        while (i < n) {
            const std::size_t j = firstBreak(u, i, n);
            if (run < kMinRun && run + static_cast<std::ptrdiff_t>(j - i) >= kMinRun) {
                const std::size_t at = i + static_cast<std::size_t>(kMinRun - run - 1);
                run = run_ = kMinRun;
                found(b, at);
                i = at + 1;
                if (state_ != State::Seek)
                    break;
                passing_ = true;
                look = std::min(n, i + 128);
                continue;
            }
            run += static_cast<int>(j - i);
            i = j;
            if (i == n)
                break;
            run = 0;
            passing_ = false;
            if (i++ >= look)
                break;
        }
        if (state_ == State::Seek)
            run_ = run;
    }
    // A run still short of a pilot: keep the cycles it covers here for its start.
    if (state_ == State::Seek && run_ > 0 && run_ < kMinRun) {
        const std::size_t here = std::min<std::size_t>(static_cast<std::size_t>(run_), n);
        std::uint64_t sum = 0;
        for (std::size_t j = n - here; j < n; ++j)
            sum += b.cycles[j];
        runBefore_ = static_cast<std::size_t>(run_) > n ? runBefore_ + sum : sum;
    }
    if (state_ == State::Seek && passing_) {
        end_ = b.start;
        for (std::size_t j = 0; j < n; ++j)
            end_ += b.cycles[j];
    }
    if (n >= 8) {
        std::copy(u + n - 8, u + n, ring_);
    } else {
        std::copy(ring_ + n, ring_ + 8, ring_);
        std::copy(u, u + n, ring_ + 8 - n);
    }
}

// The first pulse from i on that does not repeat the one eight before it, or n.
std::size_t ThresholdBlockDecoder::firstBreak(const std::uint8_t* u, std::size_t i, std::size_t n) const {
    for (; i < n && i < 8; ++i)
        if (!repeats(u[i], ring_[i]))
            return i;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 8 <= n; i += 8) {
        const __m128i a = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(u + i)), zero);
        const __m128i b =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(u + i - 8)), zero);
        const __m128i hi = _mm_max_epi16(a, b), d = _mm_sub_epi16(hi, _mm_min_epi16(a, b));
        const __m128i unlike = _mm_cmpgt_epi16(_mm_slli_epi16(d, 3), _mm_add_epi16(hi, _mm_set1_epi16(24)));
        const __m128i out = _mm_or_si128(_mm_cmplt_epi16(a, _mm_set1_epi16(kShortest)),
                                         _mm_cmpgt_epi16(a, _mm_set1_epi16(kLongest)));
        if (const int mask = _mm_movemask_epi8(_mm_or_si128(unlike, out)))
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)) / 2);
    }
#endif
    for (; i < n; ++i)
        if (!repeats(u[i], u[i - 8]))
            return i;
    return n;
}

std::size_t ThresholdBlockDecoder::readBlock(const PulseBlock& b, std::size_t i) {
    for (; i < b.count && state_ != State::Seek; ++i) {
        const std::uint32_t c = b.units[i];
        if (c < lo_ || c > hi_) {
            if (state_ == State::Body)
                brokeOff();
            toSeek();
            return i + 1;
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
    return i;
}

// The run ending at pulse i is long enough for a pilot: its last eight pulses hold two lengths,
// or one for a pilot of one kind of bit (another loader's: none of ours).
void ThresholdBlockDecoder::found(const PulseBlock& b, std::size_t i) {
    std::uint8_t last[8];
    for (int j = 0; j < 8; ++j) {
        const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(i) - 7 + j;
        last[j] = at >= 0 ? b.units[at] : ring_[8 + at];
    }
    const std::uint8_t lo = *std::min_element(last, last + 8), hi = *std::max_element(last, last + 8);
    if (hi * 4 < lo * 5)
        return;
    Pilot p;
    const unsigned threshold = (lo + hi + 1) / 2;
    unsigned zeros = 0, ones = 0;
    for (const unsigned v : last) {
        const bool one = v >= threshold;
        p.pattern = static_cast<std::uint8_t>(p.pattern << 1 | one);
        (one ? p.one : p.zero) += v;
        ++(one ? ones : zeros);
    }
    p.zero /= zeros;
    p.one /= ones;
    // It began eight pulses before the first that repeated.
    const std::ptrdiff_t first = static_cast<std::ptrdiff_t>(i) + 1 - run_ - 8;
    if (first + 8 >= 0) {
        p.start = b.start;
        for (std::ptrdiff_t j = 0; j < first; ++j)
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
        brokeOff();
    toSeek();
    closing();
    for (FoundFile& f : found_)
        files.push_back(std::move(f));
    found_.clear();
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

void AddressedBlockDecoder::brokeOff() {
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
    found_.push_back(std::move(f));
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
    file.state = xorOf(file.data.data(), file.data.size()) == body[length] ? FileState::Good
                                                                           : FileState::ChecksumWrong;
    if (file.state == FileState::ChecksumWrong)
        file.detail.kind = FileDetailKind::ChecksumWrong;
}

} // namespace vornix::tape
