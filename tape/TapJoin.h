#pragma once
// Joining TAP files and pauses into one version 1 TAP file.
#include "core/PlatformFile.h"
#include "tape/LinkList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vornix::tap {

struct JoinItem {
    std::string path;     // a file entry's path; empty for a pause
    int pauseSeconds = 0; // one of kPauseSeconds for a pause, 0 for a file

    static JoinItem file(std::string path) { return {std::move(path), 0}; }
    static JoinItem pause(int seconds) { return {{}, seconds}; }
    bool isPause() const { return pauseSeconds != 0; }
};

// Why a join did not happen; the output is then untouched.
enum class JoinProblem {
    None,
    UnknownPause,    // path: a list text that starts with a colon but is no pause on offer
    PauseNotOffered, // seconds: a pause item of a length not on offer
    Missing,         // path: an input that does not exist
    Folder,          // path: an input that is a folder
    Unreadable,      // path: an input that cannot be read; failure says why
    TooShort,        // path: an input shorter than a header; bytes is its length
    OutputIsInput,   // path: the output, which is also an input
    TooLong,         // bytes: the joined data, longer than a header can describe
    InputShrank,     // path: an input that became shorter while it was copied
    Unwritable,      // path: the output, which cannot be written; failure says why
};

struct JoinFailure {
    JoinProblem problem = JoinProblem::None;
    std::string path;  // the entry or file it concerns
    FileError failure; // the file system's reason, for Unreadable and Unwritable
    std::uint64_t bytes = 0;
    int seconds = 0;

    explicit operator bool() const { return problem != JoinProblem::None; }
};

// The failure in English, one sentence naming the file (for the command line).
std::string describe(const JoinFailure& failure);

// The items of the list's texts, or the entry that is no pause on offer.
struct ListItems {
    std::vector<JoinItem> items; // empty on failure
    JoinFailure failure;
};
ListItems itemsFromEntries(const Entries& entries);

// Checks, before anything is written: each file entry exists, can be read and holds at least a
// header; the output is none of the inputs; the joined data fits the 32-bit length field.
JoinFailure checkJoin(const std::vector<JoinItem>& items, const std::string& output);

// Called once with done = 0 when the data length is known, then after each block written.
using JoinProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

struct JoinResult {
    bool joined = false;
    JoinFailure failure;
    std::uint64_t dataLength = 0; // bytes after the header
};

// Writes the header and then, entry by entry, each pause's groups and each file's bytes from
// offset 20 on. The output is written beside the target under a temporary name and renamed
// over it only when complete.
JoinResult join(const std::vector<JoinItem>& items, const std::string& output,
                const JoinProgress& progress = {});

} // namespace vornix::tap
