#include "tape/LinkList.h"

#include <iterator>
#include <utility>

namespace vornix::tap {

namespace {

bool valid(const Entries& list, int index) { return index >= 0 && index < static_cast<int>(list.size()); }

} // namespace

int insertEntries(Entries& list, int selected, const Entries& added) {
    if (added.empty())
        return valid(list, selected) ? selected : -1;
    if (!valid(list, selected)) {
        list.insert(list.end(), added.begin(), added.end());
        return 0;
    }
    list.insert(list.begin() + selected + 1, added.begin(), added.end());
    return selected + 1;
}

int moveUp(Entries& list, int selected) {
    if (!valid(list, selected))
        return -1;
    if (selected < 1)
        return selected;
    std::swap(list[selected], list[selected - 1]);
    return selected - 1;
}

int moveDown(Entries& list, int selected) {
    if (!valid(list, selected))
        return -1;
    if (selected + 1 >= static_cast<int>(list.size()))
        return selected;
    std::swap(list[selected], list[selected + 1]);
    return selected + 1;
}

int removeEntry(Entries& list, int selected) {
    if (valid(list, selected))
        list.erase(list.begin() + selected);
    return -1;
}

std::string withTapExtension(const std::string& path) {
    // Walk back over four UTF-8 characters; continuation bytes are 10xxxxxx.
    int chars = 0;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        const auto byte = static_cast<unsigned char>(*it);
        if ((byte & 0xC0) == 0x80)
            continue;
        if (++chars == 4)
            return byte == '.' ? path : path + ".tap";
    }
    return path + ".tap";
}

} // namespace vornix::tap
