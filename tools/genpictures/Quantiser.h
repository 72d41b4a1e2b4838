#pragma once

#include <QImage>

// Reduces an opaque 32-bit picture to an indexed one with a colour table of exactly `colours` entries,
// chosen for that picture (median cut refined by a few k-means rounds). No dithering: the pictures are
// small and dithering would turn their flat areas into noise.
class Quantiser {
public:
    static QImage quantise(const QImage& picture, int colours);
};
