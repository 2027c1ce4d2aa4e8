#include "convert/SafeFile.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace vornix {

std::string describeFailure(const std::string& what, const fs::path& path, int err) {
    std::string text = what + " " + path.string();
    if (err != 0)
        text += ": " + std::error_code(err, std::generic_category()).message();
    return text;
}

AtomicFileWriter::AtomicFileWriter(fs::path target) : target_(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (!committed_)
        discard();
}

void AtomicFileWriter::discard() {
    if (out_.is_open())
        out_.close();
    if (!temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
        temp_.clear();
    }
}

bool AtomicFileWriter::open(std::string* error) {
    std::error_code ec;
    if (fs::is_directory(target_, ec)) {
        *error = describeFailure("cannot write", target_, EISDIR);
        return false;
    }
    // Beside the target, so the final rename stays on one file system.
    const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
    std::random_device seed;
    std::mt19937 rng(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path candidate =
            folder / ("." + target_.filename().string() + ".tmp" + std::to_string(rng() % 1000000));
        if (fs::exists(candidate, ec))
            continue;
        errno = 0;
        out_.open(candidate, std::ios::binary | std::ios::trunc);
        if (!out_.is_open()) {
            *error = describeFailure("cannot create", target_, errno);
            return false;
        }
        temp_ = candidate;
        // A replaced file keeps its permissions.
        const fs::file_status old = fs::status(target_, ec);
        if (!ec && fs::is_regular_file(old))
            fs::permissions(temp_, old.permissions(), ec);
        return true;
    }
    *error = describeFailure("cannot create a temporary file for", target_, EEXIST);
    return false;
}

bool AtomicFileWriter::write(std::span<const std::uint8_t> bytes, std::string* error) {
    errno = 0;
    out_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out_) {
        *error = describeFailure("cannot write", target_, errno);
        return false;
    }
    written_ += bytes.size();
    return true;
}

bool AtomicFileWriter::commit(std::string* error) {
    errno = 0;
    out_.flush();
    out_.close();
    if (out_.fail()) {
        *error = describeFailure("cannot write", target_, errno);
        discard();
        return false;
    }
    if (!replaceFile(temp_, target_, error)) {
        discard();
        return false;
    }
    temp_.clear();
    committed_ = true;
    return true;
}

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
