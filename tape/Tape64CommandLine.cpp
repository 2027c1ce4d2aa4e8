#include "tape/Tape64CommandLine.h"

#include "tools/CommandLineQuoting.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace vornix::tape64 {

std::vector<Argument> versionOneArguments(const VersionOneConversion& conversion) {
    std::vector<Argument> arguments{{"-i:", conversion.input, true}};
    if (conversion.zeroValueMs)
        arguments.push_back({"-v0:", std::to_string(*conversion.zeroValueMs)});
    if (conversion.yes)
        arguments.push_back({"-y", {}});
    arguments.push_back({"-or:", conversion.output, true});
    return arguments;
}

std::vector<std::string> words(const std::vector<Argument>& arguments) {
    std::vector<std::string> out;
    out.reserve(arguments.size());
    for (const Argument& a : arguments)
        out.push_back(a.option + a.value);
    return out;
}

std::string commandLine(const std::vector<Argument>& arguments) {
    std::string line = "tape64";
    for (const Argument& a : arguments)
        line += ' ' + a.option + (a.quoted ? quotedArgument(a.value) : a.value);
    return line;
}

std::string versionOneCommand(const std::string& input, int zeroValueMs, const std::string& output) {
    return commandLine(versionOneArguments({input, output, zeroValueMs, true}));
}

VersionOneConversion linkerConversion(const std::string& path) { return {path, path + "1", {}, false}; }

std::string tapOutputPath(const std::string& out) {
    if (out.size() >= 4) {
        std::string end = out.substr(out.size() - 4);
        for (char& c : end)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (end == ".tap")
            return out;
    }
    return out + ".tap";
}

OutputRules rulesFor(Output output) {
    switch (output) {
    case Output::None: return {false, false, false};
    case Output::T64: return {false, true, false};
    case Output::P00: return {true, true, true};
    }
    return {false, false, false};
}

static bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isValidSpeedText(std::string_view text) {
    if (text == neutralSpeed)
        return true;
    return text.size() == 3 && isDigit(text[0]) && text[1] == ',' && isDigit(text[2]);
}

static std::optional<double> readDecimal(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::string plain(text);
    for (char& c : plain)
        if (c == ',')
            c = '.';
    double value = 0;
    const char* begin = plain.data();
    const char* end = begin + plain.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::string> steppedSpeed(std::string_view text, bool up) {
    const auto value = readDecimal(text);
    if (!value)
        return std::nullopt;
    std::string result(text);
    const double next = *value + (up ? 0.1 : -0.1);
    if (next > 0) {
        char buffer[64];
        // to_chars ignores the C locale, so the point is always a point.
        const auto [ptr, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, next, std::chars_format::general, 15);
        result.assign(buffer, ec == std::errc() ? ptr : buffer);
        for (char& c : result)
            if (c == '.')
                c = ',';
    }
    if (result.size() < 3)
        result += ",0";
    return result;
}

int trackBarForAmplitude(int amplitude) {
    const int position = static_cast<int>(std::trunc((amplitude - 1) / 254.0 * 128.0));
    return position < 1 ? 1 : (position > 128 ? 128 : position);
}

std::string p00Target(const std::string& folder, const std::string& prefix) {
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::string target = folder;
    if (target.empty() || (target.back() != separator && target.back() != '/'))
        target += separator;
    return target + prefix;
}

std::string analysisCommand(const AnalysisRequest& request) {
    std::string line = "tape64 -i:" + quotedArgument(request.input) + " -y ";
    if (request.reverse)
        line += "-r ";
    if (request.speedText != neutralSpeed && request.speedText.size() >= 3) {
        line += "-s:";
        line += escapedQuotes(request.speedText.substr(0, 1));
        line += '.';
        line += escapedQuotes(request.speedText.substr(2, 1));
        line += ' ';
    }
    if (request.frequency)
        line += "-f:" + std::to_string(request.frequencyValue) + ' ';
    if (request.amplitude != defaultAmplitude)
        line += "-t:" + std::to_string(request.amplitude) + ' ';
    const OutputRules rules = rulesFor(request.output);
    if (rules.numbering && request.numbering)
        line += "-n ";
    if (rules.damaged && request.damaged)
        line += "-e ";
    if (request.output == Output::T64)
        line += "-ot:" + quotedArgument(request.t64Path);
    else if (request.output == Output::P00 && request.p00Folder)
        line += "-op:" + quotedArgument(p00Target(*request.p00Folder, request.prefix));
    return line;
}

} // namespace vornix::tape64
