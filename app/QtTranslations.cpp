#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vornix::qttranslations {

bool usePolish(bool polish) {
    // One catalogue for the application's life; installing it again is harmless.
    static QTranslator* catalogue = nullptr;
    if (!polish) {
        if (catalogue)
            QCoreApplication::removeTranslator(catalogue);
        return true;
    }
    if (!catalogue) {
        auto* loaded = new QTranslator(QCoreApplication::instance());
        if (!loaded->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete loaded;
            return false;
        }
        catalogue = loaded;
    }
    return QCoreApplication::installTranslator(catalogue);
}

} // namespace vornix::qttranslations
