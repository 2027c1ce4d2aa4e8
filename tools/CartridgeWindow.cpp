#include "tools/CartridgeWindow.h"

TForm4::TForm4(const AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(context) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Cartconv GUI"));
}

void TForm4::applyPolish() {}
