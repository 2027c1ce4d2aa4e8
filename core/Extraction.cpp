#include "core/Extraction.h"

#include "core/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>

namespace fs = std::filesystem;

namespace vornix {

namespace {

bool isSeparator(char c) { return c == static_cast<char>(fs::path::preferred_separator) || c == '/'; }

bool blank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Trailing fill of names on tapes: spaces, control bytes, NULs and shifted spaces.
bool trailingFill(char c) { return blank(c) || static_cast<unsigned char>(c) == 0xA0; }

// The path without ".PRG": folder, separator, safe name with its blanks trimmed.
std::string basePath(const std::string& folder, const std::string& entryName) {
    // Trailing fill goes before control bytes inside the name are replaced, so only those
    // inside become "_".
    std::string name = entryName;
    while (!name.empty() && trailingFill(name.back()))
        name.pop_back();
    if (folder.empty())
        name.erase(name.begin(), std::find_if_not(name.begin(), name.end(), blank));
    // An empty name would give the hidden file ".PRG".
    name = name.empty() ? "_" : safeFileName(name);
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
    return fs::exists(fs::symlink_status(platform::nativePath(path), ec));
}

constexpr int kMaxNumber = 1000000;

// Creates the first free name for the entry; never replaces an existing file.
bool createPrg(const std::string& folder, const std::string& entryName, platform::Handle& out,
               ExtractResult& result) {
    const std::string base = basePath(folder, entryName);
    for (int n = 0; n <= kMaxNumber; ++n) {
        const std::string path = candidate(base, n);
        if (taken(path))
            continue;
        // Exclusive creation: a file that appeared meanwhile is never overwritten.
        const FileError e = platform::createNew(path, out);
        if (!e) {
            result.path = path;
            return true;
        }
        if (e.problem != FileProblem::System || e.code != EEXIST) {
            result.failure = e;
            result.error = path + ": cannot create the file: " + e.reason();
            return false;
        }
    }
    result.error = candidate(base, 0) + ": no free numbered name is left in the folder";
    return false;
}

// Removes a file that could not be written completely; no half-written program is left.
ExtractResult& failed(ExtractResult& result, platform::Handle file, const FileError& e) {
    platform::close(file);
    platform::removeFile(result.path);
    result.failure = e;
    result.error = e.path == result.path ? result.path + ": write error: " + e.reason() : e.message();
    return result;
}

} // namespace

std::string safeFileName(const std::string& entryName) {
    std::string out = entryName;
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
        case '/':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|': c = '_'; break;
        default:
            // Control characters would reach a terminal through the file name.
            if (u < 0x20 || (u >= 0x7F && u < 0xA0))
                c = '_';
            break;
        }
    }
    return platform::fileNameFromLatin1(out);
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
    platform::Handle f = platform::kNoHandle;
    if (!createPrg(folder, entry.name, f, result))
        return result;
    const std::int64_t size = static_cast<std::int64_t>(entry.data.size());
    if (const int err = platform::writeAll(f, entry.load, 2))
        return failed(result, f, {FileProblem::System, err, result.path});
    for (std::int64_t done = 0; done < size;) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::int64_t>(kExtractChunk, size - done));
        if (const int err = platform::writeAll(f, entry.data.data() + done, chunk))
            return failed(result, f, {FileProblem::System, err, result.path});
        done += static_cast<std::int64_t>(chunk);
        if (progress)
            progress((done - 1) / 300 * 300, size - 1);
    }
    platform::close(f);
    if (progress)
        progress(-1, size - 1);
    result.written = true;
    return result;
}

ExtractResult extractEach(const std::vector<std::size_t>& positions, std::size_t count,
                          const EntryWriter& write, const EntryWritten& done) {
    for (std::size_t position : positions) {
        if (position >= count)
            break;
        ExtractResult result = write(position);
        if (!result.written)
            return result;
        if (done)
            done(position, result);
    }
    ExtractResult all;
    all.written = true;
    return all;
}

ImageExtractor::~ImageExtractor() { platform::close(image_); }

const ReadResult& ImageExtractor::open(const std::string& imagePath) {
    platform::close(image_);
    image_ = platform::kNoHandle;
    path_ = imagePath;
    directory_ = ReadResult{};
    // One handle for the directory and every copy: sizes and data come from the same file.
    std::uint64_t length = 0;
    if (FileError e = platform::openInput(imagePath, image_, length)) {
        directory_.error = e.message();
        return directory_;
    }
    if (length > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        directory_.error =
            imagePath + ": the file is too large for a T64 image (" + std::to_string(length) + " bytes)";
        return directory_;
    }
    directory_ = readImageDirectory(image_, length, imagePath);
    return directory_;
}

ExtractResult ImageExtractor::extract(std::size_t index, const std::string& folder) {
    ExtractResult result;
    if (image_ == platform::kNoHandle || index >= directory_.contents.entries.size()) {
        result.error = path_ + ": there is no entry " + std::to_string(index + 1);
        return result;
    }
    const Entry& entry = directory_.contents.entries[index];
    platform::Handle f = platform::kNoHandle;
    if (!createPrg(folder, entry.name, f, result))
        return result;
    // The load address, then the data copied by the kernel where it can (one copy instead of
    // two through memory); bounded memory whatever the image's size.
    if (const int err = platform::writeAll(f, entry.load, 2))
        return failed(result, f, {FileProblem::System, err, result.path});
    if (const FileError e = platform::copyRange(image_, static_cast<std::uint32_t>(entry.dataOffset), f,
                                                static_cast<std::uint64_t>(entry.size), path_, result.path))
        return failed(result, f, e);
    platform::close(f);
    result.written = true;
    return result;
}

} // namespace vornix
