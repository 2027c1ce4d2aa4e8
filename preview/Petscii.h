#pragma once
// PETSCII as the machine shows it in its upper-case/graphics character set, for listings and
// dumps: readable Unicode for printable codes, the usual brace names for control codes.
#include <cstdint>
#include <string>
#include <string_view>

namespace vornix::petscii {

// Codes that move the cursor, change colours and the like: $00-$1F and $80-$9F.
constexpr bool isControl(std::uint8_t c) { return c < 0x20 || (c >= 0x80 && c < 0xA0); }

// UTF-8 text of a printable code; empty for control codes.
std::string_view glyph(std::uint8_t c);

// A control code as listing tools write it inside strings: "{clr}", "{red}", or "{$xx}" for
// codes without a name.
std::string braced(std::uint8_t c);

} // namespace vornix::petscii
