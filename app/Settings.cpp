#include "app/Settings.h"

#include "app/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vornix {

namespace {

const QString kSection = QStringLiteral("M");
const QString kRecentSection = QStringLiteral("Recent");
const QString kWindowSection = QStringLiteral("Window");

// A missing file starts empty; one that exists but cannot be read is not replaced.
bool loadForWriting(IniFile& ini) {
    if (!ini.load() && QFileInfo::exists(ini.path()))
        return false;
    // The user's configuration folder may not exist yet; the program folder always does.
    QDir().mkpath(QFileInfo(ini.path()).absolutePath());
    return true;
}

QString recentKey(int i) { return QStringLiteral("File%1").arg(i + 1); }

} // namespace

ProgramSettings ProgramSettings::read(const QString& iniPath) {
    ProgramSettings s;
    IniFile ini(iniPath);
    if (!ini.load())
        return s;
    const auto read = [&ini](const char* key, bool fallback) {
        return IniFile::parseBool(ini.value(kSection, QLatin1String(key)), fallback);
    };
    s.englishInterface = read(kEnglishInterfaceKey, s.englishInterface);
    s.markProgramsType01 = read(kMarkProgramsType01Key, s.markProgramsType01);
    s.compressConverted = read(kCompressConvertedKey, s.compressConverted);
    s.previewShown = read(kPreviewShownKey, s.previewShown);
    return s;
}

bool ProgramSettings::store(const QString& iniPath, const QString& key, bool value) {
    IniFile ini(iniPath);
    if (!loadForWriting(ini))
        return false;
    ini.setValue(kSection, key, value ? QStringLiteral("1") : QStringLiteral("0"));
    return ini.save();
}

namespace recentimages {

// The file is single-byte text: a path is kept as the bytes the file system uses, in quotes
// so that spaces at either end survive.
QStringList read(const QString& iniPath) {
    IniFile ini(iniPath);
    QStringList paths;
    if (!ini.load())
        return paths;
    for (int i = 0; i < kMax; ++i) {
        const auto value = ini.value(kRecentSection, recentKey(i));
        if (value && !value->isEmpty())
            paths << QFile::decodeName(value->toLatin1());
    }
    return paths;
}

bool store(const QString& iniPath, const QStringList& paths) {
    IniFile ini(iniPath);
    if (!loadForWriting(ini))
        return false;
    for (int i = 0; i < kMax; ++i) {
        const QString key = recentKey(i);
        if (i < paths.size())
            ini.setValue(kRecentSection, key,
                         QLatin1Char('"') + QString::fromLatin1(QFile::encodeName(paths[i])) +
                             QLatin1Char('"'));
        else if (ini.value(kRecentSection, key))
            ini.setValue(kRecentSection, key, QString());
    }
    return ini.save();
}

QStringList withFirst(QStringList paths, const QString& path) {
    // A name with a line break cannot be a line of the file.
    if (path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')))
        return paths;
    paths.removeAll(path);
    paths.prepend(path);
    while (paths.size() > kMax)
        paths.removeLast();
    return paths;
}

} // namespace recentimages

namespace windowplace {

QByteArray read(const QString& iniPath) {
    IniFile ini(iniPath);
    if (!ini.load())
        return {};
    const auto value = ini.value(kWindowSection, QStringLiteral("Geometry"));
    return value ? QByteArray::fromBase64(value->toLatin1()) : QByteArray();
}

bool store(const QString& iniPath, const QByteArray& geometry) {
    IniFile ini(iniPath);
    if (!loadForWriting(ini))
        return false;
    ini.setValue(kWindowSection, QStringLiteral("Geometry"), QString::fromLatin1(geometry.toBase64()));
    return ini.save();
}

} // namespace windowplace

} // namespace vornix
