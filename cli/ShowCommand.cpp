// vornix-cli show: what the editor's preview shows for an entry, on the terminal or as PNG.
#include "cli/Commands.h"

#include "core/FileIO.h"
#include "core/T64Image.h"
#include "preview/PngWriter.h"
#include "preview/Preview.h"

#include <algorithm>
#include <iostream>
#include <optional>

using namespace vornix;

namespace {

const char kUsage[] = "show IMAGE N [--basic|--hex|--png OUT.png]";

int usageError(const std::string& message) {
    std::cerr << "vornix-cli show: " << message << "\nusage: vornix-cli " << kUsage << "\n";
    return 2;
}

int failure(const std::string& message) {
    std::cerr << "vornix-cli show: " << message << "\n";
    return 1;
}

const char* pictureName(PictureFormat format) {
    return format == PictureFormat::Koala ? "a Koala Paint picture" : "an FLI picture";
}

int writePng(const Picture& picture, const std::string& path) {
    const std::vector<std::uint8_t> png = encodePng(Picture::kWidth, Picture::kHeight, picture.rgb());
    AtomicFile out;
    if (!out.open(path) || !out.write(png.data(), png.size()) || !out.commit())
        return failure(out.error());
    return 0;
}

} // namespace

int cmdShow(const Args& args) {
    std::vector<std::string> operands;
    std::optional<PreviewKind> kind;
    std::string png;
    int views = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::cout << "usage: vornix-cli " << kUsage << "\n\n"
                      << "Shows entry N (counted from 1) the way the editor's preview does: a BASIC\n"
                      << "listing for programs at $0801, a hex dump (address, 16 bytes, PETSCII) for\n"
                      << "anything else. Koala and FLI pictures are written as a 320x200 PNG file with\n"
                      << "--png. --basic and --hex choose the view.\n";
            return 0;
        }
        if (a == "--basic" || a == "--hex") {
            kind = a == "--basic" ? PreviewKind::Basic : PreviewKind::Hex;
            ++views;
        } else if (a == "--png" || a.rfind("--png=", 0) == 0) {
            if (a == "--png" && i + 1 >= args.size())
                return usageError("--png needs a file name");
            png = a == "--png" ? args[++i] : a.substr(6);
            if (png.empty())
                return usageError("--png needs a file name");
            kind = PreviewKind::Picture;
            ++views;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError("unknown option " + a);
        } else {
            operands.push_back(a);
        }
    }
    if (views > 1)
        return usageError("choose one of --basic, --hex and --png");
    if (operands.size() != 2)
        return usageError(operands.empty() ? "missing IMAGE" : "expected IMAGE and one entry number");
    const std::string& image = operands[0];
    const std::string& number = operands[1];
    if (number.empty() || number.size() > 3 ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        std::stoi(number) < 1)
        return usageError("entry numbers run from 1 to 255, not '" + number + "'");
    const int n = std::stoi(number);

    const ReadResult read = readImage(image);
    if (!read.accepted)
        return failure(read.error);
    for (const std::string& repair : read.repairs)
        std::cerr << "vornix-cli show: " << image << ": directory repaired: " << repair << "\n";
    const auto& entries = read.contents.entries;
    if (n > static_cast<int>(entries.size()))
        return failure(image + ": there is no entry " + number + " (the image holds " +
                       std::to_string(entries.size()) + (entries.size() == 1 ? " entry)" : " entries)"));
    const Entry& entry = entries[n - 1];

    const Preview preview = makePreview(entry, kind);
    switch (preview.kind) {
    case PreviewKind::Picture:
        if (!preview.picture)
            return failure("entry " + number + " is not a Koala or FLI picture");
        if (png.empty()) {
            std::cout << "entry " << number << " is " << pictureName(preview.picture->format)
                      << " (320x200); --png OUT.png writes it as an image\n";
            return 0;
        }
        return writePng(*preview.picture, png);
    case PreviewKind::Basic: {
        // The listing goes to standard output, the reason it stopped early to standard error.
        const BasicListing listing = listBasic(loadAddress(entry), entryBytes(entry));
        for (const std::string& line : listing.lines)
            std::cout << line << "\n";
        if (!listing.note.empty()) {
            std::cerr << "vornix-cli show: " << listing.note << "\n";
            if (listing.lines.empty())
                return 1;
        }
        return 0;
    }
    case PreviewKind::Hex:
        std::cout << preview.text;
        return 0;
    }
    return 0;
}
