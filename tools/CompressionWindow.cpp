#include "tools/CompressionWindow.h"

TForm3::TForm3(const AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(context) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("PUCrunch GUI"));
}

void TForm3::applyPolish() {}
void TForm3::runUnattended(const QString&, bool) {}
