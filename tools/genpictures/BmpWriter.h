#pragma once

#include <QImage>
#include <QString>

// Writes an indexed image as an uncompressed bottom-up device-independent bitmap whose colour table
// has exactly 2^bitsPerPixel entries. QImage's own writer cannot make 4-bit files and sizes the
// colour table after the image, so the program's resources are written here.
class BmpWriter {
public:
    // bitsPerPixel is 8 or 4; every pixel index must fit in it. Returns false if the file cannot be written.
    static bool write(const QImage& indexed, int bitsPerPixel, const QString& path);
    static QByteArray encode(const QImage& indexed, int bitsPerPixel);
};
