#pragma once
// Undo and redo for the tape image document: whole snapshots of what edits change, kept
// beside the document. Snapshots share the entries' data bytes, so a step costs about a
// directory. The modified flag follows the history: back at the state last saved (or
// opened), the document is unmodified again.
#include "core/TapeDocument.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vornix {

class EditHistory {
  public:
    static constexpr std::size_t kDefaultLimit = 100;

    explicit EditHistory(std::size_t limit = kDefaultLimit);

    // New and Open: the document as it is becomes the only state, and it is the saved one
    // when the document is unmodified.
    void reset(TapeDocument& doc);
    // A save wrote the document as it is now (saving may have filled in an empty label).
    void markSaved(TapeDocument& doc);

    // Records an edit just made to doc. `before` is doc.snapshot() taken before it, with the
    // selection at that time; `after` is the selection the edit left. Edits with the same
    // non-empty merge key that follow each other directly (typing in the label box) become
    // one step; a save, undo or redo in between starts a new step.
    void record(DocumentState before, Selection selectionBefore, TapeDocument& doc, Selection selectionAfter,
                const std::string& mergeKey = {});

    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ + 1 < states_.size(); }
    // Put back the state before the last edit (after the next one); return the selection to
    // show: the one before that edit (after it, for redo). nullopt when there is nothing to
    // undo (redo), and then doc is untouched.
    std::optional<Selection> undo(TapeDocument& doc);
    std::optional<Selection> redo(TapeDocument& doc);

    std::size_t undoSteps() const { return current_; }
    std::size_t redoSteps() const { return states_.size() - 1 - current_; }

  private:
    struct Step {
        DocumentState state;
        Selection selectionBefore; // before the edit that led here
        Selection selectionAfter;  // after it
        std::string mergeKey;
    };
    void applyModified(TapeDocument& doc) const;

    std::size_t limit_;
    std::vector<Step> states_; // states_[0] is where undo stops; empty until the first reset or edit
    std::size_t current_ = 0;
    std::optional<std::size_t> saved_; // the state on disk, if still in the history
    bool mergeOpen_ = false;
};

} // namespace vornix
