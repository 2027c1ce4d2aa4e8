#include "tape/TapeReader.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using namespace vornix::tape;
using testfiles::Bytes;

namespace {

std::string data(const std::string& name) { return std::string(VORNIX_TEST_DATA) + "/" + name; }

} // namespace

// Real tapes and recordings decode to exactly the programs their sources hold, and a bad or
// cut copy is reported.
TEST(TapeReader, RealTapesDecodeToTheirPrograms) {
    const struct {
        const char* tape;
        const char* prg;
        const char* name;
        Loader loader;
        FileState state;
        const char* detail;
    } table[] = {
        {"c64-sigrok-tap_print_h.tap", nullptr, "H", Loader::Rom, FileState::Good, ""},
        {"open-roms_testtape-c64-pal-normal.tap", "open-roms_romeo-and-juliet.prg", "ROMEO & JULIET",
         Loader::Rom, FileState::Good, ""},
        {"open-roms_testtape-c64-pal-normal-errors.tap", "open-roms_romeo-and-juliet.prg", "ROMEO & JULIET",
         Loader::Rom, FileState::Repaired, "the first copy has 3 unreadable bytes; read from the second"},
        {"open-roms_testtape-c64-pal-turbo.tap", "open-roms_romeo-and-juliet.prg", "ROMEO & JULIET",
         Loader::TurboTape, FileState::Good, ""},
        {"cassette-nibbler_c64file.wav", "cassette-nibbler_test1.prg", "TEST1", Loader::Rom, FileState::Good,
         ""},
        {"cassette-nibbler_c64headerandfirsthalfofdata.wav", "cassette-nibbler_test1.prg", "TEST1",
         Loader::Rom, FileState::Good, "the second copy is cut off"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.tape);
        const TapeAnalysis a = analyseTape(data(row.tape));
        ASSERT_EQ(a.failure, TapeFailure::None) << a.detail;
        ASSERT_EQ(a.files.size(), 1u);
        const FoundFile& f = a.files[0];
        EXPECT_EQ(f.name, row.name);
        EXPECT_EQ(f.loader, row.loader);
        EXPECT_EQ(f.state, row.state);
        EXPECT_EQ(f.detail, row.detail);
        EXPECT_EQ(f.load, 0x0801);
        if (row.prg) {
            EXPECT_EQ(prgBytes(f), testfiles::readAll(data(row.prg)));
        }
    }
}

TEST(TapeReader, TheLogicAnalyserCaptureHoldsOnePrintStatement) {
    const TapeAnalysis a = analyseTape(data("c64-sigrok-tap_print_h.tap"));
    ASSERT_EQ(a.files.size(), 1u);
    const FoundFile& f = a.files[0];
    EXPECT_EQ(f.end, 0x080C);
    // 10 PRINT "H": link, line number 10, PRINT token, the quoted H, end of line and program.
    const Bytes listing = {0x0A, 0x08, 0x0A, 0x00, 0x99, 0x22, 0x48, 0x22, 0x00, 0x00, 0x00};
    EXPECT_EQ(f.data, listing);
    EXPECT_EQ(a.source.tapVersion, 1);
    ASSERT_EQ(a.source.notes.size(), 1u);
    EXPECT_EQ(a.source.notes[0],
              "The header gives a data length of 4 bytes; the file holds 41,758: it is read to its end.");
}

TEST(TapeReader, RecordingIsDescribed) {
    const TapeAnalysis a = analyseTape(data("cassette-nibbler_c64file.wav"));
    EXPECT_EQ(a.source.kind, SourceKind::Wav);
    EXPECT_EQ(a.source.sampleRate, 44100);
    EXPECT_EQ(a.source.bitsPerSample, 16);
    EXPECT_EQ(a.source.channels, 1);
    EXPECT_NEAR(a.source.seconds, 798720 / 44100.0, 1e-9);
    EXPECT_NEAR(a.files[0].startSeconds, 2.27, 0.05);
}
