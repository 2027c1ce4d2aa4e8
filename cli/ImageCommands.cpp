// Subcommands on T64 images: each reads and writes through the same document the editor uses.
#include "cli/Commands.h"

#include "cli/CommandLine.h"
#include "cli/Json.h"

#include "core/Extraction.h"
#include "core/FileIO.h"
#include "core/PlatformFile.h"
#include "core/T64Image.h"
#include "core/TapeDocument.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

using vornix::TapeDocument;
using namespace vornix::cli;

namespace {

const char kCommonOptions[] =
    "\nCommands that change an image open it, apply the change and save it in place; on any\n"
    "error the image on disk is left untouched. Entries keep file type 0x01 when every entry\n"
    "of the image had it; --type-01 writes 0x01 in any case.\n";

// Entries keep type 0x01 through an edit when the image used it throughout.
bool usesType01(const TapeDocument& doc) {
    return doc.count() > 0 && std::all_of(doc.entries().begin(), doc.entries().end(),
                                          [](const vornix::Entry& e) { return e.fileType == 0x01; });
}

int save(TapeDocument& doc, const std::string& path, bool type01) {
    const vornix::SaveResult r = doc.saveAs(path, type01);
    return r.written ? 0 : failure(r.error);
}

bool isEntryNumber(const std::string& text) { return entryNumber(text).has_value(); }

// Resolves an entry number (already checked by isEntryNumber) against the image; prints the
// error itself.
std::optional<int> entryIndex(const TapeDocument& doc, const std::string& path, const std::string& text) {
    const int n = *entryNumber(text);
    if (n > doc.count()) {
        failure(path + ": there is no entry " + text + " (the image holds " + std::to_string(doc.count()) +
                (doc.count() == 1 ? " entry)" : " entries)"));
        return std::nullopt;
    }
    return n - 1;
}

bool addAll(TapeDocument& doc, const std::vector<std::string>& prgs) {
    bool ok = true;
    for (const vornix::AddResult& r : doc.addPrograms(prgs))
        if (!r.added) {
            failure(r.reason);
            ok = false;
        }
    return ok;
}

void setLabel(TapeDocument& doc, const std::string& image, const std::string& text) {
    if (text.size() > vornix::kLabelSize)
        note(image + ": the label is cut to " + std::to_string(vornix::kLabelSize) + " characters");
    doc.setLabel(TapeDocument::capitals(text));
}

void setCapacity(TapeDocument& doc, const std::string& image, int value) {
    doc.setCapacity(value);
    if (doc.capacity() != value)
        note(image + ": capacity " + std::to_string(value) + " is outside " +
             std::to_string(doc.capacityLowerLimit()) + " to " + std::to_string(doc.capacityUpperLimit()) +
             "; it is " + std::to_string(doc.capacity()));
}

std::string hex4(int value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "$%04X", value);
    return buf;
}

int address(const std::uint8_t (&bytes)[2]) { return bytes[0] | bytes[1] << 8; }

int listImage(const CommandLine& cl) {
    const std::string& path = cl.operands[0];
    // The listing needs only the directory, never the entries' data.
    const vornix::ReadResult r = vornix::readImageDirectory(path);
    if (!r.accepted)
        return failure(r.error);
    for (const std::string& repair : r.repairs)
        note(path + ": directory repaired: " + repair);

    const vornix::T64Contents& c = r.contents;
    const std::string label = c.label.substr(0, c.label.find('\0'));
    std::ostringstream out;
    if (cl.flags.count("--json")) {
        // Built in one string: scripts list large images in loops.
        Json json;
        json.reserve(64 + c.entries.size() * 112);
        json.object().key("label").text(label).key("capacity").number(c.capacity).key("entries").array(true);
        for (std::size_t i = 0; i < c.entries.size(); ++i) {
            const vornix::Entry& e = c.entries[i];
            json.object().key("number").number(i + 1).key("name").text(e.name).key("size").number(e.size);
            json.key("load").number(address(e.load)).key("end").number(address(e.end)).end();
        }
        const std::string text = json.finish();
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    } else {
        out << "label:    \"" << plainText(label) << "\"\ncapacity: " << c.capacity
            << "\nentries:  " << c.count << "\n";
        if (!c.entries.empty())
            out << "\n  Nr  Name                    Size  Load   End\n";
        for (std::size_t i = 0; i < c.entries.size(); ++i) {
            const vornix::Entry& e = c.entries[i];
            char line[96];
            std::snprintf(line, sizeof line, "%4zu  \"", i + 1);
            out << line << plainText(e.name) << "\"";
            std::snprintf(line, sizeof line, " %10d  %s  %s\n", e.size, hex4(address(e.load)).c_str(),
                          hex4(address(e.end)).c_str());
            out << line;
        }
    }
    std::cout << out.str();
    return 0;
}

int createImage(const CommandLine& cl) {
    std::optional<int> capacity;
    if (const auto it = cl.values.find("--capacity"); it != cl.values.end()) {
        capacity = number(it->second, 0, vornix::kMaxSlots);
        if (!capacity)
            return usageError(cl, "--capacity needs a number from 0 to " + std::to_string(vornix::kMaxSlots) +
                                      ", not '" + it->second + "'");
    }
    // The new image replaces any file of its name: never one of the programs it is made of.
    for (std::size_t i = 1; i < cl.operands.size(); ++i)
        if (const std::string same =
                overwritesInput(cl.operands[i], cl.operands[0], "the program " + cl.operands[i]);
            !same.empty())
            return failure(same);
    TapeDocument doc;
    doc.newImage();
    if (!addAll(doc, std::vector<std::string>(cl.operands.begin() + 1, cl.operands.end())))
        return failure(cl.operands[0] + ": not created");
    if (const auto it = cl.values.find("--label"); it != cl.values.end())
        setLabel(doc, cl.operands[0], it->second);
    if (capacity)
        setCapacity(doc, cl.operands[0], *capacity);
    // An image the new one replaces may be in the middle of an edit: it lands before or after.
    vornix::platform::ExclusiveLock lock;
    if (const vornix::FileError e = vornix::lockExisting(cl.operands[0], lock))
        return failure(e.message());
    return save(doc, cl.operands[0], cl.flags.count("--type-01") > 0);
}

std::optional<int> addPrograms(TapeDocument& doc, const CommandLine& c) {
    if (!addAll(doc, std::vector<std::string>(c.operands.begin() + 1, c.operands.end())))
        return failure(c.operands[0] + ": left as it was");
    return std::nullopt;
}

std::optional<int> deleteEntry(TapeDocument& doc, const CommandLine& c) {
    const std::optional<int> p = entryIndex(doc, c.operands[0], c.operands[1]);
    if (!p)
        return 1;
    doc.deleteSelected({*p});
    return std::nullopt;
}

std::optional<int> renameEntry(TapeDocument& doc, const CommandLine& c) {
    const std::optional<int> p = entryIndex(doc, c.operands[0], c.operands[1]);
    if (!p)
        return 1;
    if (c.operands[2].size() > vornix::kNameSize)
        note(c.operands[0] + ": the name is cut to " + std::to_string(vornix::kNameSize) + " characters");
    doc.rename(*p, c.operands[2]);
    return std::nullopt;
}

std::string oneWay(const CommandLine& c) {
    std::size_t chosen = 0;
    for (const char* w : {"--top", "--bottom", "--up", "--down"})
        chosen += c.flags.count(w);
    return chosen == 1 ? std::string() : "give exactly one of --top, --bottom, --up, --down";
}

std::optional<int> moveEntry(TapeDocument& doc, const CommandLine& c) {
    const std::optional<int> p = entryIndex(doc, c.operands[0], c.operands[1]);
    if (!p)
        return 1;
    const bool towardsTop = c.flags.count("--top") || c.flags.count("--up");
    const int edge = towardsTop ? 0 : doc.count() - 1;
    if (*p == edge) {
        note(c.operands[0] + ": entry " + c.operands[1] + " is already at the " +
             (towardsTop ? "top" : "bottom") + "; nothing changed");
        return 0;
    }
    if (c.flags.count("--top"))
        doc.moveToTop({*p});
    else if (c.flags.count("--bottom"))
        doc.moveToBottom({*p});
    else if (c.flags.count("--up"))
        doc.moveUp({*p});
    else
        doc.moveDown({*p});
    return std::nullopt;
}

std::optional<int> relabel(TapeDocument& doc, const CommandLine& c) {
    setLabel(doc, c.operands[0], c.operands[1]);
    return std::nullopt;
}

std::string capacityNumber(const CommandLine& c) {
    if (number(c.operands[1], 0, vornix::kMaxSlots))
        return {};
    return "N must be a number from 0 to " + std::to_string(vornix::kMaxSlots) + ", not '" + c.operands[1] +
           "'";
}

std::optional<int> resize(TapeDocument& doc, const CommandLine& c) {
    doc.setCapacityEditLimits(true);
    setCapacity(doc, c.operands[0], *number(c.operands[1], 0, vornix::kMaxSlots));
    return std::nullopt;
}

int extractEntries(const CommandLine& cl) {
    for (std::size_t i = 1; i < cl.operands.size(); ++i)
        if (!entryNumber(cl.operands[i]))
            return usageError(cl, notAnEntryNumber(cl.operands[i]));
    std::string folder = ".";
    if (const auto it = cl.values.find("-o"); it != cl.values.end())
        folder = it->second;
    if (const auto it = cl.values.find("--output"); it != cl.values.end())
        folder = it->second;
    if (folder.empty())
        return usageError(cl, "-o needs a folder");

    const std::string& image = cl.operands[0];
    // Streamed: the directory, then each entry copied from the image file to its PRG file.
    vornix::ImageExtractor extractor;
    const vornix::ReadResult& r = extractor.open(image);
    if (!r.accepted)
        return failure(r.error);
    for (const std::string& repair : r.repairs)
        note(image + ": directory repaired: " + repair);
    const int count = r.contents.count;
    std::set<std::size_t> chosen;
    for (std::size_t i = 1; i < cl.operands.size(); ++i) {
        const int n = *entryNumber(cl.operands[i]);
        if (n > count)
            return failure(image + ": there is no entry " + cl.operands[i] + " (the image holds " +
                           std::to_string(count) + (count == 1 ? " entry)" : " entries)"));
        chosen.insert(static_cast<std::size_t>(n - 1));
    }
    if (cl.operands.size() == 1)
        for (int p = 0; p < count; ++p)
            chosen.insert(static_cast<std::size_t>(p));
    if (!outputFolder(folder))
        return 1;
    std::string written;
    const vornix::ExtractResult x = vornix::extractEach(
        {chosen.begin(), chosen.end()}, static_cast<std::size_t>(count),
        [&](std::size_t p) { return extractor.create(p, folder); },
        [&](std::size_t p, vornix::platform::Handle file, const std::string& path) {
            return extractor.fill(p, file, path);
        },
        [&](std::size_t, const vornix::ExtractResult& done) { written += done.path + "\n"; });
    std::cout << written << std::flush;
    if (!x.written)
        return failure(x.error);
    return 0;
}

} // namespace

namespace vornix::cli {

Command imageEdit(Command command, bool numbered, ImageChange change, ImageCheck check) {
    command.parameters.push_back(flag("--type-01", "writes file type 0x01 for every entry"));
    command.shared = kCommonOptions;
    command.run = [numbered, change, check](const CommandLine& cl) -> int {
        if (check)
            if (const std::string problem = check(cl); !problem.empty())
                return usageError(cl, problem);
        if (numbered && !isEntryNumber(cl.operands[1]))
            return usageError(cl, notAnEntryNumber(cl.operands[1]));
        const std::string& image = cl.operands[0];
        // The whole read-modify-write holds the lock, so two commands on one image both land.
        vornix::platform::ExclusiveLock lock;
        if (const vornix::FileError e = lock.acquire(image))
            return failure(e.message());
        TapeDocument doc;
        // The image keeps its capacity; only the capacity command applies the editor's limits.
        doc.setCapacityEditLimits(false);
        if (!openImage(doc, image))
            return 1;
        const bool type01 = cl.flags.count("--type-01") || usesType01(doc);
        if (const std::optional<int> code = change(doc, cl))
            return *code;
        return save(doc, image, type01);
    };
    return command;
}

std::vector<Command> imageCommands() {
    using Use = Parameter::Use;
    const Parameter image = operand("IMAGE", "the T64 image");
    const Parameter entry = operand("N", "an entry, counted from 1");
    return {
        {"list",
         "show the label, capacity and entries",
         "Shows the label, the capacity as the header holds it (before the editor limits it),\n"
         "the number of entries and, for every entry, its number, name (16 characters, as\n"
         "held), size and load and end addresses. --json prints one JSON object instead;\n"
         "texts are the bytes held, each byte one code point from 0 to 255.\n"
         "Directories that had to be repaired on reading are reported on standard error.\n",
         {image, flag("--json", "prints one JSON object")},
         "",
         listImage},
        {"create",
         "create an image of PRG files",
         "Creates IMAGE (replacing any file of that name) holding the PRG files in the order\n"
         "given. Names come from the file names as in the editor. Letters a-z of the label\n"
         "become capitals; an empty label is written as \".\". The capacity is at least the\n"
         "number of entries and at most 99 (unless more entries are added); without\n"
         "--capacity it follows the entries. --type-01 marks the entries with file type\n"
         "0x01 instead of 0x82.\n",
         {operand("IMAGE", "the T64 image to write"), valued("--label", "TEXT", "the tape label"),
          valued("--capacity", "N", "the number of directory slots"),
          flag("--type-01", "writes file type 0x01 for every entry"),
          operand("PRG", "a program file to hold", Use::Any)},
         "",
         createImage},
        imageEdit({"add",
                   "append PRG files",
                   "Appends the PRG files to IMAGE in the order given. If any file cannot be added\n"
                   "the image is left as it was.\n",
                   {image, operand("PRG", "a program file to append", Use::Many).missingText("PRG files")}},
                  false, addPrograms),
        imageEdit({"delete",
                   "remove an entry",
                   "Removes entry N (counted from 1). The capacity stays.\n",
                   {image, entry}},
                  true, deleteEntry),
        imageEdit({"rename",
                   "rename an entry",
                   "Renames entry N: letters a-z become capitals, at most 16 characters are kept.\n",
                   {image, entry, operand("NAME", "the new name")}},
                  true, renameEntry),
        imageEdit({"move",
                   "move an entry in the list",
                   "Moves entry N to the top or the bottom of the list, or one place up or down.\n",
                   {image, entry, flag("--top", "to the top", Use::Required),
                    flag("--bottom", "to the bottom", Use::OrPrevious),
                    flag("--up", "one place up", Use::OrPrevious),
                    flag("--down", "one place down", Use::OrPrevious)}},
                  true, moveEntry, oneWay),
        imageEdit({"label",
                   "set the tape label",
                   "Sets the tape label: letters a-z become capitals, at most 24 characters are kept;\n"
                   "an empty label is written as \".\".\n",
                   {image, operand("TEXT", "the new label")}},
                  false, relabel),
        imageEdit({"capacity",
                   "set the number of directory slots",
                   "Sets the number of directory slots to N (0 to 255), clamped as the editor's box\n"
                   "clamps it: never below the number of entries, and above 99 only while the image\n"
                   "holds 99 entries or more. A clamped value is set with a note saying so, and the\n"
                   "command succeeds.\n",
                   {image, operand("N", "the number of slots")}},
                  false, resize, capacityNumber),
        {"extract",
         "write entries as PRG files",
         "Writes the given entries (all when none is given) as PRG files into DIR (default:\n"
         "the current folder), in list order, named after the entries; a name that is\n"
         "taken gets _1, _2, ... A DIR that does not exist is made. Prints each file\n"
         "written.\n",
         {image, operand("N", "an entry to write, counted from 1", Use::Any),
          valued("-o,--output", "DIR", "the folder to write into")},
         "",
         extractEntries},
    };
}

} // namespace vornix::cli
