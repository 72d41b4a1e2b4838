#pragma once

#include "exe/Edition.h"

#include <QStringList>

namespace tarvix {

// The effects an item can carry, as the unique item and affix editors list them: row n
// reads "n - name" and stands for effect code n.
QStringList effectRows(const Edition& edition);

// The effect code that makes a unique item's slot its picture: the slot's minimum is
// the graphic number.
constexpr int kUniquePictureEffect = 44;

} // namespace tarvix
