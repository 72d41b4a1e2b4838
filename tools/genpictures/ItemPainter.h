#pragma once

#include "ItemLook.h"

#include <QImage>
#include <QSize>

// Draws the inventory picture of one graphic number: a pictogram of its kind that fills its inventory
// cells (28 pixels each), tinted by its family, with a dark outline on a dark ground.
class ItemPainter {
public:
    // Pixel size of the picture of graphic number 0..255, as the inventory lays it out.
    static QSize pictureSize(int graphic);
    // Colour depth of that picture's bitmap: 8, or 4 for the two unused "blank" graphics.
    static int bitsPerPixel(int graphic);
    // An opaque 32-bit picture.
    static QImage paint(const ItemLook& look, QSize size);
};
