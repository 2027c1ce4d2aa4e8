#include "tests/tape/VisiloadEncoder.h"

#include <gtest/gtest.h>

using namespace vornix::tape;
using namespace loadertest;
using namespace loadertest::visiload;

namespace {

struct VisiTape {
    Pulses pulses;
    std::vector<std::pair<std::uint16_t, Bytes>> blocks;
    std::size_t programBit = 0, lastBlock = 0; // a data pulse of the program; the last block's start
};

// A chain as the loader's versions write one: blocks that switch to two extra bits a byte,
// two extra header bytes and the lowest bit first, a program, then a block asking for a
// pilot and, after a pause and a short pilot, one more.
VisiTape makeTape(const BitCoding& c) {
    VisiTape t;
    const Bytes program = testfiles::programData(500, 1), more = testfiles::programData(300, 2);
    putPause(t.pulses, 0.5);
    ChainWriter w(t.pulses, c);
    w.pilot(256);
    t.blocks = {{0x034B, {10}}, {0x03A4, {5}}, {0x0347, {0x66}}, {0x0801, program}, {0x03BB, {0}}};
    for (const auto& [load, data] : t.blocks) {
        if (load == 0x0801)
            t.programBit = t.pulses.size() + 6 * 10 + 100 * 10 + 5;
        w.block(load, data);
    }
    putPause(t.pulses, 0.3);
    t.lastBlock = t.pulses.size();
    w.pilot(3);
    w.block(0x2000, more);
    t.blocks.push_back({0x2000, more});
    putPause(t.pulses, 0.5);
    return t;
}

} // namespace

// The chain decodes block by block, each with its address, in the fastest and the slowest
// version's pulses, on a tape 10 % fast or slow and through a noisy recording.
TEST(Visiload, ChainDecodesAsTheLoaderChangesItsFormat) {
    const struct {
        const char* what;
        BitCoding coding;
        double speed;
        bool wav;
    } cases[] = {
        {"type 1", kType1, 1.0, false},    {"type 6", kType6, 1.0, false},
        {"10 % fast", kType1, 0.9, false}, {"10 % slow", kType1, 1.1, false},
        {"recording", kType1, 1.0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const VisiTape t = makeTape(c.coding);
        const Pulses p = atSpeed(t.pulses, c.speed);
        const TapeAnalysis a = c.wav ? decodeThroughWav(p) : decode(p);
        const auto got = filesOf(a, "visiload");
        ASSERT_EQ(got.size(), t.blocks.size());
        EXPECT_EQ(a.files.size(), got.size()) << "another loader claimed part of the tape";
        for (std::size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(got[i].load, t.blocks[i].first);
            EXPECT_EQ(got[i].data, t.blocks[i].second);
            EXPECT_EQ(got[i].state, FileState::NoChecksum);
            EXPECT_EQ(got[i].program, 0);
            EXPECT_EQ(got[i].block, static_cast<int>(i));
        }
    }
}

// Without a checksum a flipped bit only changes the bytes; a cut leaves the block cut off.
TEST(Visiload, DamageIsReported) {
    const VisiTape t = makeTape(kType1);
    const auto flipped = filesOf(decode(flipBit(t.pulses, t.programBit, kType1)), "visiload");
    ASSERT_EQ(flipped.size(), t.blocks.size());
    EXPECT_NE(flipped[3].data, t.blocks[3].second);
    EXPECT_EQ(flipped[3].state, FileState::NoChecksum);
    EXPECT_EQ(flipped[5].data, t.blocks[5].second);

    const auto cut = filesOf(decode(cutAt(t.pulses, t.lastBlock + 1000)), "visiload");
    ASSERT_EQ(cut.size(), t.blocks.size());
    EXPECT_EQ(cut[5].state, FileState::CutOff);
    EXPECT_EQ(cut[5].detail.total, 300u);
    ASSERT_FALSE(cut[5].data.empty());
    EXPECT_TRUE(std::equal(cut[5].data.begin(), cut[5].data.end(), t.blocks[5].second.begin()));
}
