#include "tests/tape/OceanEncoder.h"

#include <gtest/gtest.h>

using namespace loadertest;
using vornix::tape::FileDetailKind;
using vornix::tape::FileState;
using vornix::tape::FoundFile;

namespace {

struct Chain {
    OceanForm form;
    std::vector<std::uint8_t> pages;
    int seed;
};

// All three forms; the second holds two programs: three consecutive pages, then one apart.
const Chain kChains[] = {
    {OceanForm::Plain, {0x08, 0x09}, 10},
    {OceanForm::Flagged, {0x20, 0x21, 0x22, 0x30}, 20},
    {OceanForm::FlaggedTrailer02, {0x50}, 30},
};

// The later loaders' files, each form once, one of them at the slow speed.
struct NewFile {
    OceanNewForm form;
    bool slow;
    std::uint16_t load;
    std::size_t size;
};

const NewFile kNewFiles[] = {
    {OceanNewForm::One, false, 0x0801, 600},
    {OceanNewForm::Two, false, 0x4000, 256},
    {OceanNewForm::Four, true, 0xC100, 700},
};

std::vector<std::uint8_t> newData(const NewFile& f) { return testfiles::programData(f.size, f.load); }

struct OceanTape {
    Pulses pulses;
    std::size_t secondData = 0, newData = 0;
};

OceanTape oceanTape() {
    OceanTape t;
    for (const Chain& c : kChains) {
        const Encoded e = oceanChain(c.form, c.pages, c.seed);
        if (&c == &kChains[1])
            t.secondData = t.pulses.size() + e.firstData;
        append(t.pulses, e.pulses);
    }
    for (const NewFile& f : kNewFiles) {
        const Encoded e = oceanNewFile(f.form, f.slow, f.load, newData(f));
        if (&f == &kNewFiles[0])
            t.newData = t.pulses.size() + e.firstData;
        append(t.pulses, e.pulses);
    }
    return t;
}

class OceanPlayback : public testing::TestWithParam<Playback> {};

} // namespace

// Every block of every form of the older loader comes out with its address, bytes and numbers,
// as no checksum vouches for, and every file of the later ones with its checksum agreeing; also
// from a tape running 10 % fast or slow and from a noisy recording. No other loader claims
// them (Novaload reads the same bits and flag).
TEST_P(OceanPlayback, DecodesEveryBlockAndFile) {
    const auto a = play(oceanTape().pulses, GetParam());
    const auto files = filesOf(a, "ocean");
    ASSERT_EQ(files.size(), 10u);
    EXPECT_EQ(a.files.size(), 10u);
    const int programs[] = {0, 0, 1, 1, 1, 2, 3}, blocks[] = {0, 1, 0, 1, 2, 0, 0};
    std::size_t i = 0;
    for (const Chain& c : kChains) {
        for (std::size_t k = 0; k < c.pages.size(); ++k, ++i) {
            SCOPED_TRACE(i);
            const FoundFile& f = files[i];
            EXPECT_EQ(f.load, c.pages[k] << 8);
            EXPECT_EQ(f.end, static_cast<std::uint16_t>((c.pages[k] + 1) << 8));
            EXPECT_EQ(f.data, testfiles::programData(256, c.seed + static_cast<int>(k)));
            EXPECT_EQ(f.state, FileState::NoChecksum);
            EXPECT_EQ(f.program, programs[i]);
            EXPECT_EQ(f.block, blocks[i]);
            if (i > 0) {
                EXPECT_LT(files[i - 1].startSeconds, f.startSeconds);
            }
        }
    }
    int program = 4; // after the chains' four
    for (const NewFile& n : kNewFiles) {
        SCOPED_TRACE(n.load);
        const FoundFile& f = files[i++];
        EXPECT_EQ(f.load, n.load);
        EXPECT_EQ(f.end, n.load + n.size);
        EXPECT_EQ(f.data, newData(n));
        EXPECT_EQ(f.state, FileState::Good);
        EXPECT_EQ(f.program, program++);
        EXPECT_EQ(f.block, -1);
    }
}

INSTANTIATE_TEST_SUITE_P(Tapes, OceanPlayback, everyPlayback());

// Without a checksum a flipped bit changes a byte and nothing else, with one it fails the
// file's; a tape ending inside a block leaves what was read, cut off.
TEST(Ocean, DamageIsReportedWhereItIs) {
    const OceanTape t = oceanTape();
    auto files = filesOf(decode(flipBit(t.pulses, t.secondData + 8 * 10 + 2, kNovaBits)), "ocean");
    ASSERT_EQ(files.size(), 10u);
    EXPECT_EQ(files[2].state, FileState::NoChecksum);
    auto expected = testfiles::programData(256, 20);
    expected[10] ^= 0x04;
    EXPECT_EQ(files[2].data, expected);

    files = filesOf(decode(flipBit(t.pulses, t.newData + 8 * 100 + 1, BitCoding{0x22, 0x42, true})), "ocean");
    ASSERT_EQ(files.size(), 10u);
    EXPECT_EQ(files[7].state, FileState::ChecksumWrong);
    EXPECT_EQ(files[8].state, FileState::Good);

    files = filesOf(decode(cutAt(t.pulses, t.secondData + 8 * (256 + 2 + 40))), "ocean");
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[2].state, FileState::NoChecksum);
    EXPECT_EQ(files[3].state, FileState::CutOff);
    EXPECT_EQ(files[3].detail.kind, FileDetailKind::TapeEnds);
    EXPECT_EQ(files[3].data.size(), 40u);
    expected = testfiles::programData(256, 21);
    expected.resize(40);
    EXPECT_EQ(files[3].data, expected);
}

// Freeload files share the later loaders' pilot, sync and checksum: none is taken for Ocean's,
// not even one whose first bytes agree as a file of form 1 ($1008-$1009, checksum and all).
TEST(Ocean, LeavesFreeloadFilesAlone) {
    const BitCoding bits{0x24, 0x42, true};
    Pulses p;
    for (int k = 0; k < 4; ++k) {
        auto data = testfiles::programData(256 + 300 * k, k);
        if (k == 0) {
            data[0] = 0x10;
            data[2] = data[1];
        }
        const auto load = static_cast<std::uint16_t>(0x0810 + 0x1000 * k),
                   end = static_cast<std::uint16_t>(load + data.size());
        for (int i = 0; i < 64; ++i)
            putByte(p, bits, 0x40);
        std::uint8_t sum = 0;
        for (std::uint8_t b : data)
            sum ^= b;
        putBytes(p, bits,
                 {0x5A, static_cast<std::uint8_t>(load), static_cast<std::uint8_t>(load >> 8),
                  static_cast<std::uint8_t>(end), static_cast<std::uint8_t>(end >> 8)});
        putBytes(p, bits, data);
        putByte(p, bits, sum);
        putPause(p, 0.3);
    }
    EXPECT_TRUE(filesOf(decode(p), "ocean").empty());
}
