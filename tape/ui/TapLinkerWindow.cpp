#include "tape/ui/TapLinkerWindow.h"

#include "gui/ProcessRunner.h"
#include "tools/FreshOutput.h"

#include "gui/Dialogs.h"
#include "gui/LocalPath.h"
#include "gui/ToolLocator.h"
#include "tape/LinkList.h"
#include "tape/TapFile.h"
#include "tape/TapJoin.h"
#include "tape/TapPause.h"
#include "tape/Tape64CommandLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QScopeGuard>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>

static void initLinkerResources() { Q_INIT_RESOURCE(linker); }

namespace vornix {

namespace {

const QString kToolName = QStringLiteral("tape64");

FileDialogSetup tapDialogSetup() {
    FileDialogSetup setup;
    setup.filters = {{QStringLiteral("C64 TAPe RAW"), QStringLiteral("*.TAP")},
                     {QStringLiteral("All"), QStringLiteral("*.*")}};
    return setup;
}

// The last line the tool printed, to say more than an exit code when it fails.
QString lastLine(const QByteArray& output) {
    const QList<QByteArray> lines = output.split('\n');
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QByteArray line = it->trimmed();
        if (!line.isEmpty())
            return QString::fromLocal8Bit(line);
    }
    return {};
}

} // namespace

TapLinkerWindow::TapLinkerWindow(const AppContext& context, QWidget* parent) : ToolWindow(context, parent) {
    initLinkerResources();
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("TAP Linker"));
    resize(430, 280);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);

    upButton_ = makeButton(QStringLiteral("SpeedButton2"), QStringLiteral("up"), QStringLiteral("Move up"));
    removeButton_ =
        makeButton(QStringLiteral("SpeedButton4"), QStringLiteral("remove"), QStringLiteral("Remove"));
    addButton_ =
        makeButton(QStringLiteral("SpeedButton1"), QStringLiteral("add"), QStringLiteral("Add TAP files"));
    pauseButton_ =
        makeButton(QStringLiteral("SpeedButton5"), QStringLiteral("pause"), QStringLiteral("Insert a pause"));
    downButton_ =
        makeButton(QStringLiteral("SpeedButton3"), QStringLiteral("down"), QStringLiteral("Move down"));
    joinButton_ =
        makeButton(QStringLiteral("SpeedButton6"), QStringLiteral("join"), QStringLiteral("Join and save"));
    clearButton_ =
        makeButton(QStringLiteral("SpeedButton7"), QStringLiteral("clear"), QStringLiteral("Clear the list"));

    pauseMenu_ = new QMenu(this);
    pauseMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    for (int seconds : vornix::tap::kPauseSeconds) {
        QAction* item = pauseMenu_->addAction(QStringLiteral("%1s").arg(seconds));
        item->setObjectName(QStringLiteral("N%1s1").arg(seconds));
        connect(item, &QAction::triggered, this, [this, seconds] { insertPause(seconds); });
    }
    pauseButton_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pauseButton_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (pauseButton_->isEnabled())
            pauseMenu_->popup(pauseButton_->mapToGlobal(pos));
    });

    connect(addButton_, &QToolButton::clicked, this, &TapLinkerWindow::addFiles);
    connect(upButton_, &QToolButton::clicked, this, &TapLinkerWindow::moveUp);
    connect(downButton_, &QToolButton::clicked, this, &TapLinkerWindow::moveDown);
    connect(removeButton_, &QToolButton::clicked, this, &TapLinkerWindow::removeSelected);
    connect(pauseButton_, &QToolButton::clicked, this, &TapLinkerWindow::showPauseMenu);
    connect(joinButton_, &QToolButton::clicked, this, &TapLinkerWindow::joinAndSave);
    connect(clearButton_, &QToolButton::clicked, this, &TapLinkerWindow::clearList);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setTextVisible(false);
    progress_->setRange(0, 0);
    progress_->hide();

    // What the last join wrote, and where: the save dialog closes without a word.
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);

    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    for (QToolButton* b : {upButton_, removeButton_, addButton_, pauseButton_, downButton_})
        column->addWidget(b);
    column->addSpacing(18);
    column->addWidget(joinButton_);
    column->addWidget(clearButton_);
    column->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(column);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addWidget(progress_);
    outer->addWidget(statusBar_);
}

QToolButton* TapLinkerWindow::makeButton(const QString& name, const QString& icon, const QString& tip) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(QIcon(QStringLiteral(":/linker/icons/%1.svg").arg(icon)));
    b->setIconSize(QSize(24, 24));
    b->setFixedSize(34, 34);
    b->setAutoRaise(true);
    b->setToolTip(tip);
    return b;
}

QPoint TapLinkerWindow::pauseMenuPosition() const { return addButton_->mapToGlobal(QPoint(2, 5)); }

void TapLinkerWindow::checkTool() {
    // Version 1 files need no tool, so the linker stays usable; a file that needs converting
    // is refused when it is joined.
    findToolOrWarn(kToolName, QStringLiteral("Warning"),
                   QStringLiteral("NO %1 IN THE PROGRAM FOLDER OR ON THE PATH! Only version 1 TAP files "
                                  "can be joined. / BRAK PLIKU %2 W KATALOGU PROGRAMU ANI W PATH! Można "
                                  "łączyć tylko pliki TAP w wersji 1.")
                       .arg(toolLookedFor(kToolName), toolLookedFor(kToolName, true)));
}

void TapLinkerWindow::updateButtons() {
    const bool on = !joining_;
    for (QToolButton* b :
         {addButton_, upButton_, downButton_, removeButton_, pauseButton_, joinButton_, clearButton_})
        b->setEnabled(on);
}

void TapLinkerWindow::showError(const QString& text) {
    ctx_.dialogs->message(this, QStringLiteral("Vornix"), text, MsgButtons::Ok, MsgIcon::Error);
}

QStringList TapLinkerWindow::entries() const {
    QStringList list;
    for (int i = 0; i < list_->count(); ++i)
        list << list_->item(i)->text();
    return list;
}

int TapLinkerWindow::selectedIndex() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void TapLinkerWindow::setEntries(const QStringList& list, int selected) {
    if (list != entries()) {
        list_->clear();
        list_->addItems(list);
    }
    if (selected >= 0 && selected < list_->count()) {
        list_->setCurrentRow(selected);
    } else {
        list_->clearSelection();
        list_->setCurrentRow(-1);
    }
}

namespace {

vornix::tap::Entries toEntries(const QStringList& list) {
    vornix::tap::Entries out;
    out.reserve(static_cast<std::size_t>(list.size()));
    for (const QString& s : list)
        out.push_back(toLocalPath(s));
    return out;
}

QStringList fromEntries(const vornix::tap::Entries& list) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(list.size()));
    for (const std::string& s : list)
        out << fromLocalPath(s);
    return out;
}

} // namespace

void TapLinkerWindow::addFiles() {
    FileDialogSetup setup = tapDialogSetup();
    setup.title = QStringLiteral("Add TAP files");
    const QStringList chosen = ctx_.dialogs->openFiles(this, setup, true);
    if (chosen.isEmpty())
        return;
    vornix::tap::Entries added;
    for (const QString& path : chosen) {
        // Only a typed name that names no file gets the extension; a file is taken as it is.
        const std::string local = toLocalPath(path);
        added.push_back(QFileInfo::exists(path) ? local : vornix::tap::withTapExtension(local));
    }
    vornix::tap::Entries list = toEntries(entries());
    const int selected = vornix::tap::insertEntries(list, selectedIndex(), added);
    setEntries(fromEntries(list), selected);
}

void TapLinkerWindow::insertPause(int seconds) {
    if (joining_)
        return;
    vornix::tap::Entries list = toEntries(entries());
    const int selected =
        vornix::tap::insertEntries(list, selectedIndex(), {vornix::tap::pauseEntryText(seconds)});
    setEntries(fromEntries(list), selected);
}

void TapLinkerWindow::moveUp() {
    vornix::tap::Entries list = toEntries(entries());
    const int selected = vornix::tap::moveUp(list, selectedIndex());
    setEntries(fromEntries(list), selected);
}

void TapLinkerWindow::moveDown() {
    vornix::tap::Entries list = toEntries(entries());
    const int selected = vornix::tap::moveDown(list, selectedIndex());
    setEntries(fromEntries(list), selected);
}

void TapLinkerWindow::removeSelected() {
    vornix::tap::Entries list = toEntries(entries());
    const int selected = vornix::tap::removeEntry(list, selectedIndex());
    setEntries(fromEntries(list), selected);
}

void TapLinkerWindow::showPauseMenu() { pauseMenu_->popup(pauseMenuPosition()); }

void TapLinkerWindow::clearList() {
    if (ctx_.dialogs->message(this, QStringLiteral("Confirm"), QStringLiteral("Clear list?"),
                              MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes)
        list_->clear();
}

QString TapLinkerWindow::convertToVersion1(const QString& path) {
    const QString tool = findTool(ctx_.programFolder, kToolName);
    if (tool.isEmpty()) {
        showError(
            QStringLiteral("Cannot convert \"%1\" to a version 1 TAP: tape64 is not in the program folder.")
                .arg(path));
        return {};
    }
    const auto conversion = vornix::tape64::linkerConversion(toLocalPath(path));
    const QString converted = fromLocalPath(vornix::tape64::tapOutputPath(conversion.output));
    // A file left by an earlier run must not pass for this run's result.
    const vornix::FreshOutput result(toLocalPath(converted));

    QStringList arguments;
    for (const std::string& a : vornix::tape64::words(vornix::tape64::versionOneArguments(conversion)))
        arguments << fromLocalPath(a);
    const ToolRun run = runWithTimeLimit(tool, arguments, conversionTimeoutMs_);

    if (run.end == ToolRun::End::FailedToStart) {
        showError(QStringLiteral("Cannot start tape64 to convert \"%1\": %2").arg(path, run.error));
        return {};
    }
    if (run.end == ToolRun::End::TimedOut) {
        showError(QStringLiteral("tape64 did not finish converting \"%1\" within %2; the join was stopped.")
                      .arg(path, conversionTimeoutMs_ % 60000 == 0
                                     ? QStringLiteral("%1 minutes").arg(conversionTimeoutMs_ / 60000)
                                     : QStringLiteral("%1 seconds").arg(conversionTimeoutMs_ / 1000.0)));
        return {};
    }
    if (run.end == ToolRun::End::Abandoned)
        return {}; // the program is quitting: nothing to tell
    const QString said = lastLine(run.output);
    const QString detail = said.isEmpty() ? QString() : QStringLiteral("\n\ntape64: %1").arg(said);
    if (run.end == ToolRun::End::Crashed) {
        showError(QStringLiteral("tape64 crashed while converting \"%1\"; the join was stopped.%2")
                      .arg(path, detail));
        return {};
    }
    // The tool's result is its file: exit codes differ between its versions.
    const bool written = result.written();
    if (written && vornix::tap::isVersion1(toLocalPath(converted))) {
        if (run.exitCode != 0)
            qWarning("tape64 ended with exit code %d after writing %s", run.exitCode, qPrintable(converted));
        return converted;
    }
    if (run.exitCode != 0) {
        showError(
            QStringLiteral("tape64 failed with exit code %1 while converting \"%2\"; the join was stopped.%3")
                .arg(QString::number(run.exitCode), path, detail));
        return {};
    }
    if (written) {
        showError(
            QStringLiteral("tape64 wrote \"%1\" when converting \"%2\", but it is not a version 1 TAP file; "
                           "the join was stopped.%3")
                .arg(converted, path, detail));
        return {};
    }
    showError(QStringLiteral("tape64 did not write \"%1\" when converting \"%2\"; the join was stopped.%3")
                  .arg(converted, path, detail));
    return {};
}

void TapLinkerWindow::joinAndSave() {
    if (joining_)
        return;
    FileDialogSetup setup = tapDialogSetup();
    setup.defaultSuffix = QStringLiteral("TAP");
    setup.confirmOverwrite = true;
    setup.title = QStringLiteral("Save the joined TAP file as");
    const QString output = ctx_.dialogs->saveFile(this, setup);
    if (output.isEmpty())
        return;

    joining_ = true;
    statusBar_->clearMessage();
    updateButtons();
    progress_->setRange(0, 0);
    progress_->setValue(0);
    progress_->show();
    const auto done = qScopeGuard([this] {
        progress_->setValue(0);
        progress_->hide();
        joining_ = false;
        updateButtons();
    });

    const QStringList list = entries();
    vornix::tap::ListItems listed = vornix::tap::itemsFromEntries(toEntries(list));
    if (listed.failure) {
        showError(fromLocalPath(vornix::tap::describe(listed.failure)));
        return;
    }
    std::vector<vornix::tap::JoinItem>& items = listed.items;
    const std::string nativeOutput = toLocalPath(output);
    if (const vornix::tap::JoinFailure problem = vornix::tap::checkJoin(items, nativeOutput)) {
        showError(fromLocalPath(vornix::tap::describe(problem)));
        return;
    }

    // Without the tape tool only version 1 files can be joined: refuse the others by name
    // before anything is converted or written.
    if (findTool(ctx_.programFolder, kToolName).isEmpty()) {
        QStringList needing;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (!items[i].isPause() && !vornix::tap::isVersion1(items[i].path))
                needing << list.at(static_cast<qsizetype>(i));
        if (!needing.isEmpty()) {
            showError(
                QStringLiteral("Not a version 1 TAP file:\n%1\n\nConverting it needs %2, which is not in the "
                               "program folder nor on the PATH. Nothing was joined.")
                    .arg(needing.join(QLatin1Char('\n')), toolLookedFor(kToolName)));
            return;
        }
    }

    // Conversion pass: every file that is not version 1 goes through the tape tool first.
    for (int row = 0; row < static_cast<int>(items.size()); ++row) {
        vornix::tap::JoinItem& item = items[static_cast<std::size_t>(row)];
        if (item.isPause() || vornix::tap::isVersion1(item.path))
            continue;
        const QString converted = convertToVersion1(list.at(row));
        if (converted.isEmpty())
            return;
        item.path = toLocalPath(converted);
        // The list shows the converted file from now on, so later joins use it as it is.
        if (row < list_->count() && list_->item(row)->text() == list.at(row))
            list_->item(row)->setText(converted);
    }

    int shift = 0;
    const vornix::tap::JoinResult result =
        vornix::tap::join(items, nativeOutput, [&](std::uint64_t position, std::uint64_t total) {
            if (position == 0) {
                while ((total >> shift) > static_cast<std::uint64_t>(INT_MAX))
                    ++shift;
                progress_->setRange(0, static_cast<int>(total >> shift));
            }
            progress_->setValue(static_cast<int>(position >> shift));
            QCoreApplication::processEvents();
        });
    if (!result.joined) {
        showError(fromLocalPath(vornix::tap::describe(result.failure)));
        return;
    }
    int files = 0, pauses = 0;
    for (const vornix::tap::JoinItem& item : items)
        ++(item.isPause() ? pauses : files);
    auto counted = [](int n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    statusBar_->showMessage(QStringLiteral("Joined %1 and %2 into %3 (%4 bytes)")
                                .arg(counted(files, "file", "files"), counted(pauses, "pause", "pauses"),
                                     QDir::toNativeSeparators(output),
                                     QString::number(result.dataLength + vornix::tap::kHeaderSize)));
}

} // namespace vornix
