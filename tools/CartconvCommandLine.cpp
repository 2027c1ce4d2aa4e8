#include "tools/CartconvCommandLine.h"

#include "tools/CommandLineQuoting.h"

#include <algorithm>
#include <cctype>

namespace vornix::cartconv {

const std::vector<Destination>& destinations() {
    static const std::vector<Destination> table = {
        {"Pure Binary .bin file", "bin"},
        {"Binary C64 .PRG file with load-address", "prg"},
        {"Generic 8kb/16kb .crt file", "normal"},
        {"Ultimax mode 4kb/16kb .crt file", "ulti"},
        {"Action Replay .crt file", "ar"},
        {"KCS .crt file", "kcs"},
        {"Final Cartridge 3 .crt file", "fc3"},
        {"Simons Basic .crt file", "simon"},
        {"Ocean type 1/2 .crt file", "ocean"},
        {"Expert Cartridge .crt file", "expert"},
        {"Fun Play, Power Play .crt file", "fp"},
        {"Super Games .crt file", "sg"},
        {"Atomic Power .crt file", "ap"},
        {"Epyx Fastload .crt file", "epyx"},
        {"Westermann Learning .crt file", "wl"},
        {"Rex Utility .crt file", "ru"},
        {"Final Cartridge 1 .crt file", "fc1"},
        {"Magic Formel .crt file", "mf"},
        {"C64GS, System 3 .crt file", "gs"},
        {"WarpSpeed .crt file", "ws"},
        {"Dinamic .crt file", "din"},
        {"Zaxxon, Super Zaxxon .crt file", "zax"},
        {"Magic Desk, Domark, Hes Australia .crt file", "md"},
        {"Super Snapshot 5 .crt file", "ss5"},
        {"Comal-80 .crt file", "comal"},
        {"Structured Basic .crt file", "sb"},
        {"Ross .crt file", "ross"},
        {"Mikro Assembler .crt file", "mikro"},
    };
    return table;
}

DestinationRules rulesFor(int destination) {
    if (destination == 0)
        return {".BIN", 2, false, false};
    if (destination == 1)
        return {".PRG", 0, true, false};
    return {".CRT", 1, false, true};
}

static bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int findDestination(std::string_view text) {
    const auto& table = destinations();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (equalNoCase(table[i].text, text))
            return static_cast<int>(i);
    return -1;
}

std::vector<std::string> parseTypeList(std::string_view output) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < output.size()) {
        std::size_t end = output.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = output.size();
        const std::string_view line = output.substr(pos, end - pos);
        pos = end + 1;
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos)
            continue;
        std::size_t stop = line.find_first_of(" \t", start);
        if (stop == std::string_view::npos)
            stop = line.size();
        std::string word(line.substr(start, stop - start));
        // Some listings write "name:" or "name,"; the punctuation is no part of the name.
        while (!word.empty() && (word.back() == ':' || word.back() == ',' || word.back() == '|'))
            word.pop_back();
        if (!word.empty())
            names.push_back(std::move(word));
    }
    return names;
}

std::string typeArgument(int destination, const std::vector<std::string>& knownTypes) {
    const std::string name(destinations().at(static_cast<std::size_t>(destination)).type);
    static const std::pair<std::string_view, std::string_view> renamed[] = {{"ar", "ar5"}, {"zax", "zaxxon"}};
    auto knows = [&](std::string_view n) {
        return std::find(knownTypes.begin(), knownTypes.end(), n) != knownTypes.end();
    };
    for (const auto& [old, current] : renamed)
        if (name == old && !knows(old) && knows(current))
            return std::string(current);
    return name;
}

std::string outputPath(const std::string& chosen, std::string_view suffix) {
    const bool hasIt =
        chosen.size() >= suffix.size() &&
        std::equal(suffix.begin(), suffix.end(), chosen.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                   [](char a, char b) {
                       return std::tolower(static_cast<unsigned char>(a)) ==
                              std::tolower(static_cast<unsigned char>(b));
                   });
    return hasIt ? chosen : chosen + std::string(suffix);
}

std::string buildCommandLine(const Request& request) {
    std::string line = "cartconv -t ";
    line += escapedQuotes(request.type);
    line += ' ';
    if (request.loadAddress)
        line += "-l " + escapedQuotes(request.loadAddressText);
    if (request.cartName)
        line += "-n " + quotedArgument(request.cartNameText);
    line += " -i " + quotedArgument(request.input);
    line += " -o " + quotedArgument(outputPath(request.output, request.suffix));
    return line;
}

} // namespace vornix::cartconv
