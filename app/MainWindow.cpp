#include "app/MainWindow.h"

#include "app/AboutWindow.h"
#include "app/DiskCommands.h"
#include "app/DropFileSource.h"
#include "app/EntryListView.h"
#include "gui/Latin1Validator.h"
#include "gui/LocalPath.h"
#include "gui/SvgIcon.h"
#include "app/Settings.h"
#include "app/WorkingFolder.h"
#include "app/PictureCommands.h"
#include "core/Extraction.h"
#include "core/FileStamp.h"
#include "tape/ui/TapeConversionWindow.h"
#include "tape/ui/TapLinkerWindow.h"
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
#include <QSpinBox>
#include <QStatusBar>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QValidator>
#include <QVBoxLayout>

namespace {

const QString kVersionSuffix = QStringLiteral(" - VORN 0.11");
const QString kRejectedText = QStringLiteral("To nie jest poprawny plik T64.");
const QString kRejectedCaption = QStringLiteral("O kurcze...!");

QString nativeName(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

MainWindow::MainWindow(const AppContext& context, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), ctx_(context) {
    dropSource_ = new DropFileSource(this);
    holdTimer_.setSingleShot(true);
    connect(&holdTimer_, &QTimer::timeout, this, &MainWindow::dragHoldElapsed);
    clock_.start();

    openDialog_.filters = {{QStringLiteral("T64 files"), QStringLiteral("*.T64")},
                           {QStringLiteral("All files"), QStringLiteral("*.*")}};
    openDialog_.defaultSuffix = QStringLiteral("T64");
    saveDialog_.filters = {{QStringLiteral("T64 files"), QStringLiteral("*.T64")}};
    saveDialog_.defaultSuffix = QStringLiteral("T64");
    saveDialog_.confirmOverwrite = true;
    addPrgDialog_.filters = {{QStringLiteral("PRG Files"), QStringLiteral("*.PRG")},
                             {QStringLiteral("All files"), QStringLiteral("*.*")}};
    addPrgDialog_.defaultSuffix = QStringLiteral("PRG");

    buildWindow();
    startUp(arguments);
    // Keys go to the list from the start: Up and Down must not change the capacity unseen.
    list_->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::setToolWindows(CompressionWindow* compression, AboutWindow* about, CartridgeWindow* cartridge, TapeConversionWindow* tape, TapLinkerWindow* linker) {
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
// Window layout

void MainWindow::buildWindow() {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("VORN: Orvendal"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    buildToolbar();
    buildMenus();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Panel1"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(2, 2, 2, 0);
    column->setSpacing(3);

    auto* header = new QHBoxLayout;
    header->setSpacing(4);
    countCaption_ = new QLabel(central);
    countCaption_->setObjectName(QStringLiteral("Label1"));
    countLabel_ = new QLabel(QStringLiteral("---"), central);
    countLabel_->setObjectName(QStringLiteral("Label3"));
    countLabel_->setMinimumWidth(22);
    countLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    slashLabel_ = new QLabel(QStringLiteral("/"), central);
    slashLabel_->setObjectName(QStringLiteral("Label4"));
    capacitySpin_ = new QSpinBox(central);
    capacitySpin_->setObjectName(QStringLiteral("SpinEdit1"));
    capacitySpin_->setRange(1, 99);
    capacitySpin_->setValue(1);
    capacitySpin_->setMinimumWidth(46);
    capacitySpin_->setEnabled(false);
    // Arrows only: the number cannot be typed.
    capacitySpin_->findChild<QLineEdit*>()->setReadOnly(true);
    capacitySpin_->setContextMenuPolicy(Qt::NoContextMenu);
    labelCaption_ = new QLabel(central);
    labelCaption_->setObjectName(QStringLiteral("Label2"));
    labelEdit_ = new QLineEdit(QStringLiteral(" "), central);
    labelEdit_->setObjectName(QStringLiteral("Edit2"));
    labelEdit_->setMaxLength(24);
    labelValidator_ = new Latin1Validator(labelEdit_, true);
    labelEdit_->setValidator(labelValidator_);
    labelEdit_->setEnabled(false);
    labelEdit_->setFixedWidth(150);
    // Dropped files belong to the window, never to a text box.
    labelEdit_->setAcceptDrops(false);
    capacitySpin_->findChild<QLineEdit*>()->setAcceptDrops(false);
    header->addWidget(countCaption_);
    header->addWidget(countLabel_);
    header->addWidget(slashLabel_);
    header->addWidget(capacitySpin_);
    header->addWidget(labelCaption_);
    header->addWidget(labelEdit_);
    header->addStretch(1); // only the list grows with the window
    column->addLayout(header);

    list_ = new EntryListView(central);
    list_->setObjectName(QStringLiteral("ListView1"));
    list_->setColumnCount(3);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setDragEnabled(false);
    list_->setSortingEnabled(false);
    list_->header()->setSectionsClickable(false);
    list_->header()->setSectionsMovable(false);
    list_->header()->setStretchLastSection(false);
    list_->setColumnWidth(0, 35);
    list_->setColumnWidth(1, 220);
    list_->setColumnWidth(2, 75);
    column->addWidget(list_, 1);

    list_->onPressBefore = [this] {
        if (renameBox_->isVisible())
            commitRename();
    };
    list_->onPress = [this](QPoint pos, Qt::MouseButton button) { listPressed(pos, button); };
    list_->onMove = [this](QPoint pos) { return listMoved(pos); };
    list_->onRelease = [this] { cancelDragTest(); };
    list_->onDoubleClick = [this] { renameSelected(); };
    list_->onKey = [this](QKeyEvent* e) { return listKeyPressed(e); };
    list_->onFocusLost = [this] { cancelDragTest(); };

    // The rename box, parked outside the client area while not in use.
    renameBox_ = new QLineEdit(central);
    renameBox_->setObjectName(QStringLiteral("Edit1"));
    renameBox_->setMaxLength(16);
    renameBox_->setValidator(new Latin1Validator(renameBox_, false));
    renameBox_->setAcceptDrops(false);
    renameBox_->setStyleSheet(QStringLiteral("QLineEdit#Edit1 { border: 1px solid palette(shadow); padding: 0px; }"));
    renameBox_->move(0, -20);
    renameBox_->hide();
    renameBox_->installEventFilter(this);

    setCentralWidget(central);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    statusPanel1_ = new QLabel(bar);
    statusPanel1_->setObjectName(QStringLiteral("StatusBar1Panel1"));
    statusPanel1_->setFixedWidth(100);
    statusPanel1_->setFrameShape(QFrame::Panel);
    statusPanel1_->setFrameShadow(QFrame::Sunken);
    statusPanel2_ = new QLabel(bar);
    statusPanel2_->setObjectName(QStringLiteral("StatusBar1Panel2"));
    statusPanel2_->setFixedWidth(50);
    statusPanel2_->setFrameShape(QFrame::Panel);
    statusPanel2_->setFrameShadow(QFrame::Sunken);
    bar->addWidget(statusPanel1_);
    bar->addWidget(statusPanel2_);
    setStatusBar(bar);

    connect(labelEdit_, &QLineEdit::textEdited, this, &MainWindow::labelEdited);
    connect(capacitySpin_, &QSpinBox::valueChanged, this, &MainWindow::capacityChanged);

    applyTexts(false);

    // Outer size 373 x 515 at (194, 119); the frame is the platform's.
    move(194, 119);
    resize(365, 488);
}

QToolButton* MainWindow::addToolButton(QToolBar* bar, const QString& name, const QString& icon,
                                   void (MainWindow::*handler)()) {
    auto* b = new QToolButton(bar);
    b->setObjectName(name);
    b->setIcon(vornix::gui::svgIcon(icon));
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(23, 23);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, handler);
    bar->addWidget(b);
    return b;
}

void MainWindow::buildToolbar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(29);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->toggleViewAction()->setVisible(false);
    bar->setContentsMargins(0, 0, 0, 0);
    auto gap = [bar](int width) {
        auto* w = new QWidget(bar);
        w->setFixedWidth(width);
        bar->addWidget(w);
    };
    gap(4);
    newButton_ = addToolButton(bar, QStringLiteral("SpeedButton10"), QStringLiteral("new"), &MainWindow::newImage);
    openButton_ = addToolButton(bar, QStringLiteral("SpeedButton1"), QStringLiteral("open"), &MainWindow::openImage);
    saveButton_ = addToolButton(bar, QStringLiteral("SpeedButton8"), QStringLiteral("save"), &MainWindow::saveImageAs);
    gap(8);
    deleteButton_ = addToolButton(bar, QStringLiteral("SpeedButton7"), QStringLiteral("delete"), &MainWindow::deleteSelected);
    addButton_ = addToolButton(bar, QStringLiteral("SpeedButton9"), QStringLiteral("add"), &MainWindow::addPrograms);
    extractButton_ = addToolButton(bar, QStringLiteral("SpeedButton2"), QStringLiteral("extract"), &MainWindow::extractSelected);
    gap(16);
    topButton_ = addToolButton(bar, QStringLiteral("SpeedButton3"), QStringLiteral("top"), &MainWindow::moveToTop);
    upButton_ = addToolButton(bar, QStringLiteral("SpeedButton6"), QStringLiteral("up"), &MainWindow::moveUp);
    downButton_ = addToolButton(bar, QStringLiteral("SpeedButton5"), QStringLiteral("down"), &MainWindow::moveDown);
    bottomButton_ = addToolButton(bar, QStringLiteral("SpeedButton4"), QStringLiteral("bottom"), &MainWindow::moveToBottom);
    gap(24);
    englishButton_ = addToolButton(bar, QStringLiteral("SpeedButton11"), QStringLiteral("english"), &MainWindow::switchToEnglish);
    englishButtonSlot_ = bar->actions().last();
    polishButton_ = addToolButton(bar, QStringLiteral("SpeedButton12"), QStringLiteral("polish"), &MainWindow::switchToPolish);
    polishButtonSlot_ = bar->actions().last();
    polishButtonSlot_->setVisible(false);
    polishButton_->setEnabled(false);

    for (QToolButton* b : {saveButton_, deleteButton_, addButton_, extractButton_, topButton_, upButton_,
                           downButton_, bottomButton_})
        b->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, bar);
}

QAction* MainWindow::addMenuItem(QMenu* menu, const QString& name, const QString& text, void (MainWindow::*handler)()) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    if (handler)
        connect(a, &QAction::triggered, this, handler);
    menu->addAction(a);
    return a;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    fileMenu_ = bar->addMenu(QString());
    fileMenu_->setObjectName(QStringLiteral("Plik1"));
    newAction_ = addMenuItem(fileMenu_, QStringLiteral("Nowy1"), {}, &MainWindow::newImage);
    openAction_ = addMenuItem(fileMenu_, QStringLiteral("Otwrz1"), {}, &MainWindow::openImage);
    saveAsAction_ = addMenuItem(fileMenu_, QStringLiteral("Zapiszjako1"), {}, &MainWindow::saveImageAs);
    exitAction_ = addMenuItem(fileMenu_, QStringLiteral("Wyj1"), {}, &MainWindow::exitProgram);

    editMenu_ = bar->addMenu(QString());
    editMenu_->setObjectName(QStringLiteral("Edycja1"));
    extractAllAction_ = addMenuItem(editMenu_, QStringLiteral("Wypakujwszystkie1"), {}, &MainWindow::extractAll);
    addAction_ = addMenuItem(editMenu_, QStringLiteral("Dodaj1"), {}, &MainWindow::addPrograms);
    deleteAction_ = addMenuItem(editMenu_, QStringLiteral("Usu1"), {}, &MainWindow::deleteSelected);
    topAction_ = addMenuItem(editMenu_, QStringLiteral("Przesuwyej1"), {}, &MainWindow::moveToTop);
    upAction_ = addMenuItem(editMenu_, QStringLiteral("Przesunagr1"), {}, &MainWindow::moveUp);
    downAction_ = addMenuItem(editMenu_, QStringLiteral("Przesunizj1"), {}, &MainWindow::moveDown);
    bottomAction_ = addMenuItem(editMenu_, QStringLiteral("Przesunad1"), {}, &MainWindow::moveToBottom);

    extrasMenu_ = bar->addMenu(QString());
    extrasMenu_->setObjectName(QStringLiteral("Pomoc1"));
    extrasMenu_->setToolTipsVisible(true);
    compressionAction_ = addMenuItem(extrasMenu_, QStringLiteral("KompresjaPRG1"), {}, &MainWindow::showCompressionWindow);
    cartridgeAction_ = addMenuItem(extrasMenu_, QStringLiteral("Konwersjacartridge1"), {}, &MainWindow::showCartridgeWindow);
    tapeConversionAction_ = addMenuItem(extrasMenu_, QStringLiteral("WAVTAPT64P00TAP1"), QStringLiteral("WAV/TAP->T64/P00/TAP"),
                                   &MainWindow::showTapeConversionWindow);
    koalaAction_ = addMenuItem(extrasMenu_, QStringLiteral("KoalaPRG1"), QStringLiteral("Koala->PRG"), &MainWindow::convertKoala);
    fliAction_ = addMenuItem(extrasMenu_, QStringLiteral("FLIPRG1"), QStringLiteral("FLI->PRG"), &MainWindow::convertFli);
    tapLinkerAction_ = addMenuItem(extrasMenu_, QStringLiteral("TAPLinker1"), QStringLiteral("TAP Linker"), &MainWindow::showTapLinkerWindow);
    extrasMenu_->addSeparator()->setObjectName(QStringLiteral("N1"));
    compressOutputAction_ =
        addMenuItem(extrasMenu_, QStringLiteral("Kompresujplikiwynikowe1"), {}, &MainWindow::compressOutputToggled);
    compressOutputAction_->setCheckable(true);
    compressOutputAction_->setChecked(true);
    // Only the tick: this option is not kept between runs.
    fastCompressionAction_ = addMenuItem(extrasMenu_, QStringLiteral("Szybszakompresjawikszyplik1"), {}, nullptr);
    fastCompressionAction_->setCheckable(true);
    type01Action_ =
        addMenuItem(extrasMenu_, QStringLiteral("Oznaczenieprogramu0x011"), {}, &MainWindow::type01Toggled);
    type01Action_->setCheckable(true);
    type01Action_->setToolTip(
        QStringLiteral("Oznacza program przez 0x01, nie 0x82 jak robi to StarCommander,"));
    aboutAction_ = addMenuItem(extrasMenu_, QStringLiteral("Oprogramie1"), {}, &MainWindow::showAboutWindow);

    for (QAction* a : {saveAsAction_, extractAllAction_, addAction_, deleteAction_, topAction_, upAction_, downAction_, bottomAction_})
        a->setEnabled(false);
    new DiskCommands(this);
}

void MainWindow::applyTexts(bool english) {
    for (const TextRow& row : mainWindowTexts()) {
        const QString text = QString::fromUtf8(english ? row.english : row.polish);
        const QString name = QString::fromLatin1(row.control);
        switch (row.role) {
        case TextRole::Menu:
            if (auto* m = findChild<QMenu*>(name))
                m->setTitle(text);
            break;
        case TextRole::Action:
            if (auto* a = findChild<QAction*>(name))
                a->setText(text);
            break;
        case TextRole::Label:
            if (auto* l = findChild<QLabel*>(name))
                l->setText(text);
            break;
        case TextRole::Header:
            list_->headerItem()->setText(row.column, text);
            break;
        case TextRole::ToolTip:
            if (auto* b = findChild<QToolButton*>(name))
                b->setToolTip(text);
            break;
        case TextRole::PromptText: promptText_ = text; break;
        case TextRole::PromptCaption: promptCaption_ = text; break;
        }
    }
}

void MainWindow::applyEnglish() {
    applyTexts(true);
    englishButtonSlot_->setVisible(false);
    englishButton_->setEnabled(false);
    polishButtonSlot_->setVisible(true);
    polishButton_->setEnabled(true);
    english_ = true;
}

// ---------------------------------------------------------------------------------------
// Start-up and close

void MainWindow::startUp(const QStringList& arguments) {
    const QString work = ctx_.workingFolder();
    QString failed;
    if (!workingfolder::ensure(work, &failed)) {
        // The rest of the start-up is skipped: design defaults, no drops, no image.
        showMessage(Msg::WorkingFolderFailed, failed);
        return;
    }
    workingfolder::empty(work);

    setAcceptDrops(true);
    dropsRegistered_ = true;

    const ProgramSettings settings = ProgramSettings::read(ctx_.settingsPath());
    type01Action_->setChecked(settings.opc);
    compressOutputAction_->setChecked(settings.wyn);
    // English before any image is loaded, so its messages and captions come in English.
    if (settings.eng)
        applyEnglish();

    if (arguments.isEmpty() || arguments.first().isEmpty())
        return;
    loadImage(arguments.first());
    showLabel();
    redisplay();
    doc_.setModified(false);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (extracting_ || dragOutRunning_) {
        // Entries are being written: close as soon as that is over.
        closePending_ = true;
        event->ignore();
        return;
    }
    cancelDragTest();
    if (!closeSequence()) {
        event->ignore();
        return;
    }
    event->accept();
    emit programEnds();
}

bool MainWindow::closeSequence() {
    workingfolder::empty(ctx_.workingFolder());
    for (QWidget* w : std::initializer_list<QWidget*>{about_, compression_, cartridge_, tape_})
        if (w)
            w->hide();
    // Only a save that was tried and failed keeps the window: the changes would be lost.
    return savePrompt(MsgButtons::YesNo);
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
    // Goes on also when the save dialog is cancelled, but not when the file could not be
    // written: the unsaved changes would be lost without the user having agreed to it.
    if (answer == MsgAnswer::Yes) {
        const SaveOutcome saved = saveAs();
        // Declining to replace a file changed on disk is not giving up the changes either.
        if (saved == SaveOutcome::Failed || saved == SaveOutcome::Declined)
            return false;
    }
    return true;
}

void MainWindow::newImage() {
    if (refuseWhileBusy() || !savePrompt(MsgButtons::YesNoCancel))
        return;
    hideRenameBox();
    doc_.newImage();
    imagePath_.clear();
    imageStamp_ = {};
    setWindowTitle(QStringLiteral("Untitled") + kVersionSuffix);
    setImageOpen();
    showLabel();
    redisplay();
    list_->setFocus();
}

void MainWindow::openImage() {
    if (refuseWhileBusy() || !savePrompt(MsgButtons::YesNoCancel))
        return;
    openDialog_.title = messageText(Msg::OpenTitle, english_);
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
        ctx_.dialogs->message(this, kRejectedCaption, kRejectedText, MsgButtons::Ok, MsgIcon::None);
        redisplay();
        return false;
    }
    imagePath_ = QFileInfo(path).absoluteFilePath();
    imageStamp_ = stamp;
    setCaptionFor(path);
    setImageOpen();
    showLabel();
    redisplay();
    list_->setFocus();
    if (!result.repairs.empty()) {
        QStringList parts;
        if (result.countFromDirectory)
            parts << messageText(Msg::EntriesFromDirectory, english_).arg(nativeName(path));
        if (result.sizesRepaired || !result.countFromDirectory)
            parts << messageText(Msg::DirectoryRepaired, english_).arg(nativeName(path));
        QString text = parts.join(QStringLiteral("\n"));
        // The reader's own account of what it mended is in English.
        if (english_)
            for (const std::string& r : result.repairs)
                text += QStringLiteral("\n- ") + QString::fromStdString(r);
        ctx_.dialogs->message(this, QStringLiteral("Vornix"), text, MsgButtons::Ok, MsgIcon::Warning);
    }
    return true;
}

void MainWindow::saveImageAs() { saveAs(); }

MainWindow::SaveOutcome MainWindow::saveAs() {
    saveDialog_.title = messageText(Msg::SaveTitle, english_);
    const QString path = ctx_.dialogs->saveFile(this, saveDialog_);
    if (path.isEmpty())
        return SaveOutcome::Cancelled;
    if (changedSinceOpened(path) &&
        ctx_.dialogs->message(this, QStringLiteral("Vornix"),
                              messageText(Msg::ChangedOnDisk, english_).arg(nativeName(path)),
                              MsgButtons::YesNo, MsgIcon::Warning) != MsgAnswer::Yes)
        return SaveOutcome::Declined;
    const vornix::SaveResult result = doc_.saveAs(toLocalPath(path), type01Action_->isChecked());
    showLabel();
    if (!result.written) {
        showMessage(Msg::SaveFailed, nativeName(path), failureReason(result.failure, english_));
        return SaveOutcome::Failed;
    }
    imagePath_ = QFileInfo(path).absoluteFilePath();
    imageStamp_ = vornix::fileStamp(toLocalPath(path));
    setCaptionFor(path);
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
    showSelection(doc_.deleteSelected(selection()));
}

void MainWindow::addPrograms() {
    if (refuseWhileBusy())
        return;
    addPrgDialog_.title = messageText(Msg::AddTitle, english_);
    const QStringList paths = ctx_.dialogs->openFiles(this, addPrgDialog_, true);
    if (paths.isEmpty())
        return;
    std::vector<std::string> files;
    for (const QString& p : paths)
        files.push_back(toLocalPath(p));
    const std::vector<vornix::AddResult> results = doc_.addPrograms(files);
    redisplay();
    for (const vornix::AddResult& r : results)
        if (!r.added)
            reportRefused(r);
}

void MainWindow::reportRefused(const vornix::AddResult& result) {
    const QString path = fromLocalPath(result.path);
    switch (result.refusal) {
    case vornix::AddRefusal::ImageFull:
        showMessage(Msg::ImageFull, nativeName(path));
        break;
    case vornix::AddRefusal::TooShort:
        showMessage(Msg::PrgTooShort, nativeName(path));
        break;
    default:
        showMessage(Msg::PrgUnreadable, nativeName(path), failureReason(result.failure, english_));
        break;
    }
}

void MainWindow::moveToTop() {
    if (refuseWhileBusy())
        return;
    showSelection(doc_.moveToTop(selection()));
}

void MainWindow::moveUp() {
    if (refuseWhileBusy())
        return;
    showSelection(doc_.moveUp(selection()));
}

void MainWindow::moveDown() {
    if (refuseWhileBusy())
        return;
    showSelection(doc_.moveDown(selection()));
}

void MainWindow::moveToBottom() {
    if (refuseWhileBusy())
        return;
    showSelection(doc_.moveToBottom(selection()));
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
    const QString folder = ctx_.dialogs->folder(this, messageText(Msg::ExtractTitle, english_), lastExtractFolder_);
    if (folder.isEmpty())
        return;
    lastExtractFolder_ = folder;
    extractRows(rows, folder, true);
    if (closePending_)
        close();
}

// Writes the rows (taken when the command starts, so a click during the work cannot
// change what is written) top to bottom; stops at the first failure, whose row and the
// rows after it stay selected.
bool MainWindow::extractRows(const QList<int>& rows, const QString& folder, bool unselect) {
    extracting_ = true;
    doc_.setBusy(true);
    const std::string target = toLocalPath(folder);
    const auto progress = [this](std::int64_t index, std::int64_t last) {
        statusPanel1_->setText(index < 0 ? QString() : QStringLiteral("%1/%2").arg(index).arg(last));
        // Keep the window painting and answering while a long entry is written.
        QCoreApplication::processEvents();
    };
    const vornix::ExtractResult result = vornix::extractEach(
        {rows.begin(), rows.end()}, static_cast<std::size_t>(doc_.count()),
        [&](std::size_t row) {
            const vornix::Entry& entry = doc_.entries()[row];
            vornix::ExtractResult written = vornix::extractEntry(entry, target, progress);
            statusPanel1_->clear();
            if (!written.written && written.path.empty())
                written.path = vornix::extractionPath(target, entry.name);
            return written;
        },
        [&](std::size_t row, const vornix::ExtractResult&) {
            if (unselect)
                if (auto* item = list_->topLevelItem(int(row)))
                    item->setSelected(false);
        });
    extracting_ = false;
    doc_.setBusy(false);
    if (!result.written)
        showMessage(Msg::ExtractFailed, nativeName(fromLocalPath(result.path)),
                    failureReason(result.failure, english_));
    return result.written;
}

void MainWindow::labelEdited(const QString& text) {
    if (updating_)
        return;
    doc_.setLabel(text.toLatin1().toStdString());
}

void MainWindow::capacityChanged(int value) {
    if (updating_)
        return;
    doc_.setCapacity(value);
    updating_ = true;
    capacitySpin_->setMinimum(doc_.count());
    updating_ = false;
}

void MainWindow::redisplay() {
    updating_ = true;
    list_->clear();
    QList<QTreeWidgetItem*> items;
    int pos = 1;
    for (const vornix::Entry& e : doc_.entries()) {
        auto* item = new QTreeWidgetItem({QString::number(pos++), QString::fromLatin1(e.name.data(), qsizetype(e.name.size())),
                                          QString::number(e.size)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        items << item;
    }
    list_->addTopLevelItems(items);
    countLabel_->setText(QString::number(doc_.count()));
    const int capacity = doc_.applyCapacityRule();
    capacitySpin_->setRange(std::min(doc_.capacityLowerLimit(), capacity), std::max(doc_.capacityUpperLimit(), capacity));
    capacitySpin_->setValue(capacity);
    updating_ = false;
}

void MainWindow::showLabel() {
    updating_ = true;
    labelValidator_->setVerbatim(true);
    labelEdit_->setText(QString::fromLatin1(doc_.label().data(), qsizetype(doc_.label().size())));
    labelValidator_->setVerbatim(false);
    updating_ = false;
}

void MainWindow::setImageOpen() {
    imageOpen_ = true;
    for (QToolButton* b : {saveButton_, deleteButton_, addButton_, extractButton_, topButton_, upButton_,
                           downButton_, bottomButton_})
        b->setEnabled(true);
    for (QAction* a : {saveAsAction_, extractAllAction_, addAction_, deleteAction_, topAction_, upAction_, downAction_, bottomAction_})
        a->setEnabled(true);
    capacitySpin_->setEnabled(true);
    labelEdit_->setEnabled(true);
}

void MainWindow::setCaptionFor(const QString& path) { setWindowTitle(QFileInfo(path).fileName() + kVersionSuffix); }

void MainWindow::showMessage(Msg id, const QString& arg, const QString& reason) {
    QString text = messageText(id, english_).arg(arg);
    if (!reason.isNull())
        text = text.arg(reason);
    ctx_.dialogs->message(this, QStringLiteral("Vornix"), text, MsgButtons::Ok, MsgIcon::Error);
}

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

void MainWindow::beginRename() {
    QTreeWidgetItem* item = list_->topLevelItem(renamePos_);
    if (!item)
        return;
    const QRect row = list_->visualItemRect(item);
    const QPoint topLeft =
        list_->viewport()->mapTo(centralWidget(), QPoint(list_->columnViewportPosition(1), row.top()));
    renameBox_->setGeometry(topLeft.x(), topLeft.y(), list_->columnWidth(1), std::max(row.height(), renameBox_->minimumSizeHint().height()));
    // Names read from a tape are padded to 16 with spaces or shifted spaces (0xA0); without
    // them the name can be extended at once.
    QString name = item->text(1);
    while (name.endsWith(QLatin1Char(' ')) || name.endsWith(QChar(0xA0)))
        name.chop(1);
    renameBox_->setText(name);
    renameBox_->show();
    renameBox_->raise();
    renameBox_->setFocus();
    renameBox_->selectAll();
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
    doc_.rename(pos, text.toLatin1().toStdString());
    redisplay();
}

void MainWindow::cancelRename() {
    hideRenameBox();
    list_->setFocus();
}

void MainWindow::hideRenameBox() {
    renamePos_ = -1;
    if (!renameBox_)
        return;
    renameBox_->clear();
    renameBox_->hide();
    renameBox_->move(0, -20);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == renameBox_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            commitRename();
            return true;
        }
        if (key == Qt::Key_Escape) {
            cancelRename();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// Keys and mouse in the list

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

// ---------------------------------------------------------------------------------------
// Language buttons, options, tool windows

void MainWindow::switchToEnglish() {
    applyEnglish();
    storeSetting(QStringLiteral("Eng"), true);
}

void MainWindow::switchToPolish() {
    englishButtonSlot_->setVisible(true);
    englishButton_->setEnabled(true);
    polishButtonSlot_->setVisible(false);
    polishButton_->setEnabled(false);
    ctx_.dialogs->message(this, QStringLiteral("Uwaga"),
                          QStringLiteral("Musisz zrestartowac program / You need to restart program."),
                          MsgButtons::Ok, MsgIcon::None);
    english_ = false;
    storeSetting(QStringLiteral("Eng"), false);
}

void MainWindow::storeSetting(const QString& key, bool value) {
    if (ProgramSettings::store(ctx_.settingsPath(), key, value))
        return;
    // The change stays on screen; only its storage is lost.
    ctx_.dialogs->message(this, QStringLiteral("Vornix"),
                          QStringLiteral("Unable to write to %1.").arg(nativeName(ctx_.settingsPath())),
                          MsgButtons::Ok, MsgIcon::Error);
}

void MainWindow::compressOutputToggled() {
    storeSetting(QStringLiteral("wyn"), compressOutputAction_->isChecked());
}

void MainWindow::type01Toggled() {
    storeSetting(QStringLiteral("opc"), type01Action_->isChecked());
}

void MainWindow::showToolWindow(QWidget* window) {
    if (!window)
        return;
    // The first time, put the window beside the main window, kept on the screen; later the
    // user's own placement stays.
    if (!window->property("vornixPlaced").toBool()) {
        window->setProperty("vornixPlaced", true);
        QPoint at(frameGeometry().right() + 8, frameGeometry().top());
        if (const QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            const QSize size = window->frameGeometry().size();
            at.setX(std::max(area.left(), std::min(at.x(), area.right() - size.width())));
            at.setY(std::max(area.top(), std::min(at.y(), area.bottom() - size.height())));
        }
        window->move(at);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::showCompressionWindow() {
    if (compression_ && !english_)
        compression_->applyPolish();
    showToolWindow(compression_);
}

void MainWindow::showCartridgeWindow() {
    if (cartridge_ && !english_)
        cartridge_->applyPolish();
    showToolWindow(cartridge_);
}

void MainWindow::showTapeConversionWindow() {
    if (tape_ && english_)
        tape_->applyEnglish();
    showToolWindow(tape_);
}

void MainWindow::showTapLinkerWindow() { showToolWindow(linker_); }

void MainWindow::showAboutWindow() { showToolWindow(about_); }

// The picture commands read the option ticks at the moment they run.
CompressionOptions MainWindow::pictureOptions() {
    CompressionOptions options;
    options.compress = compressOutputAction_->isChecked();
    options.fast = fastCompressionAction_->isChecked();
    options.english = english_;
    options.showCompressionWindow = [this] { showCompressionWindow(); };
    options.window = compression_;
    return options;
}

void MainWindow::convertKoala() {
    koalaToPrgCommand(ctx_, this, pictureOptions());
}

void MainWindow::convertFli() {
    addPrgDialog_.title.clear(); // the dialog is shared; the Add title would mislead here
    fliToPrgCommand(ctx_, this, addPrgDialog_, pictureOptions());
}
