#include "tests/support/GuiTestHelpers.h"

#include "tests/support/TestFiles.h"

#include <QDir>

bool triggerAction(QObject* root, const QString& name) {
    auto* action = findNamed<QAction>(root, name);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

TestProgramFolder::TestProgramFolder() {
    dir_.setAutoRemove(true);
}

QString TestProgramFolder::path() const {
    return QDir(dir_.path()).absolutePath() + QDir::separator();
}

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
