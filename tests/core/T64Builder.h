#pragma once
// Builds raw T64 bytes slot by slot, for files the editor itself would never write.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace t64test {

using Bytes = std::vector<std::uint8_t>;

struct Slot {
    std::uint8_t kind = 1;
    std::uint32_t offset = 0;
    std::string name = "PROGRAM";
};

inline void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Header claiming `capacity` and `used`, the given slots, then filled up to `length` bytes
// (bytes i hold i & 0xFF so sizes and positions can be checked through the data).
inline Bytes buildT64(int capacity, int used, const std::vector<Slot>& slots, std::size_t length) {
    Bytes b(length);
    for (std::size_t i = 0; i < length; ++i)
        b[i] = static_cast<std::uint8_t>(i);
    const std::size_t head = std::min<std::size_t>(length, 64 + 32 * slots.size());
    std::memset(b.data(), 0, head);
    Bytes header(64 + 32 * slots.size(), 0);
    std::memcpy(header.data(), "C64S tape image file", 20);
    header[34] = static_cast<std::uint8_t>(capacity);
    header[35] = static_cast<std::uint8_t>(capacity >> 8);
    header[36] = static_cast<std::uint8_t>(used);
    std::memset(header.data() + 40, ' ', 24);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const std::size_t s = 64 + 32 * i;
        header[s] = slots[i].kind;
        putU32(header, s + 8, slots[i].offset);
        std::memset(header.data() + s + 16, ' ', 16);
        std::memcpy(header.data() + s + 16, slots[i].name.data(),
                    std::min<std::size_t>(16, slots[i].name.size()));
    }
    std::memcpy(b.data(), header.data(), head);
    return b;
}

} // namespace t64test
