#include "editors/items/ItemPicture.h"

#include "exe/Edition.h"
#include "exe/TextAccess.h"
#include "ui/CDialog.h"
#include "ui/StringTable.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace tarvix {

namespace {

constexpr std::uint32_t kCursorFileDiablo = 0x82FEC;
constexpr std::uint32_t kCursorFileHellfire = 0x93C28;
constexpr int kCursorFileWindow = 60;

QString graphicRow(int number, int stringId, int limit)
{
    return QStringLiteral("%1 - %2").arg(number).arg(loadString(stringId, limit));
}

} // namespace

int graphicBaseRows(const QString& editionTag)
{
    return byEdition(editionTag.toStdString(), 169, 227).value_or(0);
}

void AddGraphicRows(CDialog& dialog, int listId, int first, int last, int limit)
{
    for (int n = first; n < last; ++n) dialog.addRow(listId, graphicRow(n, n + 1, limit));
}

void ExtendGraphicList(CDialog& dialog, int listId, WorkingCopy& file, const QString& editionTag, int limit)
{
    const auto offset = byEdition(editionTag.toStdString(), kCursorFileDiablo, kCursorFileHellfire);
    if (!offset) return;
    const std::string cursorFile = readFixedText(file, *offset, kCursorFileWindow);
    if (cursorFile == "Data\\Inv\\Objcurs.CEL" || cursorFile == "Data\\Inv\\Objcurs2.CEL") return;
    // An unknown cursor file may hold every frame: offer all 256 graphic numbers.
    if (dialog.rowCount(listId) < 227) AddGraphicRows(dialog, listId, dialog.rowCount(listId), 227, limit);
    for (int k = 0; k < 29; ++k) dialog.addRow(listId, graphicRow(dialog.rowCount(listId) % 256, 324 + k, limit));
}

void FillGraphicList(CDialog& dialog, int listId, WorkingCopy& file, const QString& editionTag, int limit)
{
    AddGraphicRows(dialog, listId, 0, graphicBaseRows(editionTag), limit);
    ExtendGraphicList(dialog, listId, file, editionTag, limit);
}

void ShowItemPicture(QLabel* picture, int graphicNumber)
{
    const int id = (graphicNumber + 440) & 0xFFFF;
    QImage image(QStringLiteral(":/bitmaps/%1.bmp").arg(id));
    if (image.isNull()) {
        picture->clear();
        return;
    }
    // Inventory art is pixel art: enlarge it by whole pixels on high-density screens.
    const qreal dpr = picture->devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(
        dpr > 1.0 ? image.scaled(image.size() * dpr, Qt::IgnoreAspectRatio, Qt::FastTransformation) : image);
    pixmap.setDevicePixelRatio(dpr);
    picture->setPixmap(pixmap);
    picture->resize(image.size());
}

} // namespace tarvix
