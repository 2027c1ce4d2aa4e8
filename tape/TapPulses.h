#pragma once
// Pulses from a TAP file: version 0 (a zero byte is an overflow of a set length), version 1
// (a zero byte and a 24-bit cycle count), version 2 (half-waves, joined in pairs).
#include "tape/PulseStream.h"

namespace vornix::tape {

inline constexpr std::size_t kTapHeaderSize = 20;

// True when the first 12 bytes are a TAP signature ("C64-TAPE-RAW" or "C16-TAPE-RAW").
bool isTapSignature(const std::uint8_t* first, std::size_t size);

StreamFailure readTapPulses(ByteSource& input, const PulseOptions& options, PulseSink& sink,
                            SourceInfo& info);

} // namespace vornix::tape
