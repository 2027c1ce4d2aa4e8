#pragma once
// The small dialog of "Import tape": the programs found on a tape with their loader, several
// of which may be chosen. Damaged ones are listed, greyed, with the reason, and cannot be
// chosen. The blocks of a program stored as many blocks are listed under a line naming it.
#include "app/ProgramChoiceDialog.h"

#include <QList>
#include <QString>

namespace vornix {

struct TapeFileChoice {
    QString name; // as on tape
    int size = 0; // data bytes
    int load = 0;
    QString damage; // the state and why, for a damaged program; empty when sound
    QString loader; // the name users see
    QString note;   // the state and detail of a program that is not damaged, when worth telling
    // For a block of a program stored as many blocks: the program it belongs to, shown over
    // its blocks; empty for a whole file.
    QString program;
};

class TapeImportDialog : public ProgramChoiceDialog {
    Q_OBJECT
  public:
    TapeImportDialog(QWidget* parent, const QString& tapeName, const QList<TapeFileChoice>& files);
};

} // namespace vornix
