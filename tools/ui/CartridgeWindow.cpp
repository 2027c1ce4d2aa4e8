#include "tools/ui/CartridgeWindow.h"

#include "gui/Dialogs.h"
#include "gui/LogView.h"
#include "gui/ProcessRunner.h"
#include "gui/ToolLocator.h"
#include "tools/CartconvCommandLine.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <iterator>
#include <utility>

namespace vornix {

namespace cartconv = vornix::cartconv;

namespace {

constexpr char kContext[] = "vornix::CartridgeWindow";

// The destination list as the window shows it, in the order of cartconv::destinations(),
// whose English texts these are.
constexpr const char* kDestinations[] = {
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Pure Binary .bin file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Binary C64 .PRG file with load-address"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Generic 8kb/16kb .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Ultimax mode 4kb/16kb .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Action Replay .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "KCS .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Final Cartridge 3 .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Simons Basic .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Ocean type 1/2 .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Expert Cartridge .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Fun Play, Power Play .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Super Games .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Atomic Power .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Epyx Fastload .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Westermann Learning .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Rex Utility .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Final Cartridge 1 .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Magic Formel .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "C64GS, System 3 .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "WarpSpeed .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Dinamic .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Zaxxon, Super Zaxxon .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Magic Desk, Domark, Hes Australia .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Super Snapshot 5 .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Comal-80 .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Structured Basic .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Ross .crt file"),
    QT_TRANSLATE_NOOP("vornix::CartridgeWindow", "Mikro Assembler .crt file"),
};
static_assert(std::size(kDestinations) == cartconv::destinationCount);

} // namespace

CartridgeWindow::CartridgeWindow(const AppContext& context, QWidget* parent) : ToolWindow(context, parent) {
    setObjectName(QStringLiteral("TForm4"));
    resize(560, 400);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildLog(), 1);
    layout->addLayout(buildOptions());
    layout->addLayout(buildButtons());
    runner_ = createLogRunner(
        this, ctx_.programFolder, [this](QStringView line) { logView_->appendLine(line); }, &finished_);
    // Designed in English; the main window hands it Polish when it shows it.
    setLanguage(gui::Language::English);
    typeBox_->setCurrentIndex(cartconv::defaultDestination);
    // Picking from the list and typing both change the destination.
    connect(typeBox_, &QComboBox::currentTextChanged, this, &CartridgeWindow::typeChanged);
}

QWidget* CartridgeWindow::buildLog() {
    logView_ = new LogView(this);
    logView_->setObjectName(QStringLiteral("Memo1"));
    logView_->setReadOnly(true);
    // Holds the missing-tool message; never shown itself.
    toolMissingLabel_ = new QLabel(this);
    toolMissingLabel_->setObjectName(QStringLiteral("Label2"));
    toolMissingLabel_->hide();
    return logView_;
}

QLayout* CartridgeWindow::buildOptions() {
    destinationLabel_ = new QLabel(this);
    destinationLabel_->setObjectName(QStringLiteral("Label1"));
    typeBox_ = new QComboBox(this);
    typeBox_->setObjectName(QStringLiteral("ComboBox1"));
    typeBox_->setEditable(true);
    typeBox_->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 0; i < cartconv::destinationCount; ++i)
        typeBox_->addItem(QString());
    destinationLabel_->setBuddy(typeBox_);

    loadAddressCheck_ = new QCheckBox(this);
    loadAddressCheck_->setObjectName(QStringLiteral("CheckBox1"));
    loadAddressEdit_ = new QLineEdit(this);
    loadAddressEdit_->setObjectName(QStringLiteral("Edit1"));
    nameCheck_ = new QCheckBox(this);
    nameCheck_->setObjectName(QStringLiteral("CheckBox2"));
    nameEdit_ = new QLineEdit(QStringLiteral("CARTRIDGE"), this);
    nameEdit_->setObjectName(QStringLiteral("Edit2"));
    nameCheck_->setEnabled(false);
    nameEdit_->setEnabled(false);

    auto* options = new QGridLayout;
    options->addWidget(destinationLabel_, 0, 0);
    options->addWidget(typeBox_, 0, 1, 1, 3);
    options->addWidget(loadAddressCheck_, 1, 0);
    options->addWidget(loadAddressEdit_, 1, 1);
    options->addWidget(nameCheck_, 1, 2);
    options->addWidget(nameEdit_, 1, 3);
    options->setColumnStretch(1, 1);
    options->setColumnStretch(3, 1);
    return options;
}

QLayout* CartridgeWindow::buildButtons() {
    auto makeButton = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    clearButton_ = makeButton("Button1");
    copyButton_ = makeButton("Button2");
    startButton_ = makeButton("Button3");
    closeButton_ = makeButton("Button4");
    connect(clearButton_, &QPushButton::clicked, this, &CartridgeWindow::clearClicked);
    connect(copyButton_, &QPushButton::clicked, this, &CartridgeWindow::copyClicked);
    connect(startButton_, &QPushButton::clicked, this, &CartridgeWindow::startClicked);
    connect(closeButton_, &QPushButton::clicked, this, &CartridgeWindow::closeClicked);
    auto* buttons = new QHBoxLayout;
    for (auto* b : {clearButton_, copyButton_, startButton_, closeButton_})
        buttons->addWidget(b);
    return buttons;
}

void CartridgeWindow::setLanguage(gui::Language language) {
    gui::setContextLanguage(staticMetaObject.className(), language);
    retranslate();
}

void CartridgeWindow::retranslate() {
    setWindowTitle(tr("Cartconv GUI"));
    destinationLabel_->setText(tr("Destination:"));
    loadAddressCheck_->setText(tr("Load address:"));
    nameCheck_->setText(tr("Cart name:"));
    clearButton_->setText(tr("Clear"));
    copyButton_->setText(tr("Copy"));
    startButton_->setText(tr("Start"));
    closeButton_->setText(tr("Close"));
    toolMissingLabel_->setText(tr("%1 not found! Please download it with VICE emulator and copy to "
                                  "program directory or PATH!")
                                   .arg(toolName(QStringLiteral("cartconv"))));
    // Renaming the items must not count as the user changing the destination, nor lose text
    // the user typed that names none.
    const QSignalBlocker quiet(typeBox_);
    const QString typed = typeBox_->currentText();
    const bool typedOwn =
        typeBox_->currentIndex() < 0 || typed != typeBox_->itemText(typeBox_->currentIndex());
    for (int i = 0; i < cartconv::destinationCount; ++i)
        typeBox_->setItemText(i, QCoreApplication::translate(kContext, kDestinations[i]));
    if (typedOwn)
        typeBox_->setEditText(typed);
}

void CartridgeWindow::log(const QString& line) { logView_->appendLine(line); }

void CartridgeWindow::checkTool() {
    const QString tool = findToolOrWarn(QStringLiteral("cartconv"), toolMissingLabel_->text());
    if (!tool.isEmpty()) {
        log(tr("CartConv.exe OK"));
        log(tr("cartconv comes with the VICE emulator - thanks to the VICE team."));
        if (!typesAsked_) {
            typesAsked_ = true;
            askToolForTypes(tool);
        }
        return;
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{clearButton_, copyButton_, startButton_, typeBox_, loadAddressCheck_,
                                         nameCheck_, loadAddressEdit_, nameEdit_})
        w->setEnabled(false);
}

void CartridgeWindow::askToolForTypes(const QString& toolPath) {
    // In the background, so that a tool that does not answer cannot hold up the window.
    // Started directly, never through a shell.
    typesQuery_ = new QProcess(this);
    typesQuery_->setProcessChannelMode(QProcess::MergedChannels);
    typesQuery_->setStandardInputFile(QProcess::nullDevice());
    typesQuery_->setProgram(toolPath);
    typesQuery_->setArguments({QStringLiteral("--types")});
    connect(typesQuery_, &QProcess::finished, this, [this](int, QProcess::ExitStatus status) {
        if (status == QProcess::NormalExit)
            knownTypes_ = cartconv::parseTypeList(typesQuery_->readAll().toStdString());
        endTypesQuery();
    });
    connect(typesQuery_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            endTypesQuery();
    });
    typesTimer_ = new QTimer(this);
    typesTimer_->setSingleShot(true);
    // A tool that hangs here tells us nothing; the table's names stay.
    connect(typesTimer_, &QTimer::timeout, this, &CartridgeWindow::endTypesQuery);
    typesTimer_->start(typesLimitMs_);
    typesQuery_->start();
}

void CartridgeWindow::endTypesQuery() {
    if (!typesQuery_)
        return;
    QProcess* query = std::exchange(typesQuery_, nullptr);
    query->disconnect(this);
    if (query->state() != QProcess::NotRunning) {
        connect(query, &QProcess::finished, query, &QObject::deleteLater);
        query->kill();
    } else {
        query->deleteLater();
    }
    typesTimer_->stop();
    emit typesSettled();
}

int CartridgeWindow::selectedDestination() const {
    // Typed text counts when it names an item as listed (whatever its letter case, like a list
    // box search) or in English.
    const QString text = typeBox_->currentText();
    const int shown = typeBox_->findText(text, Qt::MatchFixedString);
    return shown >= 0 ? shown : cartconv::findDestination(text.toStdString());
}

void CartridgeWindow::typeChanged() {
    const int destination = selectedDestination();
    if (destination < 0)
        return;
    const auto rules = cartconv::rulesFor(destination);
    outputSuffix_ = QString::fromLatin1(rules.suffix.data(), static_cast<qsizetype>(rules.suffix.size()));
    saveFilter_ = rules.saveFilter;
    if (toolMissing_)
        return;
    loadAddressCheck_->setEnabled(rules.loadAddressUsable);
    loadAddressEdit_->setEnabled(rules.loadAddressUsable);
    nameCheck_->setEnabled(rules.cartNameUsable);
    nameEdit_->setEnabled(rules.cartNameUsable);
}

void CartridgeWindow::clearClicked() { logView_->clear(); }

void CartridgeWindow::copyClicked() {
    // Plain text only; with nothing selected the clipboard is left alone.
    const QString selected = logView_->selectedText();
    if (selected.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(selected);
}

void CartridgeWindow::closeClicked() { close(); }

void CartridgeWindow::updateStartButton() { startButton_->setEnabled(!toolMissing_ && !running_); }

void CartridgeWindow::startClicked() {
    if (running_ || toolMissing_)
        return;
    if (loadAddressEdit_->text().isEmpty())
        loadAddressCheck_->setChecked(false);
    if (nameEdit_->text().isEmpty())
        nameCheck_->setChecked(false);

    const int destination = selectedDestination();
    if (destination < 0) {
        ctx_.dialogs->message(this, windowTitle(),
                              tr("\"%1\" is not a destination of the list. Please choose one from the list.")
                                  .arg(typeBox_->currentText()),
                              MsgButtons::Ok, MsgIcon::Warning);
        return;
    }

    FileDialogSetup open;
    open.title = tr("Choose the cartridge or binary file");
    open.filters = {{tr("Cartridge images (*.CRT)"), QStringLiteral("*.CRT")},
                    {tr("Binary data (*.BIN)"), QStringLiteral("*.BIN")},
                    {tr("All files (*.*)"), QStringLiteral("*.*")}};
    const QStringList input = ctx_.dialogs->openFiles(this, open, false);
    if (input.isEmpty())
        return;
    FileDialogSetup save;
    save.title = tr("Save the converted file as");
    save.filters = {{tr("C64 programs (PRG)"), QStringLiteral("*.PRG")},
                    {tr("C64 cartridges (CRT)"), QStringLiteral("*.CRT")},
                    {tr("Binary data (BIN)"), QStringLiteral("*.BIN")},
                    // The design's own spelling, trailing blank included.
                    {tr("All files "), QStringLiteral("*.*")}};
    save.selectedFilter = saveFilter_;
    save.confirmOverwrite = true;
    const QString chosen = ctx_.dialogs->saveFile(this, save);
    if (chosen.isEmpty())
        return;
    // The type name may depend on the tool's answer: wait for it (the window stays live,
    // and the time limit bounds the wait).
    if (typesQuery_) {
        running_ = true;
        updateStartButton();
        QEventLoop loop;
        connect(this, &CartridgeWindow::typesSettled, &loop, &QEventLoop::quit);
        loop.exec();
        running_ = false;
        updateStartButton();
    }
    // The save dialog asked about the name as chosen; when the tool writes it with the suffix
    // added, a file under that name was never confirmed.
    const QString output =
        QString::fromStdString(cartconv::outputPath(chosen.toStdString(), outputSuffix_.toStdString()));
    if (output != chosen && QFileInfo::exists(output) &&
        ctx_.dialogs->message(this, windowTitle(),
                              tr("%1 already exists.\nDo you want to replace it?").arg(output),
                              MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;

    cartconv::Request request;
    request.type = cartconv::typeArgument(destination, knownTypes_);
    request.loadAddress = loadAddressCheck_->isEnabled() && loadAddressCheck_->isChecked();
    request.loadAddressText = loadAddressEdit_->text().toStdString();
    request.cartName = nameCheck_->isEnabled() && nameCheck_->isChecked();
    request.cartNameText = nameEdit_->text().toStdString();
    request.input = input.first().toStdString();
    request.output = chosen.toStdString();
    request.suffix = outputSuffix_.toStdString();
    const QString commandLine = QString::fromStdString(cartconv::buildCommandLine(request));

    runner_->commandLine = commandLine;
    log(commandLine);
    finished_ = false;
    running_ = true;
    updateStartButton();
    if (!runAndWait(*runner_))
        log(tr("The run could not be started."));
    running_ = false;
    updateStartButton();
}

} // namespace vornix
