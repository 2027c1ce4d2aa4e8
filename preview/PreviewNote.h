#pragma once
// Why a preview shows less than the whole entry, or what it leaves out: a reason and the
// numbers it needs, which `vornix-cli show` and the editor's pane each put into words.
#include <cstddef>
#include <string>

namespace vornix {

enum class PreviewNoteKind {
    None,
    // BASIC listings
    NoEndMarker, // the program ends at address without its end marker
    NoLine,      // the first link (address) ends the program before any line
    LineCutOff,  // the line at address is cut off by the end of the data
    LinePastEnd, // line runs past the end of the data
    LinkBack,    // the link of line points back to address
    LinkPastEnd, // the link of line points to address, past the end of the data
    // FLI pictures
    PictureShort, // the data ends at address, bytes before the end of the bitmap
    LeftBehind,   // bytes past what the viewer carries are left behind
};

struct PreviewNote {
    PreviewNoteKind kind = PreviewNoteKind::None;
    unsigned address = 0;  // a 16-bit machine address
    unsigned line = 0;     // a BASIC line number
    std::size_t bytes = 0; // PictureShort, LeftBehind

    bool empty() const { return kind == PreviewNoteKind::None; }
};

// The note as the CLI prints it (English); empty for none.
std::string noteText(const PreviewNote& note);

} // namespace vornix
