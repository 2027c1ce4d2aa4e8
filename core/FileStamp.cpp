#include "core/FileStamp.h"

#include <sys/stat.h>

namespace vornix {

FileStamp fileStamp(const std::string& path) {
    FileStamp stamp;
#ifdef _WIN32
    struct _stat64 st;
    if (_stat64(path.c_str(), &st) != 0)
        return stamp;
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtime) * 1000000000;
#else
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return stamp;
#if defined(__APPLE__)
    stamp.modifiedNs =
        static_cast<std::int64_t>(st.st_mtimespec.tv_sec) * 1000000000 + st.st_mtimespec.tv_nsec;
#else
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#endif
#endif
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    return stamp;
}

bool changedOnDisk(const FileStamp& before, const FileStamp& now) {
    return before.exists && now.exists && !(before == now);
}

} // namespace vornix
