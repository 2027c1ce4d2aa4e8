#pragma once
// The box that renames an entry in place: laid over the name column of its row, Enter keeps
// the new name, Escape drops it. Parked outside the client area while not in use.
#include <QLineEdit>

namespace vornix {

class Latin1Validator;

class RenameBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit RenameBox(QWidget* parent);
    // Shows the box at geometry with the name, its trailing padding dropped, all selected.
    void begin(const QRect& geometry, QString name);
    // Empties, hides and parks the box.
    void park();

  signals:
    void committed();
    void cancelled();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Latin1Validator* validator_ = nullptr;
};

} // namespace vornix
