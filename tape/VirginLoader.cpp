#include "tape/VirginLoader.h"

#include "tape/ThresholdBytes.h"

namespace vornix::tape {

namespace {

class VirginDecoder : public AddressedBlockDecoder {
  public:
    VirginDecoder() : AddressedBlockDecoder({"virgin", 0x21, 0x3B, 0xAA, 0xA0, 8, 2}) {}

  private:
    void place(FoundFile& f, const std::uint8_t* header) override {
        if (last_ >= 0 && header[0] <= last_) {
            ++program_;
            block_ = 0;
        }
        last_ = header[0];
        f.program = program_;
        f.block = block_++;
    }

    int last_ = -1, program_ = 0, block_ = 0;
};

} // namespace

std::unique_ptr<Decoder> makeVirginDecoder() { return std::make_unique<VirginDecoder>(); }

} // namespace vornix::tape
