// What vornix-cli says about its commands comes from their declarations: each command's
// help and usage errors, the program's help, the manual page and the bash completion.
#include "cli/Command.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using vornix::cli::Command;
using vornix::cli::Parameter;

namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// word stands in text on its own: between blanks, quotes, commas or line ends.
bool hasWord(const std::string& text, const std::string& word) {
    const std::string edges = " \n',";
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || edges.find(text[at - 1]) != std::string::npos) &&
            (end == text.size() || edges.find(text[end]) != std::string::npos))
            return true;
    }
    return false;
}

// Text as the manual page spells it.
std::string roff(std::string text) {
    for (std::size_t at = 0; (at = text.find('-', at)) != std::string::npos; at += 2)
        text.insert(at, "\\");
    return text;
}

// The completion script's line for one command.
std::string caseLine(const std::string& script, const std::string& name) {
    const std::size_t at = script.find("\n    " + name + ") ");
    return at == std::string::npos ? std::string() : script.substr(at, script.find('\n', at + 1) - at);
}

} // namespace

TEST(CommandDeclarations, HelpManPageAndCompletionNameEveryCommandAndParameter) {
    testfiles::TempDir dir;
    const auto cli = [&dir](const std::vector<std::string>& args) {
        return testfiles::runCli(dir.path().string(), args);
    };
    const testfiles::ProgramRun program = cli({"--help"});
    const testfiles::ProgramRun man = cli({"--man"});
    const testfiles::ProgramRun completion = cli({"--bash-completion"});
    ASSERT_EQ(man.code, 0);
    ASSERT_EQ(completion.code, 0);
    ASSERT_GE(vornix::cli::commands().size(), 22u);
    for (const Command& c : vornix::cli::commands()) {
        SCOPED_TRACE(c.name);
        const testfiles::ProgramRun help = cli({c.name, "--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_EQ(help.out.rfind("usage: vornix-cli " + c.usage() + "\n\n" + c.text, 0), 0u) << help.out;
        EXPECT_TRUE(has(program.out, "\n  " + std::string(c.name) + " ")) << program.out;
        EXPECT_TRUE(has(man.out, "\n.B " + roff("vornix-cli " + c.usage()) + "\n"));
        const std::string completed = caseLine(completion.out, c.name);
        EXPECT_FALSE(completed.empty());
        // The command itself is offered where no command is typed yet.
        EXPECT_TRUE(hasWord(caseLine(completion.out, "''"), c.name));
        for (const Parameter& p : c.parameters) {
            SCOPED_TRACE(p.names);
            EXPECT_FALSE(std::string(p.help).empty());
            if (!p.isOption()) {
                EXPECT_TRUE(has(help.out, "\n  " + std::string(p.names) + " ")) << help.out;
                EXPECT_TRUE(has(man.out, "\n.I " + roff(p.names) + "\n"));
                continue;
            }
            for (const std::string& s : p.spellings()) {
                EXPECT_TRUE(hasWord(help.out, s)) << help.out;
                EXPECT_TRUE(has(man.out, roff(s)));
                EXPECT_TRUE(hasWord(completed, s)) << completed;
            }
        }
    }
}

TEST(CommandDeclarations, UsageLinesFollowTheDeclarations) {
    const struct {
        const char* name;
        const char* usage;
    } cases[] = {
        {"create", "create IMAGE [--label TEXT] [--capacity N] [--type-01] [PRG...]"},
        {"add", "add IMAGE PRG... [--type-01]"},
        {"move", "move IMAGE N --top|--bottom|--up|--down [--type-01]"},
        {"extract", "extract IMAGE [N...] [-o DIR]"},
        {"show", "show IMAGE N [--basic|--hex|--png OUT.png]"},
        {"tap-join", "tap-join OUT [ITEM...]"},
        {"tap-list", "tap-list TAPE [--json] [--loaders]"},
        {"tap-to-wav", "tap-to-wav IN.tap OUT.wav [--rate N] [--bits 8|16] [--v0-ms N]"},
    };
    for (const auto& c : cases) {
        const auto& all = vornix::cli::commands();
        const auto it = std::find_if(all.begin(), all.end(),
                                     [&](const Command& d) { return d.name == std::string(c.name); });
        ASSERT_NE(it, all.end()) << c.name;
        EXPECT_EQ(it->usage(), c.usage);
    }
}

// Every command reports a usage error the same way: the message, its usage, where to read more.
TEST(CommandDeclarations, EveryUsageErrorNamesTheProblemAndTheUsage) {
    testfiles::TempDir dir;
    for (const Command& c : vornix::cli::commands()) {
        SCOPED_TRACE(c.name);
        const std::string name = c.name;
        const std::string usage =
            "\nusage: vornix-cli " + c.usage() + "\n'vornix-cli " + name + " --help' tells more.\n";
        testfiles::ProgramRun r = testfiles::runCli(dir.path().string(), {name, "--no-such-option"});
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err, "vornix-cli " + name + ": unknown option --no-such-option" + usage);
        r = testfiles::runCli(dir.path().string(), {name});
        EXPECT_EQ(r.code, 2);
        const Parameter& first = c.parameters.front();
        EXPECT_EQ(r.err, "vornix-cli " + name + ": missing " + first.names + usage);
        EXPECT_TRUE(r.out.empty());
    }
}

#ifndef _WIN32
// The script as bash runs it: words typed so far, the completions offered.
TEST(CommandDeclarations, BashCompletesCommandsOptionsAndValues) {
    testfiles::TempDir dir;
    testfiles::writeAll(dir.file("img.t64"), {});
    std::filesystem::create_directory(dir.path() / "folder");
    const testfiles::ProgramRun script = testfiles::runCli(dir.path().string(), {"--bash-completion"});
    testfiles::writeAll(dir.file("completion.bash"), testfiles::Bytes(script.out.begin(), script.out.end()));
    const struct {
        const char* words;
        const char* offered;
    } cases[] = {
        {"vornix-cli tap-t", "tap-to-t64 tap-to-wav"},
        {"vornix-cli --v", "--version"},
        {"vornix-cli extract img.t64 --o", "--output"},
        {"vornix-cli extract img.t64 -o f", "folder"},
        {"vornix-cli move img.t64 1 --t", "--top --type-01"},
        {"vornix-cli create img.t64 --label ", ""},
        {"vornix-cli list im", "img.t64"},
        {"vornix-cli no-such-command --", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        const std::string run = ". ./completion.bash; COMP_WORDS=(" + std::string(c.words) + "); [[ '" +
                                c.words +
                                "' == *' ' ]] && COMP_WORDS+=(''); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                                "_vornix_cli; echo \"${COMPREPLY[*]}\"";
        const testfiles::ProgramRun r = testfiles::runProgram(dir.path().string(), {"bash", "-c", run});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, std::string(c.offered) + "\n");
    }
}
#endif
