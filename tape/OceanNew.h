#pragma once
// Ocean's later loaders ("Ocean New" 1, 2 and 4), the "ocean" loader's second half, decoded from
// a pulse stream as it arrives.
//
// One pulse a bit, the highest bit first: short for 0 and long for 1, at one of two speeds ($22
// and $42 TAP units, or $35 and $65). A file is a pilot of $40 bytes, the sync byte $5A, a
// header, the data and an XOR checksum of the data. The header is
// - form 1: an id byte, load and end address (low byte first), the checksum after the data;
// - form 2: load and end address, an id byte, the checksum after the data;
// - form 4: a block number, the checksum, load and end address; the data may be padded to a
//   multiple of 256 bytes.
// Nothing on tape tells the forms apart: the bytes of a file are read whole and the form whose
// checksum agrees is taken. A file whose checksum agrees in no form is taken only when exactly
// one form's length fits the bytes read. Bytes that agree as a Freeload file (load and end
// address, data, XOR checksum) are left to Freeload. The thresholds follow the pilot's two pulse
// lengths.
#include "tape/Decoder.h"
#include "tape/NovaBits.h"

#include <cstdint>
#include <vector>

namespace vornix::tape {

class OceanNewReader {
  public:
    // One header form: where its addresses and data begin, where its checksum is, whether the
    // data may be padded to a multiple of 256 bytes, whether the form is Ocean's.
    struct Form {
        std::size_t load, data;
        int checksumAt; // a header offset, or -1 when the checksum follows the data
        bool padded;
        bool ours = true;
    };
    // Bytes read as one form: its data length and the bytes up to its checksum's end.
    struct Reading {
        std::size_t length = 0, end = 0;
        bool agrees = false; // the checksum is in and agrees
    };

    explicit OceanNewReader(PageNumbering& numbering) : numbering_(numbering) {}
    void feed(const PulseBlock& block);
    void finish(std::vector<FoundFile>& files);

  private:
    enum class State { Seek, Pilot, Bytes };
    std::size_t seek(const PulseBlock& b, std::size_t i);
    std::size_t read(const PulseBlock& b, std::size_t i);
    void fileEnds();
    bool pilotFollows() const;

    PageNumbering& numbering_; // shared with the old loader's blocks
    State state_ = State::Seek;
    std::uint32_t slow_ = 0, fast_ = 0; // the last 32 bits at each speed's fixed threshold
    std::uint8_t threshold_ = 0, lo_ = 0, hi_ = 0;
    std::uint32_t shortSum_ = 0, longSum_ = 0, shorts_ = 0, longs_ = 0;
    std::uint8_t acc_ = 0;
    int bits_ = 0;
    std::uint64_t start_ = 0;
    std::vector<std::uint8_t> bytes_;
    const Form* candidate_ = nullptr; // the form whose checksum agreed
    Reading candidateReading_;
    std::size_t candidateLast_ = 0; // the most bytes it leaves, trailer and padding included
    PulseClock clock_;
    std::vector<FoundFile> files_;
};

} // namespace vornix::tape
