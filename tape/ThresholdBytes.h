#pragma once
// What the simple turbo loaders (Burner, Virgin, Freeload, the Turbo Tape variants) share: one
// pulse is one bit, short for 0 and long for 1, split by a threshold; a block starts with a
// pilot of one byte repeated and a sync byte. Plain C++, no Qt.
//
// The pilot is found without knowing its speed: a run of pulses whose lengths repeat every
// eight pulses. Its two pulse lengths give the threshold, its eight bits the byte; the loader
// says whether that is its pilot and where its sync byte begins, and is then handed the bytes
// that follow one by one until it has its block or the signal breaks off.
#include "tape/Decoder.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vornix::tape {

class ThresholdBlockDecoder : public Decoder {
  public:
    void feed(const PulseBlock& block) final;
    void finish(std::vector<FoundFile>& files, std::vector<std::string>& notes) final;
    // Also while it passes over the rest of a run it did not take for its pilot: nothing in the
    // run can start one until it breaks.
    bool seeking() const final { return state_ == State::Seek && (run_ == 0 || passing_); }
    // A byte repeated: a pilot of one bit value is read by none of these loaders.
    Pilots pilots() const final { return Pilots::Pattern; }

  protected:
    struct Pilot {
        std::uint8_t pattern = 0;        // its last eight bits in tape order, the first in bit 7
        std::uint32_t zero = 0, one = 0; // average lengths of its 0 and 1 pulses, in TAP units
        std::uint64_t start = 0;         // the cycle where it began
    };
    // Whether this run of repeating pulses is the loader's pilot.
    virtual bool isPilot(const Pilot& pilot) = 0;
    // Called 7 bits after the first bit that broke the pilot's pattern. window holds the last 64
    // bits, the newest in bit 0, so the breaking bit is bit 7 and byteAt(window, k) is the byte
    // that starts k bits before it. Returns that k (0..8) for the sync byte, or -1: no block.
    virtual int align(std::uint64_t window) = 0;
    // The bytes from the sync byte on, as read (first bit in bit 7; reverse them for a loader
    // that sends the lowest bit first). false: the block is complete.
    virtual bool byte(std::uint8_t raw) = 0;
    // The signal broke off inside the block: a pulse out of range, or the tape's end.
    virtual void brokeOff() = 0;
    // The tape has ended and any block is closed: the last chance to add to found_.
    virtual void closing() {}

    // The bits of a byte begun when the block broke off: how many, and their value (first in the
    // highest of them).
    int pendingBits() const { return bits_; }
    std::uint32_t pendingValue() const { return acc_ & ((1u << bits_) - 1); }

    std::vector<FoundFile> found_; // in tape order

    static std::uint8_t byteAt(std::uint64_t window, int k) { return static_cast<std::uint8_t>(window >> k); }
    static std::uint8_t reversed(std::uint8_t b);
    // Whether the pattern is the byte, read from some bit of it on.
    static bool rotationOf(std::uint8_t pattern, std::uint8_t b);
    // A pulse of this many units is within a fifth of the nominal length.
    static bool near(std::uint32_t units, std::uint32_t nominal) {
        return units * 5 >= nominal * 4 && units * 5 <= nominal * 6;
    }

  private:
    enum class State { Seek, Pilot, Body };
    std::size_t skip(const std::uint8_t* u, std::size_t i, std::size_t n);
    std::size_t firstBreak(const std::uint8_t* u, std::size_t i, std::size_t n) const;
    void found(const PulseBlock& b, std::size_t i);
    std::size_t readBlock(const PulseBlock& b, std::size_t i);
    void pilotBit(bool one);
    void toSeek();

    State state_ = State::Seek;
    std::uint8_t ring_[8] = {};   // the last eight pulses of the feed before, oldest first
    int run_ = 0;                 // pulses in a row that repeat the one eight before
    bool passing_ = false;        // the run was not a pilot of ours: wait for its end
    std::uint64_t end_ = 0;       // while passing: the cycle at which the last feed ended
    std::uint64_t runBefore_ = 0; // cycles of the run's pulses in earlier feeds
    std::uint64_t window_ = 0;    // bits since the pilot was found
    std::uint32_t threshold_ = 0, lo_ = 0, hi_ = 0;
    int pastBreak_ = -1; // bits read since the pilot's pattern broke, -1 before
    std::uint32_t acc_ = 0;
    int bits_ = 0;
};

// A block as Freeload and Virgin write it, highest bit first: pilot and sync byte, a header
// holding load and end address (end one past the last byte), the data and their XOR.
struct AddressedFormat {
    std::string_view loader;        // the id files are reported under
    std::uint8_t zero = 0, one = 0; // nominal pulse lengths in TAP units
    std::uint8_t pilot = 0, sync = 0;
    std::size_t headerSize = 4, loadAt = 0; // the end address follows the load address
};

class AddressedBlockDecoder : public ThresholdBlockDecoder {
  public:
    explicit AddressedBlockDecoder(const AddressedFormat& format) : format_(format) {}

  protected:
    // What the header says besides the addresses (block numbers): for the loader to fill in.
    virtual void place(FoundFile&, const std::uint8_t* /*header*/) {}

  private:
    bool isPilot(const Pilot& pilot) override;
    int align(std::uint64_t window) override;
    bool byte(std::uint8_t raw) override;
    void brokeOff() override;
    void emit();

    AddressedFormat format_;
    std::uint64_t start_ = 0;
    bool synced_ = false;
    std::size_t need_ = 0;
    std::vector<std::uint8_t> body_;
};

// A loader's body when it ends: length data bytes, followed by their XOR when hasChecksum.
// Sets data, state and detail: cut off when the bytes stop short.
void settleData(FoundFile& file, std::vector<std::uint8_t>& body, std::size_t length, bool hasChecksum);

} // namespace vornix::tape
