#pragma once
// Koala Paint and FLI pictures to self-displaying C64 programs. The pictures are never
// decoded: a display routine (Koala) or the embedded viewer (FLI) goes in front of the bytes.
#include "core/PlatformFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace vornix {

// Load address, BASIC line "2008 SYS2061" and the display routine.
inline constexpr std::size_t kKoalaStubSize = 101;
// Zeros after the stub so the picture file starts at $1FFE and its bitmap at $2000.
inline constexpr std::size_t kKoalaPadding = 6042;
inline constexpr std::size_t kKoalaHeaderSize = kKoalaStubSize + kKoalaPadding; // 6143

const std::array<std::uint8_t, kKoalaStubSize>& koalaStub();

// The FLI picture's own load address, dropped: the viewer knows where the data belongs.
inline constexpr std::size_t kFliSkippedBytes = 2;
// The viewer shows the memory image from $3B00 on. Pictures saved from $3C00 leave out the
// background table in front; the converter puts one of colour 0 in its place.
inline constexpr std::uint16_t kFliLoadAddress = 0x3B00;
inline constexpr std::uint16_t kFliLoadAddressWithoutBackground = 0x3C00;
inline constexpr std::size_t kFliBackgroundTableSize = 256;

// Both programs load at $0801. LOAD writes $D000-$DFFF into the I/O chips (the serial bus
// and the tape run through them), so a program has to end at $CFFF.
inline constexpr std::uint16_t kProgramLoadAddress = 0x0801;
inline constexpr std::uint32_t kFirstAddressPastProgram = 0xD000;
inline constexpr std::uint64_t kMaxProgramFileSize = 2 + (kFirstAddressPastProgram - kProgramLoadAddress);
// The largest pictures whose programs still fit (FLI: loading at $3B00).
inline constexpr std::uint64_t kMaxKoalaPictureSize = kMaxProgramFileSize - kKoalaHeaderSize;
std::uint64_t maxFliPictureSize(std::size_t viewerSize);

// Why a picture was not converted.
enum class ConversionProblem {
    None,
    CannotOpen,    // the picture cannot be opened: see failure
    CannotReadAll, // the picture ended early or a read failed while it was copied
    TooLarge,      // its program would not end below $D000: see programEnd and maxPicture
    ViewerMissing, // the FLI viewer is missing from this build of the program
    CannotWrite,   // the output cannot be written: see failure
};

struct ConversionResult {
    bool written = false; // the output file holds the program
    std::uint64_t inputSize = 0;
    std::uint64_t outputSize = 0;
    ConversionProblem problem = ConversionProblem::None;
    std::string path;  // the file the problem concerns: the picture, or the output for CannotWrite
    FileError failure; // the file system's reason, for CannotOpen, CannotReadAll and CannotWrite
    // TooLarge: the address past which the program would end (beyond $FFFF when above 0xFFFF)
    // and the largest picture that fits.
    std::uint64_t programEnd = 0;
    std::uint64_t maxPicture = 0;
    // FLI: the input's load address when it is neither of the two the viewer knows. Such a
    // file is converted as if it loaded at $3B00, which may well show garbage.
    std::optional<std::uint16_t> unusualLoadAddress;
};

// Writes the program for the picture file at input to output. The input is read completely
// before the output path is touched (through a temporary file renamed over it), so the input
// itself may be chosen as the output. An input that cannot be opened, or whose program would
// not fit below $D000 (judged by its size, before it is read), is refused and nothing is
// written. An empty input gives the stub and padding (Koala) or the viewer alone
// (FLI). An FLI picture loading at $3C00 gets a background table of colour 0 in front of its
// data.
ConversionResult convertKoala(const std::filesystem::path& input, const std::filesystem::path& output);
ConversionResult convertFli(std::span<const std::uint8_t> viewer, const std::filesystem::path& input,
                            const std::filesystem::path& output);
// The same with the viewer built into the program; a missing viewer (a fault of the build)
// is ConversionProblem::ViewerMissing and nothing is written.
ConversionResult convertFli(const std::filesystem::path& input, const std::filesystem::path& output);

} // namespace vornix
