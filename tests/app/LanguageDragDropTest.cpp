// The interface language (the main window's texts, language buttons, stored Eng, the tool
// windows' texts on show) and drag and drop in both directions.
#include "app/DragGesture.h"
#include "tape/ui/TapLinkerWindow.h"
#include "tape/ui/TapeConversionWindow.h"
#include "tests/app/MainWindowHarness.h"
#include "tools/ui/CartridgeWindow.h"
#include "tools/ui/CompressionWindow.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <filesystem>

using namespace vornix;

using namespace apptest;

namespace {

// The main window's texts as the design gives them in Polish and English, each with where it
// is shown.
enum class Shown { Menu, Action, Label, Header, ToolTip, PromptText, PromptCaption };
struct PinnedText {
    const char* control;
    Shown role;
    const char* polish;
    const char* english;
    int column = 0;
};
const PinnedText kMainWindowTexts[] = {
    {kFileMenu, Shown::Menu, "&Plik", "&File"},
    {kEditMenu, Shown::Menu, "&Edycja", "&Edit"},
    {kViewMenu, Shown::Menu, "&Widok", "&View"},
    {kExtrasMenu, Shown::Menu, "&Dodatki", "&Options"},
    {kCountCaption, Shown::Label, "Obiektów:", " Items:"},
    {kLabelCaption, Shown::Label, "  Etykieta  ", "   Label:"},
    {kEntryList, Shown::Header, "Nr", "No.", 0},
    {kEntryList, Shown::Header, "Nazwa", "Name", 1},
    {kEntryList, Shown::Header, "Rozmiar", "Size", 2},
    {kNewItem, Shown::Action, "&Nowy", "&New"},
    {kOpenItem, Shown::Action, "&Otwórz...", "&Open..."},
    {kSaveItem, Shown::Action, "Zapi&sz", "&Save"},
    {kSaveAsItem, Shown::Action, "&Zapisz jako...", "Save &as..."},
    {kRecentMenu, Shown::Menu, "Ostatnie o&brazy", "&Recent images"},
    {kExitItem, Shown::Action, "&Wyjscie", "E&xit"},
    {kUndoItem, Shown::Action, "&Cofnij", "Und&o"},
    {kRedoItem, Shown::Action, "Pon&ów", "&Redo"},
    {kPreviewItem, Shown::Action, "&Podgląd", "&Preview"},
    {kExportD64Item, Shown::Action, "&Eksport do D64...", "&Export to D64..."},
    {kAddFromD64Item, Shown::Action, "Dodaj z D&64...", "Add from &D64..."},
    {kExportTapItem, Shown::Action, "Eksport do &TAP...", "Export to &TAP..."},
    {kImportTapeItem, Shown::Action, "Import z &taśmy (TAP/WAV)...", "&Import tape (TAP/WAV)..."},
    {kExtractAllItem, Shown::Action, "Wy&pakuj...", "E&xtract..."},
    {kExtractSelectedItem, Shown::Action, "Wypakuj &zaznaczone...", "Extract &selected..."},
    {kAddItem, Shown::Action, "&Dodaj...", "&Add..."},
    {kDeleteItem, Shown::Action, "&Usuń", "D&elete"},
    {kRenameItem, Shown::Action, "Zmień n&azwę", "Re&name"},
    {kSelectAllItem, Shown::Action, "Zaznacz wszystk&o", "Select a&ll"},
    {kTopItem, Shown::Action, "Przesuń na &górę", "Move to &top"},
    {kUpItem, Shown::Action, "Przesuń &wyżej", "Move &up"},
    {kDownItem, Shown::Action, "Przesuń &niżej", "Move do&wn"},
    {kBottomItem, Shown::Action, "Przesuń na dó&l", "Move to &bottom"},
    {kAboutItem, Shown::Action, "O p&rogramie...", "A&bout..."},
    {kMarkType01Item, Shown::Action, "&Oznaczenie programu 0x01", "Mar&k T64 programs as 0x01"},
    {kCompressConvertedItem, Shown::Action, "Kom&presuj konwertowane", "Co&mpress converted files"},
    {kFastCompressionItem, Shown::Action, "&Szybsza kompresja/większy plik",
     "F&aster compression/bigger file"},
    {kCompressionWindowItem, Shown::Action, "&Kompresja PRG", "&PRG Compression frontend"},
    {kCartridgeWindowItem, Shown::Action, "Konwersja &cartridge", "&Cartridge conversion frontend"},
    {kNewButton, Shown::ToolTip, "Nowy", "New"},
    {kOpenButton, Shown::ToolTip, "Otwórz", "Open"},
    {kExtractButton, Shown::ToolTip, "Wypakuj zaznaczone", "Extract..."},
    {kTopButton, Shown::ToolTip, "Przesuń na górę", "Move to top"},
    {kUpButton, Shown::ToolTip, "O jeden w górę", "Move up"},
    {kDownButton, Shown::ToolTip, "O jeden w dól", "Move down"},
    {kBottomButton, Shown::ToolTip, "Przesuń na sam dól", "Move to bottom"},
    {kDeleteButton, Shown::ToolTip, "Kasuj program", "Remove program"},
    {kSaveAsButton, Shown::ToolTip, "Zapisz jako", "Save as..."},
    {kAddButton, Shown::ToolTip, "Dodaj program", "Add program..."},
    {kEnglishButton, Shown::ToolTip, "English", "English"},
    {kPolishButton, Shown::ToolTip, "Polish/Polski", "Polski/Polish"},
    {"", Shown::PromptText, "Dokonano zmian. Czy zapisać?", "Do you want to save your modified file?"},
    {"", Shown::PromptCaption, "Zmieniono plik", "Question"},
};

QString shownText(MainWindow* w, const PinnedText& row, const QString& promptText,
                  const QString& promptCaption) {
    const QString name = QString::fromLatin1(row.control);
    switch (row.role) {
    case Shown::Menu: return lookup::require<QMenu>(w, name)->title();
    case Shown::Action: return lookup::require<QAction>(w, name)->text();
    case Shown::Label: return lookup::require<QLabel>(w, name)->text();
    case Shown::Header: return lookup::require<QTreeWidget>(w, name)->headerItem()->text(row.column);
    case Shown::ToolTip: return lookup::require<QToolButton>(w, name)->toolTip();
    case Shown::PromptText: return promptText;
    case Shown::PromptCaption: return promptCaption;
    }
    return {};
}

// Every pinned text is shown in the given language. The save prompt's texts are read
// by asking it once (New on a modified document, answered No).
void checkMainWindowTexts(Harness& h, bool english) {
    MainWindow* w = h.win.get();
    QString promptText, promptCaption;
    if (w->imageOpen()) {
        h.edit(kLabelEdit)->setFocus();
        h.edit(kLabelEdit)->selectAll();
        QTest::keyClick(h.edit(kLabelEdit), Qt::Key_X); // a change: the next New asks
        if (!w->document().modified()) {
            QFAIL("the label box did not take the key");
            return;
        }
        h.dialogs.answerMessage(MsgAnswer::No);
        h.dialogs.onNextQuestion([&](const ScriptedDialogs::Question& q) {
            promptText = q.text;
            promptCaption = q.caption;
        });
        h.click(kNewButton);
        h.dialogs.onNextQuestion(nullptr);
    }
    for (const PinnedText& row : kMainWindowTexts) {
        if ((row.role == Shown::PromptText || row.role == Shown::PromptCaption) && !w->imageOpen())
            continue;
        const QString expected = QString::fromUtf8(english ? row.english : row.polish);
        QCOMPARE(shownText(w, row, promptText, promptCaption), expected);
    }
}

void drop(QWidget* target, const QStringList& paths) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    const QPoint pos = target->rect().center();
    QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(pos), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
}

QString text(QObject* root, const QString& name) {
    QObject* o = root->findChild<QObject*>(name);
    if (!o)
        return QStringLiteral("<no %1>").arg(name);
    if (auto* box = qobject_cast<QGroupBox*>(o))
        return box->title();
    return o->property("text").toString();
}

// The tool windows with their tools in place, so showing them asks nothing.
struct ToolWindows {
    std::unique_ptr<CompressionWindow> compression;
    std::unique_ptr<CartridgeWindow> cartridge;
    std::unique_ptr<TapeConversionWindow> tape;
    explicit ToolWindows(Harness& h) {
        h.folder.installTool("pucrunch");
        h.folder.installTool("cartconv");
        h.folder.installTool("tape64");
        compression = std::make_unique<CompressionWindow>(h.ctx);
        cartridge = std::make_unique<CartridgeWindow>(h.ctx);
        tape = std::make_unique<TapeConversionWindow>(h.ctx);
        h.win->setToolWindows(compression.get(), nullptr, cartridge.get(), tape.get(), nullptr);
    }
};

} // namespace

class LanguageDragDropTest : public QObject {
    Q_OBJECT

  private slots:
    void englishAtStartFromEng();
    void englishButtonAppliesTheTableAndStoresEng();
    void polishButtonAsksForARestart();
    void ownMessagesFollowTheLanguage();
    void toolWindowTablesOnShow();
    void linkerTakesTheMainWindowsLanguageOnShow();
    void dropsAddOnlyPrgFilesToAnOpenImage();
    void dragOutOffersTheExtractedFiles();
    void dragOutOfNamesThatAreNotUtf8();
    void quickClickStartsNoDrag();
    void dragOutExtractionFailure();
    void dragGestureRules_data();
    void dragGestureRules();
};

void LanguageDragDropTest::englishAtStartFromEng() {
    Harness h;
    writeFile(h.file("settings.ini"), "[M]\nEng=1\n");
    MainWindow* w = h.startWith({"ONE"});
    QCOMPARE(w->language(), gui::Language::English);
    QCOMPARE(w->windowTitle(), QStringLiteral("start.t64 - VORN 0.11"));
    QVERIFY(!h.button(kEnglishButton)->isVisible());
    QVERIFY(h.button(kPolishButton)->isVisible() && h.button(kPolishButton)->isEnabled());
    checkMainWindowTexts(h, true);
    QCOMPARE(h.dialogs.asked.size(), 1);

    // English is in place before the command-line image loads: the reader's repair note of a
    // damaged directory comes in English.
    Harness damaged;
    writeFile(damaged.file("settings.ini"), "[M]\nEng=1\n");
    QByteArray bytes(300, ' ');
    bytes.replace(0, 3, "C64");
    bytes[34] = 2;
    bytes[36] = 2;
    bytes[64 + 8] = char(200); // the data offsets fall from entry 1 to entry 2
    bytes[96 + 8] = char(150);
    for (int i : {64 + 9, 64 + 10, 64 + 11, 96 + 9, 96 + 10, 96 + 11})
        bytes[i] = 0;
    writeFile(damaged.file("bad.t64"), bytes);
    damaged.dialogs.answerMessage(MsgAnswer::Ok);
    damaged.start({damaged.file("bad.t64")});
    QVERIFY2(damaged.dialogs.last()->text.startsWith(QStringLiteral("The directory of ")),
             qPrintable(damaged.dialogs.last()->text));
    QVERIFY(damaged.dialogs.last()->text.contains(QDir::toNativeSeparators(damaged.file("bad.t64"))));
    QCOMPARE(damaged.win->windowTitle(), QStringLiteral("bad.t64 - VORN 0.11"));

    // The rejection message is Polish in both languages.
    Harness bad;
    writeFile(bad.file("settings.ini"), "[M]\nEng=1\n");
    writeFile(bad.file("x.prg"), prgBytes(0x0801, 3));
    bad.dialogs.answerMessage(MsgAnswer::Ok);
    bad.start({bad.file("x.prg")});
    QCOMPARE(bad.dialogs.last()->text, QStringLiteral("To nie jest poprawny plik T64."));
    QVERIFY(h.questionsDone() && bad.questionsDone());
}

void LanguageDragDropTest::englishButtonAppliesTheTableAndStoresEng() {
    Harness h;
    MainWindow* w = h.startWith({"ONE"});
    checkMainWindowTexts(h, false);
    h.dialogs.clear();
    w->show();
    h.click(kEnglishButton);
    QCOMPARE(w->language(), gui::Language::English);
    // The toolbar lays out its buttons when events are handled.
    QTRY_VERIFY(!h.button(kEnglishButton)->isVisible());
    QVERIFY(!h.button(kEnglishButton)->isEnabled());
    QTRY_VERIFY(h.button(kPolishButton)->isVisible());
    QVERIFY(h.button(kPolishButton)->isEnabled());
    QVERIFY(readFile(h.file("settings.ini")).endsWith("[M]\nEng=1\n")); // after the recent image
    checkMainWindowTexts(h, true);
    QVERIFY(h.questionsDone());
}

void LanguageDragDropTest::polishButtonAsksForARestart() {
    Harness h;
    MainWindow* w = h.startWith({"ONE"});
    h.click(kEnglishButton);
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.click(kPolishButton);
    const auto* msg = h.dialogs.last();
    QCOMPARE(msg->text, QStringLiteral("Musisz zrestartować program / You need to restart program."));
    QCOMPARE(msg->caption, QStringLiteral("Uwaga"));
    QCOMPARE(msg->buttons, MsgButtons::Ok);
    QCOMPARE(w->language(), gui::Language::Polish);
    QTRY_VERIFY(h.button(kEnglishButton)->isVisible());
    QVERIFY(h.button(kEnglishButton)->isEnabled());
    QTRY_VERIFY(!h.button(kPolishButton)->isVisible());
    QVERIFY(!h.button(kPolishButton)->isEnabled());
    QVERIFY(readFile(h.file("settings.ini")).endsWith("[M]\nEng=0\n"));
    h.dialogs.clear();
    checkMainWindowTexts(h, true); // the running window keeps its English texts

    // English again, then the next start reads what was stored last.
    h.click(kEnglishButton);
    QCOMPARE(w->language(), gui::Language::English);
    QVERIFY(readFile(h.file("settings.ini")).endsWith("[M]\nEng=1\n"));
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.click(kPolishButton);
    Harness next;
    writeFile(next.file("settings.ini"), readFile(h.file("settings.ini")));
    next.startWith({"ONE"});
    QCOMPARE(next.win->language(), gui::Language::Polish);
    checkMainWindowTexts(next, false);
    QVERIFY(h.questionsDone() && next.questionsDone());
}

void LanguageDragDropTest::ownMessagesFollowTheLanguage() {
    Harness h;
    h.startWith({"ONE"});
    h.click(kEnglishButton);
    writeFile(h.file("tiny.prg"), "\x01");
    h.dialogs.answerOpen({h.file("tiny.prg")});
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.click(kAddButton);
    QCOMPARE(h.dialogs.asked.at(0).caption, QStringLiteral("Add program"));
    QVERIFY2(h.dialogs.last()->text.startsWith(QStringLiteral("The file ")),
             qPrintable(h.dialogs.last()->text));
    QVERIFY(h.dialogs.last()->text.contains(QDir::toNativeSeparators(h.file("tiny.prg"))));
    QVERIFY(h.questionsDone());
}

void LanguageDragDropTest::toolWindowTablesOnShow() {
    Harness h;
    MainWindow* w = h.start();
    ToolWindows tools(h);
    // Polish flag: the compression and cartridge windows get Polish; the tape window stays Polish.
    QCOMPARE(text(tools.compression.get(), "Button1"), QStringLiteral("Clear"));
    QVERIFY(triggerAction(w, kCompressionWindowItem));
    QVERIFY(tools.compression->isVisible());
    QCOMPARE(text(tools.compression.get(), "Button1"), QStringLiteral("Wyczyść"));
    QVERIFY(triggerAction(w, kCartridgeWindowItem));
    QCOMPARE(text(tools.cartridge.get(), "Button4"), QStringLiteral("Zamknij"));
    QVERIFY(triggerAction(w, kTapeConversionItem));
    QCOMPARE(text(tools.tape.get(), "StaticText4"), QStringLiteral(" Zamknij"));

    // English: the tape window gets English on its next show; Polish, once applied, stays.
    h.click(kEnglishButton);
    tools.tape->hide();
    QVERIFY(triggerAction(w, kTapeConversionItem));
    QCOMPARE(text(tools.tape.get(), "StaticText4"), QStringLiteral("   Close"));
    QCOMPARE(text(tools.tape.get(), "RadioGroup1Item0"), QStringLiteral("None"));
    QCOMPARE(text(tools.tape.get(), "RadioGroup1Item1"), QStringLiteral("T64"));
    QVERIFY(triggerAction(w, kCompressionWindowItem));
    QCOMPARE(text(tools.compression.get(), "Button1"), QStringLiteral("Wyczyść"));
    QVERIFY(h.questionsDone());

    // English from the start: the compression window keeps its English design texts until the
    // Polish button; then it gets Polish on its next show although the main window stays English.
    Harness e;
    writeFile(e.file("settings.ini"), "[M]\nEng=1\n");
    MainWindow* we = e.start();
    ToolWindows eTools(e);
    QVERIFY(triggerAction(we, kCompressionWindowItem));
    QCOMPARE(text(eTools.compression.get(), "Button1"), QStringLiteral("Clear"));
    QVERIFY(triggerAction(we, kCartridgeWindowItem));
    QCOMPARE(text(eTools.cartridge.get(), "Button4"), QStringLiteral("Close"));
    e.dialogs.answerMessage(MsgAnswer::Ok);
    e.click(kPolishButton);
    QVERIFY(triggerAction(we, kCompressionWindowItem));
    QCOMPARE(text(eTools.compression.get(), "Button1"), QStringLiteral("Wyczyść"));
    QCOMPARE(e.action(kCompressionWindowItem)->text(), QStringLiteral("&PRG Compression frontend"));
    QCOMPARE(e.action(kCartridgeWindowItem)->text(), QStringLiteral("&Cartridge conversion frontend"));
    QVERIFY(triggerAction(we, kTapeConversionItem));

    // They all go when the main window closes.
    we->close();
    QVERIFY(!eTools.compression->isVisible() && !eTools.cartridge->isVisible() && !eTools.tape->isVisible());
    QVERIFY(e.questionsDone());
}

void LanguageDragDropTest::linkerTakesTheMainWindowsLanguageOnShow() {
    Harness h;
    MainWindow* w = h.start();
    h.folder.installTool("tape64");
    TapLinkerWindow linker(h.ctx);
    w->setToolWindows(nullptr, nullptr, nullptr, nullptr, &linker);
    QVERIFY(triggerAction(w, "TAPLinker1"));
    QCOMPARE(linker.windowTitle(), QStringLiteral("Łączenie plików TAP"));
    h.click("SpeedButton11");
    QCOMPARE(linker.windowTitle(), QStringLiteral("Łączenie plików TAP")); // until it is shown again
    QVERIFY(triggerAction(w, "TAPLinker1"));
    QCOMPARE(linker.windowTitle(), QStringLiteral("TAP Linker"));
    h.dialogs.answerMessage(MsgAnswer::Ok); // the restart the Polish button asks for
    h.click("SpeedButton12");
    QVERIFY(triggerAction(w, "TAPLinker1"));
    QCOMPARE(linker.windowTitle(), QStringLiteral("Łączenie plików TAP"));
    QVERIFY(h.questionsDone());
}

void LanguageDragDropTest::dropsAddOnlyPrgFilesToAnOpenImage() {
    Harness h;
    MainWindow* w = h.start();
    const QString upper = h.file("first.PRG"), lower = h.file("second.prg"), mixed = h.file("third.Prg");
    const QString image = writeImage(h.file("tape.t64"), {"X"});
    const QString noExt = h.file("prg");
    for (const QString& f : {upper, lower, mixed, noExt})
        writeFile(f, prgBytes(0x0801, 4));

    // No image yet: everything is ignored, silently.
    drop(w, {upper, lower});
    QVERIFY(!w->imageOpen());
    QCOMPARE(h.rows(), QStringList());

    h.click(kNewButton);
    drop(w, {upper, mixed, image, noExt, lower});
    QCOMPARE(h.rows(), QStringList({"FIRST", "SECOND"}));
    QCOMPARE(w->windowTitle(), QStringLiteral("Untitled - VORN 0.11")); // the image was not opened
    QVERIFY(w->document().modified());

    // After a drop, closing asks the save prompt.
    h.dialogs.answerMessage(MsgAnswer::No);
    w->close();
    QCOMPARE(h.dialogs.last()->buttons, MsgButtons::YesNoCancel);
    QVERIFY(h.questionsDone());
}

void LanguageDragDropTest::dragOutOffersTheExtractedFiles() {
    Harness h;
    MainWindow* w = h.startWith({"GAME", "GAME", "X"}, 50);
    EntryListView* list = h.list();
    auto pressAndHold = [&](int row) {
        QTest::mousePress(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(row)).center());
    };
    int runsBefore = 0;
    bool registeredDuring = true;
    h.drag->during = [&] {
        registeredDuring = w->acceptDrops();
        // The window's own files dropped back onto it add nothing.
        drop(w, h.drag->offered);
        w->dropFiles(h.drag->offered);
    };

    h.select({0, 1});
    pressAndHold(0);
    QTRY_COMPARE(h.drag->runs, runsBefore + 1);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton);
    const QString work = QDir(h.ctx.workingFolder()).absolutePath();
    QCOMPARE(h.drag->offered, QStringList({work + "/GAME.PRG", work + "/GAME_1.PRG"}));
    QCOMPARE(readFile(work + "/GAME_1.PRG").size(), 52);
    QVERIFY(!registeredDuring);
    QVERIFY(w->acceptDrops());
    QCOMPARE(h.rows(), QStringList({"GAME", "GAME", "X"}));
    QVERIFY(!w->document().modified());

    // The next drag-out empties the folder first; what is offered is what is there.
    runsBefore = h.drag->runs;
    h.drag->during = nullptr;
    h.select({2});
    pressAndHold(2);
    QTRY_COMPARE(h.drag->runs, runsBefore + 1);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton);
    QCOMPARE(h.drag->offered, QStringList({work + "/X.PRG"}));
    QCOMPARE(QDir(work).entryList(QDir::Files), QStringList({"X.PRG"}));

    // Closing empties it.
    w->close();
    QCOMPARE(QDir(work).entryList(QDir::Files), QStringList());
    QVERIFY(h.questionsDone());
}

void LanguageDragDropTest::dragOutOfNamesThatAreNotUtf8() {
    Harness h;
    // Shifted spaces (0xA0), the fill of real tape names, are trimmed; other bytes from 0x80
    // up arrive as their Latin-1 characters.
    h.start({writeImage(h.file("pad.t64"), {QString::fromLatin1("PIC\xA3\xA0\xA0")})});
    EntryListView* list = h.list();
    h.select({0});
    QTest::mousePress(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(0)).center());
    QTRY_COMPARE(h.drag->runs, 1);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton);
    QCOMPARE(h.drag->offeredUrls.size(), 1);
    const QByteArray path =
        QByteArray::fromPercentEncoding(h.drag->offeredUrls[0].toEncoded(QUrl::RemoveScheme));
    QVERIFY2(path.endsWith("/PIC\xC2\xA3.PRG"), path.constData());
    QVERIFY(std::filesystem::is_regular_file(path.toStdString()));
}

void LanguageDragDropTest::quickClickStartsNoDrag() {
    Harness h;
    h.startWith({"ONE", "TWO"});
    writeFile(h.workFile("KEEP.PRG"), "xx");
    EntryListView* list = h.list();
    h.select({0});
    const QPoint at = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    auto* hold = h.get<QTimer>(kDragHoldTimer);
    QVERIFY(hold->isActive());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(!hold->isActive()); // the release ends the drag test: no drag can follow
    QCOMPARE(h.drag->runs, 0);
    QVERIFY(QFile::exists(h.workFile("KEEP.PRG")));
    // Nothing selected at the press: no drag test at all.
    list->clearSelection();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {},
                      list->viewport()->rect().bottomRight() - QPoint(2, 2));
    QVERIFY(!hold->isActive());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton);
    QCOMPARE(h.drag->runs, 0);
}

void LanguageDragDropTest::dragOutExtractionFailure() {
    Harness h;
    MainWindow* w = h.startWith({"ONE"});
    QDir(h.ctx.workingFolder()).removeRecursively(); // the folder has gone
    EntryListView* list = h.list();
    h.select({0});
    h.dialogs.answerMessage(MsgAnswer::Ok);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(0)).center());
    QTRY_COMPARE(h.dialogs.asked.size(), 1);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton);
    QCOMPARE(h.dialogs.last()->caption, QStringLiteral("Vornix"));
    QVERIFY(h.dialogs.last()->text.contains(QStringLiteral("ONE.PRG")));
    QCOMPARE(h.drag->runs, 0);
    QVERIFY(w->acceptDrops()); // restored at once
    QVERIFY(h.questionsDone());
}

void LanguageDragDropTest::dragGestureRules_data() {
    // Script: "m x y t" move, "k t" key, "i t" hold timer, "r" release, "e" escape.
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("state");
    using S = DragGesture::State;
    QTest::newRow("far move after 200 ms") << "m 20 0 250" << int(S::Started);
    QTest::newRow("far move too early") << "m 20 0 100" << int(S::Watching);
    QTest::newRow("early far move, later move counts") << "m 20 0 100;m 21 0 210" << int(S::Started);
    QTest::newRow("small move after 200 ms") << "m 2 1 300" << int(S::Watching);
    QTest::newRow("vertical move") << "m 0 -9 300" << int(S::Started);
    QTest::newRow("held still 500 ms") << "i 500" << int(S::Started);
    QTest::newRow("timer before 500 ms") << "i 499" << int(S::Watching);
    QTest::newRow("a move restarts the hold") << "m 1 0 300;i 500" << int(S::Watching);
    QTest::newRow("hold after the last move") << "m 1 0 300;i 800" << int(S::Started);
    QTest::newRow("a key restarts the hold") << "k 400;i 600" << int(S::Watching);
    QTest::newRow("release") << "r;i 900" << int(S::Cancelled);
    QTest::newRow("escape") << "e;m 50 50 900" << int(S::Cancelled);
}

void LanguageDragDropTest::dragGestureRules() {
    QFETCH(QString, script);
    QFETCH(int, state);
    DragGesture g;
    g.begin(100, 100, 0, 10, 10); // rectangle of 10 x 10 around the press
    for (const QString& step : script.split(';')) {
        const QStringList p = step.split(' ');
        if (p[0] == "m")
            g.move(100 + p[1].toInt(), 100 + p[2].toInt(), p[3].toInt());
        else if (p[0] == "k")
            g.input(p[1].toInt());
        else if (p[0] == "i")
            g.idle(p[1].toInt());
        else
            g.cancel();
    }
    QCOMPARE(int(g.state()), state);
}

QTEST_MAIN(LanguageDragDropTest)
#include "LanguageDragDropTest.moc"
