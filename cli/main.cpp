#include "cli/Command.h"
#include "core/Licence.h"

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

int main(int argc, char* argv[]) {
#ifdef _WIN32
    // Lines end in \n on every system, so listings and JSON are the same bytes everywhere.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    using namespace vornix::cli;
    // Options of the program stand before the command; the command's own words go to it as
    // they are, for its own parsing. --man and --bash-completion are for the build.
    CLI::App app;
    app.set_help_flag();
    app.prefix_command();
    bool help = false;
    bool version = false;
    bool man = false;
    bool completion = false;
    app.add_flag("-h,--help", help);
    app.add_flag("--version", version);
    app.add_flag("--man", man);
    app.add_flag("--bash-completion", completion);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        std::cerr << "vornix-cli: " << e.what() << "\n";
        writeProgramHelp(std::cerr);
        return 2;
    }
    const std::vector<std::string> words = app.remaining();
    if (version) {
        std::cout << "vornix-cli " VORNIX_VERSION "\n" VORNIX_LICENCE_LINE;
        return 0;
    }
    if (man) {
        writeManPage(std::cout, "vornix-cli " VORNIX_VERSION, VORNIX_MANUAL_DATE);
        return 0;
    }
    if (completion) {
        writeBashCompletion(std::cout);
        return 0;
    }
    if (help || (!words.empty() && words.front() == "help")) {
        writeProgramHelp(std::cout);
        return 0;
    }
    if (words.empty()) {
        writeProgramHelp(std::cerr);
        return 2;
    }
    const std::string& name = words.front();
    for (const Command& c : commands())
        if (name == c.name)
            return runCommand(c, Args(words.begin() + 1, words.end()));
    std::cerr << "vornix-cli: unknown command '" << name << "'\n";
    writeProgramHelp(std::cerr);
    return 2;
}
