#pragma once
// T64 tape image layout: the in-memory `entry` record, the reader and the writer.
#include "core/PlatformFile.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vornix {

using Bytes = std::vector<std::uint8_t>;

// An entry's data bytes: a view into a buffer shared with other entries (the image file as
// read, a PRG file as read) or bytes of its own. Changing them first copies shared bytes, so
// reading and saving an image never copies its data entry by entry.
class EntryData {
  public:
    using value_type = std::uint8_t;
    using size_type = std::size_t;
    using const_iterator = const std::uint8_t*;
    using iterator = std::uint8_t*;

    EntryData() = default;
    EntryData(std::shared_ptr<const void> owner, const std::uint8_t* bytes, std::size_t size)
        : owner_(std::move(owner)), view_(bytes), viewSize_(size) {}
    EntryData(Bytes bytes) : own_(std::move(bytes)) {}

    const std::uint8_t* data() const { return owner_ ? view_ : own_.data(); }
    std::size_t size() const { return owner_ ? viewSize_ : own_.size(); }
    bool empty() const { return size() == 0; }
    const_iterator begin() const { return data(); }
    const_iterator end() const { return data() + size(); }
    std::uint8_t operator[](std::size_t i) const { return data()[i]; }
    // True while the bytes are a view into a shared buffer.
    bool shared() const { return owner_ != nullptr; }
    // Own bytes move into a buffer of their own that copies then share (snapshots for undo).
    void share() {
        if (owner_ || own_.empty())
            return;
        auto buffer = std::make_shared<const Bytes>(std::move(own_));
        own_.clear();
        view_ = buffer->data();
        viewSize_ = buffer->size();
        owner_ = std::move(buffer);
    }

    // Editing: the bytes become the entry's own first.
    iterator begin() { return detach().data(); }
    iterator end() { return detach().data() + own_.size(); }
    std::uint8_t& operator[](std::size_t i) { return detach()[i]; }
    void assign(std::size_t count, std::uint8_t value) { reset().assign(count, value); }
    template <typename It> void assign(It first, It last) {
        Bytes copy(first, last);
        reset() = std::move(copy);
    }
    void push_back(std::uint8_t value) { detach().push_back(value); }
    void resize(std::size_t count) { detach().resize(count); }
    void clear() { reset(); }

    friend bool operator==(const EntryData& a, const EntryData& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }
    friend bool operator==(const EntryData& a, const Bytes& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }

  private:
    Bytes& detach() {
        if (owner_) {
            own_.assign(view_, view_ + viewSize_);
            owner_.reset();
            view_ = nullptr;
            viewSize_ = 0;
        }
        return own_;
    }
    Bytes& reset() {
        owner_.reset();
        view_ = nullptr;
        viewSize_ = 0;
        own_.clear();
        return own_;
    }

    std::shared_ptr<const void> owner_;
    const std::uint8_t* view_ = nullptr;
    std::size_t viewSize_ = 0;
    Bytes own_;
};

// One program of a tape image in memory. Names and labels are single-byte text,
// held byte for byte in std::string (no character set conversion anywhere).
struct Entry {
    std::int32_t kind = 0;             // slot byte 0 when read; 130 when added from a PRG
    std::uint8_t fileType = 0;         // slot byte 1 when read (not used by any operation); 0 when added
    std::int32_t size = 0;             // number of data bytes (== data.size())
    std::int32_t loadAddressValue = 0; // scratch used while a PRG is added
    std::int32_t endAddressValue = 0;  // scratch used while a PRG is added
    std::string name;                  // at most 16 bytes, as held
    std::int32_t dataOffset = 0;       // position of the data in the file last read or written
    std::uint8_t load[2] = {0, 0};     // low, high
    std::uint8_t end[2] = {0, 0};      // low, high
    bool fromImage = false;            // read from an image file (kind and file type are kept)
    EntryData data;
};

struct T64Contents {
    int capacity = 0;  // header byte 34, as read (0..255), before the document's capacity rule
    int count = 0;     // number of entries read
    std::string label; // 24 bytes, mapped
    std::vector<Entry> entries;
};

struct ReadResult {
    bool accepted = false;
    T64Contents contents;
    // Things the reader mended in a foreign file; each a readable sentence (English).
    std::vector<std::string> repairs;
    bool countFromDirectory = false; // the used-entries count was 0: entries taken from the directory
    bool sizesRepaired = false;      // some entry's size or data offset had to be mended
    std::string error; // why a file was rejected (for the CLI; the editor shows its own message)
    FileError failure; // the file-system reason of a rejection, when there is one
};

// File length in bytes as a 32-bit signed number, or -1 when the file cannot be opened.
std::int32_t fileLength(const std::string& path);

// Reads a T64 image. Rejected: signature not C,6,4, unreadable or not a regular file, or a
// file that ends inside its header or its directory. ReadResult::error then reads
// "PATH: reason" (and ReadResult::failure tells a file-system reason). The file is read in one go into
// one buffer that the entries' data refer into; every offset is checked against its length.
ReadResult readImage(const std::string& path);
// The same without the entries' data (their data stays empty; sizes and offsets are set):
// reads only the header and the directory.
ReadResult readImageDirectory(const std::string& path);
// The same from an input already open (platform::openInput), of the given length.
ReadResult readImageDirectory(platform::Handle input, std::uint64_t length, const std::string& path);
// The same on bytes in memory (the fuzz target and the tests use it); error holds the
// reason alone.
ReadResult parseImage(const std::uint8_t* data, std::size_t length);

// Builds the file bytes of an image; sets every entry's dataOffset to the value written.
// The capacity written is never below the number of entries. Returns no bytes when the
// image cannot be written (more than 255 entries, or data past 32-bit offsets).
Bytes serializeImage(int capacity, const std::string& label, std::vector<Entry>& entries, bool fileType01);

// Writes an image so that a failure leaves any old file intact (temporary file + rename). On
// failure the entries' data offsets are left as they were; FileProblem::TooLarge means the
// entries are more than the format can hold.
FileError writeImage(const std::string& path, int capacity, const std::string& label,
                     std::vector<Entry>& entries, bool fileType01);

// Maps name and label bytes on reading: 0xC1..0xFF lose 0x80.
std::string mapNameBytes(const std::uint8_t* bytes, std::size_t count);

// Fixed layout sizes.
inline constexpr std::size_t kHeaderSize = 64;
inline constexpr std::size_t kSlotSize = 32;
inline constexpr std::size_t kNameSize = 16;
inline constexpr std::size_t kLabelSize = 24;
inline constexpr int kMaxSlots = 255;

} // namespace vornix
