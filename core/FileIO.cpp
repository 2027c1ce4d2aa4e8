#include "core/FileIO.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef __linux__
#include <fcntl.h>
#include <stdio.h>
#endif

namespace fs = std::filesystem;

namespace vornix {

std::string systemMessage(int err) {
    return std::strerror(err);
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::string* error,
                   std::uint64_t maxBytes) {
    auto failWith = [&](const std::string& reason) {
        if (error)
            *error = path + ": " + reason;
        return false;
    };
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return failWith("is a folder, not a file");
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return failWith(systemMessage(errno));
    // The length comes from the open handle, so a file replaced meanwhile cannot mislead us.
    long long length = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        length = std::ftell(f);
    if (length < 0 || std::fseek(f, 0, SEEK_SET) != 0) {
        const int err = errno;
        std::fclose(f);
        return failWith(err ? systemMessage(err) : "cannot read");
    }
    if (static_cast<std::uint64_t>(length) > maxBytes) {
        std::fclose(f);
        return failWith("the file is too large (" + std::to_string(length) + " bytes)");
    }
    out.clear();
    out.shrink_to_fit();
    out.resize(static_cast<std::size_t>(length));
    const std::size_t got = length ? std::fread(out.data(), 1, out.size(), f) : 0;
    const bool bad = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (bad || got != out.size()) {
        out.clear();
        out.shrink_to_fit();
        return failWith(bad ? "read error: " + systemMessage(err) : "the file shrank while it was read");
    }
    return true;
}

AtomicFile::~AtomicFile() {
    discard();
}

bool AtomicFile::fail(const std::string& what) {
    if (error_.empty())
        error_ = target_ + ": " + what;
    discard();
    return false;
}

bool AtomicFile::open(const std::string& target) {
    discard();
    error_.clear();
    target_ = target;
    std::error_code ec;
    fs::path real = target;
    // Replace the file a link points to, not the link itself.
    if (fs::is_symlink(real, ec)) {
        fs::path resolved = fs::weakly_canonical(real, ec);
        if (!ec)
            real = resolved;
    }
    if (fs::is_directory(real, ec))
        return fail("is a folder, not a file");
    const fs::path folder = real.has_parent_path() ? real.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, ec))
        return fail("the folder " + folder.string() + " does not exist");

    std::random_device rd;
    std::mt19937_64 rng((static_cast<std::uint64_t>(rd()) << 32) ^ rd());
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                      static_cast<unsigned long long>(rng() & 0xFFFFFFFFFFFFull));
        const std::string candidate = real.string() + suffix;
        // "x": never reuse or clobber an existing file.
        file_ = std::fopen(candidate.c_str(), "wbx");
        if (file_)
            temp_ = candidate;
        else if (errno != EEXIST)
            return fail("cannot create a file in " + folder.string() + ": " + systemMessage(errno));
    }
    if (!file_)
        return fail("cannot create a temporary file in " + folder.string());
    target_ = real.string();
    // Keep the permissions of the file being replaced.
    const fs::file_status st = fs::status(real, ec);
    if (!ec && fs::exists(st))
        fs::permissions(temp_, st.permissions(), ec);
    return true;
}

bool AtomicFile::reserve(std::uint64_t bytes) {
    if (!file_)
        return fail("the file is not open for writing");
#ifdef __linux__
    // fallocate, not posix_fallocate: where the file system cannot reserve, go on without
    // (posix_fallocate would write zeros instead).
    if (bytes > 0 && ::fallocate(fileno(file_), 0, 0, static_cast<off_t>(bytes)) != 0 && errno == ENOSPC)
        return fail("write error: " + systemMessage(ENOSPC));
#else
    (void)bytes;
#endif
    return true;
}

bool AtomicFile::write(const void* data, std::size_t size) {
    if (!file_)
        return fail("the file is not open for writing");
    if (size && std::fwrite(data, 1, size, file_) != size)
        return fail("write error: " + systemMessage(errno));
    return true;
}

bool AtomicFile::commit() {
    if (!file_)
        return fail("the file is not open for writing");
    if (std::fflush(file_) != 0 || std::ferror(file_))
        return fail("write error: " + systemMessage(errno));
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fclose(f) != 0)
        return fail("write error: " + systemMessage(errno));
    std::error_code ec;
    fs::rename(temp_, target_, ec);
    if (ec)
        return fail("cannot replace the file: " + ec.message());
    temp_.clear();
    return true;
}

void AtomicFile::discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
        temp_.clear();
    }
}

} // namespace vornix
