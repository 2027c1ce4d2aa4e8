#pragma once
// Names, labels and the files behind them are single-byte text: a character outside
// Latin-1 could not be stored, so it cannot be typed. With capitals on, letters the user
// types or pastes become capitals; text already in the box (a loaded label) stays as it is.
#include <QString>
#include <QValidator>

class QLineEdit;

namespace vornix {

class Latin1Validator : public QValidator {
  public:
    Latin1Validator(QLineEdit* edit, bool capitals);
    // While set, text is taken as given: the window is showing what the document holds.
    void setVerbatim(bool verbatim) { verbatim_ = verbatim; }

    State validate(QString& input, int& pos) const override;

    // input is shown after an edit of shown that left the cursor at pos: the characters
    // the edit put in become capitals, the rest stays as it was.
    static void capitalizeInserted(const QString& shown, QString& input, int pos);

  private:
    bool capitals_;
    bool verbatim_ = false;
    QString shown_;
};

} // namespace vornix
