#pragma once
#include "app/AppContext.h"
#include "app/Dialogs.h"
#include "tools/DosCommand.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class LogView;
class QPushButton;

// PUCrunch GUI: builds the compressor's command line from its options, runs it and shows
// what it prints.
class TForm3 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm3(const AppContext& context, QWidget* parent = nullptr);
    // Writes the Polish texts over the English design texts (never undone).
    void applyPolish();
    enum class Outcome {
        Compressed,    // the compressor wrote a non-empty P + "1" in this run
        NotCompressed, // it could not run, or wrote nothing usable; the log says why
        Stopped,       // the user stopped it; no P + "1" is left
    };
    // The converters' unattended run: input P, output P + "1", optional fast decompressor,
    // Run, then Exit. Always for the C64 with the default load and start addresses, whatever
    // the window shows; the other options as they stand. Returns after the compressor has
    // exited (an old file named P + "1" is removed first).
    Outcome runUnattended(const QString& path, bool fastDecompressor);

    // Run: asks for the input and output (unless the log reads exactly "W"), runs the
    // compressor and waits for it. Refused while a run is in progress.
    void Button5Click();
    void Button1Click(); // Clear
    void Button2Click(); // Copy selected
    void Button6Click(); // Exit
    void stopClick();    // Stop: ends the running compressor
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox7Click();
    void DosCommand1NewLine(TDosCommand* Sender, QStringView NewLine, TOutputType OutputType);
    void DosCommand1Terminated(TDosCommand* Sender);

    bool isBusy() const { return busy_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    bool run(bool forPicture);
    void updateStopButton();
    // One line of the compressor into the log, by the window's rules.
    void showToolLine(QStringView line, bool whole);
    void checkTool();
    void setOptionsEnabled(bool enabled);
    QString commandLine(bool forPicture) const;

    AppContext ctx_;
    LogView* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* ButtonStop;
    QGroupBox* RadioGroup1;
    QGroupBox* RadioGroup2;
    QGroupBox* RadioGroup3;
    QButtonGroup* machine_;
    QButtonGroup* decompressor_;
    QButtonGroup* maxLen_;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox6;
    QCheckBox* CheckBox7;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLabel* Label1;
    FileDialogSetup OpenDialog1;
    FileDialogSetup SaveDialog1;
    TDosCommand* DosCommand1;
    bool finished_ = true;
    bool busy_ = false;
    bool toolMissing_ = false; // once reported, the options stay disabled until the program ends
    bool stopped_ = false;     // Stop was pressed during the current run
    bool polish_ = false;
    // How the log looked before the tool's current console line was shown: that line is shown
    // again, in place, when it grows, ends, or is written over after a carriage return.
    struct OpenLine {
        bool active = false;
        bool byReturn = false;
        qsizetype lineCount = 0;
        qsizetype lastLength = 0;
    } open_;
};
