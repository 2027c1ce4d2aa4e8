#pragma once
// Names, labels and the files behind them are single-byte text read back by the tape's own
// rule, which lowers every byte from 0xC1 on. What the user types or pastes is therefore
// made storable: a letter with marks becomes its base capital (ż Z, ł L, ß SS), and what has
// no byte that reads back as itself is dropped. With capitals on, typed letters become
// capitals. Text already in the box (a loaded label) stays as it is.
#include <QString>
#include <QValidator>

#include <utility>

class QLineEdit;

namespace vornix {

class Latin1Validator : public QValidator {
  public:
    Latin1Validator(QLineEdit* edit, bool capitals);
    // While set, text is taken as given: the window is showing what the document holds.
    void setVerbatim(bool verbatim) { verbatim_ = verbatim; }

    State validate(QString& input, int& pos) const override;

    // What c is stored as: itself, its base capital letter or letters, or nothing.
    static QString storable(QChar c);
    // input is shown after an edit of shown that left the cursor at pos: the range
    // [first, second) of input is what the edit put in, the rest was there before.
    static std::pair<qsizetype, qsizetype> insertedRange(const QString& shown, const QString& input, int pos);

  private:
    bool capitals_;
    bool verbatim_ = false;
    QString shown_;
};

} // namespace vornix
