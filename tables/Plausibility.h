#pragma once

#include "exe/Edition.h"

#include <string>
#include <vector>

namespace tarvix {
class WorkingCopy;
}

namespace tarvix::tables {

// The pointers of one field of a game table (or the pointer through which the game finds
// a table) in a file that the game's own tables would not leave so: some lead outside the
// file, or none leads anywhere.
struct StrayPointers {
    std::string place; // "base_items.name"; a table found through a pointer: its name
    int pointers = 0;  // pointers looked at, one per row
    int outside = 0;   // of them, those that lead past the end of the file
    int zero = 0;      // of them, those that are 0 (no text)
};

// Every pointer of the game's tables leads into the file, and every pointer field holds
// at least one pointer that is not 0. A file of the right length that breaks this is not
// laid out as the edition's executable, and what an editor would show of it, or write
// into it, is not what the user means. Empty when the file looks like the game's. Reads
// the file in the caller's access cycle.
std::vector<StrayPointers> strayPointers(WorkingCopy& file, const Edition& edition);

} // namespace tarvix::tables
