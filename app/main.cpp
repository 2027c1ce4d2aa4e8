#include "app/AboutWindow.h"
#include "app/AppContext.h"
#include "app/QtDialogs.h"
#include "tape/TFE.h"
#include "tape/TLink.h"
#include "tools/CartridgeWindow.h"
#include "tools/CompressionWindow.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornix"));
    QtDialogs dialogs;
    AppContext ctx{QDir(QCoreApplication::applicationDirPath()).absolutePath() + QDir::separator(), &dialogs};
    QMainWindow main;
    main.setWindowTitle(QStringLiteral("VORN: Orvendal"));
    main.resize(373, 515);
    TForm3 compression(ctx);
    TForm2 about(ctx);
    TForm4 cartridge(ctx);
    TForm5 tape(ctx);
    TForm6 linker(ctx);
    main.show();
    return app.exec();
}
