#pragma once
// Finding controls by objectName and driving them the way a user would.
#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

// The child of root named name, or nullptr.
template <typename T> T* findNamed(QObject* root, const QString& name) {
    if (root->objectName() == name)
        if (auto* self = qobject_cast<T*>(root))
            return self;
    return root->findChild<T*>(name);
}

// Triggers the QAction named name (a menu item or toolbar action); false when not found or disabled.
bool triggerAction(QObject* root, const QString& name);

// Whole files for the tests' inputs and outputs: false, or empty, when that cannot be done.
bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// The runs of the fake tool installed at toolPath, each with its arguments, in order.
QList<QStringList> toolRuns(const QString& toolPath);

// A program folder for one test: a temporary folder, with fake tools installed on demand.
class TestProgramFolder {
  public:
    TestProgramFolder();
    QString path() const; // with a trailing separator
    QString file(const QString& name) const { return path() + name; }
    // Installs the fake tool as name with the given script (see tests/support/fake_tool.cpp).
    QString installTool(const QString& name, const QString& script = {});
    QStringList toolArgs(const QString& name) const;

  private:
    QTemporaryDir dir_;
};
