#pragma once
// A hex dump of a program: address, 16 bytes, the same bytes as PETSCII.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vornix {

// Lines "0801  0B 08 0A 00 9E 32 30 36  31 00 00 00 A9 00 8D 20  ...", the first address
// being the load address; data reaching past $FFFF gets five-digit addresses throughout.
// Control codes show as '.' in the PETSCII column. Each line ends with '\n'.
std::string hexView(std::uint16_t load, std::span<const std::uint8_t> data);

// The number of lines of hexView, and one of them without its '\n' (a viewer that shows
// only the lines in view builds just those).
std::size_t hexLineCount(std::size_t dataSize);
std::string hexLine(std::uint16_t load, std::span<const std::uint8_t> data, std::size_t line);

} // namespace vornix
