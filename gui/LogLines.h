#pragma once
#include "gui/LogBlocks.h"

#include <QString>
#include <QStringView>

#include <bit>
#include <vector>

namespace vornix {

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

} // namespace vornix
