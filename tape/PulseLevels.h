#pragma once
// The short and long pulse of a threshold-coded turbo loader as measured on the tape, and
// the threshold between them. Shared by the loaders whose pulse lengths vary from tape to
// tape (Cyberload, Visiload): they measure both kinds where the pilot holds them and follow
// the tape's speed from there. Values in TAP units (cycles / 8).
#include <cstdint>

namespace vornix::tape {

class PulseLevels {
  public:
    void set(std::uint32_t shortUnits, std::uint32_t longUnits) {
        short16_ = shortUnits * 16;
        long16_ = longUnits * 16;
    }
    // Moves the average of the pulse's kind towards it.
    void adapt(std::uint32_t units, bool one) {
        std::uint32_t& avg = one ? long16_ : short16_;
        avg = avg - avg / 16 + units;
    }
    std::uint32_t threshold() const { return (short16_ + long16_) / 32; }
    std::uint32_t shortUnits() const { return short16_ / 16; }
    std::uint32_t longUnits() const { return long16_ / 16; }
    // A pulse this loader could have written: not much shorter than a short, not much longer
    // than a long (a tape 10 % off speed and some noise stay inside).
    bool plausible(std::uint32_t units) const {
        return units * 16 * 8 >= short16_ * 5 && units * 16 * 2 <= long16_ * 3;
    }

  private:
    std::uint32_t short16_ = 0, long16_ = 0;
};

} // namespace vornix::tape
