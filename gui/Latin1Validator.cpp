#include "gui/Latin1Validator.h"

#include <QLineEdit>

#include <algorithm>

namespace vornix {

namespace {

// Letters without a decomposition into a base letter and a mark.
QString specialLetter(char16_t u) {
    switch (u) {
    case 0x00DF: // sharp s
    case 0x1E9E: return QStringLiteral("SS");
    case 0x00C6:
    case 0x00E6: return QStringLiteral("AE");
    case 0x0152:
    case 0x0153: return QStringLiteral("OE");
    case 0x00DE:
    case 0x00FE: return QStringLiteral("TH");
    case 0x00D0:
    case 0x00F0:
    case 0x0110:
    case 0x0111: return QStringLiteral("D");
    case 0x00D8:
    case 0x00F8: return QStringLiteral("O");
    case 0x0141:
    case 0x0142: return QStringLiteral("L");
    case 0x0126:
    case 0x0127: return QStringLiteral("H");
    case 0x0166:
    case 0x0167: return QStringLiteral("T");
    case 0x0131: return QStringLiteral("I");
    case 0x0138: return QStringLiteral("K");
    case 0x014A:
    case 0x014B: return QStringLiteral("N");
    }
    return {};
}

QChar capital(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') ? QChar(static_cast<char16_t>(u - 0x20)) : c;
}

} // namespace

QString Latin1Validator::storable(QChar c) {
    const char16_t u = c.unicode();
    // Bytes that read back as they were written: ASCII and the shifted space and signs up
    // to 0xBF. From 0xC1 on, a byte is read back 0x80 lower, as another character.
    if (u < 0x80 || (u >= 0xA0 && u <= 0xBF))
        return QString(c);
    if (u < 0xA0)
        return {}; // control codes
    const QString special = specialLetter(u);
    if (!special.isEmpty())
        return special;
    // A letter with marks becomes its base capital (ż Z, é E); signs that decompose into
    // plain text keep that text (the ligature fi, the ellipsis). Anything else is dropped.
    QString out;
    for (const QChar d : QString(c).normalized(QString::NormalizationForm_KD))
        if (d.unicode() >= 0x20 && d.unicode() < 0x7F)
            out += d.isLetter() ? capital(d) : d;
    return out;
}

Latin1Validator::Latin1Validator(QLineEdit* edit, bool capitals)
    : QValidator(edit), capitals_(capitals), shown_(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
}

QValidator::State Latin1Validator::validate(QString& input, int& pos) const {
    if (verbatim_)
        return Acceptable;
    const auto [head, end] = insertedRange(shown_, input, pos);
    QString inserted;
    for (qsizetype i = head; i < end; ++i) {
        const QChar c = input.at(i);
        inserted += capitals_ ? capital(c) : c;
    }
    QString stored;
    for (const QChar c : inserted)
        stored += storable(c);
    if (stored != QStringView(input).mid(head, end - head)) {
        input.replace(head, end - head, stored);
        if (pos >= end)
            pos += int(stored.size() - (end - head));
        else if (pos > head)
            pos = int(std::min(qsizetype(pos), head + stored.size()));
    }
    return Acceptable;
}

std::pair<qsizetype, qsizetype> Latin1Validator::insertedRange(const QString& shown, const QString& input,
                                                               int pos) {
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
    return {head, n - tail};
}

} // namespace vornix
