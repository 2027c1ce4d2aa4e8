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

// The later loaders' files: header forms 1, 2 and 4, at the fast or the slow speed.
enum class OceanNewForm { One, Two, Four };

inline Encoded oceanNewFile(OceanNewForm form, bool slow, std::uint16_t load,
                            const std::vector<std::uint8_t>& data) {
    const BitCoding bits = slow ? BitCoding{0x35, 0x65, true} : BitCoding{0x22, 0x42, true};
    Encoded e;
    for (int i = 0; i < 128; ++i)
        putByte(e.pulses, bits, 0x40);
    putByte(e.pulses, bits, 0x5A);
    const auto end = static_cast<std::uint16_t>(load + data.size());
    const std::uint8_t addresses[] = {static_cast<std::uint8_t>(load), static_cast<std::uint8_t>(load >> 8),
                                      static_cast<std::uint8_t>(end), static_cast<std::uint8_t>(end >> 8)};
    std::uint8_t sum = 0;
    for (std::uint8_t b : data)
        sum ^= b;
    std::vector<std::uint8_t> header;
    if (form == OceanNewForm::One)
        header.push_back(0x07);
    if (form == OceanNewForm::Four)
        header = {0x03, sum};
    header.insert(header.end(), addresses, addresses + 4);
    if (form == OceanNewForm::Two)
        header.push_back(0x07);
    putBytes(e.pulses, bits, header);
    e.firstData = e.pulses.size();
    putBytes(e.pulses, bits, data);
    if (form == OceanNewForm::Four)
        putBytes(e.pulses, bits, std::vector<std::uint8_t>((256 - data.size() % 256) % 256, 0));
    else
        putByte(e.pulses, bits, sum);
    putBit(e.pulses, bits, true); // a trailer pulse
    putPause(e.pulses, 0.5);
    return e;
}

} // namespace loadertest
