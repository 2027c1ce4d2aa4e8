#include "app/TapeImportDialog.h"

namespace vornix {

namespace {

QList<ProgramChoiceRow> rowsFor(const QList<TapeFileChoice>& files) {
    QList<ProgramChoiceRow> rows;
    QString program;
    for (const TapeFileChoice& f : files) {
        if (!f.program.isEmpty() && f.program != program)
            rows << ProgramChoiceRow{
                QStringLiteral("%1  %2").arg(f.program, f.loader), {}, ProgramChoiceRow::Kind::Heading};
        program = f.program;
        ProgramChoiceRow row;
        // A block is indented under its program; the name column keeps its width.
        const QString name = program.isEmpty() ? f.name : QStringLiteral("  ") + f.name;
        row.text = QStringLiteral("%1  %2  $%3  %4")
                       .arg(name, -18)
                       .arg(f.loader, -14)
                       .arg(QString::number(f.load, 16).toUpper().rightJustified(4, QLatin1Char('0')))
                       .arg(f.size);
        row.text += TapeImportDialog::tr(" bytes");
        if (!f.note.isEmpty()) {
            row.text += QStringLiteral("  (%1)").arg(f.note);
            row.tip = f.note;
        }
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
                           QSize(560, 360)},
                          rowsFor(files)) {}

} // namespace vornix
