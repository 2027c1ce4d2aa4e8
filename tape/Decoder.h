#pragma once
// One tape loader's decoder, fed the pulse stream as it arrives, and the registry of every
// loader we decode. Plain C++, no Qt.
//
// Adding a loader: its decoder in a file of its own, one line in the registry
// (tape/Loaders.cpp), its tests.
#include "tape/PulseStream.h"
#include "tape/TapeReader.h"

#include <algorithm>
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
    // What AllDecoders found of each 16 pulses from the first: the kinds of pilot they may be
    // part of, as bits by Decoder::Pilots (0 for none). kindChunks may be 0: nothing known.
    const std::uint8_t* kinds = nullptr;
    std::size_t kindChunks = 0;
};

class Decoder {
  public:
    virtual ~Decoder() = default;
    virtual void feed(const PulseBlock& block) = 0;
    // The tape has ended: what was being read is cut off there. Appends what was found, in tape
    // order, and sentences about what was passed over.
    virtual void finish(std::vector<FoundFile>& files, std::vector<std::string>& notes) = 0;
    // True while the decoder only looks for its next pilot and holds nothing the next pulses
    // could continue. It is then spared the stretches where no pilot can start (see
    // AllDecoders), so it must take the time of each block from PulseBlock::start and expect
    // the next block to begin later than this one ended. A decoder that never says so is fed
    // every pulse.
    virtual bool seeking() const { return false; }
    // What its pilots are like, so that a seeking decoder is spared the others' pilots.
    enum class Pilots {
        OneLength, // one pulse length over and over
        Pattern,   // a byte (with any extra bits) repeated, not all one length
        Any,
    };
    virtual Pilots pilots() const { return Pilots::Any; }
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

// The cycle at which a pulse of the block being fed begins, summed on from the last asked:
// pulses are only summed where a decoder needs a time.
class PulseClock {
  public:
    void start(const PulseBlock& b) {
        block_ = &b;
        index_ = 0;
        at_ = b.start;
    }
    std::uint64_t at(std::size_t i) {
        if (i < index_) {
            index_ = 0;
            at_ = block_->start;
        }
        for (; index_ < i; ++index_)
            at_ += block_->cycles[index_];
        return at_;
    }

  private:
    const PulseBlock* block_ = nullptr;
    std::size_t index_ = 0;
    std::uint64_t at_ = 0;
};

// The TAP unit of a pulse, as PulseBlock::units holds it.
inline std::uint8_t pulseUnits(std::uint32_t cycles) {
    // A minimum rather than a test, so that a loop of them is vectorized.
    return static_cast<std::uint8_t>(std::min<std::uint32_t>(cycles >> 3, 255));
}

// Every registered loader's decoder reading the one pulse stream side by side. The work they
// share is done once: each pulse is put into TAP units, and the stream is cut into steady
// stretches, where a pilot may be (each pulse about as long as the one 8 to 15 before it: one
// length over and over, a byte repeated, a byte with its extra bits), and the rest. Decoders
// that are seeking are fed only the steady stretches and the pulses just before them; on the
// turbo data of other loaders, which is most of a game tape, they cost nothing.
class AllDecoders : public PulseSink {
  public:
    AllDecoders();
    void pulses(const std::uint32_t* cycles, std::size_t count, std::uint64_t start) override;
    // What every decoder found, in tape order; their notes appended to notes. Where two loaders
    // read the same block, a reading whose checksum agrees wins over a damaged one.
    std::vector<FoundFile> finish(std::vector<std::string>& notes);

  private:
    using Stretches = std::vector<std::pair<std::size_t, std::size_t>>; // pulse ranges
    void decode(const std::uint32_t* cycles, std::size_t count, std::uint64_t start);
    void markSteady(std::size_t count);
    void feed(std::size_t decoder, const std::uint32_t* cycles, std::size_t from, std::size_t to);
    void feedLead(std::size_t decoder);
    void keepLead(const std::uint32_t* cycles, std::size_t count, std::uint64_t end);

    std::vector<std::unique_ptr<Decoder>> decoders_;
    std::vector<std::uint8_t> units_;       // 16 units of the last block, then this block's
    std::vector<std::uint64_t> chunkStart_; // the cycle at which each 16 pulses begin
    std::vector<std::uint8_t> kinds_;       // each 16 pulses' Pilots, as a bit each
    Stretches steady_[3];                   // by Decoder::Pilots: what a seeking decoder is fed
    std::vector<std::uint64_t> fedTo_;      // each decoder: the pulses it has been fed, counted
    std::uint64_t blockIndex_ = 0;          // the number of this block's first pulse
    // The last pulses before this block: the lead of a stretch that begins at its start.
    std::vector<std::uint32_t> leadCycles_;
    std::vector<std::uint8_t> leadUnits_;
    std::uint64_t leadStart_ = 0; // the cycle at which the first of them begins
    // Small blocks gathered until there are enough to judge: where a reader's blocks end
    // changes nothing.
    std::vector<std::uint32_t> gathered_;
    std::uint64_t gatheredStart_ = 0;
};

} // namespace vornix::tape
