#pragma once
// The small dialog that lists programs found in a file (a disk, a tape) for the user to choose
// from. Unreadable ones are listed but cannot be chosen; doubtful ones are greyed with the
// reason and taken only when picked themselves (selecting all leaves them out).
#include <QDialog>
#include <QList>
#include <QSize>
#include <QString>

class QListWidget;
class QPushButton;

namespace vornix {

struct ProgramChoiceRow {
    // Heading: a line over the rows that follow (the blocks of one program), never chosen
    // and not counted in chosen().
    enum class Kind { Sound, Unavailable, PickedAlone, Heading };
    QString text;
    QString tip; // why it is unavailable or doubtful, or anything else worth a tooltip
    Kind kind = Kind::Sound;
};

struct ProgramChoiceSetup {
    QString objectName;
    QString title;
    QString caption;
    QString cancelText;
    bool soundChosenAtStart = false; // taking every sound program is then one click
    QSize size;
};

class ProgramChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    ProgramChoiceDialog(QWidget* parent, const ProgramChoiceSetup& setup,
                        const QList<ProgramChoiceRow>& rows);
    // Positions of the chosen programs among the rows that are no headings, ascending.
    QList<int> chosen() const;

  private:
    QListWidget* list_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace vornix
