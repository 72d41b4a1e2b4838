#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

// Small drawing vocabulary shared by the item pictures, spell icons and program icon: light falls
// from the upper left, every part is filled with a gradient of its own colour and edged one pixel darker.
namespace shade {

QColor mix(const QColor& a, const QColor& b, qreal t);
QColor lit(const QColor& c, qreal amount); // towards white, 0..1
QColor dim(const QColor& c, qreal amount); // towards black, 0..1

QPainterPath polygon(std::initializer_list<QPointF> points);
QPainterPath ellipse(const QRectF& r);
QPainterPath ellipse(QPointF centre, qreal rx, qreal ry);
QPainterPath roundRect(const QRectF& r, qreal radius);
QPainterPath rectPath(const QRectF& r);

// Fills with a diagonal gradient of `c` and strokes a one-pixel edge of a darker shade.
void part(QPainter& p, const QPainterPath& path, const QColor& c, qreal edge = 1.0);
// As part(), with the banded gradient that makes polished metal.
void metal(QPainter& p, const QPainterPath& path, const QColor& c, qreal edge = 1.0);
// A radial gradient lit from the upper left: spheres, gems, discs.
void ball(QPainter& p, const QPainterPath& path, const QColor& c, qreal edge = 1.0);
void fill(QPainter& p, const QPainterPath& path, const QColor& c);
void stroke(QPainter& p, const QPainterPath& path, const QColor& c, qreal width);
void line(QPainter& p, QPointF a, QPointF b, const QColor& c, qreal width = 1.0);
// A thin bright glint.
void shine(QPainter& p, QPointF a, QPointF b, int alpha = 200);
void dot(QPainter& p, QPointF at, qreal radius, const QColor& c);

// Puts `layer` (transparent where nothing is drawn) on `background` with a soft dark outline one pixel
// wide around everything drawn, so shapes read clearly against a dark ground at their native size.
QImage withOutline(const QImage& layer, const QImage& background, const QColor& outline,
                   qreal strength = 0.9);

} // namespace shade
