// POSIX implementation of the platform file layer (Linux extras where the kernel has them).
#include "core/PlatformFile.h"

#include "core/FileStamp.h"
#include "core/PlatformShared.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <random>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <climits>
#include <ctime>

namespace vornix {

namespace platform {

namespace {

FileError systemError(int code, const std::string& path) {
    return FileError{FileProblem::System, code, path};
}

FileError problem(FileProblem p, const std::string& path) { return FileError{p, 0, path}; }

int fd(Handle h) { return static_cast<int>(h); }

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// ---- Removal of named temporary files when the process is interrupted ----
// Fixed storage: the signal handler may only read plain memory and call unlink.
// Room for every file an extraction writes at once under a temporary name.
TempSlots<char, PATH_MAX, 48> temps;
struct sigaction previousInt, previousTerm;
std::once_flag handlersOnce;
std::atomic<bool> namedOnly{false};

// Threads between creating a temporary file and registering its name.
std::atomic<int> creating{0};

void removeTempsAndResignal(int sig) {
    temps.close();
    // Another thread may have just created a file: let it register the name first (bounded,
    // as the interrupted thread may be that creator itself).
    for (int wait = 0; wait < 100 && creating.load() > 0; ++wait) {
        timespec pause{0, 1000000};
        ::nanosleep(&pause, nullptr);
    }
    temps.removeAll([](const char* name) { ::unlink(name); });
    // Hand the signal on to whoever handled it before, or end the process as it would have.
    ::sigaction(sig, sig == SIGINT ? &previousInt : &previousTerm, nullptr);
    ::raise(sig);
}

void installHandlers() {
    struct sigaction sa {};
    sa.sa_handler = removeTempsAndResignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESETHAND;
    ::sigaction(SIGINT, &sa, &previousInt);
    ::sigaction(SIGTERM, &sa, &previousTerm);
}

void registerTemp(const std::string& name) {
    std::call_once(handlersOnce, installHandlers);
    temps.add(name);
    // An interruption on another thread may have swept the names before this one came: the
    // process is ending, and the file must not outlive it.
    if (temps.closing())
        ::unlink(name.c_str());
}

void unregisterTemp(const std::string& name) { temps.remove(name); }

// A short name in the folder: long target names must still leave room for it.
std::string shortTempName(const std::string& folder) {
    static std::mt19937_64 rng{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid()) << 32};
    char name[32];
    std::snprintf(name, sizeof name, ".vx%08llx.tmp", static_cast<unsigned long long>(rng() & 0xFFFFFFFFull));
    return (folder == "/" ? std::string() : folder) + "/" + name;
}

// Gives the unnamed file f the name path; never replaces. 0 or the system error number.
int linkUnnamed(int f, const char* self, const std::string& path) {
    // By the descriptor itself where the system lets this process (newer kernels, or the
    // privilege): one lookup less than through /proc. Remembered once seen either way.
    static std::atomic<int> byDescriptor{-1}; // unknown, no, yes
    if (byDescriptor.load() != 0) {
        if (::linkat(f, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) {
            byDescriptor.store(1);
            return 0;
        }
        if (byDescriptor.load() == 1 || (errno != ENOENT && errno != EPERM && errno != EINVAL))
            return errno;
        byDescriptor.store(0);
    }
    // Through /proc where it is mounted.
    return ::linkat(AT_FDCWD, self, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

// Gives the temporary file what the replaced file had: owner and group where the process may
// set them, then the permission bits (changing the owner can clear set-id bits).
void copyMetadata(int file, const struct stat& st) {
    if (::fchown(file, st.st_uid, st.st_gid) != 0)
        (void)!::fchown(file, static_cast<uid_t>(-1), st.st_gid);
    ::fchmod(file, st.st_mode & 07777);
}

bool readOnlyForUs(const std::string& path, const struct stat& st) {
    if (::access(path.c_str(), W_OK) != 0)
        return errno == EACCES || errno == EROFS;
    // The superuser may write anything; a file without any write bit was protected on purpose.
    return ::geteuid() == 0 && (st.st_mode & 0222) == 0;
}

} // namespace

std::string systemMessage(int code) { return std::strerror(code); }

std::filesystem::path nativePath(const std::string& path) { return path; }

std::filesystem::path pathFromName(const std::string& name) { return name; }

std::string nameFromPath(const std::filesystem::path& path) { return path.string(); }

FileError openInput(const std::string& path, Handle& handle, std::uint64_t& size) {
    handle = kNoHandle;
    size = 0;
    // Non-blocking: opening a FIFO must not wait for a writer before we can refuse it.
    const int f = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (f < 0)
        return systemError(errno, path);
    struct stat st {};
    if (::fstat(f, &st) != 0) {
        const int err = errno;
        ::close(f);
        return systemError(err, path);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(f);
        return problem(S_ISDIR(st.st_mode) ? FileProblem::IsFolder : FileProblem::NotRegular, path);
    }
    ::fcntl(f, F_SETFL, ::fcntl(f, F_GETFL) & ~O_NONBLOCK);
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(f, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    handle = f;
    size = static_cast<std::uint64_t>(st.st_size);
    return {};
}

FileError readAt(Handle handle, void* buffer, std::size_t count, std::uint64_t offset,
                 const std::string& path) {
    auto* out = static_cast<char*>(buffer);
    while (count > 0) {
        const ssize_t got = ::pread(fd(handle), out, count, static_cast<off_t>(offset));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno, path);
        }
        if (got == 0)
            return problem(FileProblem::Changed, path);
        out += got;
        count -= static_cast<std::size_t>(got);
        offset += static_cast<std::uint64_t>(got);
    }
    return {};
}

void close(Handle handle) {
    if (handle != kNoHandle)
        ::close(fd(handle));
}

FileError resolveOutput(const std::string& path, OutputTarget& target) {
    target = {};
    std::string p = path;
    struct stat st {};
    bool exists = false;
    // Follow links to the file they name, even when that file does not exist yet.
    for (int hops = 0;; ++hops) {
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return systemError(errno, path);
            break;
        }
        if (!S_ISLNK(st.st_mode)) {
            exists = true;
            break;
        }
        if (hops == 40)
            return systemError(ELOOP, path);
        char link[PATH_MAX];
        const ssize_t n = ::readlink(p.c_str(), link, sizeof link - 1);
        if (n < 0)
            return systemError(errno, path);
        link[n] = '\0';
        p = link[0] == '/' ? std::string(link) : folderOf(p) + "/" + link;
    }
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return problem(FileProblem::IsFolder, path);
        if (!S_ISREG(st.st_mode))
            return problem(FileProblem::NotRegular, path);
        if (readOnlyForUs(p, st))
            return problem(FileProblem::ReadOnly, path);
    } else {
        struct stat folder {};
        if (::stat(folderOf(p).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
            return problem(FileProblem::NoFolder, path);
    }
    target.path = p;
    target.exists = exists;
    return {};
}

FileError createTemp(const OutputTarget& target, TempFile& temp) {
    temp = {};
    const std::string folder = folderOf(target.path);
    struct stat old {};
    const bool replacing = target.exists && ::stat(target.path.c_str(), &old) == 0;
    int f = -1;
#ifdef O_TMPFILE
    if (!namedOnly.load())
        f = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#endif
    if (f < 0) {
        // No unnamed files here: a short name, removed again if the process is interrupted.
        for (int attempt = 0; attempt < 100 && f < 0; ++attempt) {
            const std::string name = shortTempName(folder);
            f = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (f >= 0) {
                temp.name = name;
                registerTemp(name);
            } else if (errno != EEXIST) {
                return systemError(errno, target.path);
            }
        }
        if (f < 0)
            return systemError(EEXIST, target.path);
    }
    if (replacing)
        copyMetadata(f, old);
    temp.handle = f;
    return {};
}

void useNamedTemporaries(bool on) { namedOnly.store(on); }

int reserve(Handle handle, std::uint64_t bytes) {
#ifdef __linux__
    // fallocate, not posix_fallocate: where the file system cannot reserve, go on without
    // (posix_fallocate would write zeros instead).
    if (bytes > 0 && ::fallocate(fd(handle), 0, 0, static_cast<off_t>(bytes)) != 0 && errno == ENOSPC)
        return ENOSPC;
#else
    (void)handle;
    (void)bytes;
#endif
    return 0;
}

int writeAll(Handle handle, const void* data, std::size_t size) {
    const Span span{data, size};
    return writeSpans(handle, &span, 1);
}

int writeSpans(Handle handle, const Span* spans, std::size_t count) {
    constexpr std::size_t kMaxVectors = 512;
    // One call of many megabytes is several times slower per byte on Linux than calls of up
    // to a megabyte (measured on ext4: a 16 MB writev 33-47 ms, the same in small calls 3-4.5 ms).
    constexpr std::size_t kMaxCallBytes = std::size_t{1} << 20;
    iovec vectors[kMaxVectors];
    std::size_t next = 0; // first span not yet handed to the system
    std::size_t skip = 0; // bytes of spans[next] already written
    while (next < count) {
        int n = 0;
        std::size_t callBytes = 0;
        for (std::size_t i = next;
             i < count && n < static_cast<int>(kMaxVectors) && callBytes < kMaxCallBytes; ++i) {
            const std::size_t from = i == next ? skip : 0;
            if (spans[i].size == from)
                continue;
            const std::size_t length = std::min(spans[i].size - from, kMaxCallBytes - callBytes);
            vectors[n].iov_base = const_cast<char*>(static_cast<const char*>(spans[i].data) + from);
            vectors[n].iov_len = length;
            callBytes += length;
            ++n;
        }
        if (n == 0)
            return 0;
        ssize_t wrote = ::writev(fd(handle), vectors, n);
        if (wrote < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (wrote == 0)
            return EIO;
        // writev may write less than asked: go on from the first byte it left.
        while (next < count && wrote >= 0) {
            const std::size_t left = spans[next].size - skip;
            if (static_cast<std::size_t>(wrote) < left) {
                skip += static_cast<std::size_t>(wrote);
                break;
            }
            wrote -= static_cast<ssize_t>(left);
            ++next;
            skip = 0;
        }
    }
    return 0;
}

FileError copyRange(Handle input, std::uint64_t offset, Handle output, std::uint64_t count,
                    const std::string& inputPath, const std::string& outputPath) {
#ifdef __linux__
    bool kernelCopy = true;
    while (count > 0 && kernelCopy) {
        loff_t from = static_cast<loff_t>(offset);
        const ssize_t n = ::copy_file_range(fd(input), &from, fd(output), nullptr, count, 0);
        if (n > 0) {
            offset += static_cast<std::uint64_t>(n);
            count -= static_cast<std::uint64_t>(n);
        } else if (n == 0) {
            return problem(FileProblem::Changed, inputPath);
        } else if (errno == EINTR) {
            continue;
        } else if (errno == ENOSPC || errno == EDQUOT || errno == EFBIG) {
            return systemError(errno, outputPath);
        } else {
            kernelCopy = false; // not across these file systems: copy through memory
        }
    }
#endif
    return copyThroughMemory(input, offset, output, count, inputPath, outputPath);
}

FileError commitTemp(TempFile& temp, const OutputTarget& target) {
    const int f = fd(temp.handle);
    temp.handle = kNoHandle;
    if (temp.name.empty()) {
        char self[64];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", f);
        // A new file takes its own name straight away: no other name ever exists that a kill
        // could leave behind. (Linking never replaces: a file that appeared meanwhile is
        // replaced through a short name below, like any existing one.)
        if (!target.exists && linkUnnamed(f, self, target.path) == 0) {
            if (::close(f) != 0) {
                const int err = errno;
                ::unlink(target.path.c_str());
                return systemError(err, target.path);
            }
            return {};
        }
        // Name the unnamed file under a short name, then rename it over the target: the rename
        // is what replaces the target in one step.
        const std::string folder = folderOf(target.path);
        for (int attempt = 0; attempt < 100 && temp.name.empty(); ++attempt) {
            const std::string name = shortTempName(folder);
            registerTemp(name);
            if (const int err = linkUnnamed(f, self, name); err == 0) {
                if (temps.closing())
                    ::unlink(name.c_str()); // swept already: the process is ending
                temp.name = name;
            } else {
                unregisterTemp(name);
                if (err != EEXIST) {
                    ::close(f);
                    return systemError(err, target.path);
                }
            }
        }
        if (temp.name.empty()) {
            ::close(f);
            return systemError(EEXIST, target.path);
        }
    }
    if (::close(f) != 0) {
        const int err = errno;
        discardTemp(temp);
        return systemError(err, target.path);
    }
    if (::rename(temp.name.c_str(), target.path.c_str()) != 0) {
        const int err = errno;
        discardTemp(temp);
        return systemError(err, target.path);
    }
    unregisterTemp(temp.name);
    temp.name.clear();
    return {};
}

void discardTemp(TempFile& temp) {
    if (temp.handle != kNoHandle) {
        ::close(fd(temp.handle));
        temp.handle = kNoHandle;
    }
    if (!temp.name.empty()) {
        ::unlink(temp.name.c_str());
        unregisterTemp(temp.name);
        temp.name.clear();
    }
}

FileError createUnnamed(const std::string& folder, TempFile& temp) {
    temp = {};
    const std::string where = folder.empty() ? std::string(".") : folder;
    int f = -1;
#ifdef O_TMPFILE
    if (!namedOnly.load())
        f = ::open(where.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (f < 0 && (errno == ENOENT || errno == ENOTDIR || errno == EACCES || errno == EROFS ||
                  errno == ENOSPC || errno == EDQUOT))
        return systemError(errno, where);
#endif
    for (int attempt = 0; attempt < 100 && f < 0; ++attempt) {
        std::string name = shortTempName(where == "/" ? "/" : where);
        // Other threads may go on creating while one is interrupted: the interruption waits
        // until the name of a file created here is registered, and no file is created after.
        creating.fetch_add(1);
        if (temps.closing()) {
            creating.fetch_sub(1);
            return systemError(EINTR, where);
        }
        f = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        const int err = errno;
        if (f >= 0) {
            registerTemp(name);
            temp.name = std::move(name);
        }
        creating.fetch_sub(1);
        if (f < 0 && err != EEXIST)
            return systemError(err, where);
    }
    if (f < 0)
        return systemError(EEXIST, where);
    temp.handle = f;
    return {};
}

namespace {

// Renames from to to unless to exists (EEXIST then). 0 or the system error number.
int renameNoReplace(const std::string& from, const std::string& to) {
#if defined(__linux__) && defined(RENAME_NOREPLACE)
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
#endif
    // A second link fails on a taken name; file systems without links fall back to a look
    // first and a rename, which a file appearing at that moment could still lose to.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK)
        return errno;
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

} // namespace

FileError nameNew(TempFile& temp, const std::string& path) {
    if (temp.name.empty()) {
        const int f = fd(temp.handle);
        char self[64];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", f);
        if (const int err = linkUnnamed(f, self, path))
            return systemError(err, path);
        temp.handle = kNoHandle;
        if (::close(f) != 0) {
            const int err = errno;
            ::unlink(path.c_str());
            return systemError(err, path);
        }
        return {};
    }
    if (temp.handle != kNoHandle) {
        const int f = fd(temp.handle);
        temp.handle = kNoHandle;
        if (::close(f) != 0) {
            const int err = errno;
            discardTemp(temp);
            return systemError(err, path);
        }
    }
    if (const int err = renameNoReplace(temp.name, path))
        return systemError(err, path);
    unregisterTemp(temp.name);
    temp.name.clear();
    return {};
}

FileError createNew(const std::string& path, Handle& handle) {
    handle = kNoHandle;
    const int f = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (f < 0)
        return systemError(errno, path);
    handle = f;
    return {};
}

void removeFile(const std::string& path) { ::unlink(path.c_str()); }

FileError ExclusiveLock::acquire(const std::string& path) {
    release();
    for (;;) {
        const int f = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (f < 0)
            return systemError(errno, path);
        struct stat held {};
        if (::fstat(f, &held) != 0 || !S_ISREG(held.st_mode)) {
            const bool folder = S_ISDIR(held.st_mode);
            ::close(f);
            return problem(folder ? FileProblem::IsFolder : FileProblem::NotRegular, path);
        }
        int rc;
        while ((rc = ::flock(f, LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (rc != 0) {
            const int err = errno;
            ::close(f);
            // A file system without locks: go on unlocked rather than refuse to edit.
            return err == ENOLCK || err == EOPNOTSUPP ? FileError{} : systemError(err, path);
        }
        // A writer that held the lock before us may have replaced the file: lock the new one.
        struct stat now {};
        if (::stat(path.c_str(), &now) == 0 && now.st_dev == held.st_dev && now.st_ino == held.st_ino) {
            handle_ = f;
            return {};
        }
        ::close(f);
    }
}

void ExclusiveLock::release() {
    if (handle_ != kNoHandle) {
        ::close(fd(handle_)); // closing drops the lock
        handle_ = kNoHandle;
    }
}

LargeBuffer allocateLarge(std::size_t size) {
    LargeBuffer b;
    if (size == 0)
        return b;
    constexpr std::size_t kHuge = 2u << 20;
    if (size >= kHuge) {
        const std::size_t rounded = (size + kHuge - 1) / kHuge * kHuge;
        void* p = std::aligned_alloc(kHuge, rounded);
        if (p) {
#ifdef MADV_HUGEPAGE
            ::madvise(p, rounded, MADV_HUGEPAGE);
#endif
            b.data = static_cast<std::uint8_t*>(p);
            b.size = size;
            return b;
        }
    }
    b.data = static_cast<std::uint8_t*>(std::malloc(size));
    b.size = b.data ? size : 0;
    return b;
}

void enlargePipe(int fd) {
#ifdef F_SETPIPE_SZ
    ::fcntl(fd, F_SETPIPE_SZ, 1 << 20); // a smaller pipe still works
#else
    (void)fd;
#endif
}

bool readStamp(const std::string& path, FileStamp& stamp) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
#if defined(__APPLE__)
    stamp.modifiedNs =
        static_cast<std::int64_t>(st.st_mtimespec.tv_sec) * 1000000000 + st.st_mtimespec.tv_nsec;
#else
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#endif
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    return true;
}

std::string fileNameFromLatin1(const std::string& latin1) {
    // File names on this system are UTF-8.
    std::string out;
    out.reserve(latin1.size());
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace platform
} // namespace vornix
