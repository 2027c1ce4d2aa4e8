#pragma once
// Tapes and recordings made in tests: programs to encode, WAV files in any coding.
#include "tape/TapeWriter.h"
#include "tests/support/ProgramBuilder.h"
#include "tests/support/TestFiles.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace tapetest {

using testfiles::Bytes;
using vornix::tape::ProgramToEncode;

inline ProgramToEncode program(const std::string& name, std::uint16_t load, std::size_t size, int seed) {
    ProgramToEncode p;
    p.name = name;
    p.load = load;
    p.data = testfiles::programData(size, seed);
    return p;
}

inline void put(Bytes& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

struct WavCoding {
    int coding = 1; // 1 integer, 3 float
    int bits = 16;
    int channels = 1;
    int tapeChannel = 0; // the channel that carries the signal; the others hold a faint hum
    bool extensible = false;
    bool oddChunk = false; // an odd-sized chunk before the data
};

// A WAV of samples in -1..1 in the given coding.
inline Bytes makeWav(const std::vector<double>& samples, int rate, const WavCoding& c) {
    const int bytes = c.bits / 8;
    Bytes data;
    data.reserve(samples.size() * bytes * c.channels);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        for (int ch = 0; ch < c.channels; ++ch) {
            const double v = ch == c.tapeChannel ? samples[i] : 0.02 * std::sin(i * 0.01);
            if (c.coding == 3 && c.bits == 32) {
                const float f = static_cast<float>(v);
                std::uint32_t u;
                std::memcpy(&u, &f, 4);
                put(data, u, 4);
            } else if (c.coding == 3) {
                std::uint64_t u;
                std::memcpy(&u, &v, 8);
                put(data, static_cast<std::uint32_t>(u), 4);
                put(data, static_cast<std::uint32_t>(u >> 32), 4);
            } else if (c.bits == 8) {
                data.push_back(static_cast<std::uint8_t>(128 + std::lround(v * 127)));
            } else {
                const double scale = std::ldexp(1.0, c.bits - 1) - 1;
                put(data, static_cast<std::uint32_t>(static_cast<std::int64_t>(std::llround(v * scale))),
                    bytes);
            }
        }
    }
    Bytes fmt;
    put(fmt, c.extensible ? 0xFFFE : c.coding, 2);
    put(fmt, c.channels, 2);
    put(fmt, rate, 4);
    put(fmt, rate * bytes * c.channels, 4);
    put(fmt, bytes * c.channels, 2);
    put(fmt, c.bits, 2);
    if (c.extensible) {
        put(fmt, 22, 2);
        put(fmt, c.bits, 2);
        put(fmt, c.channels == 1 ? 4 : 3, 4);
        put(fmt, c.coding, 2);
        const std::uint8_t guid[14] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
        fmt.insert(fmt.end(), guid, guid + 14);
    }
    Bytes out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    put(out, static_cast<std::uint32_t>(fmt.size()), 4);
    out.insert(out.end(), fmt.begin(), fmt.end());
    if (c.oddChunk) {
        const char list[] = "LIST\x03\0\0\0abc";
        out.insert(out.end(), list, list + 11);
        out.push_back(0); // the pad byte of an odd chunk
    }
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put(out, static_cast<std::uint32_t>(data.size()), 4);
    out.insert(out.end(), data.begin(), data.end());
    const std::uint32_t riff = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + i] = static_cast<std::uint8_t>(riff >> (8 * i));
    return out;
}

// The samples of a mono 8 or 16-bit WAV as this library writes it (44-byte header), in -1..1.
inline std::vector<double> wavSamples(const Bytes& wav, int& rate) {
    rate = wav[24] | wav[25] << 8 | wav[26] << 16;
    const int bits = wav[34];
    std::vector<double> s;
    for (std::size_t i = 44; i + bits / 8 <= wav.size(); i += bits / 8)
        s.push_back(bits == 8 ? (wav[i] - 128) / 128.0
                              : static_cast<std::int16_t>(wav[i] | wav[i + 1] << 8) / 32768.0);
    return s;
}

// A version 1 TAP's pulses in cycles.
inline std::vector<std::uint32_t> tapPulses(const Bytes& tap) {
    std::vector<std::uint32_t> p;
    for (std::size_t i = 20; i < tap.size(); ++i) {
        if (tap[i]) {
            p.push_back(tap[i] * 8u);
        } else if (i + 3 < tap.size()) {
            p.push_back(tap[i + 1] | tap[i + 2] << 8 | tap[i + 3] << 16);
            i += 3;
        }
    }
    return p;
}

} // namespace tapetest
