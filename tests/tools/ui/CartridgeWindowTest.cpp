// The cartridge conversion window driven through its controls, with the fake tool standing
// in for cartconv and every dialog answered by the script.
#include "tools/ui/CartridgeWindow.h"
#include "gui/LogView.h"
#include "tools/CartconvCommandLine.h"

#include "tests/support/GuiTestHelpers.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ToolWindowFixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace vornix;

class CartridgeWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ToolWindowFixture<CartridgeWindow>> fx_;
    QString input_;

    // A shown window with the fake tool (script) installed, or none when script is null.
    CartridgeWindow* open(const char* script = "") {
        fx_->open(QStringLiteral("cartconv"), script);
        // The tool is asked for its types in the background; these tests start from its answer.
        QSignalSpy settled(fx_->window.get(), &CartridgeWindow::typesSettled);
        if (fx_->window->isAskingForTypes() && !settled.wait(30000))
            qFatal("the type query did not end");
        return fx_->window.get();
    }
    template <typename T> T* get(const char* name) { return fx_->get<T>(QString::fromLatin1(name)); }
    void selectDestination(int index) { get<QComboBox>("ComboBox1")->setCurrentIndex(index); }
    // Answers the open and save dialogs and presses Start.
    void start(const QString& output) {
        fx_->dialogs.answerOpen({input_});
        fx_->dialogs.answerSave(output);
        QTest::mouseClick(get<QPushButton>("Button3"), Qt::LeftButton);
    }
    QStringList conversionArgs() const {
        const auto runs = toolRuns(fx_->tool);
        return runs.isEmpty() ? QStringList() : runs.last();
    }

  private slots:
    void init() {
        fx_ = std::make_unique<ToolWindowFixture<CartridgeWindow>>();
        input_ = fx_->folder.file(QStringLiteral("in put.crt"));
        writeFile(input_, "CART");
    }
    void cleanup() {
        fx_->verifyQuestionsDone();
        fx_.reset();
    }

    void missingToolWarnsOnEveryShowingAndDisablesTheWorkingControls() {
        fx_->dialogs.answerMessage(MsgAnswer::Ok);
        open(nullptr);
        QCOMPARE(fx_->dialogs.asked.size(), 1);
        QCOMPARE(fx_->dialogs.asked[0].caption, QStringLiteral("Warning"));
        QCOMPARE(fx_->dialogs.asked[0].text, get<QLabel>("Label2")->text());
        QVERIFY(
            fx_->dialogs.asked[0].text.startsWith(QStringLiteral("cartconv (or cartconv.exe) not found!")));
        for (const char* name :
             {"Button1", "Button2", "Button3", "ComboBox1", "CheckBox1", "CheckBox2", "Edit1", "Edit2"})
            QVERIFY2(!get<QWidget>(name)->isEnabled(), name);
        QVERIFY(get<QPushButton>("Button4")->isEnabled());
        QCOMPARE(get<LogView>("Memo1")->toPlainText(), QString());

        // Shown again, in Polish, with the tool now in place: no message, nothing enabled again.
        fx_->window->hide();
        fx_->window->applyPolish();
        fx_->dialogs.answerMessage(MsgAnswer::Ok);
        fx_->window->show();
        QCOMPARE(fx_->dialogs.asked.size(), 2);
        QVERIFY(fx_->dialogs.asked[1].text.startsWith(QStringLiteral("PROGRAM NIE BĘDZIE DZIAŁAŁ!")));
        QVERIFY(fx_->dialogs.asked[1].text.contains(QStringLiteral("cartconv (lub cartconv.exe)")));
        fx_->window->hide();
        fx_->tool = fx_->folder.installTool(QStringLiteral("cartconv"));
        fx_->window->show();
        QCOMPARE(fx_->dialogs.asked.size(), 2);
        QVERIFY(!get<QPushButton>("Button3")->isEnabled());
        fx_->window->startClicked(); // even called directly, nothing is asked and nothing runs
        QCOMPARE(fx_->dialogs.asked.size(), 2);
    }

    void presentToolIsAcknowledgedAndAskedForItsTypesOnce() {
        open();
        QCOMPARE(fx_->log().size(), 2);
        QCOMPARE(fx_->log()[0], QStringLiteral("CartConv.exe OK"));
        QVERIFY(!fx_->log()[1].isEmpty());
        fx_->window->hide();
        fx_->window->show();
        QCOMPARE(fx_->log().size(), 4);
        QCOMPARE(fx_->log()[2], QStringLiteral("CartConv.exe OK"));
        QCOMPARE(toolRuns(fx_->tool), QList<QStringList>{{QStringLiteral("--types")}});
        QVERIFY(fx_->dialogs.asked.isEmpty());
    }

    void typesAreAskedWithoutHoldingUpTheWindow_data() {
        QTest::addColumn<int>("limitMs");
        QTest::addColumn<QString>("ar");
        QTest::newRow("late answer") << 30000 << "ar5";
        QTest::newRow("no answer in time") << 100 << "ar";
    }
    void typesAreAskedWithoutHoldingUpTheWindow() {
        QFETCH(int, limitMs);
        QFETCH(QString, ar);
        fx_->tool = fx_->folder.installTool(QStringLiteral("cartconv"),
                                            QStringLiteral("sleep 1000\nout ar5    Action Replay V5\\n\n"));
        fx_->window = std::make_unique<CartridgeWindow>(AppContext{fx_->folder.path(), &fx_->dialogs});
        fx_->window->setTypesTimeLimit(limitMs);
        fx_->window->show();
        // Shown while the tool still thinks; Start waits for its answer or the time limit.
        QVERIFY(fx_->window->isAskingForTypes());
        QCOMPARE(fx_->log().first(), QStringLiteral("CartConv.exe OK"));
        selectDestination(4);
        start(fx_->folder.file(QStringLiteral("cart")));
        QVERIFY(!fx_->window->isAskingForTypes());
        QCOMPARE(conversionArgs().value(1), ar);
    }

    void destinationChangeSetsSuffixFilterAndFields() {
        open();
        auto* combo = get<QComboBox>("ComboBox1");
        QCOMPARE(combo->count(), 28);
        QCOMPARE(combo->currentText(), QStringLiteral("Binary C64 .PRG file with load-address"));
        QCOMPARE(fx_->window->outputSuffix(), QStringLiteral(".PRG"));
        QCOMPARE(get<QLineEdit>("Edit2")->text(), QStringLiteral("CARTRIDGE"));
        QCOMPARE(get<QLineEdit>("Edit1")->text(), QString());

        struct Row {
            int index;
            const char* suffix;
            int filter;
            bool load, name;
        } rows[] = {{0, ".BIN", 2, false, false},
                    {2, ".CRT", 1, false, true},
                    {27, ".CRT", 1, false, true},
                    {1, ".PRG", 0, true, false}};
        for (const auto& row : rows) {
            selectDestination(row.index);
            QCOMPARE(fx_->window->outputSuffix(), QString::fromLatin1(row.suffix));
            QCOMPARE(get<QCheckBox>("CheckBox1")->isEnabled(), row.load);
            QCOMPARE(get<QLineEdit>("Edit1")->isEnabled(), row.load);
            QCOMPARE(get<QCheckBox>("CheckBox2")->isEnabled(), row.name);
            QCOMPARE(get<QLineEdit>("Edit2")->isEnabled(), row.name);
            start(fx_->folder.file(QStringLiteral("out")));
            QCOMPARE(fx_->dialogs.asked.last().setup.selectedFilter, row.filter);
            QCOMPARE(fx_->dialogs.asked.last().setup.filters.size(), 4);
            QVERIFY(fx_->dialogs.asked.last().setup.confirmOverwrite);
            QCOMPARE(conversionArgs().last(),
                     fx_->folder.file(QStringLiteral("out")) + QLatin1String(row.suffix));
        }

        // Typed text that matches an entry counts as that entry; other text changes nothing.
        combo->setEditText(QStringLiteral("pure binary .BIN FILE"));
        QCOMPARE(fx_->window->outputSuffix(), QStringLiteral(".BIN"));
        QVERIFY(!get<QCheckBox>("CheckBox1")->isEnabled());
        combo->setEditText(QStringLiteral("no such cartridge"));
        QCOMPARE(fx_->window->outputSuffix(), QStringLiteral(".BIN"));
        QVERIFY(!get<QCheckBox>("CheckBox1")->isEnabled());
    }

    void everyDestinationPassesItsTypeArgument() {
        open();
        for (int i = 0; i < vornix::cartconv::destinationCount; ++i) {
            selectDestination(i);
            start(fx_->folder.file(QStringLiteral("out")));
            const QStringList args = conversionArgs();
            QCOMPARE(args.value(0), QStringLiteral("-t"));
            QCOMPARE(args.value(1), QString::fromLatin1(vornix::cartconv::destinations()[i].type.data()));
            QCOMPARE(args.mid(2, 2), (QStringList{QStringLiteral("-i"), input_}));
        }
        QCOMPARE(toolRuns(fx_->tool).size(), 1 + vornix::cartconv::destinationCount);
    }

    void runShowsTheCommandLineAndEveryLineOfTheTool() {
        open("out converting\\r\\nstep 1\\rstep 2\\n\\0\\n\nout half\nsleep 300\nout done\\n\n"
             "writeafter -o - CRTDATA\n");
        const QString output = fx_->folder.file(QStringLiteral("game"));
        start(output);
        const QString commandLine =
            QStringLiteral("cartconv -t prg  -i \"%1\" -o \"%2.PRG\"").arg(input_, output);
        QCOMPARE(fx_->log().mid(2),
                 (QStringList{commandLine, QStringLiteral("converting"), QStringLiteral("step 1"),
                              QStringLiteral("step 2"), QString(), QStringLiteral("half"),
                              QStringLiteral("halfdone")}));
        QCOMPARE(conversionArgs(),
                 (QStringList{QStringLiteral("-t"), QStringLiteral("prg"), QStringLiteral("-i"), input_,
                              QStringLiteral("-o"), output + QStringLiteral(".PRG")}));
        QFile written(output + QStringLiteral(".PRG"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("CRTDATA"));
        QVERIFY(!fx_->window->isRunning());
        QVERIFY(get<QPushButton>("Button3")->isEnabled());
        QCOMPARE(fx_->dialogs.asked[0].setup.filters.size(), 3);
    }

    void optionalFieldsCountOnlyWhenUsableCheckedAndFilled() {
        open();
        auto* load = get<QCheckBox>("CheckBox1");
        auto* name = get<QCheckBox>("CheckBox2");
        const QString out = fx_->folder.file(QStringLiteral("o"));

        load->setChecked(true);
        get<QLineEdit>("Edit1")->setText(QStringLiteral("8000"));
        start(out);
        QCOMPARE(conversionArgs().mid(0, 4), (QStringList{QStringLiteral("-t"), QStringLiteral("prg"),
                                                          QStringLiteral("-l"), QStringLiteral("8000")}));

        // Checked but empty: unchecked at Start, no -l.
        get<QLineEdit>("Edit1")->clear();
        start(out);
        QVERIFY(!load->isChecked());
        QVERIFY(!conversionArgs().contains(QStringLiteral("-l")));

        // A cartridge destination takes the name, quoted, blanks and quotes included.
        selectDestination(2);
        name->setChecked(true);
        start(out);
        QCOMPARE(conversionArgs().mid(2, 2),
                 (QStringList{QStringLiteral("-n"), QStringLiteral("CARTRIDGE")}));
        QVERIFY(fx_->log().last().contains(QStringLiteral("-n \"CARTRIDGE\" -i")));
        get<QLineEdit>("Edit2")->setText(QStringLiteral("MY \"BEST\" CART"));
        start(out);
        QCOMPARE(conversionArgs().mid(2, 4),
                 (QStringList{QStringLiteral("-n"), QStringLiteral("MY \"BEST\" CART"), QStringLiteral("-i"),
                              input_}));

        // Both checked, then the plain binary: neither option, though both stay checked.
        selectDestination(1);
        get<QLineEdit>("Edit1")->setText(QStringLiteral("1000"));
        load->setChecked(true);
        selectDestination(0);
        QVERIFY(load->isChecked() && name->isChecked());
        start(out);
        QCOMPARE(conversionArgs(),
                 (QStringList{QStringLiteral("-t"), QStringLiteral("bin"), QStringLiteral("-i"), input_,
                              QStringLiteral("-o"), out + QStringLiteral(".BIN")}));

        // An emptied name unchecks its box.
        selectDestination(3);
        get<QLineEdit>("Edit2")->clear();
        start(out);
        QVERIFY(!name->isChecked());
        QVERIFY(!conversionArgs().contains(QStringLiteral("-n")));
    }

    void cancelledDialogsEndStartSilently() {
        open();
        const QString before = get<LogView>("Memo1")->toPlainText();
        get<QCheckBox>("CheckBox1")->setChecked(true);
        fx_->dialogs.answerOpen({});
        fx_->window->startClicked();
        QVERIFY(!get<QCheckBox>("CheckBox1")->isChecked()); // the empty field took effect first
        fx_->dialogs.answerOpen({input_});
        fx_->dialogs.answerSave(QString());
        fx_->window->startClicked();
        QCOMPARE(get<LogView>("Memo1")->toPlainText(), before);
        QCOMPARE(toolRuns(fx_->tool).size(), 1); // the --types query only
    }

    void unmatchedDestinationTextIsRefused() {
        open();
        get<QComboBox>("ComboBox1")->setEditText(QStringLiteral("Generic"));
        fx_->dialogs.answerMessage(MsgAnswer::Ok);
        fx_->window->startClicked();
        QCOMPARE(fx_->dialogs.asked.size(), 1);
        QCOMPARE(fx_->dialogs.asked[0].kind, ScriptedDialogs::Kind::Message);
        QVERIFY(fx_->dialogs.asked[0].text.contains(QStringLiteral("\"Generic\"")));
        QCOMPARE(toolRuns(fx_->tool).size(), 1);
    }

    void suffixIsAppendedAndAnUnconfirmedFileIsNotReplaced() {
        open("writeafter -o - NEW\n");
        selectDestination(2);
        // A name that already ends with the suffix, in any case, is written as chosen.
        start(fx_->folder.file(QStringLiteral("red8k.Crt")));
        QCOMPARE(conversionArgs().last(), fx_->folder.file(QStringLiteral("red8k.Crt")));
        const QString chosen = fx_->folder.file(QStringLiteral("game.bin"));

        // game.bin.CRT now exists; the dialog only confirmed game.bin.
        writeFile(fx_->folder.file(QStringLiteral("game.bin.CRT")), "OLD");
        fx_->dialogs.answerOpen({input_});
        fx_->dialogs.answerSave(chosen);
        fx_->dialogs.answerMessage(MsgAnswer::No);
        fx_->window->startClicked();
        QCOMPARE(fx_->dialogs.asked.last().buttons, MsgButtons::YesNo);
        QVERIFY(fx_->dialogs.asked.last().text.contains(fx_->folder.file(QStringLiteral("game.bin.CRT"))));
        QCOMPARE(toolRuns(fx_->tool).size(), 2);
        QFile old(fx_->folder.file(QStringLiteral("game.bin.CRT")));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("OLD"));
        old.close();

        fx_->dialogs.answerOpen({input_});
        fx_->dialogs.answerSave(chosen);
        fx_->dialogs.answerMessage(MsgAnswer::Yes);
        fx_->window->startClicked();
        QCOMPARE(toolRuns(fx_->tool).size(), 3);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("NEW"));
        old.close();

        // The save dialog confirmed red8k.Crt as it stands: not asked about again.
        start(fx_->folder.file(QStringLiteral("red8k.Crt")));
        QCOMPARE(toolRuns(fx_->tool).size(), 4);
    }

    void renamedTypesFollowWhatTheToolLists_data() {
        QTest::addColumn<QString>("listing");
        QTest::addColumn<QString>("ar");
        QTest::addColumn<QString>("zax");
        QTest::newRow("current")
            << "out Supported cartridge types:\\n\\nar5    Action Replay V5\\nzaxxon Zaxxon\\n"
            << "ar5"
            << "zaxxon";
        QTest::newRow("older") << "out ar     Action Replay\\nzax    Zaxxon\\n"
                               << "ar"
                               << "zax";
        QTest::newRow("silent") << ""
                                << "ar"
                                << "zax";
        QTest::newRow("failing") << "err unknown option\\n\nexit 1"
                                 << "ar"
                                 << "zax";
    }
    void renamedTypesFollowWhatTheToolLists() {
        QFETCH(QString, listing);
        QFETCH(QString, ar);
        QFETCH(QString, zax);
        open(listing.toUtf8().constData());
        for (const auto& [index, type] : {std::pair{4, ar}, std::pair{21, zax}}) {
            selectDestination(index);
            start(fx_->folder.file(QStringLiteral("cart")));
            QCOMPARE(conversionArgs().value(1), type);
            QVERIFY(fx_->log().contains(QStringLiteral("cartconv -t %1  -i \"%2\" -o \"%3.CRT\"")
                                            .arg(type, input_, fx_->folder.file("cart"))));
        }
    }

    void toolThatCannotStartIsReportedAndTheWindowStaysUsable() {
        open();
        QVERIFY(QFile::remove(fx_->tool));
        start(fx_->folder.file(QStringLiteral("x")));
        QVERIFY(fx_->log().last().endsWith(QStringLiteral(" doesn't exist.")));
        QVERIFY(!fx_->window->isRunning());
        QVERIFY(get<QPushButton>("Button3")->isEnabled());
    }

    void startIsRefusedWhileARunIsInProgress() {
        open("sleep 500\nout finished\\n\n");
        bool checked = false;
        QTimer::singleShot(0, fx_->window.get(), [&] {
            checked = true;
            QVERIFY(fx_->window->isRunning());
            QVERIFY(!get<QPushButton>("Button3")->isEnabled());
            fx_->window->startClicked(); // asks nothing (an unexpected question fails the test)
        });
        start(fx_->folder.file(QStringLiteral("x")));
        QVERIFY(checked);
        QCOMPARE(toolRuns(fx_->tool).size(), 2);
        QCOMPARE(fx_->log().last(), QStringLiteral("finished"));
        QVERIFY(get<QPushButton>("Button3")->isEnabled());
    }

    void clearCopyAndClose() {
        open();
        auto* memo = get<LogView>("Memo1");
        memo->selectAll();
        QTest::mouseClick(get<QPushButton>("Button2"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), memo->toPlainText());
        QTest::mouseClick(get<QPushButton>("Button1"), Qt::LeftButton);
        QCOMPARE(memo->toPlainText(), QString());
        QTest::mouseClick(get<QPushButton>("Button4"), Qt::LeftButton);
        QVERIFY(!fx_->window->isVisible());
    }

    void polishTexts() {
        open();
        fx_->window->applyPolish();
        const std::pair<const char*, const char*> rows[] = {
            {"Button1", "Wyczyść"},           {"Button2", "Kopiuj"},   {"Button3", "Start"},
            {"Button4", "Zamknij"},           {"Label1", "Docelowo:"}, {"CheckBox1", "Adres ładowania:"},
            {"CheckBox2", "Nazwa cartridge:"}};
        for (const auto& [name, text] : rows) {
            QWidget* w = get<QWidget>(name);
            const QString shown = w->property("text").toString();
            QCOMPARE(shown, QString::fromUtf8(text));
        }
        QCOMPARE(fx_->window->windowTitle(), QStringLiteral("Cartconv GUI"));
        QCOMPARE(get<QComboBox>("ComboBox1")->itemText(0), QStringLiteral("Pure Binary .bin file"));
    }
};

QTEST_MAIN(CartridgeWindowTest)
#include "CartridgeWindowTest.moc"
