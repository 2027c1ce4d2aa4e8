#pragma once
#include "core/PlatformFile.h"

#include <QtGlobal>

#include <vector>

namespace vornix {

// Memory for the log in blocks that never move once written: growing the log neither copies
// what is there nor touches it again. Blocks start small (a quiet log stays small) and grow to
// a size the system can back with large pages, so a flood of lines costs few page faults.
class LogBlocks {
  public:
    LogBlocks() = default;
    ~LogBlocks() { clear(); }
    LogBlocks(const LogBlocks&) = delete;
    LogBlocks& operator=(const LogBlocks&) = delete;
    LogBlocks(LogBlocks&& other) noexcept { swap(other); }
    LogBlocks& operator=(LogBlocks&& other) noexcept {
        swap(other);
        return *this;
    }
    void swap(LogBlocks& other) noexcept { blocks_.swap(other.blocks_); }

    qsizetype count() const { return static_cast<qsizetype>(blocks_.size()); }
    char* data(qsizetype block) const {
        return reinterpret_cast<char*>(blocks_[static_cast<std::size_t>(block)].data);
    }
    qsizetype capacity(qsizetype block) const {
        return static_cast<qsizetype>(blocks_[static_cast<std::size_t>(block)].size);
    }
    // A new last block of that many bytes.
    void add(qsizetype bytes);
    void clear();
    // Bytes of block k of the series: 64 KiB doubling up to 2 MiB.
    static qsizetype seriesSize(qsizetype k);

  private:
    std::vector<platform::LargeBuffer> blocks_;
};

} // namespace vornix
