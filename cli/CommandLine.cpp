#include "cli/CommandLine.h"

#include "core/TapeDocument.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace vornix::cli {

void printHelp(const Help& h, const char* more) {
    std::cout << "usage: vornix-cli " << h.usage << "\n\n" << h.text << more;
}

int usageError(const Help& h, const std::string& message) {
    std::cerr << "vornix-cli " << h.name << ": " << message << "\nusage: vornix-cli " << h.usage
              << "\n'vornix-cli " << h.name << " --help' tells more.\n";
    return 2;
}

int failure(const std::string& message) {
    std::cerr << "vornix-cli: " << message << "\n";
    return 1;
}

void note(const std::string& message) { std::cerr << "vornix-cli: " << message << "\n"; }

CommandLine parse(const Args& args, const std::set<std::string>& flags, const std::set<std::string>& valued,
                  bool keepGoing) {
    CommandLine cl;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!options || a.size() < 2 || a[0] != '-') {
            cl.operands.push_back(a);
        } else if (a == "--") {
            options = false;
        } else if (a == "--help" || a == "-h") {
            cl.help = true;
        } else if (flags.count(a)) {
            cl.flags.insert(a);
        } else if (const auto eq = a.find('='); eq != std::string::npos && valued.count(a.substr(0, eq))) {
            cl.values[a.substr(0, eq)] = a.substr(eq + 1);
        } else if (valued.count(a)) {
            if (i + 1 >= args.size()) {
                cl.error = "option " + a + " needs a value";
                return cl;
            }
            cl.values[a] = args[++i];
        } else if (cl.error.empty()) {
            cl.error = "unknown option " + a;
            if (!keepGoing)
                return cl;
        }
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

std::string jsonText(const std::string& bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out + "\"";
}

} // namespace vornix::cli
