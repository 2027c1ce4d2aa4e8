// The main window's undo and redo: every edit of the document is kept in the history (see
// MainWindow::edit), back to the last New or Open.
#include "app/MainWindow.h"

#include "app/Settings.h"

#include "app/EntryListView.h"

#include <QAction>

namespace vornix {

void MainWindow::resetHistory() {
    doc_.setFileType01(type01Action_->isChecked());
    history_.reset(doc_);
    updateEditActions();
}

void MainWindow::undo() {
    if (!imageOpen_ || refuseWhileBusy())
        return;
    hideRenameBox(); // the entry it names may not be there after the step
    showHistoryStep(history_.undo(doc_));
}

void MainWindow::redo() {
    if (!imageOpen_ || refuseWhileBusy())
        return;
    hideRenameBox();
    showHistoryStep(history_.redo(doc_));
}

void MainWindow::showHistoryStep(const std::optional<Selection>& selected) {
    if (!selected)
        return;
    // The file-type option is the program's, so its tick and setting follow the step.
    if (type01Action_->isChecked() != doc_.fileType01()) {
        type01Action_->setChecked(doc_.fileType01());
        storeSetting(ProgramSettings::kMarkProgramsType01Key, doc_.fileType01());
    }
    showLabel();
    const QList<int> rows(selected->begin(), selected->end());
    // A step that keeps the entries where they were (a label, the capacity) keeps the
    // selection as it stands: re-selecting costs more than the step itself on a long list.
    const bool same = doc_.count() == list_->topLevelItemCount() && list_->selectedRows() == rows &&
                      (rows.isEmpty() || list_->currentIndex().row() == rows.first());
    redisplay(same);
    if (!same)
        list_->selectRows(rows);
}

void MainWindow::updateEditActions() {
    undoAction_->setEnabled(imageOpen_ && history_.canUndo());
    redoAction_->setEnabled(imageOpen_ && history_.canRedo());
}

} // namespace vornix
