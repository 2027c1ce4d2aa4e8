// In Polish the compression and cartridge windows show no English: every text a user can read
// (title, labels, buttons, group titles, list items, tool tips) differs from the English one,
// unless it reads the same in both languages for a reason named below.
#include "tools/ui/CartridgeWindow.h"
#include "tools/ui/CompressionWindow.h"

#include "tests/support/ToolWindowFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <map>

using namespace vornix;

namespace {

// Each readable text of the window, keyed by where it is shown.
std::map<QString, QString> readableTexts(QWidget* window) {
    std::map<QString, QString> texts;
    texts[QStringLiteral("title")] = window->windowTitle();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (!w->toolTip().isEmpty())
            texts[name + QStringLiteral(" tip")] = w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w))
            texts[name] = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts[name] = button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            texts[name] = group->title();
        else if (auto* list = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < list->count(); ++i)
                texts[name + QStringLiteral(" item %1").arg(i)] = list->itemText(i);
    }
    return texts;
}

// Texts that read the same in Polish: names of machines and numbers.
const QStringList kSameInBothLanguages = {
    QStringLiteral("C64"), QStringLiteral("C128"), QStringLiteral("VIC20"), QStringLiteral("C16/+4"),
    QStringLiteral("5 (64)"), QStringLiteral("6 (128)"), QStringLiteral("7 (256)"),
    // Polish takes the English word for the cartridge window's Start button.
    QStringLiteral("Start")};

template <typename Window> void checkNoEnglishLeft(const QString& toolName) {
    ToolWindowFixture<Window> fixture;
    Window* window = fixture.create(toolName);
    const auto english = readableTexts(window);
    QVERIFY(english.size() > 10);
    window->setLanguage(gui::Language::Polish);
    const auto polish = readableTexts(window);
    QCOMPARE(polish.size(), english.size());
    QStringList leftInEnglish;
    for (const auto& [where, text] : english) {
        if (text.isEmpty() || kSameInBothLanguages.contains(text))
            continue;
        if (polish.at(where) == text)
            leftInEnglish << where + QStringLiteral(": ") + text;
    }
    QVERIFY2(leftInEnglish.isEmpty(), qPrintable(leftInEnglish.join(QLatin1Char('\n'))));
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
