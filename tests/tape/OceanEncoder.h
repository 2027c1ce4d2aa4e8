#pragma once
// Ocean/Imagine tapes for tests, built from the format as tape/OceanLoader.h describes it.
#include "tests/tape/NovaloadEncoder.h"

namespace loadertest {

// The three forms: started at once and ended by address 0; flagged $AA and ended by address 0;
// flagged and ended by a trailer of $02 bytes.
enum class OceanForm { Plain, Flagged, FlaggedTrailer02 };

inline Encoded oceanChain(OceanForm form, const std::vector<std::uint8_t>& pages, int seed) {
    Encoded e;
    putNovaPilot(e.pulses, 4000);
    if (form != OceanForm::Plain)
        putByte(e.pulses, kNovaBits, 0xAA);
    for (std::size_t k = 0; k < pages.size(); ++k) {
        putBytes(e.pulses, kNovaBits, {static_cast<std::uint8_t>(k % 2), pages[k]});
        if (k == 0)
            e.firstData = e.pulses.size();
        putBytes(e.pulses, kNovaBits, testfiles::programData(256, seed + static_cast<int>(k)));
    }
    // The third form's trailer follows a memory-page byte here, as if a block were to come.
    std::uint8_t trailer = 0x00;
    if (form == OceanForm::FlaggedTrailer02) {
        putByte(e.pulses, kNovaBits, 0);
        trailer = 0x02;
    }
    for (int i = 0; i < 100; ++i)
        putByte(e.pulses, kNovaBits, trailer);
    putPause(e.pulses, 0.5);
    return e;
}

} // namespace loadertest
