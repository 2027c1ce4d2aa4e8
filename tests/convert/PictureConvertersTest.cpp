// The Koala and FLI converters on disk and the in-place replacement by a compressed result.
#include "convert/PictureConverters.h"
#include "convert/EmbeddedResources.h"
#include "convert/InPlaceCompression.h"
#include "tests/support/ProgramBuilder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <optional>

using testfiles::Bytes;
using testfiles::pattern;
using testfiles::readAll;
using testfiles::TempDir;
using testfiles::writeAll;
namespace fs = std::filesystem;

namespace {

Bytes slice(const Bytes& b, std::size_t from, std::size_t to) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(to));
}

// Names in dir other than the ones expected: temporary files must not be left behind.
std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void expectKoalaProgram(const Bytes& prg, const Bytes& picture) {
    ASSERT_EQ(prg.size(), 6143 + picture.size());
    const auto& stub = vornix::koalaStub();
    EXPECT_EQ(slice(prg, 0, 101), Bytes(stub.begin(), stub.end()));
    EXPECT_EQ(slice(prg, 101, 6143), Bytes(6042, 0));
    EXPECT_EQ(slice(prg, 6143, prg.size()), picture);
}

std::uint16_t word(const std::array<std::uint8_t, 101>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

} // namespace

// The stub's addresses must agree with where the program puts the picture (file offset k
// loads at $07FF + k, the picture file at $1FFE).
TEST(KoalaStub, AddressesAgreeWithTheLayout) {
    const auto& s = vornix::koalaStub();
    constexpr unsigned picture = 0x1FFE;
    EXPECT_EQ(word(s, 0), 0x0801); // load address
    EXPECT_EQ(word(s, 2), 0x080B); // link to the empty line after it
    EXPECT_EQ(word(s, 4), 2008);   // line number
    EXPECT_EQ(s[6], 0x9E);         // SYS
    EXPECT_EQ(std::string(s.begin() + 7, s.begin() + 11), std::to_string(0x07FF + 14)); // entry = offset 14
    EXPECT_EQ(word(s, 0x080B - 0x07FF), 0);  // end of the BASIC program
    EXPECT_EQ(word(s, 25), picture + 10002); // LDA background
    EXPECT_EQ(word(s, 33), picture + 8002);  // first screen matrix page
    EXPECT_EQ(word(s, 57), picture + 9002);  // first colour page
    EXPECT_EQ(s[98], 0x4C);                  // JMP to itself
    EXPECT_EQ(word(s, 99), 0x07FF + 98);
    EXPECT_EQ(0x07FF + 6143, static_cast<int>(picture)); // padding places the file at $1FFE
}

TEST(KoalaConverter, AppendsAnyInputWholeAfterStubAndPadding) {
    const auto fixture = [](const char* name) { return readAll(std::string(VORNIX_TEST_DATA) + "/" + name); };
    const struct {
        const char* what;
        Bytes picture;
    } cases[] = {
        {"real picture", fixture("afterimage_frighthof83-yazoo.kla")},
        {"real picture, background $F0", fixture("afterimage_metal.kla")},
        {"a picture with bytes after it", pattern(12000, 3)},
        {"the longest that still loads below $D000", pattern(vornix::kMaxKoalaPictureSize, 9)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        writeAll(dir.file("in.kla"), c.picture);
        const auto r = vornix::convertKoala(dir.file("in.kla"), dir.file("out.prg"));
        ASSERT_TRUE(r.written) << r.failure.message();
        expectKoalaProgram(readAll(dir.file("out.prg")), c.picture);
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"in.kla", "out.prg"}));
    }
    EXPECT_EQ(fixture("afterimage_metal.kla").size(), 10003u);
}

// Refused with the reason, and an existing output is left as it was.
TEST(PictureConverters, UnreadableOrOversizedInputIsRefused) {
    using vornix::ConversionProblem;
    const Bytes viewer = pattern(769, 0x80);
    EXPECT_EQ(vornix::kMaxKoalaPictureSize, 45058u);
    EXPECT_EQ(vornix::maxFliPictureSize(viewer.size()), 50434u);
    const struct {
        bool fli;
        std::int64_t size; // -1: missing, -2: a folder
        std::uint16_t load;
        ConversionProblem problem; // None: converted, to a program ending at $CFFF
        vornix::FileProblem failure;
        std::uint64_t programEnd;
        std::uint64_t maxPicture;
    } cases[] = {
        {false, -1, 0, ConversionProblem::CannotOpen, vornix::FileProblem::System, 0, 0},
        {true, -2, 0, ConversionProblem::CannotOpen, vornix::FileProblem::IsFolder, 0, 0},
        {false, 45059, 0x6000, ConversionProblem::TooLarge, vornix::FileProblem::None, 0xD000, 45058},
        {false, 0, 0, ConversionProblem::NotAPicture, vornix::FileProblem::None, 0, 0},
        {false, 10002, 0x6000, ConversionProblem::NotAPicture, vornix::FileProblem::None, 0, 0},
        {true, 1, 0, ConversionProblem::NotAPicture, vornix::FileProblem::None, 0, 0},
        {true, 9474, 0x3B00, ConversionProblem::NotAPicture, vornix::FileProblem::None, 0, 0},
        {true, 9218, 0x3C00, ConversionProblem::NotAPicture, vornix::FileProblem::None, 0, 0},
        {true, 50434, 0x3B00, ConversionProblem::None, vornix::FileProblem::None, 0, 0},
        {true, 50435, 0x3B00, ConversionProblem::TooLarge, vornix::FileProblem::None, 0xD000, 50434},
        {true, 50435 - 256, 0x3C00, ConversionProblem::TooLarge, vornix::FileProblem::None, 0xD000,
         50434 - 256},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        TempDir dir;
        const std::string in = dir.file("in.pic");
        if (c.size == -2)
            fs::create_directory(in);
        if (c.size >= 0) {
            Bytes picture = pattern(static_cast<std::size_t>(c.size), 5);
            if (picture.size() >= 2) {
                picture[0] = static_cast<std::uint8_t>(c.load);
                picture[1] = static_cast<std::uint8_t>(c.load >> 8);
            }
            writeAll(in, picture);
        }
        const std::string out = dir.file("old.prg");
        writeAll(out, {7, 7});
        const auto r = c.fli ? vornix::convertFli(viewer, in, out) : vornix::convertKoala(in, out);
        const bool converted = c.problem == ConversionProblem::None;
        EXPECT_EQ(r.written, converted);
        EXPECT_EQ(r.problem, c.problem);
        EXPECT_EQ(r.failure.problem, c.failure);
        EXPECT_EQ(r.path, converted ? "" : in);
        EXPECT_EQ(r.programEnd, c.programEnd);
        EXPECT_EQ(r.maxPicture, c.maxPicture);
        EXPECT_EQ(readAll(out).size(), converted ? vornix::kMaxProgramFileSize : 2u);
    }
}

TEST(PictureConverters, InputChosenAsOutputIsRefused) {
    TempDir dir;
    const Bytes picture = pattern(17474, 1);
    writeAll(dir.file("pic"), picture);
    for (const auto& r : {vornix::convertKoala(dir.file("pic"), dir.file("pic")),
                          vornix::convertFli(pattern(769, 1), dir.file("pic"), dir.file("pic"))}) {
        EXPECT_FALSE(r.written);
        EXPECT_EQ(r.problem, vornix::ConversionProblem::SameAsInput);
    }
    EXPECT_EQ(readAll(dir.file("pic")), picture);
}

TEST(KoalaConverter, FailureLeavesTargetAndFolderAsTheyWere) {
    TempDir dir;
    writeAll(dir.file("in.kla"), pattern(10003, 0));
    // An existing output is replaced whole.
    writeAll(dir.file("old.prg"), pattern(20000, 5));
    ASSERT_TRUE(vornix::convertKoala(dir.file("in.kla"), dir.file("old.prg")).written);
    expectKoalaProgram(readAll(dir.file("old.prg")), pattern(10003, 0));

    fs::create_directory(dir.file("taken"));
    writeAll(dir.file("taken/inside"), {1, 2, 3});
    for (const std::string& output : {dir.file("taken"), dir.file("no/such/folder.prg")}) {
        SCOPED_TRACE(output);
        const auto r = vornix::convertKoala(dir.file("in.kla"), output);
        EXPECT_FALSE(r.written);
        EXPECT_EQ(r.problem, vornix::ConversionProblem::CannotWrite);
        EXPECT_EQ(r.path, output);
    }
    EXPECT_EQ(readAll(dir.file("taken/inside")), (Bytes{1, 2, 3}));
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"in.kla", "old.prg", "taken"}));
}

TEST(FliConverter, DropsTheLoadAddressAndAppendsTheRest) {
    const Bytes viewer = pattern(769, 0x80);
    const struct {
        const char* what;
        Bytes picture;
        bool exists;
    } cases[] = {
        {"standard picture", pattern(17474, 2), true},
        {"just reaching the bitmap", pattern(9475, 7), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        if (c.exists)
            writeAll(dir.file("in.fli"), c.picture);
        const auto r = vornix::convertFli(viewer, dir.file("in.fli"), dir.file("out.prg"));
        ASSERT_TRUE(r.written) << r.failure.message();
        Bytes expected = viewer;
        if (c.picture.size() > 2)
            expected.insert(expected.end(), c.picture.begin() + 2, c.picture.end());
        EXPECT_EQ(readAll(dir.file("out.prg")), expected);
    }
}

// $3B00: the viewer's own layout; $3C00: the same without the background table, which
// the converter supplies (colour 0); anything else as it stands, with a warning.
TEST(FliConverter, LoadAddressDecidesTheLayout) {
    const Bytes viewer = pattern(769, 0x80);
    const Bytes data = pattern(17407, 3);
    const struct {
        std::uint16_t load;
        std::size_t background;
        std::optional<std::uint16_t> unusual;
    } cases[] = {
        {0x3B00, 0, std::nullopt}, {0x3C00, 256, std::nullopt}, {0x2000, 0, 0x2000}, {0x3C01, 0, 0x3C01}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.load);
        TempDir dir;
        Bytes file{static_cast<std::uint8_t>(c.load), static_cast<std::uint8_t>(c.load >> 8)};
        file.insert(file.end(), data.begin(), data.end());
        writeAll(dir.file("in.fli"), file);
        const auto r = vornix::convertFli(viewer, dir.file("in.fli"), dir.file("out.prg"));
        EXPECT_EQ(r.unusualLoadAddress, c.unusual);
        Bytes expected = viewer;
        expected.insert(expected.end(), c.background, std::uint8_t{0});
        expected.insert(expected.end(), data.begin(), data.end());
        EXPECT_EQ(readAll(dir.file("out.prg")), expected);
    }
}

TEST(FliConverter, StandardPictureGivesTheStandardProgramSize) {
    TempDir dir;
    writeAll(dir.file("pic.fli"), pattern(17474, 4));
    const auto r = vornix::convertFli(pattern(769, 1), dir.file("pic.fli"), dir.file("pic.prg"));
    ASSERT_TRUE(r.written) << r.failure.message();
    EXPECT_EQ(readAll(dir.file("pic.prg")).size(), 18241u);
    EXPECT_EQ(r.outputSize, 18241u);
}

TEST(FliConverter, UsesTheBuiltInViewerOrRefusesWithoutOne) {
    TempDir dir;
    const Bytes picture = pattern(17474, 6);
    writeAll(dir.file("in.fli"), picture);
    writeAll(dir.file("out.prg"), {9, 9});
    const auto* viewer = vornix::findResource("FLIVIEW");
    const auto r = vornix::convertFli(dir.file("in.fli"), dir.file("out.prg"));
    if (!viewer) {
        EXPECT_FALSE(r.written);
        EXPECT_EQ(r.problem, vornix::ConversionProblem::ViewerMissing);
        EXPECT_EQ(readAll(dir.file("out.prg")), (Bytes{9, 9}));
        return;
    }
    ASSERT_TRUE(r.written) << r.failure.message();
    Bytes expected = *viewer;
    expected.insert(expected.end(), picture.begin() + 2, picture.end());
    EXPECT_EQ(readAll(dir.file("out.prg")), expected);
}

// The compressor is simulated by writing P + "1" between the two calls.
TEST(InPlaceCompression, ReplacesOnlyWithAFreshNonEmptyResult) {
    using Outcome = vornix::InPlaceCompression::Outcome;
    const Bytes program = pattern(300, 1);
    const Bytes packed = pattern(120, 2);
    const Bytes stale = pattern(50, 3);
    const struct {
        const char* what;
        bool staleBefore;
        bool write;
        Bytes written;
        Outcome outcome;
        bool packedLeft;
    } cases[] = {
        {"compressed", false, true, packed, Outcome::Replaced, false},
        {"compressor wrote nothing", false, false, {}, Outcome::NoResult, false},
        {"compressor left an empty file", false, true, {}, Outcome::NoResult, false},
        {"old file of that name untouched", true, false, {}, Outcome::NoResult, true},
        {"old file of that name overwritten", true, true, packed, Outcome::Replaced, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string p = dir.file("pic.prg");
        writeAll(p, program);
        if (c.staleBefore)
            writeAll(p + "1", stale);
        vornix::InPlaceCompression step(p);
        EXPECT_EQ(step.compressed(), fs::path(p + "1"));
        if (c.write)
            writeAll(p + "1", c.written);
        const auto result = step.finish();
        EXPECT_EQ(result.outcome, c.outcome) << result.failure.message();
        EXPECT_EQ(readAll(p), c.outcome == Outcome::Replaced ? packed : program);
        EXPECT_EQ(fs::exists(p + "1"), c.packedLeft);
        if (c.staleBefore && !c.write) {
            EXPECT_EQ(readAll(p + "1"), stale);
        }
    }
}

TEST(InPlaceCompression, FailedReplacementKeepsBothFiles) {
    TempDir dir;
    // A folder in the program's place cannot be replaced by a file.
    const std::string p = dir.file("pic.prg");
    fs::create_directory(p);
    writeAll(p + "/keep", {1});
    vornix::InPlaceCompression step(p);
    writeAll(p + "1", pattern(10, 0));
    const auto result = step.finish();
    EXPECT_EQ(result.outcome, vornix::InPlaceCompression::Outcome::ReplaceFailed);
    EXPECT_EQ(result.failure.problem, vornix::FileProblem::System);
    EXPECT_EQ(result.failure.path, p);
    EXPECT_EQ(readAll(p + "/keep"), Bytes{1});
    EXPECT_EQ(readAll(p + "1"), pattern(10, 0));
}
