// The fuzz target over a seed corpus: the real tapes and recordings, each cut short at many
// places and with bits flipped, and tapes made here. No crash, no hang.
#include "tape/TapeWriter.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using testfiles::Bytes;

void run(const Bytes& b) { LLVMFuzzerTestOneInput(b.data(), b.size()); }

} // namespace

TEST(TapeFuzzSeeds, MutatedTapesNeverCrash) {
    std::vector<Bytes> seeds;
    for (const char* name : {"c64-sigrok-tap_print_h.tap", "open-roms_testtape-c64-pal-normal.tap",
                             "open-roms_testtape-c64-pal-turbo.tap", "cassette-nibbler_c64file.wav"})
        seeds.push_back(testfiles::readAll(std::string(VORNIX_TEST_DATA) + "/" + name));
    vornix::tape::ProgramToEncode p;
    p.name = "SEED";
    p.data.assign(200, 0x55);
    seeds.push_back(vornix::tape::tapV1Bytes(vornix::tape::romLoaderPulses({p})));
    std::uint32_t r = 99;
    auto next = [&r] { return r = r * 1664525 + 1013904223; };
    for (const Bytes& seed : seeds) {
        run(seed);
        for (int cut = 1; cut <= 12; ++cut)
            run(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(seed.size() * cut / 13)));
        for (int round = 0; round < 6; ++round) {
            Bytes m = seed;
            for (int flips = 0; flips < 1 << round; ++flips)
                m[next() % m.size()] ^= static_cast<std::uint8_t>(1 << (next() % 8));
            run(m);
        }
        // Small pieces from inside, fed whole into every reader.
        for (int piece = 0; piece < 20; ++piece) {
            const std::size_t at = next() % seed.size(),
                              length = std::min<std::size_t>(seed.size() - at, 4096);
            run(Bytes(seed.begin() + static_cast<std::ptrdiff_t>(at),
                      seed.begin() + static_cast<std::ptrdiff_t>(at + length)));
        }
    }
}
