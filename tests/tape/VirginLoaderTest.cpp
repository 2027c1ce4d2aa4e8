#include "tests/tape/ThresholdEncoders.h"

using namespace loadertest;

// Virgin blocks read exactly, survive speed, noise, a flipped bit and a cut, and their block
// numbers group them into programs.
TEST(VirginLoader, ReadsItsBlocksAsPrograms) {
    EncodedTape t{"virgin", {0x21, 0x3B, true}};
    const Bytes start = le16(0x080D);
    putAddressed(t, 0xAA, 0xA0, 0x0801, dataOf(500, 1), {1, 0}, start);
    putAddressed(t, 0xAA, 0xA0, 0x4000, dataOf(256, 2), {2, 0}, start);
    putAddressed(t, 0xAA, 0xA0, 0x6000, dataOf(300, 3), {1, 0}, start);
    expectReads(t);
    const auto found = filesOf(decode(t.pulses), "virgin");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(std::vector<int>({found[0].program, found[1].program, found[2].program}),
              std::vector<int>({0, 0, 1}));
    EXPECT_EQ(std::vector<int>({found[0].block, found[1].block, found[2].block}),
              std::vector<int>({0, 1, 0}));
}
