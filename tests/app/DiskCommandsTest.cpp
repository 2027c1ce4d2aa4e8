// The main window's disk image commands: Export to D64 and Add from D64 with its dialog.
#include "app/DiskImportDialog.h"
#include "core/D64Image.h"
#include "tests/app/MainWindowHarness.h"

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

using namespace vornix;

using namespace apptest;

namespace {

vornix::DiskImage readDisk(const QString& path) {
    vornix::DiskImage disk;
    if (!disk.load(QFile::encodeName(path).toStdString()).opened)
        qWarning("cannot read the disk");
    return disk;
}

QStringList diskNames(const vornix::DiskImage& disk) {
    QStringList names;
    for (const vornix::DiskEntry& e : disk.entries())
        names << QString::fromLatin1(vornix::trimDiskName(e.name).c_str());
    return names;
}

// The dialog on show (one that was closed may wait for its deletion).
DiskImportDialog* shownDialog(MainWindow* w) {
    for (auto* d : w->findChildren<DiskImportDialog*>())
        if (d->isVisible())
            return d;
    return nullptr;
}

vornix::Bytes bytes(const QByteArray& b) { return vornix::Bytes(b.begin(), b.end()); }

} // namespace

class DiskCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void menuItemsFollowTheEditingCommands();
    void exportWritesAllOrTheSelectedEntries();
    void exportRefusesWhatDoesNotFitBeforeAskingForAPath();
    void addFromD64OffersThePrgFilesAndAddsTheChosen();
    void addFromD64ReportsAnUnreadableDisk();
    void addFromD64GreysUnclosedFilesAndMapsNames();
};

void DiskCommandsTest::menuItemsFollowTheEditingCommands() {
    Harness h;
    h.start();
    QCOMPARE(h.action(kExportD64Item)->text(), QStringLiteral("&Eksport do D64..."));
    QVERIFY(h.get<QMenu>(kFileMenu)->actions().contains(h.action(kExportD64Item)));
    QVERIFY(h.get<QMenu>(kEditMenu)->actions().contains(h.action(kAddFromD64Item)));
    QVERIFY(!triggerAction(h.win.get(), kExportD64Item));
    QVERIFY(!h.action(kAddFromD64Item)->isEnabled());
    h.click(kNewButton);
    QVERIFY(h.action(kExportD64Item)->isEnabled());
    QVERIFY(h.action(kAddFromD64Item)->isEnabled());
    h.click(kEnglishButton);
    QCOMPARE(h.action(kAddFromD64Item)->text(), QStringLiteral("Add from &D64..."));
}

void DiskCommandsTest::exportWritesAllOrTheSelectedEntries() {
    Harness h;
    h.startWith({"GAME", "INTRO", "MUSIC"}, 600);
    const QString all = h.file("all.d64"), some = h.file("some.d64");
    h.dialogs.answerSave(all);
    QVERIFY(triggerAction(h.win.get(), kExportD64Item));
    QCOMPARE(h.dialogs.last()->setup.defaultSuffix, QStringLiteral("D64"));
    const vornix::DiskImage disk = readDisk(all);
    QCOMPARE(diskNames(disk), QStringList({"GAME", "INTRO", "MUSIC"}));
    QCOMPARE(QString::fromLatin1(vornix::trimDiskName(disk.diskName()).c_str()), QStringLiteral("TAPE"));
    vornix::Bytes data;
    QVERIFY(disk.readFile(disk.entries()[2], data).read);
    QCOMPARE(data, vornix::diskProgramOf(h.win->document().entries()[2]).prg());
    QCOMPARE(h.win->statusBar()->currentMessage(),
             QStringLiteral("Zapisano 3 programy na dysku %1").arg(QDir::toNativeSeparators(all)));

    h.select({0, 2});
    h.dialogs.answerSave(some);
    QVERIFY(triggerAction(h.win.get(), kExportD64Item));
    QCOMPARE(h.dialogs.last()->setup.fileName, h.file("start.d64")); // named after the image
    QCOMPARE(diskNames(readDisk(some)), QStringList({"GAME", "MUSIC"}));
    QVERIFY(h.win->statusBar()->currentMessage().contains(QStringLiteral("2 programy")));
    QVERIFY(!h.win->document().modified());
    QVERIFY(h.questionsDone());
}

void DiskCommandsTest::exportRefusesWhatDoesNotFitBeforeAskingForAPath() {
    Harness h;
    h.startWith({"ONE", "TWO", "THREE"}, 60000); // 237 blocks each: the third does not fit
    h.dialogs.answerMessage(MsgAnswer::Ok);
    QVERIFY(triggerAction(h.win.get(), kExportD64Item));
    QCOMPARE(h.dialogs.asked.size(), 1);
    QVERIFY(h.dialogs.last()->text.contains(QStringLiteral("THREE")));
    QVERIFY(h.dialogs.last()->text.contains(QStringLiteral("237")));
    QVERIFY(h.dialogs.last()->text.contains(QStringLiteral("190")));
    QVERIFY(h.questionsDone());
}

void DiskCommandsTest::addFromD64OffersThePrgFilesAndAddsTheChosen() {
    Harness h;
    h.startWith({"TAPE ONE"});
    const QString path = h.file("disk.d64");
    QVERIFY(vornix::writeDisk(QFile::encodeName(path).toStdString(), "DISK",
                              {vornix::DiskProgram::fromPrg("HELLO", bytes(prgBytes(0x0801, 300))),
                               vornix::DiskProgram::fromPrg("NOTES", bytes(prgBytes(0x0801, 10))),
                               vornix::DiskProgram::fromPrg("BROKEN", bytes(prgBytes(0x0801, 10))),
                               vornix::DiskProgram::fromPrg("LAST ONE", bytes(prgBytes(0xC000, 20, 5)))})
                .written);
    // NOTES becomes a SEQ file; BROKEN's block links past the last track.
    QByteArray d = readFile(path);
    const int dir = 357 * 256 + 256;
    d[dir + 32 + 2] = char(0x81);
    d[(d[dir + 64 + 3] - 1) * 21 * 256 + d[dir + 64 + 4] * 256] = char(36);
    // The error table marks LAST ONE's only block (on track 17, like every block here) as error 23.
    const int lastTrack = d[dir + 96 + 3], lastSector = d[dir + 96 + 4];
    d.resize(175531, char(1));
    d[174848 + (lastTrack - 1) * 21 + lastSector] = char(5);
    writeFile(path, d);

    h.dialogs.answerOpen({path});
    QVERIFY(triggerAction(h.win.get(), kAddFromD64Item));
    DiskImportDialog* dialog = shownDialog(h.win.get());
    QVERIFY(dialog);
    auto* list = findNamed<QListWidget>(dialog, kChoiceList);
    QCOMPARE(list->count(), 3);
    QVERIFY(list->item(1)->text().contains(QStringLiteral("BROKEN")));
    QVERIFY(!(list->item(1)->flags() & Qt::ItemIsSelectable));
    // Why, in the window's language.
    QCOMPARE(list->item(1)->toolTip(),
             QStringLiteral("\"BROKEN\": łańcuch bloków urywa się po 1 bloku: ścieżka 36 "
                            "nie istnieje (liczba ścieżek dysku: 35)"));
    QCOMPARE(
        list->item(2)->toolTip(),
        QStringLiteral("\"LAST ONE\": tablica błędów dysku oznacza 1 z jego bloków jako uszkodzony (ścieżka "
                       "%1 sektor %2 (błąd 23)); odczytano go tak, jak zapisano w obrazie")
            .arg(lastTrack)
            .arg(lastSector));
    QVERIFY(!findNamed<QPushButton>(dialog, kChoiceOkButton)->isEnabled());
    list->selectAll();
    QTest::mouseClick(findNamed<QPushButton>(dialog, kChoiceCancelButton),
                      Qt::LeftButton); // Cancel adds nothing
    QCOMPARE(h.rows(), QStringList({"TAPE ONE"}));
    QVERIFY(!h.win->document().modified());

    h.dialogs.answerOpen({path});
    QVERIFY(triggerAction(h.win.get(), kAddFromD64Item));
    dialog = shownDialog(h.win.get());
    QVERIFY(dialog);
    findNamed<QListWidget>(dialog, kChoiceList)->selectAll();
    QTest::mouseClick(findNamed<QPushButton>(dialog, kChoiceOkButton), Qt::LeftButton);

    QCOMPARE(h.rows(), QStringList({"TAPE ONE", "HELLO", "LAST ONE"}));
    QCOMPARE(h.win->statusBar()->currentMessage(),
             QStringLiteral("Dodano 2 programy z dysku %1").arg(QDir::toNativeSeparators(path)));
    const vornix::Entry& last = h.win->document().entries()[2];
    QCOMPARE(last.name, std::string("LAST ONE        "));
    QCOMPARE(vornix::diskProgramOf(last).prg(), bytes(prgBytes(0xC000, 20, 5)));
    QCOMPARE(int(last.end[1]), 0xC0); // the true end address, as Add PRG works it out
    QVERIFY(h.win->document().modified());
    QVERIFY(h.questionsDone());
}

void DiskCommandsTest::addFromD64ReportsAnUnreadableDisk() {
    Harness h;
    h.startWith({"KEEP"});
    writeFile(h.file("junk.d64"), "not a disk");
    h.dialogs.answerOpen({h.file("junk.d64")});
    h.dialogs.answerMessage(MsgAnswer::Ok);
    QVERIFY(triggerAction(h.win.get(), kAddFromD64Item));
    QVERIFY(h.dialogs.last()->text.contains(QDir::toNativeSeparators(h.file("junk.d64"))));
    QCOMPARE(h.rows(), QStringList({"KEEP"}));
    QVERIFY(h.questionsDone());
}

void DiskCommandsTest::addFromD64GreysUnclosedFilesAndMapsNames() {
    Harness h;
    h.startWith({"TAPE ONE"});
    const QString path = h.file("disk.d64");
    QVERIFY(vornix::writeDisk(QFile::encodeName(path).toStdString(), "DISK",
                              {vornix::DiskProgram::fromPrg("HELLO", bytes(prgBytes(0x0801, 30))),
                               vornix::DiskProgram::fromPrg("SPLAT", bytes(prgBytes(0x0801, 10))),
                               vornix::DiskProgram::fromPrg("GAME", bytes(prgBytes(0x0801, 10)))})
                .written);
    // SPLAT was never closed; GAME's G is the shifted code 0xC7, which a tape reads as G.
    QByteArray d = readFile(path);
    const int dir = 357 * 256 + 256;
    d[dir + 32 + 2] = char(0x02);
    d[dir + 64 + 5] = char(0xC7);
    writeFile(path, d);

    const auto choose = [&](auto pick) {
        h.dialogs.answerOpen({path});
        QVERIFY(triggerAction(h.win.get(), kAddFromD64Item));
        DiskImportDialog* dialog = shownDialog(h.win.get());
        QVERIFY(dialog);
        auto* list = findNamed<QListWidget>(dialog, kChoiceList);
        QCOMPARE(list->count(), 3);
        pick(list);
        QTest::mouseClick(findNamed<QPushButton>(dialog, kChoiceOkButton), Qt::LeftButton);
    };
    choose([](QListWidget* list) {
        QVERIFY(list->item(1)->text().contains(QStringLiteral("SPLAT  (niezamkni")));
        QVERIFY(list->item(1)->toolTip().contains(QStringLiteral("*PRG")));
        QCOMPARE(list->item(1)->foreground().color(),
                 list->palette().color(QPalette::Disabled, QPalette::Text));
        QCOMPARE(list->item(2)->text().trimmed(), QStringLiteral("1     GAME"));
        list->selectAll(); // all that are sound: the unclosed file stays out
    });
    QCOMPARE(h.rows(), QStringList({"TAPE ONE", "HELLO", "GAME"}));
    QCOMPARE(h.win->document().entries()[2].name, std::string("GAME            "));

    choose([](QListWidget* list) { list->item(1)->setSelected(true); }); // picked by itself
    QCOMPARE(h.rows(), QStringList({"TAPE ONE", "HELLO", "GAME", "SPLAT"}));
    QVERIFY(h.questionsDone());
}

QTEST_MAIN(DiskCommandsTest)
#include "DiskCommandsTest.moc"
