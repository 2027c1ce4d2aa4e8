#include "preview/PngWriter.h"

#include <array>
#include <string_view>

namespace vornix {

namespace {

using Bytes = std::vector<std::uint8_t>;

std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void putBig32(Bytes& out, std::uint32_t v) {
    out.insert(out.end(),
               {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)});
}

void chunk(Bytes& out, std::string_view type, std::span<const std::uint8_t> body) {
    putBig32(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), body.begin(), body.end());
    putBig32(out, crc32(std::span(out).subspan(start)));
}

} // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
    static const std::array<std::uint32_t, 256> table = makeCrcTable();
    crc = ~crc;
    for (const std::uint8_t b : bytes)
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t adler32(std::span<const std::uint8_t> bytes, std::uint32_t adler) {
    std::uint32_t a = adler & 0xFFFF;
    std::uint32_t b = adler >> 16;
    for (const std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> encodePng(int width, int height, std::span<const std::uint8_t> rgb) {
    if (width <= 0 || height <= 0 || width > 0x1000000 / 3 ||
        rgb.size() != static_cast<std::size_t>(width) * height * 3)
        return {};
    // Each row: filter type 0 (none), then its pixels.
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    Bytes raw;
    raw.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const auto row = rgb.subspan(y * rowBytes, rowBytes);
        raw.insert(raw.end(), row.begin(), row.end());
    }
    // zlib stream: header (deflate, 32 KB window, no preset dictionary, check bits), stored
    // blocks of at most 65,535 bytes, Adler-32 of the raw data.
    Bytes z = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t len = std::min<std::size_t>(raw.size() - pos, 0xFFFF);
        const bool last = pos + len == raw.size();
        z.push_back(last ? 1 : 0);
        z.insert(z.end(),
                 {std::uint8_t(len), std::uint8_t(len >> 8), std::uint8_t(~len), std::uint8_t(~len >> 8)});
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + len);
        pos += len;
    } while (pos < raw.size());
    putBig32(z, adler32(raw));

    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    putBig32(header, static_cast<std::uint32_t>(width));
    putBig32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, filters, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});
    return png;
}

} // namespace vornix
