// The cartridge conversion window driven through its controls, with the fake tool standing
// in for cartconv and every dialog answered by the script.
#include "tools/CartridgeWindow.h"
#include "tools/CartconvCommandLine.h"
#include "tools/LogView.h"

#include "tests/support/GuiTestHelpers.h"
#include "tests/support/ScriptedDialogs.h"

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

namespace {

QStringList logLines(QWidget* w) {
    return findNamed<LogView>(w, QStringLiteral("Memo1"))->toPlainText().split(QLatin1Char('\n'));
}

// How many times the tool ran, and the arguments of each run.
QList<QStringList> runsOf(const QString& toolPath) {
    QFile file(toolPath + QStringLiteral(".log"));
    QList<QStringList> runs;
    if (!file.open(QIODevice::ReadOnly))
        return runs;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line == QLatin1String("RUN"))
            runs.append(QStringList());
        else if (!runs.isEmpty() && !line.isEmpty())
            runs.last().append(line);
    }
    return runs;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class CartridgeWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramFolder> folder_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<TForm4> window_;
    QString tool_;
    QString input_;

    // A shown window with the fake tool (script) installed, or none when script is null.
    TForm4* open(const char* script = "") {
        if (script)
            tool_ = folder_->installTool(QStringLiteral("cartconv"), QString::fromUtf8(script));
        window_ = std::make_unique<TForm4>(AppContext{folder_->path(), dialogs_.get()});
        window_->show();
        // The tool is asked for its types in the background; these tests start from its answer.
        QSignalSpy settled(window_.get(), &TForm4::typesSettled);
        if (window_->isAskingForTypes() && !settled.wait(30000))
            qFatal("the type query did not end");
        return window_.get();
    }
    template <typename T> T* get(const char* name) {
        T* w = findNamed<T>(window_.get(), QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    void selectDestination(int index) { get<QComboBox>("ComboBox1")->setCurrentIndex(index); }
    // Answers the open and save dialogs and presses Start.
    void start(const QString& output) {
        dialogs_->answerOpen({input_});
        dialogs_->answerSave(output);
        QTest::mouseClick(get<QPushButton>("Button3"), Qt::LeftButton);
    }
    QStringList conversionArgs() const {
        const auto runs = runsOf(tool_);
        return runs.isEmpty() ? QStringList() : runs.last();
    }

  private slots:
    void init() {
        folder_ = std::make_unique<TestProgramFolder>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        input_ = folder_->file(QStringLiteral("in put.crt"));
        writeFile(input_, "CART");
    }
    void cleanup() {
        QVERIFY2(dialogs_->unexpected.isEmpty(), qPrintable(dialogs_->unexpected.join(QLatin1Char('\n'))));
        QCOMPARE(dialogs_->pendingAnswers(), 0);
        window_.reset();
        dialogs_.reset();
        folder_.reset();
    }

    void missingToolWarnsOnEveryShowingAndDisablesTheWorkingControls() {
        dialogs_->answerMessage(MsgAnswer::Ok);
        open(nullptr);
        QCOMPARE(dialogs_->asked.size(), 1);
        QCOMPARE(dialogs_->asked[0].caption, QStringLiteral("Warinig"));
        QCOMPARE(dialogs_->asked[0].text, get<QLabel>("Label2")->text());
        QVERIFY(dialogs_->asked[0].text.startsWith(QStringLiteral("cartconv (or cartconv.exe) not found!")));
        for (const char* name :
             {"Button1", "Button2", "Button3", "ComboBox1", "CheckBox1", "CheckBox2", "Edit1", "Edit2"})
            QVERIFY2(!get<QWidget>(name)->isEnabled(), name);
        QVERIFY(get<QPushButton>("Button4")->isEnabled());
        QCOMPARE(get<LogView>("Memo1")->toPlainText(), QString());

        // Shown again, in Polish, with the tool now in place: no message, nothing enabled again.
        window_->hide();
        window_->applyPolish();
        dialogs_->answerMessage(MsgAnswer::Ok);
        window_->show();
        QCOMPARE(dialogs_->asked.size(), 2);
        QVERIFY(dialogs_->asked[1].text.startsWith(QStringLiteral("PROGRAM NE BĘDZIE DZIAŁAŁ!")));
        QVERIFY(dialogs_->asked[1].text.contains(QStringLiteral("cartconv (lub cartconv.exe)")));
        window_->hide();
        tool_ = folder_->installTool(QStringLiteral("cartconv"));
        window_->show();
        QCOMPARE(dialogs_->asked.size(), 2);
        QVERIFY(!get<QPushButton>("Button3")->isEnabled());
        window_->Button3Click(); // even called directly, nothing is asked and nothing runs
        QCOMPARE(dialogs_->asked.size(), 2);
    }

    void presentToolIsAcknowledgedAndAskedForItsTypesOnce() {
        open();
        QCOMPARE(logLines(window_.get()).size(), 2);
        QCOMPARE(logLines(window_.get())[0], QStringLiteral("CartConv.exe OK"));
        QVERIFY(!logLines(window_.get())[1].isEmpty());
        window_->hide();
        window_->show();
        QCOMPARE(logLines(window_.get()).size(), 4);
        QCOMPARE(logLines(window_.get())[2], QStringLiteral("CartConv.exe OK"));
        QCOMPARE(runsOf(tool_), QList<QStringList>{{QStringLiteral("--types")}});
        QVERIFY(dialogs_->asked.isEmpty());
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
        tool_ = folder_->installTool(QStringLiteral("cartconv"),
                                     QStringLiteral("sleep 1000\nout ar5    Action Replay V5\\n\n"));
        window_ = std::make_unique<TForm4>(AppContext{folder_->path(), dialogs_.get()});
        window_->setTypesTimeLimit(limitMs);
        window_->show();
        // Shown while the tool still thinks; Start waits for its answer or the time limit.
        QVERIFY(window_->isAskingForTypes());
        QCOMPARE(logLines(window_.get()).first(), QStringLiteral("CartConv.exe OK"));
        selectDestination(4);
        start(folder_->file(QStringLiteral("cart")));
        QVERIFY(!window_->isAskingForTypes());
        QCOMPARE(conversionArgs().value(1), ar);
    }

    void destinationChangeSetsSuffixFilterAndFields() {
        open();
        auto* combo = get<QComboBox>("ComboBox1");
        QCOMPARE(combo->count(), 28);
        QCOMPARE(combo->currentText(), QStringLiteral("Binary C64 .PRG file with load-address"));
        QCOMPARE(window_->outputSuffix(), QStringLiteral(".PRG"));
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
            QCOMPARE(window_->outputSuffix(), QString::fromLatin1(row.suffix));
            QCOMPARE(get<QCheckBox>("CheckBox1")->isEnabled(), row.load);
            QCOMPARE(get<QLineEdit>("Edit1")->isEnabled(), row.load);
            QCOMPARE(get<QCheckBox>("CheckBox2")->isEnabled(), row.name);
            QCOMPARE(get<QLineEdit>("Edit2")->isEnabled(), row.name);
            start(folder_->file(QStringLiteral("out")));
            QCOMPARE(dialogs_->asked.last().setup.selectedFilter, row.filter);
            QCOMPARE(dialogs_->asked.last().setup.filters.size(), 4);
            QVERIFY(dialogs_->asked.last().setup.confirmOverwrite);
            QCOMPARE(conversionArgs().last(),
                     folder_->file(QStringLiteral("out")) + QLatin1String(row.suffix));
        }

        // Typed text that matches an entry counts as that entry; other text changes nothing.
        combo->setEditText(QStringLiteral("pure binary .BIN FILE"));
        QCOMPARE(window_->outputSuffix(), QStringLiteral(".BIN"));
        QVERIFY(!get<QCheckBox>("CheckBox1")->isEnabled());
        combo->setEditText(QStringLiteral("no such cartridge"));
        QCOMPARE(window_->outputSuffix(), QStringLiteral(".BIN"));
        QVERIFY(!get<QCheckBox>("CheckBox1")->isEnabled());
    }

    void everyDestinationPassesItsTypeArgument() {
        open();
        for (int i = 0; i < vornix::cartconv::destinationCount; ++i) {
            selectDestination(i);
            start(folder_->file(QStringLiteral("out")));
            const QStringList args = conversionArgs();
            QCOMPARE(args.value(0), QStringLiteral("-t"));
            QCOMPARE(args.value(1), QString::fromLatin1(vornix::cartconv::destinations()[i].type.data()));
            QCOMPARE(args.mid(2, 2), (QStringList{QStringLiteral("-i"), input_}));
        }
        QCOMPARE(runsOf(tool_).size(), 1 + vornix::cartconv::destinationCount);
    }

    void runShowsTheCommandLineAndEveryLineOfTheTool() {
        open("out converting\\r\\nstep 1\\rstep 2\\n\\0\\n\nout half\nsleep 300\nout done\\n\n"
             "writeafter -o - CRTDATA\n");
        const QString output = folder_->file(QStringLiteral("game"));
        start(output);
        const QString commandLine =
            QStringLiteral("cartconv -t prg  -i \"%1\" -o \"%2.PRG\"").arg(input_, output);
        QCOMPARE(logLines(window_.get()).mid(2),
                 (QStringList{commandLine, QStringLiteral("converting"), QStringLiteral("step 1"),
                              QStringLiteral("step 2"), QString(), QStringLiteral("half"),
                              QStringLiteral("halfdone")}));
        QCOMPARE(conversionArgs(),
                 (QStringList{QStringLiteral("-t"), QStringLiteral("prg"), QStringLiteral("-i"), input_,
                              QStringLiteral("-o"), output + QStringLiteral(".PRG")}));
        QFile written(output + QStringLiteral(".PRG"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("CRTDATA"));
        QVERIFY(!window_->isRunning());
        QVERIFY(get<QPushButton>("Button3")->isEnabled());
        QCOMPARE(dialogs_->asked[0].setup.filters.size(), 3);
    }

    void optionalFieldsCountOnlyWhenUsableCheckedAndFilled() {
        open();
        auto* load = get<QCheckBox>("CheckBox1");
        auto* name = get<QCheckBox>("CheckBox2");
        const QString out = folder_->file(QStringLiteral("o"));

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
        QVERIFY(logLines(window_.get()).last().contains(QStringLiteral("-n \"CARTRIDGE\" -i")));
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
        dialogs_->answerOpen({});
        window_->Button3Click();
        QVERIFY(!get<QCheckBox>("CheckBox1")->isChecked()); // the empty field took effect first
        dialogs_->answerOpen({input_});
        dialogs_->answerSave(QString());
        window_->Button3Click();
        QCOMPARE(get<LogView>("Memo1")->toPlainText(), before);
        QCOMPARE(runsOf(tool_).size(), 1); // the --types query only
    }

    void unmatchedDestinationTextIsRefused() {
        open();
        get<QComboBox>("ComboBox1")->setEditText(QStringLiteral("Generic"));
        dialogs_->answerMessage(MsgAnswer::Ok);
        window_->Button3Click();
        QCOMPARE(dialogs_->asked.size(), 1);
        QCOMPARE(dialogs_->asked[0].kind, ScriptedDialogs::Kind::Message);
        QVERIFY(dialogs_->asked[0].text.contains(QStringLiteral("\"Generic\"")));
        QCOMPARE(runsOf(tool_).size(), 1);
    }

    void suffixIsAppendedAndAnUnconfirmedFileIsNotReplaced() {
        open("writeafter -o - NEW\n");
        selectDestination(2);
        const QString chosen = folder_->file(QStringLiteral("game.crt"));
        start(chosen);
        QCOMPARE(conversionArgs().last(), folder_->file(QStringLiteral("game.crt.CRT")));

        // game.crt.CRT now exists; the dialog only confirmed game.crt.
        writeFile(folder_->file(QStringLiteral("game.crt.CRT")), "OLD");
        dialogs_->answerOpen({input_});
        dialogs_->answerSave(chosen);
        dialogs_->answerMessage(MsgAnswer::No);
        window_->Button3Click();
        QCOMPARE(dialogs_->asked.last().buttons, MsgButtons::YesNo);
        QVERIFY(dialogs_->asked.last().text.contains(folder_->file(QStringLiteral("game.crt.CRT"))));
        QCOMPARE(runsOf(tool_).size(), 2);
        QFile old(folder_->file(QStringLiteral("game.crt.CRT")));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("OLD"));
        old.close();

        dialogs_->answerOpen({input_});
        dialogs_->answerSave(chosen);
        dialogs_->answerMessage(MsgAnswer::Yes);
        window_->Button3Click();
        QCOMPARE(runsOf(tool_).size(), 3);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("NEW"));
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
            start(folder_->file(QStringLiteral("cart")));
            QCOMPARE(conversionArgs().value(1), type);
            QVERIFY(logLines(window_.get())
                        .contains(QStringLiteral("cartconv -t %1  -i \"%2\" -o \"%3.CRT\"")
                                      .arg(type, input_, folder_->file("cart"))));
        }
    }

    void toolThatCannotStartIsReportedAndTheWindowStaysUsable() {
        open();
        QVERIFY(QFile::remove(tool_));
        start(folder_->file(QStringLiteral("x")));
        QVERIFY(logLines(window_.get()).last().endsWith(QStringLiteral(" doesn't exist.")));
        QVERIFY(!window_->isRunning());
        QVERIFY(get<QPushButton>("Button3")->isEnabled());
    }

    void startIsRefusedWhileARunIsInProgress() {
        open("sleep 500\nout finished\\n\n");
        bool checked = false;
        QTimer::singleShot(0, window_.get(), [&] {
            checked = true;
            QVERIFY(window_->isRunning());
            QVERIFY(!get<QPushButton>("Button3")->isEnabled());
            window_->Button3Click(); // asks nothing (an unexpected question fails the test)
        });
        start(folder_->file(QStringLiteral("x")));
        QVERIFY(checked);
        QCOMPARE(runsOf(tool_).size(), 2);
        QCOMPARE(logLines(window_.get()).last(), QStringLiteral("finished"));
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
        QVERIFY(!window_->isVisible());
    }

    void polishTexts() {
        open();
        window_->applyPolish();
        const std::pair<const char*, const char*> rows[] = {
            {"Button1", "Wyczyść"},           {"Button2", "Kopiuj"},   {"Button3", "Start"},
            {"Button4", "Zamknij"},           {"Label1", "Docelowo:"}, {"CheckBox1", "Adres ładowania:"},
            {"CheckBox2", "Nazwa cartridge:"}};
        for (const auto& [name, text] : rows) {
            QWidget* w = get<QWidget>(name);
            const QString shown = w->property("text").toString();
            QCOMPARE(shown, QString::fromUtf8(text));
        }
        QCOMPARE(window_->windowTitle(), QStringLiteral("Cartconv GUI"));
        QCOMPARE(get<QComboBox>("ComboBox1")->itemText(0), QStringLiteral("Pure Binary .bin file"));
    }
};

QTEST_MAIN(CartridgeWindowTest)
#include "CartridgeWindowTest.moc"
