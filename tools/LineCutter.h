#pragma once
// Cuts what a child process prints into lines. Each read is cut on its own: a line that is
// still open when a read ends is handed out as the beginning of a line and carried over,
// and handed out again, whole, once its end arrives.
#include <string>
#include <string_view>

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
        while (q < end && *q != CharT('\n') && *q != CharT('\r') && *q != CharT('\0'))
            ++q;
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
