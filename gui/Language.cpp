#include "gui/Language.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QTranslator>

#include <array>
#include <memory>

namespace vornix::gui {

namespace {

constexpr std::array kLanguages{Language::Polish, Language::English};

// One translator installed in the application, answering each context from the catalogue of
// that context's language. An empty answer lets Qt fall back to the English source text (and
// to Qt's own catalogues for Qt's contexts).
class ContextRouter final : public QTranslator {
  public:
    ContextRouter() {
        for (Language language : kLanguages) {
            auto catalogue = std::make_unique<QTranslator>();
            // A missing catalogue leaves that language's texts in English rather than failing.
            (void)catalogue->load(
                QStringLiteral(":/i18n/vornix_%1.qm").arg(QLatin1String(languageCode(language))));
            catalogues_[static_cast<int>(language)] = std::move(catalogue);
        }
    }

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        return catalogues_[static_cast<int>(languageOf(context))]->translate(context, sourceText,
                                                                             disambiguation, n);
    }

    bool isEmpty() const override { return false; }

    QString translateIn(Language language, const char* context, const char* sourceText) const {
        return catalogues_[static_cast<int>(language)]->translate(context, sourceText);
    }

    Language languageOf(const char* context) const {
        return languages_.value(QByteArray(context), defaultLanguage_);
    }

    QHash<QByteArray, Language> languages_;
    Language defaultLanguage_ = Language::Polish;

  private:
    std::array<std::unique_ptr<QTranslator>, kLanguages.size()> catalogues_;
};

ContextRouter& router() {
    static ContextRouter* instance = nullptr;
    if (!instance) {
        instance = new ContextRouter;
        instance->setParent(QCoreApplication::instance());
        QCoreApplication::installTranslator(instance);
    }
    return *instance;
}

} // namespace

const char* languageCode(Language language) { return language == Language::Polish ? "pl" : "en"; }

void installCatalogues() { (void)router(); }

void setContextLanguage(const char* context, Language language) {
    router().languages_.insert(QByteArray(context), language);
}

void setDefaultLanguage(Language language) { router().defaultLanguage_ = language; }

Language contextLanguage(const char* context) { return router().languageOf(context); }

QString translateIn(Language language, const char* context, const char* sourceText) {
    const QString text = router().translateIn(language, context, sourceText);
    return text.isEmpty() ? QString::fromUtf8(sourceText) : text;
}

QLocale locale(Language language) {
    const QLocale::Language wanted = language == Language::Polish ? QLocale::Polish : QLocale::English;
    const QLocale system = QLocale::system();
    return system.language() == wanted ? system : QLocale(wanted);
}

} // namespace vornix::gui
