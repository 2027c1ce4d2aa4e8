#pragma once
// The one way a window gets its interface texts: a table of rows keyed by the controls'
// objectNames, each row with its Polish and its English text, written over the controls in
// one of the two languages.
#include <QString>

#include <vector>

class QObject;

namespace vornix::gui {

enum class TextRole {
    Menu,          // QMenu title
    Action,        // QAction text (menu item)
    Label,         // QLabel text
    Button,        // QAbstractButton text (push button, check box, radio button)
    Group,         // QGroupBox title
    Header,        // list column header; index in `column`
    ToolTip,       // a widget's tip
    PromptText,    // not a control: a text the window reads with textOf
    PromptCaption, // likewise
};

struct TextRow {
    const char* control; // objectName, or "" for the rows read with textOf
    TextRole role;
    const char* polish;  // UTF-8
    const char* english; // UTF-8
    int column = -1;
};

// Writes every row's text in the language over the control of that name under root (root
// itself included); rows whose control is missing are passed over.
void applyTexts(QObject* root, const std::vector<TextRow>& rows, bool english);
// The text of the first row with this role.
QString textOf(const std::vector<TextRow>& rows, TextRole role, bool english);

} // namespace vornix::gui
