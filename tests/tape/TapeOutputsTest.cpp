// What tape64, vornix-cli and the editor make of found files: names that keep the blocks of one
// program together, the T64 of them, and the wording of a tape without checksums.
#include "tape/TapeOutputs.h"
#include "core/T64Image.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vornix::tape;

namespace {

FoundFile block(std::string_view loader, const std::string& name, int program, int number, FileState state) {
    FoundFile f;
    f.loader = loader;
    f.name = name;
    f.program = program;
    f.block = number;
    f.load = static_cast<std::uint16_t>(0x1000 + 0x100 * number);
    f.data.assign(256, static_cast<std::uint8_t>(number));
    f.end = static_cast<std::uint16_t>(f.load + 256);
    f.state = state;
    return f;
}

} // namespace

// Blocks of programs stored as many blocks are named so that each program's blocks sort
// together and in order, in a T64 (16-byte names) and as P00 files; a whole file keeps its name.
TEST(TapeOutputs, BlocksOfOneProgramSortTogether) {
    std::vector<FoundFile> files;
    for (int b : {0, 1, 10})
        files.push_back(block("novaload", "", 1, b, FileState::Good));
    for (int b : {0, 2})
        files.push_back(block("ocean", "A LONG GAME NAME", 0, b, FileState::Good));
    files.push_back(block("ocean", "A LONG GAME NAME", 0, 3, FileState::ChecksumWrong));
    files.push_back(block("rom", "WHOLE", 0, -1, FileState::Good));
    files.push_back(block("freeload", "", 0, -1, FileState::Good));
    files.push_back(block("rom", "", 0, -1, FileState::Good));
    const std::vector<std::string> names = {"NOVALOAD02-000",
                                            "NOVALOAD02-001",
                                            "NOVALOAD02-010",
                                            "A LONG GAME -000",
                                            "A LONG GAME -002",
                                            "A LONG GAME -003",
                                            "WHOLE",
                                            "FREELOAD $0F00",
                                            ""};
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(outputName(files[i]), names[i]);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.begin() + 3) &&
                std::is_sorted(names.begin() + 3, names.end() - 3));

    testfiles::TempDir dir;
    const OutputResult t64 = writeT64(files, dir.file("game.t64"), "/tapes/game.tap");
    ASSERT_TRUE(t64.written) << describe(t64);
    const vornix::ReadResult r = vornix::readImage(dir.file("game.t64"));
    ASSERT_TRUE(r.accepted);
    ASSERT_EQ(r.contents.entries.size(), files.size());
    EXPECT_EQ(r.contents.label.substr(0, 4), "GAME");
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string name = r.contents.entries[i].name;
        name.erase(name.find_last_not_of(' ') + 1);
        EXPECT_EQ(name, isDamaged(files[i]) ? "!" + names[i].substr(0, 15) : names[i]);
        EXPECT_EQ(r.contents.entries[i].load[1], files[i].load >> 8);
    }
    EXPECT_EQ(writeP00(dir.file("x_"), outputName(files[1]), 0, "", {1}).path,
              dir.file("x_NOVALOAD02-001.P00"));
    EXPECT_EQ(entryFor(files[5], damageMark(files[5])).name, "A LONG GAME -003 (checksum wrong)");
}

// A loader without a checksum vouches for nothing, yet its files are not damaged: they are
// written without -e and counted apart.
TEST(TapeOutputs, NoChecksumIsNeitherGoodNorDamaged) {
    std::vector<FoundFile> files(4);
    files[0].state = FileState::Good;
    files[1].state = files[2].state = FileState::NoChecksum;
    files[3].state = FileState::CutOff;
    EXPECT_FALSE(isDamaged(files[1]));
    EXPECT_EQ(damageMark(files[1]), "");
    EXPECT_EQ(summary(files), "4 files: 1 good, 2 no checksum, 0 repaired, 1 damaged");
    files.resize(1);
    EXPECT_EQ(summary(files), "1 file: 1 good, 0 repaired, 0 damaged");
}
