#pragma once

class QLabel;

namespace tarvix {

// Shows one of the program's own bitmaps (":/bitmaps/<id>.bmp") in a picture control,
// which takes the bitmap's size (and its frame's, where it has one), as a bitmap static
// does. An id the program carries no bitmap for leaves the picture empty.
void ShowBitmap(QLabel* picture, int bitmapId);

} // namespace tarvix
