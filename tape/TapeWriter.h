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

enum class TapeWriteFailure {
    None,
    SameAsInput,
    CannotWrite,
    CannotRead,
    NotTape,
    UnsupportedWav,
    Empty,          // no programs to encode, or no pulses on the input
    UnsupportedTap, // a TAP version we do not read
    TooLarge,       // a program past the top of memory, a WAV past 4 GiB
};

struct TapeWriteResult {
    TapeWriteFailure failure = TapeWriteFailure::None;
    std::string path;   // the file the failure concerns
    std::string detail; // English: the system's reason
    std::uint64_t bytesWritten = 0;
};

// The ROM loader's pulses (header and data, each twice, standard pilots and gaps) for the
// programs, in cycles: what encodeRomTap writes after the TAP header. A header says type 1
// (relocatable, loaded at the BASIC start) for programs at $0801, else type 3 (absolute).
// Programs that would end past $FFFF are left out; check them with fitsInMemory first.
std::vector<std::uint32_t> romLoaderPulses(const std::vector<ProgramToEncode>& programs);
bool fitsInMemory(const ProgramToEncode& program);

// A whole version 1 TAP file of the pulses: header, then one byte per pulse of 8 to 2040
// cycles (rounded to 8) and a zero byte with a 24-bit count for the rest.
std::vector<std::uint8_t> tapV1Bytes(const std::vector<std::uint32_t>& pulses);

// Programs to a version 1 TAP.
TapeWriteResult encodeRomTap(const std::vector<ProgramToEncode>& programs, const std::string& out);

// A TAP (any version we read) to a WAV of the given rate, 8 or 16 bits, mono: a square wave
// a sound card can play into a datasette, at three quarters of full scale. Each pulse is high
// for its first half and low for its second, so it starts with a rising edge (what the reader
// takes as a pulse's start); a pause (a pulse over 20 ms) is a short swing and then silence.
// Edges between two samples are written as the share of the sample each level holds.
TapeWriteResult tapToWav(const std::string& in, const std::string& out, int sampleRate = 44100, int bits = 8,
                         const PulseOptions& options = {});

// A WAV or a version 0 TAP (or any tape we read) to a version 1 TAP of its pulses.
TapeWriteResult toTapV1(const std::string& in, const std::string& out, const PulseOptions& options = {});

// P00 bytes: "C64File\0", the 16-byte name (0-padded), 0, record size 0, then the PRG.
std::vector<std::uint8_t> p00Bytes(const std::string& name, const std::vector<std::uint8_t>& prg);

} // namespace vornix::tape
