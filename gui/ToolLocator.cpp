#include "gui/ToolLocator.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vornix {

QString findFileNoCase(const QString& folder, const QString& name, bool runnableOnly) {
    if (folder.isEmpty())
        return {};
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& info : files) {
        if (info.fileName().compare(name, Qt::CaseInsensitive) == 0 && (!runnableOnly || info.isExecutable()))
            return info.absoluteFilePath();
    }
    return {};
}

QString findTool(const QString& programFolder, const QString& name) {
    QString base = name.trimmed();
    if (base.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        base.chop(4);
    if (base.isEmpty() || base.contains('/'))
        return {};
    const QString withExe = base + QStringLiteral(".exe");
    for (const QString& wanted : {withExe, base}) {
        const QString found = findFileNoCase(programFolder, wanted, true);
        if (!found.isEmpty())
            return found;
    }
    for (const QString& wanted : {base, withExe}) {
        const QString found = QStandardPaths::findExecutable(wanted);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

} // namespace vornix
