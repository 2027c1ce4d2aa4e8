#pragma once
// T64 tape image layout: the in-memory `entry` record, the reader and the writer.
#include <cstdint>
#include <string>
#include <vector>

namespace vornix {

using Bytes = std::vector<std::uint8_t>;

// One program of a tape image in memory. Names and labels are single-byte text,
// held byte for byte in std::string (no character set conversion anywhere).
struct Entry {
    std::int32_t kind = 0;             // slot byte 0 when read; 130 when added from a PRG
    std::uint8_t fileType = 0;         // slot byte 1 when read (not used by any operation); 0 when added
    std::int32_t size = 0;             // number of data bytes (== data.size())
    std::int32_t loadAddressValue = 0; // scratch used while a PRG is added
    std::int32_t endAddressValue = 0;  // scratch used while a PRG is added
    std::string name;                  // at most 16 bytes, as held
    std::int32_t dataOffset = 0;       // position of the data in the file last read or written
    std::uint8_t load[2] = {0, 0};     // low, high
    std::uint8_t end[2] = {0, 0};      // low, high
    Bytes data;
};

struct T64Contents {
    int capacity = 0;  // header byte 34, as read (0..255), before the document's capacity rule
    int count = 0;     // number of entries read
    std::string label; // 24 bytes, mapped
    std::vector<Entry> entries;
};

struct ReadResult {
    bool accepted = false;
    T64Contents contents;
    // Things the reader mended in a foreign file; each a readable sentence (English).
    std::vector<std::string> repairs;
    std::string error; // why a file was rejected (for the CLI; the editor shows its own message)
};

// File length in bytes as a 32-bit signed number, or -1 when the file cannot be opened.
std::int32_t fileLength(const std::string& path);

// Reads a T64 image. Rejected: signature not C,6,4, unreadable file, or a file that ends
// inside its header or its directory. ReadResult::error then reads "PATH: reason".
// The file is read once into memory; every offset is checked against its real length.
ReadResult readImage(const std::string& path);
// The same on bytes in memory (the fuzz target and the tests use it); error holds the
// reason alone.
ReadResult parseImage(const std::uint8_t* data, std::size_t length);

// Builds the file bytes of an image; sets every entry's dataOffset to the value written.
// The capacity written is never below the number of entries. Returns no bytes when the
// image cannot be written (more than 255 entries, or data past 32-bit offsets).
Bytes serializeImage(int capacity, const std::string& label, std::vector<Entry>& entries, bool fileType01);

// Writes an image so that a failure leaves any old file intact (temporary file + rename).
// Returns false with "PATH: reason" in *error on failure; the entries' data offsets are
// then left as they were.
bool writeImage(const std::string& path, int capacity, const std::string& label, std::vector<Entry>& entries,
                bool fileType01, std::string* error);

// Maps name and label bytes on reading: 0xC1..0xFF lose 0x80.
std::string mapNameBytes(const std::uint8_t* bytes, std::size_t count);

// Fixed layout sizes.
inline constexpr std::size_t kHeaderSize = 64;
inline constexpr std::size_t kSlotSize = 32;
inline constexpr std::size_t kNameSize = 16;
inline constexpr std::size_t kLabelSize = 24;
inline constexpr int kMaxSlots = 255;

} // namespace vornix
