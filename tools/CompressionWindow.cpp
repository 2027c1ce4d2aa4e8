#include "tools/CompressionWindow.h"

#include "tools/CompressorCommand.h"
#include "tools/LogView.h"
#include "tools/ToolLocator.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
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

namespace {

const QString kUnattendedMark = QStringLiteral("W");

// A radio group as the window design has it: a captioned box, items in columns filled top
// to bottom, one item checked.
QGroupBox* radioGroup(QWidget* parent, const QString& name, const QString& caption, const QStringList& items,
                      int columns, int checked, QButtonGroup*& buttons) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    buttons = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), box);
        button->setObjectName(name + QLatin1Char('_') + QString::number(i));
        buttons->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    buttons->button(checked)->setChecked(true);
    return box;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption, parent);
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

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TForm3::TForm3(const AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(context) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("PUCrunch GUI"));

    RadioGroup1 = radioGroup(this, QStringLiteral("RadioGroup1"), QStringLiteral("Machine"),
                             {QStringLiteral("C64"), QStringLiteral("C128"), QStringLiteral("VIC20"),
                              QStringLiteral("C16/+4"), QStringLiteral("Stand-alone")},
                             1, 0, machine_);
    RadioGroup2 = radioGroup(this, QStringLiteral("RadioGroup2"), QStringLiteral("Decompressor:"),
                             {QStringLiteral("Basic (not in v. 2k3)"), QStringLiteral("Bigger, but faster"),
                              QStringLiteral("Smaller, but slower"), QStringLiteral("Medium")},
                             2, 2, decompressor_);
    RadioGroup3 = radioGroup(this, QStringLiteral("RadioGroup3"), QStringLiteral("-m option (max len)"),
                             {QStringLiteral("5 (64)"), QStringLiteral("6 (128)"), QStringLiteral("7 (256)")},
                             1, 0, maxLen_);

    CheckBox2 = checkBox(this, QStringLiteral("CheckBox2"),
                         QStringLiteral("Avoid video matrix in VIC20 mode"), false);
    CheckBox3 = checkBox(this, QStringLiteral("CheckBox3"), QStringLiteral("Default load address"), true);
    Edit1 = edit(this, QStringLiteral("Edit1"), QStringLiteral("0x258"), false);
    CheckBox4 =
        checkBox(this, QStringLiteral("CheckBox4"), QStringLiteral("Default Execution address"), true);
    Edit2 = edit(this, QStringLiteral("Edit2"), QString(), false);
    CheckBox5 = checkBox(this, QStringLiteral("CheckBox5"),
                         QStringLiteral("Disable 2MHz mode (C128) / 2X Mode (C16/+4)"), false);
    CheckBox6 = checkBox(this, QStringLiteral("CheckBox6"),
                         QStringLiteral("Delta Matching (better compression longer time)"), false);
    CheckBox7 = checkBox(this, QStringLiteral("CheckBox7"), QStringLiteral("-P option:"), false);
    Edit3 = edit(this, QStringLiteral("Edit3"), QString(), false);

    Label1 =
        new QLabel(QStringLiteral("There is no %1 in the program folder or on the PATH. The program cannot "
                                  "continue. Please download it!")
                       .arg(toolLookedFor(QStringLiteral("pucrunch"))),
                   this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setVisible(false);

    Memo1 = new LogView(this); // editable: a typed W selects the unattended run
    Memo1->setObjectName(QStringLiteral("Memo1"));

    Button1 = button(this, QStringLiteral("Button1"), QStringLiteral("Clear"));
    Button2 = button(this, QStringLiteral("Button2"), QStringLiteral("Copy selected"));
    Button5 = button(this, QStringLiteral("Button5"), QStringLiteral("Run"));
    Button6 = button(this, QStringLiteral("Button6"), QStringLiteral("Exit"));
    // Not in the window design: a way out of a compressor that does not end.
    ButtonStop = button(this, QStringLiteral("ButtonStop"), QStringLiteral("Stop"));
    ButtonStop->setEnabled(false);

    auto* checks = new QGridLayout;
    checks->addWidget(CheckBox2, 0, 0, 1, 2);
    checks->addWidget(CheckBox3, 1, 0);
    checks->addWidget(Edit1, 1, 1);
    checks->addWidget(CheckBox4, 2, 0);
    checks->addWidget(Edit2, 2, 1);
    checks->addWidget(CheckBox5, 3, 0, 1, 2);
    checks->addWidget(CheckBox6, 4, 0, 1, 2);
    checks->addWidget(CheckBox7, 5, 0);
    checks->addWidget(Edit3, 5, 1);
    checks->setColumnStretch(1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(RadioGroup1);
    left->addWidget(RadioGroup3);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(RadioGroup2);
    right->addLayout(checks);
    right->addStretch();
    auto* options = new QHBoxLayout;
    options->addLayout(left);
    options->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    buttons->addWidget(Button5);
    buttons->addWidget(ButtonStop);
    buttons->addWidget(Button6);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);
    layout->addWidget(Label1);
    resize(600, 560);

    OpenDialog1.filters = {{QStringLiteral("Commodore PRG"), QStringLiteral("*.PRG")},
                           {QStringLiteral("All files"), QStringLiteral("*.*")}};
    OpenDialog1.defaultSuffix = QStringLiteral("PRG");
    SaveDialog1.filters = {{QStringLiteral("C64 PRG"), QStringLiteral("*.PRG")},
                           {QStringLiteral("All files"), QStringLiteral("*.*")}};
    SaveDialog1.defaultSuffix = QStringLiteral("PRG");
    SaveDialog1.confirmOverwrite = true;

    DosCommand1 = new TDosCommand(this);
    DosCommand1->setObjectName(QStringLiteral("DosCommand1"));
    DosCommand1->ProgramFolder = ctx_.programFolder;
    DosCommand1->InputToOutput = false;
    DosCommand1->MaxTimeAfterBeginning = 0;
    DosCommand1->MaxTimeAfterLastOutput = 1;
    DosCommand1->OnNewLine = [this](TDosCommand* sender, QStringView line, TOutputType type) {
        DosCommand1NewLine(sender, line, type);
    };
    DosCommand1->OnTerminated = [this](TDosCommand* sender) { DosCommand1Terminated(sender); };

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(Button5, &QPushButton::clicked, this, &TForm3::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm3::Button6Click);
    connect(ButtonStop, &QPushButton::clicked, this, &TForm3::stopClick);
    // A child left running by the silence limit can still be stopped until it exits.
    connect(DosCommand1, &TDosCommand::runFinished, this, &TForm3::updateStopButton);
    connect(DosCommand1, &TDosCommand::childExited, this, &TForm3::updateStopButton);
    connect(CheckBox3, &QCheckBox::toggled, this, &TForm3::CheckBox3Click);
    connect(CheckBox4, &QCheckBox::toggled, this, &TForm3::CheckBox4Click);
    connect(CheckBox7, &QCheckBox::toggled, this, &TForm3::CheckBox7Click);

    Memo1->clear();
    // Without the marker (found like the tools, whatever its letter case) the installed
    // compressor is one that does not know -fbasic.
    if (findFileNoCase(ctx_.programFolder, QStringLiteral("pcenable.2k8")).isEmpty())
        decompressor_->button(0)->setEnabled(false);
}

void TForm3::applyPolish() {
    polish_ = true;
    Button1->setText(QStringLiteral("Wyczyść"));
    Button2->setText(QStringLiteral("Kopiuj zazn."));
    Button5->setText(QStringLiteral("Uruchom"));
    Button6->setText(QStringLiteral("Wyjście"));
    ButtonStop->setText(QStringLiteral("Zatrzymaj"));
    RadioGroup1->setTitle(QStringLiteral("Komputer"));
    RadioGroup3->setTitle(QStringLiteral("Opcja -m"));
    RadioGroup2->setTitle(QStringLiteral("Dekompresor"));
    CheckBox2->setText(QStringLiteral("Unikaj video matrix przy VIC20"));
    CheckBox3->setText(QStringLiteral("Domyślny adres ład."));
    CheckBox4->setText(QStringLiteral("Domyślny adres wykon."));
    CheckBox5->setText(QStringLiteral("Wyłącz tryb 2MHz C128 / 2X C16+4"));
    CheckBox6->setText(QStringLiteral("Kmpresja delta (lepiej pakuje kosztem czasu)"));
    CheckBox7->setText(QStringLiteral("Opcja -P"));
    Label1->setText(QStringLiteral("Program nie bedzie działał! Proszę ściągnąć plik %1 i umieścić go w "
                                   "katalogu programu lub w ścieżce PATH!")
                        .arg(toolLookedFor(QStringLiteral("pucrunch"), true)));
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Restoring a minimised window is not a new showing.
    if (!event->spontaneous())
        checkTool();
}

void TForm3::checkTool() {
    if (!findTool(ctx_.programFolder, QStringLiteral("pucrunch.exe")).isEmpty()) {
        Memo1->appendLine(QStringLiteral("PUCrunch.exe OK"));
        return;
    }
    if (ctx_.dialogs)
        ctx_.dialogs->message(this, QStringLiteral("Warinig"), Label1->text(), MsgButtons::Ok,
                              MsgIcon::Warning);
    toolMissing_ = true;
    setOptionsEnabled(false);
}

void TForm3::setOptionsEnabled(bool enabled) {
    if (toolMissing_)
        enabled = false;
    for (QWidget* w :
         std::initializer_list<QWidget*>{Button5, RadioGroup1, RadioGroup2, RadioGroup3, CheckBox2, CheckBox3,
                                         CheckBox4, CheckBox5, CheckBox6, CheckBox7})
        w->setEnabled(enabled);
}

QString TForm3::commandLine(bool forPicture) const {
    vornix::CompressorOptions o;
    o.machine = static_cast<vornix::Machine>(machine_->checkedId());
    o.avoidVideoMatrix = CheckBox2->isChecked();
    o.defaultLoadAddress = CheckBox3->isChecked();
    o.loadAddress = Edit1->text().toStdString();
    o.defaultExecAddress = CheckBox4->isChecked();
    o.execAddress = Edit2->text().toStdString();
    o.disableFastMode = CheckBox5->isChecked();
    o.decompressor = static_cast<vornix::Decompressor>(decompressor_->checkedId());
    o.deltaMatching = CheckBox6->isChecked();
    o.maxLenOption = 5 + maxLen_->checkedId();
    o.pOption = CheckBox7->isChecked();
    o.pValue = Edit3->text().toStdString();
    if (forPicture) {
        // A converted picture is a C64 program loaded and started where the C64 expects it.
        o.machine = vornix::Machine::C64;
        o.defaultLoadAddress = true;
        o.defaultExecAddress = true;
    }
    return QString::fromStdString(vornix::compressorCommandLine(o, OpenDialog1.fileName.toStdString(),
                                                                SaveDialog1.fileName.toStdString()));
}

void TForm3::Button5Click() {
    run(false);
}

void TForm3::updateStopButton() {
    ButtonStop->setEnabled(busy_ || DosCommand1->hasRunningChild());
}

void TForm3::stopClick() {
    if (DosCommand1->Stop())
        stopped_ = true;
}

bool TForm3::run(bool forPicture) {
    if (busy_)
        return false;
    if (Memo1->toPlainText() != kUnattendedMark) {
        const QStringList chosen = ctx_.dialogs->openFiles(this, OpenDialog1, false);
        if (chosen.isEmpty())
            return false;
        OpenDialog1.fileName = chosen.first();
    }
    if (Memo1->toPlainText() != kUnattendedMark) {
        const QString chosen = ctx_.dialogs->saveFile(this, SaveDialog1);
        if (chosen.isEmpty())
            return false;
        SaveDialog1.fileName = chosen;
    }
    const QString command = commandLine(forPicture);
    Memo1->appendLine(command);
    DosCommand1->CommandLine = command;
    finished_ = false;
    busy_ = true;
    stopped_ = false;
    open_ = OpenLine{};
    setOptionsEnabled(false);
    updateStopButton();
    runAndWait(*DosCommand1);
    // A picture waits for a compressor that the silence limit left running: it needs the file.
    if (forPicture)
        waitForChildInLoop(*DosCommand1);
    busy_ = false;
    open_ = OpenLine{};
    setOptionsEnabled(true);
    updateStopButton();
    if (stopped_)
        Memo1->appendLine(polish_ ? QStringLiteral("Zatrzymano: kompresor został zakończony.")
                                  : QStringLiteral("Stopped: the compressor was ended."));
    Memo1->appendLine(QStringLiteral("Finished compressing"));
    Memo1->appendLine(QString());
    return true;
}

TForm3::Outcome TForm3::runUnattended(const QString& path, bool fastDecompressor) {
    if (busy_) {
        // The user's own run goes on; say why this program stays uncompressed.
        Memo1->appendLine(QStringLiteral("Busy: %1 was not compressed.").arg(QDir::toNativeSeparators(path)));
        return Outcome::NotCompressed;
    }
    const QString output = path + QLatin1Char('1');
    Memo1->setPlainText(kUnattendedMark);
    if (fastDecompressor)
        decompressor_->button(1)->setChecked(true);
    OpenDialog1.fileName = path;
    SaveDialog1.fileName = output;
    // P + "1" is a scratch name: a file left there by an earlier run must never pass for
    // this run's result.
    bool started = false;
    if (QFileInfo::exists(output) && !QFile::remove(output)) {
        Memo1->appendLine(QStringLiteral("Cannot remove the old %1").arg(QDir::toNativeSeparators(output)));
    } else {
        started = run(true);
    }
    Button6Click();
    if (started && stopped_) {
        // Whatever a stopped compressor left is unfinished.
        QFile::remove(output);
        return Outcome::Stopped;
    }
    const QFileInfo result(output);
    return started && result.isFile() && result.size() > 0 ? Outcome::Compressed : Outcome::NotCompressed;
}

void TForm3::Button1Click() {
    Memo1->clear();
}

void TForm3::Button2Click() {
    QGuiApplication::clipboard()->setText(Memo1->selectedText());
}

void TForm3::Button6Click() {
    close();
}

void TForm3::CheckBox3Click() {
    Edit1->setEnabled(!CheckBox3->isChecked());
}
void TForm3::CheckBox4Click() {
    Edit2->setEnabled(!CheckBox4->isChecked());
}
void TForm3::CheckBox7Click() {
    Edit3->setEnabled(CheckBox7->isChecked());
}

void TForm3::DosCommand1NewLine(TDosCommand*, QStringView NewLine, TOutputType OutputType) {
    // The log shows the tool's console: each line once.
    if (open_.active) {
        // The line feed of a CR LF that came in a later read than its CR: the line stays.
        if (open_.byReturn && OutputType == otEntireLine && NewLine.isEmpty()) {
            open_.active = false;
            return;
        }
        // The open line grew, ended, or is written over: take back how it was shown.
        while (Memo1->lineCount() > open_.lineCount)
            Memo1->removeLastLine();
        Memo1->truncateLastLine(open_.lastLength);
    }
    open_.active = OutputType != otEntireLine;
    open_.byReturn = OutputType == otEntireLineByReturn;
    open_.lineCount = Memo1->lineCount();
    open_.lastLength = Memo1->lastLineLength();
    showToolLine(NewLine, OutputType != otBeginningOfLine);
}

void TForm3::showToolLine(QStringView line, bool whole) {
    // Short pieces such as progress figures go on the end of the line before.
    if (line.size() >= 7) {
        Memo1->appendLine(line);
    } else {
        Memo1->extendLastLine(u"..");
        Memo1->extendLastLine(line);
    }
    if (whole && line == QLatin1String("Runnable on Commodore 64"))
        Memo1->appendLine(QString());
}

void TForm3::DosCommand1Terminated(TDosCommand*) {
    finished_ = true;
}
