// Both tape windows switched to Polish show no English text, hidden message labels and the
// pause menu included, and switched back show all their English again.
#include "tape/ui/TapLinkerWindow.h"
#include "tape/ui/TapeConversionWindow.h"

#include "tests/support/TapeWindowControls.h"
#include "tests/support/ToolWindowFixture.h"
#include "tests/support/WindowTexts.h"

#include <QtTest>

using namespace vornix;
namespace tl = vornix::test::controls::taplinker;

namespace {

template <typename Window> void compareLanguages(Window* window) {
    window->setLanguage(gui::Language::English);
    const test::WindowTexts english = test::windowTexts(window, test::Shown::AlsoHidden);
    window->setLanguage(gui::Language::Polish);
    const test::WindowTexts polish = test::windowTexts(window, test::Shown::AlsoHidden);
    QCOMPARE(polish.size(), english.size());
    const QStringList left = test::leftInEnglish(polish, english);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
    // And back: nothing of the Polish stays.
    window->setLanguage(gui::Language::English);
    QVERIFY(test::windowTexts(window, test::Shown::AlsoHidden) == english);
}

} // namespace

class TapeWindowsLanguageTest : public QObject {
    Q_OBJECT
  private slots:
    void conversionWindowHasNoEnglishInPolish() {
        ToolWindowFixture<TapeConversionWindow> fx;
        compareLanguages(fx.create(QStringLiteral("tape64")));
    }

    // Without the tape tool, both windows warn under one caption; the linker's two-language
    // text names the tool in each half in that half's language.
    void missingToolWarningsInPolish() {
        ToolWindowFixture<TapeConversionWindow> conversion;
        conversion.create(QStringLiteral("tape64"), nullptr)->setLanguage(gui::Language::Polish);
        ToolWindowFixture<TapLinkerWindow> linker;
        linker.create(QStringLiteral("tape64"), nullptr)->setLanguage(gui::Language::Polish);
        conversion.dialogs.answerMessage(MsgAnswer::Ok);
        linker.dialogs.answerMessage(MsgAnswer::Ok);
        conversion.window->show();
        linker.window->show();
        QVERIFY(conversion.questionsDone() && linker.questionsDone());
        QCOMPARE(conversion.dialogs.last()->caption, QStringLiteral("Uwaga"));
        QCOMPARE(linker.dialogs.last()->caption, QStringLiteral("Uwaga"));
        const QStringList halves = linker.dialogs.last()->text.split(QStringLiteral(" / "));
        QCOMPARE(halves.size(), 2);
        QVERIFY2(halves[0].startsWith(QStringLiteral("NO tape64 (or tape64.exe) IN")), qPrintable(halves[0]));
        QVERIFY2(halves[1].startsWith(QStringLiteral("BRAK PLIKU tape64 (lub tape64.exe) W")),
                 qPrintable(halves[1]));
    }

    void linkerHasNoEnglishInPolish() {
        ToolWindowFixture<TapLinkerWindow> fx;
        TapLinkerWindow* window = fx.create(QStringLiteral("tape64"));
        QVERIFY(triggerAction(window, tl::kPause20s));
        compareLanguages(window);
    }
};

QTEST_MAIN(TapeWindowsLanguageTest)
#include "TapeWindowsLanguageTest.moc"
