#pragma once
// Koala Paint and FLI pictures drawn as the machine shows them: 320x200 pixels (each
// multicolour pixel two wide) in the 16 colours of the "pepto" PAL palette. FLI pictures are
// drawn as the FLI viewer shows them, with the video chip's grey columns at the left.
#include "preview/PreviewNote.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vornix {

struct Rgb {
    std::uint8_t r, g, b;
};

// The C64's colours 0-15 as measured on a PAL machine ("pepto").
const std::array<Rgb, 16>& c64Palette();

enum class PictureFormat { Koala, Fli };

// Sizes of the data after the load address.
inline constexpr std::size_t kKoalaDataSize = 10001;
inline constexpr std::size_t kFliDataSize = 17472;         // $3B00-$7F3F
inline constexpr std::size_t kFliDesignerDataSize = 17407; // $3C00-$7FFE, no background table
inline constexpr std::size_t kFliCarriedSize = 17664;      // $3B00-$7FFF: what the FLI viewer carries

// Where a picture's bytes lie within an entry's data.
struct PictureLayout {
    PictureFormat format;
    std::size_t offset; // of the picture's first byte in the data
    std::uint16_t base; // FLI: the address that first byte has ($3B00 or $3C00)
};

// Koala: 10,001 bytes at any address, or a program written by the Koala converter.
// FLI: up to 17,664 bytes at $3B00 or $3C00 that reach into the bitmap, or a program with
// the FLI viewer in front of such data (of any length: the viewer leaves the rest behind).
std::optional<PictureLayout> findPicture(std::uint16_t load, std::span<const std::uint8_t> data);

struct Picture {
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 200;
    PictureFormat format = PictureFormat::Koala;
    std::vector<std::uint8_t> pixels; // kWidth * kHeight colour numbers, row by row
    // Empty for complete data; otherwise what was missing (drawn as 0) or left behind.
    PreviewNote note;

    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * kWidth + x]; }
    // Three bytes (red, green, blue) per pixel, row by row.
    std::vector<std::uint8_t> rgb() const;
};

// Bytes missing at the end of a short file count as 0.
Picture decodePicture(const PictureLayout& layout, std::span<const std::uint8_t> data);
std::optional<Picture> decodePicture(std::uint16_t load, std::span<const std::uint8_t> data);

} // namespace vornix
