// In Polish the compression and cartridge windows show no English: every text a user can read
// (title, labels, buttons, group titles, list items, tool tips) differs from the English one,
// unless it reads the same in both languages (tests/support/WindowTexts.cpp says why).
#include "tools/ui/CartridgeWindow.h"
#include "tools/ui/CompressionWindow.h"

#include "tests/support/ToolWindowFixture.h"
#include "tests/support/WindowTexts.h"

#include <QTest>

using namespace vornix;

namespace {

template <typename Window> void checkNoEnglishLeft(const QString& toolName) {
    ToolWindowFixture<Window> fixture;
    Window* window = fixture.create(toolName);
    const test::WindowTexts english = test::windowTexts(window, test::Shown::AlsoHidden);
    QVERIFY(english.size() > 10);
    window->setLanguage(gui::Language::Polish);
    const test::WindowTexts polish = test::windowTexts(window, test::Shown::AlsoHidden);
    QCOMPARE(polish.size(), english.size());
    const QStringList left = test::leftInEnglish(polish, english);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
}

} // namespace

class ToolWindowLanguageTest : public QObject {
    Q_OBJECT
  private slots:
    void compressionWindowHasNoEnglishInPolish() {
        checkNoEnglishLeft<CompressionWindow>(QStringLiteral("pucrunch.exe"));
    }
    void cartridgeWindowHasNoEnglishInPolish() {
        checkNoEnglishLeft<CartridgeWindow>(QStringLiteral("cartconv"));
    }
};

QTEST_MAIN(ToolWindowLanguageTest)
#include "ToolWindowLanguageTest.moc"
