// Every window the editor shows, once started in Polish and once in English: no text a user
// sees in the Polish run may be the English one, except the few the design keeps the same.
#include "app/AboutWindow.h"
#include "app/DiskImportDialog.h"
#include "app/TapeImportDialog.h"
#include "tape/ui/TapLinkerWindow.h"
#include "tape/ui/TapeConversionWindow.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/WindowTexts.h"
#include "tools/ui/CartridgeWindow.h"
#include "tools/ui/CompressionWindow.h"

#include <map>

using namespace apptest;

namespace {

using Texts = test::WindowTexts;

// One start of the editor in one language, with every window it can show shown.
std::map<QString, Texts> walk(bool english) {
    Harness h;
    if (english)
        writeFile(h.file("settings.ini"), "[M]\nEng=1\n");
    h.folder.installTool("pucrunch");
    h.folder.installTool("cartconv");
    h.folder.installTool("tape64");
    MainWindow* w = h.startWith({"ONE", "TWO"});
    AboutWindow about(h.ctx);
    CompressionWindow compression(h.ctx);
    CartridgeWindow cartridge(h.ctx);
    TapeConversionWindow tape(h.ctx);
    TapLinkerWindow linker(h.ctx);
    w->setToolWindows(&compression, &about, &cartridge, &tape, &linker);

    h.trigger(kPreviewItem); // the preview pane's title
    std::map<QString, Texts> shown;
    shown[QStringLiteral("main")] = test::windowTexts(w);
    h.trigger(kAboutItem);
    shown[QStringLiteral("about")] = test::windowTexts(&about);
    h.trigger(kCompressionWindowItem);
    shown[QStringLiteral("compression")] = test::windowTexts(&compression);
    h.trigger(kCartridgeWindowItem);
    shown[QStringLiteral("cartridge")] = test::windowTexts(&cartridge);
    h.trigger(kTapeConversionItem);
    shown[QStringLiteral("tapeConversion")] = test::windowTexts(&tape);
    h.trigger(kTapLinkerItem);
    shown[QStringLiteral("tapLinker")] = test::windowTexts(&linker);

    // The choice dialogs as their commands show them; the rows carry the dialogs' own marks.
    DiskImportDialog disk(w, QStringLiteral("GAMES"), {{QStringLiteral("SPLAT"), 3, {}, true, {}}});
    disk.show();
    shown[QStringLiteral("diskImport")] = test::windowTexts(&disk);
    TapeImportDialog tapeChoice(w, QStringLiteral("tape.tap"), {{QStringLiteral("GAME"), 10, 0x0801, {}}});
    tapeChoice.show();
    shown[QStringLiteral("tapeImport")] = test::windowTexts(&tapeChoice);

    // What was opened is data in both runs.
    for (auto& [window, texts] : shown)
        std::erase_if(texts, [&](const auto& text) { return text.second.contains(h.folder.path()); });
    if (!h.questionsDone())
        qWarning("the walk was asked: %s", qPrintable(h.dialogs.unexpected.join(QLatin1Char('\n'))));
    return shown;
}

} // namespace

class LanguageWalkTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        polish_ = walk(false);
        english_ = walk(true);
    }

    void noEnglishTextInThePolishInterface_data() {
        QTest::addColumn<QString>("window");
        for (const auto& [window, texts] : polish_)
            QTest::newRow(qPrintable(window)) << window;
    }

    void noEnglishTextInThePolishInterface() {
        QFETCH(QString, window);
        const Texts& polish = polish_[window];
        const Texts& english = english_[window];
        QVERIFY2(!polish.empty() && !english.empty(), "the window showed no text");
        const QStringList untranslated = test::leftInEnglish(polish, english);
        QVERIFY2(untranslated.isEmpty(),
                 qPrintable(QLatin1Char('\n') + untranslated.join(QLatin1Char('\n'))));
    }

  private:
    std::map<QString, Texts> polish_;
    std::map<QString, Texts> english_;
};

QTEST_MAIN(LanguageWalkTest)
#include "LanguageWalkTest.moc"
