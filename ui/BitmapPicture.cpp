#include "ui/BitmapPicture.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace tarvix {

void ShowBitmap(QLabel* picture, int bitmapId)
{
    const QImage image(QStringLiteral(":/bitmaps/%1.bmp").arg(bitmapId));
    if (image.isNull()) {
        picture->clear();
        return;
    }
    // The game's art is pixel art: enlarge it by whole pixels on high-density screens.
    const qreal dpr = picture->devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(
        dpr > 1.0 ? image.scaled(image.size() * dpr, Qt::IgnoreAspectRatio, Qt::FastTransformation) : image);
    pixmap.setDevicePixelRatio(dpr);
    picture->setPixmap(pixmap);
    const int frame = picture->frameWidth();
    picture->resize(image.size() + QSize(2 * frame, 2 * frame));
}

} // namespace tarvix
