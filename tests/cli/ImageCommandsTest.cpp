// vornix-cli as a user runs it: exit codes, messages, and the files it leaves.
#include "core/PlatformFile.h"
#include "tests/support/ProgramBuilder.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using testfiles::Bytes;

using CliRun = testfiles::ProgramRun;

CliRun cli(const testfiles::TempDir& dir, const std::vector<std::string>& args) {
    return testfiles::runCli(dir.path().string(), args);
}

bool has(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

struct Workspace {
    testfiles::TempDir dir;
    Workspace() {
        testfiles::writeAll(dir.file("game.prg"), {0x01, 0x08, 'h', 'e', 'l', 'l', 'o'});
        testfiles::writeAll(dir.file("Intro.Prg"), {0x00, 0xC0, 1, 2, 3});
        testfiles::writeAll(dir.file("short.prg"), {0x01});
        EXPECT_EQ(cli(dir, {"create", "img.t64", "--label", "demo", "game.prg", "Intro.Prg"}).code, 0);
    }
    CliRun operator()(const std::vector<std::string>& args) { return cli(dir, args); }
    Bytes image() const { return testfiles::readAll(dir.file("img.t64")); }
};

} // namespace

TEST(Cli, EverySubcommandHasHelp) {
    testfiles::TempDir dir;
    for (const char* name :
         {"list", "create", "add", "delete", "rename", "move", "label", "capacity", "extract"}) {
        const CliRun r = cli(dir, {name, "--help"});
        EXPECT_EQ(r.code, 0) << name;
        EXPECT_EQ(r.out.rfind(std::string("usage: vornix-cli ") + name, 0), 0u) << r.out;
    }
    EXPECT_EQ(cli(dir, {"--help"}).code, 0);
}

TEST(Cli, UsageErrorsExit2AndTouchNothing) {
    Workspace w;
    const Bytes before = w.image();
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "usage"},
        {{"frobnicate"}, "unknown command"},
        {{"list"}, "missing IMAGE"},
        {{"list", "img.t64", "--yaml"}, "unknown option --yaml"},
        {{"create", "new.t64", "--capacity", "300"}, "0 to 255"},
        {{"create", "new.t64", "--label"}, "needs a value"},
        {{"delete", "img.t64", "x"}, "not 'x'"},
        {{"delete", "img.t64", "0"}, "not '0'"},
        {{"rename", "img.t64", "1"}, "missing"},
        {{"move", "img.t64", "1"}, "exactly one"},
        {{"move", "img.t64", "1", "--up", "--down"}, "exactly one"},
        {{"capacity", "img.t64", "-1"}, "unknown option"},
        {{"capacity", "img.t64", "256"}, "0 to 255"},
        {{"label", "img.t64", "A", "B"}, "too many"},
        {{"extract", "img.t64", "two"}, "not 'two'"},
    };
    for (const auto& c : cases) {
        const CliRun r = w(c.args);
        EXPECT_EQ(r.code, 2) << r.err;
        EXPECT_TRUE(has(r.err, c.message)) << r.err;
    }
    EXPECT_EQ(w.image(), before);
    EXPECT_FALSE(testfiles::exists(w.dir.file("new.t64")));
}

TEST(Cli, FailuresExit1NameTheFileAndTouchNothing) {
    Workspace w;
    testfiles::writeAll(w.dir.file("junk.t64"), {'C', '6', '5', 0});
    const Bytes before = w.image();
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> message;
    } cases[] = {
        {{"delete", "img.t64", "3"}, {"img.t64", "no entry 3"}},
        {{"move", "img.t64", "7", "--top"}, {"img.t64", "no entry 7"}},
        {{"add", "img.t64", "game.prg", "missing.prg"}, {"missing.prg", "No such file"}},
        {{"add", "img.t64", "short.prg"}, {"short.prg", "at least 2 bytes"}},
        {{"list", "junk.t64"}, {"junk.t64", "not a T64 image"}},
        {{"label", "absent.t64", "X"}, {"absent.t64", "No such file"}},
        {{"create", "new.t64", "game.prg", "short.prg"}, {"short.prg", "new.t64"}},
        {{"extract", "img.t64", "-o", "game.prg"}, {"game.prg", "not a folder"}},
        {{"extract", "img.t64", "1", "9"}, {"img.t64", "no entry 9"}},
    };
    for (const auto& c : cases) {
        const CliRun r = w(c.args);
        EXPECT_EQ(r.code, 1) << c.args[0] << ": " << r.err;
        for (const std::string& m : c.message)
            EXPECT_TRUE(has(r.err, m)) << r.err;
        EXPECT_EQ(w.image(), before) << c.args[0];
    }
    EXPECT_FALSE(testfiles::exists(w.dir.file("new.t64")));
    // game.prg is there already: only the exact name tells (file names may ignore case).
    for (const auto& f : std::filesystem::directory_iterator(w.dir.path()))
        EXPECT_NE(f.path().filename(), "GAME.PRG") << "a bad entry number stops before writing";
}

TEST(Cli, CreateAndList) {
    Workspace w;
    CliRun r = w({"list", "img.t64", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "{\"label\": \"DEMO                    \", \"capacity\": 2, \"entries\": [\n"
        "  {\"number\": 1, \"name\": \"GAME            \", \"size\": 5, \"load\": 2049, \"end\": 2054},\n"
        "  {\"number\": 2, \"name\": \"INTRO           \", \"size\": 3, \"load\": 49152, \"end\": 49155}\n"
        "]}\n");
    r = w({"list", "img.t64"});
    EXPECT_TRUE(has(r.out, "capacity: 2\nentries:  2\n")) << r.out;
    EXPECT_TRUE(has(r.out, "   2  \"INTRO           \"          3  $C000  $C003\n")) << r.out;

    r = w({"create", "empty.t64", "--capacity=120", "--type-01"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(has(r.err, "it is 99")) << "the capacity rule is told";
    const Bytes empty = testfiles::readAll(w.dir.file("empty.t64"));
    ASSERT_EQ(empty.size(), 64u + 32u * 99u);
    EXPECT_EQ(std::string(empty.begin() + 40, empty.begin() + 64), ".                       ");
    r = w({"list", "empty.t64", "--json"});
    EXPECT_EQ(r.out, "{\"label\": \".                       \", \"capacity\": 99, \"entries\": []}\n");
}

TEST(Cli, EditsSaveInPlace) {
    Workspace w;
    EXPECT_EQ(w({"add", "img.t64", "game.prg"}).code, 0);
    EXPECT_EQ(w({"move", "img.t64", "3", "--top"}).code, 0);
    EXPECT_EQ(w({"move", "img.t64", "2", "--down"}).code, 0);
    EXPECT_EQ(w({"rename", "img.t64", "1", "first one"}).code, 0);
    EXPECT_EQ(w({"label", "img.t64", "Side b"}).code, 0);
    // A value the rule does not allow is clamped, as the help says, and told.
    const CliRun clamped = w({"capacity", "img.t64", "1"});
    EXPECT_EQ(clamped.code, 0);
    EXPECT_EQ(clamped.err, "vornix-cli: img.t64: capacity 1 is outside 3 to 99; it is 3\n");
    EXPECT_TRUE(has(w({"capacity", "--help"}).out, "clamped")) << "the help tells of the clamping";
    EXPECT_EQ(w({"capacity", "img.t64", "10"}).code, 0);
    EXPECT_EQ(w({"delete", "img.t64", "2"}).code, 0);
    Bytes b = w.image();
    ASSERT_EQ(b.size(), 64u + 32u * 10 + 5 + 5);
    EXPECT_EQ(b[36], 2);
    EXPECT_EQ(std::string(b.begin() + 40, b.begin() + 64), "SIDE B                  ");
    EXPECT_EQ(std::string(b.begin() + 80, b.begin() + 96), "FIRST ONE       ");
    EXPECT_EQ(std::string(b.begin() + 112, b.begin() + 128), "GAME            ");
    EXPECT_EQ(b[65], 0x82);

    // Nothing to move: told, exit 0, file unchanged. Type 0x01 survives later edits.
    CliRun r = w({"move", "img.t64", "1", "--up"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(has(r.err, "already at the top"));
    EXPECT_EQ(w.image(), b);
    EXPECT_EQ(w({"label", "img.t64", "t", "--type-01"}).code, 0);
    EXPECT_EQ(w({"label", "img.t64", "u"}).code, 0);
    b = w.image();
    EXPECT_EQ(b[64 + 1], 0x01);
    EXPECT_EQ(b[96 + 1], 0x01);
}

TEST(Cli, OptionsStandAnywhereAndDoubleDashEndsThem) {
    Workspace w;
    EXPECT_EQ(w({"--version"}).out.rfind("vornix-cli ", 0), 0u);
    EXPECT_EQ(w({"move", "img.t64", "--bottom", "1"}).code, 0);
    EXPECT_EQ(w({"rename", "img.t64", "1", "--", "-x-"}).code, 0);
    EXPECT_EQ(w({"create", "--", "--odd.t64", "game.prg"}).code, 0);
    CliRun r = w({"list", "--json", "--", "img.t64"});
    EXPECT_TRUE(has(r.out, "\"name\": \"-X-             \"")) << r.out << r.err;
    EXPECT_EQ(w({"list", "--", "--odd.t64"}).code, 0);
    EXPECT_EQ(w({"list", "img.t64", "--", "--json"}).code, 2); // a second operand
    // After "--" a word that looks like an option is a file name, also for the pictures and TAP.
    r = w({"koala", "--", "--help", "out.prg"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(has(r.err, "--help")) << r.err;
    r = w({"tap-join", "out.tap", "--", "--pause=1"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(has(r.err, "--pause=1")) << r.err;
    // An empty value is a value, not a reason to take the next word.
    EXPECT_EQ(w({"create", "new.t64", "--label=", "game.prg"}).code, 0);
    EXPECT_TRUE(has(w({"list", "new.t64"}).out, "entries:  1\n"));
}

TEST(Cli, ExtractWritesNumberedFilesInListOrder) {
    Workspace w;
    const char sep = static_cast<char>(std::filesystem::path::preferred_separator);
    const std::string out = std::string("out") + sep;
    std::filesystem::create_directory(w.dir.file("out"));
    CliRun r = w({"extract", "img.t64", "-o", "out"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, out + "GAME.PRG\n" + out + "INTRO.PRG\n");
    r = w({"extract", "img.t64", "2", "1", "2", "--output=out"});
    EXPECT_EQ(r.out, out + "GAME_1.PRG\n" + out + "INTRO_1.PRG\n");
    EXPECT_EQ(testfiles::readAll(w.dir.file("out/GAME_1.PRG")), testfiles::readAll(w.dir.file("game.prg")));
    // Intro.Prg would take the name INTRO.PRG where file names ignore case.
    const Bytes intro = testfiles::readAll(w.dir.file("Intro.Prg"));
    std::filesystem::remove(w.dir.file("Intro.Prg"));
    r = w({"extract", "img.t64", "2"});
    EXPECT_EQ(r.out, std::string(".") + sep + "INTRO.PRG\n");
    EXPECT_EQ(testfiles::readAll(w.dir.file("INTRO.PRG")), intro);
}

TEST(Cli, ForeignImages) {
    testfiles::TempDir dir;
    // Used-entries count 0, and a second offset past the end: read, repaired, said so.
    testfiles::writeAll(dir.file("odd.t64"),
                        testfiles::rawT64(3, 0, {{1, 160, "A\"B\\"}, {1, 170, "\xC1\xC0\x01"}, {0, 0}}, 172));
    CliRun r = cli(dir, {"list", "odd.t64", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(has(r.err, "odd.t64: directory repaired: the used-entries count is 0")) << r.err;
    EXPECT_TRUE(has(r.out, "\"name\": \"A\\\"B\\\\            \", \"size\": 10")) << r.out;
    EXPECT_TRUE(has(r.out, "\"name\": \"A\xC3\x80\\u0001             \", \"size\": 2")) << r.out;

    testfiles::writeAll(dir.file("far.t64"), testfiles::rawT64(2, 2, {{1, 128}, {1, 9000}}, 140));
    r = cli(dir, {"list", "far.t64"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(has(r.err, "far.t64: directory repaired: the data offsets of entries 1 and 2")) << r.err;

    r = cli(dir, {"list", std::string(VORNIX_TEST_DATA) + "/t64fix_c64sfreeze-2.52.t64"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_TRUE(has(r.out, "\"FREEZE          \"      66804  $0000  $0000")) << r.out;
}

TEST(Cli, ConcurrentEditsAllLand) {
    Workspace w;
    constexpr int kWriters = 6;
    for (int i = 0; i < kWriters; ++i)
        testfiles::writeAll(w.dir.file("p" + std::to_string(i) + ".prg"), Bytes(5000 + i, 0x08));
    std::vector<std::intptr_t> started;
    for (int i = 0; i < kWriters; ++i)
        started.push_back(testfiles::startProgram(
            VORNIX_CLI, {"add", w.dir.file("img.t64"), w.dir.file("p" + std::to_string(i) + ".prg")}, {}, {},
            {}));
    for (std::intptr_t p : started)
        EXPECT_EQ(testfiles::waitProgram(p), 0);
    const CliRun r = w({"list", "img.t64"});
    EXPECT_TRUE(has(r.out, "entries:  " + std::to_string(2 + kWriters) + "\n")) << r.out;
    for (int i = 0; i < kWriters; ++i)
        EXPECT_TRUE(has(r.out, "\"P" + std::to_string(i) + "              \"")) << r.out;
}

#ifdef __linux__
// Whether the process waits for a file lock: /proc/locks lists a blocked request with "->".
bool waitsForLock(std::intptr_t pid) {
    std::ifstream locks("/proc/locks");
    const std::string id = " " + std::to_string(pid) + " ";
    for (std::string line; std::getline(locks, line);)
        if (has(line, "->") && has(line, id))
            return true;
    return false;
}

// Every command that writes a whole image takes the lock an edit holds: started while an edit
// (the test, holding the lock) is under way, it waits and lands after the edit, never beneath it.
TEST(Cli, WholeImageWritesWaitForAnEditInProgress) {
    Workspace w;
    const std::string tape = VORNIX_TEST_DATA "/c64-sigrok-tap_print_h.tap";
    const std::string img = w.dir.file("img.t64");
    ASSERT_EQ(w({"create", "edit.t64", "--label", "edit", "game.prg", "Intro.Prg", "game.prg"}).code, 0);
    const Bytes edited = testfiles::readAll(w.dir.file("edit.t64"));
    const std::vector<std::pair<std::string, std::vector<std::string>>> writers = {
        {VORNIX_CLI, {"create", img, w.dir.file("game.prg")}},
        {VORNIX_CLI, {"tap-to-t64", tape, img}},
        {VORNIX_TAPE64, {"-i:" + tape, "-y", "-ot:" + img}},
    };
    for (const auto& [program, args] : writers) {
        vornix::platform::ExclusiveLock edit;
        ASSERT_FALSE(edit.acquire(img));
        const std::intptr_t pid = testfiles::startProgram(program, args, {}, {}, {});
        ASSERT_GT(pid, 0);
        int status = 0;
        bool ended = false;
        while (!ended && !waitsForLock(pid)) {
            ended = waitpid(static_cast<pid_t>(pid), &status, WNOHANG) == pid;
            usleep(1000);
        }
        // The edit saves as every edit does: its new image renamed into place.
        testfiles::writeAll(img + ".new", edited);
        std::filesystem::rename(img + ".new", img);
        edit.release();
        EXPECT_FALSE(ended) << args[0] << " wrote while an edit held the image";
        EXPECT_EQ(ended ? (WIFEXITED(status) ? WEXITSTATUS(status) : -1) : testfiles::waitProgram(pid), 0);
        EXPECT_NE(w.image(), edited) << args[0] << ": the whole image was lost beneath the edit";
        EXPECT_EQ(w({"list", "img.t64"}).code, 0);
    }
}
#endif

// Inputs that are not regular files are refused at once; outputs that are not regular files,
// or are read-only, are refused and left as they were.
TEST(Cli, PipesDevicesAndReadOnlyFiles) {
    Workspace w;
#ifdef _WIN32
    // Windows has no FIFOs in folders; its devices are reached by their reserved names.
    const std::string pipe = "NUL", device = "CON";
#else
    ASSERT_EQ(mkfifo(w.dir.file("pipe").c_str(), 0644), 0);
    const std::string pipe = "pipe", device = "/dev/null";
#endif
    Bytes tap(24, 0);
    std::memcpy(tap.data(), "C64-TAPE-RAW\x01", 13);
    tap[16] = 4;
    testfiles::writeAll(w.dir.file("a.tap"), tap);
    testfiles::writeAll(w.dir.file("pic.kla"), Bytes(10003, 0x11));
    const std::vector<std::vector<std::string>> refused = {
        {"list", pipe},       {"extract", pipe},           {"add", "img.t64", pipe},
        {"label", pipe, "X"}, {"tap-join", "o.tap", pipe}, {"koala", pipe, "o.prg"},
        {"create", pipe},     {"koala", "pic.kla", pipe},  {"tap-join", pipe, "a.tap"},
        {"create", device},
    };
    for (const auto& args : refused) {
        const CliRun r = w(args);
        EXPECT_EQ(r.code, 1) << args[0] << " " << args[1];
        EXPECT_TRUE(has(r.err, "not a regular file")) << r.err;
    }
#ifndef _WIN32
    EXPECT_TRUE(std::filesystem::is_fifo(w.dir.file("pipe")));
#endif

    const Bytes before = w.image();
    const auto writable = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                          std::filesystem::perms::others_write;
    std::filesystem::permissions(w.dir.file("img.t64"), writable, std::filesystem::perm_options::remove);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"label", "img.t64", "X"}, {"create", "img.t64"}, {"koala", "pic.kla", "img.t64"}}) {
        const CliRun r = w(args);
        EXPECT_EQ(r.code, 1) << args[0];
        EXPECT_TRUE(has(r.err, "read-only")) << r.err;
    }
    EXPECT_EQ(w.image(), before);
    std::filesystem::permissions(w.dir.file("img.t64"), writable, std::filesystem::perm_options::add);

    // The reason a picture cannot be read.
    EXPECT_TRUE(has(w({"koala", "absent.kla", "o.prg"}).err, "absent.kla: No such file or directory"));
    EXPECT_TRUE(has(w({"fli", ".", "o.prg"}).err, "is a folder"));
}

TEST(Cli, NamesReachNoTerminalRaw) {
    Workspace w;
    ASSERT_EQ(w({"rename", "img.t64", "1", "\x1b[2J\tA\\"}).code, 0);
    ASSERT_EQ(w({"rename", "img.t64", "2", "\xa0\xa0"}).code, 0);
    CliRun r = w({"list", "img.t64"});
    EXPECT_TRUE(has(r.out, "\"\\x1B[2J\\x09A\\\\         \"")) << r.out;
    EXPECT_FALSE(has(r.out, "\x1b")) << r.out;
    std::filesystem::create_directory(w.dir.file("out"));
    r = w({"extract", "img.t64", "-o", "out"});
    const std::string out =
        std::string("out") + static_cast<char>(std::filesystem::path::preferred_separator);
    EXPECT_EQ(r.out, out + "_[2J_A_.PRG\n" + out + "_.PRG\n") << r.err;
}

// Names outside ASCII (bytes of the platform's encoding; on Windows its ANSI code page) and
// paths longer than the old 260-character limit of Windows.
TEST(Cli, NonAsciiAndLongPaths) {
    Workspace w;
    // Narrow names joined as bytes: std::filesystem would not keep them on Windows.
    const std::string base = w.dir.path().string() + "/";
    const std::string image = "caf\xe9.t64", folder = "dossier-\xe9";
    std::filesystem::create_directory(base + folder);
    testfiles::writeAll(base + "\xe9t\xe9.prg", {0x01, 0x08, 0x60});
    testfiles::writeAll(base + "caf\xe9.kla", Bytes(10003, 0x11));
    ASSERT_EQ(w({"create", image, "game.prg", "\xe9t\xe9.prg"}).code, 0);
    const Bytes written = testfiles::readAll(base + image);
    ASSERT_GT(written.size(), 96u + 19u);
    EXPECT_EQ(std::string(written.begin() + 96 + 16, written.begin() + 96 + 19), "\xe9T\xe9")
        << "the entry name comes from the file name's bytes";
    ASSERT_EQ(w({"koala", "caf\xe9.kla", "caf\xe9.prg"}).code, 0);
    EXPECT_EQ(testfiles::readAll(base + "caf\xe9.prg").size(), 10003u + 6143u);
    const CliRun r = w({"extract", image, "-o", folder});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(testfiles::readAll(base + folder + "/GAME.PRG"), testfiles::readAll(w.dir.file("game.prg")));

    const std::string deep = std::string(120, 'd') + "/" + std::string(120, 'e');
    std::filesystem::create_directories(w.dir.path() / deep);
    const std::string longImage = deep + "/" + std::string(100, 'i') + ".t64";
    ASSERT_EQ(w({"create", longImage, "game.prg", "Intro.Prg"}).code, 0);
    ASSERT_EQ(w({"delete", longImage, "1"}).code, 0);
    EXPECT_TRUE(has(w({"list", longImage}).out, "entries:  1\n"));
    EXPECT_EQ(w({"extract", longImage, "-o", deep}).code, 0);
    EXPECT_TRUE(has(w({"list", longImage}).out, "INTRO")) << "the image is still readable";
}

TEST(Cli, EditsKeepTheCapacity) {
    testfiles::TempDir dir;
    testfiles::writeAll(dir.file("big.t64"),
                        testfiles::rawT64(120, 1, {{1, 64 + 32 * 120}}, 64 + 32 * 120 + 9));
    testfiles::writeAll(dir.file("p.prg"), {0x01, 0x08, 1});
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"label", "big.t64", "X"},
                                               {"add", "big.t64", "p.prg"},
                                               {"rename", "big.t64", "2", "B"},
                                               {"move", "big.t64", "2", "--top"},
                                               {"delete", "big.t64", "1"}}) {
        ASSERT_EQ(cli(dir, args).code, 0) << args[0];
        EXPECT_EQ(testfiles::readAll(dir.file("big.t64"))[34], 120) << args[0];
    }
    EXPECT_EQ(cli(dir, {"capacity", "big.t64", "120"}).code, 0);
    EXPECT_EQ(testfiles::readAll(dir.file("big.t64"))[34], 99)
        << "the capacity command keeps the editor's limit";
}

// An independent reader that sizes entries from their addresses reads programs above $7FFF
// whole.
TEST(Cli, ProgramsAboveBit15ReadWholeByAnotherReader) {
#ifdef _WIN32
    GTEST_SKIP() << "cbmconvert is a Linux program here";
#endif
    const std::string cbmconvert = "/usr/bin/cbmconvert";
    if (!std::filesystem::exists(cbmconvert))
        GTEST_SKIP() << "cbmconvert is not installed";
    testfiles::TempDir dir;
    Bytes high{0x00, 0xC0};
    for (int i = 0; i < 256; ++i)
        high.push_back(static_cast<std::uint8_t>(i));
    testfiles::writeAll(dir.file("high.prg"), high);
    testfiles::writeAll(dir.file("low.prg"), {0x01, 0x08, 'h', 'i'});
    ASSERT_EQ(cli(dir, {"create", "img.t64", "high.prg", "low.prg"}).code, 0);
    std::filesystem::create_directory(dir.file("out"));
    testfiles::runProgram(cbmconvert, {"-N", "-t", "../img.t64"}, dir.file("out"), {}, {});
    EXPECT_EQ(testfiles::readAll(dir.file("out/high.prg")), high);
    EXPECT_EQ(testfiles::readAll(dir.file("out/low.prg")), testfiles::readAll(dir.file("low.prg")));
}

// An output that names an input (the same path, a link to it, a hard link) is refused before
// anything is written, by every command that reads one file and writes another.
TEST(Cli, OutputsThatAreTheirInputAreRefused) {
    Workspace w;
    Bytes koala{0x00, 0x60};
    koala.resize(2 + 10001, 0x11);
    testfiles::writeAll(w.dir.file("pic.prg"), koala);
    ASSERT_EQ(w({"add", "img.t64", "pic.prg"}).code, 0);
    const Bytes image = w.image();
    const Bytes prg = testfiles::readAll(w.dir.file("game.prg"));
    std::filesystem::create_hard_link(w.dir.file("img.t64"), w.dir.file("hard.t64"));
    std::filesystem::create_hard_link(w.dir.file("game.prg"), w.dir.file("hard.prg"));
#ifndef _WIN32
    std::filesystem::create_symlink("img.t64", w.dir.file("soft.t64"));
#endif
    const struct {
        std::vector<std::string> args;
        const char* output;
    } cases[] = {
        {{"show", "img.t64", "3", "--png", "img.t64"}, "img.t64"},
        {{"show", "img.t64", "3", "--png", "./hard.t64"}, "./hard.t64"},
        {{"d64-export", "img.t64", "hard.t64"}, "hard.t64"},
        {{"create", "game.prg", "Intro.Prg", "game.prg"}, "game.prg"},
        {{"create", "hard.prg", "game.prg"}, "hard.prg"},
#ifndef _WIN32
        {{"show", "img.t64", "3", "--png", "soft.t64"}, "soft.t64"},
        {{"d64-export", "soft.t64", "img.t64"}, "img.t64"},
#endif
    };
    for (const auto& c : cases) {
        const CliRun r = w(c.args);
        EXPECT_EQ(r.code, 1) << c.args[0] << " " << c.output;
        EXPECT_TRUE(has(r.err, std::string(c.output) + ": this is the ")) << r.err;
        EXPECT_TRUE(has(r.err, " itself; the output needs a name of its own")) << r.err;
    }
    EXPECT_EQ(w.image(), image);
    EXPECT_EQ(testfiles::readAll(w.dir.file("game.prg")), prg);
    // A name of its own is written.
    EXPECT_EQ(w({"show", "img.t64", "3", "--png", "pic.png"}).code, 0);
}

#ifndef _WIN32
// An extraction stopped by SIGINT, SIGTERM or SIGKILL at any moment leaves only complete
// programs under entries' names (and nothing else); equal names are numbered in list order.
TEST(Cli, InterruptedExtractionLeavesOnlyCompletePrograms) {
    Workspace w;
    constexpr int kEntries = 48;
    std::vector<std::string> create = {"create", "big.t64"};
    std::map<std::string, Bytes> expected;
    for (int i = 0; i < kEntries; ++i) {
        // Names repeat: S, S_1, S_2 ... must follow the list.
        const std::string file = i % 2 ? "S" : "P" + std::to_string(i);
        Bytes prg{0x01, 0x08};
        prg.resize(2 + 150000, static_cast<std::uint8_t>(i));
        const std::string source = "src" + std::to_string(i);
        std::filesystem::create_directory(w.dir.file(source));
        testfiles::writeAll(w.dir.file(source + "/" + file + ".prg"), prg);
        create.push_back(source + "/" + file + ".prg");
        const int same = i / 2;
        expected[i % 2 ? (same ? "S_" + std::to_string(same) + ".PRG" : "S.PRG") : file + ".PRG"] = prg;
    }
    ASSERT_EQ(w(create).code, 0);

    int runs = 0;
    for (int sig : {SIGINT, SIGTERM, SIGKILL})
        for (int delayUs : {0, 500, 1500, 3000, 6000, 12000}) {
            const std::string out = w.dir.file("out" + std::to_string(++runs));
            std::filesystem::create_directory(out);
            const std::intptr_t pid = testfiles::startProgram(
                VORNIX_CLI, {"extract", w.dir.file("big.t64"), "-o", out}, {}, {}, {});
            ASSERT_GT(pid, 0);
            usleep(static_cast<useconds_t>(delayUs));
            ::kill(static_cast<pid_t>(pid), sig);
            testfiles::waitProgram(pid);
            for (const auto& file : std::filesystem::directory_iterator(out)) {
                const std::string name = file.path().filename().string();
                ASSERT_TRUE(expected.count(name)) << name << " after signal " << sig;
                EXPECT_EQ(testfiles::readAll(file.path().string()), expected[name]) << name;
            }
        }
    // Run to its end, it writes them all.
    const std::string out = w.dir.file("whole");
    std::filesystem::create_directory(out);
    ASSERT_EQ(w({"extract", "big.t64", "-o", "whole"}).code, 0);
    for (const auto& [name, bytes] : expected)
        EXPECT_EQ(testfiles::readAll(out + "/" + name), bytes) << name;
}
#endif
