#pragma once
#include "app/AppContext.h"

#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class LogView;
class QProcess;
class QPushButton;
class QTimer;
class TDosCommand;

// Cartconv GUI: builds the cartridge converter's command line from the chosen destination
// and files, runs it and shows what it prints.
class TForm4 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm4(const AppContext& context, QWidget* parent = nullptr);
    // Writes the Polish texts over the English design texts (never undone).
    void applyPolish();

    void Button1Click(); // Clear
    void Button2Click(); // Copy
    void Button3Click(); // Start
    void Button4Click(); // Close
    void ComboBox1Change();

    QString outputSuffix() const { return outputSuffix_; }
    bool isRunning() const { return running_; }
    // The tool is asked for its type names in the background when the window is first shown
    // with the tool present; until it answers, the table's names are used.
    bool isAskingForTypes() const { return typesQuery_ != nullptr; }
    void setTypesTimeLimit(int milliseconds) { typesLimitMs_ = milliseconds; }

  signals:
    // The type query has ended: answered, failed or given up after the time limit.
    void typesSettled();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void checkTool();
    void askToolForTypes(const QString& toolPath);
    void endTypesQuery();
    int selectedDestination() const;
    void log(const QString& line);
    void updateStartButton();
    QString text(const char* english, const char* polish) const;

    AppContext ctx_;
    LogView* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QLabel* Label1;
    QLabel* Label2;
    QComboBox* ComboBox1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    TDosCommand* DosCommand1;

    QString outputSuffix_ = QStringLiteral(".PRG");
    int saveFilter_ = 0;
    bool finished_ = false;
    bool running_ = false;
    bool toolMissing_ = false;
    bool typesAsked_ = false;
    bool polish_ = false;
    std::vector<std::string> knownTypes_; // what the installed tool lists for --types
    QProcess* typesQuery_ = nullptr;
    QTimer* typesTimer_ = nullptr;
    int typesLimitMs_ = 5000;
};
