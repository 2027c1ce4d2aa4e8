#pragma once
// Pauses between joined recordings: the lengths on offer, their list texts and the pulse
// bytes that encode them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vornix::tap {

// PAL machine clock: cycles per second of silence.
inline constexpr std::uint32_t kCyclesPerSecond = 985248;
// The largest count one pause group can hold (24 bits).
inline constexpr std::uint32_t kMaxGroupCycles = 0xFFFFFF;

inline constexpr std::array<int, 7> kPauseSeconds = {1, 2, 4, 5, 10, 20, 40};

bool isOfferedPause(int seconds);

// The pulse bytes of a pause of the given cycle count: zero byte + 24-bit count groups, full
// groups first, then the remainder.
std::vector<std::uint8_t> pauseBytesForCycles(std::uint64_t cycles);
std::vector<std::uint8_t> pauseBytes(int seconds);

// The list text of a pause, e.g. ":  1s break" or ": 40s break".
std::string pauseEntryText(int seconds);
// A list entry is a pause exactly when it starts with a colon; file paths never do.
bool isPauseEntry(const std::string& entry);
// The seconds of a pause entry, or nothing when the text is not one of the offered pauses.
std::optional<int> pauseSecondsOf(const std::string& entry);

} // namespace vornix::tap
