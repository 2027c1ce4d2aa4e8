#include "tape/TLink.h"

TForm6::TForm6(const AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(context) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("TAP Linker"));
}

