#pragma once
// Whole-file reading and crash-safe writing (temporary file beside the target, then rename).
#include "core/PlatformFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vornix {

// Reads a whole regular file in one go. On failure returns false with "PATH: reason" in *error
// (and the reason in *failure). Files larger than maxBytes are refused without reading them.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::string* error,
                   std::uint64_t maxBytes = 0x7FFFFFFF, FileError* failure = nullptr);

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

} // namespace vornix
