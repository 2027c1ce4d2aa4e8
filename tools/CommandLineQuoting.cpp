#include "tools/CommandLineQuoting.h"

namespace vornix {

std::string escapedQuotes(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        if (c == '"')
            out += "\"\"\"";
        else
            out += c;
    }
    return out;
}

std::string quotedArgument(std::string_view value) { return '"' + escapedQuotes(value) + '"'; }

} // namespace vornix
