#pragma once
// The Turbo Tape 64 family at other speeds and bit orders ("Turbo 250" and its relatives: the
// fast $0B/$12 version, the lowest-bit-first 263, the slow $31/$4B 526, ...), decoded from a
// pulse stream as it arrives.
//
// The blocks are Turbo Tape 64's (tape/TurboTape.h): a pilot of $02 bytes, the countdown
// $09..$01, an identifier (1 or 2 for a header, 0 for data) and its bytes: a header holds load
// and end address, one byte, the 16-byte name and filler; data holds end - load bytes and their
// XOR checksum. The pulse lengths and the bit order come from the pilot. A block Turbo Tape 64's
// own decoder reads (highest bit first, 0 below and 1 above its threshold of $21 units) is left
// to it, so no file is reported twice.
#include "tape/Decoder.h"

#include <memory>

namespace vornix::tape {

std::unique_ptr<Decoder> makeTurbo250Decoder();

} // namespace vornix::tape
