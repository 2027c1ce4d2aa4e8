#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "app/WorkingFolder.h"
#include "core/Licence.h"
#include "gui/AppContext.h"
#include "gui/QtDialogs.h"
#include "tape/ui/TapLinkerWindow.h"
#include "tape/ui/TapeConversionWindow.h"
#include "tools/ui/CartridgeWindow.h"
#include "tools/ui/CompressionWindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <iostream>
#include <string_view>

namespace {

// Answered before the application starts, so they work without a display.
bool answeredInformationRequest(int argc, char* argv[]) {
    if (argc < 2)
        return false;
    const std::string_view first = argv[1];
    if (first == "--version") {
        std::cout << "vornix " VORNIX_VERSION "\n" VORNIX_LICENCE_LINE;
        return true;
    }
    if (first == "--help" || first == "-h") {
        std::cout << "usage: vornix [--] [IMAGE.t64 | TAPE.tap | TAPE.wav]\n\n"
                     "Starts the editor of Commodore 64 tape images and opens IMAGE.t64 when it is\n"
                     "given; a TAP file or WAV recording gives a new image holding the programs found\n"
                     "on it. Further arguments are ignored. After \"--\" the name may begin with \"-\".\n\n"
                     "  -h, --help     show this help\n"
                     "      --version  show the version\n";
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (answeredInformationRequest(argc, argv))
        return 0;
    using namespace vornix;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornix"));
    QApplication::setApplicationVersion(QStringLiteral(VORNIX_VERSION));
    // Ties the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vornix.Vornix"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.vornix.Vornix")));
    // The close sequence ends the program even while the TAP linker window is still open.
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs;
    AppContext ctx{QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/'), &dialogs};
    workingfolder::chooseFolders(ctx);
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("--"))
        arguments.removeFirst();

    // Created once each, in this order; only the main window is shown.
    MainWindow main(ctx, arguments);
    CompressionWindow compression(ctx);
    AboutWindow about(ctx);
    CartridgeWindow cartridge(ctx);
    TapeConversionWindow tape(ctx);
    TapLinkerWindow linker(ctx);
    main.setToolWindows(&compression, &about, &cartridge, &tape, &linker);
    QObject::connect(&main, &MainWindow::programEnds, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    main.show();
    return app.exec();
}
