#pragma once
// One tool window for one test: a program folder of its own (with the fake tool when asked),
// the scripted dialogs, and the window's controls found by objectName.
#include "gui/AppContext.h"
#include "gui/LogView.h"
#include "tests/support/GuiTestHelpers.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTest>

#include <memory>

template <typename Window> class ToolWindowFixture {
  public:
    TestProgramFolder folder;
    vornix::ScriptedDialogs dialogs;
    std::unique_ptr<Window> window;
    QString tool; // the installed fake tool

    // Installs the fake tool as toolName running script (no tool when script is null), then
    // creates the window.
    Window* create(const QString& toolName, const char* script = "") {
        if (script)
            tool = folder.installTool(toolName, QString::fromUtf8(script));
        window = std::make_unique<Window>(vornix::AppContext{folder.path(), &dialogs});
        return window.get();
    }
    // The same, and shows the window as the program does.
    Window* open(const QString& toolName, const char* script = "") {
        create(toolName, script);
        window->show();
        return window.get();
    }
    // The window's control named name; a missing one fails the test (see lookup::require).
    template <typename T>
    T* get(const QString& name, const std::source_location& where = std::source_location::current()) const {
        return lookup::require<T>(window.get(), name, where);
    }
    // Click and trigger fail the test also when the control is disabled.
    void click(const QString& name,
               const std::source_location& where = std::source_location::current()) const {
        lookup::click(window.get(), name, where);
    }
    void trigger(const QString& name,
                 const std::source_location& where = std::source_location::current()) const {
        lookup::trigger(window.get(), name, where);
    }
    QStringList log() const {
        return get<vornix::LogView>(QStringLiteral("Memo1"))->toPlainText().split('\n');
    }
    // Every question asked was expected, and every answer queued was used.
    bool questionsDone() const { return dialogs.unexpected.isEmpty() && dialogs.pendingAnswers() == 0; }
    // The same as test checks, naming the unexpected questions (for a test's cleanup()).
    void verifyQuestionsDone() const {
        QVERIFY2(dialogs.unexpected.isEmpty(), qPrintable(dialogs.unexpected.join(QLatin1Char('\n'))));
        QCOMPARE(dialogs.pendingAnswers(), 0);
    }
};
