#pragma once
// Visiload, decoded from a pulse stream as it arrives.
//
// One pulse per bit, long = 1. Every byte is preceded by a number of 1 bits that the loader
// skips, and its bit order can change: the loader loads small blocks over itself that change
// how the blocks after them are read. A chain starts with a pilot of $00 bytes and the sync
// byte $16 (the first block: one extra bit per byte, highest bit first); then block follows
// block with no pilot: a header of some extra bytes (none at first), end and start address
// (highest byte first), then end - start bytes (one when they are equal). A block loaded to
//   $034B sets the bits per byte of what follows to its first byte (8 + extra bits),
//   $03A4 sets the extra header bytes to its first byte - 3,
//   $0347 sets the bit order: $26 highest first, $66 lowest first,
//   $03BB puts a pilot and sync byte (and maybe a pause) before the next block.
// No checksum. The loader's versions differ in their threshold ($1B6 to $291 cycles, short
// pulses from $1C to $37 TAP units, long ones about twice as long): we measure both on the
// pilot, whose extra bits hold the long pulses. The number of extra header bytes of the first
// block is written into the boot program; we take none, as the versions we know use.
// Each block is a file with its own address; one program per chain.
#include "tape/Decoder.h"

#include <memory>

namespace vornix::tape {

std::unique_ptr<Decoder> makeVisiloadDecoder();

} // namespace vornix::tape
