#include "tools/FreshOutput.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

// Only what the run itself wrote counts: a file left from before does not, a rewrite does,
// and a folder is never a result.
TEST(FreshOutput, CountsOnlyAFileThisRunWrote) {
    testfiles::TempDir dir;
    const std::string old = dir.file("old.prg"), made = dir.file("made.prg"), folder = dir.file("dir.prg");
    testfiles::writeAll(old, {1, 2, 3});
    const vornix::FreshOutput left(old), rewritten(old), created(made), notAFile(folder);
    EXPECT_FALSE(left.written());
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(notAFile.written());
    testfiles::writeAll(made, {1, 2});
    std::int64_t size = 0;
    EXPECT_TRUE(created.written(&size));
    EXPECT_EQ(size, 2);
    std::filesystem::remove(old);
    testfiles::writeAll(old, {9, 9, 9, 9});
    EXPECT_TRUE(rewritten.written());
}
