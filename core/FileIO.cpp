#include "core/FileIO.h"

#include <cerrno>
#include <system_error>

namespace vornix {

using platform::Handle;

std::string FileError::reason() const {
    switch (problem) {
    case FileProblem::None: return "no error";
    case FileProblem::System: return platform::systemMessage(code);
    case FileProblem::IsFolder: return "is a folder, not a file";
    case FileProblem::NotRegular: return "is not a regular file (a pipe, device or socket)";
    case FileProblem::ReadOnly: return "the file is read-only";
    case FileProblem::NoFolder: return "its folder does not exist";
    case FileProblem::TooLarge:
        return size == 0 ? "the file is too large"
                         : "the file is too large (" + std::to_string(size) + " bytes)";
    case FileProblem::Changed: return "the file changed while it was read";
    }
    return {};
}

std::string systemMessage(int err) { return platform::systemMessage(err); }

FileError readWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::uint64_t maxBytes) {
    auto failWith = [&](const FileError& e) {
        out.clear();
        out.shrink_to_fit();
        return e;
    };
    Handle h = platform::kNoHandle;
    std::uint64_t length = 0;
    if (FileError e = platform::openInput(path, h, length))
        return failWith(e);
    struct Closer {
        Handle h;
        ~Closer() { platform::close(h); }
    } closer{h};
    if (length > maxBytes)
        return failWith({FileProblem::TooLarge, 0, path, length});
    out.clear();
    out.shrink_to_fit();
    out.resize(static_cast<std::size_t>(length));
    if (FileError e = platform::readAt(h, out.data(), out.size(), 0, path))
        return failWith(e);
    return {};
}

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::fail(const FileError& what) {
    if (failure_.problem == FileProblem::None) {
        failure_ = what;
        failure_.path = path_;
        error_ = failure_.message();
    }
    discard();
    return false;
}

bool AtomicFile::open(const std::string& target) {
    discard();
    error_.clear();
    failure_ = {};
    path_ = target;
    if (FileError e = platform::resolveOutput(target, target_))
        return fail(e);
    if (FileError e = platform::createTemp(target_, temp_))
        return fail(e);
    return true;
}

bool AtomicFile::reserve(std::uint64_t bytes) {
    if (temp_.handle == platform::kNoHandle)
        return fail({FileProblem::System, EBADF, path_});
    if (const int err = platform::reserve(temp_.handle, bytes))
        return fail({FileProblem::System, err, path_});
    return true;
}

bool AtomicFile::write(const void* data, std::size_t size) {
    const platform::Span span{data, size};
    return write(&span, 1);
}

bool AtomicFile::write(const platform::Span* spans, std::size_t count) {
    if (temp_.handle == platform::kNoHandle)
        return fail({FileProblem::System, EBADF, path_});
    if (const int err = platform::writeSpans(temp_.handle, spans, count))
        return fail({FileProblem::System, err, path_});
    return true;
}

bool AtomicFile::copyFrom(Handle input, std::uint64_t offset, std::uint64_t count,
                          const std::string& inputPath) {
    if (temp_.handle == platform::kNoHandle)
        return fail({FileProblem::System, EBADF, path_});
    if (FileError e = platform::copyRange(input, offset, temp_.handle, count, inputPath, path_)) {
        // A fault of the input names the input, not the file being written.
        if (e.path == inputPath) {
            failure_ = e;
            error_ = e.message();
        }
        return fail(e);
    }
    return true;
}

bool AtomicFile::commit() {
    if (temp_.handle == platform::kNoHandle)
        return fail({FileProblem::System, EBADF, path_});
    if (FileError e = platform::commitTemp(temp_, target_))
        return fail(e);
    return true;
}

void AtomicFile::discard() { platform::discardTemp(temp_); }

bool InputFile::open(const std::filesystem::path& path) {
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

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(platform::nativePath(a), platform::nativePath(b), ec) && !ec;
}

FileError lockExisting(const std::string& path, platform::ExclusiveLock& lock) {
    std::error_code ec;
    const std::filesystem::path native = platform::nativePath(path);
    if (!std::filesystem::exists(native, ec) && !std::filesystem::is_symlink(native, ec))
        return {};
    return lock.acquire(path);
}

FileError replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (!ec)
        return {};
    int code = ec.value();
#ifdef _WIN32
    // The system's own numbers are held negated, apart from the C library's.
    if (ec.category() == std::system_category())
        code = -code;
#endif
    return {FileProblem::System, code, platform::nameFromPath(to)};
}

} // namespace vornix
