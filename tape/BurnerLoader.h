#pragma once
// Burner (Mastertronic and the tapes using it), decoded from a pulse stream as it arrives.
//
// One pulse is one bit: short ($22 TAP units) is 0, long ($42) is 1, split at $2F (the later
// Mastertronic version writes $23/$42, split at $30). A block is a pilot of one byte repeated
// (about 95 times), a sync byte, load and end address (low byte first, the end one past the
// last byte) and the data, with no checksum; the later version adds a byte after the data, 0
// on a program's last block, which is then followed by the start address. Pilot, sync and bit
// order differ from tape to tape: the real loader has them in its code, sent enciphered in the
// ROM loader's header. We find them from the block itself: the one reading of the pilot's end
// whose addresses give a length that ends where the block ends. A tape keeps the values of its
// first block, so a block cut off later on is still read. Blocks that Freeload, Virgin or Turbo
// Tape read (their pilot and sync bytes) are left to them.
#include "tape/Decoder.h"

#include <memory>

namespace vornix::tape {

std::unique_ptr<Decoder> makeBurnerDecoder();

} // namespace vornix::tape
