#include "tape/TapeReader.h"
#include "tests/support/TestFiles.h"
#include "tests/tape/TapeTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

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
        const char* loader;
        FileState state;
        const char* detail;
    } table[] = {
        {"c64-sigrok-tap_print_h.tap", nullptr, "H", "rom", FileState::Good, ""},
        {"open-roms_testtape-c64-pal-normal.tap", "open-roms_romeo-and-juliet.prg", "ROMEO & JULIET", "rom",
         FileState::Good, ""},
        {"open-roms_testtape-c64-pal-normal-errors.tap", "open-roms_romeo-and-juliet.prg", "ROMEO & JULIET",
         "rom", FileState::Repaired, "the first copy has 3 unreadable bytes; read from the second"},
        {"open-roms_testtape-c64-pal-turbo.tap", "open-roms_romeo-and-juliet.prg", "ROMEO & JULIET",
         "turbotape", FileState::Good, ""},
        {"cassette-nibbler_c64file.wav", "cassette-nibbler_test1.prg", "TEST1", "rom", FileState::Good, ""},
        {"cassette-nibbler_c64headerandfirsthalfofdata.wav", "cassette-nibbler_test1.prg", "TEST1", "rom",
         FileState::Good, "the second copy is cut off"},
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
        EXPECT_EQ(detailText(f.detail), row.detail);
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
              "the header gives a data length of 4 bytes; the file holds 41,758: it is read to its end");
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

namespace {

using namespace tapetest;

const ProgramToEncode kProgram = program("CODINGS", 0x0801, 40, 3);

// One small program as a 44.1 kHz recording, in -1..1.
const std::vector<double>& recording() {
    static const std::vector<double> samples = [] {
        testfiles::TempDir dir;
        encodeRomTap({kProgram}, dir.file("p.tap"));
        tapToWav(dir.file("p.tap"), dir.file("p.wav"), 44100, 16);
        int rate = 0;
        return wavSamples(testfiles::readAll(dir.file("p.wav")), rate);
    }();
    return samples;
}

} // namespace

TEST(TapeReader, EveryWavCodingReads) {
    const struct {
        WavCoding coding;
        bool floating;
        int channelUsed;
    } table[] = {
        {{1, 8}, false, 0},
        {{1, 16}, false, 0},
        {{1, 24}, false, 0},
        {{1, 32}, false, 0},
        {{3, 32}, true, 0},
        {{3, 64}, true, 0},
        {{1, 16, 2, 0}, false, 0},
        {{1, 16, 2, 1}, false, 1},
        {{1, 24, 2, 1, true}, false, 1},
        {{3, 32, 1, 0, true, true}, true, 0},
        {{1, 8, 1, 0, false, true}, false, 0},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::Message()
                     << "coding " << row.coding.coding << ", " << row.coding.bits << " bits, "
                     << row.coding.channels << " channels, extensible " << row.coding.extensible);
        const Bytes wav = makeWav(recording(), 44100, row.coding);
        const TapeAnalysis a = analyseTapeData(wav.data(), wav.size());
        ASSERT_EQ(a.failure, TapeFailure::None) << a.detail;
        ASSERT_EQ(a.files.size(), 1u);
        EXPECT_EQ(a.files[0].data, kProgram.data);
        EXPECT_EQ(a.source.bitsPerSample, row.coding.bits);
        EXPECT_EQ(a.source.floatSamples, row.floating);
        EXPECT_EQ(a.source.channels, row.coding.channels);
        EXPECT_EQ(a.source.channelUsed, row.channelUsed);
        EXPECT_EQ(a.source.notes.size(), row.coding.channels > 1 ? 1u : 0u);
    }
}

TEST(TapeReader, GivenRateOverridesTheHeader) {
    const Bytes wav = makeWav(recording(), 22050, WavCoding{}); // recorded at 44.1 kHz
    EXPECT_EQ(analyseTapeData(wav.data(), wav.size()).failure, TapeFailure::NoFiles);
    PulseOptions options;
    options.sampleRate = 44100;
    const TapeAnalysis a = analyseTapeData(wav.data(), wav.size(), options);
    ASSERT_EQ(a.files.size(), 1u);
    EXPECT_EQ(a.source.sampleRate, 44100);
    EXPECT_EQ(a.source.notes, std::vector<std::string>{"the header's rate of 22050 Hz is taken as 44100 Hz"});
}

TEST(TapeReader, ReversedRecordingIsReadEitherWay) {
    std::vector<double> s = recording();
    for (double& v : s)
        v = -v;
    const Bytes wav = makeWav(s, 44100, WavCoding{});
    const TapeAnalysis plain = analyseTapeData(wav.data(), wav.size());
    ASSERT_EQ(plain.files.size(), 1u);
    EXPECT_EQ(plain.source.notes,
              std::vector<std::string>{"nothing was found with the signal as it is; read reversed instead"});
    PulseOptions options;
    options.reverse = true;
    const TapeAnalysis reversed = analyseTapeData(wav.data(), wav.size(), options);
    ASSERT_EQ(reversed.files.size(), 1u);
    EXPECT_TRUE(reversed.source.notes.empty());
}

// Whatever the input, a clear failure and never a crash or a hang.
TEST(TapeReader, BadInputFailsClearly) {
    auto tap = [](std::uint8_t version, const Bytes& data) {
        Bytes b(20 + data.size());
        std::memcpy(b.data(), "C64-TAPE-RAW", 12);
        b[12] = version;
        std::copy(data.begin(), data.end(), b.begin() + 20);
        return b;
    };
    Bytes headerOnly = tap(1, {0x30});
    headerOnly.pop_back();
    Bytes adpcm = makeWav({0, 0.5, -0.5, 0}, 44100, WavCoding{});
    adpcm[20] = 2;
    Bytes twelve = makeWav({0, 0.5, -0.5, 0}, 44100, WavCoding{});
    twelve[34] = 12;
    Bytes noData = makeWav({}, 44100, WavCoding{});
    noData.resize(36);
    Bytes rf64 = makeWav({0}, 44100, WavCoding{});
    std::memcpy(rf64.data(), "RF64", 4);
    Bytes random(300000);
    std::uint32_t r = 1;
    for (std::uint8_t& b : random) {
        r = r * 1664525 + 1013904223;
        b = static_cast<std::uint8_t>(r >> 24);
    }
    const std::vector<double> silence(100000, 0.0);
    std::vector<double> startsAboveTrigger(100000, -0.9);
    startsAboveTrigger[0] = 0.0;
    const struct {
        const char* what;
        Bytes bytes;
        TapeFailure failure;
        const char* detail;
    } table[] = {
        {"empty", {}, TapeFailure::NotTape, "the file is empty"},
        {"text", {'h', 'e', 'l', 'l', 'o'}, TapeFailure::NotTape, "neither a TAP file"},
        {"short TAP header",
         {'C', '6', '4', '-', 'T', 'A', 'P', 'E', '-', 'R', 'A', 'W', 1},
         TapeFailure::NotTape,
         "ends inside the 20-byte TAP header"},
        {"TAP version 3", tap(3, {0x30}), TapeFailure::UnsupportedTap, "TAP version 3"},
        {"ADPCM", adpcm, TapeFailure::UnsupportedWav, "Microsoft ADPCM"},
        {"12-bit", twelve, TapeFailure::UnsupportedWav, "12-bit integer"},
        {"no data chunk", noData, TapeFailure::UnsupportedWav, "holds no sample data"},
        {"RF64", rf64, TapeFailure::UnsupportedWav, "RF64"},
        {"header only", headerOnly, TapeFailure::NoFiles, "no program"},
        {"one pulse forever", tap(1, Bytes(3000000, 0x30)), TapeFailure::NoFiles, "no program"},
        {"pauses forever", tap(1, Bytes(400000, 0)), TapeFailure::NoFiles, "no program"},
        {"random TAP", tap(1, random), TapeFailure::NoFiles, "no program"},
        {"random v0 TAP", tap(0, random), TapeFailure::NoFiles, "no program"},
        {"silence", makeWav(silence, 44100, WavCoding{}), TapeFailure::NoFiles, "no program"},
        {"first sample above the trigger", makeWav(startsAboveTrigger, 44100, WavCoding{}),
         TapeFailure::NoFiles, "no program"},
        {"noise", makeWav(std::vector<double>(random.begin(), random.end()), 44100, WavCoding{3, 32}),
         TapeFailure::NoFiles, "no program"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        const TapeAnalysis a = analyseTapeData(row.bytes.data(), row.bytes.size());
        EXPECT_EQ(a.failure, row.failure);
        EXPECT_NE(a.detail.find(row.detail), std::string::npos) << a.detail;
        EXPECT_TRUE(a.files.empty());
    }
    testfiles::TempDir dir;
    EXPECT_EQ(analyseTape(dir.file("missing.tap")).failure, TapeFailure::CannotRead);
    EXPECT_EQ(analyseTape(dir.path().string()).failure, TapeFailure::CannotRead);
}

// Tapes that ran fast or slow still read: the thresholds follow the pilot.
TEST(TapeReader, RealTapesReadAtOtherSpeeds) {
    for (const char* name :
         {"open-roms_testtape-c64-pal-normal.tap", "open-roms_testtape-c64-pal-turbo.tap"}) {
        const Bytes tape = testfiles::readAll(data(name));
        const Bytes prg = testfiles::readAll(data("open-roms_romeo-and-juliet.prg"));
        for (double speed : {0.87, 0.93, 1.07, 1.15}) {
            SCOPED_TRACE(testing::Message() << name << " at " << speed);
            Bytes scaled = tape;
            for (std::size_t i = 20; i < scaled.size(); ++i) {
                if (scaled[i] == 0) {
                    i += 3;
                    continue;
                }
                scaled[i] = static_cast<std::uint8_t>(std::clamp(std::lround(scaled[i] / speed), 1L, 255L));
            }
            const TapeAnalysis a = analyseTapeData(scaled.data(), scaled.size());
            ASSERT_EQ(a.files.size(), 1u);
            EXPECT_EQ(a.files[0].state, FileState::Good);
            EXPECT_EQ(prgBytes(a.files[0]), prg);
        }
    }
}
