#include "tape/FreeloadLoader.h"

#include "tape/ThresholdBytes.h"

namespace vornix::tape {

std::unique_ptr<Decoder> makeFreeloadDecoder() {
    return std::make_unique<AddressedBlockDecoder>(AddressedFormat{"freeload", 0x24, 0x42, 0x40, 0x5A, 4, 0});
}

} // namespace vornix::tape
