// The tape tool as the windows and a user run it: its options, its names, its outputs.
#include "tape/tool/Tape64Tool.h"
#include "tape/TapeOutputs.h"
#include "tape/TapeWriter.h"
#include "tests/support/DamagedTape.h"
#include "tests/support/ProgramBuilder.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"
#include "tests/tape/TapeTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace vornix::tape;
using testfiles::Bytes;

namespace {

testfiles::ProgramRun tape64(const testfiles::TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), VORNIX_TAPE64);
    return testfiles::runProgram(dir.path().string(), args);
}

const std::string kPrintH = VORNIX_TEST_DATA "/c64-sigrok-tap_print_h.tap";
const Bytes kPrintHPrg{0x01, 0x08, 0x09, 0x08, 0x0A, 0x00, 0x99, 0x22, 0x48, 0x22, 0x00, 0x00, 0x00};

// A tape of the ROM loader holding the programs, made by the encoder.
std::string romTape(const testfiles::TempDir& dir, const std::string& name,
                    const std::vector<ProgramToEncode>& programs) {
    const std::string path = dir.file(name);
    EXPECT_EQ(encodeRomTap(programs, path).failure, TapeWriteFailure::None);
    return path;
}

ProgramToEncode program(const std::string& name, std::size_t size, int seed) {
    return tapetest::program(name, 0x0801, size, seed);
}

Bytes prgOf(const ProgramToEncode& p) { return testfiles::prgBytes(p.load, p.data); }

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(Tape64Options, WhatTheWindowsPassIsUnderstood) {
    const struct {
        std::vector<std::string> args;
        std::string input, tapOut, t64Out, p00Out;
        int v0, rate, threshold;
        double speed;
        bool yes, reverse, numbered, damaged;
    } cases[] = {
        // The linker: no -y, the output with its digit.
        {{"-i:C:\\T\\GAME.TAP", "-or:C:\\T\\GAME.TAP1"},
         "C:\\T\\GAME.TAP",
         "C:\\T\\GAME.TAP1",
         "",
         "",
         100,
         0,
         10,
         1.0,
         false,
         false,
         false,
         false},
        {{"-i:in.wav", "-v0:250", "-y", "-or:out.tap"},
         "in.wav",
         "out.tap",
         "",
         "",
         250,
         0,
         10,
         1.0,
         true,
         false,
         false,
         false},
        // Every option of the second page, in another order and case, quotes left on.
        {{"-OT:\"a b.t64\"", "-e", "-t:11", "-f:48000", "-s:1.3", "-r", "-y", "-i:\"my tape.wav\""},
         "my tape.wav",
         "",
         "a b.t64",
         "",
         100,
         48000,
         11,
         1.3,
         true,
         true,
         false,
         true},
        {{"-i:x.tap", "-y", "-s:0,9", "-n", "-op:/out/GAME"},
         "x.tap",
         "",
         "",
         "/out/GAME",
         100,
         0,
         10,
         0.9,
         true,
         false,
         true,
         false},
        // A value given as the next word.
        {{"-i:", "x.tap"}, "x.tap", "", "", "", 100, 0, 10, 1.0, false, false, false, false},
    };
    for (const auto& c : cases) {
        const Tape64Arguments parsed = parseTape64Arguments(c.args);
        ASSERT_FALSE(parsed.error) << describe(parsed.error);
        const Tape64Options& o = parsed.options;
        EXPECT_EQ(o.input, c.input);
        EXPECT_EQ(o.tapOut.value_or(""), c.tapOut);
        EXPECT_EQ(o.t64Out.value_or(""), c.t64Out);
        EXPECT_EQ(o.p00Out.value_or(""), c.p00Out);
        EXPECT_EQ(o.pulses.zeroOverflowMs, c.v0);
        EXPECT_EQ(o.pulses.sampleRate.value_or(0), c.rate);
        EXPECT_EQ(o.pulses.threshold, c.threshold);
        EXPECT_DOUBLE_EQ(o.pulses.speed, c.speed);
        EXPECT_EQ(o.yes, c.yes);
        EXPECT_EQ(o.pulses.reverse, c.reverse);
        EXPECT_EQ(o.numbered, c.numbered);
        EXPECT_EQ(o.damaged, c.damaged);
    }
}

TEST(Tape64Options, WrongOptionsAreRefused) {
    const std::vector<std::vector<std::string>> cases{
        {},                  // no input
        {"-y"},              // no input either
        {"-i:x", "-q"},      // unknown
        {"-i:x", "-y:1"},    // a flag with a value
        {"-i:x", "-t:0"},    // out of range
        {"-i:x", "-t:256"},  //
        {"-i:x", "-s:1.A"},  // a speed text the window would not pass
        {"-i:x", "-s:0.0"},  //
        {"-i:x", "-f:"},     // no value
        {"-i:x", "-v0:abc"}, //
        {"-i:x", "stray"},   // an operand
    };
    for (const auto& args : cases) {
        EXPECT_TRUE(parseTape64Arguments(args).error) << (args.empty() ? "" : args.back());
    }
}

// An option given twice would lose one of its values: the tool refuses the call, naming it.
TEST(Tape64Run, ARepeatedOptionIsAUsageError) {
    testfiles::TempDir dir;
    const std::string tap = romTape(dir, "one.tap", {program("ONE", 40, 1)});
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"-i:" + tap, "-i:" + dir.file("other.tap")}, "tape64: -i: given twice"},
        {{"-i:" + tap, "-ot:" + dir.file("a.t64"), "-OT:" + dir.file("b.t64")}, "tape64: -ot: given twice"},
        {{"-i:" + tap, "-y", "-Y"}, "tape64: -y: given twice"},
    };
    for (const auto& c : cases) {
        const auto r = tape64(dir, c.args);
        EXPECT_EQ(r.code, 2) << r.out;
        EXPECT_TRUE(contains(r.out, c.says)) << r.out;
    }
    EXPECT_FALSE(testfiles::exists(dir.file("a.t64")));
    EXPECT_FALSE(testfiles::exists(dir.file("b.t64")));
}

TEST(Tape64Names, OutputsAreNamedAsDocumented) {
    testfiles::TempDir dir;
    const std::string d = dir.path().string() + "/";
    const auto named = [](const P00Result& r) { return r.written() ? r.path : r.failure.message(); };
    EXPECT_EQ(named(writeP00(d + "GAME", "H", 0, "", {1})), d + "GAMEH.P00");
    EXPECT_EQ(named(writeP00(d, "A/B:C   ", 0, "", {1})), d + "A_B_C.P00");
    EXPECT_EQ(named(writeP00(d + "X", "H", 3, "", {1})), d + "X03.P00");
    EXPECT_EQ(named(writeP00(d, "H", 0, " (cut off)", {1})), d + "H (cut off).P00");
    EXPECT_EQ(named(writeP00(d, "", 0, "", {1})), d + "_.P00");
    testfiles::writeAll(d + "H.P00", {7});
    testfiles::writeAll(d + "H.P01", {7});
    EXPECT_EQ(named(writeP00(d, "H", 0, "", {1})), d + "H.P02");
    EXPECT_EQ(testfiles::readAll(d + "H.P00"), Bytes{7});
}

// Runs writing into one folder side by side each claim a name in the step that writes it: no
// file of either is lost to the other, however they interleave.
TEST(Tape64Run, RunsIntoOneFolderKeepEveryFile) {
    testfiles::TempDir dir;
    constexpr int kPrograms = 30, kRuns = 3, kRounds = 20;
    std::vector<ProgramToEncode> programs;
    for (int i = 0; i < kPrograms; ++i)
        programs.push_back(program("SAME", 8, i));
    const std::string tap = romTape(dir, "same.tap", programs);
    for (int round = 0; round < kRounds; ++round) {
        const std::string out = dir.file("out" + std::to_string(round));
        std::filesystem::create_directory(out);
        std::vector<std::intptr_t> runs;
        for (int run = 0; run < kRuns; ++run)
            runs.push_back(
                testfiles::startProgram(VORNIX_TAPE64, {"-i:" + tap, "-y", "-op:" + out + "/"}, {}, {}, {}));
        for (std::intptr_t run : runs)
            ASSERT_EQ(testfiles::waitProgram(run), 0);
        std::multiset<Bytes> found;
        for (const auto& f : std::filesystem::directory_iterator(out))
            found.insert(testfiles::readAll(f.path().string()));
        std::multiset<Bytes> expected;
        for (const ProgramToEncode& p : programs)
            for (int run = 0; run < kRuns; ++run)
                expected.insert(p00Bytes("SAME", prgOf(p)));
        ASSERT_EQ(found, expected) << "round " << round;
    }
}

TEST(Tape64Run, TheRealCaptureIsAnalysed) {
    testfiles::TempDir dir;
    const auto r = tape64(dir, {"-i:" + kPrintH, "-y", "-s:1.0"});
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_TRUE(contains(r.out, "Input: " + kPrintH)) << r.out;
    EXPECT_TRUE(contains(r.out, "TAP version ")) << r.out;
    EXPECT_TRUE(contains(r.out, "1: \"H\" $0801-$080B, 11 bytes, ROM loader")) << r.out;
    EXPECT_TRUE(contains(r.out, "1 file: 1 good")) << r.out;
    EXPECT_TRUE(contains(r.out, "\nNote: the header gives a data length of 4 bytes")) << r.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}),
              0); // analysis writes nothing
}

TEST(Tape64Run, T64AndP00OutputsHoldThePrograms) {
    testfiles::TempDir dir;
    const std::vector<ProgramToEncode> programs{program("FIRST", 300, 1), program("SECOND/2", 40, 9)};
    const std::string tap = romTape(dir, "two.tap", programs);

    auto r = tape64(dir, {"-i:" + tap, "-y", "-ot:" + dir.file("out.t64")});
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_TRUE(contains(r.out, "Written: " + dir.file("out.t64") + " (2 programs)")) << r.out;
    const auto list = testfiles::runCli(dir.path().string(), {"list", dir.file("out.t64")});
    EXPECT_TRUE(contains(list.out, "\"FIRST")) << list.out;
    EXPECT_TRUE(contains(list.out, "\"SECOND/2")) << list.out;
    EXPECT_TRUE(contains(list.out, "TWO")) << list.out; // labelled after the tape

    std::filesystem::create_directory(dir.path() / "p");
    r = tape64(dir, {"-i:" + tap, "-op:" + dir.file("p") + "/"});
    ASSERT_EQ(r.code, 0) << r.out;
    const Bytes p00 = testfiles::readAll(dir.file("p/FIRST.P00"));
    EXPECT_EQ(p00, p00Bytes("FIRST", prgOf(programs[0])));
    ASSERT_GE(p00.size(), 28u);
    EXPECT_EQ(std::string(p00.begin(), p00.begin() + 7), "C64File");
    EXPECT_TRUE(testfiles::exists(dir.file("p/SECOND_2.P00")));

    // Numbered after the prefix; a second run takes the next extension.
    ASSERT_EQ(tape64(dir, {"-n", "-i:" + tap, "-op:" + dir.file("p") + "/G"}).code, 0);
    ASSERT_EQ(tape64(dir, {"-n", "-i:" + tap, "-op:" + dir.file("p") + "/G"}).code, 0);
    EXPECT_EQ(testfiles::readAll(dir.file("p/G02.P00")), p00Bytes("SECOND/2", prgOf(programs[1])));
    EXPECT_EQ(testfiles::readAll(dir.file("p/G02.P01")), p00Bytes("SECOND/2", prgOf(programs[1])));
}

TEST(Tape64Run, VersionOneOutputIsNamedAsTheLinkerWaitsForIt) {
    testfiles::TempDir dir;
    const std::string tap = romTape(dir, "GAME.TAP", {program("GAME", 100, 3)});
    // A version 1 input: refused without -y, converted with it.
    auto r = tape64(dir, {"-i:" + tap, "-or:" + tap + "1"});
    EXPECT_EQ(r.code, 1) << r.out;
    EXPECT_TRUE(contains(r.out, "-y")) << r.out;
    EXPECT_FALSE(testfiles::exists(tap + "1.tap"));
    r = tape64(dir, {"-i:" + tap, "-y", "-or:" + tap + "1"});
    ASSERT_EQ(r.code, 0) << r.out;
    const Bytes converted = testfiles::readAll(tap + "1.tap");
    ASSERT_GE(converted.size(), 20u);
    EXPECT_EQ(converted[12], 1);
    // Never over the input, whatever the case of the name.
    r = tape64(dir, {"-i:" + tap, "-y", "-or:" + tap});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.out, "input itself")) << r.out;
}

TEST(Tape64Run, BadInputFailsAndWritesNothing) {
    testfiles::TempDir dir;
    testfiles::writeText(dir.file("text.tap"), "this is not a tape at all, only some words\n");
    Bytes emptyTap{'C', '6', '4', '-', 'T', 'A', 'P', 'E', '-', 'R', 'A', 'W', 1, 0, 0, 0, 0, 0, 0, 0};
    testfiles::writeAll(dir.file("empty.tap"), emptyTap);
    for (const std::string input : {"text.tap", "empty.tap", "missing.tap"}) {
        const auto r =
            tape64(dir, {"-i:" + dir.file(input), "-y", "-ot:" + dir.file("out.t64"), "-op:" + dir.file("")});
        EXPECT_EQ(r.code, 1) << input << ": " << r.out;
        EXPECT_TRUE(contains(r.out, "Error: ")) << r.out;
        EXPECT_FALSE(testfiles::exists(dir.file("out.t64"))) << input;
    }
    // A missing file is named once.
    const auto missing = tape64(dir, {"-i:nosuch.wav"});
    EXPECT_TRUE(contains(missing.out, "\nError: nosuch.wav: cannot read the file: No such file or directory"))
        << missing.out;
    const auto usage = tape64(dir, {"-i:x", "-z"});
    EXPECT_EQ(usage.code, 2);
    EXPECT_TRUE(contains(usage.out, "usage: tape64")) << usage.out;
}

TEST(Tape64Run, DamagedFilesAreListedAndWrittenOnlyWithE) {
    testfiles::TempDir dir;
    const std::vector<ProgramToEncode> programs{program("GOOD", 200, 1), program("BAD", 200, 2),
                                                program("FIXED", 200, 3)};
    const std::string tap = dir.file("spoilt.tap");
    ASSERT_TRUE(testfiles::writeSpoiltTape(programs, {0, 3, 1}, tap));

    std::filesystem::create_directory(dir.path() / "p");
    const std::string target = dir.file("p") + "/";
    auto r = tape64(dir, {"-i:" + tap, "-y", "-op:" + target});
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_TRUE(contains(r.out, "3: \"FIXED\" $0801-$08C8, 200 bytes, ROM loader")) << r.out;
    EXPECT_TRUE(contains(r.out, "repaired")) << r.out;
    EXPECT_TRUE(contains(r.out, "Skipped 2: \"BAD\"")) << r.out;
    EXPECT_TRUE(contains(r.out, "1 good, 1 repaired, 1 damaged")) << r.out;
    EXPECT_EQ(testfiles::readAll(target + "FIXED.P00"), p00Bytes("FIXED", prgOf(programs[2])));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "p"), {}), 2);

    // With -e the damaged one is written too, and stands out.
    r = tape64(dir, {"-e", "-i:" + tap, "-y", "-op:" + dir.file("p") + "/", "-ot:" + dir.file("all.t64")});
    ASSERT_EQ(r.code, 0) << r.out;
    bool marked = false;
    for (const auto& e : std::filesystem::directory_iterator(dir.path() / "p"))
        marked |= e.path().filename().string().rfind("BAD (", 0) == 0;
    EXPECT_TRUE(marked);
    EXPECT_TRUE(
        contains(testfiles::runCli(dir.path().string(), {"list", dir.file("all.t64")}).out, "\"!BAD"));

    // Nothing sound on the tape: nothing written, and a failure.
    const std::string bad = dir.file("bad.tap");
    ASSERT_TRUE(testfiles::writeSpoiltTape({programs[1]}, {3}, bad));
    r = tape64(dir, {"-i:" + bad, "-y", "-ot:" + dir.file("none.t64")});
    EXPECT_EQ(r.code, 1) << r.out;
    EXPECT_FALSE(testfiles::exists(dir.file("none.t64")));
}
