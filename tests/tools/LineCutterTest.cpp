#include "tools/LineCutter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "=" marks a whole line, "+" the beginning of a line still open.
std::vector<std::string> cut(const std::vector<std::string>& reads, bool finish = true) {
    vornix::LineCutter cutter;
    std::vector<std::string> out;
    auto sink = [&](std::string_view line, vornix::LineEnd end) {
        out.push_back((end == vornix::LineEnd::Open ? "+" : "=") + std::string(line));
    };
    for (const auto& r : reads)
        cutter.feed(r, sink);
    if (finish)
        cutter.finish(sink);
    return out;
}

using namespace std::string_literals;

struct Case {
    const char* name;
    std::vector<std::string> reads;
    std::vector<std::string> lines;
};

TEST(LineCutter, CutsReadsIntoLines) {
    const std::vector<Case> cases = {
        {"CR LF and LF in one read", {"ab\r\ncd\n"}, {"=ab", "=cd"}},
        {"line continued in a later read", {"abc", "def\n"}, {"+abc", "=abcdef"}},
        {"zero bytes vanish", {"a\0b\n"s}, {"=ab"}},
        {"lone CR ends a line", {"50%\r60%\r"}, {"=50%", "=60%"}},
        {"two LFs give an empty line", {"a\n\nb\n"}, {"=a", "=", "=b"}},
        {"empty first line", {"\nx\n"}, {"=", "=x"}},
        {"LF CR is two line ends", {"a\n\rb\n"}, {"=a", "=", "=b"}},
        {"CR CR LF", {"a\r\r\n"}, {"=a", "="}},
        {"no final line end: delivered whole at the end", {"ab\ncd"}, {"=ab", "+cd", "=cd"}},
        {"CR LF split across reads counts twice", {"ab\r", "\ncd\n"}, {"=ab", "=", "=cd"}},
        {"open line over three reads", {"a", "b", "c\n"}, {"+a", "+ab", "=abc"}},
        {"a read of zero bytes only", {"ab", "\0\0"s, "\n"}, {"+ab", "+ab", "=ab"}},
        {"nothing at all", {}, {}},
        {"empty reads", {"", ""}, {}},
        {"empty read after an open line", {"ab", ""}, {"+ab", "=ab"}},
        {"only NUL then end", {"\0"s}, {}},
        {"high bytes kept", {"\xe9\xff\n"}, {"=\xe9\xff"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cut(c.reads), c.lines) << c.name;
}

TEST(LineCutter, OpenLineIsKeptUntilFinish) {
    vornix::LineCutter cutter;
    std::vector<std::string> out;
    auto sink = [&](std::string_view line, vornix::LineEnd end) {
        out.push_back((end == vornix::LineEnd::Open ? "+" : "=") + std::string(line));
    };
    cutter.feed("12345", sink);
    EXPECT_EQ(cutter.pending(), "12345");
    cutter.finish(sink);
    EXPECT_EQ(cutter.pending(), "");
    cutter.finish(sink); // a second end delivers nothing more
    EXPECT_EQ(out, (std::vector<std::string>{"+12345", "=12345"}));
}

TEST(LineCutter, LargeReadKeepsEveryLine) {
    std::string big;
    for (int i = 0; i < 5000; ++i)
        big += "line" + std::to_string(i) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    const auto lines = cut({big.substr(0, 7001), big.substr(7001)});
    std::vector<std::string> whole;
    for (const auto& l : lines)
        if (l[0] == '=')
            whole.push_back(l.substr(1));
    ASSERT_EQ(whole.size(), 5000u + (big[7000] == '\r' && big[7001] == '\n' ? 1u : 0u));
    EXPECT_EQ(whole.front(), "line0");
    EXPECT_EQ(whole.back(), "line4999");
}

TEST(LineCutter, TellsHowEachLineEnded) {
    // The same cutting on decoded text, as the runner uses it.
    vornix::BasicLineCutter<char16_t> cutter;
    std::vector<std::pair<std::u16string, vornix::LineEnd>> out;
    auto sink = [&](std::u16string_view line, vornix::LineEnd end) {
        out.emplace_back(std::u16string(line), end);
    };
    cutter.feed(u"50%\r60%\r\nab", sink);
    cutter.feed(u"c\r", sink);
    cutter.finish(sink);
    using E = vornix::LineEnd;
    const std::vector<std::pair<std::u16string, E>> expected = {
        {u"50%", E::Return}, {u"60%", E::Feed}, {u"ab", E::Open}, {u"abc", E::Return}};
    EXPECT_EQ(out, expected);
}

} // namespace
