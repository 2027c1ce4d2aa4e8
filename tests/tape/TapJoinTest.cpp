#include "tape/TapJoin.h"
#include "tape/LinkList.h"
#include "tape/TapFile.h"
#include "tape/TapPause.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace vornix;

using testfiles::Bytes;

namespace {

Bytes header(std::uint32_t length) {
    const tap::Header h = tap::makeHeader(length);
    return Bytes(h.begin(), h.end());
}

// A TAP file with the given version byte, junk in the reserved bytes and a wrong length field.
Bytes tapFile(const Bytes& data, std::uint8_t version = 1) {
    Bytes b = {'C', '6', '4',     '-',  'T',  'A',  'P', 'E', '-', 'R',
               'A', 'W', version, 0x55, 0xAA, 0x77, 4,   3,   2,   1};
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

class JoinTest : public ::testing::Test {
  protected:
    testfiles::TempDir dir;
    std::string out = dir.file("out.tap");

    std::string write(const std::string& name, const Bytes& bytes) {
        const std::string path = dir.file(name);
        testfiles::writeAll(path, bytes);
        return path;
    }
    tap::JoinResult run(const std::vector<tap::JoinItem>& items) { return tap::join(items, out); }
};

} // namespace

TEST(TapPause, BytesOfEveryOfferedLength) {
    const struct {
        int seconds;
        const char* text;
        Bytes bytes;
    } table[] = {
        {1, ":  1s break", {0x00, 0xA0, 0x08, 0x0F}},
        {2, ":  2s break", {0x00, 0x40, 0x11, 0x1E}},
        {4, ":  4s break", {0x00, 0x80, 0x22, 0x3C}},
        {5, ":  5s break", {0x00, 0x20, 0x2B, 0x4B}},
        {10, ": 10s break", {0x00, 0x40, 0x56, 0x96}},
        {20, ": 20s break", {0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x81, 0xAC, 0x2C}},
        {40, ": 40s break", {0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x02, 0x59, 0x59}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.seconds);
        EXPECT_EQ(tap::pauseBytes(row.seconds), row.bytes);
        EXPECT_EQ(tap::pauseEntryText(row.seconds), row.text);
        EXPECT_TRUE(tap::isPauseEntry(row.text));
        EXPECT_EQ(tap::pauseSecondsOf(row.text), row.seconds);
    }
}

TEST(TapPause, GroupBoundaries) {
    EXPECT_EQ(tap::pauseBytesForCycles(0xFFFFFF), (Bytes{0, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(tap::pauseBytesForCycles(0x1000000), (Bytes{0, 0xFF, 0xFF, 0xFF, 0, 1, 0, 0}));
    EXPECT_EQ(tap::pauseBytesForCycles(2 * 0xFFFFFFull), (Bytes{0, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF}));
}

TEST(TapPause, OnlyTheOfferedTextsArePauses) {
    EXPECT_FALSE(tap::isPauseEntry("/home/a/game.tap"));
    EXPECT_FALSE(tap::isPauseEntry(""));
    for (const char* text : {":  3s break", ":1s break", ": 1s break ", ":", ":100s break"})
        EXPECT_FALSE(tap::pauseSecondsOf(text).has_value()) << text;
    const tap::ListItems bad = tap::itemsFromEntries({"/a.tap", ":  3s break"});
    EXPECT_EQ(bad.failure.problem, tap::JoinProblem::UnknownPause);
    EXPECT_EQ(bad.failure.path, ":  3s break");
    EXPECT_TRUE(bad.items.empty());
    const tap::ListItems good = tap::itemsFromEntries({"/a.tap", ": 40s break"});
    EXPECT_FALSE(good.failure);
    const auto& items = good.items;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].path, "/a.tap");
    EXPECT_EQ(items[1].pauseSeconds, 40);
}

TEST(TapFile, VersionTest) {
    testfiles::TempDir dir;
    const struct {
        const char* name;
        Bytes bytes;
        std::optional<std::uint8_t> version;
    } table[] = {
        {"v1.tap", tapFile({1, 2}, 1), 1}, {"v0.tap", tapFile({}, 0), 0},
        {"v2.tap", tapFile({}, 2), 2},     {"short.tap", Bytes(12, 1), std::nullopt},
        {"thirteen.tap", Bytes(13, 1), 1},
    };
    for (const auto& row : table) {
        testfiles::writeAll(dir.file(row.name), row.bytes);
        EXPECT_EQ(tap::readVersion(dir.file(row.name)), row.version) << row.name;
        EXPECT_EQ(tap::isVersion1(dir.file(row.name)), row.version == std::uint8_t{1}) << row.name;
    }
    EXPECT_FALSE(tap::readVersion(dir.file("missing.tap")).has_value());
    EXPECT_FALSE(tap::readVersion(dir.path().string()).has_value());
#ifndef _WIN32
    // A FIFO named in a list would block an ordinary open until something writes to it.
    const std::string fifo = dir.file("fifo.tap");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(tap::isVersion1(fifo));
#endif
}

TEST_F(JoinTest, EmptyListIsTheHeaderAlone) {
    ASSERT_TRUE(run({}).joined);
    EXPECT_EQ(testfiles::readAll(out), (Bytes{0x43, 0x36, 0x34, 0x2D, 0x54, 0x41, 0x50, 0x45, 0x2D, 0x52,
                                              0x41, 0x57, 0x01, 0,    0,    0,    0,    0,    0,    0}));
}

TEST_F(JoinTest, OneInputGetsAFreshHeader) {
    const Bytes data = {9, 8, 7, 6, 5, 0, 0x10, 0x20, 0x30};
    const std::string in = write("in.tap", tapFile(data));
    const tap::JoinResult r = run({tap::JoinItem::file(in)});
    ASSERT_TRUE(r.joined) << tap::describe(r.failure);
    EXPECT_EQ(r.dataLength, data.size());
    EXPECT_EQ(testfiles::readAll(out), concat({header(9), data}));
}

TEST_F(JoinTest, LongPausesAlone) {
    ASSERT_TRUE(run({tap::JoinItem::pause(20)}).joined);
    EXPECT_EQ(testfiles::readAll(out), concat({header(8), {0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x81, 0xAC, 0x2C}}));
    ASSERT_TRUE(run({tap::JoinItem::pause(40)}).joined);
    const Bytes b = testfiles::readAll(out);
    ASSERT_EQ(b.size(), 32u);
    EXPECT_EQ(Bytes(b.begin() + 16, b.begin() + 20), (Bytes{12, 0, 0, 0}));
}

TEST_F(JoinTest, FilesAndPausesInListOrder) {
    const std::string in = write("24.tap", tapFile({0x30, 0x40, 0x50, 0x60}));
    const std::string empty = write("20.tap", tapFile({}));
    ASSERT_TRUE(run({tap::JoinItem::file(in), tap::JoinItem::pause(1), tap::JoinItem::file(in)}).joined);
    EXPECT_EQ(testfiles::readAll(out),
              concat({header(12), {0x30, 0x40, 0x50, 0x60, 0x00, 0xA0, 0x08, 0x0F, 0x30, 0x40, 0x50, 0x60}}));

    // A header-only input adds nothing; pauses at either end and in a row are never merged.
    const tap::JoinResult r =
        run({tap::JoinItem::pause(1), tap::JoinItem::file(empty), tap::JoinItem::pause(2),
             tap::JoinItem::pause(2), tap::JoinItem::file(in), tap::JoinItem::pause(5)});
    ASSERT_TRUE(r.joined) << tap::describe(r.failure);
    EXPECT_EQ(testfiles::readAll(out), concat({header(20),
                                               tap::pauseBytes(1),
                                               tap::pauseBytes(2),
                                               tap::pauseBytes(2),
                                               {0x30, 0x40, 0x50, 0x60},
                                               tap::pauseBytes(5)}));
}

TEST_F(JoinTest, RealCaptureWithWrongLengthField) {
    const std::string capture = VORNIX_TEST_DATA "/c64-sigrok-tap_print_h.tap";
    const Bytes original = testfiles::readAll(capture);
    ASSERT_EQ(original.size(), 41778u);
    const tap::JoinResult r = run({tap::JoinItem::file(capture), tap::JoinItem::pause(10)});
    ASSERT_TRUE(r.joined) << tap::describe(r.failure);
    const Bytes joined = testfiles::readAll(out);
    EXPECT_EQ(joined,
              concat({header(41758 + 4), Bytes(original.begin() + 20, original.end()), tap::pauseBytes(10)}));
}

TEST_F(JoinTest, LargeInputIsCopiedWholeWithProgressUpToTheTotal) {
    Bytes data(3 * 1024 * 1024 + 17);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    const std::string in = write("big.tap", tapFile(data));
    std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
    const tap::JoinResult r =
        tap::join({tap::JoinItem::pause(4), tap::JoinItem::file(in)}, out,
                  [&](std::uint64_t done, std::uint64_t total) { calls.emplace_back(done, total); });
    ASSERT_TRUE(r.joined) << tap::describe(r.failure);
    EXPECT_EQ(testfiles::readAll(out),
              concat({header(static_cast<std::uint32_t>(data.size() + 4)), tap::pauseBytes(4), data}));
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().first, 0u);
    for (std::size_t i = 1; i < calls.size(); ++i)
        EXPECT_GT(calls[i].first, calls[i - 1].first);
    EXPECT_EQ(calls.back().first, data.size() + 4);
    for (const auto& c : calls)
        EXPECT_EQ(c.second, data.size() + 4);
}

TEST_F(JoinTest, BadEntriesStopBeforeAnythingIsWritten) {
    const std::string good = write("good.tap", tapFile({1, 2, 3}));
    const std::string shortFile = write("short.tap", Bytes(19, 1));
    const Bytes previous = {'o', 'l', 'd'};
    const struct {
        std::vector<tap::JoinItem> items;
        tap::JoinProblem problem;
        std::string named;
    } table[] = {
        {{tap::JoinItem::file(good), tap::JoinItem::file(dir.file("gone.tap"))},
         tap::JoinProblem::Missing,
         dir.file("gone.tap")},
        {{tap::JoinItem::file(good), tap::JoinItem::file(shortFile)}, tap::JoinProblem::TooShort, shortFile},
        {{tap::JoinItem::file(dir.path().string())}, tap::JoinProblem::Folder, dir.path().string()},
        {{tap::JoinItem::file(good), tap::JoinItem::file(out)}, tap::JoinProblem::OutputIsInput, out},
        {{tap::JoinItem::file(good), tap::JoinItem::pause(3)}, tap::JoinProblem::PauseNotOffered, ""},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.named);
        testfiles::writeAll(out, tapFile(previous));
        EXPECT_EQ(tap::checkJoin(row.items, out).problem, row.problem);
        const tap::JoinResult r = run(row.items);
        EXPECT_FALSE(r.joined);
        EXPECT_EQ(r.failure.problem, row.problem);
        EXPECT_EQ(r.failure.path, row.named);
        EXPECT_NE(tap::describe(r.failure).find(row.named), std::string::npos) << tap::describe(r.failure);
        EXPECT_EQ(testfiles::readAll(out), tapFile(previous));
    }
    EXPECT_EQ(tap::describe(run(table[1].items).failure),
              "\"" + shortFile + "\" is too short for a TAP file (19 bytes; the header alone takes 20)");
    // Nothing but the inputs and the untouched output is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 3);
}

TEST_F(JoinTest, OutputThatCannotBeCreatedIsReported) {
    const std::string in = write("in.tap", tapFile({1}));
    const tap::JoinResult r = tap::join({tap::JoinItem::file(in)}, dir.file("no/such/folder/out.tap"));
    EXPECT_FALSE(r.joined);
    EXPECT_EQ(r.failure.problem, tap::JoinProblem::Unwritable);
    EXPECT_EQ(r.failure.failure.problem, FileProblem::NoFolder);
    EXPECT_NE(tap::describe(r.failure).find("no/such/folder/out.tap"), std::string::npos);
}

TEST(LinkList, InsertionRule) {
    const struct {
        const char* what;
        tap::Entries list;
        int selected;
        tap::Entries added;
        tap::Entries expected;
        int expectedSelection;
    } table[] = {
        {"into an empty list", {}, -1, {"a"}, {"a"}, 0},
        {"no selection appends and selects the first", {"a", "b"}, -1, {"p"}, {"a", "b", "p"}, 0},
        {"after the selected entry", {"a", "b", "c"}, 0, {"p"}, {"a", "p", "b", "c"}, 1},
        {"after the last entry", {"a", "b"}, 1, {"p"}, {"a", "b", "p"}, 2},
        {"several after the selection, in order",
         {"a", "b"},
         0,
         {"x", "y", "z"},
         {"a", "x", "y", "z", "b"},
         1},
        {"several without selection", {"a"}, -1, {"x", "y"}, {"a", "x", "y"}, 0},
        {"nothing added", {"a", "b"}, 1, {}, {"a", "b"}, 1},
        {"stale selection counts as none", {"a"}, 5, {"p"}, {"a", "p"}, 0},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        tap::Entries list = row.list;
        EXPECT_EQ(tap::insertEntries(list, row.selected, row.added), row.expectedSelection);
        EXPECT_EQ(list, row.expected);
    }
}

TEST(LinkList, MovesAndRemove) {
    using Op = int (*)(tap::Entries&, int);
    const struct {
        const char* what;
        Op op;
        int selected;
        tap::Entries expected;
        int expectedSelection;
    } table[] = {
        {"up from the middle", tap::moveUp, 1, {"b", "a", "c"}, 0},
        {"up on the first", tap::moveUp, 0, {"a", "b", "c"}, 0},
        {"up without selection", tap::moveUp, -1, {"a", "b", "c"}, -1},
        {"down from the middle", tap::moveDown, 1, {"a", "c", "b"}, 2},
        {"down on the last", tap::moveDown, 2, {"a", "b", "c"}, 2},
        {"down without selection", tap::moveDown, -1, {"a", "b", "c"}, -1},
        {"remove", tap::removeEntry, 1, {"a", "c"}, -1},
        {"remove without selection", tap::removeEntry, -1, {"a", "b", "c"}, -1},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        tap::Entries list = {"a", "b", "c"};
        EXPECT_EQ(row.op(list, row.selected), row.expectedSelection);
        EXPECT_EQ(list, row.expected);
    }
}

TEST(LinkList, TapExtensionRule) {
    const struct {
        const char* in;
        const char* out;
    } table[] = {
        {"/t/GAME", "/t/GAME.tap"}, {"/t/GAME.TAP", "/t/GAME.TAP"}, {"/t/A.BC", "/t/A.BC.tap"},
        {"/t/x.wav", "/t/x.wav"},   {"/t/x.tape", "/t/x.tape.tap"}, {"ab", "ab.tap"},
        {".abc", ".abc"},           {"/t/gra.żab", "/t/gra.żab"},   {"/t/a.żb", "/t/a.żb.tap"},
    };
    for (const auto& row : table)
        EXPECT_EQ(tap::withTapExtension(row.in), row.out) << row.in;
}
