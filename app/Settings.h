#pragma once
// The settings kept in settings.ini, section M: Eng, opc, wyn and pod.
#include <QString>

namespace vornix {

struct ProgramSettings {
    bool eng = false; // English interface
    bool opc = false; // mark programs with file type 0x01
    bool wyn = true;  // compress converted pictures
    bool pod = false; // the preview pane is shown

    // Missing file, section or key, or a value that is not a number: the defaults above.
    static ProgramSettings read(const QString& iniPath);
    // Writes one key as "1" or "0", keeping every other line; false when it cannot be written.
    static bool store(const QString& iniPath, const QString& key, bool value);
};

} // namespace vornix
