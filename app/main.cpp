#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "gui/AppContext.h"
#include "gui/QtDialogs.h"
#include "tape/ui/TapLinkerWindow.h"
#include "tape/ui/TapeConversionWindow.h"
#include "tools/ui/CartridgeWindow.h"
#include "tools/ui/CompressionWindow.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    using namespace vornix;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornix"));
    // The close sequence ends the program even while the TAP linker window is still open.
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs;
    const AppContext ctx{QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/'),
                         &dialogs};
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty())
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
