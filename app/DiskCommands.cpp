#include "app/DiskCommands.h"

#include "app/DiskImportDialog.h"
#include "app/MainWindow.h"
#include "app/ResultTexts.h"
#include "core/D64Image.h"
#include "gui/LocalPath.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <memory>

namespace vornix {

namespace {

QString latin1(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

QString trimmedName(const std::string& tapeName) { return latin1(tapeName).trimmed(); }

// The disk beside the image, named after it: games.t64 gives games.d64, GAMES.T64 GAMES.D64.
QString diskNameFor(const QString& imagePath) {
    if (imagePath.isEmpty())
        return {};
    const QFileInfo image(imagePath);
    const QString suffix = image.suffix();
    const bool upper = !suffix.isEmpty() && suffix == suffix.toUpper() && suffix != suffix.toLower();
    return image.dir().filePath(image.completeBaseName() +
                                (upper ? QStringLiteral(".D64") : QStringLiteral(".d64")));
}

} // namespace

struct DiskCommands::Program {
    std::string name; // as on disk, fill trimmed
    vornix::Bytes prg;
};

DiskCommands::DiskCommands(MainWindow* window) : QObject(window), win_(window) {
    setObjectName(QStringLiteral("DiskCommands"));
    exportD64Action_ = new QAction(win_->fileMenu_);
    exportD64Action_->setObjectName(QStringLiteral("EksportdoD641"));
    win_->fileMenu_->insertAction(win_->exitAction_, exportD64Action_);
    addD64Action_ = new QAction(win_->editMenu_);
    addD64Action_->setObjectName(QStringLiteral("DodajzD641"));
    win_->editMenu_->insertAction(win_->deleteAction_, addD64Action_);
    connect(exportD64Action_, &QAction::triggered, this, &DiskCommands::exportToDisk);
    connect(addD64Action_, &QAction::triggered, this, &DiskCommands::addFromDisk);
    for (auto [item, twin] :
         {std::pair{exportD64Action_, win_->extractAllAction_}, std::pair{addD64Action_, win_->addAction_}}) {
        item->setEnabled(twin->isEnabled());
        connect(twin, &QAction::enabledChanged, item, &QAction::setEnabled);
    }

    const QList<QPair<QString, QString>> filters{{QStringLiteral("D64 files"), QStringLiteral("*.D64")},
                                                 {QStringLiteral("All files"), QStringLiteral("*.*")}};
    exportDialog_.filters = {filters.first()};
    exportDialog_.defaultSuffix = QStringLiteral("D64");
    addDialog_.filters = filters;
    addDialog_.defaultSuffix = QStringLiteral("D64");
}

void DiskCommands::tell(const QString& text) {
    win_->ctx_.dialogs->message(win_, QStringLiteral("Vornix"), text, MsgButtons::Ok, MsgIcon::Error);
}

void DiskCommands::exportToDisk() {
    if (!win_->imageOpen())
        return;
    const bool en = win_->english();
    const std::vector<vornix::Entry>& entries = win_->doc_.entries();
    const vornix::Selection chosen = win_->exportSelection();

    // Refused before the save dialog: a disk that cannot hold them is not worth a path.
    std::vector<vornix::DiskProgram> programs;
    for (int p : chosen)
        programs.push_back(vornix::diskProgramOf(entries[p]));
    if (const vornix::DiskWriteResult fit = vornix::checkDiskFit(programs);
        fit.refusal != vornix::DiskWriteRefusal::None) {
        const QString name = trimmedName(programs[fit.program].name);
        if (fit.refusal == vornix::DiskWriteRefusal::TooManyFiles)
            tell(messageText(Msg::DiskTooManyFiles, en).arg(name));
        else
            tell(messageText(Msg::DiskDoesNotFit, en).arg(name).arg(fit.blocksNeeded).arg(fit.blocksLeft));
        return;
    }

    exportDialog_.title = messageText(Msg::DiskExportTitle, en);
    exportDialog_.fileName = diskNameFor(win_->imagePath_);
    const QString path = win_->ctx_.dialogs->saveFile(win_, exportDialog_);
    if (path.isEmpty())
        return;
    if (!vornix::writeDisk(toLocalPath(path), win_->doc_.label(), programs).written) {
        tell(messageText(Msg::DiskWriteFailed, en).arg(QDir::toNativeSeparators(path)));
        return;
    }
    win_->showStatus(messageText(Msg::StatusDiskExported, en)
                         .arg(programCount(int(programs.size()), en), QDir::toNativeSeparators(path)));
}

void DiskCommands::addFromDisk() {
    if (!win_->imageOpen() || win_->refuseWhileBusy())
        return;
    const bool en = win_->english();
    addDialog_.title = messageText(Msg::DiskAddTitle, en);
    const QStringList paths = win_->ctx_.dialogs->openFiles(win_, addDialog_, false);
    if (paths.isEmpty())
        return;
    const QString path = paths.first();
    vornix::DiskImage disk;
    if (!disk.load(toLocalPath(path)).opened) {
        tell(messageText(Msg::DiskUnreadable, en).arg(QDir::toNativeSeparators(path)));
        return;
    }

    // Files are read now, so that the dialog can show which ones are damaged.
    const gui::Language language = en ? gui::Language::English : gui::Language::Polish;
    auto programs = std::make_shared<std::vector<Program>>();
    QList<DiskFileChoice> choices;
    for (const vornix::DiskEntry& e : disk.entries()) {
        if (!e.isProgram())
            continue;
        // Named as the tape's reading gives the name back.
        Program p{vornix::tapeNameOf(e.name), {}};
        const vornix::FileReading reading = disk.readFile(e, p.prg);
        choices.append({latin1(p.name), e.blocks, ResultTexts::unreadableFile(reading, language),
                        vornix::neverClosed(e), ResultTexts::badBlocks(reading, language)});
        programs->push_back(std::move(p));
    }
    if (programs->empty()) {
        tell(messageText(Msg::DiskNoPrograms, en).arg(QDir::toNativeSeparators(path)));
        return;
    }
    auto* dialog = new DiskImportDialog(win_, latin1(vornix::trimDiskName(disk.diskName())), choices, en);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog, programs, path] { addChosen(dialog->chosen(), *programs, path); });
    dialog->open();
}

void DiskCommands::addChosen(const QList<int>& chosen, const std::vector<Program>& programs,
                             const QString& disk) {
    if (chosen.isEmpty() || win_->refuseWhileBusy())
        return;
    vornix::TapeDocument& doc = win_->doc_;
    QList<QPair<QString, vornix::AddRefusal>> refused;
    win_->edit([&] {
        for (int i : chosen) {
            const Program& p = programs[i];
            const vornix::AddResult result = doc.addProgram(p.name, p.name, p.prg);
            if (!result.added)
                refused.append({latin1(p.name), result.refusal});
        }
        doc.setModified(true);
        return std::optional<Selection>(Selection{});
    });
    win_->redisplay();
    if (const int added = int(chosen.size() - refused.size()); added > 0)
        win_->showStatus(messageText(Msg::StatusDiskAdded, win_->english())
                             .arg(programCount(added, win_->english()), QDir::toNativeSeparators(disk)));
    // The bytes are already read: only a full image or a program without a load address remain.
    for (const auto& [name, refusal] : refused)
        tell(messageText(refusal == vornix::AddRefusal::ImageFull ? Msg::ImageFull : Msg::PrgTooShort,
                         win_->english())
                 .arg(name));
}

} // namespace vornix
