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
    // The converters' unattended run: input P, output P + "1", optional fast decompressor,
    // Run, then Exit. Returns after the compressor has exited; true only when it wrote a
    // non-empty P + "1" in this run (an old file of that name is removed first).
    bool runUnattended(const QString& path, bool fastDecompressor);

    // Run: asks for the input and output (unless the log reads exactly "W"), runs the
    // compressor and waits for it. Refused while a run is in progress.
    void Button5Click();
    void Button1Click(); // Clear
    void Button2Click(); // Copy selected
    void Button6Click(); // Exit
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox7Click();
    void DosCommand1NewLine(TDosCommand* Sender, const QString& NewLine, TOutputType OutputType);
    void DosCommand1Terminated(TDosCommand* Sender);

    bool isBusy() const { return busy_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool run();
    void checkTool();
    void setOptionsEnabled(bool enabled);
    QString commandLine() const;

    AppContext ctx_;
    LogView* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button5;
    QPushButton* Button6;
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
};
