#pragma once
// The one seam for every modal message box and file or folder dialog. Windows receive it
// injected; the editor uses QtDialogs, the tests a scripted implementation.
#include <QString>
#include <QStringList>

class QWidget;

namespace vornix {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };
enum class MsgIcon { None, Information, Warning, Error, Question };

struct FileDialogSetup {
    QString title;
    // Filters as the window design lists them: pairs of (description, patterns), e.g.
    // {"T64 files", "*.T64"}, {"All files", "*.*"}. Patterns are matched without case.
    QList<QPair<QString, QString>> filters;
    int selectedFilter = 0;       // index into filters
    QString defaultSuffix;        // without dot, e.g. "T64"; empty for none
    QString fileName;             // preset file name or path
    QString directory;            // starting folder, may be empty
    bool confirmOverwrite = true; // save dialogs only
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Escape and the close box answer a Yes/No question No, and a Yes/No/Cancel question
    // Cancel.
    virtual MsgAnswer message(QWidget* parent, const QString& caption, const QString& text,
                              MsgButtons buttons, MsgIcon icon) = 0;
    // Open dialog; returns the chosen paths in the dialog's order, empty when cancelled.
    virtual QStringList openFiles(QWidget* parent, const FileDialogSetup& setup, bool multiple) = 0;
    // Save dialog; returns the chosen path, empty when cancelled.
    virtual QString saveFile(QWidget* parent, const FileDialogSetup& setup) = 0;
    // Folder browser with an edit box; returns the folder, empty when cancelled.
    virtual QString folder(QWidget* parent, const QString& title, const QString& start) = 0;
};

} // namespace vornix
