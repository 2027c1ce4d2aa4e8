#include "app/WorkingFolder.h"

#include "gui/AppContext.h"
#include "gui/LocalPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace vornix {

namespace workingfolder {

bool besideProgram(const QString& programFolder) {
    const QFileInfo folder(QDir::cleanPath(programFolder));
    if (!folder.isDir() || !folder.isWritable())
        return false;
    return !QFileInfo::exists(
        QDir(folder.absoluteFilePath())
            .filePath(QStringLiteral("../share/applications/org.vornix.Vornix.desktop")));
}

void chooseFolders(AppContext& ctx) {
    if (besideProgram(ctx.programFolder))
        return;
    const QString name = QStringLiteral("vornix");
    ctx.userConfigFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + name + u'/';
    // The runtime folder is the session's own and is cleared at log-out: the right home for
    // files that live only until the next drag-out. Qt gives none when it is not safe to use.
    const QString runtime = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
                                ? QString()
                                : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        ctx.userWorkingFolder = runtime + u'/' + name + u'/';
        return;
    }
    const QString cache =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u'/' + name;
    QDir().mkpath(cache); // start-up then creates the one level below, as beside the program
    ctx.userWorkingFolder = cache + QStringLiteral("/temp/");
}

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
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        QFile::remove(dir.filePath(name));
}

QList<QUrl> prgFileUrls(const QString& folder) {
    namespace fs = std::filesystem;
    const std::string root = toLocalPath(QDir(folder).absolutePath());
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string name = it->path().filename().string();
        if (name.size() < 4)
            continue;
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (ext == ".prg")
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return QByteArray::fromStdString(a).compare(QByteArray::fromStdString(b), Qt::CaseInsensitive) < 0;
    });
    QList<QUrl> urls;
    for (const std::string& name : names) {
        const QByteArray raw = QByteArray::fromStdString(root + "/" + name);
        urls << QUrl::fromEncoded(QByteArrayLiteral("file://") + raw.toPercentEncoding("/"));
    }
    return urls;
}

} // namespace workingfolder

} // namespace vornix
