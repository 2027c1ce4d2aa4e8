// libFuzzer's entry, bound to one target by the build (VORNIX_FUZZ_TARGET).
#include "tests/fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return vornix::fuzz::VORNIX_FUZZ_TARGET(data, size);
}
