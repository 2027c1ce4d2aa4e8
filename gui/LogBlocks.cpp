#include "gui/LogBlocks.h"

#include <new>

namespace vornix {

qsizetype LogBlocks::seriesSize(qsizetype k) {
    constexpr qsizetype kSmallest = 64 * 1024;
    constexpr qsizetype kLargest = 2 * 1024 * 1024; // a large page
    return k >= 5 ? kLargest : kSmallest << k;
}

void LogBlocks::add(qsizetype bytes) {
    platform::LargeBuffer block = platform::allocateLarge(static_cast<std::size_t>(bytes));
    if (!block.data)
        throw std::bad_alloc();
    blocks_.push_back(block);
}

void LogBlocks::clear() {
    for (platform::LargeBuffer& block : blocks_)
        platform::freeLarge(block);
    blocks_.clear();
}

} // namespace vornix
