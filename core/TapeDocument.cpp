#include "core/TapeDocument.h"

#include "core/FileIO.h"
#include "core/PlatformFile.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace vornix {

namespace {

constexpr char kBusy[] = "an extraction is under way; try again when it has finished";

bool isPrgSuffixAt(const std::string& s, std::size_t i) {
    static constexpr char kPrg[] = ".PRG";
    if (i + 4 > s.size())
        return false;
    for (std::size_t k = 0; k < 4; ++k) {
        char c = s[i + k];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != kPrg[k])
            return false;
    }
    return true;
}

} // namespace

std::string TapeDocument::capitals(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string TapeDocument::entryNameFromFileName(const std::string& fileName) {
    // One pass, left to right, like a replace-all: what the removal joins is not looked at again.
    std::string stripped;
    for (std::size_t i = 0; i < fileName.size();) {
        if (isPrgSuffixAt(fileName, i)) {
            i += 4;
        } else {
            stripped += fileName[i++];
        }
    }
    stripped.resize(kNameSize, ' ');
    return capitals(stripped);
}

Selection TapeDocument::normalized(const Selection& sel) const {
    Selection out;
    for (int p : sel)
        if (p >= 0 && p < count())
            out.push_back(p);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

int TapeDocument::capacityUpperLimit() const {
    return capacityEditLimits_ ? std::max(kCapacityEditLimit, count()) : kMaxSlots;
}

int TapeDocument::applyCapacityRule() {
    const int lower = capacityLowerLimit();
    const int upper = capacityUpperLimit();
    // The box leaves a value alone when its limits are equal; below N is never allowed.
    if (capacity_ < lower)
        capacity_ = lower;
    else if (lower != upper && capacity_ > upper)
        capacity_ = upper;
    return capacity_;
}

DocumentState TapeDocument::snapshot() {
    for (Entry& e : entries_)
        e.data.share();
    return DocumentState{entries_, capacity_, label_, fileType01_};
}

void TapeDocument::restore(const DocumentState& state) {
    entries_ = state.entries;
    capacity_ = state.capacity;
    label_ = state.label;
    fileType01_ = state.fileType01;
}

bool TapeDocument::newImage() {
    if (busy_)
        return false;
    entries_.clear();
    entries_.shrink_to_fit();
    capacity_ = 0;
    label_.clear();
    modified_ = false;
    applyCapacityRule();
    return true;
}

OpenResult TapeDocument::open(const std::string& path) {
    OpenResult result;
    if (busy_) {
        result.error = path + ": " + kBusy;
        return result;
    }
    // The old entries stay until the new image is accepted: a rejected file leaves them.
    ReadResult read = readImage(path);
    modified_ = false;
    if (!read.accepted) {
        result.error = read.error;
        result.failure = read.failure;
        applyCapacityRule();
        return result;
    }
    entries_ = std::move(read.contents.entries);
    capacity_ = read.contents.capacity;
    const std::string& label = read.contents.label;
    label_ = label.substr(0, label.find('\0'));
    applyCapacityRule();
    result.accepted = true;
    result.repairs = std::move(read.repairs);
    result.countFromDirectory = read.countFromDirectory;
    result.sizesRepaired = read.sizesRepaired;
    return result;
}

SaveResult TapeDocument::saveAs(const std::string& path, bool fileType01) {
    SaveResult result;
    if (label_.empty())
        label_ = ".";
    applyCapacityRule();
    result.failure = writeImage(path, capacity_, label_, entries_, fileType01);
    if (result.failure) {
        result.error = result.failure.problem == FileProblem::TooLarge
                           ? path + ": the image is too large for the T64 format"
                           : result.failure.message();
        return result;
    }
    result.written = true;
    modified_ = false;
    return result;
}

AddResult TapeDocument::addPrg(const std::string& path) {
    AddResult result;
    result.path = path;
    if (busy_) {
        result.reason = path + ": " + kBusy;
        result.refusal = AddRefusal::Busy;
        return result;
    }
    if (count() >= kMaxSlots)
        return imageFull(path);
    auto file = std::make_shared<Bytes>();
    result.failure = readWholeFile(path, *file, std::numeric_limits<std::int32_t>::max());
    if (result.failure) {
        result.reason = result.failure.message();
        result.refusal = AddRefusal::Unreadable;
        return result;
    }
    return addShared(path,
                     entryNameFromFileName(platform::nameFromPath(platform::pathFromName(path).filename())),
                     std::move(file));
}

AddResult TapeDocument::addProgram(const std::string& source, const std::string& name, Bytes prg) {
    std::string padded = name.substr(0, kNameSize);
    padded.resize(kNameSize, ' ');
    return addShared(source, padded, std::make_shared<Bytes>(std::move(prg)));
}

AddResult TapeDocument::imageFull(const std::string& source) const {
    AddResult result;
    result.path = source;
    result.reason = source + ": not added, the image already holds " + std::to_string(kMaxSlots) +
                    " entries, the most a T64 image can hold";
    result.refusal = AddRefusal::ImageFull;
    return result;
}

AddResult TapeDocument::addShared(const std::string& source, const std::string& name,
                                  std::shared_ptr<Bytes> file) {
    AddResult result;
    result.path = source;
    if (busy_) {
        result.reason = source + ": " + kBusy;
        result.refusal = AddRefusal::Busy;
        return result;
    }
    if (count() >= kMaxSlots)
        return imageFull(source);
    if (file->size() < 2) {
        result.reason = source +
                        ": not added, a PRG file needs at least 2 bytes (its load address); this one has " +
                        std::to_string(file->size());
        result.refusal = AddRefusal::TooShort;
        return result;
    }

    if (count() == capacity_)
        ++capacity_;
    Entry e;
    e.kind = 130;
    const Bytes& bytes = *file;
    e.size = static_cast<std::int32_t>(bytes.size() - 2);
    e.load[0] = bytes[0];
    e.load[1] = bytes[1];
    // The true end address, load address + size, wrapping at 64 KiB like the machine's.
    e.loadAddressValue = bytes[1] * 256 + bytes[0];
    e.endAddressValue = (e.loadAddressValue + e.size) & 0xFFFF;
    e.end[0] = static_cast<std::uint8_t>(e.endAddressValue & 0xFF);
    e.end[1] = static_cast<std::uint8_t>(e.endAddressValue >> 8);
    // The data is a view into the program's buffer: no second copy of a large program.
    e.data = EntryData(file, bytes.data() + 2, bytes.size() - 2);
    e.name = name;
    entries_.push_back(std::move(e));
    applyCapacityRule();
    result.added = true;
    return result;
}

std::vector<AddResult> TapeDocument::addPrograms(const std::vector<std::string>& paths) {
    std::vector<AddResult> results;
    if (busy_) {
        for (const std::string& p : paths)
            results.push_back(AddResult{false, p, p + ": " + kBusy, AddRefusal::Busy, {}});
        return results;
    }
    for (const std::string& p : paths)
        results.push_back(addPrg(p));
    if (!paths.empty())
        modified_ = true;
    return results;
}

std::optional<Selection> TapeDocument::deleteSelected(const Selection& selection) {
    const Selection sel = normalized(selection);
    if (busy_ || sel.empty())
        return std::nullopt;
    // From the last up: the positions still to go stay where they were.
    for (auto p = sel.rbegin(); p != sel.rend(); ++p)
        entries_.erase(entries_.begin() + *p);
    applyCapacityRule();
    modified_ = true;
    if (entries_.empty())
        return Selection{};
    return Selection{std::min(sel.front(), count() - 1)};
}

std::optional<Selection> TapeDocument::moveToTop(const Selection& selection) {
    const Selection sel = normalized(selection);
    if (busy_ || sel.size() != 1 || sel.front() == 0)
        return std::nullopt;
    std::rotate(entries_.begin(), entries_.begin() + sel.front(), entries_.begin() + sel.front() + 1);
    modified_ = true;
    return Selection{0};
}

std::optional<Selection> TapeDocument::moveToBottom(const Selection& selection) {
    const Selection sel = normalized(selection);
    if (busy_ || sel.size() != 1 || sel.front() == count() - 1)
        return std::nullopt;
    std::rotate(entries_.begin() + sel.front(), entries_.begin() + sel.front() + 1, entries_.end());
    modified_ = true;
    return Selection{count() - 1};
}

std::optional<Selection> TapeDocument::moveUp(const Selection& selection) {
    const Selection sel = normalized(selection);
    if (busy_ || sel.empty())
        return std::nullopt;
    const int top = sel.front();
    if (top != 0)
        for (int p : sel) // topmost first, so a selected block moves up as a whole
            std::swap(entries_[p], entries_[p - 1]);
    modified_ = true;
    return Selection{top == 0 ? 0 : top - 1};
}

std::optional<Selection> TapeDocument::moveDown(const Selection& selection) {
    const Selection sel = normalized(selection);
    if (busy_ || sel.empty())
        return std::nullopt;
    const int top = sel.front();
    const int last = count() - 1;
    if (sel.back() != last)
        for (auto it = sel.rbegin(); it != sel.rend(); ++it) // bottom-most first: the block moves as a whole
            std::swap(entries_[*it], entries_[*it + 1]);
    modified_ = true;
    return Selection{top == last ? top : top + 1};
}

bool TapeDocument::rename(int pos, const std::string& text) {
    if (busy_ || pos < 0 || pos >= count())
        return false;
    entries_[pos].name = capitals(text.substr(0, kNameSize));
    modified_ = true;
    return true;
}

void TapeDocument::setLabel(const std::string& text) {
    label_ = text.substr(0, kLabelSize);
    modified_ = true;
}

void TapeDocument::setCapacity(int value) {
    capacity_ = std::clamp(value, 0, kMaxSlots);
    applyCapacityRule();
    modified_ = true;
}

} // namespace vornix
