#include "app/TapeCommands.h"

#include "app/DocumentCommandHost.h"
#include "app/MainWindow.h"
#include "app/ResultTexts.h"
#include "app/TapeImportDialog.h"
#include "gui/LocalPath.h"
#include "tape/TapPulses.h"
#include "tape/TapeOutputs.h"
#include "tape/TapeWriter.h"
#include "tape/WavReader.h"

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

TapeCommands::TapeCommands(DocumentCommandHost& host, QObject* parent) : QObject(parent), host_(host) {
    setObjectName(QStringLiteral("TapeCommands"));
    exportAction_ = new QAction(this);
    exportAction_->setObjectName(QStringLiteral("EksportdoTAP1"));
    host_.addFileMenuItem(exportAction_);
    importAction_ = new QAction(this);
    importAction_->setObjectName(QStringLiteral("ImportztasmyTAPWAV1"));
    host_.addEditMenuItem(importAction_);
    connect(exportAction_, &QAction::triggered, this, &TapeCommands::exportToTap);
    connect(importAction_, &QAction::triggered, this, &TapeCommands::importTape);
    exportDialog_.defaultSuffix = QStringLiteral("TAP");
    exportDialog_.confirmOverwrite = true;
}

void TapeCommands::retranslate() {
    exportAction_->setText(tr("Export to &TAP..."));
    importAction_->setText(tr("&Import tape (TAP/WAV)..."));
    importDialog_.filters = {{tr("Tapes (TAP, WAV)"), QStringLiteral("*.TAP *.WAV")},
                             {tr("All files"), QStringLiteral("*.*")}};
    exportDialog_.filters = {{tr("C64 TAPe RAW (*.TAP)"), QStringLiteral("*.TAP")}};
}

void TapeCommands::tell(const QString& message, MsgIcon icon) {
    host_.dialogs().message(host_.hostWindow(), QStringLiteral("Vornix"), message, MsgButtons::Ok, icon);
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
        tell(tr("No programs were found on the tape %1.").arg(name), MsgIcon::Warning);
        break;
    case tape::TapeFailure::CannotRead:
        tell(tr("Cannot read the file %1:\n%2.").arg(name, QString::fromStdString(analysis.detail)));
        break;
    default:
        tell(tr("The file %1 is not a TAP tape nor a WAV recording this program reads.\n%2")
                 .arg(name, QString::fromStdString(tape::failureMessage(analysis))));
    }
    return false;
}

void TapeCommands::importTape() {
    if (!host_.imageOpen() || host_.refuseWhileBusy())
        return;
    importDialog_.title = tr("Import tape");
    const QStringList paths = host_.dialogs().openFiles(host_.hostWindow(), importDialog_, false);
    if (paths.isEmpty() || paths.first().isEmpty())
        return;
    auto analysis = std::make_shared<tape::TapeAnalysis>();
    if (!analyse(paths.first(), *analysis))
        return;
    QList<TapeFileChoice> choices;
    for (const tape::FoundFile& f : analysis->files) {
        TapeFileChoice choice{latin1(tape::outputName(f)),
                              int(f.data.size()),
                              f.load,
                              {},
                              QString::fromUtf8(tape::loaderName(f.loader))};
        const QString said =
            stateText(f.state) + (f.detail.empty() ? QString() : QStringLiteral(": ") + detailText(f.detail));
        if (tape::isDamaged(f))
            choice.damage = said;
        else if (f.state != tape::FileState::Good || !f.detail.empty())
            choice.note = said;
        if (f.block >= 0)
            choice.program = latin1(tape::programStem(f));
        choices.append(choice);
    }
    auto* dialog = new TapeImportDialog(host_.hostWindow(), QFileInfo(paths.first()).fileName(), choices);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, analysis, path = paths.first()] {
        addChosen(dialog->chosen(), analysis->files, path);
    });
    dialog->open();
}

void TapeCommands::addChosen(const QList<int>& chosen, const std::vector<tape::FoundFile>& files,
                             const QString& tapePath) {
    if (chosen.isEmpty() || host_.refuseWhileBusy())
        return;
    QStringList refused;
    host_.changeDocument([&](TapeDocument& doc) {
        for (int i : chosen) {
            const std::string name = tape::outputName(files[std::size_t(i)]);
            const AddResult result =
                doc.addProgram(name, name.substr(0, kNameSize), tape::prgBytes(files[std::size_t(i)]));
            if (!result.added)
                refused << latin1(name);
        }
        doc.setModified(true);
    });
    // The programs are already read: only a full image is left to refuse them.
    if (!refused.isEmpty())
        tell(ResultTexts::imageFull(refused, gui::contextLanguage(staticMetaObject.className())));
    if (const qsizetype added = chosen.size() - refused.size(); added > 0)
        host_.showStatus(tr("Added %1 from the tape %2")
                             .arg(MainWindow::programCount(int(added)), QDir::toNativeSeparators(tapePath)));
}

QString TapeCommands::stateText(tape::FileState state) {
    switch (state) {
    case tape::FileState::Good: return tr("good");
    case tape::FileState::NoChecksum: return tr("no checksum");
    case tape::FileState::Repaired: return tr("repaired");
    case tape::FileState::ChecksumWrong: return tr("checksum wrong");
    case tape::FileState::CutOff: return tr("cut off");
    }
    return {};
}

QString TapeCommands::detailText(const tape::FileDetail& detail) {
    using Kind = tape::FileDetailKind;
    const int bytes = int(detail.bytes);
    QString copy;
    switch (detail.trouble) {
    case tape::CopyTrouble::None: break;
    case tape::CopyTrouble::CutOff:
        copy = detail.kind == Kind::FirstCopyBad ? tr("the first copy is cut off")
                                                 : tr("the second copy is cut off");
        break;
    case tape::CopyTrouble::ChecksumWrong:
        copy = detail.kind == Kind::FirstCopyBad ? tr("the first copy's checksum is wrong")
                                                 : tr("the second copy's checksum is wrong");
        break;
    case tape::CopyTrouble::UnreadableBytes:
        copy = detail.kind == Kind::FirstCopyBad
                   ? tr("the first copy has %n unreadable byte(s)", nullptr, bytes)
                   : tr("the second copy has %n unreadable byte(s)", nullptr, bytes);
        break;
    }
    QString text;
    switch (detail.kind) {
    case Kind::None: break;
    case Kind::SecondCopyBad: text = copy; break;
    case Kind::FirstCopyBad: text = tr("%1; read from the second").arg(copy); break;
    case Kind::FirstCopyMissing: text = tr("the first copy is missing; read from the second"); break;
    case Kind::BytesFromOtherCopy:
        text = tr("%n byte(s) lost in one copy taken from the other", nullptr, bytes);
        break;
    case Kind::TapeEnds:
        text = tr("the tape ends after %n byte(s) of %1", nullptr, bytes).arg(detail.total);
        break;
    case Kind::BytesUnreadable:
        text = detail.bothCopies ? tr("%n byte(s) unreadable in both copies", nullptr, bytes)
                                 : tr("%n byte(s) unreadable", nullptr, bytes);
        break;
    case Kind::ChecksumWrong:
        text = detail.bothCopies ? tr("the checksum is wrong in both copies") : tr("the checksum is wrong");
        break;
    case Kind::NoDataBlock: text = tr("no data block follows the header"); break;
    case Kind::NoHeader: text = tr("no header before the data"); break;
    case Kind::HeaderUnreadable: text = tr("the header is unreadable"); break;
    }
    const auto join = [&text](const QString& more) {
        text = text.isEmpty() ? more : QStringLiteral("%1; %2").arg(more, text);
    };
    if (detail.headerNamed > 0)
        join(tr("the header names %n byte(s); the data block ends sooner", nullptr, int(detail.headerNamed)));
    if (detail.headerChecksumWrong)
        join(tr("the header's checksum is wrong"));
    return text;
}

bool TapeCommands::startWithTape(const QString& path) {
    if (!isTape(path))
        return false;
    host_.startNewImage();
    tape::TapeAnalysis analysis;
    if (!analyse(path, analysis))
        return true;
    host_.setNewImageLabel(tape::labelFor(toLocalPath(path)));
    QList<int> sound;
    QStringList damaged;
    for (std::size_t i = 0; i < analysis.files.size(); ++i) {
        if (tape::isDamaged(analysis.files[i]))
            damaged << QStringLiteral("%1 (%2)").arg(latin1(analysis.files[i].name),
                                                     stateText(analysis.files[i].state));
        else
            sound << int(i);
    }
    addChosen(sound, analysis.files, path);
    host_.selectFirstEntry();
    // A damaged turbo tape can have hundreds: the first of them stand for the rest.
    constexpr qsizetype kNamed = 20;
    if (damaged.size() > kNamed) {
        const int rest = int(damaged.size() - kNamed);
        damaged.resize(kNamed);
        damaged << tr("and %n more", nullptr, rest);
    }
    if (!damaged.isEmpty())
        tell(tr("The damaged programs of the tape %1 were not added:\n%2\n"
                "Edit, Import tape shows them.")
                 .arg(QDir::toNativeSeparators(path), damaged.join(QLatin1Char('\n'))),
             MsgIcon::Warning);
    return true;
}

void TapeCommands::exportToTap() {
    if (!host_.imageOpen())
        return;
    const std::vector<Entry>& entries = host_.document().entries();
    const Selection chosen = host_.exportSelection();
    if (chosen.empty())
        return;
    // Refused before the save dialog: a tape that cannot hold them is not worth a path.
    std::vector<tape::ProgramToEncode> programs;
    for (int p : chosen) {
        tape::ProgramToEncode prg = tape::programFor(entries[std::size_t(p)]);
        if (!tape::fitsInMemory(prg)) {
            tell(tr("The program %1 would load past the top of memory ($FFFF): a tape cannot hold it.\n"
                    "Nothing was written.")
                     .arg(latin1(entries[std::size_t(p)].name).trimmed()));
            return;
        }
        programs.push_back(std::move(prg));
    }
    exportDialog_.title = tr("Export to TAP");
    const QString path = host_.dialogs().saveFile(host_.hostWindow(), exportDialog_);
    if (path.isEmpty())
        return;
    tape::TapeWriteResult r;
    {
        WaitCursor wait;
        r = tape::encodeRomTap(programs, toLocalPath(path));
    }
    if (r.failure != tape::TapeWriteFailure::None) {
        tell(tr("Unable to save the file %1:\n%2.\nThe file was left as it was.")
                 .arg(QDir::toNativeSeparators(path), QString::fromStdString(r.detail)));
        return;
    }
    host_.showStatus(
        tr("Wrote %1 to the tape %2")
            .arg(MainWindow::programCount(int(programs.size())), QDir::toNativeSeparators(path)));
}

} // namespace vornix
