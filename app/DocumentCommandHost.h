#pragma once
// What the disk and tape commands may do with the main window: the steps its own menu
// commands take on the document, and nothing of its controls.
#include "core/TapeDocument.h"
#include "gui/Dialogs.h"

#include <QString>

#include <functional>
#include <string>

class QAction;
class QWidget;

namespace vornix {

class DocumentCommandHost {
  public:
    // The parent of the commands' dialogs.
    virtual QWidget* hostWindow() = 0;
    virtual Dialogs& dialogs() = 0;
    virtual const TapeDocument& document() const = 0;
    virtual bool imageOpen() const = 0;
    // The image file last opened or saved; empty for a new image.
    virtual QString imagePath() const = 0;
    // The entries an export writes: those selected, or all when the user selected none.
    virtual Selection exportSelection() const = 0;
    // True (with a beep) while entries are being written: the command must not start.
    virtual bool refuseWhileBusy() = 0;
    // Changes the document as one step to undo, then shows the list again.
    virtual void changeDocument(const std::function<void(TapeDocument&)>& change) = 0;
    // New, as the menu's command (which asks to save a modified image first).
    virtual void startNewImage() = 0;
    // The label of a new image, not a step to undo.
    virtual void setNewImageLabel(const std::string& label) = 0;
    // The first entry selected, as when an image is opened.
    virtual void selectFirstEntry() = 0;
    virtual void showStatus(const QString& text) = 0;
    // Puts item into the File menu before Exit (available when extracting is) or the Edit
    // menu before Delete (available when adding is).
    virtual void addFileMenuItem(QAction* item) = 0;
    virtual void addEditMenuItem(QAction* item) = 0;

  protected:
    ~DocumentCommandHost() = default;
};

} // namespace vornix
