#pragma once
// What tape64, vornix-cli and the editor share on top of the tape reader: the lines that tell
// what a tape holds, and the files made from it (T64, P00, PRG, TAP) with their names.
#include "core/T64Image.h"
#include "core/TapeDocument.h"
#include "tape/TapeReader.h"
#include "tape/TapeWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vornix::tape {

// "TAP version 1, 123456 pulses, 62.3 s" or "WAV 44100 Hz, 16-bit, mono, 62.3 s".
std::string describeSource(const SourceInfo& source);
// `3: "NAME" $0801-$0A00, 511 bytes, ROM loader, at 12.3 s: good` (and the detail of a
// damaged file after the state).
std::string describeFile(std::size_t number, const FoundFile& file);
// A name as a terminal shows it: bytes outside printable ASCII become "?".
std::string printableName(const std::string& name);
// Why the tape gave nothing, as one sentence naming the file.
std::string failureMessage(const TapeAnalysis& analysis);
// "2 files: 1 good, 1 repaired, 0 damaged", with ", 1 no checksum" after "good" when there are such.
std::string summary(const std::vector<FoundFile>& files);

bool isDamaged(const FoundFile& file);
// " (checksum wrong)" or " (cut off)" for a damaged file, empty for a sound one: the mark a
// damaged file carries in the names it is written under.
std::string damageMark(const FoundFile& file);

// The name a file is written under, in a T64 entry (its first 16 bytes) and as a PRG or P00
// file: its own name, or for one block of a program stored as many blocks the program's name
// (or the loader's id in capitals and the program's number when the loader stores no name)
// and the block's number, so that the blocks of one program sort together: "GAME-000",
// "OCEAN02-013".
std::string outputName(const FoundFile& file);
// For a block: the program's part of outputName ("GAME", "OCEAN02"); for a whole file its name.
std::string programStem(const FoundFile& file);
// The file as an image entry named outputName and mark.
Entry entryFor(const FoundFile& file, const std::string& mark = {});
// An entry as a program to put on tape: its first 16 name bytes, load address and data.
ProgramToEncode programFor(const Entry& entry);

// The T64 label for a tape file: its name without folder and extension, capitals, at most
// 24 characters.
std::string labelFor(const std::string& tapePath);

// What became of a T64 the tool writes: the program the image refused, or the file's own fault.
struct OutputResult {
    bool written = false;
    AddResult refused; // a program the image would not take (its path names the program)
    SaveResult saved;  // the write of the image itself
};
// The core's sentence for why nothing was written.
std::string describe(const OutputResult& result);

// A T64 holding the files in order under their outputName, a damaged one's starting with
// "!", labelled after the tape, written through the core's image writer while it holds the
// lock of an image that is at path (lockExisting).
OutputResult writeT64(const std::vector<FoundFile>& files, const std::string& path,
                      const std::string& tapePath);

// A P00 file written under a name of its own.
struct P00Result {
    std::string path;        // the name the file got; when it failed, the name it failed on
    FileError failure;       // the file system's reason
    bool noFreeName = false; // .P00 to .P99 were all taken
    bool written() const { return !failure && !noFreeName; }
};

// Writes bytes as a new P00 file: target is FOLDER/PREFIX (no separator: the current folder).
// The name is PREFIX + the entry's safe name, or PREFIX + the two-digit number when number >
// 0, then mark, then ".P00"; ".P01", ".P02" ... when taken. The file is complete before it
// gets its name, and the name is taken in the same step, so it never replaces a file, also
// one that another run writes into the folder at the same moment.
P00Result writeP00(const std::string& target, const std::string& name, int number, const std::string& mark,
                   const std::vector<std::uint8_t>& bytes);

} // namespace vornix::tape
