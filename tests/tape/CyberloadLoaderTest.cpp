#include "tests/tape/CyberloadEncoder.h"

#include <gtest/gtest.h>

using namespace vornix::tape;
using namespace loadertest;
using namespace loadertest::cyberload;

namespace {

struct Expected {
    std::uint16_t load;
    Bytes data;
    std::string name;
    FileState state;
    int program, block;
};

struct CyberTape {
    Pulses pulses;
    std::vector<Expected> files;
    std::size_t f1Data = 0, f2Data = 0, f3SecondData = 0, f4Data = 0; // a pulse inside each
};

// Every stage in tape order: an F1 chain of two files, the F2 file, three F3 sub-blocks (the
// first two with no pause between them) and an F4 file of three sub-blocks.
CyberTape makeTape(const BitCoding& c) {
    CyberTape t;
    const Bytes a = testfiles::programData(40, 1), b = testfiles::programData(30, 2);
    const Bytes f2 = testfiles::programData(300, 3), f4 = testfiles::programData(600, 7);
    const Bytes s1 = testfiles::programData(256, 4), s2 = testfiles::programData(256, 5),
                s3 = testfiles::programData(100, 6);
    putPause(t.pulses, 0.5);
    t.f1Data = t.pulses.size() + 129 * 8 + 8 + 20;
    putF1Chain(t.pulses, c, {a, b}, 0x10);
    putPause(t.pulses, 0.5);
    t.f2Data = t.pulses.size() + 129 * 8 + 32 + 100;
    putF2(t.pulses, c, 0xC000, f2);
    putPause(t.pulses, 0.5);
    putF3(t.pulses, c, 0x0800, s1);
    t.f3SecondData = t.pulses.size() + 9 * 8 + 64 + 50;
    putF3(t.pulses, c, 0x0900, s2);
    putPause(t.pulses, 0.2);
    putF3(t.pulses, c, 0x0A00, s3);
    putPause(t.pulses, 0.5);
    t.f4Data = t.pulses.size() + 65 * 8 + 21 * 8 + 400 * 8;
    putF4(t.pulses, c, "LEVEL 2", 0x4000, f4);
    putPause(t.pulses, 0.5);
    t.files = {
        {0x0002, a, "", FileState::NoChecksum, 0, 0},    {0x003A, b, "", FileState::NoChecksum, 0, 1},
        {0xC000, f2, "", FileState::NoChecksum, 1, -1},  {0x0800, s1, "", FileState::Good, 2, 0},
        {0x0900, s2, "", FileState::Good, 2, 1},         {0x0A00, s3, "", FileState::Good, 2, 2},
        {0x4000, f4, "LEVEL 2", FileState::Good, 3, -1},
    };
    return t;
}

void expectFiles(const TapeAnalysis& a, const std::vector<Expected>& want) {
    const auto got = filesOf(a, "cyberload");
    ASSERT_EQ(got.size(), want.size());
    EXPECT_EQ(got.size(), a.files.size()) << "another loader claimed part of the tape";
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].load, want[i].load);
        EXPECT_EQ(got[i].end, static_cast<std::uint16_t>(want[i].load + want[i].data.size()));
        EXPECT_EQ(got[i].data, want[i].data);
        EXPECT_EQ(got[i].name, want[i].name);
        EXPECT_EQ(got[i].state, want[i].state);
        EXPECT_EQ(got[i].program, want[i].program);
        EXPECT_EQ(got[i].block, want[i].block);
    }
}

} // namespace

// Every stage decodes to its bytes and addresses in both the commonest and the slowest pulse
// set, on a tape running 10 % fast or slow, and through a noisy recording.
TEST(Cyberload, EveryStageDecodes) {
    const struct {
        const char* what;
        BitCoding coding;
        double speed;
        bool wav;
    } cases[] = {
        {"set A", kSetA, 1.0, false},     {"set D", kSetD, 1.0, false},    {"10 % fast", kSetA, 0.9, false},
        {"10 % slow", kSetA, 1.1, false}, {"recording", kSetA, 1.0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CyberTape t = makeTape(c.coding);
        const Pulses p = atSpeed(t.pulses, c.speed);
        expectFiles(c.wav ? decodeThroughWav(p) : decode(p), t.files);
    }
}

// Damage shows where the loader can tell: a flipped bit fails an F3 sub-block's check but
// only changes the bytes of the unchecked F1 and F2 files; a cut leaves the F4 file cut off.
TEST(Cyberload, DamageIsReported) {
    CyberTape t = makeTape(kSetA);
    Pulses p = flipBit(flipBit(flipBit(t.pulses, t.f1Data, kSetA), t.f2Data, kSetA), t.f3SecondData, kSetA);
    auto want = t.files;
    const auto got = filesOf(decode(p), "cyberload");
    ASSERT_EQ(got.size(), want.size());
    EXPECT_NE(got[0].data, want[0].data);
    EXPECT_EQ(got[0].state, FileState::NoChecksum);
    EXPECT_NE(got[2].data, want[2].data);
    EXPECT_EQ(got[2].state, FileState::NoChecksum);
    EXPECT_EQ(got[3].state, FileState::Good);
    EXPECT_EQ(got[4].state, FileState::ChecksumWrong);
    EXPECT_EQ(got[4].detail.kind, FileDetailKind::ChecksumWrong);
    EXPECT_EQ(got[5].state, FileState::Good);

    const auto cut = filesOf(decode(cutAt(t.pulses, t.f4Data)), "cyberload");
    ASSERT_EQ(cut.size(), want.size());
    EXPECT_EQ(cut[6].state, FileState::CutOff);
    EXPECT_EQ(cut[6].detail.kind, FileDetailKind::TapeEnds);
    EXPECT_EQ(cut[6].name, "LEVEL 2");
    EXPECT_EQ(cut[6].detail.total, 600u);
    ASSERT_GT(cut[6].data.size(), 300u);
    EXPECT_TRUE(std::equal(cut[6].data.begin(), cut[6].data.end(), want[6].data.begin()));
}
