// Both tape windows switched to Polish show no English text: every caption, tab, tool tip,
// menu item and list entry is compared with the same window in English.
#include "tape/ui/TapLinkerWindow.h"
#include "tape/ui/TapeConversionWindow.h"

#include "tests/support/TapeWindowControls.h"
#include "tests/support/ToolWindowFixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QTabWidget>
#include <QtTest>

using namespace vornix;
namespace tl = vornix::test::controls::taplinker;

namespace {

// Every text the window can show, keyed by where it stands. Hidden labels count: the windows
// keep message texts in them.
QMap<QString, QString> shownTexts(QWidget* window) {
    QMap<QString, QString> texts;
    auto put = [&](const QObject* o, const char* what, const QString& text) {
        if (!text.isEmpty())
            texts.insert(o->objectName() + QLatin1Char('.') + QLatin1String(what), text);
    };
    put(window, "title", window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        put(w, "toolTip", w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w))
            put(w, "text", label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            put(w, "text", button->text());
        if (auto* box = qobject_cast<QGroupBox*>(w))
            put(w, "title", box->title());
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts.insert(w->objectName() + QStringLiteral(".tab%1").arg(i), tabs->tabText(i));
        if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i)
                texts.insert(w->objectName() + QStringLiteral(".row%1").arg(i), list->item(i)->text());
    }
    for (QAction* a : window->findChildren<QAction*>())
        put(a, "text", a->text());
    return texts;
}

// The texts that stay in English in Polish, and why.
const QSet<QString> kSameInBoth = {
    // Format names and the button symbols, which no language changes.
    QStringLiteral("WAV/TAP v.0->TAP v.1"), QStringLiteral("WAV/TAP->T64/P00"), QStringLiteral("T64"),
    QStringLiteral("P00"), QStringLiteral("..."), QStringLiteral("/\\"), QStringLiteral("V"),
    // "Start" is the Polish word too.
    QStringLiteral("           Start"),
    // Seconds are written "s" in Polish as well.
    QStringLiteral("1s"), QStringLiteral("2s"), QStringLiteral("4s"), QStringLiteral("5s"),
    QStringLiteral("10s"), QStringLiteral("20s"), QStringLiteral("40s")};

template <typename Window> void compareLanguages(Window* window) {
    window->setLanguage(gui::Language::English);
    const QMap<QString, QString> english = shownTexts(window);
    window->setLanguage(gui::Language::Polish);
    const QMap<QString, QString> polish = shownTexts(window);
    QCOMPARE(polish.keys(), english.keys());
    QStringList untranslated;
    for (auto it = english.cbegin(); it != english.cend(); ++it)
        if (polish.value(it.key()) == it.value() && !kSameInBoth.contains(it.value()))
            untranslated << it.key() + QStringLiteral(": ") + it.value();
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
    window->setLanguage(gui::Language::English);
    QCOMPARE(shownTexts(window), english);
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
