// The tape conversion window and the TAP linker running our own tape64, end to end: the
// real tapes in, the files the user asked for out.
#include "core/T64Image.h"
#include "tape/TapeReader.h"
#include "tape/ui/TapLinkerWindow.h"
#include "tape/ui/TapeConversionWindow.h"

#include "tests/support/GuiTestHelpers.h"
#include "tests/support/TapeWindowControls.h"
#include "tests/support/ToolWindowFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace vornix;
namespace tc = vornix::test::controls::tapeconversion;
namespace tl = vornix::test::controls::taplinker;

namespace {

const QString kData = QStringLiteral(VORNIX_TEST_DATA "/");

std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The tool as the program folder holds it.
template <typename Window> void installTape64(ToolWindowFixture<Window>& fx) {
    const QString target = fx.folder.file(QStringLiteral("tape64"));
    QVERIFY(QFile::copy(QStringLiteral(VORNIX_TAPE64), target));
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    fx.create(QStringLiteral("tape64"), nullptr);
}

// A version 0 copy of a version 1 TAP: each long pause (a zero and three bytes) becomes
// a single zero.
QByteArray versionZero(const QByteArray& v1) {
    QByteArray out = v1.left(20);
    out[12] = 0;
    for (int i = 20; i < v1.size(); ++i) {
        out.append(v1[i]);
        if (v1[i] == 0)
            i += 3;
    }
    return out;
}

// The programs a tape holds: name and PRG bytes.
QList<QPair<QString, QByteArray>> programsOn(const QString& path) {
    QList<QPair<QString, QByteArray>> out;
    for (const tape::FoundFile& f : tape::analyseTape(local(path)).files) {
        const auto prg = tape::prgBytes(f);
        out.append({QString::fromLatin1(f.name.c_str()),
                    QByteArray(reinterpret_cast<const char*>(prg.data()), qsizetype(prg.size()))});
    }
    return out;
}

} // namespace

class Tape64WindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ToolWindowFixture<TapeConversionWindow>> fx_;

    template <typename T> T* get(const char* name) { return fx_->get<T>(QString::fromLatin1(name)); }
    void clickStart() { QTest::mouseClick(get<FlatTextButton>(tc::kStartButton), Qt::LeftButton); }
    void openWindow() {
        fx_ = std::make_unique<ToolWindowFixture<TapeConversionWindow>>();
        installTape64(*fx_);
        fx_->window->show();
        QVERIFY(fx_->log().contains(QStringLiteral("Tape64.exe OK")));
    }
    // The second page run on input with the output item chosen.
    void analyse(const QString& input, int item) {
        get<QLineEdit>(tc::kInputEdit)->setText(input);
        get<QRadioButton>(item == 1   ? tc::kOutputT64
                          : item == 2 ? tc::kOutputP00
                                      : tc::kOutputNone)
            ->setChecked(true);
        clickStart();
    }

  private slots:
    void cleanup() {
        if (fx_)
            fx_->verifyQuestionsDone();
        fx_.reset();
    }

    void analysisListsTheProgram() {
        openWindow();
        analyse(kData + QStringLiteral("cassette-nibbler_c64headerandfirsthalfofdata.wav"), 0);
        const QStringList log = fx_->log();
        QVERIFY2(log.contains(QStringLiteral("WAV 44100 Hz, 16-bit, mono, 14.1 s")),
                 qPrintable(log.join('\n')));
        QVERIFY2(log.filter(QStringLiteral("1: \"TEST1\" $0801-$0877, 119 bytes, ROM loader")).size() == 1,
                 qPrintable(log.join('\n')));
    }

    void recordingToVersionOneTap() {
        openWindow();
        get<QTabWidget>(tc::kPages)->setCurrentWidget(get<QWidget>(tc::kVersionOnePage));
        const QString out = fx_->folder.file(QStringLiteral("test1.tap"));
        fx_->dialogs.answerOpen({kData + QStringLiteral("cassette-nibbler_c64file.wav")});
        fx_->dialogs.answerSave(out);
        clickStart();
        QVERIFY2(fx_->log().contains(QStringLiteral("Written: ") + out + QStringLiteral(" (") +
                                     QString::number(QFileInfo(out).size()) + QStringLiteral(" bytes)")),
                 qPrintable(fx_->log().join('\n')));
        QCOMPARE(readFile(out).at(12), char(1));
        const auto programs = programsOn(out);
        QCOMPARE(programs.size(), 1);
        QCOMPARE(programs[0].first, QStringLiteral("TEST1"));
        QCOMPARE(programs[0].second, readFile(kData + QStringLiteral("cassette-nibbler_test1.prg")));
    }

    void tapeToT64() {
        openWindow();
        const QString image = fx_->folder.file(QStringLiteral("romeo.t64"));
        fx_->dialogs.answerSave(image);
        analyse(kData + QStringLiteral("open-roms_testtape-c64-pal-turbo.tap"), 1);
        const ReadResult r = readImage(local(image));
        QVERIFY2(r.accepted, qPrintable(fx_->log().join('\n')));
        QCOMPARE(r.contents.entries.size(), std::size_t(1));
        const Entry& e = r.contents.entries[0];
        QCOMPARE(QString::fromLatin1(e.name.c_str()).trimmed(), QStringLiteral("ROMEO & JULIET"));
        QByteArray prg(reinterpret_cast<const char*>(e.load), 2);
        prg.append(reinterpret_cast<const char*>(e.data.data()), qsizetype(e.data.size()));
        QCOMPARE(prg, readFile(kData + QStringLiteral("open-roms_romeo-and-juliet.prg")));
    }

    void repairedTapeToNumberedP00() {
        openWindow();
        QTemporaryDir out;
        get<QRadioButton>(tc::kOutputP00)->setChecked(true);
        get<QCheckBox>(tc::kNumberFilesCheck)->setChecked(true);
        get<QLineEdit>(tc::kPrefixEdit)->setText(QStringLiteral("RJ"));
        fx_->dialogs.answerFolder(out.path());
        analyse(kData + QStringLiteral("open-roms_testtape-c64-pal-normal-errors.tap"), 2);
        const QByteArray p00 = readFile(out.filePath(QStringLiteral("RJ01.P00")));
        QVERIFY2(!p00.isEmpty(), qPrintable(fx_->log().join('\n')));
        QCOMPARE(p00.left(8), QByteArray("C64File\0", 8));
        QCOMPARE(p00.mid(8, 16), QByteArray("ROMEO & JULIET\0\0", 16));
        QCOMPARE(p00.mid(26), readFile(kData + QStringLiteral("open-roms_romeo-and-juliet.prg")));
        QVERIFY(!fx_->log().filter(QStringLiteral("repaired")).isEmpty());
    }

    void linkerConvertsAVersionZeroTap() {
        ToolWindowFixture<TapLinkerWindow> linker;
        installTape64(linker);
        linker.window->show();
        QTemporaryDir files;
        const QString old = files.filePath(QStringLiteral("PRINT.TAP"));
        writeFile(old, versionZero(readFile(kData + QStringLiteral("c64-sigrok-tap_print_h.tap"))));
        linker.dialogs.answerOpen({old});
        QTest::mouseClick(linker.get<QToolButton>(tl::kAddButton), Qt::LeftButton);
        const QString out = files.filePath(QStringLiteral("joined.tap"));
        linker.dialogs.answerSave(out);
        QTest::mouseClick(linker.get<QToolButton>(tl::kJoinButton), Qt::LeftButton);
        linker.verifyQuestionsDone();
        auto* list = linker.get<QListWidget>(tl::kList);
        QCOMPARE(list->item(0)->text(), old + QStringLiteral("1.tap"));
        QCOMPARE(readFile(out).at(12), char(1));
        const auto programs = programsOn(out);
        QCOMPARE(programs.size(), 1);
        QCOMPARE(programs[0].first, QStringLiteral("H"));
        QCOMPARE(programs[0].second.size(), 13);
    }
};

QTEST_MAIN(Tape64WindowsTest)
#include "Tape64WindowsTest.moc"
