// The main window's preview pane: shown and hidden from the View menu (remembered in
// settings.ini) or opened with Enter on a row; it follows the first selected entry.
#include "app/MainWindow.h"

#include "app/EntryListView.h"
#include "app/PreviewPane.h"

#include <QAction>
#include <QLayout>

namespace vornix {

void MainWindow::previewToggled() { showPreview(previewAction_->isChecked(), true); }

void MainWindow::showPreview(bool on, bool store) {
    previewAction_->setChecked(on);
    const bool change = preview_->isVisibleTo(this) != on;
    if (change) {
        // The window grows by the pane and shrinks back, so the list keeps its width.
        const int target = width() + (on ? preview_->sizeHint().width() : -preview_->width());
        preview_->setVisible(on);
        // The window's smallest size follows the pane at once, not at the next layout pass.
        centralWidget()->layout()->activate();
        layout()->activate();
        if (!isMaximized() && !isFullScreen())
            resize(target, height());
        updatePreview();
    }
    if (store && change)
        storeSetting(QStringLiteral("pod"), on);
}

void MainWindow::updatePreview() {
    if (!preview_ || !preview_->isVisibleTo(this))
        return; // nothing is decoded for a hidden pane
    const QList<int> rows = list_->selectedRows();
    const bool any = !rows.isEmpty() && rows.first() < doc_.count();
    preview_->showEntry(any ? &doc_.entries()[static_cast<std::size_t>(rows.first())] : nullptr);
}

} // namespace vornix
