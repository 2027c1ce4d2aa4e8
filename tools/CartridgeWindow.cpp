#include "tools/CartridgeWindow.h"

#include "app/Dialogs.h"
#include "tools/CartconvCommandLine.h"
#include "tools/DosCommand.h"
#include "tools/LogView.h"
#include "tools/ToolLocator.h"

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

} // namespace

TForm4::TForm4(const AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(context) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Cartconv GUI"));
    resize(560, 400);

    Memo1 = new LogView(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);

    // Holds the missing-tool message; never shown itself.
    Label2 = new QLabel(QStringLiteral("%1 not found! Please download it with VICE emulator and copy to "
                                       "program directory or PATH!")
                            .arg(toolLookedFor(QStringLiteral("cartconv"))),
                        this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();

    Label1 = new QLabel(QStringLiteral("Destination:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& d : cartconv::destinations())
        ComboBox1->addItem(QString::fromLatin1(d.text.data(), static_cast<qsizetype>(d.text.size())));
    ComboBox1->setCurrentIndex(cartconv::defaultDestination);
    Label1->setBuddy(ComboBox1);

    CheckBox1 = new QCheckBox(QStringLiteral("Load address:"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    CheckBox2 = new QCheckBox(QStringLiteral("Cart name:"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    Edit2 = new QLineEdit(QStringLiteral("CARTRIDGE"), this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    CheckBox2->setEnabled(false);
    Edit2->setEnabled(false);

    auto makeButton = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    Button1 = makeButton("Button1", "Clear");
    Button2 = makeButton("Button2", "Copy");
    Button3 = makeButton("Button3", "Start");
    Button4 = makeButton("Button4", "Close");

    auto* options = new QGridLayout;
    options->addWidget(Label1, 0, 0);
    options->addWidget(ComboBox1, 0, 1, 1, 3);
    options->addWidget(CheckBox1, 1, 0);
    options->addWidget(Edit1, 1, 1);
    options->addWidget(CheckBox2, 1, 2);
    options->addWidget(Edit2, 1, 3);
    options->setColumnStretch(1, 1);
    options->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    for (auto* b : {Button1, Button2, Button3, Button4})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1, 1);
    layout->addLayout(options);
    layout->addLayout(buttons);

    DosCommand1 = createLogRunner(
        this, ctx_.programFolder, [this](QStringView line) { Memo1->appendLine(line); }, &finished_);

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm4::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm4::Button4Click);
    // Picking from the list and typing both change the destination.
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TForm4::ComboBox1Change);

    outputSuffix_ = QStringLiteral(".PRG");
    Memo1->clear();
}

QString TForm4::text(const char* english, const char* polish) const {
    return QString::fromUtf8(polish_ ? polish : english);
}

void TForm4::applyPolish() {
    polish_ = true;
    Button1->setText(QStringLiteral("Wyczyść"));
    Button2->setText(QStringLiteral("Kopiuj"));
    Button4->setText(QStringLiteral("Zamknij"));
    Label1->setText(QStringLiteral("Docelowo:"));
    Label2->setText(
        QStringLiteral("PROGRAM NE BĘDZIE DZIAŁAŁ! Ściągnij emulator VICE i przegraj z niego plik "
                       "%1 do katalogu programu lub ścieżki PATH.")
            .arg(toolLookedFor(QStringLiteral("cartconv"), true)));
    CheckBox1->setText(QStringLiteral("Adres ładowania:"));
    CheckBox2->setText(QStringLiteral("Nazwa cartridge:"));
}

void TForm4::log(const QString& line) {
    Memo1->appendLine(line);
}

void TForm4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        checkTool();
}

void TForm4::checkTool() {
    const QString tool = findTool(ctx_.programFolder, QStringLiteral("cartconv"));
    if (!tool.isEmpty()) {
        log(QStringLiteral("CartConv.exe OK"));
        log(QString::fromUtf8(acknowledgement));
        if (!typesAsked_) {
            typesAsked_ = true;
            askToolForTypes(tool);
        }
        return;
    }
    ctx_.dialogs->message(this, QStringLiteral("Warinig"), Label2->text(), MsgButtons::Ok, MsgIcon::Warning);
    toolMissing_ = true;
    for (QWidget* w : std::initializer_list<QWidget*>{Button1, Button2, Button3, ComboBox1, CheckBox1,
                                                      CheckBox2, Edit1, Edit2})
        w->setEnabled(false);
}

void TForm4::askToolForTypes(const QString& toolPath) {
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
    connect(typesTimer_, &QTimer::timeout, this, &TForm4::endTypesQuery);
    typesTimer_->start(typesLimitMs_);
    typesQuery_->start();
}

void TForm4::endTypesQuery() {
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

int TForm4::selectedDestination() const {
    return cartconv::findDestination(ComboBox1->currentText().toStdString());
}

void TForm4::ComboBox1Change() {
    const int destination = selectedDestination();
    if (destination < 0)
        return;
    const auto rules = cartconv::rulesFor(destination);
    outputSuffix_ = QString::fromLatin1(rules.suffix.data(), static_cast<qsizetype>(rules.suffix.size()));
    saveFilter_ = rules.saveFilter;
    if (toolMissing_)
        return;
    CheckBox1->setEnabled(rules.loadAddressUsable);
    Edit1->setEnabled(rules.loadAddressUsable);
    CheckBox2->setEnabled(rules.cartNameUsable);
    Edit2->setEnabled(rules.cartNameUsable);
}

void TForm4::Button1Click() {
    Memo1->clear();
}

void TForm4::Button2Click() {
    // Plain text only; with nothing selected the clipboard is left alone.
    const QString selected = Memo1->selectedText();
    if (selected.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(selected);
}

void TForm4::Button4Click() {
    close();
}

void TForm4::updateStartButton() {
    Button3->setEnabled(!toolMissing_ && !running_);
}

void TForm4::Button3Click() {
    if (running_ || toolMissing_)
        return;
    if (Edit1->text().isEmpty())
        CheckBox1->setChecked(false);
    if (Edit2->text().isEmpty())
        CheckBox2->setChecked(false);

    const int destination = selectedDestination();
    if (destination < 0) {
        ctx_.dialogs->message(
            this, windowTitle(),
            text("\"%1\" is not a destination of the list. Please choose one from the list.",
                 "\"%1\" nie jest pozycją listy. Wybierz typ docelowy z listy.")
                .arg(ComboBox1->currentText()),
            MsgButtons::Ok, MsgIcon::Warning);
        return;
    }

    const QStringList input = ctx_.dialogs->openFiles(this, openSetup(), false);
    if (input.isEmpty())
        return;
    const QString chosen = ctx_.dialogs->saveFile(this, saveSetup(saveFilter_));
    if (chosen.isEmpty())
        return;
    // The type name may depend on the tool's answer: wait for it (the window stays live,
    // and the time limit bounds the wait).
    if (typesQuery_) {
        running_ = true;
        updateStartButton();
        QEventLoop loop;
        connect(this, &TForm4::typesSettled, &loop, &QEventLoop::quit);
        loop.exec();
        running_ = false;
        updateStartButton();
    }
    // The save dialog asked about the name as chosen; the tool writes it with the suffix,
    // so a file under that name was never confirmed.
    const QString output = chosen + outputSuffix_;
    if (QFileInfo::exists(output) &&
        ctx_.dialogs->message(
            this, windowTitle(),
            text("%1 already exists.\nDo you want to replace it?", "%1 już istnieje.\nZastąpić?").arg(output),
            MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;

    cartconv::Request request;
    request.type = cartconv::typeArgument(destination, knownTypes_);
    request.loadAddress = CheckBox1->isEnabled() && CheckBox1->isChecked();
    request.loadAddressText = Edit1->text().toStdString();
    request.cartName = CheckBox2->isEnabled() && CheckBox2->isChecked();
    request.cartNameText = Edit2->text().toStdString();
    request.input = input.first().toStdString();
    request.output = chosen.toStdString();
    request.suffix = outputSuffix_.toStdString();
    const QString commandLine = QString::fromStdString(cartconv::buildCommandLine(request));

    DosCommand1->CommandLine = commandLine;
    log(commandLine);
    finished_ = false;
    running_ = true;
    updateStartButton();
    if (!runAndWait(*DosCommand1))
        log(text("The run could not be started.", "Nie można uruchomić programu."));
    running_ = false;
    updateStartButton();
}
