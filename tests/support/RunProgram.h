#pragma once
// Starts a built program of the project directly (no shell) and waits for it.
#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

// Runs program with args in folder cwd (empty: the current one). Standard input is empty;
// standard output and error go to the files outFile and errFile (empty: discarded). Returns
// the exit code, or -1 when the program could not be started or did not end normally.
int runProgram(const std::string& program, const std::vector<std::string>& args, const std::string& cwd,
               const std::string& outFile, const std::string& errFile);

// The same in two steps, for programs that run side by side: startProgram gives -1 when the
// program could not be started, waitProgram the exit code as above.
std::intptr_t startProgram(const std::string& program, const std::vector<std::string>& args,
                           const std::string& cwd, const std::string& outFile, const std::string& errFile);
int waitProgram(std::intptr_t started);

struct ProgramRun {
    int code = -1; // exit code, -1 when it did not end normally or could not start
    std::string out, err;
};

// Runs argv in folder cwd with its output and error captured; argv[0] is looked up on PATH
// when it names no folder.
ProgramRun runProgram(const std::string& cwd, const std::vector<std::string>& argv);
// The built vornix-cli with these arguments, in folder cwd.
ProgramRun runCli(const std::string& cwd, std::vector<std::string> args);

} // namespace testfiles
