#include "app/QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

QString QtDialogs::qtFilter(const FileDialogSetup& setup) {
    QStringList parts;
    for (const auto& [description, patterns] : setup.filters) {
        QStringList globs;
        for (const QString& p : patterns.split(';', Qt::SkipEmptyParts)) {
            const QString glob = p.trimmed();
            if (glob == "*.*" || glob == "*") {
                globs << "*";
                continue;
            }
            globs << glob.toUpper();
            if (glob.toLower() != glob.toUpper())
                globs << glob.toLower();
        }
        parts << QStringLiteral("%1 (%2)").arg(description.trimmed(), globs.join(' '));
    }
    return parts.join(";;");
}

MsgAnswer QtDialogs::message(QWidget* parent, const QString& caption, const QString& text, MsgButtons buttons,
                             MsgIcon icon) {
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    const int r = box.exec();
    if (r == QMessageBox::Yes)
        return MsgAnswer::Yes;
    if (r == QMessageBox::No)
        return MsgAnswer::No;
    if (r == QMessageBox::Cancel)
        return MsgAnswer::Cancel;
    // Closing a Yes/No box with Escape or the close box means the safe answer.
    if (buttons == MsgButtons::YesNoCancel)
        return MsgAnswer::Cancel;
    if (buttons == MsgButtons::YesNo)
        return MsgAnswer::No;
    return MsgAnswer::Ok;
}

static void prepare(QFileDialog& dlg, const FileDialogSetup& setup) {
    dlg.setWindowTitle(setup.title);
    const QString filter = QtDialogs::qtFilter(setup);
    dlg.setNameFilter(filter);
    const QStringList filters = filter.split(";;");
    if (setup.selectedFilter >= 0 && setup.selectedFilter < filters.size())
        dlg.selectNameFilter(filters.at(setup.selectedFilter));
    if (!setup.defaultSuffix.isEmpty())
        dlg.setDefaultSuffix(QString(setup.defaultSuffix).remove(QStringLiteral("*.")).remove('.'));
    if (!setup.directory.isEmpty())
        dlg.setDirectory(setup.directory);
    if (!setup.fileName.isEmpty())
        dlg.selectFile(setup.fileName);
}

QStringList QtDialogs::openFiles(QWidget* parent, const FileDialogSetup& setup, bool multiple) {
    QFileDialog dlg(parent);
    prepare(dlg, setup);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    if (dlg.exec() != QDialog::Accepted)
        return {};
    return dlg.selectedFiles();
}

QString QtDialogs::saveFile(QWidget* parent, const FileDialogSetup& setup) {
    QFileDialog dlg(parent);
    prepare(dlg, setup);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !setup.confirmOverwrite);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

QString QtDialogs::folder(QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
}
