#include "cli/Json.h"

#include <charconv>
#include <cstdio>

namespace vornix::cli {

void Json::beforeValue() {
    if (open_.empty())
        return;
    Level& level = open_.back();
    // An object's separator comes with its key.
    if (level.array) {
        if (level.linePerItem)
            out_ += level.items ? ",\n  " : "\n  ";
        else if (level.items)
            out_ += ", ";
        ++level.items;
    }
}

Json& Json::object() {
    beforeValue();
    out_ += '{';
    open_.push_back({false, false, 0});
    return *this;
}

Json& Json::array(bool linePerItem) {
    beforeValue();
    out_ += '[';
    open_.push_back({true, linePerItem, 0});
    return *this;
}

Json& Json::end() {
    const Level level = open_.back();
    open_.pop_back();
    if (!level.array)
        out_ += '}';
    else
        out_ += level.linePerItem && level.items ? "\n]" : "]";
    return *this;
}

Json& Json::key(const char* name) {
    Level& level = open_.back();
    if (level.items++)
        out_ += ", ";
    out_ += '"';
    out_ += name;
    out_ += "\": ";
    return *this;
}

Json& Json::text(const std::string& bytes) {
    beforeValue();
    appendJsonText(out_, bytes);
    return *this;
}

Json& Json::number(long long value) {
    beforeValue();
    char digits[24];
    out_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    return *this;
}

Json& Json::number(unsigned long long value) {
    beforeValue();
    char digits[24];
    out_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    return *this;
}

Json& Json::fixed(double value, int decimals) {
    beforeValue();
    char digits[48];
    std::snprintf(digits, sizeof digits, "%.*f", decimals, value);
    out_ += digits;
    return *this;
}

Json& Json::boolean(bool value) {
    beforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

std::string Json::finish() {
    while (!open_.empty())
        end();
    out_ += '\n';
    return std::move(out_);
}

void appendJsonText(std::string& out, const std::string& bytes) {
    static const char kHex[] = "0123456789abcdef";
    const auto plain = [](unsigned char c) { return c >= 0x20 && c < 0x80 && c != '"' && c != '\\'; };
    out += '"';
    for (std::size_t i = 0; i < bytes.size();) {
        // Runs of plain ASCII go in whole.
        std::size_t end = i;
        while (end < bytes.size() && plain(static_cast<unsigned char>(bytes[end])))
            ++end;
        out.append(bytes, i, end - i);
        if (end == bytes.size())
            break;
        const auto c = static_cast<unsigned char>(bytes[end]);
        if (c == '"' || c == '\\') {
            const char escape[2] = {'\\', static_cast<char>(c)};
            out.append(escape, sizeof escape);
        } else if (c < 0x20) {
            const char escape[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
            out.append(escape, sizeof escape);
        } else {
            const char twoBytes[2] = {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
            out.append(twoBytes, sizeof twoBytes);
        }
        i = end + 1;
    }
    out += '"';
}

std::string jsonText(const std::string& bytes) {
    std::string out;
    appendJsonText(out, bytes);
    return out;
}

} // namespace vornix::cli
