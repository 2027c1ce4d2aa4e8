#include "app/DiskCommands.h"

#include "app/DiskImportDialog.h"
#include "app/DocumentCommandHost.h"
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

DiskCommands::DiskCommands(DocumentCommandHost& host, QObject* parent) : QObject(parent), host_(host) {
    setObjectName(QStringLiteral("DiskCommands"));
    exportD64Action_ = new QAction(this);
    exportD64Action_->setObjectName(QStringLiteral("EksportdoD641"));
    host_.addFileMenuItem(exportD64Action_);
    addD64Action_ = new QAction(this);
    addD64Action_->setObjectName(QStringLiteral("DodajzD641"));
    host_.addEditMenuItem(addD64Action_);
    connect(exportD64Action_, &QAction::triggered, this, &DiskCommands::exportToDisk);
    connect(addD64Action_, &QAction::triggered, this, &DiskCommands::addFromDisk);
    exportDialog_.defaultSuffix = QStringLiteral("D64");
    addDialog_.defaultSuffix = QStringLiteral("D64");
}

void DiskCommands::retranslate() {
    exportD64Action_->setText(tr("&Export to D64..."));
    addD64Action_->setText(tr("Add from &D64..."));
    const QList<QPair<QString, QString>> filters{{tr("D64 files"), QStringLiteral("*.D64")},
                                                 {tr("All files"), QStringLiteral("*.*")}};
    exportDialog_.filters = {filters.first()};
    addDialog_.filters = filters;
}

void DiskCommands::tell(const QString& text) {
    host_.dialogs().message(host_.hostWindow(), QStringLiteral("Vornix"), text, MsgButtons::Ok,
                            MsgIcon::Error);
}

void DiskCommands::exportToDisk() {
    if (!host_.imageOpen())
        return;
    const std::vector<vornix::Entry>& entries = host_.document().entries();
    const vornix::Selection chosen = host_.exportSelection();

    // Refused before the save dialog: a disk that cannot hold them is not worth a path.
    std::vector<vornix::DiskProgram> programs;
    for (int p : chosen)
        programs.push_back(vornix::diskProgramOf(entries[p]));
    if (const vornix::DiskWriteResult fit = vornix::checkDiskFit(programs);
        fit.refusal != vornix::DiskWriteRefusal::None) {
        const QString name = trimmedName(programs[fit.program].name);
        if (fit.refusal == vornix::DiskWriteRefusal::TooManyFiles)
            tell(tr("The program %1 does not fit on the disk: its directory holds at most 144 files.\n"
                    "Nothing was written.")
                     .arg(name));
        else
            tell(tr("The program %1 does not fit on the disk: it needs %2 blocks, %3 are left.\n"
                    "Nothing was written.")
                     .arg(name)
                     .arg(fit.blocksNeeded)
                     .arg(fit.blocksLeft));
        return;
    }

    exportDialog_.title = tr("Export to D64");
    exportDialog_.fileName = diskNameFor(host_.imagePath());
    const QString path = host_.dialogs().saveFile(host_.hostWindow(), exportDialog_);
    if (path.isEmpty())
        return;
    if (!vornix::writeDisk(toLocalPath(path), host_.document().label(), programs).written) {
        tell(tr("Unable to save the file %1.\nThe file was left as it was.")
                 .arg(QDir::toNativeSeparators(path)));
        return;
    }
    host_.showStatus(
        tr("Wrote %1 to the disk %2")
            .arg(MainWindow::programCount(int(programs.size())), QDir::toNativeSeparators(path)));
}

void DiskCommands::addFromDisk() {
    if (!host_.imageOpen() || host_.refuseWhileBusy())
        return;
    addDialog_.title = tr("Add from D64");
    const QStringList paths = host_.dialogs().openFiles(host_.hostWindow(), addDialog_, false);
    if (paths.isEmpty())
        return;
    const QString path = paths.first();
    vornix::DiskImage disk;
    if (!disk.load(toLocalPath(path)).opened) {
        tell(tr("The file %1 is not a valid D64 disk image.").arg(QDir::toNativeSeparators(path)));
        return;
    }

    // Files are read now, so that the dialog can show which ones are damaged.
    const gui::Language language = gui::contextLanguage(staticMetaObject.className());
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
        tell(tr("The disk %1 holds no PRG programs.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    auto* dialog =
        new DiskImportDialog(host_.hostWindow(), latin1(vornix::trimDiskName(disk.diskName())), choices);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog, programs, path] { addChosen(dialog->chosen(), *programs, path); });
    dialog->open();
}

void DiskCommands::addChosen(const QList<int>& chosen, const std::vector<Program>& programs,
                             const QString& disk) {
    if (chosen.isEmpty() || host_.refuseWhileBusy())
        return;
    QStringList full, tooShort;
    host_.changeDocument([&](vornix::TapeDocument& doc) {
        for (int i : chosen) {
            const Program& p = programs[i];
            const vornix::AddResult result = doc.addProgram(p.name, p.name, p.prg);
            if (!result.added)
                (result.refusal == vornix::AddRefusal::ImageFull ? full : tooShort) << latin1(p.name);
        }
        doc.setModified(true);
    });
    if (const int added = int(chosen.size() - full.size() - tooShort.size()); added > 0)
        host_.showStatus(tr("Added %1 from the disk %2")
                             .arg(MainWindow::programCount(added), QDir::toNativeSeparators(disk)));
    // The bytes are already read: only a full image or a program without a load address remain.
    for (const QString& name : tooShort)
        tell(tr("The file %1 is shorter than 2 bytes, so it is not a PRG program.\nThe program was not "
                "added.")
                 .arg(name));
    if (!full.isEmpty())
        tell(ResultTexts::imageFull(full, gui::contextLanguage(staticMetaObject.className())));
}

} // namespace vornix
