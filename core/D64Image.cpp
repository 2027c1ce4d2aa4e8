#include "core/D64Image.h"

#include "core/FileIO.h"

#include <algorithm>
#include <array>

namespace vornix {

namespace {

constexpr int kDirTrack = 18;
constexpr int kSectorSize = 256;
constexpr int kDataPerBlock = 254;
constexpr int kEntrySize = 32;
constexpr int kEntriesPerSector = 8;
constexpr int kFileInterleave = 10;
constexpr int kDirInterleave = 3;
constexpr std::uint8_t kShiftedSpace = 0xA0;
constexpr std::size_t kBamNameAt = 0x90;

// Index of each track's first sector in the image, tracks 1 to 40 (and one past the end).
const std::array<int, 42>& trackStarts() {
    static const std::array<int, 42> starts = [] {
        std::array<int, 42> s{};
        for (int t = 1; t <= 40; ++t)
            s[t + 1] = s[t] + sectorsPerTrack(t);
        return s;
    }();
    return starts;
}

std::size_t sectorOffset(int track, int sector) {
    return static_cast<std::size_t>(trackStarts()[track] + sector) * kSectorSize;
}

// 16 bytes: the text cut to 16, then shifted spaces.
std::string padded(const std::string& text) {
    std::string out = text.substr(0, 16);
    out.resize(16, static_cast<char>(kShiftedSpace));
    return out;
}

// Tape names and labels are filled with spaces (or NULs); the disk fills with 0xA0.
std::string withoutTapeFill(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0' ||
                             static_cast<std::uint8_t>(text.back()) == kShiftedSpace))
        text.pop_back();
    return text;
}

// The block allocation map of a new disk.
class Bam {
  public:
    Bam() {
        for (int t = 1; t <= 35; ++t)
            for (int s = 0; s < sectorsPerTrack(t); ++s)
                free_[t][s] = true;
    }
    bool isFree(int t, int s) const { return free_[t][s]; }
    int freeOn(int t) const { return static_cast<int>(std::count(free_[t].begin(), free_[t].end(), true)); }
    void take(int t, int s) { free_[t][s] = false; }

    // The track entries at 18/0: free count and a bit per sector (1 = free).
    void store(std::uint8_t* bam) const {
        for (int t = 1; t <= 35; ++t) {
            std::uint8_t* e = bam + 4 * t;
            e[0] = static_cast<std::uint8_t>(freeOn(t));
            for (int s = 0; s < sectorsPerTrack(t); ++s)
                if (free_[t][s])
                    e[1 + s / 8] |= static_cast<std::uint8_t>(1 << (s % 8));
        }
    }

  private:
    std::array<std::array<bool, 21>, 36> free_{};
};

// Hands out file blocks the way the drive does: tracks nearest the directory first (17
// down to 1, then 19 up to 35), each next block `kFileInterleave` sectors on.
class BlockCursor {
  public:
    explicit BlockCursor(Bam& bam) : bam_(bam) {
        for (int t = kDirTrack - 1; t >= 1; --t)
            order_.push_back(t);
        for (int t = kDirTrack + 1; t <= 35; ++t)
            order_.push_back(t);
    }
    // The caller has checked that enough blocks are free.
    std::pair<int, int> next() {
        while (bam_.freeOn(order_[at_]) == 0) {
            ++at_;
            last_ = -1;
        }
        const int t = order_[at_];
        const int n = sectorsPerTrack(t);
        int s = last_ < 0 ? 0 : (last_ + kFileInterleave) % n;
        while (!bam_.isFree(t, s))
            s = (s + 1) % n;
        bam_.take(t, s);
        last_ = s;
        return {t, s};
    }

  private:
    Bam& bam_;
    std::vector<int> order_;
    std::size_t at_ = 0;
    int last_ = -1;
};

} // namespace

int sectorsPerTrack(int track) {
    if (track < 1 || track > 40)
        return 0;
    if (track <= 17)
        return 21;
    if (track <= 24)
        return 19;
    if (track <= 30)
        return 18;
    return 17;
}

DiskProgram DiskProgram::fromPrg(std::string name, const Bytes& prg) {
    DiskProgram p{std::move(name), {prg.at(0), prg.at(1)}, Bytes(prg.begin() + 2, prg.end())};
    return p;
}

Bytes DiskProgram::prg() const {
    Bytes out;
    out.reserve(prgSize());
    out.push_back(load[0]);
    out.push_back(load[1]);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

DiskProgram diskProgramOf(const Entry& entry) {
    return DiskProgram{entry.name, {entry.load[0], entry.load[1]}, entry.data};
}

DiskProgram diskProgramOf(Entry&& entry) {
    return DiskProgram{std::move(entry.name), {entry.load[0], entry.load[1]}, std::move(entry.data)};
}

int blocksFor(std::size_t bytes) {
    return bytes == 0 ? 1 : static_cast<int>((bytes + kDataPerBlock - 1) / kDataPerBlock);
}

std::string tapeNameOf(const std::string& diskName) {
    const std::string trimmed = trimDiskName(diskName);
    return mapNameBytes(reinterpret_cast<const std::uint8_t*>(trimmed.data()), trimmed.size());
}

bool neverClosed(const DiskEntry& entry) { return !entry.closed() && entry.type() != 0; }

std::string trimDiskName(const std::string& name) {
    std::size_t end = name.size();
    while (end > 0 && static_cast<std::uint8_t>(name[end - 1]) == kShiftedSpace)
        --end;
    return name.substr(0, end);
}

const char* DiskEntry::typeName() const {
    static const char* const kNames[] = {"DEL", "SEQ", "PRG", "USR", "REL"};
    return type() < 5 ? kNames[type()] : "?";
}

int DiskImage::sectorsOn(int track) const { return track <= tracks_ ? sectorsPerTrack(track) : 0; }

BrokenLink DiskImage::checkLink(int track, int sector, std::size_t& offset) const {
    if (track < 1 || track > tracks_)
        return {LinkProblem::NoSuchTrack, track, sector, tracks_};
    if (sector >= sectorsOn(track))
        return {LinkProblem::NoSuchSector, track, sector, sectorsOn(track)};
    offset = sectorOffset(track, sector);
    if (offset + kSectorSize > dataSize_)
        return {LinkProblem::PastEnd, track, sector, 0};
    return {};
}

DiskOpenResult DiskImage::load(const std::string& path) {
    Bytes bytes;
    DiskOpenResult result;
    if (FileError e = readWholeFile(path, bytes, kSize40Errors)) {
        result.refusal = DiskRefusal::Unreadable;
        result.failure = std::move(e);
    } else {
        result = parse(std::move(bytes));
    }
    result.path = path;
    return result;
}

DiskOpenResult DiskImage::parse(Bytes bytes) {
    *this = DiskImage();
    DiskOpenResult result;
    const std::size_t length = bytes.size();
    result.size = length;
    switch (length) {
    case kSize35:
    case kSize35Errors: tracks_ = 35; break;
    case kSize40:
    case kSize40Errors: tracks_ = 40; break;
    default:
        if (length > kSize35) {
            result.refusal = DiskRefusal::WrongSize;
            return result;
        }
        tracks_ = 35;
        notes_.push_back({DiskNote::Kind::Truncated, length, {}, 0});
    }
    errorTable_ = length == kSize35Errors || length == kSize40Errors;
    dataSize_ = std::min(length, static_cast<std::size_t>(trackStarts()[tracks_ + 1]) * kSectorSize);
    image_ = std::move(bytes);

    std::size_t bamAt = 0;
    if (checkLink(kDirTrack, 0, bamAt)) {
        *this = DiskImage();
        result.refusal = DiskRefusal::NoDirectory;
        return result;
    }
    const std::uint8_t* bam = image_.data() + bamAt;
    diskName_.assign(bam + kBamNameAt, bam + kBamNameAt + 16);
    diskId_.assign(bam + 0xA2, bam + 0xA4);
    dosType_.assign(bam + 0xA5, bam + 0xA7);
    for (int t = 1; t <= 35; ++t)
        if (t != kDirTrack)
            blocksFree_ += bam[4 * t];

    // The drive starts the directory at 18/1 whatever the BAM's link says.
    std::vector<bool> seen(static_cast<std::size_t>(trackStarts()[41]), false);
    int track = kDirTrack, sector = 1;
    while (track != 0) {
        std::size_t at = 0;
        BrokenLink bad = checkLink(track, sector, at);
        if (!bad && seen[at / kSectorSize])
            bad = {LinkProblem::Loop, track, sector, 0};
        if (bad) {
            notes_.push_back({DiskNote::Kind::DirectoryBroken, length, bad, entries_.size()});
            break;
        }
        seen[at / kSectorSize] = true;
        const std::uint8_t* d = image_.data() + at;
        for (int i = 0; i < kEntriesPerSector; ++i) {
            const std::uint8_t* e = d + kEntrySize * i;
            if (e[2] == 0)
                continue; // a free slot
            DiskEntry entry;
            entry.typeByte = e[2];
            entry.track = e[3];
            entry.sector = e[4];
            entry.name.assign(e + 5, e + 21);
            entry.blocks = e[30] | e[31] << 8;
            entries_.push_back(std::move(entry));
        }
        track = d[0];
        sector = d[1];
    }
    result.opened = true;
    return result;
}

int DiskImage::errorCode(std::size_t offset) const {
    if (!errorTable_)
        return 1;
    const std::size_t at =
        static_cast<std::size_t>(trackStarts()[tracks_ + 1]) * kSectorSize + offset / kSectorSize;
    return at < image_.size() ? image_[at] : 1;
}

FileReading DiskImage::readFile(const DiskEntry& entry, Bytes& out) const {
    out.clear();
    FileReading reading;
    reading.name = entry.name;
    // The stated size is only a hint: a damaged entry must not make us reserve much.
    out.reserve(static_cast<std::size_t>(std::min(entry.blocks, 768)) * kDataPerBlock);
    std::vector<bool> seen(static_cast<std::size_t>(trackStarts()[41]), false);
    int track = entry.track, sector = entry.sector;
    for (;;) {
        std::size_t at = 0;
        BrokenLink bad = checkLink(track, sector, at);
        if (!bad && seen[at / kSectorSize])
            bad = {LinkProblem::Loop, track, sector, 0};
        if (bad) {
            out.clear();
            reading.broken = bad;
            reading.badBlocks.clear();
            return reading;
        }
        seen[at / kSectorSize] = true;
        ++reading.blocksRead;
        if (const int code = errorCode(at); code != 0 && code != 1)
            reading.badBlocks.push_back({track, sector, code});
        const std::uint8_t* b = image_.data() + at;
        if (b[0] == 0) {
            // The last block: byte 1 is the position of its last used byte.
            const int used = b[1] >= 2 ? b[1] - 1 : 0;
            out.insert(out.end(), b + 2, b + 2 + used);
            reading.read = true;
            return reading;
        }
        out.insert(out.end(), b + 2, b + kSectorSize);
        track = b[0];
        sector = b[1];
    }
}

DiskWriteResult checkDiskFit(const std::vector<DiskProgram>& programs) {
    DiskWriteResult fit;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const int blocks = blocksFor(programs[i].prgSize());
        const bool tooMany = i >= static_cast<std::size_t>(DiskImage::kMaxFiles);
        if (tooMany || fit.blocksUsed + blocks > DiskImage::kDiskBlocks) {
            fit.refusal = tooMany ? DiskWriteRefusal::TooManyFiles : DiskWriteRefusal::DoesNotFit;
            fit.program = i;
            fit.name = withoutTapeFill(programs[i].name).substr(0, 16);
            fit.blocksNeeded = blocks;
            fit.blocksLeft = DiskImage::kDiskBlocks - fit.blocksUsed;
            return fit;
        }
        fit.blocksUsed += blocks;
    }
    return fit;
}

DiskWriteResult buildDisk(const std::string& diskName, const std::vector<DiskProgram>& programs, Bytes& out) {
    out.clear();
    DiskWriteResult fit = checkDiskFit(programs);
    if (fit.refusal != DiskWriteRefusal::None)
        return fit;

    Bytes disk(DiskImage::kSize35, 0);
    Bam bam;
    bam.take(kDirTrack, 0);

    // Directory blocks: 18/1, then three sectors on each time, skipping those taken.
    const int dirSectors = std::max<int>(1, static_cast<int>((programs.size() + 7) / kEntriesPerSector));
    std::vector<int> dir;
    for (int s = 1; static_cast<int>(dir.size()) < dirSectors;) {
        while (!bam.isFree(kDirTrack, s))
            s = (s + 1) % sectorsPerTrack(kDirTrack);
        bam.take(kDirTrack, s);
        dir.push_back(s);
        s = (s + kDirInterleave) % sectorsPerTrack(kDirTrack);
    }
    for (std::size_t k = 0; k < dir.size(); ++k) {
        std::uint8_t* d = disk.data() + sectorOffset(kDirTrack, dir[k]);
        d[0] = k + 1 < dir.size() ? kDirTrack : 0;
        d[1] = k + 1 < dir.size() ? static_cast<std::uint8_t>(dir[k + 1]) : 0xFF;
    }

    BlockCursor cursor(bam);
    std::vector<std::pair<int, int>> chain;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const DiskProgram& p = programs[i];
        const std::size_t size = p.prgSize();
        const int blocks = blocksFor(size);
        chain.clear();
        for (int k = 0; k < blocks; ++k)
            chain.push_back(cursor.next());
        for (int k = 0; k < blocks; ++k) {
            std::uint8_t* b = disk.data() + sectorOffset(chain[k].first, chain[k].second);
            // PRG bytes [from, from + count): the load address leads the first block.
            const std::size_t from = static_cast<std::size_t>(k) * kDataPerBlock;
            const std::size_t count = std::min<std::size_t>(kDataPerBlock, size - from);
            std::uint8_t* to = b + 2;
            if (k == 0) {
                *to++ = p.load[0];
                *to++ = p.load[1];
            }
            const std::size_t at = k == 0 ? 0 : from - 2;
            std::copy_n(p.data.begin() + static_cast<std::ptrdiff_t>(at), count - (k == 0 ? 2 : 0), to);
            if (k + 1 < blocks) {
                b[0] = static_cast<std::uint8_t>(chain[k + 1].first);
                b[1] = static_cast<std::uint8_t>(chain[k + 1].second);
            } else {
                b[0] = 0;
                b[1] = static_cast<std::uint8_t>(count + 1);
            }
        }
        std::uint8_t* e = disk.data() + sectorOffset(kDirTrack, dir[i / kEntriesPerSector]) +
                          kEntrySize * (i % kEntriesPerSector);
        e[2] = 0x82; // closed PRG
        e[3] = static_cast<std::uint8_t>(chain[0].first);
        e[4] = static_cast<std::uint8_t>(chain[0].second);
        const std::string name = padded(withoutTapeFill(programs[i].name));
        std::copy(name.begin(), name.end(), e + 5);
        e[30] = static_cast<std::uint8_t>(blocks & 0xFF);
        e[31] = static_cast<std::uint8_t>(blocks >> 8);
    }

    std::uint8_t* h = disk.data() + sectorOffset(kDirTrack, 0);
    h[0] = kDirTrack;
    h[1] = static_cast<std::uint8_t>(dir[0]);
    h[2] = 0x41; // 'A': the 1541 format
    bam.store(h);
    const std::string name = padded(withoutTapeFill(diskName));
    std::copy(name.begin(), name.end(), h + kBamNameAt);
    std::fill(h + 0xA0, h + 0xAB, kShiftedSpace);
    h[0xA2] = static_cast<std::uint8_t>(kNewDiskId[0]);
    h[0xA3] = static_cast<std::uint8_t>(kNewDiskId[1]);
    h[0xA5] = '2';
    h[0xA6] = 'A';
    out = std::move(disk);
    return fit;
}

DiskWriteResult writeDisk(const std::string& path, const std::string& diskName,
                          const std::vector<DiskProgram>& programs) {
    Bytes disk;
    DiskWriteResult result = buildDisk(diskName, programs, disk);
    result.path = path;
    if (result.refusal != DiskWriteRefusal::None)
        return result;
    // No reserve(): claiming the blocks up front costs more than writing 171 KB, and a full
    // disk still shows at commit, before the old file is replaced.
    AtomicFile file;
    if (!file.open(path) || !file.write(disk.data(), disk.size()) || !file.commit()) {
        result.refusal = DiskWriteRefusal::CannotWrite;
        result.failure = file.failure();
        return result;
    }
    result.written = true;
    return result;
}

} // namespace vornix
