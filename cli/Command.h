#pragma once
// A subcommand of vornix-cli as it declares itself: its name, summary, operands and options.
// From these the shared start parses the words, answers --help and reports usage errors, and
// the program's help, manual page and bash completion are written.
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vornix {
class TapeDocument;
}

namespace vornix::cli {

using Args = std::vector<std::string>;

struct CommandLine;

// An operand or an option, in the order the usage line shows them.
struct Parameter {
    enum class Kind { Operand, Flag, Valued };
    // How an operand is counted, or where an option stands in the usage line.
    enum class Use {
        One,        // operand: exactly one
        Many,       // operand: one or more
        Any,        // operand: none or more
        Optional,   // option: in brackets
        Required,   // option: without brackets, first of a group the command needs one of
        OrPrevious, // option: an alternative to the one before, joined by "|"
        Unshown,    // option: described in the help, left out of the usage line
    };
    Kind kind = Kind::Operand;
    // Operand: its name in the usage line. Option: its spellings, comma separated; the
    // first is shown in the usage line.
    const char* names = "";
    const char* value = nullptr; // a valued option's value as the usage shows it
    const char* help = "";
    Use use = Use::One;
    const char* missing = nullptr; // the usage error for an absent operand, after "missing "

    Parameter missingText(const char* text) const {
        Parameter p = *this;
        p.missing = text;
        return p;
    }
    bool isOption() const { return kind != Kind::Operand; }
    // Each spelling of an option.
    std::vector<std::string> spellings() const;
};

Parameter operand(const char* name, const char* help, Parameter::Use use = Parameter::Use::One);
Parameter flag(const char* names, const char* help, Parameter::Use use = Parameter::Use::Optional);
Parameter valued(const char* names, const char* value, const char* help,
                 Parameter::Use use = Parameter::Use::Optional);

struct Command {
    const char* name = "";
    const char* summary = ""; // one line for the program's command list
    std::string text;         // what the command does, lines of at most 90 columns
    std::vector<Parameter> parameters;
    // A paragraph several commands share (starting with a blank line), given after the
    // parameters; the manual page gives it once.
    const char* shared = "";
    // Runs after the shared start: the words are parsed and every declared operand is there
    // (or the flag alone, below, is given).
    std::function<int(const CommandLine&)> run = {};
    // A flag that stands instead of the operands, as --help does: it lists, reading nothing.
    const char* alone = nullptr;

    // The usage line after "vornix-cli ": name, operands and options.
    std::string usage() const;
};

// A command on an existing T64 image that it opens, changes and saves in place, holding
// the image's lock throughout. check runs before the image is opened and gives a usage error
// or nothing; change gives an exit code to end with, or nothing to save the image.
using ImageCheck = std::function<std::string(const CommandLine&)>;
using ImageChange = std::function<std::optional<int>(TapeDocument&, const CommandLine&)>;
Command imageEdit(Command command, bool numbered, ImageChange change, ImageCheck check = {});

// Every command, in the order the program's help lists them.
const std::vector<Command>& commands();

// The shared start: help, usage errors, then the command's own work. Returns the exit code.
int runCommand(const Command& command, const Args& args);

// The program's help: usage, what it does, the commands.
void writeProgramHelp(std::ostream& out);
// The help of one command.
void writeHelp(std::ostream& out, const Command& command);
// The manual page vornix-cli(1) in roff.
void writeManPage(std::ostream& out, const std::string& version, const std::string& date);
// A bash completion script for vornix-cli.
void writeBashCompletion(std::ostream& out);

} // namespace vornix::cli
