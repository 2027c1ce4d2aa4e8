#include "convert/SafeFile.h"

#include <system_error>

namespace fs = std::filesystem;

namespace vornix {

bool InputFile::open(const fs::path& path) {
    platform::close(handle_);
    handle_ = platform::kNoHandle;
    path_ = platform::nameFromPath(path);
    position_ = 0;
    failure_ = platform::openInput(path_, handle_, size_);
    return !failure_;
}

bool InputFile::skip(std::uint64_t count) {
    if (position_ + count > size_) {
        failure_ = {FileProblem::Changed, 0, path_};
        return false;
    }
    position_ += count;
    return true;
}

bool replaceFile(const fs::path& from, const fs::path& to, std::string* error) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) {
        *error = "cannot replace " + platform::nameFromPath(to) + " with " + platform::nameFromPath(from) +
                 ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace vornix
