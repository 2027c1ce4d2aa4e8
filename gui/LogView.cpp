#include "gui/LogView.h"

#include "gui/WindowLanguage.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace vornix {

namespace {
constexpr int kMargin = 3;
// A flood of lines is shown at most this often: the view stays live without repainting per line.
constexpr int kSyncIntervalMs = 25;

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// A line as the painter and font metrics take it, without copying its characters (valid
// while the log is not changed).
QString borrowed(QStringView text) { return QString::fromRawData(text.data(), text.size()); }
} // namespace

LogView::LogView(QWidget* parent) : QAbstractScrollArea(parent), syncTimer_(new QTimer(this)) {
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(8);
    setFont(fixed);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    syncTimer_->setSingleShot(true);
    syncTimer_->setInterval(kSyncIntervalMs);
    connect(syncTimer_, &QTimer::timeout, this, &LogView::syncScrollBars);
}

void LogView::appendLine(QStringView text) {
    if (lines_.size() == 1 && lines_.length(0) == 0)
        lines_.set(0, text);
    else
        lines_.append(text);
    noteWidth(text.size());
    changed();
}

void LogView::replaceLastLine(QStringView text) {
    lines_.set(lines_.size() - 1, text);
    noteWidth(text.size());
    afterEdit();
}

void LogView::extendLastLine(QStringView text) {
    lines_.extend(lines_.size() - 1, text);
    noteWidth(lines_.length(lines_.size() - 1));
    changed(); // a longer line leaves every position valid
}

void LogView::truncateLastLine(qsizetype length) {
    lines_.truncate(lines_.size() - 1, std::max<qsizetype>(0, length));
    afterEdit();
}

void LogView::removeLastLine() {
    if (lines_.size() == 1)
        lines_.clear();
    else
        lines_.remove(lines_.size() - 1, 1);
    afterEdit();
}

void LogView::afterEdit() {
    anchor_ = clamp(anchor_);
    caret_ = clamp(caret_);
    changed();
}

QString LogView::toPlainText() const {
    QString text;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += lines_.at(i);
    }
    return text;
}

void LogView::setPlainText(const QString& text) {
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines_.clear();
    const QList<QStringView> parts = QStringView(normal).split(QLatin1Char('\n'));
    lines_.set(0, parts.first());
    for (qsizetype i = 1; i < parts.size(); ++i)
        lines_.append(parts.at(i));
    anchor_ = caret_ = Pos{};
    following_ = true;
    recomputeWidth();
    changed();
}

void LogView::clear() { setPlainText(QString()); }

void LogView::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    viewport()->update();
}

void LogView::select(Pos anchor, Pos caret) {
    anchor_ = clamp(anchor);
    caret_ = clamp(caret);
    viewport()->update();
}

void LogView::selectAll() { select(Pos{}, Pos{lines_.size() - 1, lines_.length(lines_.size() - 1)}); }

QString LogView::selectedText() const {
    const Pos s = std::min(anchor_, caret_);
    const Pos e = std::max(anchor_, caret_);
    if (s.line == e.line)
        return lines_.at(s.line).mid(s.column, e.column - s.column);
    QString text = lines_.at(s.line).mid(s.column);
    for (qsizetype i = s.line + 1; i < e.line; ++i) {
        text += QLatin1Char('\n');
        text += lines_.at(i);
    }
    text += QLatin1Char('\n');
    text += lines_.at(e.line).left(e.column);
    return text;
}

void LogView::copy() {
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void LogView::paste() {
    if (readOnly_)
        return;
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        insertText(text);
}

void LogView::changed() {
    // A plain flag: asking the timer costs more than the rest of appending a line.
    if (!syncPending_) {
        syncPending_ = true;
        syncTimer_->start();
    }
}

void LogView::syncScrollBars() {
    syncTimer_->stop();
    syncPending_ = false;
    syncing_ = true;
    QScrollBar* v = verticalScrollBar();
    const int page = visibleLines();
    v->setPageStep(page);
    v->setSingleStep(1);
    v->setRange(0, static_cast<int>(std::max<qsizetype>(0, lines_.size() - page)));
    QScrollBar* h = horizontalScrollBar();
    const qreal charWidth = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('M'));
    const int textWidth = static_cast<int>(widestChars_ * charWidth) + 2 * kMargin + 2;
    h->setPageStep(viewport()->width());
    h->setSingleStep(std::max(1, static_cast<int>(charWidth)));
    h->setRange(0, std::max(0, textWidth - viewport()->width()));
    if (following_)
        v->setValue(v->maximum());
    syncing_ = false;
    following_ = v->value() == v->maximum();
    viewport()->update();
}

void LogView::scrollContentsBy(int, int) {
    if (!syncing_)
        following_ = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    viewport()->update();
}

void LogView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    syncScrollBars();
}

void LogView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        syncScrollBars();
}

void LogView::noteWidth(qsizetype characters) { widestChars_ = std::max(widestChars_, characters); }

void LogView::recomputeWidth() {
    widestChars_ = 0;
    for (qsizetype i = 0; i < lines_.size(); ++i)
        noteWidth(lines_.length(i));
}

int LogView::lineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

int LogView::visibleLines() const { return std::max(1, (viewport()->height() - kMargin) / lineHeight()); }

LogView::Pos LogView::clamp(Pos p) const {
    p.line = std::clamp<qsizetype>(p.line, 0, lines_.size() - 1);
    p.column = std::clamp<qsizetype>(p.column, 0, lines_.length(p.line));
    return p;
}

qreal LogView::columnX(QStringView text, qsizetype column) const {
    const QFontMetricsF fm(font());
    return fm.horizontalAdvance(borrowed(text.left(column)));
}

qsizetype LogView::columnAt(QStringView text, qreal x) const {
    const QFontMetricsF fm(font());
    qreal left = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qreal w = fm.horizontalAdvance(text.at(i));
        if (x < left + w / 2)
            return i;
        left += w;
    }
    return text.size();
}

LogView::Pos LogView::posAt(const QPoint& point) const {
    const int y = point.y() - kMargin;
    const qsizetype row = y < 0 ? -1 : y / lineHeight();
    Pos p;
    p.line = std::clamp<qsizetype>(verticalScrollBar()->value() + row, 0, lines_.size() - 1);
    p.column = columnAt(lines_.at(p.line), point.x() - kMargin + horizontalScrollBar()->value());
    return p;
}

void LogView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& pal = palette();
    painter.fillRect(viewport()->rect(), pal.brush(QPalette::Base));
    painter.setFont(font());
    const int lh = lineHeight();
    const int ascent = fontMetrics().ascent();
    const qreal x0 = kMargin - horizontalScrollBar()->value();
    const qsizetype first = std::min<qsizetype>(verticalScrollBar()->value(), lines_.size() - 1);
    const qsizetype last = std::min<qsizetype>(lines_.size(), first + visibleLines() + 1);
    const Pos s = std::min(anchor_, caret_);
    const Pos e = std::max(anchor_, caret_);
    const qreal newlineWidth = QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' '));
    for (qsizetype i = first; i < last; ++i) {
        const QString text = lines_.at(i);
        const int top = kMargin + static_cast<int>(i - first) * lh;
        painter.setPen(pal.color(QPalette::Text));
        painter.drawText(QPointF(x0, top + ascent), text);
        if (hasSelection() && i >= s.line && i <= e.line) {
            const qreal xa = x0 + (i == s.line ? columnX(text, s.column) : 0);
            const qreal xb =
                x0 + (i == e.line ? columnX(text, e.column) : columnX(text, text.size()) + newlineWidth);
            const QRectF band(xa, top, xb - xa, lh);
            painter.fillRect(band, pal.brush(QPalette::Highlight));
            painter.save();
            painter.setClipRect(band);
            painter.setPen(pal.color(QPalette::HighlightedText));
            painter.drawText(QPointF(x0, top + ascent), text);
            painter.restore();
        }
    }
    if (!readOnly_ && hasFocus() && caret_.line >= first && caret_.line < last) {
        const qreal x = x0 + columnX(lines_.at(caret_.line), caret_.column);
        const int top = kMargin + static_cast<int>(caret_.line - first) * lh;
        painter.fillRect(QRectF(x, top, 1, lh), pal.brush(QPalette::Text));
    }
}

void LogView::ensureCaretVisible() {
    if (syncTimer_->isActive())
        syncScrollBars();
    QScrollBar* v = verticalScrollBar();
    const int page = visibleLines();
    if (caret_.line < v->value())
        v->setValue(static_cast<int>(caret_.line));
    else if (caret_.line >= v->value() + page)
        v->setValue(static_cast<int>(caret_.line - page + 1));
    QScrollBar* h = horizontalScrollBar();
    const int x = static_cast<int>(columnX(lines_.at(caret_.line), caret_.column));
    const int room = viewport()->width() - 2 * kMargin - 2;
    if (x < h->value())
        h->setValue(x);
    else if (x > h->value() + room)
        h->setValue(x - room);
}

void LogView::moveCaret(Pos to, bool keepAnchor) {
    caret_ = clamp(to);
    if (!keepAnchor)
        anchor_ = caret_;
    ensureCaretVisible();
    viewport()->update();
}

void LogView::removeSelection() {
    if (!hasSelection())
        return;
    const Pos s = std::min(anchor_, caret_);
    const Pos e = std::max(anchor_, caret_);
    QString joined = lines_.at(s.line).left(s.column);
    joined += lines_.at(e.line).mid(e.column);
    lines_.set(s.line, joined);
    lines_.remove(s.line + 1, e.line - s.line);
    anchor_ = caret_ = s;
}

void LogView::insertText(const QString& text) {
    removeSelection();
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList parts = normal.split(QLatin1Char('\n'));
    const QString tail = lines_.at(caret_.line).mid(caret_.column);
    lines_.truncate(caret_.line, caret_.column);
    lines_.extend(caret_.line, parts.first());
    noteWidth(lines_.length(caret_.line));
    qsizetype line = caret_.line;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        lines_.insert(++line, parts.at(i));
        noteWidth(parts.at(i).size());
    }
    caret_ = Pos{line, lines_.length(line)};
    lines_.extend(line, tail);
    noteWidth(lines_.length(line));
    anchor_ = caret_;
    syncScrollBars();
    ensureCaretVisible();
}

bool LogView::event(QEvent* event) {
    // Keep Copy, Select all, Paste and typing here even when a window binds those keys.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool typed = !readOnly_ && !key->text().isEmpty() && key->text().at(0).isPrint() &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (key == QKeySequence::Copy || key == QKeySequence::SelectAll ||
            (!readOnly_ && key == QKeySequence::Paste) || typed) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void LogView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy)
        return copy();
    if (event == QKeySequence::SelectAll)
        return selectAll();
    if (event == QKeySequence::Paste)
        return paste();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    Pos p = caret_;
    const bool vertical = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ||
                          event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown;
    if (vertical && preferredX_ < 0)
        preferredX_ = columnX(lines_.at(p.line), p.column);
    switch (event->key()) {
    case Qt::Key_Left:
        if (p.column > 0)
            --p.column;
        else if (p.line > 0)
            p = Pos{p.line - 1, lines_.length(p.line - 1)};
        break;
    case Qt::Key_Right:
        if (p.column < lines_.length(p.line))
            ++p.column;
        else if (p.line + 1 < lines_.size())
            p = Pos{p.line + 1, 0};
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const qsizetype step =
            event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ? 1 : visibleLines();
        const bool up = event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp;
        p.line = std::clamp<qsizetype>(p.line + (up ? -step : step), 0, lines_.size() - 1);
        // Page keys move the view along; the caret keeps its column as far as the line allows.
        if (syncTimer_->isActive())
            syncScrollBars();
        QScrollBar* v = verticalScrollBar();
        if (step > 1)
            v->setValue(v->value() + static_cast<int>(up ? -step : step));
        p.column = columnAt(lines_.at(p.line), preferredX_);
        if (!shift)
            anchor_ = p;
        caret_ = p;
        ensureCaretVisible();
        viewport()->update();
        return;
    }
    case Qt::Key_Home: p = ctrl ? Pos{} : Pos{p.line, 0}; break;
    case Qt::Key_End:
        p = ctrl ? Pos{lines_.size() - 1, lines_.length(lines_.size() - 1)}
                 : Pos{p.line, lines_.length(p.line)};
        break;
    default:
        if (readOnly_)
            return QAbstractScrollArea::keyPressEvent(event);
        preferredX_ = -1;
        switch (event->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            if (!hasSelection()) {
                const bool back = event->key() == Qt::Key_Backspace;
                Pos other = caret_;
                if (back && other.column > 0)
                    --other.column;
                else if (back && other.line > 0)
                    other = Pos{other.line - 1, lines_.length(other.line - 1)};
                else if (!back && other.column < lines_.length(other.line))
                    ++other.column;
                else if (!back && other.line + 1 < lines_.size())
                    other = Pos{other.line + 1, 0};
                anchor_ = other;
            }
            removeSelection();
            syncScrollBars();
            ensureCaretVisible();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter: return insertText(QStringLiteral("\n"));
        default: {
            const QString text = event->text();
            const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
            if (plain && !text.isEmpty() && text.at(0).isPrint())
                return insertText(text);
            return QAbstractScrollArea::keyPressEvent(event);
        }
        }
    }
    preferredX_ = -1;
    moveCaret(p, shift);
}

void LogView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    preferredX_ = -1;
    selecting_ = true;
    moveCaret(posAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void LogView::mouseMoveEvent(QMouseEvent* event) {
    if (selecting_ && (event->buttons() & Qt::LeftButton))
        moveCaret(posAt(event->position().toPoint()), true);
}

void LogView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    selecting_ = false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void LogView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseDoubleClickEvent(event);
    const Pos at = posAt(event->position().toPoint());
    const QString text = lines_.at(at.line);
    qsizetype begin = at.column;
    qsizetype end = at.column;
    while (begin > 0 && isWordChar(text.at(begin - 1)))
        --begin;
    while (end < text.size() && isWordChar(text.at(end)))
        ++end;
    select(Pos{at.line, begin}, Pos{at.line, end});
}

void LogView::contextMenuEvent(QContextMenuEvent* event) {
    gui::followWindowLanguage(staticMetaObject.className(), this);
    QMenu menu(this);
    QAction* copyAction = menu.addAction(tr("&Copy"), this, &LogView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    if (!readOnly_) {
        QAction* pasteAction = menu.addAction(tr("&Paste"), this, &LogView::paste);
        pasteAction->setShortcut(QKeySequence::Paste);
        pasteAction->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    }
    menu.addSeparator();
    QAction* all = menu.addAction(tr("Select &all"), this, &LogView::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}

void LogView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void LogView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace vornix
