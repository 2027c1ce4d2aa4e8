#pragma once
// Tapes for the threshold loaders (Burner, Virgin, Freeload, the Turbo Tape variants) built from
// their documented formats, and the damage every one of them must survive.
#include "tests/tape/LoaderTestKit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace loadertest {

using Bytes = std::vector<std::uint8_t>;

struct Expected {
    std::string name;
    std::uint16_t load = 0;
    Bytes data;
    std::size_t dataPulse = 0; // a pulse in the middle of its data
};

struct EncodedTape {
    std::string_view loader;
    BitCoding coding;
    bool checksum = true;
    Pulses pulses = {};
    std::vector<Expected> files = {};
};

inline std::uint8_t xorOf(const Bytes& data) {
    std::uint8_t x = 0;
    for (std::uint8_t b : data)
        x ^= b;
    return x;
}

inline Bytes le16(std::uint16_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
}

// Pilot bytes, then what follows up to the data (sync, header), the data and what comes after.
inline void putBlock(EncodedTape& t, std::uint8_t pilot, int pilotBytes, const Bytes& lead, Expected file,
                     const Bytes& after) {
    putPause(t.pulses, 0.4);
    for (int i = 0; i < pilotBytes; ++i)
        putByte(t.pulses, t.coding, pilot);
    putBytes(t.pulses, t.coding, lead);
    file.dataPulse = t.pulses.size() + file.data.size() * 4;
    putBytes(t.pulses, t.coding, file.data);
    putBytes(t.pulses, t.coding, after);
    putPause(t.pulses, 0.4); // in a recording, the pause ends the last pulse
    t.files.push_back(std::move(file));
}

// Sync, header (load and end address between front and back), data; the XOR after it when the
// loader keeps one, and then tail.
inline void putAddressed(EncodedTape& t, std::uint8_t pilot, std::uint8_t sync, std::uint16_t load,
                         const Bytes& data, const Bytes& front = {}, const Bytes& back = {},
                         const Bytes& tail = {}) {
    Bytes lead = {sync};
    lead.insert(lead.end(), front.begin(), front.end());
    for (std::uint16_t v : {load, static_cast<std::uint16_t>(load + data.size())})
        for (std::uint8_t b : le16(v))
            lead.push_back(b);
    lead.insert(lead.end(), back.begin(), back.end());
    Bytes after = t.checksum ? Bytes{xorOf(data)} : Bytes{};
    after.insert(after.end(), tail.begin(), tail.end());
    putBlock(t, pilot, 120, lead, {"", load, data}, after);
}

// A Turbo Tape block pair: header (name, addresses) and data, each after $02 pilot and countdown.
inline void putTurboTapeFile(EncodedTape& t, const std::string& name, std::uint16_t load, const Bytes& data) {
    const Bytes countdown = {9, 8, 7, 6, 5, 4, 3, 2, 1};
    Bytes header = countdown;
    header.push_back(1);
    for (std::uint16_t v : {load, static_cast<std::uint16_t>(load + data.size())})
        for (std::uint8_t b : le16(v))
            header.push_back(b);
    header.push_back(0);
    header.insert(header.end(), name.begin(), name.end());
    header.resize(countdown.size() + 1 + 192, 0x20);
    putPause(t.pulses, 0.4);
    for (int i = 0; i < 256; ++i)
        putByte(t.pulses, t.coding, 0x02);
    putBytes(t.pulses, t.coding, header);
    Bytes lead = countdown;
    lead.push_back(0);
    putBlock(t, 0x02, 256, lead, {name, load, data}, {xorOf(data)});
}

inline Bytes dataOf(std::size_t size, int seed) { return testfiles::programData(size, seed); }

#define ADD_FAILURE_IF_FOREIGN(f)                                                                            \
    if (f.loader != t.loader)                                                                                \
    ADD_FAILURE() << "found by " << f.loader << " at " << f.startSeconds << " s, load " << f.load

// The tape decodes to exactly its files; and survives what real tapes do to it.
inline void expectReads(const EncodedTape& t) {
    using vornix::tape::FileState;
    const auto matches = [&](const vornix::tape::TapeAnalysis& a) {
        const auto found = filesOf(a, t.loader);
        for (const auto& f : a.files)
            ADD_FAILURE_IF_FOREIGN(f);
        ASSERT_EQ(a.files.size(), t.files.size()) << "another loader found something, or we found too much";
        ASSERT_EQ(found.size(), t.files.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].name, t.files[i].name);
            EXPECT_EQ(found[i].load, t.files[i].load);
            EXPECT_EQ(found[i].end, static_cast<std::uint16_t>(t.files[i].load + t.files[i].data.size()));
            EXPECT_EQ(found[i].data, t.files[i].data);
            EXPECT_EQ(found[i].state, t.checksum ? FileState::Good : FileState::NoChecksum);
        }
    };
    {
        SCOPED_TRACE("as written");
        matches(decode(t.pulses));
    }
    for (double speed : {0.9, 1.1}) {
        SCOPED_TRACE(testing::Message() << "at speed " << speed);
        matches(decode(atSpeed(t.pulses, speed)));
    }
    {
        SCOPED_TRACE("through a noisy recording");
        matches(decodeThroughWav(t.pulses));
    }
    const auto flipped = filesOf(decode(flipBit(t.pulses, t.files[0].dataPulse, t.coding)), t.loader);
    ASSERT_FALSE(flipped.empty());
    EXPECT_EQ(flipped[0].state, t.checksum ? FileState::ChecksumWrong : FileState::NoChecksum);
    EXPECT_NE(flipped[0].data, t.files[0].data);
    const auto cut = filesOf(decode(cutAt(t.pulses, t.files.back().dataPulse)), t.loader);
    ASSERT_EQ(cut.size(), t.files.size());
    EXPECT_EQ(cut.back().state, FileState::CutOff);
    EXPECT_EQ(cut.back().detail.kind, vornix::tape::FileDetailKind::TapeEnds);
    const Bytes& whole = t.files.back().data;
    ASSERT_LT(cut.back().data.size(), whole.size());
    EXPECT_TRUE(std::equal(cut.back().data.begin(), cut.back().data.end(), whole.begin()));
}

} // namespace loadertest
