#pragma once
// The external process runner. A QProcess with merged channels on the user-interface
// thread; the command line is split the way the platform splits it and never given to a shell.
#include <QObject>
#include <QString>

#include <functional>

class QProcess;
class QTimer;

enum TOutputType { otEntireLine = 0, otBeginningOfLine = 1 };

class TDosCommand;
using TNewLineEvent = std::function<void(TDosCommand* Sender, const QString& NewLine, TOutputType OutputType)>;
using TNotifyEvent = std::function<void(TDosCommand* Sender)>;

class TDosCommand : public QObject {
    Q_OBJECT
public:
    explicit TDosCommand(QObject* parent = nullptr);
    ~TDosCommand() override;

    QString CommandLine;
    bool InputToOutput = false;
    int MaxTimeAfterBeginning = 0;  // ticks; 0 or less: no limit
    int MaxTimeAfterLastOutput = 0; // ticks; 0 or less: no limit
    TNewLineEvent OnNewLine;
    TNotifyEvent OnTerminated;

    // Where the program name of CommandLine is looked up first (findTool).
    QString ProgramFolder;

    // Starts a run and returns at once. Returns false (and does nothing) when CommandLine is
    // empty or a run is still in progress. A program that cannot be started still ends with
    // OnTerminated, after the line "<CommandLine> doesn't exist.".
    bool Start();
    bool isRunning() const;
    // The child of the last run, if a time limit left it running (so callers can still wait).
    bool waitForChildExit(int msecs);

private:
    struct Impl;
    Impl* d;
};

// The calling pattern of the tool windows: Start, then wait in a local event loop (the
// window stays responsive) until OnTerminated has come, then 10 ms more. Returns false when
// the runner refused to start.
bool runAndWait(TDosCommand& command);
