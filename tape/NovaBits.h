#pragma once
// The bits of Novaload and of the Ocean/Imagine loader, which put them on tape alike: one pulse
// a bit, short (nominally $24 TAP units) for 0 and long ($56) for 1, the lowest bit of a byte
// first. A block begins with a pilot of some thousand 0 bits ended by a single 1 bit; its bytes
// follow at once. The threshold between 0 and 1 is taken from the pilot's own pulses, so a tape
// running fast or slow reads as well as a true one.
#include "tape/Decoder.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vornix::tape {

class NovaBitsDecoder : public Decoder {
  public:
    void feed(const PulseBlock& block) final;
    void finish(std::vector<FoundFile>& files, std::vector<std::string>& notes) override;
    bool seeking() const final { return state_ == State::Seek && run_ == 0; }
    // A run of short pulses.
    Pilots pilots() const final { return Pilots::OneLength; }

  protected:
    // thresholdUnits: the loader's threshold between 0 and 1 for pulses of nominal length.
    explicit NovaBitsDecoder(std::uint8_t thresholdUnits) : thresholdUnits_(thresholdUnits) {}

    // A pilot ended in its 1 bit; it began at cycle pilotStart. Bytes follow.
    virtual void synced(std::uint64_t pilotStart) = 0;
    // One byte, which began at cycle at. False when the block's bytes end with it.
    virtual bool byte(std::uint8_t value, std::uint64_t at) = 0;
    // The signal broke off, or the tape ended, while bytes were being read.
    virtual void brokeOff() = 0;

    // Keeps a file found, in tape order; finish hands them on.
    FoundFile& keep(FoundFile f) {
        files_.push_back(std::move(f));
        return files_.back();
    }

  private:
    enum class State { Seek, Bytes };
    std::size_t seek(const PulseBlock& b, std::size_t i);
    std::size_t bytes(const PulseBlock& b, std::size_t i);

    const std::uint8_t thresholdUnits_;
    State state_ = State::Seek;
    // The run of pilot pulses being counted: its length, its units and cycles summed.
    std::size_t run_ = 0;
    std::uint64_t runUnits_ = 0, runCycles_ = 0;
    std::uint8_t lo_ = 0, threshold_ = 0, hi_ = 0; // bit limits, from the pilot
    std::uint8_t acc_ = 0;
    int bits_ = 0;
    std::uint64_t byteStart_ = 0;
    PulseClock clock_;
    std::vector<FoundFile> files_;
};

// The program and block numbers of blocks that load a page each, in tape order: a run of blocks
// on consecutive pages is one program. Files that stand whole take a program number of their own.
class PageNumbering {
  public:
    void chainStarts() { lastPage_ = -1; }
    // Sets program and block for the next block, which loads to page.
    void number(FoundFile& f, std::uint8_t page);
    int wholeFile() { return programs_++; }

  private:
    int programs_ = 0, program_ = 0, block_ = 0, lastPage_ = -1;
};

// Whether the six address bytes of a Novaload header agree: start - 256, end and length + 256,
// each low byte first, with end = start + length. Novaload itself reads only start and length,
// but a file it saved always agrees; Ocean/Imagine blocks read the same way almost never do.
bool novaloadAddressesAgree(const std::uint8_t* six);

} // namespace vornix::tape
