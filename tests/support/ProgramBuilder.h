#pragma once
// Programs as tests make them: PRG bytes, tape image entries and T64 image bytes. All data
// comes from one pattern, so a program written one way can be compared with one read back
// another way.
#include "core/T64Image.h"
#include "tests/support/TestFiles.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace testfiles {

// Byte i is seed + 7 i: every byte value turns up, and the seed tells apart programs of
// the same size.
inline Bytes programData(std::size_t size, int seed = 1) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(seed + i * 7);
    return data;
}

// Picture-sized data whose bytes differ from one 256-byte page to the next, so that a shift by
// a page shows.
inline Bytes pattern(std::size_t size, std::uint8_t seed) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i)
        b[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 8));
    return b;
}

// The two bytes of the load address, then the data.
inline Bytes prgBytes(int load, const Bytes& data) {
    Bytes b(data.size() + 2);
    b[0] = static_cast<std::uint8_t>(load);
    b[1] = static_cast<std::uint8_t>(load >> 8);
    std::copy(data.begin(), data.end(), b.begin() + 2);
    return b;
}

inline Bytes prgBytes(int load, std::size_t size, int seed = 1) {
    return prgBytes(load, programData(size, seed));
}

// An entry as the editor holds a program added from a PRG file: its end address is the
// load address plus the size.
inline vornix::Entry entry(const std::string& name, std::size_t size, int load = 0x0801, int seed = 1) {
    vornix::Entry e;
    e.name = name;
    e.load[0] = static_cast<std::uint8_t>(load);
    e.load[1] = static_cast<std::uint8_t>(load >> 8);
    const int end = (load + static_cast<int>(size)) & 0xFFFF;
    e.end[0] = static_cast<std::uint8_t>(end);
    e.end[1] = static_cast<std::uint8_t>(end >> 8);
    e.size = static_cast<std::int32_t>(size);
    e.data = programData(size, seed);
    return e;
}

inline void putLittleEndian(Bytes& b, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A directory slot as it stands in a T64 file.
struct T64Slot {
    std::uint8_t kind = 1;
    std::uint32_t offset = 0;
    std::string name = "PROGRAM";
};

// A T64 file the editor would never write: a header claiming `capacity` and `used`, the
// slots as given, then bytes up to `length` (byte i holds i & 0xFF, so the sizes and
// positions the reader works out can be checked through the data it returns).
inline Bytes rawT64(int capacity, int used, const std::vector<T64Slot>& slotList, std::size_t length) {
    Bytes header(64 + 32 * slotList.size(), 0);
    std::memcpy(header.data(), "C64S tape image file", 20);
    header[34] = static_cast<std::uint8_t>(capacity);
    header[35] = static_cast<std::uint8_t>(capacity >> 8);
    header[36] = static_cast<std::uint8_t>(used);
    std::memset(header.data() + 40, ' ', 24);
    for (std::size_t i = 0; i < slotList.size(); ++i) {
        const std::size_t s = 64 + 32 * i;
        header[s] = slotList[i].kind;
        putLittleEndian(header, s + 8, slotList[i].offset, 4);
        std::memset(header.data() + s + 16, ' ', 16);
        std::memcpy(header.data() + s + 16, slotList[i].name.data(),
                    std::min<std::size_t>(16, slotList[i].name.size()));
    }
    Bytes b(length);
    for (std::size_t i = 0; i < length; ++i)
        b[i] = static_cast<std::uint8_t>(i);
    std::copy_n(header.begin(), std::min(length, header.size()), b.begin());
    return b;
}

// A well-formed image as another program writes it: `capacity` slotList (at least one per
// entry; the unused ones all zeros), each entry's slot with its addresses, then the data of
// the entries in order.
inline Bytes t64Bytes(const std::vector<vornix::Entry>& entries, const std::string& label = "TAPE",
                      int capacity = 0) {
    const std::size_t slotList = std::max(entries.size(), static_cast<std::size_t>(capacity));
    Bytes b(64 + 32 * slotList, 0);
    std::memcpy(b.data(), "C64S tape image file", 20);
    b[32] = 0x00;
    b[33] = 0x01;
    putLittleEndian(b, 34, static_cast<std::uint32_t>(slotList), 2);
    putLittleEndian(b, 36, static_cast<std::uint32_t>(entries.size()), 2);
    std::memset(b.data() + 40, ' ', 24);
    std::memcpy(b.data() + 40, label.data(), std::min<std::size_t>(24, label.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const vornix::Entry& e = entries[i];
        const std::size_t s = 64 + 32 * i;
        b[s] = 1;
        b[s + 1] = 0x82;
        std::copy_n(e.load, 2, b.begin() + s + 2);
        std::copy_n(e.end, 2, b.begin() + s + 4);
        putLittleEndian(b, s + 8, static_cast<std::uint32_t>(b.size()), 4);
        std::memset(b.data() + s + 16, ' ', 16);
        std::memcpy(b.data() + s + 16, e.name.data(), std::min<std::size_t>(16, e.name.size()));
        b.insert(b.end(), e.data.begin(), e.data.end());
    }
    return b;
}

} // namespace testfiles
