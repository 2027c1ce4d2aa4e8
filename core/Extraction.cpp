#include "core/Extraction.h"

#include "core/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace vornix {

namespace {

bool isSeparator(char c) {
    return c == static_cast<char>(fs::path::preferred_separator) || c == '/';
}

bool blank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// The path without ".PRG": folder, separator, safe name with its blanks trimmed.
std::string basePath(const std::string& folder, const std::string& entryName) {
    // Trailing blanks and control bytes (NUL fill included) go before NULs inside the name
    // are replaced, so only those inside become "_".
    std::string name = entryName;
    while (!name.empty() && blank(name.back()))
        name.pop_back();
    if (folder.empty())
        name.erase(name.begin(), std::find_if_not(name.begin(), name.end(), blank));
    name = safeFileName(name);
    if (folder.empty())
        return name;
    std::string path = folder;
    if (!isSeparator(path.back()))
        path += static_cast<char>(fs::path::preferred_separator);
    return path + name;
}

std::string candidate(const std::string& base, int number) {
    return number == 0 ? base + ".PRG" : base + "_" + std::to_string(number) + ".PRG";
}

bool taken(const std::string& path) {
    std::error_code ec;
    // symlink_status: a dangling link still takes the name.
    return fs::exists(fs::symlink_status(path, ec));
}

constexpr int kMaxNumber = 1000000;

} // namespace

std::string safeFileName(const std::string& entryName) {
    std::string out = entryName;
    for (char& c : out) {
        switch (c) {
        case '\\':
        case '/':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
        case '\0':
            c = '_';
            break;
        default:
            break;
        }
    }
    return out;
}

std::string extractionPath(const std::string& folder, const std::string& entryName) {
    const std::string base = basePath(folder, entryName);
    for (int n = 0; n < kMaxNumber; ++n)
        if (!taken(candidate(base, n)))
            return candidate(base, n);
    return candidate(base, kMaxNumber);
}

ExtractResult extractEntry(const Entry& entry, const std::string& folder, const ExtractProgress& progress) {
    ExtractResult result;
    const std::string base = basePath(folder, entry.name);
    std::FILE* f = nullptr;
    for (int n = 0; n <= kMaxNumber && !f; ++n) {
        const std::string path = candidate(base, n);
        if (taken(path))
            continue;
        // Exclusive creation: a file that appeared meanwhile is never overwritten.
        f = std::fopen(path.c_str(), "wbx");
        if (f) {
            result.path = path;
        } else if (errno != EEXIST) {
            result.error = path + ": cannot create the file: " + systemMessage(errno);
            return result;
        }
    }
    if (!f) {
        result.error = candidate(base, 0) + ": no free numbered name is left in the folder";
        return result;
    }

    auto fail = [&](int err) {
        std::fclose(f);
        std::error_code ec;
        fs::remove(result.path, ec); // no half-written program is left behind
        result.error = result.path + ": write error: " + systemMessage(err);
        return result;
    };

    const std::int64_t size = static_cast<std::int64_t>(entry.data.size());
    if (std::fwrite(entry.load, 1, 2, f) != 2)
        return fail(errno);
    for (std::int64_t done = 0; done < size;) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::int64_t>(kExtractChunk, size - done));
        if (std::fwrite(entry.data.data() + done, 1, chunk, f) != chunk)
            return fail(errno);
        done += static_cast<std::int64_t>(chunk);
        if (progress)
            progress((done - 1) / 300 * 300, size - 1);
    }
    if (std::fflush(f) != 0 || std::ferror(f))
        return fail(errno);
    const int closed = std::fclose(f);
    if (closed != 0) {
        const int err = errno;
        std::error_code ec;
        fs::remove(result.path, ec);
        result.error = result.path + ": write error: " + systemMessage(err);
        return result;
    }
    if (progress)
        progress(-1, size - 1);
    result.written = true;
    return result;
}

} // namespace vornix
