// The Koala display stub (given byte for byte) run with real pictures behind it.
#include "convert/PictureConverters.h"
#include "tests/support/TestFiles.h"
#include "tests/support/cpu6502/C64.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using cpu6502::Machine;
using Bytes = std::vector<std::uint8_t>;

// Load address, the BASIC line "2008 SYS2061" and the display routine.
const Bytes kKoalaStub{
    0x01, 0x08, 0x0B, 0x08, 0xD8, 0x07, 0x9E, 0x32, 0x30, 0x36, 0x31, 0x00, 0x00, 0x00, 0xA9, 0x0B, 0x8D,
    0x11, 0xD0, 0xA9, 0x00, 0x8D, 0x20, 0xD0, 0xAD, 0x10, 0x47, 0x8D, 0x21, 0xD0, 0xA2, 0x00, 0xBD, 0x40,
    0x3F, 0x9D, 0x00, 0x04, 0xBD, 0x40, 0x40, 0x9D, 0x00, 0x05, 0xBD, 0x40, 0x41, 0x9D, 0x00, 0x06, 0xBD,
    0x40, 0x42, 0x9D, 0x00, 0x07, 0xBD, 0x28, 0x43, 0x9D, 0x00, 0xD8, 0xBD, 0x28, 0x44, 0x9D, 0x00, 0xD9,
    0xBD, 0x28, 0x45, 0x9D, 0x00, 0xDA, 0xBD, 0x28, 0x46, 0x9D, 0x00, 0xDB, 0xE8, 0xD0, 0xCD, 0xA9, 0x3B,
    0x8D, 0x11, 0xD0, 0xA9, 0x18, 0x8D, 0x18, 0xD0, 0xA9, 0xD8, 0x8D, 0x16, 0xD0, 0x4C, 0x61, 0x08,
};

// Runs a Koala program from SYS 2061 and checks that it shows the picture.
void expectShowsPicture(const Bytes& prg, const Bytes& picture) {
    Machine m(12345);
    m.cpu().setStopOnBrk(true);
    m.loadPrg(prg);
    m.cpu().regs.pc = 2061;
    ASSERT_TRUE(m.runUntil([&m] { return m.inEndlessLoop(); }, 200'000));
    EXPECT_EQ(m.cpu().regs.pc, 0x0861);

    // The display is blanked first and switched on, in bitmap multicolour, last.
    std::vector<std::pair<std::uint16_t, std::uint8_t>> vic;
    for (const auto& a : m.ioLog) {
        if (a.write && a.address < 0xd400)
            vic.emplace_back(a.address, a.value);
    }
    ASSERT_GE(vic.size(), 6u);
    EXPECT_EQ(vic.front(), std::make_pair(std::uint16_t{0xd011}, std::uint8_t{0x0b}));
    const std::vector<std::pair<std::uint16_t, std::uint8_t>> last(vic.end() - 3, vic.end());
    EXPECT_EQ(last, (std::vector<std::pair<std::uint16_t, std::uint8_t>>{
                        {0xd011, 0x3b}, {0xd018, 0x18}, {0xd016, 0xd8}}));

    EXPECT_EQ(m.vicRegister(0x20) & 0x0f, 0);
    EXPECT_EQ(m.vicRegister(0x21) & 0x0f, picture[10002] & 0x0f);
    std::size_t wrongScreen = 0, wrongColour = 0;
    for (std::size_t i = 0; i < 1000; ++i) {
        wrongScreen += m.ram[0x0400 + i] != picture[8002 + i];
        wrongColour += m.colorRam[i] != (picture[9002 + i] & 0x0f);
    }
    EXPECT_EQ(wrongScreen, 0u);
    EXPECT_EQ(wrongColour, 0u);

    // And it stays there, touching nothing more.
    const std::size_t accesses = m.ioLog.size();
    m.runFor(Machine::kCyclesPerFrame);
    EXPECT_FALSE(m.cpu().stopped());
    EXPECT_EQ(m.cpu().regs.pc, 0x0861);
    EXPECT_EQ(m.ioLog.size(), accesses);
    // The VIC shows it: a bad line with the matrix at $0400 starts each character row.
    bool rowStart = false;
    for (const auto& line : m.rasterLines)
        rowStart = rowStart || (line.line == 0x33 && line.matrixFetched && line.matrixAddress == 0x0400);
    EXPECT_TRUE(rowStart);
}

TEST(KoalaStub, ShowsThePictureBehindIt) {
    for (const char* name : {"afterimage_frighthof83-yazoo.kla", "afterimage_metal.kla"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(VORNIX_TEST_DATA) + "/" + name;
        const Bytes picture = testfiles::readAll(path);
        ASSERT_EQ(picture.size(), 10003u);

        Bytes prg = kKoalaStub;
        prg.resize(prg.size() + 6042, 0);
        prg.insert(prg.end(), picture.begin(), picture.end());
        expectShowsPicture(prg, picture);

        // The converter's own program runs the same way.
        testfiles::TempDir dir;
        ASSERT_TRUE(vornix::convertKoala(path, dir.file("out.prg")).written);
        expectShowsPicture(testfiles::readAll(dir.file("out.prg")), picture);
    }
}

} // namespace
