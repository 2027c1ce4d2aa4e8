#pragma once
// Writing tapes: programs to a version 1 TAP in the ROM loader's format, a TAP to a WAV,
// any tape to a version 1 TAP, and the P00 container. Files are written through the core's
// file writer: never over the input, never half-written.
#include "tape/TapeReader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vornix::tape {

// A program to put on tape.
struct ProgramToEncode {
    std::string name; // at most 16 bytes, single-byte text as held in a T64 entry
    std::uint16_t load = 0x0801;
    std::vector<std::uint8_t> data; // without load address
};

enum class TapeWriteFailure { None, SameAsInput, CannotWrite, CannotRead, NotTape, UnsupportedWav, Empty };

struct TapeWriteResult {
    TapeWriteFailure failure = TapeWriteFailure::None;
    std::string path;   // the file the failure concerns
    std::string detail; // English: the system's reason
    std::uint64_t bytesWritten = 0;
};

// The ROM loader's pulses (header and data, each twice, standard pilots and gaps) for the
// programs, in cycles: what encodeRomTap writes after the TAP header.
std::vector<std::uint32_t> romLoaderPulses(const std::vector<ProgramToEncode>& programs);

// Programs to a version 1 TAP.
TapeWriteResult encodeRomTap(const std::vector<ProgramToEncode>& programs, const std::string& out);

// A TAP (any version we read) to a WAV of the given rate, 8 or 16 bits, mono: a square wave
// a sound card can play into a datasette.
TapeWriteResult tapToWav(const std::string& in, const std::string& out, int sampleRate = 44100, int bits = 8,
                         const PulseOptions& options = {});

// A WAV or a version 0 TAP (or any tape we read) to a version 1 TAP of its pulses.
TapeWriteResult toTapV1(const std::string& in, const std::string& out, const PulseOptions& options = {});

// P00 bytes: "C64File\0", the 16-byte name (0-padded), 0, record size 0, then the PRG.
std::vector<std::uint8_t> p00Bytes(const std::string& name, const std::vector<std::uint8_t>& prg);

} // namespace vornix::tape
