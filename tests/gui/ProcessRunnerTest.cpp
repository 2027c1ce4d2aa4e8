#include "gui/ProcessRunner.h"
#include "gui/Language.h"
#include "tests/support/GuiTestHelpers.h"
#include "tools/CommandLineQuoting.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace vornix;

namespace {

// Everything a runner reported, in order: "=line", "+beginning", "END".
struct Recorder {
    QStringList events;
    int terminated = 0;

    void attach(ProcessRunner& cmd) {
        cmd.onLine = [this](ProcessRunner*, QStringView line, LineKind type) {
            events << (type == LineKind::Beginning ? QStringLiteral("+") : QStringLiteral("=")) +
                          line.toString();
        };
        cmd.onEnded = [this](ProcessRunner*) {
            ++terminated;
            events << QStringLiteral("END");
        };
    }
    QStringList wholeLines() const {
        QStringList out;
        for (const QString& e : events)
            if (e.startsWith('='))
                out << e.mid(1);
        return out;
    }
};

QString quoted(const QString& path) {
    return QString::fromStdString(vornix::quotedArgument(path.toStdString()));
}

} // namespace

// A window whose class has a language of its own.
class SomeToolWindow : public QWidget {
    Q_OBJECT
};

class ProcessRunnerTest : public QObject {
    Q_OBJECT
  private slots:
    // The runners below serve no window: their lines read as the default language says.
    void initTestCase() { gui::setDefaultLanguage(gui::Language::English); }
    void deliversLinesThenTerminatesOnce();
    void refusesEmptyCommandAndSecondStart();
    void reportsProgramThatCannotStart_data();
    void reportsProgramThatCannotStart();
    void missingProgramIsReportedInItsWindowsLanguage_data();
    void missingProgramIsReportedInItsWindowsLanguage();
    void pathsWithBlanksAndQuotesStayOneArgumentEach();
    void findsToolInProgramFolderBeforePath();
    void silenceLimitLeavesChildRunning();
    void beginningLimitEndsRunOfSilentChild();
    void withoutLimitsRunLastsAsLongAsChild();
    void rerunsSameCommandLine();
    void stopEndsTheRun();
};

void ProcessRunnerTest::deliversLinesThenTerminatesOnce() {
    TestProgramFolder folder;
    folder.installTool(QStringLiteral("pucrunch"), QStringLiteral("out ab\\r\\ncd\\n\n"
                                                                  "sleep 20\n"
                                                                  "err 50%\\r60%\\r\n"
                                                                  "sleep 20\n"
                                                                  "out a\\0b\\n\\n\n"
                                                                  "sleep 20\n"
                                                                  "out tail\n"));
    ProcessRunner cmd;
    cmd.programFolder = folder.path();
    cmd.commandLine = QStringLiteral("pucrunch.exe -x");
    Recorder rec;
    rec.attach(cmd);
    QSignalSpy finished(&cmd, &ProcessRunner::runFinished);
    QVERIFY(runAndWait(cmd));
    QCOMPARE(rec.terminated, 1);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!cmd.isRunning());
    QVERIFY(!cmd.hasRunningChild());
    QCOMPARE(rec.events.last(), QStringLiteral("END"));
    // Standard error arrives in the same stream; the last line comes whole although it never ended.
    QCOMPARE(rec.wholeLines(), (QStringList{"ab", "cd", "50%", "60%", "ab", "", "tail"}));
    QVERIFY(rec.events.contains(QStringLiteral("+tail")));
    QCOMPARE(folder.toolArgs(QStringLiteral("pucrunch")), QStringList{"-x"});
}

void ProcessRunnerTest::refusesEmptyCommandAndSecondStart() {
    TestProgramFolder folder;
    folder.installTool(QStringLiteral("tool"), QStringLiteral("sleep 300\nout done\\n\n"));
    ProcessRunner cmd;
    cmd.programFolder = folder.path();
    Recorder rec;
    rec.attach(cmd);
    QVERIFY(!cmd.start());
    QVERIFY(!runAndWait(cmd));
    QVERIFY(!cmd.isRunning());

    cmd.commandLine = QStringLiteral("tool");
    QVERIFY(cmd.start());
    QVERIFY(cmd.isRunning());
    QVERIFY(!cmd.start()); // busy
    QSignalSpy finished(&cmd, &ProcessRunner::runFinished);
    QVERIFY(finished.wait(30000));
    QCOMPARE(rec.events, (QStringList{"=done", "END"}));
    QCOMPARE(rec.terminated, 1);
}

void ProcessRunnerTest::reportsProgramThatCannotStart_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<int>("fileMode"); // 0: no file, 1: not executable, 2: executable but no program
    QTest::newRow("unknown name") << QStringLiteral("no-such-tool-xyz.exe -c64 \"a b\"") << 0;
    QTest::newRow("missing path") << QStringLiteral("/nonexistent/dir/tool -v") << 0;
    QTest::newRow("not executable") << QString() << 1;
    QTest::newRow("exec fails") << QStringLiteral("garbage.exe \"x y\"") << 2;
}

void ProcessRunnerTest::reportsProgramThatCannotStart() {
    QFETCH(QString, commandLine);
    QFETCH(int, fileMode);
    TestProgramFolder folder;
    if (fileMode != 0) {
        QFile f(folder.file(fileMode == 1 ? QStringLiteral("plain.txt") : QStringLiteral("garbage")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x01\x02 not a program");
        f.close();
        if (fileMode == 1)
            commandLine = quoted(f.fileName()) + QStringLiteral(" arg");
        else
            QVERIFY(f.setPermissions(f.permissions() | QFile::ExeOwner));
    }
    ProcessRunner cmd;
    cmd.programFolder = folder.path();
    cmd.commandLine = commandLine;
    Recorder rec;
    rec.attach(cmd);
    QVERIFY(runAndWait(cmd));
    QCOMPARE(rec.events, (QStringList{"=" + commandLine + " doesn't exist.", "END"}));
    QCOMPARE(cmd.lastEnd(), RunEnd::FailedToStart);
    QVERIFY(!cmd.isRunning());
    // The runner is usable again afterwards.
    QVERIFY(runAndWait(cmd));
    QCOMPARE(rec.terminated, 2);
}

void ProcessRunnerTest::missingProgramIsReportedInItsWindowsLanguage_data() {
    QTest::addColumn<gui::Language>("language");
    QTest::addColumn<QString>("line");
    QTest::newRow("English") << gui::Language::English << QStringLiteral("no-such-tool -x doesn't exist.");
    QTest::newRow("Polish") << gui::Language::Polish << QStringLiteral("no-such-tool -x nie istnieje.");
}

void ProcessRunnerTest::missingProgramIsReportedInItsWindowsLanguage() {
    QFETCH(gui::Language, language);
    QFETCH(QString, line);
    TestProgramFolder folder;
    SomeToolWindow window;
    gui::setContextLanguage(SomeToolWindow::staticMetaObject.className(), language);
    auto* cmd = new ProcessRunner(&window);
    cmd->programFolder = folder.path();
    cmd->commandLine = QStringLiteral("no-such-tool -x");
    Recorder rec;
    rec.attach(*cmd);
    QVERIFY(runAndWait(*cmd));
    QCOMPARE(rec.wholeLines(), QStringList{line});
}

void ProcessRunnerTest::pathsWithBlanksAndQuotesStayOneArgumentEach() {
    TestProgramFolder folder;
    folder.installTool(QStringLiteral("pucrunch"));
    const QStringList nasty = {
        QStringLiteral("/tmp/my files/a b.prg"),
        QStringLiteral("/tmp/x\" \"y.prg"),
        QStringLiteral("\"leading and trailing\""),
        QStringLiteral("two\"\"quotes \"; rm -rf x; echo \"$HOME"),
        QStringLiteral("tab\there` $(id) *.prg"),
        QStringLiteral(" blank first"),
    };
    for (int i = 0; i + 1 < nasty.size(); ++i) {
        const QString in = nasty.at(i), out = nasty.at(i + 1);
        ProcessRunner cmd;
        cmd.programFolder = folder.path();
        cmd.commandLine = QStringLiteral("pucrunch.exe -c64 ") + quoted(in) + ' ' + quoted(out);
        QVERIFY(runAndWait(cmd));
        QCOMPARE(folder.toolArgs(QStringLiteral("pucrunch")), (QStringList{"-c64", in, out}));
    }
}

void ProcessRunnerTest::findsToolInProgramFolderBeforePath() {
    TestProgramFolder folder;
    // NAME.exe wins over NAME, in any letter case.
    folder.installTool(QStringLiteral("CARTCONV.EXE"), QStringLiteral("out exe\\n\n"));
    folder.installTool(QStringLiteral("cartconv"), QStringLiteral("out plain\\n\n"));
    ProcessRunner cmd;
    cmd.programFolder = folder.path();
    cmd.commandLine = QStringLiteral("cartconv.exe -t normal");
    Recorder rec;
    rec.attach(cmd);
    QVERIFY(runAndWait(cmd));
    QCOMPARE(rec.wholeLines(), QStringList{"exe"});
}

void ProcessRunnerTest::silenceLimitLeavesChildRunning() {
    TestProgramFolder folder;
    const QString marker = folder.file(QStringLiteral("done.txt"));
    // A complete line, then only the beginning of one, which must not count as output.
    folder.installTool(QStringLiteral("tool"),
                       QStringLiteral("out first\\nhalf\nsleep 4000\nwriteat 0 - x\n"));
    ProcessRunner cmd;
    cmd.programFolder = folder.path();
    cmd.tickInterval = 100;
    cmd.maxTicksAfterLastOutput = 1;
    cmd.commandLine = QStringLiteral("tool ") + quoted(marker);
    Recorder rec;
    rec.attach(cmd);
    QVERIFY(runAndWait(cmd));
    QCOMPARE(rec.terminated, 1);
    QVERIFY(cmd.timer()->ticksSinceStart() >= 2);
    QCOMPARE(rec.wholeLines(), (QStringList{"first", "half"}));
    QCOMPARE(rec.events.last(), QStringLiteral("END"));
    QCOMPARE(cmd.lastEnd(), RunEnd::TimedOut);
    // The child was not stopped: it is kept so that the caller can wait for its exit.
    QVERIFY(!cmd.isRunning());
    QVERIFY(cmd.hasRunningChild());
    QVERIFY(!QFileInfo::exists(marker));
    QSignalSpy exited(&cmd, &ProcessRunner::childExited);
    waitForChildInLoop(cmd);
    QCOMPARE(exited.count(), 1);
    QVERIFY(!cmd.hasRunningChild());
    QVERIFY(QFileInfo::exists(marker));
    QCOMPARE(rec.terminated, 1);
}

void ProcessRunnerTest::beginningLimitEndsRunOfSilentChild() {
    TestProgramFolder folder;
    const QString marker = folder.file(QStringLiteral("done.txt"));
    folder.installTool(QStringLiteral("tool"), QStringLiteral("sleep 4000\nwriteat 0 - x\nout late\\n\n"));
    ProcessRunner cmd;
    cmd.programFolder = folder.path();
    cmd.tickInterval = 100;
    cmd.maxTicksAfterStart = 2;
    cmd.commandLine = QStringLiteral("tool ") + quoted(marker);
    Recorder rec;
    rec.attach(cmd);
    QVERIFY(runAndWait(cmd));
    QCOMPARE(cmd.timer()->ticksSinceStart(), 3);
    QVERIFY(!cmd.timer()->isActive());
    QCOMPARE(rec.events, QStringList{"END"});
    QCOMPARE(cmd.lastEnd(), RunEnd::TimedOut);
    QVERIFY(cmd.waitForChildExit(30000));
    QVERIFY(QFileInfo::exists(marker));
    // What the child printed after the run ended is dropped.
    QCoreApplication::processEvents();
    QCOMPARE(rec.events, QStringList{"END"});
}

void ProcessRunnerTest::withoutLimitsRunLastsAsLongAsChild() {
    TestProgramFolder folder;
    const QString marker = folder.file(QStringLiteral("done.txt"));
    folder.installTool(QStringLiteral("tool"), QStringLiteral("sleep 700\nwriteat 0 - x\n"));
    ProcessRunner cmd;
    cmd.programFolder = folder.path();
    cmd.tickInterval = 50;
    cmd.commandLine = QStringLiteral("tool ") + quoted(marker);
    Recorder rec;
    rec.attach(cmd);
    QVERIFY(runAndWait(cmd));
    QVERIFY(QFileInfo::exists(marker));
    QVERIFY(!cmd.hasRunningChild());
    QCOMPARE(rec.events, QStringList{"END"});
    QCOMPARE(cmd.lastEnd(), RunEnd::Exited);
}

void ProcessRunnerTest::rerunsSameCommandLine() {
    TestProgramFolder folder;
    const QString tool = folder.installTool(QStringLiteral("tool"), QStringLiteral("out run\\n\n"));
    ProcessRunner cmd;
    cmd.programFolder = folder.path();
    cmd.commandLine = QStringLiteral("tool one");
    Recorder rec;
    rec.attach(cmd);
    QVERIFY(runAndWait(cmd));
    QVERIFY(runAndWait(cmd));
    QCOMPARE(rec.events, (QStringList{"=run", "END", "=run", "END"}));
    QFile log(tool + QStringLiteral(".log"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll(), QByteArray("RUN\none\nRUN\none\n"));
}

void ProcessRunnerTest::stopEndsTheRun() {
    TestProgramFolder folder;
    folder.installTool(QStringLiteral("tool"),
                       QStringLiteral("out Crunching 50%\\r\nsleep 60000\nout late\\n\n"));
    ProcessRunner cmd;
    cmd.programFolder = folder.path();
    cmd.commandLine = QStringLiteral("tool");
    QStringList lines;
    QList<LineKind> types;
    int terminated = 0;
    // A line ended by a lone CR says so; the handler stops the tool right there.
    cmd.onLine = [&](ProcessRunner*, QStringView line, LineKind type) {
        lines << line.toString();
        types << type;
        QVERIFY(cmd.stop());
    };
    cmd.onEnded = [&](ProcessRunner*) { ++terminated; };
    QVERIFY(runAndWait(cmd));
    QCOMPARE(lines, QStringList{"Crunching 50%"});
    QCOMPARE(types, QList<LineKind>{LineKind::WholeByReturn});
    QCOMPARE(terminated, 1);
    QCOMPARE(cmd.lastEnd(), RunEnd::Stopped);
    QVERIFY(!cmd.hasRunningChild());
    QVERIFY(!cmd.stop());
}

QTEST_MAIN(ProcessRunnerTest)
#include "ProcessRunnerTest.moc"
