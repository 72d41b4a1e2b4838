#pragma once

#include "exe/Edition.h"

#include <initializer_list>

namespace tarvix {

class CDialog;
class WorkingCopy;

// Lists of the game's own names that several editors offer, each read from the working
// copy in the caller's access cycle and added to the list in one go.

// Row n = sound n: the bare names of the sound table (858 for Diablo, 1,022 for Hellfire).
void FillSoundList(CDialog& dialog, int listId, WorkingCopy& file, const Edition& edition);
// The same rows in several lists, from one read of the names.
void FillSoundList(CDialog& dialog, std::initializer_list<int> listIds, WorkingCopy& file,
                   const Edition& edition);

} // namespace tarvix
