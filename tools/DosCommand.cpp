#include "tools/DosCommand.h"

#include "tools/LineCutter.h"
#include "tools/ToolLocator.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

TProcessTimer::TProcessTimer(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
    connect(timer_, &QTimer::timeout, this, [this] {
        ++sinceStart_;
        ++sinceLastLine_;
        emit ticked();
    });
}

void TProcessTimer::start(int intervalMs) {
    sinceStart_ = 0;
    sinceLastLine_ = 0;
    timer_->start(intervalMs > 0 ? intervalMs : 1000);
}

void TProcessTimer::stop() {
    timer_->stop();
}
bool TProcessTimer::isActive() const {
    return timer_->isActive();
}

struct TDosCommand::Impl {
    TDosCommand* q;
    TProcessTimer* timer = nullptr;
    QProcess* proc = nullptr;     // child of the run in progress
    QPointer<QProcess> lastChild; // child of the last run, kept while it still runs
    vornix::BasicLineCutter<char16_t> cutter;
    // Each read is decoded once, as a whole, into text (the child's output is in the
    // platform's 8-bit encoding, as a console shows it); lines are views into it.
    QStringDecoder decoder;
    QByteArray bytes;
    QString text;
    bool running = false;
    quint64 runId = 0;
    int limitAfterBeginning = 0;
    int limitAfterLastOutput = 0;
    QString commandLine; // as it was when the run started
    QString programName; // first word of commandLine

    explicit Impl(TDosCommand* owner) : q(owner) {}

    // Reads and hands out everything waiting in the pipe of p.
    void readFrom(QProcess* p) {
        const qint64 waiting = p->bytesAvailable();
        if (waiting <= 0)
            return;
        // The buffers keep their size from read to read: no allocation once they are large enough.
        bytes.resize(waiting);
        const qint64 got = p->read(bytes.data(), waiting);
        if (got <= 0)
            return;
        text.resize(decoder.requiredSpace(got));
        const QChar* end = decoder.appendToBuffer(text.data(), QByteArrayView(bytes.constData(), got));
        const auto length = static_cast<std::size_t>(end - text.constData());
        cutter.feed(std::u16string_view(reinterpret_cast<const char16_t*>(text.constData()), length),
                    [this](std::u16string_view line, vornix::LineEnd how) { emitLine(line, how); });
    }

    void emitLine(std::u16string_view line, vornix::LineEnd how) {
        if (how != vornix::LineEnd::Open && timer)
            timer->lineCompleted();
        if (!q->OnNewLine)
            return;
        const TOutputType type = how == vornix::LineEnd::Open     ? otBeginningOfLine
                                 : how == vornix::LineEnd::Return ? otEntireLineByReturn
                                                                  : otEntireLine;
        q->OnNewLine(q, QStringView(line.data(), static_cast<qsizetype>(line.size())), type);
    }

    void emitText(const QString& text) {
        if (q->OnNewLine)
            q->OnNewLine(q, text, otEntireLine);
    }

    // The end of a run: the open line, the timer, then OnTerminated.
    void endRun(bool childExited) {
        cutter.finish(
            [this](std::u16string_view line, vornix::LineEnd) { emitLine(line, vornix::LineEnd::Feed); });
        if (!childExited && proc) {
            // A time limit: the child keeps running; its further output is read and dropped
            // so that it never blocks on a full pipe.
            emitText(
                QStringLiteral("%1 is still running; its further output is not shown.").arg(programName));
        }
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
        if (q->OnTerminated)
            q->OnTerminated(q);
        emit q->runFinished();
    }

    void failStart(quint64 id) {
        if (!running || id != runId)
            return;
        emitText(commandLine + QStringLiteral(" doesn't exist."));
        if (proc) {
            proc->disconnect(q);
            proc->deleteLater();
            proc = nullptr;
        }
        endRun(true);
    }

    void checkLimits() {
        if (!running || !proc)
            return;
        const bool tooLong = limitAfterBeginning >= 1 && timer->ticksSinceStart() > limitAfterBeginning;
        const bool tooQuiet = limitAfterLastOutput >= 1 && timer->ticksSinceLastLine() > limitAfterLastOutput;
        if (!tooLong && !tooQuiet)
            return;
        readFrom(proc);
        endRun(false);
    }

    QString resolveProgram(const QString& name) const {
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
            const QFileInfo info(name);
            return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
        }
        const QString folder =
            q->ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath() : q->ProgramFolder;
        return findTool(folder, name);
    }
};

TDosCommand::TDosCommand(QObject* parent) : QObject(parent), d(new Impl(this)) {}

TDosCommand::~TDosCommand() {
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

bool TDosCommand::Start() {
    if (CommandLine.isEmpty() || d->running)
        return false;
    d->running = true;
    const quint64 id = ++d->runId;
    d->cutter = vornix::BasicLineCutter<char16_t>();
    d->decoder = QStringDecoder(QStringDecoder::System);
    d->limitAfterBeginning = MaxTimeAfterBeginning;
    d->limitAfterLastOutput = MaxTimeAfterLastOutput;
    d->commandLine = CommandLine;
    if (!d->timer) {
        d->timer = new TProcessTimer(this);
        connect(d->timer, &TProcessTimer::ticked, this, [this] { d->checkLimits(); });
    }
    d->timer->start(TickInterval);

    // Split as the platform splits a command line; no shell ever sees it.
    const QStringList words = QProcess::splitCommand(CommandLine);
    d->programName = words.value(0);
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
    // this tool chain comes from; it must not kill the child.
    p->setChildProcessModifier([] { ::signal(SIGPIPE, SIG_IGN); });
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
            d->endRun(true);
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

bool TDosCommand::Stop() {
    bool stopped = false;
    for (QProcess* p : {d->proc, d->lastChild.data()}) {
        if (p && p->state() != QProcess::NotRunning) {
            p->kill();
            stopped = true;
        }
    }
    return stopped;
}

bool TDosCommand::isRunning() const {
    return d->running;
}

bool TDosCommand::waitForChildExit(int msecs) {
    QProcess* p = d->proc ? d->proc : d->lastChild.data();
    if (!p || p->state() == QProcess::NotRunning)
        return true;
    return p->waitForFinished(msecs);
}

bool TDosCommand::hasRunningChild() const {
    QProcess* p = d->proc ? d->proc : d->lastChild.data();
    return p && p->state() != QProcess::NotRunning;
}

const TProcessTimer* TDosCommand::timer() const {
    return d->timer;
}

bool runAndWait(TDosCommand& command) {
    if (!command.Start())
        return false;
    if (command.isRunning()) {
        QEventLoop loop;
        QObject::connect(&command, &TDosCommand::runFinished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QThread::msleep(10);
    return true;
}

void waitForChildInLoop(TDosCommand& command) {
    if (!command.hasRunningChild())
        return;
    QEventLoop loop;
    QObject::connect(&command, &TDosCommand::childExited, &loop, &QEventLoop::quit);
    // A child left running by an earlier run may be the one that ends first; a loop that
    // returns at once (the program is quitting) ends the wait.
    while (command.hasRunningChild() && loop.exec() == 0) {
    }
}

TDosCommand* createLogRunner(QObject* owner, const QString& programFolder,
                             std::function<void(QStringView)> showLine, bool* finished) {
    auto* runner = new TDosCommand(owner);
    runner->setObjectName(QStringLiteral("DosCommand1"));
    runner->InputToOutput = false;
    runner->MaxTimeAfterBeginning = 0;
    runner->MaxTimeAfterLastOutput = 0;
    runner->ProgramFolder = programFolder;
    runner->OnNewLine = [show = std::move(showLine)](TDosCommand*, QStringView line, TOutputType) {
        show(line);
    };
    runner->OnTerminated = [finished](TDosCommand*) { *finished = true; };
    return runner;
}
