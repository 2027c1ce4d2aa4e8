#pragma once
// What every subcommand shares: the parsing of its options, the messages and exit codes,
// entry numbers, opening an image, text for the terminal.
#include "cli/Command.h"

#include <map>
#include <optional>
#include <set>
#include <string>

namespace vornix {
class TapeDocument;
}

namespace vornix::cli {

struct CommandLine;

// Exit code 2, with the command's usage on standard error.
int usageError(const Command& command, const std::string& message);
int usageError(const CommandLine& cl, const std::string& message);
// Exit code 1, with the message on standard error.
int failure(const std::string& message);
// A remark on standard error that does not change the exit code.
void note(const std::string& message);

// Options and operands of one subcommand. Options may stand anywhere; "--" ends them.
struct CommandLine {
    const Command* command = nullptr;
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

// The folder files are extracted into, made with its parents when missing (as unzip -d
// does); false (message printed) when it is no folder or cannot be made.
bool outputFolder(const std::string& folder);

// Opens the image, noting its repairs; false (message printed) when it is refused.
bool openImage(TapeDocument& doc, const std::string& path);

// Bytes as a terminal may show them: control characters (C0, DEL and C1) as \xNN and the
// backslash doubled, the rest Latin-1 characters in the platform's encoding.
std::string plainText(const std::string& bytes);

} // namespace vornix::cli
