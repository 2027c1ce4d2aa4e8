// The main window's drag and drop: the drag-out test on the list and the entries it offers
// to the shell, and files dropped on the window from the shell.
#include "app/MainWindow.h"

#include "app/DropFileSource.h"
#include "app/EntryListView.h"
#include "app/WorkingFolder.h"
#include "gui/LocalPath.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

namespace vornix {

bool MainWindow::listKeyPressed(QKeyEvent* event) {
    if (gesture_.watching()) {
        // The drag test owns the keyboard while the button is down.
        if (event->key() == Qt::Key_Escape)
            cancelDragTest();
        else {
            gesture_.input(clock_.elapsed());
            holdTimer_.start(int(DragGesture::kHoldMs));
        }
        return true;
    }
    if (list_->selectedRows().isEmpty())
        return false;
    switch (event->key()) {
    case Qt::Key_PageUp: moveUp(); break;
    case Qt::Key_PageDown: moveDown(); break;
    case Qt::Key_Home: moveToTop(); break;
    case Qt::Key_End: moveToBottom(); break;
    case Qt::Key_Insert: extractSelected(); break;
    default: break;
    }
    return false; // the list then handles the key as usual
}

void MainWindow::listPressed(QPoint pos, Qt::MouseButton button) {
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    if (extracting_ || dragOutRunning_ || list_->selectedRows().isEmpty())
        return;
    const int distance = QApplication::startDragDistance();
    gesture_.begin(pos.x(), pos.y(), clock_.elapsed(), distance, distance);
    holdTimer_.start(int(DragGesture::kHoldMs));
}

bool MainWindow::listMoved(QPoint pos) {
    if (!gesture_.watching())
        return false;
    if (gesture_.move(pos.x(), pos.y(), clock_.elapsed()) == DragGesture::State::Started)
        startDragOut();
    else
        holdTimer_.start(int(DragGesture::kHoldMs));
    return true;
}

void MainWindow::cancelDragTest() {
    holdTimer_.stop();
    gesture_.cancel();
}

void MainWindow::dragHoldElapsed() {
    if (!gesture_.watching())
        return;
    const qint64 now = clock_.elapsed();
    if (gesture_.idle(now) == DragGesture::State::Started)
        startDragOut();
    else
        holdTimer_.start(int(std::max<qint64>(1, gesture_.holdDeadline() - now)));
}

void MainWindow::changeEvent(QEvent* event) {
    // Losing the window is losing the mouse: the drag test ends.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        cancelDragTest();
    QMainWindow::changeEvent(event);
}

void MainWindow::startDragOut() {
    holdTimer_.stop();
    gesture_.reset();
    const QList<int> rows = list_->selectedRows();
    if (rows.isEmpty() || extracting_ || dragOutRunning_)
        return;
    const QString work = ctx_.workingFolder();
    dropSource_->clear();
    workingfolder::empty(work);
    // The window must never receive its own files.
    dragOutRunning_ = true;
    setAcceptDrops(false);
    if (extractRows(rows, work, false)) {
        // Everything in the folder is offered, not a list remembered from the extraction.
        for (const QUrl& file : workingfolder::prgFileUrls(work))
            dropSource_->addUrl(file);
        dropSource_->execute(list_);
    }
    setAcceptDrops(dropsRegistered_);
    dragOutRunning_ = false;
    if (closePending_)
        close();
}

// ---------------------------------------------------------------------------------------
// Files dropped from the shell

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!dragOutRunning_ && event->mimeData()->hasUrls()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    event->ignore();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (!dragOutRunning_ && event->mimeData()->hasUrls()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->setDropAction(Qt::CopyAction);
    event->accept();
    dropFiles(paths);
}

void MainWindow::dropFiles(const QStringList& paths) {
    if (!acceptDrops() || dragOutRunning_ || extracting_)
        return;
    bool changed = false;
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        const int dot = name.lastIndexOf('.');
        const QString ext = dot < 0 ? QString() : name.mid(dot);
        // Exactly ".PRG" or ".prg"; only while an image is open.
        if ((ext != QLatin1String(".PRG") && ext != QLatin1String(".prg")) || !saveButton_->isEnabled())
            continue;
        const vornix::AddResult result = doc_.addPrg(toLocalPath(path));
        if (result.added) {
            doc_.setModified(true);
            changed = true;
        } else {
            reportRefused(result);
        }
    }
    if (changed)
        redisplay();
}

} // namespace vornix
