#pragma once
// One tape loader's decoder, fed the pulse stream as it arrives, and the registry of every
// loader we decode. Plain C++, no Qt.
//
// Adding a loader: its decoder in a file of its own, one line in the registry
// (tape/Loaders.cpp), its tests.
#include "tape/PulseStream.h"
#include "tape/TapeReader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vornix::tape {

// A block of pulses as every decoder sees it. The reader classifies each pulse once for all
// of them: units is the TAP byte a pulse would be written as (cycles / 8, 255 for 2040
// cycles and longer), which is the unit the turbo loaders' thresholds are documented in.
struct PulseBlock {
    const std::uint32_t* cycles = nullptr; // lengths in PAL cycles
    const std::uint8_t* units = nullptr;   // the same in TAP units, saturated at 255
    std::size_t count = 0;
    std::uint64_t start = 0; // the cycle at which the first of them begins
};

class Decoder {
  public:
    virtual ~Decoder() = default;
    virtual void feed(const PulseBlock& block) = 0;
    // The tape has ended: what was being read is cut off there. Appends what was found, in tape
    // order, and sentences about what was passed over.
    virtual void finish(std::vector<FoundFile>& files, std::vector<std::string>& notes) = 0;
};

struct LoaderInfo {
    std::string_view id;   // "rom", "turbotape", "novaload": JSON and the command line
    std::string_view name; // what users see: "ROM loader", "Novaload"
    std::unique_ptr<Decoder> (*make)();
};

// Every loader we decode, in the order the listing names them.
const std::vector<LoaderInfo>& loaders();
// The registered loader with this id, or nullptr.
const LoaderInfo* findLoader(std::string_view id);

// The TAP unit of a pulse, as PulseBlock::units holds it.
inline std::uint8_t pulseUnits(std::uint32_t cycles) {
    return cycles >= 255 * 8 ? 255 : static_cast<std::uint8_t>(cycles / 8);
}

// Every registered loader's decoder reading the one pulse stream side by side: each pulse is
// put into TAP units once for all of them.
class AllDecoders : public PulseSink {
  public:
    AllDecoders();
    void pulses(const std::uint32_t* cycles, std::size_t count, std::uint64_t start) override;
    // What every decoder found, in tape order; their notes appended to notes.
    std::vector<FoundFile> finish(std::vector<std::string>& notes);

  private:
    std::vector<std::unique_ptr<Decoder>> decoders_;
    std::vector<std::uint8_t> units_;
};

} // namespace vornix::tape
