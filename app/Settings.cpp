#include "app/Settings.h"

#include "app/IniFile.h"

#include <QDir>
#include <QFileInfo>

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
    return s;
}

bool ProgramSettings::store(const QString& iniPath, const QString& key, bool value) {
    IniFile ini(iniPath);
    // A missing file starts empty; one that exists but cannot be read is not replaced.
    if (!ini.load() && QFileInfo::exists(iniPath))
        return false;
    // The user's configuration folder may not exist yet; the program folder always does.
    QDir().mkpath(QFileInfo(iniPath).absolutePath());
    ini.setValue(kSection, key, value ? QStringLiteral("1") : QStringLiteral("0"));
    return ini.save();
}
