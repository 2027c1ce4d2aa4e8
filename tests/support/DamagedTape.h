#pragma once
// ROM-loader tapes with chosen copies of a program's data spoilt, for the tests of what the
// tools and the editor do with damaged files.
#include "tape/TapeWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

// The ROM loader's blocks in a stream of pulses: the stretches between the pilots (runs of
// short pulses, which data never holds), each as {first pulse, count}.
inline std::vector<std::pair<std::size_t, std::size_t>> romBlocks(const std::vector<std::uint32_t>& pulses) {
    std::vector<std::pair<std::size_t, std::size_t>> blocks;
    std::size_t i = 0;
    while (i < pulses.size()) {
        std::size_t run = i;
        while (run < pulses.size() && pulses[run] >= 300 && pulses[run] < 450)
            ++run;
        if (run - i >= 60) {
            i = run;
            continue;
        }
        std::size_t end = run;
        // The block goes on to the next pilot.
        while (end < pulses.size()) {
            std::size_t shorts = end;
            while (shorts < pulses.size() && pulses[shorts] >= 300 && pulses[shorts] < 450)
                ++shorts;
            if (shorts - end >= 60)
                break;
            end = shorts + 1;
        }
        end = std::min(end, pulses.size());
        if (end - i > 100)
            blocks.push_back({i, end - i});
        i = end;
    }
    return blocks;
}

// A TAP of the programs in which the data copies named by spoil (per program: bit 0 the
// first copy, bit 1 the second) have the pulse in their middle doubled.
inline bool writeSpoiltTape(const std::vector<vornix::tape::ProgramToEncode>& programs,
                            const std::vector<int>& spoil, const std::string& path) {
    std::vector<std::uint32_t> pulses = vornix::tape::romLoaderPulses(programs);
    const auto blocks = romBlocks(pulses);
    // Each program: header, header again, data, data again.
    if (blocks.size() != programs.size() * 4)
        return false;
    for (std::size_t p = 0; p < programs.size(); ++p)
        for (int copy = 0; copy < 2; ++copy)
            if (spoil[p] & (1 << copy)) {
                const auto [first, count] = blocks[p * 4 + 2 + std::size_t(copy)];
                // Longer than any pulse a block holds: a dropout's worth.
                pulses[first + count / 2] *= 2;
            }
    const std::vector<std::uint8_t> bytes = vornix::tape::tapV1Bytes(pulses);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace testfiles
