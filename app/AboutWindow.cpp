#include "app/AboutWindow.h"

TForm2::TForm2(const AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(context) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("About Vornix"));
}

