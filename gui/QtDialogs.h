#pragma once
#include "gui/Dialogs.h"

namespace vornix {

// The real dialogs: QMessageBox and QFileDialog.
class QtDialogs final : public Dialogs {
  public:
    MsgAnswer message(QWidget* parent, const QString& caption, const QString& text, MsgButtons buttons,
                      MsgIcon icon) override;
    QStringList openFiles(QWidget* parent, const FileDialogSetup& setup, bool multiple) override;
    QString saveFile(QWidget* parent, const FileDialogSetup& setup) override;
    QString folder(QWidget* parent, const QString& title, const QString& start) override;

    // "T64 files (*.t64 *.T64);;All files (*)": each pattern once, in both cases, since Linux
    // names are case-sensitive; patterns written into a description are not repeated.
    static QString qtFilter(const FileDialogSetup& setup);
};

} // namespace vornix
