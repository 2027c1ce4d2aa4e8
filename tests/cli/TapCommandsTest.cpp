#include "tape/TapFile.h"
#include "tape/TapPause.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using namespace vornix;

using testfiles::Bytes;

namespace {

using CliRun = testfiles::ProgramRun;

CliRun tapJoin(const testfiles::TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), "tap-join");
    return testfiles::runCli(dir.path().string(), std::move(args));
}

Bytes tapFile(const Bytes& data, std::uint8_t version) {
    const tap::Header h = tap::makeHeader(0);
    Bytes b(h.begin(), h.end());
    b[12] = version;
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

} // namespace

TEST(TapJoinCli, JoinsFilesAndPauses) {
    testfiles::TempDir dir;
    const std::string a = dir.file("a.tap");
    testfiles::writeAll(a, tapFile({0x30, 0x40, 0x50, 0x60}, 1));
    const CliRun r = tapJoin(dir, {dir.file("out.tap"), a, "--pause=1", a, "--pause=20"});
    ASSERT_EQ(r.code, 0) << r.err;
    Bytes expected = tapFile({0x30, 0x40, 0x50, 0x60}, 1);
    expected[16] = 20;
    const Bytes one = tap::pauseBytes(1);
    const Bytes twenty = tap::pauseBytes(20);
    expected.insert(expected.end(), one.begin(), one.end());
    expected.insert(expected.end(), {0x30, 0x40, 0x50, 0x60});
    expected.insert(expected.end(), twenty.begin(), twenty.end());
    EXPECT_EQ(testfiles::readAll(dir.file("out.tap")), expected);

    // No items at all: the header alone, like an empty list in the window.
    ASSERT_EQ(tapJoin(dir, {dir.file("empty.tap")}).code, 0);
    EXPECT_EQ(testfiles::readAll(dir.file("empty.tap")), tapFile({}, 1));
}

TEST(TapJoinCli, RefusalsLeaveTheOutputAlone) {
    testfiles::TempDir dir;
    const std::string good = dir.file("good.tap");
    const std::string v0 = dir.file("old.tap");
    const std::string v2 = dir.file("new.tap");
    testfiles::writeAll(good, tapFile({1, 2}, 1));
    testfiles::writeAll(v0, tapFile({1, 2}, 0));
    testfiles::writeAll(v2, tapFile({1, 2}, 2));
    const std::string out = dir.file("out.tap");
    const struct {
        const char* what;
        std::vector<std::string> args;
        int code;
        std::vector<std::string> named;
    } table[] = {
        {"other versions are named", {out, good, v0, v2}, 1, {v0, v2}},
        {"missing input", {out, good, dir.file("gone.tap")}, 1, {dir.file("gone.tap")}},
        {"output among the inputs", {out, good, out}, 1, {out}},
        {"pause not on offer", {out, good, "--pause=3"}, 2, {"--pause=3"}},
        {"pause that is no number", {out, "--pause=1s"}, 2, {"--pause=1s"}},
        {"unknown option", {out, "--fast"}, 2, {"--fast"}},
        {"no output", {}, 2, {"usage"}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        testfiles::writeAll(out, Bytes{'k', 'e', 'e', 'p'});
        const CliRun r = tapJoin(dir, row.args);
        EXPECT_EQ(r.code, row.code);
        for (const std::string& name : row.named)
            EXPECT_NE(r.err.find(name), std::string::npos) << r.err;
        EXPECT_EQ(testfiles::readAll(out), (Bytes{'k', 'e', 'e', 'p'}));
    }
    testfiles::writeAll(out, tapFile({1, 2}, 1));
    EXPECT_EQ(tapJoin(dir, {out, good, out}).err,
              "vornix-cli tap-join: the output \"" + out +
                  "\" is also an input of the list; choose another name\n");
    EXPECT_EQ(tapJoin(dir, {"--help"}).code, 0);
}
