#pragma once
// The interface texts of the main window. The window is designed in Polish; English is a
// fixed table written over its controls, keyed by the control's objectName.
#include "core/PlatformFile.h"

#include <QString>

#include <vector>

enum class TextRole {
    Menu,          // QMenu title
    Action,        // QAction text (menu item)
    Label,         // QLabel text
    Header,        // list column header; index in `column`
    ToolTip,       // tool button tip
    PromptText,    // the save prompt's text
    PromptCaption, // the save prompt's caption
};

struct TextRow {
    const char* control; // objectName, or "" for the save prompt
    TextRole role;
    const char* polish;  // UTF-8
    const char* english; // UTF-8
    int column = -1;
};

const std::vector<TextRow>& mainWindowTexts();

// Messages of our own, in the interface language.
enum class Msg {
    PrgUnreadable,     // %1 file, %2 reason
    PrgTooShort,       // %1 file
    ImageFull,         // %1 file
    DirectoryRepaired, // %1 file
    EntriesFromDirectory, // %1 file
    SaveFailed,        // %1 file, %2 reason
    ExtractFailed,     // %1 file, %2 reason
    WorkingFolderFailed, // %1 folder
    OpenTitle,
    SaveTitle,
    AddTitle,
    ExtractTitle,
};

QString messageText(Msg id, bool english);
// Why a file operation failed: the system's own text, or our sentence in the interface language.
QString failureReason(const vornix::FileError& failure, bool english);
