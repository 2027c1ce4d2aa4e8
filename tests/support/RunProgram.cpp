#include "tests/support/RunProgram.h"

#include "tests/support/TestFiles.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace testfiles {

ProgramRun runProgram(const std::string& cwd, const std::vector<std::string>& argv) {
    const TempDir capture;
    const std::string out = capture.file("stdout"), err = capture.file("stderr");
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0)
            _exit(127);
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(o, 1);
        dup2(e, 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    ProgramRun r;
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const Bytes o = readAll(out), e = readAll(err);
    r.out.assign(o.begin(), o.end());
    r.err.assign(e.begin(), e.end());
    return r;
}

ProgramRun runCli(const std::string& cwd, std::vector<std::string> args) {
    args.insert(args.begin(), VORNIX_CLI);
    return runProgram(cwd, args);
}

} // namespace testfiles
