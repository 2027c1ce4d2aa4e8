#include "gui/LogLines.h"

#include <algorithm>
#include <cstring>

namespace vornix {

namespace {
// Latin-1 characters to their bytes. The buffers never overlap: said so, the compiler copies
// many characters at a time.
void narrow(const char16_t* __restrict from, char* __restrict to, qsizetype n) {
    for (qsizetype k = 0; k < n; ++k)
        to[k] = static_cast<char>(from[k]);
}
} // namespace

void LogLines::pushSpan(const Span& s) {
    // Chunk k holds as many spans as all before it (chunk 0 and 1: kFirstChunk), up to kChunk.
    if (count_ == capacity_) {
        const qsizetype next = std::clamp(capacity_, kFirstChunk, kChunk);
        index_.add(next * static_cast<qsizetype>(sizeof(Span)));
        capacity_ += next;
    }
    ++count_;
    span(count_ - 1) = s;
}

void LogLines::clear() {
    text_.clear();
    used_.clear();
    index_.clear();
    count_ = capacity_ = live_ = waste_ = 0;
    pushSpan(Span{});
}

bool LogLines::atEnd(qsizetype i) const {
    const Span& s = span(i);
    return !used_.empty() && s.block == used_.size() - 1 && s.offset + s.bytes() == used_.back();
}

char* LogLines::claim(Span& s, qsizetype bytes, bool even) {
    qsizetype from = used_.empty() ? 0 : used_.back() + (even ? used_.back() % 2 : 0);
    if (used_.empty() || from + bytes > text_.capacity(text_.count() - 1)) {
        // The rest of the full block stays unused; a line longer than a block gets its own.
        text_.add(std::max(LogBlocks::seriesSize(text_.count()), bytes));
        used_.push_back(0);
        from = 0;
    }
    const qsizetype pad = from - used_.back();
    live_ += pad + bytes;
    waste_ += pad;
    used_.back() = from + bytes;
    s.block = static_cast<quint32>(used_.size() - 1);
    s.offset = static_cast<quint32>(from);
    return text_.data(s.block) + from;
}

QString LogLines::at(qsizetype i) const {
    const Span& s = span(i);
    if (s.length == 0)
        return QString();
    if (!s.wide)
        return QString::fromLatin1(where(s), s.length);
    QString text(s.length, Qt::Uninitialized);
    std::memcpy(text.data(), where(s), static_cast<std::size_t>(s.bytes()));
    return text;
}

void LogLines::put(Span& s, QStringView text) {
    const auto* chars = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    // Two plain passes that the compiler turns into vector code: is every character Latin-1,
    // then the narrowing copy.
    char16_t all = 0;
    for (qsizetype k = 0; k < n; ++k)
        all |= chars[k];
    s.wide = all > 0xFF;
    s.length = n;
    char* out = claim(s, s.bytes(), s.wide);
    if (!s.wide) {
        narrow(chars, out, n);
    } else {
        std::memcpy(out, chars, static_cast<std::size_t>(2 * n));
    }
}

void LogLines::append(QStringView text) {
    Span s;
    put(s, text);
    pushSpan(s);
}

void LogLines::insert(qsizetype i, QStringView text) {
    Span s;
    put(s, text);
    pushSpan(s);
    for (qsizetype k = count_ - 1; k > i; --k)
        span(k) = span(k - 1);
    span(i) = s;
}

void LogLines::set(qsizetype i, QStringView text) {
    drop(i);
    put(span(i), text);
    compactIfWasteful();
}

void LogLines::extend(qsizetype i, QStringView text) {
    Span& s = span(i);
    char16_t all = 0;
    for (const QChar c : text)
        all |= c.unicode();
    const qsizetype more = s.wide ? 2 * text.size() : text.size();
    if (!atEnd(i) || (!s.wide && all > 0xFF) || used_.back() + more > text_.capacity(text_.count() - 1)) {
        // Moved to the end (and widened if need be), where it grows in place.
        QString whole = at(i);
        whole += text;
        set(i, whole);
        return;
    }
    char* out = text_.data(s.block) + used_.back();
    if (s.wide) {
        std::memcpy(out, text.utf16(), static_cast<std::size_t>(more));
    } else {
        narrow(reinterpret_cast<const char16_t*>(text.utf16()), out, text.size());
    }
    used_.back() += more;
    live_ += more;
    s.length += text.size();
}

void LogLines::truncate(qsizetype i, qsizetype length) {
    if (length >= span(i).length)
        return;
    const bool wasAtEnd = atEnd(i);
    Span& s = span(i);
    const qsizetype cut = s.bytes() - (s.wide ? 2 * length : length);
    s.length = length;
    if (wasAtEnd) {
        used_.back() -= cut;
        live_ -= cut;
    } else {
        waste_ += cut;
    }
}

void LogLines::drop(qsizetype i) {
    Span& s = span(i);
    if (atEnd(i)) {
        used_.back() -= s.bytes();
        live_ -= s.bytes();
    } else {
        waste_ += s.bytes();
    }
    s.length = 0;
}

void LogLines::remove(qsizetype i, qsizetype count) {
    for (qsizetype k = i + count - 1; k >= i; --k)
        drop(k);
    for (qsizetype k = i; k + count < count_; ++k)
        span(k) = span(k + count);
    count_ -= count;
    if (count_ == 0)
        clear();
    compactIfWasteful();
}

void LogLines::compactIfWasteful() {
    if (waste_ < 4096 || waste_ < live_ / 2)
        return;
    // The lines are written afresh into new blocks, in order.
    LogBlocks old = std::move(text_);
    used_.clear();
    live_ = waste_ = 0;
    for (qsizetype i = 0; i < count_; ++i) {
        Span& s = span(i);
        const char* from = s.length > 0 ? old.data(s.block) + s.offset : nullptr;
        char* to = claim(s, s.bytes(), s.wide);
        if (from)
            std::memcpy(to, from, static_cast<std::size_t>(s.bytes()));
    }
}

} // namespace vornix
