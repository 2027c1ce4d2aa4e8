#include "cli/CommandLine.h"

#include "core/FileIO.h"
#include "core/PlatformFile.h"
#include "core/TapeDocument.h"

#include <CLI/App.hpp>
#include <CLI/Config.hpp>
#include <CLI/Formatter.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace vornix::cli {

int usageError(const Command& command, const std::string& message) {
    std::cerr << "vornix-cli " << command.name << ": " << message << "\nusage: vornix-cli " << command.usage()
              << "\n'vornix-cli " << command.name << " --help' tells more.\n";
    return 2;
}

int usageError(const CommandLine& cl, const std::string& message) { return usageError(*cl.command, message); }

int failure(const std::string& message) {
    std::cerr << "vornix-cli: " << message << "\n";
    return 1;
}

void note(const std::string& message) { std::cerr << "vornix-cli: " << message << "\n"; }

CommandLine parse(const Args& args, const std::set<std::string>& flags, const std::set<std::string>& valued) {
    CommandLine cl;
    CLI::App app;
    app.set_help_flag(); // each command prints its own help
    app.allow_extras();  // unknown options are reported below, in our words
    app.add_flag("-h,--help", cl.help);
    std::map<std::string, bool> given;
    for (const std::string& f : flags)
        app.add_flag(f, given[f]);
    std::map<std::string, CLI::Option*> options;
    std::map<std::string, std::string> values;
    for (const std::string& v : valued)
        options[v] = app.add_option(v, values[v])->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("operands", cl.operands);

    // Before "--", a number with a minus sign is an option no command has (never a negative operand);
    // "--label=" is an empty value, which the library would otherwise take from the next word.
    std::vector<std::string> words;
    bool options_end = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        options_end = options_end || a == "--";
        const bool valueOfPrevious = i > 0 && valued.count(args[i - 1]);
        if (!options_end && !valueOfPrevious && a.size() > 1 && a[0] == '-' && a[1] >= '0' && a[1] <= '9' &&
            cl.error.empty())
            cl.error = "unknown option " + a;
        if (!options_end && a.size() > 1 && a.back() == '=' && valued.count(a.substr(0, a.size() - 1))) {
            words.push_back(a.substr(0, a.size() - 1));
            words.emplace_back();
        } else {
            words.push_back(a);
        }
    }
    std::reverse(words.begin(), words.end()); // the library takes them last first
    try {
        app.parse(words);
    } catch (const CLI::ArgumentMismatch&) {
        for (const std::string& v : valued)
            if (options[v]->count() == 0 && std::find(args.begin(), args.end(), v) != args.end())
                cl.error = "option " + v + " needs a value";
    } catch (const CLI::ParseError& e) {
        cl.error = e.what();
    }
    if (cl.error.empty()) {
        for (const std::string& extra : app.remaining())
            if (extra != "--") {
                cl.error = "unknown option " + extra;
                break;
            }
    }
    for (const auto& [flag, on] : given)
        if (on)
            cl.flags.insert(flag);
    for (const auto& [name, option] : options)
        if (option->count())
            cl.values[name] = values[name];
    std::map<const CLI::Option*, std::size_t> used;
    for (const CLI::Option* o : app.parse_order()) {
        const std::size_t i = used[o]++;
        if (o->get_name() == "operands" && i < cl.operands.size())
            cl.sequence.emplace_back(std::string(), cl.operands[i]);
        else if (valued.count(o->get_name()) && i < o->results().size())
            cl.sequence.emplace_back(o->get_name(), o->results()[i]);
    }
    return cl;
}

std::optional<int> number(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int value = std::stoi(text);
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> entryNumber(const std::string& text) { return number(text, 1, kMaxSlots); }

std::string notAnEntryNumber(const std::string& text) {
    return "entry numbers run from 1 to " + std::to_string(kMaxSlots) + ", not '" + text + "'";
}

std::string overwritesInput(const std::string& input, const std::string& output, const std::string& what) {
    if (!sameFile(input, output))
        return {};
    return output + ": this is " + what + " itself; the output needs a name of its own";
}

bool outputFolder(const std::string& folder) {
    std::error_code ec;
    const std::filesystem::path native = platform::nativePath(folder);
    if (std::filesystem::is_directory(native, ec))
        return true;
    if (std::filesystem::exists(native, ec)) {
        failure(folder + ": not a folder");
        return false;
    }
    if (!std::filesystem::create_directories(native, ec) && ec) {
        failure(folder + ": cannot create the folder: " + ec.message());
        return false;
    }
    return true;
}

bool openImage(TapeDocument& doc, const std::string& path) {
    const OpenResult r = doc.open(path);
    if (!r.accepted) {
        failure(r.error);
        return false;
    }
    for (const std::string& repair : r.repairs)
        note(path + ": directory repaired: " + repair);
    return true;
}

std::string plainText(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += static_cast<char>(c);
        }
    }
    return platform::fileNameFromLatin1(out);
}

} // namespace vornix::cli
