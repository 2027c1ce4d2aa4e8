#include "cli/Command.h"

#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include <algorithm>
#include <iostream>
#include <set>

namespace vornix::cli {

namespace {

using Use = Parameter::Use;

const char kIntro[] = "Edits Commodore 64 T64 tape images, joins TAP files, turns Koala and FLI pictures\n"
                      "into runnable programs, moves programs between tape and D64 disk images and reads\n"
                      "and writes TAP files and WAV recordings of tapes.\n";
const char kOptionsAnywhere[] = "Options may stand before or after the operands; -- ends them, so that a\n"
                                "word after it that begins with - is an operand.";
const char kExitStatus[] = "0 done, 1 failed (files on disk are left as they were), 2 usage error.";

const Parameter kHelp{Parameter::Kind::Flag, "-h,--help", nullptr, "shows this help", Use::Unshown};

bool unbounded(const Parameter& p) { return p.use == Use::Many || p.use == Use::Any; }

// Why the number of operands does not fit the declaration, or nothing.
std::optional<std::string> operandProblem(const Command& c, std::size_t given) {
    std::vector<const Parameter*> needed;
    bool unlimited = false;
    std::size_t most = 0;
    for (const Parameter& p : c.parameters) {
        if (p.isOption())
            continue;
        if (p.use == Use::One || p.use == Use::Many)
            needed.push_back(&p);
        unlimited = unlimited || unbounded(p);
        ++most;
    }
    if (given < needed.size()) {
        const Parameter& p = *needed[given];
        return std::string("missing ") + (p.missing ? p.missing : p.names);
    }
    if (!unlimited && given > most)
        return std::string("too many arguments");
    return std::nullopt;
}

// "-o, --output DIR" as the help and the manual page name an option.
std::string spelled(const Parameter& p) {
    std::string text;
    for (const std::string& s : p.spellings())
        text += (text.empty() ? "" : ", ") + s;
    if (p.value)
        text += std::string(" ") + p.value;
    return text;
}

std::vector<Parameter> withHelp(const Command& c) {
    std::vector<Parameter> all = c.parameters;
    all.push_back(kHelp);
    return all;
}

// Plain text as roff: backslashes and minus signs escaped, no line taken for a request.
std::string roff(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\''))
            out += "\\&";
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
        lineStart = c == '\n';
    }
    return out;
}

// A paragraph without the blank lines around it.
std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of('\n');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of('\n') + 1 - first);
}

// The shell's word list: names separated by spaces.
std::string words(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names)
        out += (out.empty() ? "" : " ") + n;
    return out;
}

} // namespace

std::vector<std::string> Parameter::spellings() const {
    std::vector<std::string> out;
    std::string all = names;
    for (std::size_t start = 0; start <= all.size();) {
        const std::size_t comma = std::min(all.find(',', start), all.size());
        out.push_back(all.substr(start, comma - start));
        start = comma + 1;
    }
    return out;
}

Parameter operand(const char* name, const char* help, Parameter::Use use) {
    return {Parameter::Kind::Operand, name, nullptr, help, use};
}

Parameter flag(const char* names, const char* help, Parameter::Use use) {
    return {Parameter::Kind::Flag, names, nullptr, help, use};
}

Parameter valued(const char* names, const char* value, const char* help, Parameter::Use use) {
    return {Parameter::Kind::Valued, names, value, help, use};
}

std::string Command::usage() const {
    std::string out = name;
    // An optional option's bracket stays open for the alternatives that follow it.
    bool open = false;
    for (const Parameter& p : parameters) {
        if (p.use == Use::Unshown)
            continue;
        std::string word = p.isOption() ? p.spellings().front() : p.names;
        if (p.value)
            word += std::string(" ") + p.value;
        if (unbounded(p))
            word += "...";
        if (p.use == Use::OrPrevious) {
            out += "|" + word;
            continue;
        }
        if (open)
            out += "]";
        open = p.use == Use::Optional;
        if (p.use == Use::Any)
            word = "[" + word + "]";
        out += (open ? " [" : " ") + word;
    }
    if (open)
        out += "]";
    return out;
}

int runCommand(const Command& command, const Args& args) {
    std::set<std::string> flags, values;
    for (const Parameter& p : command.parameters)
        for (const std::string& s : p.spellings())
            if (p.kind == Parameter::Kind::Flag)
                flags.insert(s);
            else if (p.kind == Parameter::Kind::Valued)
                values.insert(s);
    CommandLine cl = parse(args, flags, values);
    cl.command = &command;
    if (cl.help) {
        writeHelp(std::cout, command);
        return 0;
    }
    if (!cl.error.empty())
        return usageError(cl, cl.error);
    if (command.alone && cl.flags.count(command.alone))
        return cl.operands.empty() ? command.run(cl)
                                   : usageError(cl, std::string(command.alone) + " takes no other arguments");
    if (const auto problem = operandProblem(command, cl.operands.size()))
        return usageError(cl, *problem);
    return command.run(cl);
}

const std::vector<Command>& commands() {
    static const std::vector<Command> all = [] {
        std::vector<Command> out;
        for (std::vector<Command> group :
             {imageCommands(), std::vector<Command>{showCommand(), tapJoinCommand()}, pictureCommands(),
              diskCommands(), tapeCommands()})
            for (Command& c : group)
                out.push_back(std::move(c));
        return out;
    }();
    return all;
}

void writeProgramHelp(std::ostream& out) {
    out << "usage: vornix-cli COMMAND [ARGS...]\n"
           "       vornix-cli --help | --version | --man | --bash-completion\n\n"
        << kIntro << "\ncommands:\n";
    for (const Command& c : commands()) {
        std::string name = c.name;
        name.resize(std::max<std::size_t>(name.size() + 1, 13), ' ');
        out << "  " << name << c.summary << "\n";
    }
    out << "\n'vornix-cli COMMAND --help' shows the help of one command.\n"
        << kOptionsAnywhere
        << "\n--man writes the manual page, --bash-completion the bash completion script.\n"
           "Exit status: "
        << kExitStatus << "\n";
}

void writeHelp(std::ostream& out, const Command& command) {
    out << "usage: vornix-cli " << command.usage() << "\n\n" << command.text;
    const std::vector<Parameter> all = withHelp(command);
    std::size_t width = 0;
    for (const Parameter& p : all)
        width = std::max(width, spelled(p).size());
    for (const bool options : {false, true}) {
        bool first = true;
        for (const Parameter& p : all) {
            if (p.isOption() != options)
                continue;
            if (first)
                out << (options ? "\noptions:\n" : "\noperands:\n");
            first = false;
            std::string left = spelled(p);
            left.resize(width + 2, ' ');
            out << "  " << left << p.help << "\n";
        }
    }
    out << command.shared;
}

void writeManPage(std::ostream& out, const std::string& version, const std::string& date) {
    out << ".TH VORNIX\\-CLI 1 \"" << date << "\" \"" << version << "\" \"User Commands\"\n"
        << ".SH NAME\nvornix\\-cli \\- edit Commodore 64 tape images and convert C64 files\n"
        << ".SH SYNOPSIS\n.B vornix\\-cli\n.I COMMAND\n[\\fIARGS\\fR...]\n.br\n.B vornix\\-cli\n"
        << "\\-\\-help | \\-\\-version | \\-\\-man | \\-\\-bash\\-completion\n"
        << ".SH DESCRIPTION\n"
        << roff(kIntro) << ".PP\n"
        << roff(std::string("vornix-cli COMMAND --help shows the help of one command. ") + kOptionsAnywhere)
        << "\n.PP\n"
        << roff("--man writes this manual page and --bash-completion the script that completes "
                "vornix-cli's commands, options and file names in bash; the build installs both.")
        << "\n"
        << ".SH COMMANDS\n";
    std::set<std::string> given;
    for (const Command& c : commands()) {
        out << ".TP\n.B " << roff(std::string("vornix-cli ") + c.usage()) << "\n"
            << roff(trimmed(c.text)) << "\n";
        if (!c.parameters.empty()) {
            out << ".RS\n";
            for (const Parameter& p : c.parameters)
                out << ".TP\n"
                    << (p.isOption() ? ".B " : ".I ") << roff(spelled(p)) << "\n"
                    << roff(p.help) << "\n";
            out << ".RE\n";
        }
        // A paragraph several commands share is given at its first use.
        if (*c.shared && given.insert(c.shared).second)
            out << ".IP\n" << roff(trimmed(c.shared)) << "\n";
    }
    out << ".SH EXIT STATUS\n" << roff(kExitStatus) << "\n";
}

void writeBashCompletion(std::ostream& out) {
    std::vector<std::string> names;
    for (const Command& c : commands())
        names.push_back(c.name);
    out << "# bash completion for vornix-cli, written by vornix-cli --bash-completion\n"
           "_vornix_cli() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command= i\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        case ${COMP_WORDS[i]} in -*) ;; *) command=${COMP_WORDS[i]}; break ;; esac\n"
           "    done\n"
           "    local options= folders= files= values=\n"
           "    case $command in\n"
           "    '') COMPREPLY=($(compgen -W '"
        << words(names) << " --help --version' -- \"$cur\")); return ;;\n";
    for (const Command& c : commands()) {
        std::vector<std::string> options, folders, files, values;
        for (const Parameter& p : withHelp(c))
            for (const std::string& s : p.spellings()) {
                if (!p.isOption())
                    continue;
                options.push_back(s);
                if (p.kind != Parameter::Kind::Valued)
                    continue;
                // A value named like a file (OUT.png) is one.
                const std::string value = p.value;
                (value == "DIR"                         ? folders
                 : value.find('.') != std::string::npos ? files
                                                        : values)
                    .push_back(s);
            }
        out << "    " << c.name << ") options='" << words(options) << "' folders='" << words(folders)
            << "' files='" << words(files) << "' values='" << words(values) << "' ;;\n";
    }
    out << "    *) return ;;\n"
           "    esac\n"
           "    # The value of an option: a folder, a file or a word of the user's own.\n"
           "    if [[ \" $folders \" == *\" $prev \"* ]]; then\n"
           "        COMPREPLY=($(compgen -d -- \"$cur\")); return\n"
           "    fi\n"
           "    if [[ \" $files \" == *\" $prev \"* ]]; then\n"
           "        COMPREPLY=($(compgen -f -- \"$cur\")); return\n"
           "    fi\n"
           "    [[ \" $values \" == *\" $prev \"* ]] && return\n"
           "    if [[ $cur == -* ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
           "    else\n"
           "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
           "    fi\n"
           "}\n"
           "complete -o filenames -F _vornix_cli vornix-cli\n";
}

} // namespace vornix::cli
