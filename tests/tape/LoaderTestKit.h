#pragma once
// What every loader's tests share: bits to pulses, the damage a real tape has (a flipped
// bit, a cut, a tape running fast or slow, a noisy 8-bit recording), and decoding the result
// as a user's tape would be. Each loader's encoder builds its pulses with these.
#include "tape/TapeReader.h"
#include "tape/TapeWriter.h"
#include "tests/tape/TapeTestSupport.h"

#include <cstdint>
#include <random>
#include <vector>

namespace loadertest {

using Pulses = std::vector<std::uint32_t>;

// Threshold-coded bits: one pulse per bit, zero or one long (in TAP units of 8 cycles).
struct BitCoding {
    std::uint32_t zeroUnits = 0, oneUnits = 0;
    bool msbFirst = true;
};

inline void putBit(Pulses& p, const BitCoding& c, bool one) {
    p.push_back((one ? c.oneUnits : c.zeroUnits) * 8);
}

inline void putByte(Pulses& p, const BitCoding& c, std::uint8_t b) {
    for (int i = 0; i < 8; ++i)
        putBit(p, c, (c.msbFirst ? b >> (7 - i) : b >> i) & 1);
}

inline void putBytes(Pulses& p, const BitCoding& c, const std::vector<std::uint8_t>& bytes) {
    for (std::uint8_t b : bytes)
        putByte(p, c, b);
}

// A pause of the given seconds, as one long pulse.
inline void putPause(Pulses& p, double seconds) {
    p.push_back(static_cast<std::uint32_t>(seconds * vornix::tape::kPalClock));
}

// The pulse at index turned into the other kind of bit: a zero becomes a one and back.
inline Pulses flipBit(Pulses p, std::size_t index, const BitCoding& c) {
    p[index] = p[index] == c.zeroUnits * 8 ? c.oneUnits * 8 : c.zeroUnits * 8;
    return p;
}

inline Pulses cutAt(Pulses p, std::size_t count) {
    p.resize(std::min(count, p.size()));
    return p;
}

// The tape running fast (factor < 1: shorter pulses) or slow (> 1).
inline Pulses atSpeed(Pulses p, double factor) {
    for (auto& c : p)
        c = static_cast<std::uint32_t>(c * factor + 0.5);
    return p;
}

// The pulses as a version 1 TAP decoded by every registered loader.
inline vornix::tape::TapeAnalysis decode(const Pulses& pulses) {
    const std::vector<std::uint8_t> tap = vornix::tape::tapV1Bytes(pulses);
    return vornix::tape::analyseTapeData(tap.data(), tap.size());
}

// The pulses played into an 8-bit mono 44.1 kHz WAV, a square wave with noise of the given
// share of full scale, and decoded from that recording.
inline vornix::tape::TapeAnalysis decodeThroughWav(const Pulses& pulses, double noise = 0.08, int seed = 1) {
    constexpr int kRate = 44100;
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> jitter(-noise, noise);
    std::vector<double> samples;
    double at = 0; // in samples
    const double perCycle = kRate / vornix::tape::kPalClock;
    for (int i = 0; i < 2000; ++i)
        samples.push_back(jitter(random));
    for (std::uint32_t c : pulses) {
        const double half = c * perCycle / 2;
        for (int level : {1, -1}) {
            at += half;
            while (samples.size() < at)
                samples.push_back(0.7 * level + jitter(random));
        }
    }
    for (int i = 0; i < 2000; ++i)
        samples.push_back(jitter(random));
    const auto wav = tapetest::makeWav(samples, kRate, tapetest::WavCoding{1, 8});
    return vornix::tape::analyseTapeData(wav.data(), wav.size());
}

// The files of one loader, in tape order.
inline std::vector<vornix::tape::FoundFile> filesOf(const vornix::tape::TapeAnalysis& a,
                                                    std::string_view loader) {
    std::vector<vornix::tape::FoundFile> out;
    for (const auto& f : a.files)
        if (f.loader == loader)
            out.push_back(f);
    return out;
}

} // namespace loadertest
