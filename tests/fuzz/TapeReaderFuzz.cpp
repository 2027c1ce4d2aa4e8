// The TAP and WAV readers and every registered loader's decoder. Whatever the input: no crash,
// no hang; every file names a registered loader and comes in tape order; a program reported as
// read is as long as its header says, or shorter with the note that the header named more.
#include "tape/Decoder.h"
#include "tape/TapeFiles.h"
#include "tape/TapeReader.h"
#include "tests/fuzz/FuzzTargets.h"

#include <cstring>
#include <vector>

namespace vornix::fuzz {

namespace {

using namespace vornix::tape;

// Reported as read (good or repaired), yet not as long as its header says: shorter is right
// only for a block ended early, whose detail says what the header named.
bool readButWrongLength(const FoundFile& f) {
    if (f.state != FileState::Good && f.state != FileState::Repaired)
        return false;
    const std::size_t named = lengthBetween(f.load, f.end);
    return f.detail.headerNamed ? f.detail.headerNamed != named || f.data.size() >= named
                                : f.data.size() != named;
}

void checkFiles(const std::vector<FoundFile>& files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        const FoundFile& f = files[i];
        if (readButWrongLength(f))
            fail("a program read as good is not as long as its header says");
        if (!findLoader(f.loader))
            fail("a file names a loader that is not registered");
        if (f.block < -1 || f.program < 0)
            fail("a block or program number below the first");
        if (i > 0 && f.startSeconds < files[i - 1].startSeconds)
            fail("files out of tape order");
    }
}

void check(const TapeAnalysis& a) {
    if (a.failure == TapeFailure::None && a.files.empty())
        fail("a tape read without failure and without files");
    checkFiles(a.files);
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

    // As pulse lengths straight into every registered decoder: each byte pair a length in
    // 4-cycle steps.
    std::vector<std::uint32_t> pulses;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        pulses.push_back((data[i] | data[i + 1] << 8) * 4u);
    checkFiles(decodePulses(pulses));
    return 0;
}

} // namespace vornix::fuzz
