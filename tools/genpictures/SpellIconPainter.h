#pragma once

#include <QImage>
#include <QString>

// Draws the spell icons: one glyph per row of the spell editor's icon list on a disc coloured by the
// spell's school (fire red, lightning blue, magic purple, healing green). Icon row r is bitmap 696 + r.
class SpellIconPainter {
public:
    static int count();
    static QString name(int row);
    // An opaque 56 x 56 picture.
    static QImage paint(int row);
};
