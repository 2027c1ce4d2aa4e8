#pragma once
// Cuts what a child process prints into lines. Each read is cut on its own: a line that is
// still open when a read ends is handed out as the beginning of a line and carried over,
// and handed out again, whole, once its end arrives.
#include <string>
#include <string_view>

namespace vornix {

class LineCutter {
public:
    // sink(std::string_view line, bool entire): entire is false for the beginning of a line
    // whose end has not arrived yet. Zero bytes are dropped; LF, CR and CR LF end a line
    // (a CR LF split across two reads counts as two line ends).
    template <typename Sink> void feed(std::string_view bytes, Sink&& sink);
    // The end of the output: a line left open is handed out whole.
    template <typename Sink> void finish(Sink&& sink);

    const std::string& pending() const { return line_; }

private:
    std::string line_;
};

template <typename Sink> void LineCutter::feed(std::string_view bytes, Sink&& sink) {
    // An empty read (the last look at a pipe after the child ended) is no read at all: it
    // must not hand out the open line's beginning once more.
    if (bytes.empty())
        return;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        // Copy the run of ordinary bytes in one go; only NUL, CR and LF need a decision.
        const char* q = p;
        while (q < end && *q != '\n' && *q != '\r' && *q != '\0')
            ++q;
        line_.append(p, static_cast<std::size_t>(q - p));
        if (q == end)
            break;
        const char c = *q++;
        if (c != '\0') {
            if (c == '\r' && q < end && *q == '\n')
                ++q;
            sink(std::string_view(line_), true);
            line_.clear();
        }
        p = q;
    }
    if (!line_.empty())
        sink(std::string_view(line_), false);
}

template <typename Sink> void LineCutter::finish(Sink&& sink) {
    if (line_.empty())
        return;
    sink(std::string_view(line_), true);
    line_.clear();
}

} // namespace vornix
