#include "convert/EmbeddedResources.h"

#include <algorithm>
#include <cstddef>

namespace vornix {

namespace embedded {
// Generated at build time from the assembled viewer (see viewer.cmake).
extern const std::uint8_t kFliViewer[];
extern const std::size_t kFliViewerSize;
} // namespace embedded

namespace {

struct Resource {
    std::string_view name;
    std::vector<std::uint8_t> bytes;
};

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

const std::vector<Resource>& resources() {
    static const std::vector<Resource> all{
        {"FLIVIEW", {embedded::kFliViewer, embedded::kFliViewer + embedded::kFliViewerSize}},
    };
    return all;
}

} // namespace

const std::vector<std::uint8_t>* findResource(std::string_view name) {
    for (const Resource& resource : resources()) {
        if (sameName(resource.name, name))
            return &resource.bytes;
    }
    return nullptr;
}

} // namespace vornix
