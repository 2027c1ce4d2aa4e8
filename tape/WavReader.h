#pragma once
// Pulses from a WAV recording: our own RIFF reader (PCM 8, 16, 24 and 32-bit integer, 32 and
// 64-bit float, any number of channels, WAVE_FORMAT_EXTENSIBLE) streaming the samples a block
// at a time into an edge detector.
//
// The edge detector is a Schmitt trigger around the block's mean level: the signal goes high
// when it rises more than half the trigger amplitude above the mean, low when it falls as far
// below it. The trigger amplitude t (1..255, the tool's -t:) is t/256 of the sample format's
// full range from lowest to highest value: t steps of an 8-bit sample, t * 256 steps of a
// 16-bit one; the default 10 is about 4 % of full range. One pulse is the time from one
// rising edge to the next (falling edges with the signal reversed), each edge placed between
// its two samples by where the signal crossed the trigger level, so that low rates keep
// their precision. Of several channels, the one with the widest swing in the first block is
// used.
#include "tape/PulseStream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vornix::tape {

// The lowest sample rate read, from the header or given. The ROM loader's shortest pulse
// (390 us, a 2.6 kHz wave) needs twice its frequency to be carried at all and is read from
// about 7 kHz on; 8000 Hz, the lowest rate in common use and the lowest tap-to-wav writes,
// keeps clear of that. Below it a rate is a broken header: each sample would count as many
// cycles and a short recording would convert to gigabytes.
inline constexpr int kMinWavRate = 8000;

struct WavFormat {
    std::uint16_t coding = 0; // 1 integer PCM, 3 IEEE float (an extensible file's sub-format)
    int channels = 0;
    std::uint32_t sampleRate = 0;
    int bits = 0; // container bits per sample
    int frameBytes = 0;
    std::uint64_t dataOffset = 0, dataSize = 0;
};

// True for "RIFF" .... "WAVE".
bool isWavSignature(const std::uint8_t* first, std::size_t size);

// The format and where the samples are. Refuses what is not read, naming the coding.
StreamFailure parseWav(ByteSource& input, WavFormat& format, std::vector<std::string>& notes);

StreamFailure readWavPulses(ByteSource& input, const PulseOptions& options, PulseSink& sink,
                            SourceInfo& info);

} // namespace vornix::tape
