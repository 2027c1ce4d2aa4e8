#include "app/DiskImportDialog.h"

#include "app/Texts.h"

#include <QStringList>

namespace vornix {

namespace {

QString notClosedText(bool english) {
    return english ? QStringLiteral("  (not closed)") : QStringLiteral("  (niezamknięty)");
}

QString notClosedReason(bool english) {
    return english ? QStringLiteral("The file was never closed (*PRG): it may end early or hold rubbish. "
                                    "It is added only when chosen by itself.")
                   : QStringLiteral("Plik nie został zamknięty (*PRG): może być urwany lub zawierać śmieci. "
                                    "Zostanie dodany tylko wtedy, gdy wybierzesz go osobno.");
}

QList<ProgramChoiceRow> rowsFor(const QList<DiskFileChoice>& files, bool english) {
    QList<ProgramChoiceRow> rows;
    for (const DiskFileChoice& f : files) {
        ProgramChoiceRow row;
        row.text = QStringLiteral("%1  %2").arg(f.blocks, -4).arg(f.name);
        QStringList tips;
        if (!f.damage.isEmpty()) {
            row.text += messageText(Msg::DiskFileDamagedMark, english);
            tips << f.damage;
            row.kind = ProgramChoiceRow::Kind::Unavailable;
        } else if (f.notClosed) {
            row.text += notClosedText(english);
            tips << notClosedReason(english);
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
                                   const QList<DiskFileChoice>& files, bool english)
    : ProgramChoiceDialog(parent,
                          {QStringLiteral("DiskImportDialog"), messageText(Msg::DiskAddTitle, english),
                           messageText(Msg::DiskProgramsOf, english).arg(diskName),
                           messageText(Msg::DiskCancel, english), false, QSize(360, 320)},
                          rowsFor(files, english)) {}

} // namespace vornix
