#include "tests/tape/ThresholdEncoders.h"

using namespace loadertest;

namespace {

struct BurnerTape {
    const char* what;
    std::uint8_t zero, pilot, sync;
    bool msbFirst, later; // later: Mastertronic's version with a byte (and start address) after the data
};

class BurnerLoader : public testing::TestWithParam<BurnerTape> {};

} // namespace

// Pilot, sync and bit order differ between tapes and are found from the blocks; each tape
// reads exactly and survives speed, noise, a flipped bit and a cut.
TEST_P(BurnerLoader, ReadsTapesWithTheirOwnPilotAndSync) {
    const BurnerTape& p = GetParam();
    EncodedTape t{"burner", {p.zero, 0x42, p.msbFirst}, false};
    const auto tail = [&](bool last) { return p.later ? (last ? Bytes{0, 0x0D, 0x08} : Bytes{1}) : Bytes{}; };
    putAddressed(t, p.pilot, p.sync, 0x0801, dataOf(900, 1), {}, {}, tail(false));
    putAddressed(t, p.pilot, p.sync, 0x2000, dataOf(400, 2), {}, {}, tail(true));
    putAddressed(t, p.pilot, p.sync, 0x5000, dataOf(300, 3), {}, {}, tail(false));
    expectReads(t);
    if (p.later) {
        const auto found = filesOf(decode(t.pulses), "burner");
        ASSERT_EQ(found.size(), 3u);
        EXPECT_EQ(std::vector<int>({found[0].program, found[1].program, found[2].program}),
                  std::vector<int>({0, 0, 1}));
    }
}

INSTANTIATE_TEST_SUITE_P(Tapes, BurnerLoader,
                         testing::Values(BurnerTape{"lowest bit first", 0x22, 0xE3, 0xED, false, false},
                                         BurnerTape{"highest bit first", 0x22, 0x4B, 0x3C, true, false},
                                         BurnerTape{"Mastertronic's later version", 0x23, 0x97, 0x1B, false,
                                                    true}),
                         [](const auto& info) {
                             return std::string(info.param.msbFirst ? "Msb" : "Lsb") +
                                    (info.param.later ? "Later" : "") + std::to_string(info.index);
                         });
