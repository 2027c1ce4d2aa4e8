#include "tape/TapJoin.h"

#include "core/FileIO.h"
#include "tape/TapFile.h"
#include "tape/TapPause.h"

#include <cerrno>

namespace vornix::tap {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

JoinFailure failed(JoinProblem problem, std::string path, FileError failure = {}) {
    JoinFailure f;
    f.problem = problem;
    f.path = std::move(path);
    f.failure = std::move(failure);
    return f;
}

// Size of a readable regular file of at least a header. A FIFO or device is refused at once,
// never waited on.
JoinFailure inputSize(const std::string& path, std::uint64_t& size) {
    vornix::platform::Handle h = vornix::platform::kNoHandle;
    const vornix::FileError e = vornix::platform::openInput(path, h, size);
    vornix::platform::close(h);
    if (e.problem == vornix::FileProblem::System && e.code == ENOENT)
        return failed(JoinProblem::Missing, path);
    if (e.problem == vornix::FileProblem::IsFolder)
        return failed(JoinProblem::Folder, path);
    if (e)
        return failed(JoinProblem::Unreadable, path, e);
    if (size < kHeaderSize) {
        JoinFailure f = failed(JoinProblem::TooShort, path);
        f.bytes = size;
        return f;
    }
    return {};
}

// Measures every input; fills sizes (file entries only, in order) and the data length.
JoinFailure measure(const std::vector<JoinItem>& items, const std::string& output,
                    std::vector<std::uint64_t>& sizes, std::uint64_t& total) {
    sizes.clear();
    total = 0;
    for (const JoinItem& item : items) {
        if (item.isPause()) {
            if (!isOfferedPause(item.pauseSeconds)) {
                JoinFailure f = failed(JoinProblem::PauseNotOffered, {});
                f.seconds = item.pauseSeconds;
                return f;
            }
            total += pauseBytes(item.pauseSeconds).size();
            continue;
        }
        std::uint64_t size = 0;
        if (JoinFailure f = inputSize(item.path, size))
            return f;
        if (vornix::sameFile(item.path, output))
            return failed(JoinProblem::OutputIsInput, output);
        sizes.push_back(size);
        total += size - kHeaderSize;
    }
    if (total > kMaxDataLength) {
        JoinFailure f = failed(JoinProblem::TooLong, {});
        f.bytes = total;
        return f;
    }
    return {};
}

JoinFailure writeFailure(const vornix::AtomicFile& out, const std::string& output) {
    return failed(JoinProblem::Unwritable, output, out.failure());
}

// Copies count bytes of path from offset 20 on into out, in blocks (for the progress).
JoinFailure copyData(const std::string& path, std::uint64_t count, vornix::AtomicFile& out,
                     const std::string& output, const std::function<void(std::uint64_t)>& advance) {
    vornix::platform::Handle in = vornix::platform::kNoHandle;
    std::uint64_t size = 0;
    if (const vornix::FileError e = vornix::platform::openInput(path, in, size))
        return failed(JoinProblem::Unreadable, path, e);
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
                return failed(JoinProblem::InputShrank, path);
            if (e.path == path)
                return failed(JoinProblem::Unreadable, path, e);
            return writeFailure(out, output);
        }
        offset += chunk;
        count -= chunk;
        advance(chunk);
    }
    return {};
}

} // namespace

std::string describe(const JoinFailure& f) {
    switch (f.problem) {
    case JoinProblem::None: return {};
    case JoinProblem::UnknownPause: return quoted(f.path) + " is not one of the pauses on offer";
    case JoinProblem::PauseNotOffered:
        return "a pause of " + std::to_string(f.seconds) + " seconds is not on offer";
    case JoinProblem::Missing: return "the file " + quoted(f.path) + " does not exist";
    case JoinProblem::Folder: return quoted(f.path) + " is a folder, not a TAP file";
    case JoinProblem::Unreadable: return "cannot read " + quoted(f.path) + ": " + f.failure.reason();
    case JoinProblem::TooShort:
        return quoted(f.path) + " is too short for a TAP file (" + std::to_string(f.bytes) +
               " bytes; the header alone takes 20)";
    case JoinProblem::OutputIsInput:
        return "the output " + quoted(f.path) + " is also an input of the list; choose another name";
    case JoinProblem::TooLong:
        return "the joined data would take " + std::to_string(f.bytes) + " bytes; a TAP file holds at most " +
               std::to_string(kMaxDataLength);
    case JoinProblem::InputShrank: return quoted(f.path) + " became shorter while it was being joined";
    case JoinProblem::Unwritable: return "cannot write the joined TAP, " + f.path + ": " + f.failure.reason();
    }
    return {};
}

ListItems itemsFromEntries(const Entries& entries) {
    ListItems result;
    for (const std::string& entry : entries) {
        if (!isPauseEntry(entry)) {
            result.items.push_back(JoinItem::file(entry));
            continue;
        }
        const auto seconds = pauseSecondsOf(entry);
        if (!seconds) {
            result.items.clear();
            result.failure = failed(JoinProblem::UnknownPause, entry);
            return result;
        }
        result.items.push_back(JoinItem::pause(*seconds));
    }
    return result;
}

JoinFailure checkJoin(const std::vector<JoinItem>& items, const std::string& output) {
    std::vector<std::uint64_t> sizes;
    std::uint64_t total = 0;
    return measure(items, output, sizes, total);
}

JoinResult join(const std::vector<JoinItem>& items, const std::string& output, const JoinProgress& progress) {
    JoinResult result;
    std::vector<std::uint64_t> sizes;
    result.failure = measure(items, output, sizes, result.dataLength);
    if (result.failure)
        return result;
    const std::uint64_t total = result.dataLength;
    if (progress)
        progress(0, total);

    // Written beside the target and renamed over it only when complete: a failed join never
    // leaves a half-written or emptied TAP.
    vornix::AtomicFile out;
    auto fail = [&](JoinFailure failure) {
        out.discard();
        result.failure = std::move(failure);
        return result;
    };
    const Header header = makeHeader(static_cast<std::uint32_t>(total));
    if (!out.open(output) || !out.reserve(kHeaderSize + total) || !out.write(header.data(), header.size()))
        return fail(writeFailure(out, output));

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
                return fail(writeFailure(out, output));
            advance(bytes.size());
            continue;
        }
        const std::uint64_t count = sizes[fileIndex++] - kHeaderSize;
        if (JoinFailure f = copyData(item.path, count, out, output, advance))
            return fail(std::move(f));
    }

    if (!out.commit())
        return fail(writeFailure(out, output));
    result.joined = true;
    return result;
}

} // namespace vornix::tap
