#pragma once
// What every window is given: where the program lives and the dialog seam.
#include <QString>

namespace vornix {

class Dialogs;

struct AppContext {
    QString programFolder; // absolute, with a trailing separator
    Dialogs* dialogs = nullptr;
    // Where an installed program, whose folder is not writable, keeps settings.ini and its
    // working folder instead (absolute, with a trailing separator); empty: beside the program.
    QString userConfigFolder{};
    QString userWorkingFolder{};

    QString workingFolder() const {
        return userWorkingFolder.isEmpty() ? programFolder + QStringLiteral("temp/") : userWorkingFolder;
    }
    QString settingsPath() const {
        return (userConfigFolder.isEmpty() ? programFolder : userConfigFolder) +
               QStringLiteral("settings.ini");
    }
};

} // namespace vornix
