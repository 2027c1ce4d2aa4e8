#include "tape/TapPause.h"

#include <algorithm>
#include <cstdio>

namespace vornix::tap {

bool isOfferedPause(int seconds) {
    return std::find(kPauseSeconds.begin(), kPauseSeconds.end(), seconds) != kPauseSeconds.end();
}

std::vector<std::uint8_t> pauseBytesForCycles(std::uint64_t cycles) {
    std::vector<std::uint8_t> out;
    auto group = [&out](std::uint32_t count) {
        out.push_back(0);
        out.push_back(static_cast<std::uint8_t>(count));
        out.push_back(static_cast<std::uint8_t>(count >> 8));
        out.push_back(static_cast<std::uint8_t>(count >> 16));
    };
    while (cycles > kMaxGroupCycles) {
        group(kMaxGroupCycles);
        cycles -= kMaxGroupCycles;
    }
    group(static_cast<std::uint32_t>(cycles));
    return out;
}

std::vector<std::uint8_t> pauseBytes(int seconds) {
    return pauseBytesForCycles(static_cast<std::uint64_t>(seconds) * kCyclesPerSecond);
}

std::string pauseEntryText(int seconds) {
    char text[32];
    std::snprintf(text, sizeof text, ":%3ds break", seconds);
    return text;
}

bool isPauseEntry(const std::string& entry) { return !entry.empty() && entry.front() == ':'; }

std::optional<int> pauseSecondsOf(const std::string& entry) {
    for (int seconds : kPauseSeconds) {
        if (entry == pauseEntryText(seconds))
            return seconds;
    }
    return std::nullopt;
}

} // namespace vornix::tap
