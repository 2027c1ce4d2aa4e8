#include "tape/ui/TapLinkerWindow.h"
#include "gui/AppContext.h"
#include "gui/QtDialogs.h"
#include "tests/support/GuiTestHelpers.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TapeWindowControls.h"
#include "tests/support/ToolWindowFixture.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace vornix;
namespace tl = vornix::test::controls::taplinker;

namespace {

const QStringList kButtonColumn = {tl::kMoveUpButton,   tl::kRemoveButton, tl::kAddButton,  tl::kPauseButton,
                                   tl::kMoveDownButton, tl::kJoinButton,   tl::kClearButton};

QByteArray tapFile(const QByteArray& data, char version = 1) {
    QByteArray b("C64-TAPE-RAW");
    b.append(version);
    b.append("\x11\x22\x33\x09\x00\x00\x00", 7);
    return b + data;
}

QByteArray joined(const QByteArray& data) {
    QByteArray b("C64-TAPE-RAW\x01\x00\x00\x00", 16);
    const quint32 n = static_cast<quint32>(data.size());
    for (int i = 0; i < 4; ++i)
        b.append(static_cast<char>(n >> (8 * i)));
    return b + data;
}

// The fake tool's escaped text for bytes.
QString escaped(const QByteArray& bytes) {
    QString s;
    for (char c : bytes)
        s += QStringLiteral("\\x%1").arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0'));
    return s;
}

// One linker window with its own program folder (holding a fake tape tool unless told not to),
// its scripted dialogs and a folder for the user's files.
struct Linker : ToolWindowFixture<TapLinkerWindow> {
    QTemporaryDir files;

    explicit Linker(bool withTool = true, const QString& toolScript = {}) {
        create(QStringLiteral("tape64"), withTool ? toolScript.toUtf8().constData() : nullptr);
    }
    QString file(const QString& name) const { return files.filePath(name); }
    QListWidget* list() const { return get<QListWidget>(tl::kList); }
    QToolButton* button(const QString& name) const { return get<QToolButton>(name); }
    void click(const QString& name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    int selected() const {
        const auto items = list()->selectedItems();
        return items.isEmpty() ? -1 : list()->row(items.first());
    }
    void select(int row) const { list()->setCurrentRow(row); }
    void add(const QStringList& paths) {
        dialogs.answerOpen(paths);
        click(tl::kAddButton);
    }
    void pause(const QString& item) { QVERIFY(triggerAction(window.get(), item)); }
    QStringList toolRuns() const {
        const QStringList lines = QString::fromLocal8Bit(readFile(folder.file(QStringLiteral("tape64.log"))))
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return lines.filter(QStringLiteral("RUN"));
    }
    // Clicks the join button, answering the save dialog with output.
    void join(const QString& output) {
        dialogs.answerSave(output);
        click(tl::kJoinButton);
    }
};

} // namespace

class TapLinkerWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void layoutAndMenu();
    void missingToolStillJoinsVersion1Files();
    void addFilesAppliesTheExtensionAndInsertionRules();
    void pausesMovesRemoveAndClear();
    void clearQuestionClosedByEscapeOrCloseIsNo_data();
    void clearQuestionClosedByEscapeOrCloseIsNo();
    void joinWritesTheListInOrder();
    void cancelledSaveChangesNothing();
    void conversionReplacesTheEntryOnce();
    void convertedFileCountsWhateverTheToolSays_data();
    void convertedFileCountsWhateverTheToolSays();
    void conversionFailuresStopTheJoin_data();
    void conversionFailuresStopTheJoin();
    void badEntriesAreReportedBeforeAnyConversion();
    void polishKeepsTheListItJoins();
};

void TapLinkerWindowTest::layoutAndMenu() {
    Linker l;
    l.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(l.window.get()));
    QCOMPARE(l.window->windowTitle(), QStringLiteral("TAP Linker"));
    QVERIFY(l.list());
    QVERIFY(!l.get<QProgressBar>(tl::kProgressBar)->isVisible());

    // One column to the right of the list, top to bottom in this order, a wider gap before the join button.
    QList<int> tops;
    for (const QString& name : kButtonColumn) {
        QToolButton* b = l.button(name);
        QVERIFY2(b, qPrintable(name));
        QVERIFY(b->isEnabled());
        QVERIFY(b->text().isEmpty() || b->toolButtonStyle() == Qt::ToolButtonIconOnly);
        QVERIFY(!b->icon().isNull());
        QVERIFY(b->x() > l.list()->geometry().right());
        tops << b->y();
    }
    for (int i = 1; i < tops.size(); ++i)
        QVERIFY(tops[i] > tops[i - 1]);
    const int step = tops[1] - tops[0];
    QVERIFY(tops[5] - tops[4] > step);
    QCOMPARE(tops[6] - tops[5], step);

    auto* menu = l.get<QMenu>(tl::kPauseMenu);
    QVERIFY(menu);
    QStringList names, texts;
    for (QAction* a : menu->actions()) {
        names << a->objectName();
        texts << a->text();
    }
    QCOMPARE(names, (QStringList{tl::kPause1s, tl::kPause2s, tl::kPause4s, tl::kPause5s, tl::kPause10s,
                                 tl::kPause20s, tl::kPause40s}));
    QCOMPARE(texts, (QStringList{"1s", "2s", "4s", "5s", "10s", "20s", "40s"}));

    // Click: at the add button's corner moved by (2, 5). Right click: the same menu.
    const QPoint corner = l.button(tl::kAddButton)->mapToGlobal(QPoint(0, 0));
    QCOMPARE(l.window->pauseMenuPosition(), corner + QPoint(2, 5));
    l.click(tl::kPauseButton);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), corner + QPoint(2, 5));
    menu->hide();
    QToolButton* pause = l.button(tl::kPauseButton);
    QCOMPARE(pause->contextMenuPolicy(), Qt::CustomContextMenu);
    emit pause->customContextMenuRequested(QPoint(3, 3));
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
    QVERIFY(l.dialogs.asked.isEmpty());
}

void TapLinkerWindowTest::missingToolStillJoinsVersion1Files() {
    Linker l(false);
    l.dialogs.answerMessage(MsgAnswer::Ok);
    l.window->show();
    QCOMPARE(l.dialogs.asked.size(), 1);
    const auto& q = l.dialogs.asked.first();
    QCOMPARE(q.caption, QStringLiteral("Warning"));
    QVERIFY2(
        q.text.startsWith(QStringLiteral("NO tape64 (or tape64.exe) IN THE PROGRAM FOLDER OR ON THE PATH!")),
        qPrintable(q.text));
    QCOMPARE(q.buttons, MsgButtons::Ok);
    for (const QString& name : kButtonColumn)
        QVERIFY2(l.button(name)->isEnabled(), qPrintable(name));

    const QString good = l.file(QStringLiteral("good.tap"));
    const QString old = l.file(QStringLiteral("old.tap"));
    writeFile(good, tapFile(QByteArray("\x55", 1)));
    writeFile(old, tapFile(QByteArray("\x77", 1), 0));
    l.add({good});
    l.pause(tl::kPause1s);
    const QString out = l.file(QStringLiteral("out.tap"));
    l.join(out);
    QCOMPARE(readFile(out), joined(QByteArray("\x55\x00\xA0\x08\x0F", 5)));

    // A file that needs the tool is refused by name before anything is written.
    l.add({old});
    const QString out2 = l.file(QStringLiteral("out2.tap"));
    l.dialogs.answerSave(out2);
    l.dialogs.answerMessage(MsgAnswer::Ok);
    l.click(tl::kJoinButton);
    const QString said = l.dialogs.asked.last().text;
    QVERIFY2(said.contains(old) && said.contains(QStringLiteral("tape64 (or tape64.exe)")), qPrintable(said));
    QVERIFY(!QFile::exists(out2));

    // Once the tool is there, the same join converts.
    l.folder.installTool(QStringLiteral("tape64"),
                         QStringLiteral("writeprefixed -or: .tap %1\n").arg(escaped(tapFile("\x01"))));
    l.join(out2);
    QCOMPARE(readFile(out2), joined(QByteArray("\x55\x00\xA0\x08\x0F\x01", 6)));
}

void TapLinkerWindowTest::addFilesAppliesTheExtensionAndInsertionRules() {
    Linker l;
    l.window->show();
    // A file without an extension is taken as it is; only a name that names no file gets one.
    const QString raw = l.file(QStringLiteral("rawtape"));
    writeFile(raw, tapFile("x"));
    l.add({"/t/GAME", raw, "/t/GAME.TAP", "/t/A.BC"});
    const auto& q = l.dialogs.asked.last();
    QCOMPARE(q.kind, ScriptedDialogs::Kind::Open);
    QVERIFY(q.multiple);
    QCOMPARE(q.setup.filters.size(), 2);
    QCOMPARE(q.setup.filters[0].first, QStringLiteral("C64 TAPe RAW"));
    QCOMPARE(q.setup.filters[0].second, QStringLiteral("*.TAP"));
    QCOMPARE(q.setup.filters[1].first, QStringLiteral("All"));
    QCOMPARE(q.setup.filters[1].second, QStringLiteral("*.*"));
    QCOMPARE(l.rows(), (QStringList{"/t/GAME.tap", raw, "/t/GAME.TAP", "/t/A.BC.tap"}));
    QCOMPARE(l.selected(), 0); // no selection before: the first entry becomes selected

    l.select(1);
    l.add({"/t/x.tap", "/t/y.tap"});
    QCOMPARE(l.rows(),
             (QStringList{"/t/GAME.tap", raw, "/t/x.tap", "/t/y.tap", "/t/GAME.TAP", "/t/A.BC.tap"}));
    QCOMPARE(l.selected(), 2);

    l.add({}); // cancelled
    QCOMPARE(l.rows().size(), 6);
    QCOMPARE(l.selected(), 2);
}

void TapLinkerWindowTest::pausesMovesRemoveAndClear() {
    Linker l;
    l.window->show();
    l.add({"/t/a.tap", "/t/b.tap"});
    l.list()->clearSelection();
    l.pause(tl::kPause5s);
    QCOMPARE(l.rows(), (QStringList{"/t/a.tap", "/t/b.tap", ":  5s break"}));
    QCOMPARE(l.selected(), 0);
    l.pause(tl::kPause40s);
    QCOMPARE(l.rows(), (QStringList{"/t/a.tap", ": 40s break", "/t/b.tap", ":  5s break"}));
    QCOMPARE(l.selected(), 1);

    l.click(tl::kMoveUpButton);
    QCOMPARE(l.rows().first(), QStringLiteral(": 40s break"));
    QCOMPARE(l.selected(), 0);
    l.click(tl::kMoveUpButton); // already first
    QCOMPARE(l.rows().first(), QStringLiteral(": 40s break"));
    QCOMPARE(l.selected(), 0);
    l.select(2);
    l.click(tl::kMoveDownButton);
    QCOMPARE(l.rows(), (QStringList{": 40s break", "/t/a.tap", ":  5s break", "/t/b.tap"}));
    QCOMPARE(l.selected(), 3);
    l.click(tl::kMoveDownButton); // already last
    QCOMPARE(l.rows().last(), QStringLiteral("/t/b.tap"));
    QCOMPARE(l.selected(), 3);

    l.select(1);
    l.click(tl::kRemoveButton);
    QCOMPARE(l.rows(), (QStringList{": 40s break", ":  5s break", "/t/b.tap"}));
    QCOMPARE(l.selected(), -1);
    l.click(tl::kRemoveButton); // nothing selected
    QCOMPARE(l.rows().size(), 3);

    l.dialogs.answerMessage(MsgAnswer::No);
    l.click(tl::kClearButton);
    QCOMPARE(l.dialogs.asked.last().text, QStringLiteral("Clear list?"));
    QCOMPARE(l.dialogs.asked.last().buttons, MsgButtons::YesNo);
    QCOMPARE(l.rows().size(), 3);
    l.dialogs.answerMessage(MsgAnswer::Yes);
    l.click(tl::kClearButton);
    QVERIFY(l.rows().isEmpty());
}

void TapLinkerWindowTest::clearQuestionClosedByEscapeOrCloseIsNo_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("close button") << false;
}

// The real box, as a user closes it: Escape and the close button answer No, as in Qt's own
// Yes/No box.
void TapLinkerWindowTest::clearQuestionClosedByEscapeOrCloseIsNo() {
    QFETCH(bool, escape);
    Linker l;
    QtDialogs real;
    l.dialogs.realMessages = &real;
    l.window->show();
    l.pause(tl::kPause1s);
    bool closed = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (closed) { // still open: answer Yes, so that the test ends and shows it
            box->button(QMessageBox::Yes)->click();
            return;
        }
        closed = true;
        if (escape)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->close();
    });
    user.start(10);
    l.click(tl::kClearButton);
    user.stop();
    QVERIFY(closed);
    QCOMPARE(l.dialogs.asked.last().text, QStringLiteral("Clear list?"));
    QCOMPARE(l.rows().size(), 1);
}

void TapLinkerWindowTest::joinWritesTheListInOrder() {
    Linker l;
    l.window->show();
    const QString in = l.file(QStringLiteral("in.tap"));
    writeFile(in, tapFile(QByteArray("\x30\x40\x50\x60", 4)));
    l.add({in});
    l.pause(tl::kPause1s);
    l.add({in});
    auto* bar = l.get<QProgressBar>(tl::kProgressBar);
    const QString out = l.file(QStringLiteral("out.tap"));
    l.join(out);
    const auto& save = l.dialogs.asked.last();
    QCOMPARE(save.kind, ScriptedDialogs::Kind::Save);
    QCOMPARE(save.setup.defaultSuffix, QStringLiteral("TAP"));
    QVERIFY(save.setup.confirmOverwrite);
    QCOMPARE(save.setup.filters[0].second, QStringLiteral("*.TAP"));
    QCOMPARE(readFile(out), joined(QByteArray("\x30\x40\x50\x60\x00\xA0\x08\x0F\x30\x40\x50\x60", 12)));
    // The window says what it wrote, and where: the whole line in the status bar's tooltip.
    auto* status = l.get<QStatusBar>(tl::kStatusBar);
    QCOMPARE(
        status->toolTip(),
        QStringLiteral("Joined 2 files and 1 pause into %1 (32 bytes)").arg(QDir::toNativeSeparators(out)));
    QCOMPARE(bar->maximum(), 12);
    QCOMPARE(bar->value(), 0);
    QVERIFY(!bar->isVisible());
    QVERIFY(l.toolRuns().isEmpty());
    for (const QString& name : kButtonColumn)
        QVERIFY(l.button(name)->isEnabled());

    // An empty list joins to the header alone.
    l.dialogs.answerMessage(MsgAnswer::Yes);
    l.click(tl::kClearButton);
    l.join(out);
    QCOMPARE(readFile(out), joined({}));
}

void TapLinkerWindowTest::cancelledSaveChangesNothing() {
    Linker l;
    l.window->show();
    l.add({l.file(QStringLiteral("missing.tap"))});
    l.join(QString());
    QCOMPARE(l.dialogs.asked.size(), 2);
    QVERIFY(l.get<QStatusBar>(tl::kStatusBar)->currentMessage().isEmpty());
    QVERIFY(!l.get<QProgressBar>(tl::kProgressBar)->isVisible());
}

void TapLinkerWindowTest::conversionReplacesTheEntryOnce() {
    const QByteArray convertedData("\x01\x02\x03", 3);
    Linker l(true, QStringLiteral("writeprefixed -or: .tap %1\n").arg(escaped(tapFile(convertedData))));
    l.window->show();
    const QString old = l.file(QStringLiteral("old.tap"));
    const QString good = l.file(QStringLiteral("good.tap"));
    writeFile(old, tapFile(QByteArray("\x77\x77", 2), 0));
    writeFile(good, tapFile(QByteArray("\x55", 1)));
    l.add({good, old});
    l.list()->clearSelection();
    l.pause(tl::kPause2s);
    const QString out = l.file(QStringLiteral("out.tap"));
    l.join(out);
    QVERIFY2(l.dialogs.unexpected.isEmpty(), qPrintable(l.dialogs.unexpected.join('\n')));
    QCOMPARE(l.folder.toolArgs(QStringLiteral("tape64")), (QStringList{"-i:" + old, "-or:" + old + "1"}));
    QCOMPARE(l.rows(), (QStringList{good, old + "1.tap", ":  2s break"}));
    QCOMPARE(readFile(old), tapFile(QByteArray("\x77\x77", 2), 0));
    QCOMPARE(readFile(out), joined(QByteArray("\x55\x01\x02\x03\x00\x40\x11\x1E", 8)));

    l.join(out);
    QCOMPARE(l.toolRuns().size(), 1);
    QCOMPARE(readFile(out), joined(QByteArray("\x55\x01\x02\x03\x00\x40\x11\x1E", 8)));
}

void TapLinkerWindowTest::convertedFileCountsWhateverTheToolSays_data() {
    QTest::addColumn<QString>("script");
    const QString write = QStringLiteral("writeprefixed -or: .tap %1\n").arg(escaped(tapFile("\x01")));
    QTest::newRow("non-zero exit code") << write + QStringLiteral("out done\\n\nexit 3\n");
    // The tool waits for an answer on its input, which must end at once.
    QTest::newRow("asks a question") << QStringLiteral("out Overwrite? \nstdin\n") + write;
}

void TapLinkerWindowTest::convertedFileCountsWhateverTheToolSays() {
    QFETCH(QString, script);
    Linker l(true, script);
    l.window->setConversionTimeout(20000);
    l.window->show();
    const QString old = l.file(QStringLiteral("old.tap"));
    writeFile(old, tapFile("\x77", 0));
    l.add({old});
    const QString out = l.file(QStringLiteral("out.tap"));
    l.join(out);
    QCOMPARE(readFile(out), joined("\x01"));
    QCOMPARE(l.rows(), QStringList{old + "1.tap"});
}

void TapLinkerWindowTest::conversionFailuresStopTheJoin_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("staleConverted");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<QString>("said");
    QTest::newRow("tool fails") << QStringLiteral("out unknown format\\n\nexit 3\n") << false << 60000
                                << QStringLiteral("exit code 3");
    QTest::newRow("tool writes nothing") << QString() << false << 60000 << QStringLiteral("did not write");
    QTest::newRow("tool writes no TAP file") << QStringLiteral("writeprefixed -or: .tap garbage\n") << false
                                             << 60000 << QStringLiteral("not a version 1 TAP file");
    QTest::newRow("stale converted file") << QString() << true << 60000 << QStringLiteral("did not write");
    QTest::newRow("tool never ends") << QStringLiteral("sleep 60000\n") << false << 300
                                     << QStringLiteral("did not finish");
}

void TapLinkerWindowTest::conversionFailuresStopTheJoin() {
    QFETCH(QString, script);
    QFETCH(bool, staleConverted);
    QFETCH(int, timeoutMs);
    QFETCH(QString, said);
    Linker l(true, script);
    l.window->setConversionTimeout(timeoutMs);
    l.window->show();
    const QString old = l.file(QStringLiteral("old.tap"));
    writeFile(old, tapFile(QByteArray("\x77", 1), 2));
    if (staleConverted)
        writeFile(old + "1.tap", tapFile(QByteArray("\x99", 1)));
    l.add({old});
    const QString out = l.file(QStringLiteral("out.tap"));
    writeFile(out, QByteArray("keep"));

    // When the failure is told, the join is still under way: bar shown, buttons off.
    bool busyWhileTold = false;
    std::function<void(const ScriptedDialogs::Question&)> check = [&](const ScriptedDialogs::Question& q) {
        if (q.kind != ScriptedDialogs::Kind::Message) {
            l.dialogs.onNextQuestion(check);
            return;
        }
        busyWhileTold = l.window->isJoining() && l.get<QProgressBar>(tl::kProgressBar)->isVisible() &&
                        !l.button(tl::kAddButton)->isEnabled();
    };
    l.dialogs.onNextQuestion(check);
    l.dialogs.answerSave(out);
    l.dialogs.answerMessage(MsgAnswer::Ok);
    l.click(tl::kJoinButton);

    QCOMPARE(l.dialogs.asked.size(), 3);
    const QString message = l.dialogs.asked.last().text;
    QVERIFY2(message.contains(old) && message.contains(said), qPrintable(message));
    QVERIFY(busyWhileTold);
    QCOMPARE(l.rows(), QStringList{old});
    QCOMPARE(readFile(out), QByteArray("keep"));
    QVERIFY(l.get<QStatusBar>(tl::kStatusBar)->currentMessage().isEmpty());
    QVERIFY(!l.get<QProgressBar>(tl::kProgressBar)->isVisible());
    QVERIFY(l.button(tl::kJoinButton)->isEnabled());
}

void TapLinkerWindowTest::badEntriesAreReportedBeforeAnyConversion() {
    Linker l(true, QStringLiteral("writeprefixed -or: .tap %1\n").arg(escaped(tapFile("x"))));
    l.window->show();
    const QString old = l.file(QStringLiteral("old.tap"));
    const QString shortFile = l.file(QStringLiteral("short.tap"));
    writeFile(old, tapFile("y", 0));
    writeFile(shortFile, QByteArray("C64-TAPE-RAW\x01", 13));
    const QString out = l.file(QStringLiteral("out.tap"));
    const struct {
        QStringList entries;
        QString output;
        QString named;
    } table[] = {
        {{old, shortFile}, out, shortFile},
        {{old, l.file(QStringLiteral("gone.tap"))}, out, l.file(QStringLiteral("gone.tap"))},
        {{old}, old, old},
    };
    for (const auto& row : table) {
        l.dialogs.answerMessage(MsgAnswer::Yes);
        l.click(tl::kClearButton);
        l.add(row.entries);
        l.dialogs.answerSave(row.output);
        l.dialogs.answerMessage(MsgAnswer::Ok);
        l.click(tl::kJoinButton);
        QVERIFY2(l.dialogs.last()->text.contains(row.named), qPrintable(l.dialogs.last()->text));
        QCOMPARE(l.rows(), row.entries);
    }
    QVERIFY(l.toolRuns().isEmpty());
    QVERIFY(!QFile::exists(out));
    QCOMPARE(readFile(old), tapFile("y", 0));
}

// The pause entries are shown in the window's language while the join reads them as they
// were made.
void TapLinkerWindowTest::polishKeepsTheListItJoins() {
    Linker l;
    l.window->show();
    const QString in = l.file(QStringLiteral("in.tap"));
    writeFile(in, tapFile(QByteArray("\x30\x40", 2)));
    l.add({in});
    l.pause(tl::kPause5s);
    l.window->setLanguage(gui::Language::Polish);
    QCOMPARE(l.window->windowTitle(), QStringLiteral("Łączenie plików TAP"));
    QCOMPARE(l.button(tl::kAddButton)->toolTip(), QStringLiteral("Dodaj pliki TAP"));
    l.pause(tl::kPause40s);
    QCOMPARE(l.rows(), (QStringList{in, QStringLiteral(":  5s przerwa"), QStringLiteral(": 40s przerwa")}));

    const QString out = l.file(QStringLiteral("out.tap"));
    l.join(out);
    QCOMPARE(readFile(out), joined(QByteArray("\x30\x40", 2) + QByteArray("\x00\x20\x2B\x4B", 4) +
                                   QByteArray("\x00\xFF\xFF\xFF\x00\xFF\xFF\xFF\x00\x02\x59\x59", 12)));
    auto* bar = l.get<QStatusBar>(tl::kStatusBar);
    QCOMPARE(
        bar->toolTip(),
        QStringLiteral("Połączono 1 plik i 2 przerwy w %1 (bajtów: 38)").arg(QDir::toNativeSeparators(out)));
    // At the window's first size the path gives way in its middle: the line is not cut.
    const QString line = bar->currentMessage();
    QVERIFY2(line.startsWith(QStringLiteral("Połączono 1 plik i 2 przerwy w /")), qPrintable(line));
    QVERIFY2(line.endsWith(QStringLiteral("out.tap (bajtów: 38)")), qPrintable(line));
    QVERIFY2(bar->fontMetrics().horizontalAdvance(line) <= bar->width() - 18, qPrintable(line));

    const QString gone = l.file(QStringLiteral("gone.tap"));
    l.add({gone});
    l.dialogs.answerSave(out);
    l.dialogs.answerMessage(MsgAnswer::Ok);
    l.click(tl::kJoinButton);
    QCOMPARE(l.dialogs.last()->text, QStringLiteral("Plik „%1” nie istnieje.").arg(gone));

    l.window->setLanguage(gui::Language::English);
    QCOMPARE(l.rows().mid(0, 3),
             (QStringList{in, QStringLiteral(":  5s break"), QStringLiteral(": 40s break")}));
}

QTEST_MAIN(TapLinkerWindowTest)
#include "TapLinkerWindowTest.moc"
