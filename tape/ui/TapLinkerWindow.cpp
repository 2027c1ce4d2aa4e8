#include "tape/ui/TapLinkerWindow.h"

#include "gui/Dialogs.h"
#include "gui/FixedTexts.h"
#include "gui/LocalPath.h"
#include "gui/ProcessRunner.h"
#include "gui/ToolLocator.h"
#include "tape/LinkList.h"
#include "tape/TapFile.h"
#include "tape/TapPause.h"
#include "tape/Tape64CommandLine.h"
#include "tools/FreshOutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QLocale>
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
// What QStatusBar leaves free around a message, with a little to spare.
constexpr int kStatusMessageMargins = 24;

// The list entry behind an item: its path, or the pause's text in the form the link list
// reads, whatever language the item shows.
constexpr int kEntryRole = Qt::UserRole;

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
    resize(430, 280);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    buildButtons();
    buildPauseMenu();

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setTextVisible(false);
    progress_->setRange(0, 0);
    progress_->hide();

    // What the last join wrote, and where: the save dialog closes without a word.
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);

    buildLayout();
    setLanguage(gui::Language::English);
}

void TapLinkerWindow::buildButtons() {
    upButton_ = makeButton(QStringLiteral("SpeedButton2"), QStringLiteral("up"));
    removeButton_ = makeButton(QStringLiteral("SpeedButton4"), QStringLiteral("remove"));
    addButton_ = makeButton(QStringLiteral("SpeedButton1"), QStringLiteral("add"));
    pauseButton_ = makeButton(QStringLiteral("SpeedButton5"), QStringLiteral("pause"));
    downButton_ = makeButton(QStringLiteral("SpeedButton3"), QStringLiteral("down"));
    joinButton_ = makeButton(QStringLiteral("SpeedButton6"), QStringLiteral("join"));
    clearButton_ = makeButton(QStringLiteral("SpeedButton7"), QStringLiteral("clear"));

    connect(addButton_, &QToolButton::clicked, this, &TapLinkerWindow::addFiles);
    connect(upButton_, &QToolButton::clicked, this, &TapLinkerWindow::moveUp);
    connect(downButton_, &QToolButton::clicked, this, &TapLinkerWindow::moveDown);
    connect(removeButton_, &QToolButton::clicked, this, &TapLinkerWindow::removeSelected);
    connect(pauseButton_, &QToolButton::clicked, this, &TapLinkerWindow::showPauseMenu);
    connect(joinButton_, &QToolButton::clicked, this, &TapLinkerWindow::joinAndSave);
    connect(clearButton_, &QToolButton::clicked, this, &TapLinkerWindow::clearList);
}

void TapLinkerWindow::buildPauseMenu() {
    pauseMenu_ = new QMenu(this);
    pauseMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    for (int seconds : vornix::tap::kPauseSeconds) {
        QAction* item = pauseMenu_->addAction(QString());
        item->setObjectName(QStringLiteral("N%1s1").arg(seconds));
        connect(item, &QAction::triggered, this, [this, seconds] { insertPause(seconds); });
    }
    pauseButton_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pauseButton_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (pauseButton_->isEnabled())
            pauseMenu_->popup(pauseButton_->mapToGlobal(pos));
    });
}

void TapLinkerWindow::buildLayout() {
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

QToolButton* TapLinkerWindow::makeButton(const QString& name, const QString& icon) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(QIcon(QStringLiteral(":/linker/icons/%1.svg").arg(icon)));
    b->setIconSize(QSize(24, 24));
    b->setFixedSize(34, 34);
    b->setAutoRaise(true);
    return b;
}

void TapLinkerWindow::setLanguage(gui::Language language) {
    language_ = language;
    gui::setContextLanguage(staticMetaObject.className(), language);
    retranslate();
}

void TapLinkerWindow::retranslate() {
    setWindowTitle(tr("TAP Linker"));
    upButton_->setToolTip(tr("Move up"));
    removeButton_->setToolTip(tr("Remove"));
    addButton_->setToolTip(tr("Add TAP files"));
    pauseButton_->setToolTip(tr("Insert a pause"));
    downButton_->setToolTip(tr("Move down"));
    joinButton_->setToolTip(tr("Join and save"));
    clearButton_->setToolTip(tr("Clear the list"));
    const QList<QAction*> pauses = pauseMenu_->actions();
    for (std::size_t i = 0; i < vornix::tap::kPauseSeconds.size(); ++i)
        pauses.at(static_cast<qsizetype>(i))->setText(tr("%1s").arg(vornix::tap::kPauseSeconds[i]));
    for (int row = 0; row < list_->count(); ++row)
        list_->item(row)->setText(entryText(list_->item(row)->data(kEntryRole).toByteArray().toStdString()));
}

QString TapLinkerWindow::entryText(const std::string& entry) const {
    if (const auto seconds = vornix::tap::pauseSecondsOf(entry))
        return tr(":%1s break").arg(*seconds, 3);
    return fromLocalPath(entry);
}

void TapLinkerWindow::setEntry(QListWidgetItem* item, const std::string& entry) {
    item->setData(kEntryRole, QByteArray::fromStdString(entry));
    item->setText(entryText(entry));
}

QPoint TapLinkerWindow::pauseMenuPosition() const { return addButton_->mapToGlobal(QPoint(2, 5)); }

void TapLinkerWindow::checkTool() {
    // Version 1 files need no tool, so the linker stays usable; a file that needs converting
    // is refused when it is joined. The message carries both languages, as the design has it.
    findToolOrWarn(kToolName, QString::fromUtf8(fixedtexts::kLinkerToolMissing)
                                  .arg(toolName(kToolName, gui::Language::English),
                                       toolName(kToolName, gui::Language::Polish)));
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

vornix::tap::Entries TapLinkerWindow::entries() const {
    vornix::tap::Entries list;
    for (int i = 0; i < list_->count(); ++i)
        list.push_back(list_->item(i)->data(kEntryRole).toByteArray().toStdString());
    return list;
}

int TapLinkerWindow::selectedIndex() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void TapLinkerWindow::setEntries(const vornix::tap::Entries& list, int selected) {
    if (list != entries()) {
        list_->clear();
        for (const std::string& entry : list)
            setEntry(new QListWidgetItem(list_), entry);
    }
    if (selected >= 0 && selected < list_->count()) {
        list_->setCurrentRow(selected);
    } else {
        list_->clearSelection();
        list_->setCurrentRow(-1);
    }
}

void TapLinkerWindow::addFiles() {
    FileDialogSetup setup;
    setup.filters = {{tr("C64 TAPe RAW"), QStringLiteral("*.TAP")}, {tr("All"), QStringLiteral("*.*")}};
    setup.title = tr("Add TAP files");
    const QStringList chosen = ctx_.dialogs->openFiles(this, setup, true);
    if (chosen.isEmpty())
        return;
    vornix::tap::Entries added;
    for (const QString& path : chosen) {
        // Only a typed name that names no file gets the extension; a file is taken as it is.
        const std::string local = toLocalPath(path);
        added.push_back(QFileInfo::exists(path) ? local : vornix::tap::withTapExtension(local));
    }
    vornix::tap::Entries list = entries();
    const int selected = vornix::tap::insertEntries(list, selectedIndex(), added);
    setEntries(list, selected);
}

void TapLinkerWindow::insertPause(int seconds) {
    if (joining_)
        return;
    vornix::tap::Entries list = entries();
    const int selected =
        vornix::tap::insertEntries(list, selectedIndex(), {vornix::tap::pauseEntryText(seconds)});
    setEntries(list, selected);
}

void TapLinkerWindow::moveUp() {
    vornix::tap::Entries list = entries();
    const int selected = vornix::tap::moveUp(list, selectedIndex());
    setEntries(list, selected);
}

void TapLinkerWindow::moveDown() {
    vornix::tap::Entries list = entries();
    const int selected = vornix::tap::moveDown(list, selectedIndex());
    setEntries(list, selected);
}

void TapLinkerWindow::removeSelected() {
    vornix::tap::Entries list = entries();
    const int selected = vornix::tap::removeEntry(list, selectedIndex());
    setEntries(list, selected);
}

void TapLinkerWindow::showPauseMenu() { pauseMenu_->popup(pauseMenuPosition()); }

void TapLinkerWindow::clearList() {
    if (ctx_.dialogs->message(this, tr("Confirm"), tr("Clear list?"), MsgButtons::YesNo, MsgIcon::Question) ==
        MsgAnswer::Yes)
        list_->clear();
}

QString TapLinkerWindow::joinFailureText(const vornix::tap::JoinFailure& f) const {
    using vornix::tap::JoinProblem;
    const QString path = fromLocalPath(f.path);
    switch (f.problem) {
    case JoinProblem::None: return {};
    case JoinProblem::UnknownPause: return tr("\"%1\" is not one of the pauses on offer.").arg(path);
    case JoinProblem::PauseNotOffered: return tr("A pause of %1 seconds is not on offer.").arg(f.seconds);
    case JoinProblem::Missing: return tr("The file \"%1\" does not exist.").arg(path);
    case JoinProblem::Folder: return tr("\"%1\" is a folder, not a TAP file.").arg(path);
    case JoinProblem::Unreadable:
        return tr("Cannot read \"%1\": %2.").arg(path, QString::fromStdString(f.failure.reason()));
    case JoinProblem::TooShort:
        return tr("\"%1\" is too short for a TAP file (%2 bytes; the header alone takes 20).")
            .arg(path)
            .arg(f.bytes);
    case JoinProblem::OutputIsInput:
        return tr("The output \"%1\" is also an input of the list; choose another name.").arg(path);
    case JoinProblem::TooLong:
        return tr("The joined data would take %1 bytes; a TAP file holds at most %2.")
            .arg(f.bytes)
            .arg(vornix::tap::kMaxDataLength);
    case JoinProblem::InputShrank: return tr("\"%1\" became shorter while it was being joined.").arg(path);
    case JoinProblem::Unwritable:
        return tr("Cannot write the joined TAP, %1: %2.")
            .arg(path, QString::fromStdString(f.failure.reason()));
    }
    return {};
}

QString TapLinkerWindow::convertToVersion1(const QString& path) {
    const QString tool = findTool(ctx_.programFolder, kToolName);
    if (tool.isEmpty()) {
        showError(
            tr("Cannot convert \"%1\" to a version 1 TAP: tape64 is not in the program folder.").arg(path));
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
        showError(tr("Cannot start tape64 to convert \"%1\": %2").arg(path, run.error));
        return {};
    }
    if (run.end == ToolRun::End::TimedOut) {
        const QString limit = conversionTimeoutMs_ % 60000 == 0
                                  ? tr("%n minute(s)", nullptr, conversionTimeoutMs_ / 60000)
                                  : tr("%1 seconds").arg(QLocale().toString(conversionTimeoutMs_ / 1000.0));
        showError(
            tr("tape64 did not finish converting \"%1\" within %2; the join was stopped.").arg(path, limit));
        return {};
    }
    if (run.end == ToolRun::End::Abandoned)
        return {}; // the program is quitting: nothing to tell
    const QString said = lastLine(run.output);
    const QString detail = said.isEmpty() ? QString() : QStringLiteral("\n\ntape64: %1").arg(said);
    if (run.end == ToolRun::End::Crashed) {
        showError(tr("tape64 crashed while converting \"%1\"; the join was stopped.%2").arg(path, detail));
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
        showError(tr("tape64 failed with exit code %1 while converting \"%2\"; the join was stopped.%3")
                      .arg(QString::number(run.exitCode), path, detail));
        return {};
    }
    if (written) {
        showError(tr("tape64 wrote \"%1\" when converting \"%2\", but it is not a version 1 TAP file; the "
                     "join was stopped.%3")
                      .arg(converted, path, detail));
        return {};
    }
    showError(tr("tape64 did not write \"%1\" when converting \"%2\"; the join was stopped.%3")
                  .arg(converted, path, detail));
    return {};
}

std::optional<std::vector<vornix::tap::JoinItem>> TapLinkerWindow::checkedItems(const std::string& output) {
    vornix::tap::ListItems listed = vornix::tap::itemsFromEntries(entries());
    if (listed.failure) {
        showError(joinFailureText(listed.failure));
        return std::nullopt;
    }
    if (const vornix::tap::JoinFailure problem = vornix::tap::checkJoin(listed.items, output)) {
        showError(joinFailureText(problem));
        return std::nullopt;
    }
    // Without the tape tool only version 1 files can be joined: refuse the others by name
    // before anything is converted or written.
    if (findTool(ctx_.programFolder, kToolName).isEmpty()) {
        QStringList needing;
        for (const vornix::tap::JoinItem& item : listed.items)
            if (!item.isPause() && !vornix::tap::isVersion1(item.path))
                needing << fromLocalPath(item.path);
        if (!needing.isEmpty()) {
            showError(
                tr("Not a version 1 TAP file:\n%1\n\nConverting it needs %2, which is not in the program "
                   "folder nor on the PATH. Nothing was joined.")
                    .arg(needing.join(QLatin1Char('\n')), toolName(kToolName)));
            return std::nullopt;
        }
    }
    return std::move(listed.items);
}

bool TapLinkerWindow::convertItems(std::vector<vornix::tap::JoinItem>& items, const QStringList& shown) {
    for (int row = 0; row < static_cast<int>(items.size()); ++row) {
        vornix::tap::JoinItem& item = items[static_cast<std::size_t>(row)];
        if (item.isPause() || vornix::tap::isVersion1(item.path))
            continue;
        const QString converted = convertToVersion1(fromLocalPath(item.path));
        if (converted.isEmpty())
            return false;
        item.path = toLocalPath(converted);
        // The list shows the converted file from now on, so later joins use it as it is.
        if (row < list_->count() && list_->item(row)->text() == shown.at(row))
            setEntry(list_->item(row), item.path);
    }
    return true;
}

void TapLinkerWindow::joinAndSave() {
    if (joining_)
        return;
    FileDialogSetup setup;
    setup.filters = {{tr("C64 TAPe RAW"), QStringLiteral("*.TAP")}, {tr("All"), QStringLiteral("*.*")}};
    setup.defaultSuffix = QStringLiteral("TAP");
    setup.confirmOverwrite = true;
    setup.title = tr("Save the joined TAP file as");
    const QString output = ctx_.dialogs->saveFile(this, setup);
    if (output.isEmpty())
        return;

    joining_ = true;
    statusBar_->clearMessage();
    statusBar_->setToolTip(QString());
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

    QStringList shown;
    for (int row = 0; row < list_->count(); ++row)
        shown << list_->item(row)->text();
    const std::string nativeOutput = toLocalPath(output);
    auto items = checkedItems(nativeOutput);
    if (!items || !convertItems(*items, shown))
        return;

    int shift = 0;
    const vornix::tap::JoinResult result =
        vornix::tap::join(*items, nativeOutput, [&](std::uint64_t position, std::uint64_t total) {
            if (position == 0) {
                while ((total >> shift) > static_cast<std::uint64_t>(INT_MAX))
                    ++shift;
                progress_->setRange(0, static_cast<int>(total >> shift));
            }
            progress_->setValue(static_cast<int>(position >> shift));
            QCoreApplication::processEvents();
        });
    if (!result.joined) {
        showError(joinFailureText(result.failure));
        return;
    }
    showJoined(*items, output, result.dataLength);
}

void TapLinkerWindow::showJoined(const std::vector<vornix::tap::JoinItem>& items, const QString& output,
                                 std::uint64_t dataLength) {
    int files = 0, pauses = 0;
    for (const vornix::tap::JoinItem& item : items)
        ++(item.isPause() ? pauses : files);
    const auto line = [&](const QString& path) {
        return tr("Joined %1 and %2 into %3 (%4 bytes)")
            .arg(tr("%n file(s)", nullptr, files), tr("%n pause(s)", nullptr, pauses), path,
                 QString::number(dataLength + vornix::tap::kHeaderSize));
    };
    // A long path gives way in its middle, so that the line still ends with what was written
    // at the window's first size; the whole line is the status bar's tooltip.
    const QString path = QDir::toNativeSeparators(output);
    const QFontMetrics metrics = statusBar_->fontMetrics();
    const int room = statusBar_->width() - kStatusMessageMargins - metrics.horizontalAdvance(line(QString()));
    statusBar_->setToolTip(line(path));
    statusBar_->showMessage(line(metrics.elidedText(path, Qt::ElideMiddle, room)));
}

} // namespace vornix
