#pragma once

#include <QIcon>

namespace tarvix {

// Icon resource 128 at every size the program carries; a null icon when the pictures
// were not built, so that the program still runs without them. A size is decoded only
// when something asks for it (decoding them all was a good part of the start-up), and
// the icon is made once, as the application's icon, which every window shows unless it
// sets its own.
QIcon programIcon();

} // namespace tarvix
