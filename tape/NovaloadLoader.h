#pragma once
// Novaload, in both its forms, decoded from a pulse stream as it arrives.
//
// Bits as tape/NovaBits.h describes (threshold $3D TAP units). After the pilot's 1 bit comes the
// flag $AA, then:
// - a normal file: the name's length (0..16) and the name, start - 256, end and length + 256
//   (low byte first), then the data in pieces of 256 bytes (the last may be shorter), each
//   preceded by a check byte, and a final check byte after the last. A check byte is the sum of
//   every byte since the name's length, check bytes included; the loader compares it and adds it
//   in. Like Novaload we take start and length from the header and do not rely on end.
// - a Special chain, flagged by $55 after $AA: blocks of the high byte of their address (the
//   block loads to that page), 256 bytes and a check byte (the sum of the page byte and the
//   256), back to back until a page byte of 0.
// A normal file is one FoundFile with its name. Each Special block is a FoundFile of its own; a
// run of blocks on consecutive pages is one program, its blocks numbered in tape order.
#include "tape/Decoder.h"

#include <memory>

namespace vornix::tape {

std::unique_ptr<Decoder> makeNovaloadDecoder();

} // namespace vornix::tape
