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

struct Tape64Arguments {
    Tape64Options options;
    std::string error; // why the words are no valid call, as the tool says it; empty when they are
};

// Options in any order, "-x:VALUE" with the value also allowed in double quotes or as the
// next word.
Tape64Arguments parseTape64Arguments(const std::vector<std::string>& args);

void tape64Help(std::ostream& out);

// Exit codes: 0 done, 1 failed (the reason is the last line), 2 usage error.
int runTape64(const Tape64Options& options, std::ostream& out);

} // namespace vornix::tape
