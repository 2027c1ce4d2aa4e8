// Writes a version 1 TAP of about 10 MB of turbo-loader tapes for the tape benchmark
// (tape64-bench.sh): each loader's test encoder in turn (tests/tape/*Encoder.h) making random
// programs, the tapes one after the other with pauses between.
//   bench_turbo_tap OUT.tap [MEGABYTES]
#include "tape/TapeWriter.h"
#include "tests/tape/CyberloadEncoder.h"
#include "tests/tape/OceanEncoder.h"
#include "tests/tape/ThresholdEncoders.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

using loadertest::Pulses;

namespace {

int seed(std::mt19937& random) { return static_cast<int>(random() % 100000); }

Pulses turboTape(std::mt19937& random) {
    loadertest::EncodedTape t{"turbotape", {0x1A, 0x28, true}};
    loadertest::putTurboTapeFile(t, "BENCH " + std::to_string(random() % 1000), 0x0801,
                                 loadertest::dataOf(40000, seed(random)));
    return t.pulses;
}

std::vector<std::uint8_t> pages(std::mt19937& random, int count) {
    std::vector<std::uint8_t> out;
    const int first = 0x08 + static_cast<int>(random() % 0x40);
    for (int k = 0; k < count; ++k)
        out.push_back(static_cast<std::uint8_t>(first + k));
    return out;
}

Pulses novaloadSpecial(std::mt19937& random) {
    return loadertest::novaloadSpecial(pages(random, 120), seed(random)).pulses;
}

Pulses oceanChain(std::mt19937& random) {
    return loadertest::oceanChain(loadertest::OceanForm::Flagged, pages(random, 120), seed(random)).pulses;
}

Pulses freeload(std::mt19937& random) {
    loadertest::EncodedTape t{"freeload", {0x24, 0x42, true}};
    for (int i = 0; i < 4; ++i)
        loadertest::putAddressed(t, 0x40, 0x5A, 0x0801, loadertest::dataOf(8000, seed(random)));
    return t.pulses;
}

Pulses cyberloadF3(std::mt19937& random) {
    Pulses p;
    for (int k = 0; k < 120; ++k) {
        loadertest::cyberload::putF3(p, loadertest::cyberload::kSetA,
                                     static_cast<std::uint16_t>(0x0800 + 256 * k),
                                     loadertest::dataOf(256, seed(random)));
        loadertest::putPause(p, 0.01);
    }
    return p;
}

// One line a loader: its encoder's tape of random programs.
const std::vector<std::function<Pulses(std::mt19937&)>> kTapes = {
    turboTape, novaloadSpecial, oceanChain, freeload, cyberloadF3,
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_turbo_tap OUT.tap [MEGABYTES]\n");
        return 2;
    }
    const std::size_t bytes = (argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 10) * 1000 * 1000;
    std::mt19937 random(29);
    Pulses all;
    for (std::size_t i = 0; all.size() < bytes; ++i) {
        const Pulses tape = kTapes[i % kTapes.size()](random);
        all.insert(all.end(), tape.begin(), tape.end());
        all.push_back(985248); // a second between tapes
    }
    const std::vector<std::uint8_t> tap = vornix::tape::tapV1Bytes(all);
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(tap.data(), 1, tap.size(), f) != tap.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "bench_turbo_tap: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
