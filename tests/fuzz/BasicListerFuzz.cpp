// Whatever the program, the BASIC lister ends, writes well-formed UTF-8, and gives one line
// of text per listed line. The first two bytes are the load address, as in a PRG file.
#include "preview/BasicLister.h"
#include "tests/fuzz/FuzzTargets.h"
#include "tests/fuzz/Utf8.h"

#include <algorithm>

namespace vornix::fuzz {

int basicLister(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const auto load = static_cast<std::uint16_t>(data[0] | data[1] << 8);
    const std::span<const std::uint8_t> program(data + 2, size - 2);
    firstBasicLineValid(load, program);
    const BasicListing listing = listBasic(load, program);
    for (const std::string& line : listing.lines)
        if (!validUtf8(line) || line.find('\n') != std::string::npos)
            fail("a listed line is not one line of UTF-8");
    if (!validUtf8(noteText(listing.note)))
        fail("the listing's note is not UTF-8");
    const std::string text = basicText(listing);
    const auto newlines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    const bool lastLine = !listing.note.empty() || listing.bytesAfterEnd > 0;
    if (newlines != listing.lines.size() + (lastLine ? 1 : 0))
        fail("the listing's text has more or fewer lines than the listing");
    if (!validUtf8(detokenize(program)))
        fail("a detokenized line is not UTF-8");
    return 0;
}

} // namespace vornix::fuzz
