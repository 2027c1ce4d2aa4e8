#pragma once
// The C64 ROM loader's format, decoded from a pulse stream as it arrives.
//
// Pulses are short, medium or long (nominally $30, $42 and $56 TAP units of 8 cycles). A bit
// is a pair: short-medium is 0, medium-short is 1. A byte is a long-medium marker, eight
// bits from the lowest, and an odd-parity bit; long-short ends a block. A block is a pilot of
// short pulses, the countdown $89..$81 (first copy) or $09..$01 (second copy), the bytes and
// their XOR checksum. A program is a header block (type, load, end, 16-byte name, filler to
// 192 bytes) twice, then its data block twice.
//
// The thresholds follow the pilot's measured short pulse and each good byte's length, so a
// tape running fast or slow still reads. Every byte has the same length whatever its value,
// so a byte found again after damage is put at the place its time gives.
#include "tape/Decoder.h"
#include "tape/TapeFiles.h"
#include "tape/TapeReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vornix::tape {

std::unique_ptr<Decoder> makeRomDecoder();

class RomLoaderDecoder : public Decoder {
  public:
    RomLoaderDecoder();
    void feed(const PulseBlock& block) override;
    // Notes tell of what was passed over (data files, end-of-tape marks).
    void finish(std::vector<FoundFile>& files, std::vector<std::string>& notes) override;
    // A run too short to be a pilot can only be continued by one, which is a steady stretch.
    bool seeking() const override { return !inBlock_ && runCount_ < 8; }
    Pilots pilots() const override { return Pilots::OneLength; }

    struct Block {
        std::vector<std::uint8_t> value, ok; // by byte index from the first sync byte
        std::uint64_t start = 0;             // cycle where its pilot began
        std::uint64_t pilot = 0;             // short pulses in its pilot
        bool endMarker = false;              // ended by the long-short mark
    };

  private:
    enum Class : std::uint8_t { Noise, Short, Medium, Long, Silence };

    Class classify(std::uint32_t c) const {
        if (c < tMin_)
            return Noise;
        if (c < tSM_)
            return Short;
        if (c < tML_)
            return Medium;
        if (c < tMax_)
            return Long;
        // A pulse a few times too long is a dropout inside the block; a pause is far longer.
        return c < tBreak_ ? Noise : Silence;
    }
    void setShort(double shortCycles);
    // Good bytes' real lengths keep the thresholds on the tape's speed, sixteen at a time. True
    // when they moved.
    bool adaptTo(std::uint64_t length) {
        if (length <= lengthLow_ || length >= lengthHigh_)
            return false;
        adaptSum_ += length;
        if (++adaptCount_ < 16)
            return false;
        adaptNow();
        return true;
    }
    void adaptNow();
    void seekPulse(std::uint32_t c);
    void bytePulse(std::uint32_t c);
    void startByte(std::uint64_t markerTime);
    std::size_t fastBytes(const std::uint32_t* pulses, std::size_t count);
    void storeByte(bool good, std::uint64_t endTime);
    bool onGrid(std::uint64_t time) const;
    void endBlock(bool endMarker);
    void feedCycles(const std::uint32_t* pulses, std::size_t count);
    void toSeek();

    // Blocks into programs.
    void onBlock(Block& block);
    void finalizeFile();

    bool inBlock_ = false;
    std::uint64_t now_ = 0; // cycle where the current pulse began

    // The run of similar short pulses (a pilot while it is long enough).
    std::uint32_t runCount_ = 0;
    std::uint64_t runSum_ = 0, runStart_ = 0;

    std::uint32_t tMin_ = 0, tSM_ = 0, tML_ = 0, tMax_ = 0, tBreak_ = 0;
    double byteCycles_ = 0; // the length of one byte on this tape
    std::uint64_t lengthLow_ = 0, lengthHigh_ = 0;
    std::uint64_t adaptSum_ = 0;
    int adaptCount_ = 0;

    // Reading a block.
    Block block_;
    std::uint64_t blockStart_ = 0; // where the bytes began (end of the pilot)
    int pos_ = 0;                  // pulse within the byte: 0 marker, 1 marker, 2..19 bits
    bool resync_ = false;          // looking for the next marker after damage
    std::uint32_t unmarked_ = 0;   // pulses into the block with no good byte; ~0 once one is read
    bool prevLong_ = false;
    std::uint64_t longTime_ = 0;
    std::uint64_t markerTime_ = 0;
    Class first_ = Noise;
    std::uint32_t bits_ = 0;
    int lastIndex_ = -1;
    std::uint64_t lastStart_ = 0, lastEnd_ = 0;
    std::uint32_t shortRun_ = 0;
    std::uint64_t shortRunSum_ = 0, shortRunStart_ = 0;

    // Programs being put together.
    std::vector<BlockCopy> header_, data_;
    std::vector<FoundFile> files_;
    std::vector<std::string> notes_;
};

} // namespace vornix::tape
