#include "app/IniFile.h"

#include "core/FileIO.h"

#include <QFile>

namespace vornix {

namespace {

// A section header "[name]" (anything after the closing bracket is ignored); empty otherwise.
std::optional<QString> sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith('['))
        return std::nullopt;
    const int close = t.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

bool isComment(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(';') || t.startsWith('#');
}

// The key of a "key=value" line, or nothing.
std::optional<QString> keyOf(const QString& line) {
    if (isComment(line) || sectionName(line))
        return std::nullopt;
    const int eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return line.left(eq).trimmed();
}

QString defaultEol() {
#ifdef Q_OS_WIN
    return QStringLiteral("\r\n");
#else
    return QStringLiteral("\n");
#endif
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)), eol_(defaultEol()) {}

bool IniFile::load() {
    lines_.clear();
    eol_ = defaultEol();
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    // Single-byte text both ways, so bytes we do not touch are written back unchanged.
    const QString all = QString::fromLatin1(f.readAll());
    if (all.isEmpty())
        return true;
    if (all.contains(QStringLiteral("\r\n")))
        eol_ = QStringLiteral("\r\n");
    QString body = all;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (body.endsWith('\n'))
        body.chop(1);
    lines_ = body.split('\n');
    return true;
}

std::optional<std::pair<int, int>> IniFile::findSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_.at(i));
        if (!name || name->compare(section, Qt::CaseInsensitive) != 0)
            continue;
        int end = i + 1;
        while (end < lines_.size() && !sectionName(lines_.at(end)))
            ++end;
        return std::make_pair(i, end);
    }
    return std::nullopt;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const auto range = findSection(section);
    if (!range)
        return std::nullopt;
    for (int i = range->first + 1; i < range->second; ++i) {
        const auto k = keyOf(lines_.at(i));
        if (!k || k->compare(key, Qt::CaseInsensitive) != 0)
            continue;
        const QString& line = lines_.at(i);
        QString v = line.mid(line.indexOf('=') + 1).trimmed();
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        return v;
    }
    return std::nullopt;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    const auto range = findSection(section);
    if (!range) {
        lines_ << QStringLiteral("[%1]").arg(section) << QStringLiteral("%1=%2").arg(key, value);
        return;
    }
    int lastContent = range->first;
    for (int i = range->first + 1; i < range->second; ++i) {
        const QString& line = lines_.at(i);
        if (!line.trimmed().isEmpty())
            lastContent = i;
        const auto k = keyOf(line);
        if (k && k->compare(key, Qt::CaseInsensitive) == 0) {
            // Keep the key as the file spells it.
            lines_[i] = QStringLiteral("%1=%2").arg(*k, value);
            return;
        }
    }
    lines_.insert(lastContent + 1, QStringLiteral("%1=%2").arg(key, value));
}

QString IniFile::text() const {
    QString out;
    for (const QString& line : lines_)
        out += line + eol_;
    return out;
}

bool IniFile::save() const {
    // The same writer as every other file: a read-only or non-regular settings.ini is left
    // alone, links are written through and the file keeps its permissions.
    vornix::AtomicFile f;
    const QByteArray bytes = text().toLatin1();
    return f.open(QFile::encodeName(path_).toStdString()) && f.write(bytes.constData(), bytes.size()) &&
           f.commit();
}

std::optional<qint32> IniFile::parseInt(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    qint64 v = 0;
    if (t.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        const QString digits = t.mid(2);
        if (digits.isEmpty() || digits.startsWith('+') || digits.startsWith('-'))
            return std::nullopt;
        const quint64 u = digits.toULongLong(&ok, 16);
        if (!ok || u > 0xFFFFFFFFull)
            return std::nullopt;
        // A hexadecimal value fills the 32 bits, so 0xFFFFFFFF is -1 (true all the same).
        return static_cast<qint32>(static_cast<quint32>(u));
    }
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (!(c.isDigit() && c.unicode() < 128) && !(i == 0 && (c == '+' || c == '-')))
            return std::nullopt;
    }
    v = t.toLongLong(&ok, 10);
    if (!ok || v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<qint32>(v);
}

bool IniFile::parseBool(const std::optional<QString>& text, bool fallback) {
    if (!text)
        return fallback;
    const auto n = parseInt(*text);
    return n ? *n != 0 : fallback;
}

} // namespace vornix
