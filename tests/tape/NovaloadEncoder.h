#pragma once
// Novaload tapes for tests, built from the format as tape/NovaloadLoader.h describes it.
#include "tests/tape/LoaderTestKit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace loadertest {

// Novaload's bits, which the Ocean/Imagine loader shares.
inline const BitCoding kNovaBits{0x24, 0x56, false};

// A pilot of 0 bits and the 1 bit that ends it.
inline void putNovaPilot(Pulses& p, int zeros = 2000) {
    for (int i = 0; i < zeros; ++i)
        putBit(p, kNovaBits, false);
    putBit(p, kNovaBits, true);
}

// Where a block's first data byte begins, to damage it.
struct Encoded {
    Pulses pulses;
    std::size_t firstData = 0;
};

// A normal file: header, the data in 256-byte pieces after running check bytes, a final one.
inline Encoded novaloadFile(const std::string& name, std::uint16_t load,
                            const std::vector<std::uint8_t>& data) {
    Encoded e;
    putNovaPilot(e.pulses);
    putByte(e.pulses, kNovaBits, 0xAA);
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(name.size())};
    bytes.insert(bytes.end(), name.begin(), name.end());
    const unsigned words[] = {load - 256u, load + static_cast<unsigned>(data.size()),
                              static_cast<unsigned>(data.size()) + 256};
    for (unsigned w : words) {
        bytes.push_back(static_cast<std::uint8_t>(w));
        bytes.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    std::uint8_t sum = 0;
    for (std::uint8_t b : bytes)
        sum = static_cast<std::uint8_t>(sum + b);
    for (std::size_t i = 0; i <= data.size(); ++i) {
        if (i % 256 == 0 || i == data.size()) {
            bytes.push_back(sum);
            sum = static_cast<std::uint8_t>(sum + sum);
        }
        if (i == data.size())
            break;
        if (i == 0)
            e.firstData = e.pulses.size() + 8 * bytes.size();
        bytes.push_back(data[i]);
        sum = static_cast<std::uint8_t>(sum + data[i]);
    }
    putBytes(e.pulses, kNovaBits, bytes);
    for (int i = 0; i < 2000; ++i)
        putBit(e.pulses, kNovaBits, false);
    putPause(e.pulses, 0.5);
    return e;
}

// A Special chain: for each page its 256 bytes and their check byte, then the page byte 0.
inline Encoded novaloadSpecial(const std::vector<std::uint8_t>& pages, int seed) {
    Encoded e;
    putNovaPilot(e.pulses);
    putBytes(e.pulses, kNovaBits, {0xAA, 0x55});
    for (std::size_t k = 0; k < pages.size(); ++k) {
        putByte(e.pulses, kNovaBits, pages[k]);
        if (k == 0)
            e.firstData = e.pulses.size();
        std::uint8_t sum = pages[k];
        for (std::uint8_t b : testfiles::programData(256, seed + static_cast<int>(k))) {
            putByte(e.pulses, kNovaBits, b);
            sum = static_cast<std::uint8_t>(sum + b);
        }
        putByte(e.pulses, kNovaBits, sum);
    }
    putByte(e.pulses, kNovaBits, 0);
    for (int i = 0; i < 2000; ++i)
        putBit(e.pulses, kNovaBits, false);
    putPause(e.pulses, 0.5);
    return e;
}

inline void append(Pulses& to, const Pulses& more) { to.insert(to.end(), more.begin(), more.end()); }

// How a clean tape is played back in the tests that must decode it all the same.
enum class Playback { Clean, Fast, Slow, NoisyWav };

inline auto everyPlayback() {
    return testing::Values(Playback::Clean, Playback::Fast, Playback::Slow, Playback::NoisyWav);
}

inline vornix::tape::TapeAnalysis play(const Pulses& p, Playback how) {
    switch (how) {
    case Playback::Fast: return decode(atSpeed(p, 0.9));
    case Playback::Slow: return decode(atSpeed(p, 1.1));
    case Playback::NoisyWav: return decodeThroughWav(p);
    case Playback::Clean: break;
    }
    return decode(p);
}

} // namespace loadertest
