#pragma once
// Cyberload, decoded from a pulse stream as it arrives.
//
// A chain of loaders, each loading the next: the ROM boot program carries the first turbo
// loader, whose files (stage F1) hold the second, which loads one F2 file holding the third,
// which loads the game as F3 sub-blocks; multi-load games add an F4 loader. Every stage reads
// one pulse per bit, the highest bit first, long = 1, after a pilot of a repeated byte and a
// sync byte. The threshold, pilot and sync bytes are written into each loader's code and
// differ from tape to tape; we do not read them from there but measure the pulses on the
// pilot itself (the recorded pairs are short/long $30/$5A, $3B/$72, $24/$40 or $55/$A5 TAP
// units), take the pilot's repeated byte as it is and tell the stages apart by their contents:
//   F1  (pilot commonly $0F, sync $F0) a chain of files: each an offset byte added to the end
//       of the one before (the first to $FFD5, so its $2D gives $0002), its bytes each followed
//       by a 1 bit, a last byte followed by a 0 bit that is no data, then a 1 bit when another
//       file follows. After the chain one more byte ($00). No checksum.
//   F2  (same pilot and sync as F1) load address and size (LSB first), XOR-enciphered with
//       $AE, then size bytes XOR $D2 and a $00. No checksum. The keys are those most tapes
//       use; the header key is taken from the first byte instead when $AE would not give a
//       page-aligned load address.
//   F3  (pilot commonly $0F * 8, sync $CC) sub-blocks: load address (LSB first), size
//       (0 = 256), a check byte, four bytes for the loader, the data; all of it XORs to 0.
//   F4  (sync $96, $AA, $99 or $55) a header (an optional flag byte, 16-byte name, load
//       address, size, on later types an enciphered threshold and a $00) with an XOR check
//       byte, then the data in sub-blocks of 256 bytes, each followed by its XOR.
// F1 and F3 files are put on tape as many blocks: one program per F1 chain and per run of F3
// sub-blocks.
#include "tape/Decoder.h"

#include <memory>

namespace vornix::tape {

std::unique_ptr<Decoder> makeCyberloadDecoder();

} // namespace vornix::tape
