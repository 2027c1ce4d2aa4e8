// Prints BENCH_LINES lines (default 200000) the way a chatty compressor does: most lines
// long, every tenth short (the window joins it to the line before), every tenth a progress
// figure ended by a lone CR. With BENCH_SLEEP_MS it first stays silent that long; with
// BENCH_PACE_MS it works that long after every 1000 lines, like a real compressor. Before it
// exits it writes its steady-clock time in microseconds to BENCH_STAMP, if set.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main() {
    const char* lines = std::getenv("BENCH_LINES");
    const long count = lines ? std::atol(lines) : 200000;
    if (const char* sleep = std::getenv("BENCH_SLEEP_MS"))
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(sleep)));
    const char* pace = std::getenv("BENCH_PACE_MS");
    const long paceMs = pace ? std::atol(pace) : 0;
    for (long i = 0; i < count; ++i) {
        if (paceMs > 0 && i % 1000 == 999) {
            std::fflush(stdout);
            std::this_thread::sleep_for(std::chrono::milliseconds(paceMs));
        }
        switch (i % 10) {
        case 3: std::printf("ok\n"); break;
        case 5: std::printf("Crunching %ld%%\r", i * 100 / count); break;
        default: std::printf("Line %ld of what the compressor has to say\n", i); break;
        }
    }
    std::fflush(stdout);
    if (const char* stamp = std::getenv("BENCH_STAMP")) {
        const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now().time_since_epoch())
                             .count();
        if (std::FILE* f = std::fopen(stamp, "w")) {
            std::fprintf(f, "%lld\n", static_cast<long long>(now));
            std::fclose(f);
        }
    }
    return 0;
}
