#include "preview/HexView.h"

#include "preview/Petscii.h"

namespace vornix {

std::string hexView(std::uint16_t load, std::span<const std::uint8_t> data) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const int addressDigits = load + data.size() > 0x10000 ? 5 : 4;
    std::string out;
    out.reserve(data.size() / 16 * 100 + 100);
    for (std::size_t line = 0; line < data.size(); line += 16) {
        const std::size_t address = load + line;
        for (int d = addressDigits - 1; d >= 0; --d)
            out += kDigits[(address >> (4 * d)) & 15];
        out += ' ';
        std::string column;
        for (std::size_t i = 0; i < 16; ++i) {
            out += i == 8 ? "  " : " ";
            if (line + i < data.size()) {
                const std::uint8_t b = data[line + i];
                out += kDigits[b >> 4];
                out += kDigits[b & 15];
                column += petscii::isControl(b) ? std::string_view(".") : petscii::glyph(b);
            } else {
                out += "  ";
            }
        }
        out += "  ";
        out += column;
        out += '\n';
    }
    return out;
}

} // namespace vornix
