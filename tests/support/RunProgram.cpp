#include "tests/support/RunProgram.h"

#include "core/PlatformFile.h"

#include "tests/support/TestFiles.h"

#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testfiles {

#ifdef _WIN32

namespace {

// Test strings are in the ANSI code page, as the C runtime takes narrow names.
std::wstring widen(const std::string& s) { return vornix::platform::pathFromName(s).native(); }

// One argument quoted so that the C runtime of the child splits it back unchanged.
void appendQuoted(std::wstring& line, const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += arg;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count double only before a quote.
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(2 * backslashes, L'\\');
    line += L'"';
}

HANDLE openStream(const std::string& file, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const std::wstring name = file.empty() ? std::wstring(L"NUL") : widen(file);
    return CreateFileW(name.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &inherit, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

std::intptr_t startProgram(const std::string& program, const std::vector<std::string>& args,
                           const std::string& cwd, const std::string& outFile, const std::string& errFile) {
    const std::wstring app = widen(program);
    std::wstring line;
    appendQuoted(line, app);
    for (const std::string& a : args) {
        line += L' ';
        appendQuoted(line, widen(a));
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = openStream({}, false);
    si.hStdOutput = openStream(outFile, true);
    si.hStdError = openStream(errFile, true);
    PROCESS_INFORMATION pi{};
    const std::wstring folder = widen(cwd);
    const bool started = si.hStdInput != INVALID_HANDLE_VALUE && si.hStdOutput != INVALID_HANDLE_VALUE &&
                         si.hStdError != INVALID_HANDLE_VALUE &&
                         CreateProcessW(app.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.empty() ? nullptr : folder.c_str(), &si, &pi);
    for (HANDLE h : {si.hStdInput, si.hStdOutput, si.hStdError})
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    if (!started)
        return -1;
    CloseHandle(pi.hThread);
    return reinterpret_cast<std::intptr_t>(pi.hProcess);
}

int waitProgram(std::intptr_t started) {
    if (started == -1)
        return -1;
    const HANDLE process = reinterpret_cast<HANDLE>(started);
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    const bool ended = GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return ended ? static_cast<int>(code) : -1;
}

#else

std::intptr_t startProgram(const std::string& program, const std::vector<std::string>& args,
                           const std::string& cwd, const std::string& outFile, const std::string& errFile) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (!cwd.empty() && chdir(cwd.c_str()) != 0)
            _exit(127);
        auto redirect = [](const std::string& file, int flags, int fd) {
            const int f = open(file.empty() ? "/dev/null" : file.c_str(), flags, 0644);
            if (f < 0 || dup2(f, fd) < 0)
                _exit(127);
            close(f);
        };
        redirect({}, O_RDONLY, 0);
        redirect(outFile, O_WRONLY | O_CREAT | O_TRUNC, 1);
        redirect(errFile, O_WRONLY | O_CREAT | O_TRUNC, 2);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

int waitProgram(std::intptr_t started) {
    if (started == -1)
        return -1;
    int status = 0;
    while (waitpid(static_cast<pid_t>(started), &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

int runProgram(const std::string& program, const std::vector<std::string>& args, const std::string& cwd,
               const std::string& outFile, const std::string& errFile) {
    return waitProgram(startProgram(program, args, cwd, outFile, errFile));
}

namespace {

std::string findOnPath(const std::string& name) {
    if (name.find_first_of("/\\") != std::string::npos)
        return name;
#ifdef _WIN32
    const char separator = ';';
#else
    const char separator = ':';
#endif
    const char* path = std::getenv("PATH");
    std::string rest = path ? path : "";
    while (!rest.empty()) {
        const std::size_t end = rest.find(separator);
        const std::string folder = rest.substr(0, end);
        rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
        std::error_code ec;
        const std::filesystem::path candidate = std::filesystem::path(folder.empty() ? "." : folder) / name;
        if (std::filesystem::is_regular_file(candidate, ec))
            return candidate.string();
    }
    return name;
}

} // namespace

ProgramRun runProgram(const std::string& cwd, const std::vector<std::string>& argv) {
    const TempDir capture;
    const std::string out = capture.file("stdout"), err = capture.file("stderr");
    ProgramRun r;
    if (argv.empty())
        return r;
    r.code = runProgram(findOnPath(argv[0]), std::vector<std::string>(argv.begin() + 1, argv.end()), cwd, out,
                        err);
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
