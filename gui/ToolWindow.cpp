#include "gui/ToolWindow.h"

#include "gui/Dialogs.h"
#include "gui/ToolLocator.h"

#include <QShowEvent>

namespace vornix {

ToolWindow::ToolWindow(const AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(context) {}

void ToolWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Restoring a minimised window is not a new showing.
    if (!event->spontaneous())
        checkTool();
}

QString ToolWindow::findToolOrWarn(const QString& name, const QString& caption, const QString& text) {
    const QString tool = findTool(ctx_.programFolder, name);
    if (tool.isEmpty()) {
        if (ctx_.dialogs)
            ctx_.dialogs->message(this, caption, text, MsgButtons::Ok, MsgIcon::Warning);
        toolMissing_ = true;
    }
    return tool;
}

} // namespace vornix
