#include "tape/TFE.h"

#include "app/Dialogs.h"
#include "app/LocalPath.h"
#include "tape/TapFile.h"
#include "tape/Tape64CommandLine.h"
#include "tools/DosCommand.h"
#include "tools/LogView.h"
#include "tools/ToolLocator.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTime>
#include <QToolButton>
#include <QVBoxLayout>

namespace tape64 = vornix::tape64;

// ---------------------------------------------------------------------------------------------

TStaticText::TStaticText(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setLineWidth(1);
    setPressed(false);
}

void TStaticText::setPressed(bool pressed) {
    pressed_ = pressed;
    setFrameStyle(pressed ? (QFrame::Panel | QFrame::Sunken) : (QFrame::Box | QFrame::Plain));
}

void TStaticText::setInert(bool inert) {
    inert_ = inert;
    if (inert)
        setPressed(false);
}

void TStaticText::mousePressEvent(QMouseEvent* event) {
    if (!inert_ && event->button() == Qt::LeftButton)
        setPressed(true);
    QLabel::mousePressEvent(event);
}

void TStaticText::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    if (event->button() == Qt::LeftButton && wasPressed)
        setPressed(false);
    QLabel::mouseReleaseEvent(event);
    if (wasPressed && event->button() == Qt::LeftButton && !inert_ &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

// ---------------------------------------------------------------------------------------------

namespace {

const char* const noCommandLine = "No command line - unbelievable error.";
const char* const rule = "===================";

FileDialogSetup inputSetup() {
    FileDialogSetup setup;
    setup.filters = {{QStringLiteral("WAVe"), QStringLiteral("*.WAV")},
                     {QStringLiteral("TAP"), QStringLiteral("*.TAP")},
                     {QStringLiteral("All files"), QStringLiteral("*.*")}};
    return setup;
}

FileDialogSetup tapOutputSetup() {
    FileDialogSetup setup;
    setup.filters = {{QStringLiteral("TAP v.1"), QStringLiteral("*.TAP")},
                     {QStringLiteral("*.*"), QStringLiteral("*.*")}};
    setup.confirmOverwrite = true;
    return setup;
}

FileDialogSetup t64OutputSetup() {
    FileDialogSetup setup;
    setup.filters = {{QStringLiteral("T64"), QStringLiteral("*.T64")},
                     {QStringLiteral("All"), QStringLiteral("*.*")}};
    setup.confirmOverwrite = true;
    return setup;
}

QString stamp() {
    const QLocale locale = QLocale::system();
    return locale.toString(QDate::currentDate(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(QTime::currentTime(), QLocale::LongFormat);
}

QSpinBox* spin(QWidget* parent, const char* name, int low, int high, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TForm5::TForm5(const AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(context) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Tape64 Frontend"));
    resize(520, 560);

    Memo1 = named(new LogView(this), "Memo1");
    Memo1->setReadOnly(true);

    StaticText1 = named(new TStaticText(QStringLiteral("  Wyczyść"), this), "StaticText1");
    StaticText2 = named(new TStaticText(QStringLiteral(" Kopiuj"), this), "StaticText2");
    StaticText3 = named(new TStaticText(QStringLiteral("           Start"), this), "StaticText3");
    StaticText4 = named(new TStaticText(QStringLiteral(" Zamknij"), this), "StaticText4");
    auto* textButtons = new QHBoxLayout;
    for (auto* t : {StaticText1, StaticText2, StaticText3, StaticText4})
        textButtons->addWidget(t);

    PageControl1 = named(new QTabWidget(this), "PageControl1");
    TabSheet1 = named(new QWidget, "TabSheet1");
    TabSheet2 = named(new QWidget, "TabSheet2");
    PageControl1->addTab(TabSheet1, QStringLiteral("WAV/TAP v.0->TAP v.1"));
    PageControl1->addTab(TabSheet2, QStringLiteral("WAV/TAP->T64/P00"));

    // First page.
    Label1 = named(new QLabel(QStringLiteral("Czas wartości $00 w TAP v.0 (ms): "), TabSheet1), "Label1");
    SpinEdit1 = spin(TabSheet1, "SpinEdit1", 10, 1000, 100);
    auto* page1 = new QHBoxLayout(TabSheet1);
    page1->addWidget(Label1);
    page1->addWidget(SpinEdit1);
    page1->addStretch(1);

    // Second page.
    Label5 = named(new QLabel(QStringLiteral("Wejście:"), TabSheet2), "Label5");
    Edit3 = named(new QLineEdit(TabSheet2), "Edit3");
    SpeedButton1 = named(new QToolButton(TabSheet2), "SpeedButton1");
    SpeedButton1->setText(QStringLiteral("..."));

    RadioGroup1 = named(new QGroupBox(QStringLiteral("Wyjście"), TabSheet2), "RadioGroup1");
    outputButtons_ = new QButtonGroup(this);
    auto* radios = new QVBoxLayout(RadioGroup1);
    const char* items[] = {"Brak - analiza pliku", "T64", "P00"};
    for (int i = 0; i < 3; ++i) {
        RadioGroup1Items[i] = new QRadioButton(QString::fromUtf8(items[i]), RadioGroup1);
        RadioGroup1Items[i]->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
        outputButtons_->addButton(RadioGroup1Items[i], i);
        radios->addWidget(RadioGroup1Items[i]);
    }
    RadioGroup1Items[0]->setChecked(true);

    CheckBox2 = named(new QCheckBox(QStringLiteral("Odwróć Sygnał"), TabSheet2), "CheckBox2");
    Label3 = named(new QLabel(QStringLiteral("  Prędkość:"), TabSheet2), "Label3");
    Edit1 = named(new QLineEdit(QString::fromLatin1(tape64::defaultSpeed.data(), tape64::defaultSpeed.size()),
                                TabSheet2),
                  "Edit1");
    Button5 = named(new QPushButton(QStringLiteral("/\\"), TabSheet2), "Button5");
    Button6 = named(new QPushButton(QStringLiteral("V"), TabSheet2), "Button6");
    for (auto* b : {Button5, Button6}) {
        b->setAutoDefault(false);
        b->setFixedWidth(28);
    }
    CheckBox1 = named(new QCheckBox(QStringLiteral("Częstotliwość:"), TabSheet2), "CheckBox1");
    SpinEdit2 = spin(TabSheet2, "SpinEdit2", 1, 999999, 44100);
    SpinEdit2->setEnabled(false);
    Label2 = named(new QLabel(QStringLiteral("Różnica głośności: "), TabSheet2), "Label2");
    TrackBar1 = named(new QSlider(Qt::Horizontal, TabSheet2), "TrackBar1");
    TrackBar1->setRange(1, 128);
    TrackBar1->setSingleStep(5);
    TrackBar1->setPageStep(5);
    TrackBar1->setTickInterval(5);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setValue(tape64::defaultAmplitude);
    SpinEdit3 = spin(TabSheet2, "SpinEdit3", 1, 255, tape64::defaultAmplitude);
    CheckBox3 = named(new QCheckBox(QStringLiteral("Numeruj pliki P0x.  Prefiks:"), TabSheet2), "CheckBox3");
    Edit2 = named(new QLineEdit(TabSheet2), "Edit2");
    CheckBox4 = named(new QCheckBox(QStringLiteral("Zapisuj pliki uszkodzone"), TabSheet2), "CheckBox4");

    auto* page2 = new QGridLayout(TabSheet2);
    auto* inputRow = new QHBoxLayout;
    inputRow->addWidget(Label5);
    inputRow->addWidget(Edit3, 1);
    inputRow->addWidget(SpeedButton1);
    page2->addLayout(inputRow, 0, 0, 1, 2);
    page2->addWidget(RadioGroup1, 1, 0, 3, 1);
    page2->addWidget(CheckBox2, 1, 1);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(Label3);
    speedRow->addWidget(Edit1);
    speedRow->addWidget(Button5);
    speedRow->addWidget(Button6);
    speedRow->addStretch(1);
    page2->addLayout(speedRow, 2, 1);
    auto* frequencyRow = new QHBoxLayout;
    frequencyRow->addWidget(CheckBox1);
    frequencyRow->addWidget(SpinEdit2);
    frequencyRow->addStretch(1);
    page2->addLayout(frequencyRow, 3, 1);
    auto* amplitudeRow = new QHBoxLayout;
    amplitudeRow->addWidget(Label2);
    amplitudeRow->addWidget(TrackBar1, 1);
    amplitudeRow->addWidget(SpinEdit3);
    page2->addLayout(amplitudeRow, 4, 0, 1, 2);
    auto* prefixRow = new QHBoxLayout;
    prefixRow->addWidget(CheckBox3);
    prefixRow->addWidget(Edit2, 1);
    page2->addLayout(prefixRow, 5, 0, 1, 2);
    page2->addWidget(CheckBox4, 6, 0, 1, 2);
    PageControl1->setCurrentWidget(TabSheet2);

    // Message texts, never shown as labels.
    Label4 =
        named(new QLabel(QStringLiteral("To wygląda na plik wersji 1. Czy kontynuować?"), this), "Label4");
    Label6 =
        named(new QLabel(QStringLiteral("Program nie będzie działał! Ściągnij plik %1 i umieść w katalogu "
                                        "programu lub w ścieżce PATH.")
                             .arg(toolLookedFor(QStringLiteral("tape64"), true)),
                         this),
              "Label6");
    Label4->hide();
    Label6->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1, 1);
    layout->addLayout(textButtons);
    layout->addWidget(PageControl1);

    DosCommand1 = createLogRunner(
        this, ctx_.programFolder, [this](QStringView line) { Memo1->appendLine(line); }, &finished_);

    connect(StaticText1, &TStaticText::clicked, this, &TForm5::StaticText1Click);
    connect(StaticText2, &TStaticText::clicked, this, &TForm5::StaticText2Click);
    connect(StaticText3, &TStaticText::clicked, this, &TForm5::StaticText3Click);
    connect(StaticText4, &TStaticText::clicked, this, &TForm5::StaticText4Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm5::SpeedButton1Click);
    connect(outputButtons_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            RadioGroup1Click();
    });
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm5::CheckBox1Click);
    connect(Button5, &QPushButton::clicked, this, &TForm5::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm5::Button6Click);
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm5::TrackBar1Change);
    connect(SpinEdit3, &QSpinBox::valueChanged, this, &TForm5::SpinEdit3Change);

    RadioGroup1Click();
    Memo1->clear();
}

QString TForm5::text(const char* polish, const char* english) const {
    return QString::fromUtf8(english_ ? english : polish);
}

void TForm5::applyEnglish() {
    english_ = true;
    Label1->setText(QStringLiteral("Delay of $00 value (ms):"));
    Label4->setText(QStringLiteral("It looks like a v1 file. Continue?"));
    Label6->setText(QStringLiteral("PROGRAM WILL NOT WORK. Please download %1 to program directory or PATH.")
                        .arg(toolLookedFor(QStringLiteral("tape64"))));
    StaticText1->setText(QStringLiteral("     Clear"));
    StaticText2->setText(QStringLiteral("  Copy"));
    StaticText4->setText(QStringLiteral("   Close"));
    Label5->setText(QStringLiteral("Input: "));
    Label3->setText(QStringLiteral("Speed:"));
    RadioGroup1->setTitle(QStringLiteral("Output"));
    RadioGroup1Items[0]->setText(QStringLiteral("None"));
    CheckBox2->setText(QStringLiteral("Reverse signal"));
    Label2->setText(QStringLiteral("Trigger amplitude:"));
    CheckBox1->setText(QStringLiteral("Frequency: "));
    CheckBox3->setText(QStringLiteral("Number P0x files.   Prefix: "));
    CheckBox4->setText(QStringLiteral("Save bad files."));
}

void TForm5::log(const QString& line) {
    Memo1->appendLine(line);
}

void TForm5::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        checkTool();
}

void TForm5::checkTool() {
    if (!findTool(ctx_.programFolder, QStringLiteral("tape64")).isEmpty()) {
        log(QStringLiteral("Tape64.exe OK"));
        return;
    }
    ctx_.dialogs->message(this, QStringLiteral("Warning"), Label6->text(), MsgButtons::Ok, MsgIcon::Warning);
    toolMissing_ = true;
    for (auto* t : {StaticText1, StaticText2, StaticText3})
        t->setInert(true);
    for (QWidget* w : std::initializer_list<QWidget*>{Edit1, Button5, Button6, Edit2, Edit3, SpeedButton1,
                                                      CheckBox1, CheckBox2, CheckBox3, CheckBox4, TrackBar1,
                                                      SpinEdit1, SpinEdit2, SpinEdit3, RadioGroup1})
        w->setEnabled(false);
}

int TForm5::outputChoice() const {
    return std::max(0, outputButtons_->checkedId());
}

void TForm5::RadioGroup1Click() {
    if (toolMissing_)
        return;
    const auto rules = tape64::rulesFor(static_cast<tape64::Output>(outputChoice()));
    CheckBox3->setEnabled(rules.numbering);
    CheckBox4->setEnabled(rules.damaged);
    Edit2->setEnabled(rules.prefix);
}

void TForm5::CheckBox1Click() {
    if (!toolMissing_)
        SpinEdit2->setEnabled(CheckBox1->isChecked());
}

void TForm5::TrackBar1Change() {
    if (echoGuard_)
        return;
    echoGuard_ = true;
    SpinEdit3->setValue(TrackBar1->value());
    echoGuard_ = false;
}

void TForm5::SpinEdit3Change() {
    if (echoGuard_)
        return;
    echoGuard_ = true;
    TrackBar1->setValue(tape64::trackBarForAmplitude(SpinEdit3->value()));
    echoGuard_ = false;
}

void TForm5::showSpeedMessage() {
    ctx_.dialogs->message(this, windowTitle(),
                          text("Prędkość musi mieć postać: cyfra, przecinek, cyfra, na przykład 1,0.",
                               "The speed must be one digit, a comma and one digit, for example 1,0."),
                          MsgButtons::Ok, MsgIcon::Error);
}

void TForm5::stepSpeed(bool up) {
    const auto stepped = tape64::steppedSpeed(Edit1->text().toStdString(), up);
    if (!stepped) {
        showSpeedMessage();
        return;
    }
    Edit1->setText(QString::fromStdString(*stepped));
}

void TForm5::Button5Click() {
    stepSpeed(true);
}

void TForm5::Button6Click() {
    stepSpeed(false);
}

void TForm5::SpeedButton1Click() {
    const QStringList chosen = ctx_.dialogs->openFiles(this, inputSetup(), false);
    if (!chosen.isEmpty())
        Edit3->setText(QDir::toNativeSeparators(chosen.first()));
}

void TForm5::StaticText1Click() {
    if (!StaticText1->isInert())
        Memo1->clear();
}

void TForm5::StaticText2Click() {
    if (StaticText2->isInert())
        return;
    if (Memo1->hasSelection())
        Memo1->copy();
    else
        QGuiApplication::clipboard()->setText(Memo1->toPlainText());
}

void TForm5::StaticText4Click() {
    close();
}

bool TForm5::versionOneCommandLine(QString* commandLine) {
    // A cancelled dialog still goes on to the run step, which reports the missing line.
    const QStringList input = ctx_.dialogs->openFiles(this, inputSetup(), false);
    if (input.isEmpty())
        return true;
    const QString in = QDir::toNativeSeparators(input.first());
    if (QFileInfo(in).suffix().compare(QStringLiteral("tap"), Qt::CaseInsensitive) == 0 &&
        tap::isVersion1(toLocalPath(in)) &&
        ctx_.dialogs->message(this, text("Potwierdź", "Confirm"), Label4->text(), MsgButtons::YesNo,
                              MsgIcon::Question) != MsgAnswer::Yes)
        return false;
    const QString out = ctx_.dialogs->saveFile(this, tapOutputSetup());
    if (out.isEmpty())
        return true;
    *commandLine = QString::fromStdString(tape64::versionOneCommand(
        in.toStdString(), SpinEdit1->value(), QDir::toNativeSeparators(out).toStdString()));
    return true;
}

bool TForm5::analysisCommandLine(QString* commandLine) {
    const QString input = Edit3->text();
    if (!QFileInfo(input).isFile()) {
        ctx_.dialogs->message(this, text("Błąd", "Error"),
                              QStringLiteral("No input file!\nBrak pliku wejściowego!"), MsgButtons::Ok,
                              MsgIcon::Error);
        return false;
    }
    const std::string speed = Edit1->text().toStdString();
    if (!tape64::isValidSpeedText(speed)) {
        showSpeedMessage();
        return false;
    }
    tape64::AnalysisRequest request;
    request.input = input.toStdString();
    request.reverse = CheckBox2->isChecked();
    request.speedText = speed;
    request.frequency = CheckBox1->isChecked();
    request.frequencyValue = SpinEdit2->value();
    request.amplitude = SpinEdit3->value();
    request.numbering = CheckBox3->isEnabled() && CheckBox3->isChecked();
    request.damaged = CheckBox4->isEnabled() && CheckBox4->isChecked();
    request.output = static_cast<tape64::Output>(outputChoice());
    if (request.output == tape64::Output::T64) {
        const QString path = ctx_.dialogs->saveFile(this, t64OutputSetup());
        if (path.isEmpty())
            return false;
        request.t64Path = QDir::toNativeSeparators(path).toStdString();
    } else if (request.output == tape64::Output::P00) {
        const QString folder =
            ctx_.dialogs->folder(this, text("Katalog dla plików P00", "Folder for the P00 files"), {});
        if (!folder.isEmpty())
            request.p00Folder = QDir::toNativeSeparators(folder).toStdString();
        request.prefix = Edit2->text().toStdString();
    }
    *commandLine = QString::fromStdString(tape64::analysisCommand(request));
    return true;
}

void TForm5::StaticText3Click() {
    if (StaticText3->isInert() || running_ || toolMissing_)
        return;
    QString commandLine;
    const bool goOn = PageControl1->currentWidget() == TabSheet1 ? versionOneCommandLine(&commandLine)
                                                                 : analysisCommandLine(&commandLine);
    if (goOn)
        runStep(commandLine);
}

void TForm5::runStep(const QString& commandLine) {
    if (commandLine.isEmpty()) {
        log(QString::fromLatin1(noCommandLine));
    } else {
        log(QStringLiteral("%1 START: %2 %1").arg(QLatin1String(rule), stamp()));
        log(commandLine);
        DosCommand1->CommandLine = commandLine;
        finished_ = false;
        running_ = true;
        StaticText3->setInert(true);
        if (!runAndWait(*DosCommand1))
            log(text("Nie można uruchomić programu.", "The run could not be started."));
        running_ = false;
        StaticText3->setInert(toolMissing_);
    }
    log(QStringLiteral("%1 END: %2 %1").arg(QLatin1String(rule), stamp()));
    log(QString());
}
