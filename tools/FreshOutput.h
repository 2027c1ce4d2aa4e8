#pragma once
// The rule for a file an external tool writes: only a file written by this run is its result.
// What the path held before the run is remembered, so that a file left there by an earlier
// run is never taken for this one's.
#include "core/FileStamp.h"

#include <cstdint>
#include <string>

namespace vornix {

class FreshOutput {
  public:
    // Call before the tool starts; path in the platform's file-name encoding.
    explicit FreshOutput(std::string path);

    const std::string& path() const { return path_; }
    bool existedBefore() const { return before_.exists; }
    // The path now holds a regular file other than the one it held before the run; its size
    // goes to *size.
    bool written(std::int64_t* size = nullptr) const;

  private:
    std::string path_;
    FileStamp before_;
};

} // namespace vornix
