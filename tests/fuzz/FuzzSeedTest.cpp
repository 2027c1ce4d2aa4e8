// Every fuzz target over its committed seed corpus in every build: each seed whole, cut short
// at many places, with bits flipped, and small pieces from inside it. A broken promise aborts.
#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testfiles::Bytes;

struct Case {
    const char* corpus;
    vornix::fuzz::Target target;
};

const Case kCases[] = {
    {"t64_reader", vornix::fuzz::t64Reader},     {"d64_reader", vornix::fuzz::d64Reader},
    {"basic_lister", vornix::fuzz::basicLister}, {"picture", vornix::fuzz::picture},
    {"tape_reader", vornix::fuzz::tapeReader},
};

class FuzzSeeds : public testing::TestWithParam<Case> {};

TEST_P(FuzzSeeds, MutatedSeedsKeepThePromises) {
    const Case& c = GetParam();
    const auto run = [&](const Bytes& b) { c.target(b.data(), b.size()); };
    std::uint32_t r = 99;
    const auto next = [&r] { return r = r * 1664525 + 1013904223; };
    int seeds = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(std::string(VORNIX_FUZZ_CORPUS) + "/" + c.corpus)) {
        const Bytes seed = testfiles::readAll(file.path().string());
        ++seeds;
        run(seed);
        if (seed.empty())
            continue;
        for (int cut = 1; cut <= 12; ++cut)
            run(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(seed.size() * cut / 13)));
        for (int round = 0; round < 6; ++round) {
            Bytes m = seed;
            for (int flips = 0; flips < 1 << round; ++flips)
                m[next() % m.size()] ^= static_cast<std::uint8_t>(1 << (next() % 8));
            run(m);
        }
        for (int piece = 0; piece < 20; ++piece) {
            const std::size_t at = next() % seed.size(),
                              length = std::min<std::size_t>(seed.size() - at, 4096);
            run(Bytes(seed.begin() + static_cast<std::ptrdiff_t>(at),
                      seed.begin() + static_cast<std::ptrdiff_t>(at + length)));
        }
    }
    EXPECT_GT(seeds, 0) << "no seeds in the corpus " << c.corpus;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzSeeds, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.corpus);
                         });

} // namespace
