#include "tape/TapeWriter.h"
#include "tape/Decoder.h"
#include "tape/TapeReader.h"
#include "tests/support/DamagedTape.h"
#include "tests/tape/TapeTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vornix::tape;
using namespace tapetest;

namespace {

const std::vector<ProgramToEncode> kPrograms = {
    program("FIRST PROGRAM", 0x0801, 300, 1),
    program("SIXTEEN CHARS XY", 0xC000, 100, 2),
};

void expectPrograms(const std::vector<FoundFile>& files, const std::vector<ProgramToEncode>& programs) {
    ASSERT_EQ(files.size(), programs.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].name, programs[i].name);
        EXPECT_EQ(files[i].load, programs[i].load);
        EXPECT_EQ(files[i].data, programs[i].data);
        EXPECT_EQ(files[i].state, FileState::Good) << detailText(files[i].detail);
    }
}

class TapeWriterTest : public ::testing::Test {
  protected:
    testfiles::TempDir dir;
    std::string file(const std::string& name, const Bytes& bytes) {
        testfiles::writeAll(dir.file(name), bytes);
        return dir.file(name);
    }
};

} // namespace

TEST_F(TapeWriterTest, ProgramsSurviveTheTrip) {
    const std::vector<ProgramToEncode> programs = {
        program("BASIC", 0x0801, 1000, 3),
        program("ONE BYTE", 0x1000, 1, 4),
        program("HEADER SIZED", 0x2000, 192, 5), // as long as a header's bytes
        program("TO THE TOP", 0xFF00, 256, 6),
    };
    const std::string tap = dir.file("p.tap");
    ASSERT_EQ(encodeRomTap(programs, tap).failure, TapeWriteFailure::None);
    const TapeAnalysis a = analyseTape(tap);
    expectPrograms(a.files, programs);
    ASSERT_EQ(a.files.size(), 4u);
    EXPECT_EQ(a.files[0].headerType, 1); // BASIC start: relocatable
    EXPECT_EQ(a.files[1].headerType, 3);
    EXPECT_EQ(a.files[3].end, 0x0000);
    EXPECT_EQ(a.source.tapVersion, 1);
    EXPECT_LT(a.files[0].startSeconds, a.files[1].startSeconds);
}

// programs -> TAP -> WAV -> TAP -> programs, through every kind of recording we expect.
TEST_F(TapeWriterTest, RecordingsReadBackByteExact) {
    const std::string tap = dir.file("p.tap");
    ASSERT_EQ(encodeRomTap(kPrograms, tap).failure, TapeWriteFailure::None);
    const struct {
        int rate, bits;
        bool reversed;
        double speed; // the tape ran this much too fast
        double noise; // share of full scale
    } table[] = {
        {22050, 8, false, 1.0, 0},   {22050, 16, false, 1.0, 0},  {44100, 8, false, 1.0, 0},
        {44100, 16, false, 1.0, 0},  {48000, 16, false, 1.0, 0},  {96000, 8, false, 1.0, 0},
        {96000, 16, false, 1.0, 0},  {44100, 16, true, 1.0, 0},   {44100, 16, false, 0.9, 0},
        {44100, 16, false, 1.1, 0},  {22050, 8, false, 1.0, 0.1}, {44100, 16, true, 1.1, 0.15},
        {22050, 16, true, 0.9, 0.1},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::Message()
                     << row.rate << " Hz, " << row.bits << " bits, reversed " << row.reversed << ", speed "
                     << row.speed << ", noise " << row.noise);
        const std::string wav = dir.file("p.wav");
        ASSERT_EQ(tapToWav(tap, wav, row.rate, row.bits).failure, TapeWriteFailure::None);
        int rate = 0;
        std::vector<double> s = wavSamples(testfiles::readAll(wav), rate);
        ASSERT_EQ(rate, row.rate);
        std::uint32_t random = 12345;
        for (double& v : s) {
            random = random * 1103515245 + 12345;
            v = (row.reversed ? -v : v) + row.noise * ((random >> 8) / 8388608.0 - 1.0);
            v = std::clamp(v, -1.0, 1.0);
        }
        // A fast tape: the same samples stand for less time.
        const std::string played =
            file("played.wav", makeWav(s, static_cast<int>(row.rate * row.speed), WavCoding{1, row.bits}));
        PulseOptions options;
        options.reverse = row.reversed;
        options.speed = row.speed;
        const std::string back = dir.file("back.tap");
        const TapeWriteResult w = toTapV1(played, back, options);
        ASSERT_EQ(w.failure, TapeWriteFailure::None) << w.detail;
        const TapeAnalysis a = analyseTape(back);
        expectPrograms(a.files, kPrograms);
        EXPECT_TRUE(a.source.notes.empty());
    }
}

namespace {

// Where byte j (counted from the first data byte) of a data copy of the first program starts
// in romLoaderPulses: the header twice with its pilots and trailer, the gap, the data pilot.
std::size_t dataByte(std::size_t length, int copy, std::size_t j) {
    const std::size_t headerBlock = (9 + 193) * 20 + 2;
    const std::size_t dataBlock = (9 + length + 1) * 20 + 2;
    std::size_t at = 0x6A00 + headerBlock + 0x4F + headerBlock + 0x4E + 1 + 0x1500;
    if (copy == 2)
        at += dataBlock + 0x4F;
    return at + (9 + j) * 20;
}

enum class Damage { RemoveOne, Stretch, RemoveMany, Split, Cut, DoubleMarker, DoubleBit, StretchRun };

void damage(std::vector<std::uint32_t>& p, std::size_t at, Damage d) {
    switch (d) {
    case Damage::RemoveOne: p.erase(p.begin() + at + 7); break;
    case Damage::Stretch: p[at + 7] = p[at + 7] * 17 / 10; break;
    case Damage::RemoveMany: p.erase(p.begin() + at + 3, p.begin() + at + 28); break;
    case Damage::Split: {
        const std::uint32_t half = p[at + 7] / 2;
        p[at + 7] -= half;
        p.insert(p.begin() + at + 8, half);
        break;
    }
    case Damage::Cut: p.resize(at + 7); break;
    case Damage::DoubleMarker: p[at] *= 2; break;
    case Damage::DoubleBit: p[at + 7] *= 2; break;
    case Damage::StretchRun:
        for (std::size_t i = at + 3; i < at + 43; ++i)
            p[i] = p[i] * 3 / 2;
        break;
    }
}

} // namespace

// Damage in the first copy is repaired from the second; damage in both is flagged.
TEST(TapeDamage, FirstCopyRepairedBothFlagged) {
    const ProgramToEncode prg = program("DAMAGED", 0x0801, 400, 7);
    const char* kOneLost = "the first copy has 1 unreadable byte; read from the second";
    const struct {
        Damage kind;
        bool first, second; // which copies are damaged (at byte 50)
        FileState state;
        const char* detail;
        std::size_t bytes; // how many were recovered
    } table[] = {
        {Damage::RemoveOne, true, false, FileState::Repaired, kOneLost, 400},
        {Damage::Stretch, true, false, FileState::Repaired, kOneLost, 400},
        {Damage::RemoveMany, true, false, FileState::Repaired,
         "the first copy has 2 unreadable bytes; read from the second", 400},
        {Damage::Split, true, false, FileState::Repaired, kOneLost, 400},
        {Damage::Stretch, false, true, FileState::Good, "the second copy has 1 unreadable byte", 400},
        {Damage::Cut, false, true, FileState::Good, "the second copy is cut off", 400},
        {Damage::Cut, true, false, FileState::CutOff, "the tape ends after 50 bytes of 400", 50},
        {Damage::RemoveOne, true, true, FileState::ChecksumWrong, "1 byte unreadable in both copies", 400},
        {Damage::Stretch, true, true, FileState::ChecksumWrong, "1 byte unreadable in both copies", 400},
        {Damage::RemoveMany, true, true, FileState::ChecksumWrong, "2 bytes unreadable in both copies", 400},
        {Damage::DoubleMarker, true, false, FileState::Repaired, kOneLost, 400},
        {Damage::DoubleBit, true, false, FileState::Repaired, kOneLost, 400},
        {Damage::StretchRun, true, false, FileState::Repaired,
         "the first copy has 4 unreadable bytes; read from the second", 400},
        {Damage::DoubleMarker, false, true, FileState::Good, "the second copy has 1 unreadable byte", 400},
        {Damage::DoubleMarker, true, true, FileState::ChecksumWrong, "1 byte unreadable in both copies", 400},
        {Damage::DoubleBit, true, true, FileState::ChecksumWrong, "1 byte unreadable in both copies", 400},
        {Damage::StretchRun, true, true, FileState::ChecksumWrong, "4 bytes unreadable in both copies", 400},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::Message() << "damage " << static_cast<int>(row.kind) << " first " << row.first
                                        << " second " << row.second);
        std::vector<std::uint32_t> p = romLoaderPulses({prg});
        // The later copy first, so the earlier one's place stays where it was.
        if (row.second)
            damage(p, dataByte(400, 2, 50), row.kind);
        if (row.first)
            damage(p, dataByte(400, 1, 50), row.kind);
        const std::vector<FoundFile> files = decodePulses(p);
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files[0].state, row.state);
        EXPECT_EQ(detailText(files[0].detail), row.detail);
        ASSERT_EQ(files[0].data.size(), row.bytes);
        if (row.state != FileState::ChecksumWrong) {
            EXPECT_TRUE(std::equal(files[0].data.begin(), files[0].data.end(), prg.data.begin()));
        }
    }
}

// Every byte value reads; a bit turned over (its pair of pulses swapped) breaks the byte's
// parity, whichever bit it is, and the byte is taken from the other copy.
TEST(TapeDamage, EveryByteValueReadsAndATurnedBitIsCaught) {
    ProgramToEncode prg;
    prg.name = "ALL VALUES";
    prg.load = 0x0801;
    for (int i = 0; i < 512; ++i)
        prg.data.push_back(static_cast<std::uint8_t>(i * 7 + (i >> 8)));
    const char* kOneLost = "the first copy has 1 unreadable byte; read from the second";
    const struct {
        int copy, pair; // the copy (0: neither) and the pair turned over in its byte 300 (8: parity)
        FileState state;
        const char* detail;
    } table[] = {
        {0, 0, FileState::Good, ""},
        {1, 0, FileState::Repaired, kOneLost},
        {1, 5, FileState::Repaired, kOneLost},
        {1, 7, FileState::Repaired, kOneLost},
        {1, 8, FileState::Repaired, kOneLost},
        {2, 3, FileState::Good, "the second copy has 1 unreadable byte"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::Message() << "copy " << row.copy << " pair " << row.pair);
        std::vector<std::uint32_t> p = romLoaderPulses({prg});
        if (row.copy) {
            const std::size_t at = dataByte(512, row.copy, 300) + 2 + 2 * row.pair;
            std::swap(p[at], p[at + 1]);
        }
        const std::vector<FoundFile> files = decodePulses(p);
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files[0].state, row.state);
        EXPECT_EQ(detailText(files[0].detail), row.detail);
        EXPECT_EQ(files[0].data, prg.data);
    }
}

// A first data copy broken off in its middle is still data: neither it nor the second copy is
// taken for a header, also when its first byte could be a header's type and what was read of
// it is no longer than a header.
TEST(TapeDamage, ABrokenDataCopyIsNeverAHeader) {
    const struct {
        std::size_t size;
        std::uint8_t firstByte;
        Damage kind;
        int where; // 0 the first byte after the countdown, 1 the middle byte, 2 the middle pulse
    } table[] = {
        {300, 0x01, Damage::DoubleMarker, 1}, {300, 0x03, Damage::DoubleBit, 1},
        {100, 0x05, Damage::StretchRun, 1},   {380, 0x01, Damage::RemoveMany, 1},
        {150, 0x02, Damage::Split, 1},        {300, 0x01, Damage::DoubleMarker, 0},
        {300, 0x01, Damage::DoubleMarker, 2}, {121, 0x01, Damage::DoubleMarker, 2},
        {250, 0x03, Damage::StretchRun, 2},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::Message() << row.size << " bytes, damage " << static_cast<int>(row.kind));
        ProgramToEncode hurt = program("HURT", 0x0801, row.size, 5);
        hurt.data[0] = row.firstByte;
        const std::vector<ProgramToEncode> programs{hurt, program("AFTER", 0xC000, 120, 6)};
        std::vector<std::uint32_t> p = romLoaderPulses(programs);
        const auto blocks = testfiles::romBlocks(p);
        ASSERT_EQ(blocks.size(), 8u);
        const auto [first, count] = blocks[2];
        const std::size_t at[] = {first + 9 * 20, first + count / 40 * 20, first + count / 2};
        damage(p, at[row.where], row.kind);
        std::vector<std::string> notes;
        const std::vector<FoundFile> files = decodePulses(p, &notes);
        ASSERT_EQ(files.size(), 2u);
        EXPECT_EQ(files[0].name, "HURT");
        EXPECT_EQ(files[0].state, FileState::Repaired) << detailText(files[0].detail);
        EXPECT_EQ(files[0].data, hurt.data);
        EXPECT_EQ(files[1].name, "AFTER");
        EXPECT_EQ(files[1].state, FileState::Good);
    }
}

TEST(TapeDamage, BytesLostAtDifferentPlacesInEachCopyAreMerged) {
    const ProgramToEncode prg = program("TWICE HURT", 0x0801, 300, 8);
    // Pulses removed from the first copy take their time with them: the bytes after sit early.
    for (int removed : {1, 13, 25, 40}) {
        SCOPED_TRACE(removed);
        std::vector<std::uint32_t> p = romLoaderPulses({prg});
        damage(p, dataByte(300, 2, 200), Damage::Stretch);
        damage(p, dataByte(300, 1, 20), Damage::Stretch);
        const std::size_t at = dataByte(300, 1, 100);
        p.erase(p.begin() + at + 3, p.begin() + at + 3 + removed);
        const std::vector<FoundFile> files = decodePulses(p);
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files[0].state, FileState::Repaired);
        EXPECT_EQ(files[0].data, prg.data);
    }
}

namespace {

void expectSameFiles(const std::vector<FoundFile>& got, const std::vector<FoundFile>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].name, want[i].name);
        EXPECT_EQ(got[i].data, want[i].data);
        EXPECT_EQ(got[i].state, want[i].state);
        EXPECT_EQ(detailText(got[i].detail), detailText(want[i].detail));
        // Where a Turbo Tape pilot is first seen may move by some pulses; starts are shown to
        // a tenth of a second.
        EXPECT_NEAR(got[i].startSeconds, want[i].startSeconds, 0.01);
    }
}

// The pulses handed to every registered decoder piece by piece, as the reader hands blocks.
std::vector<FoundFile> decodeInPieces(const std::vector<std::uint32_t>& pulses, std::size_t piece) {
    AllDecoders decoders;
    std::uint64_t start = 0;
    for (std::size_t at = 0; at < pulses.size(); at += piece) {
        const std::size_t n = std::min(piece, pulses.size() - at);
        decoders.pulses(pulses.data() + at, n, start);
        for (std::size_t i = at; i < at + n; ++i)
            start += pulses[i];
    }
    std::vector<std::string> notes;
    return decoders.finish(notes);
}

} // namespace

// The loaders read runs of good pulses in bulk; pulses handed over in pieces of any size, cut
// inside bytes, pilots and damage, decode as when handed over at once.
TEST(TapeDamage, PiecesOfAnySizeDecodeAlike) {
    const ProgramToEncode prg = program("PIECES", 0x0801, 300, 4);
    std::vector<std::uint32_t> rom = romLoaderPulses({prg, program("NEXT", 0xC000, 90, 5)});
    damage(rom, dataByte(300, 2, 200), Damage::DoubleMarker);
    damage(rom, dataByte(300, 1, 120), Damage::RemoveOne);
    damage(rom, dataByte(300, 1, 40), Damage::StretchRun);
    const std::vector<std::uint32_t> turbo = tapPulses(
        testfiles::readAll(std::string(VORNIX_TEST_DATA) + "/open-roms_testtape-c64-pal-turbo.tap"));
    const std::vector<FoundFile> romWhole = decodePulses(rom), turboWhole = decodePulses(turbo);
    ASSERT_EQ(romWhole.size(), 2u);
    ASSERT_EQ(turboWhole.size(), 1u);
    for (std::size_t piece : {1, 19, 20, 21, 39, 1000, 65537}) {
        SCOPED_TRACE(piece);
        expectSameFiles(decodeInPieces(rom, piece), romWhole);
        expectSameFiles(decodeInPieces(turbo, piece), turboWhole);
    }
}

TEST(TapeDamage, ADamagedFirstHeaderIsReadFromItsCopy) {
    const ProgramToEncode prg = program("HEADER HURT", 0x0801, 50, 9);
    std::vector<std::uint32_t> p = romLoaderPulses({prg});
    p[0x6A00 + 12 * 20 + 5] *= 2; // inside the name
    const std::vector<FoundFile> files = decodePulses(p);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].name, "HEADER HURT");
    EXPECT_EQ(files[0].state, FileState::Good);
}

TEST_F(TapeWriterTest, TurboTapeDamageIsFlagged) {
    const Bytes tape =
        testfiles::readAll(std::string(VORNIX_TEST_DATA) + "/open-roms_testtape-c64-pal-turbo.tap");
    // The data block's bytes begin after its pilot; bit pulses are $1A or $28.
    const std::size_t inData = 20 + (1270 + 9 + 193 + 503 + 9 + 1 + 300) * 8;
    Bytes flipped = tape;
    flipped[inData + 3] = flipped[inData + 3] == 0x1A ? 0x28 : 0x1A;
    Bytes cut(tape.begin(), tape.begin() + inData);
    const Bytes prg = testfiles::readAll(std::string(VORNIX_TEST_DATA) + "/open-roms_romeo-and-juliet.prg");
    const struct {
        const Bytes* tape;
        FileState state;
    } table[] = {{&flipped, FileState::ChecksumWrong}, {&cut, FileState::CutOff}};
    for (const auto& row : table) {
        const TapeAnalysis a = analyseTapeData(row.tape->data(), row.tape->size());
        ASSERT_EQ(a.files.size(), 1u);
        EXPECT_EQ(a.files[0].loader, "turbotape");
        EXPECT_EQ(a.files[0].state, row.state);
        const Bytes read = prgBytes(a.files[0]);
        ASSERT_GT(read.size(), 250u);
        EXPECT_EQ(Bytes(read.begin(), read.begin() + 250), Bytes(prg.begin(), prg.begin() + 250));
    }
}

// A version 1 TAP of canonical pulses comes back byte for byte, long pulses too, also where
// a long pulse is cut by the reader's block boundary.
TEST_F(TapeWriterTest, VersionOneCopyIsExact) {
    std::vector<std::uint32_t> pulses(256 * 1024 - 2, 0x30 * 8);
    pulses.push_back(0x123456);
    pulses.push_back(0x1000000 + 5000); // a full group and the rest
    pulses.insert(pulses.end(), 1000, 0x42 * 8);
    const Bytes tap = tapV1Bytes(pulses);
    const std::string in = file("in.tap", tap), out = dir.file("out.tap");
    const TapeWriteResult r = toTapV1(in, out);
    ASSERT_EQ(r.failure, TapeWriteFailure::None) << r.detail;
    EXPECT_EQ(testfiles::readAll(out), tap);
    EXPECT_EQ(r.bytesWritten, tap.size());
}

TEST_F(TapeWriterTest, VersionZeroOverflowsBecomeCountedPauses) {
    Bytes v0 = {'C', '6', '4', '-', 'T', 'A', 'P', 'E', '-',  'R', 'A', 'W',
                0,   0,   0,   0,   3,   0,   0,   0,   0x30, 0,   0x42};
    const std::string in = file("v0.tap", v0), out = dir.file("v1.tap");
    const struct {
        int ms;
        Bytes pause;
    } table[] = {
        {100, {0x00, 0xDD, 0x80, 0x01}}, {50, {0x00, 0x6E, 0xC0, 0x00}}, {1000, {0x00, 0xA0, 0x08, 0x0F}}};
    for (const auto& row : table) {
        PulseOptions options;
        options.zeroOverflowMs = row.ms;
        ASSERT_EQ(toTapV1(in, out, options).failure, TapeWriteFailure::None);
        Bytes expected(v0.begin(), v0.begin() + 20);
        expected[12] = 1;
        expected[16] = 6;
        expected.push_back(0x30);
        expected.insert(expected.end(), row.pause.begin(), row.pause.end());
        expected.push_back(0x42);
        EXPECT_EQ(testfiles::readAll(out), expected) << row.ms;
    }
}

TEST_F(TapeWriterTest, OtherTapVersionsCarryTheSamePrograms) {
    const std::vector<std::uint32_t> pulses = romLoaderPulses(kPrograms);
    Bytes v0 = tapV1Bytes(pulses), v2 = v0;
    v0[12] = 0; // the encoder's only long pulses are the gaps: overflows in version 0
    Bytes v0data(v0.begin(), v0.begin() + 20);
    for (std::size_t i = 20; i < v0.size(); ++i) {
        v0data.push_back(v0[i]);
        if (v0[i] == 0)
            i += 3;
    }
    v2.resize(20);
    v2[12] = 2;
    for (std::uint32_t c : pulses) { // each pulse as two half-waves
        const Bytes half = tapV1Bytes({c / 2, c - c / 2});
        v2.insert(v2.end(), half.begin() + 20, half.end());
    }
    for (const Bytes* tape : {&v0data, &v2}) {
        const TapeAnalysis a = analyseTapeData(tape->data(), tape->size());
        expectPrograms(a.files, kPrograms);
    }
}

TEST_F(TapeWriterTest, OutputIsNeverTheInput) {
    const std::string tap = dir.file("p.tap");
    ASSERT_EQ(encodeRomTap(kPrograms, tap).failure, TapeWriteFailure::None);
    const Bytes before = testfiles::readAll(tap);
    std::vector<std::string> names = {"p.tap"};
    std::error_code ec; // links where the system makes them (not always under Wine)
    std::filesystem::create_symlink(tap, dir.file("link.tap"), ec);
    if (!ec)
        names.push_back("link.tap");
    std::filesystem::create_hard_link(tap, dir.file("hard.tap"), ec);
    if (!ec)
        names.push_back("hard.tap");
    for (const std::string& name : names) {
        EXPECT_EQ(toTapV1(tap, dir.file(name)).failure, TapeWriteFailure::SameAsInput) << name;
        EXPECT_EQ(tapToWav(tap, dir.file(name)).failure, TapeWriteFailure::SameAsInput) << name;
    }
    EXPECT_EQ(testfiles::readAll(tap), before);
    EXPECT_EQ(toTapV1(tap, dir.file("no/such/folder/x.tap")).failure, TapeWriteFailure::CannotWrite);
    EXPECT_EQ(encodeRomTap({}, dir.file("empty.tap")).failure, TapeWriteFailure::Empty);
    EXPECT_EQ(encodeRomTap({program("BIG", 0xF000, 0x1001, 1)}, dir.file("big.tap")).failure,
              TapeWriteFailure::TooLarge);
    EXPECT_FALSE(testfiles::exists(dir.file("empty.tap")));
    EXPECT_FALSE(testfiles::exists(dir.file("big.tap")));
}

TEST(TapeWriter, P00HeaderPrecedesTheProgram) {
    Bytes expected = {'C', '6', '4', 'F', 'i', 'l', 'e', 0, 'N', 'A', 'M', 'E'};
    expected.resize(26, 0);
    expected.insert(expected.end(), {0x01, 0x08, 0xAA});
    EXPECT_EQ(p00Bytes("NAME", {0x01, 0x08, 0xAA}), expected);
    const Bytes longName = p00Bytes("SEVENTEEN CHARS!!", {});
    EXPECT_EQ(std::string(longName.begin() + 8, longName.begin() + 24), "SEVENTEEN CHARS!");
    EXPECT_EQ(longName.size(), 26u);
}
