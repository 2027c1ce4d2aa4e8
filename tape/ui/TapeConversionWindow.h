#pragma once
#include "gui/Dialogs.h"
#include "gui/Language.h"
#include "gui/ToolWindow.h"

#include <QLabel>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QHBoxLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace vornix {

class LogView;
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
class TapeConversionWindow : public ToolWindow {
    Q_OBJECT
  public:
    // Designed in Polish: the main window gives it English when it shows it in English.
    explicit TapeConversionWindow(const AppContext& context, QWidget* parent = nullptr);
    void setLanguage(gui::Language language);

    // The handlers of the controls, as a click or a change calls them.
    void clearClicked();
    void copyClicked();
    void startClicked();
    void closeClicked();
    void browseInput();
    void outputChosen();
    void frequencyToggled();
    void speedUpClicked();
    void speedDownClicked();
    void amplitudeSlid();
    void amplitudeTyped();

    bool isRunning() const { return running_; }

  private:
    QHBoxLayout* buildTextButtons();
    QWidget* buildVersionOnePage();
    QWidget* buildConversionPage();
    QHBoxLayout* buildInputRow();
    QGroupBox* buildOutputBox();
    QHBoxLayout* buildSpeedRow();
    QHBoxLayout* buildAmplitudeRow();
    void buildMessageLabels();
    void connectControls();
    void retranslate();
    FileDialogSetup inputSetup() const;
    FileDialogSetup tapOutputSetup() const;
    FileDialogSetup t64OutputSetup() const;

    void checkTool() override;
    void stepSpeed(bool up);
    void runStep(const QString& commandLine);
    // Both fill commandLine (left empty when a dialog was cancelled) and return false when
    // the Start action ends here without a run step.
    bool versionOneCommandLine(QString* commandLine);
    bool analysisCommandLine(QString* commandLine);
    int outputChoice() const;
    void log(const QString& line);
    void showSpeedMessage();

    LogView* logView_;
    FlatTextButton* clearButton_;
    FlatTextButton* copyButton_;
    FlatTextButton* startButton_;
    FlatTextButton* closeButton_;
    QTabWidget* pages_;
    QWidget* versionOnePage_;
    QWidget* conversionPage_;
    QLabel* delayLabel_;
    QSpinBox* delaySpin_;
    QLabel* inputLabel_;
    QLineEdit* inputEdit_;
    QToolButton* browseButton_;
    QGroupBox* outputBox_;
    QButtonGroup* outputButtons_;
    QRadioButton* outputItems_[3];
    QCheckBox* reverseCheck_;
    QLabel* speedLabel_;
    QLineEdit* speedEdit_;
    QPushButton* speedUpButton_;
    QPushButton* speedDownButton_;
    QCheckBox* frequencyCheck_;
    QSpinBox* frequencySpin_;
    QLabel* amplitudeLabel_;
    QSlider* amplitudeSlider_;
    QSpinBox* amplitudeSpin_;
    QCheckBox* numberFilesCheck_;
    QLineEdit* prefixEdit_;
    QCheckBox* saveBadCheck_;
    QLabel* versionOneLabel_;
    QLabel* toolMissingLabel_;
    ProcessRunner* runner_;

    bool finished_ = false;
    bool running_ = false;
    gui::Language language_ = gui::Language::Polish;
    bool echoGuard_ = false; // keeps the track bar and the amplitude number from echoing
};

} // namespace vornix
