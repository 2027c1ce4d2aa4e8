#pragma once
// The tape tool tape64: its options as the tape conversion window and the TAP linker pass
// them, and its run. Plain C++; main() only hands over the arguments.
#include "tape/TapeReader.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vornix::tape {

struct Tape64Options {
    std::string input;                 // -i:
    PulseOptions pulses;               // -v0: -f: -t: -r -s:
    bool yes = false;                  // -y
    bool numbered = false;             // -n
    bool damaged = false;              // -e
    std::optional<std::string> tapOut; // -or:
    std::optional<std::string> t64Out; // -ot:
    std::optional<std::string> p00Out; // -op:
    bool help = false;
    bool version = false;
};

// Why the words are no valid call of the tool.
struct ArgumentError {
    enum class Reason {
        None,
        NotAnOption,   // word: a word that is no option
        UnknownOption, // word
        NoValue,       // option
        BadSpeed,      // option, value
        OutOfRange,    // option, value, low, high
        Repeated,      // option: given a second time
        NoInput,
    };
    Reason reason = Reason::None;
    std::string word;   // the word as given
    std::string option; // the option's name with its dash ("-f")
    std::string value;
    int low = 0, high = 0;
    explicit operator bool() const { return reason != Reason::None; }
};

struct Tape64Arguments {
    Tape64Options options;
    ArgumentError error;
};

// The tool's words for why the call is wrong: "-t:0: a whole number from 1 to 255 is needed".
std::string describe(const ArgumentError& error);

// Options in any order, "-x:VALUE" with the value also allowed in double quotes or as the
// next word.
Tape64Arguments parseTape64Arguments(const std::vector<std::string>& args);

void tape64Help(std::ostream& out);

// Exit codes: 0 done, 1 failed (the reason is the last line), 2 usage error.
int runTape64(const Tape64Options& options, std::ostream& out);

} // namespace vornix::tape
