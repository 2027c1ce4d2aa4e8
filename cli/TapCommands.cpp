#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "tape/TapFile.h"
#include "tape/TapJoin.h"
#include "tape/TapPause.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

bool parsePause(std::string_view text, int& seconds) {
    if (text.empty() || text.size() > 2)
        return false;
    seconds = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        seconds = seconds * 10 + (c - '0');
    }
    return vornix::tap::isOfferedPause(seconds);
}

// The pauses stand between the files, so the order of options and operands matters here.
int tapJoin(const vornix::cli::CommandLine& cl) {
    if (cl.sequence.empty() || !cl.sequence.front().first.empty())
        return vornix::cli::usageError(cl, "the first argument names the output file, not an option");
    const std::string& output = cl.sequence.front().second;

    std::vector<vornix::tap::JoinItem> items;
    for (std::size_t i = 1; i < cl.sequence.size(); ++i) {
        const auto& [option, value] = cl.sequence[i];
        if (option.empty()) {
            items.push_back(vornix::tap::JoinItem::file(value));
            continue;
        }
        int seconds = 0;
        if (!parsePause(value, seconds)) {
            std::cerr << "vornix-cli tap-join: --pause=" << value
                      << ": a pause is 1, 2, 4, 5, 10, 20 or 40 seconds\n";
            return 2;
        }
        items.push_back(vornix::tap::JoinItem::pause(seconds));
    }

    if (const vornix::tap::JoinFailure problem = vornix::tap::checkJoin(items, output)) {
        std::cerr << "vornix-cli tap-join: " << vornix::tap::describe(problem) << "\n";
        return 1;
    }
    bool allVersion1 = true;
    for (const vornix::tap::JoinItem& item : items) {
        if (item.isPause() || vornix::tap::isVersion1(item.path))
            continue;
        const auto version = vornix::tap::readVersion(item.path);
        std::cerr << "vornix-cli tap-join: \"" << item.path << "\" is not a version 1 TAP file (version byte "
                  << int(version.value_or(0)) << "); convert it first, e.g. in the editor's TAP Linker\n";
        allVersion1 = false;
    }
    if (!allVersion1)
        return 1;

    const vornix::tap::JoinResult result = vornix::tap::join(items, output);
    if (!result.joined) {
        std::cerr << "vornix-cli tap-join: " << vornix::tap::describe(result.failure) << "\n";
        return 1;
    }
    std::cout << output << ": " << result.dataLength << " bytes of pulse data\n";
    return 0;
}

} // namespace

vornix::cli::Command vornix::cli::tapJoinCommand() {
    return {"tap-join",
            "join TAP files, with pauses between them",
            "Joins version 1 TAP files into OUT, in the order given. ITEM is a TAP file or\n"
            "--pause=S, a silence of S seconds (S one of 1, 2, 4, 5, 10, 20, 40).\n"
            "Files of other TAP versions must be converted to version 1 first.\n",
            {operand("OUT", "the TAP file to write"),
             operand("ITEM", "a TAP file or a pause", Parameter::Use::Any),
             valued("--pause", "S", "a silence of S seconds", Parameter::Use::Unshown)},
            "",
            tapJoin};
}
