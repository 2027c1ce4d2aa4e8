// vornix-cli show on an image holding a BASIC program, a Koala picture and machine code.
#include "core/TapeDocument.h"
#include "preview/HexView.h"
#include "preview/PngWriter.h"
#include "preview/Preview.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

#include "convert/PictureConverters.h"

#include <gtest/gtest.h>

using namespace vornix;
using testfiles::Bytes;

TEST(ShowCommand, PicksTheViewAndWritesPictures) {
    testfiles::TempDir dir;
    const std::string data = VORNIX_TEST_DATA;
    TapeDocument doc;
    doc.newImage();
    ASSERT_TRUE(doc.addPrg(data + "/basic-demo.prg").added);
    ASSERT_TRUE(doc.addPrg(data + "/afterimage_frighthof83-yazoo.kla").added);
    ASSERT_TRUE(doc.addProgram("code", "CODE", Bytes{0x00, 0xC0, 0xA9, 0x00, 0x60}).added);
    ASSERT_TRUE(doc.saveAs(dir.file("t.t64"), false).written);
    const auto show = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {VORNIX_CLI, "show", "t.t64"});
        return testfiles::runProgram(dir.path().string(), args);
    };

    auto run = show({"1"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 42), "10 REM SAMPLE PROGRAM FOR LISTING CHECKS\n2");
    EXPECT_EQ(show({"1", "--hex"}).out.substr(0, 12), "0801  29 08 ");

    run = show({"2"});
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("Koala"), std::string::npos);
    run = show({"2", "--png", "yazoo.png"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Picture picture = *makePreview(doc.entries()[1]).picture;
    EXPECT_EQ(testfiles::readAll(dir.file("yazoo.png")), encodePng(320, 200, picture.rgb()));

    run = show({"3"});
    EXPECT_EQ(run.out, hexView(0xC000, Bytes{0xA9, 0x00, 0x60}));
    // Asked for a view the entry cannot give: a message, no file.
    run = show({"3", "--basic"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("there is no BASIC line: the first link, $00A9, ends the program"),
              std::string::npos);
    EXPECT_EQ(show({"3", "--png", "code.png"}).code, 1);
    EXPECT_FALSE(testfiles::exists(dir.file("code.png")));

    run = show({"4"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("there is no entry 4 (the image holds 3 entries)"), std::string::npos);
    EXPECT_EQ(show({"0"}).code, 2);
    EXPECT_EQ(show({"1", "--basic", "--hex"}).code, 2);
    EXPECT_EQ(show({"1", "--png"}).code, 2);
    EXPECT_EQ(testfiles::runProgram(dir.path().string(), {VORNIX_CLI, "show", "missing.t64", "1"}).code, 1);
}

// The listing ends where the machine's LIST ends: at a link whose high byte is 0, whatever
// its low byte and whatever follows it.
TEST(ShowCommand, ListsUpToTheEndMarkerAsTheMachineDoes) {
    testfiles::TempDir dir;
    Bytes tailed = testfiles::readAll(std::string(VORNIX_TEST_DATA) + "/basic-demo.prg");
    ASSERT_EQ(Bytes(tailed.end() - 2, tailed.end()), (Bytes{0, 0}));
    tailed[tailed.size() - 2] = 0x0A;
    const Bytes tail = {0x78, 0xE6, 0x01, 0xB9, 'N', 0x99, '"', 'X', 0x00};
    tailed.insert(tailed.end(), tail.begin(), tail.end());
    TapeDocument doc;
    doc.newImage();
    ASSERT_TRUE(doc.addPrg(std::string(VORNIX_TEST_DATA) + "/basic-demo.prg").added);
    ASSERT_TRUE(doc.addProgram("tailed", "TAILED", tailed).added);
    ASSERT_TRUE(doc.saveAs(dir.file("t.t64"), false).written);
    const auto plain = testfiles::runProgram(dir.path().string(), {VORNIX_CLI, "show", "t.t64", "1"});
    const auto run = testfiles::runProgram(dir.path().string(), {VORNIX_CLI, "show", "t.t64", "2"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, plain.out);
    EXPECT_EQ(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1), "180 END:RETURN\n");
    EXPECT_EQ(run.err, "");
}

// FLI data of every length the viewer carries is a picture; a picture that misses part of
// its bitmap, or brings more than the viewer carries, says so.
TEST(ShowCommand, FliPicturesOfEveryCarriedLength) {
    testfiles::TempDir dir;
    const Bytes image(kFliCarriedSize + 300, 0x5A); // memory image from $3B00
    const auto program = [&](std::uint16_t load, std::size_t size) {
        Bytes prg = {static_cast<std::uint8_t>(load), static_cast<std::uint8_t>(load >> 8)};
        prg.insert(prg.end(), image.begin(), image.begin() + static_cast<long>(size));
        return prg;
    };
    // The converter's program with 300 bytes more than the viewer carries.
    testfiles::writeAll(dir.file("big.fli"), program(0x3B00, image.size()));
    ASSERT_TRUE(convertFli(dir.file("big.fli"), dir.file("big.prg")).written);

    TapeDocument doc;
    doc.newImage();
    ASSERT_TRUE(doc.addProgram("a", "A", program(0x3B00, 17663)).added);
    ASSERT_TRUE(doc.addProgram("b", "B", program(0x3B00, kFliDesignerDataSize)).added);
    ASSERT_TRUE(doc.addProgram("c", "C", program(0x3C00, kFliCarriedSize)).added);
    ASSERT_TRUE(doc.addPrg(dir.file("big.prg")).added);
    ASSERT_TRUE(doc.addProgram("d", "D", program(0x3B00, kFliCarriedSize + 1)).added);
    ASSERT_TRUE(doc.addProgram("e", "E", program(0x3C00, 0x6000 - 0x3C00)).added);
    ASSERT_TRUE(doc.saveAs(dir.file("t.t64"), false).written);
    const auto show = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {VORNIX_CLI, "show", "t.t64"});
        return testfiles::runProgram(dir.path().string(), args);
    };
    const struct {
        const char* entry;
        int code;
        const char* err; // empty: nothing on standard error
    } cases[] = {
        {"1", 0, ""},
        {"2", 0,
         "the picture data ends at $7EFE, 65 bytes before the end of the bitmap; they are drawn as 0"},
        {"3", 0, "the last 256 bytes, which are not part of the picture, are left behind"},
        {"4", 0, "the last 300 bytes, which are not part of the picture, are left behind"},
        {"5", 1, "not a Koala or FLI picture"}, // longer than the viewer carries
        {"6", 1, "not a Koala or FLI picture"}, // no bitmap at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const auto run = show({c.entry, "--png", std::string(c.entry) + ".png"});
        EXPECT_EQ(run.code, c.code);
        if (*c.err == 0)
            EXPECT_EQ(run.err, "");
        else
            EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(testfiles::exists(dir.file(std::string(c.entry) + ".png")), c.code == 0);
    }
    const auto run = show({"1"});
    EXPECT_EQ(run.out.substr(0, 30), "entry 1 is an FLI picture (320");
}
