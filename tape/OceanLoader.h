#pragma once
// Ocean's loaders, decoded from a pulse stream as it arrives: the older Ocean/Imagine loader
// described here, and the later ones tape/OceanNew.h describes, read side by side.
//
// The older loader's bits as tape/NovaBits.h describes (threshold $3B TAP units). After the pilot's 1 bit, a
// chain of blocks back to back, each a memory-page byte (0 or 1 where known), the high byte of
// the block's address (it loads to that page) and 256 bytes. There is no checksum. Three forms
// are known: the first starts the chain at once and the others with a flag $AA; the chain ends
// at an address byte of 0, or in the third form at the trailer of $02 bytes.
// Each block is a FoundFile of its own; a run of blocks on consecutive pages is one program, its
// blocks numbered in tape order. A later loader's file is a program of its own.
#include "tape/Decoder.h"

#include <memory>

namespace vornix::tape {

std::unique_ptr<Decoder> makeOceanDecoder();

} // namespace vornix::tape
