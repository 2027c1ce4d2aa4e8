#include "tape/TapFile.h"

#include "core/PlatformFile.h"

#include <cstring>

namespace vornix::tap {

Header makeHeader(std::uint32_t dataLength) {
    Header h{};
    std::memcpy(h.data(), kSignature, 12);
    h[kVersionOffset] = 1;
    for (int i = 0; i < 4; ++i)
        h[kLengthOffset + i] = static_cast<std::uint8_t>(dataLength >> (8 * i));
    return h;
}

std::optional<std::uint8_t> readVersion(const std::string& path) {
    // Opened as the join opens its inputs: a FIFO or device named in a list is refused, not
    // waited on.
    platform::Handle handle = platform::kNoHandle;
    std::uint64_t size = 0;
    std::optional<std::uint8_t> version;
    if (!platform::openInput(path, handle, size) && size > kVersionOffset) {
        std::uint8_t byte = 0;
        if (!platform::readAt(handle, &byte, 1, kVersionOffset, path))
            version = byte;
    }
    platform::close(handle);
    return version;
}

bool isVersion1(const std::string& path) { return readVersion(path) == std::uint8_t{1}; }

} // namespace vornix::tap
