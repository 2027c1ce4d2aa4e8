#include "app/PictureCommands.h"

#include "app/ResultTexts.h"
#include "convert/InPlaceCompression.h"
#include "convert/PictureConverters.h"
#include "gui/LocalPath.h"
#include "tools/ui/CompressionWindow.h"

#include <QDir>
#include <QFile>

#include <filesystem>

namespace vornix {

namespace {

const QString kAppTitle = QStringLiteral("Vornix");

std::filesystem::path toPath(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(toLocalPath(path));
#endif
}

// Asks for the output; remembers the choice for the next use, as the dialog object would.
QString askOutput(const AppContext& ctx, QWidget* parent) {
    FileDialogSetup& setup = programSaveDialog();
    setup.title = PictureCommands::tr("Save the program as");
    const QString path = ctx.dialogs->saveFile(parent, setup);
    if (!path.isEmpty())
        setup.fileName = path;
    return path;
}

// Conversion done or failed: failures are shown, successes go on to the compression step
// and end with a line in the status bar.
void finishConversion(const AppContext& ctx, QWidget* parent, const QString& output,
                      const vornix::ConversionResult& result, const CompressionOptions& options) {
    if (!result.written) {
        const QString lead = PictureCommands::tr("The picture was not converted.");
        ctx.dialogs->message(parent, kAppTitle,
                             lead + QStringLiteral("\n\n") +
                                 ResultTexts::conversionFailure(result, options.language),
                             MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    const bool compressed = compressConverted(ctx, parent, output, options);
    if (!options.status)
        return;
    const QString shown = QDir::toNativeSeparators(output);
    QString line;
    if (!options.compress)
        line = PictureCommands::tr("Wrote %1");
    else if (compressed)
        line = PictureCommands::tr("Wrote %1 (compressed)");
    else
        line = PictureCommands::tr("Wrote %1 (not compressed)");
    options.status(line.arg(shown));
}

// The program was written, but from a file that does not load where pictures of its kind do.
void warnUnusualLoadAddress(const AppContext& ctx, QWidget* parent, const QString& input,
                            const vornix::ConversionResult& result) {
    if (!result.written || !result.unusualLoadAddress)
        return;
    const QString text =
        result.kind == vornix::PictureKind::Koala
            ? PictureCommands::tr("%1 loads at $%2, not at $6000 like a Koala picture.\n\nIt was "
                                  "converted as if it loaded at $6000 and may not show correctly.")
            : PictureCommands::tr("%1 loads at $%2, not at $3B00 or $3C00 like an FLI picture.\n\nIt was "
                                  "converted as if it loaded at $3B00 and may not show correctly.");
    ctx.dialogs->message(
        parent, kAppTitle,
        text.arg(input, QString::number(*result.unusualLoadAddress, 16).toUpper().rightJustified(4, '0')),
        MsgButtons::Ok, MsgIcon::Warning);
}

// Puts the add-PRG dialog back on its first filter however the command ends.
class FilterReset {
  public:
    explicit FilterReset(FileDialogSetup& setup) : setup_(setup) {}
    ~FilterReset() { setup_.selectedFilter = 0; }
    FilterReset(const FilterReset&) = delete;
    FilterReset& operator=(const FilterReset&) = delete;

  private:
    FileDialogSetup& setup_;
};

} // namespace

// The filters are named in the commands' language at each use; the design keeps them the
// same in both (the space after "All files " included).
FileDialogSetup& koalaOpenDialog() {
    static FileDialogSetup setup = [] {
        FileDialogSetup s;
        s.defaultSuffix = QStringLiteral("KLA");
        return s;
    }();
    setup.filters = {{PictureCommands::tr("Koala Paint *.KLA"), QStringLiteral("*.KLA")},
                     {PictureCommands::tr("All files "), QStringLiteral("*.*")}};
    return setup;
}

FileDialogSetup& programSaveDialog() {
    static FileDialogSetup setup = [] {
        FileDialogSetup s;
        s.defaultSuffix = QStringLiteral("PRG");
        s.confirmOverwrite = true;
        return s;
    }();
    setup.filters = {{PictureCommands::tr("Programs *.PRG"), QStringLiteral("*.PRG")},
                     {PictureCommands::tr("All files"), QStringLiteral("*.*")}};
    return setup;
}

void koalaToPrgCommand(const AppContext& ctx, QWidget* parent, const CompressionOptions& options) {
    FileDialogSetup& openSetup = koalaOpenDialog();
    gui::setContextLanguage(PictureCommands::kContext, options.language);
    openSetup.title = PictureCommands::tr("Choose the Koala picture");
    // Single choice: the dialog then also accepts a name that does not exist.
    const QStringList inputs = ctx.dialogs->openFiles(parent, openSetup, false);
    if (inputs.isEmpty())
        return;
    openSetup.fileName = inputs.first();
    const QString output = askOutput(ctx, parent);
    if (output.isEmpty())
        return;
    const vornix::ConversionResult result = vornix::convertKoala(toPath(inputs.first()), toPath(output));
    warnUnusualLoadAddress(ctx, parent, inputs.first(), result);
    finishConversion(ctx, parent, output, result, options);
}

void fliToPrgCommand(const AppContext& ctx, QWidget* parent, FileDialogSetup& addPrgDialog,
                     const CompressionOptions& options) {
    const FilterReset reset(addPrgDialog);
    addPrgDialog.selectedFilter = 1; // "All files": FLI pictures come under many extensions
    gui::setContextLanguage(PictureCommands::kContext, options.language);
    addPrgDialog.title = PictureCommands::tr("Choose the FLI picture");
    const QStringList inputs = ctx.dialogs->openFiles(parent, addPrgDialog, true);
    if (inputs.isEmpty())
        return;
    const QString output = askOutput(ctx, parent);
    if (output.isEmpty())
        return;
    const vornix::ConversionResult result = vornix::convertFli(toPath(inputs.first()), toPath(output));
    warnUnusualLoadAddress(ctx, parent, inputs.first(), result);
    finishConversion(ctx, parent, output, result, options);
}

bool compressConverted(const AppContext& ctx, QWidget* parent, const QString& path,
                       const CompressionOptions& options) {
    if (!options.compress || !options.window)
        return false;
    // The window is shown for the run; one the user had open stays open after it.
    const bool wasShown = options.window->isVisible();
    if (options.showCompressionWindow)
        options.showCompressionWindow();
    vornix::InPlaceCompression step(toPath(path));
    // Returns only after the compressor has ended, so its output file is complete. When the
    // compressor could not run or wrote nothing, the log says why.
    const CompressionWindow::Outcome outcome = options.window->runUnattended(path, options.fast, wasShown);
    if (outcome == CompressionWindow::Outcome::Stopped || outcome == CompressionWindow::Outcome::TimedOut) {
        const bool stopped = outcome == CompressionWindow::Outcome::Stopped;
        const QString text =
            stopped ? PictureCommands::tr("Compression was stopped.")
                    : PictureCommands::tr(
                          "The compressor printed nothing within the time limit and was stopped.");
        const QString kept = PictureCommands::tr("%1 holds the uncompressed program.");
        ctx.dialogs->message(parent, kAppTitle, text + QStringLiteral("\n\n") + kept.arg(path),
                             MsgButtons::Ok, MsgIcon::Information);
        return false;
    }
    if (outcome != CompressionWindow::Outcome::Compressed)
        return false;
    if (const auto finished = step.finish();
        finished.outcome == vornix::InPlaceCompression::Outcome::ReplaceFailed) {
        const QString text =
            PictureCommands::tr("The compressed program could not take the place of the converted one "
                                "(%1).\n\n%2 still holds the uncompressed program; the compressed one "
                                "is in %3.");
        ctx.dialogs->message(
            parent, kAppTitle,
            text.arg(ResultTexts::replaceFailure(step, finished, options.language), path, path + '1'),
            MsgButtons::Ok, MsgIcon::Warning);
        return false;
    }
    return true;
}

} // namespace vornix
