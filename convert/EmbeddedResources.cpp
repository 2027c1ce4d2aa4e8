#include "convert/EmbeddedResources.h"

namespace vornix {
// Placeholder until the assembled viewer is embedded.
const std::vector<std::uint8_t>* findResource(std::string_view) { return nullptr; }
} // namespace vornix
