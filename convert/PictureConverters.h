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

// A Koala Paint file: its load address ($6000), the bitmap (8000 bytes), the screen matrix and
// the colours (1000 each) and the background colour. The display routine reads up to its
// last byte.
inline constexpr std::size_t kKoalaFileSize = 2 + 8000 + 1000 + 1000 + 1;
inline constexpr std::uint16_t kKoalaLoadAddress = 0x6000;

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
// An FLI picture's data reaches into its bitmap, which starts here.
inline constexpr std::uint16_t kFliBitmapAddress = 0x6000;

// Both programs load at $0801. LOAD writes $D000-$DFFF into the I/O chips (the serial bus
// and the tape run through them), so a program has to end at $CFFF.
inline constexpr std::uint16_t kProgramLoadAddress = 0x0801;
inline constexpr std::uint32_t kFirstAddressPastProgram = 0xD000;
inline constexpr std::uint64_t kMaxProgramFileSize = 2 + (kFirstAddressPastProgram - kProgramLoadAddress);
// The largest pictures whose programs still fit (FLI: loading at $3B00).
inline constexpr std::uint64_t kMaxKoalaPictureSize = kMaxProgramFileSize - kKoalaHeaderSize;
std::uint64_t maxFliPictureSize(std::size_t viewerSize);

enum class PictureKind { Koala, Fli };

// Why a picture was not converted.
enum class ConversionProblem {
    None,
    SameAsInput,   // the output is the picture itself (the same path, a link or a hard link)
    CannotOpen,    // the picture cannot be opened: see failure
    NotAPicture,   // too short to hold a picture of its kind: see inputSize and minPicture
    CannotReadAll, // the picture ended early or a read failed while it was copied
    TooLarge,      // its program would not end below $D000: see programEnd and maxPicture
    ViewerMissing, // the FLI viewer is missing from this build of the program
    CannotWrite,   // the output cannot be written: see failure
};

struct ConversionResult {
    PictureKind kind = PictureKind::Koala;
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
    // NotAPicture: the fewest bytes a file of that kind holds (FLI: reaching its bitmap).
    std::uint64_t minPicture = 0;
    // The input's load address when it is not one of its kind ($6000 for Koala, $3B00 or $3C00
    // for FLI). Such a file is converted as if it loaded at $6000 or $3B00: it may still be a
    // picture saved elsewhere, or may show garbage.
    std::optional<std::uint16_t> unusualLoadAddress;
};

// Writes the program for the picture file at input to output, through a temporary file
// renamed over it. An output that is the input, an input that cannot be opened, one too short
// to be a picture of its kind (Koala: 10,003 bytes; FLI: data reaching the bitmap at $6000),
// and one whose program would not fit below $D000 are refused (judged by its size, before it
// is read) and nothing is written. An FLI picture loading at $3C00 gets a background table of
// colour 0 in front of its data.
ConversionResult convertKoala(const std::filesystem::path& input, const std::filesystem::path& output);
ConversionResult convertFli(std::span<const std::uint8_t> viewer, const std::filesystem::path& input,
                            const std::filesystem::path& output);
// The same with the viewer built into the program; a missing viewer (a fault of the build)
// is ConversionProblem::ViewerMissing and nothing is written.
ConversionResult convertFli(const std::filesystem::path& input, const std::filesystem::path& output);

} // namespace vornix
