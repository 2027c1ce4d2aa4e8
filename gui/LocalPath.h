#pragma once
// File names between the windows and the plain core: the bytes the file system uses, both ways.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>

namespace vornix {

inline std::string toLocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }
inline QString fromLocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace vornix
