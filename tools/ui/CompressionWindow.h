#pragma once
#include "gui/Dialogs.h"
#include "gui/Language.h"
#include "gui/ProcessRunner.h"
#include "gui/ToolWindow.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;

namespace vornix {

class LogView;

// PUCrunch GUI: builds the compressor's command line from its options, runs it and shows
// what it prints.
class CompressionWindow : public ToolWindow {
    Q_OBJECT
  public:
    explicit CompressionWindow(const AppContext& context, QWidget* parent = nullptr);
    // Every text of the window in the language; its messages and log lines from now on too.
    // Designed in English.
    void setLanguage(gui::Language language);
    enum class Outcome {
        Compressed,    // the compressor wrote a non-empty P + "1" in this run
        NotCompressed, // it could not run, or wrote nothing usable; the log says why
        Stopped,       // the user stopped it; no P + "1" is left
        TimedOut,      // it printed nothing within the time limit and was stopped; no P + "1"
    };
    // The converters' unattended run: input P, output P + "1", optional fast decompressor,
    // Run, then Exit unless leaveShown. Always for the C64 with the default load and start
    // addresses, whatever the window shows; the other options as they stand. Returns after
    // the compressor has exited (an old file named P + "1" is removed first).
    Outcome runUnattended(const QString& path, bool fastDecompressor, bool leaveShown = false);

    // Run: asks for the input and output (unless the log reads exactly "W"), runs the
    // compressor and waits for it. Refused while a run is in progress.
    void runClicked();
    void clearClicked(); // Clear
    void copyClicked();  // Copy selected
    void exitClicked();  // Exit
    void stopClicked();  // Stop: ends the running compressor, also one left running by the time limit
    void defaultLoadToggled();
    void defaultStartToggled();
    void pOptionToggled();
    void toolLine(ProcessRunner* sender, QStringView text, LineKind kind);
    void toolEnded(ProcessRunner* sender);

    bool isBusy() const { return busy_; }

  private:
    QLayout* buildOptions();
    QWidget* buildLog();
    QLayout* buildButtons();
    void setUpDialogs();
    void setUpRunner();
    void retranslate();
    bool run(bool forPicture);
    void updateStopButton();
    void childExited();
    // One line of the compressor into the log, by the window's rules.
    void showToolLine(QStringView line, bool whole);
    void checkTool() override;
    void setOptionsEnabled(bool enabled);
    QString commandLine(bool forPicture) const;

    LogView* logView_;
    QPushButton* clearButton_;
    QPushButton* copyButton_;
    QPushButton* runButton_;
    QPushButton* exitButton_;
    QPushButton* stopButton_;
    QGroupBox* machineBox_;
    QGroupBox* decompressorBox_;
    QGroupBox* maxLenBox_;
    QButtonGroup* machine_;
    QButtonGroup* decompressor_;
    QButtonGroup* maxLen_;
    QCheckBox* avoidVideoMatrixCheck_;
    QCheckBox* defaultLoadCheck_;
    QCheckBox* defaultStartCheck_;
    QCheckBox* no2MhzCheck_;
    QCheckBox* deltaCheck_;
    QCheckBox* pOptionCheck_;
    QLineEdit* loadAddressEdit_;
    QLineEdit* startAddressEdit_;
    QLineEdit* pOptionEdit_;
    QLabel* toolMissingLabel_;
    FileDialogSetup openDialog_;
    FileDialogSetup saveDialog_;
    ProcessRunner* runner_;
    bool finished_ = true;
    bool busy_ = false;
    bool stopped_ = false;   // Stop was pressed during the current run
    bool timedOut_ = false;  // the current run ended at the time limit
    bool abandoned_ = false; // a compressor left running by the time limit has not ended yet
    // How the log looked before the tool's current console line was shown: that line is shown
    // again, in place, when it grows, ends, or is written over after a carriage return.
    struct OpenLine {
        bool active = false;
        bool byReturn = false;
        qsizetype lineCount = 0;
        qsizetype lastLength = 0;
    } open_;
};

} // namespace vornix
