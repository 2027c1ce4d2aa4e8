#pragma once
// The tool windows' log. Keeps its lines in one growing buffer and paints only the visible
// ones, so a tool that prints millions of lines costs a copy of its text and no allocation
// per line. Read-only or editable (caret, typing, pasting).
#include "gui/LogLines.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QStringView>

class QTimer;

namespace vornix {

class LogView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    struct Pos {
        qsizetype line = 0;
        qsizetype column = 0;
        friend bool operator==(const Pos&, const Pos&) = default;
        friend auto operator<=>(const Pos&, const Pos&) = default;
    };

    explicit LogView(QWidget* parent = nullptr);

    // Adds a last line; on an empty log the text becomes the first line (as a text box does).
    // Costs a copy of the text, no allocation of its own.
    void appendLine(QStringView text);
    void appendLine(const QString& text) { appendLine(QStringView(text)); }
    // Replaces the text of the last line.
    void replaceLastLine(QStringView text);
    // Adds text to the end of the last line.
    void extendLastLine(QStringView text);
    // Cuts the last line down to length characters.
    void truncateLastLine(qsizetype length);
    // Removes the last line; the only line is emptied instead.
    void removeLastLine();
    QString lastLine() const { return lines_.last(); }
    qsizetype lastLineLength() const { return lines_.length(lines_.size() - 1); }
    qsizetype lineCount() const { return lines_.size(); }
    QString line(qsizetype index) const { return lines_.at(index); }

    // The whole text, lines joined with "\n".
    QString toPlainText() const;
    void setPlainText(const QString& text);
    void clear();

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    // Selection from anchor to the caret (both clamped into the text).
    void select(Pos anchor, Pos caret);
    void selectAll();
    bool hasSelection() const { return anchor_ != caret_; }
    QString selectedText() const;
    Pos caretPosition() const { return caret_; }
    // Puts the selected text on the clipboard; nothing happens without a selection.
    void copy();
    // Inserts text at the caret in place of the selection (editable mode only).
    void paste();
    // Whether new lines scroll the view: true while the view shows the end.
    bool isFollowingEnd() const { return following_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void changed();        // text changed: schedule one scroll-bar update and repaint
    void syncScrollBars(); // the scroll ranges follow the text; the end stays in view if followed
    void insertText(const QString& text);
    void removeSelection();
    void moveCaret(Pos to, bool keepAnchor);
    void ensureCaretVisible();
    Pos clamp(Pos p) const;
    Pos posAt(const QPoint& viewportPoint) const;
    qsizetype columnAt(QStringView text, qreal x) const;
    qreal columnX(QStringView text, qsizetype column) const;
    int lineHeight() const;
    int visibleLines() const;
    void noteWidth(qsizetype characters);
    void afterEdit(); // caret and anchor clamped, redisplay scheduled
    void recomputeWidth();

    LogLines lines_; // never empty: an empty log is one empty line
    Pos anchor_;
    Pos caret_;
    bool readOnly_ = false;
    bool following_ = true;
    QTimer* syncTimer_;
    bool syncing_ = false;
    bool syncPending_ = false;
    bool selecting_ = false;
    qsizetype widestChars_ = 0;
    qreal preferredX_ = -1; // where Up/Down keep the caret, as editors do
};

} // namespace vornix
