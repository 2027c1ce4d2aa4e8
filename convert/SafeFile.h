#pragma once
// Reading helpers of the converters, and the one-step replacement of a file. Writing goes
// through AtomicFile (core/FileIO.h).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

namespace vornix {

// A file opened for reading with its length known up front. Only regular files count: a
// folder or a device is "cannot be opened", like a missing file.
class InputFile {
  public:
    bool open(const std::filesystem::path& path);
    bool isOpen() const { return in_.is_open(); }
    std::uint64_t size() const { return size_; }
    // Reads exactly count bytes from the current position, in chunks, handing each to sink.
    // False when the file ends early or a read fails (the file changed while being read).
    template <typename Sink> bool copy(std::uint64_t count, Sink&& sink);
    bool skip(std::uint64_t count);

  private:
    std::ifstream in_;
    std::uint64_t size_ = 0;
};

template <typename Sink> bool InputFile::copy(std::uint64_t count, Sink&& sink) {
    char buffer[64 * 1024];
    while (count > 0) {
        const std::size_t chunk = count < sizeof buffer ? static_cast<std::size_t>(count) : sizeof buffer;
        in_.read(buffer, static_cast<std::streamsize>(chunk));
        if (static_cast<std::size_t>(in_.gcount()) != chunk)
            return false;
        if (!sink(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(buffer), chunk)))
            return false;
        count -= chunk;
    }
    return true;
}

// Renames from over to, replacing to in one step. to is untouched when it fails.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to, std::string* error);

} // namespace vornix
