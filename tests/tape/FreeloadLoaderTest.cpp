#include "tests/tape/ThresholdEncoders.h"

using namespace loadertest;

// Two Freeload files read exactly, and survive speed, noise, a flipped bit and a cut.
TEST(FreeloadLoader, ReadsItsBlocks) {
    EncodedTape t{"freeload", {0x24, 0x42, true}};
    putAddressed(t, 0x40, 0x5A, 0x0801, dataOf(700, 1));
    putAddressed(t, 0x40, 0x5A, 0xC000, dataOf(300, 2));
    expectReads(t);
}
