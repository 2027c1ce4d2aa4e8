#pragma once
// Cyberload's stages put on tape as the loaders read them (tape/CyberloadLoader.h describes
// the format), for the decoder's tests.
#include "tests/tape/LoaderTestKit.h"

#include <string>

namespace loadertest::cyberload {

using Bytes = std::vector<std::uint8_t>;

inline constexpr BitCoding kSetA{0x30, 0x5A, true};
inline constexpr BitCoding kSetD{0x55, 0xA5, true};

inline void putPilot(Pulses& p, const BitCoding& c, std::uint8_t pilot, int count, std::uint8_t sync) {
    for (int i = 0; i < count; ++i)
        putByte(p, c, pilot);
    putByte(p, c, sync);
}

inline std::uint8_t xorOf(const Bytes& b) {
    std::uint8_t x = 0;
    for (std::uint8_t v : b)
        x ^= v;
    return x;
}

// An F1 chain: the files in turn, each loaded `gap` bytes after the one before (the first at
// $0002), each byte followed by a 1 bit, a last byte and 0 bit, then whether another follows.
inline void putF1Chain(Pulses& p, const BitCoding& c, const std::vector<Bytes>& files, std::uint8_t gap) {
    putPilot(p, c, 0x0F, 128, 0xF0);
    for (std::size_t i = 0; i < files.size(); ++i) {
        putByte(p, c, i == 0 ? 0x2D : gap);
        for (std::uint8_t b : files[i]) {
            putByte(p, c, b);
            putBit(p, c, true);
        }
        putByte(p, c, 0x60); // the byte the loader puts on the stack
        putBit(p, c, false);
        if (i + 1 < files.size())
            putBit(p, c, true);
    }
    putByte(p, c, 0x00);
}

inline void putF2(Pulses& p, const BitCoding& c, std::uint16_t load, const Bytes& data) {
    putPilot(p, c, 0x0F, 128, 0xF0);
    for (std::size_t v : {std::size_t{load}, std::size_t{load} >> 8, data.size(), data.size() >> 8})
        putByte(p, c, static_cast<std::uint8_t>(v ^ 0xAE));
    for (std::uint8_t b : data)
        putByte(p, c, b ^ 0xD2);
    putByte(p, c, 0x00);
}

// One F3 sub-block of at most 256 bytes.
inline void putF3(Pulses& p, const BitCoding& c, std::uint16_t load, const Bytes& data) {
    putPilot(p, c, 0x0F, 8, 0xCC);
    Bytes block = {static_cast<std::uint8_t>(load),
                   static_cast<std::uint8_t>(load >> 8),
                   static_cast<std::uint8_t>(data.size()),
                   0,
                   0x11,
                   0x22,
                   0x33,
                   0x44};
    block.insert(block.end(), data.begin(), data.end());
    block[3] = xorOf(block);
    putBytes(p, c, block);
}

// An F4 file with the first type of header.
inline void putF4(Pulses& p, const BitCoding& c, const std::string& name, std::uint16_t load,
                  const Bytes& data) {
    putPilot(p, c, 0x0F, 64, 0xAA);
    Bytes header(16, 0x20);
    std::copy(name.begin(), name.end(), header.begin());
    for (std::size_t v : {std::size_t{load}, std::size_t{load} >> 8, data.size(), data.size() >> 8})
        header.push_back(static_cast<std::uint8_t>(v));
    header.push_back(xorOf(header));
    putBytes(p, c, header);
    for (std::size_t at = 0; at < data.size(); at += 256) {
        const Bytes sub(data.begin() + static_cast<std::ptrdiff_t>(at),
                        data.begin() + static_cast<std::ptrdiff_t>(std::min(data.size(), at + 256)));
        putBytes(p, c, sub);
        putByte(p, c, xorOf(sub));
    }
}

} // namespace loadertest::cyberload
