// The embedded FLI viewer, run on the test machine from SYS 2080 with a picture behind it.
#include "convert/EmbeddedResources.h"
#include "convert/PictureConverters.h"
#include "preview/Picture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/cpu6502/C64.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace {

using cpu6502::IoAccess;
using cpu6502::Machine;
using cpu6502::RasterLine;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kPictureSize = 17472; // a standard FLI file without its load address
constexpr int kTopLine = 0x30;              // raster line of pixel line 0
constexpr int kPixelLines = 200;

const Bytes& viewerPrg() {
    const Bytes* viewer = vornix::findResource("FLIVIEW");
    if (!viewer)
        throw std::runtime_error("FLIVIEW missing");
    return *viewer;
}

// No byte equals its neighbours or the byte a page away, so any slip shows.
Bytes syntheticPicture() {
    Bytes data(kPictureSize);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8) * 3 + 1);
    return data;
}

// Background colour of pixel line k of character row r.
std::uint8_t background(const Bytes& data, int row, int k) { return data[25 * k + 24 - row]; }

struct Frame {
    std::vector<IoAccess> io; // from one NMI entry to the next
    std::vector<RasterLine> lines;
};

bool isDisplayWrite(const IoAccess& a) {
    return a.write && (a.address == 0xd011 || a.address == 0xd018 || a.address == 0xd021);
}

// What a frame does to the display, where in the frame: equal keys mean equal pictures.
std::vector<std::tuple<std::uint16_t, std::uint8_t, std::uint64_t>> displayWrites(const Frame& f) {
    std::vector<std::tuple<std::uint16_t, std::uint8_t, std::uint64_t>> out;
    for (const IoAccess& a : f.io) {
        if (isDisplayWrite(a))
            out.emplace_back(a.address, a.value, a.cycle % Machine::kCyclesPerFrame);
    }
    return out;
}

class Viewer {
  public:
    explicit Viewer(std::uint64_t startCycle = 0, const Bytes& picture = syntheticPicture())
        : Viewer(program(picture), picture, startCycle) {}

    // A whole program (from the converter, say) showing the given picture data.
    Viewer(const Bytes& prg, const Bytes& picture, std::uint64_t startCycle = 0,
           cpu6502::Timing timing = cpu6502::kPal)
        : machine(startCycle, timing), picture(picture) {
        machine.installNmiEntry();
        machine.cpu().setStopOnBrk(true);
        machine.loadPrg(prg);
        machine.cpu().regs.pc = 2080; // SYS 2080, interrupts on as BASIC leaves them
        machine.cpu().regs.s = 0xf6;
        machine.cpu().regs.p = cpu6502::Cpu::Unused;
    }

    // From SYS 2080 to the main loop.
    void start() {
        ASSERT_TRUE(machine.runUntil([this] { return machine.inEndlessLoop(); }, 2'000'000))
            << "stopped at $" << std::hex << machine.cpu().stopAddress();
    }

    // Runs to the next NMI entry, then records everything up to the one after.
    Frame frame() {
        Frame f;
        const auto nmi = [this] { return machine.cpu().lastWasNmi(); };
        EXPECT_TRUE(machine.runUntil(nmi, 2 * Machine::kCyclesPerFrame));
        const std::size_t io = machine.ioLog.size();
        const std::size_t lines = machine.rasterLines.size();
        machine.runFor(100);
        EXPECT_TRUE(machine.runUntil(nmi, 2 * Machine::kCyclesPerFrame));
        f.io.assign(machine.ioLog.begin() + static_cast<long>(io), machine.ioLog.end());
        f.lines.assign(machine.rasterLines.begin() + static_cast<long>(lines), machine.rasterLines.end());
        return f;
    }

    Machine machine;
    Bytes picture;

    static Bytes program(const Bytes& picture) {
        Bytes prg = viewerPrg();
        prg.insert(prg.end(), picture.begin(), picture.end());
        return prg;
    }
};

TEST(FliViewerResource, IsFoundByNameWithoutRegardToCase) {
    const Bytes* upper = vornix::findResource("FLIVIEW");
    ASSERT_NE(upper, nullptr);
    EXPECT_EQ(upper->size(), 769u);
    EXPECT_EQ(vornix::findResource("fliview"), upper);
    EXPECT_EQ(vornix::findResource("FliView"), upper);
    EXPECT_EQ(vornix::findResource("FLIVIEWX"), nullptr);
    EXPECT_EQ(vornix::findResource(""), nullptr);
}

TEST(FliViewerResource, IsABasicLineThatJumpsIntoTheCode) {
    const Bytes& prg = viewerPrg();
    ASSERT_EQ(prg.size(), 769u);
    EXPECT_EQ(prg[0], 0x01); // loads at $0801
    EXPECT_EQ(prg[1], 0x08);
    auto at = [&prg](int address) { return prg[static_cast<std::size_t>(address - 0x0801 + 2)]; };
    const int link = at(0x0801) | (at(0x0802) << 8);
    EXPECT_EQ(at(0x0803) | (at(0x0804) << 8), 1989);
    EXPECT_EQ(at(0x0805), 0x9e); // SYS
    EXPECT_EQ(std::string({char(at(0x0806)), char(at(0x0807)), char(at(0x0808)), char(at(0x0809))}), "2080");
    bool remark = false;
    int end = 0x080a;
    for (; end < link && at(end) != 0; ++end)
        remark = remark || at(end) == 0x8f; // REM
    EXPECT_TRUE(remark);
    EXPECT_EQ(end + 1, link) << "the line ends where its link points";
    EXPECT_EQ(at(link), 0);
    EXPECT_EQ(at(link + 1), 0) << "end of the BASIC program";
    EXPECT_LE(link + 2, 0x0820);
    EXPECT_EQ(at(0x0820), 0x4c) << "JMP at 2080";
    const int target = at(0x0821) | (at(0x0822) << 8);
    EXPECT_GE(target, 0x0823);
    EXPECT_LT(target, 0x0b00);
}

TEST(FliViewer, CarriesThePictureDataTo3B00) {
    Viewer v;
    // The way up to $5000 must run with RAM everywhere and interrupts off.
    bool upwardWithRomOrIo = false;
    bool upwardWithInterrupts = false;
    int upwardWrites = 0;
    v.machine.onWrite = [&](std::uint16_t address, std::uint8_t) {
        if (address >= 0x8000 && address < 0x9500) { // only the upward copy writes here
            ++upwardWrites;
            upwardWithRomOrIo = upwardWithRomOrIo || v.machine.processorPort() != 0x34;
            upwardWithInterrupts =
                upwardWithInterrupts || !(v.machine.cpu().regs.p & cpu6502::Cpu::InterruptDisable);
        }
    };
    v.start();
    EXPECT_EQ(upwardWrites, 0x1500);
    EXPECT_FALSE(upwardWithRomOrIo);
    EXPECT_FALSE(upwardWithInterrupts);
    EXPECT_EQ(v.machine.processorPort(), 0x37);

    const auto& ram = v.machine.ram;
    std::size_t misplaced = 0;
    for (std::size_t i = 0; i < kPictureSize; ++i)
        misplaced += ram[0x3b00 + i] != v.picture[i];
    EXPECT_EQ(misplaced, 0u);
    // What followed the program in memory came along behind it, 69 pages in all.
    EXPECT_EQ(ram[0x7fff], ram[0x94ff]);
    // The last page carried is left on the text screen as the sign of activity.
    EXPECT_TRUE(std::equal(ram.begin() + 0x0400, ram.begin() + 0x0500, ram.begin() + 0x7f00));
}

TEST(FliViewer, SetsUpTheDisplayAndTheFrameInterrupt) {
    Viewer v;
    v.start();
    const Machine& m = v.machine;
    EXPECT_EQ(m.cia2PortA() & 0x03, 0x02) << "video bank $4000";
    EXPECT_EQ(m.vicRegister(0x16), 0x18) << "multicolour";
    EXPECT_EQ(m.vicRegister(0x20) & 0x0f, 0) << "black border";
    EXPECT_EQ(m.vicRegister(0x15), 0) << "sprites off";
    std::size_t wrongColours = 0;
    for (std::size_t i = 0; i < 1024; ++i)
        wrongColours += m.colorRam[i] != (v.picture[256 + i] & 0x0f);
    EXPECT_EQ(wrongColours, 0u);

    const int handler = m.ram[0x0318] | (m.ram[0x0319] << 8);
    EXPECT_GE(handler, 0x0823);
    EXPECT_LT(handler, 0x0b00);
    EXPECT_EQ(m.timerBLatch(), 0x4cc7);
    EXPECT_TRUE(m.timerBRunning());
    EXPECT_EQ(m.cia2InterruptMask(), 0x02) << "timer B is the only NMI source";
    EXPECT_TRUE(v.machine.cpu().regs.p & cpu6502::Cpu::InterruptDisable);
}

// The heart of it: 200 pixel lines, each with its own screen matrix fetched by the VIC,
// its own background colour, and the same 23 processor cycles.
TEST(FliViewer, DrawsEveryPixelLineFromItsOwnMatrix) {
    Viewer v;
    v.start();
    v.frame();
    const Frame f = v.frame();

    // The display writes in the order made: $D018, $D021, $D011 for every pixel line.
    std::vector<IoAccess> writes;
    for (const IoAccess& a : f.io) {
        if (isDisplayWrite(a) && Machine::lineOf(a.cycle) < kTopLine + kPixelLines)
            writes.push_back(a);
    }
    ASSERT_GE(writes.size(), 3u * kPixelLines);
    for (int i = 0; i < kPixelLines; ++i) {
        const int row = i / 8, k = i % 8;
        const IoAccess& matrix = writes[3 * i];
        const IoAccess& colour = writes[3 * i + 1];
        const IoAccess& fetch = writes[3 * i + 2];
        SCOPED_TRACE("pixel line " + std::to_string(i));
        EXPECT_EQ(matrix.address, 0xd018);
        EXPECT_EQ(matrix.value, 0x08 + 0x10 * k);
        EXPECT_EQ(colour.address, 0xd021);
        EXPECT_EQ(colour.value, background(v.picture, row, k));
        EXPECT_EQ(fetch.address, 0xd011);
        EXPECT_EQ(fetch.value, 0x38 + k) << "bitmap mode, YSCROLL matching the line";
        // The value counts from the line's start: in cycle 14, not before (that would
        // restart the character row) and not after (a wider bug at the left edge).
        const int line = kTopLine + i;
        EXPECT_LE(Machine::lineOf(fetch.cycle), line);
        if (i > 0) {
            EXPECT_EQ(Machine::lineOf(fetch.cycle), line);
            EXPECT_EQ(Machine::cycleInLine(fetch.cycle), 14);
        }
    }

    // What the VIC made of it.
    ASSERT_GE(f.lines.size(), static_cast<std::size_t>(Machine::kLines));
    for (const RasterLine& line : f.lines) {
        const int i = line.line - kTopLine;
        if (i < 0 || i >= kPixelLines)
            continue;
        const int row = i / 8, k = i % 8;
        SCOPED_TRACE("pixel line " + std::to_string(i));
        EXPECT_TRUE(line.display);
        EXPECT_TRUE(line.matrixFetched);
        EXPECT_EQ(line.matrixAddress, 0x4000 + 0x400 * k);
        EXPECT_TRUE(line.matrixSteady);
        EXPECT_EQ(line.fetchesWithoutBus, i == 0 ? 0 : 3) << "only the usual three bugged columns";
        EXPECT_EQ(line.rowCounter, k) << "bitmap row of the character";
        if (i > 0) { // the VIC has the bus in cycles 15-54: 23 left, all used
            EXPECT_EQ(line.cpuCycles, 23) << "processor cycles per pixel line";
        }
        EXPECT_EQ(line.videoCounterBase, 40 * row);
        EXPECT_EQ(line.background, background(v.picture, row, k));
        EXPECT_TRUE(line.backgroundSteady);
        EXPECT_EQ(line.control1 & 0x60, 0x20) << "bitmap mode";
        EXPECT_EQ(line.control2 & 0x10, 0x10) << "multicolour";
        EXPECT_EQ(line.memory & 0x08, 0x08) << "bitmap at $6000";
    }
}

// The editor's preview draws the picture the way the machine shows it through the viewer:
// each pixel line rebuilt from what the video chip read on it, the columns it fetched
// without the bus included.
TEST(FliViewer, ShowsWhatThePreviewDraws) {
    Viewer v;
    v.start();
    v.frame();
    const Frame f = v.frame();
    const Bytes prg = Viewer::program(v.picture);
    const auto preview = vornix::decodePicture(0x0801, std::span(prg).subspan(2));
    ASSERT_TRUE(preview);
    const Machine& m = v.machine;
    int lines = 0;
    for (const RasterLine& line : f.lines) {
        const int y = line.line - kTopLine;
        if (y < 0 || y >= kPixelLines)
            continue;
        ++lines;
        SCOPED_TRACE("pixel line " + std::to_string(y));
        EXPECT_TRUE(line.colourWithoutBusSteady);
        const int bitmap = 0x4000 + ((line.memory & 0x08) ? 0x2000 : 0);
        int differing = 0;
        for (int col = 0; col < 40; ++col) {
            const int cell = line.videoCounterBase + col;
            const bool withoutBus = col < line.fetchesWithoutBus;
            const std::uint8_t screen = withoutBus ? 0xff : m.ram[line.matrixAddress + cell];
            const auto colourRam =
                static_cast<std::uint8_t>(withoutBus ? line.colourWithoutBus : m.colorRam[cell]);
            const std::uint8_t colours[] = {static_cast<std::uint8_t>(line.background & 0x0f),
                                            static_cast<std::uint8_t>(screen >> 4),
                                            static_cast<std::uint8_t>(screen & 0x0f), colourRam};
            const std::uint8_t bits = m.ram[bitmap + cell * 8 + line.rowCounter];
            for (int x = 0; x < 8; ++x)
                differing += preview->at(col * 8 + x, y) != colours[(bits >> (6 - 2 * (x / 2))) & 3];
        }
        EXPECT_EQ(differing, 0);
    }
    EXPECT_EQ(lines, kPixelLines);
}

TEST(FliViewer, KeepsTheBordersOpenAndTheRestBlack) {
    Viewer v;
    v.start();
    v.frame();
    const Frame f = v.frame();
    for (const RasterLine& line : f.lines) {
        SCOPED_TRACE("raster line " + std::to_string(line.line));
        EXPECT_FALSE(line.verticalBorder);
        if (line.line >= kTopLine && line.line < kTopLine + kPixelLines)
            continue;
        // Outside the picture: an invalid mode (black), or idle with a black background.
        const bool blackMode = (line.control1 & 0x60) == 0x60;
        EXPECT_TRUE(blackMode || (!line.display && (line.background & 0x0f) == 0));
    }
    // The border tricks and one keyboard scan happen in every frame.
    std::vector<std::uint8_t> rows;
    std::vector<int> rselLines;
    for (const IoAccess& a : f.io) {
        if (a.write && a.address == 0xdc00)
            rows.push_back(a.value);
        if (a.write && a.address == 0xd011 && Machine::lineOf(a.cycle) >= 0xf8)
            rselLines.push_back(Machine::lineOf(a.cycle) * 2 + ((a.value & 0x08) ? 1 : 0));
    }
    EXPECT_EQ(rows, (std::vector<std::uint8_t>{0xfe, 0xfd, 0xfb, 0xf7, 0xef, 0xdf, 0xbf, 0x7f}));
    EXPECT_EQ(rselLines, (std::vector<int>{0xf9 * 2, 0xfd * 2 + 1})) << "24 rows at $F9, 25 again at $FD";
}

TEST(FliViewer, ShowsTheSameFrameWhateverTheTimingItStartsWith) {
    // Started at other points of the frame, the viewer finds the beam all the same.
    std::vector<std::tuple<std::uint16_t, std::uint8_t, std::uint64_t>> reference;
    for (std::uint64_t startCycle : {0ull, 1ull, 2ull, 3ull, 4ull, 5ull, 6ull, 62ull, 5000ull, 12345ull}) {
        SCOPED_TRACE("start cycle " + std::to_string(startCycle));
        Viewer v(startCycle);
        v.start();
        v.frame();
        const auto writes = displayWrites(v.frame());
        if (reference.empty())
            reference = writes;
        EXPECT_EQ(writes, reference);
        EXPECT_EQ(displayWrites(v.frame()), reference) << "the next frame too";
    }
    // The interrupt finds the main loop at any of its cycles: the handler evens it out.
    for (std::uint64_t delay = 0; delay < 3; ++delay) {
        SCOPED_TRACE("held " + std::to_string(delay));
        Viewer v;
        v.start();
        v.machine.hold(delay);
        EXPECT_EQ(displayWrites(v.frame()), reference);
    }
}

TEST(FliViewer, RunsThePictureTheConverterAppends) {
    // An FLI file is its load address and the memory image from $3B00.
    const Bytes picture = syntheticPicture();
    Bytes file{0x00, 0x3b};
    file.insert(file.end(), picture.begin(), picture.end());
    testfiles::TempDir dir;
    testfiles::writeAll(dir.file("in.fli"), file);
    ASSERT_TRUE(vornix::convertFli(dir.file("in.fli"), dir.file("out.prg")).written);

    Viewer v(testfiles::readAll(dir.file("out.prg")), picture);
    v.start();
    EXPECT_TRUE(std::equal(picture.begin(), picture.end(), v.machine.ram.begin() + 0x3b00));
    v.frame();
    EXPECT_EQ(displayWrites(v.frame()), displayWrites([] {
                  Viewer reference;
                  reference.start();
                  reference.frame();
                  return reference.frame();
              }()));
}

// Elsewhere than on PAL the frame would roll: the viewer says so and leaves through the
// BASIC warm start, having changed nothing but the screen its text goes to. (On PAL it
// never calls the ROM, which the other tests leave empty.)
TEST(FliViewer, SendsAMachineThatIsNotPalBackToBasicWithAText) {
    constexpr std::uint16_t warmStart = 0xe37b;
    for (const cpu6502::Timing timing : {cpu6502::kNtsc, cpu6502::kOldNtsc, cpu6502::kPalN}) {
        SCOPED_TRACE(std::to_string(timing.lines) + " lines of " + std::to_string(timing.cyclesPerLine));
        Viewer v(Viewer::program(syntheticPicture()), syntheticPicture(), 777, timing);
        Machine& m = v.machine;
        // Just enough ROM: a character output that hands its byte to $D7FF, and a warm start
        // that stays where it is.
        const std::uint8_t chrout[] = {0x8d, 0xff, 0xd7, 0x60, 0x4c, warmStart & 0xff, warmStart >> 8};
        std::copy(chrout, chrout + 4, m.kernal.begin() + (0xffd2 - 0xe000));
        std::copy(chrout + 4, chrout + 7, m.kernal.begin() + (warmStart - 0xe000));
        std::copy(chrout + 5, chrout + 7, m.basic.begin() + 2);
        std::string printed;
        int otherWrites = 0;
        m.onWrite = [&](std::uint16_t address, std::uint8_t value) {
            if (address == 0xd7ff)
                printed += static_cast<char>(value);
            else if (address >> 8 != 0x01) // the stack
                ++otherWrites;
        };
        ASSERT_TRUE(m.runUntil([&m] { return m.inEndlessLoop(); }, 2 * Machine::kCyclesPerFrame));
        EXPECT_EQ(m.cpu().regs.pc, warmStart);
        EXPECT_EQ(printed, "THIS FLI PICTURE NEEDS A PAL C64.");
        EXPECT_EQ(otherWrites, 0);
        EXPECT_FALSE(m.cpu().regs.p & cpu6502::Cpu::InterruptDisable) << "interrupts as BASIC had them";
    }
}

TEST(FliViewer, IgnoresAnNmiThatDoesNotComeFromTheTimer) {
    Viewer v;
    v.start();
    const auto reference = displayWrites(v.frame());
    // RESTORE while the main loop runs: the handler returns without drawing.
    v.machine.runUntil([&v] { return v.machine.inEndlessLoop(); }, Machine::kCyclesPerFrame);
    const std::size_t before = v.machine.ioLog.size();
    v.machine.pressRestore();
    v.machine.runUntil([&v] { return v.machine.cpu().lastWasNmi(); }, 100);
    v.machine.runUntil([&v] { return v.machine.inEndlessLoop(); }, 1000);
    EXPECT_TRUE(std::none_of(v.machine.ioLog.begin() + static_cast<long>(before), v.machine.ioLog.end(),
                             isDisplayWrite));
    EXPECT_EQ(displayWrites(v.frame()), reference);
}

} // namespace
