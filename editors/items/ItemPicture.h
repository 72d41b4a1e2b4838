#pragma once

#include "exe/Edition.h"

class QLabel;

namespace tarvix {

class CDialog;
class WorkingCopy;

// The graphic list shared by the item editors: row n names graphic number n.
// Base rows: those of the edition's own cursor file, 169 for Diablo, 227 for Hellfire.
int graphicBaseRows(const Edition& edition);

// Adds rows [first, last) of the base names, each cut to limit characters.
void AddGraphicRows(CDialog& dialog, int listId, int first, int last, int limit);

// Extends a list that holds the base rows to all 256 graphic numbers when the working
// copy's cursor file is not one of the two the names were written for.
void ExtendGraphicList(CDialog& dialog, int listId, WorkingCopy& file, const Edition& edition, int limit);

// The whole list at once, for editors that fill it in one step.
void FillGraphicList(CDialog& dialog, int listId, WorkingCopy& file, const Edition& edition, int limit);

// Shows the picture of graphic number (0..255) in the picture control; -1 clears it.
void ShowItemPicture(QLabel* picture, int graphicNumber);

} // namespace tarvix
