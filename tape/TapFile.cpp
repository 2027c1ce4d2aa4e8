#include "tape/TapFile.h"

#include "core/PlatformFile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

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
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return std::nullopt;
    std::optional<std::uint8_t> version;
    if (std::fseek(f, static_cast<long>(kVersionOffset), SEEK_SET) == 0) {
        const int c = std::fgetc(f);
        if (c != EOF)
            version = static_cast<std::uint8_t>(c);
    }
    std::fclose(f);
    return version;
}

bool isVersion1(const std::string& path) { return readVersion(path) == std::uint8_t{1}; }

} // namespace vornix::tap
