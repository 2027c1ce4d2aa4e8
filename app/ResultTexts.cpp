#include "app/ResultTexts.h"

#include "convert/PictureConverters.h"
#include "core/D64Image.h"
#include "core/PlatformFile.h"

#include <QDir>
#include <QFile>

namespace vornix {

namespace {

QString shownPath(const std::string& path) {
    return QDir::toNativeSeparators(QFile::decodeName(path.c_str()));
}

QString shownPath(const std::filesystem::path& path) { return shownPath(platform::nameFromPath(path)); }

QString diskName(const std::string& name) { return QString::fromLatin1(trimDiskName(name).c_str()); }

QString address(std::uint64_t value) {
    return QStringLiteral("$") + QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

// The texts below are tr() of this class: its language is the caller's.
const char* useLanguage(gui::Language language) {
    const char* context = ResultTexts::staticMetaObject.className();
    gui::setContextLanguage(context, language);
    return context;
}

} // namespace

QString ResultTexts::imageFull(const QStringList& refused, gui::Language language) {
    useLanguage(language);
    if (refused.size() == 1)
        return tr("A T64 image holds at most 255 programs.\nThe file %1 was not added.").arg(refused.first());
    return tr("A T64 image holds at most 255 programs.\n%n file(s) were not added, from %1 to %2.", nullptr,
              int(refused.size()))
        .arg(refused.first(), refused.last());
}

QString ResultTexts::fileFailure(const FileError& failure, gui::Language language) {
    useLanguage(language);
    switch (failure.problem) {
    case FileProblem::None: break;
    case FileProblem::System:
        // The system's own words (its language follows the system's settings).
        return QString::fromLocal8Bit(platform::systemMessage(failure.code));
    case FileProblem::IsFolder: return tr("it is a folder, not a file");
    case FileProblem::NotRegular: return tr("it is not a regular file (a pipe, device or socket)");
    case FileProblem::ReadOnly: return tr("the file is read-only");
    case FileProblem::NoFolder: return tr("its folder does not exist");
    case FileProblem::TooLarge: return tr("the file is too large");
    case FileProblem::Changed: return tr("the file changed while it was read");
    }
    return tr("unknown error");
}

QString ResultTexts::conversionFailure(const ConversionResult& r, gui::Language language) {
    useLanguage(language);
    switch (r.problem) {
    case ConversionProblem::None: break;
    case ConversionProblem::SameAsInput:
        return tr("%1 is the picture itself; the program needs a name of its own.").arg(shownPath(r.path));
    case ConversionProblem::CannotOpen:
        return tr("Cannot read %1: %2.").arg(shownPath(r.path), fileFailure(r.failure, language));
    case ConversionProblem::NotAPicture:
        if (r.kind == PictureKind::Koala)
            return tr("%1 holds %2 bytes, too few for a Koala picture (%3 bytes).")
                .arg(shownPath(r.path))
                .arg(r.inputSize)
                .arg(r.minPicture);
        return tr("%1 holds %2 bytes, too few for an FLI picture: its data reaches the bitmap at $6000 from "
                  "%3 "
                  "bytes on.")
            .arg(shownPath(r.path))
            .arg(r.inputSize)
            .arg(r.minPicture);
    case ConversionProblem::CannotReadAll: return tr("Cannot read all of %1.").arg(shownPath(r.path));
    case ConversionProblem::TooLarge:
        if (r.programEnd > 0xFFFF)
            return tr("%1 is too large (%2 bytes): its program, loaded at $0801, would end beyond $FFFF, the "
                      "end of the C64's memory; at most %3 bytes of picture fit.")
                .arg(shownPath(r.path))
                .arg(r.inputSize)
                .arg(r.maxPicture);
        return tr("%1 is too large (%2 bytes): its program, loaded at $0801, would end at %3, but from $D000 "
                  "on LOAD writes into the I/O chips; at most %4 bytes of picture fit.")
            .arg(shownPath(r.path))
            .arg(r.inputSize)
            .arg(address(r.programEnd))
            .arg(r.maxPicture);
    case ConversionProblem::ViewerMissing:
        return tr("The FLI viewer is missing from this build of the program.");
    case ConversionProblem::CannotWrite:
        return tr("Cannot write %1: %2.").arg(shownPath(r.path), fileFailure(r.failure, language));
    }
    return {};
}

QString ResultTexts::replaceFailure(const InPlaceCompression& step, const InPlaceCompression::Result& result,
                                    gui::Language language) {
    useLanguage(language);
    return tr("cannot replace %1 with %2: %3")
        .arg(shownPath(step.program()), shownPath(step.compressed()), fileFailure(result.failure, language));
}

QString ResultTexts::brokenLink(const BrokenLink& link) {
    switch (link.problem) {
    case LinkProblem::None:
    case LinkProblem::Loop: break;
    case LinkProblem::NoSuchTrack:
        return tr("track %1 does not exist (the disk has %2 tracks)").arg(link.track).arg(link.limit);
    case LinkProblem::NoSuchSector:
        return tr("track %1 has no sector %2 (it has %3)").arg(link.track).arg(link.sector).arg(link.limit);
    case LinkProblem::PastEnd:
        return tr("track %1 sector %2 lies past the end of the truncated image")
            .arg(link.track)
            .arg(link.sector);
    }
    return {};
}

QString ResultTexts::unreadableFile(const FileReading& r, gui::Language language) {
    useLanguage(language);
    if (r.read)
        return {};
    const QString name = diskName(r.name);
    if (r.broken.problem == LinkProblem::Loop)
        return tr("\"%1\": its chain of blocks loops back to track %2 sector %3")
            .arg(name)
            .arg(r.broken.track)
            .arg(r.broken.sector);
    if (r.blocksRead == 0)
        return tr("\"%1\": its first block is missing: %2").arg(name, brokenLink(r.broken));
    return tr("\"%1\": its chain of blocks breaks after %n block(s): %2", nullptr, r.blocksRead)
        .arg(name, brokenLink(r.broken));
}

QString ResultTexts::badBlocks(const FileReading& r, gui::Language language) {
    useLanguage(language);
    if (r.badBlocks.empty())
        return {};
    QStringList marked;
    for (const BadBlock& b : r.badBlocks)
        // The error table's codes 2 to 11 are the drive's errors 20 to 29.
        marked << (b.code >= 2 && b.code <= 11
                       ? tr("track %1 sector %2 (error %3)").arg(b.track).arg(b.sector).arg(b.code + 18)
                       : tr("track %1 sector %2 (error code %3)")
                             .arg(b.track)
                             .arg(b.sector)
                             .arg(QStringLiteral("$%1").arg(b.code, 2, 16, QLatin1Char('0')).toUpper()));
    return tr("\"%1\": the disk's error table marks %n of its block(s) bad (%2); read as the image holds "
              "them",
              nullptr, int(r.badBlocks.size()))
        .arg(diskName(r.name), marked.join(QStringLiteral(", ")));
}

} // namespace vornix
