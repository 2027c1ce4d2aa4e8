// Times opening and saving a full 255-entry image against copying the file, and extracting
// every entry against plain buffered writes of the same bytes; reports the peak memory of
// open and save against the file size. Prints ratios; a baseline is measured in each run.
#include "core/Extraction.h"
#include "core/T64Image.h"
#include "core/TapeDocument.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <new>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// Live heap bytes and their high-water mark, counted by the global allocation functions.
namespace heap {
std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* allocate(std::size_t size) {
    auto* p = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!p)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(p) = size;
    const std::size_t now = live += size;
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return p + kHeader;
}

void release(void* q) {
    if (!q)
        return;
    auto* p = static_cast<unsigned char*>(q) - kHeader;
    live -= *reinterpret_cast<std::size_t*>(p);
    std::free(p);
}
} // namespace heap

void* operator new(std::size_t n) { return heap::allocate(n); }
void* operator new[](std::size_t n) { return heap::allocate(n); }
void operator delete(void* p) noexcept { heap::release(p); }
void operator delete[](void* p) noexcept { heap::release(p); }
void operator delete(void* p, std::size_t) noexcept { heap::release(p); }
void operator delete[](void* p, std::size_t) noexcept { heap::release(p); }

namespace {

constexpr int kEntries = 255;
constexpr std::size_t kEntrySize = 64 * 1024;
constexpr int kRounds = 15;

double millis(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

[[noreturn]] void die(const std::string& message) {
    std::fprintf(stderr, "bench_core: %s\n", message.c_str());
    std::exit(1);
}

void openAndSave(const std::string& from, const std::string& to) {
    vornix::TapeDocument doc;
    const vornix::OpenResult opened = doc.open(from);
    if (!opened.accepted)
        die(opened.error);
    const vornix::SaveResult saved = doc.saveAs(to, false);
    if (!saved.written)
        die(saved.error);
}

// Resident memory of a child process running this program with the arguments: its peak,
// less what it held before the work began (KiB). The child reports through a file.
long childGrowthKiB(const std::vector<std::string>& args, const std::string& report) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>("/proc/self/exe"), const_cast<char*>(report.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv("/proc/self/exe", argv.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    long start = -1, peak = -1;
    if (std::FILE* f = std::fopen(report.c_str(), "r")) {
        if (std::fscanf(f, "%ld %ld", &start, &peak) != 2)
            start = peak = -1;
        std::fclose(f);
    }
    return start < 0 ? -1 : peak - start;
}

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM").
long statusKiB(const char* field) {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, field, n) == 0 && line[n] == ':')
            value = std::atol(line + n + 1);
    std::fclose(f);
    return value;
}

void freshFolder(const fs::path& p) {
    fs::remove_all(p);
    fs::create_directories(p);
}

const char* verdict(double ratio, double limit) { return ratio <= limit ? "ok" : "OVER"; }

} // namespace

int main(int argc, char** argv) {
    // Child mode for the resident-memory measurement: REPORT --open-save FROM TO.
    if (argc == 5 && std::string(argv[2]) == "--open-save") {
        const long start = statusKiB("VmRSS");
        openAndSave(argv[3], argv[4]);
        std::FILE* f = std::fopen(argv[1], "w");
        if (!f)
            return 1;
        std::fprintf(f, "%ld %ld\n", start, statusKiB("VmHWM"));
        return std::fclose(f) == 0 ? 0 : 1;
    }

    const fs::path work = fs::temp_directory_path() / ("vornix-bench-core-" + std::to_string(getpid()));
    freshFolder(work);
    const std::string image = (work / "full.t64").string();
    {
        std::vector<vornix::Entry> entries(kEntries);
        std::mt19937 rng(1);
        for (int i = 0; i < kEntries; ++i) {
            vornix::Entry& e = entries[i];
            e.name = "PROGRAM " + std::to_string(i);
            e.load[0] = 0x01;
            e.load[1] = 0x08;
            e.data.resize(kEntrySize);
            for (auto& b : e.data)
                b = static_cast<std::uint8_t>(rng());
        }
        if (const vornix::FileError e = vornix::writeImage(image, kEntries, "BENCH", entries, false))
            die(e.message());
    }
    const double fileSize = static_cast<double>(fs::file_size(image));
    std::printf("image: %d entries of %zu bytes, %.0f bytes in all\n", kEntries, kEntrySize, fileSize);

    // Open + save against copying the file, interleaved so both see the same machine state.
    std::vector<double> copyTimes, openSaveTimes;
    const std::string copyTarget = (work / "copy.t64").string();
    const std::string saveTarget = (work / "saved.t64").string();
    for (int round = 0; round < kRounds; ++round) {
        copyTimes.push_back(
            millis([&] { fs::copy_file(image, copyTarget, fs::copy_options::overwrite_existing); }));
        openSaveTimes.push_back(millis([&] { openAndSave(image, saveTarget); }));
    }
    if (fs::file_size(saveTarget) != fs::file_size(image))
        die("the saved image differs in size from the original");
    const double copyMs = median(copyTimes), openSaveMs = median(openSaveTimes);
    const double timeRatio = openSaveMs / copyMs;
    std::printf("open + save: %.1f ms; copying the file: %.1f ms; ratio %.2f (limit 1.5) %s\n", openSaveMs,
                copyMs, timeRatio, verdict(timeRatio, 1.5));

    // Memory: the heap's high-water mark during one open + save, and the resident peak of
    // a process doing only that, less an idle one.
    heap::peak = heap::live.load();
    const std::size_t before = heap::live;
    openAndSave(image, saveTarget);
    const double heapRatio = static_cast<double>(heap::peak - before) / fileSize;
    std::printf("peak heap during open + save: %.1f MB = %.2f x the file size (limit 3) %s\n",
                (heap::peak - before) / 1e6, heapRatio, verdict(heapRatio, 3.0));
    const long grown = childGrowthKiB({"--open-save", image, saveTarget}, (work / "rss.txt").string());
    if (grown >= 0) {
        const double rssRatio = static_cast<double>(grown) * 1024.0 / fileSize;
        std::printf(
            "peak resident memory of a process doing open + save: %.1f MB above its start = %.2f x the "
            "file size (limit 3) %s\n",
            grown / 1024.0, rssRatio, verdict(rssRatio, 3.0));
    }

    // Extract every entry against writing the same bytes to as many files.
    vornix::TapeDocument doc;
    if (!doc.open(image).accepted)
        die("cannot open the benchmark image");
    std::vector<double> extractTimes, plainTimes;
    const auto plain = [&](const fs::path& folder) {
        plainTimes.push_back(millis([&] {
            int n = 0;
            for (const vornix::Entry& e : doc.entries()) {
                const std::string path = (folder / ("F" + std::to_string(n++) + ".PRG")).string();
                std::FILE* f = std::fopen(path.c_str(), "wb");
                if (!f)
                    die("cannot write " + path);
                std::fwrite(e.load, 1, 2, f);
                std::fwrite(e.data.data(), 1, e.data.size(), f);
                std::fclose(f);
            }
        }));
    };
    const auto extract = [&](const fs::path& folder) {
        const std::string target = folder.string();
        extractTimes.push_back(millis([&] {
            for (const vornix::Entry& e : doc.entries()) {
                const vornix::ExtractResult r =
                    vornix::extractEntry(e, target, [](std::int64_t, std::int64_t) {});
                if (!r.written)
                    die(r.error);
            }
        }));
    };
    // A new folder for every run, nothing removed until the end (a file system may be slower
    // to create files just after removing many), and the order swapped every other round.
    for (int round = 0; round < kRounds; ++round) {
        const fs::path plainDir = work / ("plain" + std::to_string(round));
        const fs::path extractDir = work / ("extract" + std::to_string(round));
        fs::create_directories(plainDir);
        fs::create_directories(extractDir);
        if (round % 2) {
            extract(extractDir);
            plain(plainDir);
        } else {
            plain(plainDir);
            extract(extractDir);
        }
    }
    const double extractMs = median(extractTimes), plainMs = median(plainTimes);
    const double extractRatio = extractMs / plainMs;
    std::printf("extract all: %.1f ms; plain buffered writes: %.1f ms; ratio %.2f (limit 2) %s\n", extractMs,
                plainMs, extractRatio, verdict(extractRatio, 2.0));

    fs::remove_all(work);
    return 0;
}
