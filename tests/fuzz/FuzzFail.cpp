#include "tests/fuzz/FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

namespace vornix::fuzz {

void fail(const char* what) {
    std::fprintf(stderr, "fuzz target: %s\n", what);
    std::abort();
}

} // namespace vornix::fuzz
