#include "app/AboutWindow.h"
#include "app/AppContext.h"
#include "app/QtDialogs.h"
#include "app/Unit1.h"
#include "tape/TFE.h"
#include "tape/TLink.h"
#include "tools/CartridgeWindow.h"
#include "tools/CompressionWindow.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornix"));
    // The close sequence ends the program even while the TAP linker window is still open.
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs;
    const AppContext ctx{QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/'), &dialogs};
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();

    // Created once each, in this order; only the main window is shown.
    TForm1 main(ctx, arguments);
    TForm3 compression(ctx);
    TForm2 about(ctx);
    TForm4 cartridge(ctx);
    TForm5 tape(ctx);
    TForm6 linker(ctx);
    main.setToolWindows(&compression, &about, &cartridge, &tape, &linker);
    QObject::connect(&main, &TForm1::programEnds, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    main.show();
    return app.exec();
}
