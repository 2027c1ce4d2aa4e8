#pragma once
// The external process runner. A QProcess with merged channels on the user-interface
// thread; the command line is split the way the platform splits it and never given to a shell.
#include <QObject>
#include <QString>
#include <QStringView>

#include <functional>

class QProcess;
class QTimer;

// otEntireLineByReturn: a whole line that ended with a lone carriage return, which a console
// would write the next line over (progress figures).
enum TOutputType { otEntireLine = 0, otBeginningOfLine = 1, otEntireLineByReturn = 2 };

class TDosCommand;
// NewLine lies in the runner's read buffer: valid during the call only, so a handler that
// keeps it copies it.
using TNewLineEvent = std::function<void(TDosCommand* Sender, QStringView NewLine, TOutputType OutputType)>;
using TNotifyEvent = std::function<void(TDosCommand* Sender)>;

// The runner's tick timer: two counters, ticks since the start of the run and ticks since
// the last complete line, both advanced by every tick of a user-interface timer.
class TProcessTimer : public QObject {
    Q_OBJECT
  public:
    explicit TProcessTimer(QObject* parent = nullptr);
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

class TDosCommand : public QObject {
    Q_OBJECT
  public:
    explicit TDosCommand(QObject* parent = nullptr);
    ~TDosCommand() override;

    QString CommandLine;
    bool InputToOutput = false;     // nothing is ever sent to the child, so without effect
    int MaxTimeAfterBeginning = 0;  // ticks; 0 or less: no limit
    int MaxTimeAfterLastOutput = 0; // ticks; 0 or less: no limit
    TNewLineEvent OnNewLine;
    TNotifyEvent OnTerminated;

    // Where the program name of CommandLine is looked up first (findTool); empty means the
    // folder of the running program.
    QString ProgramFolder;
    // Length of one tick in milliseconds (tests shorten it).
    int TickInterval = 1000;

    // Starts a run and returns at once. Returns false (and does nothing) when CommandLine is
    // empty or a run is still in progress. A program that cannot be started still ends with
    // OnTerminated, after the line "<CommandLine> doesn't exist.".
    bool Start();
    // Kills the child of the run in progress (the run then ends as after the child's own
    // exit) and any child a time limit left running. Returns false when there was none.
    bool Stop();
    bool isRunning() const;
    // The child of the last run, if a time limit left it running (so callers can still wait).
    bool waitForChildExit(int msecs);
    // Whether the child of the last run is still running (only after a time limit).
    bool hasRunningChild() const;
    const TProcessTimer* timer() const;

  signals:
    // Right after OnTerminated, once per started run.
    void runFinished();
    // The child of the last run has exited (also when that happens after the run ended).
    void childExited();

  private:
    struct Impl;
    Impl* d;
};

// The calling pattern of the tool windows: Start, then wait in a local event loop (the
// window stays responsive) until OnTerminated has come, then 10 ms more. Returns false when
// the runner refused to start.
bool runAndWait(TDosCommand& command);

// The runner "DosCommand1" of a window whose log shows every line as it comes (a beginning
// of a line as much as a whole one) and whose finished flag is set by OnTerminated: no time
// limits, the program looked up from programFolder.
TDosCommand* createLogRunner(QObject* owner, const QString& programFolder,
                             std::function<void(QStringView)> showLine, bool* finished);

// Waits in a local event loop until the child of the last run has exited; returns at once
// when there is none.
void waitForChildInLoop(TDosCommand& command);
