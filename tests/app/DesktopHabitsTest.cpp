// What desktop users expect of the main window: standard keys and menu mnemonics, titled file
// dialogs, Qt's own texts in Polish, the recent images, a remembered place, a list that grows.
#include "app/Settings.h"
#include "tests/app/MainWindowHarness.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

using namespace vornix;
using namespace apptest;

namespace {

// Sends a key to the control with the focus, as the keyboard would.
void press(MainWindow* w, QKeySequence key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClick(target, Qt::Key(key[0].key()), key[0].keyboardModifiers());
}

// The letter after '&' in a menu text, lower case; 0 when there is none.
QChar mnemonic(const QString& text) {
    const int i = text.indexOf(QLatin1Char('&'));
    return i >= 0 && i + 1 < text.size() ? text.at(i + 1).toLower() : QChar();
}

} // namespace

class DesktopHabitsTest : public QObject {
    Q_OBJECT

  private slots:
    void menusHaveMnemonicsAndTheStandardKeys_data();
    void menusHaveMnemonicsAndTheStandardKeys();
    void keysRunTheirCommandsButLeaveTextBoxesAlone();
    void fileDialogTitlesFollowTheLanguage();
    void qtButtonsFollowTheLanguage();
    void recentImagesReopenAndDropMissingFiles();
    void placeIsRememberedAndTheNameColumnGrows();
};

void DesktopHabitsTest::menusHaveMnemonicsAndTheStandardKeys_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("Polish") << false;
    QTest::newRow("English") << true;
}

void DesktopHabitsTest::menusHaveMnemonicsAndTheStandardKeys() {
    QFETCH(bool, english);
    Harness h;
    if (english)
        writeFile(h.file("settings.ini"), "[M]\nEng=1\n");
    MainWindow* w = h.start();
    QSet<QChar> menuLetters;
    for (QAction* top : w->menuBar()->actions()) {
        QVERIFY2(!menuLetters.contains(mnemonic(top->text())) && !mnemonic(top->text()).isNull(),
                 qPrintable(top->text()));
        menuLetters << mnemonic(top->text());
        QSet<QChar> letters;
        for (QAction* item : top->menu()->actions()) {
            if (item->isSeparator())
                continue;
            const QChar letter = mnemonic(item->text());
            QVERIFY2(!letter.isNull() && !letters.contains(letter), qPrintable(item->text()));
            letters << letter;
        }
    }
    const struct {
        const char* action;
        QKeySequence key;
    } keys[] = {{kNewItem, QKeySequence::New},
                {kOpenItem, QKeySequence::Open},
                {kSaveItem, QKeySequence(Qt::CTRL | Qt::Key_S)},
                {kSaveAsItem, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
                {kExitItem, QKeySequence(Qt::CTRL | Qt::Key_Q)},
                {kDeleteItem, QKeySequence::Delete},
                {kRenameItem, QKeySequence(Qt::Key_F2)},
                {kSelectAllItem, QKeySequence::SelectAll},
                {kExtractSelectedItem, QKeySequence(Qt::CTRL | Qt::Key_E)}};
    for (const auto& k : keys)
        QCOMPARE(h.action(k.action)->shortcut(), k.key);
}

void DesktopHabitsTest::keysRunTheirCommandsButLeaveTextBoxesAlone() {
    Harness h;
    MainWindow* w = h.startWith({"ONE", "TWO", "THREE"});
    QVERIFY(QTest::qWaitForWindowActive(w));
    h.list()->setFocus();
    press(w, QKeySequence::SelectAll);
    QCOMPARE(h.selected(), QList<int>({0, 1, 2}));
    h.select({1});
    press(w, QKeySequence::Delete);
    QCOMPARE(h.rows(), QStringList({"ONE", "THREE"}));
    press(w, QKeySequence(Qt::Key_F2));
    QVERIFY(h.edit(kRenameBox)->isVisible());
    QTest::keyClick(h.edit(kRenameBox), Qt::Key_Escape);
    h.dialogs.answerFolder({});
    press(w, QKeySequence(Qt::CTRL | Qt::Key_E));
    QCOMPARE(h.dialogs.last()->kind, ScriptedDialogs::Kind::Folder);

    // In the label box the keys edit its text, never the list.
    h.edit(kLabelEdit)->setFocus();
    h.edit(kLabelEdit)->setText("TAPE");
    h.edit(kLabelEdit)->setCursorPosition(0);
    press(w, QKeySequence::Delete);
    press(w, QKeySequence::SelectAll);
    QCOMPARE(h.edit(kLabelEdit)->text(), QStringLiteral("APE"));
    QCOMPARE(h.edit(kLabelEdit)->selectedText(), QStringLiteral("APE"));
    QCOMPARE(h.rows().size(), 2);
    QVERIFY(h.questionsDone());
}

void DesktopHabitsTest::fileDialogTitlesFollowTheLanguage() {
    for (bool english : {false, true}) {
        Harness h;
        if (english)
            writeFile(h.file("settings.ini"), "[M]\nEng=1\nwyn=0\n");
        else
            writeFile(h.file("settings.ini"), "[M]\nwyn=0\n");
        MainWindow* w = h.startWith({"ONE"});
        h.dialogs.answerOpen({});
        QVERIFY(triggerAction(w, kOpenItem));
        h.dialogs.answerSave({});
        QVERIFY(triggerAction(w, kSaveAsItem));
        h.dialogs.answerOpen({});
        QVERIFY(triggerAction(w, kAddItem));
        h.dialogs.answerOpen({h.file("missing.kla")});
        h.dialogs.answerSave({});
        QVERIFY(triggerAction(w, kKoalaItem));
        h.dialogs.answerOpen({});
        QVERIFY(triggerAction(w, kFliItem));
        QStringList titles;
        for (const auto& q : h.dialogs.asked)
            titles << q.caption;
        const QStringList expected = english ? QStringList{"Open",
                                                           "Save as",
                                                           "Add program",
                                                           "Choose the Koala picture",
                                                           "Save the program as",
                                                           "Choose the FLI picture"}
                                             : QStringList{"Otwórz",
                                                           "Zapisz jako",
                                                           "Dodaj program",
                                                           "Wybierz obraz Koala",
                                                           "Zapisz program jako",
                                                           "Wybierz obraz FLI"};
        QCOMPARE(titles, expected);
        QVERIFY(h.questionsDone());
    }
}

void DesktopHabitsTest::qtButtonsFollowTheLanguage() {
    Harness h;
    h.start();
    const auto texts = [] {
        QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
        return box.button(QMessageBox::Yes)->text() + '|' + QFileDialog::tr("&Open");
    };
    QCOMPARE(texts(), QString::fromUtf8("&Tak|&Otwórz"));
    h.click(kEnglishButton); // English, at once
    QCOMPARE(texts(), QStringLiteral("&Yes|&Open"));
}

void DesktopHabitsTest::recentImagesReopenAndDropMissingFiles() {
    Harness h;
    const QString a = writeImage(h.file("a.t64"), {"ONE"});
    const QString b = writeImage(h.file("b&c.t64"), {"TWO", "THREE"});
    MainWindow* w = h.start({a});
    QVERIFY(h.get<QMenu>(kRecentMenu)->isEnabled());
    h.dialogs.answerOpen({b});
    QVERIFY(triggerAction(w, kOpenItem));
    QCOMPARE(h.action(kRecentItem1)->text(), "&1 " + QDir::toNativeSeparators(h.file("b&&c.t64")));
    QCOMPARE(recentimages::read(h.file("settings.ini")), QStringList({b, a}));

    QVERIFY(triggerAction(w, kRecentItem2));
    QCOMPARE(w->windowTitle(), QStringLiteral("a.t64 - VORN 0.11"));
    QCOMPARE(h.rows(), QStringList({"ONE"}));

    // A file that has gone is taken off the list with a word, and nothing else changes.
    QFile::remove(b);
    h.dialogs.answerMessage(MsgAnswer::Ok);
    QVERIFY(triggerAction(w, kRecentItem2));
    QVERIFY(h.dialogs.last()->text.contains(QDir::toNativeSeparators(b)));
    QCOMPARE(w->windowTitle(), QStringLiteral("a.t64 - VORN 0.11"));
    QCOMPARE(recentimages::read(h.file("settings.ini")), QStringList({a}));
    QCOMPARE(h.get<QMenu>(kRecentMenu)->actions().size(), 1);
    QVERIFY(h.questionsDone());
}

void DesktopHabitsTest::placeIsRememberedAndTheNameColumnGrows() {
    Harness h;
    MainWindow* w = h.start();
    // Wide enough for 24 of the widest capitals, in either language.
    const QFontMetrics metrics(h.edit(kLabelEdit)->font());
    QVERIFY(h.edit(kLabelEdit)->contentsRect().width() > metrics.horizontalAdvance(QString(24, 'W')));
    const int nameWidth = h.list()->columnWidth(1);
    const int sizeWidth = h.list()->columnWidth(2);
    w->resize(w->width() + 200, w->height() + 50);
    QCoreApplication::processEvents(); // the layout follows the new size
    QCOMPARE(h.list()->columnWidth(1), nameWidth + 200);
    QCOMPARE(h.list()->columnWidth(2), sizeWidth);
    const QSize size = w->size();
    QVERIFY(w->close());
    QVERIFY(readFile(h.file("settings.ini")).startsWith("[Window]\nGeometry="));

    Harness next;
    writeFile(next.file("settings.ini"), readFile(h.file("settings.ini")));
    QCOMPARE(next.start()->size(), size);
    QVERIFY(next.win->close()); // not moved: nothing new to store
    QCOMPARE(readFile(next.file("settings.ini")), readFile(h.file("settings.ini")));
}

QTEST_MAIN(DesktopHabitsTest)
#include "DesktopHabitsTest.moc"
