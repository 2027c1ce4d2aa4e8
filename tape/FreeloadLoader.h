#pragma once
// Freeload, decoded from a pulse stream as it arrives.
//
// One pulse is one bit, the highest first: short ($24 TAP units) is 0, long ($42) is 1, split at
// $2C. A block is a pilot of $40 bytes, the sync byte $5A, load and end address (low byte first,
// the end one past the last byte), the data and their XOR checksum. Each block stands on the
// tape once and is a file of its own. Clones with the same pilot, sync and header read alike.
#include "tape/Decoder.h"

#include <memory>

namespace vornix::tape {

std::unique_ptr<Decoder> makeFreeloadDecoder();

} // namespace vornix::tape
