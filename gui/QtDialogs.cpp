#include "gui/QtDialogs.h"

#include "gui/WindowLanguage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace vornix {

namespace {

bool isGlob(const QString& word) { return word.startsWith(QLatin1Char('*')); }

// The description without the patterns some windows write into it themselves ("Cartridge
// images (*.CRT)", "Koala Paint *.KLA"): the dialog shows the real patterns after it.
QString bareDescription(const QString& description) {
    QString text = description.trimmed();
    for (;;) {
        if (text.endsWith(QLatin1Char(')'))) {
            const qsizetype open = text.lastIndexOf(QLatin1Char('('));
            if (open >= 0) {
                const QStringList words =
                    text.mid(open + 1, text.size() - open - 2)
                        .split(QRegularExpression(QStringLiteral("[\\s;,]+")), Qt::SkipEmptyParts);
                if (!words.isEmpty() && std::all_of(words.begin(), words.end(), isGlob)) {
                    text = text.left(open).trimmed();
                    continue;
                }
            }
        }
        const qsizetype space = text.lastIndexOf(QLatin1Char(' '));
        if (space > 0 && isGlob(text.mid(space + 1))) {
            text = text.left(space).trimmed();
            continue;
        }
        return text.isEmpty() ? description.trimmed() : text;
    }
}

} // namespace

QString QtDialogs::qtFilter(const FileDialogSetup& setup) {
    QStringList parts;
    for (const auto& [description, patterns] : setup.filters) {
        QStringList globs;
        auto add = [&globs](const QString& glob) {
            if (!globs.contains(glob))
                globs << glob;
        };
        for (const QString& p :
             patterns.split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts)) {
            if (p == QLatin1String("*.*") || p == QLatin1String("*")) {
                add(QStringLiteral("*"));
                continue;
            }
            // Both cases: Linux names are case-sensitive, and tapes come with either.
            add(p.toLower());
            add(p.toUpper());
        }
        parts << QStringLiteral("%1 (%2)").arg(bareDescription(description), globs.join(' '));
    }
    return parts.join(";;");
}

namespace {

// Hands the input focus back to the window that asked when a dialog closes. A window
// manager does this; without one (a bare X session, a kiosk) the keys would reach no window
// (Alt for the menus, shortcuts) until the user clicked one.
class FocusBack {
  public:
    explicit FocusBack(QWidget* parent) : window_(parent ? parent->window() : nullptr) {}
    ~FocusBack() {
        if (window_ && window_->isVisible() && !QApplication::activeModalWidget())
            window_->activateWindow();
    }
    FocusBack(const FocusBack&) = delete;
    FocusBack& operator=(const FocusBack&) = delete;

  private:
    QPointer<QWidget> window_;
};

// A file dialog is destroyed once the caller has acted on its answer, not before: its
// teardown (writing Qt's dialog settings with a disk sync, stopping its folder watcher)
// takes milliseconds that would otherwise come between the user's Return and a saved file.
template <typename Dialog> class LaterDeleted {
  public:
    explicit LaterDeleted(QWidget* parent) : dialog_(new Dialog(parent)) {}
    ~LaterDeleted() { dialog_->deleteLater(); }
    LaterDeleted(const LaterDeleted&) = delete;
    LaterDeleted& operator=(const LaterDeleted&) = delete;
    Dialog& operator*() const { return *dialog_; }

  private:
    Dialog* dialog_;
};

constexpr char kContext[] = "vornix::QtDialogs";

// The buttons in the language of the window that asks: Qt's own words would be English.
void wordButtons(QMessageBox& box, const QWidget* asking) {
    gui::followWindowLanguage(kContext, asking);
    static constexpr std::pair<QMessageBox::StandardButton, const char*> kWords[] = {
        {QMessageBox::Ok, QT_TRANSLATE_NOOP("vornix::QtDialogs", "OK")},
        {QMessageBox::Yes, QT_TRANSLATE_NOOP("vornix::QtDialogs", "&Yes")},
        {QMessageBox::No, QT_TRANSLATE_NOOP("vornix::QtDialogs", "&No")},
        {QMessageBox::Cancel, QT_TRANSLATE_NOOP("vornix::QtDialogs", "Cancel")},
    };
    for (const auto& [which, words] : kWords)
        if (QAbstractButton* button = box.button(which))
            button->setText(QCoreApplication::translate(kContext, words));
}

} // namespace

MsgAnswer QtDialogs::message(QWidget* parent, const QString& caption, const QString& text, MsgButtons buttons,
                             MsgIcon icon) {
    const FocusBack focusBack(parent);
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
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // Escape and the close button answer No, as in Qt's own Yes/No box.
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    wordButtons(box, parent);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked && clicked == box.button(QMessageBox::Yes))
        return MsgAnswer::Yes;
    if (clicked && clicked == box.button(QMessageBox::No))
        return MsgAnswer::No;
    // Escape or the close box on a box without No: Cancel, or OK for a box that only informs.
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
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
    const FocusBack focusBack(parent);
    LaterDeleted<QFileDialog> box(parent);
    QFileDialog& dlg = *box;
    prepare(dlg, setup);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    if (dlg.exec() != QDialog::Accepted)
        return {};
    return dlg.selectedFiles();
}

QString QtDialogs::saveFile(QWidget* parent, const FileDialogSetup& setup) {
    const FocusBack focusBack(parent);
    LaterDeleted<QFileDialog> box(parent);
    QFileDialog& dlg = *box;
    prepare(dlg, setup);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !setup.confirmOverwrite);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

QString QtDialogs::folder(QWidget* parent, const QString& title, const QString& start) {
    const FocusBack focusBack(parent);
    return QFileDialog::getExistingDirectory(parent, title, start);
}

} // namespace vornix
