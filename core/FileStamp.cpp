#include "core/FileStamp.h"

#include "core/PlatformFile.h"

namespace vornix {

FileStamp fileStamp(const std::string& path) {
    FileStamp stamp;
    stamp.exists = platform::readStamp(path, stamp);
    return stamp;
}

bool changedOnDisk(const FileStamp& before, const FileStamp& now) {
    return before.exists && now.exists && !(before == now);
}

} // namespace vornix
