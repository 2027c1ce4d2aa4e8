// How much the runner and the compression log add to a chatty tool, and how soon the end of
// a tool is noticed. Prints ratios against a baseline measured in the same run: the same tool
// piped into cat > /dev/null.
//   bench_runner [LINES]            the full benchmark (LINES defaults to 2,000,000)
//   bench_runner --one-run [LINES]  one run into the log and nothing else, for timing the
//                                   whole process from outside (bench/tools/runner_processes.sh)
#include "gui/Dialogs.h"
#include "gui/LogView.h"
#include "gui/ProcessRunner.h"
#include "tools/ui/CompressionWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace vornix;

namespace {

// With the log reading "W" the window asks nothing; any question is a fault here.
class NoDialogs final : public Dialogs {
  public:
    MsgAnswer message(QWidget*, const QString& caption, const QString& text, MsgButtons, MsgIcon) override {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qPrintable(caption), qPrintable(text));
        return MsgAnswer::Ok;
    }
    QStringList openFiles(QWidget*, const FileDialogSetup&, bool) override { return {}; }
    QString saveFile(QWidget*, const FileDialogSetup&) override { return {}; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }
};

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

qint64 steadyMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The child piped into cat > /dev/null, started directly (no shell).
double baselineSeconds(const QString& child) {
    QProcess p;
    QProcess cat;
    p.setStandardOutputProcess(&cat);
    p.setStandardErrorFile(QProcess::nullDevice());
    cat.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    cat.start(QStringLiteral("cat"), {});
    p.start(child, {});
    p.waitForFinished(-1);
    cat.waitForFinished(-1);
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool oneRun = args.removeAll(QStringLiteral("--one-run")) > 0;
    const QByteArray lineCount = args.isEmpty() ? QByteArray("2000000") : args.first().toLatin1();
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).absolutePath() + QDir::separator();
    const QString tool = folder + QStringLiteral("pucrunch");
    if (!QFile::copy(QStringLiteral(BENCH_CHILD), tool)) {
        std::fprintf(stderr, "cannot copy the child program\n");
        return 1;
    }
    QFile::setPermissions(tool, QFile::permissions(tool) | QFile::ExeOwner);
    const QString stamp = folder + QStringLiteral("stamp");
    qputenv("BENCH_LINES", lineCount);
    qputenv("BENCH_STAMP", stamp.toLocal8Bit());

    NoDialogs dialogs;
    CompressionWindow window(AppContext{folder, &dialogs});
    window.show();
    auto* memo = window.findChild<LogView*>(QStringLiteral("Memo1"));
    auto* runner = window.findChild<ProcessRunner*>(QStringLiteral("DosCommand1"));
    PaintCounter counter;
    memo->viewport()->installEventFilter(&counter);

    qint64 endSeen = 0;
    QObject::connect(runner, &ProcessRunner::runFinished, [&] { endSeen = steadyMicros(); });
    auto readStamp = [&] {
        QFile f(stamp);
        return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
    };

    // One run of the window (log reads "W": no dialogs); seconds, repaints of the log.
    auto windowRun = [&](double& seconds, int& paints) {
        memo->setPlainText(QStringLiteral("W"));
        counter.paints = 0;
        QElapsedTimer t;
        t.start();
        window.runClicked();
        seconds = t.nsecsElapsed() / 1e9;
        paints = counter.paints;
    };
    if (oneRun) {
        double seconds = 0;
        int paints = 0;
        windowRun(seconds, paints);
        return memo->lineCount() > 1 ? 0 : 1;
    }

    int reads = 0; // reads that ended inside a line, a lower bound of all reads
    // The runner alone, its lines only counted.
    auto runnerRun = [&] {
        ProcessRunner bare;
        bare.programFolder = folder;
        bare.commandLine = QStringLiteral("pucrunch.exe");
        qint64 characters = 0;
        int partial = 0;
        // Generic, so that the same benchmark also builds against older runners.
        bare.onLine = [&](ProcessRunner*, const auto& line, LineKind type) {
            characters += line.size();
            partial += type == LineKind::Beginning;
        };
        QElapsedTimer t;
        t.start();
        runAndWait(bare);
        const double seconds = t.nsecsElapsed() / 1e9;
        reads = partial;
        return characters > 0 ? seconds : 0.0;
    };

    const int rounds = 3;
    double base = 1e9, bare = 1e9, full = 1e9;
    qint64 worstEnd = 0;
    int paints = 0;
    for (int i = 0; i < rounds; ++i) {
        base = std::min(base, baselineSeconds(tool));
        bare = std::min(bare, runnerRun());
        double seconds = 0;
        windowRun(seconds, paints);
        full = std::min(full, seconds);
        worstEnd = std::max(worstEnd, endSeen - readStamp());
    }
    std::printf("child printing %s lines as fast as it can (best of %d):\n", lineCount.constData(), rounds);
    std::printf(
        "  into cat > /dev/null %.3f s; runner alone %.3f s (%.2fx); runner into the log %.3f s (%.2fx)\n",
        base, bare, bare / base, full, full / base);
    std::printf("  runner alone: %d reads ended inside a line\n", reads);
    std::printf("  log lines %d, repaints of the log during the run %d\n",
                static_cast<int>(memo->lineCount()), paints);

    // The same child working 10 ms after every 1000 lines, as a compressor does between reports.
    qputenv("BENCH_PACE_MS", "10");
    qputenv("BENCH_LINES", "200000");
    double pacedBase = baselineSeconds(tool), paced = 0;
    int pacedPaints = 0;
    windowRun(paced, pacedPaints);
    std::printf("child printing 200000 lines while working (10 ms per 1000 lines):\n");
    std::printf("  into cat > /dev/null %.3f s; runner into the log %.3f s (%.2fx); repaints of the log %d\n",
                pacedBase, paced, paced / pacedBase, pacedPaints);
    qunsetenv("BENCH_PACE_MS");

    // The end of a quiet child: the time from its exit to onEnded.
    qputenv("BENCH_LINES", "5");
    qputenv("BENCH_SLEEP_MS", "200");
    qint64 worstQuiet = 0;
    for (int i = 0; i < 10; ++i) {
        memo->setPlainText(QStringLiteral("W"));
        window.runClicked();
        worstQuiet = std::max(worstQuiet, endSeen - readStamp());
    }
    std::printf(
        "end of child noticed after at most %.1f ms (chatty child), %.1f ms (quiet child); target 50 ms\n",
        worstEnd / 1000.0, worstQuiet / 1000.0);
    return 0;
}
