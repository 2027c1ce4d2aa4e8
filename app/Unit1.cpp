#include "app/Unit1.h"

#include "app/AboutWindow.h"
#include "app/DropFileSource.h"
#include "app/EntryListView.h"
#include "app/LocalPath.h"
#include "app/Settings.h"
#include "app/WorkingFolder.h"
#include "convert/PictureCommands.h"
#include "core/Extraction.h"
#include "tape/TFE.h"
#include "tape/TLink.h"
#include "tools/CartridgeWindow.h"
#include "tools/CompressionWindow.h"

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
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QSvgRenderer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QValidator>
#include <QVBoxLayout>

namespace {

const QString kVersionSuffix = QStringLiteral(" - VORN 0.11");
const QString kRejectedText = QStringLiteral("To nie jest poprawny plik T64.");
const QString kRejectedCaption = QStringLiteral("O kurcze...!");

// Names, labels and the files behind them are single-byte text: a character outside
// Latin-1 could not be stored, so it cannot be typed. Optionally letters become capitals.
class Latin1Validator : public QValidator {
public:
    Latin1Validator(bool capitals, QObject* parent) : QValidator(parent), capitals_(capitals) {}
    State validate(QString& input, int&) const override {
        for (QChar& c : input) {
            const char16_t u = c.unicode();
            if (u > 0xFF)
                return Invalid;
            // a-z and the Latin-1 small letters (not the division sign, not sharp s or y
            // diaeresis, whose capitals are not single Latin-1 characters).
            if (capitals_ && ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)))
                c = QChar(static_cast<char16_t>(u - 0x20));
        }
        return Acceptable;
    }

private:
    bool capitals_;
};

QString nativeName(const QString& path) { return QDir::toNativeSeparators(path); }

// Toolbar pictures from our SVG set, drawn at the sizes a button asks for.
QIcon svgIcon(const QString& name) {
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

static void initIcons() { Q_INIT_RESOURCE(icons); }

TForm1::TForm1(const AppContext& context, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), ctx_(context) {
    initIcons(); // the icons live in a static library: pull them in
    dropSource_ = new TDropFileSource(this);
    holdTimer_.setSingleShot(true);
    connect(&holdTimer_, &QTimer::timeout, this, &TForm1::dragHoldElapsed);
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
    FormCreate(arguments);
}

TForm1::~TForm1() = default;

void TForm1::setToolWindows(TForm3* compression, TForm2* about, TForm4* cartridge, TForm5* tape, TForm6* linker) {
    compression_ = compression;
    about_ = about;
    cartridge_ = cartridge;
    tape_ = tape;
    linker_ = linker;
}

void TForm1::setDropFileSource(TDropFileSource* source) {
    if (!source || source == dropSource_)
        return;
    source->setParent(this);
    delete dropSource_;
    dropSource_ = source;
}

// ---------------------------------------------------------------------------------------
// Window layout

void TForm1::buildWindow() {
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
    Label1 = new QLabel(central);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label3 = new QLabel(QStringLiteral("---"), central);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setMinimumWidth(22);
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4 = new QLabel(QStringLiteral("/"), central);
    Label4->setObjectName(QStringLiteral("Label4"));
    SpinEdit1 = new QSpinBox(central);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 99);
    SpinEdit1->setValue(1);
    SpinEdit1->setMinimumWidth(46);
    SpinEdit1->setEnabled(false);
    // Arrows only: the number cannot be typed.
    SpinEdit1->findChild<QLineEdit*>()->setReadOnly(true);
    SpinEdit1->setContextMenuPolicy(Qt::NoContextMenu);
    Label2 = new QLabel(central);
    Label2->setObjectName(QStringLiteral("Label2"));
    Edit2 = new QLineEdit(QStringLiteral(" "), central);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setMaxLength(24);
    Edit2->setValidator(new Latin1Validator(true, Edit2));
    Edit2->setEnabled(false);
    Edit2->setFixedWidth(150);
    // Dropped files belong to the window, never to a text box.
    Edit2->setAcceptDrops(false);
    SpinEdit1->findChild<QLineEdit*>()->setAcceptDrops(false);
    header->addWidget(Label1);
    header->addWidget(Label3);
    header->addWidget(Label4);
    header->addWidget(SpinEdit1);
    header->addWidget(Label2);
    header->addWidget(Edit2);
    header->addStretch(1); // only the list grows with the window
    column->addLayout(header);

    ListView1 = new TListView(central);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setColumnCount(3);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setDragEnabled(false);
    ListView1->setSortingEnabled(false);
    ListView1->header()->setSectionsClickable(false);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->setColumnWidth(0, 35);
    ListView1->setColumnWidth(1, 220);
    ListView1->setColumnWidth(2, 75);
    column->addWidget(ListView1, 1);

    ListView1->onPressBefore = [this] {
        if (Edit1->isVisible())
            commitRename();
    };
    ListView1->onPress = [this](QPoint pos, Qt::MouseButton button) { ListView1MouseDown(pos, button); };
    ListView1->onMove = [this](QPoint pos) { return ListView1MouseMove(pos); };
    ListView1->onRelease = [this] { cancelDragTest(); };
    ListView1->onDoubleClick = [this] { ListView1DblClick(); };
    ListView1->onKey = [this](QKeyEvent* e) { return ListView1KeyDown(e); };
    ListView1->onFocusLost = [this] { cancelDragTest(); };

    // The rename box, parked outside the client area while not in use.
    Edit1 = new QLineEdit(central);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(16);
    Edit1->setValidator(new Latin1Validator(false, Edit1));
    Edit1->setAcceptDrops(false);
    Edit1->setStyleSheet(QStringLiteral("QLineEdit#Edit1 { border: 1px solid palette(shadow); padding: 0px; }"));
    Edit1->move(0, -20);
    Edit1->hide();
    Edit1->installEventFilter(this);

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

    connect(Edit2, &QLineEdit::textEdited, this, &TForm1::Edit2Change);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TForm1::SpinEdit1Change);

    applyTexts(false);

    // Outer size 373 x 515 at (194, 119); the frame is the platform's.
    move(194, 119);
    resize(365, 488);
}

QToolButton* TForm1::addToolButton(QToolBar* bar, const QString& name, const QString& icon,
                                   void (TForm1::*handler)()) {
    auto* b = new QToolButton(bar);
    b->setObjectName(name);
    b->setIcon(svgIcon(icon));
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(23, 23);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, handler);
    bar->addWidget(b);
    return b;
}

void TForm1::buildToolbar() {
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
    SpeedButton10 = addToolButton(bar, QStringLiteral("SpeedButton10"), QStringLiteral("new"), &TForm1::SpeedButton10Click);
    SpeedButton1 = addToolButton(bar, QStringLiteral("SpeedButton1"), QStringLiteral("open"), &TForm1::SpeedButton1Click);
    SpeedButton8 = addToolButton(bar, QStringLiteral("SpeedButton8"), QStringLiteral("save"), &TForm1::SpeedButton8Click);
    gap(8);
    SpeedButton7 = addToolButton(bar, QStringLiteral("SpeedButton7"), QStringLiteral("delete"), &TForm1::SpeedButton7Click);
    SpeedButton9 = addToolButton(bar, QStringLiteral("SpeedButton9"), QStringLiteral("add"), &TForm1::SpeedButton9Click);
    SpeedButton2 = addToolButton(bar, QStringLiteral("SpeedButton2"), QStringLiteral("extract"), &TForm1::SpeedButton2Click);
    gap(16);
    SpeedButton3 = addToolButton(bar, QStringLiteral("SpeedButton3"), QStringLiteral("top"), &TForm1::SpeedButton3Click);
    SpeedButton6 = addToolButton(bar, QStringLiteral("SpeedButton6"), QStringLiteral("up"), &TForm1::SpeedButton6Click);
    SpeedButton5 = addToolButton(bar, QStringLiteral("SpeedButton5"), QStringLiteral("down"), &TForm1::SpeedButton5Click);
    SpeedButton4 = addToolButton(bar, QStringLiteral("SpeedButton4"), QStringLiteral("bottom"), &TForm1::SpeedButton4Click);
    gap(24);
    SpeedButton11 = addToolButton(bar, QStringLiteral("SpeedButton11"), QStringLiteral("english"), &TForm1::SpeedButton11Click);
    englishButtonSlot_ = bar->actions().last();
    SpeedButton12 = addToolButton(bar, QStringLiteral("SpeedButton12"), QStringLiteral("polish"), &TForm1::SpeedButton12Click);
    polishButtonSlot_ = bar->actions().last();
    polishButtonSlot_->setVisible(false);
    SpeedButton12->setEnabled(false);

    for (QToolButton* b : {SpeedButton8, SpeedButton7, SpeedButton9, SpeedButton2, SpeedButton3, SpeedButton6,
                           SpeedButton5, SpeedButton4})
        b->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, bar);
}

QAction* TForm1::addMenuItem(QMenu* menu, const QString& name, const QString& text, void (TForm1::*handler)()) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, handler);
    menu->addAction(a);
    return a;
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    Plik1 = bar->addMenu(QString());
    Plik1->setObjectName(QStringLiteral("Plik1"));
    Nowy1 = addMenuItem(Plik1, QStringLiteral("Nowy1"), {}, &TForm1::SpeedButton10Click);
    Otwrz1 = addMenuItem(Plik1, QStringLiteral("Otwrz1"), {}, &TForm1::SpeedButton1Click);
    Zapiszjako1 = addMenuItem(Plik1, QStringLiteral("Zapiszjako1"), {}, &TForm1::SpeedButton8Click);
    Wyj1 = addMenuItem(Plik1, QStringLiteral("Wyj1"), {}, &TForm1::Wyj1Click);

    Edycja1 = bar->addMenu(QString());
    Edycja1->setObjectName(QStringLiteral("Edycja1"));
    Wypakujwszystkie1 = addMenuItem(Edycja1, QStringLiteral("Wypakujwszystkie1"), {}, &TForm1::Wypakujwszystkie1Click);
    Dodaj1 = addMenuItem(Edycja1, QStringLiteral("Dodaj1"), {}, &TForm1::SpeedButton9Click);
    Usu1 = addMenuItem(Edycja1, QStringLiteral("Usu1"), {}, &TForm1::SpeedButton7Click);
    Przesuwyej1 = addMenuItem(Edycja1, QStringLiteral("Przesuwyej1"), {}, &TForm1::SpeedButton3Click);
    Przesunagr1 = addMenuItem(Edycja1, QStringLiteral("Przesunagr1"), {}, &TForm1::SpeedButton6Click);
    Przesunizj1 = addMenuItem(Edycja1, QStringLiteral("Przesunizj1"), {}, &TForm1::SpeedButton5Click);
    Przesunad1 = addMenuItem(Edycja1, QStringLiteral("Przesunad1"), {}, &TForm1::SpeedButton4Click);

    Pomoc1 = bar->addMenu(QString());
    Pomoc1->setObjectName(QStringLiteral("Pomoc1"));
    Pomoc1->setToolTipsVisible(true);
    KompresjaPRG1 = addMenuItem(Pomoc1, QStringLiteral("KompresjaPRG1"), {}, &TForm1::KompresjaPRG1Click);
    Konwersjacartridge1 = addMenuItem(Pomoc1, QStringLiteral("Konwersjacartridge1"), {}, &TForm1::Konwersjacartridge1Click);
    WAVTAPT64P00TAP1 = addMenuItem(Pomoc1, QStringLiteral("WAVTAPT64P00TAP1"), QStringLiteral("WAV/TAP->T64/P00/TAP"),
                                   &TForm1::WAVTAPT64P00TAP1Click);
    KoalaPRG1 = addMenuItem(Pomoc1, QStringLiteral("KoalaPRG1"), QStringLiteral("Koala->PRG"), &TForm1::KoalaPRG1Click);
    FLIPRG1 = addMenuItem(Pomoc1, QStringLiteral("FLIPRG1"), QStringLiteral("FLI->PRG"), &TForm1::FLIPRG1Click);
    TAPLinker1 = addMenuItem(Pomoc1, QStringLiteral("TAPLinker1"), QStringLiteral("TAP Linker"), &TForm1::TAPLinker1Click);
    Pomoc1->addSeparator()->setObjectName(QStringLiteral("N1"));
    Kompresujplikiwynikowe1 =
        addMenuItem(Pomoc1, QStringLiteral("Kompresujplikiwynikowe1"), {}, &TForm1::Kompresujplikiwynikowe1Click);
    Kompresujplikiwynikowe1->setCheckable(true);
    Kompresujplikiwynikowe1->setChecked(true);
    Szybszakompresjawikszyplik1 = addMenuItem(Pomoc1, QStringLiteral("Szybszakompresjawikszyplik1"), {},
                                              &TForm1::Szybszakompresjawikszyplik1Click);
    Szybszakompresjawikszyplik1->setCheckable(true);
    Oznaczenieprogramu0x011 =
        addMenuItem(Pomoc1, QStringLiteral("Oznaczenieprogramu0x011"), {}, &TForm1::Oznaczenieprogramu0x011Click);
    Oznaczenieprogramu0x011->setCheckable(true);
    Oznaczenieprogramu0x011->setToolTip(
        QStringLiteral("Oznacza program przez 0x01, nie 0x82 jak robi to StarCommander,"));
    Oprogramie1 = addMenuItem(Pomoc1, QStringLiteral("Oprogramie1"), {}, &TForm1::Oprogramie1Click);

    for (QAction* a : {Zapiszjako1, Wypakujwszystkie1, Dodaj1, Usu1, Przesuwyej1, Przesunagr1, Przesunizj1, Przesunad1})
        a->setEnabled(false);
}

void TForm1::applyTexts(bool english) {
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
            ListView1->headerItem()->setText(row.column, text);
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

void TForm1::applyEnglish() {
    applyTexts(true);
    englishButtonSlot_->setVisible(false);
    SpeedButton11->setEnabled(false);
    polishButtonSlot_->setVisible(true);
    SpeedButton12->setEnabled(true);
    english_ = true;
}

// ---------------------------------------------------------------------------------------
// Start-up and close

void TForm1::FormCreate(const QStringList& arguments) {
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
    Oznaczenieprogramu0x011->setChecked(settings.opc);
    Kompresujplikiwynikowe1->setChecked(settings.wyn);
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

void TForm1::closeEvent(QCloseEvent* event) {
    if (extracting_ || dragOutRunning_) {
        // Entries are being written: close as soon as that is over.
        closePending_ = true;
        event->ignore();
        return;
    }
    cancelDragTest();
    if (!FormClose()) {
        event->ignore();
        return;
    }
    event->accept();
    emit programEnds();
}

bool TForm1::FormClose() {
    workingfolder::empty(ctx_.workingFolder());
    for (QWidget* w : std::initializer_list<QWidget*>{about_, compression_, cartridge_, tape_})
        if (w)
            w->hide();
    // Only a save that was tried and failed keeps the window: the changes would be lost.
    return savePrompt(MsgButtons::YesNo);
}

// ---------------------------------------------------------------------------------------
// Document commands

bool TForm1::refuseWhileBusy() {
    if (!extracting_ && !dragOutRunning_)
        return false;
    QApplication::beep();
    return true;
}

bool TForm1::savePrompt(MsgButtons buttons) {
    if (!doc_.modified())
        return true;
    const MsgAnswer answer = ctx_.dialogs->message(this, promptCaption_, promptText_, buttons, MsgIcon::None);
    if (answer == MsgAnswer::Cancel)
        return false;
    // Goes on also when the save dialog is cancelled, but not when the file could not be
    // written: the unsaved changes would be lost without the user having agreed to it.
    if (answer == MsgAnswer::Yes && saveAs() == SaveOutcome::Failed)
        return false;
    return true;
}

void TForm1::SpeedButton10Click() {
    if (refuseWhileBusy() || !savePrompt(MsgButtons::YesNoCancel))
        return;
    hideRenameBox();
    doc_.newImage();
    setWindowTitle(QStringLiteral("Untitled") + kVersionSuffix);
    setImageOpen();
    showLabel();
    redisplay();
}

void TForm1::SpeedButton1Click() {
    if (refuseWhileBusy() || !savePrompt(MsgButtons::YesNoCancel))
        return;
    openDialog_.title = messageText(Msg::OpenTitle, english_);
    const QStringList paths = ctx_.dialogs->openFiles(this, openDialog_, false);
    if (paths.isEmpty() || paths.first().isEmpty())
        return;
    hideRenameBox();
    loadImage(paths.first());
}

bool TForm1::loadImage(const QString& path) {
    const vornix::OpenResult result = doc_.open(toLocalPath(path));
    if (!result.accepted) {
        ctx_.dialogs->message(this, kRejectedCaption, kRejectedText, MsgButtons::Ok, MsgIcon::None);
        redisplay();
        return false;
    }
    setCaptionFor(path);
    setImageOpen();
    showLabel();
    redisplay();
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

void TForm1::SpeedButton8Click() { saveAs(); }

TForm1::SaveOutcome TForm1::saveAs() {
    saveDialog_.title = messageText(Msg::SaveTitle, english_);
    const QString path = ctx_.dialogs->saveFile(this, saveDialog_);
    if (path.isEmpty())
        return SaveOutcome::Cancelled;
    const vornix::SaveResult result = doc_.saveAs(toLocalPath(path), Oznaczenieprogramu0x011->isChecked());
    showLabel();
    if (!result.written) {
        showMessage(Msg::SaveFailed, nativeName(path), failureReason(result.failure, english_));
        return SaveOutcome::Failed;
    }
    setCaptionFor(path);
    return SaveOutcome::Saved;
}

void TForm1::SpeedButton7Click() {
    if (refuseWhileBusy())
        return;
    showSelection(doc_.deleteSelected(selection()));
}

void TForm1::SpeedButton9Click() {
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

void TForm1::reportRefused(const vornix::AddResult& result) {
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

void TForm1::SpeedButton3Click() {
    if (refuseWhileBusy())
        return;
    showSelection(doc_.moveToTop(selection()));
}

void TForm1::SpeedButton6Click() {
    if (refuseWhileBusy())
        return;
    showSelection(doc_.moveUp(selection()));
}

void TForm1::SpeedButton5Click() {
    if (refuseWhileBusy())
        return;
    showSelection(doc_.moveDown(selection()));
}

void TForm1::SpeedButton4Click() {
    if (refuseWhileBusy())
        return;
    showSelection(doc_.moveToBottom(selection()));
}

void TForm1::showSelection(const std::optional<vornix::Selection>& selected) {
    if (!selected)
        return; // the command did not act: the list stays as it is
    redisplay();
    ListView1->selectRows(QList<int>(selected->begin(), selected->end()));
}

vornix::Selection TForm1::selection() const {
    const QList<int> rows = ListView1->selectedRows();
    return vornix::Selection(rows.begin(), rows.end());
}

void TForm1::Wyj1Click() { close(); }

void TForm1::Wypakujwszystkie1Click() {
    if (SpeedButton2->isEnabled())
        SpeedButton2Click();
}

void TForm1::SpeedButton2Click() {
    if (refuseWhileBusy())
        return;
    const QList<int> rows = ListView1->selectedRows();
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
bool TForm1::extractRows(const QList<int>& rows, const QString& folder, bool unselect) {
    extracting_ = true;
    doc_.setBusy(true);
    bool ok = true;
    const std::string target = toLocalPath(folder);
    for (int row : rows) {
        if (row >= doc_.count())
            break;
        const vornix::Entry& entry = doc_.entries()[static_cast<std::size_t>(row)];
        const vornix::ExtractResult result =
            vornix::extractEntry(entry, target,
                                 [this](std::int64_t index, std::int64_t last) {
                                     statusPanel1_->setText(index < 0 ? QString()
                                                                      : QStringLiteral("%1/%2").arg(index).arg(last));
                                     // Keep the window painting and answering while a long entry is written.
                                     QCoreApplication::processEvents();
                                 });
        statusPanel1_->clear();
        if (!result.written) {
            const QString file =
                fromLocalPath(result.path.empty() ? vornix::extractionPath(target, entry.name) : result.path);
            extracting_ = false;
            doc_.setBusy(false);
            showMessage(Msg::ExtractFailed, nativeName(file), failureReason(result.failure, english_));
            ok = false;
            break;
        }
        if (unselect)
            if (auto* item = ListView1->topLevelItem(row))
                item->setSelected(false);
    }
    extracting_ = false;
    doc_.setBusy(false);
    return ok;
}

void TForm1::Edit2Change(const QString& text) {
    if (updating_)
        return;
    doc_.setLabel(text.toLatin1().toStdString());
}

void TForm1::SpinEdit1Change(int value) {
    if (updating_)
        return;
    doc_.setCapacity(value);
    updating_ = true;
    SpinEdit1->setMinimum(doc_.count());
    updating_ = false;
}

void TForm1::redisplay() {
    updating_ = true;
    ListView1->clear();
    QList<QTreeWidgetItem*> items;
    int pos = 1;
    for (const vornix::Entry& e : doc_.entries()) {
        auto* item = new QTreeWidgetItem({QString::number(pos++), QString::fromLatin1(e.name.data(), qsizetype(e.name.size())),
                                          QString::number(e.size)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        items << item;
    }
    ListView1->addTopLevelItems(items);
    Label3->setText(QString::number(doc_.count()));
    const int capacity = doc_.applyCapacityRule();
    SpinEdit1->setRange(std::min(doc_.capacityLowerLimit(), capacity), std::max(doc_.capacityUpperLimit(), capacity));
    SpinEdit1->setValue(capacity);
    updating_ = false;
}

void TForm1::showLabel() {
    updating_ = true;
    Edit2->setText(QString::fromLatin1(doc_.label().data(), qsizetype(doc_.label().size())));
    updating_ = false;
}

void TForm1::setImageOpen() {
    imageOpen_ = true;
    for (QToolButton* b : {SpeedButton8, SpeedButton7, SpeedButton9, SpeedButton2, SpeedButton3, SpeedButton6,
                           SpeedButton5, SpeedButton4})
        b->setEnabled(true);
    for (QAction* a : {Zapiszjako1, Wypakujwszystkie1, Dodaj1, Usu1, Przesuwyej1, Przesunagr1, Przesunizj1, Przesunad1})
        a->setEnabled(true);
    SpinEdit1->setEnabled(true);
    Edit2->setEnabled(true);
}

void TForm1::setCaptionFor(const QString& path) { setWindowTitle(QFileInfo(path).fileName() + kVersionSuffix); }

void TForm1::showMessage(Msg id, const QString& arg, const QString& reason) {
    QString text = messageText(id, english_).arg(arg);
    if (!reason.isNull())
        text = text.arg(reason);
    ctx_.dialogs->message(this, QStringLiteral("Vornix"), text, MsgButtons::Ok, MsgIcon::Error);
}

// ---------------------------------------------------------------------------------------
// Rename

void TForm1::ListView1DblClick() {
    if (extracting_ || dragOutRunning_)
        return;
    const QList<int> rows = ListView1->selectedRows();
    if (rows.isEmpty())
        return;
    renamePos_ = rows.first();
    beginRename();
}

void TForm1::beginRename() {
    QTreeWidgetItem* item = ListView1->topLevelItem(renamePos_);
    if (!item)
        return;
    const QRect row = ListView1->visualItemRect(item);
    const QPoint topLeft =
        ListView1->viewport()->mapTo(centralWidget(), QPoint(ListView1->columnViewportPosition(1), row.top()));
    Edit1->setGeometry(topLeft.x(), topLeft.y(), ListView1->columnWidth(1), std::max(row.height(), Edit1->minimumSizeHint().height()));
    Edit1->setText(item->text(1));
    Edit1->selectAll();
    Edit1->show();
    Edit1->raise();
    Edit1->setFocus();
}

void TForm1::commitRename() {
    if (extracting_ || dragOutRunning_)
        return;
    const QString text = Edit1->text();
    const int pos = renamePos_;
    hideRenameBox();
    // The entry may have gone meanwhile (a delete from the toolbar while the box was open).
    if (pos < 0 || pos >= doc_.count())
        return;
    doc_.rename(pos, text.toLatin1().toStdString());
    redisplay();
}

void TForm1::cancelRename() { hideRenameBox(); }

void TForm1::hideRenameBox() {
    renamePos_ = -1;
    if (!Edit1)
        return;
    Edit1->clear();
    Edit1->hide();
    Edit1->move(0, -20);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
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

bool TForm1::ListView1KeyDown(QKeyEvent* event) {
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
    if (ListView1->selectedRows().isEmpty())
        return false;
    switch (event->key()) {
    case Qt::Key_PageUp: SpeedButton6Click(); break;
    case Qt::Key_PageDown: SpeedButton5Click(); break;
    case Qt::Key_Home: SpeedButton3Click(); break;
    case Qt::Key_End: SpeedButton4Click(); break;
    case Qt::Key_Insert: SpeedButton2Click(); break;
    default: break;
    }
    return false; // the list then handles the key as usual
}

void TForm1::ListView1MouseDown(QPoint pos, Qt::MouseButton button) {
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    if (extracting_ || dragOutRunning_ || ListView1->selectedRows().isEmpty())
        return;
    const int distance = QApplication::startDragDistance();
    gesture_.begin(pos.x(), pos.y(), clock_.elapsed(), distance, distance);
    holdTimer_.start(int(DragGesture::kHoldMs));
}

bool TForm1::ListView1MouseMove(QPoint pos) {
    if (!gesture_.watching())
        return false;
    if (gesture_.move(pos.x(), pos.y(), clock_.elapsed()) == DragGesture::State::Started)
        startDragOut();
    else
        holdTimer_.start(int(DragGesture::kHoldMs));
    return true;
}

void TForm1::cancelDragTest() {
    holdTimer_.stop();
    gesture_.cancel();
}

void TForm1::dragHoldElapsed() {
    if (!gesture_.watching())
        return;
    const qint64 now = clock_.elapsed();
    if (gesture_.idle(now) == DragGesture::State::Started)
        startDragOut();
    else
        holdTimer_.start(int(std::max<qint64>(1, gesture_.holdDeadline() - now)));
}

void TForm1::changeEvent(QEvent* event) {
    // Losing the window is losing the mouse: the drag test ends.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        cancelDragTest();
    QMainWindow::changeEvent(event);
}

void TForm1::startDragOut() {
    holdTimer_.stop();
    gesture_.reset();
    const QList<int> rows = ListView1->selectedRows();
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
        dropSource_->execute(ListView1);
    }
    setAcceptDrops(dropsRegistered_);
    dragOutRunning_ = false;
    if (closePending_)
        close();
}

// ---------------------------------------------------------------------------------------
// Files dropped from the shell

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!dragOutRunning_ && event->mimeData()->hasUrls()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    event->ignore();
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
    if (!dragOutRunning_ && event->mimeData()->hasUrls()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    event->ignore();
}

void TForm1::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->setDropAction(Qt::CopyAction);
    event->accept();
    FormDropFiles(paths);
}

void TForm1::FormDropFiles(const QStringList& paths) {
    if (!acceptDrops() || dragOutRunning_ || extracting_)
        return;
    bool changed = false;
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        const int dot = name.lastIndexOf('.');
        const QString ext = dot < 0 ? QString() : name.mid(dot);
        // Exactly ".PRG" or ".prg"; only while an image is open.
        if ((ext != QLatin1String(".PRG") && ext != QLatin1String(".prg")) || !SpeedButton8->isEnabled())
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

void TForm1::SpeedButton11Click() {
    applyEnglish();
    storeSetting(QStringLiteral("Eng"), true);
}

void TForm1::SpeedButton12Click() {
    englishButtonSlot_->setVisible(true);
    SpeedButton11->setEnabled(true);
    polishButtonSlot_->setVisible(false);
    SpeedButton12->setEnabled(false);
    ctx_.dialogs->message(this, QStringLiteral("Uwaga"),
                          QStringLiteral("Musisz zrestartowac program / You need to restart program."),
                          MsgButtons::Ok, MsgIcon::None);
    english_ = false;
    storeSetting(QStringLiteral("Eng"), false);
}

void TForm1::storeSetting(const QString& key, bool value) {
    if (ProgramSettings::store(ctx_.settingsPath(), key, value))
        return;
    // The change stays on screen; only its storage is lost.
    ctx_.dialogs->message(this, QStringLiteral("Vornix"),
                          QStringLiteral("Unable to write to %1.").arg(nativeName(ctx_.settingsPath())),
                          MsgButtons::Ok, MsgIcon::Error);
}

void TForm1::Kompresujplikiwynikowe1Click() {
    storeSetting(QStringLiteral("wyn"), Kompresujplikiwynikowe1->isChecked());
}

void TForm1::Oznaczenieprogramu0x011Click() {
    storeSetting(QStringLiteral("opc"), Oznaczenieprogramu0x011->isChecked());
}

void TForm1::Szybszakompresjawikszyplik1Click() {
    // Only the tick: this option is not kept between runs.
}

void TForm1::showToolWindow(QWidget* window) {
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

void TForm1::KompresjaPRG1Click() {
    if (compression_ && !english_)
        compression_->applyPolish();
    showToolWindow(compression_);
}

void TForm1::Konwersjacartridge1Click() {
    if (cartridge_ && !english_)
        cartridge_->applyPolish();
    showToolWindow(cartridge_);
}

void TForm1::WAVTAPT64P00TAP1Click() {
    if (tape_ && english_)
        tape_->applyEnglish();
    showToolWindow(tape_);
}

void TForm1::TAPLinker1Click() { showToolWindow(linker_); }

void TForm1::Oprogramie1Click() { showToolWindow(about_); }

// The picture commands read the option ticks at the moment they run.
CompressionOptions TForm1::pictureOptions() {
    CompressionOptions options;
    options.compress = Kompresujplikiwynikowe1->isChecked();
    options.fast = Szybszakompresjawikszyplik1->isChecked();
    options.english = english_;
    options.showCompressionWindow = [this] { KompresjaPRG1Click(); };
    options.window = compression_;
    return options;
}

void TForm1::KoalaPRG1Click() {
    koalaToPrgCommand(ctx_, this, pictureOptions());
}

void TForm1::FLIPRG1Click() {
    addPrgDialog_.title.clear(); // the dialog is shared; the Add title would mislead here
    fliToPrgCommand(ctx_, this, addPrgDialog_, pictureOptions());
}
