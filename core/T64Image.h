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
    int capacity = 0;   // header byte 34, as read (0..255), before the document's capacity rule
    int count = 0;      // number of entries read
    std::string label;  // 24 bytes, mapped
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
// inside its header or its directory.
ReadResult readImage(const std::string& path);
// The same on bytes in memory (the fuzz target and the tests use it).
ReadResult parseImage(const std::uint8_t* data, std::size_t length);

// Builds the file bytes of an image; sets every entry's dataOffset to the value written.
Bytes serializeImage(int capacity, const std::string& label, std::vector<Entry>& entries, bool fileType01);

// Writes an image so that a failure leaves any old file intact (temporary file + rename).
// Returns false with a readable reason in *error on failure.
bool writeImage(const std::string& path, int capacity, const std::string& label, std::vector<Entry>& entries,
                bool fileType01, std::string* error);

// Maps name and label bytes on reading: 0xC1..0xFF lose 0x80.
std::string mapNameBytes(const std::uint8_t* bytes, std::size_t count);

} // namespace vornix
