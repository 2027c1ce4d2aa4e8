#pragma once
// A 6502 for tests: every documented instruction, with each bus cycle made in the order
// and to the address a real NMOS 6502 uses (dummy reads included), so that a bus which
// counts cycles and holds the processor the way the C64's video chip does sees exactly
// what the hardware would.
#include <cstdint>

namespace cpu6502 {

// What the processor is connected to. One read or write call is one bus cycle; a bus may
// let time pass before it serves a call (the processor is held meanwhile).
class Bus {
  public:
    virtual ~Bus() = default;
    virtual std::uint8_t read(std::uint16_t address) = 0;
    virtual void write(std::uint16_t address, std::uint8_t value) = 0;
    // The cycle the next access would happen in if nothing holds the processor.
    virtual std::uint64_t cycle() const = 0;
    // True (and the edge is consumed) when the NMI line fell in a cycle before `before`.
    virtual bool takeNmi(std::uint64_t before) = 0;
    // True when the IRQ line was held low in the cycle before `before`.
    virtual bool irqAsserted(std::uint64_t before) const = 0;
};

class Cpu {
  public:
    enum Flag : std::uint8_t {
        Carry = 0x01,
        Zero = 0x02,
        InterruptDisable = 0x04,
        Decimal = 0x08,
        Break = 0x10,
        Unused = 0x20,
        Overflow = 0x40,
        Negative = 0x80,
    };

    struct Registers {
        std::uint16_t pc = 0;
        std::uint8_t a = 0;
        std::uint8_t x = 0;
        std::uint8_t y = 0;
        std::uint8_t s = 0xfd;
        std::uint8_t p = Unused | InterruptDisable;
    };

    explicit Cpu(Bus& bus) : bus_(bus) {}

    Registers regs;

    // Runs one instruction, or the entry into an interrupt that became due at the end of
    // the previous one. Returns false, without doing anything, once the processor has
    // stopped: on an opcode the 6502 does not document, or on BRK when stopOnBrk is set.
    bool step();

    bool stopped() const { return stopped_; }
    std::uint8_t stopOpcode() const { return stopOpcode_; }
    std::uint16_t stopAddress() const { return stopAddress_; }
    // Tests treat BRK (a zero byte run as code) as a crash instead of a call.
    void setStopOnBrk(bool stop) { stopOnBrk_ = stop; }

    // Address of the instruction the last step ran (for interrupt entries, the address
    // execution resumes at afterwards).
    std::uint16_t lastPc() const { return lastPc_; }
    bool lastWasInterrupt() const { return lastWasInterrupt_; }
    bool lastWasNmi() const { return lastWasNmi_; }

  private:
    std::uint8_t read(std::uint16_t address);
    void write(std::uint16_t address, std::uint8_t value);
    std::uint8_t fetch() { return read(regs.pc++); }
    std::uint16_t fetchWord();
    void push(std::uint8_t value) { write(0x0100 | regs.s--, value); }
    std::uint8_t pull() { return read(0x0100 | ++regs.s); }

    enum class Mode { Implied, Immediate, Zp, ZpX, ZpY, Abs, AbsX, AbsY, IndX, IndY };
    std::uint16_t address(Mode mode, bool alwaysFixUp);
    std::uint8_t operand(Mode mode);

    void setNZ(std::uint8_t value);
    void setFlag(Flag flag, bool on);
    bool flag(Flag flag) const { return (regs.p & flag) != 0; }

    void adc(std::uint8_t value);
    void sbc(std::uint8_t value);
    void compare(std::uint8_t reg, std::uint8_t value);
    std::uint8_t asl(std::uint8_t value);
    std::uint8_t lsr(std::uint8_t value);
    std::uint8_t rol(std::uint8_t value);
    std::uint8_t ror(std::uint8_t value);
    void modify(Mode mode, std::uint8_t (Cpu::*op)(std::uint8_t));
    std::uint8_t inc(std::uint8_t value);
    std::uint8_t dec(std::uint8_t value);
    void branch(bool taken);
    void interrupt(std::uint16_t vector, bool fromBrk);
    bool execute(std::uint8_t opcode);
    void stop(std::uint8_t opcode);

    Bus& bus_;
    std::uint64_t lastAccess_ = 0;
    std::uint64_t pollBefore_ = 0;
    bool pollEarly_ = false;
    bool nmiDue_ = false;
    bool irqDue_ = false;
    bool stopped_ = false;
    bool stopOnBrk_ = false;
    std::uint8_t stopOpcode_ = 0;
    std::uint16_t stopAddress_ = 0;
    std::uint16_t lastPc_ = 0;
    bool lastWasInterrupt_ = false;
    bool lastWasNmi_ = false;
};

} // namespace cpu6502
