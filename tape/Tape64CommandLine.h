#pragma once
// The tape tool's arguments: the conversion to a version 1 TAP that the conversion window and
// the linker both ask for, the analysis of the conversion window, and the speed text with its
// step buttons. Plain text in, plain text out; no Qt.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornix::tape64 {

// A recording (WAV, or TAP of any version) into a version 1 TAP.
struct VersionOneConversion {
    std::string input;
    std::string output;             // -or: the tool writes tapOutputPath(output)
    std::optional<int> zeroValueMs; // -v0: length of a $00 value of a version 0 TAP
    bool yes = false;               // -y: answers the tool's questions
};

// One argument: an option and its value, which a command line shows in quotes when quoted.
struct Argument {
    std::string option;
    std::string value;
    bool quoted = false;
};

// -i:IN [-v0:MS] [-y] -or:OUT, in this order.
std::vector<Argument> versionOneArguments(const VersionOneConversion& conversion);
// The words a process is started with.
std::vector<std::string> words(const std::vector<Argument>& arguments);
// "tape64" and the arguments as the window shows and runs them: tape64 -i:"IN" -or:"OUT".
std::string commandLine(const std::vector<Argument>& arguments);

// First page of the conversion window: tape64 -i:"IN" -v0:MS -y -or:"OUT".
std::string versionOneCommand(const std::string& input, int zeroValueMs, const std::string& output);

// The linker's conversion of the TAP at path: -i:PATH -or:PATH1, written to PATH1.tap beside it.
VersionOneConversion linkerConversion(const std::string& path);

// The TAP the tool writes for -or:OUT: OUT itself when it ends in ".tap" (any case), else
// OUT with ".tap" appended.
std::string tapOutputPath(const std::string& out);

enum class Output { None = 0, T64 = 1, P00 = 2 };

// Which options the output choice lets count.
struct OutputRules {
    bool numbering; // "-n" box
    bool damaged;   // "-e" box
    bool prefix;    // prefix field
};
OutputRules rulesFor(Output output);

constexpr std::string_view defaultSpeed = "1,0";
constexpr std::string_view neutralSpeed = "1,00"; // typed by hand: no speed option at all
constexpr int defaultAmplitude = 10;

// One digit, a decimal comma and one digit (the only shape the tool's option can carry),
// or exactly the neutral "1,00".
bool isValidSpeedText(std::string_view text);

// The step buttons: reads text as a decimal number (comma or point), adds 0.1 (up) or
// subtracts it (down), writes a positive result back as the shortest text of up to 15
// significant digits with a decimal comma, then pads texts shorter than 3 characters with
// ",0". Returns nothing when text is not a number.
std::optional<std::string> steppedSpeed(std::string_view text, bool up);

// The track bar position (1..128) for an amplitude number (1..255).
int trackBarForAmplitude(int amplitude);

// Second page: analysis, T64 or P00.
struct AnalysisRequest {
    std::string input;
    bool reverse = false;
    std::string speedText{defaultSpeed};
    bool frequency = false;
    int frequencyValue = 44100;
    int amplitude = defaultAmplitude;
    bool numbering = false; // checked; counts only where the output allows it
    bool damaged = false;   // checked; counts only where the output allows it
    Output output = Output::None;
    std::string t64Path;                  // Output::T64
    std::optional<std::string> p00Folder; // Output::P00; empty when the folder dialog was cancelled
    std::string prefix;                   // Output::P00
};

// tape64 -i:"IN" -y [-r ][-s:A.B ][-f:N ][-t:N ][-n ][-e ][-ot:"T64"|-op:"FOLDER/PREFIX"]
std::string analysisCommand(const AnalysisRequest& request);

// FOLDER/PREFIX with exactly one separator between them.
std::string p00Target(const std::string& folder, const std::string& prefix);

} // namespace vornix::tape64
