// Start-up: settings.ini read and written through, the working folder, the command-line
// image; and the INI reader/writer itself.
#include "app/IniFile.h"
#include "app/Settings.h"
#include "app/WorkingFolder.h"
#include "tests/app/MainWindowHarness.h"

using namespace vornix;

using namespace apptest;

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void profileNumbers_data();
    void profileNumbers();
    void iniLookupFollowsProfileRules();
    void iniWritesKeepEveryOtherLine_data();
    void iniWritesKeepEveryOtherLine();
    void settingsReachTheMenuTicks_data();
    void settingsReachTheMenuTicks();
    void togglesAreStoredAtOnce();
    void unwritableSettingsAreReported();
    void workingFolderIsPreparedAndEmptied();
    void workingFolderFailureSkipsTheRestOfStartUp();
    void installedProgramKeepsItsFilesInTheUsersFolders();
    void recentImagesKeepTheirNamesAndTheDesignsKeys();
    void commandLineImage_data();
    void commandLineImage();
    void repairMessageSaysWhatWasMended();
};

void StartupTest::profileNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<int>("value");
    QTest::newRow("one") << "1" << true << 1;
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("five") << "5" << true << 5;
    QTest::newRow("negative") << "-3" << true << -3;
    QTest::newRow("spaces") << "  7 " << true << 7;
    QTest::newRow("hex") << "0x10" << true << 16;
    QTest::newRow("hex capital X") << "0X1f" << true << 31;
    QTest::newRow("hex zero") << "0x0" << true << 0;
    QTest::newRow("hex all ones") << "0xFFFFFFFF" << true << -1;
    QTest::newRow("word") << "yes" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("trailing junk") << "12abc" << false << 0;
    QTest::newRow("bare 0x") << "0x" << false << 0;
    QTest::newRow("hex too long") << "0x100000000" << false << 0;
    QTest::newRow("decimal overflow") << "4294967296" << false << 0;
    QTest::newRow("arabic-indic digit") << QString::fromUtf8("\u0661") << false << 0;
}

void StartupTest::profileNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(int, value);
    const auto n = IniFile::parseInt(text);
    QCOMPARE(n.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*n, value);
}

void StartupTest::iniLookupFollowsProfileRules() {
    TestProgramFolder dir;
    const QString path = dir.file("settings.ini");
    writeFile(
        path,
        "; notes\r\n[other]\r\nEng=1\r\n[ m ]\r\n  ENG = 0x1  \r\n;opc=1\r\nwyn=\"0\"\r\n[M]\r\nopc=1\r\n");
    IniFile ini(path);
    QVERIFY(ini.load());
    QCOMPARE(ini.value("M", "Eng"), std::optional<QString>("0x1"));
    QCOMPARE(ini.value("M", "wyn"), std::optional<QString>("0"));
    QVERIFY(!ini.value("M", "opc")); // a comment, and only the first [M] counts
    QVERIFY(!ini.value("X", "Eng"));
    const ProgramSettings s = ProgramSettings::read(path);
    QVERIFY(s.englishInterface);
    QVERIFY(!s.markProgramsType01);
    QVERIFY(!s.compressConverted);
    // Missing file: the defaults.
    const ProgramSettings d = ProgramSettings::read(dir.file("none.ini"));
    QVERIFY(!d.englishInterface && !d.markProgramsType01 && d.compressConverted);
}

void StartupTest::iniWritesKeepEveryOtherLine_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("no file") << QByteArray() << "opc" << true << QByteArray("[M]\nopc=1\n");
    QTest::newRow("replace in place, spelling kept") << QByteArray("; mine\n[M]\nOPC = 1\nwyn=1\n") << "opc"
                                                     << false << QByteArray("; mine\n[M]\nOPC=0\nwyn=1\n");
    QTest::newRow("add at the end of the section") << QByteArray("[M]\nEng=1\n\n[Z]\nq=2\n") << "wyn" << false
                                                   << QByteArray("[M]\nEng=1\nwyn=0\n\n[Z]\nq=2\n");
    QTest::newRow("add the section") << QByteArray("[Z]\nq=2") << "Eng" << true
                                     << QByteArray("[Z]\nq=2\n[M]\nEng=1\n");
    QTest::newRow("CRLF kept") << QByteArray("[M]\r\nEng=0\r\nx=\xe9\r\n") << "Eng" << true
                               << QByteArray("[M]\r\nEng=1\r\nx=\xe9\r\n");
}

void StartupTest::iniWritesKeepEveryOtherLine() {
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(bool, value);
    QFETCH(QByteArray, after);
    TestProgramFolder dir;
    const QString path = dir.file("settings.ini");
    if (!before.isNull())
        writeFile(path, before);
    QVERIFY(ProgramSettings::store(path, key, value));
    QCOMPARE(readFile(path), after);
    // Written by the same writer as the images: a read-only settings.ini stays as it is.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QVERIFY(!ProgramSettings::store(path, key, !value));
    QCOMPARE(readFile(path), after);
}

void StartupTest::settingsReachTheMenuTicks_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("opc");
    QTest::addColumn<bool>("wyn");
    QTest::newRow("no file") << QByteArray() << false << false << true;
    QTest::newRow("wyn 0") << QByteArray("[M]\nwyn=0\n") << false << false << false;
    QTest::newRow("opc 5 is true") << QByteArray("[M]\nopc=5\n") << false << true << true;
    QTest::newRow("Eng yes is the default") << QByteArray("[M]\nEng=yes\n") << false << false << true;
    QTest::newRow("Eng 1") << QByteArray("[M]\nEng=1\nopc=0\nwyn=1\n") << true << false << true;
}

void StartupTest::settingsReachTheMenuTicks() {
    QFETCH(QByteArray, ini);
    QFETCH(bool, english);
    QFETCH(bool, opc);
    QFETCH(bool, wyn);
    Harness h;
    if (!ini.isNull())
        writeFile(h.file("settings.ini"), ini);
    MainWindow* w = h.start();
    QCOMPARE(w->language(), english ? gui::Language::English : gui::Language::Polish);
    QCOMPARE(h.action(kMarkType01Item)->isChecked(), opc);
    QCOMPARE(h.action(kCompressConvertedItem)->isChecked(), wyn);
    QVERIFY(!h.action(kFastCompressionItem)->isChecked());
    QCOMPARE(readFile(h.file("settings.ini")), ini); // reading writes nothing
    QCOMPARE(QFile::exists(h.file("settings.ini")), !ini.isNull());
}

void StartupTest::togglesAreStoredAtOnce() {
    Harness h;
    writeFile(h.file("settings.ini"), "; kept\n[M]\nEng=0\n");
    MainWindow* w = h.start();
    QVERIFY(triggerAction(w, kMarkType01Item));
    QCOMPARE(readFile(h.file("settings.ini")), QByteArray("; kept\n[M]\nEng=0\nopc=1\n"));
    QVERIFY(triggerAction(w, kCompressConvertedItem));
    QCOMPARE(readFile(h.file("settings.ini")), QByteArray("; kept\n[M]\nEng=0\nopc=1\nwyn=0\n"));
    QVERIFY(triggerAction(w, kFastCompressionItem));
    QCOMPARE(readFile(h.file("settings.ini")), QByteArray("; kept\n[M]\nEng=0\nopc=1\nwyn=0\n"));
    // The next start reads what was stored; the fast option starts unticked again.
    Harness next;
    writeFile(next.file("settings.ini"), readFile(h.file("settings.ini")));
    next.start();
    QVERIFY(next.action(kMarkType01Item)->isChecked());
    QVERIFY(!next.action(kCompressConvertedItem)->isChecked());
    QVERIFY(h.questionsDone());
}

void StartupTest::unwritableSettingsAreReported() {
    Harness h;
    QDir().mkdir(h.file("settings.ini")); // a folder where the file should be
    MainWindow* w = h.start();
    h.dialogs.answerMessage(MsgAnswer::Ok);
    QVERIFY(triggerAction(w, kMarkType01Item));
    const auto* msg = h.dialogs.last();
    QCOMPARE(msg->caption, QStringLiteral("Vornix"));
    QCOMPARE(msg->text, QString::fromUtf8("Nie można zapisać pliku %1.")
                            .arg(QDir::toNativeSeparators(h.file("settings.ini"))));
    QCOMPARE(msg->icon, MsgIcon::Error);
    QVERIFY(h.action(kMarkType01Item)->isChecked()); // the change stays on screen
    QVERIFY(h.questionsDone());
}

void StartupTest::workingFolderIsPreparedAndEmptied() {
    Harness h;
    // Left over from an earlier run: files go, a subfolder and its contents stay.
    QDir().mkpath(h.workFile("sub"));
    writeFile(h.workFile("OLD.PRG"), "x");
    writeFile(h.workFile(".hidden"), "x");
    writeFile(h.workFile("sub/KEEP.PRG"), "x");
    h.start();
    QVERIFY(QFileInfo(h.ctx.workingFolder()).isDir());
    QVERIFY(!QFile::exists(h.workFile("OLD.PRG")));
    QVERIFY(!QFile::exists(h.workFile(".hidden")));
    QVERIFY(QFile::exists(h.workFile("sub/KEEP.PRG")));
    QVERIFY(h.win->acceptDrops());

    // Missing folder: created, one level only.
    TestProgramFolder dir;
    QVERIFY(workingfolder::ensure(dir.file("temp/"), nullptr));
    QVERIFY(QFileInfo(dir.file("temp")).isDir());
    QString error;
    QVERIFY(!workingfolder::ensure(dir.file("a/b/temp/"), &error));
    QVERIFY(error.contains("temp"));
    workingfolder::empty(dir.file("nowhere/")); // never fails
}

void StartupTest::workingFolderFailureSkipsTheRestOfStartUp() {
    Harness h;
    writeFile(h.file("temp"), "a file where the folder should be");
    writeFile(h.file("settings.ini"), "[M]\nEng=1\nopc=1\nwyn=0\n");
    const QString image = writeImage(h.file("img.t64"), {"ONE"});
    h.dialogs.answerMessage(MsgAnswer::Ok);
    MainWindow* w = h.start({image});
    const auto* msg = h.dialogs.last();
    QCOMPARE(msg->caption, QStringLiteral("Vornix"));
    QVERIFY(msg->text.contains(QDir::toNativeSeparators(h.file("temp"))));
    // Design defaults: Polish, opc off, wyn on, no image, no drops.
    QCOMPARE(w->language(), gui::Language::Polish);
    QVERIFY(!h.action(kMarkType01Item)->isChecked());
    QVERIFY(h.action(kCompressConvertedItem)->isChecked());
    QCOMPARE(w->windowTitle(), QStringLiteral("VORN: Orvendal"));
    QCOMPARE(h.label(kCountLabel)->text(), QStringLiteral("---"));
    QVERIFY(!w->acceptDrops());
    QVERIFY(h.questionsDone());
}

// An installed tree: bin/ beside share/applications with our desktop entry. Writable here
// (the tests may run as root), so only the installed layout sends the files elsewhere.
void StartupTest::installedProgramKeepsItsFilesInTheUsersFolders() {
    TestProgramFolder user;
    qputenv("XDG_CONFIG_HOME", user.file("config").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", user.file("cache").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", user.file("run").toLocal8Bit());
    QDir().mkdir(user.file("run"));
    QFile::setPermissions(user.file("run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const auto startInstalled = [](Harness& h) {
        QDir().mkpath(h.file("bin"));
        QDir().mkpath(h.file("share/applications"));
        writeFile(h.file("share/applications/org.vornix.Vornix.desktop"), "[Desktop Entry]\n");
        h.ctx.programFolder = h.file("bin/");
        workingfolder::chooseFolders(h.ctx);
        return h.start();
    };
    Harness first;
    QDir().mkpath(user.file("run/vornix/sub"));
    writeFile(user.file("run/vornix/OLD.PRG"), "x");
    MainWindow* w = startInstalled(first);
    QCOMPARE(first.ctx.settingsPath(), user.file("config/vornix/settings.ini"));
    QCOMPARE(first.ctx.workingFolder(), user.file("run/vornix/"));
    QVERIFY(!QFile::exists(user.file("run/vornix/OLD.PRG"))); // emptied of files as beside the program
    QVERIFY(QFileInfo(user.file("run/vornix/sub")).isDir());
    QVERIFY(w->acceptDrops());
    QVERIFY(triggerAction(w, kMarkType01Item));
    QCOMPARE(readFile(user.file("config/vornix/settings.ini")), QByteArray("[M]\nopc=1\n"));
    QCOMPARE(QDir(first.file("bin")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());

    // The next run reads what the first stored; without a runtime folder the work goes to the cache.
    qunsetenv("XDG_RUNTIME_DIR");
    Harness next;
    startInstalled(next);
    QVERIFY(next.action(kMarkType01Item)->isChecked());
    QVERIFY(QFileInfo(user.file("cache/vornix/temp")).isDir());
    QVERIFY(first.questionsDone() && next.questionsDone());

    // A writable folder of its own keeps the design's places; a missing one is not writable.
    TestProgramFolder portable;
    AppContext ctx{portable.path(), nullptr};
    workingfolder::chooseFolders(ctx);
    QCOMPARE(ctx.settingsPath(), portable.file("settings.ini"));
    QCOMPARE(ctx.workingFolder(), portable.file("temp/"));
    QVERIFY(!workingfolder::besideProgram(portable.file("gone/")));
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CACHE_HOME");
}

void StartupTest::recentImagesKeepTheirNamesAndTheDesignsKeys() {
    TestProgramFolder dir;
    const QString path = dir.file("settings.ini");
    writeFile(path, "; mine\n[M]\nEng=1\n");
    // Names with spaces at the end, quotes and letters beyond Latin-1 come back as they were.
    const QStringList odd{"/t/a b .t64 ", "/t/\"q\".t64", QString::fromUtf8("/t/\u0142\u00f3d\u017a.t64")};
    QVERIFY(recentimages::store(path, odd));
    QCOMPARE(recentimages::read(path), odd);
    QVERIFY(readFile(path).startsWith("; mine\n[M]\nEng=1\n[Recent]\nFile1=\"/t/a b .t64 \"\n"));

    QStringList list;
    for (int i = 0; i < 10; ++i)
        list = recentimages::withFirst(list, QString::number(i));
    list = recentimages::withFirst(list, "5");
    QCOMPARE(list, QStringList({"5", "9", "8", "7", "6", "4", "3", "2"}));
    QCOMPARE(recentimages::withFirst(list, "bad\nname"), list);
    QVERIFY(ProgramSettings::read(path).englishInterface);
}

void StartupTest::repairMessageSaysWhatWasMended() {
    Harness h;
    const QString image = writeImage(h.file("zero.t64"), {"ONE", "TWO"});
    QByteArray bytes = readFile(image);
    bytes[36] = 0; // used-entries count 0: the entries come from the directory
    writeFile(image, bytes);
    h.dialogs.answerMessage(MsgAnswer::Ok);
    h.start({image});
    QCOMPARE(h.rows().size(), 2);
    QVERIFY(h.dialogs.last()->text.contains(QStringLiteral("odczytane z katalogu")));
    QVERIFY(!h.dialogs.last()->text.contains(QStringLiteral("rozmiary")));
    QVERIFY(h.questionsDone());
}

void StartupTest::commandLineImage_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("image") << "image";
    QTest::newRow("two arguments") << "two";
    QTest::newRow("real emulator image") << "fixture";
    QTest::newRow("prg file") << "prg";
    QTest::newRow("missing file") << "missing";
    QTest::newRow("folder") << "folder";
}

void StartupTest::commandLineImage() {
    QFETCH(QString, kind);
    Harness h;
    const QString image = writeImage(h.file("games.t64"), {"ONE", "TWO"});
    const QString prg = h.file("game.prg");
    writeFile(prg, prgBytes(0x0801, 4));
    QStringList args;
    if (kind == "image")
        args = {image};
    else if (kind == "two")
        args = {image, prg};
    else if (kind == "fixture")
        args = {QStringLiteral(VORNIX_TEST_DATA "/t64fix_c64sfreeze-2.52.t64")};
    else if (kind == "prg")
        args = {prg};
    else if (kind == "missing")
        args = {h.file("nothing.t64")};
    else
        args = {h.folder.path()};
    const bool accepted = kind == "image" || kind == "two" || kind == "fixture";
    if (!accepted)
        h.dialogs.answerMessage(MsgAnswer::Ok);
    MainWindow* w = h.start(args);
    QVERIFY(!w->document().modified());
    if (accepted) {
        QCOMPARE(w->windowTitle(), QFileInfo(args.first()).fileName() + " - VORN 0.11");
        QVERIFY(w->imageOpen());
        QVERIFY(h.button(kSaveAsButton)->isEnabled());
        if (kind == "fixture") {
            QCOMPARE(h.rows(), QStringList({"FREEZE"}));
            QCOMPARE(h.list()->topLevelItem(0)->text(2), QStringLiteral("66804"));
            QCOMPARE(h.spin()->value(), 30);
            QCOMPARE(h.edit(kLabelEdit)->text().trimmed(), QStringLiteral("TEST"));
        } else {
            QCOMPARE(h.rows(), QStringList({"ONE", "TWO"}));
        }
    } else {
        QCOMPARE(h.dialogs.last()->text, QStringLiteral("To nie jest poprawny plik T64."));
        QCOMPARE(h.dialogs.last()->caption, QStringLiteral("O kurcze...!"));
        QCOMPARE(w->windowTitle(), QStringLiteral("VORN: Orvendal"));
        QVERIFY(!w->imageOpen());
        QVERIFY(!h.button(kSaveAsButton)->isEnabled());
        QCOMPARE(h.label(kCountLabel)->text(), QStringLiteral("0"));
        QCOMPARE(h.spin()->value(), 0);
    }
    // Unchanged: closing asks nothing.
    w->close();
    QVERIFY(h.questionsDone());
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
