// The main window's tape commands: Import tape with its dialog, Export to TAP, and a tape
// named at start-up.
#include "app/TapeImportDialog.h"
#include "tape/TapeReader.h"
#include "tape/TapeWriter.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/DamagedTape.h"
#include "tests/tape/NovaloadEncoder.h"

#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

using namespace vornix;
using namespace apptest;

namespace {

TapeImportDialog* shownDialog(MainWindow* w) {
    for (auto* d : w->findChildren<TapeImportDialog*>())
        if (d->isVisible())
            return d;
    return nullptr;
}

// Edit › Import tape on the tape at path: the choice dialog it shows, or nullptr.
TapeImportDialog* importTape(Harness& h, const QString& path) {
    h.dialogs.answerOpen({path});
    h.trigger(kImportTapeItem);
    return shownDialog(h.win.get());
}

std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }

tape::ProgramToEncode program(const std::string& name, int size, int load = 0x0801, int seed = 1) {
    tape::ProgramToEncode p;
    p.name = name;
    p.load = std::uint16_t(load);
    const QByteArray b = prgBytes(load, size, seed);
    p.data.assign(b.begin() + 2, b.end());
    return p;
}

QString writeTape(const QString& path, const std::vector<tape::ProgramToEncode>& programs) {
    if (tape::encodeRomTap(programs, local(path)).failure != tape::TapeWriteFailure::None)
        qWarning("cannot write test tape");
    return path;
}

QStringList tapeNames(const QString& path) {
    QStringList names;
    for (const tape::FoundFile& f : tape::analyseTape(local(path)).files)
        names << QString::fromLatin1(f.name.c_str()).trimmed();
    return names;
}

} // namespace

class TapeCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void menuItemsFollowTheEditingCommands();
    void exportWritesAllOrTheSelectedEntries();
    void importOffersTheProgramsAndUndoTakesThemBack();
    void importReportsWhatIsNoTape();
    void damagedProgramsAreGreyedWithTheReason_data();
    void damagedProgramsAreGreyedWithTheReason();
    void aTapeNamedAtStartBecomesANewImage();
    void blocksAreListedUnderTheirProgram();
    void aFullImageSaysSoOnce();
};

void TapeCommandsTest::menuItemsFollowTheEditingCommands() {
    Harness h;
    h.start();
    QCOMPARE(h.action(kImportTapeItem)->text(), QStringLiteral("Import z &taśmy (TAP/WAV)..."));
    QCOMPARE(h.action(kExportTapItem)->text(), QStringLiteral("Eksport do &TAP..."));
    QVERIFY(h.get<QMenu>(kFileMenu)->actions().contains(h.action(kExportTapItem)));
    QVERIFY(h.get<QMenu>(kEditMenu)->actions().contains(h.action(kImportTapeItem)));
    QVERIFY(!h.action(kExportTapItem)->isEnabled());
    QVERIFY(!h.action(kImportTapeItem)->isEnabled());
    h.click(kNewButton);
    QVERIFY(h.action(kImportTapeItem)->isEnabled());
    h.click(kEnglishButton);
    QCOMPARE(h.action(kImportTapeItem)->text(), QStringLiteral("&Import tape (TAP/WAV)..."));
    QCOMPARE(h.action(kExportTapItem)->text(), QStringLiteral("Export to &TAP..."));
}

void TapeCommandsTest::exportWritesAllOrTheSelectedEntries() {
    Harness h;
    h.startWith({"GAME", "INTRO", "MUSIC"}, 300);
    const QString all = h.file("all.tap"), some = h.file("some.tap");
    h.dialogs.answerSave(all);
    QVERIFY(triggerAction(h.win.get(), kExportTapItem));
    QCOMPARE(h.dialogs.last()->setup.defaultSuffix, QStringLiteral("TAP"));
    QVERIFY(h.dialogs.last()->setup.confirmOverwrite);
    QCOMPARE(tapeNames(all), QStringList({"GAME", "INTRO", "MUSIC"}));
    const tape::TapeAnalysis a = tape::analyseTape(local(all));
    QCOMPARE(a.files.size(), std::size_t(3));
    const vornix::Entry& e = h.win->document().entries()[1];
    QVERIFY(a.files[1].data == std::vector<std::uint8_t>(e.data.begin(), e.data.end()));
    QCOMPARE(int(a.files[1].load), 0x0801);

    h.select({0, 2});
    h.dialogs.answerSave(some);
    QVERIFY(triggerAction(h.win.get(), kExportTapItem));
    QCOMPARE(tapeNames(some), QStringList({"GAME", "MUSIC"}));
    QVERIFY(!h.win->document().modified());
    QVERIFY(h.win->statusBar()->currentMessage().contains(QDir::toNativeSeparators(some)));

    // Cancelled: nothing written.
    h.dialogs.answerSave(QString());
    QVERIFY(triggerAction(h.win.get(), kExportTapItem));
    QVERIFY(!QFile::exists(h.file("none.tap")));
    QVERIFY(h.questionsDone());
}

void TapeCommandsTest::importOffersTheProgramsAndUndoTakesThemBack() {
    Harness h;
    h.startWith({"TAPE ONE"});
    const QString path =
        writeTape(h.file("two.tap"), {program("HELLO", 300), program("LAST ONE", 20, 0xC000, 5)});

    TapeImportDialog* dialog = importTape(h, path);
    QVERIFY(dialog);
    auto* list = findNamed<QListWidget>(dialog, kChoiceList);
    QCOMPARE(list->count(), 2);
    QVERIFY(list->item(1)->text().contains(QStringLiteral("$C000")));
    QVERIFY(list->item(1)->text().contains(QStringLiteral("ROM loader")));
    QTest::mouseClick(findNamed<QPushButton>(dialog, kChoiceCancelButton),
                      Qt::LeftButton); // Cancel adds nothing
    QCOMPARE(h.rows(), QStringList({"TAPE ONE"}));
    QVERIFY(!h.win->document().modified());

    dialog = importTape(h, path);
    QVERIFY(dialog);
    // Both programs come chosen.
    QCOMPARE(findNamed<QListWidget>(dialog, kChoiceList)->selectedItems().size(), 2);
    QTest::mouseClick(findNamed<QPushButton>(dialog, kChoiceOkButton), Qt::LeftButton);
    QCOMPARE(h.rows(), QStringList({"TAPE ONE", "HELLO", "LAST ONE"}));
    QCOMPARE(h.win->statusBar()->currentMessage(),
             QStringLiteral("Dodano 2 programy z taśmy %1").arg(QDir::toNativeSeparators(path)));
    const vornix::Entry& last = h.win->document().entries()[2];
    QCOMPARE(int(last.load[1]), 0xC0);
    QCOMPARE(int(last.data.size()), 20);
    QVERIFY(h.win->document().modified());

    QVERIFY(triggerAction(h.win.get(), kUndoItem));
    QCOMPARE(h.rows(), QStringList({"TAPE ONE"}));
    QVERIFY(h.questionsDone());
}

void TapeCommandsTest::importReportsWhatIsNoTape() {
    Harness h;
    h.startWith({"KEEP"});
    writeFile(h.file("junk.tap"), "not a tape, only words");
    h.dialogs.answerOpen({h.file("junk.tap")});
    h.dialogs.answerMessage(MsgAnswer::Ok);
    QVERIFY(triggerAction(h.win.get(), kImportTapeItem));
    QVERIFY(h.dialogs.last()->text.contains(QDir::toNativeSeparators(h.file("junk.tap"))));
    QVERIFY(!shownDialog(h.win.get()));
    QCOMPARE(h.rows(), QStringList({"KEEP"}));
    QVERIFY(h.questionsDone());
}

void TapeCommandsTest::damagedProgramsAreGreyedWithTheReason_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("reason");
    QTest::newRow("Polish") << QByteArray()
                            << QStringLiteral("błędna suma kontrolna: 1 bajt nieczytelny w obu kopiach");
    QTest::newRow("English") << QByteArray("[M]\nEng=1\n")
                             << QStringLiteral("checksum wrong: 1 byte unreadable in both copies");
}

void TapeCommandsTest::damagedProgramsAreGreyedWithTheReason() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, reason);
    Harness h;
    if (!settings.isNull())
        writeFile(h.file("settings.ini"), settings);
    h.startWith({"KEEP"});
    const QString path = h.file("spoilt.tap");
    QVERIFY(testfiles::writeSpoiltTape({program("FINE", 150), program("BROKEN", 150, 0x0801, 3)}, {1, 3},
                                       local(path)));
    TapeImportDialog* dialog = importTape(h, path);
    QVERIFY(dialog);
    auto* list = findNamed<QListWidget>(dialog, kChoiceList);
    QCOMPARE(list->count(), 2);
    QVERIFY(list->item(0)->flags() & Qt::ItemIsSelectable); // repaired from its second copy
    QVERIFY(!(list->item(1)->flags() & Qt::ItemIsSelectable));
    QCOMPARE(list->item(1)->toolTip(), reason);
    // The whole reason is in view, without scrolling sideways.
    QVERIFY2(list->fontMetrics().horizontalAdvance(list->item(1)->text()) < list->viewport()->width(),
             qPrintable(list->item(1)->text()));
    QVERIFY(list->item(1)->text().contains(reason.section(QLatin1Char(':'), 0, 0)));
    QTest::mouseClick(findNamed<QPushButton>(dialog, kChoiceOkButton), Qt::LeftButton);
    QCOMPARE(h.rows(), QStringList({"KEEP", "FINE"}));
    QVERIFY(h.questionsDone());
}

void TapeCommandsTest::aTapeNamedAtStartBecomesANewImage() {
    Harness h;
    const QString path = writeTape(h.file("games.tap"), {program("ONE", 100), program("TWO", 200)});
    h.start({path});
    QCOMPARE(h.rows(), QStringList({"ONE", "TWO"}));
    QCOMPARE(QString::fromStdString(h.win->document().label()).trimmed(), QStringLiteral("GAMES"));
    // The line naming the tape is not cut through by the status bar's panels.
    QVERIFY(h.win->statusBar()->currentMessage().endsWith(QDir::toNativeSeparators(path)));
    QVERIFY(!h.label(kProgressPanel)->isVisible() && !h.label(kSparePanel)->isVisible());
    // The first entry selected, as an opened image has it: Delete acts at once.
    QCOMPARE(h.selected(), QList<int>({0}));
    QTest::keyClick(h.list(), Qt::Key_Delete);
    QCOMPARE(h.rows(), QStringList({"TWO"}));
    // A new image, not yet saved: closing asks.
    QVERIFY(h.win->document().modified());
    QVERIFY(h.action(kExportTapItem)->isEnabled());
    QVERIFY(h.questionsDone());
}

// A turbo tape's blocks can be more than an image holds: the rest is refused in one message,
// not one box for each.
void TapeCommandsTest::aFullImageSaysSoOnce() {
    Harness h;
    std::vector<std::uint8_t> pages(200), more(60);
    for (std::size_t k = 0; k < pages.size(); ++k)
        pages[k] = std::uint8_t(0x20 + k);
    for (std::size_t k = 0; k < more.size(); ++k)
        more[k] = std::uint8_t(0x08 + k);
    loadertest::Pulses pulses = loadertest::novaloadSpecial(pages, 1).pulses;
    loadertest::append(pulses, loadertest::novaloadSpecial(more, 2).pulses);
    const std::vector<std::uint8_t> tap = tape::tapV1Bytes(pulses);
    const QString path = h.file("blocks.tap");
    writeFile(path, QByteArray(reinterpret_cast<const char*>(tap.data()), qsizetype(tap.size())));
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.start({path});
    QCOMPARE(h.rows().size(), 255);
    QCOMPARE(h.dialogs.asked.size(), 1);
    QVERIFY2(h.dialogs.last()->text.contains(QStringLiteral("5 plików nie zostało dodanych")),
             qPrintable(h.dialogs.last()->text));
    QVERIFY(h.questionsDone());
}

// The blocks of a program stored as many blocks stand under a line naming the program, which
// cannot be chosen; the choice counts the files alone.
void TapeCommandsTest::blocksAreListedUnderTheirProgram() {
    const QString nova = QStringLiteral("Novaload");
    TapeImportDialog dialog(nullptr, QStringLiteral("game.tap"),
                            {{QStringLiteral("BOOT"), 100, 0x0801, {}, QStringLiteral("ROM loader")},
                             {QStringLiteral("GAME-000"), 256, 0x1000, {}, nova, {}, QStringLiteral("GAME")},
                             {QStringLiteral("GAME-001"), 256, 0x1100, {}, nova, {}, QStringLiteral("GAME")},
                             {QStringLiteral("NOTES"), 50, 0x2000, {}, nova, QStringLiteral("no checksum")}});
    auto* list = findNamed<QListWidget>(&dialog, kChoiceList);
    QCOMPARE(list->count(), 5);
    QVERIFY(list->item(1)->text().startsWith(QStringLiteral("GAME  Novaload")));
    QVERIFY(!(list->item(1)->flags() & Qt::ItemIsSelectable));
    QVERIFY(list->item(2)->text().startsWith(QStringLiteral("  GAME-000")));
    QVERIFY(list->item(4)->text().endsWith(QStringLiteral("(no checksum)")));
    list->clearSelection();
    list->item(3)->setSelected(true);
    list->item(4)->setSelected(true);
    QCOMPARE(dialog.chosen(), QList<int>({2, 3}));
}

QTEST_MAIN(TapeCommandsTest)
#include "TapeCommandsTest.moc"
