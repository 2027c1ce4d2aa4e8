// Windows implementation of the platform file layer. Names arrive in the ANSI code page (as
// the C runtime and the editor's file dialogs give them) and go to the wide-character API as
// full paths with the \\?\ prefix, so long names work. Error numbers stay errno values where
// one fits (callers test EEXIST and friends); other Windows errors travel as their negated code.
#include "core/PlatformFile.h"

#include "core/FileStamp.h"
#include "core/PlatformShared.h"

#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>
#include <random>
#include <vector>

namespace vornix::platform {

namespace {

HANDLE native(Handle h) { return reinterpret_cast<HANDLE>(h); }

Handle wrap(HANDLE h) { return reinterpret_cast<Handle>(h); }

int errnoFrom(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_DIRECTORY: return ENOTDIR;
    default: return -static_cast<int>(error);
    }
}

FileError systemError(DWORD error, const std::string& path) {
    return FileError{FileProblem::System, errnoFrom(error), path};
}

FileError lastError(const std::string& path) { return systemError(GetLastError(), path); }

FileError problem(FileProblem p, const std::string& path) { return FileError{p, 0, path}; }

std::wstring fromCodePage(const std::string& s) {
    if (s.empty())
        return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string toCodePage(const std::wstring& w) {
    if (w.empty())
        return {};
    const int n =
        WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

// The full path for the wide API. Devices (\\.\NUL) and prefixed paths stay as they are.
std::wstring wide(const std::string& path) {
    const std::wstring w = fromCodePage(path);
    if (w.empty())
        return w;
    const DWORD need = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (need == 0)
        return w;
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(w.c_str(), need, full.data(), nullptr);
    if (got == 0 || got >= need)
        return w;
    full.resize(got);
    if (full.rfind(L"\\\\", 0) == 0) {
        if (full.rfind(L"\\\\?\\", 0) == 0 || full.rfind(L"\\\\.\\", 0) == 0)
            return full;
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

// A name in the device space (NUL, CON, COM1, \\.\pipe\...): never a regular file, whatever
// the system reports for its type (Wine gives NUL the type of a disk file).
bool isDevice(const std::wstring& full) {
    const bool driveThroughDevices = full.size() >= 6 && full[5] == L':';
    return full.rfind(L"\\\\.\\", 0) == 0 && !driveThroughDevices;
}

// Without a closing separator (a drive root is "\\?\C:"): append one before asking about it.
std::wstring folderOf(const std::wstring& full) {
    const std::size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : full.substr(0, slash);
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens for a look at the file only; follows links; a folder opens too.
HANDLE openForQuery(const std::wstring& path) {
    return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// What an open handle is: a disk file, a folder, or something else (console, NUL, pipe).
FileProblem kindOf(HANDLE h, BY_HANDLE_FILE_INFORMATION* info) {
    if (GetFileType(h) != FILE_TYPE_DISK)
        return FileProblem::NotRegular;
    BY_HANDLE_FILE_INFORMATION local{};
    BY_HANDLE_FILE_INFORMATION& i = info ? *info : local;
    if (!GetFileInformationByHandle(h, &i))
        return FileProblem::NotRegular;
    return (i.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileProblem::IsFolder : FileProblem::None;
}

// ---- Removal of named temporary files on Ctrl-C, Ctrl-Break and console close ----
// Room for every file an extraction writes at once whose deletion mark could not be set.
TempSlots<wchar_t, 32768, 48> temps;
std::once_flag handlerOnce;

BOOL WINAPI removeTempsOnBreak(DWORD) {
    temps.removeAll([](const wchar_t* name) { DeleteFileW(name); });
    return FALSE; // the next handler runs: by default, the one that ends the process
}

void registerTemp(const std::wstring& name) {
    std::call_once(handlerOnce, [] { SetConsoleCtrlHandler(removeTempsOnBreak, TRUE); });
    temps.add(name);
    // Ctrl-C on another thread may have swept the names before this one came.
    if (temps.closing())
        DeleteFileW(name.c_str());
}

void unregisterTemp(const std::wstring& name) { temps.remove(name); }

// While the temporary file is written it is marked for deletion, so a process that is killed
// leaves nothing behind; the mark is taken off only to put the file in place.
bool markForDeletion(HANDLE h, bool on) {
    FILE_DISPOSITION_INFO d{};
    d.DeleteFile = on ? TRUE : FALSE;
    return SetFileInformationByHandle(h, FileDispositionInfo, &d, sizeof d) != 0;
}

std::wstring shortTempName(const std::wstring& folder) {
    static std::mt19937_64 rng{std::random_device{}() ^ static_cast<std::uint64_t>(GetCurrentProcessId())
                                                            << 32};
    wchar_t name[32];
    std::swprintf(name, 32, L"\\.vx%08llx.tmp", static_cast<unsigned long long>(rng() & 0xFFFFFFFFull));
    return folder + name;
}

} // namespace

std::string systemMessage(int code) {
    if (code >= 0)
        return std::strerror(code);
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(-code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = n && text ? std::wstring(text, n) : std::wstring();
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(-code) : toCodePage(message);
}

std::filesystem::path nativePath(const std::string& path) { return wide(path); }

std::filesystem::path pathFromName(const std::string& name) { return fromCodePage(name); }

std::string nameFromPath(const std::filesystem::path& path) { return toCodePage(path.native()); }

FileError openInput(const std::string& path, Handle& handle, std::uint64_t& size) {
    handle = kNoHandle;
    size = 0;
    const std::wstring name = wide(path);
    if (isDevice(name))
        return problem(FileProblem::NotRegular, path);
    // Shared for deletion too: an input may be replaced by the output it is converted into.
    const HANDLE h = CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return lastError(path);
    if (const FileProblem p = kindOf(h, nullptr); p != FileProblem::None) {
        CloseHandle(h);
        return problem(p, path);
    }
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(h, &length)) {
        const FileError e = lastError(path);
        CloseHandle(h);
        return e;
    }
    handle = wrap(h);
    size = static_cast<std::uint64_t>(length.QuadPart);
    return {};
}

FileError readAt(Handle handle, void* buffer, std::size_t count, std::uint64_t offset,
                 const std::string& path) {
    auto* out = static_cast<char*>(buffer);
    while (count > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD want = count < (1u << 30) ? static_cast<DWORD>(count) : (1u << 30);
        DWORD got = 0;
        if (!ReadFile(native(handle), out, want, &got, &at)) {
            const DWORD err = GetLastError();
            if (err == ERROR_HANDLE_EOF)
                return problem(FileProblem::Changed, path);
            return systemError(err, path);
        }
        if (got == 0)
            return problem(FileProblem::Changed, path);
        out += got;
        count -= got;
        offset += got;
    }
    return {};
}

void close(Handle handle) {
    if (handle != kNoHandle)
        CloseHandle(native(handle));
}

FileError resolveOutput(const std::string& path, OutputTarget& target) {
    target = {};
    const std::wstring name = wide(path);
    if (isDevice(name))
        return problem(FileProblem::NotRegular, path);
    const HANDLE h = openForQuery(name);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        if (err == ERROR_PATH_NOT_FOUND)
            return problem(FileProblem::NoFolder, path);
        // A link whose target is missing is not followed into a new file here.
        if (err != ERROR_FILE_NOT_FOUND || GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES)
            return systemError(err, path);
        const DWORD folder = GetFileAttributesW((folderOf(name) + L"\\").c_str());
        if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
            return problem(FileProblem::NoFolder, path);
        target.path = path;
        return {};
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const FileProblem kind = kindOf(h, &info);
    std::string resolved = path;
    if (kind == FileProblem::None && (GetFileAttributesW(name.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // Write through the link: the file it names is the one replaced.
        std::wstring final(32768, L'\0');
        const DWORD n = GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n > 0 && n < final.size()) {
            final.resize(n);
            resolved = toCodePage(final);
        }
    }
    CloseHandle(h);
    if (kind != FileProblem::None)
        return problem(kind, path);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        return problem(FileProblem::ReadOnly, path);
    // What the access rules say: may we write it at all?
    const HANDLE w = CreateFileW(wide(resolved).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (w == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        return err == ERROR_ACCESS_DENIED ? problem(FileProblem::ReadOnly, path) : systemError(err, path);
    }
    CloseHandle(w);
    target.path = resolved;
    target.exists = true;
    return {};
}

FileError createTemp(const OutputTarget& target, TempFile& temp) {
    temp = {};
    const std::wstring folder = folderOf(wide(target.path));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring name = shortTempName(folder);
        // DELETE access: the mark for deletion is set and taken off through this handle.
        const HANDLE h =
            CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD err = GetLastError();
            if (err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS)
                continue;
            return systemError(err, target.path);
        }
        if (!markForDeletion(h, true))
            registerTemp(name); // no delete mark here: at least Ctrl-C removes it
        temp.handle = wrap(h);
        temp.name = toCodePage(name);
        return {};
    }
    return systemError(ERROR_FILE_EXISTS, target.path);
}

void useNamedTemporaries(bool) {
    // Temporary files always have a name here.
}

int reserve(Handle handle, std::uint64_t bytes) {
    if (bytes == 0)
        return 0;
    FILE_ALLOCATION_INFO a{};
    a.AllocationSize.QuadPart = static_cast<LONGLONG>(bytes);
    if (!SetFileInformationByHandle(native(handle), FileAllocationInfo, &a, sizeof a)) {
        const DWORD err = GetLastError();
        if (err == ERROR_DISK_FULL || err == ERROR_HANDLE_DISK_FULL)
            return ENOSPC;
    }
    return 0; // where the file system cannot reserve, go on without
}

int writeAll(Handle handle, const void* data, std::size_t size) {
    const auto* in = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size < (1u << 30) ? static_cast<DWORD>(size) : (1u << 30);
        DWORD wrote = 0;
        if (!WriteFile(native(handle), in, chunk, &wrote, nullptr))
            return errnoFrom(GetLastError());
        if (wrote == 0)
            return EIO;
        in += wrote;
        size -= wrote;
    }
    return 0;
}

int writeSpans(Handle handle, const Span* spans, std::size_t count) {
    // Small spans (directory slots, headers) are gathered so they cost one call together.
    constexpr std::size_t kGather = 64 * 1024;
    std::vector<char> gathered;
    auto flush = [&] {
        const int err = gathered.empty() ? 0 : writeAll(handle, gathered.data(), gathered.size());
        gathered.clear();
        return err;
    };
    for (std::size_t i = 0; i < count; ++i) {
        const auto* data = static_cast<const char*>(spans[i].data);
        if (spans[i].size < kGather) {
            if (gathered.size() + spans[i].size > kGather)
                if (const int err = flush())
                    return err;
            gathered.insert(gathered.end(), data, data + spans[i].size);
            continue;
        }
        if (const int err = flush())
            return err;
        if (const int err = writeAll(handle, data, spans[i].size))
            return err;
    }
    return flush();
}

FileError copyRange(Handle input, std::uint64_t offset, Handle output, std::uint64_t count,
                    const std::string& inputPath, const std::string& outputPath) {
    return copyThroughMemory(input, offset, output, count, inputPath, outputPath);
}

FileError commitTemp(TempFile& temp, const OutputTarget& target) {
    const HANDLE h = native(temp.handle);
    const std::wstring name = fromCodePage(temp.name);
    // From here until the file is in place, only Ctrl-C can still remove it.
    registerTemp(name);
    // Where the mark could not be set, taking it off fails too and does no harm; where it stays
    // against all odds, the file is gone at closing and the rename below reports it.
    markForDeletion(h, false);
    if (!FlushFileBuffers(h) || !CloseHandle(h)) {
        const FileError e = lastError(target.path);
        temp.handle = kNoHandle;
        discardTemp(temp);
        return e;
    }
    temp.handle = kNoHandle;
    const std::wstring to = wide(target.path);
    const DWORD before = target.exists ? GetFileAttributesW(to.c_str()) : INVALID_FILE_ATTRIBUTES;
    // ReplaceFileW keeps what the old file had: attributes, access rules, creation time. File
    // systems without it (FAT, some shares) get a plain rename over the old file.
    bool placed =
        target.exists &&
        ReplaceFileW(to.c_str(), name.c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr);
    DWORD err = placed ? ERROR_SUCCESS : GetLastError();
    if (!placed && (!target.exists || err != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)) {
        placed = MoveFileExW(name.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        err = placed ? ERROR_SUCCESS : GetLastError();
    }
    if (!placed) {
        discardTemp(temp);
        return systemError(err, target.path);
    }
    // Not every ReplaceFileW keeps them (Wine's does not), and a rename never does.
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (before != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(to.c_str(), (before & kKept) ? before & kKept : FILE_ATTRIBUTE_NORMAL);
    unregisterTemp(name);
    temp.name.clear();
    return {};
}

void discardTemp(TempFile& temp) {
    const std::wstring name = fromCodePage(temp.name);
    if (temp.handle != kNoHandle) {
        // Marked for deletion: closing removes it.
        markForDeletion(native(temp.handle), true);
        CloseHandle(native(temp.handle));
        temp.handle = kNoHandle;
    }
    if (!name.empty()) {
        DeleteFileW(name.c_str());
        unregisterTemp(name);
        temp.name.clear();
    }
}

FileError createUnnamed(const std::string& folder, TempFile& temp) {
    // A temporary file in the folder, marked for deletion until it is named: a process that
    // is killed leaves nothing.
    std::string where = folder.empty() ? std::string(".") : folder;
    while (where.size() > 1 && (where.back() == '\\' || where.back() == '/') &&
           where[where.size() - 2] != ':')
        where.pop_back();
    OutputTarget inFolder;
    inFolder.path = where + "\\x";
    const FileError e = createTemp(inFolder, temp);
    return e ? FileError{e.problem, e.code, folder} : e;
}

FileError nameNew(TempFile& temp, const std::string& path) {
    const std::wstring name = fromCodePage(temp.name);
    if (temp.handle != kNoHandle) {
        const HANDLE h = native(temp.handle);
        // From here until the file has its name, only Ctrl-C can still remove it.
        registerTemp(name);
        markForDeletion(h, false);
        temp.handle = kNoHandle;
        if (!CloseHandle(h)) {
            const FileError e = lastError(path);
            discardTemp(temp);
            return e;
        }
    }
    // Without MOVEFILE_REPLACE_EXISTING a taken name fails: nothing is ever replaced.
    if (!MoveFileExW(name.c_str(), wide(path).c_str(), 0))
        return lastError(path);
    unregisterTemp(name);
    temp.name.clear();
    return {};
}

FileError createNew(const std::string& path, Handle& handle) {
    handle = kNoHandle;
    // CREATE_NEW on the link itself: an existing name, a link too, is never followed.
    const HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return lastError(path);
    handle = wrap(h);
    return {};
}

void removeFile(const std::string& path) { DeleteFileW(wide(path).c_str()); }

namespace {

// The lock covers one byte far beyond any real data, so reads and writes of the file itself
// are never blocked by it, also not our own.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

bool sameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

} // namespace

FileError ExclusiveLock::acquire(const std::string& path) {
    release();
    const std::wstring name = wide(path);
    if (isDevice(name))
        return problem(FileProblem::NotRegular, path);
    // ReplaceFileW is not one step: while the holder puts its new file in place, the name is
    // briefly missing or pending deletion. Such a moment is waited out, up to half a second.
    int missingTries = 100;
    for (;;) {
        // Shared for writing and deletion: the holder itself replaces the file while it holds
        // the lock.
        const HANDLE h = CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD err = GetLastError();
            const bool passing =
                err == ERROR_FILE_NOT_FOUND || err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION;
            if (passing && missingTries-- > 0) {
                Sleep(5);
                continue;
            }
            return systemError(err, path);
        }
        BY_HANDLE_FILE_INFORMATION held{};
        if (const FileProblem p = kindOf(h, &held); p != FileProblem::None) {
            CloseHandle(h);
            return problem(p, path);
        }
        OVERLAPPED at{};
        at.OffsetHigh = kLockOffsetHigh;
        if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) {
            const DWORD err = GetLastError();
            CloseHandle(h);
            // A file system without locks: go on unlocked rather than refuse to edit.
            return err == ERROR_NOT_SUPPORTED || err == ERROR_INVALID_FUNCTION ? FileError{}
                                                                               : systemError(err, path);
        }
        // A writer that held the lock before us may have replaced the file: lock the new one.
        const HANDLE now = openForQuery(name);
        BY_HANDLE_FILE_INFORMATION current{};
        const bool same = now != INVALID_HANDLE_VALUE && GetFileInformationByHandle(now, &current) &&
                          sameFile(held, current);
        if (now != INVALID_HANDLE_VALUE)
            CloseHandle(now);
        if (same) {
            handle_ = wrap(h);
            return {};
        }
        CloseHandle(h); // closing drops the lock
    }
}

void ExclusiveLock::release() {
    if (handle_ != kNoHandle) {
        CloseHandle(native(handle_));
        handle_ = kNoHandle;
    }
}

LargeBuffer allocateLarge(std::size_t size) {
    LargeBuffer b;
    if (size == 0)
        return b;
    b.data = static_cast<std::uint8_t*>(std::malloc(size));
    b.size = b.data ? size : 0;
    return b;
}

void enlargePipe(int) {}

bool readStamp(const std::string& path, FileStamp& stamp) {
    const HANDLE h = openForQuery(wide(path));
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (!ok)
        return false;
    // The volume and file index are the file's identity, as device and inode are elsewhere.
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size =
        static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    const std::uint64_t ticks = (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                info.ftLastWriteTime.dwLowDateTime;
    stamp.modifiedNs = static_cast<std::int64_t>(ticks) * 100; // 100 ns ticks
    return true;
}

std::string fileNameFromLatin1(const std::string& latin1) {
    // Latin-1 is the first 256 code points; the ANSI code page gives what it can, and a
    // character it has no byte for becomes '_' rather than a look-alike.
    std::wstring w;
    w.reserve(latin1.size());
    for (unsigned char c : latin1)
        w += static_cast<wchar_t>(c);
    if (w.empty())
        return {};
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()),
                                      nullptr, 0, "_", nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), out.data(), n,
                        "_", nullptr);
    return out;
}

} // namespace vornix::platform
