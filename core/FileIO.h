#pragma once
// The one file I/O module: whole-file and streamed reading, crash-safe writing (temporary
// file beside the target, then rename), and the one-step replacement of a file.
#include "core/PlatformFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vornix {

// Reads a whole regular file in one go; out is left empty on failure. Files larger than
// maxBytes are refused without reading them (FileProblem::TooLarge with their size).
FileError readWholeFile(const std::string& path, std::vector<std::uint8_t>& out,
                        std::uint64_t maxBytes = 0x7FFFFFFF);

// Writes a file so that a failure at any point leaves whatever was at the target before.
// An existing target must be a regular file the user may write (or a link to one, which is
// written through); it keeps its permissions. Data goes to a temporary file in the target's
// folder; commit() puts it in the target's place. Destroying an uncommitted AtomicFile
// removes the temporary file.
class AtomicFile {
  public:
    AtomicFile() = default;
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open(const std::string& target);
    // Claims disk space for the whole file up front where the system allows it: a full disk
    // shows before anything is written, and the file system need not allocate at rename.
    bool reserve(std::uint64_t bytes);
    bool write(const void* data, std::size_t size);
    bool write(const platform::Span* spans, std::size_t count);
    // Appends count bytes of an open input from offset on.
    bool copyFrom(platform::Handle input, std::uint64_t offset, std::uint64_t count,
                  const std::string& inputPath);
    bool commit();
    void discard();

    // "PATH: reason" of the first failure.
    const std::string& error() const { return error_; }
    const FileError& failure() const { return failure_; }

  private:
    bool fail(const FileError& what);

    std::string path_; // as the caller named it
    platform::OutputTarget target_;
    platform::TempFile temp_;
    std::string error_;
    FileError failure_;
};

// The platform's text for errno value err.
std::string systemMessage(int err);

// A file opened for reading with its length known up front. Only regular files count: a
// folder, a FIFO or a device is refused at once (failure() says which), like a missing file.
class InputFile {
  public:
    InputFile() = default;
    ~InputFile() { platform::close(handle_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool open(const std::filesystem::path& path);
    std::uint64_t size() const { return size_; }
    // Why open or a read failed.
    const FileError& failure() const { return failure_; }
    // Reads exactly count bytes from the current position, in chunks, handing each to sink.
    // False when the file ends early or a read fails (the file changed while being read).
    template <typename Sink> bool copy(std::uint64_t count, Sink&& sink);
    bool skip(std::uint64_t count);

  private:
    platform::Handle handle_ = platform::kNoHandle;
    std::string path_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    FileError failure_;
};

template <typename Sink> bool InputFile::copy(std::uint64_t count, Sink&& sink) {
    constexpr std::size_t kChunk = 64 * 1024;
    auto buffer = std::make_unique<std::uint8_t[]>(kChunk);
    while (count > 0) {
        const std::size_t chunk = count < kChunk ? static_cast<std::size_t>(count) : kChunk;
        if (FileError e = platform::readAt(handle_, buffer.get(), chunk, position_, path_)) {
            failure_ = e;
            return false;
        }
        position_ += chunk;
        if (!sink(std::span<const std::uint8_t>(buffer.get(), chunk)))
            return false;
        count -= chunk;
    }
    return true;
}

// Renames from over to, replacing to in one step. to is untouched when it fails; the error
// then names to.
FileError replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// True when both names lead to one existing file: the same path, a link to it or a hard link.
// Every command that writes an output from an input refuses the output by this rule.
bool sameFile(const std::string& a, const std::string& b);

// Takes the lock that every writer of a T64 image holds (platform::ExclusiveLock) when a file
// is at path, so that a whole new image and an edit of the old one land one after the other.
// A missing file has nothing to lock yet.
FileError lockExisting(const std::string& path, platform::ExclusiveLock& lock);

} // namespace vornix
