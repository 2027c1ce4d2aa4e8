#pragma once
// Whole-file reading and crash-safe writing (temporary file beside the target, then rename).
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vornix {

// Reads a whole file in one go. On failure returns false with "PATH: reason" in *error.
// Files larger than maxBytes are refused without reading them.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::string* error,
                   std::uint64_t maxBytes = 0x7FFFFFFF);

// Writes a file so that a failure at any point leaves whatever was at the target before.
// Data goes to a new temporary file in the target's folder; commit() renames it over the
// target. Destroying an uncommitted AtomicFile removes the temporary file.
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
    bool commit();
    void discard();

    // "PATH: reason" of the first failure.
    const std::string& error() const { return error_; }

  private:
    bool fail(const std::string& what);

    std::string target_;
    std::string temp_;
    std::FILE* file_ = nullptr;
    std::string error_;
};

// The platform's text for errno value err.
std::string systemMessage(int err);

} // namespace vornix
