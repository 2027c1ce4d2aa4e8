#include "preview/Picture.h"

#include "convert/PictureConverters.h"

#include <algorithm>
#include <cstdio>

namespace vornix {

namespace {

constexpr std::array<Rgb, 16> kPepto = {{
    {0x00, 0x00, 0x00},
    {0xFF, 0xFF, 0xFF},
    {0x68, 0x37, 0x2B},
    {0x70, 0xA4, 0xB2},
    {0x6F, 0x3D, 0x86},
    {0x58, 0x8D, 0x43},
    {0x35, 0x28, 0x79},
    {0xB8, 0xC7, 0x6F},
    {0x6F, 0x4F, 0x25},
    {0x43, 0x39, 0x00},
    {0x9A, 0x67, 0x59},
    {0x44, 0x44, 0x44},
    {0x6C, 0x6C, 0x6C},
    {0x9A, 0xD2, 0x84},
    {0x6C, 0x5E, 0xB5},
    {0x95, 0x95, 0x95},
}};

// The FLI viewer's BASIC line: number 1989, SYS 2080.
constexpr std::array<std::uint8_t, 7> kFliViewerLine = {0xC5, 0x07, 0x9E, '2', '0', '8', '0'};
constexpr std::size_t kFliViewerSize = 767;         // data bytes in front of the picture
constexpr std::uint16_t kFliBase = kFliLoadAddress; // the memory image the viewer expects
constexpr unsigned kFliBitmap = 0x6000;
constexpr unsigned kFliEnd = 0x7F40;                            // one past the bitmap
constexpr unsigned kFliCarriedEnd = kFliBase + kFliCarriedSize; // one past what the viewer carries

// The video chip reads the screen matrix of the first three columns of a forced fetch
// while the processor still has the bus: it takes $FF as the matrix byte (light grey for
// bit pairs 01 and 10) and the low nibble of the byte on the bus as the colour RAM value
// (bit pair 11). That byte is the opcode following the viewer's $D011 write of pixel line
// k; pixel line 0 of the top row is fetched in the normal way.
constexpr int kFliBugColumns = 3;
constexpr std::uint8_t kFliBugMatrix = 0xFF;
constexpr std::array<std::uint8_t, 8> kFliBugColourRam = {4, 4, 4, 4, 4, 4, 9, 0};

// Data from base of the given size shows an FLI picture once it reaches into the bitmap.
bool reachesBitmap(unsigned base, std::size_t size) { return base + size > kFliBitmap; }

// What an FLI memory image from base of the given size lacks or leaves behind.
PreviewNote fliNote(unsigned base, std::size_t size) {
    const std::size_t end = base + size;
    if (end < kFliEnd)
        return {PreviewNoteKind::PictureShort, static_cast<unsigned>(end - 1), 0, kFliEnd - end};
    if (end > kFliCarriedEnd)
        return {PreviewNoteKind::LeftBehind, 0, 0, end - kFliCarriedEnd};
    return {};
}

// Byte at a machine address of a memory image that starts at base; 0 outside it.
struct Memory {
    std::span<const std::uint8_t> bytes;
    unsigned base;
    std::uint8_t operator()(unsigned address) const {
        return address >= base && address - base < bytes.size() ? bytes[address - base] : 0;
    }
};

// Two bits per pixel: background, screen high nibble, screen low nibble, colour RAM.
void drawCell(Picture& p, int x, int y, std::uint8_t bits, const std::array<std::uint8_t, 4>& colours) {
    std::uint8_t* out = &p.pixels[static_cast<std::size_t>(y) * Picture::kWidth + x];
    for (int i = 0; i < 4; ++i) {
        const std::uint8_t c = colours[(bits >> (6 - 2 * i)) & 3];
        out[2 * i] = c;
        out[2 * i + 1] = c;
    }
}

void drawKoala(Picture& p, const Memory& m) {
    const std::uint8_t background = m(10000) & 15;
    for (int row = 0; row < 25; ++row)
        for (int col = 0; col < 40; ++col) {
            const unsigned cell = row * 40 + col;
            const std::uint8_t screen = m(8000 + cell);
            const std::array<std::uint8_t, 4> colours = {background, std::uint8_t(screen >> 4),
                                                         std::uint8_t(screen & 15),
                                                         std::uint8_t(m(9000 + cell) & 15)};
            for (int line = 0; line < 8; ++line)
                drawCell(p, col * 8, row * 8 + line, m(cell * 8 + line), colours);
        }
}

// Every pixel line has its own screen matrix and background colour (see the viewer).
void drawFli(Picture& p, const Memory& m) {
    for (int row = 0; row < 25; ++row)
        for (int line = 0; line < 8; ++line) {
            const std::uint8_t background = m(0x3B00 + 25 * line + 24 - row) & 15;
            const bool forced = row > 0 || line > 0;
            for (int col = 0; col < 40; ++col) {
                const unsigned cell = row * 40 + col;
                const bool bug = forced && col < kFliBugColumns;
                const std::uint8_t screen = bug ? kFliBugMatrix : m(0x4000 + 0x400 * line + cell);
                const std::uint8_t colourRam = bug ? kFliBugColourRam[line] : m(0x3C00 + cell) & 15;
                const std::array<std::uint8_t, 4> colours = {background, std::uint8_t(screen >> 4),
                                                             std::uint8_t(screen & 15), colourRam};
                drawCell(p, col * 8, row * 8 + line, m(0x6000 + cell * 8 + line), colours);
            }
        }
}

} // namespace

const std::array<Rgb, 16>& c64Palette() { return kPepto; }

std::optional<PictureLayout> findPicture(std::uint16_t load, std::span<const std::uint8_t> data) {
    if (data.size() == kKoalaDataSize)
        return PictureLayout{PictureFormat::Koala, 0, load};
    if ((load == kFliLoadAddress || load == kFliLoadAddressWithoutBackground) &&
        data.size() <= kFliCarriedSize && reachesBitmap(load, data.size()))
        return PictureLayout{PictureFormat::Fli, 0, load};
    if (load != 0x0801)
        return std::nullopt;
    // The Koala converter's program: its routine, zeros, then the picture file with its own
    // load address.
    const auto& stub = koalaStub();
    // Less the program's load address, plus the picture's.
    constexpr std::size_t koalaAt = kKoalaHeaderSize - 2 + 2;
    if (data.size() >= koalaAt + kKoalaDataSize && std::equal(stub.begin() + 2, stub.end(), data.begin()))
        return PictureLayout{PictureFormat::Koala, koalaAt, load};
    // The FLI converter's program: the viewer, then the memory image from $3B00.
    if (data.size() > kFliViewerSize && reachesBitmap(kFliBase, data.size() - kFliViewerSize) &&
        std::equal(kFliViewerLine.begin(), kFliViewerLine.end(), data.begin() + 2))
        return PictureLayout{PictureFormat::Fli, kFliViewerSize, kFliBase};
    return std::nullopt;
}

Picture decodePicture(const PictureLayout& layout, std::span<const std::uint8_t> data) {
    Picture p;
    p.format = layout.format;
    p.pixels.assign(static_cast<std::size_t>(Picture::kWidth) * Picture::kHeight, 0);
    const auto bytes = data.subspan(std::min(layout.offset, data.size()));
    if (layout.format == PictureFormat::Koala) {
        drawKoala(p, Memory{bytes, 0});
    } else {
        drawFli(p, Memory{bytes, layout.base});
        p.note = fliNote(layout.base, bytes.size());
    }
    return p;
}

std::optional<Picture> decodePicture(std::uint16_t load, std::span<const std::uint8_t> data) {
    const auto layout = findPicture(load, data);
    if (!layout)
        return std::nullopt;
    return decodePicture(*layout, data);
}

std::vector<std::uint8_t> Picture::rgb() const {
    std::vector<std::uint8_t> out;
    out.reserve(pixels.size() * 3);
    for (const std::uint8_t c : pixels) {
        const Rgb& colour = kPepto[c & 15];
        out.insert(out.end(), {colour.r, colour.g, colour.b});
    }
    return out;
}

} // namespace vornix
