#include "core/Extraction.h"

#include "core/FileIO.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <filesystem>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
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

// Files created ahead of the ones being written, at most: bounds the open handles.
constexpr std::size_t kCreatedAhead = 32;

// The two-step extraction on two threads. The calling thread creates the files in order
// (so equal names are numbered in that order) and, when it is far enough ahead, writes
// some itself; a helper thread writes the others. Creating happens in the folder one file
// at a time anyway, while writing and closing files can run side by side.
class TwoStepExtraction {
  public:
    TwoStepExtraction(std::vector<std::size_t> positions, const PrgCreator& create, const PrgFiller& fill)
        : positions_(std::move(positions)), slots_(positions_.size()), limit_(positions_.size()),
          create_(create), fill_(fill) {}

    ExtractResult run(const EntryWritten& done) {
        std::optional<std::thread> helper;
        if (positions_.size() > 1) {
            try {
                helper.emplace([this] { help(); });
            } catch (const std::system_error&) {
                // No second thread to be had: this one writes everything.
            }
        }
        const std::size_t made = createAll();
        finishCreating();
        std::size_t index = 0;
        while (claim(index))
            fillSlot(index);
        if (helper)
            helper->join();
        return settle(made, done);
    }

  private:
    struct Slot {
        PrgFile file;
        FileError error; // the failure while writing
        bool filled = false;
    };

    // Creates the files in order until all are there or one fails; returns how many were
    // created (the slot after them holds the failure, if any).
    std::size_t createAll() {
        std::size_t made = 0;
        while (made < positions_.size() && made < limit_.load()) {
            std::size_t index = 0;
            if (made - claimed_.load() >= kCreatedAhead && claim(index)) {
                fillSlot(index);
                continue;
            }
            Slot& slot = slots_[made];
            slot.file = create_(positions_[made]);
            if (slot.file.handle == platform::kNoHandle) {
                slot.filled = true; // nothing left to write
                if (!slot.file.result.written) {
                    lowerLimit(made);
                    break;
                }
            }
            created_.store(++made, std::memory_order_release);
            wakeHelper();
        }
        return made;
    }

    // The next created file nobody writes yet, if any.
    bool claim(std::size_t& index) {
        std::size_t next = claimed_.load();
        while (next < created_.load(std::memory_order_acquire) && next < limit_.load())
            if (claimed_.compare_exchange_weak(next, next + 1)) {
                index = next;
                return true;
            }
        return false;
    }

    void fillSlot(std::size_t index) {
        Slot& slot = slots_[index];
        if (slot.filled)
            return;
        const platform::Handle file = slot.file.handle;
        slot.error = fill_(positions_[index], file, slot.file.result.path);
        platform::close(file);
        slot.file.handle = platform::kNoHandle;
        slot.filled = true;
        if (slot.error) {
            platform::removeFile(slot.file.result.path);
            lowerLimit(index + 1);
        }
    }

    // No file from index on is created or written any more: one before it failed.
    void lowerLimit(std::size_t index) {
        std::size_t limit = limit_.load();
        while (index < limit && !limit_.compare_exchange_weak(limit, index)) {
        }
    }

    bool ready() {
        const std::size_t next = claimed_.load();
        return next < created_.load(std::memory_order_acquire) && next < limit_.load();
    }

    void help() {
        for (;;) {
            std::size_t index = 0;
            if (claim(index)) {
                fillSlot(index);
                continue;
            }
            // The next file is usually only microseconds away: look again a while before
            // sleeping, since a wake-up per file costs more than the file.
            bool soon = false;
            for (int look = 0; look < 200 && !soon; ++look) {
                std::this_thread::yield();
                soon = ready();
            }
            if (soon)
                continue;
            std::unique_lock<std::mutex> lock(mutex_);
            sleeping_ = true;
            wake_.wait(lock, [this] { return !creating_ || ready(); });
            sleeping_ = false;
            if (!creating_ && !ready())
                return;
        }
    }

    void wakeHelper() {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (sleeping_)
            wake_.notify_one();
    }

    void finishCreating() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            creating_ = false;
        }
        wake_.notify_one();
    }

    // After both threads are done: reports the written files in order up to the first
    // failure, and removes every file after it, written or not.
    ExtractResult settle(std::size_t made, const EntryWritten& done) {
        std::size_t index = 0;
        for (; index < made; ++index) {
            Slot& slot = slots_[index];
            if (slot.error)
                break;
            slot.file.result.written = true;
            if (done)
                done(positions_[index], slot.file.result);
        }
        if (index == positions_.size()) {
            ExtractResult all;
            all.written = true;
            return all;
        }
        for (std::size_t after = index + 1; after < made; ++after) {
            Slot& slot = slots_[after];
            if (slot.file.handle != platform::kNoHandle)
                platform::close(slot.file.handle);
            if (!slot.error && !slot.file.result.path.empty()) // a failed fill removed its own
                platform::removeFile(slot.file.result.path);
        }
        Slot& failed = slots_[index];
        return failed.error ? describeFailure(failed.file.result, failed.error) : failed.file.result;
    }

    const std::vector<std::size_t> positions_;
    std::vector<Slot> slots_;
    std::atomic<std::size_t> created_{0}; // slots before this have their files
    std::atomic<std::size_t> claimed_{0}; // slots before this are taken by a writer
    std::atomic<std::size_t> limit_;      // no slot from here on is created or written
    const PrgCreator& create_;
    const PrgFiller& fill_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool sleeping_ = false;
    bool creating_ = true;
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

ExtractResult extractEach(const std::vector<std::size_t>& positions, std::size_t count,
                          const PrgCreator& create, const PrgFiller& fill, const EntryWritten& done) {
    std::vector<std::size_t> present;
    for (std::size_t position : positions) {
        if (position >= count)
            break;
        present.push_back(position);
    }
    return TwoStepExtraction(std::move(present), create, fill).run(done);
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
    // The load address and the data go out together, one write per block, through a block
    // of this thread's own: the other thread fills another file meanwhile. Memory stays
    // bounded whatever the image's size. (A copy inside the kernel was slower for files this
    // small, and the data in a tape image is never aligned for sharing blocks.)
    constexpr std::size_t kBlock = 1 << 20;
    thread_local const std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[kBlock]);
    block[0] = entry.load[0];
    block[1] = entry.load[1];
    std::size_t head = 2;
    std::uint64_t offset = static_cast<std::uint32_t>(entry.dataOffset);
    std::uint64_t left = static_cast<std::uint64_t>(entry.size);
    do {
        const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, kBlock - head));
        if (FileError e = platform::readAt(image_, block.get() + head, chunk, offset, path_))
            return e;
        if (const int err = platform::writeAll(file, block.get(), head + chunk))
            return {FileProblem::System, err, path};
        offset += chunk;
        left -= chunk;
        head = 0;
    } while (left > 0);
    return {};
}

} // namespace vornix
