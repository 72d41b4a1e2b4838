#include "ui/DialogRender.h"

#include <QPixmap>
#include <QWidget>

namespace tarvix {

bool renderToPng(QWidget* widget, const QString& path, qreal scale)
{
    QPixmap pixmap(widget->size() * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    widget->render(&pixmap);
    return pixmap.save(path);
}

} // namespace tarvix
