#include "gui/ToolWindow.h"

#include "gui/Dialogs.h"
#include "gui/ToolLocator.h"
#include "gui/WindowLanguage.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace vornix {

void placeOver(QWidget* window, const QWidget* owner) {
    // The size the window will have when shown: its layout's minimum applied now.
    window->ensurePolished();
    if (QLayout* layout = window->layout())
        layout->activate();
    // A window never shown has no frame yet; the owner's tells how wide the decorations are.
    const QRect outer = owner->frameGeometry();
    const QRect inner = owner->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize room = area.size().shrunkBy(frame);
    const QSize size = window->size();
    if (size.width() > room.width() || size.height() > room.height())
        window->resize(size.boundedTo(room).expandedTo(window->minimumSize()));
    const QSize whole = window->size().grownBy(frame);
    QPoint at = outer.center() - QPoint(whole.width() / 2, whole.height() / 2);
    // Left and top win when even the smallest window is bigger than the screen: the title
    // bar and the controls at the top stay reachable.
    at.setX(std::max(area.left(), std::min(at.x(), area.left() + area.width() - whole.width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.top() + area.height() - whole.height())));
    window->move(at);
}

ToolWindow::ToolWindow(const AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(context) {}

void ToolWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Restoring a minimised window is not a new showing.
    if (!event->spontaneous())
        checkTool();
}

QString ToolWindow::findToolOrWarn(const QString& name, const QString& text) {
    const QString tool = findTool(ctx_.programFolder, name);
    if (tool.isEmpty()) {
        gui::followWindowLanguage(staticMetaObject.className(), this);
        if (ctx_.dialogs)
            ctx_.dialogs->message(this, tr("Warning"), text, MsgButtons::Ok, MsgIcon::Warning);
        toolMissing_ = true;
    }
    return tool;
}

QString ToolWindow::toolName(const QString& base) const { return toolName(base, gui::windowLanguage(this)); }

QString ToolWindow::toolName(const QString& base, gui::Language language) {
#ifdef Q_OS_WIN
    (void)language;
    return base + QStringLiteral(".exe");
#else
    return gui::translateIn(language, staticMetaObject.className(), QT_TR_NOOP("%1 (or %1.exe)")).arg(base);
#endif
}

} // namespace vornix
