#include "app/TapeImportDialog.h"

namespace vornix {

namespace {

QList<ProgramChoiceRow> rowsFor(const QList<TapeFileChoice>& files, bool english) {
    QList<ProgramChoiceRow> rows;
    for (const TapeFileChoice& f : files) {
        ProgramChoiceRow row;
        row.text =
            QStringLiteral("%1  $%2  %3").arg(f.name, -16).arg(f.load, 4, 16, QLatin1Char('0')).arg(f.size);
        row.text += english ? QStringLiteral(" bytes") : QStringLiteral(" bajtów");
        if (!f.damage.isEmpty()) {
            row.text += QStringLiteral("  (%1)").arg(f.damage);
            row.tip = f.damage;
            row.kind = ProgramChoiceRow::Kind::Unavailable;
        }
        rows << row;
    }
    return rows;
}

} // namespace

TapeImportDialog::TapeImportDialog(QWidget* parent, const QString& tapeName,
                                   const QList<TapeFileChoice>& files, bool english)
    : ProgramChoiceDialog(parent,
                          {QStringLiteral("TapeImportDialog"),
                           english ? QStringLiteral("Import tape") : QStringLiteral("Import z taśmy"),
                           (english ? QStringLiteral("Programs on the tape \"%1\":")
                                    : QStringLiteral("Programy na taśmie \"%1\":"))
                               .arg(tapeName),
                           english ? QStringLiteral("Cancel") : QStringLiteral("Anuluj"), true,
                           QSize(440, 320)},
                          rowsFor(files, english)) {}

} // namespace vornix
