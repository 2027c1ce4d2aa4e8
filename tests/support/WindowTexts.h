#pragma once
// What a window says to its user, for the tests that check a window speaks one language.
#include <QString>
#include <QStringList>

#include <map>

class QWidget;

namespace vornix::test {

using WindowTexts = std::map<QString, QString>; // where a text is shown -> the text

enum class Shown { VisibleOnly, AlsoHidden };

// Every text of the window: its title, labels, buttons, group titles, tool tips, list and combo
// entries, headers, tabs and menus. Texts without a letter are left out: they are the same in
// every language. AlsoHidden takes the hidden controls too (windows keep message texts in
// hidden labels) and every action, also of pop-up menus.
WindowTexts windowTexts(QWidget* window, Shown shown = Shown::VisibleOnly);

// The places where the Polish text is the English one, as "where: text", save the texts that
// read the same in both languages (kSameInBothLanguages).
QStringList leftInEnglish(const WindowTexts& polish, const WindowTexts& english);

// Texts that read the same in Polish, and why.
extern const QStringList kSameInBothLanguages;

} // namespace vornix::test
