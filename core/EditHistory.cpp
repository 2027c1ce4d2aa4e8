#include "core/EditHistory.h"

#include <algorithm>

namespace vornix {

EditHistory::EditHistory(std::size_t limit) : limit_(std::max<std::size_t>(limit, 1)) {}

void EditHistory::reset(TapeDocument& doc) {
    states_.clear();
    states_.push_back(Step{doc.snapshot(), {}, {}, {}});
    current_ = 0;
    saved_ = doc.modified() ? std::nullopt : std::optional<std::size_t>(0);
    mergeOpen_ = false;
}

void EditHistory::markSaved(TapeDocument& doc) {
    if (states_.empty()) {
        reset(doc);
        return;
    }
    states_[current_].state = doc.snapshot();
    saved_ = current_;
    mergeOpen_ = false;
}

void EditHistory::record(DocumentState before, Selection selectionBefore, TapeDocument& doc,
                         Selection selectionAfter, const std::string& mergeKey) {
    if (states_.empty()) {
        // No reset yet: the state before this edit is the first one; whether it was saved is
        // not known, so undoing to it leaves the document modified.
        states_.push_back(Step{std::move(before), {}, {}, {}});
        current_ = 0;
        saved_.reset();
    }
    if (!mergeKey.empty() && mergeOpen_ && states_[current_].mergeKey == mergeKey) {
        states_[current_].state = doc.snapshot();
        states_[current_].selectionAfter = std::move(selectionAfter);
        return;
    }
    states_.resize(current_ + 1); // a new edit drops what could have been redone
    if (saved_ && *saved_ > current_)
        saved_.reset();
    states_.push_back(Step{doc.snapshot(), std::move(selectionBefore), std::move(selectionAfter), mergeKey});
    ++current_;
    if (states_.size() > limit_ + 1) {
        states_.erase(states_.begin());
        --current_;
        if (saved_)
            saved_ = *saved_ > 0 ? std::optional<std::size_t>(*saved_ - 1) : std::nullopt;
    }
    mergeOpen_ = !mergeKey.empty();
}

std::optional<Selection> EditHistory::undo(TapeDocument& doc) {
    if (!canUndo())
        return std::nullopt;
    Selection selection = states_[current_].selectionBefore;
    --current_;
    doc.restore(states_[current_].state);
    applyModified(doc);
    mergeOpen_ = false;
    return selection;
}

std::optional<Selection> EditHistory::redo(TapeDocument& doc) {
    if (!canRedo())
        return std::nullopt;
    ++current_;
    doc.restore(states_[current_].state);
    applyModified(doc);
    mergeOpen_ = false;
    return states_[current_].selectionAfter;
}

void EditHistory::applyModified(TapeDocument& doc) const { doc.setModified(!saved_ || *saved_ != current_); }

} // namespace vornix
