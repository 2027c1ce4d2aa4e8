#pragma once
// What every window is given: where the program lives and the dialog seam.
#include <QString>

namespace vornix {

class Dialogs;

struct AppContext {
    QString programFolder; // absolute, with a trailing separator
    Dialogs* dialogs = nullptr;

    QString workingFolder() const { return programFolder + QStringLiteral("temp/"); }
    QString settingsPath() const { return programFolder + QStringLiteral("settings.ini"); }
};

} // namespace vornix
