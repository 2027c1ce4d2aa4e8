#pragma once
// Binary resources built into the program (the FLI viewer "FLIVIEW").
#include <cstdint>
#include <string_view>
#include <vector>

namespace vornix {

// The resource of that name, compared without regard to case; nullptr when there is none.
const std::vector<std::uint8_t>* findResource(std::string_view name);

} // namespace vornix
