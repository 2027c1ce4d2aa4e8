#pragma once
// Joining TAP files and pauses into one version 1 TAP file.
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

// The items of the list's texts. A text that starts with a colon but is not an offered pause
// makes the result empty and sets error.
bool itemsFromEntries(const Entries& entries, std::vector<JoinItem>& items, std::string& error);

// Checks, before anything is written: each file entry exists, can be read and holds at least a
// header; the output is none of the inputs; the joined data fits the 32-bit length field.
// Returns an empty string when all is well, else a message naming the offending entry.
std::string checkJoin(const std::vector<JoinItem>& items, const std::string& output);

// Called once with done = 0 when the data length is known, then after each block written.
using JoinProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

struct JoinResult {
    bool ok = false;
    std::string error;            // why it failed; the output is then untouched
    std::uint64_t dataLength = 0; // bytes after the header
};

// Writes the header and then, entry by entry, each pause's groups and each file's bytes from
// offset 20 on. The output is written beside the target under a temporary name and renamed
// over it only when complete.
JoinResult join(const std::vector<JoinItem>& items, const std::string& output,
                const JoinProgress& progress = {});

// The tape tool converts P to version 1 with these arguments and writes convertedPath(P).
std::vector<std::string> conversionArguments(const std::string& path);
std::string convertedPath(const std::string& path);

} // namespace vornix::tap
