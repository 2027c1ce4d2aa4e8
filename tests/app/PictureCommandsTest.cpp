// The "Koala->PRG" and "FLI->PRG" commands: their dialogs, what they write, and the
// compression step that follows when it is ticked.
#include "app/PictureCommands.h"
#include "convert/EmbeddedResources.h"
#include "gui/LogView.h"
#include "gui/ProcessRunner.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/GuiTestHelpers.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestFiles.h"
#include "tools/ui/CompressionWindow.h"

#include <QFile>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace vornix;

namespace {

QByteArray bytes(int size, int seed) {
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = static_cast<char>(seed + i * 13);
    return b;
}

// A Koala picture's size and load address ($6000), the rest a pattern.
QByteArray koala(int seed) {
    QByteArray b = bytes(10003, seed);
    b[0] = '\0';
    b[1] = '\x60';
    return b;
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

FileDialogSetup addPrgDialogOfMainWindow() {
    FileDialogSetup s;
    s.filters = {{QStringLiteral("PRG Files"), QStringLiteral("*.PRG")},
                 {QStringLiteral("All files"), QStringLiteral("*.*")}};
    s.defaultSuffix = QStringLiteral("PRG");
    return s;
}

using Filters = QList<QPair<QString, QString>>;

// The compression window in a program folder of its own, shown the way the main window's
// menu command shows it.
struct Compressor {
    TestProgramFolder folder;
    AppContext ctx;
    CompressionWindow window;
    int shown = 0;
    explicit Compressor(Dialogs* dialogs) : ctx{folder.path(), dialogs}, window(ctx) {}
    CompressionOptions options(bool fast) {
        CompressionOptions o;
        o.compress = true;
        o.fast = fast;
        o.window = &window;
        o.showCompressionWindow = [this] {
            ++shown;
            window.show();
        };
        return o;
    }
    QString log() const { return window.findChild<LogView*>(QStringLiteral("Memo1"))->toPlainText(); }
};

} // namespace

class PictureCommandsTest : public QObject {
    Q_OBJECT

  private:
    ScriptedDialogs dialogs_;
    QTemporaryDir dir_;
    AppContext ctx_;
    int shown_ = 0;

    QString file(const QString& name) const { return dir_.filePath(name); }
    CompressionOptions options(bool compress) {
        CompressionOptions o;
        o.compress = compress;
        o.showCompressionWindow = [this] { ++shown_; };
        return o;
    }

  private slots:
    void init() {
        dialogs_.clear();
        ctx_ = AppContext{QString(), &dialogs_};
        shown_ = 0;
    }
    void cleanup() { QVERIFY2(dialogs_.unexpected.isEmpty(), qPrintable(dialogs_.unexpected.join('\n'))); }

    void koalaDialogsAndCancelling() {
        const QByteArray picture = koala(1);
        QVERIFY(write(file("cancel.kla"), picture));

        dialogs_.answerOpen({});
        koalaToPrgCommand(ctx_, nullptr, options(true));
        QCOMPARE(dialogs_.asked.size(), 1);
        const auto& open = dialogs_.asked[0];
        QCOMPARE(open.kind, ScriptedDialogs::Kind::Open);
        QVERIFY(!open.multiple);
        QCOMPARE(open.setup.filters, (Filters{{"Koala Paint *.KLA", "*.KLA"}, {"All files ", "*.*"}}));
        QCOMPARE(open.setup.selectedFilter, 0);
        QCOMPARE(open.setup.defaultSuffix, QStringLiteral("KLA"));

        dialogs_.answerOpen({file("cancel.kla")});
        dialogs_.answerSave({});
        koalaToPrgCommand(ctx_, nullptr, options(true));
        QCOMPARE(dialogs_.asked.size(), 3);
        const auto& save = dialogs_.asked[2];
        QCOMPARE(save.kind, ScriptedDialogs::Kind::Save);
        QCOMPARE(save.setup.filters, (Filters{{"Programs *.PRG", "*.PRG"}, {"All files", "*.*"}}));
        QCOMPARE(save.setup.defaultSuffix, QStringLiteral("PRG"));
        QVERIFY(save.setup.confirmOverwrite);

        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), QStringList{"cancel.kla"});
        QCOMPARE(shown_, 0);
    }

    void koalaWritesTheProgram() {
        const QByteArray picture = koala(2);
        QVERIFY(write(file("pic.kla"), picture));
        dialogs_.answerOpen({file("pic.kla")});
        dialogs_.answerSave(file("pic.prg"));
        koalaToPrgCommand(ctx_, nullptr, options(false));
        const QByteArray prg = read(file("pic.prg"));
        QCOMPARE(prg.size(), 16146);
        QCOMPARE(prg.left(2), QByteArray("\x01\x08", 2));
        QCOMPARE(prg.mid(101, 6042), QByteArray(6042, '\0'));
        QCOMPARE(prg.mid(6143), picture);
        QCOMPARE(shown_, 0); // compression not ticked

        // The save dialog proposes the last program written, by either command.
        dialogs_.answerOpen({file("pic.kla")});
        dialogs_.answerSave({});
        koalaToPrgCommand(ctx_, nullptr, options(false));
        QCOMPARE(dialogs_.asked.last().setup.fileName, file("pic.prg"));
    }

    // Refused with the reason before anything is written: a name typed into the open dialog
    // that does not exist, and a picture too large for the C64 (judged by its size).
    void unusableInputIsRefusedAndNothingWritten() {
        QFile huge(file("huge.pic"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{200} << 20));
        huge.close();
        FileDialogSetup addPrg = addPrgDialogOfMainWindow();
        // The reason is in the window's language too; the system's own words stay its own.
        const struct {
            bool english;
            QString lead, missing, tooLarge;
        } languages[] = {
            {false, QStringLiteral("Obraz nie został przekonwertowany.\n\n"),
             QStringLiteral("Nie można odczytać %1: No such file"),
             QStringLiteral("%1 jest za duży (209715200 bajtów): jego program, ładowany pod $0801, kończyłby "
                            "się za $FFFF")},
            {true, QStringLiteral("The picture was not converted.\n\n"),
             QStringLiteral("Cannot read %1: No such file"),
             QStringLiteral("%1 is too large (209715200 bytes): its program, loaded at $0801, would end "
                            "beyond $FFFF")},
        };
        for (const auto& language : languages) {
            for (const bool fli : {false, true}) {
                for (const char* input : {"never.pic", "huge.pic"}) {
                    dialogs_.answerOpen({file(input)});
                    dialogs_.answerSave(file("new.prg"));
                    dialogs_.answerMessage(MsgAnswer::Ok);
                    CompressionOptions o = options(true);
                    o.language = language.english ? gui::Language::English : gui::Language::Polish;
                    fli ? fliToPrgCommand(ctx_, nullptr, addPrg, o) : koalaToPrgCommand(ctx_, nullptr, o);
                    const QString text = dialogs_.last()->text;
                    const QString reason = *input == 'n' ? language.missing : language.tooLarge;
                    QVERIFY2(
                        text.startsWith(language.lead + reason.arg(QDir::toNativeSeparators(file(input)))),
                        qPrintable(text));
                }
            }
        }
        QVERIFY(!QFile::exists(file("new.prg")));
        QCOMPARE(shown_, 0);
        QFile::remove(file("huge.pic"));
    }

    void unwritableOutputIsReported() {
        QVERIFY(write(file("pic2.kla"), koala(3)));
        const QString output = file("no-folder/out.prg");
        dialogs_.answerOpen({file("pic2.kla")});
        dialogs_.answerSave(output);
        dialogs_.answerMessage(MsgAnswer::Ok);
        koalaToPrgCommand(ctx_, nullptr, options(true));
        const auto* msg = dialogs_.last();
        QVERIFY(msg && msg->kind == ScriptedDialogs::Kind::Message);
        QCOMPARE(msg->caption, QStringLiteral("Vornix"));
        QCOMPARE(msg->icon, MsgIcon::Error);
        QCOMPARE(msg->text,
                 QStringLiteral("Obraz nie został przekonwertowany.\n\nNie można zapisać %1: folder nie "
                                "istnieje.")
                     .arg(QDir::toNativeSeparators(output)));
        QCOMPARE(shown_, 0); // no compression of a program that was not written
    }

    void fliPreselectsAllFilesAndResetsAfterwards() {
        const auto* viewer = vornix::findResource("fliview");
        QByteArray picture = bytes(17474, 4);
        picture[0] = 0x00; // loads at $3B00, as an FLI picture should
        picture[1] = 0x3B;
        QVERIFY(write(file("a.fli"), picture));
        QVERIFY(write(file("b.fli"), bytes(50, 5)));
        FileDialogSetup addPrg = addPrgDialogOfMainWindow();

        // Cancelled at the open dialog, at the save dialog, then carried out.
        dialogs_.answerOpen({});
        dialogs_.answerOpen({file("a.fli")});
        dialogs_.answerSave({});
        dialogs_.answerOpen({file("a.fli"), file("b.fli")});
        dialogs_.answerSave(file("a.prg"));
        if (!viewer)
            dialogs_.answerMessage(MsgAnswer::Ok);
        for (int run = 0; run < 3; ++run) {
            fliToPrgCommand(ctx_, nullptr, addPrg, options(false));
            QCOMPARE(addPrg.selectedFilter, 0);
        }
        for (const auto& q : dialogs_.asked) {
            if (q.kind == ScriptedDialogs::Kind::Open) {
                QCOMPARE(q.setup.selectedFilter, 1);
                QVERIFY(q.multiple);
                QCOMPARE(q.setup.filters, addPrgDialogOfMainWindow().filters);
            }
        }
        QCOMPARE(dialogs_.asked.last().kind,
                 viewer ? ScriptedDialogs::Kind::Save : ScriptedDialogs::Kind::Message);

        if (!viewer) {
            QVERIFY(dialogs_.last()->text.contains("viewer"));
            QVERIFY(!QFile::exists(file("a.prg")));
            return;
        }
        // The first chosen file is the picture.
        const QByteArray expected =
            QByteArray(reinterpret_cast<const char*>(viewer->data()), viewer->size()) + picture.mid(2);
        QCOMPARE(read(file("a.prg")), expected);
    }

    void fliFromAnUnusualLoadAddressIsConvertedWithAWarning() {
        if (!vornix::findResource("fliview"))
            QSKIP("no viewer in this build");
        QVERIFY(write(file("at2000.fli"), QByteArray("\x00\x20", 2) + bytes(17472, 8)));
        FileDialogSetup addPrg = addPrgDialogOfMainWindow();
        for (const bool english : {false, true}) {
            dialogs_.answerOpen({file("at2000.fli")});
            dialogs_.answerSave(file("f.prg"));
            dialogs_.answerMessage(MsgAnswer::Ok);
            CompressionOptions o = options(false);
            o.language = english ? gui::Language::English : gui::Language::Polish;
            fliToPrgCommand(ctx_, nullptr, addPrg, o);
            QCOMPARE(read(file("f.prg")).size(), 769 + 17472);
            const auto* msg = dialogs_.last();
            QVERIFY(msg && msg->kind == ScriptedDialogs::Kind::Message && msg->icon == MsgIcon::Warning);
            QVERIFY2(msg->text.contains(file("at2000.fli")) && msg->text.contains("$2000"),
                     qPrintable(msg->text));
            QCOMPARE(msg->text.contains("loads at"), english);
        }
    }

    void compressedProgramTakesTheConvertedOnesPlace() {
        Compressor packer(&dialogs_);
        packer.folder.installTool(QStringLiteral("pucrunch"), QStringLiteral("writeat -1 - PACKED\n"));
        QVERIFY(write(file("c.kla"), koala(6)));
        for (const bool fast : {true, false}) {
            dialogs_.answerOpen({file("c.kla")});
            dialogs_.answerSave(file("c.prg"));
            koalaToPrgCommand(ctx_, nullptr, packer.options(fast));
            QCOMPARE(read(file("c.prg")), QByteArray("PACKED"));
            QVERIFY(!QFile::exists(file("c.prg1")));
            QVERIFY(!packer.window.isVisible());
            // Input P, output P + "1"; the fast decompressor, once chosen, stays chosen.
            const QStringList args = packer.folder.toolArgs(QStringLiteral("pucrunch"));
            QCOMPARE(args.mid(args.size() - 2), (QStringList{file("c.prg"), file("c.prg1")}));
            QVERIFY2(args.contains(QStringLiteral("-ffast")), qPrintable(args.join(' ')));
        }
        QCOMPARE(packer.shown, 2);
    }

    void stoppedCompressorLeavesTheProgramUncompressedAndSaysSo() {
        Compressor packer(&dialogs_);
        packer.folder.installTool(QStringLiteral("pucrunch"),
                                  QStringLiteral("out Crunching\\n\nsleep 60000\nwriteat -1 - PACKED\n"));
        QVERIFY(write(file("s.kla"), koala(8)));
        auto* stop = packer.window.findChild<QPushButton*>(QStringLiteral("ButtonStop"));
        QVERIFY(stop);
        auto* log = packer.window.findChild<LogView*>(QStringLiteral("Memo1"));
        std::function<void()> pressWhenWorking = [&] {
            if (stop->isEnabled() && log->toPlainText().contains(QStringLiteral("Crunching")))
                QTest::mouseClick(stop, Qt::LeftButton);
            else
                QTimer::singleShot(10, &packer.window, pressWhenWorking);
        };
        QTimer::singleShot(0, &packer.window, pressWhenWorking);
        dialogs_.answerOpen({file("s.kla")});
        dialogs_.answerSave(file("s.prg"));
        dialogs_.answerMessage(MsgAnswer::Ok);
        CompressionOptions o = packer.options(false);
        o.language = gui::Language::English;
        koalaToPrgCommand(ctx_, nullptr, o);
        QCOMPARE(read(file("s.prg")).size(), 6143 + 10003);
        QVERIFY(!QFile::exists(file("s.prg1")));
        QCOMPARE(dialogs_.asked.last().text,
                 QStringLiteral("Compression was stopped.\n\n%1 holds the uncompressed program.")
                     .arg(file("s.prg")));
    }

    // A compressor that falls silent past the time limit could leave a half-written file: it
    // is stopped and the program stays uncompressed.
    void silentCompressorLeavesTheProgramUncompressedAndSaysSo() {
        Compressor packer(&dialogs_);
        packer.folder.installTool(QStringLiteral("pucrunch"),
                                  QStringLiteral("out Crunching\\n\nsleep 1500\nwriteat -1 - PACKED\n"));
        auto* runner = packer.window.findChild<ProcessRunner*>(QStringLiteral("DosCommand1"));
        runner->tickInterval = 100;
        QVERIFY(write(file("t.kla"), koala(9)));
        dialogs_.answerOpen({file("t.kla")});
        dialogs_.answerSave(file("t.prg"));
        dialogs_.answerMessage(MsgAnswer::Ok);
        koalaToPrgCommand(ctx_, nullptr, packer.options(false));
        QCOMPARE(dialogs_.asked.last().text,
                 QStringLiteral("Kompresor nic nie wypisał w wyznaczonym czasie i "
                                "został zatrzymany.\n\n%1 zawiera program bez kompresji.")
                     .arg(file("t.prg")));
        QVERIFY(!packer.log().contains(QStringLiteral("Finished compressing")));
        QVERIFY(!runner->hasRunningChild()); // the tool is gone: it cannot write its file later
        QCOMPARE(read(file("t.prg")).size(), 6143 + 10003);
        QVERIFY(!QFile::exists(file("t.prg1")));
    }

    // Through the main window's menu: the closing line in its status bar, and the compression
    // window the user opened stays open while the one they did not open goes away again.
    void mainWindowSaysWhatWasWrittenAndKeepsTheUsersWindows() {
        Harness h;
        h.folder.installTool(QStringLiteral("pucrunch"), QStringLiteral("writeat -1 - PACKED\n"));
        CompressionWindow compression(h.ctx);
        MainWindow* w = h.start();
        w->setToolWindows(&compression, nullptr, nullptr, nullptr, nullptr);
        QVERIFY(h.action(kCompressConvertedItem)->isChecked());
        QVERIFY(write(h.file("m.kla"), koala(3)));
        for (const bool userOpened : {false, true}) {
            if (userOpened)
                QVERIFY(triggerAction(w, kCompressionWindowItem));
            h.dialogs.answerOpen({h.file("m.kla")});
            h.dialogs.answerSave(h.file("m.prg"));
            QVERIFY(triggerAction(w, kKoalaItem));
            QCOMPARE(read(h.file("m.prg")), QByteArray("PACKED"));
            QCOMPARE(compression.isVisible(), userOpened);
            QCOMPARE(
                w->statusBar()->currentMessage(),
                QStringLiteral("Zapisano %1 (skompresowany)").arg(QDir::toNativeSeparators(h.file("m.prg"))));
        }
        // Without compression the line names the program alone.
        QVERIFY(triggerAction(w, kCompressConvertedItem));
        h.dialogs.answerOpen({h.file("m.kla")});
        h.dialogs.answerSave(h.file("plain.prg"));
        QVERIFY(triggerAction(w, kKoalaItem));
        QCOMPARE(read(h.file("plain.prg")).size(), 6143 + 10003);
        QCOMPARE(w->statusBar()->currentMessage(),
                 QStringLiteral("Zapisano %1").arg(QDir::toNativeSeparators(h.file("plain.prg"))));
        QVERIFY(h.questionsDone());
    }

    void failedOrMissingCompressorLeavesTheProgramUncompressed() {
        QVERIFY(write(file("d.kla"), koala(7)));
        for (const bool installed : {true, false}) {
            Compressor packer(&dialogs_);
            if (installed)
                packer.folder.installTool(QStringLiteral("pucrunch"),
                                          QStringLiteral("out Error: bad input\nexit 1\n"));
            dialogs_.answerOpen({file("d.kla")});
            dialogs_.answerSave(file("d.prg"));
            if (!installed)
                dialogs_.answerMessage(MsgAnswer::Ok); // the window's missing-tool warning
            koalaToPrgCommand(ctx_, nullptr, packer.options(false));
            QCOMPARE(read(file("d.prg")).size(), 6143 + 10003);
            QVERIFY(!QFile::exists(file("d.prg1")));
            QCOMPARE(dialogs_.asked.last().kind,
                     installed ? ScriptedDialogs::Kind::Save : ScriptedDialogs::Kind::Message);
        }
    }
};

QTEST_MAIN(PictureCommandsTest)
#include "PictureCommandsTest.moc"
