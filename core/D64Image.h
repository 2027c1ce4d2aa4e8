#pragma once
// 1541 disk images (D64): the reader, which follows directory and file chains without ever
// trusting a link, and the writer of new 35-track disks holding PRG files.
#include "core/T64Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vornix {

// One directory entry as the disk holds it.
struct DiskEntry {
    std::uint8_t typeByte = 0; // bit 7 closed, bit 6 locked, bits 0-2 the file type
    std::uint8_t track = 0;    // first block of the file
    std::uint8_t sector = 0;
    std::string name; // 16 bytes as stored, 0xA0 fill included
    int blocks = 0;   // as the entry states it

    int type() const { return typeByte & 0x07; }
    bool closed() const { return (typeByte & 0x80) != 0; }
    bool locked() const { return (typeByte & 0x40) != 0; }
    bool isProgram() const { return type() == 2; }
    // "DEL", "SEQ", "PRG", "USR", "REL", or "?" for the codes 5 to 7.
    const char* typeName() const;
};

// A program for a new disk: its name, load address and data, held apart like a tape
// entry's so that an entry can be handed over without copying its data.
struct DiskProgram {
    std::string name;
    std::uint8_t load[2] = {0, 0}; // low, high
    EntryData data;

    // From the bytes of a PRG file (load address first; at least 2 bytes).
    static DiskProgram fromPrg(std::string name, const Bytes& prg);
    // The bytes of the PRG file: load address, then data.
    Bytes prg() const;
    std::size_t prgSize() const { return data.size() + 2; }
};

// A tape entry as a program for a disk; the second form takes over the entry's data.
DiskProgram diskProgramOf(const Entry& entry);
DiskProgram diskProgramOf(Entry&& entry);

// Where a chain of blocks leads nowhere.
enum class LinkProblem {
    None,
    NoSuchTrack,  // limit: the tracks the disk has
    NoSuchSector, // limit: the sectors the track has
    PastEnd,      // the sector lies past the end of a truncated image
    Loop,         // the chain comes back to a block it has passed
};

struct BrokenLink {
    LinkProblem problem = LinkProblem::None;
    int track = 0;
    int sector = 0;
    int limit = 0;

    explicit operator bool() const { return problem != LinkProblem::None; }
};

// Why a disk image was not read.
enum class DiskRefusal {
    None,
    Unreadable,  // see failure
    WrongSize,   // longer than a 35-track disk, yet of none of the four sizes an image has
    NoDirectory, // too short to reach its directory
};

struct DiskOpenResult {
    bool opened = false;
    std::string path; // empty for bytes in memory
    DiskRefusal refusal = DiskRefusal::None;
    std::uint64_t size = 0; // the image's length (WrongSize, NoDirectory)
    FileError failure;      // for DiskRefusal::Unreadable
};

// What is wrong with an image that was read all the same.
struct DiskNote {
    enum class Kind {
        Truncated,       // shorter than a 35-track disk: size says how long
        DirectoryBroken, // link says where; the entries after the first `listed` are not listed
    };
    Kind kind = Kind::Truncated;
    std::uint64_t size = 0;
    BrokenLink link;
    std::size_t listed = 0;
};

// A block the disk's error table marks bad, with the table's code.
struct BadBlock {
    int track = 0;
    int sector = 0;
    int code = 0;
};

// How reading a file went: whole, whole with blocks marked bad, or not at all.
struct FileReading {
    bool read = false;
    std::string name;   // the entry's name as stored
    BrokenLink broken;  // where the chain breaks, when it was not read
    int blocksRead = 0; // blocks followed before the chain broke
    // When read: the blocks met that the error table marks bad, read as the image holds them.
    std::vector<BadBlock> badBlocks;
};

// Why a new disk was not written.
enum class DiskWriteRefusal {
    None,
    TooManyFiles, // program is the 145th
    DoesNotFit,   // program needs blocksNeeded, only blocksLeft are free
    CannotWrite,  // see failure
};

struct DiskWriteResult {
    bool written = false;
    std::string path;
    DiskWriteRefusal refusal = DiskWriteRefusal::None;
    std::size_t program = 0; // the program refused, counted from 0
    std::string name;        // its name as the disk would hold it, without fill
    int blocksNeeded = 0;
    int blocksLeft = 0;
    int blocksUsed = 0; // when they fit: the blocks all programs take
    FileError failure;
};

class DiskImage {
  public:
    static constexpr std::size_t kSize35 = 174848;       // 683 sectors
    static constexpr std::size_t kSize35Errors = 175531; // plus one error byte per sector
    static constexpr std::size_t kSize40 = 196608;       // 768 sectors
    static constexpr std::size_t kSize40Errors = 197376;
    static constexpr int kMaxFiles = 144;   // 18 directory sectors of 8 entries
    static constexpr int kDiskBlocks = 664; // 35 tracks without the directory track

    // Reads a disk image. A file shorter than a 35-track disk is read as far as it goes (see
    // notes()).
    DiskOpenResult load(const std::string& path);
    // The same on bytes in memory.
    DiskOpenResult parse(Bytes bytes);

    const std::string& diskName() const { return diskName_; } // 16 bytes as stored
    const std::string& diskId() const { return diskId_; }     // 2 bytes
    const std::string& dosType() const { return dosType_; }   // 2 bytes
    int tracks() const { return tracks_; }
    bool hasErrorTable() const { return errorTable_; }
    // Free blocks by the BAM, outside the directory track, as the drive reports them.
    int blocksFree() const { return blocksFree_; }
    // Every used directory entry, in directory order (empty slots are left out).
    const std::vector<DiskEntry>& entries() const { return entries_; }
    // What is wrong with the image or its directory.
    const std::vector<DiskNote>& notes() const { return notes_; }

    // Follows the entry's chain of blocks into out. A chain that loops, leaves the disk or
    // runs into a missing sector leaves out empty. Blocks the error table marks bad are read
    // as they are, and named.
    FileReading readFile(const DiskEntry& entry, Bytes& out) const;

  private:
    int sectorsOn(int track) const;
    // The error table's code for the sector at this byte offset; 1 (or 0) means no error.
    int errorCode(std::size_t offset) const;
    // Byte offset of a sector in offset, or what is wrong with a link to it.
    BrokenLink checkLink(int track, int sector, std::size_t& offset) const;

    Bytes image_;
    std::size_t dataSize_ = 0; // bytes of sector data actually present
    int tracks_ = 0;
    bool errorTable_ = false;
    std::string diskName_, diskId_, dosType_;
    int blocksFree_ = 0;
    std::vector<DiskEntry> entries_;
    std::vector<DiskNote> notes_;
};

// Sectors on a track of a 1541 disk (tracks 1 to 40), 0 for any other track.
int sectorsPerTrack(int track);
// Blocks a PRG of this many bytes takes on disk (254 data bytes per block, at least one).
int blocksFor(std::size_t bytes);
// The name without its trailing fill of shifted spaces (0xA0).
std::string trimDiskName(const std::string& name);
// A disk name as a tape entry holds it: trimmed, and mapped as tape names are on reading
// (0xC1 to 0xFF lose 0x80), so that what is stored is what the next read gives.
std::string tapeNameOf(const std::string& diskName);
// A file that was never closed (the drive lists it as *PRG) holds what was written before the
// writer stopped: it is not offered among the programs a disk holds by default, and is taken
// only when asked for by name.
bool neverClosed(const DiskEntry& entry);

// Whether the programs fit on a new disk (664 blocks, 144 files): refusal None with
// blocksUsed, or the first program that does not fit.
DiskWriteResult checkDiskFit(const std::vector<DiskProgram>& programs);
// Builds a new 35-track disk image: disk name from `diskName` (cut to 16 characters), a
// fixed ID, one closed PRG per program in order, files at interleave 10 and directory
// blocks at interleave 3. Programs that do not fit are refused and leave `out` empty.
DiskWriteResult buildDisk(const std::string& diskName, const std::vector<DiskProgram>& programs, Bytes& out);
// Builds the disk and writes it through the temporary-file writer; a refused or failed
// write leaves any file at path as it was.
DiskWriteResult writeDisk(const std::string& path, const std::string& diskName,
                          const std::vector<DiskProgram>& programs);

// The ID written on every new disk.
inline constexpr char kNewDiskId[] = "VX";

} // namespace vornix
