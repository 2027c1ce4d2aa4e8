#include "app/WorkingFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace workingfolder {

bool ensure(const QString& folder, QString* error) {
    const QFileInfo info(QDir::cleanPath(folder));
    if (info.isDir())
        return true;
    if (!info.exists() && QDir(info.absolutePath()).mkdir(info.fileName()))
        return true;
    if (error)
        *error = QDir::toNativeSeparators(QDir::cleanPath(folder));
    return false;
}

void empty(const QString& folder) {
    QDir dir(folder);
    if (!dir.exists())
        return;
    // Files only: a subfolder and its contents are never ours to delete. A link is
    // removed as a link; what it points to stays.
    const QStringList names =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        QFile::remove(dir.filePath(name));
}

QStringList prgFiles(const QString& folder) {
    QDir dir(folder);
    QStringList out;
    const QStringList names = dir.entryList({QStringLiteral("*.prg")}, QDir::Files | QDir::Hidden | QDir::System,
                                            QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        out << QDir::cleanPath(dir.absoluteFilePath(name));
    return out;
}

} // namespace workingfolder
