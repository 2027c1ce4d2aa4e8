#pragma once
// The small dialog of "Import tape": the programs found on a tape, several of which may be
// chosen. Damaged ones are listed, greyed, with the reason, and cannot be chosen.
#include "app/ProgramChoiceDialog.h"

#include <QList>
#include <QString>

namespace vornix {

struct TapeFileChoice {
    QString name; // as on tape
    int size = 0; // data bytes
    int load = 0;
    QString damage; // the state and why, for a damaged program; empty when sound
};

class TapeImportDialog : public ProgramChoiceDialog {
    Q_OBJECT
  public:
    TapeImportDialog(QWidget* parent, const QString& tapeName, const QList<TapeFileChoice>& files);
};

} // namespace vornix
