// vornix-cli show: what the editor's preview shows for an entry, on the terminal or as PNG.
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "core/FileIO.h"
#include "core/TapeDocument.h"
#include "preview/PngWriter.h"
#include "preview/Preview.h"

#include <iostream>

using namespace vornix;
using namespace vornix::cli;

namespace {

int writePng(const Picture& picture, const std::string& path) {
    const std::vector<std::uint8_t> png = encodePng(Picture::kWidth, Picture::kHeight, picture.rgb());
    AtomicFile out;
    if (!out.open(path) || !out.write(png.data(), png.size()) || !out.commit())
        return failure(out.error());
    return 0;
}

int show(const CommandLine& cl) {
    const auto png = cl.values.find("--png");
    if (cl.flags.size() + (png != cl.values.end()) > 1)
        return usageError(cl, "choose one of --basic, --hex and --png");
    if (png != cl.values.end() && png->second.empty())
        return usageError(cl, "--png needs a file name");
    const std::string& image = cl.operands[0];
    const std::string& number = cl.operands[1];
    const std::optional<int> n = entryNumber(number);
    if (!n)
        return usageError(cl, notAnEntryNumber(number));

    // The picture must not take the place of the tape image it comes from.
    if (png != cl.values.end())
        if (const std::string same = overwritesInput(image, png->second, "the tape image"); !same.empty())
            return failure(same);
    TapeDocument doc;
    if (!openImage(doc, image))
        return 1;
    if (*n > doc.count())
        return failure(image + ": there is no entry " + number + " (the image holds " +
                       std::to_string(doc.count()) + (doc.count() == 1 ? " entry)" : " entries)"));
    const Entry& entry = doc.entries()[*n - 1];

    std::optional<PreviewKind> kind;
    if (cl.flags.count("--basic"))
        kind = PreviewKind::Basic;
    else if (cl.flags.count("--hex"))
        kind = PreviewKind::Hex;
    else if (png != cl.values.end())
        kind = PreviewKind::Picture;
    const Preview preview = makePreview(entry, kind);
    switch (preview.kind) {
    case PreviewKind::Picture:
        if (!preview.picture)
            return failure("entry " + number + " is not a Koala or FLI picture");
        if (!preview.note.empty()) // data missing or left behind: the picture is shown all the same
            note("show: " + noteText(preview.note));
        if (png == cl.values.end()) {
            std::cout << "entry " << number << " is "
                      << (preview.picture->format == PictureFormat::Koala ? "a Koala Paint" : "an FLI")
                      << " picture (320x200); --png OUT.png writes it as an image\n";
            return 0;
        }
        return writePng(*preview.picture, png->second);
    case PreviewKind::Basic: {
        // The listing goes to standard output, the reason it stopped early to standard error.
        const BasicListing listing = listBasic(loadAddress(entry), entryBytes(entry));
        for (const std::string& line : listing.lines)
            std::cout << line << "\n";
        if (!listing.note.empty()) {
            note("show: " + noteText(listing.note));
            if (listing.lines.empty())
                return 1;
        }
        return 0;
    }
    case PreviewKind::Hex: std::cout << preview.text; return 0;
    }
    return 0;
}

} // namespace

Command vornix::cli::showCommand() {
    return {"show",
            "show an entry as the editor's preview does",
            "Shows entry N (counted from 1) the way the editor's preview does: a BASIC\n"
            "listing for programs at $0801, a hex dump (address, 16 bytes, PETSCII) for\n"
            "anything else. Koala and FLI pictures are written as a 320x200 PNG file with\n"
            "--png. --basic and --hex choose the view.\n",
            {operand("IMAGE", "the T64 image"), operand("N", "the entry, counted from 1"),
             flag("--basic", "the BASIC listing"), flag("--hex", "the hex dump", Parameter::Use::OrPrevious),
             valued("--png", "OUT.png", "the picture as a PNG file", Parameter::Use::OrPrevious)},
            "",
            show};
}
