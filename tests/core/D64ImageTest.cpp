// Disk images: the layout we write, the reader on damaged disks, and cbmconvert both ways.
#include "core/D64Image.h"

#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vornix;

namespace {

Bytes program(std::size_t size, std::uint8_t seed) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i)
        b[i] = static_cast<std::uint8_t>(i * 31 + seed);
    return b;
}

std::size_t offsetOf(int track, int sector) {
    std::size_t s = 0;
    for (int t = 1; t < track; ++t)
        s += sectorsPerTrack(t);
    return (s + sector) * 256;
}

DiskImage parsed(const Bytes& bytes) {
    DiskImage disk;
    std::string error;
    EXPECT_TRUE(disk.parse(bytes, &error)) << error;
    return disk;
}

Bytes built(const std::vector<DiskProgram>& programs, const std::string& name = "DEMO DISK") {
    Bytes out;
    std::string error;
    EXPECT_TRUE(buildDisk(name, programs, out, &error)) << error;
    return out;
}

std::vector<DiskProgram> sample() {
    return {{"GAME            ", program(2, 1)},
            {"LOADER", program(254, 2)},
            {"INTRO", program(255, 3)},
            {"MUSIC", program(5000, 4)},
            {"EMPTY", program(508, 5)}};
}

} // namespace

TEST(D64Layout, BamDirectoryAndChainsAreConsistent) {
    const Bytes d = built(sample(), "demo disk       ");
    ASSERT_EQ(d.size(), DiskImage::kSize35);
    const std::uint8_t* bam = d.data() + offsetOf(18, 0);
    EXPECT_EQ(Bytes(bam, bam + 4), (Bytes{18, 1, 0x41, 0}));
    EXPECT_EQ(std::string(bam + 0x90, bam + 0xAB),
              "demo disk" + std::string(9, '\xA0') + "VX\xA0" + "2A" + std::string(4, '\xA0'));

    // Every block a file uses is taken in the BAM, and only those (plus the directory's).
    const DiskImage disk = parsed(d);
    int used = 0;
    std::vector<bool> taken(683, false);
    for (const DiskEntry& e : disk.entries()) {
        EXPECT_EQ(e.typeByte, 0x82);
        for (int t = e.track, s = e.sector, n = 0; t != 0; ++n) {
            taken[offsetOf(t, s) / 256] = true;
            const std::uint8_t* b = d.data() + offsetOf(t, s);
            if (n == 0 && b[0] == t) { // the usual interleave inside a track
                EXPECT_EQ(b[1], (s + 10) % sectorsPerTrack(t));
            }
            t = b[0];
            s = b[1];
            ++used;
        }
    }
    taken[offsetOf(18, 0) / 256] = taken[offsetOf(18, 1) / 256] = true;
    for (int t = 1; t <= 35; ++t)
        for (int s = 0; s < sectorsPerTrack(t); ++s) {
            const bool free = bam[4 * t + 1 + s / 8] >> (s % 8) & 1;
            EXPECT_NE(free, taken[offsetOf(t, s) / 256]) << t << "/" << s;
        }
    EXPECT_EQ(used, 1 + 1 + 2 + 20 + 2);
    EXPECT_EQ(disk.blocksFree() + used, DiskImage::kDiskBlocks);
    EXPECT_EQ(disk.entries()[0].name, "GAME" + std::string(12, '\xA0'));
    EXPECT_EQ(disk.entries()[3].blocks, 20);
}

TEST(D64Layout, ReadsBackEveryProgram) {
    const std::vector<DiskProgram> programs = sample();
    const DiskImage disk = parsed(built(programs));
    EXPECT_EQ(trimDiskName(disk.diskName()), "DEMO DISK");
    EXPECT_EQ(disk.diskId(), "VX");
    EXPECT_EQ(disk.tracks(), 35);
    EXPECT_TRUE(disk.notes().empty());
    ASSERT_EQ(disk.entries().size(), programs.size());
    for (std::size_t i = 0; i < programs.size(); ++i) {
        Bytes data;
        std::string error;
        EXPECT_TRUE(disk.readFile(disk.entries()[i], data, &error)) << error;
        EXPECT_EQ(data, programs[i].prg) << i;
        EXPECT_STREQ(disk.entries()[i].typeName(), "PRG");
    }
}

TEST(D64Layout, FullDisksAndDirectoriesAreRefusedByName) {
    // 664 blocks fit exactly; one byte more does not, and nothing is built.
    std::vector<DiskProgram> programs{{"BIG", program(663 * 254, 1)}, {"LAST", program(254, 2)}};
    const DiskImage full = parsed(built(programs));
    EXPECT_EQ(full.blocksFree(), 0);
    programs[1].prg.push_back(0);
    Bytes out{1};
    std::string error;
    EXPECT_FALSE(buildDisk("X", programs, out, &error));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(error, "\"LAST\" does not fit: it needs 2 blocks and only 1 of 664 are left");

    // 144 files use all 18 directory sectors, in the order of the interleave of 3.
    std::vector<DiskProgram> many;
    for (int i = 0; i < 144; ++i)
        many.push_back({"F" + std::to_string(i), program(3, 0)});
    const Bytes d = built(many);
    std::vector<int> order;
    for (int s = 1; s != 0xFF; s = d[offsetOf(18, s) + 1]) {
        order.push_back(s);
        ASSERT_LE(order.size(), 18u);
    }
    EXPECT_EQ(order, (std::vector<int>{1, 4, 7, 10, 13, 16, 2, 5, 8, 11, 14, 17, 3, 6, 9, 12, 15, 18}));
    EXPECT_EQ(parsed(d).entries().size(), 144u);
    many.push_back({"F144", program(3, 0)});
    EXPECT_FALSE(buildDisk("X", many, out, &error));
    EXPECT_EQ(error, "\"F144\" does not fit: a disk holds at most 144 files");
}

TEST(D64Reader, GeometriesAndLengths) {
    Bytes d = built(sample());
    d.resize(DiskImage::kSize35Errors, 1);
    EXPECT_TRUE(parsed(d).hasErrorTable());
    // On a 40-track disk a chain may use track 36; on a 35-track disk it leaves the disk.
    for (std::size_t size : {DiskImage::kSize40, DiskImage::kSize35}) {
        Bytes disk = built(sample());
        disk.resize(size, 0);
        const std::size_t first = offsetOf(disk[offsetOf(18, 1) + 3], disk[offsetOf(18, 1) + 4]);
        disk[first] = 36; // GAME's only block now links on to 36/0
        disk[first + 1] = 0;
        const DiskImage image = parsed(disk);
        Bytes data;
        std::string error;
        EXPECT_EQ(image.readFile(image.entries()[0], data, &error), size == DiskImage::kSize40) << error;
        if (size == DiskImage::kSize35) {
            EXPECT_EQ(error, "\"GAME\": its chain of blocks breaks after 1 blocks: track 36 does not exist "
                             "(the disk has 35 tracks)");
        }
    }
    DiskImage disk;
    std::string error;
    EXPECT_FALSE(disk.parse(Bytes(DiskImage::kSize35 + 1), &error));
    EXPECT_NE(error.find("not a D64 disk image"), std::string::npos);
    EXPECT_FALSE(disk.parse(Bytes(offsetOf(18, 0) + 255), &error));
    EXPECT_NE(error.find("too few to reach its directory"), std::string::npos);
}

TEST(D64Reader, DamagedChainsNameTheFileAndLeaveTheRest) {
    const std::vector<DiskProgram> programs = sample();
    Bytes d = built(programs);
    const std::size_t dir = offsetOf(18, 1);
    // LOADER's block links back to itself; INTRO's second block points at sector 25.
    const std::size_t loader = offsetOf(d[dir + 32 + 3], d[dir + 32 + 4]);
    d[loader] = d[dir + 32 + 3];
    d[loader + 1] = d[dir + 32 + 4];
    const std::size_t intro = offsetOf(d[dir + 64 + 3], d[dir + 64 + 4]);
    d[intro + 1] = 25;
    // A directory chain that loops back to its own sector lists its entries once.
    d[dir] = 18;
    d[dir + 1] = 1;
    const DiskImage disk = parsed(d);
    ASSERT_EQ(disk.entries().size(), programs.size());
    ASSERT_EQ(disk.notes().size(), 1u);
    EXPECT_NE(disk.notes()[0].find("loops back to track 18 sector 1"), std::string::npos);
    Bytes data;
    std::string error;
    EXPECT_FALSE(disk.readFile(disk.entries()[1], data, &error));
    EXPECT_EQ(error.rfind("\"LOADER\": its chain of blocks loops back to track", 0), 0u) << error;
    EXPECT_TRUE(data.empty());
    EXPECT_FALSE(disk.readFile(disk.entries()[2], data, &error));
    EXPECT_NE(error.find("has no sector 25"), std::string::npos) << error;
    for (std::size_t i : {0u, 3u, 4u}) {
        EXPECT_TRUE(disk.readFile(disk.entries()[i], data, &error)) << error;
        EXPECT_EQ(data, programs[i].prg);
    }

    // Truncated behind the directory track: files before the cut still read, the others say why.
    std::vector<DiskProgram> more = sample();
    more.push_back({"BIG", program(360 * 254, 9)}); // past tracks 17 to 1, onto track 19
    const Bytes whole = built(more);
    const DiskImage cut = parsed(Bytes(whole.begin(), whole.begin() + offsetOf(19, 0) + 300));
    EXPECT_NE(cut.notes().at(0).find("truncated"), std::string::npos);
    EXPECT_TRUE(cut.readFile(cut.entries()[0], data, &error)) << error;
    EXPECT_FALSE(cut.readFile(cut.entries()[5], data, &error));
    EXPECT_EQ(error,
              "\"BIG\": its chain of blocks breaks after 332 blocks: track 19 sector 10 lies past the end "
              "of the truncated image");
}

TEST(D64Reader, EntryTypesAndFreeSlots) {
    Bytes d = built(sample());
    const std::size_t dir = offsetOf(18, 1);
    d[dir + 2] = 0x81;      // SEQ
    d[dir + 32 + 2] = 0x02; // PRG never closed
    d[dir + 64 + 2] = 0xC4; // locked REL
    d[dir + 96 + 2] = 0x00; // a free slot
    const DiskImage disk = parsed(d);
    ASSERT_EQ(disk.entries().size(), 4u);
    EXPECT_STREQ(disk.entries()[0].typeName(), "SEQ");
    EXPECT_TRUE(disk.entries()[1].isProgram());
    EXPECT_FALSE(disk.entries()[1].closed());
    EXPECT_TRUE(disk.entries()[2].locked());
    EXPECT_STREQ(disk.entries()[2].typeName(), "REL");
    EXPECT_EQ(trimDiskName(disk.entries()[3].name), "EMPTY");
}

TEST(D64Writer, RefusedOrFailedWritesLeaveTheOldFile) {
    testfiles::TempDir dir;
    const std::string path = dir.file("old.d64");
    testfiles::writeAll(path, {1, 2, 3});
    std::string error;
    EXPECT_FALSE(writeDisk(path, "X", {{"HUGE", program(665 * 254, 0)}}, &error));
    EXPECT_EQ(error,
              path +
                  ": not written: \"HUGE\" does not fit: it needs 665 blocks and only 664 of 664 are left");
    EXPECT_EQ(testfiles::readAll(path), (Bytes{1, 2, 3}));
    EXPECT_TRUE(writeDisk(path, "X", sample(), &error)) << error;
    EXPECT_EQ(testfiles::readAll(path), built(sample(), "X"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// cbmconvert reads our disks file for file, and we read the disks it writes.
TEST(D64Cbmconvert, BothWays) {
    testfiles::TempDir dir;
    const std::vector<DiskProgram> programs = sample();
    std::string error;
    ASSERT_TRUE(writeDisk(dir.file("ours.d64"), "OURS", programs, &error)) << error;
    std::filesystem::create_directory(dir.file("out"));
    const auto extracted = testfiles::runProgram(dir.file("out"), {"cbmconvert", "-N", "-d", "../ours.d64"});
    ASSERT_EQ(extracted.code, 0) << "cbmconvert (package cbmconvert) failed: " << extracted.err;
    for (const DiskProgram& p : programs) {
        std::string name = trimDiskName(p.name.substr(0, p.name.find(' ')));
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(testfiles::readAll(dir.file("out/" + name + ".prg")), p.prg) << name;
    }

    for (const DiskProgram& p : programs)
        testfiles::writeAll(dir.file(p.name.substr(0, p.name.find(' ')) + ".prg"), p.prg);
    const auto made =
        testfiles::runProgram(dir.path(), {"cbmconvert", "-D4", "theirs.d64", "-n", "GAME.prg", "LOADER.prg",
                                           "INTRO.prg", "MUSIC.prg", "EMPTY.prg"});
    ASSERT_EQ(made.code, 0) << made.err;
    DiskImage theirs;
    ASSERT_TRUE(theirs.load(dir.file("theirs.d64"), &error)) << error;
    ASSERT_EQ(theirs.entries().size(), programs.size());
    for (std::size_t i = 0; i < programs.size(); ++i) {
        Bytes data;
        EXPECT_TRUE(theirs.readFile(theirs.entries()[i], data, &error)) << error;
        EXPECT_EQ(data, programs[i].prg) << i;
    }
}

TEST(D64Cbmconvert, StoredDiskReads) {
    DiskImage disk;
    std::string error;
    ASSERT_TRUE(disk.load(VORNIX_TEST_DATA "/cbmconvert_three.d64", &error)) << error;
    ASSERT_EQ(disk.entries().size(), 3u);
    EXPECT_EQ(trimDiskName(disk.entries()[0].name), "HELLO");
    EXPECT_STREQ(disk.entries()[2].typeName(), "SEQ");
    Bytes data;
    ASSERT_TRUE(disk.readFile(disk.entries()[1], data, &error)) << error;
    EXPECT_EQ(data.size(), 602u);
    EXPECT_EQ(data[0], 0x00);
    EXPECT_EQ(data[1], 0xC0);
}
