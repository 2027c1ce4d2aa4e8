#pragma once
// Quoting for the command lines the tool windows build. The runner splits a command line
// at blanks outside double quotes, and reads three double quotes in a row as one literal
// double quote. Writing every double quote of a value as three keeps a file name or typed
// text from ending its quoted part early, splitting into more arguments or swallowing the
// arguments after it.
#include <string>
#include <string_view>

namespace vornix {

// "value", with its double quotes tripled.
std::string quotedArgument(std::string_view value);
// value with its double quotes tripled, for text the line carries without quotes.
std::string escapedQuotes(std::string_view value);

} // namespace vornix
