// Joining 20 version 1 TAP files of 5 MB each with pauses between them, against plain
// concatenation of the same files in the same run. Prints both times and their ratio.
#include "tape/TapFile.h"
#include "tape/TapJoin.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace vornix;

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 20;
constexpr std::size_t kFileSize = 5 * 1000 * 1000;
constexpr int kRounds = 9;

void writeInput(const std::string& path, std::mt19937& rng) {
    std::vector<unsigned char> bytes(kFileSize);
    for (auto& b : bytes)
        b = static_cast<unsigned char>(rng() % 255 + 1);
    const tap::Header h = tap::makeHeader(static_cast<std::uint32_t>(kFileSize - tap::kHeaderSize));
    std::copy(h.begin(), h.end(), bytes.begin());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// The baseline: every input, whole, one after the other, in 1 MiB blocks.
bool concatenate(const std::vector<std::string>& inputs, const std::string& output) {
    std::FILE* out = std::fopen(output.c_str(), "wb");
    if (!out)
        return false;
    std::vector<char> buffer(1 << 20);
    for (const std::string& path : inputs) {
        std::FILE* in = std::fopen(path.c_str(), "rb");
        if (!in)
            return false;
        std::size_t got;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0)
            std::fwrite(buffer.data(), 1, got, out);
        std::fclose(in);
    }
    return std::fclose(out) == 0;
}

template <typename F> double seconds(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main() {
    const fs::path dir =
        fs::temp_directory_path() / ("vornix-bench-tap-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    std::mt19937 rng(42);
    std::vector<std::string> inputs;
    std::vector<tap::JoinItem> items;
    const int pauses[] = {1, 2, 4, 5, 10, 20, 40};
    for (int i = 0; i < kFiles; ++i) {
        inputs.push_back((dir / ("in" + std::to_string(i) + ".tap")).string());
        writeInput(inputs.back(), rng);
        if (i > 0)
            items.push_back(tap::JoinItem::pause(pauses[i % 7]));
        items.push_back(tap::JoinItem::file(inputs.back()));
    }
    const std::string joined = (dir / "joined.tap").string();
    const std::string concatenated = (dir / "concatenated.tap").string();

    // Warm the cache once, then alternate and keep the best of each.
    concatenate(inputs, concatenated);
    double bestJoin = 1e9, bestConcat = 1e9;
    bool ok = true;
    for (int round = 0; round < kRounds; ++round) {
        bestConcat = std::min(bestConcat, seconds([&] { ok = concatenate(inputs, concatenated) && ok; }));
        bestJoin = std::min(bestJoin, seconds([&] {
                                std::uint64_t blocks = 0;
                                const tap::JoinResult r =
                                    tap::join(items, joined, [&](std::uint64_t, std::uint64_t) { ++blocks; });
                                ok = r.joined && ok;
                            }));
    }
    fs::remove_all(dir);
    if (!ok) {
        std::fprintf(stderr, "bench_tap_join: a run failed\n");
        return 1;
    }
    std::printf("join of %d x %zu-byte TAP files with pauses: %.4f s\n", kFiles, kFileSize, bestJoin);
    std::printf("concatenation of the same files:              %.4f s\n", bestConcat);
    std::printf("ratio join / concatenation: %.2f (target at most 1.3)\n", bestJoin / bestConcat);
    return 0;
}
