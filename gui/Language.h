#pragma once
// The interface languages and the one way texts reach a window. Every visible text is written
// in English in the code, inside tr() (or QT_TR_NOOP for tables), and translated from the
// catalogue gui/translations/vornix_<code>.ts, which Qt's lrelease compiles into the program;
// only the texts the design fixes in every language stand apart (gui/FixedTexts.h).
//
// The windows do not switch together: the main window turns English at once but Polish only
// at the next start, and each tool window takes the language of the moment it is shown. So
// the language belongs to a translation context (the class whose tr() is called), and each
// window's setLanguage(Language) names its contexts' language here before it rewrites its
// texts.
class QLocale;
class QString;

namespace vornix::gui {

enum class Language { Polish, English };

// The catalogue's code: "pl", "en".
const char* languageCode(Language language);

// tr() in the given context (a class's metaObject()->className(), or the context named in
// QT_TRANSLATE_NOOP) answers in this language from now on. Contexts never named answer in
// the default language.
void setContextLanguage(const char* context, Language language);
void setDefaultLanguage(Language language);
Language contextLanguage(const char* context);

// sourceText of context in the given language, whatever the context's language is now.
QString translateIn(Language language, const char* context, const char* sourceText);

// How the language writes dates and numbers: the system's own when it speaks that language.
QLocale locale(Language language);

// Installs the catalogues into the application; idempotent. Called by the two setters, so a
// window that never sets a language still reads the default one.
void installCatalogues();

} // namespace vornix::gui
