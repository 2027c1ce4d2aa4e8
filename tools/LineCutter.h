#pragma once
// Cuts what a child process prints into lines. Each read is cut on its own: a line that is
// still open when a read ends is handed out as the beginning of a line and carried over,
// and handed out again, whole, once its end arrives.
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vornix {

// How a line handed out ended.
enum class LineEnd {
    Open,   // not yet: the beginning of a line, carried over to the next read
    Feed,   // LF or CR LF
    Return, // a lone CR: a console writes what follows over this line
};

// Works on bytes (char) as well as on text decoded a read at a time (char16_t), so that a
// caller can decode a whole read once and hand out views into it.
template <typename CharT> class BasicLineCutter {
  public:
    using View = std::basic_string_view<CharT>;

    // sink(View line, LineEnd end). Zero characters are dropped; LF, CR and CR LF end a
    // line (a CR LF split across two reads counts as two line ends).
    template <typename Sink> void feed(View chars, Sink&& sink);
    // The end of the output: a line left open is handed out whole.
    template <typename Sink> void finish(Sink&& sink);

    const std::basic_string<CharT>& pending() const { return line_; }

  private:
    template <typename Sink> void endLine(const CharT* from, const CharT* to, LineEnd end, Sink& sink);

    std::basic_string<CharT> line_;
};

using LineCutter = BasicLineCutter<char>;

// The first NUL, CR or LF in [p, end), or end. Every character above CR is ordinary, so a
// block of them is passed over with one comparison each, eight at a time where SSE2 is there.
inline const char* findLineBreak(const char* p, const char* end) {
    while (p<end&& static_cast<unsigned char>(*p)> '\r')
        ++p;
    return p;
}

inline const char16_t* findLineBreak(const char16_t* p, const char16_t* end) {
#if defined(__SSE2__)
    const __m128i limit = _mm_set1_epi16('\r');
    const __m128i zero = _mm_setzero_si128();
    while (end - p >= 8) {
        __m128i block;
        std::memcpy(&block, p, sizeof block);
        // Saturating subtraction leaves zero exactly for the characters up to CR.
        const int low = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(block, limit), zero));
        if (low != 0)
            return p + __builtin_ctz(static_cast<unsigned>(low)) / 2;
        p += 8;
    }
#endif
    while (p<end&& * p> u'\r')
        ++p;
    return p;
}

template <typename CharT>
template <typename Sink>
void BasicLineCutter<CharT>::endLine(const CharT* from, const CharT* to, LineEnd end, Sink& sink) {
    // A line that lies whole inside this read is handed out where it lies: no copy.
    if (line_.empty()) {
        sink(View(from, static_cast<std::size_t>(to - from)), end);
        return;
    }
    line_.append(from, static_cast<std::size_t>(to - from));
    sink(View(line_), end);
    line_.clear();
}

template <typename CharT>
template <typename Sink>
void BasicLineCutter<CharT>::feed(View chars, Sink&& sink) {
    // An empty read (the last look at a pipe after the child ended) is no read at all: it
    // must not hand out the open line's beginning once more.
    if (chars.empty())
        return;
    const CharT* p = chars.data();
    const CharT* const end = p + chars.size();
    while (p < end) {
        // Scan the run of ordinary characters; only NUL, CR and LF need a decision.
        const CharT* q = p;
        for (;;) {
            q = findLineBreak(q, end);
            if (q == end || *q == CharT('\n') || *q == CharT('\r') || *q == CharT('\0'))
                break;
            ++q; // a control character below CR that is kept
        }
        if (q == end) {
            line_.append(p, static_cast<std::size_t>(q - p));
            break;
        }
        const CharT c = *q;
        if (c == CharT('\0')) {
            line_.append(p, static_cast<std::size_t>(q - p));
            p = q + 1;
            continue;
        }
        const CharT* next = q + 1;
        LineEnd how = LineEnd::Feed;
        if (c == CharT('\r')) {
            if (next < end && *next == CharT('\n'))
                ++next;
            else
                how = LineEnd::Return;
        }
        endLine(p, q, how, sink);
        p = next;
    }
    if (!line_.empty())
        sink(View(line_), LineEnd::Open);
}

template <typename CharT> template <typename Sink> void BasicLineCutter<CharT>::finish(Sink&& sink) {
    if (line_.empty())
        return;
    sink(View(line_), LineEnd::Feed);
    line_.clear();
}

} // namespace vornix
