#include "cli/Commands.h"

#include <CLI/App.hpp>
#include <CLI/Config.hpp>
#include <CLI/Formatter.hpp>

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

struct Command {
    const char* name;
    int (*run)(const Args&);
    const char* summary;
};

const Command kCommands[] = {
    {"list", cmdList, "list IMAGE [--json]            show the label, capacity and entries"},
    {"create", cmdCreate, "create IMAGE [--label TEXT] [--capacity N] [--type-01] [PRG...]"},
    {"add", cmdAdd, "add IMAGE PRG...                append PRG files"},
    {"delete", cmdDelete, "delete IMAGE N                  remove entry N"},
    {"rename", cmdRename, "rename IMAGE N NAME             rename entry N"},
    {"move", cmdMove, "move IMAGE N --top|--bottom|--up|--down"},
    {"label", cmdLabel, "label IMAGE TEXT                set the tape label"},
    {"capacity", cmdCapacity, "capacity IMAGE N                set the number of directory slots"},
    {"extract", cmdExtract, "extract IMAGE [N...] [-o DIR]   write entries as PRG files"},
    {"show", cmdShow, "show IMAGE N [--basic|--hex|--png OUT.png]"},
    {"tap-join", cmdTapJoin, "tap-join OUT ITEM...            join TAP files; ITEM is a file or --pause=S"},
    {"koala", cmdKoala, "koala IN OUT                    Koala picture to runnable PRG"},
    {"fli", cmdFli, "fli IN OUT                      FLI picture to runnable PRG"},
    {"d64-export", cmdD64Export, "d64-export IMAGE OUT.d64 [N...] write entries to a new disk image"},
    {"d64-list", cmdD64List, "d64-list DISK.d64 [--json]      show the directory of a disk image"},
    {"d64-import", cmdD64Import, "d64-import IMAGE DISK.d64 [NAME...] add PRG files of a disk image"},
    {"tap-list", cmdTapList, "tap-list TAPE [--json]          show the programs on a TAP or WAV tape"},
    {"tap-extract", cmdTapExtract, "tap-extract TAPE [-o DIR]       write a tape's programs as PRG files"},
    {"tap-to-t64", cmdTapToT64, "tap-to-t64 TAPE OUT.t64         a T64 image of a tape's programs"},
    {"tap-v1", cmdTapV1, "tap-v1 IN OUT.tap               a WAV or any TAP as a version 1 TAP"},
    {"t64-to-tap", cmdT64ToTap, "t64-to-tap IMAGE OUT.tap [N...] entries put on a TAP tape"},
    {"tap-to-wav", cmdTapToWav, "tap-to-wav IN.tap OUT.wav       a TAP as a WAV for a datasette"},
};

void usage(std::ostream& out) {
    out << "usage: vornix-cli COMMAND [ARGS...]\n"
           "       vornix-cli --help | --version\n\n"
           "Edits Commodore 64 T64 tape images, joins TAP files, turns Koala and FLI pictures\n"
           "into runnable programs, moves programs between tape and D64 disk images and reads\n"
           "and writes TAP files and WAV recordings of tapes.\n\n"
           "commands:\n";
    for (const Command& c : kCommands)
        out << "  " << c.summary << "\n";
    out << "\n'vornix-cli COMMAND --help' shows the help of one command.\n"
           "Exit status: 0 done, 1 failed (files on disk are left as they were), 2 usage error.\n";
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef _WIN32
    // Lines end in \n on every system, so listings and JSON are the same bytes everywhere.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    // Options of the program stand before the command; the command's own words go to it as
    // they are, for its own parsing.
    CLI::App app;
    app.set_help_flag();
    app.prefix_command();
    bool help = false;
    bool version = false;
    app.add_flag("-h,--help", help);
    app.add_flag("--version", version);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        std::cerr << "vornix-cli: " << e.what() << "\n";
        usage(std::cerr);
        return 2;
    }
    const std::vector<std::string> words = app.remaining();
    if (version) {
        std::cout << "vornix-cli " VORNIX_VERSION "\n";
        return 0;
    }
    if (help || (!words.empty() && words.front() == "help")) {
        usage(std::cout);
        return 0;
    }
    if (words.empty()) {
        usage(std::cerr);
        return 2;
    }
    const std::string& name = words.front();
    for (const Command& c : kCommands) {
        if (name == c.name)
            return c.run(Args(words.begin() + 1, words.end()));
    }
    std::cerr << "vornix-cli: unknown command '" << name << "'\n";
    usage(std::cerr);
    return 2;
}
