// The real dialogs, closed as a user closes them.
#include "gui/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vornix;

class QtDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void theWindowThatAskedIsActiveAgain();
};

// With no window manager to hand the focus back, keys after a dialog would reach no window
// (Alt for the menus, shortcuts) until the user clicked one.
void QtDialogsTest::theWindowThatAskedIsActiveAgain() {
    QWidget main;
    main.resize(200, 100);
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QtDialogs dialogs;
    const FileDialogSetup setup;
    const std::vector<std::pair<const char*, std::function<void()>>> asks = {
        {"message", [&] { dialogs.message(&main, "Vornix", "text", MsgButtons::Ok, MsgIcon::Information); }},
        {"open", [&] { dialogs.openFiles(&main, setup, true); }},
        {"save", [&] { dialogs.saveFile(&main, setup); }},
        {"folder", [&] { dialogs.folder(&main, "folder", QString()); }},
    };
    for (const auto& [name, ask] : asks) {
        // Closed by Escape once it is up, as the user would.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget())
                QTest::keyClick(modal, Qt::Key_Escape);
        });
        closer.start(10);
        ask();
        closer.stop();
        QCoreApplication::processEvents();
        QVERIFY2(QApplication::activeWindow() == &main, name);
    }
}

QTEST_MAIN(QtDialogsTest)
#include "QtDialogsTest.moc"
