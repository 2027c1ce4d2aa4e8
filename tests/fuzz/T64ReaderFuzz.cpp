// Whatever the input, the T64 reader stays inside it, and an accepted image saves and reads
// back to the same entries.
#include "core/T64Image.h"
#include "tests/fuzz/FuzzTargets.h"

namespace vornix::fuzz {

int t64Reader(const std::uint8_t* data, std::size_t size) {
    ReadResult r = parseImage(data, size);
    if (!r.accepted)
        return 0;
    for (const Entry& e : r.contents.entries)
        if (e.size < 0 || static_cast<std::size_t>(e.size) != e.data.size())
            fail("an entry's size differs from its data");
    std::vector<Entry> entries = r.contents.entries;
    const Bytes saved = serializeImage(r.contents.capacity, r.contents.label, entries, false);
    const ReadResult again = parseImage(saved.data(), saved.size());
    if (!again.accepted || again.contents.count != r.contents.count || !again.repairs.empty())
        fail("a saved image does not read back whole");
    for (int i = 0; i < r.contents.count; ++i)
        if (again.contents.entries[i].data != r.contents.entries[i].data ||
            again.contents.entries[i].name != r.contents.entries[i].name)
            fail("a saved entry reads back changed");
    return 0;
}

} // namespace vornix::fuzz
