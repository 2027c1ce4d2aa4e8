#include "tape/Tape64CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <functional>

using namespace vornix::tape64;

// The window shows and runs a command line, the linker starts the tool with words: both come
// from the same arguments, so a quote in a name must only ever be tripled in the line.
TEST(Tape64CommandLine, VersionOneConversion) {
    EXPECT_EQ(versionOneCommand("/r/GAME.WAV", 100, "/r/GAME.TAP"),
              R"(tape64 -i:"/r/GAME.WAV" -v0:100 -y -or:"/r/GAME.TAP")");
    EXPECT_EQ(versionOneCommand("a\"b", 10, "o"), R"(tape64 -i:"a"""b" -v0:10 -y -or:"o")");

    const struct {
        std::string path;
        std::vector<std::string> words;
        std::string line;
        std::string written;
    } linker[] = {
        {"/t/GAME.TAP",
         {"-i:/t/GAME.TAP", "-or:/t/GAME.TAP1"},
         R"(tape64 -i:"/t/GAME.TAP" -or:"/t/GAME.TAP1")",
         "/t/GAME.TAP1.tap"},
        {"/my dir/a \"b\".tap",
         {"-i:/my dir/a \"b\".tap", "-or:/my dir/a \"b\".tap1"},
         R"(tape64 -i:"/my dir/a """b""".tap" -or:"/my dir/a """b""".tap1")",
         "/my dir/a \"b\".tap1.tap"},
    };
    for (const auto& row : linker) {
        const auto arguments = versionOneArguments(linkerConversion(row.path));
        EXPECT_EQ(words(arguments), row.words) << row.path;
        EXPECT_EQ(commandLine(arguments), row.line) << row.path;
        EXPECT_EQ(tapOutputPath(linkerConversion(row.path).output), row.written) << row.path;
    }
    EXPECT_EQ(tapOutputPath("out.TAP"), "out.TAP");
    EXPECT_EQ(tapOutputPath("out"), "out.tap");
    EXPECT_EQ(tapOutputPath("tap"), "tap.tap");
}

TEST(Tape64CommandLine, AnalysisOptions) {
    auto base = [] {
        AnalysisRequest r;
        r.input = "/r/GAME.WAV";
        return r;
    };
    const std::string head = R"(tape64 -i:"/r/GAME.WAV" -y )";
    // Folder and prefix are joined with the system's own separator.
    const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
    struct Row {
        const char* what;
        std::function<void(AnalysisRequest&)> change;
        std::string tail;
    } rows[] = {
        {"defaults", [](AnalysisRequest&) {}, "-s:1.0 "},
        {"neutral speed", [](AnalysisRequest& r) { r.speedText = "1,00"; }, ""},
        {"speed 1,3", [](AnalysisRequest& r) { r.speedText = "1,3"; }, "-s:1.3 "},
        {"reverse", [](AnalysisRequest& r) { r.reverse = true; }, "-r -s:1.0 "},
        {"frequency",
         [](AnalysisRequest& r) {
             r.frequency = true;
             r.frequencyValue = 22050;
         },
         "-s:1.0 -f:22050 "},
        {"frequency value without its box", [](AnalysisRequest& r) { r.frequencyValue = 22050; }, "-s:1.0 "},
        {"amplitude 11", [](AnalysisRequest& r) { r.amplitude = 11; }, "-s:1.0 -t:11 "},
        {"numbering without P00",
         [](AnalysisRequest& r) {
             r.numbering = true;
             r.output = Output::T64;
             r.t64Path = "t.t64";
         },
         R"(-s:1.0 -ot:"t.t64")"},
        {"damaged without output", [](AnalysisRequest& r) { r.damaged = true; }, "-s:1.0 "},
        {"damaged with T64",
         [](AnalysisRequest& r) {
             r.damaged = true;
             r.output = Output::T64;
             r.t64Path = "t.t64";
         },
         R"(-s:1.0 -e -ot:"t.t64")"},
        {"P00, empty prefix",
         [](AnalysisRequest& r) {
             r.output = Output::P00;
             r.p00Folder = "/out";
         },
         R"(-s:1.0 -op:"/out)" + separator + R"(")"},
        {"P00, prefix and folder with separator",
         [](AnalysisRequest& r) {
             r.output = Output::P00;
             r.p00Folder = "/out/";
             r.prefix = "GAME";
         },
         R"(-s:1.0 -op:"/out/GAME")"},
        {"P00, folder dialog cancelled",
         [](AnalysisRequest& r) {
             r.output = Output::P00;
             r.prefix = "X";
         },
         "-s:1.0 "},
        {"everything, in order",
         [](AnalysisRequest& r) {
             r.reverse = r.frequency = r.numbering = r.damaged = true;
             r.speedText = "0,7";
             r.amplitude = 128;
             r.output = Output::P00;
             r.p00Folder = "/a b";
             r.prefix = "P";
         },
         R"(-r -s:0.7 -f:44100 -t:128 -n -e -op:"/a b)" + separator + R"(P")"},
    };
    for (const auto& row : rows) {
        AnalysisRequest r = base();
        row.change(r);
        EXPECT_EQ(analysisCommand(r), head + row.tail) << row.what;
    }
}

TEST(Tape64Speed, ValidTexts) {
    for (const char* ok : {"1,0", "0,9", "9,9", "1,00", "0,0"})
        EXPECT_TRUE(isValidSpeedText(ok)) << ok;
    for (const char* bad : {"", "1", "1,", "10,0", "1.0", "1,05", "a,b", " 1,0", "1,0 ", "2,00"})
        EXPECT_FALSE(isValidSpeedText(bad)) << bad;
}

TEST(Tape64Speed, StepButtons) {
    struct Row {
        const char* text;
        bool up;
        const char* expected;
    } rows[] = {
        {"1,0", true, "1,1"},  {"0,9", true, "1,0"},   {"9,9", true, "10,0"}, {"1,1", true, "1,2"},
        {"1,0", false, "0,9"}, {"1,1", false, "1,0"},  {"0,2", false, "0,1"}, {"0,1", false, "0,1"},
        {"1", true, "1,1"},    {"2", false, "1,9"},    {"1,00", true, "1,1"}, {"0,05", false, "0,05"},
        {"1.5", true, "1,6"},  {"10,0", false, "9,9"}, {"0", false, "0,0"},
    };
    for (const auto& row : rows) {
        const auto stepped = steppedSpeed(row.text, row.up);
        ASSERT_TRUE(stepped.has_value()) << row.text;
        EXPECT_EQ(*stepped, row.expected) << row.text << (row.up ? " up" : " down");
    }
    // Repeated steps never collect binary noise.
    std::string text = "0,1";
    for (int i = 0; i < 30; ++i)
        text = *steppedSpeed(text, true);
    EXPECT_EQ(text, "3,1");
    for (const char* junk : {"", "abc", "1,0x", "inf", "nan", "1e5"})
        EXPECT_FALSE(steppedSpeed(junk, true).has_value()) << junk;
}

TEST(Tape64Amplitude, TrackBarFollowsTheNumberScaled) {
    const std::pair<int, int> rows[] = {{1, 1}, {2, 1}, {10, 4}, {11, 5}, {128, 64}, {254, 127}, {255, 128}};
    for (const auto& [value, position] : rows)
        EXPECT_EQ(trackBarForAmplitude(value), position) << value;
}
