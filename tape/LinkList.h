#pragma once
// The ordered list of the linker: file paths and pause texts, with the one selected index
// (-1 for none). Each operation returns the selection the list shows afterwards.
#include <string>
#include <vector>

namespace vornix::tap {

using Entries = std::vector<std::string>;

// Inserts the new entries directly after the selected one, in their order, and selects the
// first of them. Without a selection they go to the end and the first entry of the list
// becomes the selection. Nothing to insert leaves list and selection as they were.
int insertEntries(Entries& list, int selected, const Entries& added);

int moveUp(Entries& list, int selected);
int moveDown(Entries& list, int selected);
// Removes the selected entry; afterwards nothing is selected.
int removeEntry(Entries& list, int selected);

// A path from the add dialog as listed: ".tap" is appended unless the fourth character from
// the end is a full stop (a three-character extension). Counts characters, not UTF-8 bytes.
std::string withTapExtension(const std::string& path);

} // namespace vornix::tap
