#pragma once
// What the editor and `vornix-cli show` present for an entry: a BASIC listing, a picture
// or a hex dump, chosen from the load address and the bytes.
#include "core/T64Image.h"
#include "preview/BasicLister.h"
#include "preview/Picture.h"

#include <optional>
#include <span>
#include <string>

namespace vornix {

enum class PreviewKind { Basic, Picture, Hex };

// Pictures first (their size and place say what they are), then BASIC, then hex.
PreviewKind choosePreview(std::uint16_t load, std::span<const std::uint8_t> data);

std::uint16_t loadAddress(const Entry& entry);
std::span<const std::uint8_t> entryBytes(const Entry& entry);

struct Preview {
    PreviewKind kind = PreviewKind::Hex;
    std::string text;               // Basic: the listing's lines; Hex: the dump (UTF-8, '\n' ends each line)
    std::optional<Picture> picture; // Picture
    PreviewNote note;               // why a listing stopped early, what a picture lacks
    std::size_t bytesAfterEnd = 0;  // Basic: bytes after the end marker
};

// The preview of the given kind (the chosen one when none is given). A picture asked for
// where there is none leaves picture empty.
Preview makePreview(const Entry& entry, std::optional<PreviewKind> kind = std::nullopt);

} // namespace vornix
