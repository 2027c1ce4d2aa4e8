// The one file writer and the input checks: what may be replaced, what is kept, what is left.
#include "core/FileIO.h"
#include "core/T64Image.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

// Through the core's reader: names longer than the C runtime's limit too.
std::string read(const std::string& path) {
    std::vector<std::uint8_t> b;
    (void)readWholeFile(path, b);
    return std::string(b.begin(), b.end());
}

constexpr fs::perms kWritable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

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
    fs::permissions(dir.file("locked"), kWritable, fs::perm_options::remove);
    std::string error;
    EXPECT_FALSE(writeFile(dir.file("locked"), "new", &error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(read(dir.file("locked")), "old");
    fs::permissions(dir.file("locked"), kWritable, fs::perm_options::add);
    fs::remove(dir.file("locked"));
#ifdef _WIN32
    const char* device = "NUL";
#else
    const char* device = "/dev/null";
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
    EXPECT_FALSE(writeFile(dir.file("fifo"), "new", &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_fifo(dir.file("fifo")));
#endif
    EXPECT_FALSE(writeFile(device, "new", &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    // A save into a missing folder names the reason too.
    EXPECT_FALSE(writeFile(dir.file("none/x"), "new", &error));
    EXPECT_NE(error.find("folder does not exist"), std::string::npos) << error;
    EXPECT_EQ(filesIn(dir.path()), 0);
}

TEST(AtomicFile, KeepsPermissionsWritesThroughLinksAndLongNames) {
    testfiles::TempDir dir;
#ifdef _WIN32
    // The replaced file's attributes stay, as its permission bits do elsewhere.
    testfiles::writeText(dir.file("target"), "old");
    ASSERT_TRUE(SetFileAttributesA(dir.file("target").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(writeFile(dir.file("target"), "new"));
    EXPECT_EQ(read(dir.file("target")), "new");
    EXPECT_TRUE(GetFileAttributesA(dir.file("target").c_str()) & FILE_ATTRIBUTE_HIDDEN);
#else
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
#endif

    // The temporary name does not grow with the target's name.
    const std::string longName = dir.file(std::string(250, 'n') + ".t64");
    ASSERT_TRUE(writeFile(longName, "long"));
    ASSERT_TRUE(writeFile(longName, "longer"));
    EXPECT_EQ(read(longName), "longer");
    EXPECT_EQ(filesIn(dir.path()), 0);
}

#ifdef _WIN32
// Gathered writes are cut into calls of bounded size: every byte lands once, in order,
// wherever a cut falls (inside a span, on its edge, between empty spans).
TEST(AtomicFile, GatheredWritesKeepEveryByteInOrder) {
    testfiles::TempDir dir;
    const std::size_t kMiB = std::size_t{1} << 20;
    const std::vector<std::vector<std::size_t>> cases = {
        {3 * kMiB + 5},                      // one span over several calls
        {kMiB - 1, 1, 0, kMiB, 2},           // a span ending on a call's edge, an empty one
        {64, 7, 0, 0, 2 * kMiB},             // small spans before a large one
        std::vector<std::size_t>(600, 4099), // more spans than one call takes
    };
    for (const auto& sizes : cases) {
        std::vector<std::string> parts;
        std::string expected;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            std::string part(sizes[i], '\0');
            for (std::size_t k = 0; k < part.size(); ++k)
                part[k] = static_cast<char>((k * 7 + i * 13) & 0xFF);
            expected += part;
            parts.push_back(std::move(part));
        }
        std::vector<platform::Span> spans;
        for (const std::string& p : parts)
            spans.push_back({p.data(), p.size()});
        AtomicFile f;
        ASSERT_TRUE(f.open(dir.file("gathered")) && f.write(spans.data(), spans.size()) && f.commit());
        EXPECT_TRUE(read(dir.file("gathered")) == expected) << sizes.size() << " spans";
    }
}

TEST(AtomicFile, KilledSaveLeavesNoTemporaryFile) {
    // The child that is killed runs this test again from the start: a fixed folder both see.
    const fs::path dir = fs::temp_directory_path() / "vornix-killed-save";
    fs::remove_all(dir);
    fs::create_directory(dir);
    EXPECT_EXIT(
        {
            AtomicFile f;
            const std::string block(1 << 20, 'x');
            if (f.open((dir / "big.t64").string()) && f.write(block.data(), block.size()))
                TerminateProcess(GetCurrentProcess(), 9);
        },
        testing::ExitedWithCode(9), "");
    EXPECT_TRUE(fs::is_empty(dir));
    fs::remove_all(dir);
}
#else
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
#endif

TEST(Inputs, PipesAndFoldersAreRefusedAtOnce) {
    testfiles::TempDir dir;
#ifdef _WIN32
    const std::string fifo = "\\\\.\\pipe\\vornix-test-" + std::to_string(GetCurrentProcessId());
    const HANDLE server =
        CreateNamedPipeA(fifo.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 4, 0, 0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    struct Closer {
        HANDLE h;
        ~Closer() { CloseHandle(h); }
    } closer{server};
#else
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
#endif
    // None of these may wait for a writer on the pipe.
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(readWholeFile(fifo, bytes, 100).problem, FileProblem::NotRegular);
    EXPECT_EQ(fileLength(fifo), -1);
    const ReadResult r = readImage(fifo);
    EXPECT_FALSE(r.accepted);
    EXPECT_NE(r.error.find("not a regular file"), std::string::npos) << r.error;
    const ReadResult folder = readImageDirectory(dir.path().string());
    EXPECT_FALSE(folder.accepted);
    EXPECT_EQ(folder.failure.problem, FileProblem::IsFolder);
    EXPECT_EQ(readWholeFile(dir.file("none"), bytes, 100).message(),
              dir.file("none") + ": " + std::strerror(ENOENT));
}
