#include "ContactSheet.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

struct Entry {
    QImage image;
    QString label;
};

// A grid of pictures, each in a slot of the largest picture's size, with its label underneath.
QImage sheet(const QList<Entry>& entries, int columns, int scale, bool names)
{
    int slotW = 0, slotH = 0;
    for (const Entry& e : entries) {
        slotW = std::max(slotW, e.image.width() * scale);
        slotH = std::max(slotH, e.image.height() * scale);
    }
    const int labelH = names ? 24 : 12;
    const int cellW = std::max(slotW, names ? 96 : 0) + 8, cellH = slotH + labelH + 8;
    const int rows = (int(entries.size()) + columns - 1) / columns;
    QImage out(columns * cellW + 8, rows * cellH + 8, QImage::Format_RGB32);
    out.fill(QColor(96, 96, 100));
    QPainter p(&out);
    QFont font("DejaVu Sans");
    font.setPixelSize(names ? 10 : 9);
    p.setFont(font);
    for (int i = 0; i < entries.size(); ++i) {
        const int x = 8 + (i % columns) * cellW, y = 8 + (i / columns) * cellH;
        const QImage& img = entries[i].image;
        if (!img.isNull()) {
            const QImage scaled = img.scaled(img.width() * scale, img.height() * scale, Qt::IgnoreAspectRatio,
                                             Qt::FastTransformation);
            p.drawImage(x + (cellW - 8 - scaled.width()) / 2, y + (slotH - scaled.height()), scaled);
        }
        p.setPen(QColor(240, 240, 240));
        const QRect labelRect(x - 2, y + slotH + 1, cellW - 4, labelH);
        const QString text = QFontMetrics(font).elidedText(
            entries[i].label, Qt::ElideRight, names ? 2 * labelRect.width() - 10 : labelRect.width());
        p.drawText(labelRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
    }
    return out;
}

} // namespace

bool ContactSheet::write(const QString& outDir, const QString& sheetDir, const QStringList& graphicNames,
                         const QStringList& spellNames)
{
    QDir().mkpath(sheetDir);
    bool ok = true;
    QList<Entry> items;
    for (int n = 0; n < graphicNames.size(); ++n)
        items.append({QImage(QString("%1/bitmaps/%2.bmp").arg(outDir).arg(440 + n)),
                      QString("%1 %2").arg(n).arg(graphicNames[n])});
    QList<Entry> numbered = items;
    for (int n = 0; n < numbered.size(); ++n)
        numbered[n].label = QString::number(440 + n);
    for (int page = 0; page * 128 < numbered.size(); ++page)
        ok &= sheet(numbered.mid(page * 128, 128), 16, 1, false)
                  .save(QString("%1/pictures-items-1x-%2.png").arg(sheetDir).arg(page + 1));
    for (int page = 0; page * 48 < items.size(); ++page)
        ok &= sheet(items.mid(page * 48, 48), 8, 2, true)
                  .save(QString("%1/pictures-items-2x-%2.png").arg(sheetDir).arg(page + 1));

    QList<Entry> spells;
    for (int r = 0; r < spellNames.size(); ++r)
        spells.append({QImage(QString("%1/bitmaps/%2.bmp").arg(outDir).arg(696 + r)),
                       QString("%1 %2").arg(696 + r).arg(spellNames[r])});
    ok &= sheet(spells, 13, 1, true).save(sheetDir + "/pictures-spells-1x.png");
    ok &= sheet(spells, 9, 2, true).save(sheetDir + "/pictures-spells-2x.png");

    const int sizes[] = {16, 32, 48, 64, 128, 256};
    QImage icons(16 + 2 * (16 + 32 + 48 + 64 + 128 + 256 + 6 * 12), 2 * 256 + 40, QImage::Format_RGB32);
    icons.fill(QColor(236, 236, 236));
    QPainter p(&icons);
    p.fillRect(QRect(0, 256 + 20, icons.width(), 256 + 20), QColor(40, 40, 44));
    int x = 8;
    for (int size : sizes) {
        const QImage icon(QString("%1/icons/128-%2.png").arg(outDir).arg(size));
        ok &= !icon.isNull();
        p.drawImage(x, 10 + 256 - size, icon);
        p.drawImage(x, 286 + 256 - size, icon);
        const QImage twice = icon.scaled(size * 2, size * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (size <= 64) {
            p.drawImage(x, 10 + 256 - size - size * 2 - 8, twice);
            p.drawImage(x, 286 + 256 - size - size * 2 - 8, twice);
        }
        x += std::max(size, size <= 64 ? size * 2 : 0) + 12;
    }
    p.end();
    ok &= icons.save(sheetDir + "/pictures-icons.png");
    return ok;
}
