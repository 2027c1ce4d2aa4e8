#pragma once
// The tool windows' log. Keeps its lines in a plain list and paints only the visible ones, so
// a tool that prints hundreds of thousands of lines costs a few microseconds a line instead
// of a text-document block each. Read-only or editable (caret, typing, pasting).
#include <QAbstractScrollArea>
#include <QStringList>

class QTimer;

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
    void appendLine(const QString& text);
    // Replaces the text of the last line.
    void replaceLastLine(const QString& text);
    const QString& lastLine() const { return lines_.last(); }
    qsizetype lineCount() const { return lines_.size(); }
    const QString& line(qsizetype index) const { return lines_.at(index); }

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
    void changed();         // text changed: schedule one scroll-bar update and repaint
    void syncScrollBars();  // the scroll ranges follow the text; the end stays in view if followed
    void insertText(const QString& text);
    void removeSelection();
    void moveCaret(Pos to, bool keepAnchor);
    void ensureCaretVisible();
    Pos clamp(Pos p) const;
    Pos posAt(const QPoint& viewportPoint) const;
    qsizetype columnAt(const QString& text, qreal x) const;
    qreal columnX(const QString& text, qsizetype column) const;
    int lineHeight() const;
    int visibleLines() const;
    void noteWidth(const QString& text);
    void recomputeWidth();

    QStringList lines_{QString()}; // never empty: an empty log is one empty line
    Pos anchor_;
    Pos caret_;
    bool readOnly_ = false;
    bool following_ = true;
    QTimer* syncTimer_;
    bool syncing_ = false;
    bool selecting_ = false;
    qsizetype widestChars_ = 0;
    qreal preferredX_ = -1; // where Up/Down keep the caret, as editors do
};
