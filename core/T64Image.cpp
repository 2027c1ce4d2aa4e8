#include "core/T64Image.h"

#include "core/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

namespace vornix {

namespace {

constexpr char kSignature[] = "C64S tape file";

std::uint32_t u32At(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void putU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// "2, 5 and 7"
std::string numberList(const std::vector<int>& numbers) {
    std::string out;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i)
            out += i + 1 == numbers.size() ? " and " : ", ";
        out += std::to_string(numbers[i]);
    }
    return out;
}

// Directory slots taken when the header's used-entries count is 0: from the first on,
// while the slot is complete, marked in use and its data lies inside the file.
int countSlotsInUse(const std::uint8_t* d, std::size_t available, std::uint64_t length, int capacity) {
    const int slots = std::max(capacity, 1);
    int n = 0;
    for (; n < slots; ++n) {
        const std::size_t at = kHeaderSize + kSlotSize * static_cast<std::size_t>(n);
        if (at + kSlotSize > available || d[at] == 0 || u32At(d + at + 8) >= length)
            break;
    }
    return n;
}

// Header and directory of an image; fills in the entries' data offsets. False when the
// image cannot be represented in the format.
bool buildDirectory(int capacity, const std::string& label, std::vector<Entry>& entries, bool fileType01,
                    Bytes& out, std::uint64_t& totalSize) {
    if (entries.size() > static_cast<std::size_t>(kMaxSlots))
        return false;
    const int count = static_cast<int>(entries.size());
    const int slots = std::clamp(capacity, count, kMaxSlots);

    std::vector<std::uint32_t> offsets(entries.size());
    std::uint64_t offset = kHeaderSize + kSlotSize * static_cast<std::uint64_t>(slots);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (offset > std::numeric_limits<std::uint32_t>::max())
            return false;
        offsets[i] = static_cast<std::uint32_t>(offset);
        offset += entries[i].data.size();
    }
    totalSize = offset;

    out.assign(kHeaderSize + kSlotSize * static_cast<std::size_t>(slots), 0);
    std::uint8_t* h = out.data();
    std::memcpy(h, kSignature, sizeof kSignature - 1);
    h[32] = 0x00;
    h[33] = 0x01;
    h[34] = static_cast<std::uint8_t>(slots & 0xFF);
    h[35] = static_cast<std::uint8_t>(slots >> 8);
    h[36] = static_cast<std::uint8_t>(count);
    const std::size_t labelBytes = std::min(label.size(), kLabelSize);
    std::memcpy(h + 40, label.data(), labelBytes);
    std::memset(h + 40 + labelBytes, 0x20, kLabelSize - labelBytes);

    for (std::size_t i = 0; i < entries.size(); ++i) {
        Entry& e = entries[i];
        std::uint8_t* s = h + kHeaderSize + kSlotSize * i;
        s[0] = 0x01;
        s[1] = fileType01 ? 0x01 : 0x82;
        s[2] = e.load[0];
        s[3] = e.load[1];
        s[4] = e.end[0];
        s[5] = e.end[1];
        putU32(s + 8, offsets[i]);
        const std::size_t nameBytes = std::min(e.name.size(), kNameSize);
        std::memcpy(s + 16, e.name.data(), nameBytes);
        std::memset(s + 16 + nameBytes, 0x20, kNameSize - nameBytes);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].dataOffset = static_cast<std::int32_t>(offsets[i]);
        entries[i].size = static_cast<std::int32_t>(entries[i].data.size());
    }
    return true;
}

} // namespace

std::string mapNameBytes(const std::uint8_t* bytes, std::size_t count) {
    std::string out(count, '\0');
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<char>(bytes[i] >= 0xC1 ? bytes[i] - 0x80 : bytes[i]);
    return out;
}

std::int32_t fileLength(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return -1;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return -1;
    long long length = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        length = std::ftell(f);
    std::fclose(f);
    if (length < 0 || length > std::numeric_limits<std::int32_t>::max())
        return -1;
    return static_cast<std::int32_t>(length);
}

namespace {

// Everything of the image but the entries' data: header, directory, and each entry's
// (offset, size), checked against the file's real length. `d` holds the first `available`
// bytes of a file of `length` bytes; the whole header and directory when the file has them.
bool readDirectory(const std::uint8_t* d, std::size_t available, std::uint64_t length, ReadResult& r,
                   std::vector<std::uint64_t>& sizes) {
    if (available < 3 || d[0] != 0x43 || d[1] != 0x36 || d[2] != 0x34) {
        r.error = "not a T64 image: it does not begin with \"C64\"";
        return false;
    }
    if (length < kHeaderSize) {
        r.error =
            "not a T64 image: the file ends inside its 64-byte header (" + std::to_string(length) + " bytes)";
        return false;
    }
    T64Contents& c = r.contents;
    c.capacity = d[34];
    int n = d[36];
    if (n == 0) {
        n = countSlotsInUse(d, available, length, c.capacity);
        if (n > 0)
            r.repairs.push_back("the used-entries count is 0; " + std::to_string(n) +
                                (n == 1 ? " entry was" : " entries were") + " taken from the directory");
    } else if (kHeaderSize + kSlotSize * static_cast<std::size_t>(n) > length) {
        r.error = "not a T64 image: the file ends inside its directory (" + std::to_string(n) +
                  " entries need " + std::to_string(kHeaderSize + kSlotSize * n) + " bytes, the file has " +
                  std::to_string(length) + ")";
        return false;
    }
    c.count = n;
    c.label = mapNameBytes(d + 40, kLabelSize);

    const std::uint64_t L = length;
    std::vector<std::uint64_t> offsets(n);
    for (int i = 0; i < n; ++i)
        offsets[i] = u32At(d + kHeaderSize + kSlotSize * i + 8);

    // Sizes from the distance to the next entry's data; where that is negative or leaves the
    // file, the entry runs to the next higher data offset of any entry, or to the end.
    sizes.assign(n, 0);
    std::vector<int> repaired;
    std::uint64_t total = 0;
    for (int i = 0; i < n; ++i) {
        const std::uint64_t start = offsets[i];
        const std::uint64_t next = i + 1 < n ? offsets[i + 1] : L;
        if (next >= start && next <= L) {
            sizes[i] = next - start;
        } else {
            repaired.push_back(i + 1);
            std::uint64_t stop = L;
            for (std::uint64_t o : offsets)
                if (o > start && o < stop)
                    stop = o;
            sizes[i] = start < L ? stop - start : 0;
        }
        total += sizes[i];
    }
    if (!repaired.empty())
        r.repairs.push_back(std::string("the data offsets of ") +
                            (repaired.size() == 1 ? "entry " : "entries ") + numberList(repaired) +
                            " do not rise or point past the end of the file; " +
                            (repaired.size() == 1 ? "its size was" : "their sizes were") + " repaired");
    // Only a damaged directory makes entries share bytes; refuse one that would multiply the
    // file many times over in memory.
    if (total > 4 * L + (1u << 20)) {
        r.repairs.clear();
        r.error = "damaged T64 image: its directory points many entries at the same data (" +
                  std::to_string(total) + " bytes in all from a file of " + std::to_string(L) + ")";
        return false;
    }

    c.entries.resize(n);
    for (int i = 0; i < n; ++i) {
        const std::uint8_t* s = d + kHeaderSize + kSlotSize * i;
        Entry& e = c.entries[i];
        e.kind = s[0];
        e.fileType = s[1];
        e.load[0] = s[2];
        e.load[1] = s[3];
        e.end[0] = s[4];
        e.end[1] = s[5];
        e.dataOffset = static_cast<std::int32_t>(static_cast<std::uint32_t>(offsets[i]));
        e.name = mapNameBytes(s + 16, kNameSize);
        e.size = static_cast<std::int32_t>(sizes[i]);
    }
    return true;
}

std::uint64_t offsetOf(const Entry& e) {
    return static_cast<std::uint32_t>(e.dataOffset);
}

} // namespace

ReadResult parseImage(const std::uint8_t* d, std::size_t length) {
    ReadResult r;
    std::vector<std::uint64_t> sizes;
    if (!readDirectory(d, length, length, r, sizes)) {
        r.contents = {};
        return r;
    }
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        Entry& e = r.contents.entries[i];
        if (sizes[i])
            e.data.assign(d + offsetOf(e), d + offsetOf(e) + sizes[i]);
    }
    r.accepted = true;
    return r;
}

ReadResult readImage(const std::string& path) {
    ReadResult r;
    auto reject = [&](const std::string& reason) {
        r.contents = {};
        r.repairs.clear();
        r.error = path + ": " + reason;
        return r;
    };
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return reject("is a folder, not a file");
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return reject(systemMessage(errno));
    struct Closer {
        std::FILE* f;
        ~Closer() { std::fclose(f); }
    } closer{f};
    // Unbuffered: each entry is read straight into its own data, in one call.
    std::setvbuf(f, nullptr, _IONBF, 0);
    long long length = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        length = std::ftell(f);
    if (length < 0 || std::fseek(f, 0, SEEK_SET) != 0)
        return reject("cannot read: " + systemMessage(errno));
    if (length > std::numeric_limits<std::int32_t>::max())
        return reject("the file is too large for a T64 image (" + std::to_string(length) + " bytes)");

    std::uint8_t head[kHeaderSize + kSlotSize * kMaxSlots];
    const std::size_t want = std::min<std::size_t>(sizeof head, static_cast<std::size_t>(length));
    if (std::fread(head, 1, want, f) != want)
        return reject("read error: " + systemMessage(errno));
    std::vector<std::uint64_t> sizes;
    if (!readDirectory(head, want, static_cast<std::uint64_t>(length), r, sizes))
        return reject(r.error);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        Entry& e = r.contents.entries[i];
        if (!sizes[i])
            continue;
        e.data.resize(sizes[i]);
        if (std::fseek(f, static_cast<long>(offsetOf(e)), SEEK_SET) != 0 ||
            std::fread(e.data.data(), 1, e.data.size(), f) != e.data.size())
            return reject(
                "read error in the data of entry " + std::to_string(i + 1) +
                (std::ferror(f) ? ": " + systemMessage(errno) : ": the file is shorter than it was"));
    }
    r.accepted = true;
    return r;
}

Bytes serializeImage(int capacity, const std::string& label, std::vector<Entry>& entries, bool fileType01) {
    Bytes out;
    std::uint64_t total = 0;
    if (!buildDirectory(capacity, label, entries, fileType01, out, total))
        return {};
    out.reserve(static_cast<std::size_t>(total));
    for (const Entry& e : entries)
        out.insert(out.end(), e.data.begin(), e.data.end());
    return out;
}

bool writeImage(const std::string& path, int capacity, const std::string& label, std::vector<Entry>& entries,
                bool fileType01, std::string* error) {
    auto failWith = [&](const std::string& message) {
        if (error)
            *error = message;
        return false;
    };
    // Offsets are only handed back once the file is in place.
    Bytes directory;
    std::uint64_t total = 0;
    std::vector<std::int32_t> oldOffsets;
    oldOffsets.reserve(entries.size());
    for (const Entry& e : entries)
        oldOffsets.push_back(e.dataOffset);
    if (!buildDirectory(capacity, label, entries, fileType01, directory, total))
        return failWith(path + ": the image is too large for the T64 format");

    AtomicFile file;
    bool ok = file.open(path) && file.reserve(total) && file.write(directory.data(), directory.size());
    for (std::size_t i = 0; ok && i < entries.size(); ++i)
        ok = file.write(entries[i].data.data(), entries[i].data.size());
    ok = ok && file.commit();
    if (!ok) {
        for (std::size_t i = 0; i < entries.size(); ++i)
            entries[i].dataOffset = oldOffsets[i];
        return failWith(file.error());
    }
    return true;
}

} // namespace vornix
