#pragma once
// Reading helpers of the converters, and the one-step replacement of a file. Writing goes
// through AtomicFile (core/FileIO.h).
#include "core/PlatformFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace vornix {

// A file opened for reading with its length known up front. Only regular files count: a
// folder, a FIFO or a device is refused at once (failure() says which), like a missing file.
class InputFile {
  public:
    InputFile() = default;
    ~InputFile() { platform::close(handle_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool open(const std::filesystem::path& path);
    bool isOpen() const { return handle_ != platform::kNoHandle; }
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

// Renames from over to, replacing to in one step. to is untouched when it fails.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to, std::string* error);

} // namespace vornix
