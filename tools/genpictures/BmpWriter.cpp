#include "BmpWriter.h"

#include <QFile>

namespace {

void put16(QByteArray& out, quint16 v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void put32(QByteArray& out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

QByteArray BmpWriter::encode(const QImage& indexed, int bitsPerPixel)
{
    Q_ASSERT(indexed.format() == QImage::Format_Indexed8);
    Q_ASSERT(bitsPerPixel == 8 || bitsPerPixel == 4);
    const int colours = 1 << bitsPerPixel;
    const int width = indexed.width();
    const int height = indexed.height();
    const int stride = ((width * bitsPerPixel + 31) / 32) * 4;
    const quint32 headerBytes = 14 + 40 + 4 * colours;
    const quint32 pixelBytes = quint32(stride) * quint32(height);

    QByteArray out;
    out.reserve(int(headerBytes + pixelBytes));
    out.append("BM");
    put32(out, headerBytes + pixelBytes);
    put32(out, 0);
    put32(out, headerBytes);

    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height)); // positive height: rows run bottom-up
    put16(out, 1);
    put16(out, quint16(bitsPerPixel));
    put32(out, 0); // uncompressed
    put32(out, pixelBytes);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, quint32(colours));
    put32(out, 0);

    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }

    for (int y = height - 1; y >= 0; --y) {
        const uchar* line = indexed.constScanLine(y);
        QByteArray row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const int index = line[x];
            Q_ASSERT(index < colours);
            if (bitsPerPixel == 8) {
                row[x] = char(index);
            } else {
                // the first pixel of a byte is its high nibble
                row[x / 2] = char(uchar(row[x / 2]) | (x % 2 == 0 ? index << 4 : index));
            }
        }
        out.append(row);
    }
    return out;
}

bool BmpWriter::write(const QImage& indexed, int bitsPerPixel, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = encode(indexed, bitsPerPixel);
    return file.write(bytes) == bytes.size();
}
