// Whatever the input, the D64 reader stays inside the image, every file chain ends, and a
// file read holds no more than the disk's blocks can carry.
#include "core/D64Image.h"
#include "tests/fuzz/FuzzTargets.h"

#include <algorithm>

namespace vornix::fuzz {

namespace {

constexpr std::size_t kTrack17At = 0x15000;

void readAll(Bytes bytes) {
    DiskImage disk;
    if (const DiskOpenResult opened = disk.parse(std::move(bytes)); !opened.opened) {
        if (opened.refusal == DiskRefusal::None)
            fail("a disk refused without a reason");
        return;
    }
    for (const DiskEntry& entry : disk.entries()) {
        Bytes file;
        const FileReading reading = disk.readFile(entry, file);
        if (!reading.read) {
            if (!reading.broken)
                fail("a file chain broken without a reason");
            continue;
        }
        if (file.size() > 768u * 254u)
            fail("a file longer than the disk's blocks");
    }
}

} // namespace

int d64Reader(const std::uint8_t* data, std::size_t size) {
    // As an image, as long as it is; most inputs are too short to reach the directory.
    readAll(Bytes(data, data + size));
    // Laid over an empty 35-track disk from track 17 on, so that inputs of a few KB reach the
    // directory track (from byte 5376) and the tracks beside it, where files begin.
    Bytes disk(DiskImage::kSize35, 0);
    std::copy_n(data, std::min(size, disk.size() - kTrack17At), disk.begin() + kTrack17At);
    readAll(std::move(disk));
    return 0;
}

} // namespace vornix::fuzz
