// The cartridge conversion window driven through its controls, with the fake tool standing
// in for cartconv and every dialog answered by the script.
#include "tools/ui/CartridgeWindow.h"
#include "gui/LogView.h"
#include "tools/CartconvCommandLine.h"

#include "tests/support/GuiTestHelpers.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ToolWindowControls.h"
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
using namespace vornix::test::controls;
using namespace vornix::test::controls::cartridge;

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
    void selectDestination(int index) { get<QComboBox>(kDestinationList)->setCurrentIndex(index); }
    // Answers the open and save dialogs and presses Start.
    void start(const QString& output) {
        fx_->dialogs.answerOpen({input_});
        fx_->dialogs.answerSave(output);
        QTest::mouseClick(get<QPushButton>(kStartButton), Qt::LeftButton);
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
        QCOMPARE(fx_->dialogs.asked[0].text, get<QLabel>(kToolMissingLabel)->text());
        QVERIFY(
            fx_->dialogs.asked[0].text.startsWith(QStringLiteral("cartconv (or cartconv.exe) not found!")));
        for (const char* name : {kClearButton, kCopyButton, kStartButton, kDestinationList, kLoadAddressCheck,
                                 kNameCheck, kLoadAddressEdit, kNameEdit})
            QVERIFY2(!get<QWidget>(name)->isEnabled(), name);
        QVERIFY(get<QPushButton>(kCloseButton)->isEnabled());
        QCOMPARE(get<LogView>(kLog)->toPlainText(), QString());

        // Shown again, in Polish, with the tool now in place: no message, nothing enabled again.
        fx_->window->hide();
        fx_->window->setLanguage(gui::Language::Polish);
        fx_->dialogs.answerMessage(MsgAnswer::Ok);
        fx_->window->show();
        QCOMPARE(fx_->dialogs.asked.size(), 2);
        QVERIFY(fx_->dialogs.asked[1].text.startsWith(QStringLiteral("PROGRAM NIE BĘDZIE DZIAŁAŁ!")));
        QVERIFY(fx_->dialogs.asked[1].text.contains(QStringLiteral("cartconv (lub cartconv.exe)")));
        QCOMPARE(fx_->dialogs.asked[1].caption, QStringLiteral("Uwaga"));
        fx_->window->hide();
        fx_->tool = fx_->folder.installTool(QStringLiteral("cartconv"));
        fx_->window->show();
        QCOMPARE(fx_->dialogs.asked.size(), 2);
        QVERIFY(!get<QPushButton>(kStartButton)->isEnabled());
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
        auto* combo = get<QComboBox>(kDestinationList);
        QCOMPARE(combo->count(), 28);
        QCOMPARE(combo->currentText(), QStringLiteral("Binary C64 .PRG file with load-address"));
        QCOMPARE(fx_->window->outputSuffix(), QStringLiteral(".PRG"));
        QCOMPARE(get<QLineEdit>(kNameEdit)->text(), QStringLiteral("CARTRIDGE"));
        QCOMPARE(get<QLineEdit>(kLoadAddressEdit)->text(), QString());

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
            QCOMPARE(get<QCheckBox>(kLoadAddressCheck)->isEnabled(), row.load);
            QCOMPARE(get<QLineEdit>(kLoadAddressEdit)->isEnabled(), row.load);
            QCOMPARE(get<QCheckBox>(kNameCheck)->isEnabled(), row.name);
            QCOMPARE(get<QLineEdit>(kNameEdit)->isEnabled(), row.name);
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
        QVERIFY(!get<QCheckBox>(kLoadAddressCheck)->isEnabled());
        combo->setEditText(QStringLiteral("no such cartridge"));
        QCOMPARE(fx_->window->outputSuffix(), QStringLiteral(".BIN"));
        QVERIFY(!get<QCheckBox>(kLoadAddressCheck)->isEnabled());
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
        QVERIFY(get<QPushButton>(kStartButton)->isEnabled());
        QCOMPARE(fx_->dialogs.asked[0].setup.filters.size(), 3);
    }

    void optionalFieldsCountOnlyWhenUsableCheckedAndFilled() {
        open();
        auto* load = get<QCheckBox>(kLoadAddressCheck);
        auto* name = get<QCheckBox>(kNameCheck);
        const QString out = fx_->folder.file(QStringLiteral("o"));

        load->setChecked(true);
        get<QLineEdit>(kLoadAddressEdit)->setText(QStringLiteral("8000"));
        start(out);
        QCOMPARE(conversionArgs().mid(0, 4), (QStringList{QStringLiteral("-t"), QStringLiteral("prg"),
                                                          QStringLiteral("-l"), QStringLiteral("8000")}));

        // Checked but empty: unchecked at Start, no -l.
        get<QLineEdit>(kLoadAddressEdit)->clear();
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
        get<QLineEdit>(kNameEdit)->setText(QStringLiteral("MY \"BEST\" CART"));
        start(out);
        QCOMPARE(conversionArgs().mid(2, 4),
                 (QStringList{QStringLiteral("-n"), QStringLiteral("MY \"BEST\" CART"), QStringLiteral("-i"),
                              input_}));

        // Both checked, then the plain binary: neither option, though both stay checked.
        selectDestination(1);
        get<QLineEdit>(kLoadAddressEdit)->setText(QStringLiteral("1000"));
        load->setChecked(true);
        selectDestination(0);
        QVERIFY(load->isChecked() && name->isChecked());
        start(out);
        QCOMPARE(conversionArgs(),
                 (QStringList{QStringLiteral("-t"), QStringLiteral("bin"), QStringLiteral("-i"), input_,
                              QStringLiteral("-o"), out + QStringLiteral(".BIN")}));

        // An emptied name unchecks its box.
        selectDestination(3);
        get<QLineEdit>(kNameEdit)->clear();
        start(out);
        QVERIFY(!name->isChecked());
        QVERIFY(!conversionArgs().contains(QStringLiteral("-n")));
    }

    void cancelledDialogsEndStartSilently() {
        open();
        const QString before = get<LogView>(kLog)->toPlainText();
        get<QCheckBox>(kLoadAddressCheck)->setChecked(true);
        fx_->dialogs.answerOpen({});
        fx_->window->startClicked();
        QVERIFY(!get<QCheckBox>(kLoadAddressCheck)->isChecked()); // the empty field took effect first
        fx_->dialogs.answerOpen({input_});
        fx_->dialogs.answerSave(QString());
        fx_->window->startClicked();
        QCOMPARE(get<LogView>(kLog)->toPlainText(), before);
        QCOMPARE(toolRuns(fx_->tool).size(), 1); // the --types query only
    }

    void unmatchedDestinationTextIsRefused() {
        open();
        get<QComboBox>(kDestinationList)->setEditText(QStringLiteral("Generic"));
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
        QVERIFY(get<QPushButton>(kStartButton)->isEnabled());
    }

    void startIsRefusedWhileARunIsInProgress() {
        open("sleep 500\nout finished\\n\n");
        bool checked = false;
        QTimer::singleShot(0, fx_->window.get(), [&] {
            checked = true;
            QVERIFY(fx_->window->isRunning());
            QVERIFY(!get<QPushButton>(kStartButton)->isEnabled());
            fx_->window->startClicked(); // asks nothing (an unexpected question fails the test)
        });
        start(fx_->folder.file(QStringLiteral("x")));
        QVERIFY(checked);
        QCOMPARE(toolRuns(fx_->tool).size(), 2);
        QCOMPARE(fx_->log().last(), QStringLiteral("finished"));
        QVERIFY(get<QPushButton>(kStartButton)->isEnabled());
    }

    void clearCopyAndClose() {
        open();
        auto* memo = get<LogView>(kLog);
        memo->selectAll();
        QTest::mouseClick(get<QPushButton>(kCopyButton), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), memo->toPlainText());
        QTest::mouseClick(get<QPushButton>(kClearButton), Qt::LeftButton);
        QCOMPARE(memo->toPlainText(), QString());
        QTest::mouseClick(get<QPushButton>(kCloseButton), Qt::LeftButton);
        QVERIFY(!fx_->window->isVisible());
    }

    void polishTexts() {
        open();
        fx_->window->setLanguage(gui::Language::Polish);
        const std::pair<const char*, const char*> rows[] = {
            {kClearButton, "Wyczyść"},        {kCopyButton, "Kopiuj"},
            {kStartButton, "Start"},          {kCloseButton, "Zamknij"},
            {kDestinationLabel, "Docelowo:"}, {kLoadAddressCheck, "Adres ładowania:"},
            {kNameCheck, "Nazwa cartridge:"}};
        for (const auto& [name, text] : rows) {
            QWidget* w = get<QWidget>(name);
            const QString shown = w->property("text").toString();
            QCOMPARE(shown, QString::fromUtf8(text));
        }
        QCOMPARE(fx_->window->windowTitle(), QStringLiteral("Cartconv – konwersja cartridge"));
        QCOMPARE(get<QComboBox>(kDestinationList)->itemText(0), QStringLiteral("Czysty plik binarny .bin"));
        QCOMPARE(get<QComboBox>(kDestinationList)->itemText(4), QStringLiteral("Plik .crt Action Replay"));
        QCOMPARE(fx_->window->outputSuffix(), QStringLiteral(".PRG"));

        // Its messages follow: the refusal of a destination not in the list, the dialogs.
        get<QComboBox>(kDestinationList)->setEditText(QStringLiteral("Generic"));
        fx_->dialogs.answerMessage(MsgAnswer::Ok);
        fx_->window->startClicked();
        QCOMPARE(fx_->dialogs.asked.last().text,
                 QStringLiteral("\"Generic\" nie jest pozycją listy. Wybierz typ docelowy z listy."));
        selectDestination(0);
        fx_->dialogs.answerOpen({});
        fx_->window->startClicked();
        QCOMPARE(fx_->dialogs.asked.last().setup.title,
                 QStringLiteral("Wybierz plik cartridge lub dane binarne"));
        QCOMPARE(fx_->dialogs.asked.last().setup.filters[2].first, QStringLiteral("Wszystkie pliki (*.*)"));
    }

    // The list is renamed in place: the destination, or text the user typed, stays; a
    // destination typed as listed or in English counts in either language.
    void languageKeepsTheDestination() {
        open();
        auto* combo = get<QComboBox>(kDestinationList);
        for (int i = 0; i < vornix::cartconv::destinationCount; ++i)
            QCOMPARE(combo->itemText(i),
                     QString::fromLatin1(vornix::cartconv::destinations()[i].text.data(),
                                         vornix::cartconv::destinations()[i].text.size()));
        selectDestination(2);
        fx_->window->setLanguage(gui::Language::Polish);
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(combo->currentText(), QStringLiteral("Zwykły plik .crt 8kb/16kb"));
        QCOMPARE(fx_->window->outputSuffix(), QStringLiteral(".CRT"));

        combo->setEditText(QStringLiteral("half typed"));
        fx_->window->setLanguage(gui::Language::English);
        QCOMPARE(combo->currentText(), QStringLiteral("half typed"));

        fx_->window->setLanguage(gui::Language::Polish);
        const std::pair<const char*, const char*> typed[] = {
            {"czysty PLIK binarny .bin", ".BIN"}, {"Binary C64 .PRG file with load-address", ".PRG"}};
        for (const auto& [text, suffix] : typed) {
            combo->setEditText(QString::fromUtf8(text));
            QCOMPARE(fx_->window->outputSuffix(), QString::fromLatin1(suffix));
        }
    }
};

QTEST_MAIN(CartridgeWindowTest)
#include "CartridgeWindowTest.moc"
