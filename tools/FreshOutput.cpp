#include "tools/FreshOutput.h"

#include "core/PlatformFile.h"

#include <filesystem>
#include <system_error>

namespace vornix {

FreshOutput::FreshOutput(std::string path) : path_(std::move(path)), before_(fileStamp(path_)) {}

bool FreshOutput::written(std::int64_t* size) const {
    const FileStamp now = fileStamp(path_);
    std::error_code ec;
    if (!now.exists || now == before_ || !std::filesystem::is_regular_file(platform::pathFromName(path_), ec))
        return false;
    if (size)
        *size = now.size;
    return true;
}

} // namespace vornix
