#include "ProgramIconPainter.h"

#include "Shading.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>

using namespace shade;

namespace {

QPainterPath shieldPath(const QRectF& r)
{
    QPainterPath path;
    const qreal cx = r.center().x();
    path.moveTo(r.left(), r.top());
    path.quadTo(cx, r.top() + r.height() * 0.07, r.right(), r.top());
    path.lineTo(r.right(), r.top() + r.height() * 0.42);
    path.cubicTo(r.right(), r.top() + r.height() * 0.74, cx + r.width() * 0.22,
                 r.bottom() - r.height() * 0.06, cx, r.bottom());
    path.cubicTo(cx - r.width() * 0.22, r.bottom() - r.height() * 0.06, r.left(), r.top() + r.height() * 0.74,
                 r.left(), r.top() + r.height() * 0.42);
    path.closeSubpath();
    return path;
}

QPointF starPoint(QPointF c, qreal r, int i)
{
    const qreal a = qDegreesToRadians(-90 + i * 72.0);
    return c + QPointF(std::cos(a), std::sin(a)) * r;
}

} // namespace

QImage ProgramIconPainter::paint(int size)
{
    const qreal s = size / 256.0;
    const bool tiny = size <= 24;
    const bool small = size <= 48;
    // Line widths in pixels never go below what still shows at that size.
    auto px = [&](qreal units, qreal minimum) { return std::max(units * s, minimum); };

    QImage layer(size, size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF outer(QPointF(14, 10) * s, QPointF(206, 236) * s);
    const QPainterPath shield = shieldPath(outer);
    const QColor gold(236, 182, 58);
    metal(p, shield, gold, 0);
    const qreal rim = px(16, tiny ? 1.6 : 2.0);
    const QRectF innerRect = outer.adjusted(rim, rim, -rim, -rim * 1.5);
    const QPainterPath inner = shieldPath(innerRect);
    QRadialGradient field(QPointF(100, 90) * s, 140 * s, QPointF(80, 70) * s);
    field.setColorAt(0, QColor(214, 40, 40));
    field.setColorAt(0.7, QColor(140, 14, 20));
    field.setColorAt(1, QColor(80, 6, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(field);
    p.drawPath(inner);

    const QPointF c = QPointF(110, 108) * s;
    const qreal r = 62 * s;
    if (tiny) {
        QList<QPointF> pts;
        for (int i = 0; i < 10; ++i) {
            const qreal a = qDegreesToRadians(-90 + i * 36.0);
            pts << c + QPointF(std::cos(a), std::sin(a)) * (i % 2 ? r * 0.45 : r * 1.05);
        }
        QPainterPath star;
        star.addPolygon(QPolygonF(pts));
        star.closeSubpath();
        fill(p, star, QColor(255, 214, 90));
    } else {
        const qreal w = px(9, 1.3);
        QPainterPath ring = ellipse(c, r, r);
        stroke(p, ring, QColor(255, 206, 80), w);
        QPainterPath star(starPoint(c, r, 0));
        for (int i = 1; i <= 5; ++i)
            star.lineTo(starPoint(c, r, (i * 2) % 5));
        QPen pen(QColor(255, 214, 90), w);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(star);
        if (!small) {
            // embers at the star's points
            for (int i = 0; i < 5; ++i)
                dot(p, starPoint(c, r, i), px(6, 1), QColor(255, 240, 180));
        }
    }
    shine(p, QPointF(outer.left() + rim * 0.5, outer.top() + rim * 1.5),
          QPointF(outer.left() + rim * 0.5, outer.center().y()), small ? 120 : 170);

    // The pencil lies across the lower right corner, writing on the shield.
    p.save();
    p.translate(QPointF(188, 182) * s);
    p.rotate(-135);
    const qreal len = 140 * s, half = px(17, tiny ? 1.6 : 2.2);
    const qreal tipLen = len * 0.24;
    // along the pencil: eraser, ferrule, body, sharpened wood, lead; the point at negative y
    const QRectF body(-half, -len / 2 + tipLen, half * 2, len * 0.58);
    const QRectF ferrule(-half, body.bottom(), half * 2, len * 0.08);
    const QRectF eraser(-half, ferrule.bottom(), half * 2, len / 2 - ferrule.bottom());
    part(p, roundRect(eraser, half * 0.5), QColor(236, 120, 140), 0);
    metal(p, rectPath(ferrule), QColor(196, 200, 210), 0);
    QLinearGradient bodyShade(QPointF(-half, 0), QPointF(half, 0));
    bodyShade.setColorAt(0, QColor(255, 220, 90));
    bodyShade.setColorAt(0.5, QColor(246, 180, 40));
    bodyShade.setColorAt(1, QColor(190, 120, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(bodyShade);
    p.drawRect(body);
    if (!small) {
        line(p, QPointF(-half / 3, body.top()), QPointF(-half / 3, body.bottom()), QColor(200, 130, 20),
             px(2, 1));
        line(p, QPointF(half / 3, body.top()), QPointF(half / 3, body.bottom()), QColor(255, 236, 150),
             px(2, 1));
    }
    QPainterPath wood =
        polygon({QPointF(-half, body.top()), QPointF(half, body.top()), QPointF(0, -len / 2)});
    part(p, wood, QColor(232, 196, 150), 0);
    const qreal leadFrom = -len / 2 + tipLen * 0.38;
    fill(p, polygon({QPointF(-half * 0.38, leadFrom), QPointF(half * 0.38, leadFrom), QPointF(0, -len / 2)}),
         QColor(50, 50, 58));
    p.restore();
    p.end();

    QImage clear(size, size, QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    return withOutline(layer, clear, QColor(30, 8, 8), tiny ? 0.7 : 0.9);
}
