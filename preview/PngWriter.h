#pragma once
// A small PNG encoder for previews: 8-bit RGB, the image data in stored (uncompressed)
// deflate blocks, so no compression library is needed.
#include <cstdint>
#include <span>
#include <vector>

namespace vornix {

std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
std::uint32_t adler32(std::span<const std::uint8_t> bytes, std::uint32_t adler = 1);

// rgb holds width * height * 3 bytes, row by row. Empty result for sizes that do not match.
std::vector<std::uint8_t> encodePng(int width, int height, std::span<const std::uint8_t> rgb);

} // namespace vornix
