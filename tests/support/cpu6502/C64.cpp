#include "tests/support/cpu6502/C64.h"

namespace cpu6502 {

Machine::Machine(std::uint64_t startCycle, Timing timing) : cpu_(*this), timing_(timing), cycle_(startCycle) {
    current_.line = line(cycle_);
    current_.firstCycle = cycle_;
    beginCycle();
}

void Machine::loadPrg(const std::vector<std::uint8_t>& prg) {
    if (prg.size() < 2)
        return;
    std::size_t address = prg[0] | (prg[1] << 8);
    for (std::size_t i = 2; i < prg.size() && address < ram.size(); ++i)
        ram[address++] = prg[i];
}

void Machine::installNmiEntry() {
    const std::uint8_t entry[] = {0x78, 0x6c, 0x18, 0x03}; // SEI; JMP ($0318)
    for (std::size_t i = 0; i < sizeof entry; ++i)
        kernal[0xfe43 - 0xe000 + i] = entry[i];
    kernal[0xfffa - 0xe000] = 0x43;
    kernal[0xfffb - 0xe000] = 0xfe;
}

bool Machine::runUntil(const std::function<bool()>& done, std::uint64_t maxCycles) {
    const std::uint64_t end = cycle_ + maxCycles;
    while (!done()) {
        if (cycle_ >= end || !cpu_.step())
            return done();
    }
    return true;
}

void Machine::runFor(std::uint64_t cycles) {
    const std::uint64_t end = cycle_ + cycles;
    while (cycle_ < end && cpu_.step()) {
    }
}

void Machine::hold(std::uint64_t cycles) {
    for (std::uint64_t i = 0; i < cycles; ++i)
        tick();
}

void Machine::pressRestore() {
    nmiEdge_ = true;
    nmiEdgeCycle_ = cycle_;
}

bool Machine::inEndlessLoop() {
    const std::uint16_t pc = cpu_.regs.pc;
    auto at = [this](std::uint16_t address) {
        return (address >= 0xe000 && (banks() & 2)) ? kernal[address - 0xe000] : ram[address];
    };
    return at(pc) == 0x4c && at(static_cast<std::uint16_t>(pc + 1)) == (pc & 0xff) &&
           at(static_cast<std::uint16_t>(pc + 2)) == (pc >> 8);
}

// ---- Bus ------------------------------------------------------------------------------

// The VIC pulls BA low three cycles before it needs the bus: the processor stops at its
// next read at once, but may still finish writes until the VIC actually takes the bus.
std::uint8_t Machine::read(std::uint16_t address) {
    busData(peekQuiet(address));
    while (busRequested_) {
        tick();
        busData(peekQuiet(address)); // the stopped processor keeps the address on the bus
    }
    const std::uint8_t value = peekCpu(address);
    ++cpuCycles_;
    ++current_.cpuCycles;
    tick();
    return value;
}

void Machine::write(std::uint16_t address, std::uint8_t value) {
    busData(value);
    while (busRequested_ && cycle_ - busRequestedSince_ >= 3)
        tick();
    if (onWrite)
        onWrite(address, value);
    const int b = banks();
    if (address == 0) {
        ddr_ = value;
    } else if (address == 1) {
        port_ = value;
    }
    if (address >= 0xd000 && address < 0xe000 && (b & 3) != 0 && (b & 4) != 0)
        ioWrite(address, value);
    else
        ram[address] = value;
    ++cpuCycles_;
    ++current_.cpuCycles;
    tick();
}

void Machine::busData(std::uint8_t value) {
    if (!fetchWithoutBusPending_)
        return;
    fetchWithoutBusPending_ = false;
    const int nibble = value & 0x0f;
    if (current_.colourWithoutBus >= 0 && current_.colourWithoutBus != nibble)
        current_.colourWithoutBusSteady = false;
    current_.colourWithoutBus = nibble;
}

bool Machine::takeNmi(std::uint64_t before) {
    if (nmiEdge_ && nmiEdgeCycle_ < before) {
        nmiEdge_ = false;
        return true;
    }
    return false;
}

void Machine::tick() {
    ++cycle_;
    beginCycle();
}

void Machine::beginCycle() {
    vicCycle(line(cycle_), cycleIn(cycle_));
    ciaCycle();
}

// ---- Memory map -----------------------------------------------------------------------

// LORAM, HIRAM, CHAREN as the processor port drives them (inputs are pulled high).
int Machine::banks() const { return (port_ | static_cast<std::uint8_t>(~ddr_)) & 7; }

std::uint8_t Machine::peekCpu(std::uint16_t address) {
    const int b = banks();
    if (address == 0)
        return ddr_;
    if (address == 1)
        return port_;
    if (address >= 0xa000 && address < 0xc000 && (b & 3) == 3)
        return basic[address - 0xa000];
    if (address >= 0xe000 && (b & 2))
        return kernal[address - 0xe000];
    if (address >= 0xd000 && address < 0xe000 && (b & 3) != 0)
        return (b & 4) ? ioRead(address) : 0; // no character ROM either
    return ram[address];
}

std::uint8_t Machine::peekQuiet(std::uint16_t address) const {
    const int b = banks();
    if (address >= 0xa000 && address < 0xc000 && (b & 3) == 3)
        return basic[address - 0xa000];
    if (address >= 0xe000 && (b & 2))
        return kernal[address - 0xe000];
    if (address >= 0xd000 && address < 0xe000 && (b & 3) != 0)
        return 0xff; // a chip: not needed here
    return ram[address];
}

int Machine::rasterForRead() const {
    const int now = line(cycle_);
    // Line 0 starts one cycle late: in its first cycle the counter still shows the last line.
    return (now == 0 && cycleIn(cycle_) == 1) ? timing_.lines - 1 : now;
}

std::uint8_t Machine::ioRead(std::uint16_t address) {
    std::uint8_t value = 0xff;
    if (address < 0xd400) {
        const int reg = address & 0x3f;
        const int raster = rasterForRead();
        switch (reg) {
        case 0x11:
            value = static_cast<std::uint8_t>((vic_[reg] & 0x7f) | ((raster & 0x100) ? 0x80 : 0));
            break;
        case 0x12: value = static_cast<std::uint8_t>(raster & 0xff); break;
        case 0x16: value = vic_[reg] | 0xc0; break;
        case 0x18: value = vic_[reg] | 0x01; break;
        case 0x19: value = vic_[reg] | 0x70; break;
        case 0x1a: value = vic_[reg] | 0xf0; break;
        case 0x1e:
        case 0x1f: value = 0; break;
        default:
            if (reg >= 0x20 && reg <= 0x2e)
                value = vic_[reg] | 0xf0;
            else if (reg < 0x2f)
                value = vic_[reg];
            break;
        }
    } else if (address < 0xd800) {
        value = 0; // SID
    } else if (address < 0xdc00) {
        value = colorRam[address - 0xd800] | 0xf0;
    } else if (address < 0xdd00) {
        switch (address & 0x0f) {
        case 0x00: value = cia1Pra_; break;
        case 0x01: value = 0xff; break; // no key down
        case 0x0d: value = 0; break;
        default: break;
        }
    } else if (address < 0xde00) {
        switch (address & 0x0f) {
        case 0x00: value = cia2Pra_; break;
        case 0x02: value = cia2Ddra_; break;
        case 0x06: value = static_cast<std::uint8_t>(timerBCounter_); break;
        case 0x07: value = static_cast<std::uint8_t>(timerBCounter_ >> 8); break;
        case 0x0d:
            value = static_cast<std::uint8_t>(cia2Flags_ | (nmiLine_ ? 0x80 : 0));
            cia2Flags_ = 0; // reading acknowledges
            cia2InterruptPending_ = false;
            nmiLine_ = false;
            break;
        case 0x0f: value = cia2Crb_; break;
        default: value = 0; break;
        }
    }
    ioLog.push_back({cycle_, cpuCycles_, address, value, false});
    return value;
}

void Machine::ioWrite(std::uint16_t address, std::uint8_t value) {
    ioLog.push_back({cycle_, cpuCycles_, address, value, true});
    if (address < 0xd400) {
        const int reg = address & 0x3f;
        if (reg < 0x2f && reg != 0x1e && reg != 0x1f)
            vic_[reg] = value;
    } else if (address >= 0xd800 && address < 0xdc00) {
        colorRam[address - 0xd800] = value & 0x0f;
    } else if (address >= 0xdc00 && address < 0xdd00) {
        if ((address & 0x0f) == 0x00)
            cia1Pra_ = value;
    } else if (address >= 0xdd00 && address < 0xde00) {
        switch (address & 0x0f) {
        case 0x00: cia2Pra_ = value; break;
        case 0x02: cia2Ddra_ = value; break;
        case 0x06: timerBLatch_ = static_cast<std::uint16_t>((timerBLatch_ & 0xff00) | value); break;
        case 0x07:
            timerBLatch_ = static_cast<std::uint16_t>((timerBLatch_ & 0x00ff) | (value << 8));
            if (!timerBRunning_) // a stopped timer takes the latch with its high byte
                timerBCounter_ = timerBLatch_;
            break;
        case 0x0d:
            if (value & 0x80)
                cia2Mask_ |= value & 0x1f;
            else
                cia2Mask_ &= static_cast<std::uint8_t>(~value & 0x1f);
            if (cia2Flags_ & cia2Mask_) {
                cia2InterruptPending_ = true;
                cia2InterruptFrom_ = cycle_ + 1;
            }
            break;
        case 0x0f:
            cia2Crb_ = value & 0xef; // the load bit is a strobe
            timerBRunning_ = (value & 0x01) != 0;
            timerBOneShot_ = (value & 0x08) != 0;
            if (value & 0x10)
                timerBLoadPending_ = true;
            break;
        default: break;
        }
    }
}

// ---- CIA 2 ----------------------------------------------------------------------------

// Counting cycles, timer B shows latch, latch, latch-1, ..., 1, latch, latch, ...: a load
// (forced, or on underflow in place of reaching 0) swallows the next count, so one period
// is latch + 1 cycles. A forced load written in cycle W is seen from W+1. The interrupt
// output follows the underflow one cycle later.
void Machine::ciaCycle() {
    const bool countsCycles = (cia2Crb_ & 0x60) == 0;
    if (timerBLoadPending_) {
        timerBCounter_ = timerBLatch_;
        timerBLoadPending_ = false;
        timerBJustLoaded_ = true;
    } else if (timerBRunning_ && countsCycles) {
        if (timerBJustLoaded_) {
            timerBJustLoaded_ = false;
        } else if (timerBCounter_ <= 1) {
            timerBCounter_ = timerBLatch_;
            timerBJustLoaded_ = true;
            cia2Flags_ |= 0x02;
            if (timerBOneShot_) {
                timerBRunning_ = false;
                cia2Crb_ &= 0xfe;
            }
            if (cia2Mask_ & 0x02) {
                cia2InterruptPending_ = true;
                cia2InterruptFrom_ = cycle_ + 1;
            }
        } else {
            --timerBCounter_;
        }
    }
    if (cia2InterruptPending_ && cycle_ >= cia2InterruptFrom_) {
        cia2InterruptPending_ = false;
        if (!nmiLine_) {
            nmiLine_ = true;
            nmiEdge_ = true;
            nmiEdgeCycle_ = cycle_;
        }
    }
}

// ---- VIC-II ---------------------------------------------------------------------------

// The rules of the 6569 as the VIC-II timing documentation gives them: a bad line
// condition holds in any cycle of lines $30-$F7 whose low three bits equal YSCROLL, once
// DEN was set in line $30; it requests the bus in cycles 12-54 for the matrix reads in
// 15-54; cycle 14 reloads VC and, on a bad line, clears RC; cycle 58 ends a character row
// when RC is 7 and counts RC in display state; cycle 63 sets or clears the vertical border.
void Machine::vicCycle(int line, int cyc) {
    if (cyc == 1) {
        if (current_.firstCycle != cycle_)
            rasterLines.push_back(current_);
        current_ = RasterLine{};
        current_.line = line;
        current_.firstCycle = cycle_;
        if (line == 0)
            vcBase_ = 0;
        if (line == 0x30)
            denSeenInLine30_ = false;
    }
    const std::uint8_t ctrl = vic_[0x11];
    if (line == 0x30 && (ctrl & 0x10))
        denSeenInLine30_ = true;
    const bool badLine = line >= 0x30 && line <= 0xf7 && denSeenInLine30_ && (line & 7) == (ctrl & 7);
    if (badLine)
        displayState_ = true;

    const bool request = badLine && cyc >= 12 && cyc <= 54;
    if (request && !busRequested_)
        busRequestedSince_ = cycle_;
    busRequested_ = request;

    if (cyc == 14) {
        vc_ = vcBase_;
        if (badLine)
            rc_ = 0;
        current_.videoCounterBase = vcBase_;
    }
    if (request && cyc >= 15) {
        if (cycle_ - busRequestedSince_ >= 3) {
            const int bankBits = (cia2Pra_ | static_cast<std::uint8_t>(~cia2Ddra_)) & 3;
            const auto matrix =
                static_cast<std::uint16_t>((3 - bankBits) * 0x4000 + (vic_[0x18] >> 4) * 0x400);
            if (!current_.matrixFetched)
                current_.matrixAddress = matrix;
            else if (current_.matrixAddress != matrix)
                current_.matrixSteady = false;
            current_.matrixFetched = true;
        } else {
            // The matrix byte reads as $FF; the colour nibble is whatever the processor's
            // access in this cycle puts on the bus.
            ++current_.fetchesWithoutBus;
            fetchWithoutBusPending_ = true;
        }
    }
    // The 320 picture pixels of a line are drawn from the middle of cycle 16 to the
    // middle of cycle 56.
    if (cyc == 16) {
        current_.display = displayState_;
        current_.rowCounter = rc_;
        current_.background = vic_[0x21];
        current_.control1 = ctrl;
        current_.control2 = vic_[0x16];
        current_.memory = vic_[0x18];
        current_.verticalBorder = verticalBorder_;
    } else if (cyc > 16 && cyc <= 57 && vic_[0x21] != current_.background) {
        current_.backgroundSteady = false;
    }
    if (cyc == 58) {
        if (current_.display)
            vc_ = (vc_ + 40) & 0x3ff;
        if (rc_ == 7) {
            vcBase_ = vc_;
            if (!badLine)
                displayState_ = false;
        }
        if (displayState_)
            rc_ = (rc_ + 1) & 7;
    }
    if (cyc == 63) {
        const bool rsel = (ctrl & 0x08) != 0;
        if (line == (rsel ? 251 : 247))
            verticalBorder_ = true;
        else if (line == (rsel ? 51 : 55) && (ctrl & 0x10))
            verticalBorder_ = false;
    }
}

} // namespace cpu6502
