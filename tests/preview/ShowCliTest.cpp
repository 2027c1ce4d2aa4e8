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

namespace {

// The red, green and blue of one pixel of a PNG file as our encoder writes it: 8-bit RGB
// rows behind a filter byte, in stored deflate blocks.
Rgb pngPixel(const Bytes& png, int width, int x, int y) {
    Bytes zlib;
    for (std::size_t at = 8; at + 8 <= png.size();) {
        const std::size_t length = png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        if (std::string(png.begin() + static_cast<long>(at) + 4, png.begin() + static_cast<long>(at) + 8) == "IDAT")
            zlib.insert(zlib.end(), png.begin() + static_cast<long>(at) + 8,
                        png.begin() + static_cast<long>(at + 8 + length));
        at += 12 + length;
    }
    Bytes raw;
    for (std::size_t at = 2; at + 5 <= zlib.size();) {
        const std::size_t length = zlib[at + 1] | zlib[at + 2] << 8;
        raw.insert(raw.end(), zlib.begin() + static_cast<long>(at) + 5,
                   zlib.begin() + static_cast<long>(at + 5 + length));
        if (zlib[at] & 1)
            break;
        at += 5 + length;
    }
    const std::size_t pixel = static_cast<std::size_t>(y) * (1 + 3 * width) + 1 + 3 * static_cast<std::size_t>(x);
    EXPECT_LT(pixel + 2, raw.size());
    return pixel + 2 < raw.size() ? Rgb{raw[pixel], raw[pixel + 1], raw[pixel + 2]} : Rgb{0, 0, 0};
}

bool operator==(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

} // namespace

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
    EXPECT_NE(run.err.find("there is no BASIC line: the first link, $00A9, ends the program"), std::string::npos);
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
// its bitmap, or brings more than the viewer carries, says so. The PNG shows what the
// machine shows, the grey columns at the left included.
TEST(ShowCommand, FliPicturesOfEveryCarriedLength) {
    testfiles::TempDir dir;
    // Memory image from $3B00. Row 1, column 0: pixel line 0 all bit pair 01 (light grey in
    // the video chip's first columns), lines 6 and 7 all 11 (the colour the processor's
    // opcode gives there). Row 0, line 0 is fetched normally: its matrix colour shows.
    Bytes image(kFliCarriedSize + 300, 0);
    for (int line = 0; line < 8; ++line)
        image[0x4000 - 0x3B00 + 0x400 * line + 40] = 0x23;
    image[0x4000 - 0x3B00] = 0x23;
    image[0x6000 - 0x3B00] = 0b01010101;
    image[0x6000 - 0x3B00 + 320] = 0b01010101;
    image[0x6000 - 0x3B00 + 320 + 6] = 0xFF;
    image[0x6000 - 0x3B00 + 320 + 7] = 0xFF;
    image[0x3C00 - 0x3B00 + 40] = 0x05;
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
        {"2", 0, "the picture data ends at $7EFE, 65 bytes before the end of the bitmap; they are drawn as 0"},
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

    const Bytes png = testfiles::readAll(dir.file("1.png"));
    const auto& palette = c64Palette();
    for (const auto& [x, y, colour] : {std::tuple{0, 0, 2}, std::tuple{7, 0, 2}, std::tuple{0, 8, 15},
                                       std::tuple{7, 8, 15}, std::tuple{0, 14, 9}, std::tuple{0, 15, 0},
                                       std::tuple{0, 9, 0}}) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        EXPECT_TRUE(pngPixel(png, 320, x, y) == palette[colour]);
    }
}
