#pragma once
// Visiload chains put on tape as the loader reads them (tape/VisiloadLoader.h describes the
// format), for the decoder's tests.
#include "tests/tape/LoaderTestKit.h"

namespace loadertest::visiload {

using Bytes = std::vector<std::uint8_t>;

inline constexpr BitCoding kType1{0x25, 0x48, true};
inline constexpr BitCoding kType6{0x1C, 0x37, true};

// Writes bytes as the loader reads them at the moment: extra 1 bits, then the byte in the
// current bit order; blocks loaded to the loader's own addresses change that as on a C64.
class ChainWriter {
  public:
    ChainWriter(Pulses& p, const BitCoding& c) : p_(p), c_(c) {}

    void pilot(int count) {
        for (int i = 0; i < count; ++i)
            put(0x00);
        put(0x16);
    }
    void block(std::uint16_t load, const Bytes& data) {
        for (int i = 0; i < extraHeader_; ++i)
            put(0xEE);
        const unsigned end = (load + data.size()) & 0xFFFF;
        for (unsigned v : {end >> 8, end, unsigned{load} >> 8, unsigned{load}})
            put(static_cast<std::uint8_t>(v));
        for (std::uint8_t b : data)
            put(b);
        if (load == 0x034B)
            extraBits_ = data[0] - 8;
        if (load == 0x03A4)
            extraHeader_ = data[0] - 3;
        if (load == 0x0347)
            c_.msbFirst = data[0] == 0x26;
    }

  private:
    void put(std::uint8_t b) {
        for (int i = 0; i < extraBits_; ++i)
            putBit(p_, c_, true);
        putByte(p_, c_, b);
    }
    Pulses& p_;
    BitCoding c_;
    int extraBits_ = 1, extraHeader_ = 0;
};

} // namespace loadertest::visiload
