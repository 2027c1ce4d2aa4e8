#include "tools/ui/CompressionWindow.h"
#include "gui/LogView.h"
#include "gui/ProcessRunner.h"
#include "tests/support/GuiTestHelpers.h"
#include "tests/support/ScriptedDialogs.h"
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
        click(QStringLiteral("Button5"));
    }
};

const QStringList kOptionControls = {"Button5",   "RadioGroup1", "RadioGroup2", "RadioGroup3", "CheckBox2",
                                     "CheckBox3", "CheckBox4",   "CheckBox5",   "CheckBox6",   "CheckBox7"};

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
    QVERIFY(s.get<LogView>("Memo1")->toPlainText().isEmpty());
    QVERIFY(!s.get<LogView>("Memo1")->isReadOnly());
    const QList<QPair<QString, QString>> buttons = {
        {"Button1", "Clear"}, {"Button2", "Copy selected"}, {"Button5", "Run"}, {"Button6", "Exit"}};
    for (const auto& [name, text] : buttons) {
        QCOMPARE(s.get<QPushButton>(name)->text(), text);
        QVERIFY(s.get<QPushButton>(name)->isEnabled());
    }
    struct Group {
        QString name, title;
        QStringList items;
        int checked;
    };
    const QList<Group> groups = {
        {"RadioGroup1", "Machine", {"C64", "C128", "VIC20", "C16/+4", "Stand-alone"}, 0},
        {"RadioGroup2",
         "Decompressor:",
         {"Basic (not in v. 2k3)", "Bigger, but faster", "Smaller, but slower", "Medium"},
         2},
        {"RadioGroup3", "-m option (max len)", {"5 (64)", "6 (128)", "7 (256)"}, 0},
    };
    for (const auto& g : groups) {
        QCOMPARE(s.get<QGroupBox>(g.name)->title(), g.title);
        for (int i = 0; i < g.items.size(); ++i) {
            auto* radio = s.get<QRadioButton>(g.name + '_' + QString::number(i));
            QVERIFY2(radio, qPrintable(g.name));
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
        {"CheckBox2", "Avoid video matrix in VIC20 mode", false, {}, {}, false},
        {"CheckBox3", "Default load address", true, "Edit1", "0x258", false},
        {"CheckBox4", "Default Execution address", true, "Edit2", "", false},
        {"CheckBox5", "Disable 2MHz mode (C128) / 2X Mode (C16/+4)", false, {}, {}, false},
        {"CheckBox6", "Delta Matching (better compression longer time)", false, {}, {}, false},
        {"CheckBox7", "-P option:", false, "Edit3", "", false},
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
    QCOMPARE(s.get<QLabel>("Label1")->text(), kMissingEnglish);
    QVERIFY(s.get<QLabel>("Label1")->isHidden());
    // No marker file: the basic decompressor is not offered.
    QVERIFY(!s.get<QRadioButton>("RadioGroup2_0")->isEnabled());
    QVERIFY(s.get<QRadioButton>("RadioGroup2_1")->isEnabled());
    QVERIFY(s.dialogs.asked.isEmpty());
}

void CompressionWindowTest::decompressorGroupHasTwoColumns() {
    Setup s;
    auto* grid = qobject_cast<QGridLayout*>(s.get<QGroupBox>("RadioGroup2")->layout());
    QVERIFY(grid);
    auto cell = [&](int item) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(s.get<QRadioButton>("RadioGroup2_" + QString::number(item))),
                              &row, &column, &rowSpan, &columnSpan);
        return qMakePair(row, column);
    };
    QCOMPARE(cell(0), qMakePair(0, 0));
    QCOMPARE(cell(1), qMakePair(1, 0));
    QCOMPARE(cell(2), qMakePair(0, 1));
    QCOMPARE(cell(3), qMakePair(1, 1));
}

void CompressionWindowTest::markerFileEnablesBasicDecompressor() {
    Setup s(QStringLiteral("exit 0\n"), true, true);
    QVERIFY(s.get<QRadioButton>("RadioGroup2_0")->isEnabled());
    s.get<QRadioButton>("RadioGroup2_0")->setChecked(true);
    s.runWith(s.path("a.prg"), s.path("b.prg"));
    QCOMPARE(s.args(), (QStringList{"-c64", "-fbasic", "-m5", s.path("a.prg"), s.path("b.prg")}));
}

void CompressionWindowTest::showingWithToolSaysOk() {
    Setup s;
    s.window->show();
    QCOMPARE(s.log(), QStringList{"PUCrunch.exe OK"});
    s.click("Button6");
    QVERIFY(!s.window->isVisible());
    s.window->show();
    QCOMPARE(s.log(), (QStringList{"PUCrunch.exe OK", "PUCrunch.exe OK"}));
    QVERIFY(s.dialogs.asked.isEmpty());
    for (const QString& name : kOptionControls)
        QVERIFY2(s.get<QWidget>(name)->isEnabled(), qPrintable(name));
}

void CompressionWindowTest::missingToolDisablesOptionsForGood() {
    Setup s({}, false);
    s.get<QCheckBox>("CheckBox7")->setChecked(true); // its field becomes enabled and stays so
    s.dialogs.answerMessage(MsgAnswer::Ok);
    s.window->show();
    QCOMPARE(s.dialogs.asked.size(), 1);
    QCOMPARE(s.dialogs.asked[0].caption, QStringLiteral("Warning"));
    QCOMPARE(s.dialogs.asked[0].text, kMissingEnglish);
    QCOMPARE(s.dialogs.asked[0].buttons, MsgButtons::Ok);
    for (const QString& name : kOptionControls)
        QVERIFY2(!s.get<QWidget>(name)->isEnabled(), qPrintable(name));
    QVERIFY(s.get<QLineEdit>("Edit3")->isEnabled());
    QVERIFY(!s.get<QLineEdit>("Edit1")->isEnabled());
    QVERIFY(s.get<QPushButton>("Button1")->isEnabled());
    QVERIFY(s.get<QPushButton>("Button6")->isEnabled());

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
    s.window->applyPolish();
    s.dialogs.answerMessage(MsgAnswer::Ok);
    s.window->show();
    QCOMPARE(s.dialogs.asked.size(), 1);
    QCOMPARE(s.dialogs.asked[0].text,
             QStringLiteral("Program nie będzie działał! Proszę ściągnąć plik pucrunch (lub "
                            "pucrunch.exe) i umieścić go w katalogu programu lub w ścieżce "
                            "PATH!"));
    QCOMPARE(s.dialogs.asked[0].caption, QStringLiteral("Warning"));
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
    s.click("Button5");
    QCOMPARE(s.dialogs.asked[0].setup.fileName, in);
}

void CompressionWindowTest::cancelledDialogsLeaveLogUntouched() {
    Setup s;
    s.dialogs.answerOpen({});
    s.click("Button5");
    QCOMPARE(s.dialogs.asked.size(), 1);
    s.dialogs.answerOpen({s.path("a.prg")});
    s.dialogs.answerSave({});
    s.click("Button5");
    QCOMPARE(s.dialogs.asked.size(), 3);
    QVERIFY(s.get<LogView>("Memo1")->toPlainText().isEmpty());
    QVERIFY(!QFileInfo::exists(s.path("pucrunch.exe.args")));
}

void CompressionWindowTest::controlsMapToArguments_data() {
    QTest::addColumn<QStringList>("clicks"); // objectNames of radio items and check boxes, clicked in order
    QTest::addColumn<QStringList>("typed");  // "objectName=text"
    QTest::addColumn<QStringList>("options");
    QTest::newRow("defaults") << QStringList{} << QStringList{} << QStringList{"-c64", "-fshort", "-m5"};
    QTest::newRow("VIC20 avoids matrix") << QStringList{"RadioGroup1_2", "CheckBox2"} << QStringList{}
                                         << QStringList{"-c20", "-a", "-fshort", "-m5"};
    QTest::newRow("matrix box on C64")
        << QStringList{"CheckBox2"} << QStringList{} << QStringList{"-c64", "-fshort", "-m5"};
    QTest::newRow("load address") << QStringList{"CheckBox3"} << QStringList{}
                                  << QStringList{"-c64", "-l0x258", "-fshort", "-m5"};
    QTest::newRow("emptied load address")
        << QStringList{"CheckBox3"} << QStringList{"Edit1="} << QStringList{"-c64", "-fshort", "-m5"};
    QTest::newRow("exec address") << QStringList{"CheckBox4"} << QStringList{"Edit2=0x080d"}
                                  << QStringList{"-c64", "-x0x080d", "-fshort", "-m5"};
    QTest::newRow("C128 2MHz") << QStringList{"RadioGroup1_1", "CheckBox5"} << QStringList{}
                               << QStringList{"-c128", "+f", "-fshort", "-m5"};
    QTest::newRow("C16 2X") << QStringList{"RadioGroup1_3", "CheckBox5"} << QStringList{}
                            << QStringList{"-c16", "+f", "-fshort", "-m5"};
    QTest::newRow("stand-alone no 2X")
        << QStringList{"RadioGroup1_4", "CheckBox5"} << QStringList{} << QStringList{"-c0", "-fshort", "-m5"};
    QTest::newRow("fast") << QStringList{"RadioGroup2_1"} << QStringList{}
                          << QStringList{"-c64", "-ffast", "-m5"};
    QTest::newRow("medium") << QStringList{"RadioGroup2_3"} << QStringList{} << QStringList{"-c64", "-m5"};
    QTest::newRow("delta m6") << QStringList{"CheckBox6", "RadioGroup3_1"} << QStringList{}
                              << QStringList{"-c64", "-fshort", "-fdelta", "-m6"};
    QTest::newRow("m7 and P") << QStringList{"RadioGroup3_2", "CheckBox7"} << QStringList{"Edit3=3"}
                              << QStringList{"-c64", "-fshort", "-m7", "-p3"};
    QTest::newRow("P without value") << QStringList{"CheckBox7"} << QStringList{}
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
        {"CheckBox3", "Edit1", true},  {"CheckBox3", "Edit1", false}, {"CheckBox4", "Edit2", true},
        {"CheckBox4", "Edit2", false}, {"CheckBox7", "Edit3", true},  {"CheckBox7", "Edit3", false},
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
    s.window->applyPolish();
    auto* stop = s.get<QPushButton>("ButtonStop");
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
    QVERIFY(!s.get<ProcessRunner>("DosCommand1")->hasRunningChild());
}

void CompressionWindowTest::typedWRunsWithoutDialogs() {
    Setup s(QStringLiteral("exit 0\n"));
    s.window->show();
    s.runWith(s.path("first.prg"), s.path("second.prg"));
    s.click("Button1");
    QTest::keyClicks(s.get<LogView>("Memo1"), "W");
    s.dialogs.clear();
    s.click("Button5");
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
    QVERIFY(!s.get<QRadioButton>("RadioGroup2_0")->isEnabled()); // still no marker file
}

void CompressionWindowTest::unattendedRunWritesSecondFile() {
    Setup s(QStringLiteral("out Runnable on Commodore 64\\n\nwriteat -1 - packed\n"));
    const QString p = s.path("pic ture.prg");
    QFile::remove(p + '1');
    s.window->show();
    // What the window shows for another machine and addresses does not reach a picture.
    for (const char* name : {"RadioGroup1_2", "CheckBox3", "CheckBox4"})
        s.click(name);
    s.get<QLineEdit>("Edit2")->setText("4096");
    s.get<LogView>("Memo1")->setPlainText("earlier text");
    QCOMPARE(s.window->runUnattended(p, true), CompressionWindow::Outcome::Compressed);
    QVERIFY(s.dialogs.asked.isEmpty());
    QCOMPARE(s.args(), (QStringList{"-c64", "-ffast", "-m5", p, p + '1'}));
    QVERIFY(!s.window->isVisible());
    QCOMPARE(s.log().first(), QStringLiteral("W"));
    QVERIFY(s.log().contains("Finished compressing"));
    QVERIFY(!s.log().contains("earlier text"));
    QVERIFY(s.get<QRadioButton>("RadioGroup2_1")->isChecked());
    QVERIFY(s.get<QRadioButton>("RadioGroup1_2")->isChecked());

    // Without the fast choice the window keeps whatever decompressor is selected.
    s.get<QRadioButton>("RadioGroup2_3")->setChecked(true);
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
    s.get<ProcessRunner>("DosCommand1")->tickInterval = 100;
    const QString p = s.path("slow.prg");
    QCOMPARE(s.window->runUnattended(p, false), CompressionWindow::Outcome::TimedOut);
    QVERIFY(!s.get<ProcessRunner>("DosCommand1")->hasRunningChild());
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
    s.get<ProcessRunner>("DosCommand1")->tickInterval = 100;
    auto* stop = s.get<QPushButton>("ButtonStop");
    for (const bool polish : {false, true}) {
        if (polish)
            s.window->applyPolish();
        s.click("Button1");
        s.runWith(s.path("in.prg"), s.path("out.prg"));
        QVERIFY(s.log().at(2).startsWith(polish ? "Kompresor nadal działa, ale nic nie wypisał"
                                                : "The compressor is still running, but it printed nothing"));
        QVERIFY(stop->isEnabled());
        s.click("Button5"); // a second compressor could race it for the file: refused
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
    auto* memo = s.get<LogView>("Memo1");
    QGuiApplication::clipboard()->setText("something else");
    s.click("Button2");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    memo->selectAll();
    s.click("Button2");
    QCOMPARE(QGuiApplication::clipboard()->text(), memo->toPlainText());
    QVERIFY(QGuiApplication::clipboard()->text().contains("first line\nsecond line\nFinished compressing"));
    s.click("Button1");
    QVERIFY(memo->toPlainText().isEmpty());
}

void CompressionWindowTest::polishTexts() {
    Setup s;
    s.window->applyPolish();
    const QList<QPair<QString, QString>> texts = {
        {"Button1", "Wyczyść"},
        {"Button2", "Kopiuj zazn."},
        {"Button5", "Uruchom"},
        {"Button6", "Wyjście"},
        {"CheckBox2", "Unikaj video matrix przy VIC20"},
        {"CheckBox3", "Domyślny adres ład."},
        {"CheckBox4", "Domyślny adres wykon."},
        {"CheckBox5", "Wyłącz tryb 2MHz C128 / 2X C16+4"},
        {"CheckBox6", "Kompresja delta (lepiej pakuje kosztem czasu)"},
        {"CheckBox7", "Opcja -P"},
    };
    for (const auto& [name, text] : texts)
        QCOMPARE(s.get<QAbstractButton>(name)->text(), text);
    QCOMPARE(s.get<QGroupBox>("RadioGroup1")->title(), QStringLiteral("Komputer"));
    QCOMPARE(s.get<QGroupBox>("RadioGroup2")->title(), QStringLiteral("Dekompresor"));
    QCOMPARE(s.get<QGroupBox>("RadioGroup3")->title(), QStringLiteral("Opcja -m"));
    // Not translated: the caption and the radio items.
    QCOMPARE(s.window->windowTitle(), QStringLiteral("PUCrunch GUI"));
    QCOMPARE(s.get<QRadioButton>("RadioGroup1_4")->text(), QStringLiteral("Stand-alone"));
    QCOMPARE(s.get<QRadioButton>("RadioGroup2_1")->text(), QStringLiteral("Bigger, but faster"));
}

QTEST_MAIN(CompressionWindowTest)
#include "CompressionWindowTest.moc"
