#pragma once
// What the windows around an external tool share: the application context, the check for
// the tool each time the program shows the window, and the warning when it is missing.
#include "gui/AppContext.h"
#include "gui/Language.h"

#include <QWidget>

namespace vornix {

// Puts a window that is about to be shown for the first time centred over owner and wholly
// on owner's screen, made smaller first when the screen cannot hold it (never below its
// minimum size). The window frame is taken to be as wide as the owner's.
void placeOver(QWidget* window, const QWidget* owner);

class ToolWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ToolWindow(const AppContext& context, QWidget* parent = nullptr);

  protected:
    // Shown by the program (not restored from the task bar): checkTool runs.
    void showEvent(QShowEvent* event) override;
    virtual void checkTool() = 0;
    // The tool's path, or empty after warning with text under the caption "Warning" in the
    // window's language (one caption for every tool window); a window whose options need the
    // tool then keeps them disabled (toolMissing_).
    QString findToolOrWarn(const QString& name, const QString& text);
    // The tool as the window's messages name it, in its language: "pucrunch.exe" on Windows,
    // elsewhere "pucrunch (or pucrunch.exe)", the names findTool looks for. base is without
    // ".exe".
    QString toolName(const QString& base) const;
    // The same in the given language, for a text that carries both.
    static QString toolName(const QString& base, gui::Language language);

    AppContext ctx_;
    bool toolMissing_ = false; // once reported, the options stay disabled until the program ends
};

} // namespace vornix
