#include "app/MainWindow.h"
#include "app/ResultTexts.h"

#include "app/AboutWindow.h"
#include "app/DiskCommands.h"
#include "app/DropFileSource.h"
#include "app/EntryListView.h"
#include "app/PictureCommands.h"
#include "app/RenameBox.h"
#include "app/Settings.h"
#include "app/TapeCommands.h"
#include "app/WorkingFolder.h"
#include "core/Extraction.h"
#include "core/FileStamp.h"
#include "core/PlatformFile.h"
#include "gui/FixedTexts.h"
#include "gui/Latin1Validator.h"
#include "gui/LocalPath.h"
#include "gui/SvgIcon.h"
#include "gui/ToolWindow.h"
#include "tape/ui/TapLinkerWindow.h"
#include "tape/ui/TapeConversionWindow.h"
#include "tools/ui/CartridgeWindow.h"
#include "tools/ui/CompressionWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QShowEvent>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QValidator>

namespace vornix {

namespace {

const QString kVersionSuffix = QStringLiteral(" - VORN 0.11");
const QString kAppTitle = QStringLiteral("Vornix");

QString nativeName(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

MainWindow::MainWindow(const AppContext& context, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), ctx_(context) {
    dropSource_ = new DropFileSource(this);
    // A child, so that a test can see whether a drag test is under way.
    holdTimer_.setParent(this);
    holdTimer_.setObjectName(QStringLiteral("DragHoldTimer"));
    holdTimer_.setSingleShot(true);
    connect(&holdTimer_, &QTimer::timeout, this, &MainWindow::dragHoldElapsed);
    clock_.start();

    openDialog_.defaultSuffix = QStringLiteral("T64");
    saveDialog_.defaultSuffix = QStringLiteral("T64");
    saveDialog_.confirmOverwrite = true;
    addPrgDialog_.defaultSuffix = QStringLiteral("PRG");

    buildWindow();
    startUp(arguments);
    // Keys go to the list from the start: Up and Down must not change the capacity unseen.
    list_->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::setToolWindows(CompressionWindow* compression, AboutWindow* about,
                                CartridgeWindow* cartridge, TapeConversionWindow* tape,
                                TapLinkerWindow* linker) {
    compression_ = compression;
    about_ = about;
    cartridge_ = cartridge;
    tape_ = tape;
    linker_ = linker;
}

void MainWindow::setDropFileSource(DropFileSource* source) {
    if (!source || source == dropSource_)
        return;
    source->setParent(this);
    delete dropSource_;
    dropSource_ = source;
}

// ---------------------------------------------------------------------------------------
// Start-up and close

void MainWindow::startUp(const QStringList& arguments) {
    startGeometry_ = geometry();
    const QString work = ctx_.workingFolder();
    QString failed;
    if (!workingfolder::ensure(work, &failed)) {
        // The rest of the start-up is skipped: design defaults, no drops, no image.
        showError(tr("Unable to create the working folder %1.").arg(failed));
        return;
    }
    workingfolder::empty(work);

    setAcceptDrops(true);
    dropsRegistered_ = true;

    const ProgramSettings settings = ProgramSettings::read(ctx_.settingsPath());
    type01Action_->setChecked(settings.markProgramsType01);
    compressOutputAction_->setChecked(settings.compressConverted);
    showPreview(settings.previewShown, false);
    // English before any image is loaded, so its messages and captions come in English.
    if (settings.englishInterface)
        setLanguage(gui::Language::English);
    recent_ = recentimages::read(ctx_.settingsPath());
    rebuildRecentMenu();
    const QByteArray place = windowplace::read(ctx_.settingsPath());
    if (!place.isEmpty())
        restoreGeometry(place);
    startGeometry_ = geometry();
    startMaximized_ = isMaximized();

    if (arguments.isEmpty() || arguments.first().isEmpty())
        return;
    if (findChild<TapeCommands*>()->startWithTape(arguments.first()))
        return;
    // A rejected image leaves the design's empty list; an accepted one is shown by the load.
    if (!loadImage(arguments.first()))
        showLabel();
    doc_.setModified(false);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A line shown before the window (a tape named at start) left the status bar's panels to
    // be shown with it, over the line: shown anew (the same text alone would be ignored), the
    // line hides them.
    if (const QString line = statusBar()->currentMessage(); !line.isEmpty()) {
        statusBar()->clearMessage();
        statusBar()->showMessage(line);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (extracting_ || dragOutRunning_) {
        // Entries are being written: close as soon as that is over.
        closePending_ = true;
        event->ignore();
        return;
    }
    cancelDragTest();
    // A close asked for during the work is answered now, Cancel included: not again later.
    closePending_ = false;
    if (!closeSequence()) {
        event->ignore();
        return;
    }
    event->accept();
    emit programEnds();
}

bool MainWindow::closeSequence() {
    // Asked first: a close the user cancels leaves the tool windows and the working folder
    // as they were.
    if (!savePrompt(MsgButtons::YesNoCancel))
        return false;
    workingfolder::empty(ctx_.workingFolder());
    // Only a window the user moved or resized writes its place: a run that changes nothing
    // leaves settings.ini as it was.
    if (geometry() != startGeometry_ || isMaximized() != startMaximized_)
        windowplace::store(ctx_.settingsPath(), saveGeometry());
    for (QWidget* w : std::initializer_list<QWidget*>{about_, compression_, cartridge_, tape_})
        if (w)
            w->hide();
    return true;
}

// ---------------------------------------------------------------------------------------
// Document commands

bool MainWindow::refuseWhileBusy() {
    if (!extracting_ && !dragOutRunning_)
        return false;
    QApplication::beep();
    return true;
}

bool MainWindow::savePrompt(MsgButtons buttons) {
    if (!doc_.modified())
        return true;
    const MsgAnswer answer = ctx_.dialogs->message(this, promptCaption_, promptText_, buttons, MsgIcon::None);
    if (answer == MsgAnswer::Cancel)
        return false;
    // Yes goes on only when the changes are on disk: a save dialog cancelled, a file that
    // could not be written or a newer file the user would not replace all keep them here.
    return answer != MsgAnswer::Yes || saveAs() == SaveOutcome::Saved;
}

void MainWindow::newImage() {
    if (refuseWhileBusy() || !savePrompt(MsgButtons::YesNoCancel))
        return;
    hideRenameBox();
    statusBar()->clearMessage();
    doc_.newImage();
    resetHistory();
    imagePath_.clear();
    imageStamp_ = {};
    setWindowTitle(tr("Untitled") + kVersionSuffix);
    setImageOpen();
    showLabel();
    redisplay();
    list_->setFocus();
}

void MainWindow::openImage() {
    if (refuseWhileBusy() || !savePrompt(MsgButtons::YesNoCancel))
        return;
    openDialog_.title = tr("Open");
    const QStringList paths = ctx_.dialogs->openFiles(this, openDialog_, false);
    if (paths.isEmpty() || paths.first().isEmpty())
        return;
    hideRenameBox();
    loadImage(paths.first());
}

bool MainWindow::loadImage(const QString& path) {
    // Stamped before reading: a change made while we read shows as a change later, never
    // the other way round.
    const vornix::FileStamp stamp = vornix::fileStamp(toLocalPath(path));
    const vornix::OpenResult result = doc_.open(toLocalPath(path));
    if (!result.accepted) {
        ctx_.dialogs->message(this, QString::fromUtf8(fixedtexts::kNotT64Caption),
                              QString::fromUtf8(fixedtexts::kNotT64Text), MsgButtons::Ok, MsgIcon::None);
        redisplay();
        return false;
    }
    resetHistory();
    statusBar()->clearMessage();
    imagePath_ = QFileInfo(path).absoluteFilePath();
    imageStamp_ = stamp;
    setCaptionFor(path);
    rememberImage(imagePath_);
    setImageOpen();
    showLabel();
    redisplay();
    selectFirstEntry();
    list_->setFocus();
    if (!result.repairs.empty()) {
        QStringList parts;
        if (result.countFromDirectory)
            parts << tr("The header of %1 said it held 0 programs: the programs were taken from its "
                        "directory.\nCheck the programs before saving.")
                         .arg(nativeName(path));
        if (result.sizesRepaired || !result.countFromDirectory)
            parts << tr("The directory of %1 was damaged: the sizes of its programs have been "
                        "repaired.\nCheck the programs before saving.")
                         .arg(nativeName(path));
        QString text = parts.join(QStringLiteral("\n"));
        // The reader's own account of what it mended is in English.
        if (language_ == gui::Language::English)
            for (const std::string& r : result.repairs)
                text += QStringLiteral("\n- ") + QString::fromStdString(r);
        ctx_.dialogs->message(this, kAppTitle, text, MsgButtons::Ok, MsgIcon::Warning);
    }
    return true;
}

void MainWindow::saveImageAs() { saveAs(); }

void MainWindow::saveImage() {
    if (!imageOpen_ || refuseWhileBusy())
        return;
    if (imagePath_.isEmpty())
        saveAs();
    else
        saveTo(imagePath_);
}

MainWindow::SaveOutcome MainWindow::saveAs() {
    saveDialog_.title = tr("Save as");
    saveDialog_.fileName = imagePath_;
    const QString path = ctx_.dialogs->saveFile(this, saveDialog_);
    if (path.isEmpty())
        return SaveOutcome::Cancelled;
    return saveTo(path);
}

MainWindow::SaveOutcome MainWindow::saveTo(const QString& path) {
    if (changedSinceOpened(path) &&
        ctx_.dialogs->message(this, kAppTitle,
                              tr("The file %1 has been changed on disk (by another program?) since it was "
                                 "opened or last saved.\nReplace it and lose those changes?")
                                  .arg(nativeName(path)),
                              MsgButtons::YesNo, MsgIcon::Warning) != MsgAnswer::Yes)
        return SaveOutcome::Declined;
    const vornix::SaveResult result = doc_.saveAs(toLocalPath(path), type01Action_->isChecked());
    showLabel();
    if (!result.written) {
        showError(tr("Unable to save the file %1:\n%2.\nThe file was left as it was.")
                      .arg(nativeName(path), ResultTexts::fileFailure(result.failure, language_)));
        return SaveOutcome::Failed;
    }
    history_.markSaved(doc_);
    imagePath_ = QFileInfo(path).absoluteFilePath();
    imageStamp_ = vornix::fileStamp(toLocalPath(path));
    setCaptionFor(path);
    rememberImage(imagePath_);
    return SaveOutcome::Saved;
}

// Another program (or a second editor) may have written the image since we read or wrote
// it; saving over it would silently drop that work.
bool MainWindow::changedSinceOpened(const QString& path) const {
    if (imagePath_.isEmpty())
        return false;
    const QFileInfo target(path);
    const QFileInfo image(imagePath_);
    const bool same =
        target.absoluteFilePath() == image.absoluteFilePath() ||
        (!target.canonicalFilePath().isEmpty() && target.canonicalFilePath() == image.canonicalFilePath());
    return same && vornix::changedOnDisk(imageStamp_, vornix::fileStamp(toLocalPath(path)));
}

void MainWindow::deleteSelected() {
    if (refuseWhileBusy())
        return;
    showSelection(edit([this] { return doc_.deleteSelected(selection()); }));
}

void MainWindow::addPrograms() {
    if (refuseWhileBusy())
        return;
    addPrgDialog_.title = tr("Add program");
    const QStringList paths = ctx_.dialogs->openFiles(this, addPrgDialog_, true);
    if (paths.isEmpty())
        return;
    std::vector<std::string> files;
    for (const QString& p : paths)
        files.push_back(toLocalPath(p));
    std::vector<vornix::AddResult> results;
    edit([&] {
        results = doc_.addPrograms(files);
        return std::optional<Selection>(Selection{});
    });
    redisplay();
    for (const vornix::AddResult& r : results)
        if (!r.added)
            reportRefused(r);
}

void MainWindow::changeDocument(const std::function<void(TapeDocument&)>& change) {
    edit([&] {
        change(doc_);
        return std::optional<Selection>(Selection{});
    });
    redisplay();
}

// The first entry current and selected: arrows, Enter, Delete and the preview start there.
void MainWindow::selectFirstEntry() {
    if (doc_.count() == 0)
        return;
    list_->selectRows({0});
    selectedByOpening_ = true;
}

void MainWindow::setNewImageLabel(const std::string& label) {
    doc_.setLabel(label);
    showLabel();
}

void MainWindow::reportRefused(const vornix::AddResult& result) {
    const QString path = fromLocalPath(result.path);
    switch (result.refusal) {
    case vornix::AddRefusal::ImageFull:
        showError(ResultTexts::imageFull({nativeName(path)}, language_));
        break;
    case vornix::AddRefusal::TooShort:
        showError(tr("The file %1 is shorter than 2 bytes, so it is not a PRG program.\nThe program was not "
                     "added.")
                      .arg(nativeName(path)));
        break;
    default:
        showError(tr("Cannot read the file %1:\n%2.\nThe program was not added.")
                      .arg(nativeName(path), ResultTexts::fileFailure(result.failure, language_)));
        break;
    }
}

void MainWindow::moveToTop() {
    if (refuseWhileBusy())
        return;
    showSelection(edit([this] { return doc_.moveToTop(selection()); }));
}

void MainWindow::moveUp() {
    if (refuseWhileBusy())
        return;
    showSelection(edit([this] { return doc_.moveUp(selection()); }));
}

void MainWindow::moveDown() {
    if (refuseWhileBusy())
        return;
    showSelection(edit([this] { return doc_.moveDown(selection()); }));
}

void MainWindow::moveToBottom() {
    if (refuseWhileBusy())
        return;
    showSelection(edit([this] { return doc_.moveToBottom(selection()); }));
}

void MainWindow::showSelection(const std::optional<vornix::Selection>& selected) {
    if (!selected)
        return; // the command did not act: the list stays as it is
    redisplay();
    list_->selectRows(QList<int>(selected->begin(), selected->end()));
}

vornix::Selection MainWindow::selection() const {
    const QList<int> rows = list_->selectedRows();
    return vornix::Selection(rows.begin(), rows.end());
}

vornix::Selection MainWindow::exportSelection() const {
    vornix::Selection chosen = selectedByOpening_ ? vornix::Selection{} : selection();
    if (chosen.empty())
        for (int p = 0; p < int(doc_.entries().size()); ++p)
            chosen.push_back(p);
    return chosen;
}

void MainWindow::exitProgram() { close(); }

void MainWindow::extractAll() {
    if (extractButton_->isEnabled())
        extractSelected();
}

void MainWindow::extractSelected() {
    if (refuseWhileBusy())
        return;
    const QList<int> rows = list_->selectedRows();
    if (rows.isEmpty())
        return;
    const QString folder = ctx_.dialogs->folder(this, tr("Extract to folder"), lastExtractFolder_);
    if (folder.isEmpty())
        return;
    lastExtractFolder_ = folder;
    QStringList written;
    const bool all = extractRows(rows, folder, true, &written);
    if (written.size() == 1 && all)
        showStatus(tr("Extracted %1").arg(nativeName(written.first())));
    else if (!written.isEmpty())
        showStatus((all ? tr("Extracted %1 to %2") : tr("Extraction stopped: %1 written to %2"))
                       .arg(programCount(int(written.size())), nativeName(folder)));
    if (closePending_)
        close();
}

// Writes the rows (taken when the command starts, so a click during the work cannot
// change what is written) top to bottom; stops at the first failure, whose row and the
// rows after it stay selected.
bool MainWindow::extractRows(const QList<int>& rows, const QString& folder, bool unselect,
                             QStringList* writtenFiles) {
    // The progress panel shows only while no line covers it.
    statusBar()->clearMessage();
    extracting_ = true;
    doc_.setBusy(true);
    const std::string target = toLocalPath(folder);
    QStringList written;
    const auto progress = [this](std::int64_t index, std::int64_t last) {
        progressPanel_->setText(index < 0 ? QString() : QStringLiteral("%1/%2").arg(index).arg(last));
        // Keep the window painting and answering while a long entry is written.
        QCoreApplication::processEvents();
    };
    const vornix::ExtractResult result = vornix::extractEach(
        {rows.begin(), rows.end()}, static_cast<std::size_t>(doc_.count()),
        [&](std::size_t row) {
            const vornix::Entry& entry = doc_.entries()[row];
            vornix::ExtractResult written = vornix::extractEntry(entry, target, progress);
            progressPanel_->clear();
            if (!written.written && written.path.empty())
                written.path = vornix::extractionPath(target, entry.name);
            return written;
        },
        [&](std::size_t row, const vornix::ExtractResult& done) {
            written << fromLocalPath(done.path);
            if (unselect)
                if (auto* item = list_->topLevelItem(int(row)))
                    item->setSelected(false);
        });
    extracting_ = false;
    doc_.setBusy(false);
    if (writtenFiles)
        *writtenFiles = written;
    if (!result.written)
        showError(tr("Unable to write the file %1:\n%2.\nExtraction stopped.")
                      .arg(nativeName(fromLocalPath(result.path)),
                           ResultTexts::fileFailure(result.failure, language_)));
    return result.written;
}

void MainWindow::labelEdited(const QString& text) {
    if (updating_)
        return;
    // Typing is one step to undo, until something else happens.
    edit(
        [&] {
            doc_.setLabel(text.toLatin1().toStdString());
            return std::optional<Selection>(selection());
        },
        "label");
}

void MainWindow::capacityChanged(int value) {
    if (updating_)
        return;
    edit(
        [&] {
            doc_.setCapacity(value);
            return std::optional<Selection>(selection());
        },
        "capacity");
    updating_ = true;
    capacitySpin_->setMinimum(doc_.count());
    updating_ = false;
}

void MainWindow::redisplay(bool keepSelection) {
    updating_ = true;
    QList<QStringList> rows;
    rows.reserve(doc_.count());
    int pos = 1;
    for (const vornix::Entry& e : doc_.entries())
        rows.append({QString::number(pos++), QString::fromLatin1(e.name.data(), qsizetype(e.name.size())),
                     QString::number(e.size)});
    list_->setRows(rows, keepSelection);
    countLabel_->setText(QString::number(doc_.count()));
    const int capacity = doc_.applyCapacityRule();
    capacitySpin_->setRange(std::min(doc_.capacityLowerLimit(), capacity),
                            std::max(doc_.capacityUpperLimit(), capacity));
    capacitySpin_->setValue(capacity);
    updating_ = false;
    updateEditActions();
    updatePreview();
}

void MainWindow::showLabel() {
    updating_ = true;
    labelValidator_->setVerbatim(true);
    // Without the fill that pads it to 24 on tape, so End and typing extend the label itself.
    QString label = QString::fromLatin1(doc_.label().data(), qsizetype(doc_.label().size()));
    while (label.endsWith(QLatin1Char(' ')) || label.endsWith(QChar(0xA0)))
        label.chop(1);
    labelEdit_->setText(label);
    labelValidator_->setVerbatim(false);
    updating_ = false;
}

void MainWindow::setImageOpen() {
    imageOpen_ = true;
    for (QToolButton* b : {saveButton_, deleteButton_, addButton_, extractButton_, topButton_, upButton_,
                           downButton_, bottomButton_})
        b->setEnabled(true);
    for (QAction* a :
         {saveAction_, saveAsAction_, extractAllAction_, extractSelectedAction_, addAction_, deleteAction_,
          renameAction_, selectAllAction_, topAction_, upAction_, downAction_, bottomAction_})
        a->setEnabled(true);
    capacitySpin_->setEnabled(true);
    labelEdit_->setEnabled(true);
}

void MainWindow::setCaptionFor(const QString& path) {
    setWindowTitle(QFileInfo(path).fileName() + kVersionSuffix);
}

void MainWindow::showStatus(const QString& text) { statusBar()->showMessage(text); }

void MainWindow::showError(const QString& text) {
    ctx_.dialogs->message(this, kAppTitle, text, MsgButtons::Ok, MsgIcon::Error);
}

QString MainWindow::programCount(int count) { return tr("%n program(s)", nullptr, count); }

// ---------------------------------------------------------------------------------------
// Rename

void MainWindow::renameSelected() {
    if (extracting_ || dragOutRunning_)
        return;
    const QList<int> rows = list_->selectedRows();
    if (rows.isEmpty())
        return;
    renamePos_ = rows.first();
    beginRename();
}

void MainWindow::selectAll() {
    if (!refuseWhileBusy())
        list_->selectAll();
}

void MainWindow::beginRename() {
    QTreeWidgetItem* item = list_->topLevelItem(renamePos_);
    if (!item)
        return;
    const QRect row = list_->visualItemRect(item);
    const QPoint topLeft =
        list_->viewport()->mapTo(centralWidget(), QPoint(list_->columnViewportPosition(1), row.top()));
    renameBox_->begin(QRect(topLeft, QSize(list_->columnWidth(1), row.height())), item->text(1));
}

void MainWindow::commitRename() {
    if (extracting_ || dragOutRunning_)
        return;
    const QString text = renameBox_->text();
    const int pos = renamePos_;
    hideRenameBox();
    list_->setFocus();
    // The entry may have gone meanwhile (a delete from the toolbar while the box was open).
    if (pos < 0 || pos >= doc_.count())
        return;
    showSelection(edit([&] {
        doc_.rename(pos, text.toLatin1().toStdString());
        return std::optional<Selection>(Selection{pos});
    }));
}

void MainWindow::cancelRename() {
    hideRenameBox();
    list_->setFocus();
}

void MainWindow::hideRenameBox() {
    renamePos_ = -1;
    if (renameBox_)
        renameBox_->park();
}

// ---------------------------------------------------------------------------------------
// Recent images

void MainWindow::rememberImage(const QString& path) {
    const QStringList updated = recentimages::withFirst(recent_, path);
    if (updated == recent_)
        return;
    recent_ = updated;
    // Not a setting the user asked to store: a file that cannot be written only loses the list.
    recentimages::store(ctx_.settingsPath(), recent_);
    rebuildRecentMenu();
}

void MainWindow::rebuildRecentMenu() {
    recentMenu_->clear();
    for (int i = 0; i < recent_.size(); ++i) {
        const QString path = recent_[i];
        QString shown = nativeName(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        item->setObjectName(QStringLiteral("Ostatniobraz%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    recentMenu_->setEnabled(!recent_.isEmpty());
}

void MainWindow::openRecent(const QString& path) {
    if (refuseWhileBusy())
        return;
    if (!QFileInfo(path).isFile()) {
        // Told before the save prompt: there is nothing to open, so nothing to give up.
        recent_.removeAll(path);
        recentimages::store(ctx_.settingsPath(), recent_);
        rebuildRecentMenu();
        showError(
            tr("The file %1 no longer exists; it was taken off the recent images.").arg(nativeName(path)));
        return;
    }
    if (!savePrompt(MsgButtons::YesNoCancel))
        return;
    hideRenameBox();
    loadImage(path);
}

// ---------------------------------------------------------------------------------------
// Language buttons, options, tool windows

void MainWindow::switchToEnglish() {
    setLanguage(gui::Language::English);
    storeSetting(ProgramSettings::kEnglishInterfaceKey, true);
}

void MainWindow::switchToPolish() {
    englishButtonSlot_->setVisible(true);
    englishButton_->setEnabled(true);
    polishButtonSlot_->setVisible(false);
    polishButton_->setEnabled(false);
    // Both languages in one text: the window is still English, the next start is Polish.
    ctx_.dialogs->message(this, QString::fromUtf8(fixedtexts::kRestartCaption),
                          QString::fromUtf8(fixedtexts::kRestartText), MsgButtons::Ok, MsgIcon::None);
    useLanguage(gui::Language::Polish);
    storeSetting(ProgramSettings::kEnglishInterfaceKey, false);
}

void MainWindow::storeSetting(const char* key, bool value) {
    if (ProgramSettings::store(ctx_.settingsPath(), QLatin1String(key), value))
        return;
    // The change stays on screen; only its storage is lost.
    showError(tr("Unable to write to %1.").arg(nativeName(ctx_.settingsPath())));
}

void MainWindow::compressOutputToggled() {
    storeSetting(ProgramSettings::kCompressConvertedKey, compressOutputAction_->isChecked());
}

void MainWindow::type01Toggled() {
    const bool on = type01Action_->isChecked();
    if (imageOpen_)
        edit([&] {
            doc_.setFileType01(on);
            return std::optional<Selection>(selection());
        });
    else
        doc_.setFileType01(on);
    storeSetting(ProgramSettings::kMarkProgramsType01Key, on);
}

void MainWindow::showToolWindow(QWidget* window) {
    if (!window)
        return;
    // The first time over the main window; later the user's own placement stays.
    if (!window->property("vornixPlaced").toBool()) {
        window->setProperty("vornixPlaced", true);
        placeOver(window, this);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

// The compression and cartridge windows are designed in English and the tape conversion
// window in Polish: each is given the flag's language only when that differs from its design,
// and keeps it afterwards. The TAP linker and the About window take the flag's language at
// every showing.
void MainWindow::showCompressionWindow() {
    if (compression_ && language_ == gui::Language::Polish)
        compression_->setLanguage(gui::Language::Polish);
    showToolWindow(compression_);
}

void MainWindow::showCartridgeWindow() {
    if (cartridge_ && language_ == gui::Language::Polish)
        cartridge_->setLanguage(gui::Language::Polish);
    showToolWindow(cartridge_);
}

void MainWindow::showTapeConversionWindow() {
    if (tape_ && language_ == gui::Language::English)
        tape_->setLanguage(gui::Language::English);
    showToolWindow(tape_);
}

void MainWindow::showTapLinkerWindow() {
    if (linker_)
        linker_->setLanguage(language_);
    showToolWindow(linker_);
}

void MainWindow::showAboutWindow() {
    if (about_)
        about_->setLanguage(language_);
    showToolWindow(about_);
}

// The picture commands read the option ticks at the moment they run.
CompressionOptions MainWindow::pictureOptions() {
    CompressionOptions options;
    options.compress = compressOutputAction_->isChecked();
    options.fast = fastCompressionAction_->isChecked();
    options.language = language_;
    options.showCompressionWindow = [this] { showCompressionWindow(); };
    options.window = compression_;
    options.status = [this](const QString& line) { statusBar()->showMessage(line); };
    return options;
}

void MainWindow::convertKoala() { koalaToPrgCommand(ctx_, this, pictureOptions()); }

void MainWindow::convertFli() { fliToPrgCommand(ctx_, this, addPrgDialog_, pictureOptions()); }

} // namespace vornix
