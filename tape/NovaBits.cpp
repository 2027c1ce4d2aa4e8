#include "tape/NovaBits.h"

#include <algorithm>

namespace vornix::tape {

namespace {

constexpr std::uint32_t kShortUnits = 0x24;
// Pulses that may belong to a pilot: the short pulse with room for a tape 10 % off and a
// recording's jitter, clear of the ROM loader's short pulse ($30).
constexpr std::uint8_t kPilotLo = 25, kPilotHi = 46;
// And the pilot's average, which a Turbo Tape pilot ($1A with some $28) stays below.
constexpr std::uint32_t kAverageLo = 30, kAverageHi = 42;
// Pilot pulses in a row before a 1 bit counts as the end of a pilot (real pilots hold thousands).
constexpr std::size_t kMinPilot = 256;
// While no pilot is being counted, every kStride-th pulse is looked at; shorter than kMinPilot,
// so no pilot long enough to count is passed over.
constexpr std::size_t kStride = 32;

bool pilotPulse(std::uint8_t u) { return static_cast<std::uint8_t>(u - kPilotLo) <= kPilotHi - kPilotLo; }

} // namespace

bool novaloadAddressesAgree(const std::uint8_t* six) {
    const unsigned start = (six[0] | six[1] << 8) + 256;
    const unsigned end = six[2] | six[3] << 8;
    const unsigned length = (six[4] | six[5] << 8) - 256u;
    return length > 0 && length < 65536 && ((start + length) & 0xFFFF) == end;
}

void PageNumbering::number(FoundFile& f, std::uint8_t page) {
    if (lastPage_ < 0 || page != lastPage_ + 1) {
        program_ = programs_++;
        block_ = 0;
    } else {
        ++block_;
    }
    lastPage_ = page;
    f.program = program_;
    f.block = block_;
}

void NovaBitsDecoder::feed(const PulseBlock& b) {
    clock_.start(b);
    std::size_t i = 0;
    while (i < b.count)
        i = state_ == State::Seek ? seek(b, i) : bytes(b, i);
}

void NovaBitsDecoder::finish(std::vector<FoundFile>& files, std::vector<std::string>&) {
    if (state_ == State::Bytes) {
        state_ = State::Seek;
        brokeOff();
    }
    run_ = 0;
    for (FoundFile& f : files_)
        files.push_back(std::move(f));
    files_.clear();
}

std::size_t NovaBitsDecoder::seek(const PulseBlock& b, std::size_t i) {
    const std::uint8_t* u = b.units;
    const std::size_t n = b.count;
    while (i < n) {
        if (run_ == 0) {
            // A pulse out of range at the end of a stride ends every run begun in it.
            while (i + kStride <= n && !pilotPulse(u[i + kStride - 1]))
                i += kStride;
            if (i + kStride <= n) {
                std::size_t j = i + kStride - 1;
                while (j > i && pilotPulse(u[j - 1]))
                    --j;
                i = j;
            }
        }
        std::size_t k = i;
        std::uint64_t units = 0, cycles = 0;
        while (k < n && pilotPulse(u[k])) {
            units += u[k];
            cycles += b.cycles[k];
            ++k;
        }
        run_ += k - i;
        runUnits_ += units;
        runCycles_ += cycles;
        if (k == n)
            return n; // the run may go on in the next block
        if (run_ >= kMinPilot && runUnits_ >= kAverageLo * run_ && runUnits_ <= kAverageHi * run_) {
            const std::uint64_t t = runUnits_ * thresholdUnits_ / (run_ * kShortUnits);
            threshold_ = static_cast<std::uint8_t>(std::min<std::uint64_t>(t, 127));
            lo_ = static_cast<std::uint8_t>(threshold_ * 3 / 8);
            hi_ = static_cast<std::uint8_t>(threshold_ * 2);
            if (u[k] >= threshold_ && u[k] <= hi_) {
                const std::uint64_t at = clock_.at(k);
                state_ = State::Bytes;
                bits_ = 0;
                run_ = 0;
                synced(at > runCycles_ ? at - runCycles_ : 0);
                runUnits_ = runCycles_ = 0;
                return k + 1;
            }
        }
        run_ = 0;
        runUnits_ = runCycles_ = 0;
        i = k + 1;
    }
    return n;
}

std::size_t NovaBitsDecoder::bytes(const PulseBlock& b, std::size_t i) {
    const std::uint8_t* u = b.units;
    for (; i < b.count; ++i) {
        const std::uint8_t v = u[i];
        if (v < lo_ || v > hi_) {
            state_ = State::Seek;
            brokeOff();
            return i + 1;
        }
        if (bits_ == 0)
            byteStart_ = clock_.at(i);
        acc_ = static_cast<std::uint8_t>(acc_ >> 1 | (v >= threshold_ ? 0x80 : 0));
        if (++bits_ == 8) {
            bits_ = 0;
            if (!byte(acc_, byteStart_)) {
                state_ = State::Seek;
                return i + 1;
            }
        }
    }
    return i;
}

} // namespace vornix::tape
