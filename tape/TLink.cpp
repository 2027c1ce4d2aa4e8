#include "tape/TLink.h"

#include "app/Dialogs.h"
#include "app/LocalPath.h"
#include "tape/LinkList.h"
#include "tape/TapFile.h"
#include "tape/TapJoin.h"
#include "tape/TapPause.h"
#include "tools/ToolLocator.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QScopeGuard>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>

static void initLinkerResources() {
    Q_INIT_RESOURCE(linker);
}

namespace {

const QString kToolName = QStringLiteral("tape64");

FileDialogSetup tapDialogSetup() {
    FileDialogSetup setup;
    setup.filters = {{QStringLiteral("C64 TAPe RAW"), QStringLiteral("*.TAP")},
                     {QStringLiteral("All"), QStringLiteral("*.*")}};
    return setup;
}

// Whether path holds a version 1 TAP file: a whole header with the signature and version 1.
bool isValidVersion1Tap(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(static_cast<qint64>(tap::kHeaderSize));
    return header.size() == static_cast<qsizetype>(tap::kHeaderSize) &&
           header.startsWith(QByteArray(tap::kSignature)) && header.at(tap::kVersionOffset) == 1;
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

TForm6::TForm6(const AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(context) {
    initLinkerResources();
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("TAP Linker"));
    resize(430, 280);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    SpeedButton2 =
        makeButton(QStringLiteral("SpeedButton2"), QStringLiteral("up"), QStringLiteral("Move up"));
    SpeedButton4 =
        makeButton(QStringLiteral("SpeedButton4"), QStringLiteral("remove"), QStringLiteral("Remove"));
    SpeedButton1 =
        makeButton(QStringLiteral("SpeedButton1"), QStringLiteral("add"), QStringLiteral("Add TAP files"));
    SpeedButton5 =
        makeButton(QStringLiteral("SpeedButton5"), QStringLiteral("pause"), QStringLiteral("Insert a pause"));
    SpeedButton3 =
        makeButton(QStringLiteral("SpeedButton3"), QStringLiteral("down"), QStringLiteral("Move down"));
    SpeedButton6 =
        makeButton(QStringLiteral("SpeedButton6"), QStringLiteral("join"), QStringLiteral("Join and save"));
    SpeedButton7 =
        makeButton(QStringLiteral("SpeedButton7"), QStringLiteral("clear"), QStringLiteral("Clear the list"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    for (int seconds : tap::kPauseSeconds) {
        QAction* item = PopupMenu1->addAction(QStringLiteral("%1s").arg(seconds));
        item->setObjectName(QStringLiteral("N%1s1").arg(seconds));
        connect(item, &QAction::triggered, this, [this, seconds] { insertPause(seconds); });
    }
    SpeedButton5->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SpeedButton5, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (SpeedButton5->isEnabled())
            PopupMenu1->popup(SpeedButton5->mapToGlobal(pos));
    });

    connect(SpeedButton1, &QToolButton::clicked, this, &TForm6::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm6::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm6::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm6::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm6::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm6::SpeedButton6Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm6::SpeedButton7Click);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 0);
    ProgressBar1->hide();

    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    for (QToolButton* b : {SpeedButton2, SpeedButton4, SpeedButton1, SpeedButton5, SpeedButton3})
        column->addWidget(b);
    column->addSpacing(18);
    column->addWidget(SpeedButton6);
    column->addWidget(SpeedButton7);
    column->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(ListBox1, 1);
    top->addLayout(column);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addWidget(ProgressBar1);
}

QToolButton* TForm6::makeButton(const QString& name, const QString& icon, const QString& tip) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(QIcon(QStringLiteral(":/linker/icons/%1.svg").arg(icon)));
    b->setIconSize(QSize(24, 24));
    b->setFixedSize(34, 34);
    b->setAutoRaise(true);
    b->setToolTip(tip);
    return b;
}

QPoint TForm6::pauseMenuPosition() const {
    return SpeedButton1->mapToGlobal(QPoint(2, 5));
}

void TForm6::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // restored from the task bar, not shown by the program
    // Version 1 files need no tool, so the linker stays usable; a file that needs converting
    // is refused when it is joined.
    if (findTool(ctx_.programFolder, kToolName).isEmpty())
        ctx_.dialogs->message(
            this, QStringLiteral("Warning"),
            QStringLiteral("NO %1 IN THE PROGRAM FOLDER OR ON THE PATH! Only version 1 TAP files "
                           "can be joined. / BRAK PLIKU %2 W KATALOGU PROGRAMU ANI W PATH! Można "
                           "łączyć tylko pliki TAP w wersji 1.")
                .arg(toolLookedFor(kToolName), toolLookedFor(kToolName, true)),
            MsgButtons::Ok, MsgIcon::Warning);
}

void TForm6::updateButtons() {
    const bool on = !joining_;
    for (QToolButton* b :
         {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton7})
        b->setEnabled(on);
}

void TForm6::showError(const QString& text) {
    ctx_.dialogs->message(this, QStringLiteral("Vornix"), text, MsgButtons::Ok, MsgIcon::Error);
}

QStringList TForm6::entries() const {
    QStringList list;
    for (int i = 0; i < ListBox1->count(); ++i)
        list << ListBox1->item(i)->text();
    return list;
}

int TForm6::selectedIndex() const {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

void TForm6::setEntries(const QStringList& list, int selected) {
    if (list != entries()) {
        ListBox1->clear();
        ListBox1->addItems(list);
    }
    if (selected >= 0 && selected < ListBox1->count()) {
        ListBox1->setCurrentRow(selected);
    } else {
        ListBox1->clearSelection();
        ListBox1->setCurrentRow(-1);
    }
}

namespace {

tap::Entries toEntries(const QStringList& list) {
    tap::Entries out;
    out.reserve(static_cast<std::size_t>(list.size()));
    for (const QString& s : list)
        out.push_back(toLocalPath(s));
    return out;
}

QStringList fromEntries(const tap::Entries& list) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(list.size()));
    for (const std::string& s : list)
        out << fromLocalPath(s);
    return out;
}

} // namespace

void TForm6::SpeedButton1Click() {
    FileDialogSetup setup = tapDialogSetup();
    const QStringList chosen = ctx_.dialogs->openFiles(this, setup, true);
    if (chosen.isEmpty())
        return;
    tap::Entries added;
    for (const QString& path : chosen) {
        // Only a typed name that names no file gets the extension; a file is taken as it is.
        const std::string local = toLocalPath(path);
        added.push_back(QFileInfo::exists(path) ? local : tap::withTapExtension(local));
    }
    tap::Entries list = toEntries(entries());
    const int selected = tap::insertEntries(list, selectedIndex(), added);
    setEntries(fromEntries(list), selected);
}

void TForm6::insertPause(int seconds) {
    if (joining_)
        return;
    tap::Entries list = toEntries(entries());
    const int selected = tap::insertEntries(list, selectedIndex(), {tap::pauseEntryText(seconds)});
    setEntries(fromEntries(list), selected);
}

void TForm6::SpeedButton2Click() {
    tap::Entries list = toEntries(entries());
    const int selected = tap::moveUp(list, selectedIndex());
    setEntries(fromEntries(list), selected);
}

void TForm6::SpeedButton3Click() {
    tap::Entries list = toEntries(entries());
    const int selected = tap::moveDown(list, selectedIndex());
    setEntries(fromEntries(list), selected);
}

void TForm6::SpeedButton4Click() {
    tap::Entries list = toEntries(entries());
    const int selected = tap::removeEntry(list, selectedIndex());
    setEntries(fromEntries(list), selected);
}

void TForm6::SpeedButton5Click() {
    PopupMenu1->popup(pauseMenuPosition());
}

void TForm6::SpeedButton7Click() {
    if (ctx_.dialogs->message(this, QStringLiteral("Confirm"), QStringLiteral("Clear list?"),
                              MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes)
        ListBox1->clear();
}

QString TForm6::convertToVersion1(const QString& path) {
    const QString tool = findTool(ctx_.programFolder, kToolName);
    if (tool.isEmpty()) {
        showError(
            QStringLiteral("Cannot convert \"%1\" to a version 1 TAP: tape64 is not in the program folder.")
                .arg(path));
        return {};
    }
    const QString converted = fromLocalPath(tap::convertedPath(toLocalPath(path)));
    // A file left by an earlier run must not pass for this run's result.
    const QFileInfo before(converted);
    const bool existedBefore = before.exists();
    const QDateTime modifiedBefore = before.lastModified();
    const qint64 sizeBefore = before.size();

    QProcess process;
    // Nothing to read: a tool that asks a question gets its answer (none) at once.
    process.setStandardInputFile(QProcess::nullDevice());
    QStringList arguments;
    for (const std::string& a : tap::conversionArguments(toLocalPath(path)))
        arguments << fromLocalPath(a);
    process.setProgram(tool);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::MergedChannels);

    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    bool ended = false;
    bool failedToStart = false;
    bool timedOut = false;
    connect(&process, &QProcess::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    process.start();
    if (!failedToStart && process.state() != QProcess::NotRunning) {
        limit.start(conversionTimeoutMs_);
        loop.exec();
    } else if (!failedToStart) {
        ended = true; // finished before we got to wait
    }

    if (failedToStart) {
        showError(
            QStringLiteral("Cannot start tape64 to convert \"%1\": %2").arg(path, process.errorString()));
        return {};
    }
    if (!ended) {
        process.kill();
        process.waitForFinished(3000);
        if (timedOut)
            showError(
                QStringLiteral("tape64 did not finish converting \"%1\" within %2; the join was stopped.")
                    .arg(path, conversionTimeoutMs_ % 60000 == 0
                                   ? QStringLiteral("%1 minutes").arg(conversionTimeoutMs_ / 60000)
                                   : QStringLiteral("%1 seconds").arg(conversionTimeoutMs_ / 1000.0)));
        return {}; // otherwise the program is quitting: nothing to tell
    }
    const QString said = lastLine(process.readAll());
    const QString detail = said.isEmpty() ? QString() : QStringLiteral("\n\ntape64: %1").arg(said);
    if (process.exitStatus() != QProcess::NormalExit) {
        showError(QStringLiteral("tape64 crashed while converting \"%1\"; the join was stopped.%2")
                      .arg(path, detail));
        return {};
    }
    // The tool's result is its file: exit codes differ between its versions.
    const QFileInfo after(converted);
    const bool written = after.exists() && (!existedBefore || after.lastModified() != modifiedBefore ||
                                            after.size() != sizeBefore);
    if (written && isValidVersion1Tap(converted)) {
        if (process.exitCode() != 0)
            qWarning("tape64 ended with exit code %d after writing %s", process.exitCode(),
                     qPrintable(converted));
        return converted;
    }
    if (process.exitCode() != 0) {
        showError(
            QStringLiteral("tape64 failed with exit code %1 while converting \"%2\"; the join was stopped.%3")
                .arg(QString::number(process.exitCode()), path, detail));
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

void TForm6::SpeedButton6Click() {
    if (joining_)
        return;
    FileDialogSetup setup = tapDialogSetup();
    setup.defaultSuffix = QStringLiteral("TAP");
    setup.confirmOverwrite = true;
    const QString output = ctx_.dialogs->saveFile(this, setup);
    if (output.isEmpty())
        return;

    joining_ = true;
    updateButtons();
    ProgressBar1->setRange(0, 0);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    const auto done = qScopeGuard([this] {
        ProgressBar1->setValue(0);
        ProgressBar1->hide();
        joining_ = false;
        updateButtons();
    });

    const QStringList list = entries();
    std::vector<tap::JoinItem> items;
    std::string error;
    if (!tap::itemsFromEntries(toEntries(list), items, error)) {
        showError(fromLocalPath(error));
        return;
    }
    const std::string nativeOutput = toLocalPath(output);
    error = tap::checkJoin(items, nativeOutput);
    if (!error.empty()) {
        showError(fromLocalPath(error));
        return;
    }

    // Without the tape tool only version 1 files can be joined: refuse the others by name
    // before anything is converted or written.
    if (findTool(ctx_.programFolder, kToolName).isEmpty()) {
        QStringList needing;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (!items[i].isPause() && !tap::isVersion1(items[i].path))
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
        tap::JoinItem& item = items[static_cast<std::size_t>(row)];
        if (item.isPause() || tap::isVersion1(item.path))
            continue;
        const QString converted = convertToVersion1(list.at(row));
        if (converted.isEmpty())
            return;
        item.path = toLocalPath(converted);
        // The list shows the converted file from now on, so later joins use it as it is.
        if (row < ListBox1->count() && ListBox1->item(row)->text() == list.at(row))
            ListBox1->item(row)->setText(converted);
    }

    int shift = 0;
    const tap::JoinResult result =
        tap::join(items, nativeOutput, [&](std::uint64_t position, std::uint64_t total) {
            if (position == 0) {
                while ((total >> shift) > static_cast<std::uint64_t>(INT_MAX))
                    ++shift;
                ProgressBar1->setRange(0, static_cast<int>(total >> shift));
            }
            ProgressBar1->setValue(static_cast<int>(position >> shift));
            QCoreApplication::processEvents();
        });
    if (!result.ok)
        showError(fromLocalPath(result.error));
}
