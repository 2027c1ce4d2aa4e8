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

class DiskImage {
  public:
    static constexpr std::size_t kSize35 = 174848;       // 683 sectors
    static constexpr std::size_t kSize35Errors = 175531; // plus one error byte per sector
    static constexpr std::size_t kSize40 = 196608;       // 768 sectors
    static constexpr std::size_t kSize40Errors = 197376;
    static constexpr int kMaxFiles = 144;   // 18 directory sectors of 8 entries
    static constexpr int kDiskBlocks = 664; // 35 tracks without the directory track

    // Reads a disk image. On failure returns false with "PATH: reason" in *error. A file
    // shorter than a 35-track disk is read as far as it goes (see notes()).
    bool load(const std::string& path, std::string* error);
    // The same on bytes in memory; *error then holds the reason alone.
    bool parse(Bytes bytes, std::string* error);

    const std::string& diskName() const { return diskName_; } // 16 bytes as stored
    const std::string& diskId() const { return diskId_; }     // 2 bytes
    const std::string& dosType() const { return dosType_; }   // 2 bytes
    int tracks() const { return tracks_; }
    bool hasErrorTable() const { return errorTable_; }
    // Free blocks by the BAM, outside the directory track, as the drive reports them.
    int blocksFree() const { return blocksFree_; }
    // Every used directory entry, in directory order (empty slots are left out).
    const std::vector<DiskEntry>& entries() const { return entries_; }
    // What is wrong with the image or its directory; each a readable sentence.
    const std::vector<std::string>& notes() const { return notes_; }

    // Follows the entry's chain of blocks and returns the file's bytes. A chain that loops,
    // leaves the disk or runs into a missing sector ends with false and "NAME: reason".
    // Blocks the error table marks bad are read as they are, with "NAME: ..." in *damage
    // naming them (empty when none is marked).
    bool readFile(const DiskEntry& entry, Bytes& out, std::string* error,
                  std::string* damage = nullptr) const;

  private:
    int sectorsOn(int track) const;
    // The error table's code for the sector at this byte offset; 1 (or 0) means no error.
    int errorCode(std::size_t offset) const;
    // Byte offset of a sector, or an empty reason when the link points at one that exists.
    std::string checkLink(int track, int sector, std::size_t& offset) const;

    Bytes image_;
    std::size_t dataSize_ = 0; // bytes of sector data actually present
    int tracks_ = 0;
    bool errorTable_ = false;
    std::string diskName_, diskId_, dosType_;
    int blocksFree_ = 0;
    std::vector<DiskEntry> entries_;
    std::vector<std::string> notes_;
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
// Why an entry is not offered among the programs a disk holds by default, or empty: a PRG
// that was never closed (the drive lists it as *PRG) holds what was written before the
// writer stopped, and is taken only when asked for by name.
std::string notClosedReason(const DiskEntry& entry);

// Builds a new 35-track disk image: disk name from `diskName` (cut to 16 characters), a
// fixed ID, one closed PRG per program in order, files at interleave 10 and directory
// blocks at interleave 3. A program that does not fit (664 blocks, 144 files) is refused:
// returns false with "NAME: reason" in *error and leaves `out` empty.
bool buildDisk(const std::string& diskName, const std::vector<DiskProgram>& programs, Bytes& out,
               std::string* error);
// Builds the disk and writes it through the temporary-file writer; a refused or failed
// write leaves any file at path as it was. *error: "PATH: reason".
bool writeDisk(const std::string& path, const std::string& diskName, const std::vector<DiskProgram>& programs,
               std::string* error);

// The ID written on every new disk.
inline constexpr char kNewDiskId[] = "VX";

} // namespace vornix
