#pragma once
// The command line's words for what the core and the converters return: each result type is
// put into English here and nowhere else.
#include <string>

namespace vornix {
struct ConversionResult;
struct DiskOpenResult;
struct DiskNote;
struct DiskEntry;
struct DiskWriteResult;
struct FileReading;
} // namespace vornix

namespace vornix::cli {

// Why a picture was not converted: "cannot read PATH: reason", "PATH is too large ...".
std::string describe(const ConversionResult& result);
// The warning for a picture converted from a file that does not load where its kind does
// ("IN loads at $0801, not at $6000 like a Koala picture; ..."), or empty.
std::string describeUnusualLoad(const ConversionResult& result, const std::string& input);

// Why a disk image was not read: "PATH: not a D64 disk image: ...".
std::string describe(const DiskOpenResult& result);
// What is wrong with a disk that was read: "the image is truncated: ...".
std::string describe(const DiskNote& note);
// Why a file of a disk was not read: "\"NAME\": its chain of blocks breaks ...".
std::string describe(const FileReading& reading);
// The blocks of a file the disk's error table marks bad, or empty when none is marked.
std::string describeBadBlocks(const FileReading& reading);
// Why a file never closed is not taken by default: "the file was never closed (*PRG): ...".
std::string describeNeverClosed(const DiskEntry& entry);
// Why a disk was not written: "PATH: not written: \"NAME\" does not fit: ...".
std::string describe(const DiskWriteResult& result);

} // namespace vornix::cli
