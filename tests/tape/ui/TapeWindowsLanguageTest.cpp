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

    void linkerHasNoEnglishInPolish() {
        ToolWindowFixture<TapLinkerWindow> fx;
        TapLinkerWindow* window = fx.create(QStringLiteral("tape64"));
        QVERIFY(triggerAction(window, tl::kPause20s));
        compareLanguages(window);
    }
};

QTEST_MAIN(TapeWindowsLanguageTest)
#include "TapeWindowsLanguageTest.moc"
