#pragma once
// Turbo Tape 64, decoded from a pulse stream as it arrives.
//
// One pulse is one bit, the highest first: short ($1A TAP units) is 0, long ($28) is 1. A
// block is a pilot of $02 bytes, the countdown $09..$01, an identifier (1 or 2 for a header,
// 0 for data) and its bytes: a header holds load and end address, one byte, the 16-byte name
// and filler to 192 bytes; data holds end - load bytes and their XOR checksum. Each block is
// on the tape once. The threshold between 0 and 1 follows the pilot, whose bytes hold both.
#include "tape/Decoder.h"
#include "tape/TapeFiles.h"
#include "tape/TapeReader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vornix::tape {

std::unique_ptr<Decoder> makeTurboTapeDecoder();

class TurboTapeDecoder : public Decoder {
  public:
    TurboTapeDecoder();
    void feed(const PulseBlock& block) override;
    void finish(std::vector<FoundFile>& files, std::vector<std::string>& notes) override;
    bool seeking() const override { return state_ == State::Seek && run_ == 0; }
    Pilots pilots() const override { return Pilots::Pattern; }

  private:
    enum class State { Seek, Pilot, Countdown, Id, Body };
    std::size_t skip(const std::uint32_t* pulses, std::size_t from, std::size_t count);
    void resetTiming();
    void adapt(std::uint32_t c, bool one);
    void byte(std::uint8_t b);
    void endBlock(bool brokeOff);
    void toSeek();
    void emitHeaderAlone();

    PulseClock clock_;
    State state_ = State::Seek;
    // Averages of 0 and 1 pulses, times 16.
    std::uint32_t zero16_ = 0, one16_ = 0;
    std::uint32_t threshold_ = 0, tMin_ = 0, tMax_ = 0;

    std::uint32_t shift_ = 0; // the last 8 bits while seeking
    int bitsSince_ = 0;       // bits since the last $02 seen there
    int run_ = 0;             // $02 bytes in step
    int detail_ = 0;          // pulses to look at one by one before passing over more
    std::uint64_t pilotStart_ = 0;
    std::uint32_t acc_ = 0;
    int bitCount_ = 0;
    int expect_ = 0;
    bool isHeader_ = false;
    std::size_t need_ = 0;
    std::vector<std::uint8_t> body_;
    std::uint64_t bodyStart_ = 0;

    struct Header {
        std::uint16_t load = 0, end = 0;
        std::string name;
        std::uint64_t start = 0;
    };
    std::optional<Header> header_;
    std::vector<FoundFile> files_;
};

} // namespace vornix::tape
