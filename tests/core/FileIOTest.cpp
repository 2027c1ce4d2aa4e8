// The one file writer and the input checks: what may be replaced, what is kept, what is left.
#include "core/FileIO.h"
#include "core/T64Image.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vornix;
namespace fs = std::filesystem;

namespace {

bool writeFile(const std::string& path, const std::string& text, std::string* error = nullptr) {
    AtomicFile f;
    const bool ok = f.open(path) && f.write(text.data(), text.size()) && f.commit();
    if (error)
        *error = f.error();
    return ok;
}

std::string read(const std::string& path) {
    const testfiles::Bytes b = testfiles::readAll(path);
    return std::string(b.begin(), b.end());
}

int filesIn(const fs::path& dir) {
    int n = 0;
    for (const auto& item : fs::directory_iterator(dir))
        n += item.path().filename().string().find(".tmp") != std::string::npos;
    return n;
}

} // namespace

TEST(AtomicFile, RefusesReadOnlyAndNonRegularOutputs) {
    testfiles::TempDir dir;
    testfiles::writeText(dir.file("locked"), "old");
    ::chmod(dir.file("locked").c_str(), 0444);
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
    std::string error;
    EXPECT_FALSE(writeFile(dir.file("locked"), "new", &error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(read(dir.file("locked")), "old");
    EXPECT_FALSE(writeFile(dir.file("fifo"), "new", &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_fifo(dir.file("fifo")));
    EXPECT_FALSE(writeFile("/dev/null", "new", &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    // A save into a missing folder names the reason too.
    EXPECT_FALSE(writeFile(dir.file("none/x"), "new", &error));
    EXPECT_NE(error.find("folder does not exist"), std::string::npos) << error;
    EXPECT_EQ(filesIn(dir.path()), 0);
}

TEST(AtomicFile, KeepsPermissionsWritesThroughLinksAndLongNames) {
    testfiles::TempDir dir;
    testfiles::writeText(dir.file("target"), "old");
    ::chmod(dir.file("target").c_str(), 0640);
    fs::create_symlink("target", dir.file("link"));
    ASSERT_TRUE(writeFile(dir.file("link"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.file("link")));
    EXPECT_EQ(read(dir.file("target")), "new");
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("target").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A dangling link gets its target created.
    fs::create_symlink("later", dir.file("dangling"));
    ASSERT_TRUE(writeFile(dir.file("dangling"), "made"));
    EXPECT_TRUE(fs::is_symlink(dir.file("dangling")));
    EXPECT_EQ(read(dir.file("later")), "made");

    // The temporary name does not grow with the target's name.
    const std::string longName = dir.file(std::string(250, 'n') + ".t64");
    ASSERT_TRUE(writeFile(longName, "long"));
    ASSERT_TRUE(writeFile(longName, "longer"));
    EXPECT_EQ(read(longName), "longer");
    EXPECT_EQ(filesIn(dir.path()), 0);
}

TEST(AtomicFile, InterruptedSaveLeavesNoTemporaryFile) {
    testfiles::TempDir dir;
    for (int sig : {SIGINT, SIGTERM}) {
        const pid_t pid = fork();
        if (pid == 0) {
            platform::useNamedTemporaries(true);
            AtomicFile f;
            const std::string block(1 << 20, 'x');
            if (!f.open(dir.file("big.t64")) || !f.write(block.data(), block.size()))
                _exit(3);
            ::raise(sig);
            _exit(4);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), sig);
        EXPECT_TRUE(fs::is_empty(dir.path())) << "signal " << sig;
    }
}

TEST(Inputs, PipesAndFoldersAreRefusedAtOnce) {
    testfiles::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
    // None of these may wait for a writer on the pipe.
    std::vector<std::uint8_t> bytes;
    FileError why;
    EXPECT_FALSE(readWholeFile(dir.file("fifo"), bytes, nullptr, 100, &why));
    EXPECT_EQ(why.problem, FileProblem::NotRegular);
    EXPECT_EQ(fileLength(dir.file("fifo")), -1);
    const ReadResult r = readImage(dir.file("fifo"));
    EXPECT_FALSE(r.accepted);
    EXPECT_NE(r.error.find("not a regular file"), std::string::npos) << r.error;
    EXPECT_FALSE(readImageDirectory(dir.path().string(), &why).accepted);
    EXPECT_EQ(why.problem, FileProblem::IsFolder);
    EXPECT_FALSE(readWholeFile(dir.file("none"), bytes, nullptr, 100, &why));
    EXPECT_EQ(why.message(), dir.file("none") + ": " + std::strerror(ENOENT));
}
