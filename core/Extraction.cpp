#include "core/Extraction.h"

#include "core/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <filesystem>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

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
        // Exclusive creation: a file that is there, or appeared meanwhile, is never
        // overwritten. Whether the name is taken is asked only when that fails: one system
        // call per file in the usual case.
        const FileError e = platform::createNew(path, out);
        if (!e) {
            result.path = path;
            return true;
        }
        if ((e.problem == FileProblem::System && e.code == EEXIST) || taken(path))
            continue;
        result.failure = e;
        result.error = path + ": cannot create the file: " + e.reason();
        return false;
    }
    result.error = candidate(base, 0) + ": no free numbered name is left in the folder";
    return false;
}

ExtractResult& describeFailure(ExtractResult& result, const FileError& e) {
    result.written = false;
    result.failure = e;
    result.error = e.path == result.path ? result.path + ": write error: " + e.reason() : e.message();
    return result;
}

// Removes a file that could not be written completely; no half-written program is left.
ExtractResult& failed(ExtractResult& result, platform::Handle file, const FileError& e) {
    platform::close(file);
    platform::removeFile(result.path);
    return describeFailure(result, e);
}

// A second thread that runs one job at a time: handed over, then waited for.
class Worker {
  public:
    Worker() : thread_([this] { loop(); }) {}
    ~Worker() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void start(std::function<void()> job) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            job_ = std::move(job);
        }
        changed_.notify_all();
    }
    void wait() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !job_; });
    }

  private:
    void loop() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return quit_ || job_; });
            if (!job_)
                return;
            lock.unlock();
            job_();
            lock.lock();
            job_ = nullptr;
            changed_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_; // set while a job waits or runs
    bool quit_ = false;
    std::thread thread_; // last: starts once the rest is there
};

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
    // Each file is written whole by write: nothing is left for a second step.
    const PrgCreator whole = [&write](std::size_t position) { return PrgFile{write(position)}; };
    return extractEach(positions, count, whole, PrgFiller(), done);
}

ExtractResult extractEach(const std::vector<std::size_t>& positions, std::size_t count,
                          const PrgCreator& create, const PrgFiller& fill, const EntryWritten& done) {
    struct Filling {
        std::size_t position = 0;
        ExtractResult result;
        FileError error; // set by the worker
    };
    std::optional<Worker> worker;
    std::optional<Filling> filling; // the file the worker has; touched here only after wait()
    const auto fillAndClose = [&fill](std::size_t position, const PrgFile& file) {
        FileError e = fill(position, file.handle, file.result.path);
        platform::close(file.handle);
        if (e)
            platform::removeFile(file.result.path);
        return e;
    };
    const auto written = [&done](std::size_t position, ExtractResult& result) {
        result.written = true;
        if (done)
            done(position, result);
    };
    // Waits for the file being filled; its failure ends the loop.
    const auto settle = [&]() -> std::optional<ExtractResult> {
        if (!filling)
            return std::nullopt;
        worker->wait();
        Filling f = std::move(*filling);
        filling.reset();
        if (f.error)
            return describeFailure(f.result, f.error);
        written(f.position, f.result);
        return std::nullopt;
    };
    for (std::size_t position : positions) {
        if (position >= count)
            break;
        PrgFile file = create(position);
        if (file.handle == platform::kNoHandle) {
            if (auto failure = settle())
                return *failure;
            if (!file.result.written)
                return file.result;
            written(position, file.result);
            continue;
        }
        if (auto failure = settle()) {
            // The file after a failed one is still empty: it goes too.
            platform::close(file.handle);
            platform::removeFile(file.result.path);
            return *failure;
        }
        if (positions.size() == 1) {
            if (const FileError e = fillAndClose(position, file))
                return describeFailure(file.result, e);
            written(position, file.result);
            continue;
        }
        if (!worker)
            worker.emplace();
        filling = Filling{position, file.result, {}};
        worker->start(
            [&fillAndClose, &filling, position, file] { filling->error = fillAndClose(position, file); });
    }
    if (auto failure = settle())
        return *failure;
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
    PrgFile file = create(index, folder);
    if (file.handle == platform::kNoHandle)
        return file.result;
    if (const FileError e = fill(index, file.handle, file.result.path))
        return failed(file.result, file.handle, e);
    platform::close(file.handle);
    file.result.written = true;
    return file.result;
}

PrgFile ImageExtractor::create(std::size_t index, const std::string& folder) const {
    PrgFile file;
    if (image_ == platform::kNoHandle || index >= directory_.contents.entries.size()) {
        file.result.error = path_ + ": there is no entry " + std::to_string(index + 1);
        return file;
    }
    if (!createPrg(folder, directory_.contents.entries[index].name, file.handle, file.result))
        file.handle = platform::kNoHandle;
    return file;
}

FileError ImageExtractor::fill(std::size_t index, platform::Handle file, const std::string& path) const {
    const Entry& entry = directory_.contents.entries[index];
    // The load address, then the data copied by the kernel where it can (one copy instead of
    // two through memory); bounded memory whatever the image's size.
    if (const int err = platform::writeAll(file, entry.load, 2))
        return {FileProblem::System, err, path};
    return platform::copyRange(image_, static_cast<std::uint32_t>(entry.dataOffset), file,
                               static_cast<std::uint64_t>(entry.size), path_, path);
}

} // namespace vornix
