#include "tape/VisiloadLoader.h"

#include "tape/PulseLevels.h"

#include <utility>

namespace vornix::tape {

namespace {

// Pulses any version writes lie within these TAP units.
constexpr std::uint32_t kMinUnits = 0x14, kMaxUnits = 0x90;
// Pilot bytes in step before a chain counts (tapes hold some hundreds).
constexpr int kMinPilotBytes = 64;
constexpr int kMaxExtraBits = 7;
constexpr int kSimilarRun = 6, kDetailPulses = 32;
// After a block that asks for a pilot: pulses to wait for it before the chain counts as ended.
constexpr int kPilotWait = 200000;
constexpr std::uint8_t kSync = 0x16, kSyncLowFirst = 0x68; // $16 as read highest bit first
constexpr std::uint16_t kSetsBits = 0x034B, kSetsHeader = 0x03A4, kSetsOrder = 0x0347, kAsksPilot = 0x03BB;

class VisiloadDecoder : public Decoder {
  public:
    void feed(const PulseBlock& b) override;
    void finish(std::vector<FoundFile>& files, std::vector<std::string>&) override {
        endChain();
        for (FoundFile& f : files_)
            files.push_back(std::move(f));
        files_.clear();
    }

  private:
    // Seek: counting pilot bytes (extra 1 bits, eight 0 bits) by the pulses' lengths alone.
    // Sync: reading framed bytes of the pilot up to the sync byte. Header, Data: a block.
    enum class State { Seek, Sync, Header, Data };

    void seekPulse(std::uint32_t u, std::uint64_t at);
    void startReading();
    void bit(bool one);
    void byte(std::uint8_t b);
    void endBlock();
    void endChain();
    void toSeek(bool waitForPilot);

    State state_ = State::Seek;
    std::uint64_t now_ = 0;

    // Seek.
    std::uint32_t before_ = 0; // the last pulse passed over
    int similar_ = 0;          // pulses in a row about as long as the one before
    int detail_ = 0;           // pulses still to look at one by one
    std::uint32_t short16_ = 0, long16_ = 0;
    int zeros_ = 0, ones_ = 0, lastOnes_ = 0, groups_ = 0;
    std::uint64_t pilotStart_ = 0, groupStart_ = 0;
    bool waiting_ = false; // within a chain: a pilot was asked for
    int waited_ = 0;

    // Reading framed bytes.
    PulseLevels levels_;
    int extraBits_ = 1, extraHeader_ = 0;
    bool lowFirst_ = false;
    int bitIndex_ = 0; // extra bits first, then the eight of the byte
    std::uint32_t acc_ = 0;
    std::uint64_t byteStart_ = 0;

    // The block.
    std::vector<std::uint8_t> header_;
    std::uint16_t load_ = 0;
    std::size_t length_ = 0;
    std::vector<std::uint8_t> data_;
    std::uint64_t blockStart_ = 0;
    bool inChain_ = false;
    int programs_ = 0, blocks_ = 0;
    std::vector<FoundFile> files_;
};

void VisiloadDecoder::feed(const PulseBlock& b) {
    for (std::size_t i = 0; i < b.count; ++i) {
        const std::uint32_t u = b.units[i];
        const std::uint64_t at = now_;
        now_ += b.cycles[i];
        if (state_ == State::Seek) {
            if (detail_ == 0 && !waiting_) {
                // Eight short pulses of one length make a pilot byte: until six pulses in a row
                // each about as long as the one before, nothing more is looked at.
                std::uint64_t t = at;
                std::uint32_t before = before_;
                int run = similar_;
                std::size_t j = i;
                for (; j < b.count; ++j) {
                    const std::uint32_t v = b.units[j];
                    run = (v > before ? v - before : before - v) * 5 <= v ? run + 1 : 0;
                    before = v;
                    if (run >= kSimilarRun)
                        break;
                    t += b.cycles[j];
                }
                before_ = before;
                similar_ = run;
                if (j >= b.count) {
                    now_ = t;
                    break;
                }
                now_ = t + b.cycles[j];
                i = j;
                detail_ = kDetailPulses;
                toSeek(false);
                seekPulse(b.units[i], t);
                continue;
            }
            seekPulse(u, at);
            continue;
        }
        if (!levels_.plausible(u)) {
            if (state_ == State::Data)
                endBlock();
            endChain();
            continue;
        }
        if (bitIndex_ == 0)
            byteStart_ = at;
        const bool one = u > levels_.threshold();
        levels_.adapt(u, one);
        bit(one);
    }
}

// Pilot bytes are extra 1 bits and eight 0 bits: a run of them sets the number of extra bits
// and both pulse lengths. A 1 after eight 0s ends a pilot byte and starts the next.
void VisiloadDecoder::seekPulse(std::uint32_t u, std::uint64_t at) {
    if (waiting_ && ++waited_ > kPilotWait) {
        endChain();
        waiting_ = false;
    }
    if (groups_ > 0 || waiting_)
        detail_ = kDetailPulses;
    else if (detail_ > 0 && --detail_ == 0)
        similar_ = 0;
    if (u < kMinUnits || u > kMaxUnits) {
        groups_ = zeros_ = ones_ = 0;
        short16_ = 0;
        return;
    }
    if (short16_ == 0)
        short16_ = u * 16;
    // Within a chain the pulse lengths are known: the pilot may be a single byte.
    const bool one = waiting_ ? u > levels_.threshold() : u * 16 * 2 > short16_ * 3;
    if (!one) {
        short16_ = short16_ - short16_ / 16 + u;
        if (ones_) {
            lastOnes_ = ones_;
            ones_ = 0;
        }
        if (++zeros_ > 8)
            groups_ = 0;
        return;
    }
    long16_ = groups_ ? long16_ - long16_ / 16 + u : u * 16;
    if (zeros_) {
        const bool group = zeros_ == 8 && lastOnes_ >= 1 && lastOnes_ <= kMaxExtraBits &&
                           (groups_ == 0 || lastOnes_ == extraBits_) &&
                           (!waiting_ || lastOnes_ == extraBits_);
        if (group) {
            if (groups_ == 0)
                pilotStart_ = groupStart_;
            extraBits_ = lastOnes_;
            ++groups_;
        } else {
            groups_ = 0;
        }
        zeros_ = 0;
        groupStart_ = at;
    }
    ++ones_;
    if (ones_ == 1 && groups_ >= (waiting_ ? 1 : kMinPilotBytes)) {
        byteStart_ = at;
        startReading();
    }
}

// The pulse just seen is the first extra bit of a byte: read framed bytes from here.
void VisiloadDecoder::startReading() {
    if (!waiting_)
        levels_.set(short16_ / 16, long16_ / 16);
    state_ = State::Sync;
    bitIndex_ = 1;
    acc_ = 0;
    if (!waiting_) {
        blockStart_ = pilotStart_;
        extraHeader_ = 0;
        lowFirst_ = false;
    }
}

void VisiloadDecoder::bit(bool one) {
    if (bitIndex_ < extraBits_) {
        if (!one) {
            // Not a byte's frame: a block ends here, the chain with it.
            if (state_ == State::Data)
                endBlock();
            endChain();
            return;
        }
        ++bitIndex_;
        return;
    }
    acc_ = acc_ << 1 | one;
    if (++bitIndex_ < extraBits_ + 8)
        return;
    bitIndex_ = 0;
    std::uint8_t b = static_cast<std::uint8_t>(acc_);
    acc_ = 0;
    if (lowFirst_ && state_ != State::Sync) {
        std::uint8_t r = 0;
        for (int k = 0; k < 8; ++k)
            r = static_cast<std::uint8_t>(r | ((b >> k) & 1) << (7 - k));
        b = r;
    }
    byte(b);
}

void VisiloadDecoder::byte(std::uint8_t b) {
    switch (state_) {
    case State::Sync:
        if (b == 0)
            return;
        if (b == kSync || b == kSyncLowFirst) {
            const bool lowFirst = b == kSyncLowFirst;
            if (waiting_ && lowFirst != lowFirst_) {
                endChain();
                return;
            }
            lowFirst_ = lowFirst;
            if (!waiting_) {
                inChain_ = true;
                ++programs_;
                blocks_ = 0;
            }
            waiting_ = false;
            state_ = State::Header;
            header_.clear();
            return;
        }
        endChain();
        return;
    case State::Header: {
        if (header_.empty() && blocks_ > 0)
            blockStart_ = byteStart_;
        header_.push_back(b);
        if (header_.size() < static_cast<std::size_t>(extraHeader_) + 4)
            return;
        const std::uint8_t* h = header_.data() + extraHeader_;
        const std::uint16_t end = static_cast<std::uint16_t>(h[0] << 8 | h[1]);
        load_ = static_cast<std::uint16_t>(h[2] << 8 | h[3]);
        if (end < load_ && end != 0) {
            endChain(); // no block: what follows the chain
            return;
        }
        length_ = end == load_ ? 1 : (end ? end : 0x10000) - load_;
        data_.clear();
        state_ = State::Data;
        return;
    }
    case State::Data:
        data_.push_back(b);
        if (data_.size() < length_)
            return;
        endBlock();
        return;
    case State::Seek: return;
    }
}

// The block read, whole or as far as the signal went: a file, and its changes to the loader.
void VisiloadDecoder::endBlock() {
    FoundFile f;
    f.loader = "visiload";
    f.load = load_;
    f.end = static_cast<std::uint16_t>(load_ + length_);
    f.startSeconds = blockStart_ / kPalClock;
    f.program = programs_ - 1;
    f.block = blocks_++;
    f.state = FileState::NoChecksum;
    const bool whole = data_.size() == length_;
    if (!whole) {
        f.state = FileState::CutOff;
        f.detail.kind = FileDetailKind::TapeEnds;
        f.detail.bytes = data_.size();
        f.detail.total = length_;
    }
    const int first = data_.empty() ? -1 : data_[0];
    f.data = std::move(data_);
    data_.clear();
    files_.push_back(std::move(f));
    state_ = State::Header;
    header_.clear();
    if (!whole || first < 0)
        return;
    switch (load_) {
    case kSetsBits:
        if (first < 8 || first > 8 + kMaxExtraBits)
            return endChain();
        extraBits_ = first - 8;
        return;
    case kSetsHeader:
        if (first < 3)
            return endChain();
        extraHeader_ = first - 3;
        return;
    case kSetsOrder: lowFirst_ = first != 0x26; return;
    case kAsksPilot: toSeek(true); return;
    default: return;
    }
}

void VisiloadDecoder::endChain() {
    if (state_ == State::Data)
        endBlock();
    inChain_ = false;
    toSeek(false);
}

void VisiloadDecoder::toSeek(bool waitForPilot) {
    state_ = State::Seek;
    waiting_ = waitForPilot && inChain_;
    waited_ = 0;
    groups_ = zeros_ = ones_ = lastOnes_ = 0;
    short16_ = 0;
    bitIndex_ = 0;
    acc_ = 0;
}

} // namespace

std::unique_ptr<Decoder> makeVisiloadDecoder() { return std::make_unique<VisiloadDecoder>(); }

} // namespace vornix::tape
