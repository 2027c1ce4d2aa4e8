// The tape conversion window driven through its controls, with the fake tool standing in
// for tape64 and every dialog answered by the script.
#include "tape/ui/TapeConversionWindow.h"
#include "gui/LogView.h"

#include "tests/support/GuiTestHelpers.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TapeWindowControls.h"
#include "tests/support/ToolWindowFixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace vornix;
namespace tc = vornix::test::controls::tapeconversion;

namespace {

QByteArray tapHeader(char version) {
    QByteArray bytes("C64-TAPE-RAW");
    bytes.append(version).append(7, '\0');
    return bytes;
}

const QRegularExpression
    startLine(QStringLiteral("^=================== START: \\S.* \\S.* ===================$"));
const QRegularExpression
    endLine(QStringLiteral("^=================== END: \\S.* \\S.* ===================$"));

} // namespace

class TapeConversionWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ToolWindowFixture<TapeConversionWindow>> fx_;
    QString wav_;

    TapeConversionWindow* open(const char* script = "") {
        fx_->open(QStringLiteral("tape64"), script);
        return fx_->window.get();
    }
    template <typename T> T* get(const char* name) { return fx_->get<T>(QString::fromLatin1(name)); }
    QStringList log() const { return fx_->log(); }
    void clickStart() { QTest::mouseClick(get<FlatTextButton>(tc::kStartButton), Qt::LeftButton); }
    void chooseOutput(int item) {
        get<QRadioButton>(item == 0   ? tc::kOutputNone
                          : item == 1 ? tc::kOutputT64
                                      : tc::kOutputP00)
            ->setChecked(true);
    }
    // Runs the second page with the window as it stands and returns the tool's arguments.
    QStringList analyse() {
        get<QLineEdit>(tc::kInputEdit)->setText(wav_);
        const int before = toolRuns(fx_->tool).size();
        clickStart();
        const auto runs = toolRuns(fx_->tool);
        return runs.size() > before ? runs.last() : QStringList{QStringLiteral("<no run>")};
    }
    QStringList expectArgs(const QStringList& tail) const {
        return QStringList{QStringLiteral("-i:") + wav_, QStringLiteral("-y")} + tail;
    }

  private slots:
    void init() {
        fx_ = std::make_unique<ToolWindowFixture<TapeConversionWindow>>();
        wav_ = fx_->folder.file(QStringLiteral("GAME 1.WAV"));
        writeFile(wav_, "RIFF");
    }
    void cleanup() {
        fx_->verifyQuestionsDone();
        fx_.reset();
    }

    void missingToolLeavesOnlyTabsLogAndClose() {
        fx_->dialogs.answerMessage(MsgAnswer::Ok);
        open(nullptr);
        QCOMPARE(fx_->dialogs.asked.size(), 1);
        QCOMPARE(fx_->dialogs.asked[0].caption, QStringLiteral("Uwaga")); // as the linker's
        QCOMPARE(fx_->dialogs.asked[0].text, get<QLabel>(tc::kToolMissingLabel)->text());
        QVERIFY(fx_->dialogs.asked[0].text.contains(QStringLiteral("tape64 (lub tape64.exe)")));
        for (const char* name : {tc::kSpeedEdit, tc::kSpeedUpButton, tc::kSpeedDownButton, tc::kPrefixEdit,
                                 tc::kInputEdit, tc::kBrowseButton, tc::kFrequencyCheck, tc::kReverseCheck,
                                 tc::kNumberFilesCheck, tc::kSaveBadCheck, tc::kAmplitudeSlider,
                                 tc::kDelaySpin, tc::kFrequencySpin, tc::kAmplitudeSpin, tc::kOutputBox})
            QVERIFY2(!get<QWidget>(name)->isEnabled(), name);
        QVERIFY(get<QTabWidget>(tc::kPages)->isEnabled());
        QVERIFY(get<LogView>(tc::kLog)->isEnabled());

        // The text buttons neither look pressed nor act, Close excepted.
        auto* clear = get<FlatTextButton>(tc::kClearButton);
        QTest::mousePress(clear, Qt::LeftButton);
        QVERIFY(!clear->isPressedLook());
        QTest::mouseRelease(clear, Qt::LeftButton);
        get<LogView>(tc::kLog)->setPlainText(QStringLiteral("kept"));
        QTest::mouseClick(clear, Qt::LeftButton);
        clickStart(); // nothing asked, nothing written
        QCOMPARE(get<LogView>(tc::kLog)->toPlainText(), QStringLiteral("kept"));
        auto* close = get<FlatTextButton>(tc::kCloseButton);
        QTest::mousePress(close, Qt::LeftButton);
        QVERIFY(close->isPressedLook());
        QTest::mouseRelease(close, Qt::LeftButton);
        QVERIFY(!fx_->window->isVisible());

        // Every showing asks again; the English text once applied.
        fx_->window->setLanguage(gui::Language::English);
        fx_->dialogs.answerMessage(MsgAnswer::Ok);
        fx_->window->show();
        QCOMPARE(fx_->dialogs.asked.last().text,
                 QStringLiteral("PROGRAM WILL NOT WORK. Please download tape64 (or tape64.exe) to program "
                                "directory or PATH."));
        QCOMPARE(fx_->dialogs.asked.last().caption, QStringLiteral("Warning"));
    }

    void presentToolIsAcknowledgedOnEveryShowing() {
        open();
        QCOMPARE(log(), QStringList{QStringLiteral("Tape64.exe OK")});
        fx_->window->hide();
        fx_->window->show();
        QCOMPARE(log(), (QStringList{QStringLiteral("Tape64.exe OK"), QStringLiteral("Tape64.exe OK")}));
        QVERIFY(toolRuns(fx_->tool).isEmpty());
    }

    void initialStateAndEnabledRules() {
        open();
        QCOMPARE(get<QTabWidget>(tc::kPages)->currentWidget(), get<QWidget>(tc::kConversionPage));
        auto* delay = get<QSpinBox>(tc::kDelaySpin);
        QCOMPARE(delay->value(), 100);
        QCOMPARE(delay->minimum(), 10);
        QCOMPARE(delay->maximum(), 1000);
        QCOMPARE(get<QLineEdit>(tc::kSpeedEdit)->text(), QStringLiteral("1,0"));
        auto* frequency = get<QSpinBox>(tc::kFrequencySpin);
        QCOMPARE(frequency->value(), 44100);
        QCOMPARE(frequency->maximum(), 999999);
        QVERIFY(!frequency->isEnabled());
        get<QCheckBox>(tc::kFrequencyCheck)->setChecked(true);
        QVERIFY(frequency->isEnabled());
        get<QCheckBox>(tc::kFrequencyCheck)->setChecked(false);
        QVERIFY(!frequency->isEnabled());
        QCOMPARE(get<QSlider>(tc::kAmplitudeSlider)->value(), 10);
        QCOMPARE(get<QSlider>(tc::kAmplitudeSlider)->maximum(), 128);
        QCOMPARE(get<QSpinBox>(tc::kAmplitudeSpin)->value(), 10);
        QCOMPARE(get<QSpinBox>(tc::kAmplitudeSpin)->maximum(), 255);
        QVERIFY(get<QRadioButton>(tc::kOutputNone)->isChecked());

        // "..." fills the input field; cancelling leaves it as it was.
        fx_->dialogs.answerOpen({wav_});
        QTest::mouseClick(get<QToolButton>(tc::kBrowseButton), Qt::LeftButton);
        QCOMPARE(get<QLineEdit>(tc::kInputEdit)->text(), wav_);
        QCOMPARE(fx_->dialogs.asked.last().setup.filters.value(0).second, QStringLiteral("*.WAV"));
        fx_->dialogs.answerOpen({});
        QTest::mouseClick(get<QToolButton>(tc::kBrowseButton), Qt::LeftButton);
        QCOMPARE(get<QLineEdit>(tc::kInputEdit)->text(), wav_);

        struct Row {
            int output;
            bool numbering, damaged, prefix;
        } rows[] = {{0, false, false, false},
                    {1, false, true, false},
                    {2, true, true, true},
                    {0, false, false, false}};
        for (const auto& row : rows) {
            chooseOutput(row.output);
            QCOMPARE(get<QCheckBox>(tc::kNumberFilesCheck)->isEnabled(), row.numbering);
            QCOMPARE(get<QCheckBox>(tc::kSaveBadCheck)->isEnabled(), row.damaged);
            QCOMPARE(get<QLineEdit>(tc::kPrefixEdit)->isEnabled(), row.prefix);
        }
    }

    void speedStepButtons() {
        open();
        auto* speed = get<QLineEdit>(tc::kSpeedEdit);
        auto* up = get<QPushButton>(tc::kSpeedUpButton);
        auto* down = get<QPushButton>(tc::kSpeedDownButton);
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(speed->text(), QStringLiteral("1,1"));
        QTest::mouseClick(down, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(speed->text(), QStringLiteral("0,9"));
        speed->setText(QStringLiteral("9,9"));
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(speed->text(), QStringLiteral("10,0"));
        speed->setText(QStringLiteral("fast"));
        fx_->dialogs.answerMessage(MsgAnswer::Ok);
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(speed->text(), QStringLiteral("fast"));
        QCOMPARE(fx_->dialogs.asked.size(), 1);
    }

    void trackBarAndAmplitudeDoNotEcho() {
        open();
        auto* bar = get<QSlider>(tc::kAmplitudeSlider);
        auto* amplitude = get<QSpinBox>(tc::kAmplitudeSpin);
        bar->setValue(50);
        QCOMPARE(amplitude->value(), 50);
        amplitude->setValue(255);
        QCOMPARE(bar->value(), 128);
        QCOMPARE(amplitude->value(), 255); // not pulled back to the bar's 128
        amplitude->setValue(11);
        QCOMPARE(bar->value(), 5);
        QCOMPARE(amplitude->value(), 11);
        bar->setValue(1);
        QCOMPARE(amplitude->value(), 1);
    }

    void textButtonsLookPressedWhileHeldAndActOnRelease() {
        open();
        auto* clear = get<FlatTextButton>(tc::kClearButton);
        QCOMPARE(clear->frameShadow(), QFrame::Plain);
        QTest::mousePress(clear, Qt::LeftButton);
        QVERIFY(clear->isPressedLook());
        QCOMPARE(clear->frameShadow(), QFrame::Sunken);
        QCOMPARE(log(), QStringList{QStringLiteral("Tape64.exe OK")}); // nothing cleared yet
        QTest::mouseRelease(clear, Qt::LeftButton);
        QVERIFY(!clear->isPressedLook());
        QCOMPARE(clear->frameShadow(), QFrame::Plain);
        QCOMPARE(get<LogView>(tc::kLog)->toPlainText(), QString());

        // As tall as the window's push buttons, with room for accents and descenders.
        const int pushHeight = get<QPushButton>(tc::kSpeedUpButton)->height();
        for (const char* name : {tc::kClearButton, tc::kCopyButton, tc::kStartButton, tc::kCloseButton}) {
            auto* b = get<FlatTextButton>(name);
            QVERIFY2(b->height() >= pushHeight, name);
            QVERIFY2(b->contentsRect().height() >= b->fontMetrics().height() + 4, name);
        }

        // Copy: the selection, or everything without one.
        auto* memo = get<LogView>(tc::kLog);
        memo->setPlainText(QStringLiteral("first\nsecond"));
        QTest::mouseClick(get<FlatTextButton>(tc::kCopyButton), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("first\nsecond"));
        memo->select({0, 0}, {0, 5});
        QTest::mouseClick(get<FlatTextButton>(tc::kCopyButton), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("first"));
    }

    void analysisRunLeavesStartCommandOutputEndAndBlank() {
        open("out Searching...\\r\\nFound GAME\\n\n");
        QCOMPARE(analyse(), expectArgs({QStringLiteral("-s:1.0")}));
        const QStringList lines = log().mid(1);
        QCOMPARE(lines.size(), 6);
        QVERIFY2(startLine.match(lines[0]).hasMatch(), qPrintable(lines[0]));
        // Dated in the window's language, Polish here, whatever the system's locale.
        const QString today = QLocale(QLocale::Polish).toString(QDate::currentDate(), QLocale::ShortFormat);
        QVERIFY2(lines[0].contains(today) || lines[4].contains(today), qPrintable(lines[0]));
        QCOMPARE(lines[1], QStringLiteral("tape64 -i:\"%1\" -y -s:1.0 ").arg(wav_));
        QCOMPARE(lines.mid(2, 2),
                 (QStringList{QStringLiteral("Searching..."), QStringLiteral("Found GAME")}));
        QVERIFY2(endLine.match(lines[4]).hasMatch(), qPrintable(lines[4]));
        QCOMPARE(lines[5], QString());
        QVERIFY(fx_->dialogs.asked.isEmpty());
        QVERIFY(!fx_->window->isRunning());
        QVERIFY(!get<FlatTextButton>(tc::kStartButton)->isInert());
    }

    void analysisOptionsReachTheTool() {
        open();
        auto* speed = get<QLineEdit>(tc::kSpeedEdit);
        speed->setText(QStringLiteral("1,00"));
        QCOMPARE(analyse(), expectArgs({}));
        speed->setText(QStringLiteral("1,3"));
        QCOMPARE(analyse(), expectArgs({QStringLiteral("-s:1.3")}));
        get<QCheckBox>(tc::kReverseCheck)->setChecked(true);
        get<QCheckBox>(tc::kFrequencyCheck)->setChecked(true);
        get<QSpinBox>(tc::kFrequencySpin)->setValue(22050);
        get<QSpinBox>(tc::kAmplitudeSpin)->setValue(11);
        QCOMPARE(analyse(), expectArgs({QStringLiteral("-r"), QStringLiteral("-s:1.3"),
                                        QStringLiteral("-f:22050"), QStringLiteral("-t:11")}));
        get<QSpinBox>(tc::kAmplitudeSpin)->setValue(10);
        get<QCheckBox>(tc::kReverseCheck)->setChecked(false);
        get<QCheckBox>(tc::kFrequencyCheck)->setChecked(false);
        QCOMPARE(analyse(), expectArgs({QStringLiteral("-s:1.3")}));
    }

    void badSpeedOrMissingInputRunsNothing() {
        open();
        const QStringList before = log();
        for (const char* bad : {"10,0", "1.0", "1", ""}) {
            get<QLineEdit>(tc::kSpeedEdit)->setText(QString::fromLatin1(bad));
            fx_->dialogs.answerMessage(MsgAnswer::Ok);
            QCOMPARE(analyse(), QStringList{QStringLiteral("<no run>")});
            QVERIFY(fx_->dialogs.asked.last().text.contains(QStringLiteral("1,0")));
        }
        get<QLineEdit>(tc::kSpeedEdit)->setText(QStringLiteral("1,0"));
        fx_->dialogs.answerMessage(MsgAnswer::Ok);
        get<QLineEdit>(tc::kInputEdit)->setText(fx_->folder.file(QStringLiteral("missing.wav")));
        clickStart();
        QCOMPARE(fx_->dialogs.asked.last().text, QStringLiteral("No input file!\nBrak pliku wejściowego!"));
        fx_->dialogs.answerMessage(MsgAnswer::Ok);
        get<QLineEdit>(tc::kInputEdit)->setText(fx_->folder.path()); // a folder is no input file
        clickStart();
        QCOMPARE(log(), before);
        QVERIFY(toolRuns(fx_->tool).isEmpty());
    }

    void t64Output() {
        open();
        chooseOutput(1);
        get<QCheckBox>(tc::kSaveBadCheck)->setChecked(true);
        const QString image = fx_->folder.file(QStringLiteral("out.t64"));
        fx_->dialogs.answerSave(image);
        QCOMPARE(analyse(), expectArgs({QStringLiteral("-s:1.0"), QStringLiteral("-e"),
                                        QStringLiteral("-ot:") + image}));
        const auto& save = fx_->dialogs.asked.last();
        QCOMPARE(save.kind, ScriptedDialogs::Kind::Save);
        QCOMPARE(save.setup.filters.value(0).second, QStringLiteral("*.T64"));
        QVERIFY(save.setup.confirmOverwrite);
        QVERIFY(save.setup.defaultSuffix.isEmpty());

        // Numbering checked, then T64: disabled and not passed though still checked.
        chooseOutput(2);
        get<QCheckBox>(tc::kNumberFilesCheck)->setChecked(true);
        chooseOutput(1);
        QVERIFY(get<QCheckBox>(tc::kNumberFilesCheck)->isChecked());
        fx_->dialogs.answerSave(image);
        QVERIFY(!analyse().contains(QStringLiteral("-n")));

        // Cancelled: nothing written, nothing run.
        const QStringList before = log();
        fx_->dialogs.answerSave(QString());
        QCOMPARE(analyse(), QStringList{QStringLiteral("<no run>")});
        QCOMPARE(log(), before);
    }

    void p00Output() {
        open();
        chooseOutput(2);
        const QString out = fx_->folder.file(QStringLiteral("OUT"));
        fx_->dialogs.answerFolder(out);
        QCOMPARE(analyse(),
                 expectArgs({QStringLiteral("-s:1.0"), QStringLiteral("-op:") + out + QLatin1Char('/')}));
        QVERIFY(log().contains(QStringLiteral("tape64 -i:\"%1\" -y -s:1.0 -op:\"%2/\"").arg(wav_, out)));

        get<QCheckBox>(tc::kNumberFilesCheck)->setChecked(true);
        get<QCheckBox>(tc::kSaveBadCheck)->setChecked(true);
        get<QLineEdit>(tc::kPrefixEdit)->setText(QStringLiteral("GAME"));
        fx_->dialogs.answerFolder(out);
        QCOMPARE(analyse(), expectArgs({QStringLiteral("-s:1.0"), QStringLiteral("-n"), QStringLiteral("-e"),
                                        QStringLiteral("-op:") + out + QStringLiteral("/GAME")}));

        // A cancelled folder dialog still runs, without an output option.
        fx_->dialogs.answerFolder(QString());
        QCOMPARE(analyse(),
                 expectArgs({QStringLiteral("-s:1.0"), QStringLiteral("-n"), QStringLiteral("-e")}));
    }

    void versionOneConversion() {
        open();
        get<QTabWidget>(tc::kPages)->setCurrentWidget(get<QWidget>(tc::kVersionOnePage));
        get<QSpinBox>(tc::kDelaySpin)->setValue(250);
        const QString out = fx_->folder.file(QStringLiteral("out.tap"));

        // WAV input: no question.
        fx_->dialogs.answerOpen({wav_});
        fx_->dialogs.answerSave(out);
        clickStart();
        QCOMPARE(toolRuns(fx_->tool).last(),
                 (QStringList{QStringLiteral("-i:") + wav_, QStringLiteral("-v0:250"), QStringLiteral("-y"),
                              QStringLiteral("-or:") + out}));
        QVERIFY(log().contains(QStringLiteral("tape64 -i:\"%1\" -v0:250 -y -or:\"%2\"").arg(wav_, out)));
        QCOMPARE(fx_->dialogs.asked.size(), 2);
        QCOMPARE(fx_->dialogs.asked[0].setup.filters.size(), 3);
        QCOMPARE(fx_->dialogs.asked[1].setup.filters.value(0).first, QStringLiteral("TAP v.1"));
        QVERIFY(fx_->dialogs.asked[1].setup.defaultSuffix.isEmpty());

        // A version 0 TAP: no question either.
        const QString v0 = fx_->folder.file(QStringLiteral("old.TaP"));
        writeFile(v0, tapHeader(0));
        fx_->dialogs.answerOpen({v0});
        fx_->dialogs.answerSave(out);
        clickStart();
        QCOMPARE(toolRuns(fx_->tool).size(), 2);

        // A version 1 TAP: asked; No ends without a trace, Yes goes on.
        const QString v1 = fx_->folder.file(QStringLiteral("new.tap"));
        writeFile(v1, tapHeader(1));
        const QStringList before = log();
        fx_->dialogs.answerOpen({v1});
        fx_->dialogs.answerMessage(MsgAnswer::No);
        clickStart();
        QCOMPARE(fx_->dialogs.asked.last().text, get<QLabel>(tc::kVersionOneLabel)->text());
        QCOMPARE(fx_->dialogs.asked.last().buttons, MsgButtons::YesNo);
        QCOMPARE(log(), before);
        fx_->dialogs.answerOpen({v1});
        fx_->dialogs.answerMessage(MsgAnswer::Yes);
        fx_->dialogs.answerSave(out);
        clickStart();
        QCOMPARE(toolRuns(fx_->tool).size(), 3);
    }

#ifndef Q_OS_WIN
    // A FIFO named like a TAP is not waited on for a writer: its version cannot be read, so
    // nothing is asked.
    void fifoInputIsNotWaitedOn() {
        open();
        get<QTabWidget>(tc::kPages)->setCurrentWidget(get<QWidget>(tc::kVersionOnePage));
        const QString fifo = fx_->folder.file(QStringLiteral("pipe.tap"));
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        fx_->dialogs.answerOpen({fifo});
        fx_->dialogs.answerSave(QString());
        clickStart();
        QCOMPARE(fx_->dialogs.asked.size(), 2);
        QCOMPARE(fx_->dialogs.asked.last().kind, ScriptedDialogs::Kind::Save);
    }
#endif

    void cancelledVersionOneDialogsReportNoCommandLine() {
        open();
        get<QTabWidget>(tc::kPages)->setCurrentIndex(0);
        fx_->dialogs.answerOpen({});
        clickStart();
        fx_->dialogs.answerOpen({wav_});
        fx_->dialogs.answerSave(QString());
        clickStart();
        const QStringList lines = log().mid(1);
        QCOMPARE(lines.size(), 6);
        for (int i : {0, 3}) {
            QCOMPARE(lines[i], QStringLiteral("No command line - unbelievable error."));
            QVERIFY(endLine.match(lines[i + 1]).hasMatch());
            QCOMPARE(lines[i + 2], QString());
        }
        QVERIFY(toolRuns(fx_->tool).isEmpty());
    }

    void toolThatCannotStartIsReported() {
        open();
        QVERIFY(QFile::remove(fx_->tool));
        analyse();
        const QStringList lines = log();
        QVERIFY(lines[lines.size() - 3].endsWith(QStringLiteral(" nie istnieje.")));
        QVERIFY(endLine.match(lines[lines.size() - 2]).hasMatch());
        QVERIFY(!fx_->window->isRunning());
        QVERIFY(!get<FlatTextButton>(tc::kStartButton)->isInert());
    }

    void startIsRefusedWhileARunIsInProgress() {
        open("sleep 500\nout finished\\n\n");
        bool checked = false;
        QTimer::singleShot(0, fx_->window.get(), [&] {
            checked = true;
            QVERIFY(fx_->window->isRunning());
            auto* start = get<FlatTextButton>(tc::kStartButton);
            QVERIFY(start->isInert());
            QTest::mousePress(start, Qt::LeftButton);
            QVERIFY(!start->isPressedLook());
            QTest::mouseRelease(start, Qt::LeftButton);
            fx_->window->startClicked(); // also refused when called directly
        });
        analyse();
        QVERIFY(checked);
        QCOMPARE(toolRuns(fx_->tool).size(), 1);
        QCOMPARE(log().filter(startLine).size(), 1);
    }

    // The captions keep the design's spelling, blanks included: the window is laid out with them.
    void designTextsInBothLanguages() {
        open();
        const struct {
            const char* name;
            const char* polish;
            const char* english;
        } rows[] = {{tc::kDelayLabel, "Czas wartości $00 w TAP v.0 (ms): ", "Delay of $00 value (ms):"},
                    {tc::kClearButton, "  Wyczyść", "     Clear"},
                    {tc::kCopyButton, " Kopiuj", "  Copy"},
                    {tc::kStartButton, "           Start", "           Start"},
                    {tc::kCloseButton, " Zamknij", "   Close"},
                    {tc::kInputLabel, "Wejście:", "Input: "},
                    {tc::kSpeedLabel, "  Prędkość:", "Speed:"},
                    {tc::kOutputNone, "Brak - analiza pliku", "None"},
                    {tc::kOutputT64, "T64", "T64"},
                    {tc::kOutputP00, "P00", "P00"},
                    {tc::kReverseCheck, "Odwróć Sygnał", "Reverse signal"},
                    {tc::kAmplitudeLabel, "Różnica głośności: ", "Trigger amplitude:"},
                    {tc::kFrequencyCheck, "Częstotliwość:", "Frequency: "},
                    {tc::kNumberFilesCheck, "Numeruj pliki P0x.  Prefiks:", "Number P0x files.   Prefix: "},
                    {tc::kSaveBadCheck, "Zapisuj pliki uszkodzone", "Save bad files."},
                    {tc::kVersionOneLabel, "To wygląda na plik wersji 1. Czy kontynuować?",
                     "It looks like a v1 file. Continue?"}};
        for (const gui::Language language : {gui::Language::Polish, gui::Language::English}) {
            const bool polish = language == gui::Language::Polish;
            if (!polish)
                fx_->window->setLanguage(language);
            for (const auto& row : rows)
                QCOMPARE(get<QWidget>(row.name)->property("text").toString(),
                         QString::fromUtf8(polish ? row.polish : row.english));
            QCOMPARE(get<QGroupBox>(tc::kOutputBox)->title(),
                     polish ? QStringLiteral("Wyjście") : QStringLiteral("Output"));
            QCOMPARE(get<QTabWidget>(tc::kPages)->tabText(0), QStringLiteral("WAV/TAP v.0->TAP v.1"));
            QCOMPARE(get<QTabWidget>(tc::kPages)->tabText(1), QStringLiteral("WAV/TAP->T64/P00"));
        }
        QCOMPARE(fx_->window->windowTitle(), QStringLiteral("Tape64 Frontend"));
    }
};

QTEST_MAIN(TapeConversionWindowTest)
#include "TapeConversionWindowTest.moc"
