#include "tools/ui/CompressionWindow.h"
#include "gui/LogView.h"
#include "gui/ProcessRunner.h"
#include "tests/support/GuiTestHelpers.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ToolWindowControls.h"
#include "tests/support/ToolWindowFixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace vornix;
using namespace vornix::test::controls;
using namespace vornix::test::controls::compression;

namespace {

const QString kMissingEnglish =
    QStringLiteral("There is no pucrunch (or pucrunch.exe) in the program folder or on "
                   "the PATH. The program cannot continue. Please download it!");

// One window in a program folder of its own, answered by a dialog script.
struct Setup : ToolWindowFixture<CompressionWindow> {
    explicit Setup(const QString& toolScript = QStringLiteral("out Runnable on Commodore 64\\n\n"),
                   bool withTool = true, bool withMarker = false) {
        if (withMarker)
            writeFile(folder.file(QStringLiteral("pcenable.2k8")), {});
        create(QStringLiteral("pucrunch.exe"), withTool ? toolScript.toUtf8().constData() : nullptr);
    }
    QStringList args() { return folder.toolArgs(QStringLiteral("pucrunch.exe")); }
    QString path(const QString& name) { return folder.file(name); }
    // Push buttons get a real mouse click; radio items and check boxes are clicked as a user
    // does, wherever their label happens to sit in a stretched layout.
    void click(const QString& name) {
        auto* b = get<QAbstractButton>(name);
        QVERIFY2(b, qPrintable(name));
        if (qobject_cast<QPushButton*>(b))
            QTest::mouseClick(b, Qt::LeftButton);
        else
            b->click();
    }
    void runWith(const QString& in, const QString& out) {
        dialogs.answerOpen({in});
        dialogs.answerSave(out);
        click(kRunButton);
    }
};

const QStringList kOptionControls = {
    kRunButton,        kMachineGroup,      kDecompressorGroup, kMaxLenGroup, kAvoidVideoMatrixCheck,
    kDefaultLoadCheck, kDefaultStartCheck, kNo2MhzCheck,       kDeltaCheck,  kPOptionCheck};

} // namespace

class CompressionWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startsAsDesigned();
    void decompressorGroupHasTwoColumns();
    void markerFileEnablesBasicDecompressor();
    void showingWithToolSaysOk();
    void missingToolDisablesOptionsForGood();
    void missingToolMessageFollowsPolishLabel();
    void runAsksForFilesAndLogsTheRun();
    void cancelledDialogsLeaveLogUntouched();
    void controlsMapToArguments_data();
    void controlsMapToArguments();
    void checkBoxesSwitchTheirFields();
    void shortLinesAreJoined();
    void eachConsoleLineIsShownOnce_data();
    void eachConsoleLineIsShownOnce();
    void stopEndsTheCompressor();
    void typedWRunsWithoutDialogs();
    void optionsAreLockedDuringRun();
    void unattendedRunWritesSecondFile();
    void unattendedRunFailures_data();
    void unattendedRunFailures();
    void unattendedRunStopsASilentCompressor();
    void silentCompressorIsNotReportedFinished();
    void clearAndCopySelected();
    void polishTexts();
};

void CompressionWindowTest::startsAsDesigned() {
    Setup s;
    QCOMPARE(s.window->windowTitle(), QStringLiteral("PUCrunch GUI"));
    QVERIFY(s.get<LogView>(kLog)->toPlainText().isEmpty());
    QVERIFY(!s.get<LogView>(kLog)->isReadOnly());
    const QList<QPair<QString, QString>> buttons = {
        {kClearButton, "Clear"}, {kCopyButton, "Copy selected"}, {kRunButton, "Run"}, {kExitButton, "Exit"}};
    for (const auto& [name, text] : buttons) {
        QCOMPARE(s.get<QPushButton>(name)->text(), text);
        QVERIFY(s.get<QPushButton>(name)->isEnabled());
    }
    struct Group {
        const char* name;
        QString title;
        QStringList items;
        int checked;
    };
    const QList<Group> groups = {
        {kMachineGroup, "Machine", {"C64", "C128", "VIC20", "C16/+4", "Stand-alone"}, 0},
        {kDecompressorGroup,
         "Decompressor:",
         {"Basic (not in v. 2k3)", "Bigger, but faster", "Smaller, but slower", "Medium"},
         2},
        {kMaxLenGroup, "-m option (max len)", {"5 (64)", "6 (128)", "7 (256)"}, 0},
    };
    for (const auto& g : groups) {
        QCOMPARE(s.get<QGroupBox>(g.name)->title(), g.title);
        for (int i = 0; i < g.items.size(); ++i) {
            auto* radio = s.get<QRadioButton>(radioItem(g.name, i));
            QVERIFY2(radio, g.name);
            QCOMPARE(radio->text(), g.items.at(i));
            QCOMPARE(radio->isChecked(), i == g.checked);
        }
    }
    struct Check {
        QString name, text;
        bool checked;
        QString edit, editText;
        bool editEnabled;
    };
    const QList<Check> checks = {
        {kAvoidVideoMatrixCheck, "Avoid video matrix in VIC20 mode", false, {}, {}, false},
        {kDefaultLoadCheck, "Default load address", true, kLoadAddressEdit, "0x258", false},
        {kDefaultStartCheck, "Default Execution address", true, kStartAddressEdit, "", false},
        {kNo2MhzCheck, "Disable 2MHz mode (C128) / 2X Mode (C16/+4)", false, {}, {}, false},
        {kDeltaCheck, "Delta Matching (better compression longer time)", false, {}, {}, false},
        {kPOptionCheck, "-P option:", false, kPOptionEdit, "", false},
    };
    for (const auto& c : checks) {
        QCOMPARE(s.get<QCheckBox>(c.name)->text(), c.text);
        QCOMPARE(s.get<QCheckBox>(c.name)->isChecked(), c.checked);
        QVERIFY(s.get<QCheckBox>(c.name)->isEnabled());
        if (!c.edit.isEmpty()) {
            QCOMPARE(s.get<QLineEdit>(c.edit)->text(), c.editText);
            QCOMPARE(s.get<QLineEdit>(c.edit)->isEnabled(), c.editEnabled);
        }
    }
    QCOMPARE(s.get<QLabel>(kToolMissingLabel)->text(), kMissingEnglish);
    QVERIFY(s.get<QLabel>(kToolMissingLabel)->isHidden());
    // No marker file: the basic decompressor is not offered.
    QVERIFY(!s.get<QRadioButton>(kDecompressorBasic)->isEnabled());
    QVERIFY(s.get<QRadioButton>(kDecompressorFast)->isEnabled());
    QVERIFY(s.dialogs.asked.isEmpty());
}

void CompressionWindowTest::decompressorGroupHasTwoColumns() {
    Setup s;
    auto* grid = qobject_cast<QGridLayout*>(s.get<QGroupBox>(kDecompressorGroup)->layout());
    QVERIFY(grid);
    auto cell = [&](int item) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(s.get<QRadioButton>(radioItem(kDecompressorGroup, item))), &row,
                              &column, &rowSpan, &columnSpan);
        return qMakePair(row, column);
    };
    QCOMPARE(cell(0), qMakePair(0, 0));
    QCOMPARE(cell(1), qMakePair(1, 0));
    QCOMPARE(cell(2), qMakePair(0, 1));
    QCOMPARE(cell(3), qMakePair(1, 1));
}

void CompressionWindowTest::markerFileEnablesBasicDecompressor() {
    Setup s(QStringLiteral("exit 0\n"), true, true);
    QVERIFY(s.get<QRadioButton>(kDecompressorBasic)->isEnabled());
    s.get<QRadioButton>(kDecompressorBasic)->setChecked(true);
    s.runWith(s.path("a.prg"), s.path("b.prg"));
    QCOMPARE(s.args(), (QStringList{"-c64", "-fbasic", "-m5", s.path("a.prg"), s.path("b.prg")}));
}

void CompressionWindowTest::showingWithToolSaysOk() {
    Setup s;
    s.window->show();
    QCOMPARE(s.log(), QStringList{"PUCrunch.exe OK"});
    s.click(kExitButton);
    QVERIFY(!s.window->isVisible());
    s.window->show();
    QCOMPARE(s.log(), (QStringList{"PUCrunch.exe OK", "PUCrunch.exe OK"}));
    QVERIFY(s.dialogs.asked.isEmpty());
    for (const QString& name : kOptionControls)
        QVERIFY2(s.get<QWidget>(name)->isEnabled(), qPrintable(name));
}

void CompressionWindowTest::missingToolDisablesOptionsForGood() {
    Setup s({}, false);
    s.get<QCheckBox>(kPOptionCheck)->setChecked(true); // its field becomes enabled and stays so
    s.dialogs.answerMessage(MsgAnswer::Ok);
    s.window->show();
    QCOMPARE(s.dialogs.asked.size(), 1);
    QCOMPARE(s.dialogs.asked[0].caption, QStringLiteral("Warning"));
    QCOMPARE(s.dialogs.asked[0].text, kMissingEnglish);
    QCOMPARE(s.dialogs.asked[0].buttons, MsgButtons::Ok);
    for (const QString& name : kOptionControls)
        QVERIFY2(!s.get<QWidget>(name)->isEnabled(), qPrintable(name));
    QVERIFY(s.get<QLineEdit>(kPOptionEdit)->isEnabled());
    QVERIFY(!s.get<QLineEdit>(kLoadAddressEdit)->isEnabled());
    QVERIFY(s.get<QPushButton>(kClearButton)->isEnabled());
    QVERIFY(s.get<QPushButton>(kExitButton)->isEnabled());

    // The tool turning up later is reported, but nothing is enabled again.
    s.window->hide();
    s.folder.installTool(QStringLiteral("pucrunch.exe"), QStringLiteral("exit 0\n"));
    s.window->show();
    QCOMPARE(s.log(), QStringList{"PUCrunch.exe OK"});
    QCOMPARE(s.dialogs.asked.size(), 1);
    for (const QString& name : kOptionControls)
        QVERIFY2(!s.get<QWidget>(name)->isEnabled(), qPrintable(name));
}

void CompressionWindowTest::missingToolMessageFollowsPolishLabel() {
    Setup s({}, false);
    s.window->setLanguage(gui::Language::Polish);
    s.dialogs.answerMessage(MsgAnswer::Ok);
    s.window->show();
    QCOMPARE(s.dialogs.asked.size(), 1);
    QCOMPARE(s.dialogs.asked[0].text,
             QStringLiteral("Program nie będzie działał! Proszę ściągnąć plik pucrunch (lub "
                            "pucrunch.exe) i umieścić go w katalogu programu lub w ścieżce "
                            "PATH!"));
    QCOMPARE(s.dialogs.asked[0].caption, QStringLiteral("Uwaga"));
}

void CompressionWindowTest::runAsksForFilesAndLogsTheRun() {
    Setup s(QStringLiteral("out pucrunch 1.14\\n\nwriteat -1 - packed\n"));
    const QString in = s.path("my game.prg"), out = s.path("my game packed.prg");
    s.runWith(in, out);
    QCOMPARE(s.dialogs.asked.size(), 2);
    const auto& open = s.dialogs.asked[0];
    QCOMPARE(open.kind, ScriptedDialogs::Kind::Open);
    QVERIFY(!open.multiple);
    QCOMPARE(open.setup.filters.size(), 2);
    QCOMPARE(open.setup.filters[0], qMakePair(QStringLiteral("Commodore PRG"), QStringLiteral("*.PRG")));
    QCOMPARE(open.setup.filters[1], qMakePair(QStringLiteral("All files"), QStringLiteral("*.*")));
    QCOMPARE(open.setup.defaultSuffix, QStringLiteral("PRG"));
    QVERIFY(open.setup.fileName.isEmpty());
    const auto& save = s.dialogs.asked[1];
    QCOMPARE(save.kind, ScriptedDialogs::Kind::Save);
    QCOMPARE(save.setup.filters[0], qMakePair(QStringLiteral("C64 PRG"), QStringLiteral("*.PRG")));
    QVERIFY(save.setup.confirmOverwrite);

    QCOMPARE(s.args(), (QStringList{"-c64", "-fshort", "-m5", in, out}));
    const QString command = "pucrunch.exe -c64 -fshort -m5 \"" + in + "\" \"" + out + "\"";
    QCOMPARE(s.log(), (QStringList{command, "pucrunch 1.14", "Finished compressing", ""}));
    QCOMPARE(s.window->windowTitle(), QStringLiteral("PUCrunch GUI"));
    QVERIFY(QFileInfo::exists(out));

    // The dialogs offer the names of the last run next time.
    s.dialogs.clear();
    s.dialogs.answerOpen({});
    s.click(kRunButton);
    QCOMPARE(s.dialogs.asked[0].setup.fileName, in);
}

void CompressionWindowTest::cancelledDialogsLeaveLogUntouched() {
    Setup s;
    s.dialogs.answerOpen({});
    s.click(kRunButton);
    QCOMPARE(s.dialogs.asked.size(), 1);
    s.dialogs.answerOpen({s.path("a.prg")});
    s.dialogs.answerSave({});
    s.click(kRunButton);
    QCOMPARE(s.dialogs.asked.size(), 3);
    QVERIFY(s.get<LogView>(kLog)->toPlainText().isEmpty());
    QVERIFY(!QFileInfo::exists(s.path("pucrunch.exe.args")));
}

void CompressionWindowTest::controlsMapToArguments_data() {
    QTest::addColumn<QStringList>("clicks"); // objectNames of radio items and check boxes, clicked in order
    QTest::addColumn<QStringList>("typed");  // "objectName=text"
    QTest::addColumn<QStringList>("options");
    QTest::newRow("defaults") << QStringList{} << QStringList{} << QStringList{"-c64", "-fshort", "-m5"};
    QTest::newRow("VIC20 avoids matrix") << QStringList{kMachineVic20, kAvoidVideoMatrixCheck}
                                         << QStringList{} << QStringList{"-c20", "-a", "-fshort", "-m5"};
    QTest::newRow("matrix box on C64")
        << QStringList{kAvoidVideoMatrixCheck} << QStringList{} << QStringList{"-c64", "-fshort", "-m5"};
    QTest::newRow("load address") << QStringList{kDefaultLoadCheck} << QStringList{}
                                  << QStringList{"-c64", "-l0x258", "-fshort", "-m5"};
    QTest::newRow("emptied load address")
        << QStringList{kDefaultLoadCheck} << QStringList{QString(kLoadAddressEdit) + "="}
        << QStringList{"-c64", "-fshort", "-m5"};
    QTest::newRow("exec address") << QStringList{kDefaultStartCheck}
                                  << QStringList{QString(kStartAddressEdit) + "=0x080d"}
                                  << QStringList{"-c64", "-x0x080d", "-fshort", "-m5"};
    QTest::newRow("C128 2MHz") << QStringList{kMachineC128, kNo2MhzCheck} << QStringList{}
                               << QStringList{"-c128", "+f", "-fshort", "-m5"};
    QTest::newRow("C16 2X") << QStringList{kMachineC16, kNo2MhzCheck} << QStringList{}
                            << QStringList{"-c16", "+f", "-fshort", "-m5"};
    QTest::newRow("stand-alone no 2X") << QStringList{kMachineStandAlone, kNo2MhzCheck} << QStringList{}
                                       << QStringList{"-c0", "-fshort", "-m5"};
    QTest::newRow("fast") << QStringList{kDecompressorFast} << QStringList{}
                          << QStringList{"-c64", "-ffast", "-m5"};
    QTest::newRow("medium") << QStringList{kDecompressorMedium} << QStringList{}
                            << QStringList{"-c64", "-m5"};
    QTest::newRow("delta m6") << QStringList{kDeltaCheck, kMaxLen6} << QStringList{}
                              << QStringList{"-c64", "-fshort", "-fdelta", "-m6"};
    QTest::newRow("m7 and P") << QStringList{kMaxLen7, kPOptionCheck}
                              << QStringList{QString(kPOptionEdit) + "=3"}
                              << QStringList{"-c64", "-fshort", "-m7", "-p3"};
    QTest::newRow("P without value") << QStringList{kPOptionCheck} << QStringList{}
                                     << QStringList{"-c64", "-fshort", "-m5"};
}

void CompressionWindowTest::controlsMapToArguments() {
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, options);
    Setup s(QStringLiteral("exit 0\n"));
    s.window->show();
    for (const QString& name : clicks)
        s.click(name);
    for (const QString& entry : typed) {
        auto* field = s.get<QLineEdit>(entry.section('=', 0, 0));
        QVERIFY(field->isEnabled());
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, entry.section('=', 1));
    }
    s.runWith(s.path("in.prg"), s.path("out.prg"));
    QCOMPARE(s.args(), (options + QStringList{s.path("in.prg"), s.path("out.prg")}));
}

void CompressionWindowTest::checkBoxesSwitchTheirFields() {
    Setup s;
    s.window->show();
    const QList<std::tuple<QString, QString, bool>> steps = {
        {kDefaultLoadCheck, kLoadAddressEdit, true},   {kDefaultLoadCheck, kLoadAddressEdit, false},
        {kDefaultStartCheck, kStartAddressEdit, true}, {kDefaultStartCheck, kStartAddressEdit, false},
        {kPOptionCheck, kPOptionEdit, true},           {kPOptionCheck, kPOptionEdit, false},
    };
    for (const auto& [box, field, enabledAfter] : steps) {
        s.click(box);
        QCOMPARE(s.get<QLineEdit>(field)->isEnabled(), enabledAfter);
    }
}

void CompressionWindowTest::shortLinesAreJoined() {
    Setup s(QStringLiteral(
        "out Loading file\\n\nsleep 10\nout 50%\\r\nsleep 10\nout 100%\\r\\n\nsleep 10\n"
        "out Runnable on Commodore 64\\n\nsleep 10\nout ok\\n\nsleep 10\nout seven!!\\n\nsleep 10\n"
        "out \\n\nsleep 10\nout 123456\\n\n"));
    s.runWith(s.path("in.prg"), s.path("out.prg"));
    const QStringList log = s.log();
    // 100% is written over 50%, as a console shows it.
    QCOMPARE(log.mid(1), (QStringList{"Loading file..100%", "Runnable on Commodore 64", "..ok",
                                      "seven!!....123456", "Finished compressing", ""}));
}

void CompressionWindowTest::eachConsoleLineIsShownOnce_data() {
    // Each piece is written on its own after a pause, so that it comes in a read of its own.
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("growing long line")
        << QStringList{"Crunch", "ing the ", "file\\n"} << QStringList{"Crunching the file"};
    QTest::newRow("growing short piece")
        << QStringList{"Header line\\n", "20", "48\\n"} << QStringList{"Header line..2048"};
    QTest::newRow("progress written over")
        << QStringList{"Packing\\n", "0\\r", "1024\\r", "2048\\r\\n"} << QStringList{"Packing..2048"};
    QTest::newRow("long line written over")
        << QStringList{"Pass 1 of 2\\r", "Pass 2 of 2\\r", "Done here\\n"} << QStringList{"Done here"};
    QTest::newRow("CR and LF in different reads")
        << QStringList{"Counting\\r", "\\n", "Next line\\n"} << QStringList{"Counting", "Next line"};
    QTest::newRow("runnable line grows") << QStringList{"Runnable on ", "Commodore 64\\n", "after it\\n"}
                                         << QStringList{"Runnable on Commodore 64", "", "after it"};
}

void CompressionWindowTest::eachConsoleLineIsShownOnce() {
    QFETCH(QStringList, pieces);
    QFETCH(QStringList, shown);
    QString script;
    for (const QString& piece : pieces)
        script += QStringLiteral("out %1\nsleep 30\n").arg(piece);
    Setup s(script);
    s.runWith(s.path("in.prg"), s.path("out.prg"));
    QCOMPARE(s.log().mid(1), shown + QStringList({"Finished compressing", ""}));
}

void CompressionWindowTest::stopEndsTheCompressor() {
    Setup s(QStringLiteral("out Crunching\\n\nsleep 60000\nwriteat -1 - packed\n"));
    s.window->setLanguage(gui::Language::Polish);
    auto* stop = s.get<QPushButton>(kStopButton);
    QCOMPARE(stop->text(), QStringLiteral("Zatrzymaj"));
    QVERIFY(!stop->isEnabled());
    // Stop is pressed once the compressor has said something, while the picture waits for it.
    std::function<void()> pressWhenWorking = [&] {
        if (s.log().contains(QStringLiteral("Crunching")) && stop->isEnabled())
            QTest::mouseClick(stop, Qt::LeftButton);
        else
            QTimer::singleShot(10, s.window.get(), pressWhenWorking);
    };
    QTimer::singleShot(0, s.window.get(), pressWhenWorking);
    const QString p = s.path("pic.prg");
    QCOMPARE(s.window->runUnattended(p, false), CompressionWindow::Outcome::Stopped);
    QVERIFY(!QFileInfo::exists(p + '1'));
    QVERIFY(s.log().contains(QStringLiteral("Zatrzymano: kompresor został zakończony.")));
    QVERIFY(!stop->isEnabled());
    QVERIFY(!s.get<ProcessRunner>(kRunner)->hasRunningChild());
}

void CompressionWindowTest::typedWRunsWithoutDialogs() {
    Setup s(QStringLiteral("exit 0\n"));
    s.window->show();
    s.runWith(s.path("first.prg"), s.path("second.prg"));
    s.click(kClearButton);
    QTest::keyClicks(s.get<LogView>(kLog), "W");
    s.dialogs.clear();
    s.click(kRunButton);
    QVERIFY(s.dialogs.asked.isEmpty());
    QCOMPARE(s.args(), (QStringList{"-c64", "-fshort", "-m5", s.path("first.prg"), s.path("second.prg")}));
    QCOMPARE(s.log().first(), QStringLiteral("W"));
    QCOMPARE(s.log().size(), 4);
}

void CompressionWindowTest::optionsAreLockedDuringRun() {
    Setup s(QStringLiteral("out working hard\\n\nsleep 600\nout done now\\n\n"));
    s.window->show();
    QStringList enabledDuringRun;
    bool busySeen = false;
    QTimer::singleShot(150, s.window.get(), [&] {
        busySeen = s.window->isBusy();
        for (const QString& name : kOptionControls)
            if (s.get<QWidget>(name)->isEnabled())
                enabledDuringRun << name;
        s.window->runClicked(); // refused: asks nothing
    });
    s.runWith(s.path("in.prg"), s.path("out.prg"));
    QVERIFY(busySeen);
    QVERIFY2(enabledDuringRun.isEmpty(), qPrintable(enabledDuringRun.join(',')));
    QCOMPARE(s.dialogs.asked.size(), 2);
    for (const QString& name : kOptionControls)
        QVERIFY2(s.get<QWidget>(name)->isEnabled(), qPrintable(name));
    QVERIFY(!s.get<QRadioButton>(kDecompressorBasic)->isEnabled()); // still no marker file
}

void CompressionWindowTest::unattendedRunWritesSecondFile() {
    Setup s(QStringLiteral("out Runnable on Commodore 64\\n\nwriteat -1 - packed\n"));
    const QString p = s.path("pic ture.prg");
    QFile::remove(p + '1');
    s.window->show();
    // What the window shows for another machine and addresses does not reach a picture.
    for (const char* name : {kMachineVic20, kDefaultLoadCheck, kDefaultStartCheck})
        s.click(name);
    s.get<QLineEdit>(kStartAddressEdit)->setText("4096");
    s.get<LogView>(kLog)->setPlainText("earlier text");
    QCOMPARE(s.window->runUnattended(p, true), CompressionWindow::Outcome::Compressed);
    QVERIFY(s.dialogs.asked.isEmpty());
    QCOMPARE(s.args(), (QStringList{"-c64", "-ffast", "-m5", p, p + '1'}));
    QVERIFY(!s.window->isVisible());
    QCOMPARE(s.log().first(), QStringLiteral("W"));
    QVERIFY(s.log().contains("Finished compressing"));
    QVERIFY(!s.log().contains("earlier text"));
    QVERIFY(s.get<QRadioButton>(kDecompressorFast)->isChecked());
    QVERIFY(s.get<QRadioButton>(kMachineVic20)->isChecked());

    // Without the fast choice the window keeps whatever decompressor is selected.
    s.get<QRadioButton>(kDecompressorMedium)->setChecked(true);
    QCOMPARE(s.window->runUnattended(p, false), CompressionWindow::Outcome::Compressed);
    QCOMPARE(s.args(), (QStringList{"-c64", "-m5", p, p + '1'}));
}

void CompressionWindowTest::unattendedRunFailures_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("withTool");
    QTest::addColumn<QString>("expectedLine");
    QTest::newRow("writes nothing, old file present") << QStringLiteral("out Error: cannot open\\n\nexit 0\n")
                                                      << true << QStringLiteral("Error: cannot open");
    QTest::newRow("writes an empty file") << QStringLiteral("writeat -1 - \n") << true << QString();
    QTest::newRow("tool missing") << QString() << false << QStringLiteral("doesn't exist.");
}

void CompressionWindowTest::unattendedRunFailures() {
    QFETCH(QString, script);
    QFETCH(bool, withTool);
    QFETCH(QString, expectedLine);
    Setup s(script, withTool);
    const QString p = s.path("pic.prg");
    QFile old(p + '1');
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("result of an earlier run");
    old.close();
    QCOMPARE(s.window->runUnattended(p, false), CompressionWindow::Outcome::NotCompressed);
    if (withTool)
        QVERIFY(!QFileInfo(p + '1').exists() || QFileInfo(p + '1').size() == 0);
    else
        QVERIFY(!QFileInfo::exists(p + '1'));
    bool found = expectedLine.isEmpty();
    for (const QString& line : s.log())
        found = found || line.endsWith(expectedLine);
    QVERIFY2(found, qPrintable(s.log().join('|')));
    QVERIFY(s.dialogs.asked.isEmpty());
}

void CompressionWindowTest::unattendedRunStopsASilentCompressor() {
    Setup s(QStringLiteral("out Crunching\\n\nsleep 1500\nwriteat -1 - packed\n"));
    s.get<ProcessRunner>(kRunner)->tickInterval = 100;
    const QString p = s.path("slow.prg");
    QCOMPARE(s.window->runUnattended(p, false), CompressionWindow::Outcome::TimedOut);
    QVERIFY(!s.get<ProcessRunner>(kRunner)->hasRunningChild());
    QVERIFY(!s.log().contains("Finished compressing"));
    QCOMPARE(s.log().mid(s.log().size() - 2),
             (QStringList{QStringLiteral("The compressor printed nothing within the time limit and was "
                                         "stopped; %1 stays uncompressed.")
                              .arg(p),
                          QString()}));
    QTest::qWait(1700);
    QVERIFY(!QFileInfo::exists(p + '1'));
}

// The window stops waiting for a compressor that falls silent: the log says it still runs,
// never that it finished, and later that it ended (by itself, or by Stop).
void CompressionWindowTest::silentCompressorIsNotReportedFinished() {
    Setup s(QStringLiteral("out Crunching\\n\nsleep 1500\nwriteat -1 - packed\n"));
    s.window->show();
    s.get<ProcessRunner>(kRunner)->tickInterval = 100;
    auto* stop = s.get<QPushButton>(kStopButton);
    for (const bool polish : {false, true}) {
        if (polish)
            s.window->setLanguage(gui::Language::Polish);
        s.click(kClearButton);
        s.runWith(s.path("in.prg"), s.path("out.prg"));
        QVERIFY(s.log().at(2).startsWith(polish ? "Kompresor nadal działa, ale nic nie wypisał"
                                                : "The compressor is still running, but it printed nothing"));
        QVERIFY(stop->isEnabled());
        s.click(kRunButton); // a second compressor could race it for the file: refused
        QVERIFY(
            s.log().last().startsWith(polish ? "Kompresor z poprzedniego" : "The compressor of the last"));
        if (!polish)
            QTest::mouseClick(stop, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!stop->isEnabled(), 10000);
        QCOMPARE(s.log().last(), polish ? QStringLiteral("Kompresor zakończył pracę.")
                                        : QStringLiteral("Stopped: the compressor was ended."));
        QVERIFY(!s.log().contains("Finished compressing"));
    }
    QCOMPARE(toolRuns(s.tool).size(), 2);
    QVERIFY(QFileInfo::exists(s.path("out.prg")));
}

void CompressionWindowTest::clearAndCopySelected() {
    Setup s(QStringLiteral("out first line\\n\nout second line\\n\n"));
    s.runWith(s.path("in.prg"), s.path("out.prg"));
    auto* memo = s.get<LogView>(kLog);
    QGuiApplication::clipboard()->setText("something else");
    s.click(kCopyButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    memo->selectAll();
    s.click(kCopyButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), memo->toPlainText());
    QVERIFY(QGuiApplication::clipboard()->text().contains("first line\nsecond line\nFinished compressing"));
    s.click(kClearButton);
    QVERIFY(memo->toPlainText().isEmpty());
}

void CompressionWindowTest::polishTexts() {
    Setup s;
    s.window->setLanguage(gui::Language::Polish);
    const QList<QPair<QString, QString>> texts = {
        {kClearButton, "Wyczyść"},
        {kCopyButton, "Kopiuj zazn."},
        {kRunButton, "Uruchom"},
        {kExitButton, "Wyjście"},
        {kAvoidVideoMatrixCheck, "Unikaj video matrix przy VIC20"},
        {kDefaultLoadCheck, "Domyślny adres ład."},
        {kDefaultStartCheck, "Domyślny adres wykon."},
        {kNo2MhzCheck, "Wyłącz tryb 2MHz C128 / 2X C16+4"},
        {kDeltaCheck, "Kompresja delta (lepiej pakuje kosztem czasu)"},
        {kPOptionCheck, "Opcja -P"},
    };
    for (const auto& [name, text] : texts)
        QCOMPARE(s.get<QAbstractButton>(name)->text(), text);
    QCOMPARE(s.get<QGroupBox>(kMachineGroup)->title(), QStringLiteral("Komputer"));
    QCOMPARE(s.get<QGroupBox>(kDecompressorGroup)->title(), QStringLiteral("Dekompresor"));
    QCOMPARE(s.get<QGroupBox>(kMaxLenGroup)->title(), QStringLiteral("Opcja -m"));
    QCOMPARE(s.window->windowTitle(), QStringLiteral("PUCrunch – kompresja programów"));
    QCOMPARE(s.get<QRadioButton>(kMachineStandAlone)->text(), QStringLiteral("Samodzielny"));
    QCOMPARE(s.get<QRadioButton>(kDecompressorFast)->text(), QStringLiteral("Większy, ale szybszy"));
    // Machine names are the same in every language.
    QCOMPARE(s.get<QRadioButton>(kMachineVic20)->text(), QStringLiteral("VIC20"));

    // What the window words while it works follows it too.
    s.window->show();
    s.runWith(s.path("in.prg"), s.path("out.prg"));
    QCOMPARE(s.dialogs.asked[0].setup.title, QStringLiteral("Wybierz program do kompresji"));
    QCOMPARE(s.dialogs.asked[0].setup.filters[1].first, QStringLiteral("Wszystkie pliki"));
    QCOMPARE(s.dialogs.asked[1].setup.title, QStringLiteral("Zapisz skompresowany program jako"));
    QVERIFY(s.log().contains(QStringLiteral("Kompresja zakończona")));
    QVERIFY(!s.log().contains(QStringLiteral("Finished compressing")));
}

QTEST_MAIN(CompressionWindowTest)
#include "CompressionWindowTest.moc"
