// The preview pane and undo/redo in the editor, driven through the menus, keys and boxes.
#include "app/PreviewPane.h"
#include "core/TapeDocument.h"
#include "preview/HexView.h"
#include "preview/Preview.h"
#include "tests/app/MainWindowHarness.h"

#include <QPlainTextEdit>
#include <QScreen>

using namespace vornix;

namespace {

// An image of a BASIC program, a Koala picture and 64 KB of machine code.
QString writePreviewImage(const QString& path) {
    TapeDocument doc;
    doc.newImage();
    doc.addPrg(VORNIX_TEST_DATA "/basic-demo.prg");
    doc.addPrg(VORNIX_TEST_DATA "/afterimage_frighthof83-yazoo.kla");
    Bytes code(0x10000 + 2, 0xEA);
    code[0] = 0x00;
    code[1] = 0x00;
    doc.addProgram("code", "CODE", code);
    doc.saveAs(QFile::encodeName(path).toStdString(), false);
    return path;
}

// An image holding one program.
QString writeOneProgram(const QString& path, const Bytes& prg) {
    TapeDocument doc;
    doc.newImage();
    doc.addProgram("one", "ONE", prg);
    doc.saveAs(QFile::encodeName(path).toStdString(), false);
    return path;
}

// FLI picture data from load, size bytes long.
Bytes fliProgram(std::uint16_t load, std::size_t size) {
    Bytes prg(size + 2, 0x5A);
    prg[0] = std::uint8_t(load);
    prg[1] = std::uint8_t(load >> 8);
    return prg;
}

QString settings(const Harness& h) { return QString::fromLatin1(readFile(h.file("settings.ini"))); }

} // namespace

class PreviewUndoTest : public QObject {
    Q_OBJECT
  private slots:
    void previewFollowsTheSelection();
    void notesInTheWindowsLanguage_data();
    void notesInTheWindowsLanguage();
    void paneKeepsTheListWidth();
    void undoAndRedoEveryEdit();
};

void PreviewUndoTest::previewFollowsTheSelection() {
    Harness h;
    MainWindow* w = h.start({writePreviewImage(h.file("p.t64"))});
    auto* pane = h.get<PreviewPane>(kPreviewPane);
    auto* text = h.get<QPlainTextEdit>(kPreviewText);
    QAction* view = h.action(kPreviewItem);
    QVERIFY(!pane->isVisible() && !view->isChecked()); // hidden: the window as designed
    const int narrow = w->width();

    QVERIFY(triggerAction(w, kPreviewItem));
    QVERIFY(pane->isVisible());
    QVERIFY(w->width() > narrow);
    QVERIFY(settings(h).contains("pod=1"));
    h.select({0});
    QCOMPARE(pane->kind(), PreviewKind::Basic);
    QVERIFY(text->toPlainText().startsWith("10 REM SAMPLE PROGRAM FOR LISTING CHECKS\n20 PRINT \"{clr}"));
    QCOMPARE(h.label(kPreviewTitle)->text(), QStringLiteral("Listing BASIC"));

    // The picture at twice its size, in the palette's colours.
    h.select({1});
    QCOMPARE(pane->kind(), PreviewKind::Picture);
    const QImage shown = h.label(kPreviewPicture)->pixmap().toImage();
    QCOMPARE(shown.size(), QSize(640, 400));
    const Picture decoded = *decodePicture(0x6000, std::span(w->document().entries()[1].data.data(), 10001));
    for (const QPoint p : {QPoint(0, 0), QPoint(161, 99), QPoint(319, 199)}) {
        const Rgb& c = c64Palette()[decoded.at(p.x(), p.y())];
        QCOMPARE(shown.pixel(2 * p.x() + 1, 2 * p.y() + 1), qRgb(c.r, c.g, c.b));
    }

    // Hidden from the menu, opened again by Enter on a row: the hex dump of 64 KB.
    QVERIFY(triggerAction(w, kPreviewItem));
    QVERIFY(!pane->isVisible());
    QCOMPARE(w->width(), narrow);
    QVERIFY(settings(h).contains("pod=0"));
    h.select({2});
    QTest::keyClick(h.list(), Qt::Key_Return);
    QVERIFY(pane->isVisible() && view->isChecked());
    QCOMPARE(pane->kind(), PreviewKind::Hex);
    auto* hex = h.get<HexDumpView>(kPreviewHex);
    QVERIFY(hex->isVisible() && !text->isVisible());
    QCOMPARE(hex->lineCount(), std::size_t{0x10000 / 16});
    // Each line as the full dump has it.
    const auto& code = w->document().entries()[2];
    const QStringList dump = QString::fromStdString(hexView(loadAddress(code), entryBytes(code))).split('\n');
    for (const std::size_t i : {std::size_t{0}, std::size_t{1}, std::size_t{0x0FFF}})
        QCOMPARE(hex->line(i), dump.at(static_cast<qsizetype>(i)));
    QVERIFY(hex->line(0).startsWith("0000  EA EA"));
    // The keys scroll the dump; another entry starts at its top again.
    hex->setFocus();
    QTest::keyClick(hex, Qt::Key_End);
    QVERIFY(hex->topLine() > 0x0F00);
    h.select({0});
    QVERIFY(!hex->isVisible() && text->isVisible());
    h.select({2});
    QCOMPARE(hex->topLine(), std::size_t{0});
    h.select({});
    QCOMPARE(h.label(kPreviewTitle)->text(), QStringLiteral("Nie zaznaczono programu"));

    // Remembered: the next start shows the pane.
    h.win.reset();
    h.start();
    QVERIFY(h.get<PreviewPane>(kPreviewPane)->isVisible());
    QVERIFY(h.questionsDone());
}

// Opening the pane grows the window by the pane; the list keeps the width it was designed
// with, whatever the pane shows, and gets it back when the pane closes.
void PreviewUndoTest::notesInTheWindowsLanguage_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<Bytes>("prg");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("lastLine"); // of a listing; empty for a picture
    // 10 PRINT, then 20 PRINT linking back to the first line.
    const Bytes back = {0x01, 0x08, 0x07, 0x08, 0x0A, 0x00, 0x99, 0x00, 0x01, 0x08, 0x14, 0x00, 0x99, 0x00};
    // 10 PRINT, the end marker, one byte of code.
    const Bytes tail = {0x01, 0x08, 0x07, 0x08, 0x0A, 0x00, 0x99, 0x00, 0x00, 0x00, 0xEA};
    const Bytes shortFli = fliProgram(0x3B00, 0x7F40 - 0x3B00 - 1);
    const Bytes longFli = fliProgram(0x3C00, kFliCarriedSize);
    QTest::newRow("link back, Polish")
        << false << back
        << QStringLiteral(
               "Listing BASIC \u2014 łącze linii 20 wskazuje wstecz na $0801; listing kończy się tutaj")
        << QStringLiteral("(łącze linii 20 wskazuje wstecz na $0801; listing kończy się tutaj)");
    QTest::newRow("link back, English")
        << true << back
        << QStringLiteral(
               "BASIC listing \u2014 the link of line 20 points back to $0801; the listing stops here")
        << QStringLiteral("(the link of line 20 points back to $0801; the listing stops here)");
    QTest::newRow("code after the end, Polish") << false << tail << QStringLiteral("Listing BASIC")
                                                << QStringLiteral("(jeszcze 1 bajt za końcem programu)");
    QTest::newRow("code after the end, English")
        << true << tail << QStringLiteral("BASIC listing")
        << QStringLiteral("(1 more byte after the end of the program)");
    QTest::newRow("short FLI, Polish")
        << false << shortFli
        << QStringLiteral(
               "Obrazek FLI \u2014 dane obrazu kończą się pod adresem $7F3E, 1 bajt przed końcem mapy "
               "bitowej; jest rysowany jako 0")
        << QString();
    QTest::newRow("long FLI, Polish")
        << false << longFli
        << QStringLiteral(
               "Obrazek FLI \u2014 przeglądarka FLI przenosi dane do $7FFF; ostatnich 256 bajtów, które "
               "nie należą do obrazu, zostaje pominiętych")
        << QString();
    QTest::newRow("long FLI, English")
        << true << longFli
        << QStringLiteral(
               "FLI picture \u2014 the FLI viewer carries the data up to $7FFF; the last 256 bytes, which "
               "are not part of the picture, are left behind")
        << QString();
}

void PreviewUndoTest::notesInTheWindowsLanguage() {
    QFETCH(bool, english);
    QFETCH(Bytes, prg);
    QFETCH(QString, title);
    QFETCH(QString, lastLine);
    Harness h;
    MainWindow* w = h.start({writeOneProgram(h.file("n.t64"), prg)});
    if (english)
        h.click(kEnglishButton);
    QVERIFY(triggerAction(w, kPreviewItem));
    h.select({0});
    QCOMPARE(h.label(kPreviewTitle)->text(), title);
    const QStringList lines = h.get<QPlainTextEdit>(kPreviewText)->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size() > 1 ? lines[lines.size() - 2] : QString(), lastLine);
}

void PreviewUndoTest::paneKeepsTheListWidth() {
    Harness h;
    MainWindow* w = h.start({writePreviewImage(h.file("p.t64"))});
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const int listWidth = h.list()->width();
    const int windowWidth = w->width();
    for (const int row : {1, 2, 0}) { // the picture (the widest page) first
        h.select({row});
        QVERIFY(triggerAction(w, kPreviewItem));
        QVERIFY(h.get<PreviewPane>(kPreviewPane)->isVisible());
        QCoreApplication::processEvents();
        QVERIFY2(h.list()->width() >= listWidth, qPrintable(QString::number(h.list()->width())));
        QVERIFY(w->width() > windowWidth);
        QVERIFY(triggerAction(w, kPreviewItem));
        QCoreApplication::processEvents();
        QCOMPARE(w->width(), windowWidth);
        QCOMPARE(h.list()->width(), listWidth);
    }

    // A window near the screen's right edge grows and moves left: wholly on the screen.
    const QRect room = w->screen()->availableGeometry();
    w->move(room.right() - w->frameGeometry().width() - 10, room.top() + 20);
    QCoreApplication::processEvents();
    QVERIFY(triggerAction(w, kPreviewItem));
    QCoreApplication::processEvents();
    const QRect frame = w->frameGeometry();
    // Wider than the screen (the offscreen one is small): its left edge at the screen's.
    QVERIFY2(frame.width() <= room.width() ? room.contains(frame) : frame.left() == room.left(),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(frame.x())
                            .arg(frame.y())
                            .arg(frame.width())
                            .arg(frame.height())));
    QVERIFY(triggerAction(w, kPreviewItem));

    // Shown from the start (remembered in settings.ini): the same list.
    QVERIFY(triggerAction(w, kPreviewItem));
    h.win.reset();
    w = h.start({h.file("p.t64")});
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    h.select({1});
    QCoreApplication::processEvents();
    QVERIFY(h.get<PreviewPane>(kPreviewPane)->isVisible());
    QVERIFY2(h.list()->width() >= listWidth, qPrintable(QString::number(h.list()->width())));
}

void PreviewUndoTest::undoAndRedoEveryEdit() {
    Harness h;
    MainWindow* w = h.startWith({"AAA", "BBB", "CCC"});
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QAction* undo = h.action(kUndoItem);
    QAction* redo = h.action(kRedoItem);
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    const auto undoKey = [&] { QTest::keyClick(h.list(), Qt::Key_Z, Qt::ControlModifier); };
    const auto redoKey = [&] {
        QTest::keyClick(h.list(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    };

    h.select({2});
    h.click(kTopButton); // CCC to the top
    h.select({1});
    h.click(kDeleteButton); // AAA deleted
    const QString label = h.edit(kLabelEdit)->text();
    h.edit(kLabelEdit)->selectAll();
    QTest::keyClicks(h.edit(kLabelEdit), "XY");
    h.spin()->stepBy(2);
    QVERIFY(triggerAction(w, kMarkType01Item));
    QCOMPARE(h.rows(), QStringList({"CCC", "BBB"}));
    QCOMPARE(w->document().label(), std::string("XY"));
    QCOMPARE(h.spin()->value(), 5);
    QVERIFY(undo->isEnabled() && w->document().modified());

    h.list()->setFocus();
    undoKey(); // the option
    QVERIFY(!h.action(kMarkType01Item)->isChecked());
    QVERIFY(settings(h).contains("opc=0"));
    undoKey(); // capacity
    QCOMPARE(h.spin()->value(), 3);
    undoKey(); // the label, typed as one step
    QCOMPARE(h.edit(kLabelEdit)->text(), label);
    undoKey(); // the delete: the selection is the one before it
    QCOMPARE(h.rows(), QStringList({"CCC", "AAA", "BBB"}));
    QCOMPARE(h.selected(), QList<int>({1}));
    QVERIFY(triggerAction(w, kUndoItem));
    QCOMPARE(h.rows(), QStringList({"AAA", "BBB", "CCC"}));
    QCOMPARE(h.selected(), QList<int>({2}));
    QVERIFY(!w->document().modified()); // back at the image as opened
    QVERIFY(!undo->isEnabled());

    redoKey();
    QCOMPARE(h.rows(), QStringList({"CCC", "AAA", "BBB"}));
    QCOMPARE(h.selected(), QList<int>({0}));
    QVERIFY(w->document().modified());

    // Saved here: undoing leaves the saved state, redoing comes back to it.
    h.dialogs.answerSave(h.file("saved.t64"));
    h.click(kSaveAsButton);
    QVERIFY(!w->document().modified());
    undoKey();
    QVERIFY(w->document().modified());
    redoKey();
    QVERIFY(!w->document().modified());

    // The same keys and items in English; New forgets the history.
    h.click(kEnglishButton);
    QCOMPARE(undo->text(), QStringLiteral("Und&o"));
    QCOMPARE(redo->text(), QStringLiteral("&Redo"));
    h.list()->setFocus();
    undoKey();
    QCOMPARE(h.rows(), QStringList({"AAA", "BBB", "CCC"}));
    h.dialogs.answerMessage(MsgAnswer::No);
    h.click(kNewButton);
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    QVERIFY(h.questionsDone());
}

QTEST_MAIN(PreviewUndoTest)
#include "PreviewUndoTest.moc"
