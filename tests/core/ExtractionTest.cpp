// Extracting entries: file names, numbering, contents and progress.
#include "core/Extraction.h"

#include "tests/support/ProgramBuilder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>

using namespace vornix;
using testfiles::entry;

namespace {

std::string leaf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

} // namespace

TEST(Extraction, SafeFileNames) {
    const struct {
        std::string in, out;
    } cases[] = {{"A/B:C*D", "A_B_C_D"},
                 {"\\?\"<>|", "______"},
                 {std::string("A\0B", 3), "A_B"},
                 {"  SPACES  .,;", "  SPACES  .,;"},
                 {"\x01\x1B[2J\t\n\x7F\x9B", "__[2J____"}, // nothing reaches a terminal raw
#ifdef _WIN32
                 // Latin-1 in the ANSI code page: the Western one (1252) has the same bytes.
                 {"\xC0\xE9\xA0", GetACP() == 1252 ? "\xC0\xE9\xA0" : safeFileName("\xC0\xE9\xA0")}};
#else
                 {"\xC0\xE9\xA0", "\xC3\x80\xC3\xA9\xC2\xA0"}}; // Latin-1 as UTF-8
#endif
    for (const auto& c : cases)
        EXPECT_EQ(safeFileName(c.in), c.out) << c.in;
}

TEST(Extraction, PathsAndNumbering) {
    testfiles::TempDir dir;
    const std::string folder = dir.path().string();
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    const struct {
        std::string name;
        const char* file;
    } sequence[] = {{"GAME            ", "GAME.PRG"},
                    {"GAME            ", "GAME_1.PRG"},
                    {"GAME", "GAME_2.PRG"},
                    {"A/B:C*D         ", "A_B_C_D.PRG"},
                    {"                ", "_.PRG"},
                    {"PIC\xA0\xA0\xA0 \xA0", "PIC.PRG"},
                    {std::string("X\0Y", 3) + "   ", "X_Y.PRG"},
                    {std::string("END\0\0\0", 6), "END.PRG"},
                    {" LEAD", " LEAD.PRG"}};
    for (const auto& c : sequence) {
        EXPECT_EQ(leaf(extractionPath(folder, c.name)), c.file);
        const ExtractResult r = extractEntry(entry(c.name, 3), folder);
        ASSERT_TRUE(r.written) << r.error;
        EXPECT_EQ(r.path, folder + separator + c.file);
    }
    // The plain name is taken again first when it is free, even if numbered ones exist.
    std::filesystem::remove(dir.file("GAME.PRG"));
    EXPECT_EQ(leaf(extractEntry(entry("GAME", 1), folder).path), "GAME.PRG");

    EXPECT_EQ(extractionPath(folder + "/", "GAME"), folder + "/GAME_3.PRG") << "no doubled separator";
    EXPECT_EQ(extractionPath("", "  NAME  "), "NAME.PRG") << "no folder: the current one";
    EXPECT_EQ(extractionPath("/", "NAME\x01"), "/NAME.PRG");
}

TEST(Extraction, ContentsAndProgress) {
    const struct {
        std::size_t size;
        std::vector<std::int64_t> reports; // indices reported, then -1
    } cases[] = {
        {0, {-1}}, {1, {0, -1}}, {1000, {900, -1}}, {kExtractChunk * 2 + 400, {65400, 130800, 131400, -1}}};
    for (const auto& c : cases) {
        testfiles::TempDir dir;
        std::vector<std::int64_t> reports;
        const Entry e = entry("PROGRAM", c.size);
        const ExtractResult r = extractEntry(e, dir.path().string(), [&](std::int64_t i, std::int64_t last) {
            EXPECT_EQ(last, static_cast<std::int64_t>(c.size) - 1);
            reports.push_back(i);
        });
        ASSERT_TRUE(r.written) << r.error;
        EXPECT_EQ(testfiles::readAll(r.path), testfiles::prgBytes(0x0801, c.size));
        EXPECT_EQ(reports, c.reports) << c.size;
    }
}

TEST(Extraction, UnwritableFolderIsReported) {
    testfiles::TempDir dir;
    const ExtractResult r = extractEntry(entry("GAME", 10), dir.file("gone"));
    EXPECT_FALSE(r.written);
    EXPECT_NE(r.error.find((std::filesystem::path("gone") / "GAME.PRG").string()), std::string::npos)
        << r.error;
    EXPECT_FALSE(testfiles::exists(dir.file("gone")));
}

TEST(Extraction, TwoStepLoopKeepsOrderAndLeavesNoPartFiles) {
    // Files are created in order, filled on two threads and named in order, the creating one
    // running ahead (more than its 32 files in the long runs). A file that cannot be filled is
    // never named, nor is any file after it; a file that cannot be created ends the loop after
    // the ones before it are written. Nothing else is left in the folder.
    const std::size_t none = 999;
    const struct {
        std::size_t total, fillFails, createFails;
    } cases[] = {{6, none, none},  {6, 0, none},    {6, 3, none},      {6, 5, none},
                 {6, none, 4},     {6, 2, 3},       {200, none, none}, {200, 70, none},
                 {200, none, 150}, {200, 140, 141}, {200, 199, none}};
    for (const auto& c : cases) {
        testfiles::TempDir dir;
        const auto name = [&](std::size_t p) { return dir.file("F" + std::to_string(p) + ".PRG"); };
        const auto create = [&](std::size_t p) {
            PrgFile f;
            if (p == c.createFails) {
                f.result.error = "cannot create " + std::to_string(p);
                return f;
            }
            f.base = dir.file("F" + std::to_string(p));
            f.result.path = name(p);
            EXPECT_FALSE(platform::createUnnamed(dir.path().string(), f.file));
            return f;
        };
        const auto fill = [&](std::size_t p, platform::Handle h, const std::string& path) -> FileError {
            if (p == c.fillFails)
                return {FileProblem::System, ENOSPC, path};
            const auto byte = static_cast<std::uint8_t>(p);
            return {platform::writeAll(h, &byte, 1) ? FileProblem::System : FileProblem::None, 0, path};
        };
        std::vector<std::size_t> positions;
        for (std::size_t p = 0; p < c.total; ++p)
            positions.push_back(p);
        positions.push_back(c.total + 3); // gone while the command ran
        std::vector<std::size_t> done;
        const ExtractResult r =
            extractEach(positions, c.total, create, fill, [&](std::size_t p, const ExtractResult& x) {
                EXPECT_TRUE(x.written);
                EXPECT_EQ(x.path, name(p));
                done.push_back(p);
            });
        const std::size_t end = std::min({c.fillFails, c.createFails, c.total});
        std::vector<std::size_t> expected;
        for (std::size_t p = 0; p < end; ++p)
            expected.push_back(p);
        EXPECT_EQ(done, expected) << c.fillFails << " " << c.createFails;
        EXPECT_EQ(r.written, end == c.total);
        if (end == c.fillFails) {
            EXPECT_EQ(r.path, name(end));
            EXPECT_NE(r.error.find(name(end) + ": write error"), std::string::npos) << r.error;
        } else if (end == c.createFails) {
            EXPECT_EQ(r.error, "cannot create " + std::to_string(end));
        }
        EXPECT_EQ(static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.path()),
                                                         std::filesystem::directory_iterator())),
                  end);
        for (std::size_t p = 0; p <= c.total; ++p) {
            ASSERT_EQ(testfiles::exists(name(p)), p < end) << p << " of " << c.total;
            if (p < end) {
                EXPECT_EQ(testfiles::readAll(name(p)), testfiles::Bytes{static_cast<std::uint8_t>(p)});
            }
        }
    }
}

#ifndef _WIN32
// Where files cannot be unnamed, they are written under temporary names that SIGINT and
// SIGTERM remove: an interrupted extraction leaves the complete programs and nothing else.
TEST(Extraction, InterruptedWithNamedTemporariesLeavesOnlyCompleteFiles) {
    for (int sig : {SIGINT, SIGTERM}) {
        testfiles::TempDir dir;
        const pid_t pid = fork();
        if (pid == 0) {
            platform::useNamedTemporaries(true);
            const auto create = [&](std::size_t p) {
                PrgFile f;
                f.base = dir.file("F" + std::to_string(p));
                f.result.path = f.base + ".PRG";
                if (platform::createUnnamed(dir.path().string(), f.file))
                    f.result.error = "not created"; // as the interruption began
                return f;
            };
            const auto fill = [&](std::size_t p, platform::Handle h, const std::string&) -> FileError {
                const testfiles::Bytes half(5000, static_cast<std::uint8_t>(p));
                platform::writeAll(h, half.data(), half.size());
                if (p == 20)
                    ::raise(sig);
                platform::writeAll(h, half.data(), half.size());
                return {};
            };
            std::vector<std::size_t> positions(40);
            for (std::size_t p = 0; p < positions.size(); ++p)
                positions[p] = p;
            extractEach(positions, positions.size(), create, fill);
            _exit(4);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        for (const auto& file : std::filesystem::directory_iterator(dir.path())) {
            const std::string name = file.path().filename().string();
            ASSERT_EQ(name.front(), 'F') << name;
            const std::size_t p = std::stoul(name.substr(1));
            EXPECT_LT(p, 20u);
            EXPECT_EQ(testfiles::readAll(file.path().string()),
                      testfiles::Bytes(10000, static_cast<std::uint8_t>(p)));
        }
    }
}
#endif
