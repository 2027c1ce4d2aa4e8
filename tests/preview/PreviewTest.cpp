// Looking inside entries: BASIC listings against a reference listing, broken programs,
// pictures in every layout the chooser knows, hex dumps and the PNG container.
#include "preview/Preview.h"
#include "convert/PictureConverters.h"
#include "preview/HexView.h"
#include "preview/PngWriter.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace vornix;
using testfiles::Bytes;

namespace {

Bytes fixture(const std::string& name) {
    return testfiles::readAll(std::string(VORNIX_TEST_DATA) + "/" + name);
}

// A PRG file as load address and data.
struct Program {
    std::uint16_t load;
    Bytes data;
};
Program split(const Bytes& prg) {
    return {static_cast<std::uint16_t>(prg[0] | prg[1] << 8), Bytes(prg.begin() + 2, prg.end())};
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

TEST(BasicListing, MatchesTheReferenceListing) {
    const Program p = split(fixture("basic-demo.prg"));
    ASSERT_EQ(choosePreview(p.load, p.data), PreviewKind::Basic);
    const BasicListing listing = listBasic(p.load, p.data);
    EXPECT_TRUE(listing.note.empty());
    std::ifstream reference(std::string(VORNIX_TEST_DATA) + "/basic-demo.petcat.txt");
    std::vector<std::string> expected;
    for (std::string line; std::getline(reference, line);)
        expected.push_back(line.substr(line.find_first_not_of(' ')));
    ASSERT_EQ(listing.lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lower(listing.lines[i]), expected[i]);
}

TEST(BasicListing, TextsOutsideTheKeywordTable) {
    // Quoted graphics and a code without a name; pi and an unknown token outside quotes;
    // a remark keeps its text as typed.
    const Bytes line = {0x99, '"', 0x5C, 0x5E, 0xC1, 0xA6, 0x03, '"', 0xFF, 0xCC, ':', 0x8F, 'A', 0xA6};
    EXPECT_EQ(detokenize(line), "PRINT\"£↑♠▒{$03}\"π{$cc}:REMA\u2592");
}

TEST(BasicListing, BrokenLinksStopWithANote) {
    // 10 END at $0801, followed by a second line whose link is the case's.
    const auto program = [](std::uint16_t secondLink, bool terminated = true) {
        Bytes d = {0x07, 0x08, 10, 0, 0x80, 0, 0, 0, 20, 0, 0x80};
        d[6] = static_cast<std::uint8_t>(secondLink);
        d[7] = static_cast<std::uint8_t>(secondLink >> 8);
        if (terminated)
            d.push_back(0);
        return d;
    };
    const struct {
        Bytes data;
        std::size_t lines;
        const char* note;
    } cases[] = {
        {program(0x0801), 2, "the link of line 20 points back to $0801; the listing stops here"},
        {program(0x0807), 2, "points back to $0807"}, // a line linking to itself
        {program(0x0900), 2, "points to $0900, past the end of the program"},
        {program(0x0900, false), 1, "line 20 runs past the end of the program"},
        {program(0x080D), 2, "the program ends at $080D without its end marker"},
        {Bytes{0x07, 0x08, 10}, 0, "the line at $0801 is cut off"},
    };
    for (const auto& c : cases) {
        const BasicListing listing = listBasic(0x0801, c.data);
        EXPECT_EQ(listing.lines.size(), c.lines) << c.note;
        EXPECT_NE(noteText(listing.note).find(c.note), std::string::npos) << noteText(listing.note);
        EXPECT_NE(basicText(listing).find(c.note), std::string::npos);
    }
    // A SYS line in front of machine code: listed, and the code counted.
    const Bytes sys = {0x0B, 0x08, 0x0A, 0, 0x9E, '2', '0', '6', '1', 0, 0, 0, 0xA9, 0x00, 0x60};
    EXPECT_EQ(basicText(listBasic(0x0801, sys)), "10 SYS2061\n(3 more bytes after the end of the program)\n");
}

TEST(PreviewChooser, PicturesThenBasicThenHex) {
    const Bytes basic = split(fixture("basic-demo.prg")).data;
    Bytes brokenBasic = basic;
    brokenBasic[1] = 0x07; // first link points back
    EXPECT_EQ(choosePreview(0x0801, basic), PreviewKind::Basic);
    EXPECT_EQ(choosePreview(0x1C01, basic), PreviewKind::Hex);
    EXPECT_EQ(choosePreview(0x0801, brokenBasic), PreviewKind::Hex);
    EXPECT_EQ(choosePreview(0x4000, Bytes(kKoalaDataSize)), PreviewKind::Picture);
    EXPECT_EQ(choosePreview(0x6000, Bytes(kKoalaDataSize + 1)), PreviewKind::Hex);
    for (const std::uint16_t load : {0x3B00, 0x3C00})
        for (const std::size_t size : {kFliDataSize, kFliDesignerDataSize})
            EXPECT_EQ(choosePreview(load, Bytes(size)), PreviewKind::Picture) << load << " " << size;
    EXPECT_EQ(choosePreview(0x4000, Bytes(kFliDataSize)), PreviewKind::Hex);
}

TEST(Pictures, KoalaColoursAndTheConverterProgram) {
    const Program kla = split(fixture("afterimage_metal.kla"));
    const auto picture = decodePicture(kla.load, kla.data);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->format, PictureFormat::Koala);
    // Cell 0 drawn by hand: bit pairs 00, 01, 10, 11 are background (the low nibble only),
    // screen high and low nibbles, colour RAM.
    Bytes data(kKoalaDataSize, 0);
    data[0] = 0b00011011;
    data[8000] = 0x21;
    data[9000] = 0xF3;
    data[10000] = 0xF6;
    const Picture cell = *decodePicture(0x6000, data);
    const std::uint8_t expected[] = {6, 6, 2, 2, 1, 1, 3, 3};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(cell.at(x, 0), expected[x]) << x;
    EXPECT_EQ(cell.at(0, 1), 6);

    // The program the Koala converter writes shows the same picture.
    testfiles::TempDir dir;
    ASSERT_TRUE(
        convertKoala(std::string(VORNIX_TEST_DATA) + "/afterimage_metal.kla", dir.file("k.prg")).written);
    const Program converted = split(testfiles::readAll(dir.file("k.prg")));
    ASSERT_EQ(choosePreview(converted.load, converted.data), PreviewKind::Picture);
    EXPECT_EQ(decodePicture(converted.load, converted.data)->pixels, picture->pixels);
}

TEST(Pictures, FliLinesAndLayouts) {
    // Memory image from $3B00: pixel line k of row r takes its background from table k at
    // index 24 - r (bit pair 00) and its colours from screen matrix k (bit pair 01). Column 3
    // is the first the video chip fetches in full on every line.
    Bytes mem(kFliDataSize, 0);
    for (int k = 0; k < 8; ++k) {
        for (int i = 0; i < 25; ++i)
            mem[25 * k + i] = static_cast<std::uint8_t>((i + k) & 15);
        mem[0x4000 - 0x3B00 + 0x400 * k + 43] = static_cast<std::uint8_t>(k << 4); // row 1, column 3
        mem[0x6000 - 0x3B00 + 320 + 24 + k] = 0b01000000;
    }
    const Picture p = *decodePicture(0x3B00, mem);
    EXPECT_EQ(p.format, PictureFormat::Fli);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(p.at(24, 8 + k), k) << k;                 // bit pair 01 in row 1, column 3
        EXPECT_EQ(p.at(26, 8 + k), (24 - 1 + k) & 15) << k; // background of row 1, line k
        EXPECT_EQ(p.at(0, k), (24 + k) & 15) << k;          // background of row 0
    }

    // Saved from $3C00 without the table, and both as programs from the FLI converter.
    Bytes from3C00(mem.begin() + 256, mem.end());
    from3C00.resize(kFliDesignerDataSize);
    const Picture q = *decodePicture(0x3C00, from3C00);
    EXPECT_EQ(q.at(26, 8), 0);  // background 0
    EXPECT_EQ(q.at(24, 12), 4); // screen matrices still in place
    testfiles::TempDir dir;
    for (const auto& [load, bytes, expected] :
         {std::tuple{0x3B00, mem, &p}, std::tuple{0x3C00, from3C00, &q}}) {
        Bytes file(2 + bytes.size(), 0);
        file[1] = static_cast<std::uint8_t>(load >> 8);
        std::copy(bytes.begin(), bytes.end(), file.begin() + 2);
        testfiles::writeAll(dir.file("in.fli"), file);
        ASSERT_TRUE(convertFli(dir.file("in.fli"), dir.file("out.prg")).written);
        const Program prg = split(testfiles::readAll(dir.file("out.prg")));
        const auto shown = decodePicture(prg.load, prg.data);
        ASSERT_TRUE(shown) << load;
        EXPECT_EQ(shown->pixels, expected->pixels) << load;
    }
}

TEST(HexView, AddressesBytesAndPetscii) {
    Bytes data = {0x01, 0x41, 0x5C, 0xC1, 0x93};
    data.resize(18, 0x20);
    EXPECT_EQ(hexView(0xC000, data),
              "C000  01 41 5C C1 93 20 20 20  20 20 20 20 20 20 20 20  .A£♠.           \n"
              "C010  20 20" +
                  std::string(47, ' ') + "\n");
    // Data reaching past $FFFF keeps its addresses in one width.
    const std::string wide = hexView(0xFFF0, Bytes(32, 0));
    EXPECT_EQ(wide.substr(0, 6), "0FFF0 ");
    EXPECT_NE(wide.find("\n10000 "), std::string::npos);
    EXPECT_EQ(hexView(0x0801, Bytes()), "");
}

TEST(Png, ChecksumsAndChunks) {
    const std::string check = "123456789";
    const Bytes digits(check.begin(), check.end());
    EXPECT_EQ(crc32(digits), 0xCBF43926u);
    EXPECT_EQ(adler32(digits), 0x091E01DEu);

    // The chunks around the image data (which another PNG reader checks in the reference test).
    const Bytes png = encodePng(3, 2, Bytes(18, 0x5A));
    ASSERT_GT(png.size(), 45u);
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    EXPECT_EQ(Bytes(png.end() - 12, png.end()),
              (Bytes{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));
    EXPECT_TRUE(encodePng(3, 2, Bytes(5)).empty());
}
