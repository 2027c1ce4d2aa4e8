// Subcommands between T64 images and 1541 disk images (D64).
#include "cli/Commands.h"

#include "cli/CommandLine.h"
#include "cli/Json.h"
#include "cli/Messages.h"

#include "core/D64Image.h"
#include "core/PlatformFile.h"
#include "core/TapeDocument.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>

using vornix::DiskEntry;
using vornix::DiskImage;
using vornix::TapeDocument;
using namespace vornix::cli;

namespace {

bool loadDisk(DiskImage& disk, const std::string& path) {
    if (const vornix::DiskOpenResult opened = disk.load(path); !opened.opened) {
        failure(describe(opened));
        return false;
    }
    for (const vornix::DiskNote& n : disk.notes())
        note(path + ": " + describe(n));
    return true;
}

std::string shown(const std::string& diskName) { return "\"" + vornix::trimDiskName(diskName) + "\""; }

// Shifted spaces inside a name show as spaces, as on the screen of the machine.
std::string spaced(std::string bytes) {
    std::replace(bytes.begin(), bytes.end(), '\xA0', ' ');
    return plainText(bytes);
}

// Characters on the terminal: UTF-8 continuation bytes take no column.
std::size_t columns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A name as the drive's directory listing shows it: the quote closes at the first shifted
// space and the rest of the name follows outside the quotes; the field is 18 columns wide.
std::string listedName(const std::string& name) {
    const std::string trimmed = vornix::trimDiskName(name);
    const std::size_t cut = std::min(trimmed.find('\xA0'), trimmed.size());
    std::string text = "\"" + plainText(trimmed.substr(0, cut)) + "\"";
    if (cut < trimmed.size())
        text += spaced(trimmed.substr(cut + 1));
    const std::size_t width = columns(text);
    if (width < 18)
        text.append(18 - width, ' ');
    return text;
}

struct Reading {
    std::string error;  // why the file's chain of blocks cannot be followed
    std::string damage; // the blocks the error table marks bad
};

// What reading the file meets. Deleted entries are often only decoration (separator lines)
// and are not followed.
Reading readingOf(const DiskImage& disk, const DiskEntry& e) {
    Reading r;
    if (e.type() == 0)
        return r;
    vornix::Bytes data;
    const vornix::FileReading reading = disk.readFile(e, data);
    r.error = describe(reading);
    r.damage = describeBadBlocks(reading);
    return r;
}

std::string capitals(const std::string& text) { return TapeDocument::capitals(text); }

int d64Export(const CommandLine& cl) {
    for (std::size_t i = 2; i < cl.operands.size(); ++i)
        if (!entryNumber(cl.operands[i]))
            return usageError(cl, notAnEntryNumber(cl.operands[i]));

    const std::string& image = cl.operands[0];
    const std::string& out = cl.operands[1];
    // A slip of the keyboard must not replace the tape image by the disk.
    if (const std::string same = overwritesInput(image, out, "the tape image"); !same.empty())
        return failure(same);
    // Read only: the entries are handed to the disk without a copy.
    vornix::ReadResult tape = vornix::readImage(image);
    if (!tape.accepted)
        return failure(tape.error);
    for (const std::string& repair : tape.repairs)
        note(image + ": directory repaired: " + repair);
    std::vector<vornix::Entry>& entries = tape.contents.entries;
    const int count = static_cast<int>(entries.size());
    std::set<int> chosen;
    for (std::size_t i = 2; i < cl.operands.size(); ++i) {
        const int n = *entryNumber(cl.operands[i]);
        if (n > count)
            return failure(image + ": there is no entry " + cl.operands[i] + " (the image holds " +
                           std::to_string(count) + (count == 1 ? " entry)" : " entries)"));
        chosen.insert(n - 1);
    }
    if (cl.operands.size() == 2)
        for (int p = 0; p < count; ++p)
            chosen.insert(p);

    std::vector<vornix::DiskProgram> programs;
    programs.reserve(chosen.size());
    for (int p : chosen)
        programs.push_back(vornix::diskProgramOf(std::move(entries[p])));
    const std::string& label = tape.contents.label;
    const vornix::DiskWriteResult written =
        vornix::writeDisk(out, label.substr(0, label.find('\0')), programs);
    if (!written.written)
        return failure(describe(written));
    const int blocks = written.blocksUsed;
    std::cout << out << ": " << programs.size() << (programs.size() == 1 ? " file, " : " files, ") << blocks
              << " blocks used, " << DiskImage::kDiskBlocks - blocks << " blocks free\n";
    return 0;
}

int d64List(const CommandLine& cl) {
    const std::string& path = cl.operands[0];
    DiskImage disk;
    if (!loadDisk(disk, path))
        return 1;

    std::vector<Reading> readings;
    for (const DiskEntry& e : disk.entries()) {
        readings.push_back(readingOf(disk, e));
        for (const std::string* n : {&readings.back().error, &readings.back().damage})
            if (!n->empty())
                note(path + ": " + *n);
    }
    std::ostringstream out;
    const auto& entries = disk.entries();
    if (cl.flags.count("--json")) {
        Json json;
        json.object().key("name").text(vornix::trimDiskName(disk.diskName())).key("id").text(disk.diskId());
        json.key("dos").text(disk.dosType()).key("tracks").number(disk.tracks());
        json.key("blocksFree").number(disk.blocksFree()).key("files").array(true);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const DiskEntry& e = entries[i];
            json.object().key("name").text(vornix::trimDiskName(e.name)).key("type").text(e.typeName());
            json.key("closed")
                .boolean(e.closed())
                .key("locked")
                .boolean(e.locked())
                .key("blocks")
                .number(e.blocks);
            if (!readings[i].error.empty())
                json.key("error").text(readings[i].error);
            if (!readings[i].damage.empty())
                json.key("badBlocks").text(readings[i].damage);
            json.end();
        }
        out << json.finish();
    } else {
        // The drive's own listing: blocks, quoted name, type. The shifted spaces that pad
        // the disk name are shown as spaces, which a terminal can show.
        std::string diskName = spaced(vornix::trimDiskName(disk.diskName()));
        if (const std::size_t width = columns(diskName); width < 16)
            diskName.append(16 - width, ' ');
        out << "0 \"" << diskName << "\" " << plainText(disk.diskId()) << " " << plainText(disk.dosType())
            << "\n";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const DiskEntry& e = entries[i];
            char blocks[16];
            std::snprintf(blocks, sizeof blocks, "%-5d", e.blocks);
            out << blocks << listedName(e.name) << (e.closed() ? " " : "*") << e.typeName()
                << (e.locked() ? "<" : "") << (readings[i].error.empty() ? "" : "   (damaged)")
                << (readings[i].damage.empty() ? "" : "   (bad blocks)") << "\n";
        }
        out << disk.blocksFree() << " BLOCKS FREE.\n";
    }
    std::cout << out.str();
    return 0;
}

int d64Import(const CommandLine& cl) {
    const std::string& image = cl.operands[0];
    const std::string& diskPath = cl.operands[1];

    DiskImage disk;
    if (!loadDisk(disk, diskPath))
        return 1;
    const std::vector<std::string> names(cl.operands.begin() + 2, cl.operands.end());
    // The user may give a name as the disk holds it or as the tape will.
    const auto matches = [](const DiskEntry& e, const std::string& n) {
        return capitals(n) == capitals(vornix::trimDiskName(e.name)) ||
               capitals(n) == capitals(vornix::tapeNameOf(e.name));
    };
    // Chosen files in directory order, each once.
    std::vector<const DiskEntry*> chosen;
    for (const DiskEntry& e : disk.entries()) {
        if (!e.isProgram())
            continue;
        const bool named =
            std::any_of(names.begin(), names.end(), [&](const std::string& n) { return matches(e, n); });
        const bool notClosed = vornix::neverClosed(e);
        if (names.empty() && notClosed) {
            note(diskPath + ": " + shown(e.name) + " is left out: " + describeNeverClosed(e) +
                 "; name it to add it anyway");
            continue;
        }
        if (names.empty() || named) {
            if (notClosed)
                note(diskPath + ": " + shown(e.name) + ": " + describeNeverClosed(e));
            chosen.push_back(&e);
        }
    }
    for (const std::string& n : names)
        if (std::none_of(chosen.begin(), chosen.end(), [&](const DiskEntry* e) { return matches(*e, n); }))
            return failure(diskPath + ": there is no PRG file named \"" + n + "\"; " + image +
                           " left as it was");
    if (chosen.empty())
        return failure(diskPath + ": the disk holds no closed PRG files; " + image + " left as it was");

    // Files are read before the image is locked: the lock covers the edit alone.
    std::vector<vornix::Bytes> programs(chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const vornix::FileReading reading = disk.readFile(*chosen[i], programs[i]);
        if (!reading.read)
            return failure(diskPath + ": " + describe(reading) + "; " + image + " left as it was");
        if (const std::string damage = describeBadBlocks(reading); !damage.empty())
            note(diskPath + ": " + damage);
    }

    // The whole read-modify-write holds the image's lock, as every edit does, so that edits
    // running side by side all land. A new image has nothing to lock yet.
    vornix::platform::ExclusiveLock lock;
    TapeDocument doc;
    std::error_code ec;
    const bool exists = std::filesystem::exists(vornix::platform::nativePath(image), ec) ||
                        std::filesystem::is_symlink(vornix::platform::nativePath(image), ec);
    if (exists) {
        if (const vornix::FileError e = lock.acquire(image))
            return failure(e.message());
        if (!openImage(doc, image))
            return 1;
    } else {
        doc.newImage();
        doc.setLabel(vornix::tapeNameOf(disk.diskName()));
    }
    const bool type01 =
        cl.flags.count("--type-01") ||
        (doc.count() > 0 && std::all_of(doc.entries().begin(), doc.entries().end(),
                                        [](const vornix::Entry& e) { return e.fileType == 0x01; }));
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const DiskEntry& e = *chosen[i];
        const vornix::AddResult r = doc.addProgram(diskPath + ": " + shown(e.name),
                                                   vornix::tapeNameOf(e.name), std::move(programs[i]));
        if (!r.added)
            return failure(r.reason + "; " + image + " left as it was");
    }
    const vornix::SaveResult saved = doc.saveAs(image, type01);
    if (!saved.written)
        return failure(saved.error);
    std::cout << image << ": " << chosen.size() << (chosen.size() == 1 ? " program" : " programs")
              << " added from " << diskPath << ", " << doc.count()
              << (doc.count() == 1 ? " entry" : " entries") << " in all\n";
    return 0;
}

} // namespace

std::vector<vornix::cli::Command> vornix::cli::diskCommands() {
    using Use = Parameter::Use;
    return {
        {"d64-export",
         "write entries to a new disk image",
         "Writes a new 35-track disk image OUT.d64 (replacing any file of that name) holding the\n"
         "given entries of IMAGE (all when none is given, N counted from 1) as closed PRG files,\n"
         "in list order. The disk is named after the tape label (at most 16 characters).\n"
         "Entries that do not fit on the disk (664 blocks, 144 files) are named and nothing is\n"
         "written.\n",
         {operand("IMAGE", "the T64 image"), operand("OUT.d64", "the disk image to write"),
          operand("N", "an entry to write, counted from 1", Use::Any)},
         "",
         d64Export},
        {"d64-list",
         "show the directory of a disk image",
         "Shows the disk name, ID and free blocks and, for every directory entry, its blocks,\n"
         "name and type as the drive lists them: a * marks a file that was not closed, < a\n"
         "locked one, and a name holding a shifted space (0xA0) has its quote closed there,\n"
         "the rest following outside. Control characters show as \\xNN. Files whose chain of\n"
         "blocks is damaged, or whose blocks the disk's error table marks bad, are marked and\n"
         "reported on standard error; the rest of the list stays usable. --json prints one JSON\n"
         "object instead; texts are the bytes held, each byte one code point from 0 to 255.\n",
         {operand("DISK.d64", "the disk image"), flag("--json", "prints one JSON object")},
         "",
         d64List},
        {"d64-import",
         "add PRG files of a disk image",
         "Adds the PRG files of DISK.d64 named (all closed PRG files when no name is given) to\n"
         "IMAGE, in directory order, under their names on disk. Names are matched without\n"
         "regard to the case of a-z. IMAGE is created when it does not exist, labelled with\n"
         "the disk name. If any file cannot be read or added, IMAGE is left as it was.\n"
         "Name and label bytes 0xC1 to 0xFF are stored less 0x80 (shifted letters become\n"
         "capitals), as every reading of a T64 image gives them, so that the names read back\n"
         "as written. A PRG that was never closed (*PRG in d64-list) is added only when named;\n"
         "blocks the disk's error table marks bad are read as they are, with a note.\n"
         "Entries keep file type 0x01 when every entry of IMAGE had it; --type-01 writes 0x01\n"
         "in any case.\n",
         {operand("IMAGE", "the T64 image, created when missing"), operand("DISK.d64", "the disk image"),
          operand("NAME", "a file on the disk", Use::Any),
          flag("--type-01", "writes file type 0x01 for every entry")},
         "",
         d64Import},
    };
}
