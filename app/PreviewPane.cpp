#include "app/PreviewPane.h"

#include "preview/Preview.h"

#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vornix {

namespace {

// Twice the machine's pixels, so that the picture is seen as on a screen.
constexpr int kScale = 2;

QString titleText(std::optional<PreviewKind> kind, bool fli, bool english) {
    if (!kind)
        return english ? QStringLiteral("No entry selected") : QStringLiteral("Nie zaznaczono programu");
    switch (*kind) {
    case PreviewKind::Basic:
        return english ? QStringLiteral("BASIC listing") : QStringLiteral("Listing BASIC");
    case PreviewKind::Picture:
        if (fli)
            return english ? QStringLiteral("FLI picture") : QStringLiteral("Obrazek FLI");
        return english ? QStringLiteral("Koala Paint picture") : QStringLiteral("Obrazek Koala Paint");
    case PreviewKind::Hex: break;
    }
    return english ? QStringLiteral("Bytes (hex)") : QStringLiteral("Bajty (hex)");
}

} // namespace

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

    stack_ = new QStackedWidget(this);
    stack_->addWidget(text_);
    stack_->addWidget(pictureArea_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(title_);
    layout->addWidget(stack_, 1);
    showEntry(nullptr);
}

void PreviewPane::setEnglish(bool english) {
    english_ = english;
    showTitle();
}

void PreviewPane::showTitle() {
    QString text = titleText(kind_, fli_, english_);
    if (!note_.isEmpty())
        text += QStringLiteral(" \u2014 ") + note_;
    title_->setText(text);
}

void PreviewPane::showEntry(const Entry* entry) {
    note_.clear();
    if (!entry) {
        kind_.reset();
        text_->clear();
        picture_->clear();
        stack_->setCurrentWidget(text_);
        showTitle();
        return;
    }
    const Preview preview = makePreview(*entry);
    kind_ = preview.kind;
    fli_ = preview.picture && preview.picture->format == PictureFormat::Fli;
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
        text_->setPlainText(QString::fromStdString(preview.text));
        stack_->setCurrentWidget(text_);
    }
    // The note is in English, like every message of the plain code.
    note_ = QString::fromStdString(preview.note);
    showTitle();
}

} // namespace vornix
