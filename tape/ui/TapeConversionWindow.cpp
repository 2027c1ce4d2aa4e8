#include "tape/ui/TapeConversionWindow.h"

#include "gui/Dialogs.h"
#include "gui/FixedTexts.h"
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

const char* const rule = "===================";

FileDialogSetup titled(FileDialogSetup setup, const QString& title) {
    setup.title = title;
    return setup;
}

QString stamp(gui::Language language) {
    const QLocale locale = gui::locale(language);
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

TapeConversionWindow::TapeConversionWindow(const AppContext& context, QWidget* parent)
    : ToolWindow(context, parent) {
    setObjectName(QStringLiteral("TForm5"));
    resize(520, 560);

    logView_ = named(new LogView(this), "Memo1");
    logView_->setReadOnly(true);
    QHBoxLayout* textButtons = buildTextButtons();

    pages_ = named(new QTabWidget(this), "PageControl1");
    versionOnePage_ = buildVersionOnePage();
    conversionPage_ = buildConversionPage();
    pages_->addTab(versionOnePage_, QString());
    pages_->addTab(conversionPage_, QString());
    pages_->setCurrentWidget(conversionPage_);
    // The text buttons stand as tall as the window's push buttons.
    for (auto* t : {clearButton_, copyButton_, startButton_, closeButton_})
        t->setMinimumHeight(speedUpButton_->sizeHint().height());
    buildMessageLabels();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logView_, 1);
    layout->addLayout(textButtons);
    layout->addWidget(pages_);

    runner_ = createLogRunner(
        this, ctx_.programFolder, [this](QStringView line) { logView_->appendLine(line); }, &finished_);
    connectControls();
    setLanguage(gui::Language::Polish);
    outputChosen();
    logView_->clear();
}

QHBoxLayout* TapeConversionWindow::buildTextButtons() {
    clearButton_ = named(new FlatTextButton({}, this), "StaticText1");
    copyButton_ = named(new FlatTextButton({}, this), "StaticText2");
    startButton_ = named(new FlatTextButton({}, this), "StaticText3");
    closeButton_ = named(new FlatTextButton({}, this), "StaticText4");
    auto* row = new QHBoxLayout;
    for (auto* t : {clearButton_, copyButton_, startButton_, closeButton_})
        row->addWidget(t);
    return row;
}

QWidget* TapeConversionWindow::buildVersionOnePage() {
    auto* page = named(new QWidget, "TabSheet1");
    delayLabel_ = named(new QLabel(page), "Label1");
    delaySpin_ = spin(page, "SpinEdit1", 10, 1000, 100);
    auto* row = new QHBoxLayout(page);
    row->addWidget(delayLabel_);
    row->addWidget(delaySpin_);
    row->addStretch(1);
    return page;
}

QWidget* TapeConversionWindow::buildConversionPage() {
    auto* page = named(new QWidget, "TabSheet2");
    auto* grid = new QGridLayout(page);
    grid->addLayout(buildInputRow(), 0, 0, 1, 2);
    grid->addWidget(buildOutputBox(), 1, 0, 3, 1);
    reverseCheck_ = named(new QCheckBox(page), "CheckBox2");
    grid->addWidget(reverseCheck_, 1, 1);
    grid->addLayout(buildSpeedRow(), 2, 1);

    frequencyCheck_ = named(new QCheckBox(page), "CheckBox1");
    frequencySpin_ = spin(page, "SpinEdit2", 1, 999999, 44100);
    frequencySpin_->setEnabled(false);
    auto* frequencyRow = new QHBoxLayout;
    frequencyRow->addWidget(frequencyCheck_);
    frequencyRow->addWidget(frequencySpin_);
    frequencyRow->addStretch(1);
    grid->addLayout(frequencyRow, 3, 1);
    grid->addLayout(buildAmplitudeRow(), 4, 0, 1, 2);

    numberFilesCheck_ = named(new QCheckBox(page), "CheckBox3");
    prefixEdit_ = named(new QLineEdit(page), "Edit2");
    auto* prefixRow = new QHBoxLayout;
    prefixRow->addWidget(numberFilesCheck_);
    prefixRow->addWidget(prefixEdit_, 1);
    grid->addLayout(prefixRow, 5, 0, 1, 2);
    saveBadCheck_ = named(new QCheckBox(page), "CheckBox4");
    grid->addWidget(saveBadCheck_, 6, 0, 1, 2);
    return page;
}

QHBoxLayout* TapeConversionWindow::buildInputRow() {
    inputLabel_ = named(new QLabel(this), "Label5");
    inputEdit_ = named(new QLineEdit(this), "Edit3");
    browseButton_ = named(new QToolButton(this), "SpeedButton1");
    browseButton_->setText(QStringLiteral("..."));
    auto* row = new QHBoxLayout;
    row->addWidget(inputLabel_);
    row->addWidget(inputEdit_, 1);
    row->addWidget(browseButton_);
    return row;
}

QGroupBox* TapeConversionWindow::buildOutputBox() {
    outputBox_ = named(new QGroupBox(this), "RadioGroup1");
    outputButtons_ = new QButtonGroup(this);
    auto* radios = new QVBoxLayout(outputBox_);
    for (int i = 0; i < 3; ++i) {
        outputItems_[i] = new QRadioButton(outputBox_);
        outputItems_[i]->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
        outputButtons_->addButton(outputItems_[i], i);
        radios->addWidget(outputItems_[i]);
    }
    outputItems_[0]->setChecked(true);
    return outputBox_;
}

QHBoxLayout* TapeConversionWindow::buildSpeedRow() {
    speedLabel_ = named(new QLabel(this), "Label3");
    speedEdit_ = named(
        new QLineEdit(QString::fromLatin1(tape64::defaultSpeed.data(), tape64::defaultSpeed.size()), this),
        "Edit1");
    speedUpButton_ = named(new QPushButton(QStringLiteral("/\\"), this), "Button5");
    speedDownButton_ = named(new QPushButton(QStringLiteral("V"), this), "Button6");
    for (auto* b : {speedUpButton_, speedDownButton_}) {
        b->setAutoDefault(false);
        b->setFixedWidth(28);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(speedLabel_);
    row->addWidget(speedEdit_);
    row->addWidget(speedUpButton_);
    row->addWidget(speedDownButton_);
    row->addStretch(1);
    return row;
}

QHBoxLayout* TapeConversionWindow::buildAmplitudeRow() {
    amplitudeLabel_ = named(new QLabel(this), "Label2");
    amplitudeSlider_ = named(new QSlider(Qt::Horizontal, this), "TrackBar1");
    amplitudeSlider_->setRange(1, 128);
    amplitudeSlider_->setSingleStep(5);
    amplitudeSlider_->setPageStep(5);
    amplitudeSlider_->setTickInterval(5);
    amplitudeSlider_->setTickPosition(QSlider::TicksBelow);
    amplitudeSlider_->setValue(tape64::defaultAmplitude);
    amplitudeSpin_ = spin(this, "SpinEdit3", 1, 255, tape64::defaultAmplitude);
    auto* row = new QHBoxLayout;
    row->addWidget(amplitudeLabel_);
    row->addWidget(amplitudeSlider_, 1);
    row->addWidget(amplitudeSpin_);
    return row;
}

// Hidden labels that hold message texts, so the language switch reaches them like the others.
void TapeConversionWindow::buildMessageLabels() {
    versionOneLabel_ = named(new QLabel(this), "Label4");
    toolMissingLabel_ = named(new QLabel(this), "Label6");
    versionOneLabel_->hide();
    toolMissingLabel_->hide();
}

void TapeConversionWindow::connectControls() {
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
}

void TapeConversionWindow::setLanguage(gui::Language language) {
    language_ = language;
    gui::setContextLanguage(staticMetaObject.className(), language);
    retranslate();
}

// The odd blanks of the text buttons and labels are the design's own spacing: the window
// lays its captions out with them.
void TapeConversionWindow::retranslate() {
    setWindowTitle(tr("Tape64 Frontend"));
    pages_->setTabText(0, tr("WAV/TAP v.0->TAP v.1"));
    pages_->setTabText(1, tr("WAV/TAP->T64/P00"));
    clearButton_->setText(tr("     Clear"));
    copyButton_->setText(tr("  Copy"));
    startButton_->setText(tr("           Start"));
    closeButton_->setText(tr("   Close"));
    delayLabel_->setText(tr("Delay of $00 value (ms):"));
    inputLabel_->setText(tr("Input: "));
    outputBox_->setTitle(tr("Output"));
    outputItems_[0]->setText(tr("None"));
    outputItems_[1]->setText(tr("T64"));
    outputItems_[2]->setText(tr("P00"));
    reverseCheck_->setText(tr("Reverse signal"));
    speedLabel_->setText(tr("Speed:"));
    frequencyCheck_->setText(tr("Frequency: "));
    amplitudeLabel_->setText(tr("Trigger amplitude:"));
    numberFilesCheck_->setText(tr("Number P0x files.   Prefix: "));
    saveBadCheck_->setText(tr("Save bad files."));
    versionOneLabel_->setText(tr("It looks like a v1 file. Continue?"));
    toolMissingLabel_->setText(tr("PROGRAM WILL NOT WORK. Please download %1 to program directory or PATH.")
                                   .arg(toolName(QStringLiteral("tape64"))));
}

FileDialogSetup TapeConversionWindow::inputSetup() const {
    FileDialogSetup setup;
    setup.filters = {{tr("WAVe"), QStringLiteral("*.WAV")},
                     {tr("TAP"), QStringLiteral("*.TAP")},
                     {tr("All files"), QStringLiteral("*.*")}};
    return setup;
}

FileDialogSetup TapeConversionWindow::tapOutputSetup() const {
    FileDialogSetup setup;
    // The design names the second filter by its own pattern.
    setup.filters = {{tr("TAP v.1"), QStringLiteral("*.TAP")},
                     {QStringLiteral("*.*"), QStringLiteral("*.*")}};
    setup.confirmOverwrite = true;
    return setup;
}

FileDialogSetup TapeConversionWindow::t64OutputSetup() const {
    FileDialogSetup setup;
    setup.filters = {{tr("T64"), QStringLiteral("*.T64")}, {tr("All"), QStringLiteral("*.*")}};
    setup.confirmOverwrite = true;
    return setup;
}

void TapeConversionWindow::log(const QString& line) { logView_->appendLine(line); }

void TapeConversionWindow::checkTool() {
    if (!findToolOrWarn(QStringLiteral("tape64"), toolMissingLabel_->text()).isEmpty()) {
        log(tr("Tape64.exe OK"));
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
                          tr("The speed must be one digit, a comma and one digit, for example 1,0."),
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
    const QStringList chosen =
        ctx_.dialogs->openFiles(this, titled(inputSetup(), tr("Choose the WAV or TAP file")), false);
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
    const QStringList input =
        ctx_.dialogs->openFiles(this, titled(inputSetup(), tr("Choose the WAV or TAP file")), false);
    if (input.isEmpty())
        return true;
    const QString in = QDir::toNativeSeparators(input.first());
    if (QFileInfo(in).suffix().compare(QStringLiteral("tap"), Qt::CaseInsensitive) == 0 &&
        vornix::tap::isVersion1(toLocalPath(in)) &&
        ctx_.dialogs->message(this, tr("Confirm"), versionOneLabel_->text(), MsgButtons::YesNo,
                              MsgIcon::Question) != MsgAnswer::Yes)
        return false;
    const QString out = ctx_.dialogs->saveFile(this, titled(tapOutputSetup(), tr("Save the TAP file as")));
    if (out.isEmpty())
        return true;
    *commandLine = QString::fromStdString(tape64::versionOneCommand(
        in.toStdString(), delaySpin_->value(), QDir::toNativeSeparators(out).toStdString()));
    return true;
}

bool TapeConversionWindow::analysisCommandLine(QString* commandLine) {
    const QString input = inputEdit_->text();
    if (!QFileInfo(input).isFile()) {
        ctx_.dialogs->message(this, tr("Error"), QString::fromUtf8(fixedtexts::kNoInputFile), MsgButtons::Ok,
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
        const QString path =
            ctx_.dialogs->saveFile(this, titled(t64OutputSetup(), tr("Save the T64 image as")));
        if (path.isEmpty())
            return false;
        request.t64Path = QDir::toNativeSeparators(path).toStdString();
    } else if (request.output == tape64::Output::P00) {
        const QString folder = ctx_.dialogs->folder(this, tr("Folder for the P00 files"), {});
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
        log(tr("No command line - unbelievable error."));
    } else {
        log(tr("%1 START: %2 %1").arg(QLatin1String(rule), stamp(language_)));
        log(commandLine);
        runner_->commandLine = commandLine;
        finished_ = false;
        running_ = true;
        startButton_->setInert(true);
        if (!runAndWait(*runner_))
            log(tr("The run could not be started."));
        running_ = false;
        startButton_->setInert(toolMissing_);
    }
    log(tr("%1 END: %2 %1").arg(QLatin1String(rule), stamp(language_)));
    log(QString());
}

} // namespace vornix
