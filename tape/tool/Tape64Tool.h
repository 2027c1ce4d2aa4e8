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

// Why the arguments were not taken.
enum class ArgumentProblem {
    None,
    Unexpected,    // word is not an option
    UnknownOption, // word is an option the tool does not have
    NoValue,       // option has no value
    BadSpeed,      // value of -s is not a speed
    OutOfRange,    // value of option is not a whole number from low to high
    NoInput,       // -i is missing
};

struct ArgumentError {
    ArgumentProblem problem = ArgumentProblem::None;
    std::string word;   // the argument as given
    std::string option; // its name in small letters, without "-" and value ("v0")
    std::string value;
    int low = 0;
    int high = 0;

    explicit operator bool() const { return problem != ArgumentProblem::None; }
};

// Options in any order, "-x:VALUE" with the value also allowed in double quotes or as the
// next word.
ArgumentError parseTape64Arguments(const std::vector<std::string>& args, Tape64Options& options);
// The usage error's line: "unknown option '-x'".
std::string describe(const ArgumentError& error);

void tape64Help(std::ostream& out);

// Exit codes: 0 done, 1 failed (the reason is the last line), 2 usage error.
int runTape64(const Tape64Options& options, std::ostream& out);

} // namespace vornix::tape
