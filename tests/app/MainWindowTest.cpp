// The main window as a user drives it: start state, New/Open/Save as with the save prompt,
// the close sequence, moves from toolbar, menu and keys, rename, extraction, label and
// capacity boxes, tool windows.
#include "app/AboutWindow.h"
#include "gui/QtDialogs.h"
#include "tape/ui/TapLinkerWindow.h"
#include "tape/ui/TapeConversionWindow.h"
#include "tests/app/MainWindowHarness.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include <cerrno>
#include <cstring>
#include <filesystem>

using namespace vornix;

using namespace apptest;

namespace {
const QStringList kEditingButtons = {kSaveAsButton, kDeleteButton, kAddButton,  kExtractButton,
                                     kTopButton,    kUpButton,     kDownButton, kBottomButton};
const QStringList kEditingItems = {kSaveAsItem, kExtractAllItem, kAddItem,  kDeleteItem,
                                   kTopItem,    kUpItem,         kDownItem, kBottomItem};
const QStringList kAlwaysItems = {
    kNewItem,   kOpenItem, kExitItem,      kCompressionWindowItem, kCartridgeWindowItem, kTapeConversionItem,
    kKoalaItem, kFliItem,  kTapLinkerItem, kCompressConvertedItem, kFastCompressionItem, kMarkType01Item,
    kAboutItem};
const QStringList kFive = {"AAA", "BBB", "CCC", "DDD", "EEE"};
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startStateHasNothingToEdit();
    void newMakesEveryCommandAvailable();
    void openAcceptsImagesAndRejectsOtherFiles();
    void savePromptBeforeNewAndOpen_data();
    void savePromptBeforeNewAndOpen();
    void saveAsWritesTheImageOrReportsTheFailure();
    void closeSequence_data();
    void closeSequence();
    void failedSaveInThePromptKeepsTheChanges();
    void closePromptInTheRealBoxCancelsOnEscape();
    void savingOverAFileChangedOnDisk();
    void keyboardFocusStaysInTheList();
    void fileDialogFiltersShowEachPatternOnce();
    void movesFromToolbarMenuAndKeys_data();
    void movesFromToolbarMenuAndKeys();
    void keysAndDeleteNeedASelection();
    void renameCommitsAndCancels();
    void extractionWritesSafeUniqueNames();
    void extractionKeepsTheWindowResponsiveAndRefusesEdits();
    void extractionFailureStopsAndKeepsTheRestSelected();
    void aCloseAskedForDuringExtractionCanBeCancelled();
    void labelAndCapacityBoxes();
    void addProgramsReportsRefusedFiles();
    void toolWindowsAndAbout();
    void lookupsFailTheTestOnAMissingOrDisabledControl();
    void saveWritesToTheFileLastOpenedOrSaved();
    void anOpenedImageAndARenamedEntryAreSelected();
    void typedLettersBecomeWhatATapeNameHolds_data();
    void typedLettersBecomeWhatATapeNameHolds();
    void toolWindowsOpenOverTheMainWindowOnTheScreen();
};

void MainWindowTest::startStateHasNothingToEdit() {
    Harness h;
    MainWindow* w = h.start();
    QCOMPARE(w->windowTitle(), QStringLiteral("VORN: Orvendal"));
    QCOMPARE(h.label(kCountLabel)->text(), QStringLiteral("---"));
    QCOMPARE(h.label(kCountCaption)->text(), QStringLiteral("Obiektów:"));
    QCOMPARE(h.spin()->value(), 1);
    QVERIFY(!h.spin()->isEnabled());
    QVERIFY(!h.edit(kLabelEdit)->isEnabled());
    QCOMPARE(h.edit(kLabelEdit)->text(), QStringLiteral(" "));
    QCOMPARE(h.edit(kLabelEdit)->maxLength(), 24);
    QCOMPARE(h.edit(kRenameBox)->maxLength(), 16);
    QVERIFY(!h.edit(kRenameBox)->isVisible());
    QCOMPARE(h.edit(kRenameBox)->pos(), QPoint(0, -20));
    for (const QString& b : kEditingButtons)
        QVERIFY2(!h.button(b)->isEnabled(), qPrintable(b));
    for (const QString& a : kEditingItems)
        QVERIFY2(!h.action(a)->isEnabled(), qPrintable(a));
    for (const QString& a : kAlwaysItems)
        QVERIFY2(h.action(a)->isEnabled(), qPrintable(a));
    QVERIFY(h.button(kNewButton)->isEnabled() && h.button(kOpenButton)->isEnabled());
    QVERIFY(h.button(kEnglishButton)->isVisible() && h.button(kEnglishButton)->isEnabled());
    QVERIFY(!h.button(kPolishButton)->isVisible());
    for (const char* b : {kNewButton, kOpenButton, kSaveAsButton, kDeleteButton, kAddButton, kExtractButton,
                          kTopButton, kUpButton, kDownButton, kBottomButton, kEnglishButton, kPolishButton})
        QVERIFY2(!h.button(b)->icon().isNull() && !h.button(b)->toolTip().isEmpty(), b);
    QCOMPARE(h.button(kDownButton)->toolTip(), QStringLiteral("O jeden w dól"));
    QCOMPARE(h.action(kCompressConvertedItem)->text(), QStringLiteral("Kom&presuj konwertowane"));
    QVERIFY(h.action(kCompressConvertedItem)->isChecked());
    QVERIFY(!h.action(kMarkType01Item)->isChecked());
    QVERIFY(!h.action(kFastCompressionItem)->isChecked());
    QTreeWidget* list = h.list();
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Nr"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Nazwa"));
    QCOMPARE(list->headerItem()->text(2), QStringLiteral("Rozmiar"));
    QCOMPARE(list->columnWidth(0), 35);
    QVERIFY(list->columnWidth(1) >= 220); // and grows with the window
    QCOMPARE(list->columnWidth(2), 75);
    QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(h.label(kProgressPanel)->width(), 100);
    QCOMPARE(h.label(kSparePanel)->width(), 50);
    // Nothing is written until a setting changes.
    QVERIFY(!QFile::exists(h.file("settings.ini")));
    QVERIFY(h.questionsDone());
}

void MainWindowTest::newMakesEveryCommandAvailable() {
    Harness h;
    MainWindow* w = h.start();
    h.click(kNewButton);
    QCOMPARE(w->windowTitle(), QStringLiteral("Untitled - VORN 0.11"));
    for (const QString& b : kEditingButtons)
        QVERIFY2(h.button(b)->isEnabled(), qPrintable(b));
    for (const QString& a : kEditingItems)
        QVERIFY2(h.action(a)->isEnabled(), qPrintable(a));
    QVERIFY(h.spin()->isEnabled() && h.edit(kLabelEdit)->isEnabled());
    QCOMPARE(h.label(kCountLabel)->text(), QStringLiteral("0"));
    QCOMPARE(h.spin()->value(), 0);
    QCOMPARE(h.edit(kLabelEdit)->text(), QString());
    QSignalSpy ends(w, &MainWindow::programEnds);
    w->close(); // nothing changed: no question
    QCOMPARE(ends.count(), 1);
    QVERIFY(h.questionsDone());
}

void MainWindowTest::openAcceptsImagesAndRejectsOtherFiles() {
    Harness h;
    MainWindow* w = h.start();
    const QString image = writeImage(h.file("games.t64"), {"ONE", "TWO"}, 10, "MY TAPE");
    h.dialogs.answerOpen({image});
    h.trigger(kOpenItem);
    const auto* open = h.dialogs.last();
    QCOMPARE(open->kind, ScriptedDialogs::Kind::Open);
    QCOMPARE(open->setup.defaultSuffix, QStringLiteral("T64"));
    QCOMPARE(open->setup.filters.value(0).second, QStringLiteral("*.T64"));
    QCOMPARE(open->setup.filters.value(1).second, QStringLiteral("*.*"));
    QCOMPARE(w->windowTitle(), QStringLiteral("games.t64 - VORN 0.11"));
    QCOMPARE(h.rows(), QStringList({"ONE", "TWO"}));
    QCOMPARE(h.list()->topLevelItem(0)->text(1), QStringLiteral("ONE             "));
    QCOMPARE(h.list()->topLevelItem(1)->text(0), QStringLiteral("2"));
    QCOMPARE(h.list()->topLevelItem(1)->text(2), QStringLiteral("10"));
    QCOMPARE(h.label(kCountLabel)->text(), QStringLiteral("2"));
    QCOMPARE(h.edit(kLabelEdit)->text().trimmed(), QStringLiteral("MY TAPE"));
    QVERIFY(h.button(kSaveAsButton)->isEnabled());
    QVERIFY(!w->document().modified());

    // Not an image: the message, and the document stays.
    const QString prg = h.file("game.prg");
    writeFile(prg, prgBytes(0x0801, 20));
    h.dialogs.answerOpen({prg});
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.click(kOpenButton);
    const auto* msg = h.dialogs.last();
    QCOMPARE(msg->text, QStringLiteral("To nie jest poprawny plik T64."));
    QCOMPARE(msg->caption, QStringLiteral("O kurcze...!"));
    QCOMPARE(msg->buttons, MsgButtons::Ok);
    QCOMPARE(h.rows(), QStringList({"ONE", "TWO"}));
    QCOMPARE(w->windowTitle(), QStringLiteral("games.t64 - VORN 0.11"));

    // Cancelled dialog: nothing at all.
    h.dialogs.answerOpen({});
    h.click(kOpenButton);
    QCOMPARE(h.rows(), QStringList({"ONE", "TWO"}));
    QVERIFY(h.questionsDone());
}

void MainWindowTest::savePromptBeforeNewAndOpen_data() {
    QTest::addColumn<QString>("command"); // new, open or recent
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveTo"); // "": the save dialog is cancelled; "bad": cannot be written
    QTest::addColumn<bool>("replaced");
    for (const char* cmd : {"new", "open", "recent"}) {
        QTest::addRow("%s cancel", cmd) << cmd << int(MsgAnswer::Cancel) << QString() << false;
        QTest::addRow("%s no", cmd) << cmd << int(MsgAnswer::No) << QString() << true;
        QTest::addRow("%s yes, saved", cmd) << cmd << int(MsgAnswer::Yes) << "saved.t64" << true;
        QTest::addRow("%s yes, save cancelled", cmd) << cmd << int(MsgAnswer::Yes) << QString() << false;
        QTest::addRow("%s yes, save failed", cmd) << cmd << int(MsgAnswer::Yes) << "bad" << false;
    }
}

void MainWindowTest::savePromptBeforeNewAndOpen() {
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(QString, saveTo);
    QFETCH(bool, replaced);
    Harness h;
    MainWindow* w = h.startWith({"ONE", "TWO"});
    const QString other = writeImage(h.file("other.t64"), {"NEW"});
    h.select({0});
    h.click(kDeleteButton); // modified
    QVERIFY(w->document().modified());

    h.dialogs.answerMessage(MsgAnswer(answer));
    if (MsgAnswer(answer) == MsgAnswer::Yes) {
        h.dialogs.answerSave(saveTo.isEmpty() ? QString()
                                              : h.file(saveTo == "bad" ? "missing/x.t64" : saveTo));
        if (saveTo == "bad")
            h.dialogs.answerMessage(MsgAnswer::Ok);
    }
    if (replaced && command == "open")
        h.dialogs.answerOpen({other});
    if (command == "recent")
        QVERIFY(triggerAction(w, kRecentItem1)); // start.t64 itself, read again
    else
        h.click(command == "open" ? kOpenButton : kNewButton);

    const auto& prompt = h.dialogs.asked.first();
    QCOMPARE(prompt.text, QStringLiteral("Dokonano zmian. Czy zapisać?"));
    QCOMPARE(prompt.caption, QStringLiteral("Zmieniono plik"));
    QCOMPARE(prompt.buttons, MsgButtons::YesNoCancel);
    QCOMPARE(prompt.icon, MsgIcon::None);
    if (MsgAnswer(answer) == MsgAnswer::Yes) // the dialog starts with the image's own name
        QCOMPARE(h.dialogs.asked.at(1).setup.fileName, h.file("start.t64"));
    QCOMPARE(QFile::exists(h.file("saved.t64")), saveTo == "saved.t64");
    if (!replaced) {
        QCOMPARE(h.rows(), QStringList({"TWO"}));
        QVERIFY(w->document().modified());
    } else {
        const QStringList after = command == "open"  ? QStringList({"NEW"})
                                  : command == "new" ? QStringList()
                                                     : QStringList({"ONE", "TWO"});
        QCOMPARE(h.rows(), after);
        QVERIFY(!w->document().modified());
    }
    QVERIFY(h.questionsDone());
}

void MainWindowTest::saveAsWritesTheImageOrReportsTheFailure() {
    Harness h;
    MainWindow* w = h.start();
    h.click(kNewButton);
    const QString prg = h.file("game.prg");
    writeFile(prg, prgBytes(0x0801, 5));
    h.dialogs.answerOpen({prg});
    h.click(kAddButton);
    QCOMPARE(h.dialogs.last()->setup.filters.value(0),
             qMakePair(QStringLiteral("PRG Files"), QStringLiteral("*.PRG")));
    QVERIFY(h.dialogs.last()->multiple);
    QVERIFY(w->document().modified());
    QCOMPARE(w->windowTitle(), QStringLiteral("Untitled - VORN 0.11")); // modified does not touch the caption

    // A path that cannot be written: our message names it; caption and flag stay.
    const QString bad = h.file("missing/out.t64");
    h.dialogs.answerSave(bad);
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.click(kSaveAsButton);
    QVERIFY(h.dialogs.last()->text.contains(QDir::toNativeSeparators(bad)));
    QCOMPARE(h.dialogs.last()->caption, QStringLiteral("Vornix"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Untitled - VORN 0.11"));
    QVERIFY(w->document().modified());

    // Written with the 0x01 file type when that option is ticked; an empty label becomes ".".
    h.action(kMarkType01Item)->trigger();
    const QString out = h.file("out.t64");
    h.dialogs.answerSave(out);
    h.trigger(kSaveAsItem);
    QCOMPARE(h.dialogs.last()->setup.filters.size(), 1);
    QVERIFY(h.dialogs.last()->setup.confirmOverwrite);
    QCOMPARE(w->windowTitle(), QStringLiteral("out.t64 - VORN 0.11"));
    QVERIFY(!w->document().modified());
    QCOMPARE(h.edit(kLabelEdit)->text(), QStringLiteral("."));
    const QByteArray bytes = readFile(out);
    QCOMPARE(bytes.size(), 64 + 32 + 5);
    QCOMPARE(quint8(bytes.at(65)), quint8(0x01));
    QCOMPARE(bytes.mid(40, 24), QByteArray(".").append(23, ' '));
    QVERIFY(h.questionsDone());
}

void MainWindowTest::closeSequence_data() {
    QTest::addColumn<bool>("modify");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("savePath");
    QTest::addColumn<bool>("ends");
    QTest::newRow("unchanged: no question") << false << -1 << QString() << true;
    QTest::newRow("no") << true << int(MsgAnswer::No) << QString() << true;
    QTest::newRow("cancel") << true << int(MsgAnswer::Cancel) << QString() << false;
    QTest::newRow("yes, save cancelled") << true << int(MsgAnswer::Yes) << QString() << false;
    QTest::newRow("yes, saved") << true << int(MsgAnswer::Yes) << QStringLiteral("closed.t64") << true;
}

void MainWindowTest::closeSequence() {
    QFETCH(bool, modify);
    QFETCH(int, answer);
    QFETCH(QString, savePath);
    QFETCH(bool, ends);
    Harness h;
    MainWindow* w = h.startWith({"ONE", "TWO"});
    AboutWindow about(h.ctx);
    w->setToolWindows(nullptr, &about, nullptr, nullptr, nullptr);
    h.trigger(kAboutItem);
    QVERIFY(about.isVisible());
    writeFile(h.workFile("LEFT.PRG"), "xx");
    if (modify) {
        h.select({1});
        h.click(kTopButton);
    }
    if (answer >= 0) {
        h.dialogs.answerMessage(MsgAnswer(answer));
        if (MsgAnswer(answer) == MsgAnswer::Yes)
            h.dialogs.answerSave(savePath.isEmpty() ? QString() : h.file(savePath));
    }
    // Asked before anything is put away, so that a close given up leaves all as it was.
    bool askedFirst = false;
    h.dialogs.onNextQuestion([&](const ScriptedDialogs::Question&) {
        askedFirst = QFile::exists(h.workFile("LEFT.PRG")) && about.isVisible();
    });
    QSignalSpy ends_(w, &MainWindow::programEnds);
    QCOMPARE(w->close(), ends);
    QCOMPARE(ends_.count(), ends ? 1 : 0);
    QCOMPARE(about.isVisible(), !ends);
    QCOMPARE(QFile::exists(h.workFile("LEFT.PRG")), !ends);
    if (answer >= 0) {
        QVERIFY(askedFirst);
        const auto& prompt = h.dialogs.asked.first();
        QCOMPARE(prompt.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(prompt.text, QStringLiteral("Dokonano zmian. Czy zapisać?"));
    } else {
        QVERIFY(h.dialogs.asked.isEmpty());
    }
    if (!ends) {
        QCOMPARE(h.rows(), QStringList({"TWO", "ONE"}));
        QVERIFY(w->document().modified());
    }
    if (!savePath.isEmpty())
        QVERIFY(QFile::exists(h.file(savePath)));
    QVERIFY(h.questionsDone());
}

void MainWindowTest::failedSaveInThePromptKeepsTheChanges() {
    Harness h;
    MainWindow* w = h.startWith({"ONE", "TWO"});
    h.select({0});
    h.click(kDeleteButton);
    const QString bad = h.file("missing/out.t64");
    // New: Yes, the file cannot be written: the failure is shown and nothing is replaced.
    h.dialogs.answerMessage(MsgAnswer::Yes);
    h.dialogs.answerSave(bad);
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.click(kNewButton);
    QVERIFY(h.dialogs.last()->text.contains(QDir::toNativeSeparators(bad)));
    QCOMPARE(h.rows(), QStringList({"TWO"}));
    QVERIFY(w->document().modified());
    // Close: the window stays, so the changes can still be saved elsewhere.
    h.dialogs.answerMessage(MsgAnswer::Yes);
    h.dialogs.answerSave(bad);
    h.dialogs.answerMessage(MsgAnswer::Ok);
    QSignalSpy ends(w, &MainWindow::programEnds);
    QVERIFY(!w->close());
    QCOMPARE(ends.count(), 0);
    QCOMPARE(h.rows(), QStringList({"TWO"}));
    QVERIFY(h.questionsDone());
}

void MainWindowTest::closePromptInTheRealBoxCancelsOnEscape() {
    QtDialogs real;
    Harness h;
    h.ctx.dialogs = &real;
    MainWindow* w = h.startWith({"ONE", "TWO"});
    h.select({1});
    h.click(kTopButton);
    // Each runs inside the box's own event loop: Escape, the box's close button, then No.
    const std::function<void(QMessageBox*)> answers[] = {
        [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); },
        [](QMessageBox* box) { box->close(); },
        [](QMessageBox* box) { box->button(QMessageBox::No)->click(); }};
    const bool closes[] = {false, false, true};
    for (int i = 0; i < 3; ++i) {
        bool hadCancel = false;
        QTimer::singleShot(0, w, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            hadCancel = box->button(QMessageBox::Cancel) != nullptr;
            answers[i](box);
        });
        QCOMPARE(w->close(), closes[i]);
        QVERIFY(hadCancel);
        QCOMPARE(h.rows(), QStringList({"TWO", "ONE"}));
    }
}

void MainWindowTest::savingOverAFileChangedOnDisk() {
    namespace fs = std::filesystem;
    for (bool replace : {false, true}) {
        Harness h;
        MainWindow* w = h.startWith({"ONE", "TWO"});
        const QString image = h.file("start.t64");
        const fs::path path = QFile::encodeName(image).toStdString(), copy = path.string() + "~";
        h.select({0});
        h.click(kDeleteButton);
        if (!replace) {
            writeImage(image, {"THEIRS"});
        } else { // the same bytes and time in another file: only its identity tells
            fs::copy_file(path, copy);
            fs::last_write_time(copy, fs::last_write_time(path));
            fs::rename(copy, path);
        }
        const QByteArray theirs = readFile(image);
        // Declined at close: nothing is written, the window and the changes stay.
        h.dialogs.answerMessage(MsgAnswer::Yes);
        h.dialogs.answerSave(image);
        h.dialogs.answerMessage(MsgAnswer::No);
        QVERIFY(!w->close());
        QCOMPARE(h.dialogs.last()->buttons, MsgButtons::YesNo);
        QVERIFY(h.dialogs.last()->text.contains(QDir::toNativeSeparators(image)));
        QCOMPARE(readFile(image), theirs);
        h.dialogs.answerSave(image);
        h.dialogs.answerMessage(MsgAnswer::Yes);
        h.click(kSaveAsButton);
        QCOMPARE(readFile(image).mid(80, 4), QByteArray("TWO "));
        h.dialogs.answerSave(image); // our own save is nobody else's change
        h.click(kSaveAsButton);
        QVERIFY(h.questionsDone());
    }
}

void MainWindowTest::keyboardFocusStaysInTheList() {
    Harness h;
    MainWindow* w = h.startWith({"ONE", "TWO"});
    QVERIFY(QTest::qWaitForWindowActive(w));
    const QPoint row = h.list()->visualItemRect(h.list()->topLevelItem(0)).center();
    // At start, after a rename ended either way, and after New: Up and Down go to the list.
    for (Qt::Key step : {Qt::Key_unknown, Qt::Key_Escape, Qt::Key_Return, Qt::Key_N}) {
        if (step == Qt::Key_Escape || step == Qt::Key_Return) {
            QTest::mouseDClick(h.list()->viewport(), Qt::LeftButton, {}, row);
            QTest::keyClick(h.edit(kRenameBox), step);
        } else if (step == Qt::Key_N) {
            h.dialogs.answerMessage(MsgAnswer::No);
            h.click(kNewButton);
        }
        QCOMPARE(QApplication::focusWidget(), h.list());
    }
}

void MainWindowTest::fileDialogFiltersShowEachPatternOnce() {
    FileDialogSetup setup;
    setup.filters = {{"Cartridge images (*.CRT)", "*.CRT"},
                     {"Koala Paint *.KLA", "*.KLA;*.kla"},
                     {"All files (*.*)", "*.*"}};
    QCOMPARE(QtDialogs::qtFilter(setup),
             QStringLiteral("Cartridge images (*.crt *.CRT);;Koala Paint (*.kla *.KLA);;All files (*)"));
}

void MainWindowTest::movesFromToolbarMenuAndKeys_data() {
    QTest::addColumn<QString>("control"); // tool button, menu item or "key:N"
    QTest::addColumn<QList<int>>("selection");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QList<int>>("selectedAfter"); // empty: not checked (keys move on)
    const QList<int> none;
    QTest::newRow("button top") << kTopButton << QList<int>{2}
                                << QStringList{"CCC", "AAA", "BBB", "DDD", "EEE"} << QList<int>{0};
    QTest::newRow("menu top") << kTopItem << QList<int>{2} << QStringList{"CCC", "AAA", "BBB", "DDD", "EEE"}
                              << QList<int>{0};
    QTest::newRow("button up") << kUpButton << QList<int>{2} << QStringList{"AAA", "CCC", "BBB", "DDD", "EEE"}
                               << QList<int>{1};
    QTest::newRow("menu up") << kUpItem << QList<int>{2} << QStringList{"AAA", "CCC", "BBB", "DDD", "EEE"}
                             << QList<int>{1};
    QTest::newRow("button up block") << kUpButton << QList<int>{1, 2}
                                     << QStringList{"BBB", "CCC", "AAA", "DDD", "EEE"} << QList<int>{0};
    QTest::newRow("button down") << kDownButton << QList<int>{2}
                                 << QStringList{"AAA", "BBB", "DDD", "CCC", "EEE"} << QList<int>{3};
    QTest::newRow("menu down") << kDownItem << QList<int>{2} << QStringList{"AAA", "BBB", "DDD", "CCC", "EEE"}
                               << QList<int>{3};
    QTest::newRow("button down block")
        << kDownButton << QList<int>{0, 3} << QStringList{"BBB", "AAA", "CCC", "EEE", "DDD"} << QList<int>{1};
    QTest::newRow("button bottom") << kBottomButton << QList<int>{1}
                                   << QStringList{"AAA", "CCC", "DDD", "EEE", "BBB"} << QList<int>{4};
    QTest::newRow("menu bottom") << kBottomItem << QList<int>{1}
                                 << QStringList{"AAA", "CCC", "DDD", "EEE", "BBB"} << QList<int>{4};
    QTest::newRow("button delete") << kDeleteButton << QList<int>{4}
                                   << QStringList{"AAA", "BBB", "CCC", "DDD"} << QList<int>{3};
    QTest::newRow("menu delete") << kDeleteItem << QList<int>{1} << QStringList{"AAA", "CCC", "DDD", "EEE"}
                                 << QList<int>{1};
    // Several selected go in one step; the entry after the first of them is selected.
    QTest::newRow("key delete several") << QString("key:%1").arg(Qt::Key_Delete) << QList<int>{1, 3}
                                        << QStringList{"AAA", "CCC", "EEE"} << QList<int>{1};
    QTest::newRow("button delete several")
        << kDeleteButton << QList<int>{0, 1, 4} << QStringList{"CCC", "DDD"} << QList<int>{0};
    QTest::newRow("menu delete several")
        << kDeleteItem << QList<int>{3, 4} << QStringList{"AAA", "BBB", "CCC"} << QList<int>{2};
    QTest::newRow("key home") << QString("key:%1").arg(Qt::Key_Home) << QList<int>{3}
                              << QStringList{"DDD", "AAA", "BBB", "CCC", "EEE"} << none;
    QTest::newRow("key page up") << QString("key:%1").arg(Qt::Key_PageUp) << QList<int>{3}
                                 << QStringList{"AAA", "BBB", "DDD", "CCC", "EEE"} << none;
    QTest::newRow("key page down") << QString("key:%1").arg(Qt::Key_PageDown) << QList<int>{1}
                                   << QStringList{"AAA", "CCC", "BBB", "DDD", "EEE"} << none;
    QTest::newRow("key end") << QString("key:%1").arg(Qt::Key_End) << QList<int>{0}
                             << QStringList{"BBB", "CCC", "DDD", "EEE", "AAA"} << none;
}

void MainWindowTest::movesFromToolbarMenuAndKeys() {
    QFETCH(QString, control);
    QFETCH(QList<int>, selection);
    QFETCH(QStringList, order);
    QFETCH(QList<int>, selectedAfter);
    Harness h;
    MainWindow* w = h.startWith(kFive);
    h.select(selection);
    if (control.startsWith("key:")) {
        h.list()->setFocus();
        QTest::keyClick(h.list(), Qt::Key(control.mid(4).toInt()));
    } else if (control.startsWith("SpeedButton")) {
        h.click(control);
    } else {
        QVERIFY(triggerAction(w, control));
    }
    QCOMPARE(h.rows(), order);
    if (!selectedAfter.isEmpty())
        QCOMPARE(h.selected(), selectedAfter);
    else
        QCOMPARE(h.selected().size(), 1); // the list's own key handling then selects one row
    QVERIFY(w->document().modified());
    // One undo step takes it back, the selection with it.
    QVERIFY(triggerAction(w, kUndoItem));
    QCOMPARE(h.rows(), kFive);
    QCOMPARE(h.selected(), selection);
}

void MainWindowTest::keysAndDeleteNeedASelection() {
    Harness h;
    MainWindow* w = h.startWith(kFive);
    h.list()->setFocus();
    for (Qt::Key key :
         {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Insert, Qt::Key_Delete}) {
        h.list()->clearSelection();
        QTest::keyClick(h.list(), key);
        QCOMPARE(h.rows(), kFive);
        QVERIFY(!w->document().modified());
    }
    // Move to top at the top does nothing at all, not even the modified flag.
    h.select({0});
    h.click(kTopButton);
    QVERIFY(!w->document().modified());
    // The Delete key deletes the selection, as the toolbar's Delete does.
    h.select({2});
    QTest::keyClick(h.list(), Qt::Key_Delete);
    QCOMPARE(h.rows().size(), 4);
    QVERIFY(h.questionsDone());
}

void MainWindowTest::renameCommitsAndCancels() {
    Harness h;
    // Names padded as on real tapes: shifted spaces (0xA0), then spaces.
    MainWindow* w = h.startWith({QStringLiteral("ONE\u00A0\u00A0"), "TWO", "THREE"});
    EntryListView* list = h.list();
    QLineEdit* box = h.edit(kRenameBox);
    auto rowCentre = [&](int row) { return list->visualItemRect(list->topLevelItem(row)).center(); };

    // Double-click: the box over the name cell, holding the name without padding, all selected.
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QVERIFY(box->isVisible());
    QCOMPARE(box->text(), QStringLiteral("ONE"));
    QCOMPARE(box->selectedText(), box->text());
    QVERIFY(box->hasFocus());
    const QPoint cell = list->viewport()->mapTo(
        box->parentWidget(),
        QPoint(list->columnViewportPosition(1), list->visualItemRect(list->topLevelItem(0)).top()));
    QCOMPARE(box->x(), cell.x());
    QCOMPARE(box->width(), list->columnWidth(1));

    // Typing, then a toolbar click that does nothing here: the box stays open.
    QTest::keyClicks(box, "abc");
    h.click(kTopButton);
    QVERIFY(box->isVisible());
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(box->isHidden());
    QCOMPARE(box->pos(), QPoint(0, -20));
    QCOMPARE(box->text(), QString());
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("ABC"));
    QVERIFY(w->document().modified());

    // Escape: nothing changes.
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(1));
    QVERIFY(box->isVisible());
    QTest::keyClicks(box, "zz");
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(box->isHidden());
    QCOMPARE(h.rows(), QStringList({"ABC", "TWO", "THREE"}));

    // A click in the list commits; the name is cut at 16 characters. A double-click while
    // the box is open on another row opens it afresh, padding dropped and all selected.
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(1));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
    QCOMPARE(box->selectedText(), QStringLiteral("THREE"));
    box->setText("averyveryverylongname");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QVERIFY(box->isHidden());
    QCOMPARE(h.rows(), QStringList({"ABC", "TWO", "AVERYVERYVERYLON"}));
    QVERIFY(h.questionsDone());
}

void MainWindowTest::extractionWritesSafeUniqueNames() {
    Harness h;
    MainWindow* w = h.startWith({"GAME", "GAME", "A/B:C*D", "X"}, 1000);
    const QString out = h.file("out");
    QDir().mkdir(out);

    // Insert on the list: folder, then every selected entry top to bottom.
    h.select({0, 1, 2});
    h.dialogs.answerFolder(out);
    h.list()->setFocus();
    QTest::keyClick(h.list(), Qt::Key_Insert);
    QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
             QStringList({"A_B_C_D.PRG", "GAME.PRG", "GAME_1.PRG"}));
    const QByteArray game = readFile(out + "/GAME.PRG");
    QCOMPARE(game.size(), 1002);
    QCOMPARE(game.left(2), QByteArray("\x01\x08", 2));
    QCOMPARE(game.mid(2),
             QByteArray(reinterpret_cast<const char*>(w->document().entries()[0].data.data()), 1000));
    QVERIFY(h.selected().isEmpty());
    QCOMPARE(h.panel1(), QString());
    QCOMPARE(w->statusBar()->currentMessage(),
             QStringLiteral("Wypakowano 3 programy do folderu %1").arg(QDir::toNativeSeparators(out)));

    // The menu item and the button run the same command; a cancelled folder writes nothing.
    h.select({0});
    h.dialogs.answerFolder(out);
    QVERIFY(triggerAction(w, kExtractAllItem));
    QVERIFY(QFile::exists(out + "/GAME_2.PRG"));
    QCOMPARE(w->statusBar()->currentMessage(),
             QStringLiteral("Wypakowano %1").arg(QDir::toNativeSeparators(out + "/GAME_2.PRG")));
    h.select({3});
    h.dialogs.answerFolder(QString());
    h.click(kExtractButton);
    QVERIFY(!QFile::exists(out + "/X.PRG"));
    QCOMPARE(h.selected(), QList<int>({3}));
    // Nothing selected: no folder question at all.
    h.list()->clearSelection();
    h.click(kExtractButton);
    QVERIFY(!w->document().modified()); // extraction is no edit
    QVERIFY(h.questionsDone());
}

void MainWindowTest::extractionKeepsTheWindowResponsiveAndRefusesEdits() {
    Harness h;
    MainWindow* w = h.startWith({"BIG", "SMALL"}, 200000);
    const QString out = h.file("out");
    QDir().mkdir(out);
    QStringList progress;
    bool sawBusy = false;
    // Timers fire while the entry is written: the window answers, and edits are refused.
    QTimer poke;
    connect(&poke, &QTimer::timeout, [&] {
        if (!w->extracting())
            return;
        sawBusy = true;
        progress << h.panel1();
        h.click(kDeleteButton);
        h.click(kNewButton);
        triggerAction(w, kBottomItem);
        w->dropFiles({h.file("start.t64")});
    });
    poke.start(0);
    h.select({0, 1});
    h.dialogs.answerFolder(out);
    h.click(kExtractButton);
    poke.stop();
    QVERIFY(sawBusy);
    QVERIFY(progress.contains(QStringLiteral("65400/199999")));
    QCOMPARE(h.rows(), QStringList({"BIG", "SMALL"}));
    QVERIFY(QFile::exists(out + "/BIG.PRG") && QFile::exists(out + "/SMALL.PRG"));
    QCOMPARE(h.panel1(), QString());
    QVERIFY(h.questionsDone());
}

void MainWindowTest::extractionFailureStopsAndKeepsTheRestSelected() {
    Harness h;
    MainWindow* w = h.startWith({"ONE", "TWO", "THREE"}, 200000);
    const QString out = h.file("out");
    const QString moved = h.file("moved");
    QDir().mkdir(out);
    // The folder goes away once the first entry is written (a file gets its name only when
    // complete): the second cannot be written there.
    QTimer poke;
    connect(&poke, &QTimer::timeout, [&] {
        if (w->extracting() && QFileInfo::exists(out + "/ONE.PRG"))
            QDir().rename(out, moved);
    });
    poke.start(0);
    h.select({0, 1, 2});
    h.dialogs.answerFolder(out);
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.click(kExtractButton);
    poke.stop();
    const auto* msg = h.dialogs.last();
    QCOMPARE(msg->kind, ScriptedDialogs::Kind::Message);
    QCOMPARE(msg->caption, QStringLiteral("Vornix"));
    QVERIFY2(msg->text.contains(QDir::toNativeSeparators(out + "/TWO.PRG")), qPrintable(msg->text));
    QVERIFY(QFile::exists(moved + "/ONE.PRG"));
    QCOMPARE(h.selected(), QList<int>({1, 2}));
    QCOMPARE(w->statusBar()->currentMessage(),
             QStringLiteral("Wypakowywanie przerwane: 1 program w folderze %1")
                 .arg(QDir::toNativeSeparators(out)));
    QVERIFY(h.questionsDone());
}

void MainWindowTest::aCloseAskedForDuringExtractionCanBeCancelled() {
    Harness h;
    MainWindow* w = h.startWith({"BIG", "SMALL"}, 200000);
    h.edit(kLabelEdit)->setFocus();
    QTest::keyClicks(h.edit(kLabelEdit), "x"); // modified: closing asks
    const QString out = h.file("out");
    QDir().mkdir(out);
    QTimer poke;
    connect(&poke, &QTimer::timeout, [&] {
        if (w->extracting())
            w->close();
    });
    poke.start(0);
    h.select({0});
    h.dialogs.answerFolder(out);
    h.dialogs.answerMessage(MsgAnswer::Cancel); // the prompt once the entry is written
    h.click(kExtractButton);
    poke.stop();
    QVERIFY(w->isVisible());
    // The next extraction ends without asking again.
    h.select({1});
    h.dialogs.answerFolder(out);
    h.click(kExtractButton);
    QVERIFY(w->isVisible());
    QVERIFY(h.questionsDone());
}

void MainWindowTest::labelAndCapacityBoxes() {
    Harness h;
    MainWindow* w = h.startWith({"ONE", "TWO"});
    QLineEdit* label = h.edit(kLabelEdit);
    // The box ends where the list ends, with the captions of either language.
    const auto rightEdge = [w](const QWidget* box) { return box->mapTo(w, box->rect().topRight()).x(); };
    QTRY_COMPARE(rightEdge(label), rightEdge(h.list()));
    h.click(kEnglishButton);
    QTRY_COMPARE(rightEdge(label), rightEdge(h.list()));
    label->clear();
    QTest::keyClicks(label, "my tape");
    QCOMPARE(label->text(), QStringLiteral("MY TAPE"));
    QCOMPARE(QString::fromStdString(w->document().label()), QStringLiteral("MY TAPE"));
    QVERIFY(w->document().modified());

    // A loaded label is shown as stored without its fill; only what is typed becomes capitals.
    Harness h1;
    MainWindow* w1 = h1.start({writeImage(h1.file("low.t64"), {"ONE"}, 10, "my tape")});
    QLineEdit* label1 = h1.edit(kLabelEdit);
    QCOMPARE(label1->text(), QStringLiteral("my tape"));
    QVERIFY(!w1->document().modified());
    label1->setFocus();
    QTest::keyClick(label1, Qt::Key_End);
    QTest::keyClicks(label1, "s");
    QCOMPARE(label1->text(), QStringLiteral("my tapeS"));
    QCOMPARE(QString::fromStdString(w1->document().label()).trimmed(), QStringLiteral("my tapeS"));

    Harness h2;
    MainWindow* w2 = h2.startWith({"ONE", "TWO"});
    QSpinBox* spin = h2.spin();
    QVERIFY(spin->findChild<QLineEdit*>()->isReadOnly());
    QCOMPARE(spin->value(), 2);
    QCOMPARE(spin->minimum(), 2);
    spin->stepUp();
    QCOMPARE(w2->document().capacity(), 3);
    QVERIFY(w2->document().modified());
    spin->stepDown();
    spin->stepDown(); // the lower limit is the number of entries
    QCOMPARE(w2->document().capacity(), 2);
    QVERIFY(h.questionsDone() && h2.questionsDone());
}

void MainWindowTest::addProgramsReportsRefusedFiles() {
    Harness h;
    MainWindow* w = h.start();
    h.click(kNewButton);
    const QString good = h.file("My.Prg.Backup.PRG");
    const QString tiny = h.file("tiny.prg");
    writeFile(good, prgBytes(0xC000, 256));
    writeFile(tiny, "\x01");
    h.dialogs.answerOpen({tiny, good, h.file("gone.prg")});
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.click(kAddButton);
    QCOMPARE(h.rows(), QStringList({"MY.BACKUP"}));
    QCOMPARE(h.spin()->value(), 1);
    QVERIFY(h.dialogs.asked.at(1).text.contains(QDir::toNativeSeparators(tiny)));
    QVERIFY(h.dialogs.asked.at(1).text.contains(QStringLiteral("2 bajty")));
    QVERIFY(h.dialogs.asked.at(2).text.contains(QDir::toNativeSeparators(h.file("gone.prg"))));
    QVERIFY(h.dialogs.asked.at(2).text.contains(QString::fromLocal8Bit(std::strerror(ENOENT)))); // the reason
    QVERIFY(w->document().modified());
    QVERIFY(h.questionsDone());
}

void MainWindowTest::toolWindowsAndAbout() {
    Harness h;
    MainWindow* w = h.start();
    AboutWindow about(h.ctx);
    w->setToolWindows(nullptr, &about, nullptr, nullptr, nullptr);
    QVERIFY(triggerAction(w, kAboutItem));
    QVERIFY(about.isVisible());
    QCOMPARE(about.palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(findNamed<QLabel>(&about, kAboutVersion)->text() == QStringLiteral("VORN 0.11"));
    auto* banner = findNamed<ScrollingBanner>(&about, kAboutBanner);
    const int before = banner->offset();
    banner->step();
    QVERIFY(banner->offset() != before);
    QTest::mouseClick(findNamed<QPushButton>(&about, kAboutOkButton), Qt::LeftButton);
    QVERIFY(!about.isVisible());
    // The picture commands: Koala asks for its picture, FLI through the add-PRG dialog with
    // "All files" chosen, which is the first filter again afterwards.
    h.dialogs.answerOpen({});
    QVERIFY(triggerAction(w, kKoalaItem));
    QCOMPARE(h.dialogs.last()->setup.filters.value(0).second, QStringLiteral("*.KLA"));
    h.dialogs.answerOpen({});
    QVERIFY(triggerAction(w, kFliItem));
    QCOMPARE(h.dialogs.last()->setup.filters.value(0).first, QStringLiteral("PRG Files"));
    QCOMPARE(h.dialogs.last()->setup.selectedFilter, 1);
    QCOMPARE(w->addPrgDialog().selectedFilter, 0);
    // "Szybsza kompresja" only flips its tick.
    h.trigger(kFastCompressionItem);
    QVERIFY(h.action(kFastCompressionItem)->isChecked());
    QVERIFY(!QFile::exists(h.file("settings.ini")));
    QVERIFY(h.questionsDone());
}

void MainWindowTest::saveWritesToTheFileLastOpenedOrSaved() {
    Harness h;
    MainWindow* w = h.startWith({"ONE", "TWO"});
    const QString image = h.file("start.t64");
    QLineEdit* label = h.edit(kLabelEdit);
    label->setFocus();
    // No question: the image is written where it was read.
    h.click(kDeleteButton);
    QVERIFY(triggerAction(w, kSaveItem));
    QVERIFY(!w->document().modified());
    QCOMPARE(readFile(image).mid(80, 4), QByteArray("TWO "));
    // Changed on disk by someone else since: asked, and No leaves their file.
    QTest::keyClicks(label, "z");
    writeImage(image, {"THEIRS"});
    h.dialogs.answerMessage(MsgAnswer::No);
    QVERIFY(triggerAction(w, kSaveItem));
    QCOMPARE(readFile(image).mid(80, 6), QByteArray("THEIRS"));
    // Without a file of its own the document is saved as, and later saves go there.
    h.dialogs.answerMessage(MsgAnswer::No);
    h.click(kNewButton);
    QTest::keyClicks(label, "x");
    const QString fresh = h.file("fresh.t64");
    h.dialogs.answerSave(fresh);
    QVERIFY(triggerAction(w, kSaveItem));
    QCOMPARE(h.dialogs.last()->setup.fileName, QString());
    QTest::keyClicks(label, "y");
    QVERIFY(triggerAction(w, kSaveItem));
    QCOMPARE(readFile(fresh).mid(40, 2), QByteArray("XY"));
    h.dialogs.answerSave(QString());
    h.click(kSaveAsButton); // Save as asks, starting with that name
    QCOMPARE(h.dialogs.last()->setup.fileName, fresh);
    QVERIFY(h.questionsDone());
}

void MainWindowTest::anOpenedImageAndARenamedEntryAreSelected() {
    Harness h;
    MainWindow* w = h.startWith({"ONLY"}); // from the command line
    QCOMPARE(h.selected(), QList<int>({0}));
    h.dialogs.answerOpen({writeImage(h.file("two.t64"), {"FIRST", "SECOND"})});
    h.click(kOpenButton);
    QCOMPARE(h.selected(), QList<int>({0}));
    QTest::keyClick(h.list(), Qt::Key_Down); // current as well: the keys start there
    QCOMPARE(h.selected(), QList<int>({1}));
    // A rename keeps its entry selected and current, and the list the focus.
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::mouseDClick(h.list()->viewport(), Qt::LeftButton, {},
                       h.list()->visualItemRect(h.list()->topLevelItem(1)).center());
    QTest::keyClicks(h.edit(kRenameBox), "new");
    QTest::keyClick(h.edit(kRenameBox), Qt::Key_Return);
    QCOMPARE(h.rows(), QStringList({"FIRST", "NEW"}));
    QCOMPARE(h.selected(), QList<int>({1}));
    QCOMPARE(QApplication::focusWidget(), h.list());
    QTest::keyClick(h.list(), Qt::Key_Up);
    QCOMPARE(h.selected(), QList<int>({0}));
}

void MainWindowTest::typedLettersBecomeWhatATapeNameHolds_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // Latin-1
    QTest::newRow("Polish") << QStringLiteral("żółw ŁÓDŹ") << QStringLiteral("ZOLW LODZ");
    QTest::newRow("Latin-1 letters") << QStringLiteral("éàäöüçñå") << QStringLiteral("EAAOUCNA");
    QTest::newRow("sharp s, ligatures") << QStringLiteral("straße æøœ") << QStringLiteral("STRASSE AEOOE");
    QTest::newRow("signs that read back") << QStringLiteral("£1 §2") << QStringLiteral("£1 §2");
    QTest::newRow("no stored form") << QStringLiteral("a€×÷—b") << QStringLiteral("AB");
}

void MainWindowTest::typedLettersBecomeWhatATapeNameHolds() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Harness h;
    MainWindow* w = h.startWith({"ONE"});
    // The label box, typed letter by letter as a keyboard that has the letters sends them.
    QLineEdit* label = h.edit(kLabelEdit);
    label->setFocus();
    label->selectAll();
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, label, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(QString::fromLatin1(w->document().label()), stored);
    // The rename box, pasted in one piece into the middle of the name.
    QTest::mouseDClick(h.list()->viewport(), Qt::LeftButton, {},
                       h.list()->visualItemRect(h.list()->topLevelItem(0)).center());
    QLineEdit* box = h.edit(kRenameBox);
    box->setText(QStringLiteral("<>"));
    box->setCursorPosition(1);
    box->insert(typed);
    const QString name = (QStringLiteral("<") + stored + QStringLiteral(">")).left(16);
    QCOMPARE(box->cursorPosition(), std::min(int(stored.size()) + 1, 16));
    QCOMPARE(box->text(), name); // shown as it will be stored, before Enter
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(QString::fromLatin1(w->document().entries()[0].name).trimmed(), name);
}

void MainWindowTest::toolWindowsOpenOverTheMainWindowOnTheScreen() {
    Harness h;
    MainWindow* w = h.start();
    const QRect screen = w->screen()->availableGeometry();
    TapeConversionWindow tape(h.ctx);
    TapLinkerWindow linker(h.ctx);
    w->setToolWindows(nullptr, nullptr, nullptr, &tape, &linker);
    w->move(screen.center() - w->frameGeometry().center() + w->pos());
    h.dialogs.answerMessage(MsgAnswer::Ok); // no tape tool here
    QVERIFY(triggerAction(w, kTapeConversionItem));
    QVERIFY(screen.contains(tape.frameGeometry()));
    QVERIFY((tape.frameGeometry().center() - w->frameGeometry().center()).manhattanLength() <= 2);
    // The main window in a corner, and a window taller than the screen: wholly on it all the same.
    w->move(screen.right() - 100, screen.bottom() - 100);
    linker.resize(300, screen.height() * 2);
    h.dialogs.answerMessage(MsgAnswer::Ok);
    QVERIFY(triggerAction(w, kTapLinkerItem));
    QVERIFY(screen.contains(linker.frameGeometry()));
    QVERIFY(h.questionsDone());
}

// A control a test names must be there (and enabled, when the test acts on it): otherwise
// the test fails at its own line and runs on without crashing.
void MainWindowTest::lookupsFailTheTestOnAMissingOrDisabledControl() {
    Harness h;
    h.start();
    QEXPECT_FAIL("", "there is no such control", Continue);
    QLabel* missing = h.label(QStringLiteral("NoSuchLabel"));
    QVERIFY(missing && !missing->isEnabled()); // a hidden stand-in
    QEXPECT_FAIL("", "Delete is disabled without an image", Continue);
    h.click(kDeleteButton);
    QEXPECT_FAIL("", "Save is disabled without an image", Continue);
    h.trigger(kSaveItem);
    QVERIFY(h.questionsDone());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
