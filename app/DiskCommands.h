#pragma once
// The main window's commands between the open tape image and 1541 disk images: "Export to
// D64" (File menu) and "Add from D64" (Edit menu). Created once by the main window.
#include "gui/Dialogs.h"

#include <QObject>

class QAction;

namespace vornix {

class DocumentCommandHost;

class DiskCommands : public QObject {
    Q_OBJECT
  public:
    // Puts the two menu items into the window's menus; they are available exactly when
    // extracting and adding are.
    DiskCommands(DocumentCommandHost& host, QObject* parent);
    // The menu items' texts in the language of this class's texts.
    void retranslate();

  public slots:
    void exportToDisk();
    void addFromDisk();

  private:
    struct Program;
    void addChosen(const QList<int>& chosen, const std::vector<Program>& programs, const QString& disk);
    void tell(const QString& text);

    DocumentCommandHost& host_;
    FileDialogSetup exportDialog_;
    FileDialogSetup addDialog_;
    QAction* exportD64Action_ = nullptr;
    QAction* addD64Action_ = nullptr;
};

} // namespace vornix
