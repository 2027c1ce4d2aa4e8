#pragma once
// What a file on disk was at one moment: enough to tell, later, that someone else has
// rewritten or replaced it meanwhile.
#include <cstdint>
#include <string>

namespace vornix {

struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0; // identity: a file renamed over this path gets another one
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0; // modification time in nanoseconds since the epoch

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path now; exists is false when there is none.
FileStamp fileStamp(const std::string& path);

// True when the file once stamped as before is now another file, or the same file with
// other contents. A file that was there and is gone now has not been changed: overwriting
// the path then loses nobody's work.
bool changedOnDisk(const FileStamp& before, const FileStamp& now);

} // namespace vornix
