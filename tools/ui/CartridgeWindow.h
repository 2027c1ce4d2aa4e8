#pragma once
#include "gui/Language.h"
#include "gui/ToolWindow.h"

#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QProcess;
class QPushButton;
class QTimer;

namespace vornix {

class LogView;
class ProcessRunner;

// Cartconv GUI: builds the cartridge converter's command line from the chosen destination
// and files, runs it and shows what it prints.
class CartridgeWindow : public ToolWindow {
    Q_OBJECT
  public:
    explicit CartridgeWindow(const AppContext& context, QWidget* parent = nullptr);
    // Every text of the window in the language; its messages and log lines from now on too.
    // Designed in English.
    void setLanguage(gui::Language language);

    void clearClicked(); // Clear
    void copyClicked();  // Copy
    void startClicked(); // Start
    void closeClicked(); // Close
    void typeChanged();

    QString outputSuffix() const { return outputSuffix_; }
    bool isRunning() const { return running_; }
    // The tool is asked for its type names in the background when the window is first shown
    // with the tool present; until it answers, the table's names are used.
    bool isAskingForTypes() const { return typesQuery_ != nullptr; }
    void setTypesTimeLimit(int milliseconds) { typesLimitMs_ = milliseconds; }

  signals:
    // The type query has ended: answered, failed or given up after the time limit.
    void typesSettled();

  private:
    QWidget* buildLog();
    QLayout* buildOptions();
    QLayout* buildButtons();
    void retranslate();
    void checkTool() override;
    void askToolForTypes(const QString& toolPath);
    void endTypesQuery();
    int selectedDestination() const;
    void log(const QString& line);
    void updateStartButton();

    LogView* logView_;
    QPushButton* clearButton_;
    QPushButton* copyButton_;
    QPushButton* startButton_;
    QPushButton* closeButton_;
    QLabel* destinationLabel_;
    QLabel* toolMissingLabel_;
    QComboBox* typeBox_;
    QCheckBox* loadAddressCheck_;
    QCheckBox* nameCheck_;
    QLineEdit* loadAddressEdit_;
    QLineEdit* nameEdit_;
    ProcessRunner* runner_;

    QString outputSuffix_ = QStringLiteral(".PRG");
    int saveFilter_ = 0;
    bool finished_ = false;
    bool running_ = false;
    bool typesAsked_ = false;
    std::vector<std::string> knownTypes_; // what the installed tool lists for --types
    QProcess* typesQuery_ = nullptr;
    QTimer* typesTimer_ = nullptr;
    int typesLimitMs_ = 5000;
};

} // namespace vornix
