// vornix-cli koala and fli as a user runs them: the programs written, usage errors and
// refusals that leave nothing behind.
#include "convert/EmbeddedResources.h"
#include "convert/PictureConverters.h"
#include "tests/support/ProgramBuilder.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

using testfiles::Bytes;
using testfiles::pattern;
using testfiles::readAll;
using testfiles::TempDir;
using testfiles::writeAll;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The stub, zeros up to the picture's place, the picture.
void expectKoalaProgram(const Bytes& prg, const Bytes& picture) {
    ASSERT_EQ(prg.size(), 6143 + picture.size());
    const auto& stub = vornix::koalaStub();
    EXPECT_TRUE(std::equal(stub.begin(), stub.end(), prg.begin()));
    EXPECT_TRUE(std::all_of(prg.begin() + 101, prg.begin() + 6143, [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::equal(picture.begin(), picture.end(), prg.begin() + 6143));
}

// Runs vornix-cli directly (no shell), standard output discarded, standard error too
// unless a file is given for it.
int runCli(const std::vector<std::string>& args, const std::string& errors = {}) {
    return testfiles::runProgram(VORNIX_CLI, args, {}, {}, errors);
}

} // namespace

TEST(PictureCommands, KoalaAndFliCommands) {
    TempDir dir;
    const Bytes picture = pattern(10003, 8);
    writeAll(dir.file("a.kla"), picture);

    EXPECT_EQ(runCli({"koala", dir.file("a.kla"), dir.file("a.prg")}), 0);
    expectKoalaProgram(readAll(dir.file("a.prg")), picture);

    // Usage errors and a missing picture write nothing.
    EXPECT_EQ(runCli({"koala", dir.file("a.kla")}), 2);
    EXPECT_EQ(runCli({"fli", dir.file("a.kla"), dir.file("b.prg"), dir.file("c.prg")}), 2);
    EXPECT_EQ(runCli({"koala", dir.file("none.kla"), dir.file("b.prg")}), 1);
    EXPECT_EQ(runCli({"fli", dir.file("none.fli"), dir.file("b.prg")}), 1);
    EXPECT_EQ(runCli({"koala", dir.file("a.kla"), dir.file("no/folder/b.prg")}), 1);
    EXPECT_FALSE(fs::exists(dir.file("b.prg")));
    EXPECT_EQ(runCli({"koala", "--help"}), 0);
    // Help after the operands too, never a program written under the name "--help".
    const fs::path here = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_EQ(runCli({"fli", dir.file("a.kla"), "--help"}), 0);
    fs::current_path(here);
    EXPECT_FALSE(fs::exists(dir.file("--help")));

    const auto* viewer = vornix::findResource("fliview");
    const std::string errors = dir.file("errors");
    EXPECT_EQ(runCli({"fli", dir.file("a.kla"), dir.file("f.prg")}, errors), viewer ? 0 : 1);
    if (viewer) {
        Bytes expected = *viewer;
        expected.insert(expected.end(), picture.begin() + 2, picture.end());
        EXPECT_EQ(readAll(dir.file("f.prg")), expected);
        // Converted all the same, with a warning about the load address, which FLI
        // pictures at $3B00 do not get.
        const Bytes said = readAll(errors);
        EXPECT_NE(
            std::string(said.begin(), said.end()).find("warning: " + dir.file("a.kla") + " loads at $0F08"),
            std::string::npos);
        Bytes fli = pattern(17474, 3);
        fli[0] = 0x00;
        fli[1] = 0x3B;
        writeAll(dir.file("b.fli"), fli);
        EXPECT_EQ(runCli({"fli", dir.file("b.fli"), dir.file("f.prg")}, errors), 0);
        EXPECT_EQ(readAll(errors), Bytes{});
    } else {
        EXPECT_FALSE(fs::exists(dir.file("f.prg")));
    }
}

// Judged by size alone: a huge (sparse) picture is refused at once and nothing is written.
TEST(PictureCommands, PictureTooLargeForTheC64IsRefusedAtOnce) {
    TempDir dir;
    const std::string errors = dir.file("errors");
    for (const std::uint64_t size : {std::uint64_t{200} << 20, std::uint64_t{5} << 30}) {
        { std::ofstream create(dir.file("huge.pic"), std::ios::binary | std::ios::trunc); }
        std::error_code ec;
        fs::resize_file(dir.file("huge.pic"), size, ec);
        if (ec)
            GTEST_SKIP() << "no sparse file of " << size << " bytes here: " << ec.message();
        for (const char* command : {"koala", "fli"}) {
            SCOPED_TRACE(std::string(command) + " " + std::to_string(size));
            const auto started = std::chrono::steady_clock::now();
            EXPECT_EQ(runCli({command, dir.file("huge.pic"), dir.file("out.prg")}, errors), 1);
            EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
            const Bytes said = readAll(errors);
            EXPECT_NE(std::string(said.begin(), said.end()).find("is too large"), std::string::npos);
            EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"errors", "huge.pic"}));
        }
    }
}

// What cannot be a picture of the kind is refused with the reason; one that loads elsewhere
// may still be one and is converted with a warning. An output that is the picture itself
// (by name, link or hard link) is refused and the picture stays.
TEST(PictureCommands, RefusesWhatCannotBeAPictureAndTheInputAsOutput) {
    TempDir dir;
    const std::string errors = dir.file("errors");
    const auto said = [&] {
        const Bytes b = readAll(errors);
        return std::string(b.begin(), b.end());
    };
    writeAll(dir.file("empty"), {});
    writeAll(dir.file("basic.prg"), pattern(618, 1));
    Bytes fliShort = pattern(9474, 2); // its data ends just before the bitmap at $6000
    fliShort[0] = 0x00;
    fliShort[1] = 0x3B;
    writeAll(dir.file("short.fli"), fliShort);
    const struct {
        const char* command;
        const char* input;
        std::string says;
    } refused[] = {
        {"koala", "empty", "empty holds 0 bytes, too few for a Koala picture (10003 bytes)"},
        {"koala", "basic.prg", "basic.prg holds 618 bytes, too few for a Koala picture"},
        {"fli", "empty", "empty holds 0 bytes, too few for an FLI picture"},
        {"fli", "short.fli",
         "short.fli holds 9474 bytes, too few for an FLI picture: its data reaches the "
         "bitmap at $6000 from 9475 bytes on"},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(runCli({c.command, dir.file(c.input), dir.file("out.prg")}, errors), 1) << c.input;
        EXPECT_NE(said().find(c.says), std::string::npos) << said();
        EXPECT_FALSE(fs::exists(dir.file("out.prg")));
    }

    Bytes koala = readAll(VORNIX_TEST_DATA "/afterimage_metal.kla");
    koala[0] = 0x01;
    koala[1] = 0x08;
    writeAll(dir.file("a.kla"), koala);
    ASSERT_EQ(runCli({"koala", dir.file("a.kla"), dir.file("a.prg")}, errors), 0);
    EXPECT_NE(said().find("warning: " + dir.file("a.kla") +
                          " loads at $0801, not at $6000 like a Koala picture; it was converted as if it "
                          "loaded at $6000 and may not show correctly"),
              std::string::npos)
        << said();
    expectKoalaProgram(readAll(dir.file("a.prg")), koala);

#ifndef _WIN32
    fs::create_symlink(dir.file("a.kla"), dir.file("link.kla"));
#endif
    fs::create_hard_link(dir.file("a.kla"), dir.file("hard.kla"));
    for (const char* command : {"koala", "fli"})
        for (const std::string out : {"a.kla", "link.kla", "hard.kla"}) {
            if (!fs::exists(dir.file(out)))
                continue;
            EXPECT_EQ(runCli({command, dir.file("a.kla"), dir.file(out)}, errors), 1)
                << command << " " << out;
            EXPECT_NE(said().find(out + ": this is the picture itself"), std::string::npos) << said();
            EXPECT_EQ(readAll(dir.file(out)), koala);
        }
#ifndef _WIN32
    // Wine counts one link for every file.
    EXPECT_EQ(fs::hard_link_count(dir.file("a.kla")), 2u);
#endif
}
