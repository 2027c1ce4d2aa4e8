#include "tape/TapJoin.h"

#include "core/FileIO.h"
#include "tape/TapFile.h"
#include "tape/TapPause.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace tap {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f)
            std::fclose(f);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string writeFailure(const vornix::AtomicFile& out) { return "Cannot write the joined TAP, " + out.error() + "."; }

// Size of a readable regular file, or an error message naming it.
bool inputSize(const std::string& path, std::uint64_t& size, std::string& error) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (!fs::exists(st)) {
        error = "The file " + quoted(path) + " does not exist.";
        return false;
    }
    if (fs::is_directory(st)) {
        error = quoted(path) + " is a folder, not a TAP file.";
        return false;
    }
    errno = 0;
    File f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        error = "Cannot read " + quoted(path) + ": " + vornix::systemMessage(errno) + ".";
        return false;
    }
    size = fs::file_size(path, ec);
    if (ec) {
        error = "Cannot read " + quoted(path) + ": " + ec.message() + ".";
        return false;
    }
    if (size < kHeaderSize) {
        error = quoted(path) + " is too short for a TAP file (" + std::to_string(size) +
                " bytes; the header alone takes 20).";
        return false;
    }
    return true;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

// Measures every input; fills sizes (file entries only, in order) and the data length.
std::string measure(const std::vector<JoinItem>& items, const std::string& output, std::vector<std::uint64_t>& sizes,
                    std::uint64_t& total) {
    sizes.clear();
    total = 0;
    for (const JoinItem& item : items) {
        if (item.isPause()) {
            if (!isOfferedPause(item.pauseSeconds))
                return "A pause of " + std::to_string(item.pauseSeconds) + " seconds is not on offer.";
            total += pauseBytes(item.pauseSeconds).size();
            continue;
        }
        std::uint64_t size = 0;
        std::string error;
        if (!inputSize(item.path, size, error))
            return error;
        if (sameFile(item.path, output))
            return "The output " + quoted(output) + " is also an input of the list; choose another name.";
        sizes.push_back(size);
        total += size - kHeaderSize;
    }
    if (total > kMaxDataLength)
        return "The joined data would take " + std::to_string(total) + " bytes; a TAP file holds at most " +
               std::to_string(kMaxDataLength) + ".";
    return {};
}

// Copies count bytes of path from offset 20 on into out.
std::string copyData(const std::string& path, std::uint64_t count, vornix::AtomicFile& out, std::vector<char>& buffer,
                     const std::function<void(std::uint64_t)>& advance) {
    errno = 0;
    File in(std::fopen(path.c_str(), "rb"));
    if (!in)
        return "Cannot read " + quoted(path) + ": " + vornix::systemMessage(errno) + ".";
    if (std::fseek(in.get(), static_cast<long>(kHeaderSize), SEEK_SET) != 0)
        return "Cannot read " + quoted(path) + ": " + vornix::systemMessage(errno) + ".";
    while (count > 0) {
        const std::size_t want = count < buffer.size() ? static_cast<std::size_t>(count) : buffer.size();
        const std::size_t got = std::fread(buffer.data(), 1, want, in.get());
        if (got != want) {
            if (std::ferror(in.get()))
                return "Cannot read " + quoted(path) + ": " + vornix::systemMessage(errno) + ".";
            return quoted(path) + " became shorter while it was being joined.";
        }
        if (!out.write(buffer.data(), got))
            return writeFailure(out);
        count -= got;
        advance(got);
    }
    return {};
}

} // namespace

bool itemsFromEntries(const Entries& entries, std::vector<JoinItem>& items, std::string& error) {
    items.clear();
    for (const std::string& entry : entries) {
        if (!isPauseEntry(entry)) {
            items.push_back(JoinItem::file(entry));
            continue;
        }
        const auto seconds = pauseSecondsOf(entry);
        if (!seconds) {
            items.clear();
            error = quoted(entry) + " is not one of the pauses on offer.";
            return false;
        }
        items.push_back(JoinItem::pause(*seconds));
    }
    return true;
}

std::string checkJoin(const std::vector<JoinItem>& items, const std::string& output) {
    std::vector<std::uint64_t> sizes;
    std::uint64_t total = 0;
    return measure(items, output, sizes, total);
}

JoinResult join(const std::vector<JoinItem>& items, const std::string& output, const JoinProgress& progress) {
    JoinResult result;
    std::vector<std::uint64_t> sizes;
    result.error = measure(items, output, sizes, result.dataLength);
    if (!result.error.empty())
        return result;
    const std::uint64_t total = result.dataLength;
    if (progress)
        progress(0, total);

    // Written beside the target and renamed over it only when complete: a failed join never
    // leaves a half-written or emptied TAP.
    vornix::AtomicFile out;
    auto fail = [&](std::string message) {
        out.discard();
        result.error = std::move(message);
        return result;
    };
    const Header header = makeHeader(static_cast<std::uint32_t>(total));
    if (!out.open(output) || !out.reserve(kHeaderSize + total) || !out.write(header.data(), header.size()))
        return fail(writeFailure(out));

    std::uint64_t done = 0;
    auto advance = [&](std::uint64_t n) {
        done += n;
        if (progress)
            progress(done, total);
    };
    std::vector<char> buffer(kBlockSize);
    std::size_t fileIndex = 0;
    for (const JoinItem& item : items) {
        if (item.isPause()) {
            const auto bytes = pauseBytes(item.pauseSeconds);
            if (!out.write(bytes.data(), bytes.size()))
                return fail(writeFailure(out));
            advance(bytes.size());
            continue;
        }
        const std::uint64_t count = sizes[fileIndex++] - kHeaderSize;
        std::string error = copyData(item.path, count, out, buffer, advance);
        if (!error.empty())
            return fail(std::move(error));
    }

    if (!out.commit())
        return fail(writeFailure(out));
    result.ok = true;
    return result;
}

std::vector<std::string> conversionArguments(const std::string& path) { return {"-i:" + path, "-or:" + path + "1"}; }

std::string convertedPath(const std::string& path) { return path + "1.tap"; }

} // namespace tap
