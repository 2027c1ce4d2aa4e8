#include "tools/ToolLocator.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

static bool isRunnable(const QFileInfo& info) { return info.isFile() && info.isExecutable(); }

QString findTool(const QString& programFolder, const QString& name) {
    QString base = name.trimmed();
    if (base.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        base.chop(4);
    if (base.isEmpty() || base.contains('/'))
        return {};
    const QString withExe = base + QStringLiteral(".exe");
    if (!programFolder.isEmpty()) {
        const QDir dir(programFolder);
        const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& wanted : {withExe, base}) {
            for (const QFileInfo& info : files) {
                if (info.fileName().compare(wanted, Qt::CaseInsensitive) == 0 && isRunnable(info))
                    return info.absoluteFilePath();
            }
        }
    }
    for (const QString& wanted : {base, withExe}) {
        const QString found = QStandardPaths::findExecutable(wanted);
        if (!found.isEmpty())
            return found;
    }
    return {};
}
