#include "app/TapeImportDialog.h"

namespace vornix {

namespace {

QList<ProgramChoiceRow> rowsFor(const QList<TapeFileChoice>& files) {
    QList<ProgramChoiceRow> rows;
    for (const TapeFileChoice& f : files) {
        ProgramChoiceRow row;
        row.text =
            QStringLiteral("%1  $%2  %3").arg(f.name, -16).arg(f.load, 4, 16, QLatin1Char('0')).arg(f.size);
        row.text += TapeImportDialog::tr(" bytes");
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
                                   const QList<TapeFileChoice>& files)
    : ProgramChoiceDialog(parent,
                          {QStringLiteral("TapeImportDialog"), tr("Import tape"),
                           tr("Programs on the tape \"%1\":").arg(tapeName), tr("Cancel"), true,
                           QSize(440, 320)},
                          rowsFor(files)) {}

} // namespace vornix
