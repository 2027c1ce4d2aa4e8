// tape64: the tape tool of the tape conversion window and the TAP linker.
#include "core/Licence.h"
#include "tape/tool/Tape64Tool.h"

#include <iostream>

int main(int argc, char* argv[]) {
    using namespace vornix::tape;
    std::vector<std::string> args(argv + 1, argv + argc);
    const Tape64Arguments parsed = parseTape64Arguments(args);
    const Tape64Options& options = parsed.options;
    if (parsed.error) {
        std::cout << "tape64: " << describe(parsed.error) << "\n\n";
        tape64Help(std::cout);
        return 2;
    }
    if (options.help) {
        tape64Help(std::cout);
        return 0;
    }
    if (options.version) {
        std::cout << "tape64 " VORNIX_VERSION "\n" VORNIX_LICENCE_LINE;
        return 0;
    }
    return runTape64(options, std::cout);
}
