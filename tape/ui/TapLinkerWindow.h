#pragma once
#include "gui/ToolWindow.h"

#include <QWidget>

class QListWidget;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolButton;

namespace vornix {

// TAP Linker
class TapLinkerWindow : public ToolWindow {
    Q_OBJECT
  public:
    explicit TapLinkerWindow(const AppContext& context, QWidget* parent = nullptr);

    // How long a join waits for the tape tool to convert one input before it gives up.
    void setConversionTimeout(int milliseconds) { conversionTimeoutMs_ = milliseconds; }
    // Where the pause menu opens when the pause button is clicked (screen coordinates).
    QPoint pauseMenuPosition() const;
    bool isJoining() const { return joining_; }

  public slots:
    void addFiles();       // add files
    void moveUp();         // move up
    void moveDown();       // move down
    void removeSelected(); // remove
    void showPauseMenu();  // pause menu
    void joinAndSave();    // join and save
    void clearList();      // clear the list

  private:
    void checkTool() override;
    QToolButton* makeButton(const QString& name, const QString& icon, const QString& tip);
    void insertPause(int seconds);
    void updateButtons();
    void showError(const QString& text);
    QStringList entries() const;
    int selectedIndex() const;
    void setEntries(const QStringList& list, int selected);
    // Runs the tape tool on path and waits for it; returns the converted file, or an empty
    // string after telling the user why (nothing is told when the program is quitting).
    QString convertToVersion1(const QString& path);

    QListWidget* list_ = nullptr;
    QToolButton* addButton_ = nullptr;
    QToolButton* upButton_ = nullptr;
    QToolButton* downButton_ = nullptr;
    QToolButton* removeButton_ = nullptr;
    QToolButton* pauseButton_ = nullptr;
    QToolButton* joinButton_ = nullptr;
    QToolButton* clearButton_ = nullptr;
    QMenu* pauseMenu_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QStatusBar* statusBar_ = nullptr; // what the last join wrote

    bool joining_ = false;
    int conversionTimeoutMs_ = 5 * 60 * 1000;
};

} // namespace vornix
