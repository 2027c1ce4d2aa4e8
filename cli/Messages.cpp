#include "cli/Messages.h"

#include "convert/PictureConverters.h"
#include "core/D64Image.h"

#include <cstdio>

namespace vornix::cli {

namespace {

// "$0801": at least four hexadecimal digits.
std::string hex(std::uint64_t address) {
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789ABCDEF"[address & 0xF]);
        address >>= 4;
    } while (address != 0 || digits.size() < 4);
    return "$" + digits;
}

std::string where(int track, int sector) {
    return "track " + std::to_string(track) + " sector " + std::to_string(sector);
}

std::string quoted(const std::string& name) { return "\"" + trimDiskName(name) + "\""; }

// A link that leads nowhere; a loop is worded by the caller, which knows what loops.
std::string describe(const BrokenLink& link) {
    switch (link.problem) {
    case LinkProblem::None:
    case LinkProblem::Loop: break;
    case LinkProblem::NoSuchTrack:
        return "track " + std::to_string(link.track) + " does not exist (the disk has " +
               std::to_string(link.limit) + " tracks)";
    case LinkProblem::NoSuchSector:
        return "track " + std::to_string(link.track) + " has no sector " + std::to_string(link.sector) +
               " (it has " + std::to_string(link.limit) + ")";
    case LinkProblem::PastEnd:
        return where(link.track, link.sector) + " lies past the end of the truncated image";
    }
    return {};
}

// The drive's own number for an error-table code (2 to 11 stand for errors 20 to 29).
std::string errorName(int code) {
    if (code >= 2 && code <= 11)
        return "error " + std::to_string(code + 18);
    char text[24];
    std::snprintf(text, sizeof text, "error code $%02X", code);
    return text;
}

} // namespace

std::string describe(const DiskOpenResult& r) {
    switch (r.refusal) {
    case DiskRefusal::None: break;
    case DiskRefusal::Unreadable: return r.failure.message();
    case DiskRefusal::WrongSize:
        return r.path + ": not a D64 disk image: it has " + std::to_string(r.size) +
               " bytes; a 1541 image has 174848, 175531, 196608 or 197376";
    case DiskRefusal::NoDirectory:
        return r.path + ": not a D64 disk image: it has " + std::to_string(r.size) +
               " bytes, too few to reach its directory (a 1541 image has 174848)";
    }
    return {};
}

std::string describe(const DiskNote& note) {
    if (note.kind == DiskNote::Kind::Truncated)
        return "the image is truncated: it has " + std::to_string(note.size) + " of " +
               std::to_string(DiskImage::kSize35) + " bytes";
    const std::string link = note.link.problem == LinkProblem::Loop
                                 ? "it loops back to " + where(note.link.track, note.link.sector)
                                 : describe(note.link);
    return "the directory chain is broken: " + link + "; the entries after " + std::to_string(note.listed) +
           (note.listed == 1 ? " file" : " files") + " are not listed";
}

std::string describe(const FileReading& r) {
    if (r.read)
        return {};
    if (r.broken.problem == LinkProblem::Loop)
        return quoted(r.name) + ": its chain of blocks loops back to " +
               where(r.broken.track, r.broken.sector);
    return quoted(r.name) + ": " +
           (r.blocksRead == 0
                ? std::string("its first block is missing: ")
                : "its chain of blocks breaks after " + std::to_string(r.blocksRead) + " blocks: ") +
           describe(r.broken);
}

std::string describeBadBlocks(const FileReading& r) {
    if (r.badBlocks.empty())
        return {};
    std::string marked;
    for (const BadBlock& b : r.badBlocks)
        marked += (marked.empty() ? "" : ", ") + where(b.track, b.sector) + " (" + errorName(b.code) + ")";
    const std::size_t n = r.badBlocks.size();
    return quoted(r.name) + ": the disk's error table marks " +
           (n == 1 ? std::string("1 of its blocks") : std::to_string(n) + " of its blocks") + " bad (" +
           marked + "); read as the image holds " + (n == 1 ? "it" : "them");
}

std::string describeNeverClosed(const DiskEntry& entry) {
    return "the file was never closed (*" + std::string(entry.typeName()) +
           "): it may end early or hold rubbish";
}

std::string describe(const DiskWriteResult& r) {
    const std::string name = "\"" + r.name + "\"";
    switch (r.refusal) {
    case DiskWriteRefusal::None: break;
    case DiskWriteRefusal::TooManyFiles:
        return r.path + ": not written: " + name + " does not fit: a disk holds at most " +
               std::to_string(DiskImage::kMaxFiles) + " files";
    case DiskWriteRefusal::DoesNotFit:
        return r.path + ": not written: " + name + " does not fit: it needs " +
               std::to_string(r.blocksNeeded) + " blocks and only " + std::to_string(r.blocksLeft) + " of " +
               std::to_string(DiskImage::kDiskBlocks) + " are left";
    case DiskWriteRefusal::CannotWrite: return r.failure.message();
    }
    return {};
}

std::string describe(const ConversionResult& r) {
    switch (r.problem) {
    case ConversionProblem::None: break;
    case ConversionProblem::SameAsInput:
        return r.path + ": this is the picture itself; the output needs a name of its own";
    case ConversionProblem::CannotOpen: return "cannot read " + r.failure.message();
    case ConversionProblem::NotAPicture:
        return r.path + " holds " + std::to_string(r.inputSize) + " bytes, too few for " +
               (r.kind == PictureKind::Koala
                    ? "a Koala picture (" + std::to_string(r.minPicture) + " bytes)"
                    : "an FLI picture: its data reaches the bitmap at " + hex(kFliBitmapAddress) + " from " +
                          std::to_string(r.minPicture) + " bytes on");
    case ConversionProblem::CannotReadAll: return "cannot read all of " + r.path;
    case ConversionProblem::TooLarge:
        return r.path + " is too large (" + std::to_string(r.inputSize) + " bytes): its program, loaded at " +
               hex(kProgramLoadAddress) + ", would end " +
               (r.programEnd > 0xFFFF
                    ? std::string("beyond $FFFF, the end of the C64's memory")
                    : "at " + hex(r.programEnd) + ", but from " + hex(kFirstAddressPastProgram) +
                          " on LOAD writes into the I/O chips") +
               "; at most " + std::to_string(r.maxPicture) + " bytes of picture fit";
    case ConversionProblem::ViewerMissing: return "the FLI viewer is missing from this build of the program";
    case ConversionProblem::CannotWrite: return r.failure.message();
    }
    return {};
}

std::string describeUnusualLoad(const ConversionResult& r, const std::string& input) {
    if (!r.unusualLoadAddress)
        return {};
    const bool koala = r.kind == PictureKind::Koala;
    const std::string taken = hex(koala ? kKoalaLoadAddress : kFliLoadAddress);
    return input + " loads at " + hex(*r.unusualLoadAddress) + ", not at " +
           (koala ? taken + " like a Koala picture"
                  : taken + " or " + hex(kFliLoadAddressWithoutBackground) + " like an FLI picture") +
           "; it was converted as if it loaded at " + taken + " and may not show correctly";
}

} // namespace vornix::cli
