#include "preview/BasicLister.h"

#include "preview/Petscii.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace vornix {

namespace {

// Tokens $80-$CB in order.
constexpr std::array<const char*, 76> kKeywords = {
    "END",  "FOR",     "NEXT",   "DATA",   "INPUT#", "INPUT", "DIM",   "READ",   "LET",  "GOTO", "RUN",
    "IF",   "RESTORE", "GOSUB",  "RETURN", "REM",    "STOP",  "ON",    "WAIT",   "LOAD", "SAVE", "VERIFY",
    "DEF",  "POKE",    "PRINT#", "PRINT",  "CONT",   "LIST",  "CLR",   "CMD",    "SYS",  "OPEN", "CLOSE",
    "GET",  "NEW",     "TAB(",   "TO",     "FN",     "SPC(",  "THEN",  "NOT",    "STEP", "+",    "-",
    "*",    "/",       "^",      "AND",    "OR",     ">",     "=",     "<",      "SGN",  "INT",  "ABS",
    "USR",  "FRE",     "POS",    "SQR",    "RND",    "LOG",   "EXP",   "COS",    "SIN",  "TAN",  "ATN",
    "PEEK", "LEN",     "STR$",   "VAL",    "ASC",    "CHR$",  "LEFT$", "RIGHT$", "MID$", "GO",
};
constexpr std::uint8_t kRem = 0x8F;

unsigned word(std::span<const std::uint8_t> data, std::size_t at) { return data[at] | (data[at + 1] << 8); }

// Where the line at offset pos ends (its 0 byte), or data.size() when it has none.
std::size_t lineEnd(std::span<const std::uint8_t> data, std::size_t pos) {
    const auto it = std::find(data.begin() + static_cast<std::ptrdiff_t>(pos + 4), data.end(), 0);
    return static_cast<std::size_t>(it - data.begin());
}

} // namespace

std::string detokenize(std::span<const std::uint8_t> text) {
    std::string out;
    bool quoted = false;
    bool remark = false; // after REM the rest of the line is text as typed
    for (const std::uint8_t c : text) {
        if (c == '"') {
            quoted = !quoted;
            out += '"';
        } else if (quoted || remark) {
            if (petscii::isControl(c))
                out += petscii::braced(c);
            else
                out += petscii::glyph(c);
        } else if (c >= 0x80 && c < 0x80 + kKeywords.size()) {
            out += kKeywords[c - 0x80];
            remark = c == kRem;
        } else if (c == 0xFF) {
            out += petscii::glyph(c); // pi
        } else if (c >= 0x80 || petscii::isControl(c)) {
            out += petscii::braced(c); // no keyword has this code
        } else {
            out += petscii::glyph(c);
        }
    }
    return out;
}

bool firstBasicLineValid(std::uint16_t load, std::span<const std::uint8_t> data) {
    if (data.size() < 5)
        return false;
    const unsigned link = word(data, 0);
    if (link <= load)
        return false;
    const std::size_t next = link - load;
    const std::size_t end = lineEnd(data, 0);
    return end < data.size() && next > end && next <= data.size();
}

bool looksLikeBasic(std::uint16_t load, std::span<const std::uint8_t> data) {
    return load == kBasicStart && firstBasicLineValid(load, data);
}

BasicListing listBasic(std::uint16_t load, std::span<const std::uint8_t> data) {
    BasicListing listing;
    std::size_t pos = 0;
    // Every step moves pos strictly forward, so the loop ends within data.size() steps.
    for (;;) {
        const unsigned where = (load + pos) & 0xFFFFu;
        if (pos + 2 > data.size()) {
            listing.note = {PreviewNoteKind::NoEndMarker, where};
            break;
        }
        const unsigned link = word(data, pos);
        // The machine's LIST looks at the link's high byte only: no line lies in page 0.
        if ((link >> 8) == 0) {
            listing.bytesAfterEnd = data.size() - pos - 2;
            if (listing.lines.empty())
                listing.note = {PreviewNoteKind::NoLine, link};
            break;
        }
        if (pos + 4 > data.size()) {
            listing.note = {PreviewNoteKind::LineCutOff, where};
            break;
        }
        const unsigned number = word(data, pos + 2);
        const std::size_t end = lineEnd(data, pos);
        if (end == data.size()) {
            listing.note = {PreviewNoteKind::LinePastEnd, 0, number};
            break;
        }
        listing.lines.push_back(std::to_string(number) + " " +
                                detokenize(data.subspan(pos + 4, end - pos - 4)));
        // Links are 16-bit addresses: one below load + pos + 1 points back or wraps around.
        if (link <= load + pos) {
            listing.note = {PreviewNoteKind::LinkBack, link, number};
            break;
        }
        const std::size_t next = link - load;
        if (next > data.size()) {
            listing.note = {PreviewNoteKind::LinkPastEnd, link, number};
            break;
        }
        pos = next;
    }
    return listing;
}

std::string basicText(const BasicListing& listing) {
    std::string text;
    for (const std::string& line : listing.lines)
        text += line + '\n';
    if (!listing.note.empty())
        text += "(" + noteText(listing.note) + ")\n";
    else if (listing.bytesAfterEnd > 0)
        text += "(" + std::to_string(listing.bytesAfterEnd) + " more bytes after the end of the program)\n";
    return text;
}

} // namespace vornix
