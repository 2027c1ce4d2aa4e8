#pragma once
// Writing entries out as PRG files with names safe for the file system.
#include "core/T64Image.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vornix {

// Called per written chunk with the last multiple of 300 reached among the data byte
// indices written so far, and size - 1 (the window shows "index/last"). Called with
// index -1 when the entry is done (the window empties its panel).
using ExtractProgress = std::function<void(std::int64_t index, std::int64_t last)>;

struct ExtractResult {
    bool written = false;
    std::string path;  // the file written
    std::string error; // readable reason naming the file, when not written
    FileError failure; // the same as a reason the window can put in its own words
};

// The file name for an entry name: \ / : * ? " < > | become "_", and so do control
// characters (below 0x20, 0x7F to 0x9F); the rest are Latin-1 characters, written in the
// platform's file-name encoding.
std::string safeFileName(const std::string& entryName);

// folder + separator + safe name (no doubled separator; an empty folder is the current
// one), with the bytes <= 32 and shifted spaces (0xA0) at the end of the name dropped (and
// bytes <= 32 at its start when there is no folder), "_" for a name left empty, then ".PRG",
// or "_1.PRG", "_2.PRG", ... when taken. The folder is used as given: leading or trailing
// blanks in it are part of its name.
std::string extractionPath(const std::string& folder, const std::string& entryName);

// Extract entry: writes load address + data into a new file in folder, in chunks. The file
// has no name while it is written and gets its name only when complete, so an interrupted
// extraction never leaves a partial file under an entry's name. Never replaces an existing
// file (the numbered name is taken instead); a file that cannot be written completely is
// reported and left nowhere.
ExtractResult extractEntry(const Entry& entry, const std::string& folder,
                           const ExtractProgress& progress = {});

// The extraction loop the editor and vornix-cli share: writes the entries at the given
// positions (from 0), in that order, with write(position); stops at the first that is not
// written and returns its result (written == true when all were). Positions at or past
// count are skipped: the entry went while the command ran. done(position, result) hears of
// each file written.
using EntryWriter = std::function<ExtractResult(std::size_t position)>;
using EntryWritten = std::function<void(std::size_t position, const ExtractResult& result)>;
ExtractResult extractEach(const std::vector<std::size_t>& positions, std::size_t count,
                          const EntryWriter& write, const EntryWritten& done = {});

// A new file for an entry, still without a name (platform::createUnnamed), and the name it is
// to get: base + ".PRG", or base + "_1.PRG", ... when that is taken. result.path holds the
// first of these for messages; result.error says why the file could not be made (file.handle
// is then kNoHandle).
struct PrgFile {
    ExtractResult result;
    platform::TempFile file;
    std::string base;
};
using PrgCreator = std::function<PrgFile(std::size_t position)>;
// Writes the entry's load address and data into the file (without closing it); path names
// the file in messages.
using PrgFiller =
    std::function<FileError(std::size_t position, platform::Handle file, const std::string& path)>;

// The same loop with each file made in three steps: the files are created here, filled by
// this thread or a helper, side by side, and named here in the order of the positions as
// each is complete (so equal names are numbered in that order). A file that fails, and every
// file after it, is never named: nothing of them is left. done is called here, in order, as
// each file gets its name. fill may run on either thread, two at a time: it must not touch
// what create uses, nor keep state of its own between calls.
ExtractResult extractEach(const std::vector<std::size_t>& positions, std::size_t count,
                          const PrgCreator& create, const PrgFiller& fill, const EntryWritten& done = {});

// Extraction straight from an image file: only the directory is read, and each entry is
// copied from the file to its PRG file in blocks, so the image is never held in memory.
class ImageExtractor {
  public:
    ImageExtractor() = default;
    ~ImageExtractor();
    ImageExtractor(const ImageExtractor&) = delete;
    ImageExtractor& operator=(const ImageExtractor&) = delete;

    // Reads the directory; the entries (without data) are in directory().contents.
    const ReadResult& open(const std::string& imagePath);
    const ReadResult& directory() const { return directory_; }
    // Entry index (from 0) into folder, named as extractEntry names it, in the steps of the
    // two-thread extractEach: create makes the file, fill writes it (fill may run on another
    // thread than create).
    PrgFile create(std::size_t index, const std::string& folder) const;
    FileError fill(std::size_t index, platform::Handle file, const std::string& path) const;

  private:
    std::string path_;
    platform::Handle image_ = platform::kNoHandle;
    ReadResult directory_;
};

// Bytes written per chunk (and per progress report).
inline constexpr std::size_t kExtractChunk = 64 * 1024;

} // namespace vornix
