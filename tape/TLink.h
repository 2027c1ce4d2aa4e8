#pragma once
#include "app/AppContext.h"

#include <QWidget>

class QListWidget;
class QMenu;
class QProgressBar;
class QToolButton;

// TAP Linker
class TForm6 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm6(const AppContext& context, QWidget* parent = nullptr);

    // How long a join waits for the tape tool to convert one input before it gives up.
    void setConversionTimeout(int milliseconds) { conversionTimeoutMs_ = milliseconds; }
    // Where the pause menu opens when the pause button is clicked (screen coordinates).
    QPoint pauseMenuPosition() const;
    bool isJoining() const { return joining_; }

  public slots:
    void SpeedButton1Click(); // add files
    void SpeedButton2Click(); // move up
    void SpeedButton3Click(); // move down
    void SpeedButton4Click(); // remove
    void SpeedButton5Click(); // pause menu
    void SpeedButton6Click(); // join and save
    void SpeedButton7Click(); // clear the list

  protected:
    void showEvent(QShowEvent* event) override;

  private:
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

    AppContext ctx_;
    QListWidget* ListBox1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    bool joining_ = false;
    int conversionTimeoutMs_ = 5 * 60 * 1000;
};
