#pragma once
#include "gui/AppContext.h"

#include <QLabel>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class LogView;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QToolButton;
class ProcessRunner;

// A static text used as a flat button: a flat frame, a soft sunken frame while the mouse is
// held on it, and a click when the mouse is released over it. An inert one does neither.
class FlatTextButton : public QLabel {
    Q_OBJECT
  public:
    explicit FlatTextButton(const QString& text, QWidget* parent = nullptr);
    void setInert(bool inert);
    bool isInert() const { return inert_; }
    bool isPressedLook() const { return pressed_; }

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void setPressed(bool pressed);
    bool inert_ = false;
    bool pressed_ = false;
};

// Tape64 Frontend: WAV and TAP recordings to version 1 TAP files, T64 images or P00 files
// through the tape tool, with the tool's output in the window.
class TapeConversionWindow : public QWidget {
    Q_OBJECT
  public:
    explicit TapeConversionWindow(const AppContext& context, QWidget* parent = nullptr);
    // Writes the English texts over the Polish design texts (never undone).
    void applyEnglish();

    void StaticText1Click();  // Clear
    void StaticText2Click();  // Copy
    void StaticText3Click();  // Start
    void StaticText4Click();  // Close
    void SpeedButton1Click(); // Browse for the input
    void RadioGroup1Click();
    void CheckBox1Click();
    void Button5Click(); // speed up
    void Button6Click(); // speed down
    void TrackBar1Change();
    void SpinEdit3Change();

    bool isRunning() const { return running_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void checkTool();
    void stepSpeed(bool up);
    void runStep(const QString& commandLine);
    // Both fill commandLine (left empty when a dialog was cancelled) and return false when
    // the Start action ends here without a run step.
    bool versionOneCommandLine(QString* commandLine);
    bool analysisCommandLine(QString* commandLine);
    int outputChoice() const;
    void log(const QString& line);
    void showSpeedMessage();
    QString text(const char* polish, const char* english) const;

    AppContext ctx_;
    LogView* Memo1;
    FlatTextButton* StaticText1;
    FlatTextButton* StaticText2;
    FlatTextButton* StaticText3;
    FlatTextButton* StaticText4;
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QLabel* Label1;
    QSpinBox* SpinEdit1;
    QLabel* Label5;
    QLineEdit* Edit3;
    QToolButton* SpeedButton1;
    QGroupBox* RadioGroup1;
    QButtonGroup* outputButtons_;
    QRadioButton* RadioGroup1Items[3];
    QCheckBox* CheckBox2;
    QLabel* Label3;
    QLineEdit* Edit1;
    QPushButton* Button5;
    QPushButton* Button6;
    QCheckBox* CheckBox1;
    QSpinBox* SpinEdit2;
    QLabel* Label2;
    QSlider* TrackBar1;
    QSpinBox* SpinEdit3;
    QCheckBox* CheckBox3;
    QLineEdit* Edit2;
    QCheckBox* CheckBox4;
    QLabel* Label4;
    QLabel* Label6;
    ProcessRunner* DosCommand1;

    bool finished_ = false;
    bool running_ = false;
    bool toolMissing_ = false;
    bool english_ = false;
    bool echoGuard_ = false; // keeps the track bar and the amplitude number from echoing
};
