#pragma once
// One editor for one test: a temporary program folder, the scripted dialogs, the main
// window, and small builders for PRG files and T64 images on disk.
#include "app/DropFileSource.h"
#include "app/EntryListView.h"
#include "app/MainWindow.h"
#include "core/T64Image.h"
#include "gui/AppContext.h"
#include "tests/support/GuiTestHelpers.h"
#include "tests/support/MainWindowControls.h"
#include "tests/support/ProgramBuilder.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace vornix;
using namespace vornix::test::controls;

// Stands in for the platform's drag loop: records what would be offered.
class RecordingDragSource : public DropFileSource {
  public:
    QStringList offered;
    QList<QUrl> offeredUrls;
    int runs = 0;
    std::function<void()> during; // runs while the "drag" is under way
    void execute(QWidget*) override {
        ++runs;
        offered = files();
        offeredUrls = urls();
        if (during)
            during();
    }
};

namespace apptest {

// The tests' one builder (tests/support/ProgramBuilder.h), in the editor's byte type.
inline QByteArray prgBytes(int load, int dataSize, int seed = 1) {
    const vornix::Bytes b = testfiles::prgBytes(load, std::size_t(dataSize), seed);
    return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
}

inline vornix::Entry entry(const std::string& name, int dataSize, int load = 0x0801, int seed = 1) {
    return testfiles::entry(name, std::size_t(dataSize), load, seed);
}

// Writes an image with the given names (each dataSize bytes) and label.
inline QString writeImage(const QString& path, const QStringList& names, int dataSize = 10,
                          const std::string& label = "TAPE", int capacity = -1) {
    std::vector<vornix::Entry> entries;
    int seed = 1;
    for (const QString& n : names)
        entries.push_back(entry(n.toLatin1().toStdString(), dataSize, 0x0801, seed++));
    const int cap = capacity < 0 ? int(entries.size()) : capacity;
    if (const vornix::FileError e =
            vornix::writeImage(QFile::encodeName(path).toStdString(), cap, label, entries, false))
        qWarning("cannot write test image: %s", e.message().c_str());
    return path;
}

} // namespace apptest

class Harness {
  public:
    TestProgramFolder folder;
    ScriptedDialogs dialogs;
    AppContext ctx;
    std::unique_ptr<MainWindow> win;
    RecordingDragSource* drag = nullptr;

    Harness() { ctx = AppContext{folder.path(), &dialogs}; }
    ~Harness() {
        if (win)
            win->setAttribute(Qt::WA_DeleteOnClose, false);
    }

    QString file(const QString& name) const { return folder.file(name); }
    QString workFile(const QString& name) const { return ctx.workingFolder() + name; }

    MainWindow* start(const QStringList& arguments = {}) {
        win = std::make_unique<MainWindow>(ctx, arguments);
        drag = new RecordingDragSource;
        win->setDropFileSource(drag);
        win->show();
        if (!QTest::qWaitForWindowExposed(win.get()))
            qWarning("main window not exposed");
        return win.get();
    }

    // Starts with an image of the given names open (through the command line).
    MainWindow* startWith(const QStringList& names, int dataSize = 10) {
        return start({apptest::writeImage(file(QStringLiteral("start.t64")), names, dataSize)});
    }

    // The window's controls; a missing one fails the test at the caller's line.
    using Where = std::source_location;
    template <typename T> T* get(const QString& name, const Where& where = Where::current()) const {
        return lookup::require<T>(win.get(), name, where);
    }
    EntryListView* list(const Where& where = Where::current()) const {
        return get<EntryListView>(kEntryList, where);
    }
    QToolButton* button(const QString& name, const Where& where = Where::current()) const {
        return get<QToolButton>(name, where);
    }
    QAction* action(const QString& name, const Where& where = Where::current()) const {
        return get<QAction>(name, where);
    }
    QLabel* label(const QString& name, const Where& where = Where::current()) const {
        return get<QLabel>(name, where);
    }
    QLineEdit* edit(const QString& name, const Where& where = Where::current()) const {
        return get<QLineEdit>(name, where);
    }
    QSpinBox* spin(const Where& where = Where::current()) const {
        return get<QSpinBox>(kCapacitySpin, where);
    }
    QString panel1() const { return label(kProgressPanel)->text(); }

    // A user's click on a toolbar button: a disabled one fails the test like a missing one.
    void click(const QString& toolButton, const Where& where = Where::current()) const {
        lookup::click(win.get(), toolButton, where);
    }
    // The menu item named name, chosen; fails the test when it is missing or disabled.
    void trigger(const QString& item, const Where& where = Where::current()) const {
        lookup::trigger(win.get(), item, where);
    }

    // The names as the list shows them, trailing spaces dropped.
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            out << list()->topLevelItem(i)->text(1).trimmed();
        return out;
    }
    QList<int> selected() const { return list()->selectedRows(); }
    void select(const QList<int>& rows) const { list()->selectRows(rows); }

    bool questionsDone() const { return dialogs.unexpected.isEmpty() && dialogs.pendingAnswers() == 0; }
};
