#include "app/TapeCommands.h"

#include "app/MainWindow.h"
#include "app/TapeImportDialog.h"
#include "gui/LocalPath.h"
#include "tape/TapPulses.h"
#include "tape/TapeWriter.h"
#include "tape/WavReader.h"
#include "tape/tool/TapeOutputs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>

namespace vornix {

namespace tape = vornix::tape;

namespace {

QString latin1(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

// Decoding a long recording takes a while: the wait cursor shows it.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TapeCommands::TapeCommands(MainWindow* window) : QObject(window), win_(window) {
    setObjectName(QStringLiteral("TapeCommands"));
    exportAction_ = new QAction(win_->fileMenu_);
    exportAction_->setObjectName(QStringLiteral("EksportdoTAP1"));
    win_->fileMenu_->insertAction(win_->exitAction_, exportAction_);
    importAction_ = new QAction(win_->editMenu_);
    importAction_->setObjectName(QStringLiteral("ImportztasmyTAPWAV1"));
    win_->editMenu_->insertAction(win_->deleteAction_, importAction_);
    connect(exportAction_, &QAction::triggered, this, &TapeCommands::exportToTap);
    connect(importAction_, &QAction::triggered, this, &TapeCommands::importTape);
    for (auto [item, twin] :
         {std::pair{exportAction_, win_->extractAllAction_}, std::pair{importAction_, win_->addAction_}}) {
        item->setEnabled(twin->isEnabled());
        connect(twin, &QAction::enabledChanged, item, &QAction::setEnabled);
    }
    importDialog_.filters = {{QStringLiteral("Tapes (TAP, WAV)"), QStringLiteral("*.TAP *.WAV")},
                             {QStringLiteral("All files"), QStringLiteral("*.*")}};
    exportDialog_.filters = {{QStringLiteral("C64 TAPe RAW (*.TAP)"), QStringLiteral("*.TAP")}};
    exportDialog_.defaultSuffix = QStringLiteral("TAP");
    exportDialog_.confirmOverwrite = true;
}

QString TapeCommands::text(const char* polish, const char* english) const {
    return QString::fromUtf8(win_->english() ? english : polish);
}

void TapeCommands::tell(const QString& message, MsgIcon icon) {
    win_->ctx_.dialogs->message(win_, QStringLiteral("Vornix"), message, MsgButtons::Ok, icon);
}

bool TapeCommands::isTape(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(12);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(head.constData());
    return tape::isTapSignature(bytes, std::size_t(head.size())) ||
           tape::isWavSignature(bytes, std::size_t(head.size()));
}

bool TapeCommands::analyse(const QString& path, tape::TapeAnalysis& analysis) {
    {
        WaitCursor wait;
        analysis = tape::analyseTape(toLocalPath(path));
    }
    if (analysis.failure == tape::TapeFailure::None)
        return true;
    const QString name = QDir::toNativeSeparators(path);
    switch (analysis.failure) {
    case tape::TapeFailure::NoFiles:
        tell(text("Na taśmie %1 nie znaleziono programów.", "No programs were found on the tape %1.")
                 .arg(name),
             MsgIcon::Warning);
        break;
    case tape::TapeFailure::CannotRead:
        tell(text("Nie można odczytać pliku %1:\n%2.", "Cannot read the file %1:\n%2.")
                 .arg(name, QString::fromStdString(analysis.detail)));
        break;
    default:
        tell(text("Plik %1 nie jest taśmą TAP ani nagraniem WAV, które program umie odczytać.\n%2",
                  "The file %1 is not a TAP tape nor a WAV recording this program reads.\n%2")
                 .arg(name, QString::fromStdString(tape::failureMessage(analysis))));
    }
    return false;
}

void TapeCommands::importTape() {
    if (!win_->imageOpen() || win_->refuseWhileBusy())
        return;
    importDialog_.title = text("Import z taśmy", "Import tape");
    const QStringList paths = win_->ctx_.dialogs->openFiles(win_, importDialog_, false);
    if (paths.isEmpty() || paths.first().isEmpty())
        return;
    auto analysis = std::make_shared<tape::TapeAnalysis>();
    if (!analyse(paths.first(), *analysis))
        return;
    QList<TapeFileChoice> choices;
    for (const tape::FoundFile& f : analysis->files) {
        QString damage;
        if (tape::isDamaged(f))
            damage = QString::fromLatin1(tape::stateName(f.state)) +
                     (f.detail.empty() ? QString() : QStringLiteral(": ") + QString::fromStdString(f.detail));
        choices.append({latin1(f.name), int(f.data.size()), f.load, damage});
    }
    auto* dialog = new TapeImportDialog(win_, QFileInfo(paths.first()).fileName(), choices, win_->english());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog, analysis] { addChosen(dialog->chosen(), analysis->files); });
    dialog->open();
}

void TapeCommands::addChosen(const QList<int>& chosen, const std::vector<tape::FoundFile>& files) {
    if (chosen.isEmpty() || win_->refuseWhileBusy())
        return;
    TapeDocument& doc = win_->doc_;
    QStringList refused;
    win_->edit([&] {
        for (int i : chosen) {
            const tape::FoundFile& f = files[std::size_t(i)];
            const AddResult result = doc.addProgram(f.name, f.name.substr(0, kNameSize), tape::prgBytes(f));
            if (!result.added)
                refused << latin1(f.name);
        }
        doc.setModified(true);
        return std::optional<Selection>(Selection{});
    });
    win_->redisplay();
    // The programs are already read: only a full image is left to refuse them.
    for (const QString& name : refused)
        tell(messageText(Msg::ImageFull, win_->english()).arg(name));
    if (const qsizetype added = chosen.size() - refused.size(); added > 0)
        win_->showStatus(text("Dodano %1 z taśmy", "Added %1 from the tape")
                             .arg(programCount(int(added), win_->english())));
}

bool TapeCommands::startWithTape(const QString& path) {
    if (!isTape(path))
        return false;
    win_->newImage();
    tape::TapeAnalysis analysis;
    if (!analyse(path, analysis))
        return true;
    win_->doc_.setLabel(tape::labelFor(toLocalPath(path)));
    win_->showLabel();
    QList<int> sound;
    QStringList damaged;
    for (std::size_t i = 0; i < analysis.files.size(); ++i) {
        if (tape::isDamaged(analysis.files[i]))
            damaged << QStringLiteral("%1 (%2)").arg(
                latin1(analysis.files[i].name),
                QString::fromLatin1(tape::stateName(analysis.files[i].state)));
        else
            sound << int(i);
    }
    addChosen(sound, analysis.files);
    if (!damaged.isEmpty())
        tell(text("Uszkodzone programy z taśmy %1 nie zostały dodane:\n%2\n"
                  "Można je wybrać z menu Edycja, Import z taśmy.",
                  "The damaged programs of the tape %1 were not added:\n%2\n"
                  "Edit, Import tape shows them.")
                 .arg(QDir::toNativeSeparators(path), damaged.join(QLatin1Char('\n'))),
             MsgIcon::Warning);
    return true;
}

void TapeCommands::exportToTap() {
    if (!win_->imageOpen())
        return;
    const std::vector<Entry>& entries = win_->doc_.entries();
    const Selection chosen = win_->exportSelection();
    if (chosen.empty())
        return;
    // Refused before the save dialog: a tape that cannot hold them is not worth a path.
    std::vector<tape::ProgramToEncode> programs;
    for (int p : chosen) {
        const Entry& e = entries[std::size_t(p)];
        tape::ProgramToEncode prg;
        prg.name = e.name.substr(0, kNameSize);
        prg.load = std::uint16_t(e.load[0] | e.load[1] << 8);
        prg.data.assign(e.data.begin(), e.data.end());
        if (!tape::fitsInMemory(prg)) {
            tell(text("Program %1 sięga poza koniec pamięci ($FFFF): taśma go nie pomieści.\n"
                      "Nic nie zostało zapisane.",
                      "The program %1 would load past the top of memory ($FFFF): a tape cannot hold it.\n"
                      "Nothing was written.")
                     .arg(latin1(e.name).trimmed()));
            return;
        }
        programs.push_back(std::move(prg));
    }
    exportDialog_.title = text("Eksport do TAP", "Export to TAP");
    const QString path = win_->ctx_.dialogs->saveFile(win_, exportDialog_);
    if (path.isEmpty())
        return;
    tape::TapeWriteResult r;
    {
        WaitCursor wait;
        r = tape::encodeRomTap(programs, toLocalPath(path));
    }
    if (r.failure != tape::TapeWriteFailure::None) {
        tell(text("Nie można zapisać pliku %1:\n%2.\nPlik nie został zmieniony.",
                  "Unable to save the file %1:\n%2.\nThe file was left as it was.")
                 .arg(QDir::toNativeSeparators(path), QString::fromStdString(r.detail)));
        return;
    }
    win_->showStatus(
        text("Zapisano %1 na taśmie %2", "Wrote %1 to the tape %2")
            .arg(programCount(int(programs.size()), win_->english()), QDir::toNativeSeparators(path)));
}

} // namespace vornix
