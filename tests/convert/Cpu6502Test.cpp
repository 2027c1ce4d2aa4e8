// The test machine itself: the viewer's timing checks are only as good as these.
#include "tests/support/cpu6502/C64.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using cpu6502::Cpu;
using cpu6502::Machine;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kCode = 0x1000;

// A machine with the display off (no bad lines) and the code at $1000.
void load(Machine& m, const Bytes& code, std::uint16_t at = kCode) {
    for (std::size_t i = 0; i < code.size(); ++i)
        m.ram[at + i] = code[i];
    m.cpu().regs.pc = at;
    m.cpu().setStopOnBrk(true);
}

std::uint64_t cyclesOf(Machine& m, int instructions) {
    const std::uint64_t start = m.cycle();
    for (int i = 0; i < instructions; ++i)
        EXPECT_TRUE(m.cpu().step());
    return m.cycle() - start;
}

TEST(Cpu6502, InstructionsTakeTheirDocumentedCycles) {
    struct Case {
        const char* what;
        Bytes code;
        int instructions;
        std::uint64_t cycles;
        std::uint16_t at = kCode;
    };
    const Case cases[] = {
        {"LDA #", {0xa9, 0x01}, 1, 2},
        {"LDX #$10, LDA abs,X in the page", {0xa2, 0x10, 0xbd, 0x10, 0x20}, 2, 2 + 4},
        {"LDX #$10, LDA abs,X across a page", {0xa2, 0x10, 0xbd, 0xf8, 0x20}, 2, 2 + 5},
        {"LDX #$10, STA abs,X always fixes up", {0xa2, 0x10, 0x9d, 0x10, 0x20}, 2, 2 + 5},
        {"LDY #$FF, LDA (zp),Y across a page", {0xa0, 0xff, 0xb1, 0x80}, 2, 2 + 6},
        {"STA (zp),Y", {0x91, 0x80}, 1, 6},
        {"LDA (zp,X)", {0xa1, 0x80}, 1, 6},
        {"INC abs", {0xee, 0x00, 0x20}, 1, 6},
        {"INC abs,X", {0xfe, 0x00, 0x20}, 1, 7},
        {"DEC zp", {0xc6, 0x02}, 1, 5},
        {"LDA #0, BNE not taken", {0xa9, 0x00, 0xd0, 0x00}, 2, 2 + 2},
        {"LDA #1, BNE taken", {0xa9, 0x01, 0xd0, 0x00}, 2, 2 + 3},
        {"LDA #1, BNE taken across a page", {0xa9, 0x01, 0xd0, 0x7f}, 2, 2 + 4, 0x10f0},
        {"JMP abs", {0x4c, 0x00, 0x30}, 1, 3},
        {"JMP (ind)", {0x6c, 0x00, 0x20}, 1, 5},
        {"JSR, RTS", {0x20, 0x04, 0x10, 0x00, 0x60}, 2, 6 + 6},
        {"PHA, PLA", {0x48, 0x68}, 2, 3 + 4},
        {"BIT zp", {0x24, 0x02}, 1, 3},
        {"NOP", {0xea}, 1, 2},
    };
    for (const Case& c : cases) {
        Machine m;
        m.ram[0x80] = 0x10; // ($80) = $2010 for the indirect cases
        m.ram[0x81] = 0x20;
        load(m, c.code, c.at);
        EXPECT_EQ(cyclesOf(m, c.instructions), c.cycles) << c.what;
    }
}

TEST(Cpu6502, ArithmeticSetsTheFlagsOfAnNmos6502) {
    struct Case {
        const char* what;
        std::uint8_t op; // ADC # or SBC #
        std::uint8_t a, value, flagsIn, result, flagsSet, flagsClear;
    };
    const std::uint8_t C = Cpu::Carry, Z = Cpu::Zero, V = Cpu::Overflow, N = Cpu::Negative, D = Cpu::Decimal;
    const Case cases[] = {
        {"binary add with overflow", 0x69, 0x7f, 0x01, 0, 0x80, N | V, C | Z},
        {"binary add with carry out", 0x69, 0xff, 0x01, 0, 0x00, Z | C, N | V},
        {"binary subtract with borrow", 0xe9, 0x00, 0x01, C, 0xff, N, C | Z},
        {"decimal add carries a digit", 0x69, 0x09, 0x01, D, 0x10, 0, C},
        {"decimal add wraps past 99", 0x69, 0x99, 0x01, D, 0x00, C, 0},
        {"decimal subtract borrows a digit", 0xe9, 0x10, 0x01, D | C, 0x09, C, 0},
    };
    for (const Case& c : cases) {
        Machine m;
        load(m, {c.op, c.value});
        m.cpu().regs.a = c.a;
        m.cpu().regs.p = static_cast<std::uint8_t>(Cpu::Unused | c.flagsIn);
        ASSERT_TRUE(m.cpu().step());
        EXPECT_EQ(m.cpu().regs.a, c.result) << c.what;
        EXPECT_EQ(m.cpu().regs.p & c.flagsSet, c.flagsSet) << c.what;
        EXPECT_EQ(m.cpu().regs.p & c.flagsClear, 0) << c.what;
    }
}

TEST(Cpu6502, BusCyclesComeInTheOrderOfTheHardware) {
    // A read-modify-write instruction writes the old value back before the new one.
    Machine m;
    std::vector<std::pair<std::uint16_t, std::uint8_t>> writes;
    m.onWrite = [&](std::uint16_t address, std::uint8_t value) { writes.emplace_back(address, value); };
    m.ram[0x2000] = 0x41;
    load(m, {0xee, 0x00, 0x20});
    ASSERT_TRUE(m.cpu().step());
    const std::vector<std::pair<std::uint16_t, std::uint8_t>> expected{{0x2000, 0x41}, {0x2000, 0x42}};
    EXPECT_EQ(writes, expected);

    // JMP ($20FF) takes its high byte from $2000, not $2100.
    Machine j;
    j.ram[0x20ff] = 0x34;
    j.ram[0x2000] = 0x12;
    j.ram[0x2100] = 0x99;
    load(j, {0x6c, 0xff, 0x20});
    ASSERT_TRUE(j.cpu().step());
    EXPECT_EQ(j.cpu().regs.pc, 0x1234);

    // JSR pushes the address of its last byte; RTS comes back behind it.
    Machine s;
    load(s, {0x20, 0x00, 0x30, 0xea});
    s.ram[0x3000] = 0x60;
    ASSERT_TRUE(s.cpu().step());
    EXPECT_EQ(s.ram[0x01fd], 0x10);
    EXPECT_EQ(s.ram[0x01fc], 0x02);
    ASSERT_TRUE(s.cpu().step());
    EXPECT_EQ(s.cpu().regs.pc, kCode + 3);
}

TEST(Cpu6502, StopsOnAnUndocumentedOpcodeOrACrash) {
    for (std::uint8_t opcode : {std::uint8_t{0x02}, std::uint8_t{0xa7}, std::uint8_t{0x00}}) {
        Machine m;
        load(m, {0xea, opcode});
        EXPECT_TRUE(m.cpu().step());
        EXPECT_FALSE(m.cpu().step());
        EXPECT_TRUE(m.cpu().stopped());
        EXPECT_EQ(m.cpu().stopOpcode(), opcode);
        EXPECT_EQ(m.cpu().stopAddress(), kCode + 1);
    }
}

TEST(C64Machine, BadLineHoldsTheProcessorFromCycle12To54) {
    // Display on with YSCROLL 3, then NOPs: line $33 is a bad line, line $32 is not.
    Machine m(Machine::kCyclesPerLine * 0x2f);
    Bytes code{0xa9, 0x1b, 0x8d, 0x11, 0xd0};
    code.resize(2000, 0xea);
    load(m, code);
    auto heldCycles = [&m](int line) {
        const std::uint64_t from = Machine::kCyclesPerLine * static_cast<std::uint64_t>(line);
        m.runUntil([&] { return m.cycle() >= from; }, 1000);
        const std::uint64_t wall = m.cycle();
        const std::uint64_t cpu = m.cpuCycles();
        m.runUntil([&] { return m.cycle() >= from + Machine::kCyclesPerLine; }, 1000);
        return (m.cycle() - wall) - (m.cpuCycles() - cpu);
    };
    EXPECT_EQ(heldCycles(0x32), 0u);
    EXPECT_EQ(heldCycles(0x33), 43u);
    const cpu6502::RasterLine& line33 = m.rasterLines.back();
    EXPECT_EQ(line33.line, 0x33);
    EXPECT_TRUE(line33.matrixFetched);
    EXPECT_EQ(line33.fetchesWithoutBus, 0);
    EXPECT_EQ(line33.rowCounter, 0);
}

TEST(C64Machine, TimerBRaisesAnNmiEveryLatchPlusOneCycles) {
    Machine m;
    m.installNmiEntry();
    // Handler at $2000 acknowledges and counts; the main program loops on a JMP.
    load(m, {0xad, 0x0d, 0xdd, 0xee, 0x00, 0x30, 0x40}, 0x2000);
    m.ram[0x0318] = 0x00;
    m.ram[0x0319] = 0x20;
    load(m, {0xa9, 0x63, 0x8d, 0x06, 0xdd, 0xa9, 0x00, 0x8d, 0x07, 0xdd, // latch 99
             0xa9, 0x82, 0x8d, 0x0d, 0xdd, 0xa9, 0x11, 0x8d, 0x0f, 0xdd, 0x4c, 0x14, 0x10});
    std::vector<std::uint64_t> entries;
    m.runUntil(
        [&] {
            if (m.cpu().lastWasNmi())
                entries.push_back(m.cycle());
            return entries.size() == 6;
        },
        2000);
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(m.ram[0x3000], 5);
    // The loop adds 0..2 cycles of jitter to each entry; over five periods they average out.
    EXPECT_NEAR(static_cast<double>(entries[5] - entries[0]) / 5.0, 100.0, 0.6);
    EXPECT_EQ(m.timerBLatch(), 99);
}

TEST(C64Machine, RasterRegisterAndBankingFollowTheHardware) {
    Machine m(Machine::kCyclesPerLine * 0x104 + 59);
    load(m, {0xad, 0x12, 0xd0, 0xad, 0x12, 0xd0, 0xad, 0x11, 0xd0});
    // The first read falls in the last cycle of line $104, the next in line $105.
    ASSERT_TRUE(m.cpu().step());
    ASSERT_TRUE(m.cpu().step());
    ASSERT_TRUE(m.cpu().step());
    std::vector<std::uint8_t> reads;
    for (const auto& access : m.ioLog)
        reads.push_back(access.value);
    ASSERT_EQ(reads.size(), 3u);
    EXPECT_EQ(reads[0], 0x04);
    EXPECT_EQ(reads[1], 0x05);
    EXPECT_EQ(reads[2] & 0x80, 0x80); // bit 8 of the line in $D011

    // With $34 in $01, $D000-$DFFF is plain RAM; with $37 the VIC answers.
    Machine b;
    load(b, {0xa9, 0x34, 0x85, 0x01, 0xa9, 0x55, 0x8d, 0x20, 0xd0, 0xa9, 0x37, 0x85, 0x01, 0xa9, 0x06, 0x8d,
             0x20, 0xd0});
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(b.cpu().step());
    EXPECT_EQ(b.ram[0xd020], 0x55);
    EXPECT_EQ(b.vicRegister(0x20), 0x06);
}

} // namespace
