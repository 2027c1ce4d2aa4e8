// vornix-cli between tape and disk images, as a user runs it.
#include "tests/support/ProgramBuilder.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace {

using testfiles::Bytes;
using testfiles::ProgramRun;

bool has(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

struct Workspace {
    testfiles::TempDir dir;
    Bytes game = testfiles::prgBytes(0x0801, 3000), intro{0x00, 0xC0, 1, 2, 3};
    Workspace() {
        testfiles::writeAll(dir.file("game.prg"), game);
        testfiles::writeAll(dir.file("Intro.Prg"), intro);
        EXPECT_EQ(run({"create", "img.t64", "--label", "demo", "game.prg", "Intro.Prg"}).code, 0);
    }
    ProgramRun run(std::vector<std::string> args) {
        return testfiles::runCli(dir.path().string(), std::move(args));
    }
    Bytes file(const std::string& name) const { return testfiles::readAll(dir.file(name)); }
};

} // namespace

TEST(DiskCli, ExportListImportRoundTrip) {
    Workspace w;
    ProgramRun r = w.run({"d64-export", "img.t64", "disk.d64"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "disk.d64: 2 files, 13 blocks used, 651 blocks free\n");

    r = w.run({"d64-list", "disk.d64"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "0 \"DEMO" + std::string(12, ' ') +
            "\" VX 2A\n12   \"GAME\"             PRG\n1    \"INTRO\"            PRG\n651 BLOCKS FREE.\n");
    r = w.run({"d64-list", "disk.d64", "--json"});
    EXPECT_TRUE(has(r.out, "{\"name\": \"INTRO\", \"type\": \"PRG\", \"closed\": true, \"locked\": false, "
                           "\"blocks\": 1}"))
        << r.out;

    // A new image takes the disk name as its label; the entries come back byte for byte.
    r = w.run({"d64-import", "back.t64", "disk.d64"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::filesystem::create_directory(w.dir.file("x"));
    ASSERT_EQ(w.run({"extract", "back.t64", "-o", "x"}).code, 0);
    EXPECT_EQ(w.file("x/GAME.PRG"), w.game);
    EXPECT_EQ(w.file("x/INTRO.PRG"), w.intro);
    EXPECT_TRUE(has(w.run({"list", "back.t64"}).out, "label:    \"DEMO"));

    // Named import into an existing image: case of a-z does not matter.
    r = w.run({"d64-import", "img.t64", "disk.d64", "intro"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "img.t64: 1 program added from disk.d64, 3 entries in all\n");
    EXPECT_TRUE(has(w.run({"list", "img.t64"}).out, "   3  \"INTRO           \"          3  $C000"));

    // Selected entries only.
    ASSERT_EQ(w.run({"d64-export", "img.t64", "one.d64", "2"}).code, 0);
    EXPECT_TRUE(has(w.run({"d64-list", "one.d64"}).out, "\n1    \"INTRO\"            PRG\n663 BLOCKS"));
}

TEST(DiskCli, CbmconvertReadsTheExportedEntries) {
#ifdef _WIN32
    GTEST_SKIP() << "cbmconvert is a Linux program here";
#endif
    Workspace w;
    ASSERT_EQ(w.run({"d64-export", "img.t64", "disk.d64"}).code, 0);
    std::filesystem::create_directory(w.dir.file("out"));
    const ProgramRun r = testfiles::runProgram(w.dir.file("out"), {"cbmconvert", "-N", "-d", "../disk.d64"});
    ASSERT_EQ(r.code, 0) << "cbmconvert (package cbmconvert): " << r.err;
    EXPECT_EQ(w.file("out/game.prg"), w.game);
    EXPECT_EQ(w.file("out/intro.prg"), w.intro);
}

TEST(DiskCli, ErrorsExitCodesAndUntouchedFiles) {
    Workspace w;
    ASSERT_EQ(w.run({"d64-export", "img.t64", "disk.d64"}).code, 0);
    const Bytes image = w.file("img.t64");
    const struct {
        std::vector<std::string> args;
        int code;
        const char* message;
    } cases[] = {
        {{"d64-export", "img.t64"}, 2, "missing OUT.d64"},
        {{"d64-export", "img.t64", "o.d64", "x"}, 2, "not 'x'"},
        {{"d64-list", "disk.d64", "--yaml"}, 2, "unknown option --yaml"},
        {{"d64-import", "img.t64"}, 2, "missing DISK.d64"},
        {{"d64-export", "img.t64", "o.d64", "3"}, 1, "there is no entry 3"},
        {{"d64-export", "nothing.t64", "o.d64"}, 1, "nothing.t64"},
        {{"d64-export", "img.t64", "./img.t64"}, 1, "img.t64: this is the tape image itself"},
        {{"d64-list", "img.t64"}, 1, "img.t64: not a D64 disk image"},
        {{"d64-import", "img.t64", "disk.d64", "MISSING"},
         1,
         "no PRG file named \"MISSING\"; img.t64 left as it was"},
        {{"d64-import", "img.t64", "img.t64"}, 1, "not a D64 disk image"},
    };
    for (const auto& c : cases) {
        const ProgramRun r = w.run(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.back() << ": " << r.err;
        EXPECT_TRUE(has(r.err, c.message)) << r.err;
    }
    EXPECT_EQ(w.file("img.t64"), image);
    EXPECT_FALSE(testfiles::exists(w.dir.file("o.d64")));
    for (const char* name : {"d64-export", "d64-list", "d64-import"})
        EXPECT_EQ(w.run({name, "--help"}).out.rfind(std::string("usage: vornix-cli ") + name, 0), 0u);

    // A program too large for a disk is named; nothing is written.
    testfiles::writeAll(w.dir.file("huge.prg"), Bytes(170000, 1));
    ASSERT_EQ(w.run({"add", "img.t64", "huge.prg"}).code, 0);
    const ProgramRun big = w.run({"d64-export", "img.t64", "o.d64"});
    EXPECT_EQ(big.code, 1);
    EXPECT_TRUE(has(big.err, "\"HUGE\" does not fit: it needs 670 blocks and only 651 of 664 are left"))
        << big.err;
    EXPECT_FALSE(testfiles::exists(w.dir.file("o.d64")));
}

TEST(DiskCli, DamagedDiskListsTheRestAndRefusesTheBrokenFile) {
    Workspace w;
    ASSERT_EQ(w.run({"d64-export", "img.t64", "disk.d64"}).code, 0);
    Bytes d = w.file("disk.d64");
    const std::size_t dir = 357 * 256 + 256;                                  // 18/1
    const std::size_t first = (d[dir + 3] - 1) * 21 * 256 + d[dir + 4] * 256; // GAME, on tracks 1-17
    d[first] = 40; // its chain runs into a track the disk does not have
    testfiles::writeAll(w.dir.file("disk.d64"), d);

    ProgramRun r = w.run({"d64-list", "disk.d64"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(has(r.out, "\"GAME\"             PRG   (damaged)\n1    \"INTRO\"            PRG\n")) << r.out;
    EXPECT_TRUE(
        has(r.err, "disk.d64: \"GAME\": its chain of blocks breaks after 1 blocks: track 40 does not exist"))
        << r.err;

    r = w.run({"d64-import", "new.t64", "disk.d64"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(has(r.err, "\"GAME\"")) << r.err;
    EXPECT_FALSE(testfiles::exists(w.dir.file("new.t64")));
    EXPECT_EQ(w.run({"d64-import", "new.t64", "disk.d64", "INTRO"}).code, 0);
}

// Every way a disk can be damaged is told in its own words, naming the disk and the file.
TEST(DiskCli, DamageIsWordedByKind) {
    Workspace w;
    ASSERT_EQ(w.run({"d64-export", "img.t64", "disk.d64"}).code, 0);
    const Bytes good = w.file("disk.d64");
    const std::size_t dir = 357 * 256 + 256; // 18/1
    const auto offset = [](int track, int sector) { return std::size_t((track - 1) * 21 + sector) * 256; };
    const int track = good[dir + 3], sector = good[dir + 4]; // GAME's first block, on track 17
    const std::size_t first = offset(track, sector);
    const int nextSector = good[first + 1];
    const auto at = [](int t, int s) {
        return "track " + std::to_string(t) + " sector " + std::to_string(s);
    };
    const struct {
        const char* what;
        std::function<void(Bytes&)> damage;
        int code;
        std::string said;
    } cases[] = {
        {"a length no disk has", [](Bytes& d) { d.push_back(0); }, 1,
         "vornix-cli: bad.d64: not a D64 disk image: it has 174849 bytes; a 1541 image has 174848, 175531, "
         "196608 or 197376\n"},
        {"too short for its directory", [](Bytes& d) { d.resize(357 * 256 + 255); }, 1,
         "vornix-cli: bad.d64: not a D64 disk image: it has 91647 bytes, too few to reach its directory (a "
         "1541 image has 174848)\n"},
        {"larger than any disk", [](Bytes& d) { d.resize(197377); }, 1,
         "vornix-cli: bad.d64: the file is too large (197377 bytes)\n"},
        {"truncated", [](Bytes& d) { d.resize(100000); }, 0,
         "vornix-cli: bad.d64: the image is truncated: it has 100000 of 174848 bytes\n"},
        {"directory loops", [&](Bytes& d) { d[dir] = 18, d[dir + 1] = 1; }, 0,
         "vornix-cli: bad.d64: the directory chain is broken: it loops back to track 18 sector 1; the "
         "entries "
         "after 2 files are not listed\n"},
        {"file loops", [&](Bytes& d) { d[first] = std::uint8_t(track), d[first + 1] = std::uint8_t(sector); },
         0, "vornix-cli: bad.d64: \"GAME\": its chain of blocks loops back to " + at(track, sector) + "\n"},
        {"no such sector", [&](Bytes& d) { d[first + 1] = 25; }, 0,
         "vornix-cli: bad.d64: \"GAME\": its chain of blocks breaks after 1 blocks: track " +
             std::to_string(good[first]) + " has no sector 25 (it has 21)\n"},
        {"first block missing", [&](Bytes& d) { d[dir + 3] = 0; }, 0,
         "vornix-cli: bad.d64: \"GAME\": its first block is missing: track 0 does not exist (the disk has 35 "
         "tracks)\n"},
        {"blocks marked bad",
         [&](Bytes& d) {
             d.resize(175531, 1);
             d[174848 + first / 256] = 5;
             d[174848 + offset(good[first], nextSector) / 256] = 0x30;
         },
         0,
         "vornix-cli: bad.d64: \"GAME\": the disk's error table marks 2 of its blocks bad (" +
             at(track, sector) + " (error 23), " + at(good[first], nextSector) +
             " (error code $30)); read as the image holds them\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes d = good;
        c.damage(d);
        testfiles::writeAll(w.dir.file("bad.d64"), d);
        const ProgramRun r = w.run({"d64-list", "bad.d64"});
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.err, c.said);
    }
}

#ifndef _WIN32
namespace {

// A disk written by cc1541 (an independent writer): names as PETSCII holds them, with a
// shifted letter, a shifted space inside, a control byte, and a file never closed.
struct ForeignDisk : Workspace {
    ForeignDisk() {
        testfiles::writeAll(dir.file("a.prg"), Bytes{0x01, 0x08, 'h', 'i'});
        testfiles::writeAll(dir.file("b.prg"), Bytes(600, 0x33));
        const ProgramRun r = testfiles::runProgram(
            dir.path().string(),
            {"cc1541", "-n",    "My Disk", "-f",        "game", "-w",    "a.prg", "-f",      "Game",
             "-w",     "a.prg", "-f",      "ab#a0,8,1", "-w",   "a.prg", "-f",    "esc#1bx", "-w",
             "a.prg",  "-f",    "splat",   "-O",        "-w",   "b.prg", "cc.d64"});
        EXPECT_EQ(r.code, 0) << "cc1541 (package cc1541): " << r.err;
    }
};

} // namespace

TEST(DiskCli, ForeignNamesListedAsTheDriveShowsThem) {
    ForeignDisk w;
    ProgramRun r = w.run({"d64-list", "cc.d64"});
    EXPECT_EQ(r.code, 0) << r.err;
    // 0xCD, 0xC4, 0xC7 are Latin-1 characters, shown as such; ESC is escaped; the quote
    // closes at the shifted space; the file never closed is *PRG.
    EXPECT_EQ(r.out, "0 \"\u00CDY \u00C4ISK         \" 00 2A\n"
                     "1    \"GAME\"             PRG\n"
                     "1    \"\u00C7AME\"             PRG\n"
                     "1    \"AB\",8,1           PRG\n"
                     "1    \"ESC\\x1BX\"         PRG\n"
                     "3    \"SPLAT\"           *PRG\n"
                     "657 BLOCKS FREE.\n");
    r = w.run({"d64-list", "cc.d64", "--json"});
    EXPECT_TRUE(has(r.out, "{\"name\": \"ESC\\u001bX\", \"type\": \"PRG\", \"closed\": true")) << r.out;
    EXPECT_TRUE(has(r.out, "{\"name\": \"SPLAT\", \"type\": \"PRG\", \"closed\": false")) << r.out;
}

TEST(DiskCli, ImportedNamesReadBackAsWrittenAndUnclosedFilesOnlyByName) {
    ForeignDisk w;
    ProgramRun r = w.run({"d64-import", "new.t64", "cc.d64"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "new.t64: 4 programs added from cc.d64, 4 entries in all\n");
    EXPECT_TRUE(has(r.err, "\"SPLAT\" is left out: the file was never closed (*PRG)")) << r.err;
    // The shifted letters are stored as the reading rule gives them: label and name bytes
    // in the file are what the next read shows.
    const Bytes t64 = w.file("new.t64");
    EXPECT_EQ(std::string(t64.begin() + 40, t64.begin() + 47), "MY DISK");
    EXPECT_EQ(std::string(t64.begin() + 64 + 32 + 16, t64.begin() + 64 + 32 + 20), "GAME");
    const std::string listed = w.run({"list", "new.t64"}).out;
    EXPECT_TRUE(has(listed, "   2  \"GAME            \"")) << listed;
    EXPECT_TRUE(has(listed, "   3  \"AB\u00A0,8,1         \"")) << listed;

    // Asked for by name, the unclosed file comes, with the reason.
    r = w.run({"d64-import", "new.t64", "cc.d64", "splat"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(has(r.err, "\"SPLAT\": the file was never closed")) << r.err;
    EXPECT_TRUE(has(w.run({"list", "new.t64"}).out, "   5  \"SPLAT           \"        598")) << r.out;
}

TEST(DiskCli, BlocksTheErrorTableMarksBadAreReadWithANote) {
    ForeignDisk w;
    Bytes d = w.file("cc.d64");
    d.resize(174848 + 683, 1);
    d[174848] = 5; // track 1 sector 0, the block of "GAME": checksum error (23)
    testfiles::writeAll(w.dir.file("cc.d64"), d);
    const std::string note =
        "cc.d64: \"GAME\": the disk's error table marks 1 of its blocks bad (track 1 sector 0 (error 23))";

    ProgramRun r = w.run({"d64-list", "cc.d64"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(has(r.err, note)) << r.err;
    EXPECT_TRUE(has(r.out, "1    \"GAME\"             PRG   (bad blocks)\n")) << r.out;
    EXPECT_TRUE(
        has(w.run({"d64-list", "cc.d64", "--json"}).out, "\"blocks\": 1, \"badBlocks\": \"\\\"GAME\\\": "));

    r = w.run({"d64-import", "new.t64", "cc.d64", "game"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(has(r.err, note)) << r.err;
}
#endif

// d64-import holds the image's lock like every edit: none of the edits running beside it is
// lost.
TEST(DiskCli, ImportsBesideOtherEditsAllLand) {
    Workspace w;
    ASSERT_EQ(w.run({"d64-export", "img.t64", "disk.d64", "2"}).code, 0);
    testfiles::writeAll(w.dir.file("p.prg"), Bytes{0x00, 0x10, 7});
    constexpr int kRounds = 30;
    for (int round = 0; round < kRounds; ++round) {
        const std::vector<std::vector<std::string>> runs = {
            {"d64-import", w.dir.file("img.t64"), w.dir.file("disk.d64")},
            {"add", w.dir.file("img.t64"), w.dir.file("p.prg")},
            {"label", w.dir.file("img.t64"), "R" + std::to_string(round)},
        };
        std::vector<std::intptr_t> started;
        for (std::size_t i = 0; i < runs.size(); ++i)
            started.push_back(
                testfiles::startProgram(VORNIX_CLI, runs[i], {}, {}, w.dir.file("err" + std::to_string(i))));
        for (std::size_t i = 0; i < runs.size(); ++i)
            ASSERT_EQ(testfiles::waitProgram(started[i]), 0) << runs[i][0] << ": " << [&] {
                const Bytes err = testfiles::readAll(w.dir.file("err" + std::to_string(i)));
                return std::string(err.begin(), err.end());
            }();
        const std::string listed = w.run({"list", "img.t64"}).out;
        ASSERT_TRUE(has(listed, "entries:  " + std::to_string(2 + 2 * (round + 1)) + "\n"))
            << "round " << round << ":\n"
            << listed;
        ASSERT_TRUE(has(listed, "label:    \"R" + std::to_string(round) + " ")) << listed;
    }
}

#ifdef __linux__
// A new disk image gets its name only when complete, and no other name ever shows in the
// folder: a kill at any moment leaves neither a temporary file nor a partial disk.
TEST(DiskCli, ExportToANewFileNamesNothingElse) {
    Workspace w;
    std::filesystem::create_directory(w.dir.file("out"));
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, w.dir.file("out").c_str(), IN_CREATE | IN_MOVED_TO), 0);
    ASSERT_EQ(w.run({"d64-export", "img.t64", "out/new.d64"}).code, 0);
    std::set<std::string> named;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;)
        for (char* p = buffer; p < buffer + n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(p);
            if (e->len)
                named.insert(e->name);
            p += sizeof(inotify_event) + e->len;
        }
    close(watch);
    EXPECT_EQ(named, std::set<std::string>{"new.d64"});
    EXPECT_EQ(w.file("out/new.d64").size(), 174848u);
}
#endif
