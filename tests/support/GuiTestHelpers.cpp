#include "tests/support/GuiTestHelpers.h"

#include "tests/support/TestFiles.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>

bool triggerAction(QObject* root, const QString& name) {
    auto* action = findNamed<QAction>(root, name);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

namespace lookup {

void fail(const QString& what, const std::source_location& where) {
    QTest::qFail(qPrintable(what), where.file_name(), int(where.line()));
}

void trigger(QObject* root, const QString& name, const std::source_location& where) {
    auto* action = require<QAction>(root, name, where);
    if (!action->isEnabled()) {
        if (!action->objectName().isEmpty())
            fail(QStringLiteral("the action %1 is disabled").arg(name), where);
        return;
    }
    action->trigger();
}

void click(QObject* root, const QString& name, const std::source_location& where) {
    auto* button = require<QAbstractButton>(root, name, where);
    if (!button)
        return;
    if (!button->isEnabled()) {
        if (!button->objectName().isEmpty())
            fail(QStringLiteral("the button %1 is disabled").arg(name), where);
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace lookup

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QStringList> toolRuns(const QString& toolPath) {
    QList<QStringList> runs;
    for (const QString& line :
         QString::fromUtf8(readFile(toolPath + QStringLiteral(".log"))).split(QLatin1Char('\n'))) {
        if (line == QLatin1String("RUN"))
            runs.append(QStringList());
        else if (!runs.isEmpty() && !line.isEmpty())
            runs.last().append(line);
    }
    return runs;
}

TestProgramFolder::TestProgramFolder() { dir_.setAutoRemove(true); }

QString TestProgramFolder::path() const { return QDir(dir_.path()).absolutePath() + QDir::separator(); }

QString TestProgramFolder::installTool(const QString& name, const QString& script) {
    return QString::fromStdString(
        testfiles::installFakeTool(dir_.path().toStdString(), name.toStdString(), script.toStdString()));
}

QStringList TestProgramFolder::toolArgs(const QString& name) const {
    QStringList out;
    for (const auto& a : testfiles::fakeToolArgs(file(name).toStdString()))
        out << QString::fromStdString(a);
    return out;
}
