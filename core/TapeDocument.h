#pragma once
// The one open tape image and its editing operations. Dialogs and prompts belong to the
// window; the operations take paths and selections and return the new selection.
#include "core/T64Image.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vornix {

// Positions counted from 0, ascending, no duplicates.
using Selection = std::vector<int>;

// Why a PRG file was not added.
enum class AddRefusal {
    None,
    Busy,       // an extraction is under way
    ImageFull,  // the image already holds the most entries a T64 image can
    TooShort,   // fewer than 2 bytes
    Unreadable, // see AddResult::failure for the file-system reason
};

struct AddResult {
    bool added = false;
    std::string path;
    std::string reason; // why the file was refused (English sentence), empty when added
    AddRefusal refusal = AddRefusal::None;
    FileError failure; // for AddRefusal::Unreadable
};

struct OpenResult {
    bool accepted = false;
    std::vector<std::string> repairs; // what the reader mended
    bool countFromDirectory = false;  // see ReadResult
    bool sizesRepaired = false;
    std::string error;
    FileError failure; // a file-system reason, when there is one
};

struct SaveResult {
    bool written = false;
    std::string error;
    FileError failure;
};

// What an edit can change: the state that undo puts back. Entries share their data bytes
// with the document, so a snapshot costs little more than the directory.
struct DocumentState {
    std::vector<Entry> entries;
    int capacity = 0;
    std::string label;
    bool fileType01 = false;
};

class TapeDocument {
  public:
    // The highest capacity a user sets while an image holds fewer entries.
    static constexpr int kCapacityEditLimit = 99;

    // New: empties entries, capacity 0, empty label, modified off. False (nothing changed)
    // while busy.
    bool newImage();
    // Open: accepted replaces the document (capacity rule applied, label up to its first NUL);
    // rejected keeps it. Modified goes off in both cases. Refused while busy (nothing changes).
    OpenResult open(const std::string& path);
    // Save as: an empty label becomes "."; writes; modified off when written.
    SaveResult saveAs(const std::string& path, bool fileType01);

    // Add PRG alone: does not touch the modified flag. Refuses unreadable, < 2 bytes, or a 256th entry.
    AddResult addPrg(const std::string& path);
    // Add PRG from bytes already read: `name` is held as given (at most 16 characters,
    // filled up with spaces); `source` names the program in the refusal.
    AddResult addProgram(const std::string& source, const std::string& name, Bytes prg);
    // Add programs: Add PRG for each path in order; modified on when paths is not empty.
    std::vector<AddResult> addPrograms(const std::vector<std::string>& paths);

    // Each returns the selection afterwards, or nullopt when the operation did not act
    // (the window then keeps its selection as it is). Delete takes every selected entry and
    // selects the one that came into the place of the first; the moves act on one entry.
    std::optional<Selection> deleteSelected(const Selection& sel);
    std::optional<Selection> moveToTop(const Selection& sel);
    std::optional<Selection> moveToBottom(const Selection& sel);
    std::optional<Selection> moveUp(const Selection& sel);
    std::optional<Selection> moveDown(const Selection& sel);

    // Commit rename of the entry at pos: capitals a-z, at most 16 characters, not filled up.
    // False (nothing changed) for a position outside the list or while busy.
    bool rename(int pos, const std::string& text);
    // Label changed by the user: label := text (at most 24), modified on.
    void setLabel(const std::string& text);
    // Capacity changed by the user (then the capacity rule applies), modified on.
    void setCapacity(int value);

    // The capacity rule: lower limit N, and while capacity edit limits are on (the default,
    // and what a user's capacity change obeys) upper limit max(kCapacityEditLimit, N). Applied
    // by every redisplay; returns the capacity now held. With the edit limits off only "never
    // below N" holds, so an image's own larger capacity survives an edit.
    int applyCapacityRule();
    int capacityLowerLimit() const { return count(); }
    int capacityUpperLimit() const;
    void setCapacityEditLimits(bool on) { capacityEditLimits_ = on; }

    // While an extraction writes entries out (and the window keeps handling input), the
    // operations that change the entries (new, open, add, delete, moves, rename) refuse.
    void setBusy(bool on) { busy_ = on; }
    bool busy() const { return busy_; }

    // A copy of entries, capacity and label (entries' own bytes become shared first), and
    // putting one back; neither touches the modified flag.
    DocumentState snapshot();
    void restore(const DocumentState& state);
    // The program-wide file-type option as the window last set it: kept with the document
    // only so that undo can take a change of it back. Saving is still told the option.
    bool fileType01() const { return fileType01_; }
    void setFileType01(bool on) { fileType01_ = on; }

    const std::vector<Entry>& entries() const { return entries_; }
    int count() const { return static_cast<int>(entries_.size()); }
    int capacity() const { return capacity_; }
    const std::string& label() const { return label_; }
    bool modified() const { return modified_; }
    void setModified(bool on) { modified_ = on; }

    // The name a PRG file gets as an entry: ".PRG" (any case) removed, 16 characters,
    // filled with spaces, a-z made capitals.
    static std::string entryNameFromFileName(const std::string& fileName);
    // The small letters a to z made capitals; every other byte unchanged.
    static std::string capitals(std::string text);
    // Positions inside [0, count) only, ascending, without duplicates.
    Selection normalized(const Selection& sel) const;

  private:
    AddResult imageFull(const std::string& source) const;
    AddResult addShared(const std::string& source, const std::string& name, std::shared_ptr<Bytes> file);

    std::vector<Entry> entries_;
    int capacity_ = 0;
    std::string label_;
    bool modified_ = false;
    bool busy_ = false;
    bool capacityEditLimits_ = true;
    bool fileType01_ = false;
};

} // namespace vornix
