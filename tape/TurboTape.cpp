#include "tape/TurboTape.h"

#include <algorithm>

namespace vornix::tape {

namespace {

constexpr std::uint32_t kZero = 0x1A * 8, kOne = 0x28 * 8;
// $02 bytes in step before the pilot counts (the shortest pilots hold some hundreds).
constexpr int kMinPilotBytes = 16;
constexpr std::size_t kHeaderBody = 192;
constexpr std::size_t kMaxBody = 65536 + 1;

} // namespace

TurboTapeDecoder::TurboTapeDecoder() { resetTiming(); }

std::unique_ptr<Decoder> makeTurboTapeDecoder() { return std::make_unique<TurboTapeDecoder>(); }

void TurboTapeDecoder::resetTiming() {
    zero16_ = kZero * 16;
    one16_ = kOne * 16;
    adapt(0, false);
}

// Moves the average of the pulse's kind towards it and puts the limits between and around the two.
void TurboTapeDecoder::adapt(std::uint32_t c, bool one) {
    if (c) {
        std::uint32_t& avg = one ? one16_ : zero16_;
        avg = avg - avg / 16 + c;
    }
    threshold_ = (zero16_ + one16_) / 32;
    tMin_ = zero16_ / 32;
    tMax_ = one16_ / 16 + one16_ / 32;
}

void TurboTapeDecoder::toSeek() {
    state_ = State::Seek;
    shift_ = 0;
    bitsSince_ = 0;
    run_ = 0;
}

// Pulses that cannot be part of a pilot are passed over by looking at every 16th: a pilot
// long enough to count holds at least 128 pulses in the 0/1 range, so at least seven sampled
// pulses in a row are in range.
std::size_t TurboTapeDecoder::skip(const std::uint32_t* p, std::size_t i, std::size_t n) {
    const std::uint32_t span = tMax_ - tMin_;
    int inRange = 0;
    std::size_t first, s = i, to = n;
    while (s < n) {
        // Without branches on the sample: on another loader's bytes it is in range or not at
        // random, which no predictor follows.
        const unsigned in = p[s] - tMin_ <= span;
        inRange = (inRange + 1) & -static_cast<int>(in);
        if (inRange < 6) {
            s += 16;
            continue;
        }
        first = s - 5 * 16;
        // Six samples in range: look at every pulse between them.
        std::size_t last = s;
        while (last > first && p[last] - tMin_ <= span)
            --last;
        if (last == first) {
            to = first > i + 16 ? first - 16 : i;
            break;
        }
        inRange = 0;
        s = last + 1;
    }
    if (to > i) {
        shift_ = 0xFF; // the bits before are unknown
        bitsSince_ = 0;
    }
    detail_ = 1024;
    return to;
}

void TurboTapeDecoder::feed(const PulseBlock& block) {
    const std::uint32_t* pulses = block.cycles;
    const std::size_t count = block.count;
    clock_.start(block);
    std::size_t i = 0;
    while (i < count) {
        if (state_ == State::Seek && run_ == 0 && detail_ == 0) {
            i = skip(pulses, i, count);
            if (i >= count)
                break;
        }
        if (state_ == State::Seek && shift_ == 0xFF && run_ < 2) {
            // A run of 1 bits (another loader's pilot) changes nothing but the count: pass it.
            const std::uint32_t lo = threshold_, span = tMax_ - threshold_;
            std::size_t j = i;
            while (j < count && pulses[j] - lo <= span)
                ++j;
            const std::size_t ones = j - i;
            bitsSince_ = static_cast<int>(std::min<std::size_t>(bitsSince_ + ones, 1 << 20));
            detail_ = detail_ > static_cast<int>(std::min<std::size_t>(ones, 1 << 20))
                          ? detail_ - static_cast<int>(ones)
                          : 0;
            i = j;
            if (i >= count)
                break;
        }
        if (detail_ > 0)
            --detail_;
        const std::uint32_t c = pulses[i++];
        if (c < tMin_ || c > tMax_) {
            if (state_ == State::Body)
                endBlock(true);
            else if (state_ != State::Seek)
                toSeek();
            run_ = 0;
            bitsSince_ = 0;
            if (c > tMax_ * 4)
                resetTiming(); // a pause: what follows may run at another speed
            continue;
        }
        const bool one = c >= threshold_;
        if (state_ == State::Seek) {
            shift_ = (shift_ << 1 | one) & 0xFF;
            ++bitsSince_;
            if (shift_ == 0x02) {
                // The first $02 of a pilot after a pause also comes 8 bits after the count began.
                if (bitsSince_ == 8 && run_ > 0) {
                    ++run_;
                } else {
                    run_ = 1;
                    const std::uint64_t at = clock_.at(i - 1);
                    const std::uint64_t back = 7 * static_cast<std::uint64_t>(zero16_ / 16);
                    pilotStart_ = at > back ? at - back : 0;
                }
                bitsSince_ = 0;
                if (run_ >= kMinPilotBytes) {
                    state_ = State::Pilot;
                    acc_ = 0;
                    bitCount_ = 0;
                }
            }
            if (run_ >= 2)
                adapt(c, one);
            continue;
        }
        if (state_ == State::Pilot)
            adapt(c, one);
        acc_ = acc_ << 1 | one;
        if (++bitCount_ == 8) {
            const std::uint8_t b = static_cast<std::uint8_t>(acc_);
            acc_ = 0;
            bitCount_ = 0;
            byte(b);
        }
    }
}

void TurboTapeDecoder::byte(std::uint8_t b) {
    switch (state_) {
    case State::Pilot:
        if (b == 0x09) {
            state_ = State::Countdown;
            expect_ = 8;
        } else if (b != 0x02) {
            toSeek();
        }
        return;
    case State::Countdown:
        if (b != expect_) {
            toSeek();
            return;
        }
        if (--expect_ == 0)
            state_ = State::Id;
        return;
    case State::Id:
        if (b == 1 || b == 2) {
            isHeader_ = true;
            need_ = kHeaderBody;
        } else if (b == 0) {
            isHeader_ = false;
            const std::size_t length = header_ ? lengthBetween(header_->load, header_->end) : 0;
            need_ = length ? length + 1 : kMaxBody;
        } else {
            toSeek();
            return;
        }
        body_.clear();
        bodyStart_ = pilotStart_;
        state_ = State::Body;
        return;
    case State::Body:
        body_.push_back(b);
        if (body_.size() >= need_)
            endBlock(false);
        return;
    case State::Seek: return;
    }
}

void TurboTapeDecoder::emitHeaderAlone() {
    if (!header_)
        return;
    FoundFile f;
    f.loader = "turbotape";
    f.name = header_->name;
    f.load = header_->load;
    f.end = header_->end;
    f.startSeconds = header_->start / kPalClock;
    f.state = FileState::CutOff;
    f.detail.kind = FileDetailKind::NoDataBlock;
    files_.push_back(std::move(f));
    header_.reset();
}

void TurboTapeDecoder::endBlock(bool brokeOff) {
    toSeek();
    if (isHeader_) {
        if (body_.size() < 21)
            return; // too little to name anything
        emitHeaderAlone();
        Header h;
        h.load = static_cast<std::uint16_t>(body_[0] | body_[1] << 8);
        h.end = static_cast<std::uint16_t>(body_[2] | body_[3] << 8);
        h.name = tapeName(body_.data() + 5, 16);
        h.start = bodyStart_;
        header_ = h;
        return;
    }
    FoundFile f;
    f.loader = "turbotape";
    std::size_t length;
    if (header_) {
        f.name = header_->name;
        f.load = header_->load;
        f.end = header_->end;
        f.startSeconds = header_->start / kPalClock;
        length = lengthBetween(header_->load, header_->end);
    } else {
        if (body_.size() < 2)
            return;
        f.startSeconds = bodyStart_ / kPalClock;
        length = body_.size() - 1;
    }
    BlockCopy copy;
    copy.value = std::move(body_);
    copy.ok.assign(copy.value.size(), 1);
    copy.endMarker = !brokeOff;
    DataOutcome d = evaluateData({copy}, length);
    f.data = std::move(d.data);
    f.state = d.state;
    f.detail = std::move(d.detail);
    if (!header_) {
        f.state = FileState::CutOff;
        f.detail = {FileDetailKind::NoHeader};
        f.end = static_cast<std::uint16_t>(f.data.size());
    }
    header_.reset();
    files_.push_back(std::move(f));
}

void TurboTapeDecoder::finish(std::vector<FoundFile>& files, std::vector<std::string>&) {
    if (state_ == State::Body)
        endBlock(true);
    emitHeaderAlone();
    for (FoundFile& f : files_)
        files.push_back(std::move(f));
    files_.clear();
}

} // namespace vornix::tape
