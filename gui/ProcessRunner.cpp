#include "gui/ProcessRunner.h"

#include "core/PlatformFile.h"
#include "gui/ToolLocator.h"
#include "gui/WindowLanguage.h"
#include "tools/LineCutter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace vornix {

using gui::followWindowLanguage;

ProcessTimer::ProcessTimer(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
    connect(timer_, &QTimer::timeout, this, [this] {
        ++sinceStart_;
        ++sinceLastLine_;
        emit ticked();
    });
}

void ProcessTimer::start(int intervalMs) {
    sinceStart_ = 0;
    sinceLastLine_ = 0;
    timer_->start(intervalMs > 0 ? intervalMs : 1000);
}

void ProcessTimer::stop() { timer_->stop(); }
bool ProcessTimer::isActive() const { return timer_->isActive(); }

struct ProcessRunner::Impl {
    ProcessRunner* q;
    ProcessTimer* timer = nullptr;
    QProcess* proc = nullptr;     // child of the run in progress
    QPointer<QProcess> lastChild; // child of the last run, kept while it still runs
    vornix::BasicLineCutter<char16_t> cutter;
    // Each read is decoded once, as a whole, into text (the child's output is in the
    // platform's 8-bit encoding, as a console shows it); lines are views into it.
    QStringDecoder decoder;
    QByteArray bytes;
    QString text;
    bool running = false;
    bool stopRequested = false;
    RunEnd end = RunEnd::Exited;
    quint64 runId = 0;
    int limitAfterBeginning = 0;
    int limitAfterLastOutput = 0;
    QString commandLine; // as it was when the run started

    explicit Impl(ProcessRunner* owner) : q(owner) {}

    // Reads and hands out everything waiting in the pipe of p.
    void readFrom(QProcess* p) {
        // In pieces that stay in the processor's cache from reading to showing; the buffers
        // keep their size from piece to piece: no allocation once they are large enough.
        constexpr qint64 kPiece = 64 * 1024;
        for (qint64 waiting = p->bytesAvailable(); waiting > 0; waiting = p->bytesAvailable()) {
            bytes.resize(std::min(waiting, kPiece));
            const qint64 got = p->read(bytes.data(), bytes.size());
            if (got <= 0)
                return;
            text.resize(decoder.requiredSpace(got));
            const QChar* end = decoder.appendToBuffer(text.data(), QByteArrayView(bytes.constData(), got));
            const auto length = static_cast<std::size_t>(end - text.constData());
            cutter.feed(std::u16string_view(reinterpret_cast<const char16_t*>(text.constData()), length),
                        [this](std::u16string_view line, vornix::LineEnd how) { emitLine(line, how); });
        }
    }

    void emitLine(std::u16string_view line, vornix::LineEnd how) {
        if (how != vornix::LineEnd::Open && timer)
            timer->lineCompleted();
        if (!q->onLine)
            return;
        const LineKind type = how == vornix::LineEnd::Open     ? LineKind::Beginning
                              : how == vornix::LineEnd::Return ? LineKind::WholeByReturn
                                                               : LineKind::Whole;
        q->onLine(q, QStringView(line.data(), static_cast<qsizetype>(line.size())), type);
    }

    void emitText(const QString& text) {
        if (q->onLine)
            q->onLine(q, text, LineKind::Whole);
    }

    // The end of a run: the open line, the timer, then onEnded. After a time limit the child
    // keeps running; its further output is read and dropped so that it never blocks on a full
    // pipe.
    void endRun(RunEnd how) {
        end = how == RunEnd::Exited && stopRequested ? RunEnd::Stopped : how;
        cutter.finish(
            [this](std::u16string_view line, vornix::LineEnd) { emitLine(line, vornix::LineEnd::Feed); });
        if (lastChild && lastChild != proc && lastChild->state() == QProcess::NotRunning)
            lastChild->deleteLater();
        lastChild = proc;
        if (proc && proc->state() == QProcess::NotRunning) {
            proc->deleteLater();
            lastChild = nullptr;
        }
        proc = nullptr;
        if (timer)
            timer->stop();
        running = false;
        if (q->onEnded)
            q->onEnded(q);
        emit q->runFinished();
    }

    void failStart(quint64 id) {
        if (!running || id != runId)
            return;
        followWindowLanguage(ProcessRunner::staticMetaObject.className(), q);
        emitText(ProcessRunner::tr("%1 doesn't exist.").arg(commandLine));
        if (proc) {
            proc->disconnect(q);
            proc->deleteLater();
            proc = nullptr;
        }
        endRun(RunEnd::FailedToStart);
    }

    void checkLimits() {
        if (!running || !proc)
            return;
        const bool tooLong = limitAfterBeginning >= 1 && timer->ticksSinceStart() > limitAfterBeginning;
        const bool tooQuiet = limitAfterLastOutput >= 1 && timer->ticksSinceLastLine() > limitAfterLastOutput;
        if (!tooLong && !tooQuiet)
            return;
        readFrom(proc);
        endRun(RunEnd::TimedOut);
    }

    QString resolveProgram(const QString& name) const {
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
            const QFileInfo info(name);
            return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
        }
        const QString folder =
            q->programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : q->programFolder;
        return findTool(folder, name);
    }
};

ProcessRunner::ProcessRunner(QObject* parent) : QObject(parent), d(new Impl(this)) {}

ProcessRunner::~ProcessRunner() {
    // A child left running by a time limit goes on working on its own (it may still be
    // writing its output file): release it instead of letting QProcess kill it.
    for (QProcess* p : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        if (p->state() == QProcess::NotRunning)
            continue;
        p->disconnect();
        p->setParent(nullptr);
    }
    delete d;
}

bool ProcessRunner::start() {
    if (commandLine.isEmpty() || d->running)
        return false;
    d->running = true;
    d->stopRequested = false;
    const quint64 id = ++d->runId;
    d->cutter = vornix::BasicLineCutter<char16_t>();
    d->decoder = QStringDecoder(QStringDecoder::System);
    d->limitAfterBeginning = maxTicksAfterStart;
    d->limitAfterLastOutput = maxTicksAfterLastOutput;
    d->commandLine = commandLine;
    if (!d->timer) {
        d->timer = new ProcessTimer(this);
        connect(d->timer, &ProcessTimer::ticked, this, [this] { d->checkLimits(); });
    }
    d->timer->start(tickInterval);

    // Split as the platform splits a command line; no shell ever sees it.
    const QStringList words = QProcess::splitCommand(commandLine);
    const QString program = words.isEmpty() ? QString() : d->resolveProgram(words.first());
    if (program.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this, id] { d->failStart(id); }, Qt::QueuedConnection);
        return true;
    }

    auto* p = new QProcess(this);
    d->proc = p;
    p->setProcessChannelMode(QProcess::MergedChannels);
    p->setStandardInputFile(QProcess::nullDevice());
    p->setProgram(program);
    p->setArguments(words.mid(1));
#ifdef Q_OS_UNIX
    // Output written after the runner stopped listening is lost, as it is on the platform
    // this tool chain comes from; it must not kill the child. A large pipe lets a chatty
    // child write on while the window shows what came before.
    p->setChildProcessModifier([] {
        ::signal(SIGPIPE, SIG_IGN);
        platform::enlargePipe(STDOUT_FILENO);
    });
#endif
    connect(p, &QProcess::readyReadStandardOutput, this, [this, p] {
        if (p == d->proc)
            d->readFrom(p);
        else
            p->readAll();
    });
    connect(p, &QProcess::finished, this, [this, p] {
        if (p == d->proc) {
            d->readFrom(p);
            d->endRun(RunEnd::Exited);
        } else {
            p->readAll();
            if (p != d->lastChild)
                p->deleteLater();
        }
        emit childExited();
    });
    connect(p, &QProcess::errorOccurred, this, [this, p, id](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && p == d->proc)
            QMetaObject::invokeMethod(
                this, [this, id] { d->failStart(id); }, Qt::QueuedConnection);
    });
    p->start(QIODevice::ReadOnly);
    return true;
}

bool ProcessRunner::stop() {
    bool stopped = false;
    for (QProcess* p : {d->proc, d->lastChild.data()}) {
        if (p && p->state() != QProcess::NotRunning) {
            if (p == d->proc)
                d->stopRequested = true;
            p->kill();
            stopped = true;
        }
    }
    return stopped;
}

bool ProcessRunner::isRunning() const { return d->running; }

RunEnd ProcessRunner::lastEnd() const { return d->end; }

bool ProcessRunner::waitForChildExit(int msecs) {
    QProcess* p = d->proc ? d->proc : d->lastChild.data();
    if (!p || p->state() == QProcess::NotRunning)
        return true;
    return p->waitForFinished(msecs);
}

bool ProcessRunner::hasRunningChild() const {
    QProcess* p = d->proc ? d->proc : d->lastChild.data();
    return p && p->state() != QProcess::NotRunning;
}

const ProcessTimer* ProcessRunner::timer() const { return d->timer; }

ToolRun runWithTimeLimit(const QString& program, const QStringList& arguments, int limitMs) {
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::MergedChannels);

    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    bool ended = false;
    bool failedToStart = false;
    bool timedOut = false;
    QObject::connect(&process, &QProcess::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    process.start();
    if (!failedToStart && process.state() != QProcess::NotRunning) {
        limit.start(limitMs);
        loop.exec();
    } else if (!failedToStart) {
        ended = true; // finished before we got to wait
    }

    ToolRun run;
    if (failedToStart) {
        run.error = process.errorString();
        return run;
    }
    if (!ended) {
        process.kill();
        process.waitForFinished(3000);
        run.end = timedOut ? ToolRun::End::TimedOut : ToolRun::End::Abandoned;
        return run;
    }
    run.output = process.readAll();
    run.end = process.exitStatus() == QProcess::NormalExit ? ToolRun::End::Exited : ToolRun::End::Crashed;
    run.exitCode = process.exitCode();
    return run;
}

bool runAndWait(ProcessRunner& command) {
    if (!command.start())
        return false;
    if (command.isRunning()) {
        QEventLoop loop;
        QObject::connect(&command, &ProcessRunner::runFinished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QThread::msleep(10);
    return true;
}

void waitForChildInLoop(ProcessRunner& command) {
    if (!command.hasRunningChild())
        return;
    QEventLoop loop;
    QObject::connect(&command, &ProcessRunner::childExited, &loop, &QEventLoop::quit);
    // A child left running by an earlier run may be the one that ends first; a loop that
    // returns at once (the program is quitting) ends the wait.
    while (command.hasRunningChild() && loop.exec() == 0) {
    }
}

ProcessRunner* createLogRunner(QObject* owner, const QString& programFolder,
                               std::function<void(QStringView)> showLine, bool* finished) {
    auto* runner = new ProcessRunner(owner);
    runner->setObjectName(QStringLiteral("DosCommand1"));
    runner->maxTicksAfterStart = 0;
    runner->maxTicksAfterLastOutput = 0;
    runner->programFolder = programFolder;
    runner->onLine = [show = std::move(showLine)](ProcessRunner*, QStringView line, LineKind) { show(line); };
    runner->onEnded = [finished](ProcessRunner*) { *finished = true; };
    return runner;
}

} // namespace vornix
