#include "Shading.h"

#include <algorithm>
#include <cmath>

namespace shade {

QColor mix(const QColor& a, const QColor& b, qreal t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t,
                            a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor lit(const QColor& c, qreal amount)
{
    QColor white(255, 255, 255, c.alpha());
    return mix(c, white, amount);
}

QColor dim(const QColor& c, qreal amount)
{
    QColor black(0, 0, 0, c.alpha());
    return mix(c, black, amount);
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath ellipse(const QRectF& r)
{
    QPainterPath path;
    path.addEllipse(r);
    return path;
}

QPainterPath ellipse(QPointF centre, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath roundRect(const QRectF& r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath rectPath(const QRectF& r)
{
    QPainterPath path;
    path.addRect(r);
    return path;
}

static void edgeStroke(QPainter& p, const QPainterPath& path, const QColor& c, qreal width)
{
    if (width <= 0) return;
    QPen pen(dim(c, 0.6), width);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void part(QPainter& p, const QPainterPath& path, const QColor& c, qreal edge)
{
    const QRectF r = path.boundingRect();
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0.0, lit(c, 0.35));
    g.setColorAt(0.45, c);
    g.setColorAt(1.0, dim(c, 0.35));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    edgeStroke(p, path, c, edge);
}

void metal(QPainter& p, const QPainterPath& path, const QColor& c, qreal edge)
{
    const QRectF r = path.boundingRect();
    QLinearGradient g(r.topLeft(), QPointF(r.right(), r.top() + r.width() * 0.35));
    g.setColorAt(0.0, lit(c, 0.55));
    g.setColorAt(0.38, lit(c, 0.15));
    g.setColorAt(0.52, dim(c, 0.25));
    g.setColorAt(0.75, c);
    g.setColorAt(1.0, dim(c, 0.35));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    edgeStroke(p, path, c, edge);
}

void ball(QPainter& p, const QPainterPath& path, const QColor& c, qreal edge)
{
    const QRectF r = path.boundingRect();
    QRadialGradient g(r.center(), std::max(r.width(), r.height()) * 0.62,
                      r.topLeft() + QPointF(r.width() * 0.32, r.height() * 0.3));
    g.setColorAt(0.0, lit(c, 0.7));
    g.setColorAt(0.35, lit(c, 0.1));
    g.setColorAt(0.8, dim(c, 0.3));
    g.setColorAt(1.0, dim(c, 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    edgeStroke(p, path, c, edge);
}

void fill(QPainter& p, const QPainterPath& path, const QColor& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
}

void stroke(QPainter& p, const QPainterPath& path, const QColor& c, qreal width)
{
    QPen pen(c, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void line(QPainter& p, QPointF a, QPointF b, const QColor& c, qreal width)
{
    QPen pen(c, width);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(a, b);
}

void shine(QPainter& p, QPointF a, QPointF b, int alpha)
{
    line(p, a, b, QColor(255, 255, 255, alpha), 1.0);
}

void dot(QPainter& p, QPointF at, qreal radius, const QColor& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(at, radius, radius);
}

QImage withOutline(const QImage& layer, const QImage& background, const QColor& outline, qreal strength)
{
    const QImage src = layer.convertToFormat(QImage::Format_ARGB32);
    const int w = src.width(), h = src.height();
    QImage halo(w, h, QImage::Format_ARGB32);
    halo.fill(Qt::transparent);
    auto alphaAt = [&](int x, int y) -> int {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0;
        return qAlpha(reinterpret_cast<const QRgb*>(src.constScanLine(y))[x]);
    };
    for (int y = 0; y < h; ++y) {
        QRgb* out = reinterpret_cast<QRgb*>(halo.scanLine(y));
        for (int x = 0; x < w; ++x) {
            // Straight neighbours give the full outline, diagonal ones a softer corner.
            int a = std::max({alphaAt(x - 1, y), alphaAt(x + 1, y), alphaAt(x, y - 1), alphaAt(x, y + 1)});
            const int diagonal = std::max(
                {alphaAt(x - 1, y - 1), alphaAt(x + 1, y - 1), alphaAt(x - 1, y + 1), alphaAt(x + 1, y + 1)});
            a = std::max(a, diagonal * 6 / 10);
            a = int(a * strength);
            out[x] = qRgba(outline.red(), outline.green(), outline.blue(), std::clamp(a, 0, 255));
        }
    }
    QImage result = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&result);
    p.drawImage(0, 0, halo);
    p.drawImage(0, 0, src);
    p.end();
    return result;
}

} // namespace shade
