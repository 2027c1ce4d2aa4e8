#include "app/DiskImportDialog.h"

#include <QStringList>

namespace vornix {

namespace {

QList<ProgramChoiceRow> rowsFor(const QList<DiskFileChoice>& files) {
    QList<ProgramChoiceRow> rows;
    for (const DiskFileChoice& f : files) {
        ProgramChoiceRow row;
        row.text = QStringLiteral("%1  %2").arg(f.blocks, -4).arg(f.name);
        QStringList tips;
        if (!f.damage.isEmpty()) {
            row.text += DiskImportDialog::tr("  (damaged)");
            tips << f.damage;
            row.kind = ProgramChoiceRow::Kind::Unavailable;
        } else if (f.notClosed) {
            row.text += DiskImportDialog::tr("  (not closed)");
            tips << DiskImportDialog::tr(
                "The file was never closed (*PRG): it may end early or hold rubbish. "
                "It is added only when chosen by itself.");
            row.kind = ProgramChoiceRow::Kind::PickedAlone;
        }
        if (!f.badBlocks.isEmpty())
            tips << f.badBlocks;
        row.tip = tips.join(QLatin1Char('\n'));
        rows << row;
    }
    return rows;
}

} // namespace

DiskImportDialog::DiskImportDialog(QWidget* parent, const QString& diskName,
                                   const QList<DiskFileChoice>& files)
    : ProgramChoiceDialog(parent,
                          {QStringLiteral("DiskImportDialog"), tr("Add from D64"),
                           tr("Programs on the disk \"%1\":").arg(diskName), tr("Cancel"), false,
                           QSize(360, 320)},
                          rowsFor(files)) {}

} // namespace vornix
