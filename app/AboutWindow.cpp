#include "app/AboutWindow.h"

#include "gui/SvgIcon.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace vornix {

ScrollingBanner::ScrollingBanner(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {
    setObjectName(QStringLiteral("Banner1"));
    setFixedHeight(20);
    timer_.setInterval(30);
    connect(&timer_, &QTimer::timeout, this, &ScrollingBanner::step);
}

void ScrollingBanner::setText(const QString& text) {
    text_ = text;
    update();
}

void ScrollingBanner::step() {
    const int textWidth = fontMetrics().horizontalAdvance(text_);
    offset_ = (offset_ + 1) % (width() + textWidth + 1);
    update();
}

void ScrollingBanner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setPen(QColor(0x70, 0xa4, 0xb2)); // the C64's light blue
    p.drawText(QRect(width() - offset_, 0, fontMetrics().horizontalAdvance(text_) + 4, height()),
               Qt::AlignVCenter | Qt::AlignLeft, text_);
}

void ScrollingBanner::showEvent(QShowEvent*) { timer_.start(); }
void ScrollingBanner::hideEvent(QHideEvent*) { timer_.stop(); }

AboutWindow::AboutWindow(const AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(context) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(300, 250);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 10);

    auto* name = new QLabel(QStringLiteral("Vornix"), this);
    name->setObjectName(QStringLiteral("Label1"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("VORN 0.11"), this);
    version->setObjectName(QStringLiteral("Label2"));
    version->setAlignment(Qt::AlignCenter);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    QPixmap tape(120, 78);
    tape.fill(Qt::transparent);
    {
        QPainter p(&tape);
        vornix::gui::loadIcons();
        QSvgRenderer(QStringLiteral(":/icons/tape.svg")).render(&p);
    }
    picture->setPixmap(tape);

    banner_ = new ScrollingBanner(QString(), this);
    okButton_ = new QPushButton(this);
    okButton_->setObjectName(QStringLiteral("Button1"));
    connect(okButton_, &QPushButton::clicked, this, &QWidget::close);

    column->addWidget(name);
    column->addWidget(version);
    column->addWidget(picture, 0, Qt::AlignHCenter);
    column->addWidget(banner_);
    column->addWidget(okButton_, 0, Qt::AlignHCenter);
    retranslate();
}

void AboutWindow::setLanguage(gui::Language language) {
    gui::setContextLanguage(staticMetaObject.className(), language);
    retranslate();
}

void AboutWindow::retranslate() {
    setWindowTitle(tr("About Vornix"));
    banner_->setText(tr("Vornix - T64 tape image editor for the Commodore 64 ... add, extract, rename and "
                        "reorder programs ... pictures to PRG, compression, cartridges, tapes and TAP "
                        "linking ..."));
    okButton_->setText(tr("OK"));
}

} // namespace vornix
