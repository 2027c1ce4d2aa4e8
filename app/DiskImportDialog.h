#pragma once
// The small dialog of "Add from D64": the PRG files of one disk image, several of which may
// be chosen. Damaged files are listed but cannot be chosen; a file never closed is greyed with
// the reason and taken only when picked itself (selecting all leaves it out).
#include "app/ProgramChoiceDialog.h"

#include <QList>
#include <QString>

namespace vornix {

struct DiskFileChoice {
    QString name; // as on disk, trailing shifted spaces trimmed
    int blocks = 0;
    QString damage;         // why the file cannot be read; empty when it can
    bool notClosed = false; // the writer never closed it (*PRG): it may end early
    QString badBlocks;      // the blocks the disk's error table marks bad; empty when none
};

class DiskImportDialog : public ProgramChoiceDialog {
    Q_OBJECT
  public:
    DiskImportDialog(QWidget* parent, const QString& diskName, const QList<DiskFileChoice>& files);
};

} // namespace vornix
