#pragma once
// Finding controls by objectName and driving them the way a user would.
#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <source_location>
#include <type_traits>

// The child of root named name, or nullptr.
template <typename T> T* findNamed(QObject* root, const QString& name) {
    if (root->objectName() == name)
        if (auto* self = qobject_cast<T*>(root))
            return self;
    return root->findChild<T*>(name);
}

// Triggers the QAction named name (a menu item or toolbar action); false when not found or disabled.
bool triggerAction(QObject* root, const QString& name);

// Lookups that fail the running test, at the caller's line, when the control is missing (or,
// for the ones that act, disabled), like a QVERIFY. The test function goes on to its end, so a
// missing control is given as a hidden, disabled stand-in rather than a null pointer.
namespace lookup {

void fail(const QString& what, const std::source_location& where);

// Owned by owner (a hidden, disabled child), so that it goes with the window.
template <typename T> T* standIn(QObject* owner) {
    if constexpr (std::is_default_constructible_v<T>) {
        T* stand = new T;
        if constexpr (std::is_base_of_v<QWidget, T>) {
            if (auto* window = qobject_cast<QWidget*>(owner))
                stand->setParent(window);
            stand->hide();
        } else {
            stand->setParent(owner);
        }
        if constexpr (std::is_base_of_v<QWidget, T> || std::is_base_of_v<QAction, T>)
            stand->setEnabled(false);
        return stand;
    } else {
        return nullptr;
    }
}

template <typename T>
T* require(QObject* root, const QString& name,
           const std::source_location& where = std::source_location::current()) {
    if (T* found = root ? findNamed<T>(root, name) : nullptr)
        return found;
    fail(QStringLiteral("no control %1 of type %2").arg(name, QLatin1String(T::staticMetaObject.className())),
         where);
    return standIn<T>(root);
}

// Triggers the action named name; fails the test when there is none or it is disabled.
void trigger(QObject* root, const QString& name,
             const std::source_location& where = std::source_location::current());
// Clicks the button named name; fails the test when there is none or it is disabled.
void click(QObject* root, const QString& name,
           const std::source_location& where = std::source_location::current());

} // namespace lookup

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
