#pragma once
// The TAP file layout as this program reads and writes it, and the version test.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vornix::tap {

inline constexpr std::size_t kHeaderSize = 20;
inline constexpr std::size_t kVersionOffset = 12;
inline constexpr std::size_t kLengthOffset = 16;
inline constexpr char kSignature[] = "C64-TAPE-RAW"; // 12 characters, written without terminator
// The data length field is 32 bits wide; nothing longer can be described by a header.
inline constexpr std::uint64_t kMaxDataLength = 0xFFFFFFFFu;

using Header = std::array<std::uint8_t, kHeaderSize>;

// The header the linker writes: signature, version 1, three zero bytes, data length.
Header makeHeader(std::uint32_t dataLength);

// The byte at offset 12 of a regular file, or nothing when it cannot be opened or is too short.
std::optional<std::uint8_t> readVersion(const std::string& path);

// The one version test of every tape window and command: true exactly when byte 12 of the file
// can be read and is 1. Nothing else of the header counts, so a file passes whatever its
// signature and length field say.
bool isVersion1(const std::string& path);

} // namespace vornix::tap
