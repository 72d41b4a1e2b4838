#include "app/ProgramIcon.h"

#include <QFile>
#include <QIconEngine>
#include <QMap>
#include <QPainter>
#include <QPixmap>

namespace tarvix {

namespace {

// The sizes of the icon as files, each decoded the first time something asks for it: a
// window system that never shows the icon at 256 pixels never pays for decoding it.
class SizesOnDemand : public QIconEngine {
public:
    explicit SizesOnDemand(QMap<int, QString> files) : m_files(std::move(files)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        // The smallest that is at least as big, else the biggest there is.
        auto file = m_files.lowerBound(std::max(size.width(), size.height()));
        if (file == m_files.end()) file = std::prev(file);
        QPixmap& decoded = m_decoded[file.key()];
        if (decoded.isNull()) decoded.load(file.value());
        return decoded.size() == size ? decoded : decoded.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : m_files.keys()) sizes << QSize(side, side);
        return sizes;
    }
    QIconEngine* clone() const override { return new SizesOnDemand(m_files); }
    QString key() const override { return QStringLiteral("tarvix-sizes-on-demand"); }

private:
    QMap<int, QString> m_files;
    QMap<int, QPixmap> m_decoded;
};

} // namespace

QIcon programIcon()
{
    QMap<int, QString> files;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral(":/icons/128-%1.png").arg(size);
        if (QFile::exists(path)) files.insert(size, path);
    }
    if (files.isEmpty()) return {};
    return QIcon(new SizesOnDemand(std::move(files)));
}

} // namespace tarvix
