// The real dialogs, closed as a user closes them.
#include "gui/QtDialogs.h"
#include "gui/Language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vornix;

// A window whose class has a language of its own.
class SomeToolWindow : public QWidget {
    Q_OBJECT
};

class QtDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void theWindowThatAskedIsActiveAgain();
    void buttonsSpeakTheAskingWindowsLanguage_data();
    void buttonsSpeakTheAskingWindowsLanguage();
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

void QtDialogsTest::buttonsSpeakTheAskingWindowsLanguage_data() {
    QTest::addColumn<gui::Language>("language");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("English") << gui::Language::English << QStringList{"&Yes", "&No", "Cancel"};
    QTest::newRow("Polish") << gui::Language::Polish << QStringList{"&Tak", "&Nie", "Anuluj"};
}

void QtDialogsTest::buttonsSpeakTheAskingWindowsLanguage() {
    QFETCH(gui::Language, language);
    QFETCH(QStringList, buttons);
    SomeToolWindow window;
    gui::setContextLanguage(SomeToolWindow::staticMetaObject.className(), language);
    window.show();
    QStringList shown;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            for (auto which : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                shown << box->button(which)->text();
            box->button(QMessageBox::No)->click();
        }
    });
    answerer.start(10);
    QtDialogs dialogs;
    QCOMPARE(dialogs.message(&window, "Vornix", "text", MsgButtons::YesNoCancel, MsgIcon::Question),
             MsgAnswer::No);
    QCOMPARE(shown, buttons);
}

QTEST_MAIN(QtDialogsTest)
#include "QtDialogsTest.moc"
