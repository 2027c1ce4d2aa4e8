// The TAP and WAV readers and both loaders. Whatever the input: no crash, no hang, and every
// program reported as read is as long as its header says.
#include "tape/TapeFiles.h"
#include "tape/TapeReader.h"
#include "tests/fuzz/FuzzTargets.h"

#include <cstring>
#include <vector>

namespace vornix::fuzz {

namespace {

using namespace vornix::tape;

// Reported as read (good or repaired), yet not as long as its header says.
bool readButWrongLength(const FoundFile& f) {
    return (f.state == FileState::Good || f.state == FileState::Repaired) &&
           f.data.size() != lengthBetween(f.load, f.end);
}

void check(const TapeAnalysis& a) {
    if (a.failure == TapeFailure::None && a.files.empty())
        fail("a tape read without failure and without files");
    for (const FoundFile& f : a.files)
        if (readButWrongLength(f))
            fail("a program read as good is not as long as its header says");
}

} // namespace

int tapeReader(const std::uint8_t* data, std::size_t size) {
    // As a file, whatever its first bytes make it.
    check(analyseTapeData(data, size));
    if (size < 2)
        return 0;
    // The same bytes behind a TAP header of the version the first byte picks, and behind a
    // WAV header of the coding it picks.
    std::vector<std::uint8_t> tap(20 + size - 1);
    std::memcpy(tap.data(), "C64-TAPE-RAW", 12);
    tap[12] = data[0] % 3;
    std::memcpy(tap.data() + 20, data + 1, size - 1);
    check(analyseTapeData(tap.data(), tap.size()));

    static const std::uint16_t codings[][2] = {{1, 8}, {1, 16}, {1, 24}, {1, 32}, {3, 32}, {3, 64}};
    const auto& c = codings[data[0] % 6];
    const std::uint16_t channels = 1 + (data[0] >> 4) % 2;
    const std::uint16_t frame = static_cast<std::uint16_t>(channels * c[1] / 8);
    const std::uint32_t rate = 8000 + (data[0] >> 5) * 11025;
    std::vector<std::uint8_t> wav(44 + size - 1);
    const auto put = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            wav[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    std::memcpy(wav.data(), "RIFF\0\0\0\0WAVEfmt ", 16);
    put(4, static_cast<std::uint32_t>(wav.size() - 8), 4);
    put(16, 16, 4);
    put(20, c[0], 2);
    put(22, channels, 2);
    put(24, rate, 4);
    put(28, rate * frame, 4);
    put(32, frame, 2);
    put(34, c[1], 2);
    std::memcpy(wav.data() + 36, "data", 4);
    put(40, static_cast<std::uint32_t>(size - 1), 4);
    std::memcpy(wav.data() + 44, data + 1, size - 1);
    check(analyseTapeData(wav.data(), wav.size()));

    // As pulse lengths straight into both loaders: each byte pair a length in 4-cycle steps.
    std::vector<std::uint32_t> pulses;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        pulses.push_back((data[i] | data[i + 1] << 8) * 4u);
    for (const FoundFile& f : decodePulses(pulses))
        if (readButWrongLength(f))
            fail("a program decoded as good is not as long as its header says");
    return 0;
}

} // namespace vornix::fuzz
