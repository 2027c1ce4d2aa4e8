#include "app/RenameBox.h"

#include "gui/Latin1Validator.h"

#include <QKeyEvent>

#include <algorithm>

namespace vornix {

RenameBox::RenameBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(16);
    // Capitals at once: the box shows the name as it will be stored.
    validator_ = new Latin1Validator(this, true);
    setValidator(validator_);
    setAcceptDrops(false);
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid palette(shadow); padding: 0px; }"));
    move(0, -20);
    hide();
}

void RenameBox::begin(const QRect& geometry, QString name) {
    setGeometry(geometry.x(), geometry.y(), geometry.width(),
                std::max(geometry.height(), minimumSizeHint().height()));
    // Names read from a tape are padded to 16 with spaces or shifted spaces (0xA0); without
    // them the name can be extended at once.
    while (name.endsWith(QLatin1Char(' ')) || name.endsWith(QChar(0xA0)))
        name.chop(1);
    // The name as it is held, unmapped: only what the user types is made storable.
    validator_->setVerbatim(true);
    setText(name);
    validator_->setVerbatim(false);
    show();
    raise();
    setFocus();
    selectAll();
}

void RenameBox::park() {
    clear();
    hide();
    move(0, -20);
}

void RenameBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        emit committed();
    else if (key == Qt::Key_Escape)
        emit cancelled();
    else
        QLineEdit::keyPressEvent(event);
}

} // namespace vornix
