#pragma once
// What every subcommand shares: its help, the parsing of its options, the messages and exit
// codes, entry numbers, opening an image, JSON text.
#include "cli/Commands.h"

#include <map>
#include <optional>
#include <set>
#include <string>

namespace vornix {
class TapeDocument;
}

namespace vornix::cli {

struct Help {
    const char* name;
    const char* usage;
    const char* text;
};

// The usage line and the text, then `more` (options several commands share).
void printHelp(const Help& h, const char* more = "");
// Exit code 2, with the usage on standard error.
int usageError(const Help& h, const std::string& message);
// Exit code 1, with the message on standard error.
int failure(const std::string& message);
// A remark on standard error that does not change the exit code.
void note(const std::string& message);

// Options and operands of one subcommand. Options may stand anywhere; "--" ends them.
struct CommandLine {
    std::vector<std::string> operands;
    std::set<std::string> flags;
    std::map<std::string, std::string> values;
    bool help = false;
    std::string error;
    // Operands and values of valued options in the order given: {option, value}, with an
    // empty option for an operand.
    std::vector<std::pair<std::string, std::string>> sequence;
};

// flags take no value; valued options take one ("--label X" or "--label=X"). Options stand
// before or after operands; after "--" every word is an operand. The first unknown option or
// missing value is the error; --help anywhere before "--" counts all the same.
CommandLine parse(const Args& args, const std::set<std::string>& flags,
                  const std::set<std::string>& valued = {});

// A decimal number from low to high, or nothing.
std::optional<int> number(const std::string& text, int low, int high);
// An entry number as the user counts: 1 to the most entries an image holds.
std::optional<int> entryNumber(const std::string& text);
// Why text is not an entry number, for the usage error.
std::string notAnEntryNumber(const std::string& text);

// Why output may not be written, or empty: it names the file input names (the same path, a
// link to it or a hard link), and writing it would replace what is being read. what says
// what input is ("the tape image").
std::string overwritesInput(const std::string& input, const std::string& output, const std::string& what);

// Opens the image, noting its repairs; false (message printed) when it is refused.
bool openImage(TapeDocument& doc, const std::string& path);

// Bytes as a terminal may show them: control characters (C0, DEL and C1) as \xNN and the
// backslash doubled, the rest Latin-1 characters in the platform's encoding.
std::string plainText(const std::string& bytes);

// Code points 0-255, one per byte, as JSON text.
std::string jsonText(const std::string& bytes);
// The same, appended to out.
void appendJsonText(std::string& out, const std::string& bytes);

} // namespace vornix::cli
