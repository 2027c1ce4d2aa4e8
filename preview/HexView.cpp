#include "preview/HexView.h"

#include "preview/Petscii.h"

namespace vornix {

namespace {

void appendLine(std::string& out, std::uint16_t load, std::span<const std::uint8_t> data, std::size_t line) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const int addressDigits = load + data.size() > 0x10000 ? 5 : 4;
    const std::size_t first = line * 16;
    const std::size_t address = load + first;
    for (int d = addressDigits - 1; d >= 0; --d)
        out += kDigits[(address >> (4 * d)) & 15];
    out += ' ';
    std::string column;
    for (std::size_t i = 0; i < 16; ++i) {
        out += i == 8 ? "  " : " ";
        if (first + i < data.size()) {
            const std::uint8_t b = data[first + i];
            out += kDigits[b >> 4];
            out += kDigits[b & 15];
            column += petscii::isControl(b) ? std::string_view(".") : petscii::glyph(b);
        } else {
            out += "  ";
        }
    }
    out += "  ";
    out += column;
}

} // namespace

std::size_t hexLineCount(std::size_t dataSize) { return (dataSize + 15) / 16; }

std::string hexLine(std::uint16_t load, std::span<const std::uint8_t> data, std::size_t line) {
    std::string out;
    if (line < hexLineCount(data.size()))
        appendLine(out, load, data, line);
    return out;
}

std::string hexView(std::uint16_t load, std::span<const std::uint8_t> data) {
    std::string out;
    out.reserve(data.size() / 16 * 100 + 100);
    for (std::size_t line = 0; line < hexLineCount(data.size()); ++line) {
        appendLine(out, load, data, line);
        out += '\n';
    }
    return out;
}

} // namespace vornix
