#include "tests/tape/NovaloadEncoder.h"

#include <gtest/gtest.h>

using namespace loadertest;
using vornix::tape::FileDetailKind;
using vornix::tape::FileState;
using vornix::tape::FoundFile;

namespace {

const std::vector<std::uint8_t> kPages{0x10, 0x11, 0x12, 0x40};
constexpr int kSeed = 7;

// Two normal files (one without a name, which Ocean/Imagine's flagged blocks resemble) and a
// Special chain of two programs: three consecutive pages, then one apart.
struct NovaTape {
    Pulses pulses;
    std::size_t gameData = 0, specialData = 0;
    std::vector<std::uint8_t> game = testfiles::programData(700, 3), bare = testfiles::programData(300, 4);
};

NovaTape novaTape() {
    NovaTape t;
    const Encoded game = novaloadFile("GAME", 0x0801, t.game);
    t.gameData = game.firstData;
    append(t.pulses, game.pulses);
    append(t.pulses, novaloadFile("", 0xC000, t.bare).pulses);
    const Encoded special = novaloadSpecial(kPages, kSeed);
    t.specialData = t.pulses.size() + special.firstData;
    append(t.pulses, special.pulses);
    return t;
}

void expectFile(const FoundFile& f, const char* name, std::uint16_t load,
                const std::vector<std::uint8_t>& data, int program, int block) {
    SCOPED_TRACE(name);
    EXPECT_EQ(f.name, name);
    EXPECT_EQ(f.load, load);
    EXPECT_EQ(f.end, static_cast<std::uint16_t>(load + data.size()));
    EXPECT_EQ(f.data, data);
    EXPECT_EQ(f.program, program);
    EXPECT_EQ(f.block, block);
}

class NovaloadPlayback : public testing::TestWithParam<Playback> {};

} // namespace

// Whole files and Special blocks come out with their bytes, addresses, names and numbers, also
// from a tape running 10 % fast or slow and from a noisy recording; no other loader claims them.
TEST_P(NovaloadPlayback, DecodesEveryFileAndBlock) {
    const NovaTape t = novaTape();
    const auto a = play(t.pulses, GetParam());
    const auto files = filesOf(a, "novaload");
    ASSERT_EQ(files.size(), 6u);
    EXPECT_EQ(a.files.size(), 6u);
    expectFile(files[0], "GAME", 0x0801, t.game, 0, -1);
    expectFile(files[1], "", 0xC000, t.bare, 1, -1);
    const int programs[] = {2, 2, 2, 3}, blocks[] = {0, 1, 2, 0};
    for (std::size_t k = 0; k < kPages.size(); ++k)
        expectFile(files[2 + k], "", static_cast<std::uint16_t>(kPages[k] << 8),
                   testfiles::programData(256, kSeed + static_cast<int>(k)), programs[k], blocks[k]);
    for (const FoundFile& f : files)
        EXPECT_EQ(f.state, FileState::Good);
    for (std::size_t i = 1; i < files.size(); ++i)
        EXPECT_LT(files[i - 1].startSeconds, files[i].startSeconds);
}

INSTANTIATE_TEST_SUITE_P(Tapes, NovaloadPlayback, everyPlayback());

// A flipped bit fails the check byte of its file or block alone; a tape ending inside the
// data leaves what was read, cut off.
TEST(Novaload, DamageIsReportedWhereItIs) {
    const NovaTape t = novaTape();
    auto files = filesOf(decode(flipBit(t.pulses, t.gameData + 8 * 300 + 3, kNovaBits)), "novaload");
    ASSERT_EQ(files.size(), 6u);
    EXPECT_EQ(files[0].state, FileState::ChecksumWrong);
    EXPECT_EQ(files[0].detail.kind, FileDetailKind::ChecksumWrong);
    EXPECT_EQ(files[1].state, FileState::Good);

    files = filesOf(decode(flipBit(t.pulses, t.specialData + 8 * 256 + 8 + 5, kNovaBits)), "novaload");
    ASSERT_EQ(files.size(), 6u);
    EXPECT_EQ(files[2].state, FileState::Good);
    EXPECT_EQ(files[3].state, FileState::ChecksumWrong);
    EXPECT_EQ(files[4].state, FileState::Good);

    // 300 bytes and the check bytes before the first two pieces.
    files = filesOf(decode(cutAt(t.pulses, t.gameData + 8 * 301 + 4)), "novaload");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].state, FileState::CutOff);
    EXPECT_EQ(files[0].detail.kind, FileDetailKind::TapeEnds);
    EXPECT_EQ(files[0].detail.bytes, 300u);
    EXPECT_EQ(files[0].detail.total, 700u);
    EXPECT_EQ(files[0].data, std::vector<std::uint8_t>(t.game.begin(), t.game.begin() + 300));

    files = filesOf(decode(cutAt(t.pulses, t.specialData + 8 * (258 + 100))), "novaload");
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[2].state, FileState::Good);
    EXPECT_EQ(files[3].state, FileState::CutOff);
    EXPECT_EQ(files[3].data.size(), 100u);
    EXPECT_EQ(files[3].block, 1);
}
