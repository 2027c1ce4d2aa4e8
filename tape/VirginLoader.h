#pragma once
// Virgin's tape loader, decoded from a pulse stream as it arrives.
//
// One pulse is one bit, the highest first: short ($21 TAP units) is 0, long ($3B) is 1, split at
// $2B. A block is a pilot of $AA bytes, the sync byte $A0, an 8-byte header (block number, one
// byte, load address, end address one past the last byte, start address; low bytes first), the
// data and their XOR checksum. A game is a run of blocks numbered upwards; a number not above
// the one before starts the next program.
#include "tape/Decoder.h"

#include <memory>

namespace vornix::tape {

std::unique_ptr<Decoder> makeVirginDecoder();

} // namespace vornix::tape
