// The tape image document: names from files, adding, the capacity rule, moves, selections
// and the modified flag.
#include "core/TapeDocument.h"

#include "tests/support/ProgramBuilder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vornix;

namespace {

std::string pad(std::string s, std::size_t n = 16) {
    s.resize(n, ' ');
    return s;
}

// A document holding one-byte programs named A, B, C, ... in that order.
struct Fixture {
    testfiles::TempDir dir;
    TapeDocument doc;

    std::string prg(const std::string& name, testfiles::Bytes bytes) {
        testfiles::writeAll(dir.file(name), bytes);
        return dir.file(name);
    }
    void fill(int n) {
        doc.newImage();
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(doc.addPrg(prg(char('a' + i % 26) + std::to_string(i), {0x01, 0x08, 0x00})).added);
        doc.setModified(false);
    }
    std::string order() const {
        std::string s;
        for (const Entry& e : doc.entries())
            s += e.name[0];
        return s;
    }
};

} // namespace

TEST(TapeDocument, EntryNamesFromFileNames) {
    const struct {
        const char* file;
        std::string name;
    } cases[] = {
        {"game.prg", pad("GAME")},
        {"My.Prg.Backup.PRG", pad("MY.BACKUP")},
        {"abcdefghijklmnopqrstu.prg", "ABCDEFGHIJKLMNOP"},
        {"intro.bin", pad("INTRO.BIN")},
        {"x.P.PRGRG", pad("X.PRG")}, // one pass: what the removal joins stays
        {".prg", pad("")},
        {"\xC4\xC5 demo!", pad("\xC4\xC5 DEMO!")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TapeDocument::entryNameFromFileName(c.file), c.name) << c.file;
}

TEST(TapeDocument, AddPrgAddresses) {
    const struct {
        std::uint8_t lo, hi;
        std::size_t size;
        std::uint8_t endLo, endHi;
    } cases[] = {{0x01, 0x08, 1000, 0xE9, 0x0B},
                 {0x00, 0xC0, 256, 0x00, 0xC1}, // bit 15 counts
                 {0xFF, 0xFF, 2, 0x01, 0x00},   // wraps at 64 KiB
                 {0x01, 0x08, 0, 0x01, 0x08}};
    for (const auto& c : cases) {
        Fixture f;
        f.doc.newImage();
        testfiles::Bytes bytes{c.lo, c.hi};
        for (std::size_t i = 0; i < c.size; ++i)
            bytes.push_back(static_cast<std::uint8_t>(i));
        const AddResult r = f.doc.addPrg(f.prg("p.prg", bytes));
        ASSERT_TRUE(r.added) << r.reason;
        const Entry& e = f.doc.entries().back();
        EXPECT_EQ(e.kind, 130);
        EXPECT_EQ(e.size, static_cast<std::int32_t>(c.size));
        EXPECT_EQ(e.data, testfiles::Bytes(bytes.begin() + 2, bytes.end()));
        EXPECT_EQ(e.load[0], c.lo);
        EXPECT_EQ(e.load[1], c.hi);
        EXPECT_EQ(e.end[0], c.endLo) << int(c.hi) << " " << c.size;
        EXPECT_EQ(e.end[1], c.endHi) << int(c.hi) << " " << c.size;
        EXPECT_FALSE(f.doc.modified()) << "Add PRG alone leaves the flag";
    }
}

TEST(TapeDocument, AddPrgGrowsCapacityOnlyWhenFull) {
    const struct {
        int n, capacity, capacityAfter;
    } cases[] = {{0, 0, 1}, {3, 3, 4}, {3, 5, 5}, {98, 99, 99}, {99, 99, 100}, {254, 254, 255}};
    for (const auto& c : cases) {
        Fixture f;
        f.fill(c.n);
        f.doc.setCapacity(c.capacity);
        ASSERT_EQ(f.doc.capacity(), c.capacity);
        ASSERT_TRUE(f.doc.addPrg(f.prg("z.prg", {1, 8})).added);
        EXPECT_EQ(f.doc.count(), c.n + 1);
        EXPECT_EQ(f.doc.capacity(), c.capacityAfter) << c.n << "/" << c.capacity;
        EXPECT_EQ(f.doc.capacityUpperLimit(), std::max(99, c.n + 1));
    }
}

TEST(TapeDocument, AddPrgRefusals) {
    Fixture f;
    f.fill(2);
    std::filesystem::create_directory(f.dir.file("folder.prg"));
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {{f.dir.file("missing.prg"), "missing.prg"},
                 {f.prg("empty.prg", {}), "at least 2 bytes"},
                 {f.prg("one.prg", {1}), "at least 2 bytes"},
                 {f.dir.file("folder.prg"), "folder"}};
    for (const auto& c : cases) {
        const AddResult r = f.doc.addPrg(c.path);
        EXPECT_FALSE(r.added) << c.path;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
        EXPECT_EQ(f.doc.count(), 2);
        EXPECT_EQ(f.doc.capacity(), 2);
    }
    // Add programs still marks the document, and goes on past a refused file.
    const auto results = f.doc.addPrograms({f.dir.file("missing.prg"), f.prg("ok.prg", {1, 8, 9})});
    ASSERT_EQ(results.size(), 2u);
    EXPECT_FALSE(results[0].added);
    EXPECT_TRUE(results[1].added);
    EXPECT_TRUE(f.doc.modified());

    Fixture full;
    full.fill(255);
    EXPECT_EQ(full.doc.capacity(), 255);
    const AddResult r = full.doc.addPrg(full.prg("more.prg", {1, 8}));
    EXPECT_FALSE(r.added);
    EXPECT_NE(r.reason.find("255"), std::string::npos) << r.reason;
    EXPECT_EQ(full.doc.count(), 255);
}

TEST(TapeDocument, CapacityRule) {
    const struct {
        int n, requested, shown;
    } cases[] = {{0, 0, 0},      {10, 120, 99}, {5, 3, 5},      {5, 0, 5},       {5, 99, 99},
                 {99, 120, 120}, {99, 98, 99},  {120, 99, 120}, {150, 200, 200}, {0, 255, 99}};
    for (const auto& c : cases) {
        Fixture f;
        f.fill(c.n);
        f.doc.setCapacity(c.requested);
        EXPECT_EQ(f.doc.capacity(), c.shown) << c.n << "/" << c.requested;
        EXPECT_GE(f.doc.capacity(), f.doc.count());
        EXPECT_TRUE(f.doc.modified());
    }
}

TEST(TapeDocument, Moves) {
    using Op = std::optional<Selection> (TapeDocument::*)(const Selection&);
    const struct {
        const char* what;
        Op op;
        Selection sel;
        const char* order;
        std::optional<Selection> after;
    } cases[] = {
        {"up: a block moves", &TapeDocument::moveUp, {1, 2}, "BCADE", Selection{0}},
        {"up: topmost at the top, nothing moves", &TapeDocument::moveUp, {0, 2}, "ABCDE", Selection{0}},
        {"up: one entry", &TapeDocument::moveUp, {3}, "ABDCE", Selection{2}},
        {"up: gaps keep their width", &TapeDocument::moveUp, {2, 4}, "ACBED", Selection{1}},
        {"up: nothing selected", &TapeDocument::moveUp, {}, "ABCDE", std::nullopt},
        {"down: one entry", &TapeDocument::moveDown, {1}, "ACBDE", Selection{2}},
        {"down: a block moves", &TapeDocument::moveDown, {1, 2}, "ADBCE", Selection{2}},
        {"down: bottom-most at the bottom, nothing moves",
         &TapeDocument::moveDown,
         {0, 4},
         "ABCDE",
         Selection{1}},
        {"down: the last entry stays selected", &TapeDocument::moveDown, {4}, "ABCDE", Selection{4}},
        {"top", &TapeDocument::moveToTop, {3}, "DABCE", Selection{0}},
        {"top: already there", &TapeDocument::moveToTop, {0}, "ABCDE", std::nullopt},
        {"top: two selected", &TapeDocument::moveToTop, {2, 3}, "ABCDE", std::nullopt},
        {"bottom", &TapeDocument::moveToBottom, {1}, "ACDEB", Selection{4}},
        {"bottom: already there", &TapeDocument::moveToBottom, {4}, "ABCDE", std::nullopt},
        {"delete the middle: the next one is selected",
         &TapeDocument::deleteSelected,
         {2},
         "ABDE",
         Selection{2}},
        {"delete the last: the new last one is selected",
         &TapeDocument::deleteSelected,
         {4},
         "ABCD",
         Selection{3}},
        {"delete several", &TapeDocument::deleteSelected, {3, 1, 4}, "AC", Selection{1}},
        {"out-of-range positions are ignored", &TapeDocument::moveUp, {7, -1, 3, 3}, "ABDCE", Selection{2}},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.fill(5);
        f.doc.setCapacity(7);
        f.doc.setModified(false);
        const std::optional<Selection> after = (f.doc.*c.op)(c.sel);
        EXPECT_EQ(f.order(), c.order) << c.what;
        EXPECT_EQ(after, c.after) << c.what;
        EXPECT_EQ(f.doc.modified(), c.after.has_value()) << c.what;
        EXPECT_EQ(f.doc.capacity(), 7) << c.what;
    }
    Fixture one;
    one.fill(1);
    EXPECT_EQ(one.doc.deleteSelected({0}), Selection{});
    EXPECT_EQ(one.doc.count(), 0);
}

TEST(TapeDocument, RenameAndLabel) {
    Fixture f;
    f.fill(2);
    EXPECT_TRUE(f.doc.rename(1, "abc"));
    EXPECT_EQ(f.doc.entries()[1].name, "ABC");
    EXPECT_TRUE(f.doc.modified());
    EXPECT_TRUE(f.doc.rename(0, "long name, cut at 16 chars"));
    EXPECT_EQ(f.doc.entries()[0].name, "LONG NAME, CUT A");
    EXPECT_FALSE(f.doc.rename(2, "x"));
    EXPECT_FALSE(f.doc.rename(-1, "x"));

    f.doc.setModified(false);
    f.doc.setLabel("my tape label that is far too long");
    EXPECT_EQ(f.doc.label(), "my tape label that is fa");
    EXPECT_TRUE(f.doc.modified());

    f.doc.setLabel("");
    const SaveResult saved = f.doc.saveAs(f.dir.file("out.t64"), false);
    ASSERT_TRUE(saved.written) << saved.error;
    EXPECT_FALSE(f.doc.modified());
    EXPECT_EQ(f.doc.label(), ".");
    const testfiles::Bytes b = testfiles::readAll(f.dir.file("out.t64"));
    EXPECT_EQ(std::string(b.begin() + 40, b.begin() + 64), pad(".", 24));
    EXPECT_EQ(std::string(b.begin() + 96 + 16, b.begin() + 128), pad("ABC"));
}

TEST(TapeDocument, OpenAndSave) {
    Fixture f;
    f.fill(3);
    f.doc.setModified(true);
    // 120 slots claimed, 10 used: shown and saved as 99.
    std::vector<testfiles::T64Slot> slots(10, testfiles::T64Slot{1, 64 + 32 * 10});
    testfiles::writeAll(f.dir.file("big.t64"), testfiles::rawT64(120, 10, slots, 64 + 32 * 10 + 5));
    OpenResult r = f.doc.open(f.dir.file("big.t64"));
    ASSERT_TRUE(r.accepted) << r.error;
    EXPECT_EQ(f.doc.count(), 10);
    EXPECT_EQ(f.doc.capacity(), 99);
    EXPECT_FALSE(f.doc.modified());

    // 3 slots claimed, 5 used, and a label with a NUL inside.
    testfiles::Bytes small =
        testfiles::rawT64(3, 5, std::vector<testfiles::T64Slot>(5, testfiles::T64Slot{1, 224}), 230);
    std::memcpy(small.data() + 40, "AB\0CD", 5);
    testfiles::writeAll(f.dir.file("small.t64"), small);
    r = f.doc.open(f.dir.file("small.t64"));
    ASSERT_TRUE(r.accepted) << r.error;
    EXPECT_EQ(f.doc.capacity(), 5);
    EXPECT_EQ(f.doc.label(), "AB");

    // A rejected file leaves the document, with the flag off.
    f.doc.setModified(true);
    testfiles::writeAll(f.dir.file("bad.t64"), {'C', '6', '5'});
    r = f.doc.open(f.dir.file("bad.t64"));
    EXPECT_FALSE(r.accepted);
    EXPECT_NE(r.error.find("bad.t64"), std::string::npos) << r.error;
    EXPECT_EQ(f.doc.count(), 5);
    EXPECT_EQ(f.doc.label(), "AB");
    EXPECT_FALSE(f.doc.modified());

    // A failed save keeps the flag and names the file.
    f.doc.setModified(true);
    const SaveResult s = f.doc.saveAs(f.dir.file("no/such/folder.t64"), false);
    EXPECT_FALSE(s.written);
    EXPECT_NE(s.error.find("folder.t64"), std::string::npos) << s.error;
    EXPECT_TRUE(f.doc.modified());

    // New empties everything; the first program makes the capacity 1.
    f.doc.newImage();
    EXPECT_EQ(f.doc.count(), 0);
    EXPECT_EQ(f.doc.capacity(), 0);
    EXPECT_EQ(f.doc.label(), "");
    EXPECT_FALSE(f.doc.modified());
}

TEST(TapeDocument, BusyDocumentKeepsItsEntries) {
    Fixture f;
    f.fill(3);
    f.doc.setBusy(true);
    EXPECT_FALSE(f.doc.newImage());
    EXPECT_FALSE(f.doc.addPrg(f.prg("x.prg", {1, 8})).added);
    EXPECT_FALSE(f.doc.open(f.dir.file("x.prg")).accepted);
    EXPECT_FALSE(f.doc.deleteSelected({0}));
    EXPECT_FALSE(f.doc.moveUp({1}));
    EXPECT_FALSE(f.doc.moveDown({1}));
    EXPECT_FALSE(f.doc.moveToTop({1}));
    EXPECT_FALSE(f.doc.moveToBottom({1}));
    EXPECT_FALSE(f.doc.rename(0, "x"));
    EXPECT_EQ(f.order(), "ABC");
    EXPECT_FALSE(f.doc.modified());
    f.doc.setBusy(false);
    EXPECT_TRUE(f.doc.moveUp({1}));
}
