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

namespace vornix::tap {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string writeFailure(const vornix::AtomicFile& out) {
    return "Cannot write the joined TAP, " + out.error() + ".";
}

// Size of a readable regular file, or an error message naming it. A FIFO or device is
// refused at once, never waited on.
bool inputSize(const std::string& path, std::uint64_t& size, std::string& error) {
    vornix::platform::Handle h = vornix::platform::kNoHandle;
    const vornix::FileError e = vornix::platform::openInput(path, h, size);
    vornix::platform::close(h);
    if (e.problem == vornix::FileProblem::System && e.code == ENOENT) {
        error = "The file " + quoted(path) + " does not exist.";
        return false;
    }
    if (e.problem == vornix::FileProblem::IsFolder) {
        error = quoted(path) + " is a folder, not a TAP file.";
        return false;
    }
    if (e) {
        error = "Cannot read " + quoted(path) + ": " + e.reason() + ".";
        return false;
    }
    if (size < kHeaderSize) {
        error = quoted(path) + " is too short for a TAP file (" + std::to_string(size) +
                " bytes; the header alone takes 20).";
        return false;
    }
    return true;
}

// Measures every input; fills sizes (file entries only, in order) and the data length.
std::string measure(const std::vector<JoinItem>& items, const std::string& output,
                    std::vector<std::uint64_t>& sizes, std::uint64_t& total) {
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
        if (vornix::sameFile(item.path, output))
            return "The output " + quoted(output) + " is also an input of the list; choose another name.";
        sizes.push_back(size);
        total += size - kHeaderSize;
    }
    if (total > kMaxDataLength)
        return "The joined data would take " + std::to_string(total) + " bytes; a TAP file holds at most " +
               std::to_string(kMaxDataLength) + ".";
    return {};
}

// Copies count bytes of path from offset 20 on into out, in blocks (for the progress).
std::string copyData(const std::string& path, std::uint64_t count, vornix::AtomicFile& out,
                     const std::function<void(std::uint64_t)>& advance) {
    vornix::platform::Handle in = vornix::platform::kNoHandle;
    std::uint64_t size = 0;
    if (const vornix::FileError e = vornix::platform::openInput(path, in, size))
        return "Cannot read " + quoted(path) + ": " + e.reason() + ".";
    struct Closer {
        vornix::platform::Handle h;
        ~Closer() { vornix::platform::close(h); }
    } closer{in};
    std::uint64_t offset = kHeaderSize;
    while (count > 0) {
        const std::uint64_t chunk = count < kBlockSize ? count : kBlockSize;
        if (!out.copyFrom(in, offset, chunk, path)) {
            const vornix::FileError& e = out.failure();
            if (e.problem == vornix::FileProblem::Changed)
                return quoted(path) + " became shorter while it was being joined.";
            if (e.path == path)
                return "Cannot read " + quoted(path) + ": " + e.reason() + ".";
            return writeFailure(out);
        }
        offset += chunk;
        count -= chunk;
        advance(chunk);
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
        std::string error = copyData(item.path, count, out, advance);
        if (!error.empty())
            return fail(std::move(error));
    }

    if (!out.commit())
        return fail(writeFailure(out));
    result.ok = true;
    return result;
}

std::vector<std::string> conversionArguments(const std::string& path) {
    return {"-i:" + path, "-or:" + path + "1"};
}

std::string convertedPath(const std::string& path) { return path + "1.tap"; }

} // namespace vornix::tap
