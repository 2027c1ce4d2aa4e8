#pragma once
// The fuzz targets: each takes any bytes and aborts when a reader breaks one of its
// promises. libFuzzer drives them in the clang fuzz build (FuzzMain.cpp); every build runs
// them over the committed seed corpus (FuzzSeedTest.cpp).
#include <cstddef>
#include <cstdint>

namespace vornix::fuzz {

using Target = int (*)(const std::uint8_t* data, std::size_t size);

int t64Reader(const std::uint8_t* data, std::size_t size);
int d64Reader(const std::uint8_t* data, std::size_t size);
int basicLister(const std::uint8_t* data, std::size_t size);
int picture(const std::uint8_t* data, std::size_t size);
int tapeReader(const std::uint8_t* data, std::size_t size);

// Aborts with the broken promise named, so that libFuzzer and ctest both show it.
[[noreturn]] void fail(const char* what);

} // namespace vornix::fuzz
