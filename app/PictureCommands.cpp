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

gui::Language languageOf(const CompressionOptions& options) {
    return options.english ? gui::Language::English : gui::Language::Polish;
}

// Asks for the output; remembers the choice for the next use, as the dialog object would.
QString askOutput(const AppContext& ctx, QWidget* parent, bool english) {
    FileDialogSetup& setup = programSaveDialog();
    setup.title = english ? QStringLiteral("Save the program as") : QStringLiteral("Zapisz program jako");
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
        const QString lead = options.english ? QStringLiteral("The picture was not converted.")
                                             : QStringLiteral("Obraz nie został przekonwertowany.");
        ctx.dialogs->message(parent, kAppTitle,
                             lead + QStringLiteral("\n\n") +
                                 ResultTexts::conversionFailure(result, languageOf(options)),
                             MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    const bool compressed = compressConverted(ctx, parent, output, options);
    if (!options.status)
        return;
    const QString shown = QDir::toNativeSeparators(output);
    QString line;
    if (!options.compress)
        line = options.english ? QStringLiteral("Wrote %1") : QStringLiteral("Zapisano %1");
    else if (compressed)
        line = options.english ? QStringLiteral("Wrote %1 (compressed)")
                               : QStringLiteral("Zapisano %1 (skompresowany)");
    else
        line = options.english ? QStringLiteral("Wrote %1 (not compressed)")
                               : QStringLiteral("Zapisano %1 (bez kompresji)");
    options.status(line.arg(shown));
}

// The program was written, but from a file that does not load where FLI pictures do.
void warnUnusualLoadAddress(const AppContext& ctx, QWidget* parent, const QString& input, std::uint16_t load,
                            bool english) {
    const QString text =
        english ? QStringLiteral("%1 loads at $%2, not at $3B00 or $3C00 like an FLI picture.\n\nIt was "
                                 "converted as if it loaded at $3B00 and may not show correctly.")
                : QStringLiteral("%1 ma adres ładowania $%2, a nie $3B00 ani $3C00 jak obraz FLI.\n\n"
                                 "Przekonwertowano go tak, jakby ładował się pod $3B00; obraz może "
                                 "wyglądać niepoprawnie.");
    ctx.dialogs->message(parent, kAppTitle,
                         text.arg(input, QString::number(load, 16).toUpper().rightJustified(4, '0')),
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

FileDialogSetup& koalaOpenDialog() {
    static FileDialogSetup setup = [] {
        FileDialogSetup s;
        s.filters = {{QStringLiteral("Koala Paint *.KLA"), QStringLiteral("*.KLA")},
                     {QStringLiteral("All files "), QStringLiteral("*.*")}};
        s.defaultSuffix = QStringLiteral("KLA");
        return s;
    }();
    return setup;
}

FileDialogSetup& programSaveDialog() {
    static FileDialogSetup setup = [] {
        FileDialogSetup s;
        s.filters = {{QStringLiteral("Programs *.PRG"), QStringLiteral("*.PRG")},
                     {QStringLiteral("All files"), QStringLiteral("*.*")}};
        s.defaultSuffix = QStringLiteral("PRG");
        s.confirmOverwrite = true;
        return s;
    }();
    return setup;
}

void koalaToPrgCommand(const AppContext& ctx, QWidget* parent, const CompressionOptions& options) {
    FileDialogSetup& openSetup = koalaOpenDialog();
    openSetup.title =
        options.english ? QStringLiteral("Choose the Koala picture") : QStringLiteral("Wybierz obraz Koala");
    // Single choice: the dialog then also accepts a name that does not exist.
    const QStringList inputs = ctx.dialogs->openFiles(parent, openSetup, false);
    if (inputs.isEmpty())
        return;
    openSetup.fileName = inputs.first();
    const QString output = askOutput(ctx, parent, options.english);
    if (output.isEmpty())
        return;
    finishConversion(ctx, parent, output, vornix::convertKoala(toPath(inputs.first()), toPath(output)),
                     options);
}

void fliToPrgCommand(const AppContext& ctx, QWidget* parent, FileDialogSetup& addPrgDialog,
                     const CompressionOptions& options) {
    const FilterReset reset(addPrgDialog);
    addPrgDialog.selectedFilter = 1; // "All files": FLI pictures come under many extensions
    addPrgDialog.title =
        options.english ? QStringLiteral("Choose the FLI picture") : QStringLiteral("Wybierz obraz FLI");
    const QStringList inputs = ctx.dialogs->openFiles(parent, addPrgDialog, true);
    if (inputs.isEmpty())
        return;
    const QString output = askOutput(ctx, parent, options.english);
    if (output.isEmpty())
        return;
    const vornix::ConversionResult result = vornix::convertFli(toPath(inputs.first()), toPath(output));
    if (result.written && result.unusualLoadAddress)
        warnUnusualLoadAddress(ctx, parent, inputs.first(), *result.unusualLoadAddress, options.english);
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
            options.english
                ? (stopped ? QStringLiteral("Compression was stopped.")
                           : QStringLiteral("The compressor printed nothing within the time limit and was "
                                            "stopped."))
                : (stopped ? QStringLiteral("Kompresja została przerwana.")
                           : QStringLiteral("Kompresor nic nie wypisał w wyznaczonym czasie i został "
                                            "zatrzymany."));
        const QString kept = options.english ? QStringLiteral("%1 holds the uncompressed program.")
                                             : QStringLiteral("%1 zawiera program bez kompresji.");
        ctx.dialogs->message(parent, kAppTitle, text + QStringLiteral("\n\n") + kept.arg(path),
                             MsgButtons::Ok, MsgIcon::Information);
        return false;
    }
    if (outcome != CompressionWindow::Outcome::Compressed)
        return false;
    if (const auto finished = step.finish();
        finished.outcome == vornix::InPlaceCompression::Outcome::ReplaceFailed) {
        const QString text =
            options.english
                ? QStringLiteral("The compressed program could not take the place of the converted one "
                                 "(%1).\n\n%2 still holds the uncompressed program; the compressed one "
                                 "is in %3.")
                : QStringLiteral("Skompresowany program nie mógł zastąpić przekonwertowanego (%1).\n\n"
                                 "%2 zawiera program bez kompresji; skompresowany jest w %3.");
        ctx.dialogs->message(
            parent, kAppTitle,
            text.arg(ResultTexts::replaceFailure(step, finished, languageOf(options)), path, path + '1'),
            MsgButtons::Ok, MsgIcon::Warning);
        return false;
    }
    return true;
}

} // namespace vornix
