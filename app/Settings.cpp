#include "app/Settings.h"

#include "app/IniFile.h"

#include <QFileInfo>

namespace vornix {

namespace {
const QString kSection = QStringLiteral("M");
}

ProgramSettings ProgramSettings::read(const QString& iniPath) {
    ProgramSettings s;
    IniFile ini(iniPath);
    if (!ini.load())
        return s;
    s.eng = IniFile::parseBool(ini.value(kSection, QStringLiteral("Eng")), s.eng);
    s.opc = IniFile::parseBool(ini.value(kSection, QStringLiteral("opc")), s.opc);
    s.wyn = IniFile::parseBool(ini.value(kSection, QStringLiteral("wyn")), s.wyn);
    s.pod = IniFile::parseBool(ini.value(kSection, QStringLiteral("pod")), s.pod);
    return s;
}

bool ProgramSettings::store(const QString& iniPath, const QString& key, bool value) {
    IniFile ini(iniPath);
    // A missing file starts empty; one that exists but cannot be read is not replaced.
    if (!ini.load() && QFileInfo::exists(iniPath))
        return false;
    ini.setValue(kSection, key, value ? QStringLiteral("1") : QStringLiteral("0"));
    return ini.save();
}

} // namespace vornix
