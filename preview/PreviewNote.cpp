#include "preview/PreviewNote.h"

#include <cstdio>

namespace vornix {
namespace {

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "$%04X", value & 0xFFFFu);
    return text;
}

} // namespace

std::string noteText(const PreviewNote& note) {
    const std::string address = hex4(note.address);
    const std::string line = std::to_string(note.line);
    const std::string bytes = std::to_string(note.bytes);
    switch (note.kind) {
    case PreviewNoteKind::None: break;
    case PreviewNoteKind::NoEndMarker: return "the program ends at " + address + " without its end marker";
    case PreviewNoteKind::NoLine:
        return "there is no BASIC line: the first link, " + address + ", ends the program";
    case PreviewNoteKind::LineCutOff:
        return "the line at " + address + " is cut off by the end of the program";
    case PreviewNoteKind::LinePastEnd: return "line " + line + " runs past the end of the program";
    case PreviewNoteKind::LinkBack:
        return "the link of line " + line + " points back to " + address + "; the listing stops here";
    case PreviewNoteKind::LinkPastEnd:
        return "the link of line " + line + " points to " + address +
               ", past the end of the program; the listing stops here";
    case PreviewNoteKind::PictureShort:
        return "the picture data ends at " + address + ", " + bytes +
               " bytes before the end of the bitmap; they are drawn as 0";
    case PreviewNoteKind::LeftBehind:
        return "the FLI viewer carries the data up to $7FFF; the last " + bytes +
               " bytes, which are not part of the picture, are left behind";
    }
    return {};
}

} // namespace vornix
