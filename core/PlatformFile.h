#pragma once
// The few file-system calls that differ between systems, behind one small interface: safe
// opening of inputs, replacing outputs through a temporary file, advisory locks, large
// buffers and the mapping of entry names to file names. Everything above this layer is
// portable C++.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace vornix {

struct FileStamp;

// Why a file operation failed. System carries the system's error number.
enum class FileProblem {
    None,
    System,     // the system's reason, in code
    IsFolder,   // a folder where a file is wanted
    NotRegular, // a FIFO, device or socket where a regular file is wanted
    ReadOnly,   // an existing output the user may not write
    NoFolder,   // the folder of an output does not exist
    TooLarge,   // larger than the format or the program can hold
    Changed,    // the file changed while it was read
};

struct FileError {
    FileProblem problem = FileProblem::None;
    int code = 0; // system error number for FileProblem::System
    std::string path;
    std::uint64_t size = 0; // the file's length for FileProblem::TooLarge, when it was measured

    explicit operator bool() const { return problem != FileProblem::None; }
    // The reason alone, in English ("Permission denied", "it is read-only", ...).
    std::string reason() const;
    // "PATH: reason".
    std::string message() const { return path + ": " + reason(); }
};

namespace platform {

using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// The system's text for an error number.
std::string systemMessage(int code);

// A file name in the platform's encoding as a path for std::filesystem calls (on Windows from
// the ANSI code page, as a full path that may be long).
std::filesystem::path nativePath(const std::string& path);
// Between file names in the platform's encoding and std::filesystem paths, both ways and
// otherwise unchanged (on Windows, std::filesystem would read narrow names as Latin-1 and
// write them as UTF-8).
std::filesystem::path pathFromName(const std::string& name);
std::string nameFromPath(const std::filesystem::path& path);

// Opens a regular file for reading without ever waiting on a FIFO or device; anything but a
// regular file (or a link to one) is refused. size is the file's length at opening.
FileError openInput(const std::string& path, Handle& handle, std::uint64_t& size);
// Reads exactly count bytes at offset; a short read is FileProblem::Changed.
FileError readAt(Handle handle, void* buffer, std::size_t count, std::uint64_t offset,
                 const std::string& path);
void close(Handle handle);

// An output about to be replaced: the path written through links (also dangling ones).
struct OutputTarget {
    std::string path;
    bool exists = false;
};
// Refuses a folder, a non-regular file, a read-only file and a missing folder.
FileError resolveOutput(const std::string& path, OutputTarget& target);

// A temporary file in the target's folder: unnamed where the system allows it, else under a
// short name that is removed again on SIGINT/SIGTERM. Takes the permissions (and owner and
// group, where allowed) of a target that exists.
struct TempFile {
    Handle handle = kNoHandle;
    std::string name; // empty while the file has no name
};
FileError createTemp(const OutputTarget& target, TempFile& temp);
// Named temporaries even where unnamed ones exist (tests of the interruption cleanup).
void useNamedTemporaries(bool on);
// Claims disk space up front where the file system can; only a full disk is an error.
int reserve(Handle handle, std::uint64_t bytes);
// Writes all bytes; returns 0 or the system error number.
int writeAll(Handle handle, const void* data, std::size_t size);
struct Span {
    const void* data;
    std::size_t size;
};
// Writes the spans one after another, in as few calls as the system allows.
int writeSpans(Handle handle, const Span* spans, std::size_t count);
// Copies count bytes of input from offset on to the output's current position, inside the
// kernel where possible. FileProblem::Changed when the input ends early.
FileError copyRange(Handle input, std::uint64_t offset, Handle output, std::uint64_t count,
                    const std::string& inputPath, const std::string& outputPath);
// Closes the temporary file and puts it in the target's place in one step.
FileError commitTemp(TempFile& temp, const OutputTarget& target);
// Closes and removes the temporary file (nothing is left behind).
void discardTemp(TempFile& temp);

// A file for a new name in folder (empty: the current one), written while it has no name:
// unnamed where the system allows it, else under a short name that is removed again on
// SIGINT/SIGTERM (and Ctrl-C). Nothing that looks like a finished file exists until nameNew.
FileError createUnnamed(const std::string& folder, TempFile& temp);
// Gives the complete file the name path and closes it; never replaces anything there. EEXIST
// in code when the name is taken: the file then stays as it was, to be named again or
// discarded (discardTemp).
FileError nameNew(TempFile& temp, const std::string& path);

// Creates a new file for writing; never replaces or follows into an existing one.
// EEXIST in code when the name is taken.
FileError createNew(const std::string& path, Handle& handle);
void removeFile(const std::string& path);

// An exclusive advisory lock on an existing file, held until release or destruction. Taking it
// waits for other holders; it is re-taken when the file at the path was replaced meanwhile,
// so the lock always covers the file the path names.
class ExclusiveLock {
  public:
    ExclusiveLock() = default;
    ~ExclusiveLock() { release(); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    FileError acquire(const std::string& path);
    void release();

  private:
    Handle handle_ = kNoHandle;
};

// Memory for a whole file, not zero-filled, backed by large pages where available.
struct LargeBuffer {
    std::uint8_t* data = nullptr;
    std::size_t size = 0;
};
LargeBuffer allocateLarge(std::size_t size);
void freeLarge(LargeBuffer& buffer);

// Gives the pipe at descriptor fd room for a megabyte, where the system allows, so that a
// chatty child writes on while its reader is busy and the reader takes more at a time. Safe
// between fork and exec; does nothing elsewhere.
void enlargePipe(int fd);

// Fills stamp from the file at path (following links); false when there is none.
bool readStamp(const std::string& path, FileStamp& stamp);

// File-name bytes for a name of single-byte Latin-1 characters (0x20 and up; the caller has
// replaced control characters): the platform's file-name encoding.
std::string fileNameFromLatin1(const std::string& latin1);

} // namespace platform
} // namespace vornix
