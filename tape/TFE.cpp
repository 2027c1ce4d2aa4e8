#include "tape/TFE.h"

TForm5::TForm5(const AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(context) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Tape64 Frontend"));
}

void TForm5::applyEnglish() {}
