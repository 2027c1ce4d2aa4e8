// Disk images: the layout we write, the reader on damaged disks, and disks cbmconvert writes.
#include "core/D64Image.h"

#include "tests/support/ProgramBuilder.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vornix;

namespace {

std::size_t offsetOf(int track, int sector) {
    std::size_t s = 0;
    for (int t = 1; t < track; ++t)
        s += sectorsPerTrack(t);
    return (s + sector) * 256;
}

DiskImage parsed(const Bytes& bytes) {
    DiskImage disk;
    EXPECT_TRUE(disk.parse(bytes).opened);
    return disk;
}

Bytes built(const std::vector<DiskProgram>& programs, const std::string& name = "DEMO DISK") {
    Bytes out;
    EXPECT_EQ(buildDisk(name, programs, out).refusal, DiskWriteRefusal::None);
    return out;
}

DiskProgram prg(const std::string& name, std::size_t size, std::uint8_t seed) {
    return DiskProgram::fromPrg(name, testfiles::programData(size, seed));
}

// PRG sizes around the block boundaries of 254 bytes.
const std::vector<DiskProgram> kSample{prg("GAME            ", 2, 1), prg("LOADER", 254, 2),
                                       prg("INTRO", 255, 3), prg("MUSIC", 5000, 4), prg("EMPTY", 508, 5)};

// Where the first block of directory entry `slot` (of the first directory sector) lies.
std::size_t firstBlock(const Bytes& d, int slot) {
    const std::size_t e = offsetOf(18, 1) + 32 * slot;
    return offsetOf(d[e + 3], d[e + 4]);
}

// Where the entry's chain breaks, after how many blocks.
std::tuple<LinkProblem, int, int, int> breakOf(const DiskImage& disk, int entry) {
    Bytes data;
    const FileReading r = disk.readFile(disk.entries()[entry], data);
    EXPECT_FALSE(r.read);
    EXPECT_TRUE(data.empty());
    return {r.broken.problem, r.blocksRead, r.broken.track, r.broken.sector};
}

bool reads(const DiskImage& disk, int entry, Bytes& data) {
    return disk.readFile(disk.entries()[entry], data).read;
}

} // namespace

TEST(D64Layout, BamDirectoryChainsAndContents) {
    const Bytes d = built(kSample, "demo disk       ");
    ASSERT_EQ(d.size(), DiskImage::kSize35);
    const std::uint8_t* bam = d.data() + offsetOf(18, 0);
    EXPECT_EQ(Bytes(bam, bam + 4), (Bytes{18, 1, 0x41, 0}));
    EXPECT_EQ(std::string(bam + 0x90, bam + 0xAB),
              "demo disk" + std::string(9, '\xA0') + "VX\xA0" + "2A" + std::string(4, '\xA0'));

    // Every block a file uses is taken in the BAM, and only those (plus the directory's).
    const DiskImage disk = parsed(d);
    std::vector<bool> taken(683, false);
    taken[offsetOf(18, 0) / 256] = taken[offsetOf(18, 1) / 256] = true;
    int used = 0;
    for (const DiskEntry& e : disk.entries()) {
        EXPECT_EQ(e.typeByte, 0x82);
        for (int t = e.track, s = e.sector, n = 0; t != 0; ++n, ++used) {
            taken[offsetOf(t, s) / 256] = true;
            const std::uint8_t* b = d.data() + offsetOf(t, s);
            EXPECT_TRUE(n > 0 || b[0] != t || b[1] == (s + 10) % sectorsPerTrack(t)); // interleave 10
            t = b[0];
            s = b[1];
        }
    }
    for (int t = 1; t <= 35; ++t)
        for (int s = 0; s < sectorsPerTrack(t); ++s)
            EXPECT_NE(bam[4 * t + 1 + s / 8] >> (s % 8) & 1, taken[offsetOf(t, s) / 256]) << t << "/" << s;
    EXPECT_EQ(used, 1 + 1 + 2 + 20 + 2);
    EXPECT_EQ(disk.blocksFree() + used, DiskImage::kDiskBlocks);
    EXPECT_EQ(disk.entries()[3].blocks, 20);
    for (std::size_t i = 0; i < kSample.size(); ++i) {
        Bytes data;
        EXPECT_TRUE(reads(disk, int(i), data));
        EXPECT_EQ(data, kSample[i].prg()) << i;
    }
}

TEST(D64Layout, FullDisksAndDirectoriesAreRefusedByName) {
    std::vector<DiskProgram> programs{prg("BIG", 663 * 254, 1), prg("LAST", 254, 2)};
    EXPECT_EQ(parsed(built(programs)).blocksFree(), 0);
    programs[1].data.push_back(0);
    Bytes out{1};
    DiskWriteResult r = buildDisk("X", programs, out);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(r.refusal, DiskWriteRefusal::DoesNotFit);
    EXPECT_EQ(std::tie(r.program, r.name, r.blocksNeeded, r.blocksLeft), std::tuple(1u, "LAST", 2, 1));

    // 144 files use all 18 directory sectors, in the order of the interleave of 3.
    std::vector<DiskProgram> many(144, prg("F", 3, 0));
    const Bytes d = built(many);
    std::vector<int> order;
    for (int s = 1; s != 0xFF && order.size() < 20; s = d[offsetOf(18, s) + 1])
        order.push_back(s);
    EXPECT_EQ(order, (std::vector<int>{1, 4, 7, 10, 13, 16, 2, 5, 8, 11, 14, 17, 3, 6, 9, 12, 15, 18}));
    EXPECT_EQ(parsed(d).entries().size(), 144u);
    many.push_back(prg("F144", 3, 0));
    r = buildDisk("X", many, out);
    EXPECT_EQ(r.refusal, DiskWriteRefusal::TooManyFiles);
    EXPECT_EQ(std::tie(r.program, r.name), std::tuple(144u, "F144"));

    // Refused or written, nothing is left half-done at the target.
    testfiles::TempDir dir;
    const std::string path = dir.file("old.d64");
    testfiles::writeAll(path, {1, 2, 3});
    r = writeDisk(path, "X", many);
    EXPECT_EQ(std::tie(r.written, r.refusal, r.path),
              std::tuple(false, DiskWriteRefusal::TooManyFiles, path));
    EXPECT_EQ(testfiles::readAll(path), (Bytes{1, 2, 3}));
    r = writeDisk(path, "X", kSample);
    EXPECT_TRUE(r.written) << r.failure.message();
    EXPECT_EQ(r.blocksUsed, 1 + 1 + 2 + 20 + 2);
    EXPECT_EQ(testfiles::readAll(path), built(kSample, "X"));
    r = writeDisk(dir.file("none/x.d64"), "X", kSample);
    EXPECT_EQ(std::tie(r.written, r.refusal), std::tuple(false, DiskWriteRefusal::CannotWrite));
    EXPECT_EQ(r.failure.problem, FileProblem::NoFolder);
}

TEST(D64Reader, GeometriesLengthsAndTypes) {
    // On a 40-track disk a chain may use track 36; on a 35-track disk it leaves the disk.
    for (std::size_t size : {DiskImage::kSize40, DiskImage::kSize40Errors, DiskImage::kSize35Errors}) {
        Bytes d = built(kSample);
        d.resize(size, 0);
        d[firstBlock(d, 0)] = 36; // GAME's only block now links on to 36/0
        d[firstBlock(d, 0) + 1] = 0;
        const DiskImage disk = parsed(d);
        EXPECT_EQ(disk.hasErrorTable(), size != DiskImage::kSize40);
        Bytes data;
        if (size == DiskImage::kSize35Errors) {
            EXPECT_EQ(breakOf(disk, 0), std::tuple(LinkProblem::NoSuchTrack, 1, 36, 0));
        } else {
            EXPECT_TRUE(reads(disk, 0, data));
        }
    }
    DiskImage disk;
    for (const auto& [size, refusal] : {std::pair{DiskImage::kSize35 + 1, DiskRefusal::WrongSize},
                                        std::pair{offsetOf(18, 0) + 255, DiskRefusal::NoDirectory}}) {
        const DiskOpenResult r = disk.parse(Bytes(size));
        EXPECT_EQ(std::tie(r.opened, r.refusal, r.size), std::tuple(false, refusal, size));
    }
    testfiles::TempDir dir;
    testfiles::writeAll(dir.file("big.d64"), Bytes(DiskImage::kSize40Errors + 1));
    for (const std::string& path : {dir.file("none.d64"), dir.file("big.d64")}) {
        const DiskOpenResult r = disk.load(path);
        EXPECT_EQ(std::tie(r.opened, r.refusal, r.path), std::tuple(false, DiskRefusal::Unreadable, path));
        EXPECT_EQ(r.failure.path, path);
    }
    EXPECT_EQ(disk.load(dir.file("big.d64")).failure.message(),
              dir.file("big.d64") + ": the file is too large (197377 bytes)");

    Bytes d = built(kSample);
    for (int slot : {0, 1, 2, 3}) // SEQ, PRG never closed, locked REL, free slot
        d[offsetOf(18, 1) + 32 * slot + 2] = Bytes{0x81, 0x02, 0xC4, 0x00}[slot];
    const DiskImage typed = parsed(d);
    ASSERT_EQ(typed.entries().size(), 4u);
    EXPECT_STREQ(typed.entries()[0].typeName(), "SEQ");
    EXPECT_TRUE(typed.entries()[1].isProgram() && !typed.entries()[1].closed());
    EXPECT_TRUE(typed.entries()[2].locked() && typed.entries()[2].type() == 4);
    EXPECT_EQ(trimDiskName(typed.entries()[3].name), "EMPTY");
}

TEST(D64Reader, DamagedChainsNameTheFileAndLeaveTheRest) {
    Bytes d = built(kSample);
    const std::size_t dir = offsetOf(18, 1);
    d[firstBlock(d, 1)] = d[dir + 32 + 3]; // LOADER's block links back to itself
    d[firstBlock(d, 1) + 1] = d[dir + 32 + 4];
    d[firstBlock(d, 2) + 1] = 25; // INTRO's second block is sector 25
    d[dir] = 18;                  // the directory chain loops back to its own sector
    d[dir + 1] = 1;
    const DiskImage disk = parsed(d);
    ASSERT_EQ(disk.entries().size(), kSample.size());
    ASSERT_EQ(disk.notes().size(), 1u);
    const DiskNote& note = disk.notes()[0];
    EXPECT_EQ(note.kind, DiskNote::Kind::DirectoryBroken);
    EXPECT_EQ(std::tie(note.link.problem, note.link.track, note.link.sector, note.listed),
              std::tuple(LinkProblem::Loop, 18, 1, kSample.size()));
    EXPECT_EQ(std::get<0>(breakOf(disk, 1)), LinkProblem::Loop);
    const auto [problem, blocks, track, sector] = breakOf(disk, 2);
    EXPECT_EQ(std::tie(problem, blocks, sector), std::tuple(LinkProblem::NoSuchSector, 1, 25));
    Bytes data;
    for (int i : {0, 3, 4}) {
        EXPECT_TRUE(reads(disk, i, data));
        EXPECT_EQ(data, kSample[i].prg());
    }

    // Truncated behind the directory track: files before the cut still read, the others say why.
    std::vector<DiskProgram> more = kSample;
    more.push_back(prg("BIG", 360 * 254, 9)); // past tracks 17 to 1, onto track 19
    const Bytes whole = built(more);
    const DiskImage cut = parsed(Bytes(whole.begin(), whole.begin() + offsetOf(19, 0) + 300));
    EXPECT_EQ(cut.notes().at(0).kind, DiskNote::Kind::Truncated);
    EXPECT_EQ(cut.notes().at(0).size, offsetOf(19, 0) + 300);
    EXPECT_TRUE(reads(cut, 0, data));
    EXPECT_EQ(breakOf(cut, 5), std::tuple(LinkProblem::PastEnd, 332, 19, 10));
}

// Disks cbmconvert writes (files from track 19 on), made now and stored, read file for file.
TEST(D64Cbmconvert, ReadsItsDisks) {
#ifdef _WIN32
    GTEST_SKIP() << "cbmconvert is a Linux program here";
#endif
    testfiles::TempDir dir;
    std::vector<std::string> args{"cbmconvert", "-D4", "theirs.d64", "-n"};
    for (const DiskProgram& p : kSample) {
        args.push_back(p.name.substr(0, p.name.find(' ')) + ".prg");
        testfiles::writeAll(dir.file(args.back()), p.prg());
    }
    const testfiles::ProgramRun made = testfiles::runProgram(dir.path().string(), args);
    ASSERT_EQ(made.code, 0) << "cbmconvert (package cbmconvert): " << made.err;
    DiskImage theirs, stored;
    ASSERT_TRUE(theirs.load(dir.file("theirs.d64")).opened);
    ASSERT_TRUE(stored.load(VORNIX_TEST_DATA "/cbmconvert_three.d64").opened);
    ASSERT_EQ(theirs.entries().size(), kSample.size());
    Bytes data;
    for (std::size_t i = 0; i < kSample.size(); ++i) {
        EXPECT_TRUE(reads(theirs, int(i), data));
        EXPECT_EQ(data, kSample[i].prg()) << i;
    }
    ASSERT_EQ(stored.entries().size(), 3u);
    EXPECT_STREQ(stored.entries()[2].typeName(), "SEQ");
    EXPECT_TRUE(reads(stored, 1, data));
    EXPECT_EQ(data.size(), 602u); // DATA: load address $C000, then 600 bytes
}
