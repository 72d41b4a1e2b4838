#pragma once

#include <QIcon>

namespace tarvix {

// Icon resource 128 at every size the program carries; a null icon when the pictures
// were not built, so that the program still runs without them.
QIcon programIcon();

} // namespace tarvix
