#include "gui/Language.h"
#include "gui/LogView.h"

#include <QTest>

using namespace vornix;
using gui::Language;

// The catalogues are embedded in a static library: if they were not linked in, every text
// would silently stay English.
class LanguageTest : public QObject {
    Q_OBJECT
  private slots:
    void eachContextAnswersInItsOwnLanguage();
};

void LanguageTest::eachContextAnswersInItsOwnLanguage() {
    const char* context = LogView::staticMetaObject.className();
    gui::setContextLanguage(context, Language::Polish);
    QCOMPARE(LogView::tr("&Copy"), QStringLiteral("&Kopiuj"));

    gui::setContextLanguage(context, Language::English);
    QCOMPARE(LogView::tr("&Copy"), QStringLiteral("&Copy"));
    QCOMPARE(gui::contextLanguage(context), Language::English);

    // A context never named follows the default language.
    gui::setDefaultLanguage(Language::English);
    QCOMPARE(gui::contextLanguage("vornix::NoSuchWindow"), Language::English);
    gui::setDefaultLanguage(Language::Polish);
    QCOMPARE(gui::contextLanguage("vornix::NoSuchWindow"), Language::Polish);
}

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
