#pragma once

#include <QString>

namespace tarvix {

// Copies source to target, replacing a target that exists. The copy is written beside
// the target under a temporary name and renamed over it only once complete, so a copy
// that fails part-way leaves an existing target as it was. Throws FileError naming both
// files and the system's reason.
void copyFile(const QString& source, const QString& target);

} // namespace tarvix
