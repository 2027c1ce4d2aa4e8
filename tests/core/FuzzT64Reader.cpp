// libFuzzer target for the T64 reader (built with clang only; run by hand, e.g.
//   build-clang/tests/core/fuzz_t64_reader -max_total_time=60 tests/data).
// Whatever the input, the reader must stay inside it, and an accepted image must save and
// read back to the same entries.
#include "core/T64Image.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vornix;
    ReadResult r = parseImage(data, size);
    if (!r.accepted)
        return 0;
    for (const Entry& e : r.contents.entries)
        if (e.size < 0 || static_cast<std::size_t>(e.size) != e.data.size())
            std::abort();
    std::vector<Entry> entries = r.contents.entries;
    const Bytes saved = serializeImage(r.contents.capacity, r.contents.label, entries, false);
    const ReadResult again = parseImage(saved.data(), saved.size());
    if (!again.accepted || again.contents.count != r.contents.count || !again.repairs.empty())
        std::abort();
    for (int i = 0; i < r.contents.count; ++i)
        if (again.contents.entries[i].data != r.contents.entries[i].data ||
            again.contents.entries[i].name != r.contents.entries[i].name)
            std::abort();
    return 0;
}
