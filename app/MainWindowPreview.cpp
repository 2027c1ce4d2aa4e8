// The main window's preview pane: shown and hidden from the View menu (remembered in
// settings.ini) or opened with Enter on a row; it follows the first selected entry.
#include "app/MainWindow.h"

#include "app/Settings.h"

#include "app/EntryListView.h"
#include "app/PreviewPane.h"

#include <QAction>
#include <QLayout>
#include <QScreen>

#include <algorithm>

namespace vornix {

void MainWindow::previewToggled() { showPreview(previewAction_->isChecked(), true); }

void MainWindow::showPreview(bool on, bool store) {
    previewAction_->setChecked(on);
    const bool change = preview_->isVisibleTo(this) != on;
    if (change) {
        // The list keeps the width it has (before the window is shown: the width the layout
        // gives it), and the window grows by the pane and shrinks back. Held as the list's
        // smallest width while the pane shows, so that neither the pane's own smallest width
        // nor a window that could not grow takes it.
        layout()->activate();
        if (width() < minimumSizeHint().width())
            resize(minimumSizeHint().width(), height()); // what showing the window would do
        centralWidget()->layout()->activate();
        const int listWidth = list_->width();
        const int target = width() + (on ? preview_->sizeHint().width() : -preview_->width());
        list_->setMinimumWidth(on ? listWidth : 0);
        preview_->setVisible(on);
        // The window's smallest size follows the pane at once, not at the next layout pass.
        centralWidget()->layout()->activate();
        layout()->activate();
        if (!isMaximized() && !isFullScreen()) {
            resize(std::max(target, minimumSizeHint().width()), height());
            keepOnScreen();
        }
        updatePreview();
    }
    if (store && change)
        storeSetting(ProgramSettings::kPreviewShownKey, on);
}

// A window grown by the pane moves left as far as needed to stay wholly on its screen.
void MainWindow::keepOnScreen() {
    const QScreen* where = screen();
    if (!isVisible() || !where)
        return;
    const QRect room = where->availableGeometry();
    QRect frame = frameGeometry();
    if (frame.right() > room.right())
        frame.moveRight(room.right());
    if (frame.left() < room.left())
        frame.moveLeft(room.left());
    if (frame.topLeft() != frameGeometry().topLeft())
        move(frame.topLeft());
}

void MainWindow::updatePreview() {
    if (!preview_ || !preview_->isVisibleTo(this))
        return; // nothing is decoded for a hidden pane
    const QList<int> rows = list_->selectedRows();
    const bool any = !rows.isEmpty() && rows.first() < doc_.count();
    preview_->showEntry(any ? &doc_.entries()[static_cast<std::size_t>(rows.first())] : nullptr);
}

} // namespace vornix
