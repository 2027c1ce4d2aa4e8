#pragma once
// Classes that serve windows of different languages (the log view, the process runner, the
// tool-window base, the real dialogs) word their texts in translation contexts of their own.
// Right before wording one, such a class gives its context the language of the window it is
// serving, so that one log view speaks Polish in one window and English in another.
#include "gui/Language.h"

class QObject;

namespace vornix::gui {

// The language of the window object belongs to: that of its top-level widget's class, the
// context the window's setLanguage names. Without a widget above it, the default language.
Language windowLanguage(const QObject* object);

// Gives context the language of object's window.
void followWindowLanguage(const char* context, const QObject* object);

} // namespace vornix::gui
