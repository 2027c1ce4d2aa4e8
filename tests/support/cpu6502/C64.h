#pragma once
// Just enough of a Commodore 64 around the 6502 to check display code cycle by cycle:
// RAM with the processor port's ROM and I/O banking, a VIC-II that counts raster lines
// (PAL: 63 cycles, 312 lines; NTSC and PAL-N machines count differently), takes the bus
// on bad lines and keeps the state that decides what a line shows, CIA 2 timer B with its
// NMI, and a keyboard with no key pressed. Every access to $D000-$DFFF is logged with its cycle.
//
// Cycle numbers: cycle 0 is cycle 1 of raster line 0 of a frame (the numbering of the
// usual VIC-II timing charts, where a line runs from cycle 1 to 63 on PAL).
#include "tests/support/cpu6502/Cpu6502.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace cpu6502 {

struct IoAccess {
    std::uint64_t cycle = 0;    // when the access took place
    std::uint64_t cpuCycle = 0; // cycles the processor had run until then (held cycles not counted)
    std::uint16_t address = 0;
    std::uint8_t value = 0;
    bool write = false;
};

// What the VIC made of one raster line.
struct RasterLine {
    int line = 0;
    std::uint64_t firstCycle = 0;
    bool display = false;            // display state (not idle) while the graphics are fetched
    int rowCounter = 0;              // RC: the pixel row of the character row shown
    int videoCounterBase = 0;        // VCBASE in cycle 14: 40 times the character row
    bool matrixFetched = false;      // the screen matrix was read on this line
    int fetchesWithoutBus = 0;       // matrix reads made while the CPU still held the bus ($FF read)
    std::uint16_t matrixAddress = 0; // where the valid matrix reads came from
    bool matrixSteady = true;        // all of them from the same matrix
    std::uint8_t background = 0;     // $D021 when the picture area of the line starts
    bool backgroundSteady = true;    // unchanged until it ends
    std::uint8_t control1 = 0;       // $D011, $D016 and $D018 when the picture area starts
    std::uint8_t control2 = 0;
    std::uint8_t memory = 0;
    bool verticalBorder = false; // the upper/lower border covers the line
    int cpuCycles = 0;           // cycles of the line in which the processor had the bus
    // What the matrix reads without the bus took as colour RAM data: the low nibble of the
    // byte on the processor's bus (the opcode it waits to fetch); -1 when there were none.
    int colourWithoutBus = -1;
    bool colourWithoutBusSteady = true; // the same nibble in all of them
};

// The raster of one kind of VIC-II.
struct Timing {
    int lines;
    int cyclesPerLine;
};
inline constexpr Timing kPal{312, 63};
inline constexpr Timing kNtsc{263, 65};    // 6567R8
inline constexpr Timing kOldNtsc{262, 64}; // 6567R56A
inline constexpr Timing kPalN{312, 65};    // 6572 (PAL-N): PAL's lines, NTSC's line length

class Machine : public Bus {
  public:
    // PAL, the machine the tests mostly run on; lineOf and cycleInLine count in it.
    static constexpr int kCyclesPerLine = kPal.cyclesPerLine;
    static constexpr int kLines = kPal.lines;
    static constexpr std::uint64_t kCyclesPerFrame = kCyclesPerLine * kLines;

    explicit Machine(std::uint64_t startCycle = 0, Timing timing = kPal);
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    Cpu& cpu() { return cpu_; }

    // Memory as the VIC and the RAM chips hold it (ROM and I/O do not hide anything here).
    std::array<std::uint8_t, 0x10000> ram{};
    std::array<std::uint8_t, 0x2000> kernal{}; // seen at $E000 while HIRAM is set
    std::array<std::uint8_t, 0x2000> basic{};  // seen at $A000 while LORAM and HIRAM are set
    std::array<std::uint8_t, 0x400> colorRam{};

    // Puts a PRG file's data at its load address.
    void loadPrg(const std::vector<std::uint8_t>& prg);
    // The system ROM's NMI entry and vector: $FFFA -> $FE43: SEI, JMP ($0318). The rest of
    // the ROM is zero bytes, so code that calls into it stops on BRK.
    void installNmiEntry();

    // Runs until done() holds, the processor stops, or maxCycles more cycles have passed.
    // Returns done()'s last answer.
    bool runUntil(const std::function<bool()>& done, std::uint64_t maxCycles);
    void runFor(std::uint64_t cycles);
    // True when the processor sits on a JMP to itself.
    bool inEndlessLoop();
    // Holds the processor for some cycles, as a DMA would: shifts it against the beam.
    void hold(std::uint64_t cycles);
    // A falling edge on the NMI line from outside, as the RESTORE key makes.
    void pressRestore();

    std::uint64_t cycle() const override { return cycle_; }
    std::uint64_t cpuCycles() const { return cpuCycles_; }
    static int lineOf(std::uint64_t cycle) { return static_cast<int>((cycle / kCyclesPerLine) % kLines); }
    static int cycleInLine(std::uint64_t cycle) { return static_cast<int>(cycle % kCyclesPerLine) + 1; }

    // Register state.
    std::uint8_t vicRegister(int index) const { return vic_[index & 0x3f]; }
    std::uint8_t processorPort() const { return port_; }
    std::uint16_t timerBLatch() const { return timerBLatch_; }
    std::uint16_t timerBCounter() const { return timerBCounter_; }
    bool timerBRunning() const { return timerBRunning_; }
    std::uint8_t cia2InterruptMask() const { return cia2Mask_; }
    std::uint8_t cia2PortA() const { return cia2Pra_; }

    // Every read and write of $D000-$DFFF while I/O is switched in.
    std::vector<IoAccess> ioLog;
    // Every line the VIC has finished, oldest first.
    std::vector<RasterLine> rasterLines;
    // Called for every write the processor makes, wherever it goes.
    std::function<void(std::uint16_t address, std::uint8_t value)> onWrite;

    // Bus
    std::uint8_t read(std::uint16_t address) override;
    void write(std::uint16_t address, std::uint8_t value) override;
    bool takeNmi(std::uint64_t before) override;
    bool irqAsserted(std::uint64_t) const override { return false; }

  private:
    void tick();
    void beginCycle();
    void vicCycle(int line, int cyc);
    void ciaCycle();
    std::uint8_t peekCpu(std::uint16_t address);
    std::uint8_t ioRead(std::uint16_t address);
    void ioWrite(std::uint16_t address, std::uint8_t value);
    int banks() const;
    int rasterForRead() const;
    // The byte at address as the processor would read it, without touching any chip.
    std::uint8_t peekQuiet(std::uint16_t address) const;
    // The data of the processor's access in this cycle, for a matrix read made without the bus.
    void busData(std::uint8_t value);
    // Raster line and cycle in it, in this machine's timing.
    int line(std::uint64_t cycle) const {
        return static_cast<int>((cycle / timing_.cyclesPerLine) % timing_.lines);
    }
    int cycleIn(std::uint64_t cycle) const { return static_cast<int>(cycle % timing_.cyclesPerLine) + 1; }

    Cpu cpu_;
    Timing timing_;
    std::uint64_t cycle_;
    std::uint64_t cpuCycles_ = 0;
    std::uint8_t ddr_ = 0x2f;
    std::uint8_t port_ = 0x37;

    // VIC-II
    std::array<std::uint8_t, 0x40> vic_{};
    bool busRequested_ = false; // BA low
    std::uint64_t busRequestedSince_ = 0;
    bool denSeenInLine30_ = false;
    bool displayState_ = false;
    int rc_ = 7;
    int vc_ = 0;
    int vcBase_ = 0;
    bool verticalBorder_ = true;
    bool fetchWithoutBusPending_ = false; // waits for the processor's access in the same cycle
    RasterLine current_;

    // CIA 1 (keyboard port only) and CIA 2 (port A, timer B, interrupt control)
    std::uint8_t cia1Pra_ = 0xff;
    std::uint8_t cia2Pra_ = 0x97;
    std::uint8_t cia2Ddra_ = 0x3f;
    std::uint16_t timerBLatch_ = 0xffff;
    std::uint16_t timerBCounter_ = 0xffff;
    bool timerBRunning_ = false;
    bool timerBOneShot_ = false;
    bool timerBLoadPending_ = false;
    bool timerBJustLoaded_ = false;
    std::uint8_t cia2Crb_ = 0;
    std::uint8_t cia2Mask_ = 0;
    std::uint8_t cia2Flags_ = 0;
    std::uint64_t cia2InterruptFrom_ = 0;
    bool cia2InterruptPending_ = false;
    bool nmiLine_ = false; // true while held low
    bool nmiEdge_ = false;
    std::uint64_t nmiEdgeCycle_ = 0;
};

} // namespace cpu6502
