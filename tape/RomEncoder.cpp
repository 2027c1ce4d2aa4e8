// Programs into the ROM loader's pulses, laid out as a C64 saves them.
#include "tape/TapeWriter.h"

#include <bit>
#include <cmath>

namespace vornix::tape {

namespace {

constexpr std::uint32_t kShort = 0x30 * 8, kMedium = 0x42 * 8, kLong = 0x56 * 8;
constexpr int kHeaderPilot = 0x6A00, kDataPilot = 0x1500, kRepeatPilot = 0x4F, kTrailer = 0x4E;
// The gap the ROM leaves between the header and the data, and ours between programs.
constexpr std::uint32_t kHeaderGap = 325000;
constexpr std::uint32_t kProgramGap = 2 * 985248;

class Encoder {
  public:
    explicit Encoder(std::vector<std::uint32_t>& out) : out_(out) {}

    void shorts(int n) { out_.insert(out_.end(), n, kShort); }
    void pause(std::uint32_t cycles) { out_.push_back(cycles); }
    void byte(std::uint8_t b) {
        out_.push_back(kLong);
        out_.push_back(kMedium);
        for (int i = 0; i < 8; ++i)
            bit(b >> i & 1);
        bit(!(std::popcount(b) & 1)); // odd parity over the nine bits
    }
    // Countdown, bytes, checksum and the end mark; then the pilot of what follows.
    void block(const std::vector<std::uint8_t>& bytes, bool second) {
        for (int k = 9; k >= 1; --k)
            byte(static_cast<std::uint8_t>(second ? k : 0x80 | k));
        std::uint8_t sum = 0;
        for (std::uint8_t b : bytes) {
            byte(b);
            sum ^= b;
        }
        byte(sum);
        out_.push_back(kLong);
        out_.push_back(kShort);
    }
    void twice(const std::vector<std::uint8_t>& bytes, int pilot) {
        shorts(pilot);
        block(bytes, false);
        shorts(kRepeatPilot);
        block(bytes, true);
        shorts(kTrailer);
    }

  private:
    void bit(bool one) {
        out_.push_back(one ? kMedium : kShort);
        out_.push_back(one ? kShort : kMedium);
    }
    std::vector<std::uint32_t>& out_;
};

} // namespace

bool fitsInMemory(const ProgramToEncode& p) { return p.load + p.data.size() <= 0x10000; }

std::vector<std::uint32_t> romLoaderPulses(const std::vector<ProgramToEncode>& programs) {
    std::vector<std::uint32_t> out;
    Encoder e(out);
    bool firstProgram = true;
    for (const ProgramToEncode& p : programs) {
        if (!fitsInMemory(p))
            continue;
        if (!firstProgram)
            e.pause(kProgramGap);
        firstProgram = false;
        const std::uint32_t end = p.load + static_cast<std::uint32_t>(p.data.size());
        std::vector<std::uint8_t> header(192, 0x20);
        header[0] = p.load == 0x0801 ? 1 : 3;
        header[1] = static_cast<std::uint8_t>(p.load);
        header[2] = static_cast<std::uint8_t>(p.load >> 8);
        header[3] = static_cast<std::uint8_t>(end);
        header[4] = static_cast<std::uint8_t>(end >> 8);
        for (std::size_t i = 0; i < 16 && i < p.name.size(); ++i)
            header[5 + i] = static_cast<std::uint8_t>(p.name[i]);
        e.twice(header, kHeaderPilot);
        e.pause(kHeaderGap);
        e.twice(p.data, kDataPilot);
    }
    return out;
}

} // namespace vornix::tape
