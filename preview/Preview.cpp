#include "preview/Preview.h"

#include "preview/HexView.h"

namespace vornix {

PreviewKind choosePreview(std::uint16_t load, std::span<const std::uint8_t> data) {
    if (findPicture(load, data))
        return PreviewKind::Picture;
    if (looksLikeBasic(load, data))
        return PreviewKind::Basic;
    return PreviewKind::Hex;
}

std::uint16_t loadAddress(const Entry& entry) {
    return static_cast<std::uint16_t>(entry.load[0] | (entry.load[1] << 8));
}

std::span<const std::uint8_t> entryBytes(const Entry& entry) {
    return {entry.data.data(), entry.data.size()};
}

Preview makePreview(const Entry& entry, std::optional<PreviewKind> kind) {
    const std::uint16_t load = loadAddress(entry);
    const auto data = entryBytes(entry);
    Preview p;
    p.kind = kind ? *kind : choosePreview(load, data);
    switch (p.kind) {
    case PreviewKind::Basic: {
        const BasicListing listing = listBasic(load, data);
        for (const std::string& line : listing.lines)
            p.text += line + '\n';
        p.note = listing.note;
        p.bytesAfterEnd = listing.bytesAfterEnd;
        break;
    }
    case PreviewKind::Picture:
        p.picture = decodePicture(load, data);
        if (p.picture)
            p.note = p.picture->note;
        break;
    case PreviewKind::Hex: p.text = hexView(load, data); break;
    }
    return p;
}

} // namespace vornix
