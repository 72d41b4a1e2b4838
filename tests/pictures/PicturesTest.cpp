// The resources that the item editors and the spell icon editor load: every picture must exist with the
// size and colour depth the game's inventory gives it, and the string table must hold every id once.

#include <QFile>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Inventory cells of each graphic number, by runs: {last graphic number of the run, columns, rows}.
struct Run {
    int last, columns, rows;
};
const Run cellRuns[] = {{49, 1, 1},  {55, 1, 2},  {74, 1, 3},  {99, 2, 2},  {167, 2, 3},
                        {197, 1, 1}, {199, 2, 2}, {202, 1, 3}, {226, 2, 3}, {228, 2, 3},
                        {232, 1, 1}, {240, 2, 2}, {255, 2, 3}};

QSize expectedSize(int graphic)
{
    for (const Run& run : cellRuns)
        if (graphic <= run.last) return {28 * run.columns, 28 * run.rows};
    return {};
}

// The two unused "blank" graphics are the only 4-bit pictures.
int expectedBits(int graphic)
{
    return graphic == 227 || graphic == 228 ? 4 : 8;
}

QString bitmapPath(int id)
{
    return QString(":/bitmaps/%1.bmp").arg(id);
}

quint32 little(const QByteArray& bytes, int offset, int width)
{
    quint32 v = 0;
    for (int i = 0; i < width; ++i)
        v |= quint32(uchar(bytes[offset + i])) << (8 * i);
    return v;
}

// What the bitmap file itself says, independent of how QImage reads it.
struct BmpHeader {
    qint32 width = 0, height = 0;
    int bits = 0, compression = -1;
    quint32 coloursUsed = 0;
};

BmpHeader readHeader(const QString& path)
{
    QFile file(path);
    BmpHeader h;
    if (!file.open(QIODevice::ReadOnly)) return h;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 54 || !bytes.startsWith("BM") || little(bytes, 14, 4) != 40) return h;
    h.width = qint32(little(bytes, 18, 4));
    h.height = qint32(little(bytes, 22, 4));
    h.bits = int(little(bytes, 28, 2));
    h.compression = int(little(bytes, 30, 4));
    h.coloursUsed = little(bytes, 46, 4);
    return h;
}

// The part of a picture that differs clearly from its corner, i.e. from its background.
QRect drawnBounds(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb ground = rgb.pixel(0, 0);
    QRect bounds;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            const int d = std::abs(qRed(c) - qRed(ground)) + std::abs(qGreen(c) - qGreen(ground)) +
                          std::abs(qBlue(c) - qBlue(ground));
            if (d > 60) bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

// One bitmap, as QImage reads it and as its header says: the size, the depth, a full
// palette, no compression, rows stored bottom-up.
void expectBitmap(int id, QSize size, int bits)
{
    SCOPED_TRACE("bitmap " + std::to_string(id));
    const QImage image(bitmapPath(id));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), size);
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.colorCount(), 1 << bits);
    const BmpHeader h = readHeader(bitmapPath(id));
    EXPECT_EQ(h.bits, bits);
    EXPECT_EQ(h.compression, 0);
    EXPECT_EQ(h.coloursUsed, 1u << bits);
    EXPECT_EQ(h.width, size.width());
    EXPECT_EQ(h.height, size.height()) << "rows must run bottom-up";
}

TEST(Pictures, ItemPicturesHaveTheCellsAndDepthOfTheirGraphicNumberSpellIconsFiftySixSquare)
{
    for (int graphic = 0; graphic <= 255; ++graphic) expectBitmap(440 + graphic, expectedSize(graphic), expectedBits(graphic));
    for (int id = 696; id <= 746; ++id) expectBitmap(id, QSize(56, 56), 8);
}

// No selection in a graphic list asks for bitmap 439, and the icon list never reaches past 746:
// both must find nothing so that the picture is cleared.
TEST(Pictures, NoBitmapOutsideTheTwoRanges)
{
    EXPECT_FALSE(QFile::exists(bitmapPath(439)));
    EXPECT_FALSE(QFile::exists(bitmapPath(747)));
    EXPECT_TRUE(QImage(bitmapPath(439)).isNull());
}

// A picture fills its inventory cells: what it shows spans most of its width or height.
TEST(Pictures, EveryPictureFillsItsCellsAndSpellIconsDiffer)
{
    for (int graphic = 0; graphic <= 255; ++graphic) {
        if (expectedBits(graphic) == 4) continue; // the blank graphics show an empty cell on purpose
        SCOPED_TRACE("graphic " + std::to_string(graphic));
        const QImage image(bitmapPath(440 + graphic));
        const QRect drawn = drawnBounds(image);
        EXPECT_GE(std::max(double(drawn.width()) / image.width(), double(drawn.height()) / image.height()),
                  0.7);
        EXPECT_GE(std::min(double(drawn.width()) / image.width(), double(drawn.height()) / image.height()),
                  0.35);
    }
    QSet<QByteArray> seen;
    for (int id = 696; id <= 746; ++id) {
        const QImage image = QImage(bitmapPath(id)).convertToFormat(QImage::Format_RGB32);
        const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes()));
        EXPECT_FALSE(seen.contains(pixels)) << "bitmap " << id << " repeats an earlier icon";
        seen.insert(pixels);
    }
}

TEST(Pictures, ProgramIconAtEverySize)
{
    for (int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE("size " + std::to_string(size));
        const QImage icon(QString(":/icons/128-%1.png").arg(size));
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, size - 1)), 0) << "the ground stays transparent";
    }
}

TEST(Strings, TableHoldsIdsOneToThreeHundredFiftyTwoInOrder)
{
    QFile file(":/strings.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 352);
    QStringList texts{QString()}; // texts[id]
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split('\t');
        ASSERT_EQ(fields.size(), 2) << "line " << i + 1;
        EXPECT_EQ(fields[0].toInt(), i + 1);
        EXPECT_FALSE(fields[1].isEmpty()) << "id " << i + 1;
        texts << fields[1];
    }
    // graphic numbers 0..226 are ids 1..227, effect codes ids 228 on, graphic numbers 227..255 ids 324..352;
    // more of them are checked as the editors list them
    EXPECT_EQ(texts[131], "\"3 spiked balls `n chain flail\"");
    EXPECT_EQ(texts[227], "Bovine Plate");
    EXPECT_EQ(texts[228], "+% To Hit");
    EXPECT_EQ(texts[324], "\"blank\"");
    EXPECT_EQ(texts[238 + 97], "old tan book\"");
}

} // namespace
