#include "tape/ui/TapeConversionWindow.h"

#include "gui/TextTable.h"

#include "gui/Dialogs.h"
#include "gui/LocalPath.h"
#include "gui/LogView.h"
#include "gui/ProcessRunner.h"
#include "gui/ToolLocator.h"
#include "tape/TapFile.h"
#include "tape/Tape64CommandLine.h"

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

namespace vornix {

namespace tape64 = vornix::tape64;

// ---------------------------------------------------------------------------------------------

FlatTextButton::FlatTextButton(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setLineWidth(1);
    // Room around the text as a push button has, so descenders and accents stay inside.
    setMargin(3);
    setPressed(false);
}

void FlatTextButton::setPressed(bool pressed) {
    pressed_ = pressed;
    setFrameStyle(pressed ? (QFrame::Panel | QFrame::Sunken) : (QFrame::Box | QFrame::Plain));
}

void FlatTextButton::setInert(bool inert) {
    inert_ = inert;
    if (inert)
        setPressed(false);
}

void FlatTextButton::mousePressEvent(QMouseEvent* event) {
    if (!inert_ && event->button() == Qt::LeftButton)
        setPressed(true);
    QLabel::mousePressEvent(event);
}

void FlatTextButton::mouseReleaseEvent(QMouseEvent* event) {
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

FileDialogSetup titled(FileDialogSetup setup, const QString& title) {
    setup.title = title;
    return setup;
}

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

const std::vector<vornix::gui::TextRow>& windowTexts() {
    using vornix::gui::TextRole;
    static const std::vector<vornix::gui::TextRow> rows = {
        {"StaticText1", TextRole::Label, "  Wyczyść", "     Clear"},
        {"StaticText2", TextRole::Label, " Kopiuj", "  Copy"},
        {"StaticText3", TextRole::Label, "           Start", "           Start"},
        {"StaticText4", TextRole::Label, " Zamknij", "   Close"},
        {"Label1", TextRole::Label, "Czas wartości $00 w TAP v.0 (ms): ", "Delay of $00 value (ms):"},
        {"Label5", TextRole::Label, "Wejście:", "Input: "},
        {"RadioGroup1", TextRole::Group, "Wyjście", "Output"},
        {"RadioGroup1Item0", TextRole::Button, "Brak - analiza pliku", "None"},
        {"CheckBox2", TextRole::Button, "Odwróć Sygnał", "Reverse signal"},
        {"Label3", TextRole::Label, "  Prędkość:", "Speed:"},
        {"CheckBox1", TextRole::Button, "Częstotliwość:", "Frequency: "},
        {"Label2", TextRole::Label, "Różnica głośności: ", "Trigger amplitude:"},
        {"CheckBox3", TextRole::Button, "Numeruj pliki P0x.  Prefiks:", "Number P0x files.   Prefix: "},
        {"CheckBox4", TextRole::Button, "Zapisuj pliki uszkodzone", "Save bad files."},
        {"Label4", TextRole::Label, "To wygląda na plik wersji 1. Czy kontynuować?",
         "It looks like a v1 file. Continue?"},
    };
    return rows;
}

} // namespace

TapeConversionWindow::TapeConversionWindow(const AppContext& context, QWidget* parent)
    : ToolWindow(context, parent) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Tape64 Frontend"));
    resize(520, 560);

    logView_ = named(new LogView(this), "Memo1");
    logView_->setReadOnly(true);

    clearButton_ = named(new FlatTextButton({}, this), "StaticText1");
    copyButton_ = named(new FlatTextButton({}, this), "StaticText2");
    startButton_ = named(new FlatTextButton({}, this), "StaticText3");
    closeButton_ = named(new FlatTextButton({}, this), "StaticText4");
    auto* textButtons = new QHBoxLayout;
    for (auto* t : {clearButton_, copyButton_, startButton_, closeButton_})
        textButtons->addWidget(t);

    pages_ = named(new QTabWidget(this), "PageControl1");
    versionOnePage_ = named(new QWidget, "TabSheet1");
    conversionPage_ = named(new QWidget, "TabSheet2");
    pages_->addTab(versionOnePage_, QStringLiteral("WAV/TAP v.0->TAP v.1"));
    pages_->addTab(conversionPage_, QStringLiteral("WAV/TAP->T64/P00"));

    // First page.
    delayLabel_ = named(new QLabel(versionOnePage_), "Label1");
    delaySpin_ = spin(versionOnePage_, "SpinEdit1", 10, 1000, 100);
    auto* page1 = new QHBoxLayout(versionOnePage_);
    page1->addWidget(delayLabel_);
    page1->addWidget(delaySpin_);
    page1->addStretch(1);

    // Second page.
    inputLabel_ = named(new QLabel(conversionPage_), "Label5");
    inputEdit_ = named(new QLineEdit(conversionPage_), "Edit3");
    browseButton_ = named(new QToolButton(conversionPage_), "SpeedButton1");
    browseButton_->setText(QStringLiteral("..."));

    outputBox_ = named(new QGroupBox(conversionPage_), "RadioGroup1");
    outputButtons_ = new QButtonGroup(this);
    auto* radios = new QVBoxLayout(outputBox_);
    const char* items[] = {"", "T64", "P00"};
    for (int i = 0; i < 3; ++i) {
        outputItems_[i] = new QRadioButton(QString::fromUtf8(items[i]), outputBox_);
        outputItems_[i]->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
        outputButtons_->addButton(outputItems_[i], i);
        radios->addWidget(outputItems_[i]);
    }
    outputItems_[0]->setChecked(true);

    reverseCheck_ = named(new QCheckBox(conversionPage_), "CheckBox2");
    speedLabel_ = named(new QLabel(conversionPage_), "Label3");
    speedEdit_ =
        named(new QLineEdit(QString::fromLatin1(tape64::defaultSpeed.data(), tape64::defaultSpeed.size()),
                            conversionPage_),
              "Edit1");
    speedUpButton_ = named(new QPushButton(QStringLiteral("/\\"), conversionPage_), "Button5");
    speedDownButton_ = named(new QPushButton(QStringLiteral("V"), conversionPage_), "Button6");
    for (auto* b : {speedUpButton_, speedDownButton_}) {
        b->setAutoDefault(false);
        b->setFixedWidth(28);
    }
    // The text buttons stand as tall as the window's push buttons.
    for (auto* t : {clearButton_, copyButton_, startButton_, closeButton_})
        t->setMinimumHeight(speedUpButton_->sizeHint().height());
    frequencyCheck_ = named(new QCheckBox(conversionPage_), "CheckBox1");
    frequencySpin_ = spin(conversionPage_, "SpinEdit2", 1, 999999, 44100);
    frequencySpin_->setEnabled(false);
    amplitudeLabel_ = named(new QLabel(conversionPage_), "Label2");
    amplitudeSlider_ = named(new QSlider(Qt::Horizontal, conversionPage_), "TrackBar1");
    amplitudeSlider_->setRange(1, 128);
    amplitudeSlider_->setSingleStep(5);
    amplitudeSlider_->setPageStep(5);
    amplitudeSlider_->setTickInterval(5);
    amplitudeSlider_->setTickPosition(QSlider::TicksBelow);
    amplitudeSlider_->setValue(tape64::defaultAmplitude);
    amplitudeSpin_ = spin(conversionPage_, "SpinEdit3", 1, 255, tape64::defaultAmplitude);
    numberFilesCheck_ = named(new QCheckBox(conversionPage_), "CheckBox3");
    prefixEdit_ = named(new QLineEdit(conversionPage_), "Edit2");
    saveBadCheck_ = named(new QCheckBox(conversionPage_), "CheckBox4");

    auto* page2 = new QGridLayout(conversionPage_);
    auto* inputRow = new QHBoxLayout;
    inputRow->addWidget(inputLabel_);
    inputRow->addWidget(inputEdit_, 1);
    inputRow->addWidget(browseButton_);
    page2->addLayout(inputRow, 0, 0, 1, 2);
    page2->addWidget(outputBox_, 1, 0, 3, 1);
    page2->addWidget(reverseCheck_, 1, 1);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(speedLabel_);
    speedRow->addWidget(speedEdit_);
    speedRow->addWidget(speedUpButton_);
    speedRow->addWidget(speedDownButton_);
    speedRow->addStretch(1);
    page2->addLayout(speedRow, 2, 1);
    auto* frequencyRow = new QHBoxLayout;
    frequencyRow->addWidget(frequencyCheck_);
    frequencyRow->addWidget(frequencySpin_);
    frequencyRow->addStretch(1);
    page2->addLayout(frequencyRow, 3, 1);
    auto* amplitudeRow = new QHBoxLayout;
    amplitudeRow->addWidget(amplitudeLabel_);
    amplitudeRow->addWidget(amplitudeSlider_, 1);
    amplitudeRow->addWidget(amplitudeSpin_);
    page2->addLayout(amplitudeRow, 4, 0, 1, 2);
    auto* prefixRow = new QHBoxLayout;
    prefixRow->addWidget(numberFilesCheck_);
    prefixRow->addWidget(prefixEdit_, 1);
    page2->addLayout(prefixRow, 5, 0, 1, 2);
    page2->addWidget(saveBadCheck_, 6, 0, 1, 2);
    pages_->setCurrentWidget(conversionPage_);

    // Message texts, never shown as labels.
    versionOneLabel_ = named(new QLabel(this), "Label4");
    toolMissingLabel_ =
        named(new QLabel(QStringLiteral("Program nie będzie działał! Ściągnij plik %1 i umieść w katalogu "
                                        "programu lub w ścieżce PATH.")
                             .arg(toolLookedFor(QStringLiteral("tape64"), true)),
                         this),
              "Label6");
    versionOneLabel_->hide();
    toolMissingLabel_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logView_, 1);
    layout->addLayout(textButtons);
    layout->addWidget(pages_);

    runner_ = createLogRunner(
        this, ctx_.programFolder, [this](QStringView line) { logView_->appendLine(line); }, &finished_);

    connect(clearButton_, &FlatTextButton::clicked, this, &TapeConversionWindow::clearClicked);
    connect(copyButton_, &FlatTextButton::clicked, this, &TapeConversionWindow::copyClicked);
    connect(startButton_, &FlatTextButton::clicked, this, &TapeConversionWindow::startClicked);
    connect(closeButton_, &FlatTextButton::clicked, this, &TapeConversionWindow::closeClicked);
    connect(browseButton_, &QToolButton::clicked, this, &TapeConversionWindow::browseInput);
    connect(outputButtons_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            outputChosen();
    });
    connect(frequencyCheck_, &QCheckBox::toggled, this, &TapeConversionWindow::frequencyToggled);
    connect(speedUpButton_, &QPushButton::clicked, this, &TapeConversionWindow::speedUpClicked);
    connect(speedDownButton_, &QPushButton::clicked, this, &TapeConversionWindow::speedDownClicked);
    connect(amplitudeSlider_, &QSlider::valueChanged, this, &TapeConversionWindow::amplitudeSlid);
    connect(amplitudeSpin_, &QSpinBox::valueChanged, this, &TapeConversionWindow::amplitudeTyped);

    vornix::gui::applyTexts(this, windowTexts(), false);
    outputChosen();
    logView_->clear();
}

QString TapeConversionWindow::text(const char* polish, const char* english) const {
    return QString::fromUtf8(english_ ? english : polish);
}

void TapeConversionWindow::applyEnglish() {
    english_ = true;
    vornix::gui::applyTexts(this, windowTexts(), true);
    toolMissingLabel_->setText(
        QStringLiteral("PROGRAM WILL NOT WORK. Please download %1 to program directory or PATH.")
            .arg(toolLookedFor(QStringLiteral("tape64"))));
}

void TapeConversionWindow::log(const QString& line) { logView_->appendLine(line); }

void TapeConversionWindow::checkTool() {
    if (!findToolOrWarn(QStringLiteral("tape64"), QStringLiteral("Warning"), toolMissingLabel_->text())
             .isEmpty()) {
        log(QStringLiteral("Tape64.exe OK"));
        return;
    }
    for (auto* t : {clearButton_, copyButton_, startButton_})
        t->setInert(true);
    for (QWidget* w : std::initializer_list<QWidget*>{
             speedEdit_, speedUpButton_, speedDownButton_, prefixEdit_, inputEdit_, browseButton_,
             frequencyCheck_, reverseCheck_, numberFilesCheck_, saveBadCheck_, amplitudeSlider_, delaySpin_,
             frequencySpin_, amplitudeSpin_, outputBox_})
        w->setEnabled(false);
}

int TapeConversionWindow::outputChoice() const { return std::max(0, outputButtons_->checkedId()); }

void TapeConversionWindow::outputChosen() {
    if (toolMissing_)
        return;
    const auto rules = tape64::rulesFor(static_cast<tape64::Output>(outputChoice()));
    numberFilesCheck_->setEnabled(rules.numbering);
    saveBadCheck_->setEnabled(rules.damaged);
    prefixEdit_->setEnabled(rules.prefix);
}

void TapeConversionWindow::frequencyToggled() {
    if (!toolMissing_)
        frequencySpin_->setEnabled(frequencyCheck_->isChecked());
}

void TapeConversionWindow::amplitudeSlid() {
    if (echoGuard_)
        return;
    echoGuard_ = true;
    amplitudeSpin_->setValue(amplitudeSlider_->value());
    echoGuard_ = false;
}

void TapeConversionWindow::amplitudeTyped() {
    if (echoGuard_)
        return;
    echoGuard_ = true;
    amplitudeSlider_->setValue(tape64::trackBarForAmplitude(amplitudeSpin_->value()));
    echoGuard_ = false;
}

void TapeConversionWindow::showSpeedMessage() {
    ctx_.dialogs->message(this, windowTitle(),
                          text("Prędkość musi mieć postać: cyfra, przecinek, cyfra, na przykład 1,0.",
                               "The speed must be one digit, a comma and one digit, for example 1,0."),
                          MsgButtons::Ok, MsgIcon::Error);
}

void TapeConversionWindow::stepSpeed(bool up) {
    const auto stepped = tape64::steppedSpeed(speedEdit_->text().toStdString(), up);
    if (!stepped) {
        showSpeedMessage();
        return;
    }
    speedEdit_->setText(QString::fromStdString(*stepped));
}

void TapeConversionWindow::speedUpClicked() { stepSpeed(true); }

void TapeConversionWindow::speedDownClicked() { stepSpeed(false); }

void TapeConversionWindow::browseInput() {
    const QStringList chosen = ctx_.dialogs->openFiles(
        this, titled(inputSetup(), text("Wybierz plik WAV lub TAP", "Choose the WAV or TAP file")), false);
    if (!chosen.isEmpty())
        inputEdit_->setText(QDir::toNativeSeparators(chosen.first()));
}

void TapeConversionWindow::clearClicked() {
    if (!clearButton_->isInert())
        logView_->clear();
}

void TapeConversionWindow::copyClicked() {
    if (copyButton_->isInert())
        return;
    if (logView_->hasSelection())
        logView_->copy();
    else
        QGuiApplication::clipboard()->setText(logView_->toPlainText());
}

void TapeConversionWindow::closeClicked() { close(); }

bool TapeConversionWindow::versionOneCommandLine(QString* commandLine) {
    // A cancelled dialog still goes on to the run step, which reports the missing line.
    const QStringList input = ctx_.dialogs->openFiles(
        this, titled(inputSetup(), text("Wybierz plik WAV lub TAP", "Choose the WAV or TAP file")), false);
    if (input.isEmpty())
        return true;
    const QString in = QDir::toNativeSeparators(input.first());
    if (QFileInfo(in).suffix().compare(QStringLiteral("tap"), Qt::CaseInsensitive) == 0 &&
        vornix::tap::isVersion1(toLocalPath(in)) &&
        ctx_.dialogs->message(this, text("Potwierdź", "Confirm"), versionOneLabel_->text(), MsgButtons::YesNo,
                              MsgIcon::Question) != MsgAnswer::Yes)
        return false;
    const QString out = ctx_.dialogs->saveFile(
        this, titled(tapOutputSetup(), text("Zapisz plik TAP jako", "Save the TAP file as")));
    if (out.isEmpty())
        return true;
    *commandLine = QString::fromStdString(tape64::versionOneCommand(
        in.toStdString(), delaySpin_->value(), QDir::toNativeSeparators(out).toStdString()));
    return true;
}

bool TapeConversionWindow::analysisCommandLine(QString* commandLine) {
    const QString input = inputEdit_->text();
    if (!QFileInfo(input).isFile()) {
        ctx_.dialogs->message(this, text("Błąd", "Error"),
                              QStringLiteral("No input file!\nBrak pliku wejściowego!"), MsgButtons::Ok,
                              MsgIcon::Error);
        return false;
    }
    const std::string speed = speedEdit_->text().toStdString();
    if (!tape64::isValidSpeedText(speed)) {
        showSpeedMessage();
        return false;
    }
    tape64::AnalysisRequest request;
    request.input = input.toStdString();
    request.reverse = reverseCheck_->isChecked();
    request.speedText = speed;
    request.frequency = frequencyCheck_->isChecked();
    request.frequencyValue = frequencySpin_->value();
    request.amplitude = amplitudeSpin_->value();
    request.numbering = numberFilesCheck_->isEnabled() && numberFilesCheck_->isChecked();
    request.damaged = saveBadCheck_->isEnabled() && saveBadCheck_->isChecked();
    request.output = static_cast<tape64::Output>(outputChoice());
    if (request.output == tape64::Output::T64) {
        const QString path = ctx_.dialogs->saveFile(
            this, titled(t64OutputSetup(), text("Zapisz obraz T64 jako", "Save the T64 image as")));
        if (path.isEmpty())
            return false;
        request.t64Path = QDir::toNativeSeparators(path).toStdString();
    } else if (request.output == tape64::Output::P00) {
        const QString folder =
            ctx_.dialogs->folder(this, text("Katalog dla plików P00", "Folder for the P00 files"), {});
        if (!folder.isEmpty())
            request.p00Folder = QDir::toNativeSeparators(folder).toStdString();
        request.prefix = prefixEdit_->text().toStdString();
    }
    *commandLine = QString::fromStdString(tape64::analysisCommand(request));
    return true;
}

void TapeConversionWindow::startClicked() {
    if (startButton_->isInert() || running_ || toolMissing_)
        return;
    QString commandLine;
    const bool goOn = pages_->currentWidget() == versionOnePage_ ? versionOneCommandLine(&commandLine)
                                                                 : analysisCommandLine(&commandLine);
    if (goOn)
        runStep(commandLine);
}

void TapeConversionWindow::runStep(const QString& commandLine) {
    if (commandLine.isEmpty()) {
        log(QString::fromLatin1(noCommandLine));
    } else {
        log(QStringLiteral("%1 START: %2 %1").arg(QLatin1String(rule), stamp()));
        log(commandLine);
        runner_->commandLine = commandLine;
        finished_ = false;
        running_ = true;
        startButton_->setInert(true);
        if (!runAndWait(*runner_))
            log(text("Nie można uruchomić programu.", "The run could not be started."));
        running_ = false;
        startButton_->setInert(toolMissing_);
    }
    log(QStringLiteral("%1 END: %2 %1").arg(QLatin1String(rule), stamp()));
    log(QString());
}

} // namespace vornix
