#include "tools/ui/CartridgeWindow.h"

#include "gui/TextTable.h"

#include "gui/Dialogs.h"
#include "gui/LogView.h"
#include "gui/ProcessRunner.h"
#include "gui/ToolLocator.h"
#include "tools/CartconvCommandLine.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace vornix {

namespace cartconv = vornix::cartconv;

namespace {

const char* const acknowledgement = "cartconv comes with the VICE emulator - thanks to the VICE team.";

FileDialogSetup openSetup() {
    FileDialogSetup setup;
    setup.filters = {{QStringLiteral("Cartridge images (*.CRT)"), QStringLiteral("*.CRT")},
                     {QStringLiteral("Binary data (*.BIN)"), QStringLiteral("*.BIN")},
                     {QStringLiteral("All files (*.*)"), QStringLiteral("*.*")}};
    return setup;
}

FileDialogSetup saveSetup(int filter) {
    FileDialogSetup setup;
    setup.filters = {{QStringLiteral("C64 programs (PRG)"), QStringLiteral("*.PRG")},
                     {QStringLiteral("C64 cartridges (CRT)"), QStringLiteral("*.CRT")},
                     {QStringLiteral("Binary data (BIN)"), QStringLiteral("*.BIN")},
                     {QStringLiteral("All files "), QStringLiteral("*.*")}};
    setup.selectedFilter = filter;
    setup.confirmOverwrite = true;
    return setup;
}

const std::vector<vornix::gui::TextRow>& windowTexts() {
    using vornix::gui::TextRole;
    static const std::vector<vornix::gui::TextRow> rows = {
        {"Label1", TextRole::Label, "Docelowo:", "Destination:"},
        {"CheckBox1", TextRole::Button, "Adres ładowania:", "Load address:"},
        {"CheckBox2", TextRole::Button, "Nazwa cartridge:", "Cart name:"},
        {"Button1", TextRole::Button, "Wyczyść", "Clear"},
        {"Button2", TextRole::Button, "Kopiuj", "Copy"},
        {"Button3", TextRole::Button, "Start", "Start"},
        {"Button4", TextRole::Button, "Zamknij", "Close"},
    };
    return rows;
}

} // namespace

CartridgeWindow::CartridgeWindow(const AppContext& context, QWidget* parent) : ToolWindow(context, parent) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Cartconv GUI"));
    resize(560, 400);

    logView_ = new LogView(this);
    logView_->setObjectName(QStringLiteral("Memo1"));
    logView_->setReadOnly(true);

    // Holds the missing-tool message; never shown itself.
    toolMissingLabel_ =
        new QLabel(QStringLiteral("%1 not found! Please download it with VICE emulator and copy to "
                                  "program directory or PATH!")
                       .arg(toolLookedFor(QStringLiteral("cartconv"))),
                   this);
    toolMissingLabel_->setObjectName(QStringLiteral("Label2"));
    toolMissingLabel_->hide();

    destinationLabel_ = new QLabel(this);
    destinationLabel_->setObjectName(QStringLiteral("Label1"));
    typeBox_ = new QComboBox(this);
    typeBox_->setObjectName(QStringLiteral("ComboBox1"));
    typeBox_->setEditable(true);
    typeBox_->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& d : cartconv::destinations())
        typeBox_->addItem(QString::fromLatin1(d.text.data(), static_cast<qsizetype>(d.text.size())));
    typeBox_->setCurrentIndex(cartconv::defaultDestination);
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

    auto* options = new QGridLayout;
    options->addWidget(destinationLabel_, 0, 0);
    options->addWidget(typeBox_, 0, 1, 1, 3);
    options->addWidget(loadAddressCheck_, 1, 0);
    options->addWidget(loadAddressEdit_, 1, 1);
    options->addWidget(nameCheck_, 1, 2);
    options->addWidget(nameEdit_, 1, 3);
    options->setColumnStretch(1, 1);
    options->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    for (auto* b : {clearButton_, copyButton_, startButton_, closeButton_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logView_, 1);
    layout->addLayout(options);
    layout->addLayout(buttons);

    runner_ = createLogRunner(
        this, ctx_.programFolder, [this](QStringView line) { logView_->appendLine(line); }, &finished_);

    connect(clearButton_, &QPushButton::clicked, this, &CartridgeWindow::clearClicked);
    connect(copyButton_, &QPushButton::clicked, this, &CartridgeWindow::copyClicked);
    connect(startButton_, &QPushButton::clicked, this, &CartridgeWindow::startClicked);
    connect(closeButton_, &QPushButton::clicked, this, &CartridgeWindow::closeClicked);
    // Picking from the list and typing both change the destination.
    connect(typeBox_, &QComboBox::currentTextChanged, this, &CartridgeWindow::typeChanged);

    vornix::gui::applyTexts(this, windowTexts(), true);
    outputSuffix_ = QStringLiteral(".PRG");
    logView_->clear();
}

QString CartridgeWindow::text(const char* english, const char* polish) const {
    return QString::fromUtf8(polish_ ? polish : english);
}

void CartridgeWindow::applyPolish() {
    polish_ = true;
    vornix::gui::applyTexts(this, windowTexts(), false);
    toolMissingLabel_->setText(
        QStringLiteral("PROGRAM NIE BĘDZIE DZIAŁAŁ! Ściągnij emulator VICE i przegraj z niego plik "
                       "%1 do katalogu programu lub ścieżki PATH.")
            .arg(toolLookedFor(QStringLiteral("cartconv"), true)));
}

void CartridgeWindow::log(const QString& line) { logView_->appendLine(line); }

void CartridgeWindow::checkTool() {
    const QString tool =
        findToolOrWarn(QStringLiteral("cartconv"), QStringLiteral("Warning"), toolMissingLabel_->text());
    if (!tool.isEmpty()) {
        log(QStringLiteral("CartConv.exe OK"));
        log(QString::fromUtf8(acknowledgement));
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
    return cartconv::findDestination(typeBox_->currentText().toStdString());
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
        ctx_.dialogs->message(
            this, windowTitle(),
            text("\"%1\" is not a destination of the list. Please choose one from the list.",
                 "\"%1\" nie jest pozycją listy. Wybierz typ docelowy z listy.")
                .arg(typeBox_->currentText()),
            MsgButtons::Ok, MsgIcon::Warning);
        return;
    }

    FileDialogSetup open = openSetup();
    open.title = text("Choose the cartridge or binary file", "Wybierz plik cartridge lub dane binarne");
    const QStringList input = ctx_.dialogs->openFiles(this, open, false);
    if (input.isEmpty())
        return;
    FileDialogSetup save = saveSetup(saveFilter_);
    save.title = text("Save the converted file as", "Zapisz przekonwertowany plik jako");
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
        ctx_.dialogs->message(
            this, windowTitle(),
            text("%1 already exists.\nDo you want to replace it?", "%1 już istnieje.\nZastąpić?").arg(output),
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
        log(text("The run could not be started.", "Nie można uruchomić programu."));
    running_ = false;
    updateStartButton();
}

} // namespace vornix
