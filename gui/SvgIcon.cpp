#include "gui/SvgIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The icons live in a static library: pull them in before the first use.
static void initIcons() { Q_INIT_RESOURCE(icons); }

namespace vornix::gui {

void loadIcons() {
    static const bool loaded = (initIcons(), true);
    (void)loaded;
}

QIcon svgIcon(const QString& name) {
    loadIcons();
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace vornix::gui
