#include "app/PreviewPane.h"

#include "gui/Language.h"
#include "preview/HexView.h"
#include "preview/Preview.h"

#include <QFontDatabase>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vornix {

namespace {

// Twice the machine's pixels, so that the picture is seen as on a screen.
constexpr int kScale = 2;

constexpr int kMargin = 4;

} // namespace

HexDumpView::HexDumpView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
}

void HexDumpView::showBytes(std::uint16_t load, const std::uint8_t* data, std::size_t size) {
    load_ = load;
    bytes_.assign(data, data + size);
    lineWidth_ = bytes_.empty() ? 0 : fontMetrics().horizontalAdvance(line(0));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

std::size_t HexDumpView::lineCount() const { return hexLineCount(bytes_.size()); }

QString HexDumpView::line(std::size_t index) const {
    return QString::fromStdString(hexLine(load_, std::span(bytes_.data(), bytes_.size()), index));
}

std::size_t HexDumpView::topLine() const { return static_cast<std::size_t>(verticalScrollBar()->value()); }

int HexDumpView::lineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

void HexDumpView::updateScrollBars() {
    const int rows = std::max(1, viewport()->height() / lineHeight());
    const int lines = static_cast<int>(lineCount());
    verticalScrollBar()->setPageStep(rows);
    verticalScrollBar()->setRange(0, std::max(0, lines - rows));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth());
    horizontalScrollBar()->setRange(0, std::max(0, lineWidth_ + 2 * kMargin - viewport()->width()));
}

void HexDumpView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const int height = lineHeight();
    const int ascent = fontMetrics().ascent();
    const int x = kMargin - horizontalScrollBar()->value();
    const std::size_t first = topLine();
    const std::size_t rows = static_cast<std::size_t>(viewport()->height() / height + 1);
    for (std::size_t r = 0; r < rows && first + r < lineCount(); ++r)
        painter.drawText(x, static_cast<int>(r) * height + ascent, line(first + r));
}

void HexDumpView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void HexDumpView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        lineWidth_ = bytes_.empty() ? 0 : fontMetrics().horizontalAdvance(line(0));
        updateScrollBars();
    }
}

void HexDumpView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Home || event->key() == Qt::Key_End) {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(event->key() == Qt::Key_Home ? bar->minimum() : bar->maximum());
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PreviewPane"));
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("PreviewTitle"));
    title_->setWordWrap(true);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("PreviewText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    picture_ = new QLabel;
    picture_->setObjectName(QStringLiteral("PreviewPicture"));
    picture_->setAlignment(Qt::AlignCenter);
    pictureArea_ = new QScrollArea(this);
    pictureArea_->setWidget(picture_);
    pictureArea_->setWidgetResizable(true);
    pictureArea_->setMinimumSize(Picture::kWidth * kScale + 4, Picture::kHeight * kScale + 4);

    hex_ = new HexDumpView(this);
    hex_->setObjectName(QStringLiteral("PreviewHex"));

    stack_ = new QStackedWidget(this);
    stack_->addWidget(text_);
    stack_->addWidget(hex_);
    stack_->addWidget(pictureArea_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(title_);
    layout->addWidget(stack_, 1);
    showEntry(nullptr);
}

void PreviewPane::setLanguage(gui::Language language) {
    gui::setContextLanguage(staticMetaObject.className(), language);
    if (kind_ == PreviewKind::Basic)
        showListing();
    showTitle();
}

QString PreviewPane::titleText() const {
    if (!kind_)
        return tr("No entry selected");
    switch (*kind_) {
    case PreviewKind::Basic: return tr("BASIC listing");
    case PreviewKind::Picture: return fli_ ? tr("FLI picture") : tr("Koala Paint picture");
    case PreviewKind::Hex: break;
    }
    return tr("Bytes (hex)");
}

void PreviewPane::showTitle() {
    QString text = titleText();
    if (!note_.empty())
        text += QStringLiteral(" \u2014 ") + noteText();
    title_->setText(text);
}

QString PreviewPane::noteText() const {
    const QString address =
        QStringLiteral("$%1").arg(note_.address & 0xFFFFu, 4, 16, QLatin1Char('0')).toUpper();
    const int bytes = int(note_.bytes);
    switch (note_.kind) {
    case PreviewNoteKind::None: break;
    case PreviewNoteKind::NoEndMarker:
        return tr("the program ends at %1 without its end marker").arg(address);
    case PreviewNoteKind::NoLine:
        return tr("there is no BASIC line: the first link, %1, ends the program").arg(address);
    case PreviewNoteKind::LineCutOff:
        return tr("the line at %1 is cut off by the end of the program").arg(address);
    case PreviewNoteKind::LinePastEnd: return tr("line %1 runs past the end of the program").arg(note_.line);
    case PreviewNoteKind::LinkBack:
        return tr("the link of line %1 points back to %2; the listing stops here")
            .arg(note_.line)
            .arg(address);
    case PreviewNoteKind::LinkPastEnd:
        return tr("the link of line %1 points to %2, past the end of the program; the listing stops here")
            .arg(note_.line)
            .arg(address);
    case PreviewNoteKind::PictureShort:
        return tr("the picture data ends at %1, %n byte(s) before the end of the bitmap; they are drawn as 0",
                  nullptr, bytes)
            .arg(address);
    case PreviewNoteKind::LeftBehind:
        return tr(
            "the FLI viewer carries the data up to $7FFF; the last %n byte(s), which are not part of the "
            "picture, are left behind",
            nullptr, bytes);
    }
    return {};
}

// The lines, then why the listing stopped early or what follows the end marker.
void PreviewPane::showListing() {
    QString text = listing_;
    if (!note_.empty())
        text += QStringLiteral("(%1)\n").arg(noteText());
    else if (bytesAfterEnd_ > 0)
        text += tr("(%n more byte(s) after the end of the program)", nullptr, int(bytesAfterEnd_)) +
                QLatin1Char('\n');
    text_->setPlainText(text);
}

void PreviewPane::showEntry(const Entry* entry) {
    note_ = {};
    listing_.clear();
    bytesAfterEnd_ = 0;
    if (!entry) {
        kind_.reset();
        text_->clear();
        hex_->clear();
        picture_->clear();
        stack_->setCurrentWidget(text_);
        showTitle();
        return;
    }
    const std::uint16_t load = loadAddress(*entry);
    const auto bytes = entryBytes(*entry);
    if (choosePreview(load, bytes) == PreviewKind::Hex) {
        kind_ = PreviewKind::Hex;
        fli_ = false;
        // Emptied, not kept: the pane holds the bytes of one entry at a time.
        if (!text_->document()->isEmpty())
            text_->clear();
        if (!picture_->pixmap().isNull())
            picture_->clear();
        hex_->showBytes(load, bytes.data(), bytes.size());
        stack_->setCurrentWidget(hex_);
        showTitle();
        return;
    }
    hex_->clear();
    const Preview preview = makePreview(*entry);
    kind_ = preview.kind;
    fli_ = preview.picture && preview.picture->format == PictureFormat::Fli;
    note_ = preview.note;
    if (preview.picture) {
        const std::vector<std::uint8_t> rgb = preview.picture->rgb();
        const QImage image(rgb.data(), Picture::kWidth, Picture::kHeight, Picture::kWidth * 3,
                           QImage::Format_RGB888);
        // Plain pixel doubling: smoothing would blur the machine's pixels.
        picture_->setPixmap(QPixmap::fromImage(image.scaled(image.size() * kScale)));
        text_->clear();
        stack_->setCurrentWidget(pictureArea_);
    } else {
        picture_->clear();
        listing_ = QString::fromStdString(preview.text);
        bytesAfterEnd_ = preview.bytesAfterEnd;
        showListing();
        stack_->setCurrentWidget(text_);
    }
    showTitle();
}

} // namespace vornix
