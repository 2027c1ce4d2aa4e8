#include "core/Extraction.h"

#include "core/FileIO.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <filesystem>
#include <limits>
#include <map>
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

// A new file without a name in the folder, meant for the entry's name.
PrgFile newPrg(const std::string& folder, const std::string& entryName) {
    PrgFile f;
    f.base = basePath(folder, entryName);
    f.result.path = candidate(f.base, 0);
    if (const FileError e = platform::createUnnamed(folder, f.file)) {
        f.result.failure = e;
        f.result.error = f.result.path + ": cannot create the file: " + e.reason();
        f.file.handle = platform::kNoHandle;
    }
    return f;
}

ExtractResult& describeFailure(ExtractResult& result, const FileError& e) {
    result.written = false;
    result.failure = e;
    result.error = e.path == result.path ? result.path + ": write error: " + e.reason() : e.message();
    return result;
}

// Gives the complete file the first free name from number on: base.PRG, base_1.PRG, ...
// Never replaces an existing file. On success number is the one taken; on failure the file
// is gone and f.result says why.
bool namePrg(PrgFile& f, int& number) {
    for (int n = number; n <= kMaxNumber; ++n) {
        const std::string path = candidate(f.base, n);
        const FileError e = platform::nameNew(f.file, path);
        if (!e) {
            f.result.path = path;
            f.result.written = true;
            number = n;
            return true;
        }
        if (e.problem == FileProblem::System && e.code == EEXIST)
            continue;
        platform::discardTemp(f.file);
        f.result.path = path;
        f.result.failure = e;
        f.result.error = path + ": cannot create the file: " + e.reason();
        return false;
    }
    platform::discardTemp(f.file);
    f.result.error = candidate(f.base, 0) + ": no free numbered name is left in the folder";
    return false;
}

// Files made ahead of the ones named, at most: bounds the open handles.
constexpr std::size_t kMadeAhead = 32;

// The extraction in three steps on two threads. The leading (calling) thread creates the
// files, unnamed, and names each one in order as soon as it is complete; a helper thread
// fills them, and so does the leading thread when it has nothing else to do. Creating and
// naming touch the folder one file at a time anyway, while filling can run side by side.
//
// Memory order: every atomic here uses the default, sequentially consistent order, and for
// two of them nothing weaker would do.
// - created_ and Slot::filled publish plain data: a slot's file (written by the leader
//   before created_ counts it) and a slot's error (written by its filler before filled is
//   set). A release store and an acquire load would be enough for these.
// - claimed_ only hands each slot to one filler; the atomicity of its compare-exchange is
//   what matters, the slot's contents are ordered by created_.
// - limit_ is a hint: a filler that misses a freshly lowered limit fills a file that is
//   then discarded, never named.
// - helperSleeping_ and leadSleeping_ are why the order is sequential consistency. A thread
//   going to sleep stores its flag, then loads the work it waits for (inside the condition
//   variable's predicate); the thread bringing work stores the work, then loads the flag to
//   see whether a wake-up is needed. Each thread stores one variable and loads the other:
//   with acquire and release only, both may load the old values, and the sleeper sleeps
//   with nobody to wake it (the leader waiting for a slot the helper just filled would hang).
//   In a single total order at least one of the two sees the other's store. The notify is
//   taken under the mutex the sleeper holds from setting its flag until it blocks, so it
//   cannot fall between the sleeper's check and its wait.
class TwoStepExtraction {
  public:
    TwoStepExtraction(std::vector<std::size_t> positions, const PrgCreator& create, const PrgFiller& fill)
        : positions_(std::move(positions)), slots_(new Slot[positions_.size()]), limit_(positions_.size()),
          create_(create), fill_(fill) {}

    ExtractResult run(const EntryWritten& done) {
        std::optional<std::thread> helper;
        if (positions_.size() > 1) {
            try {
                helper.emplace([this] { help(); });
            } catch (const std::system_error&) {
                // No second thread to be had: this one fills everything.
            }
        }
        ExtractResult result = lead(done);
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            finished_ = true;
        }
        helperWake_.notify_one();
        if (helper)
            helper->join();
        // Whatever was made and not named goes without a trace.
        for (std::size_t i = 0; i < made_; ++i)
            platform::discardTemp(slots_[i].file.file);
        return result;
    }

  private:
    struct Slot {
        PrgFile file;
        FileError error; // the failure while filling
        std::atomic<bool> filled{false};
    };

    ExtractResult lead(const EntryWritten& done) {
        std::map<std::string, int> nextNumber; // per name: the number the next equal one tries first
        std::size_t named = 0;
        bool createFailed = false;
        const std::size_t total = positions_.size();
        while (named < total) {
            if (named < made_ && slots_[named].filled.load()) {
                Slot& slot = slots_[named];
                if (slot.error) {
                    stopAt(named);
                    platform::discardTemp(slot.file.file);
                    return describeFailure(slot.file.result, slot.error);
                }
                int& number = nextNumber[slot.file.base];
                if (!namePrg(slot.file, number)) {
                    stopAt(named);
                    return slot.file.result;
                }
                ++number;
                if (done)
                    done(positions_[named], slot.file.result);
                ++named;
                continue;
            }
            if (!createFailed && made_ < total && made_ - named < kMadeAhead) {
                Slot& slot = slots_[made_];
                slot.file = create_(positions_[made_]);
                if (slot.file.file.handle == platform::kNoHandle) {
                    createFailed = true;
                    stopAt(made_);
                    continue;
                }
                created_.store(made_ + 1);
                ++made_;
                wakeHelper();
                continue;
            }
            if (createFailed && named == made_)
                return slots_[made_].file.result;
            std::size_t index = 0;
            if (claim(index)) {
                fillSlot(index);
                continue;
            }
            waitFilled(slots_[named]);
        }
        ExtractResult all;
        all.written = true;
        return all;
    }

    // The next created file nobody fills yet, if any.
    bool claim(std::size_t& index) {
        std::size_t next = claimed_.load();
        while (next < created_.load() && next < limit_.load())
            if (claimed_.compare_exchange_weak(next, next + 1)) {
                index = next;
                return true;
            }
        return false;
    }

    bool ready() {
        const std::size_t next = claimed_.load();
        return next < created_.load() && next < limit_.load();
    }

    void fillSlot(std::size_t index) {
        Slot& slot = slots_[index];
        slot.error = fill_(positions_[index], slot.file.file.handle, slot.file.result.path);
        slot.filled.store(true);
        if (slot.error)
            stopAt(index + 1);
        if (leadSleeping_.load()) {
            const std::lock_guard<std::mutex> lock(mutex_);
            leadWake_.notify_one();
        }
    }

    // No file from index on is filled any more: one before it failed.
    void stopAt(std::size_t index) {
        std::size_t limit = limit_.load();
        while (index < limit && !limit_.compare_exchange_weak(limit, index)) {
        }
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
            if (soon([this] { return ready(); }))
                continue;
            std::unique_lock<std::mutex> lock(mutex_);
            helperSleeping_.store(true);
            helperWake_.wait(lock, [this] { return finished_ || ready(); });
            helperSleeping_.store(false);
            if (finished_)
                return;
        }
    }

    void waitFilled(const Slot& slot) {
        if (soon([&slot] { return slot.filled.load(); }))
            return;
        std::unique_lock<std::mutex> lock(mutex_);
        leadSleeping_.store(true);
        leadWake_.wait(lock, [&slot] { return slot.filled.load(); });
        leadSleeping_.store(false);
    }

    template <typename Condition> static bool soon(Condition condition) {
        for (int look = 0; look < 200; ++look) {
            if (condition())
                return true;
            std::this_thread::yield();
        }
        return condition();
    }

    void wakeHelper() {
        if (helperSleeping_.load()) {
            const std::lock_guard<std::mutex> lock(mutex_);
            helperWake_.notify_one();
        }
    }

    const std::vector<std::size_t> positions_;
    std::unique_ptr<Slot[]> slots_;
    std::size_t made_ = 0;                // slots before this have their files (lead only)
    std::atomic<std::size_t> created_{0}; // the same, published to the helper
    std::atomic<std::size_t> claimed_{0}; // slots before this are taken by a filler
    std::atomic<std::size_t> limit_;      // no slot from here on is filled (only ever lowered)
    const PrgCreator& create_;
    const PrgFiller& fill_;
    std::mutex mutex_;
    std::condition_variable helperWake_, leadWake_;
    std::atomic<bool> helperSleeping_{false}, leadSleeping_{false};
    bool finished_ = false;
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
    PrgFile f = newPrg(folder, entry.name);
    if (f.file.handle == platform::kNoHandle)
        return f.result;
    const platform::Handle h = f.file.handle;
    const auto failed = [&f](int err) -> ExtractResult {
        platform::discardTemp(f.file);
        return describeFailure(f.result, {FileProblem::System, err, f.result.path});
    };
    const std::int64_t size = static_cast<std::int64_t>(entry.data.size());
    if (const int err = platform::writeAll(h, entry.load, 2))
        return failed(err);
    for (std::int64_t done = 0; done < size;) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::int64_t>(kExtractChunk, size - done));
        if (const int err = platform::writeAll(h, entry.data.data() + done, chunk))
            return failed(err);
        done += static_cast<std::int64_t>(chunk);
        if (progress)
            progress((done - 1) / 300 * 300, size - 1);
    }
    int number = 0;
    if (!namePrg(f, number))
        return f.result;
    if (progress)
        progress(-1, size - 1);
    return f.result;
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
    if (image_ == platform::kNoHandle || index >= directory_.contents.entries.size()) {
        PrgFile file;
        file.result.error = path_ + ": there is no entry " + std::to_string(index + 1);
        return file;
    }
    return newPrg(folder, directory_.contents.entries[index].name);
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
