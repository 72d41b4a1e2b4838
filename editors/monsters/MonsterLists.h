#pragma once

#include "exe/Edition.h"

namespace tarvix {

class CDialog;

// Rows that the monster and boss editors offer alike, written once here.

// Hellfire's eight attack types behind the 32 rows both templates preload (none for
// Diablo): row index = attack type number.
void AddHellfireAttackTypes(CDialog& dialog, int comboId, const Edition& edition);

// The six resistance and immunity rows of a multiple-selection list, row i = bit i, in two
// columns of three, at least minColumn pixels wide and as wide as the longest row needs,
// all in sight without scrolling.
void FillResistanceList(CDialog& dialog, int listId, int minColumn);

} // namespace tarvix
