#include "convert/SafeFile.h"

#include <system_error>

namespace fs = std::filesystem;

namespace vornix {

bool InputFile::open(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    const std::uintmax_t length = fs::file_size(path, ec);
    if (ec)
        return false;
    in_.open(path, std::ios::binary);
    if (!in_.is_open())
        return false;
    size_ = length;
    return true;
}

bool InputFile::skip(std::uint64_t count) {
    return copy(count, [](std::span<const std::uint8_t>) { return true; });
}

bool replaceFile(const fs::path& from, const fs::path& to, std::string* error) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) {
        *error = "cannot replace " + to.string() + " with " + from.string() + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace vornix
