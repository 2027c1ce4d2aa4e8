#include "core/T64Image.h"

namespace vornix {
// Placeholder bodies; the reader and writer come next.
std::int32_t fileLength(const std::string&) { return -1; }
ReadResult readImage(const std::string&) { return {}; }
ReadResult parseImage(const std::uint8_t*, std::size_t) { return {}; }
Bytes serializeImage(int, const std::string&, std::vector<Entry>&, bool) { return {}; }
bool writeImage(const std::string&, int, const std::string&, std::vector<Entry>&, bool, std::string*) { return false; }
std::string mapNameBytes(const std::uint8_t*, std::size_t) { return {}; }
} // namespace vornix
