#include "tests/support/cpu6502/Cpu6502.h"

namespace cpu6502 {

std::uint8_t Cpu::read(std::uint16_t address) {
    std::uint8_t value = bus_.read(address);
    lastAccess_ = bus_.cycle() - 1;
    return value;
}

void Cpu::write(std::uint16_t address, std::uint8_t value) {
    bus_.write(address, value);
    lastAccess_ = bus_.cycle() - 1;
}

std::uint16_t Cpu::fetchWord() {
    std::uint8_t lo = fetch();
    return static_cast<std::uint16_t>(lo | (fetch() << 8));
}

// Effective address, with the cycles the 6502 spends on it. Indexed modes read from the
// not yet carried address first; reading instructions skip that cycle when no page is
// crossed, writing and read-modify-write instructions never do.
std::uint16_t Cpu::address(Mode mode, bool alwaysFixUp) {
    switch (mode) {
    case Mode::Zp: return fetch();
    case Mode::ZpX:
    case Mode::ZpY: {
        std::uint8_t zp = fetch();
        read(zp);
        return static_cast<std::uint8_t>(zp + (mode == Mode::ZpX ? regs.x : regs.y));
    }
    case Mode::Abs: return fetchWord();
    case Mode::AbsX:
    case Mode::AbsY: {
        std::uint16_t base = fetchWord();
        std::uint16_t ea = static_cast<std::uint16_t>(base + (mode == Mode::AbsX ? regs.x : regs.y));
        if (alwaysFixUp || ((base ^ ea) & 0xff00))
            read(static_cast<std::uint16_t>((base & 0xff00) | (ea & 0x00ff)));
        return ea;
    }
    case Mode::IndX: {
        std::uint8_t zp = fetch();
        read(zp);
        zp = static_cast<std::uint8_t>(zp + regs.x);
        std::uint8_t lo = read(zp);
        std::uint8_t hi = read(static_cast<std::uint8_t>(zp + 1));
        return static_cast<std::uint16_t>(lo | (hi << 8));
    }
    case Mode::IndY: {
        std::uint8_t zp = fetch();
        std::uint8_t lo = read(zp);
        std::uint8_t hi = read(static_cast<std::uint8_t>(zp + 1));
        std::uint16_t base = static_cast<std::uint16_t>(lo | (hi << 8));
        std::uint16_t ea = static_cast<std::uint16_t>(base + regs.y);
        if (alwaysFixUp || ((base ^ ea) & 0xff00))
            read(static_cast<std::uint16_t>((base & 0xff00) | (ea & 0x00ff)));
        return ea;
    }
    case Mode::Implied:
    case Mode::Immediate: break;
    }
    return 0;
}

std::uint8_t Cpu::operand(Mode mode) {
    if (mode == Mode::Immediate)
        return fetch();
    return read(address(mode, false));
}

void Cpu::setFlag(Flag f, bool on) {
    if (on)
        regs.p |= f;
    else
        regs.p &= static_cast<std::uint8_t>(~f);
}

void Cpu::setNZ(std::uint8_t value) {
    setFlag(Zero, value == 0);
    setFlag(Negative, (value & 0x80) != 0);
}

void Cpu::adc(std::uint8_t value) {
    const unsigned a = regs.a;
    const unsigned c = flag(Carry) ? 1 : 0;
    const unsigned binary = a + value + c;
    if (!flag(Decimal)) {
        setFlag(Carry, binary > 0xff);
        setFlag(Overflow, (~(a ^ value) & (a ^ binary) & 0x80) != 0);
        regs.a = static_cast<std::uint8_t>(binary);
        setNZ(regs.a);
        return;
    }
    // NMOS decimal mode: Z from the binary sum, N and V from the half-adjusted one.
    unsigned lo = (a & 0x0f) + (value & 0x0f) + c;
    if (lo > 9)
        lo += 6;
    unsigned hi = (a >> 4) + (value >> 4) + (lo > 0x0f ? 1 : 0);
    setFlag(Zero, (binary & 0xff) == 0);
    setFlag(Negative, (hi & 0x08) != 0);
    setFlag(Overflow, (((hi << 4) ^ a) & 0x80) != 0 && ((a ^ value) & 0x80) == 0);
    if (hi > 9)
        hi += 6;
    setFlag(Carry, hi > 0x0f);
    regs.a = static_cast<std::uint8_t>((hi << 4) | (lo & 0x0f));
}

void Cpu::sbc(std::uint8_t value) {
    const unsigned a = regs.a;
    const unsigned borrow = flag(Carry) ? 0 : 1;
    const unsigned binary = a - value - borrow;
    setFlag(Carry, binary < 0x100);
    setFlag(Overflow, ((a ^ value) & (a ^ binary) & 0x80) != 0);
    setNZ(static_cast<std::uint8_t>(binary));
    if (!flag(Decimal)) {
        regs.a = static_cast<std::uint8_t>(binary);
        return;
    }
    // NMOS decimal mode: flags as in binary, the result adjusted digit by digit.
    unsigned lo = (a & 0x0f) - (value & 0x0f) - borrow;
    unsigned hi = (a >> 4) - (value >> 4);
    if (lo & 0x10) {
        lo -= 6;
        --hi;
    }
    if (hi & 0x10)
        hi -= 6;
    regs.a = static_cast<std::uint8_t>((hi << 4) | (lo & 0x0f));
}

void Cpu::compare(std::uint8_t reg, std::uint8_t value) {
    setFlag(Carry, reg >= value);
    setNZ(static_cast<std::uint8_t>(reg - value));
}

std::uint8_t Cpu::asl(std::uint8_t value) {
    setFlag(Carry, (value & 0x80) != 0);
    value = static_cast<std::uint8_t>(value << 1);
    setNZ(value);
    return value;
}

std::uint8_t Cpu::lsr(std::uint8_t value) {
    setFlag(Carry, (value & 0x01) != 0);
    value = static_cast<std::uint8_t>(value >> 1);
    setNZ(value);
    return value;
}

std::uint8_t Cpu::rol(std::uint8_t value) {
    const bool carryIn = flag(Carry);
    setFlag(Carry, (value & 0x80) != 0);
    value = static_cast<std::uint8_t>((value << 1) | (carryIn ? 1 : 0));
    setNZ(value);
    return value;
}

std::uint8_t Cpu::ror(std::uint8_t value) {
    const bool carryIn = flag(Carry);
    setFlag(Carry, (value & 0x01) != 0);
    value = static_cast<std::uint8_t>((value >> 1) | (carryIn ? 0x80 : 0));
    setNZ(value);
    return value;
}

std::uint8_t Cpu::inc(std::uint8_t value) {
    setNZ(++value);
    return value;
}

std::uint8_t Cpu::dec(std::uint8_t value) {
    setNZ(--value);
    return value;
}

// Read-modify-write: the unmodified value is written back first, then the result.
void Cpu::modify(Mode mode, std::uint8_t (Cpu::*op)(std::uint8_t)) {
    if (mode == Mode::Implied) {
        read(regs.pc);
        regs.a = (this->*op)(regs.a);
        return;
    }
    std::uint16_t ea = address(mode, true);
    std::uint8_t value = read(ea);
    write(ea, value);
    write(ea, (this->*op)(value));
}

void Cpu::branch(bool taken) {
    const std::uint8_t offset = fetch();
    if (!taken)
        return;
    const std::uint64_t operandCycle = lastAccess_;
    read(regs.pc);
    const std::uint16_t target = static_cast<std::uint16_t>(regs.pc + static_cast<std::int8_t>(offset));
    if ((target ^ regs.pc) & 0xff00) {
        read(static_cast<std::uint16_t>((regs.pc & 0xff00) | (target & 0x00ff)));
    } else {
        // A taken branch that stays in its page looks at interrupts before its last cycle.
        pollBefore_ = operandCycle;
        pollEarly_ = true;
    }
    regs.pc = target;
}

void Cpu::interrupt(std::uint16_t vector, bool fromBrk) {
    if (fromBrk) {
        fetch();
    } else {
        read(regs.pc);
        read(regs.pc);
    }
    push(static_cast<std::uint8_t>(regs.pc >> 8));
    push(static_cast<std::uint8_t>(regs.pc));
    push(static_cast<std::uint8_t>(regs.p | Unused | (fromBrk ? Break : 0)));
    setFlag(InterruptDisable, true);
    std::uint8_t lo = read(vector);
    std::uint8_t hi = read(static_cast<std::uint16_t>(vector + 1));
    regs.pc = static_cast<std::uint16_t>(lo | (hi << 8));
}

void Cpu::stop(std::uint8_t opcode) {
    stopped_ = true;
    stopOpcode_ = opcode;
    stopAddress_ = lastPc_;
}

bool Cpu::step() {
    if (stopped_)
        return false;
    lastWasInterrupt_ = false;
    lastWasNmi_ = false;
    if (nmiDue_ || irqDue_) {
        const bool nmi = nmiDue_;
        nmiDue_ = false;
        irqDue_ = false;
        lastPc_ = regs.pc;
        lastWasInterrupt_ = true;
        lastWasNmi_ = nmi;
        interrupt(nmi ? 0xfffa : 0xfffe, false);
        return true;
    }

    lastPc_ = regs.pc;
    const bool interruptsWereOff = flag(InterruptDisable);
    const std::uint8_t opcode = fetch();
    pollEarly_ = false;
    if (!execute(opcode)) {
        stop(opcode);
        return false;
    }
    if (!pollEarly_)
        pollBefore_ = lastAccess_;
    // CLI, SEI and PLP change the I flag after the processor has looked at IRQ.
    const bool irqMasked =
        (opcode == 0x58 || opcode == 0x78 || opcode == 0x28) ? interruptsWereOff : flag(InterruptDisable);
    nmiDue_ = bus_.takeNmi(pollBefore_);
    irqDue_ = !nmiDue_ && !irqMasked && bus_.irqAsserted(pollBefore_);
    return true;
}

// One documented instruction; false for any other opcode.
bool Cpu::execute(std::uint8_t opcode) {
    using M = Mode;
    // One line an opcode, as the processor manuals list them.
    // clang-format off
    switch (opcode) {
    // Loads, arithmetic and logic: read an operand.
    case 0xa9: regs.a = operand(M::Immediate); setNZ(regs.a); break;
    case 0xa5: regs.a = operand(M::Zp); setNZ(regs.a); break;
    case 0xb5: regs.a = operand(M::ZpX); setNZ(regs.a); break;
    case 0xad: regs.a = operand(M::Abs); setNZ(regs.a); break;
    case 0xbd: regs.a = operand(M::AbsX); setNZ(regs.a); break;
    case 0xb9: regs.a = operand(M::AbsY); setNZ(regs.a); break;
    case 0xa1: regs.a = operand(M::IndX); setNZ(regs.a); break;
    case 0xb1: regs.a = operand(M::IndY); setNZ(regs.a); break;
    case 0xa2: regs.x = operand(M::Immediate); setNZ(regs.x); break;
    case 0xa6: regs.x = operand(M::Zp); setNZ(regs.x); break;
    case 0xb6: regs.x = operand(M::ZpY); setNZ(regs.x); break;
    case 0xae: regs.x = operand(M::Abs); setNZ(regs.x); break;
    case 0xbe: regs.x = operand(M::AbsY); setNZ(regs.x); break;
    case 0xa0: regs.y = operand(M::Immediate); setNZ(regs.y); break;
    case 0xa4: regs.y = operand(M::Zp); setNZ(regs.y); break;
    case 0xb4: regs.y = operand(M::ZpX); setNZ(regs.y); break;
    case 0xac: regs.y = operand(M::Abs); setNZ(regs.y); break;
    case 0xbc: regs.y = operand(M::AbsX); setNZ(regs.y); break;

    case 0x69: adc(operand(M::Immediate)); break;
    case 0x65: adc(operand(M::Zp)); break;
    case 0x75: adc(operand(M::ZpX)); break;
    case 0x6d: adc(operand(M::Abs)); break;
    case 0x7d: adc(operand(M::AbsX)); break;
    case 0x79: adc(operand(M::AbsY)); break;
    case 0x61: adc(operand(M::IndX)); break;
    case 0x71: adc(operand(M::IndY)); break;
    case 0xe9: sbc(operand(M::Immediate)); break;
    case 0xe5: sbc(operand(M::Zp)); break;
    case 0xf5: sbc(operand(M::ZpX)); break;
    case 0xed: sbc(operand(M::Abs)); break;
    case 0xfd: sbc(operand(M::AbsX)); break;
    case 0xf9: sbc(operand(M::AbsY)); break;
    case 0xe1: sbc(operand(M::IndX)); break;
    case 0xf1: sbc(operand(M::IndY)); break;

    case 0x29: regs.a &= operand(M::Immediate); setNZ(regs.a); break;
    case 0x25: regs.a &= operand(M::Zp); setNZ(regs.a); break;
    case 0x35: regs.a &= operand(M::ZpX); setNZ(regs.a); break;
    case 0x2d: regs.a &= operand(M::Abs); setNZ(regs.a); break;
    case 0x3d: regs.a &= operand(M::AbsX); setNZ(regs.a); break;
    case 0x39: regs.a &= operand(M::AbsY); setNZ(regs.a); break;
    case 0x21: regs.a &= operand(M::IndX); setNZ(regs.a); break;
    case 0x31: regs.a &= operand(M::IndY); setNZ(regs.a); break;
    case 0x09: regs.a |= operand(M::Immediate); setNZ(regs.a); break;
    case 0x05: regs.a |= operand(M::Zp); setNZ(regs.a); break;
    case 0x15: regs.a |= operand(M::ZpX); setNZ(regs.a); break;
    case 0x0d: regs.a |= operand(M::Abs); setNZ(regs.a); break;
    case 0x1d: regs.a |= operand(M::AbsX); setNZ(regs.a); break;
    case 0x19: regs.a |= operand(M::AbsY); setNZ(regs.a); break;
    case 0x01: regs.a |= operand(M::IndX); setNZ(regs.a); break;
    case 0x11: regs.a |= operand(M::IndY); setNZ(regs.a); break;
    case 0x49: regs.a ^= operand(M::Immediate); setNZ(regs.a); break;
    case 0x45: regs.a ^= operand(M::Zp); setNZ(regs.a); break;
    case 0x55: regs.a ^= operand(M::ZpX); setNZ(regs.a); break;
    case 0x4d: regs.a ^= operand(M::Abs); setNZ(regs.a); break;
    case 0x5d: regs.a ^= operand(M::AbsX); setNZ(regs.a); break;
    case 0x59: regs.a ^= operand(M::AbsY); setNZ(regs.a); break;
    case 0x41: regs.a ^= operand(M::IndX); setNZ(regs.a); break;
    case 0x51: regs.a ^= operand(M::IndY); setNZ(regs.a); break;

    case 0xc9: compare(regs.a, operand(M::Immediate)); break;
    case 0xc5: compare(regs.a, operand(M::Zp)); break;
    case 0xd5: compare(regs.a, operand(M::ZpX)); break;
    case 0xcd: compare(regs.a, operand(M::Abs)); break;
    case 0xdd: compare(regs.a, operand(M::AbsX)); break;
    case 0xd9: compare(regs.a, operand(M::AbsY)); break;
    case 0xc1: compare(regs.a, operand(M::IndX)); break;
    case 0xd1: compare(regs.a, operand(M::IndY)); break;
    case 0xe0: compare(regs.x, operand(M::Immediate)); break;
    case 0xe4: compare(regs.x, operand(M::Zp)); break;
    case 0xec: compare(regs.x, operand(M::Abs)); break;
    case 0xc0: compare(regs.y, operand(M::Immediate)); break;
    case 0xc4: compare(regs.y, operand(M::Zp)); break;
    case 0xcc: compare(regs.y, operand(M::Abs)); break;

    case 0x24:
    case 0x2c: {
        const std::uint8_t value = operand(opcode == 0x24 ? M::Zp : M::Abs);
        setFlag(Zero, (regs.a & value) == 0);
        setFlag(Negative, (value & 0x80) != 0);
        setFlag(Overflow, (value & 0x40) != 0);
        break;
    }

    // Stores.
    case 0x85: write(address(M::Zp, true), regs.a); break;
    case 0x95: write(address(M::ZpX, true), regs.a); break;
    case 0x8d: write(address(M::Abs, true), regs.a); break;
    case 0x9d: write(address(M::AbsX, true), regs.a); break;
    case 0x99: write(address(M::AbsY, true), regs.a); break;
    case 0x81: write(address(M::IndX, true), regs.a); break;
    case 0x91: write(address(M::IndY, true), regs.a); break;
    case 0x86: write(address(M::Zp, true), regs.x); break;
    case 0x96: write(address(M::ZpY, true), regs.x); break;
    case 0x8e: write(address(M::Abs, true), regs.x); break;
    case 0x84: write(address(M::Zp, true), regs.y); break;
    case 0x94: write(address(M::ZpX, true), regs.y); break;
    case 0x8c: write(address(M::Abs, true), regs.y); break;

    // Read-modify-write.
    case 0x0a: modify(M::Implied, &Cpu::asl); break;
    case 0x06: modify(M::Zp, &Cpu::asl); break;
    case 0x16: modify(M::ZpX, &Cpu::asl); break;
    case 0x0e: modify(M::Abs, &Cpu::asl); break;
    case 0x1e: modify(M::AbsX, &Cpu::asl); break;
    case 0x4a: modify(M::Implied, &Cpu::lsr); break;
    case 0x46: modify(M::Zp, &Cpu::lsr); break;
    case 0x56: modify(M::ZpX, &Cpu::lsr); break;
    case 0x4e: modify(M::Abs, &Cpu::lsr); break;
    case 0x5e: modify(M::AbsX, &Cpu::lsr); break;
    case 0x2a: modify(M::Implied, &Cpu::rol); break;
    case 0x26: modify(M::Zp, &Cpu::rol); break;
    case 0x36: modify(M::ZpX, &Cpu::rol); break;
    case 0x2e: modify(M::Abs, &Cpu::rol); break;
    case 0x3e: modify(M::AbsX, &Cpu::rol); break;
    case 0x6a: modify(M::Implied, &Cpu::ror); break;
    case 0x66: modify(M::Zp, &Cpu::ror); break;
    case 0x76: modify(M::ZpX, &Cpu::ror); break;
    case 0x6e: modify(M::Abs, &Cpu::ror); break;
    case 0x7e: modify(M::AbsX, &Cpu::ror); break;
    case 0xe6: modify(M::Zp, &Cpu::inc); break;
    case 0xf6: modify(M::ZpX, &Cpu::inc); break;
    case 0xee: modify(M::Abs, &Cpu::inc); break;
    case 0xfe: modify(M::AbsX, &Cpu::inc); break;
    case 0xc6: modify(M::Zp, &Cpu::dec); break;
    case 0xd6: modify(M::ZpX, &Cpu::dec); break;
    case 0xce: modify(M::Abs, &Cpu::dec); break;
    case 0xde: modify(M::AbsX, &Cpu::dec); break;

    // Register transfers, counters and flags: two cycles, the second a dummy read.
    case 0xaa: read(regs.pc); regs.x = regs.a; setNZ(regs.x); break;
    case 0xa8: read(regs.pc); regs.y = regs.a; setNZ(regs.y); break;
    case 0x8a: read(regs.pc); regs.a = regs.x; setNZ(regs.a); break;
    case 0x98: read(regs.pc); regs.a = regs.y; setNZ(regs.a); break;
    case 0xba: read(regs.pc); regs.x = regs.s; setNZ(regs.x); break;
    case 0x9a: read(regs.pc); regs.s = regs.x; break;
    case 0xe8: read(regs.pc); setNZ(++regs.x); break;
    case 0xc8: read(regs.pc); setNZ(++regs.y); break;
    case 0xca: read(regs.pc); setNZ(--regs.x); break;
    case 0x88: read(regs.pc); setNZ(--regs.y); break;
    case 0x18: read(regs.pc); setFlag(Carry, false); break;
    case 0x38: read(regs.pc); setFlag(Carry, true); break;
    case 0x58: read(regs.pc); setFlag(InterruptDisable, false); break;
    case 0x78: read(regs.pc); setFlag(InterruptDisable, true); break;
    case 0xd8: read(regs.pc); setFlag(Decimal, false); break;
    case 0xf8: read(regs.pc); setFlag(Decimal, true); break;
    case 0xb8: read(regs.pc); setFlag(Overflow, false); break;
    case 0xea: read(regs.pc); break;

    // Branches.
    case 0x10: branch(!flag(Negative)); break;
    case 0x30: branch(flag(Negative)); break;
    case 0x50: branch(!flag(Overflow)); break;
    case 0x70: branch(flag(Overflow)); break;
    case 0x90: branch(!flag(Carry)); break;
    case 0xb0: branch(flag(Carry)); break;
    case 0xd0: branch(!flag(Zero)); break;
    case 0xf0: branch(flag(Zero)); break;

    // Jumps, calls and the stack.
    case 0x4c: regs.pc = fetchWord(); break;
    case 0x6c: {
        const std::uint16_t pointer = fetchWord();
        const std::uint8_t lo = read(pointer);
        // The high byte comes from the same page: JMP ($xxFF) wraps.
        const std::uint8_t hi = read(static_cast<std::uint16_t>((pointer & 0xff00) | ((pointer + 1) & 0x00ff)));
        regs.pc = static_cast<std::uint16_t>(lo | (hi << 8));
        break;
    }
    case 0x20: {
        const std::uint8_t lo = fetch();
        read(0x0100 | regs.s);
        push(static_cast<std::uint8_t>(regs.pc >> 8));
        push(static_cast<std::uint8_t>(regs.pc));
        const std::uint8_t hi = read(regs.pc);
        regs.pc = static_cast<std::uint16_t>(lo | (hi << 8));
        break;
    }
    case 0x60: {
        read(regs.pc);
        read(0x0100 | regs.s);
        const std::uint8_t lo = pull();
        const std::uint8_t hi = pull();
        regs.pc = static_cast<std::uint16_t>(lo | (hi << 8));
        read(regs.pc++);
        break;
    }
    case 0x40: {
        read(regs.pc);
        read(0x0100 | regs.s);
        regs.p = static_cast<std::uint8_t>((pull() & ~Break) | Unused);
        const std::uint8_t lo = pull();
        const std::uint8_t hi = pull();
        regs.pc = static_cast<std::uint16_t>(lo | (hi << 8));
        break;
    }
    case 0x48: read(regs.pc); push(regs.a); break;
    case 0x08: read(regs.pc); push(static_cast<std::uint8_t>(regs.p | Break | Unused)); break;
    case 0x68: read(regs.pc); read(0x0100 | regs.s); regs.a = pull(); setNZ(regs.a); break;
    case 0x28:
        read(regs.pc);
        read(0x0100 | regs.s);
        regs.p = static_cast<std::uint8_t>((pull() & ~Break) | Unused);
        break;
    case 0x00:
        if (stopOnBrk_)
            return false;
        interrupt(0xfffe, true);
        break;

    default:
        return false;
    }
    // clang-format on
    return true;
}

} // namespace cpu6502
