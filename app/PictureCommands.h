#pragma once
// The "Koala->PRG" and "FLI->PRG" commands of the main window: dialogs, conversion through
// the plain converters, and the optional compression step.
#include "gui/AppContext.h"
#include "gui/Dialogs.h"
#include "gui/Language.h"

#include <QCoreApplication>
#include <QString>
#include <functional>

class QWidget;

namespace vornix {

class CompressionWindow;

struct CompressionOptions {
    bool compress = false;                          // "Kompresuj konwertowane" ticked
    bool fast = false;                              // "Szybsza kompresja/większy plik" ticked
    gui::Language language = gui::Language::Polish; // of the commands' own messages
    // Opens the compression window as its menu command does (texts, show, tool check).
    std::function<void()> showCompressionWindow;
    CompressionWindow* window = nullptr;
    // Shows the closing line of a command ("Wrote PATH ...") in the main window's status bar.
    std::function<void(const QString&)> status;
};

// The context of the commands' texts.
struct PictureCommands {
    Q_DECLARE_TR_FUNCTIONS(vornix::PictureCommands)
  public:
    static constexpr char kContext[] = "vornix::PictureCommands";
};

void koalaToPrgCommand(const AppContext& ctx, QWidget* parent, const CompressionOptions& options);
// addPrgDialog is the main window's add-PRG dialog: its second filter is preselected for
// this command and its first again when the command ends.
void fliToPrgCommand(const AppContext& ctx, QWidget* parent, FileDialogSetup& addPrgDialog,
                     const CompressionOptions& options);

// The compression step both commands end with when options.compress is set: runs the
// compression window unattended on path and, when the compressor wrote path + "1", moves
// that file over path. If the move fails, or the compressor was stopped, the user is told
// and path keeps the uncompressed program. The compression window is left shown or hidden as
// the user had it. Returns whether path now holds the compressed program.
bool compressConverted(const AppContext& ctx, QWidget* parent, const QString& path,
                       const CompressionOptions& options);

// The dialogs of the two commands, kept for the whole run like the window's own dialogs.
FileDialogSetup& koalaOpenDialog();   // OpenDialog3
FileDialogSetup& programSaveDialog(); // SaveDialog2, shared by both commands

} // namespace vornix
