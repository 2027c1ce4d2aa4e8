#pragma once
#include "gui/Language.h"
#include "gui/ToolWindow.h"
#include "tape/TapJoin.h"

#include <QWidget>

#include <optional>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolButton;

namespace vornix {

// TAP Linker: TAP files and pauses, in the user's order, joined into one version 1 TAP.
class TapLinkerWindow : public ToolWindow {
    Q_OBJECT
  public:
    // Designed in English: the main window gives it its own language when it shows it.
    explicit TapLinkerWindow(const AppContext& context, QWidget* parent = nullptr);
    void setLanguage(gui::Language language);

    // How long a join waits for the tape tool to convert one input before it gives up.
    void setConversionTimeout(int milliseconds) { conversionTimeoutMs_ = milliseconds; }
    // Where the pause menu opens when the pause button is clicked (screen coordinates).
    QPoint pauseMenuPosition() const;
    bool isJoining() const { return joining_; }

  public slots:
    void addFiles();
    void moveUp();
    void moveDown();
    void removeSelected();
    void showPauseMenu();
    void joinAndSave();
    void clearList();

  private:
    void buildButtons();
    void buildPauseMenu();
    void buildLayout();
    void retranslate();
    void checkTool() override;
    QToolButton* makeButton(const QString& name, const QString& icon);
    QString joinFailureText(const vornix::tap::JoinFailure& failure) const;
    // The list's text of an entry: a pause in the window's language, a path as it is.
    QString entryText(const std::string& entry) const;
    void setEntry(QListWidgetItem* item, const std::string& entry);
    // The list's items, or nothing after telling the user why they cannot be joined.
    std::optional<std::vector<vornix::tap::JoinItem>> checkedItems(const std::string& output);
    // Converts every item that is not version 1, showing each converted file in the list.
    bool convertItems(std::vector<vornix::tap::JoinItem>& items, const QStringList& shown);
    void showJoined(const std::vector<vornix::tap::JoinItem>& items, const QString& output,
                    std::uint64_t dataLength);
    void insertPause(int seconds);
    void updateButtons();
    void showError(const QString& text);
    vornix::tap::Entries entries() const;
    int selectedIndex() const;
    void setEntries(const vornix::tap::Entries& list, int selected);
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

    gui::Language language_ = gui::Language::English;
    bool joining_ = false;
    int conversionTimeoutMs_ = 5 * 60 * 1000;
};

} // namespace vornix
