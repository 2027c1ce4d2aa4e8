// The main window's layout: its controls with their objectNames, the toolbar, the menus, and
// the interface texts written over them in the window's language.
#include "app/MainWindow.h"

#include "app/DiskCommands.h"
#include "app/DiskImportDialog.h"
#include "app/EntryListView.h"
#include "app/PictureCommands.h"
#include "app/PreviewPane.h"
#include "app/ProgramChoiceDialog.h"
#include "app/RenameBox.h"
#include "app/TapeCommands.h"
#include "app/TapeImportDialog.h"
#include "gui/Latin1Validator.h"
#include "gui/SvgIcon.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QVBoxLayout>

namespace vornix {

namespace {

// A box wide enough to show `count` of the widest capital letters in its font.
int widthForCharacters(QLineEdit* edit, int count) {
    const QFontMetrics metrics(edit->font());
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QMargins margins = edit->textMargins();
    // 2 + 2 pixels are the box's own inner margins; 1 more for the cursor after the last letter.
    const QSize text(metrics.horizontalAdvance(QString(count, QLatin1Char('W'))) + margins.left() +
                         margins.right() + 5,
                     metrics.height());
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width();
}

// Qt's own texts (message box buttons, file dialogs, edit box menus) follow the window:
// Qt's Polish catalogue while it is Polish, Qt's built-in English otherwise. A catalogue that
// cannot be loaded leaves Qt's texts English.
void followWithQtTexts(gui::Language language) {
    static QTranslator* polish = nullptr;
    if (language != gui::Language::Polish) {
        if (polish)
            QCoreApplication::removeTranslator(polish);
        return;
    }
    if (!polish) {
        auto* loaded = new QTranslator(QCoreApplication::instance());
        if (!loaded->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete loaded;
            return;
        }
        polish = loaded;
    }
    QCoreApplication::installTranslator(polish);
}

} // namespace

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
    column->addLayout(buildHeader(central));
    buildList(central);
    // The preview pane beside the list, hidden until asked for: the window then looks as
    // designed.
    preview_ = new PreviewPane(central);
    preview_->hide();
    auto* body = new QHBoxLayout;
    body->setSpacing(0);
    body->addWidget(list_, 1);
    body->addWidget(preview_);
    column->addLayout(body, 1);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &MainWindow::updatePreview);

    // The rename box, parked outside the client area while not in use.
    renameBox_ = new RenameBox(central);
    renameBox_->setObjectName(QStringLiteral("Edit1"));
    connect(renameBox_, &RenameBox::committed, this, &MainWindow::commitRename);
    connect(renameBox_, &RenameBox::cancelled, this, &MainWindow::cancelRename);
    setCentralWidget(central);
    buildStatusBar();

    // Designed in Polish: the captions the window starts with.
    setLanguage(gui::Language::Polish);

    // Outer size 373 x 515 at (194, 119); the frame is the platform's.
    move(194, 119);
    resize(365, 488);
}

// The row above the list: the entry count, the capacity and the label.
QHBoxLayout* MainWindow::buildHeader(QWidget* row) {
    auto* header = new QHBoxLayout;
    header->setSpacing(4);
    countCaption_ = new QLabel(row);
    countCaption_->setObjectName(QStringLiteral("Label1"));
    countLabel_ = new QLabel(QStringLiteral("---"), row);
    countLabel_->setObjectName(QStringLiteral("Label3"));
    countLabel_->setMinimumWidth(22);
    countLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    slashLabel_ = new QLabel(QStringLiteral("/"), row);
    slashLabel_->setObjectName(QStringLiteral("Label4"));
    capacitySpin_ = new QSpinBox(row);
    capacitySpin_->setObjectName(QStringLiteral("SpinEdit1"));
    capacitySpin_->setRange(1, 99);
    capacitySpin_->setValue(1);
    capacitySpin_->setMinimumWidth(46);
    capacitySpin_->setEnabled(false);
    // Arrows only: the number cannot be typed.
    capacitySpin_->findChild<QLineEdit*>()->setReadOnly(true);
    capacitySpin_->setContextMenuPolicy(Qt::NoContextMenu);
    labelCaption_ = new QLabel(row);
    labelCaption_->setObjectName(QStringLiteral("Label2"));
    labelEdit_ = new QLineEdit(QStringLiteral(" "), row);
    labelEdit_->setObjectName(QStringLiteral("Edit2"));
    labelEdit_->setMaxLength(24);
    labelValidator_ = new Latin1Validator(labelEdit_, true);
    labelEdit_->setValidator(labelValidator_);
    labelEdit_->setEnabled(false);
    labelEdit_->setMinimumWidth(widthForCharacters(labelEdit_, 24));
    // Dropped files belong to the window, never to a text box.
    labelEdit_->setAcceptDrops(false);
    capacitySpin_->findChild<QLineEdit*>()->setAcceptDrops(false);
    header->addWidget(countCaption_);
    header->addWidget(countLabel_);
    header->addWidget(slashLabel_);
    header->addWidget(capacitySpin_);
    header->addWidget(labelCaption_);
    // The box takes the rest of the row, so that it ends at the window's edge in both
    // languages, whose captions differ in width.
    header->addWidget(labelEdit_, 1);
    connect(labelEdit_, &QLineEdit::textEdited, this, &MainWindow::labelEdited);
    connect(capacitySpin_, &QSpinBox::valueChanged, this, &MainWindow::capacityChanged);
    return header;
}

void MainWindow::buildList(QWidget* parent) {
    list_ = new EntryListView(parent);
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
    // The name column takes what the window gains or loses; number and size keep their widths.
    list_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    list_->setColumnWidth(2, 75);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { selectedByOpening_ = false; });

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
}

void MainWindow::buildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    progressPanel_ = new QLabel(bar);
    progressPanel_->setObjectName(QStringLiteral("StatusBar1Panel1"));
    progressPanel_->setFixedWidth(100);
    progressPanel_->setFrameShape(QFrame::Panel);
    progressPanel_->setFrameShadow(QFrame::Sunken);
    sparePanel_ = new QLabel(bar);
    sparePanel_->setObjectName(QStringLiteral("StatusBar1Panel2"));
    sparePanel_->setFixedWidth(50);
    sparePanel_->setFrameShape(QFrame::Panel);
    sparePanel_->setFrameShadow(QFrame::Sunken);
    bar->addWidget(progressPanel_);
    bar->addWidget(sparePanel_);
    setStatusBar(bar);
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
    addToolButton(bar, QStringLiteral("SpeedButton10"), QStringLiteral("new"), &MainWindow::newImage);
    addToolButton(bar, QStringLiteral("SpeedButton1"), QStringLiteral("open"), &MainWindow::openImage);
    saveButton_ =
        addToolButton(bar, QStringLiteral("SpeedButton8"), QStringLiteral("save"), &MainWindow::saveImageAs);
    gap(8);
    deleteButton_ = addToolButton(bar, QStringLiteral("SpeedButton7"), QStringLiteral("delete"),
                                  &MainWindow::deleteSelected);
    addButton_ =
        addToolButton(bar, QStringLiteral("SpeedButton9"), QStringLiteral("add"), &MainWindow::addPrograms);
    extractButton_ = addToolButton(bar, QStringLiteral("SpeedButton2"), QStringLiteral("extract"),
                                   &MainWindow::extractSelected);
    gap(16);
    topButton_ =
        addToolButton(bar, QStringLiteral("SpeedButton3"), QStringLiteral("top"), &MainWindow::moveToTop);
    upButton_ = addToolButton(bar, QStringLiteral("SpeedButton6"), QStringLiteral("up"), &MainWindow::moveUp);
    downButton_ =
        addToolButton(bar, QStringLiteral("SpeedButton5"), QStringLiteral("down"), &MainWindow::moveDown);
    bottomButton_ = addToolButton(bar, QStringLiteral("SpeedButton4"), QStringLiteral("bottom"),
                                  &MainWindow::moveToBottom);
    gap(24);
    englishButton_ = addToolButton(bar, QStringLiteral("SpeedButton11"), QStringLiteral("english"),
                                   &MainWindow::switchToEnglish);
    englishButtonSlot_ = bar->actions().last();
    polishButton_ = addToolButton(bar, QStringLiteral("SpeedButton12"), QStringLiteral("polish"),
                                  &MainWindow::switchToPolish);
    polishButtonSlot_ = bar->actions().last();
    polishButtonSlot_->setVisible(false);
    polishButton_->setEnabled(false);

    for (QToolButton* b : {saveButton_, deleteButton_, addButton_, extractButton_, topButton_, upButton_,
                           downButton_, bottomButton_})
        b->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, bar);
}

QAction* MainWindow::addMenuItem(QMenu* menu, const QString& name, const QString& text,
                                 void (MainWindow::*handler)()) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    if (handler)
        connect(a, &QAction::triggered, this, handler);
    menu->addAction(a);
    return a;
}

void MainWindow::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildExtrasMenu();
    for (QAction* a :
         {saveAction_, saveAsAction_, extractAllAction_, extractSelectedAction_, addAction_, deleteAction_,
          renameAction_, selectAllAction_, topAction_, upAction_, downAction_, bottomAction_})
        a->setEnabled(false);
    undoAction_->setEnabled(false);
    redoAction_->setEnabled(false);
    new DiskCommands(*this, this);
    new TapeCommands(*this, this);
}

void MainWindow::addFileMenuItem(QAction* item) {
    fileMenu_->insertAction(exitAction_, item);
    item->setEnabled(extractAllAction_->isEnabled());
    connect(extractAllAction_, &QAction::enabledChanged, item, &QAction::setEnabled);
}

void MainWindow::addEditMenuItem(QAction* item) {
    editMenu_->insertAction(deleteAction_, item);
    item->setEnabled(addAction_->isEnabled());
    connect(addAction_, &QAction::enabledChanged, item, &QAction::setEnabled);
}

void MainWindow::buildFileMenu() {
    fileMenu_ = menuBar()->addMenu(QString());
    fileMenu_->setObjectName(QStringLiteral("Plik1"));
    addMenuItem(fileMenu_, QStringLiteral("Nowy1"), {}, &MainWindow::newImage)
        ->setShortcut(QKeySequence::New);
    addMenuItem(fileMenu_, QStringLiteral("Otwrz1"), {}, &MainWindow::openImage)
        ->setShortcut(QKeySequence::Open);
    saveAction_ = addMenuItem(fileMenu_, QStringLiteral("Zapisz1"), {}, &MainWindow::saveImage);
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAsAction_ = addMenuItem(fileMenu_, QStringLiteral("Zapiszjako1"), {}, &MainWindow::saveImageAs);
    saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    recentMenu_ = fileMenu_->addMenu(QString());
    recentMenu_->setObjectName(QStringLiteral("Ostatnieobrazy1"));
    recentMenu_->setEnabled(false);
    exitAction_ = addMenuItem(fileMenu_, QStringLiteral("Wyj1"), {}, &MainWindow::exitProgram);
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void MainWindow::buildEditMenu() {
    editMenu_ = menuBar()->addMenu(QString());
    editMenu_->setObjectName(QStringLiteral("Edycja1"));
    // The platform's keys, and Ctrl+Shift+Z on every platform for redo.
    undoAction_ = addMenuItem(editMenu_, QStringLiteral("Cofnij1"), {}, &MainWindow::undo);
    undoAction_->setShortcuts(QKeySequence::Undo);
    redoAction_ = addMenuItem(editMenu_, QStringLiteral("Ponw1"), {}, &MainWindow::redo);
    QList<QKeySequence> redoKeys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redoKeys.contains(key))
            redoKeys << key;
    redoAction_->setShortcuts(redoKeys);
    editMenu_->addSeparator();
    extractAllAction_ =
        addMenuItem(editMenu_, QStringLiteral("Wypakujwszystkie1"), {}, &MainWindow::extractAll);
    extractSelectedAction_ =
        addMenuItem(editMenu_, QStringLiteral("Wypakujzaznaczone1"), {}, &MainWindow::extractSelected);
    extractSelectedAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addAction_ = addMenuItem(editMenu_, QStringLiteral("Dodaj1"), {}, &MainWindow::addPrograms);
    deleteAction_ = addMenuItem(editMenu_, QStringLiteral("Usu1"), {}, &MainWindow::deleteSelected);
    // Text boxes keep Delete and Ctrl+A for their own text while they have the focus.
    deleteAction_->setShortcut(QKeySequence::Delete);
    renameAction_ = addMenuItem(editMenu_, QStringLiteral("Zmienazwe1"), {}, &MainWindow::renameSelected);
    renameAction_->setShortcut(QKeySequence(Qt::Key_F2));
    selectAllAction_ = addMenuItem(editMenu_, QStringLiteral("Zaznaczwszystko1"), {}, &MainWindow::selectAll);
    selectAllAction_->setShortcut(QKeySequence::SelectAll);
    topAction_ = addMenuItem(editMenu_, QStringLiteral("Przesuwyej1"), {}, &MainWindow::moveToTop);
    upAction_ = addMenuItem(editMenu_, QStringLiteral("Przesunagr1"), {}, &MainWindow::moveUp);
    downAction_ = addMenuItem(editMenu_, QStringLiteral("Przesunizj1"), {}, &MainWindow::moveDown);
    bottomAction_ = addMenuItem(editMenu_, QStringLiteral("Przesunad1"), {}, &MainWindow::moveToBottom);
}

void MainWindow::buildViewMenu() {
    viewMenu_ = menuBar()->addMenu(QString());
    viewMenu_->setObjectName(QStringLiteral("Widok1"));
    previewAction_ = addMenuItem(viewMenu_, QStringLiteral("Podgld1"), {}, &MainWindow::previewToggled);
    previewAction_->setCheckable(true);
}

void MainWindow::buildExtrasMenu() {
    extrasMenu_ = menuBar()->addMenu(QString());
    extrasMenu_->setObjectName(QStringLiteral("Pomoc1"));
    extrasMenu_->setToolTipsVisible(true);
    addMenuItem(extrasMenu_, QStringLiteral("KompresjaPRG1"), {}, &MainWindow::showCompressionWindow);
    addMenuItem(extrasMenu_, QStringLiteral("Konwersjacartridge1"), {}, &MainWindow::showCartridgeWindow);
    addMenuItem(extrasMenu_, QStringLiteral("WAVTAPT64P00TAP1"), {}, &MainWindow::showTapeConversionWindow);
    addMenuItem(extrasMenu_, QStringLiteral("KoalaPRG1"), {}, &MainWindow::convertKoala);
    addMenuItem(extrasMenu_, QStringLiteral("FLIPRG1"), {}, &MainWindow::convertFli);
    addMenuItem(extrasMenu_, QStringLiteral("TAPLinker1"), {}, &MainWindow::showTapLinkerWindow);
    extrasMenu_->addSeparator()->setObjectName(QStringLiteral("N1"));
    compressOutputAction_ = addMenuItem(extrasMenu_, QStringLiteral("Kompresujplikiwynikowe1"), {},
                                        &MainWindow::compressOutputToggled);
    compressOutputAction_->setCheckable(true);
    compressOutputAction_->setChecked(true);
    // Only the tick: this option is not kept between runs.
    fastCompressionAction_ =
        addMenuItem(extrasMenu_, QStringLiteral("Szybszakompresjawikszyplik1"), {}, nullptr);
    fastCompressionAction_->setCheckable(true);
    type01Action_ =
        addMenuItem(extrasMenu_, QStringLiteral("Oznaczenieprogramu0x011"), {}, &MainWindow::type01Toggled);
    type01Action_->setCheckable(true);
    addMenuItem(extrasMenu_, QStringLiteral("Oprogramie1"), {}, &MainWindow::showAboutWindow);
}

void MainWindow::useLanguage(gui::Language language) {
    language_ = language;
    gui::setDefaultLanguage(language);
    for (const QMetaObject* texts :
         {&staticMetaObject, &PreviewPane::staticMetaObject, &DiskCommands::staticMetaObject,
          &TapeCommands::staticMetaObject, &ProgramChoiceDialog::staticMetaObject,
          &DiskImportDialog::staticMetaObject, &TapeImportDialog::staticMetaObject})
        gui::setContextLanguage(texts->className(), language);
}

void MainWindow::setLanguage(gui::Language language) {
    useLanguage(language);
    followWithQtTexts(language);
    retranslate();
    const bool english = language == gui::Language::English;
    englishButtonSlot_->setVisible(!english);
    englishButton_->setEnabled(!english);
    polishButtonSlot_->setVisible(english);
    polishButton_->setEnabled(english);
}

void MainWindow::retranslate() {
    const auto setText = [this](const char* name, const QString& text) {
        findChild<QAction*>(QLatin1String(name))->setText(text);
    };
    fileMenu_->setTitle(tr("&File"));
    editMenu_->setTitle(tr("&Edit"));
    viewMenu_->setTitle(tr("&View"));
    extrasMenu_->setTitle(tr("&Options"));
    recentMenu_->setTitle(tr("&Recent images"));
    countCaption_->setText(tr(" Items:"));
    labelCaption_->setText(tr("   Label:"));
    list_->setHeaderLabels({tr("No."), tr("Name"), tr("Size")});

    setText("Nowy1", tr("&New"));
    setText("Otwrz1", tr("&Open..."));
    setText("Zapisz1", tr("&Save"));
    setText("Zapiszjako1", tr("Save &as..."));
    setText("Wyj1", tr("E&xit"));
    setText("Cofnij1", tr("Und&o"));
    setText("Ponw1", tr("&Redo"));
    setText("Podgld1", tr("&Preview"));
    setText("Wypakujwszystkie1", tr("E&xtract..."));
    setText("Wypakujzaznaczone1", tr("Extract &selected..."));
    setText("Dodaj1", tr("&Add..."));
    setText("Usu1", tr("D&elete"));
    setText("Zmienazwe1", tr("Re&name"));
    setText("Zaznaczwszystko1", tr("Select a&ll"));
    setText("Przesuwyej1", tr("Move to &top"));
    setText("Przesunagr1", tr("Move &up"));
    setText("Przesunizj1", tr("Move do&wn"));
    setText("Przesunad1", tr("Move to &bottom"));
    setText("Oprogramie1", tr("A&bout..."));
    setText("Oznaczenieprogramu0x011", tr("Mar&k T64 programs as 0x01"));
    setText("Kompresujplikiwynikowe1", tr("Co&mpress converted files"));
    setText("Szybszakompresjawikszyplik1", tr("F&aster compression/bigger file"));
    setText("KompresjaPRG1", tr("&PRG Compression frontend"));
    setText("Konwersjacartridge1", tr("&Cartridge conversion frontend"));
    setText("WAVTAPT64P00TAP1", tr("&WAV/TAP->T64/P00/TAP"));
    setText("KoalaPRG1", tr("Koa&la->PRG..."));
    setText("FLIPRG1", tr("&FLI->PRG..."));
    setText("TAPLinker1", tr("&TAP Linker"));
    type01Action_->setToolTip(tr("Marks a program with 0x01, not 0x82 as StarCommander does,"));

    const auto setTip = [this](const char* name, const QString& tip) {
        findChild<QToolButton*>(QLatin1String(name))->setToolTip(tip);
    };
    setTip("SpeedButton10", tr("New"));
    setTip("SpeedButton1", tr("Open"));
    setTip("SpeedButton2", tr("Extract..."));
    setTip("SpeedButton3", tr("Move to top"));
    setTip("SpeedButton6", tr("Move up"));
    setTip("SpeedButton5", tr("Move down"));
    setTip("SpeedButton4", tr("Move to bottom"));
    setTip("SpeedButton7", tr("Remove program"));
    setTip("SpeedButton8", tr("Save as..."));
    setTip("SpeedButton9", tr("Add program..."));
    setTip("SpeedButton11", tr("English"));
    setTip("SpeedButton12", tr("Polski/Polish"));
    promptText_ = tr("Do you want to save your modified file?");
    promptCaption_ = tr("Question");

    // The design keeps the filters the same in both languages; they are translated like any text.
    openDialog_.filters = {{tr("T64 files"), QStringLiteral("*.T64")},
                           {tr("All files"), QStringLiteral("*.*")}};
    saveDialog_.filters = {{tr("T64 files"), QStringLiteral("*.T64")}};
    addPrgDialog_.filters = {{tr("PRG Files"), QStringLiteral("*.PRG")},
                             {tr("All files"), QStringLiteral("*.*")}};
    preview_->setLanguage(language_);
    findChild<DiskCommands*>()->retranslate();
    findChild<TapeCommands*>()->retranslate();
}

} // namespace vornix
