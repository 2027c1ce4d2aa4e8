#pragma once
// The external process runner. A QProcess with merged channels on the user-interface
// thread; the command line is split the way the platform splits it and never given to a shell.
#include <QObject>
#include <QString>
#include <QStringView>

#include <functional>

class QProcess;
class QTimer;

namespace vornix {

// How a piece of the tool's output ends: a whole line; the beginning of a line not yet ended;
// a whole line that ended with a lone carriage return, which a console would write the next
// line over (progress figures).
enum class LineKind { Whole, Beginning, WholeByReturn };

// How the last run ended.
enum class RunEnd {
    Exited,        // the child ended by itself
    FailedToStart, // no child: the line "<CommandLine> doesn't exist." was given, in the language
                   // of the window the runner belongs to
    TimedOut,      // a time limit ended the wait; the child is still running (hasRunningChild)
    Stopped,       // stop() killed the child during the run
};

class ProcessRunner;
// The text lies in the runner's read buffer: valid during the call only, so a handler that
// keeps it copies it.
using LineHandler = std::function<void(ProcessRunner* sender, QStringView text, LineKind kind)>;
using EndHandler = std::function<void(ProcessRunner* sender)>;

// The runner's tick timer: two counters, ticks since the start of the run and ticks since
// the last complete line, both advanced by every tick of a user-interface timer.
class ProcessTimer : public QObject {
    Q_OBJECT
  public:
    explicit ProcessTimer(QObject* parent = nullptr);
    // Both counters to 0, then ticking every intervalMs.
    void start(int intervalMs = 1000);
    void stop();
    bool isActive() const;
    void lineCompleted() { sinceLastLine_ = 0; }
    int ticksSinceStart() const { return sinceStart_; }
    int ticksSinceLastLine() const { return sinceLastLine_; }
  signals:
    void ticked();

  private:
    QTimer* timer_;
    int sinceStart_ = 0;
    int sinceLastLine_ = 0;
};

class ProcessRunner : public QObject {
    Q_OBJECT
  public:
    explicit ProcessRunner(QObject* parent = nullptr);
    ~ProcessRunner() override;

    QString commandLine;
    int maxTicksAfterStart = 0;      // ticks; 0 or less: no limit
    int maxTicksAfterLastOutput = 0; // ticks; 0 or less: no limit
    LineHandler onLine;
    EndHandler onEnded;

    // Where the program name of commandLine is looked up first (findTool); empty means the
    // folder of the running program.
    QString programFolder;
    // Length of one tick in milliseconds (tests shorten it).
    int tickInterval = 1000;

    // Starts a run and returns at once. Returns false (and does nothing) when commandLine is
    // empty or a run is still in progress. A program that cannot be started still ends with
    // onEnded, after the line "<CommandLine> doesn't exist.".
    bool start();
    // Kills the child of the run in progress (the run then ends as after the child's own
    // exit) and any child a time limit left running. Returns false when there was none.
    bool stop();
    bool isRunning() const;
    RunEnd lastEnd() const;
    // The child of the last run, if a time limit left it running (so callers can still wait).
    bool waitForChildExit(int msecs);
    // Whether the child of the last run is still running (only after a time limit).
    bool hasRunningChild() const;
    const ProcessTimer* timer() const;

  signals:
    // Right after onEnded, once per started run.
    void runFinished();
    // The child of the last run has exited (also when that happens after the run ended).
    void childExited();

  private:
    struct Impl;
    Impl* d;
};

// The calling pattern of the tool windows: Start, then wait in a local event loop (the
// window stays responsive) until onEnded has come, then 10 ms more. Returns false when
// the runner refused to start.
bool runAndWait(ProcessRunner& command);

// The runner "DosCommand1" of a window whose log shows every line as it comes (a beginning
// of a line as much as a whole one) and whose finished flag is set by onEnded: no time
// limits, the program looked up from programFolder.
ProcessRunner* createLogRunner(QObject* owner, const QString& programFolder,
                               std::function<void(QStringView)> showLine, bool* finished);

// A tool run to its end with a time limit, for tools whose result is a file they write: no
// shell, nothing on standard input (a question gets its answer, none, at once), output and
// errors together. The window stays live meanwhile.
struct ToolRun {
    enum class End {
        Exited,        // exitCode holds its code
        Crashed,       // it did not end normally
        FailedToStart, // error says why
        TimedOut,      // killed after the time limit
        Abandoned,     // the wait was given up (the program is quitting); the tool was killed
    };
    End end = End::FailedToStart;
    int exitCode = 0;
    QByteArray output;
    QString error;
};
ToolRun runWithTimeLimit(const QString& program, const QStringList& arguments, int limitMs);

// Waits in a local event loop until the child of the last run has exited; returns at once
// when there is none.
void waitForChildInLoop(ProcessRunner& command);

} // namespace vornix
