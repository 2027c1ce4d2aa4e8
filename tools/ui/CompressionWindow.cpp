#include "tools/ui/CompressionWindow.h"

#include "gui/LocalPath.h"
#include "gui/LogView.h"
#include "gui/ToolLocator.h"
#include "tools/CompressorCommand.h"
#include "tools/FreshOutput.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <optional>

namespace vornix {

namespace {

const QString kUnattendedMark = QStringLiteral("W");

constexpr char kContext[] = "vornix::CompressionWindow";

// The radio items. Machine names and the -m values read the same in every language and stay
// out of the catalogue, which hands them back unchanged.
constexpr const char* kMachines[] = {"C64", "C128", "VIC20", "C16/+4",
                                     QT_TRANSLATE_NOOP("vornix::CompressionWindow", "Stand-alone")};
constexpr const char* kDecompressors[] = {
    QT_TRANSLATE_NOOP("vornix::CompressionWindow", "Basic (not in v. 2k3)"),
    QT_TRANSLATE_NOOP("vornix::CompressionWindow", "Bigger, but faster"),
    QT_TRANSLATE_NOOP("vornix::CompressionWindow", "Smaller, but slower"),
    QT_TRANSLATE_NOOP("vornix::CompressionWindow", "Medium")};
constexpr const char* kMaxLengths[] = {"5 (64)", "6 (128)", "7 (256)"};

// A radio group as the window design has it: a box, items in columns filled top to bottom,
// one item checked; nameItems gives the items their texts.
template <std::size_t N>
QGroupBox* radioGroup(QWidget* parent, const QString& name, const char* const (&)[N], int columns,
                      int checked, QButtonGroup*& buttons) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(name);
    buttons = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    const int rows = (static_cast<int>(N) + columns - 1) / columns;
    for (int i = 0; i < static_cast<int>(N); ++i) {
        auto* button = new QRadioButton(box);
        button->setObjectName(name + QLatin1Char('_') + QString::number(i));
        buttons->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    buttons->button(checked)->setChecked(true);
    return box;
}

template <std::size_t N> void nameItems(QButtonGroup* buttons, const char* const (&items)[N]) {
    for (int i = 0; i < static_cast<int>(N); ++i)
        buttons->button(i)->setText(QCoreApplication::translate(kContext, items[i]));
}

QCheckBox* checkBox(QWidget* parent, const QString& name, bool checked) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

QLineEdit* edit(QWidget* parent, const QString& name, const QString& text, bool enabled) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    field->setEnabled(enabled);
    return field;
}

QPushButton* button(QWidget* parent, const QString& name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

CompressionWindow::CompressionWindow(const AppContext& context, QWidget* parent)
    : ToolWindow(context, parent) {
    setObjectName(QStringLiteral("TForm3"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildOptions());
    layout->addWidget(buildLog(), 1);
    layout->addLayout(buildButtons());
    layout->addWidget(toolMissingLabel_);
    resize(600, 560);
    setUpDialogs();
    setUpRunner();
    // Designed in English; the main window hands it Polish when it shows it.
    setLanguage(gui::Language::English);
    // Without the marker (found like the tools, whatever its letter case) the installed
    // compressor is one that does not know -fbasic.
    if (findFileNoCase(ctx_.programFolder, QStringLiteral("pcenable.2k8")).isEmpty())
        decompressor_->button(0)->setEnabled(false);
}

QLayout* CompressionWindow::buildOptions() {
    machineBox_ = radioGroup(this, QStringLiteral("RadioGroup1"), kMachines, 1, 0, machine_);
    decompressorBox_ = radioGroup(this, QStringLiteral("RadioGroup2"), kDecompressors, 2, 2, decompressor_);
    maxLenBox_ = radioGroup(this, QStringLiteral("RadioGroup3"), kMaxLengths, 1, 0, maxLen_);

    avoidVideoMatrixCheck_ = checkBox(this, QStringLiteral("CheckBox2"), false);
    defaultLoadCheck_ = checkBox(this, QStringLiteral("CheckBox3"), true);
    loadAddressEdit_ = edit(this, QStringLiteral("Edit1"), QStringLiteral("0x258"), false);
    defaultStartCheck_ = checkBox(this, QStringLiteral("CheckBox4"), true);
    startAddressEdit_ = edit(this, QStringLiteral("Edit2"), QString(), false);
    no2MhzCheck_ = checkBox(this, QStringLiteral("CheckBox5"), false);
    deltaCheck_ = checkBox(this, QStringLiteral("CheckBox6"), false);
    pOptionCheck_ = checkBox(this, QStringLiteral("CheckBox7"), false);
    pOptionEdit_ = edit(this, QStringLiteral("Edit3"), QString(), false);
    connect(defaultLoadCheck_, &QCheckBox::toggled, this, &CompressionWindow::defaultLoadToggled);
    connect(defaultStartCheck_, &QCheckBox::toggled, this, &CompressionWindow::defaultStartToggled);
    connect(pOptionCheck_, &QCheckBox::toggled, this, &CompressionWindow::pOptionToggled);

    auto* checks = new QGridLayout;
    checks->addWidget(avoidVideoMatrixCheck_, 0, 0, 1, 2);
    checks->addWidget(defaultLoadCheck_, 1, 0);
    checks->addWidget(loadAddressEdit_, 1, 1);
    checks->addWidget(defaultStartCheck_, 2, 0);
    checks->addWidget(startAddressEdit_, 2, 1);
    checks->addWidget(no2MhzCheck_, 3, 0, 1, 2);
    checks->addWidget(deltaCheck_, 4, 0, 1, 2);
    checks->addWidget(pOptionCheck_, 5, 0);
    checks->addWidget(pOptionEdit_, 5, 1);
    checks->setColumnStretch(1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(machineBox_);
    left->addWidget(maxLenBox_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(decompressorBox_);
    right->addLayout(checks);
    right->addStretch();
    auto* options = new QHBoxLayout;
    options->addLayout(left);
    options->addLayout(right, 1);
    return options;
}

QWidget* CompressionWindow::buildLog() {
    logView_ = new LogView(this); // editable: a typed W selects the unattended run
    logView_->setObjectName(QStringLiteral("Memo1"));
    // Holds the missing-tool message; never shown itself.
    toolMissingLabel_ = new QLabel(this);
    toolMissingLabel_->setObjectName(QStringLiteral("Label1"));
    toolMissingLabel_->setVisible(false);
    return logView_;
}

QLayout* CompressionWindow::buildButtons() {
    clearButton_ = button(this, QStringLiteral("Button1"));
    copyButton_ = button(this, QStringLiteral("Button2"));
    runButton_ = button(this, QStringLiteral("Button5"));
    exitButton_ = button(this, QStringLiteral("Button6"));
    // Not in the window design: a way out of a compressor that does not end.
    stopButton_ = button(this, QStringLiteral("ButtonStop"));
    stopButton_->setEnabled(false);
    connect(clearButton_, &QPushButton::clicked, this, &CompressionWindow::clearClicked);
    connect(copyButton_, &QPushButton::clicked, this, &CompressionWindow::copyClicked);
    connect(runButton_, &QPushButton::clicked, this, &CompressionWindow::runClicked);
    connect(exitButton_, &QPushButton::clicked, this, &CompressionWindow::exitClicked);
    connect(stopButton_, &QPushButton::clicked, this, &CompressionWindow::stopClicked);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clearButton_);
    buttons->addWidget(copyButton_);
    buttons->addStretch();
    buttons->addWidget(runButton_);
    buttons->addWidget(stopButton_);
    buttons->addWidget(exitButton_);
    return buttons;
}

void CompressionWindow::setUpDialogs() {
    openDialog_.defaultSuffix = QStringLiteral("PRG");
    saveDialog_.defaultSuffix = QStringLiteral("PRG");
    saveDialog_.confirmOverwrite = true;
}

void CompressionWindow::setUpRunner() {
    runner_ = new ProcessRunner(this);
    runner_->setObjectName(QStringLiteral("DosCommand1"));
    runner_->programFolder = ctx_.programFolder;
    runner_->maxTicksAfterStart = 0;
    runner_->maxTicksAfterLastOutput = 1;
    runner_->onLine = [this](ProcessRunner* sender, QStringView line, LineKind type) {
        toolLine(sender, line, type);
    };
    runner_->onEnded = [this](ProcessRunner* sender) { toolEnded(sender); };
    // A child left running by the silence limit can still be stopped until it exits.
    connect(runner_, &ProcessRunner::runFinished, this, &CompressionWindow::updateStopButton);
    connect(runner_, &ProcessRunner::childExited, this, &CompressionWindow::childExited);
}

void CompressionWindow::setLanguage(gui::Language language) {
    gui::setContextLanguage(staticMetaObject.className(), language);
    retranslate();
}

void CompressionWindow::retranslate() {
    // The captions keep the design's spelling, uneven as it is ("Decompressor:" with a colon,
    // "Machine" without, the capital of "Default Execution address"): guides and users of the
    // tool know them as written.
    setWindowTitle(tr("PUCrunch GUI"));
    machineBox_->setTitle(tr("Machine"));
    decompressorBox_->setTitle(tr("Decompressor:"));
    maxLenBox_->setTitle(tr("-m option (max len)"));
    nameItems(machine_, kMachines);
    nameItems(decompressor_, kDecompressors);
    nameItems(maxLen_, kMaxLengths);
    avoidVideoMatrixCheck_->setText(tr("Avoid video matrix in VIC20 mode"));
    defaultLoadCheck_->setText(tr("Default load address"));
    defaultStartCheck_->setText(tr("Default Execution address"));
    no2MhzCheck_->setText(tr("Disable 2MHz mode (C128) / 2X Mode (C16/+4)"));
    deltaCheck_->setText(tr("Delta Matching (better compression longer time)"));
    pOptionCheck_->setText(tr("-P option:"));
    clearButton_->setText(tr("Clear"));
    copyButton_->setText(tr("Copy selected"));
    runButton_->setText(tr("Run"));
    exitButton_->setText(tr("Exit"));
    stopButton_->setText(tr("Stop"));
    toolMissingLabel_->setText(tr("There is no %1 in the program folder or on the PATH. The program cannot "
                                  "continue. Please download it!")
                                   .arg(toolName(QStringLiteral("pucrunch"))));
    openDialog_.filters = {{tr("Commodore PRG"), QStringLiteral("*.PRG")},
                           {tr("All files"), QStringLiteral("*.*")}};
    saveDialog_.filters = {{tr("C64 PRG"), QStringLiteral("*.PRG")},
                           {tr("All files"), QStringLiteral("*.*")}};
}

void CompressionWindow::checkTool() {
    if (findToolOrWarn(QStringLiteral("pucrunch.exe"), toolMissingLabel_->text()).isEmpty()) {
        setOptionsEnabled(false);
        return;
    }
    logView_->appendLine(tr("PUCrunch.exe OK"));
}

void CompressionWindow::setOptionsEnabled(bool enabled) {
    if (toolMissing_)
        enabled = false;
    for (QWidget* w : std::initializer_list<QWidget*>{
             runButton_, machineBox_, decompressorBox_, maxLenBox_, avoidVideoMatrixCheck_, defaultLoadCheck_,
             defaultStartCheck_, no2MhzCheck_, deltaCheck_, pOptionCheck_})
        w->setEnabled(enabled);
}

QString CompressionWindow::commandLine(bool forPicture) const {
    vornix::CompressorOptions o;
    o.machine = static_cast<vornix::Machine>(machine_->checkedId());
    o.avoidVideoMatrix = avoidVideoMatrixCheck_->isChecked();
    o.defaultLoadAddress = defaultLoadCheck_->isChecked();
    o.loadAddress = loadAddressEdit_->text().toStdString();
    o.defaultExecAddress = defaultStartCheck_->isChecked();
    o.execAddress = startAddressEdit_->text().toStdString();
    o.disableFastMode = no2MhzCheck_->isChecked();
    o.decompressor = static_cast<vornix::Decompressor>(decompressor_->checkedId());
    o.deltaMatching = deltaCheck_->isChecked();
    o.maxLenOption = 5 + maxLen_->checkedId();
    o.pOption = pOptionCheck_->isChecked();
    o.pValue = pOptionEdit_->text().toStdString();
    if (forPicture) {
        // A converted picture is a C64 program loaded and started where the C64 expects it.
        o.machine = vornix::Machine::C64;
        o.defaultLoadAddress = true;
        o.defaultExecAddress = true;
    }
    return QString::fromStdString(vornix::compressorCommandLine(o, openDialog_.fileName.toStdString(),
                                                                saveDialog_.fileName.toStdString()));
}

void CompressionWindow::runClicked() { run(false); }

void CompressionWindow::updateStopButton() { stopButton_->setEnabled(busy_ || runner_->hasRunningChild()); }

void CompressionWindow::stopClicked() {
    if (!runner_->stop())
        return;
    stopped_ = true;
    abandoned_ = false;
    logView_->appendLine(tr("Stopped: the compressor was ended."));
}

void CompressionWindow::childExited() {
    updateStopButton();
    // Only a compressor the window stopped waiting for ends unannounced.
    if (abandoned_ && !runner_->hasRunningChild()) {
        abandoned_ = false;
        logView_->appendLine(tr("The compressor has ended."));
    }
}

bool CompressionWindow::run(bool forPicture) {
    if (busy_)
        return false;
    if (runner_->hasRunningChild()) {
        // Two compressors at once could write the same file.
        logView_->appendLine(tr("The compressor of the last run is still running; Stop ends it."));
        return false;
    }
    if (logView_->toPlainText() != kUnattendedMark) {
        openDialog_.title = tr("Choose the program to compress");
        const QStringList chosen = ctx_.dialogs->openFiles(this, openDialog_, false);
        if (chosen.isEmpty())
            return false;
        openDialog_.fileName = chosen.first();
    }
    if (logView_->toPlainText() != kUnattendedMark) {
        saveDialog_.title = tr("Save the compressed program as");
        const QString chosen = ctx_.dialogs->saveFile(this, saveDialog_);
        if (chosen.isEmpty())
            return false;
        saveDialog_.fileName = chosen;
    }
    const QString command = commandLine(forPicture);
    logView_->appendLine(command);
    runner_->commandLine = command;
    finished_ = false;
    busy_ = true;
    stopped_ = false;
    timedOut_ = false;
    open_ = OpenLine{};
    setOptionsEnabled(false);
    updateStopButton();
    runAndWait(*runner_);
    timedOut_ = runner_->lastEnd() == RunEnd::TimedOut && runner_->hasRunningChild();
    if (timedOut_ && forPicture) {
        // Its file could be taken half-written: the picture stays uncompressed instead.
        runner_->stop();
        waitForChildInLoop(*runner_);
        logView_->appendLine(
            tr("The compressor printed nothing within the time limit and was stopped; %1 stays "
               "uncompressed.")
                .arg(QDir::toNativeSeparators(openDialog_.fileName)));
    } else if (timedOut_) {
        abandoned_ = true;
        logView_->appendLine(
            tr("The compressor is still running, but it printed nothing within the time limit and is "
               "no longer waited for: it has not finished, and what it prints from now on is not "
               "shown. Stop ends it."));
    }
    busy_ = false;
    open_ = OpenLine{};
    setOptionsEnabled(true);
    updateStopButton();
    // Only a compressor that ended by itself (or never started) has finished.
    if (!stopped_ && !timedOut_)
        logView_->appendLine(tr("Finished compressing"));
    logView_->appendLine(QString());
    return true;
}

CompressionWindow::Outcome CompressionWindow::runUnattended(const QString& path, bool fastDecompressor,
                                                            bool leaveShown) {
    if (busy_) {
        // The user's own run goes on; say why this program stays uncompressed.
        logView_->appendLine(tr("Busy: %1 was not compressed.").arg(QDir::toNativeSeparators(path)));
        return Outcome::NotCompressed;
    }
    const QString output = path + QLatin1Char('1');
    logView_->setPlainText(kUnattendedMark);
    if (fastDecompressor)
        decompressor_->button(1)->setChecked(true);
    openDialog_.fileName = path;
    saveDialog_.fileName = output;
    // P + "1" is a scratch name: a file left there by an earlier run must never pass for
    // this run's result.
    bool started = false;
    std::optional<vornix::FreshOutput> result;
    if (QFileInfo::exists(output) && !QFile::remove(output)) {
        logView_->appendLine(tr("Cannot remove the old %1").arg(QDir::toNativeSeparators(output)));
    } else {
        result.emplace(toLocalPath(output));
        started = run(true);
    }
    if (!leaveShown)
        exitClicked();
    if (started && (stopped_ || timedOut_)) {
        // Whatever a stopped compressor left is unfinished.
        QFile::remove(output);
        return stopped_ ? Outcome::Stopped : Outcome::TimedOut;
    }
    std::int64_t size = 0;
    return started && result->written(&size) && size > 0 ? Outcome::Compressed : Outcome::NotCompressed;
}

void CompressionWindow::clearClicked() { logView_->clear(); }

void CompressionWindow::copyClicked() { QGuiApplication::clipboard()->setText(logView_->selectedText()); }

void CompressionWindow::exitClicked() { close(); }

void CompressionWindow::defaultLoadToggled() {
    loadAddressEdit_->setEnabled(!defaultLoadCheck_->isChecked());
}
void CompressionWindow::defaultStartToggled() {
    startAddressEdit_->setEnabled(!defaultStartCheck_->isChecked());
}
void CompressionWindow::pOptionToggled() { pOptionEdit_->setEnabled(pOptionCheck_->isChecked()); }

void CompressionWindow::toolLine(ProcessRunner*, QStringView text, LineKind kind) {
    // The log shows the tool's console: each line once.
    if (open_.active) {
        // The line feed of a CR LF that came in a later read than its CR: the line stays.
        if (open_.byReturn && kind == LineKind::Whole && text.isEmpty()) {
            open_.active = false;
            return;
        }
        // The open line grew, ended, or is written over: take back how it was shown.
        while (logView_->lineCount() > open_.lineCount)
            logView_->removeLastLine();
        logView_->truncateLastLine(open_.lastLength);
    }
    open_.active = kind != LineKind::Whole;
    open_.byReturn = kind == LineKind::WholeByReturn;
    open_.lineCount = logView_->lineCount();
    open_.lastLength = logView_->lastLineLength();
    showToolLine(text, kind != LineKind::Beginning);
}

void CompressionWindow::showToolLine(QStringView line, bool whole) {
    // Short pieces such as progress figures go on the end of the line before.
    if (line.size() >= 7) {
        logView_->appendLine(line);
    } else {
        logView_->extendLastLine(u"..");
        logView_->extendLastLine(line);
    }
    if (whole && line == QLatin1String("Runnable on Commodore 64"))
        logView_->appendLine(QString());
}

void CompressionWindow::toolEnded(ProcessRunner*) { finished_ = true; }

} // namespace vornix
