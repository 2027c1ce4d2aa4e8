#pragma once
// Runs a program without a shell and waits for it, for tests that drive command lines.
#include <string>
#include <vector>

namespace testfiles {

struct ProgramRun {
    int code = -1; // exit code, -1 when it did not end normally or could not start
    std::string out, err;
};

// argv[0] is looked up on PATH when it holds no slash. Runs in folder cwd.
ProgramRun runProgram(const std::string& cwd, const std::vector<std::string>& argv);
// The built vornix-cli with these arguments, in folder cwd.
ProgramRun runCli(const std::string& cwd, std::vector<std::string> args);

} // namespace testfiles
