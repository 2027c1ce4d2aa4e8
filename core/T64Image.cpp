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
        // Entries of another kind (a freeze snapshot is kind 3) keep what the image said.
        const bool keepKind = e.fromImage && e.kind != 1;
        s[0] = keepKind ? static_cast<std::uint8_t>(e.kind) : 0x01;
        s[1] = keepKind ? e.fileType : (fileType01 ? 0x01 : 0x82);
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
    platform::Handle h = platform::kNoHandle;
    std::uint64_t length = 0;
    if (platform::openInput(path, h, length))
        return -1;
    platform::close(h);
    if (length > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
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
        if (n > 0) {
            r.countFromDirectory = true;
            r.repairs.push_back("the used-entries count is 0; " + std::to_string(n) +
                                (n == 1 ? " entry was" : " entries were") + " taken from the directory");
        }
    } else if (kHeaderSize + kSlotSize * static_cast<std::size_t>(n) > length) {
        r.error = "not a T64 image: the file ends inside its directory (" + std::to_string(n) +
                  " entries need " + std::to_string(kHeaderSize + kSlotSize * n) + " bytes, the file has " +
                  std::to_string(length) + ")";
        return false;
    }
    c.count = n;
    c.label = mapNameBytes(d + 40, kLabelSize);

    const std::uint64_t L = length;
    // Data lies after the header and the slots read; an offset below that would hand out
    // header or directory bytes as a program.
    const std::uint64_t dataStart = kHeaderSize + kSlotSize * static_cast<std::uint64_t>(n);
    std::vector<std::uint64_t> offsets(n);
    for (int i = 0; i < n; ++i)
        offsets[i] = u32At(d + kHeaderSize + kSlotSize * i + 8);

    // Each entry runs to the next higher data offset of any entry, or to the end of the file,
    // so no entry ever holds another's bytes. For rising offsets that is the plain distance to
    // the next entry; among equal offsets the last one in the directory takes the bytes.
    std::vector<int> order, inside;
    for (int i = 0; i < n; ++i) {
        if (offsets[i] < dataStart)
            inside.push_back(i + 1);
        else if (offsets[i] <= L)
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return offsets[a] < offsets[b]; });
    sizes.assign(n, 0);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::uint64_t stop = k + 1 < order.size() ? offsets[order[k + 1]] : L;
        sizes[order[k]] = stop - offsets[order[k]];
    }

    std::vector<int> repaired;
    for (int i = 0; i < n; ++i) {
        if (offsets[i] < dataStart)
            continue;
        const std::uint64_t next = i + 1 < n ? offsets[i + 1] : L;
        const bool plain = next >= offsets[i] && next <= L && next - offsets[i] == sizes[i];
        if (!plain)
            repaired.push_back(i + 1);
    }
    if (!inside.empty())
        r.repairs.push_back(std::string("the data offset of ") +
                            (inside.size() == 1 ? "entry " : "entries ") + numberList(inside) +
                            " lies inside the header or the directory; " +
                            (inside.size() == 1 ? "it was" : "they were") + " given no data");
    if (!repaired.empty())
        r.repairs.push_back(std::string("the data offsets of ") +
                            (repaired.size() == 1 ? "entry " : "entries ") + numberList(repaired) +
                            " do not rise or point past the end of the file; " +
                            (repaired.size() == 1 ? "its size was" : "their sizes were") + " repaired");
    r.sizesRepaired = !inside.empty() || !repaired.empty();

    c.entries.resize(n);
    for (int i = 0; i < n; ++i) {
        const std::uint8_t* s = d + kHeaderSize + kSlotSize * i;
        Entry& e = c.entries[i];
        e.kind = s[0];
        e.fileType = s[1];
        e.fromImage = true;
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

std::uint64_t offsetOf(const Entry& e) { return static_cast<std::uint32_t>(e.dataOffset); }

// A whole image file in memory, shared by the entries that refer into it.
struct ImageBuffer {
    platform::LargeBuffer bytes;
    explicit ImageBuffer(std::size_t size) : bytes(platform::allocateLarge(size)) {}
    ~ImageBuffer() { platform::freeLarge(bytes); }
    ImageBuffer(const ImageBuffer&) = delete;
    ImageBuffer& operator=(const ImageBuffer&) = delete;
};

// Points every entry with data into the buffer.
void attachData(ReadResult& r, const std::shared_ptr<const ImageBuffer>& buffer,
                const std::vector<std::uint64_t>& sizes) {
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        Entry& e = r.contents.entries[i];
        if (sizes[i])
            e.data = EntryData(buffer, buffer->bytes.data + offsetOf(e), static_cast<std::size_t>(sizes[i]));
    }
}

// Opens path as an image input; rejects with r.error set.
bool openImageFile(const std::string& path, platform::Handle& h, std::uint64_t& length, ReadResult& r) {
    if (FileError e = platform::openInput(path, h, length)) {
        r.error = e.message();
        r.failure = std::move(e);
        return false;
    }
    if (length > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        platform::close(h);
        r.error = path + ": the file is too large for a T64 image (" + std::to_string(length) + " bytes)";
        r.failure = {FileProblem::TooLarge, 0, path};
        return false;
    }
    return true;
}

ReadResult rejected(ReadResult& r, const std::string& path) {
    ReadResult out;
    out.error = r.error.rfind(path + ": ", 0) == 0 ? r.error : path + ": " + r.error;
    return out;
}

} // namespace

ReadResult parseImage(const std::uint8_t* d, std::size_t length) {
    ReadResult r;
    std::vector<std::uint64_t> sizes;
    if (!readDirectory(d, length, length, r, sizes)) {
        r.contents = {};
        r.repairs.clear();
        return r;
    }
    auto buffer = std::make_shared<ImageBuffer>(length);
    if (length)
        std::memcpy(buffer->bytes.data, d, length);
    attachData(r, buffer, sizes);
    r.accepted = true;
    return r;
}

ReadResult readImage(const std::string& path) {
    ReadResult r;
    platform::Handle h = platform::kNoHandle;
    std::uint64_t length = 0;
    if (!openImageFile(path, h, length, r))
        return r;
    // One read of the whole file into one buffer: the entries refer into it.
    auto buffer = std::make_shared<ImageBuffer>(static_cast<std::size_t>(length));
    if (length && !buffer->bytes.data) {
        platform::close(h);
        r.error = path + ": not enough memory for " + std::to_string(length) + " bytes";
        return r;
    }
    const FileError e = platform::readAt(h, buffer->bytes.data, static_cast<std::size_t>(length), 0, path);
    platform::close(h);
    if (e) {
        r.failure = e;
        r.error = e.problem == FileProblem::Changed ? path + ": the file became shorter while it was read"
                                                    : e.message();
        return r;
    }
    std::vector<std::uint64_t> sizes;
    if (!readDirectory(buffer->bytes.data, static_cast<std::size_t>(length), length, r, sizes))
        return rejected(r, path);
    attachData(r, buffer, sizes);
    r.accepted = true;
    return r;
}

ReadResult readImageDirectory(const std::string& path) {
    ReadResult r;
    platform::Handle h = platform::kNoHandle;
    std::uint64_t length = 0;
    if (!openImageFile(path, h, length, r))
        return r;
    r = readImageDirectory(h, length, path);
    platform::close(h);
    return r;
}

ReadResult readImageDirectory(platform::Handle input, std::uint64_t length, const std::string& path) {
    ReadResult r;
    std::uint8_t head[kHeaderSize + kSlotSize * kMaxSlots];
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof head, length));
    if (FileError e = platform::readAt(input, head, want, 0, path)) {
        r.error = e.message();
        r.failure = std::move(e);
        return r;
    }
    std::vector<std::uint64_t> sizes;
    if (!readDirectory(head, want, length, r, sizes))
        return rejected(r, path);
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

FileError writeImage(const std::string& path, int capacity, const std::string& label,
                     std::vector<Entry>& entries, bool fileType01) {
    // Offsets are only handed back once the file is in place.
    Bytes directory;
    std::uint64_t total = 0;
    std::vector<std::int32_t> oldOffsets;
    oldOffsets.reserve(entries.size());
    for (const Entry& e : entries)
        oldOffsets.push_back(e.dataOffset);
    if (!buildDirectory(capacity, label, entries, fileType01, directory, total))
        return {FileProblem::TooLarge, 0, path};

    // Directory and every entry's bytes go out in one gathered write.
    std::vector<platform::Span> spans;
    spans.reserve(entries.size() + 1);
    spans.push_back({directory.data(), directory.size()});
    for (const Entry& e : entries)
        if (!e.data.empty())
            spans.push_back({e.data.data(), e.data.size()});
    AtomicFile file;
    const bool ok =
        file.open(path) && file.reserve(total) && file.write(spans.data(), spans.size()) && file.commit();
    if (!ok) {
        for (std::size_t i = 0; i < entries.size(); ++i)
            entries[i].dataOffset = oldOffsets[i];
        return file.failure();
    }
    return {};
}

} // namespace vornix
