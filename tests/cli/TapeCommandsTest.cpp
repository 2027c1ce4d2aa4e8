// The tape commands of vornix-cli as a user runs them.
#include "tape/Decoder.h"
#include "tests/support/ProgramBuilder.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifdef __linux__
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using testfiles::Bytes;
using testfiles::ProgramRun;

namespace {

ProgramRun cli(const testfiles::TempDir& dir, std::vector<std::string> args) {
    return testfiles::runCli(dir.path().string(), std::move(args));
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const std::string kPrintH = VORNIX_TEST_DATA "/c64-sigrok-tap_print_h.tap";

// Three PRG files and a T64 image of them.
std::vector<Bytes> makeImage(const testfiles::TempDir& dir) {
    std::vector<Bytes> prgs;
    std::vector<std::string> args{"create", dir.file("img.t64")};
    for (int i = 0; i < 3; ++i) {
        const Bytes b = testfiles::prgBytes(0x0801 + i * 0x1000, 50 + i * 200, i);
        const std::string name = dir.file("P" + std::to_string(i) + ".prg");
        testfiles::writeAll(name, b);
        args.push_back(name);
        prgs.push_back(b);
    }
    EXPECT_EQ(cli(dir, args).code, 0);
    return prgs;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

#ifdef __linux__
// Runs vornix-cli with its data memory (heap and private mappings) limited to limit bytes;
// its exit code, or -1 when it did not end normally (an allocation it could not make).
int runCliWithin(std::uint64_t limit, const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(VORNIX_CLI)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit data{limit, limit};
        const int quiet = open("/dev/null", O_WRONLY);
        if (setrlimit(RLIMIT_DATA, &data) != 0 || quiet < 0 || dup2(quiet, 2) < 0 || dup2(quiet, 1) < 0)
            _exit(127);
        execv(VORNIX_CLI, argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

} // namespace

#ifdef __linux__
// A long tape is converted a chunk at a time: 40 MB of pulses pass through 24 MB of memory.
TEST(TapeCli, ALongTapeIsConvertedInLittleMemory) {
    if (kSanitized)
        GTEST_SKIP() << "the sanitizers' own memory does not fit the limit";
    testfiles::TempDir dir;
    constexpr std::uint32_t kPulses = 40u << 20;
    Bytes chunk(1 << 20);
    for (std::size_t i = 0; i < chunk.size(); ++i)
        chunk[i] = static_cast<std::uint8_t>(0x30 + i % 0x28);
    {
        std::ofstream tap(dir.file("long.tap"), std::ios::binary);
        const char header[20] = {'C',
                                 '6',
                                 '4',
                                 '-',
                                 'T',
                                 'A',
                                 'P',
                                 'E',
                                 '-',
                                 'R',
                                 'A',
                                 'W',
                                 1,
                                 0,
                                 0,
                                 0,
                                 0,
                                 0,
                                 static_cast<char>(kPulses >> 16 & 0xFF),
                                 static_cast<char>(kPulses >> 24)};
        tap.write(header, sizeof header);
        for (std::uint32_t i = 0; i < kPulses / chunk.size(); ++i)
            tap.write(reinterpret_cast<const char*>(chunk.data()),
                      static_cast<std::streamsize>(chunk.size()));
    }
    EXPECT_EQ(runCliWithin(24u << 20, {"tap-v1", dir.file("long.tap"), dir.file("out.tap")}), 0);
    EXPECT_EQ(std::filesystem::file_size(dir.file("out.tap")), 20u + kPulses);
}
#endif

TEST(TapeCli, ImageToTapeAndBack) {
    testfiles::TempDir dir;
    const std::vector<Bytes> prgs = makeImage(dir);
    auto r = cli(dir, {"t64-to-tap", dir.file("img.t64"), dir.file("all.tap")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "3 programs")) << r.out;

    r = cli(dir, {"tap-list", dir.file("all.tap")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "2: \"P1\" $1801-$18FA, 250 bytes, ROM loader")) << r.out;
    EXPECT_TRUE(contains(r.out, "3 files: 3 good")) << r.out;

    r = cli(dir, {"tap-list", "--json", dir.file("all.tap")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "\"kind\": \"tap\", \"version\": 1")) << r.out;
    EXPECT_TRUE(contains(r.out, "{\"name\": \"P2\", \"loader\": \"rom\", \"load\": 10241, \"end\": 10691, "
                                "\"size\": 450, \"start\": "))
        << r.out;

    // A folder that does not exist yet is made, as unzip -d makes it.
    r = cli(dir, {"tap-extract", dir.file("all.tap"), "-o", dir.file("x/tape")});
    ASSERT_EQ(r.code, 0) << r.err;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(testfiles::readAll(dir.file("x/tape/P" + std::to_string(i) + ".PRG")), prgs[i]);

    // Only the second entry, to a T64 again.
    ASSERT_EQ(cli(dir, {"t64-to-tap", dir.file("img.t64"), dir.file("one.tap"), "2"}).code, 0);
    r = cli(dir, {"tap-to-t64", dir.file("one.tap"), dir.file("one.t64")});
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_EQ(cli(dir, {"extract", dir.file("one.t64"), "-o", dir.file("x/tape")}).code, 0);
    EXPECT_EQ(testfiles::readAll(dir.file("x/tape/P1_1.PRG")), prgs[1]);
    ASSERT_EQ(cli(dir, {"extract", dir.file("one.t64"), "-o", dir.file("y/image")}).code, 0);
    EXPECT_EQ(testfiles::readAll(dir.file("y/image/P1.PRG")), prgs[1]);
}

TEST(TapeCli, RecordingsAndVersionOne) {
    testfiles::TempDir dir;
    makeImage(dir);
    ASSERT_EQ(cli(dir, {"t64-to-tap", dir.file("img.t64"), dir.file("all.tap")}).code, 0);
    for (const char* bits : {"8", "16"}) {
        const std::string wav = dir.file(std::string("all") + bits + ".wav");
        auto r = cli(dir, {"tap-to-wav", dir.file("all.tap"), wav, "--bits", bits, "--rate", "48000"});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(testfiles::readAll(wav).at(0), 'R');
        r = cli(dir, {"tap-list", wav});
        EXPECT_TRUE(contains(r.out, "WAV 48000 Hz, " + std::string(bits) + "-bit, mono")) << r.out;
        EXPECT_TRUE(contains(r.out, "3 files: 3 good")) << r.out;
        r = cli(dir, {"tap-v1", wav, dir.file("v1.tap")});
        ASSERT_EQ(r.code, 0) << r.err;
        r = cli(dir, {"tap-list", dir.file("v1.tap")});
        EXPECT_TRUE(contains(r.out, "3 files: 3 good")) << r.out;
    }
}

// A WAV whose header gives a rate too low to carry a tape signal is refused with the reason
// before anything is written (at 1 Hz each sample would be a second of tape); a rate given
// on the command line still reads it.
TEST(TapeCli, ARateThatCannotCarryATapeSignalIsRefused) {
    testfiles::TempDir dir;
    makeImage(dir);
    ASSERT_EQ(cli(dir, {"t64-to-tap", dir.file("img.t64"), dir.file("all.tap")}).code, 0);
    ASSERT_EQ(cli(dir, {"tap-to-wav", dir.file("all.tap"), dir.file("good.wav"), "--rate", "8000"}).code, 0);
    Bytes wav = testfiles::readAll(dir.file("good.wav"));
    ASSERT_GT(wav.size(), 44u);
    wav[24] = 1; // the header's rate: 1 Hz
    wav[25] = wav[26] = wav[27] = 0;
    const std::string slow = dir.file("slow.wav");
    testfiles::writeAll(slow, wav);

    auto r = cli(dir, {"tap-list", slow});
    ASSERT_EQ(r.code, 1);
    ASSERT_TRUE(contains(r.err,
                         "slow.wav: a WAV recording that is not read: its header gives a sample rate "
                         "of 1 Hz, too low to carry a tape signal (8000 Hz at the least; give the rate "
                         "when the header is wrong)"))
        << r.err;
    r = cli(dir, {"tap-to-wav", slow, dir.file("out.wav")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.err, "sample rate of 1 Hz")) << r.err;
    EXPECT_FALSE(testfiles::exists(dir.file("out.wav")));

    r = cli(dir, {"tap-list", slow, "--rate", "8000"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "3 files: 3 good")) << r.out;
    r = cli(dir, {"tap-v1", dir.file("good.wav"), dir.file("o.tap"), "--rate", "4000"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.err, "a sample rate of 4000 Hz, too low to carry a tape signal")) << r.err;
    EXPECT_FALSE(testfiles::exists(dir.file("o.tap")));
}

TEST(TapeCli, TheRealCaptureIsListed) {
    testfiles::TempDir dir;
    const auto r = cli(dir, {"tap-list", "--json", kPrintH});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(
        contains(r.out, "{\"name\": \"H\", \"loader\": \"rom\", \"load\": 2049, \"end\": 2060, \"size\": 11"))
        << r.out;
    EXPECT_TRUE(contains(r.out, "\"notes\": [\"the header gives a data length of 4 bytes")) << r.out;
    // Notes are worded in the style of every other message: lower case, no full stop.
    EXPECT_TRUE(contains(cli(dir, {"tap-list", kPrintH}).out,
                         "\nnote: the header gives a data length of 4 bytes; the file holds 41,758: it is "
                         "read to its end\n"));
}

// Every registered loader is listed by id and name, without a tape.
TEST(TapeCli, TheLoadersAreListed) {
    testfiles::TempDir dir;
    const ProgramRun r = cli(dir, {"tap-list", "--loaders"});
    ASSERT_EQ(r.code, 0) << r.err;
    const ProgramRun json = cli(dir, {"tap-list", "--loaders", "--json"});
    ASSERT_EQ(json.code, 0) << json.err;
    for (const vornix::tape::LoaderInfo& l : vornix::tape::loaders()) {
        EXPECT_TRUE(contains(r.out, std::string(l.id) + " ") && contains(r.out, std::string(l.name) + "\n"))
            << r.out;
        EXPECT_TRUE(contains(json.out, "{\"id\": \"" + std::string(l.id) + "\", \"name\": \"" +
                                           std::string(l.name) + "\"}"))
            << json.out;
    }
}

TEST(TapeCli, RefusalsAndUsageErrors) {
    testfiles::TempDir dir;
    makeImage(dir);
    testfiles::writeText(dir.file("words.tap"), "no tape here, only some words of text\n");
    const struct {
        std::vector<std::string> args;
        int code;
        const char* says;
    } cases[] = {
        {{"tap-list"}, 2, "missing TAPE"},
        {{"tap-list", "a", "b"}, 2, "too many"},
        {{"tap-list", "--loaders", "a.tap"}, 2, "--loaders takes no other arguments"},
        {{"tap-list", "x.tap", "--threshold", "0"}, 2, "--threshold"},
        {{"tap-list", "x.tap", "--speed", "fast"}, 2, "--speed"},
        {{"tap-list", "x.tap", "--v0-ms", "-3"}, 2, "--v0-ms"},
        {{"tap-to-wav", "a.tap", "b.wav", "--bits", "12"}, 2, "--bits"},
        {{"tap-to-wav", "a.tap", "b.wav", "--rate", "100"}, 2, "--rate"},
        {{"t64-to-tap", "img.t64", "o.tap", "0"}, 2, ""},
        {{"t64-to-tap", "img.t64", "o.tap", "9"}, 1, "no entry 9"},
        {{"t64-to-tap", "img.t64", "img.t64"}, 1, "itself"},
        {{"tap-list", "words.tap"}, 1, "not a TAP file nor a WAV"},
        {{"tap-list", "missing.tap"}, 1, "missing.tap"},
        {{"tap-to-t64", "words.tap", "o.t64"}, 1, "not a TAP"},
        {{"tap-extract", "words.tap", "-o", "nowhere"}, 1, "not a TAP"},
        {{"tap-v1", "words.tap", "o.tap"}, 1, "words.tap"},
    };
    for (const auto& c : cases) {
        const ProgramRun r = cli(dir, c.args);
        EXPECT_EQ(r.code, c.code) << c.args[0] << " " << c.args.back() << ": " << r.err;
        EXPECT_TRUE(contains(r.err, c.says)) << r.err;
    }
    EXPECT_FALSE(testfiles::exists(dir.file("o.tap")));
    EXPECT_FALSE(testfiles::exists(dir.file("o.t64")));
    EXPECT_FALSE(testfiles::exists(dir.file("nowhere"))); // no folder is made for nothing
    for (const char* command :
         {"tap-list", "tap-extract", "tap-to-t64", "tap-v1", "t64-to-tap", "tap-to-wav"}) {
        const ProgramRun r = cli(dir, {command, "--help"});
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(contains(r.out, std::string("usage: vornix-cli ") + command)) << r.out;
    }
}
