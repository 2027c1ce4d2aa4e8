#pragma once
// The tool windows' log. Keeps its lines in one growing buffer and paints only the visible
// ones, so a tool that prints millions of lines costs a copy of its text and no allocation
// per line. Read-only or editable (caret, typing, pasting).
#include <QAbstractScrollArea>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include "core/PlatformFile.h"

#include <bit>
#include <vector>

class QTimer;

namespace vornix {

// Memory for the log in blocks that never move once written: growing the log neither copies
// what is there nor touches it again. Blocks start small (a quiet log stays small) and grow to
// a size the system can back with large pages, so a flood of lines costs few page faults.
class LogBlocks {
  public:
    LogBlocks() = default;
    ~LogBlocks() { clear(); }
    LogBlocks(const LogBlocks&) = delete;
    LogBlocks& operator=(const LogBlocks&) = delete;
    LogBlocks(LogBlocks&& other) noexcept { swap(other); }
    LogBlocks& operator=(LogBlocks&& other) noexcept {
        swap(other);
        return *this;
    }
    void swap(LogBlocks& other) noexcept { blocks_.swap(other.blocks_); }

    qsizetype count() const { return static_cast<qsizetype>(blocks_.size()); }
    char* data(qsizetype block) const {
        return reinterpret_cast<char*>(blocks_[static_cast<std::size_t>(block)].data);
    }
    qsizetype capacity(qsizetype block) const {
        return static_cast<qsizetype>(blocks_[static_cast<std::size_t>(block)].size);
    }
    // A new last block of that many bytes.
    void add(qsizetype bytes);
    void clear();
    // Bytes of block k of the series: 64 KiB doubling up to 2 MiB.
    static qsizetype seriesSize(qsizetype k);

  private:
    std::vector<platform::LargeBuffer> blocks_;
};

// The lines of a log: spans of append-only byte blocks. A line whose characters all fit in
// Latin-1 (nearly every line a tool prints) takes a byte a character, any other line two, so
// the log of a chatty tool costs about its own size in memory. A line rewritten at the end of
// the last block is rewritten in place; a line rewritten elsewhere moves to the end, and the
// space it leaves is reclaimed once it outweighs the live text.
class LogLines {
  public:
    LogLines() { clear(); }
    qsizetype size() const { return count_; }
    QString at(qsizetype i) const;
    QString last() const { return at(size() - 1); }
    // Characters in line i.
    qsizetype length(qsizetype i) const { return span(i).length; }
    void append(QStringView text);
    void insert(qsizetype i, QStringView text);
    void set(qsizetype i, QStringView text);
    // Adds text to the end of line i.
    void extend(qsizetype i, QStringView text);
    void truncate(qsizetype i, qsizetype length);
    void remove(qsizetype i, qsizetype count);
    // One empty line.
    void clear();

  private:
    struct Span {
        qsizetype length = 0; // characters
        quint32 block = 0;
        quint32 offset : 31 = 0; // bytes into the block
        quint32 wide : 1 = 0;    // UTF-16 (two bytes a character, at an even offset), else Latin-1
        qsizetype bytes() const { return wide ? 2 * length : length; }
    };
    // The spans live in blocks too, so that a million lines never move their index around:
    // chunk 0 and 1 hold kFirstChunk spans, each next one twice as many up to kChunk.
    static constexpr qsizetype kFirstChunk = 512;
    static constexpr qsizetype kChunk = 2 * 1024 * 1024 / sizeof(Span);
    Span& span(qsizetype i) const {
        qsizetype chunk = 0;
        qsizetype offset = i;
        if (i >= kChunk) {
            // Past the growing chunks (which add up to kChunk spans) all chunks are kChunk long.
            constexpr qsizetype kGrowing = std::bit_width(static_cast<quint64>(kChunk / kFirstChunk));
            chunk = kGrowing - 1 + i / kChunk;
            offset = i % kChunk;
        } else if (i >= kFirstChunk) {
            chunk = std::bit_width(static_cast<quint64>(i / kFirstChunk));
            offset = i - (kFirstChunk << (chunk - 1));
        }
        return reinterpret_cast<Span*>(index_.data(chunk))[offset];
    }
    void pushSpan(const Span& s);

    bool atEnd(qsizetype i) const;
    const char* where(const Span& s) const { return text_.data(s.block) + s.offset; }
    // Room for bytes at the end of the last block (at an even offset when even), moving on to
    // a new block when they do not fit.
    char* claim(Span& s, qsizetype bytes, bool even);
    // Writes text at the end of the last block for span.
    void put(Span& span, QStringView text);
    void drop(qsizetype i);
    void compactIfWasteful();

    LogBlocks text_;
    std::vector<qsizetype> used_; // bytes used per text block
    LogBlocks index_;             // the spans, in chunks
    qsizetype count_ = 0;         // spans in use
    qsizetype capacity_ = 0;      // spans the chunks hold
    qsizetype live_ = 0;          // bytes of the text blocks in use, lines and gaps alike
    qsizetype waste_ = 0;         // bytes no line uses
};

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
