#pragma once
// The cartridge converter's command line: the destination table, what each destination
// allows, and the line itself. Plain text in, plain text out; no Qt.
#include <string>
#include <string_view>
#include <vector>

namespace vornix::cartconv {

struct Destination {
    std::string_view text; // as listed in the window
    std::string_view type; // argument after -t
};

constexpr int destinationCount = 28;
constexpr int defaultDestination = 1; // "Binary C64 .PRG file with load-address"

// The 28 destinations in list order.
const std::vector<Destination>& destinations();

// What the output of one destination looks like and which optional field it takes.
struct DestinationRules {
    std::string_view suffix; // appended to the chosen output path
    int saveFilter;          // index into the save dialog's filters
    bool loadAddressUsable;
    bool cartNameUsable;
};
// Rules for a valid destination index (0..27).
DestinationRules rulesFor(int destination);

// Index of the destination whose list text matches text (case-insensitive, like a list
// box search), or -1.
int findDestination(std::string_view text);

// Type names of the tool that runs, from the text it prints for "--types": the first word
// of each line. Empty when the text holds nothing that looks like a name.
std::vector<std::string> parseTypeList(std::string_view output);

// The type argument to pass for a destination: the table's name, unless the tool's list
// lacks it but knows the name the tool renamed it to ("ar" -> "ar5", "zax" -> "zaxxon").
// An empty list (a tool that answered nothing useful) keeps the table's name.
std::string typeArgument(int destination, const std::vector<std::string>& knownTypes);

struct Request {
    std::string type;         // already resolved with typeArgument
    bool loadAddress = false; // the load-address box counts (enabled and checked)
    std::string loadAddressText;
    bool cartName = false; // the cartridge-name box counts (enabled and checked)
    std::string cartNameText;
    std::string input;
    std::string output; // as chosen in the save dialog, before the suffix
    std::string suffix;
};

// The output path the tool will write: the chosen path with the suffix appended unless it
// already ends with it in any letter case (game -> game.CRT, game.crt stays, game.bin ->
// game.bin.CRT).
std::string outputPath(const std::string& chosen, std::string_view suffix);

// "cartconv -t TYPE [-l ADDR][-n "NAME"] -i "IN" -o "OUT+SUFFIX"".
std::string buildCommandLine(const Request& request);

} // namespace vornix::cartconv
