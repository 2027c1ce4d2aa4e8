// Stands in for an external tool (pucrunch, cartconv, tape64) in tests. Copied under the
// tool's name into a temporary program folder, it reads "<its path>.fake", one directive
// a line, records its arguments in "<its path>.args" (one a line, last run) and appends
// them to "<its path>.log" ("RUN" line, then one argument a line, for every run).
//
// Directives (TEXT takes the escapes \n \r \t \0 \\ \xHH; nothing is added to it):
//   out TEXT                      write TEXT to standard output
//   err TEXT                      write TEXT to standard error
//   lines N TEXT                  write N lines "TEXT<i>\n"
//   sleep MS                      wait
//   stdin                         read standard input to its end (a tool waiting for an answer)
//   writeat INDEX SUFFIX TEXT     write TEXT to the file named by argument INDEX (negative:
//                                 from the end, -1 is the last) with SUFFIX appended ("-" for none)
//   writeafter FLAG SUFFIX TEXT   the same for the argument that follows the argument FLAG
//   writeprefixed PREFIX SUFFIX TEXT  the same for the argument that starts with PREFIX, less PREFIX
//   copyat FROM TO                copy the file named by argument FROM to the one named by TO
//   exit CODE                     end now with CODE
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 >= s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        switch (c) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case '0': out += '\0'; break;
        case '\\': out += '\\'; break;
        case 'x':
            if (i + 2 < s.size() + 1) {
                out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
                i += 2;
            }
            break;
        default: out += '\\'; out += c;
        }
    }
    return out;
}

// Splits off the first blank-separated word of rest.
std::string word(std::string& rest) {
    const auto start = rest.find_first_not_of(' ');
    if (start == std::string::npos) {
        rest.clear();
        return {};
    }
    const auto end = rest.find(' ', start);
    std::string w = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
    rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    return w;
}

void emit(std::FILE* f, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string self = argv[0];
    std::vector<std::string> args(argv + 1, argv + argc);
    {
        std::ofstream rec(self + ".args", std::ios::trunc);
        for (const auto& a : args)
            rec << a << '\n';
        std::ofstream log(self + ".log", std::ios::app);
        log << "RUN\n";
        for (const auto& a : args)
            log << a << '\n';
    }
    auto argAt = [&](int index) -> std::string {
        const int n = static_cast<int>(args.size());
        const int i = index < 0 ? n + index : index;
        return i >= 0 && i < n ? args[static_cast<std::size_t>(i)] : std::string();
    };
    auto withSuffix = [](const std::string& path, const std::string& suffix) {
        return suffix == "-" ? path : path + suffix;
    };

    std::ifstream script(self + ".fake");
    std::string line;
    while (std::getline(script, line)) {
        std::string rest = line;
        const std::string op = word(rest);
        if (op.empty() || op[0] == '#')
            continue;
        if (op == "out") {
            emit(stdout, unescape(rest));
        } else if (op == "err") {
            emit(stderr, unescape(rest));
        } else if (op == "lines") {
            const long n = std::stol(word(rest));
            const std::string text = unescape(rest);
            std::string chunk;
            for (long i = 0; i < n; ++i) {
                chunk += text + std::to_string(i) + "\n";
                if (chunk.size() > 65536) {
                    emit(stdout, chunk);
                    chunk.clear();
                }
            }
            emit(stdout, chunk);
        } else if (op == "stdin") {
            std::string ignored;
            while (std::getline(std::cin, ignored)) {
            }
        } else if (op == "sleep") {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stol(word(rest))));
        } else if (op == "writeat") {
            const int index = std::stoi(word(rest));
            const std::string suffix = word(rest);
            writeFile(withSuffix(argAt(index), suffix), unescape(rest));
        } else if (op == "writeafter") {
            const std::string flag = word(rest);
            const std::string suffix = word(rest);
            for (std::size_t i = 0; i + 1 < args.size(); ++i) {
                if (args[i] == flag) {
                    writeFile(withSuffix(args[i + 1], suffix), unescape(rest));
                    break;
                }
            }
        } else if (op == "writeprefixed") {
            const std::string prefix = word(rest);
            const std::string suffix = word(rest);
            for (const auto& a : args) {
                if (a.rfind(prefix, 0) == 0) {
                    writeFile(withSuffix(a.substr(prefix.size()), suffix), unescape(rest));
                    break;
                }
            }
        } else if (op == "copyat") {
            const int from = std::stoi(word(rest));
            const int to = std::stoi(word(rest));
            std::ifstream in(argAt(from), std::ios::binary);
            std::stringstream buffer;
            buffer << in.rdbuf();
            writeFile(argAt(to), buffer.str());
        } else if (op == "exit") {
            return std::stoi(word(rest));
        }
    }
    return 0;
}
