#include "tests/tape/ThresholdEncoders.h"

using namespace loadertest;

namespace {

class Turbo250Loader : public testing::TestWithParam<BitCoding> {};

} // namespace

// Turbo Tape at the speeds and bit orders its own decoder does not read: each reads exactly,
// with the name, and survives speed, noise, a flipped bit and a cut.
TEST_P(Turbo250Loader, ReadsOtherSpeedsAndBitOrders) {
    EncodedTape t{"turbo250", GetParam()};
    putTurboTapeFile(t, "FIRST FILE", 0x0801, dataOf(600, 1));
    putTurboTapeFile(t, "SECOND", 0x4000, dataOf(300, 2));
    expectReads(t);
}

INSTANTIATE_TEST_SUITE_P(Variants, Turbo250Loader,
                         testing::Values(BitCoding{0x0B, 0x12, true}, BitCoding{0x1B, 0x27, false},
                                         BitCoding{0x31, 0x4B, true}, BitCoding{0x28, 0x3C, true}));

// A standard Turbo Tape 64 tape is read by that decoder alone.
TEST(Turbo250Loader, LeavesStandardTurboTapeToItsDecoder) {
    EncodedTape t{"turbotape", {0x1A, 0x28, true}};
    putTurboTapeFile(t, "STANDARD", 0x0801, dataOf(600, 1));
    for (double speed : {0.9, 1.0, 1.1}) {
        const auto a = decode(atSpeed(t.pulses, speed));
        ASSERT_EQ(a.files.size(), 1u);
        EXPECT_EQ(a.files[0].loader, "turbotape");
    }
}
