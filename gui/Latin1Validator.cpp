#include "gui/Latin1Validator.h"

#include <QLineEdit>

#include <algorithm>

namespace vornix {

namespace {

// a-z and the Latin-1 small letters (not the division sign, not sharp s or y diaeresis,
// whose capitals are not single Latin-1 characters).
QChar capital(QChar c) {
    const char16_t u = c.unicode();
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return QChar(static_cast<char16_t>(u - 0x20));
    return c;
}

} // namespace

Latin1Validator::Latin1Validator(QLineEdit* edit, bool capitals)
    : QValidator(edit), capitals_(capitals), shown_(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
}

QValidator::State Latin1Validator::validate(QString& input, int& pos) const {
    for (const QChar c : input)
        if (c.unicode() > 0xFF)
            return Invalid;
    if (capitals_ && !verbatim_)
        capitalizeInserted(shown_, input, pos);
    return Acceptable;
}

void Latin1Validator::capitalizeInserted(const QString& shown, QString& input, int pos) {
    // An insertion ends at the cursor, and what follows the cursor was there before; when
    // that does not hold, the longest common ending is taken as unchanged.
    const qsizetype n = input.size();
    const qsizetype cursor = std::clamp<qsizetype>(pos, 0, n);
    qsizetype tail = n - cursor;
    if (tail > shown.size() || QStringView(input).mid(cursor) != QStringView(shown).right(tail)) {
        tail = 0;
        while (tail < n && tail < shown.size() && input.at(n - 1 - tail) == shown.at(shown.size() - 1 - tail))
            ++tail;
    }
    qsizetype head = 0;
    while (head < n - tail && head < shown.size() - tail && input.at(head) == shown.at(head))
        ++head;
    for (qsizetype i = head; i < n - tail; ++i)
        input[i] = capital(input.at(i));
}

} // namespace vornix
