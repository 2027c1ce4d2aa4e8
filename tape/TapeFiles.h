#pragma once
// Putting programs together from the copies of their blocks: which copy to trust, repairs from
// the second copy, and the state a file ends in. Shared by the loaders.
#include "tape/TapeReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vornix::tape {

// One copy of a block as read: its bytes after the countdown, each with whether it read well.
struct BlockCopy {
    std::vector<std::uint8_t> value, ok;
    bool second = false;     // the repeated copy
    bool endMarker = false;  // it ended as a block should, not by a break or the tape's end
    std::uint64_t start = 0; // cycle where its pilot began
};

struct FileHeader {
    bool known = false; // type, addresses and name could be read
    bool good = false;  // its checksum agrees, in one copy or merged
    std::uint8_t type = 0;
    std::uint16_t load = 0, end = 0;
    std::string name;
    std::size_t dataLength = 0; // end - load; 0 when unknown
};

// A ROM loader header (192 bytes and the checksum) from its copies.
FileHeader readHeader(const std::vector<BlockCopy>& copies);

// The data of a file held by its copies: length bytes followed by their XOR checksum.
struct DataOutcome {
    FileState state = FileState::Good;
    std::vector<std::uint8_t> data;
    FileDetail detail;
};
DataOutcome evaluateData(const std::vector<BlockCopy>& copies, std::size_t length);

// A ROM loader program from its header and data copies, or nothing for what is no program
// (an end-of-tape mark, a data file: a sentence goes to notes).
std::optional<FoundFile> assembleRomFile(const std::vector<BlockCopy>& header,
                                         const std::vector<BlockCopy>& data, std::vector<std::string>& notes);

// The XOR of the bytes: the checksum most loaders keep.
std::uint8_t xorOf(const std::uint8_t* bytes, std::size_t count);

// Sixteen name bytes without the trailing spaces.
std::string tapeName(const std::uint8_t* bytes, std::size_t size);

// The data length a header's addresses give: end - load, end $0000 meaning the top of memory.
std::size_t lengthBetween(std::uint16_t load, std::uint16_t end);

} // namespace vornix::tape
