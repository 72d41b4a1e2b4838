#pragma once

#include <QImage>

// Draws the program icon: a gold pentagram on a red shield, with a pencil across it for editing.
class ProgramIconPainter {
public:
    // A square picture with transparency, drawn for its size: small sizes get thicker, simpler lines.
    static QImage paint(int size);
};
