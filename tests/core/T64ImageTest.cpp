// Layout of written images, the reader's rules for foreign files, and round trips.
#include "core/T64Image.h"

#include "tests/support/ProgramBuilder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>

using namespace vornix;
using testfiles::rawT64;
using Slot = testfiles::T64Slot;

namespace {

// "written", or the failure's message for the assertion to show.
std::string outcome(const FileError& e) { return e ? e.message() : "written"; }

// The writer copies the end address as held: one that is no sum of load and size shows it.
Entry makeEntry(const std::string& name, std::size_t size, std::uint8_t lo = 0x01, std::uint8_t hi = 0x08) {
    Entry e = testfiles::entry(name, size, lo | hi << 8, static_cast<int>(name.size()));
    e.end[0] = 0x34;
    e.end[1] = 0x12;
    return e;
}

std::uint32_t u32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::string pad(std::string s, std::size_t n) {
    s.resize(n, ' ');
    return s;
}

} // namespace

TEST(T64Layout, EmptyImagesAreHeaderAndEmptySlots) {
    for (int capacity : {0, 1, 5, 255}) {
        std::vector<Entry> none;
        const Bytes b = serializeImage(capacity, "TAPE", none, false);
        ASSERT_EQ(b.size(), 64u + 32u * capacity) << capacity;
        EXPECT_EQ(b[34], capacity);
        EXPECT_EQ(b[36], 0);
        for (std::size_t i = 64; i < b.size(); ++i)
            ASSERT_EQ(b[i], 0) << "capacity " << capacity << " byte " << i;
    }
}

TEST(T64Layout, HeaderAndSlotBytes) {
    std::vector<Entry> entries{makeEntry("GAME", 100, 0x01, 0x08),
                               makeEntry("ABCDEFGHIJKLMNOP", 40, 0x00, 0xC0)};
    for (bool type01 : {false, true}) {
        const Bytes b = serializeImage(5, "MY TAPE 10", entries, type01);
        ASSERT_EQ(b.size(), 364u);
        EXPECT_EQ(std::string(b.begin(), b.begin() + 14), "C64S tape file");
        for (int i = 14; i < 32; ++i)
            EXPECT_EQ(b[i], 0) << i;
        const Bytes fixed{0x00, 0x01, 5, 0, 2, 0, 0, 0};
        EXPECT_EQ(Bytes(b.begin() + 32, b.begin() + 40), fixed);
        EXPECT_EQ(std::string(b.begin() + 40, b.begin() + 64), pad("MY TAPE 10", 24));

        const Bytes slot1{0x01, static_cast<std::uint8_t>(type01 ? 0x01 : 0x82), 0x01, 0x08, 0x34, 0x12, 0,
                          0};
        EXPECT_EQ(Bytes(b.begin() + 64, b.begin() + 72), slot1);
        EXPECT_EQ(u32(b, 72), 224u);
        EXPECT_EQ(u32(b, 76), 0u);
        EXPECT_EQ(std::string(b.begin() + 80, b.begin() + 96), pad("GAME", 16));
        EXPECT_EQ(u32(b, 96 + 8), 324u);
        EXPECT_EQ(std::string(b.begin() + 96 + 16, b.begin() + 128), "ABCDEFGHIJKLMNOP");
        for (std::size_t i = 128; i < 224; ++i)
            ASSERT_EQ(b[i], 0) << i;
        EXPECT_EQ(Bytes(b.begin() + 224, b.begin() + 324), entries[0].data);
        EXPECT_EQ(Bytes(b.begin() + 324, b.end()), entries[1].data);
        EXPECT_EQ(entries[0].dataOffset, 224);
        EXPECT_EQ(entries[1].dataOffset, 324);
    }
}

TEST(T64Layout, NamesAndLabelsAreCutAndPaddedNeverMapped) {
    std::vector<Entry> entries{makeEntry("", 0), makeEntry(std::string("\xC7\xC1\xCD\xC5"
                                                                       "ABCDEFGHIJKLMNOPQ"),
                                                           0)};
    const Bytes b = serializeImage(0, std::string(30, 'L'), entries, false);
    EXPECT_EQ(b[34], 2) << "capacity below the entry count is written as the count";
    EXPECT_EQ(std::string(b.begin() + 40, b.begin() + 64), std::string(24, 'L'));
    EXPECT_EQ(std::string(b.begin() + 80, b.begin() + 96), std::string(16, ' '));
    EXPECT_EQ(std::string(b.begin() + 112, b.begin() + 128), "\xC7\xC1\xCD\xC5"
                                                             "ABCDEFGHIJKL");
    EXPECT_EQ(b.size(), 64u + 64u) << "entries of size 0 add no data";
}

TEST(T64Layout, NameMapping) {
    const struct {
        std::uint8_t in, out;
    } cases[] = {{0xC1, 'A'},  {0xDA, 'Z'},  {0xFF, 0x7F}, {0xC0, 0xC0}, {0xA0, 0xA0},
                 {0x20, 0x20}, {0x00, 0x00}, {0x41, 0x41}, {0x80, 0x80}, {0xDB, 0x5B}};
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<std::uint8_t>(mapNameBytes(&c.in, 1)[0]), c.out) << int(c.in);
}

// Sizes, counts and repairs of images from elsewhere.
TEST(T64Reader, ForeignDirectories) {
    const std::size_t data = 64 + 32 * 4; // data area of a 4-slot directory
    const struct {
        const char* what;
        int capacity, used;
        std::vector<Slot> slots;
        std::size_t length;
        std::vector<std::int32_t> sizes;
        bool repaired;
    } cases[] = {
        {"rising offsets, last runs to the end",
         4,
         3,
         {{1, data}, {1, data + 10}, {1, data + 30}, {0, 0}},
         data + 35,
         {10, 20, 5},
         false},
        {"fill between entries belongs to the earlier one",
         4,
         2,
         {{1, data}, {1, data + 14}, {}, {}},
         data + 20,
         {14, 6},
         false},
        {"equal offsets give size 0", 4, 2, {{1, data}, {1, data}, {}, {}}, data + 8, {0, 8}, false},
        {"falling offsets: every entry runs to the next higher offset",
         4,
         3,
         {{1, data + 20}, {1, data}, {1, data + 10}, {}},
         data + 30,
         {10, 10, 10},
         true},
        {"reordered slots of a real image keep their true sizes",
         4,
         4,
         {{1, data}, {1, data + 40}, {1, data + 10}, {1, data + 25}},
         data + 60,
         {10, 20, 15, 15},
         true},
        {"an offset inside the header or directory gives no data",
         4,
         3,
         {{1, data}, {1, 0}, {1, 64 + 32 * 2}, {}},
         data + 8,
         {8, 0, 0},
         true},
        {"equal offsets after a fall: the bytes go to one of them",
         4,
         3,
         {{1, data + 10}, {1, data}, {1, data + 10}, {}},
         data + 30,
         {0, 10, 20},
         true},
        {"offset past the end gives size 0",
         4,
         2,
         {{1, data}, {1, data + 1000}, {}, {}},
         data + 16,
         {16, 0},
         true},
        {"next offset past the end is cut at the end",
         4,
         3,
         {{1, data}, {1, data + 500}, {1, data + 8}, {}},
         data + 16,
         {8, 0, 8},
         true},
        {"a free slot among the first N is still an entry",
         4,
         2,
         {{1, data}, {0, data + 4}, {}, {}},
         data + 6,
         {4, 2},
         false},
        {"count 0: slots in use are taken",
         4,
         0,
         {{1, data}, {3, data + 5}, {0, data + 9}, {1, data + 9}},
         data + 12,
         {5, 7},
         true},
        {"count 0: a slot pointing outside the file ends the run",
         4,
         0,
         {{1, data}, {1, data + 99}, {}, {}},
         data + 12,
         {12},
         true},
        {"count 0, capacity 0: at most one slot",
         0,
         0,
         {{1, data}, {1, data + 2}, {}, {}},
         data + 4,
         {4},
         true},
        {"count 0 and nothing in use", 4, 0, {{0, data}, {}, {}, {}}, data, {}, false},
        {"capacity is the low byte of 300", 300, 1, {{1, data}, {}, {}, {}}, data + 1, {1}, false},
    };
    testfiles::TempDir dir;
    for (const auto& c : cases) {
        const Bytes file = rawT64(c.capacity, c.used, c.slots, c.length);
        const ReadResult r = parseImage(file.data(), file.size());
        ASSERT_TRUE(r.accepted) << c.what << ": " << r.error;
        // The file reader reads entries straight from disk; it must agree with the memory one.
        testfiles::writeAll(dir.file("foreign.t64"), file);
        const ReadResult fromDisk = readImage(dir.file("foreign.t64"));
        ASSERT_TRUE(fromDisk.accepted) << c.what << ": " << fromDisk.error;
        ASSERT_EQ(fromDisk.contents.entries.size(), r.contents.entries.size()) << c.what;
        for (std::size_t i = 0; i < r.contents.entries.size(); ++i)
            EXPECT_EQ(fromDisk.contents.entries[i].data, r.contents.entries[i].data) << c.what;
        EXPECT_EQ(fromDisk.repairs, r.repairs) << c.what;
        EXPECT_EQ(r.contents.capacity, c.capacity & 0xFF) << c.what;
        ASSERT_EQ(r.contents.count, static_cast<int>(c.sizes.size())) << c.what;
        ASSERT_EQ(r.contents.entries.size(), c.sizes.size()) << c.what;
        for (std::size_t i = 0; i < c.sizes.size(); ++i) {
            const Entry& e = r.contents.entries[i];
            EXPECT_EQ(e.size, c.sizes[i]) << c.what << ", entry " << i + 1;
            ASSERT_EQ(e.data.size(), static_cast<std::size_t>(e.size)) << c.what;
            if (e.size > 0) {
                EXPECT_EQ(e.data[0], static_cast<std::uint8_t>(c.slots[i].offset))
                    << c.what << ", entry " << i + 1;
            }
        }
        EXPECT_EQ(!r.repairs.empty(), c.repaired) << c.what;
    }
}

// Another program's image: its own signature text, version and slot type bytes.
TEST(T64Reader, WellFormedImagesFromElsewhereReadAsWritten) {
    std::vector<Entry> full;
    for (int i = 0; i < 255; ++i)
        full.push_back(testfiles::entry("P" + std::to_string(i), 1 + i % 7, 0x0801, i));
    const struct {
        const char* what;
        std::vector<Entry> entries;
        int capacity;
    } cases[] = {
        {"no entries", {}, 0},
        {"free slots after the entries",
         {testfiles::entry("GAME", 300), testfiles::entry("ABCDEFGHIJKLMNOP", 1, 0xC000, 2),
          testfiles::entry("X", 2, 0x0400, 3)},
         30},
        {"every slot used", full, 255},
    };
    for (const auto& c : cases) {
        const Bytes file = testfiles::t64Bytes(c.entries, "FROM ELSEWHERE", c.capacity);
        const ReadResult r = parseImage(file.data(), file.size());
        ASSERT_TRUE(r.accepted) << c.what << ": " << r.error;
        EXPECT_TRUE(r.repairs.empty()) << c.what;
        EXPECT_EQ(r.contents.capacity, c.capacity) << c.what;
        EXPECT_EQ(r.contents.label, pad("FROM ELSEWHERE", 24)) << c.what;
        ASSERT_EQ(r.contents.entries.size(), c.entries.size()) << c.what;
        for (std::size_t i = 0; i < c.entries.size(); ++i) {
            const Entry& in = c.entries[i];
            const Entry& out = r.contents.entries[i];
            EXPECT_EQ(out.name, pad(in.name, 16)) << c.what << ", entry " << i + 1;
            EXPECT_EQ(Bytes(out.load, out.load + 2), Bytes(in.load, in.load + 2)) << c.what;
            EXPECT_EQ(Bytes(out.end, out.end + 2), Bytes(in.end, in.end + 2)) << c.what;
            EXPECT_EQ(out.data, in.data) << c.what << ", entry " << i + 1;
        }
    }
}

TEST(T64Reader, Rejections) {
    const Bytes good = rawT64(2, 2, {{1, 128}, {1, 130}}, 140);
    const struct {
        const char* what;
        Bytes file;
        const char* reason;
    } cases[] = {
        {"empty file", {}, "does not begin"},
        {"only C6", {'C', '6'}, "does not begin"},
        {"c64 in small letters", {'c', '6', '4', 0}, "does not begin"},
        {"ends inside the header", Bytes(good.begin(), good.begin() + 63), "header"},
        {"ends inside the second slot", Bytes(good.begin(), good.begin() + 64 + 32 + 31), "directory"},
    };
    for (const auto& c : cases) {
        const ReadResult r = parseImage(c.file.data(), c.file.size());
        EXPECT_FALSE(r.accepted) << c.what;
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << c.what << ": " << r.error;
        EXPECT_TRUE(r.contents.entries.empty()) << c.what;
    }
    Bytes anything = good;
    for (std::size_t i = 3; i < 32; ++i)
        anything[i] = static_cast<std::uint8_t>(0xF0 + i);
    EXPECT_TRUE(parseImage(anything.data(), anything.size()).accepted) << "only C, 6, 4 are checked";

    // Entries pointed many times at the same bytes share them out: together they never hold
    // more than the file.
    std::vector<Slot> slots;
    for (int i = 0; i < 255; ++i)
        slots.push_back({1, static_cast<std::uint32_t>(i % 2 ? 64 + 32 * 255 : 64 + 32 * 255 + 16)});
    const Bytes amplifier = rawT64(255, 255, slots, 64 + 32 * 255 + 100000);
    const ReadResult r = parseImage(amplifier.data(), amplifier.size());
    ASSERT_TRUE(r.accepted);
    std::size_t total = 0;
    for (const Entry& e : r.contents.entries)
        total += e.data.size();
    EXPECT_EQ(total, 100000u);
}

TEST(T64Reader, RepairNotesNameTheEntries) {
    const Bytes header = rawT64(3, 3, {{1, 0}, {1, 64 + 32 * 3 + 4}, {1, 64 + 32 * 3}}, 64 + 32 * 3 + 8);
    ReadResult r = parseImage(header.data(), header.size());
    ASSERT_TRUE(r.accepted);
    ASSERT_EQ(r.repairs.size(), 2u);
    EXPECT_EQ(r.repairs[0],
              "the data offset of entry 1 lies inside the header or the directory; it was given no data");
    EXPECT_NE(r.repairs[1].find("entries 2 and 3"), std::string::npos) << r.repairs[1];
    EXPECT_TRUE(r.sizesRepaired);
    EXPECT_FALSE(r.countFromDirectory);

    const Bytes zero = rawT64(3, 0, {{1, 64 + 32 * 3}, {0, 0}, {0, 0}}, 64 + 32 * 3 + 8);
    r = parseImage(zero.data(), zero.size());
    ASSERT_TRUE(r.accepted);
    EXPECT_TRUE(r.countFromDirectory);
    EXPECT_FALSE(r.sizesRepaired);
}

TEST(T64Reader, RealImageFromAnEmulator) {
    const std::string path = std::string(VORNIX_TEST_DATA) + "/t64fix_c64sfreeze-2.52.t64";
    const ReadResult r = readImage(path);
    ASSERT_TRUE(r.accepted) << r.error;
    EXPECT_TRUE(r.repairs.empty());
    EXPECT_EQ(r.contents.capacity, 30);
    ASSERT_EQ(r.contents.count, 1);
    EXPECT_EQ(r.contents.label, pad("TEST", 24));
    const Entry& e = r.contents.entries[0];
    EXPECT_EQ(e.kind, 3);
    EXPECT_EQ(e.name, pad("FREEZE", 16));
    EXPECT_EQ(e.size, 66804);
    EXPECT_EQ(e.dataOffset, 0x400);
    EXPECT_EQ(e.load[0] | e.load[1] | e.end[0] | e.end[1], 0);

    // Saved again, the data is packed right after the 30 slots and reads back the same.
    testfiles::TempDir dir;
    std::vector<Entry> entries = r.contents.entries;
    ASSERT_EQ(outcome(writeImage(dir.file("again.t64"), 30, "TEST", entries, false)), "written");
    EXPECT_EQ(fileLength(dir.file("again.t64")), 64 + 32 * 30 + 66804);
    const ReadResult again = readImage(dir.file("again.t64"));
    ASSERT_TRUE(again.accepted);
    EXPECT_EQ(again.contents.entries[0].data, e.data);
    // A snapshot stays a snapshot: kind and file type are written back as read; an added
    // program beside it is written as a program.
    const Bytes saved = testfiles::readAll(dir.file("again.t64"));
    EXPECT_EQ(saved[64], 3);
    EXPECT_EQ(saved[65], r.contents.entries[0].fileType);
    entries.push_back(makeEntry("NEW", 4));
    ASSERT_EQ(outcome(writeImage(dir.file("again.t64"), 30, "TEST", entries, true)), "written");
    const Bytes two = testfiles::readAll(dir.file("again.t64"));
    EXPECT_EQ(Bytes(two.begin() + 64, two.begin() + 66), Bytes({3, r.contents.entries[0].fileType}));
    EXPECT_EQ(Bytes(two.begin() + 96, two.begin() + 98), Bytes({0x01, 0x01}));
}

// The image is read into one buffer the entries refer into; changing one entry's bytes copies
// only that entry's, and no other entry or copy sees the change.
TEST(T64Reader, EntriesShareTheImageBufferUntilEdited) {
    std::vector<Entry> written{makeEntry("ONE", 300), makeEntry("TWO", 40)};
    testfiles::TempDir dir;
    ASSERT_EQ(outcome(writeImage(dir.file("s.t64"), 2, "S", written, false)), "written");
    ReadResult r = readImage(dir.file("s.t64"));
    ASSERT_TRUE(r.accepted);
    Entry& one = r.contents.entries[0];
    const Entry copy = one;
    ASSERT_TRUE(one.data.shared() && r.contents.entries[1].data.shared());
    EXPECT_EQ(r.contents.entries[1].data.data(), one.data.data() + 300) << "one buffer, in file order";
    one.data[0] ^= 0xFF;
    EXPECT_FALSE(one.data.shared());
    EXPECT_TRUE(copy.data.shared());
    EXPECT_EQ(copy.data, written[0].data);
    EXPECT_NE(one.data, written[0].data);
    EXPECT_EQ(r.contents.entries[1].data, written[1].data);
}

TEST(T64RoundTrip, RandomImagesReadBackAsWritten) {
    std::mt19937 rng(2024);
    auto byte = [&] { return static_cast<std::uint8_t>(rng()); };
    testfiles::TempDir dir;
    for (int round = 0; round < 150; ++round) {
        const int n = round == 0 ? 0 : static_cast<int>(rng() % 40);
        const int capacity = n + static_cast<int>(rng() % (256 - n));
        std::string label(rng() % 25, ' ');
        for (char& c : label)
            c = static_cast<char>(byte());
        std::vector<Entry> entries;
        for (int i = 0; i < n; ++i) {
            Entry e = makeEntry("", rng() % 3 == 0 ? 0 : rng() % 3000, byte(), byte());
            e.name.resize(rng() % 17);
            for (char& c : e.name)
                c = static_cast<char>(byte());
            e.end[0] = byte();
            e.end[1] = byte();
            entries.push_back(e);
        }
        std::vector<Entry> written = entries;
        const bool viaFile = round % 10 == 0;
        ReadResult r;
        if (viaFile) {
            ASSERT_EQ(outcome(writeImage(dir.file("r.t64"), capacity, label, written, round % 4 == 0)),
                      "written");
            r = readImage(dir.file("r.t64"));
        } else {
            const Bytes b = serializeImage(capacity, label, written, round % 4 == 0);
            r = parseImage(b.data(), b.size());
        }
        ASSERT_TRUE(r.accepted) << round;
        EXPECT_TRUE(r.repairs.empty()) << round;
        EXPECT_EQ(r.contents.capacity, capacity);
        EXPECT_EQ(r.contents.label,
                  mapNameBytes(reinterpret_cast<const std::uint8_t*>(pad(label, 24).data()), 24));
        ASSERT_EQ(r.contents.count, n) << round;
        for (int i = 0; i < n; ++i) {
            const Entry& in = entries[i];
            const Entry& out = r.contents.entries[i];
            const std::string held = pad(in.name, 16);
            EXPECT_EQ(out.name, mapNameBytes(reinterpret_cast<const std::uint8_t*>(held.data()), 16));
            EXPECT_EQ(out.data, in.data) << round << "/" << i;
            EXPECT_EQ(out.dataOffset, written[i].dataOffset);
            EXPECT_EQ(Bytes(out.load, out.load + 2), Bytes(in.load, in.load + 2));
            EXPECT_EQ(Bytes(out.end, out.end + 2), Bytes(in.end, in.end + 2));
        }
    }
}

TEST(T64Writer, FailuresLeaveTheOldFileAndNoLeftovers) {
    testfiles::TempDir dir;
    std::vector<Entry> entries{makeEntry("A", 10)};
    const FileError missing = writeImage(dir.file("missing/x.t64"), 1, "L", entries, false);
    EXPECT_EQ(missing.problem, FileProblem::NoFolder);
    EXPECT_EQ(missing.path, dir.file("missing/x.t64"));

    std::filesystem::create_directory(dir.file("folder.t64"));
    const FileError folder = writeImage(dir.file("folder.t64"), 1, "L", entries, false);
    EXPECT_EQ(folder.problem, FileProblem::IsFolder);
    EXPECT_EQ(folder.path, dir.file("folder.t64"));

    testfiles::writeAll(dir.file("old.t64"), {'o', 'l', 'd'});
    ASSERT_EQ(outcome(writeImage(dir.file("old.t64"), 1, "L", entries, false)), "written");
    EXPECT_EQ(fileLength(dir.file("old.t64")), 64 + 32 + 10);
    int files = 0;
    for (const auto& item : std::filesystem::directory_iterator(dir.path()))
        files += item.is_regular_file();
    EXPECT_EQ(files, 1) << "no temporary file is left beside the image";
}

TEST(FileLength, ExistingMissingAndFolders) {
    testfiles::TempDir dir;
    testfiles::writeAll(dir.file("five"), Bytes(5, 1));
    testfiles::writeAll(dir.file("empty"), {});
    EXPECT_EQ(fileLength(dir.file("five")), 5);
    EXPECT_EQ(fileLength(dir.file("empty")), 0);
    EXPECT_EQ(fileLength(dir.file("none")), -1);
    EXPECT_EQ(fileLength(dir.path().string()), -1);
}

// Bounded random mutation of valid images: the reader must never read outside its input,
// never hand out a size that disagrees with the data, and never accept a directory whose
// entries reach outside the file.
TEST(T64Reader, SurvivesRandomMutations) {
    std::vector<Entry> entries{makeEntry("ONE", 300), makeEntry("TWO", 0), makeEntry("THREE", 77)};
    const Bytes seeds[] = {serializeImage(6, "SEED", entries, false),
                           testfiles::readAll(std::string(VORNIX_TEST_DATA) + "/t64fix_c64sfreeze-2.52.t64")};
    std::mt19937 rng(77);
    for (int round = 0; round < 4000; ++round) {
        Bytes b = seeds[round % 2];
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int k = 0; k < edits; ++k) {
            switch (rng() % 4) {
            case 0: // the count and capacity bytes are where damage matters most
                b[rng() % 2 ? 34 : 36] = static_cast<std::uint8_t>(rng());
                break;
            case 1: { // a data offset
                const std::size_t slot = 64 + 32 * (rng() % 8) + 8 + rng() % 4;
                if (slot < b.size())
                    b[slot] = static_cast<std::uint8_t>(rng());
                break;
            }
            case 2: b[rng() % b.size()] = static_cast<std::uint8_t>(rng()); break;
            default:
                b.resize(rng() % (b.size() + 1));
                if (b.size() < 3)
                    b = seeds[0];
                break;
            }
        }
        const ReadResult r = parseImage(b.data(), b.size());
        if (!r.accepted)
            continue;
        ASSERT_EQ(r.contents.entries.size(), static_cast<std::size_t>(r.contents.count));
        ASSERT_LE(r.contents.count, 255);
        // What was accepted saves and reads back to the same entries.
        std::vector<Entry> copy = r.contents.entries;
        const Bytes saved = serializeImage(r.contents.capacity, r.contents.label, copy, false);
        const ReadResult again = parseImage(saved.data(), saved.size());
        ASSERT_TRUE(again.accepted);
        ASSERT_EQ(again.contents.count, r.contents.count);
        for (int i = 0; i < r.contents.count; ++i) {
            ASSERT_EQ(again.contents.entries[i].data, r.contents.entries[i].data) << round;
            ASSERT_EQ(again.contents.entries[i].name, r.contents.entries[i].name) << round;
        }
        std::size_t total = 0;
        for (const Entry& e : r.contents.entries)
            total += e.data.size();
        ASSERT_LE(total, b.size()) << "entries share no bytes, so they never outgrow the file";
        for (const Entry& e : r.contents.entries) {
            ASSERT_GE(e.size, 0);
            ASSERT_EQ(e.data.size(), static_cast<std::size_t>(e.size));
            if (e.size > 0) {
                ASSERT_LE(static_cast<std::size_t>(static_cast<std::uint32_t>(e.dataOffset)) + e.data.size(),
                          b.size());
            }
        }
    }
}
