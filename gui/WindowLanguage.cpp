#include "gui/WindowLanguage.h"

#include <QWidget>

namespace vornix::gui {

Language windowLanguage(const QObject* object) {
    while (object && !object->isWidgetType())
        object = object->parent();
    if (!object)
        return contextLanguage("");
    return contextLanguage(static_cast<const QWidget*>(object)->window()->metaObject()->className());
}

void followWindowLanguage(const char* context, const QObject* object) {
    setContextLanguage(context, windowLanguage(object));
}

} // namespace vornix::gui
