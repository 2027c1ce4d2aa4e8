// Faults real tapes showed: a data block shorter than its header, square-wave recordings, and
// the order of Turbo Tape files after a pause.
#include "tape/TapeReader.h"
#include "tape/TapeWriter.h"
#include "tests/support/TestFiles.h"
#include "tests/tape/LoaderTestKit.h"
#include "tests/tape/TapeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace vornix::tape;
using loadertest::Pulses;

namespace {

constexpr std::uint32_t kHeaderGap = 325000; // what the encoder leaves after a header

} // namespace

// The C64 loads a data block to its end mark: one that ends before the header's end address,
// whole and with its checksum, is the program as it loads, and a note says the header named more.
TEST(TapeFaults, AShortDataBlockIsGoodWithItsTrueLength) {
    const auto named = romLoaderPulses({tapetest::program("BOOT", 0x0314, 0x0402 - 0x0314, 1)});
    const ProgramToEncode real = tapetest::program("BOOT", 0x0314, 4, 2);
    const auto held = romLoaderPulses({real});
    // The header naming $0314-$0402, then the data block of four bytes.
    Pulses p(named.begin(), std::find(named.begin(), named.end(), kHeaderGap));
    p.insert(p.end(), std::find(held.begin(), held.end(), kHeaderGap), held.end());
    const TapeAnalysis a = loadertest::decode(p);
    ASSERT_EQ(a.files.size(), 1u);
    const FoundFile& f = a.files[0];
    EXPECT_EQ(f.state, FileState::Good);
    EXPECT_EQ(f.load, 0x0314);
    EXPECT_EQ(f.data, real.data);
    EXPECT_EQ(detailText(f.detail), "the header names 238 bytes; the data block ends sooner");
}

// A square wave whose period divides 64 samples keeps its leader: the trigger levels follow
// every sample, not samples that all fall on one phase. Its pulses are written as whole
// samples, a short pulse exactly 16 samples at 44.1 kHz and 8 at 22.05 kHz.
TEST(TapeFaults, SquareWaveRecordingsKeepTheirLeader) {
    const Pulses tape = romLoaderPulses({tapetest::program("SQUARE", 0x0801, 20, 3)});
    for (const int rate : {44100, 22050}) {
        SCOPED_TRACE(rate);
        const double perCycle = rate / kPalClock;
        const double shortSamples = rate == 44100 ? 16 : 8;
        const double scale = shortSamples / (0x30 * 8 * perCycle);
        std::vector<double> samples(1000, 0.0);
        for (std::uint32_t c : tape) {
            const long half = std::max(1L, std::lround(c * scale * perCycle / 2));
            samples.insert(samples.end(), half, 0.7);
            samples.insert(samples.end(), half, -0.7);
        }
        const auto wav = tapetest::makeWav(samples, rate, tapetest::WavCoding{1, 16});
        const TapeAnalysis a = analyseTapeData(wav.data(), wav.size());
        ASSERT_EQ(a.files.size(), 1u);
        EXPECT_EQ(a.files[0].state, FileState::Good);
        EXPECT_LT(a.files[0].startSeconds, 0.1);
        // As a TAP, the leader is pulses, not a pause.
        testfiles::TempDir dir;
        const std::string in = dir.file("square.wav"), out = dir.file("square.tap");
        testfiles::writeAll(in, wav);
        ASSERT_EQ(toTapV1(in, out, {}).failure, TapeWriteFailure::None);
        const Pulses converted = tapetest::tapPulses(testfiles::readAll(out));
        ASSERT_GT(converted.size(), 100u);
        EXPECT_LT(*std::max_element(converted.begin() + 1, converted.begin() + 100), 0x40u * 8);
    }
}

// Two programs, each a ROM-loader boot and Turbo Tape data after a pause, list in tape order
// with the Turbo Tape files where their pilots begin.
TEST(TapeFaults, TurboTapeFilesAfterAPauseStartWhereTheyAre) {
    const Pulses turbo = tapetest::tapPulses(
        testfiles::readAll(std::string(VORNIX_TEST_DATA) + "/open-roms_testtape-c64-pal-turbo.tap"));
    Pulses p;
    for (int program = 0; program < 2; ++program) {
        const auto boot = romLoaderPulses({tapetest::program("BOOT", 0x0801, 30, program)});
        p.insert(p.end(), boot.begin(), boot.end());
        loadertest::putPause(p, 1.5);
        // From the first whole byte of the pilot, as a pilot after a pause begins.
        p.insert(p.end(), turbo.begin() + 7, turbo.end());
        loadertest::putPause(p, 1.5);
    }
    const TapeAnalysis a = loadertest::decode(p);
    ASSERT_EQ(a.files.size(), 4u);
    const char* order[] = {"rom", "turbotape", "rom", "turbotape"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(a.files[i].loader, order[i]) << i;
        if (i > 0)
            EXPECT_GT(a.files[i].startSeconds, a.files[i - 1].startSeconds + 1.0) << i;
    }
}
