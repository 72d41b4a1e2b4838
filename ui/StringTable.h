#pragma once

#include <QString>

namespace tarvix {

// The program's string table (graphic names and effect names), ids 1..352.
// limit = characters kept, as a load with a buffer of limit + 1 would keep.
QString loadString(int id, int limit = 255);

} // namespace tarvix
