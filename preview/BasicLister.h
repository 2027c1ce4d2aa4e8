#pragma once
// Commodore BASIC V2 programs as text: line numbers, keywords, strings with their control
// codes in braces. Follows the line links the way the machine's LIST does (a link whose high
// byte is 0 ends the program), but stops at the first link that does not lead forward inside
// the program, so no file can make it loop.
#include "preview/PreviewNote.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vornix {

inline constexpr std::uint16_t kBasicStart = 0x0801;

struct BasicListing {
    std::vector<std::string> lines; // UTF-8, "10 PRINT ..."
    // Empty when the program ended at its end marker after at least one line; otherwise why
    // the listing stopped early or holds nothing.
    PreviewNote note;
    std::size_t bytesAfterEnd = 0; // after the end marker (machine code behind a SYS line, ...)
};

// The program's first line is whole and links forward inside the data.
bool firstBasicLineValid(std::uint16_t load, std::span<const std::uint8_t> data);

// A BASIC program as the editor shows it: loads at $0801 and its first line is valid.
bool looksLikeBasic(std::uint16_t load, std::span<const std::uint8_t> data);

// Lists the program held in data, which the machine would hold from address load on.
BasicListing listBasic(std::uint16_t load, std::span<const std::uint8_t> data);

// One line's text after its number, keywords spelled out.
std::string detokenize(std::span<const std::uint8_t> text);

// The listing's lines, then the note (if any) in parentheses; each line ends with '\n'.
std::string basicText(const BasicListing& listing);

} // namespace vornix
