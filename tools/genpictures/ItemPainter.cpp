#include "ItemPainter.h"

#include "Shading.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace shade;

namespace {

// A drawing box addressed by fractions of its width and height.
struct Box {
    QRectF r;
    qreal w() const { return r.width(); }
    qreal h() const { return r.height(); }
    qreal x(qreal f) const { return r.left() + f * r.width(); }
    qreal y(qreal f) const { return r.top() + f * r.height(); }
    QPointF at(qreal fx, qreal fy) const { return {x(fx), y(fy)}; }
    QRectF rect(qreal fx0, qreal fy0, qreal fx1, qreal fy1) const
    {
        return QRectF(at(fx0, fy0), at(fx1, fy1)).normalized();
    }
    qreal cx() const { return r.center().x(); }
};

const QColor kLeather(120, 74, 40);
const QColor kBrass(200, 150, 64);
const QColor kGold(226, 172, 56);
const QColor kIron(122, 128, 138);
const QColor kBone(230, 218, 182);
const QColor kParchment(226, 208, 164);
const QColor kHole(24, 20, 18);

QPainterPath fromPolygon(const QList<QPointF>& points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

// Star or flanged outline around a centre: alternating outer and inner radii.
QPainterPath starPath(QPointF c, int points, qreal rxOuter, qreal ryOuter, qreal rxInner, qreal ryInner,
                      qreal rotation = -90)
{
    QList<QPointF> pts;
    for (int i = 0; i < points * 2; ++i) {
        const qreal a = qDegreesToRadians(rotation + 180.0 * i / points);
        const bool outer = i % 2 == 0;
        pts << QPointF(c.x() + std::cos(a) * (outer ? rxOuter : rxInner),
                       c.y() + std::sin(a) * (outer ? ryOuter : ryInner));
    }
    return fromPolygon(pts);
}

// Dots along a quadratic curve: a chain seen from afar.
void chain(QPainter& p, QPointF a, QPointF control, QPointF b, const QColor& c, qreal spacing = 2.0)
{
    QPainterPath path(a);
    path.quadTo(control, b);
    const qreal length = path.length();
    const int n = std::max(2, int(length / spacing));
    for (int i = 0; i <= n; ++i) {
        const QPointF at = path.pointAtPercent(qreal(i) / n);
        dot(p, at, 0.95, i % 2 ? dim(c, 0.35) : lit(c, 0.25));
    }
}

void spike(QPainter& p, QPointF base, qreal angleDeg, qreal length, qreal width, const QColor& c)
{
    const qreal a = qDegreesToRadians(angleDeg);
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF side(-dir.y(), dir.x());
    part(p, polygon({base + side * (width / 2), base + dir * length, base - side * (width / 2)}), c, 0.8);
}

void gemStone(QPainter& p, QPointF c, qreal rx, qreal ry, const QColor& colour, const QColor& setting);

// A skull seen from the front, for emblems.
void skull(QPainter& p, QPointF c, qreal size, const QColor& bone)
{
    QPainterPath head;
    head.addEllipse(QRectF(c.x() - size * 0.5, c.y() - size * 0.55, size, size * 0.85));
    head.addRoundedRect(QRectF(c.x() - size * 0.28, c.y() + size * 0.1, size * 0.56, size * 0.38), 1.5, 1.5);
    head = head.simplified();
    part(p, head, bone, 0.8);
    const qreal e = std::max(1.2, size * 0.14);
    fill(p, ellipse(QPointF(c.x() - size * 0.2, c.y() - size * 0.08), e, e * 1.1), kHole);
    fill(p, ellipse(QPointF(c.x() + size * 0.2, c.y() - size * 0.08), e, e * 1.1), kHole);
    fill(p,
         polygon({{c.x(), c.y() + size * 0.06},
                  {c.x() - size * 0.07, c.y() + size * 0.2},
                  {c.x() + size * 0.07, c.y() + size * 0.2}}),
         kHole);
    if (size >= 10) {
        for (int i = -1; i <= 1; ++i)
            line(p, {c.x() + i * size * 0.12, c.y() + size * 0.3},
                 {c.x() + i * size * 0.12, c.y() + size * 0.46}, dim(bone, 0.55), 1.0);
    }
}

// A lightning zigzag inside a box.
QPainterPath boltPath(const QRectF& r)
{
    auto at = [&](qreal fx, qreal fy) {
        return QPointF(r.left() + fx * r.width(), r.top() + fy * r.height());
    };
    return polygon({at(0.62, 0.0), at(0.18, 0.55), at(0.48, 0.55), at(0.34, 1.0), at(0.84, 0.4),
                    at(0.54, 0.4), at(0.78, 0.0)});
}

using LongDrawer = std::function<void(QPainter&, const Box&)>;

// Where a drawing really put paint: the bounding box of its visible pixels.
QRectF paintedBounds(qreal thickness, qreal length, qreal angle, const LongDrawer& draw)
{
    const int side = int(std::ceil(length + thickness)) + 8;
    QImage scratch(side, side, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    {
        QPainter q(&scratch);
        q.setRenderHint(QPainter::Antialiasing);
        q.translate(side / 2.0, side / 2.0);
        q.rotate(angle);
        draw(q, Box{QRectF(-thickness / 2, -length / 2, thickness, length)});
    }
    int x0 = side, y0 = side, x1 = -1, y1 = -1;
    for (int y = 0; y < side; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < side; ++x)
            if (qAlpha(line[x]) > 24) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    }
    if (x1 < 0) return {};
    return QRectF(x0 - side / 2.0, y0 - side / 2.0, x1 - x0 + 1, y1 - y0 + 1);
}

// Draws a long item (weapon, staff) along the length of its box. In a narrow picture it stands upright;
// in a wide one it is tilted and made as long as the cells allow, measured on what it really paints,
// so that it fills the picture diagonally as it would lie in the inventory.
void alongBox(QPainter& p, const QRectF& area, qreal thickness, qreal angle, const LongDrawer& draw)
{
    if (area.width() < 40 || angle == 0) {
        draw(p, Box{area});
        return;
    }
    const qreal t = std::min(thickness, area.width());
    qreal lo = t, hi = std::hypot(area.width(), area.height()) * 1.2;
    for (int i = 0; i < 14; ++i) {
        const qreal mid = (lo + hi) / 2;
        const QRectF r = paintedBounds(t, mid, angle, draw);
        if (r.width() <= area.width() && r.height() <= area.height())
            lo = mid;
        else
            hi = mid;
    }
    const QRectF painted = paintedBounds(t, lo, angle, draw);
    p.save();
    p.translate(std::round(area.center().x() - painted.center().x()),
                std::round(area.center().y() - painted.center().y()));
    p.rotate(angle);
    draw(p, Box{QRectF(-t / 2, -lo / 2, t, lo)});
    p.restore();
}

// Grip wrapped in leather between two heights.
void grip(QPainter& p, qreal cx, qreal top, qreal bottom, qreal width, const QColor& c)
{
    const QRectF r(cx - width / 2, top, width, bottom - top);
    part(p, roundRect(r, 1), c, 0.8);
    for (qreal y = top + 2; y < bottom - 1; y += 3)
        line(p, {r.left() + 0.5, y}, {r.right() - 0.5, y - 1}, dim(c, 0.5), 0.8);
}

// ---- weapons -------------------------------------------------------------------------------------

void sword(QPainter& p, const Box& b, const ItemLook& look, bool dagger)
{
    const qreal cx = b.cx();
    qreal bw = std::clamp(b.w() * 0.3, 4.0, 9.0);
    if (look.hasAny(
            {"broad", "great", "executioner", "bastard", "claymore", "two", "grandfather", "grizzly"}))
        bw = std::min(bw * 1.3, b.w() * 0.42);
    if (dagger && look.has("thick")) bw *= 1.2;
    const bool curved = look.hasAny({"curved", "sabre", "scimitar", "falchion"});
    const qreal top = b.r.top();
    const qreal guardY = b.y(dagger ? 0.6 : 0.72);
    const qreal guardH = std::max(3.0, b.h() * 0.045);
    const qreal guardW = std::min(b.w(), bw * 3.2);
    const qreal gripW = std::max(3.0, bw * 0.55);
    const qreal pommelR = std::max(2.2, gripW * 0.75);
    const qreal pommelY = b.r.bottom() - pommelR;
    const qreal length = guardY - top;

    QColor blade = look.main;
    QColor fittings = look.accent;
    if (look.has("angel")) {
        blade = QColor(236, 240, 248);
        fittings = kGold;
    }
    if (look.has("bone") || look.has("spine")) fittings = kBone;
    if (look.has("black")) fittings = QColor(160, 30, 40);

    QPainterPath path;
    if (curved) {
        const qreal head = look.has("falchion") ? bw * 1.35 : bw;
        path.moveTo(cx - bw / 2, guardY);
        path.cubicTo(cx - bw / 2, top + length * 0.45, cx - head * 0.2, top + length * 0.12, cx + bw * 0.9,
                     top);
        path.cubicTo(cx + head * 0.75, top + length * 0.25, cx + bw / 2, top + length * 0.55, cx + bw / 2,
                     guardY);
        path.closeSubpath();
    } else if (dagger && look.has("knuckle")) {
        path = polygon({{cx - bw / 2, guardY},
                        {cx - bw / 2, top + bw * 1.6},
                        {cx + bw * 0.5, top},
                        {cx + bw / 2, guardY}});
    } else {
        const qreal taper = look.hasAny({"wizardspike", "needle"}) ? 0.55 : 1.0;
        path = polygon({{cx - bw / 2, guardY},
                        {cx - bw / 2 * taper, top + bw * 1.4},
                        {cx, top},
                        {cx + bw / 2 * taper, top + bw * 1.4},
                        {cx + bw / 2, guardY}});
    }
    // The blade is split along its ridge: the lit half towards the light.
    fill(p, path, dim(blade, 0.2));
    p.save();
    p.setClipRect(QRectF(b.r.left() - 50, top - 50, cx - b.r.left() + 50, b.h() + 100));
    QLinearGradient g(QPointF(0, top), QPointF(0, guardY));
    g.setColorAt(0, lit(blade, 0.55));
    g.setColorAt(1, lit(blade, 0.15));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    p.restore();
    if (bw >= 6 && !curved) line(p, {cx, guardY - 1}, {cx, top + bw * 1.6}, dim(blade, 0.4), 1.0);
    stroke(p, path, dim(blade, 0.55), 0.9);
    if (look.has("rusted"))
        for (int i = 0; i < 4; ++i)
            dot(p, {cx + (look.pick(5, i) - 2) * bw * 0.15, top + length * (0.25 + 0.17 * i)}, 1.0,
                QColor(110, 60, 30));
    if (look.has("hole")) fill(p, ellipse(QPointF(cx, top + length * 0.28), bw * 0.2, bw * 0.2), kHole);
    if (look.has("holes")) {
        fill(p, ellipse(QPointF(cx - bw * 0.18, top + length * 0.2), bw * 0.14, bw * 0.14), kHole);
        fill(p, ellipse(QPointF(cx + bw * 0.18, top + length * 0.2), bw * 0.14, bw * 0.14), kHole);
    }
    if (look.has("spine"))
        for (qreal y = top + length * 0.2; y < guardY - 2; y += std::max(3.0, bw * 0.5))
            line(p, {cx - bw * 0.45, y}, {cx + bw * 0.45, y}, dim(blade, 0.45), 1.0);

    if (look.hasAny({"winged", "angel"})) {
        for (int side : {-1, 1}) {
            QPainterPath wing;
            wing.moveTo(cx + side * bw * 0.3, guardY + guardH);
            wing.cubicTo(cx + side * guardW * 0.5, guardY + guardH, cx + side * guardW * 0.62,
                         guardY - length * 0.1, cx + side * guardW * 0.5, guardY - length * 0.2);
            wing.cubicTo(cx + side * guardW * 0.35, guardY - length * 0.08, cx + side * bw * 0.7, guardY - 2,
                         cx + side * bw * 0.3, guardY);
            wing.closeSubpath();
            part(p, wing, look.has("angel") ? QColor(240, 240, 250) : fittings, 0.8);
        }
    }
    grip(p, cx, guardY + guardH - 0.5, pommelY - pommelR * 0.6, gripW,
         look.has("bone") || look.has("spine") ? kBone : kLeather);
    if (dagger && look.has("knuckle")) {
        // a guard that wraps round the fingers
        QPainterPath bow;
        bow.moveTo(cx + guardW * 0.45, guardY + guardH / 2);
        bow.cubicTo(cx + guardW * 0.7, guardY + (pommelY - guardY) * 0.4, cx + guardW * 0.6, pommelY, cx,
                    pommelY);
        stroke(p, bow, dim(fittings, 0.6), 3.0);
        stroke(p, bow, fittings, 1.6);
    }
    // Cross-guards differ from sword to sword: straight, with quillons bent towards the blade, or with
    // a stone set in the middle.
    const int guardStyle = dagger ? 0 : look.pick(3, 5);
    QPainterPath guard = roundRect(QRectF(cx - guardW / 2, guardY, guardW, guardH), guardH / 2);
    if (guardStyle == 1) {
        guard = QPainterPath();
        guard.moveTo(cx - guardW / 2, guardY - guardH * 1.1);
        guard.quadTo(cx - guardW * 0.42, guardY + guardH, cx, guardY + guardH);
        guard.quadTo(cx + guardW * 0.42, guardY + guardH, cx + guardW / 2, guardY - guardH * 1.1);
        guard.quadTo(cx + guardW * 0.38, guardY, cx, guardY);
        guard.quadTo(cx - guardW * 0.38, guardY, cx - guardW / 2, guardY - guardH * 1.1);
        guard.closeSubpath();
    }
    metal(p, guard, fittings, 0.8);
    if (guardStyle == 2)
        gemStone(p, QPointF(cx, guardY + guardH / 2), guardH * 0.45, guardH * 0.45,
                 look.has("black") ? QColor(200, 20, 30) : QColor(60, 110, 220), fittings);
    ball(p, ellipse(QPointF(cx, pommelY), pommelR, pommelR), fittings, 0.8);
    if (look.hasAny({"executioner", "eater", "black"}) || look.has("souls"))
        dot(p, {cx, guardY + guardH / 2}, std::max(1.2, guardH * 0.35), QColor(220, 30, 40));
}

void axe(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal hw = std::max(3.0, b.w() * 0.09);
    const qreal hx = b.x(0.62);
    const qreal y0 = b.y(0.04), y1 = b.y(look.has("small") ? 0.34 : 0.42);
    const qreal ym = (y0 + y1) / 2, nh = (y1 - y0) * 0.2;
    const QColor shaft = look.wood;

    // haft
    QPainterPath haft = roundRect(QRectF(hx - hw / 2, b.y(0.02), hw, b.h() * 0.97), hw / 2);
    part(p, haft, shaft, 0.8);
    grip(p, hx, b.y(0.78), b.y(0.97), hw + 1, kLeather);

    auto bladeOn = [&](int side) {
        const qreal edgeX = side < 0 ? b.x(0.03) : b.x(0.97);
        const qreal neckX = hx + side * hw / 2;
        QPainterPath blade;
        if (look.hasAny({"cleaver", "gray"}) && side < 0) {
            blade = polygon({{neckX, y0 + 2}, {edgeX, y0}, {edgeX, y1}, {neckX, y1 - (y1 - y0) * 0.25}});
        } else {
            blade.moveTo(neckX, ym - nh);
            blade.quadTo(hx + side * (b.w() * 0.3), ym - nh, edgeX, y0);
            blade.quadTo(edgeX - side * b.w() * 0.1, ym, edgeX, y1);
            blade.quadTo(hx + side * (b.w() * 0.3), ym + nh, neckX, ym + nh);
            blade.closeSubpath();
        }
        metal(p, blade, look.main, 0.9);
        // the ground edge catches the light
        QPainterPath edge(QPointF(edgeX - side * 1.2, y0 + 2));
        edge.quadTo(edgeX - side * (b.w() * 0.1 + 1), ym, edgeX - side * 1.2, y1 - 2);
        stroke(p, edge, lit(look.main, 0.6), 1.0);
        if (look.has("hole") && side < 0)
            fill(p, ellipse(QPointF(b.x(0.3), ym), std::max(1.5, b.w() * 0.06), std::max(1.5, b.w() * 0.06)),
                 kHole);
    };
    bladeOn(-1);
    if (look.hasAny({"dual", "double", "battle", "great", "broad"})) {
        bladeOn(1);
    } else {
        spike(p, {hx + hw / 2, ym}, 0, b.w() * 0.26, nh * 1.6, look.main);
    }
    // the socket that holds the head on the haft
    metal(p, roundRect(QRectF(hx - hw / 2 - 1.5, ym - nh - 1.5, hw + 3, nh * 2 + 3), 1), dim(look.main, 0.2),
          0.8);
    spike(p, {hx, y0 + 1}, -90, std::max(2.0, b.h() * 0.04), hw, look.main);
}

void bow(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal shorten = look.has("short") ? 0.07 : 0.0;
    const QPointF top(b.x(0.64), b.y(0.02 + shorten)), bottom(b.x(0.64), b.y(0.98 - shorten));
    const bool recurve = look.hasAny({"composite", "curved", "recurve", "war", "battle"});
    const qreal lw = std::max(3.0, b.w() * 0.085);
    QColor wood = look.main;
    if (look.has("composite")) wood = QColor(110, 70, 40);

    QPainterPath limb(top);
    limb.cubicTo(b.at(-0.08, 0.22), b.at(-0.08, 0.78), bottom);
    if (recurve) {
        QPainterPath tips;
        tips.moveTo(top);
        tips.quadTo(top + QPointF(b.w() * 0.06, 0), top + QPointF(b.w() * 0.14, b.h() * 0.03));
        tips.moveTo(bottom);
        tips.quadTo(bottom + QPointF(b.w() * 0.06, 0), bottom + QPointF(b.w() * 0.14, -b.h() * 0.03));
        limb.addPath(tips);
    }
    // string first, so the limb covers its ends
    line(p, top + QPointF(0.5, 0), bottom + QPointF(0.5, 0), QColor(222, 214, 196), 1.0);
    stroke(p, limb, dim(wood, 0.6), lw + 1.5);
    stroke(p, limb, wood, lw);
    QPainterPath shine = limb.translated(-lw * 0.25, -0.5);
    stroke(p, shine, lit(wood, 0.35), 1.0);
    // tips of horn or metal
    for (QPointF tip : {top, bottom})
        dot(p, tip, lw * 0.55, look.has("composite") ? kBone : dim(wood, 0.3));
    // the grip at the middle of the limb
    const QPointF middle = limb.pointAtPercent(0.5);
    part(p, roundRect(QRectF(middle.x() - lw * 0.8, middle.y() - b.h() * 0.06, lw * 1.6, b.h() * 0.12), 1.5),
         look.has("red") ? QColor(170, 40, 30) : kLeather, 0.8);
    // an arrow nocked on the string
    if (b.w() >= 40) {
        const qreal ay = b.y(0.5);
        line(p, {b.x(0.02), ay}, {b.x(0.95), ay}, QColor(170, 130, 80), 1.5);
        part(p, polygon({{b.x(0.02) - 1, ay}, {b.x(0.1), ay - 3}, {b.x(0.1), ay + 3}}), kIron, 0.6);
        for (int s : {-1, 1})
            part(p,
                 polygon(
                     {{b.x(0.8), ay}, {b.x(0.96), ay + s * 3.5}, {b.x(0.98), ay + s * 1}, {b.x(0.86), ay}}),
                 look.has("red") ? QColor(220, 80, 40) : QColor(220, 220, 210), 0.6);
    }
}

void staff(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal cx = b.cx();
    const qreal sw = std::max(3.0, b.w() * 0.24);
    const qreal r = std::min(b.w() * 0.42, b.h() * 0.075);
    const qreal headY = b.r.top() + r * 1.3;
    QColor wood = look.main;
    if (look.has("lazarus")) wood = QColor(70, 50, 46);
    if (look.has("war") || look.has("composite")) wood = dim(look.main, 0.1);

    QPainterPath shaft;
    shaft.moveTo(cx - sw / 2, headY);
    shaft.lineTo(cx + sw / 2, headY);
    shaft.lineTo(cx + sw * 0.4, b.r.bottom());
    shaft.lineTo(cx - sw * 0.4, b.r.bottom());
    shaft.closeSubpath();
    part(p, shaft, wood, 0.8);
    if (look.has("bone")) {
        for (qreal y = headY + 6; y < b.r.bottom() - 4; y += 7)
            part(p, ellipse(QPointF(cx, y), sw * 0.75, 1.5), look.main, 0.6);
    } else {
        const QColor band = look.hasAny({"war", "composite"}) ? QColor(170, 176, 186) : kBrass;
        for (qreal f : {0.42, 0.7})
            metal(p, roundRect(QRectF(cx - sw / 2 - 0.8, b.y(f), sw + 1.6, 2.5), 1), band, 0.6);
    }
    metal(p, roundRect(QRectF(cx - sw * 0.45, b.r.bottom() - 3, sw * 0.9, 3), 1), kIron, 0.6);

    const QPointF head(cx, headY - r * 0.2);
    if (look.has("jester")) {
        for (int side : {-1, 0, 1}) {
            QPainterPath prong(QPointF(cx, headY + r * 0.4));
            const QPointF tip(cx + side * r * 1.0, headY - r * (side == 0 ? 1.2 : 0.6));
            prong.quadTo(QPointF(cx + side * r * 1.2, headY), tip);
            stroke(p, prong, dim(side == 0 ? look.accent : QColor(200, 40, 40), 0.5), 3.0);
            stroke(p, prong, side == 0 ? QColor(60, 170, 60) : QColor(210, 40, 40), 2.0);
            ball(p, ellipse(tip, 2.2, 2.2), kGold, 0.6);
        }
    } else if (look.has("shaman")) {
        // a crook with feathers hanging from it
        QPainterPath crook(QPointF(cx, headY + r));
        crook.cubicTo(cx, headY - r * 1.6, cx + r * 1.6, headY - r * 1.4, cx + r * 1.1, headY);
        stroke(p, crook, dim(wood, 0.6), sw + 1.5);
        stroke(p, crook, wood, sw);
        for (int i = 0; i < 2; ++i) {
            const QPointF top(cx + r * (1.0 + 0.2 * i), headY + i * 2);
            part(p, ellipse(QRectF(top.x() - 1.5, top.y(), 3, r * 1.6)),
                 i ? look.accent : QColor(220, 200, 150), 0.6);
        }
        ball(p, ellipse(QPointF(cx + r * 0.4, headY - r * 0.9), r * 0.45, r * 0.45), look.accent, 0.6);
    } else if (look.has("bone")) {
        part(p, ellipse(QPointF(cx - r * 0.45, headY - r * 0.3), r * 0.6, r * 0.6), look.main, 0.8);
        part(p, ellipse(QPointF(cx + r * 0.45, headY - r * 0.3), r * 0.6, r * 0.6), look.main, 0.8);
        skull(p, QPointF(cx, headY - r * 0.1), r * 1.3, kBone);
    } else {
        // an orb held by prongs
        QColor gem = look.accent;
        if (look.has("lazarus")) gem = QColor(200, 20, 30);
        ball(p, ellipse(head, r, r), gem, 0.8);
        dot(p, head + QPointF(-r * 0.35, -r * 0.35), std::max(0.8, r * 0.2), QColor(255, 255, 255, 220));
        const QColor claws = look.hasAny({"war", "composite", "lazarus"}) ? kIron : kBrass;
        for (int side : {-1, 1}) {
            QPainterPath prong(QPointF(cx + side * sw * 0.3, headY + r * 0.9));
            prong.quadTo(cx + side * r * 1.35, head.y() + r * 0.2, cx + side * r * 0.5, head.y() - r * 0.85);
            stroke(p, prong, dim(claws, 0.6), 2.4);
            stroke(p, prong, claws, 1.2);
        }
    }
}

void spear(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal cx = b.cx();
    const qreal sw = std::max(3.0, b.w() * 0.22);
    const qreal headLen = b.h() * 0.24;
    part(p, roundRect(QRectF(cx - sw / 2, b.y(0.12), sw, b.h() * 0.88), 1), look.wood, 0.8);
    const qreal hw = std::min(b.w() * 0.5, 8.0);
    QPainterPath head;
    head.moveTo(cx, b.r.top());
    head.quadTo(cx + hw * 0.9, b.r.top() + headLen * 0.55, cx + sw * 0.4, b.r.top() + headLen);
    head.lineTo(cx - sw * 0.4, b.r.top() + headLen);
    head.quadTo(cx - hw * 0.9, b.r.top() + headLen * 0.55, cx, b.r.top());
    metal(p, head, kIron.lighter(130), 0.8);
    line(p, {cx, b.r.top() + 3}, {cx, b.r.top() + headLen - 1}, dim(kIron, 0.2), 1.0);
    metal(p, roundRect(QRectF(cx - hw * 0.55, b.r.top() + headLen, hw * 1.1, 2.5), 1), kBrass, 0.6);
    grip(p, cx, b.y(0.55), b.y(0.72), sw + 1, kLeather);
}

void scythe(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal sw = std::max(3.0, b.w() * 0.08);
    QPainterPath shaft(QPointF(b.x(0.78), b.y(0.98)));
    shaft.cubicTo(b.x(0.7), b.y(0.6), b.x(0.82), b.y(0.3), b.x(0.74), b.y(0.04));
    stroke(p, shaft, dim(look.wood, 0.6), sw + 1.5);
    stroke(p, shaft, look.wood, sw);
    QPainterPath blade;
    blade.moveTo(b.x(0.76), b.y(0.05));
    blade.cubicTo(b.x(0.5), b.y(-0.02), b.x(0.1), b.y(0.06), b.x(0.02), b.y(0.3));
    blade.cubicTo(b.x(0.2), b.y(0.14), b.x(0.5), b.y(0.1), b.x(0.76), b.y(0.14));
    blade.closeSubpath();
    metal(p, blade, look.main, 0.8);
    // the handle that sticks out of the snath
    stroke(p, QPainterPath(QPointF(b.x(0.76), b.y(0.5))), look.wood, 1);
    QPainterPath handle(QPointF(b.x(0.76), b.y(0.52)));
    handle.lineTo(b.x(0.5), b.y(0.46));
    stroke(p, handle, dim(look.wood, 0.6), sw + 1);
    stroke(p, handle, look.wood, sw - 0.5);
}

void handle(QPainter& p, const Box& b, qreal top, qreal width, const QColor& c, bool wrapped = true)
{
    part(p, roundRect(QRectF(b.cx() - width / 2, top, width, b.r.bottom() - top - 1), width / 2), c, 0.8);
    if (wrapped) grip(p, b.cx(), b.r.bottom() - b.h() * 0.2, b.r.bottom() - 2, width + 1, kLeather);
    ball(p, ellipse(QPointF(b.cx(), b.r.bottom() - 1.5), width * 0.65, 1.8), kIron, 0.6);
}

void mace(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal hw = std::max(3.0, b.w() * 0.16);
    const QPointF head(b.cx(), b.r.top() + std::min(b.h() * 0.14, b.w() * 0.5));
    const qreal rx = b.w() * 0.42, ry = std::min(b.h() * 0.13, b.w() * 0.5);
    handle(p, b, head.y(), hw, look.has("bone") ? kBone : QColor(110, 80, 56));
    if (look.has("cleaver"))
        metal(p,
              polygon({{head.x(), head.y() - ry},
                       {b.x(0.0), head.y() - ry * 1.2},
                       {b.x(0.0), head.y() + ry * 1.4},
                       {head.x(), head.y() + ry}}),
              look.main, 0.8);
    const int flanges = look.has("7") ? 7 : 5;
    QPainterPath shape = starPath(head, flanges + 1, rx, ry, rx * 0.62, ry * 0.62);
    metal(p, shape, look.main, 0.9);
    ball(p, ellipse(head, rx * 0.5, ry * 0.5), look.main, 0.8);
    if (look.has("spiked")) {
        for (int i = 0; i < 8; ++i) {
            const qreal a = -90 + i * 45.0;
            spike(p,
                  head + QPointF(std::cos(qDegreesToRadians(a)) * rx * 0.85,
                                 std::sin(qDegreesToRadians(a)) * ry * 0.85),
                  a, std::max(2.5, rx * 0.28), 2.4, lit(look.main, 0.2));
        }
    }
    spike(p, {head.x(), head.y() - ry * 0.9}, -90, std::max(2.0, ry * 0.35), 2.6, look.main);
}

void morningStar(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal hw = std::max(3.0, b.w() * 0.16);
    const qreal r = std::min(b.w() * 0.3, b.h() * 0.1);
    const QPointF head(b.cx(), b.r.top() + r * 1.5);
    handle(p, b, head.y(), hw, QColor(110, 80, 56));
    const int spikes = look.has("thorny") ? 12 : 8;
    for (int i = 0; i < spikes; ++i) {
        const qreal a = -90 + i * 360.0 / spikes;
        spike(p, head + QPointF(std::cos(qDegreesToRadians(a)), std::sin(qDegreesToRadians(a))) * r * 0.8, a,
              r * 0.7, std::max(2.0, r * 0.45), lit(look.main, 0.25));
    }
    ball(p, ellipse(head, r, r), look.main, 0.9);
    metal(p, roundRect(QRectF(head.x() - hw * 0.7, head.y() + r * 0.8, hw * 1.4, 2.5), 1), kBrass, 0.6);
}

void club(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal cx = b.cx();
    if (look.has("board")) {
        const QRectF plank(cx - b.w() * 0.2, b.y(0.02), b.w() * 0.4, b.h() * 0.96);
        part(p, roundRect(plank, 1), look.main, 0.8);
        for (qreal f : {0.3, 0.62})
            line(p, {plank.left() + 2, b.y(f)}, {plank.right() - 2, b.y(f + 0.04)}, dim(look.main, 0.35),
                 1.0);
        grip(p, cx, b.y(0.74), b.y(0.97), plank.width() - 1, kLeather);
        // the nail that gives it its name
        line(p, {plank.left() + 2, b.y(0.1)}, {plank.left() - b.w() * 0.22, b.y(0.07)}, QColor(190, 196, 204),
             1.5);
        dot(p, {plank.left() + 2, b.y(0.1)}, 1.6, QColor(150, 156, 164));
        return;
    }
    if (look.has("bone")) {
        const qreal sw = std::max(3.0, b.w() * 0.22);
        part(p, roundRect(QRectF(cx - sw / 2, b.y(0.08), sw, b.h() * 0.84), 1), look.main, 0.8);
        for (qreal y : {b.y(0.08), b.y(0.92)}) {
            part(p, ellipse(QPointF(cx - sw * 0.6, y), sw * 0.75, sw * 0.75), look.main, 0.8);
            part(p, ellipse(QPointF(cx + sw * 0.6, y), sw * 0.75, sw * 0.75), look.main, 0.8);
        }
        if (look.has("pelvis"))
            part(p, ellipse(QPointF(cx, b.y(0.2)), b.w() * 0.45, b.h() * 0.1), look.main, 0.8);
        return;
    }
    QPainterPath path;
    const qreal top = b.y(0.02), bottom = b.y(0.98);
    path.moveTo(cx - b.w() * 0.12, bottom);
    path.cubicTo(cx - b.w() * 0.14, b.y(0.6), cx - b.w() * 0.36, b.y(0.3), cx - b.w() * 0.32, b.y(0.12));
    path.quadTo(cx, top - b.h() * 0.04, cx + b.w() * 0.32, b.y(0.12));
    path.cubicTo(cx + b.w() * 0.36, b.y(0.3), cx + b.w() * 0.14, b.y(0.6), cx + b.w() * 0.12, bottom);
    path.closeSubpath();
    part(p, path, look.main, 0.9);
    for (int i = 0; i < 3; ++i)
        part(p, ellipse(QPointF(cx + (i - 1) * b.w() * 0.12, b.y(0.16 + 0.12 * i)), 1.4, 1.0),
             dim(look.main, 0.4), 0);
    grip(p, cx, b.y(0.76), b.y(0.97), b.w() * 0.26, kLeather);
    if (look.has("spiked"))
        for (int i = 0; i < 6; ++i) {
            const bool right = i % 2;
            const qreal y = b.y(0.1 + 0.07 * i);
            const qreal halfWidth = b.w() * (0.32 - 0.025 * i);
            spike(p, {cx + (right ? halfWidth : -halfWidth), y}, right ? -15 : 195,
                  std::max(2.5, b.w() * 0.15), 2.2, QColor(190, 196, 204));
        }
}

void hammer(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal hw = std::max(3.0, b.w() * 0.14);
    const bool maul = look.hasAny({"maul", "thunderclap"});
    const qreal headH = std::min(b.h() * (maul ? 0.2 : 0.15), b.w() * 0.6);
    const QRectF head(b.x(maul ? 0.04 : 0.12), b.r.top() + 1, b.w() * (maul ? 0.92 : 0.76), headH);
    handle(p, b, head.bottom() - 2, hw, look.has("bone") ? kBone : QColor(120, 84, 52));
    if (look.has("war") || look.has("spiked")) {
        // a striking face on one side and a beak on the other
        QRectF face(head.left() + head.width() * 0.45, head.top(), head.width() * 0.55, head.height());
        metal(p, roundRect(face, 1.5), look.main, 0.9);
        metal(p,
              polygon({{face.left() + 1, head.top() + headH * 0.2},
                       {head.left(), head.center().y()},
                       {face.left() + 1, head.bottom() - headH * 0.2}}),
              look.main, 0.9);
        if (look.has("spiked"))
            for (int i = 0; i < 3; ++i)
                spike(p, {face.right(), face.top() + face.height() * (0.2 + 0.3 * i)}, 0, 3, 2,
                      lit(look.main, 0.2));
    } else {
        metal(p, roundRect(head, 2), look.main, 0.9);
        line(p, {head.left() + 2, head.top() + 1.5}, {head.right() - 2, head.top() + 1.5},
             lit(look.main, 0.6), 1.0);
        if (maul)
            for (qreal f : {0.25, 0.75})
                metal(p,
                      roundRect(QRectF(head.left() + head.width() * f - 1.5, head.top() - 0.5, 3, headH + 1),
                                1),
                      kBrass, 0.6);
    }
    if (look.has("bone")) {
        part(p, ellipse(QPointF(head.left() + 2, head.center().y()), headH * 0.45, headH * 0.6), kBone, 0.8);
        part(p, ellipse(QPointF(head.right() - 2, head.center().y()), headH * 0.45, headH * 0.6), kBone, 0.8);
    }
    if (look.has("thunderclap")) {
        const QRectF bolt(head.center().x() - 4, head.top() + 1, 8, headH - 2);
        part(p, boltPath(bolt), QColor(250, 220, 80), 0.6);
    }
}

void flail(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal hw = std::max(3.0, b.w() * 0.12);
    const QPointF handleTop(b.x(0.3), b.y(0.52));
    QPainterPath haft =
        roundRect(QRectF(handleTop.x() - hw / 2, handleTop.y(), hw, b.r.bottom() - handleTop.y()), hw / 2);
    part(p, haft, QColor(120, 84, 52), 0.8);
    grip(p, handleTop.x(), b.y(0.78), b.y(0.98), hw + 1, kLeather);
    metal(p, roundRect(QRectF(handleTop.x() - hw * 0.8, handleTop.y() - 2, hw * 1.6, 4), 1.5), kIron, 0.6);
    struct Ball {
        qreal fx, fy, r;
    };
    QList<Ball> balls;
    const qreal r = std::min(b.w(), b.h() * 0.6) * 0.2;
    if (look.has("3"))
        balls = {{0.22, 0.16, r * 0.7}, {0.74, 0.13, r * 0.7}, {0.6, 0.36, r * 0.7}};
    else
        balls = {{0.66, 0.2, r}};
    for (const Ball& bl : balls) {
        const QPointF c = b.at(bl.fx, bl.fy);
        chain(p, handleTop,
              QPointF((handleTop.x() + c.x()) / 2 + b.w() * 0.1, (handleTop.y() + c.y()) / 2 + b.h() * 0.05),
              c, kIron.lighter(120), 2.2);
    }
    for (const Ball& bl : balls) {
        const QPointF c = b.at(bl.fx, bl.fy);
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * 45.0 + 22.5;
            spike(p, c + QPointF(std::cos(qDegreesToRadians(a)), std::sin(qDegreesToRadians(a))) * bl.r * 0.8,
                  a, bl.r * 0.65, std::max(1.8, bl.r * 0.45), lit(look.main, 0.25));
        }
        ball(p, ellipse(c, bl.r, bl.r), look.main, 0.9);
    }
}

// ---- armour --------------------------------------------------------------------------------------

QPainterPath shieldShape(const QRectF& r, int style)
{
    QPainterPath path;
    const qreal x0 = r.left(), x1 = r.right(), y0 = r.top(), y1 = r.bottom(), cx = r.center().x();
    switch (style) {
    case 0: // round
        path.addEllipse(r);
        break;
    case 1: // tower
        path.moveTo(x0, y0 + r.height() * 0.06);
        path.quadTo(cx, y0 - r.height() * 0.04, x1, y0 + r.height() * 0.06);
        path.lineTo(x1, y1 - r.height() * 0.08);
        path.quadTo(cx, y1 + r.height() * 0.02, x0, y1 - r.height() * 0.08);
        path.closeSubpath();
        break;
    case 2: // kite
        path.moveTo(cx, y0);
        path.cubicTo(x1 + r.width() * 0.02, y0, x1, y0 + r.height() * 0.3, x1 - r.width() * 0.02,
                     y0 + r.height() * 0.36);
        path.cubicTo(x1 - r.width() * 0.1, y0 + r.height() * 0.65, cx + r.width() * 0.1,
                     y1 - r.height() * 0.1, cx, y1);
        path.cubicTo(cx - r.width() * 0.1, y1 - r.height() * 0.1, x0 + r.width() * 0.1,
                     y0 + r.height() * 0.65, x0 + r.width() * 0.02, y0 + r.height() * 0.36);
        path.cubicTo(x0, y0 + r.height() * 0.3, x0 - r.width() * 0.02, y0, cx, y0);
        path.closeSubpath();
        break;
    default: // heater
        path.moveTo(x0, y0);
        path.quadTo(cx, y0 + r.height() * 0.06, x1, y0);
        path.lineTo(x1, y0 + r.height() * 0.42);
        path.cubicTo(x1, y0 + r.height() * 0.75, cx + r.width() * 0.2, y1 - r.height() * 0.06, cx, y1);
        path.cubicTo(cx - r.width() * 0.2, y1 - r.height() * 0.06, x0, y0 + r.height() * 0.75, x0,
                     y0 + r.height() * 0.42);
        path.closeSubpath();
        break;
    }
    return path;
}

void shield(QPainter& p, const Box& area, const ItemLook& look)
{
    int style = 3;
    if (look.hasAny({"buckler", "small"}))
        style = 0;
    else if (look.has("tower"))
        style = 1;
    else if (look.hasAny({"kite", "dragon"}))
        style = 2;
    QRectF r = area.r;
    if (style == 0) {
        const qreal d = std::min(r.width(), r.height()) * (look.has("buckler") ? 0.82 : 0.96);
        r = QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
    }
    const qreal rim = std::max(2.5, r.width() * 0.085);
    const QPainterPath outer = shieldShape(r, style);
    const QRectF innerRect = r.adjusted(rim, rim, -rim, -rim * (style == 3 || style == 2 ? 1.6 : 1.0));
    const QPainterPath inner = shieldShape(innerRect, style);
    const Box b{innerRect};

    metal(p, outer, look.main, 1.0);
    if (look.hasAny({"wooden", "oak", "dark", "large"}) && !look.has("thick")) {
        const QColor wood = look.has("dark") ? QColor(90, 58, 34) : QColor(150, 100, 52);
        part(p, inner, wood, 0.8);
        p.save();
        p.setClipPath(inner);
        for (qreal x = innerRect.left() + innerRect.width() / 4; x < innerRect.right() - 1;
             x += innerRect.width() / 4)
            line(p, {x, innerRect.top()}, {x, innerRect.bottom()}, dim(wood, 0.45), 1.0);
        for (qreal f : {0.25, 0.62})
            metal(p, rectPath(QRectF(innerRect.left(), b.y(f), innerRect.width(), 3)).simplified(), kIron,
                  0.5);
        p.restore();
    } else {
        part(p, inner, look.accent, 0.8);
    }

    const QPointF c = b.at(0.5, style == 0 ? 0.5 : 0.42);
    const qreal s = std::min(innerRect.width(), innerRect.height());
    if (look.has("cross")) {
        const QColor gold = kGold;
        metal(p, rectPath(QRectF(c.x() - s * 0.09, innerRect.top() + 1, s * 0.18, innerRect.height() * 0.85)),
              gold, 0.6);
        metal(p, rectPath(QRectF(innerRect.left() + 1, c.y() - s * 0.25, innerRect.width() - 2, s * 0.18)),
              gold, 0.6);
    } else if (look.has("skull")) {
        skull(p, c, s * 0.55, kBone);
        line(p, {c.x() + s * 0.05, c.y() - s * 0.35}, {c.x() - s * 0.06, c.y() + s * 0.1}, kHole, 1.2);
    } else if (look.has("lightning")) {
        part(p, boltPath(QRectF(c.x() - s * 0.28, c.y() - s * 0.42, s * 0.56, s * 0.84)),
             QColor(250, 220, 70), 0.8);
    } else if (look.has("dragon")) {
        // a coiled serpent
        QPainterPath body(b.at(0.3, 0.82));
        body.cubicTo(b.at(0.95, 0.7), b.at(0.9, 0.4), b.at(0.5, 0.45));
        body.cubicTo(b.at(0.1, 0.5), b.at(0.15, 0.15), b.at(0.6, 0.16));
        stroke(p, body, QColor(120, 20, 20), 4.5);
        stroke(p, body, kGold, 2.8);
        part(p, polygon({b.at(0.56, 0.08), b.at(0.82, 0.16), b.at(0.56, 0.25)}), kGold, 0.8);
        dot(p, b.at(0.64, 0.15), 0.9, QColor(200, 20, 20));
    } else if (look.has("gothic")) {
        for (qreal f : {0.3, 0.5, 0.7})
            line(p, b.at(f, 0.05), b.at(0.5 + (f - 0.5) * 0.3, 0.92), lit(look.accent, 0.3), 1.0);
        ball(p, ellipse(c, s * 0.14, s * 0.14), look.main, 0.8);
    } else if (style == 0) {
        ball(p, ellipse(c, s * 0.2, s * 0.2), look.main, 0.8);
        dot(p, c + QPointF(-s * 0.06, -s * 0.06), std::max(0.8, s * 0.04), QColor(255, 255, 255, 200));
    } else {
        switch (look.pick(3, 4)) {
        case 0: { // chevron
            QPainterPath chevron = polygon({b.at(0.0, 0.35), b.at(0.5, 0.6), b.at(1.0, 0.35), b.at(1.0, 0.52),
                                            b.at(0.5, 0.77), b.at(0.0, 0.52)});
            p.save();
            p.setClipPath(inner);
            part(p, chevron, kGold, 0.6);
            p.restore();
            break;
        }
        case 1: // a bend
            p.save();
            p.setClipPath(inner);
            part(p, polygon({b.at(0.0, 0.1), b.at(0.2, 0.0), b.at(1.0, 0.72), b.at(0.85, 0.92)}),
                 lit(look.accent, 0.55), 0.6);
            p.restore();
            break;
        default:
            ball(p, ellipse(c, s * 0.15, s * 0.15), look.main, 0.8);
            break;
        }
    }
    // rivets round the rim
    QPainterPath rimLine = shieldShape(r.adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2), style);
    const int rivets = std::max(6, int(rimLine.length() / 9));
    for (int i = 0; i < rivets; ++i) {
        const QPointF at = rimLine.pointAtPercent((i + 0.5) / rivets);
        dot(p, at, 0.9, lit(look.main, 0.55));
    }
}

void helm(QPainter& p, const Box& b, const ItemLook& look)
{
    const bool closed = look.hasAny({"full", "great", "gotterdamerung", "overloard"});
    const bool horned = look.has("horned");
    QColor steel = look.main;
    if (look.has("old")) steel = mix(steel, QColor(120, 100, 80), 0.3);
    const qreal x0 = b.x(horned ? 0.2 : 0.13), x1 = b.x(horned ? 0.8 : 0.87);
    const qreal top = b.y(0.08), bottom = b.y(0.96), cx = b.cx();
    if (horned) {
        for (int side : {-1, 1}) {
            QPainterPath horn;
            const qreal base = side < 0 ? x0 + 2 : x1 - 2;
            horn.moveTo(base, b.y(0.4));
            horn.cubicTo(cx + side * b.w() * 0.55, b.y(0.42), cx + side * b.w() * 0.52, b.y(0.16),
                         cx + side * b.w() * 0.42, b.y(0.0));
            horn.cubicTo(cx + side * b.w() * 0.44, b.y(0.18), cx + side * b.w() * 0.4, b.y(0.28), base,
                         b.y(0.25));
            horn.closeSubpath();
            part(p, horn, kBone, 0.9);
        }
    }
    if (look.has("overloard") || look.has("sprits")) {
        // a crest of plumes
        QPainterPath plume(QPointF(cx - 2, b.y(0.14)));
        plume.cubicTo(cx - b.w() * 0.1, b.y(-0.05), cx + b.w() * 0.35, b.y(-0.04), cx + b.w() * 0.42,
                      b.y(0.2));
        plume.cubicTo(cx + b.w() * 0.3, b.y(0.08), cx + b.w() * 0.1, b.y(0.08), cx + 2, b.y(0.14));
        part(p, plume, look.has("sprits") ? QColor(90, 160, 220) : QColor(190, 30, 34), 0.8);
    }
    QPainterPath dome;
    dome.moveTo(x0, bottom);
    dome.lineTo(x0, b.y(0.46));
    dome.cubicTo(x0, top - b.h() * 0.06, x1, top - b.h() * 0.06, x1, b.y(0.46));
    dome.lineTo(x1, bottom);
    if (closed) {
        dome.quadTo(cx, bottom + b.h() * 0.04, x0, bottom);
    } else {
        // cheek guards with the face open between them
        dome.lineTo(cx + b.w() * 0.16, bottom);
        dome.lineTo(cx + b.w() * 0.18, b.y(0.5));
        dome.lineTo(cx - b.w() * 0.18, b.y(0.5));
        dome.lineTo(cx - b.w() * 0.16, bottom);
    }
    dome.closeSubpath();
    metal(p, dome, steel, 1.0);
    if (look.has("spiked")) {
        for (int i = -2; i <= 2; ++i) {
            const qreal a = -90 + i * 28.0;
            const QPointF base(cx + std::cos(qDegreesToRadians(a)) * (x1 - x0) * 0.44,
                               b.y(0.46) + std::sin(qDegreesToRadians(a)) * (b.y(0.46) - top) * 0.98);
            spike(p, base, a, b.h() * 0.14, 3.5, lit(steel, 0.15));
        }
    }
    // brow band with rivets
    const QRectF band(x0, b.y(0.4), x1 - x0, std::max(3.0, b.h() * 0.07));
    metal(p, rectPath(band), look.has("skull") ? kBone : dim(steel, 0.1), 0.8);
    for (int i = 1; i < 6; ++i)
        dot(p, {x0 + (x1 - x0) * i / 6.0, band.center().y()}, 0.9, lit(steel, 0.6));
    if (closed) {
        // eye slit and breathing holes
        fill(p, rectPath(QRectF(b.x(0.24), b.y(0.52), b.w() * 0.52, std::max(2.0, b.h() * 0.05))), kHole);
        fill(p, rectPath(QRectF(cx - 1.5, b.y(0.52), 3, b.h() * 0.3)), kHole);
        for (int side : {-1, 1})
            for (int i = 0; i < 3; ++i)
                dot(p, {cx + side * b.w() * 0.2, b.y(0.66 + 0.08 * i)}, 1.0, kHole);
    } else {
        fill(p, rectPath(QRectF(cx - b.w() * 0.16, b.y(0.5), b.w() * 0.32, bottom - b.y(0.5))),
             QColor(40, 30, 26));
        metal(p, roundRect(QRectF(cx - 1.5, band.bottom() - 1, 3, b.h() * 0.3), 1), steel, 0.6);
    }
    shine(p, {x0 + b.w() * 0.1, b.y(0.32)}, {cx - b.w() * 0.08, b.y(0.12)}, 170);
}

void cap(QPainter& p, const Box& b, const ItemLook& look)
{
    const bool metalCap = look.hasAny({"skull", "steel"});
    QColor c = look.main;
    if (look.has("old")) c = mix(c, QColor(120, 100, 80), 0.3);
    const qreal x0 = b.x(0.1), x1 = b.x(0.9), cx = b.cx();
    QPainterPath dome;
    dome.moveTo(x0, b.y(0.78));
    dome.cubicTo(x0, b.y(0.08), x1, b.y(0.08), x1, b.y(0.78));
    dome.closeSubpath();
    if (metalCap)
        metal(p, dome, c, 1.0);
    else
        part(p, dome, c, 1.0);
    // segments meeting at the crown
    for (qreal f : {0.3, 0.7}) {
        QPainterPath seam(QPointF(cx, b.y(0.25)));
        seam.quadTo(cx + (f - 0.5) * b.w() * 0.9, b.y(0.35), cx + (f - 0.5) * b.w() * 1.2, b.y(0.72));
        stroke(p, seam, dim(c, 0.4), 1.0);
    }
    const QRectF band(b.x(0.06), b.y(0.66), b.w() * 0.88, b.h() * 0.16);
    if (metalCap)
        metal(p, roundRect(band, 2), dim(c, 0.1), 0.8);
    else
        part(p, roundRect(band, 2), dim(c, 0.2), 0.8);
    for (int i = 1; i < 6; ++i)
        dot(p, {band.left() + band.width() * i / 6.0, band.center().y()}, 0.9, lit(c, 0.55));
    if (look.has("thinking"))
        ball(p, ellipse(QPointF(cx, band.center().y()), 3, 3), QColor(60, 120, 230), 0.6);
    dot(p, {cx, b.y(0.25)}, 1.6, metalCap ? lit(c, 0.3) : kBrass);
    shine(p, {x0 + b.w() * 0.12, b.y(0.5)}, {cx - b.w() * 0.12, b.y(0.3)}, metalCap ? 170 : 90);
}

void crown(QPainter& p, const Box& b0, const ItemLook& look)
{
    Box b = b0;
    QColor gold = look.main;
    if (look.has("old")) gold = mix(gold, QColor(130, 110, 80), 0.35);
    if (look.has("skull")) {
        skull(p, b0.at(0.5, 0.7), b0.w() * 0.58, kBone);
        b = Box{b0.rect(0.08, 0.0, 0.92, 0.52)};
        gold = mix(gold, kBone, 0.2);
    }
    const qreal bandTop = b.y(0.55), bandBottom = b.y(0.88);
    QList<QPointF> pts{b.at(0.06, 0.88), b.at(0.06, 0.3)};
    const int points = 5;
    for (int i = 0; i < points; ++i) {
        const qreal fx = 0.06 + 0.88 * (i + 0.5) / points;
        pts << b.at(fx - 0.88 / points / 2, 0.55);
        pts << b.at(fx, i % 2 ? 0.22 : 0.08);
    }
    pts.removeAt(2);
    pts << b.at(0.94, 0.3) << b.at(0.94, 0.88);
    QPainterPath body = fromPolygon(pts);
    metal(p, body, gold, 1.0);
    metal(p, rectPath(QRectF(b.x(0.05), bandTop, b.w() * 0.9, bandBottom - bandTop)), dim(gold, 0.1), 0.8);
    for (int i = 0; i < points; ++i) {
        const qreal fx = 0.06 + 0.88 * (i + 0.5) / points;
        ball(p, ellipse(b.at(fx, i % 2 ? 0.2 : 0.07), 2.0, 2.0), QColor(240, 236, 220), 0.6);
    }
    const QColor gems[] = {look.accent, QColor(40, 90, 220), look.accent};
    for (int i = 0; i < 3; ++i) {
        const QPointF c = b.at(0.25 + 0.25 * i, (0.55 + 0.88) / 2);
        ball(p, ellipse(c, i == 1 ? 3.2 : 2.3, i == 1 ? 3.2 : 2.3), gems[i], 0.6);
    }
}

void circlet(QPainter& p, const Box& b, const ItemLook& look)
{
    const QRectF outer = b.rect(0.04, 0.34, 0.96, 0.82);
    QPainterPath ring = ellipse(outer);
    ring.addEllipse(outer.adjusted(4, 3.5, -4, -3));
    ring.setFillRule(Qt::OddEvenFill);
    metal(p, ring, look.main, 0.9);
    // a raised ornament at the front holding the stone
    const QPointF c = b.at(0.5, 0.72);
    metal(p, polygon({c + QPointF(-9, 1), c + QPointF(0, -12), c + QPointF(9, 1), c + QPointF(0, 6)}),
          look.main, 0.9);
    ball(p, ellipse(c + QPointF(0, -2), 3.6, 4.2), look.accent, 0.7);
    dot(p, c + QPointF(-1.2, -3.5), 0.9, QColor(255, 255, 255, 220));
    if (look.has("royal"))
        for (int side : {-1, 1})
            ball(p, ellipse(c + QPointF(side * 13, -1), 2.0, 2.0), QColor(60, 110, 230), 0.6);
}

void jesterHat(QPainter& p, const Box& b, const ItemLook& look)
{
    const QColor colours[] = {look.main, look.accent, look.main};
    const QPointF tips[] = {b.at(0.06, 0.42), b.at(0.5, 0.04), b.at(0.94, 0.42)};
    for (int i : {0, 2, 1}) {
        QPainterPath lobe;
        const qreal fx0 = 0.18 + i * 0.2, fx1 = fx0 + 0.28;
        lobe.moveTo(b.at(fx0, 0.72));
        lobe.quadTo(b.at(fx0 - (i == 0 ? 0.1 : 0.02), 0.3), tips[i]);
        lobe.quadTo(b.at(fx1 + (i == 2 ? 0.1 : 0.02), 0.34), b.at(fx1, 0.72));
        lobe.closeSubpath();
        part(p, lobe, colours[i], 0.9);
    }
    const QRectF band = b.rect(0.12, 0.66, 0.88, 0.86);
    part(p, roundRect(band, 2), QColor(110, 50, 150), 0.8);
    for (int i = 0; i < 4; ++i)
        part(p,
             polygon({QPointF(band.left() + band.width() * (i + 0.5) / 4, band.top() + 1),
                      QPointF(band.left() + band.width() * (i + 0.5) / 4 + 3, band.center().y()),
                      QPointF(band.left() + band.width() * (i + 0.5) / 4, band.bottom() - 1),
                      QPointF(band.left() + band.width() * (i + 0.5) / 4 - 3, band.center().y())}),
             kGold, 0.5);
    for (const QPointF& t : tips)
        ball(p, ellipse(t, 3, 3), kGold, 0.7);
}

void mask(QPainter& p, const Box& b, const ItemLook& look)
{
    const bool demon = look.has("demon");
    const qreal cx = b.cx();
    if (demon) {
        for (int side : {-1, 1}) {
            QPainterPath horn;
            horn.moveTo(cx + side * b.w() * 0.16, b.y(0.2));
            horn.quadTo(cx + side * b.w() * 0.45, b.y(0.18), cx + side * b.w() * 0.44, b.y(0.0));
            horn.quadTo(cx + side * b.w() * 0.36, b.y(0.2), cx + side * b.w() * 0.26, b.y(0.32));
            horn.closeSubpath();
            part(p, horn, QColor(60, 50, 46), 0.8);
        }
    }
    QPainterPath face;
    face.moveTo(cx, b.y(0.08));
    face.cubicTo(b.x(0.92), b.y(0.08), b.x(0.86), b.y(0.66), cx + b.w() * 0.12, b.y(0.94));
    face.lineTo(cx - b.w() * 0.12, b.y(0.94));
    face.cubicTo(b.x(0.14), b.y(0.66), b.x(0.08), b.y(0.08), cx, b.y(0.08));
    metal(p, face, look.main, 1.0);
    line(p, {cx, b.y(0.16)}, {cx, b.y(0.62)}, lit(look.main, 0.45), 1.0);
    for (int side : {-1, 1}) {
        QPainterPath eye;
        const qreal ex = cx + side * b.w() * 0.17;
        eye.moveTo(ex - side * b.w() * 0.1, b.y(demon ? 0.36 : 0.4));
        eye.quadTo(ex, b.y(0.33), ex + side * b.w() * 0.12, b.y(demon ? 0.44 : 0.4));
        eye.quadTo(ex, b.y(0.49), ex - side * b.w() * 0.1, b.y(demon ? 0.36 : 0.4));
        fill(p, eye, kHole);
        if (demon) dot(p, {ex, b.y(0.42)}, 1.3, QColor(240, 60, 30));
    }
    fill(p, rectPath(QRectF(cx - b.w() * 0.14, b.y(0.72), b.w() * 0.28, 2.5)), kHole);
    if (demon)
        for (int side : {-1, 1})
            part(p,
                 polygon({{cx + side * b.w() * 0.1, b.y(0.72)},
                          {cx + side * b.w() * 0.06, b.y(0.84)},
                          {cx + side * b.w() * 0.03, b.y(0.72)}}),
                 kBone, 0.5);
    for (int side : {-1, 1})
        dot(p, {cx + side * b.w() * 0.3, b.y(0.22)}, 1.0, lit(look.main, 0.5));
}

QPainterPath torso(const Box& b, bool robe, bool sleeveless)
{
    QPainterPath path;
    path.moveTo(b.at(0.36, 0.03));
    path.quadTo(b.at(0.5, 0.16), b.at(0.64, 0.03));
    if (sleeveless) {
        path.lineTo(b.at(0.8, 0.06));
        path.quadTo(b.at(0.72, 0.22), b.at(0.84, 0.36));
        path.lineTo(b.at(0.8, 0.96));
        path.lineTo(b.at(0.2, 0.96));
        path.lineTo(b.at(0.16, 0.36));
        path.quadTo(b.at(0.28, 0.22), b.at(0.2, 0.06));
    } else if (robe) {
        path.lineTo(b.at(0.84, 0.06));
        path.quadTo(b.at(1.0, 0.1), b.at(1.0, 0.56));
        path.lineTo(b.at(0.78, 0.58));
        path.lineTo(b.at(0.76, 0.3));
        path.lineTo(b.at(0.74, 0.5));
        path.lineTo(b.at(0.94, 0.98));
        path.lineTo(b.at(0.06, 0.98));
        path.lineTo(b.at(0.26, 0.5));
        path.lineTo(b.at(0.24, 0.3));
        path.lineTo(b.at(0.22, 0.58));
        path.lineTo(b.at(0.0, 0.56));
        path.quadTo(b.at(0.0, 0.1), b.at(0.16, 0.06));
    } else {
        path.lineTo(b.at(0.86, 0.07));
        path.quadTo(b.at(1.0, 0.1), b.at(1.0, 0.44));
        path.lineTo(b.at(0.82, 0.46));
        path.lineTo(b.at(0.78, 0.3));
        path.lineTo(b.at(0.76, 0.62));
        path.lineTo(b.at(0.8, 0.97));
        path.lineTo(b.at(0.2, 0.97));
        path.lineTo(b.at(0.24, 0.62));
        path.lineTo(b.at(0.22, 0.3));
        path.lineTo(b.at(0.18, 0.46));
        path.lineTo(b.at(0.0, 0.44));
        path.quadTo(b.at(0.0, 0.1), b.at(0.14, 0.07));
    }
    path.closeSubpath();
    return path;
}

void armour(QPainter& p, const Box& b, const ItemLook& look)
{
    const bool robe = look.has("robe");
    const bool plate = look.hasAny({"plate", "breastplate"}) ||
                       (look.hasAny({"armor", "armour"}) &&
                        !look.hasAny({"leather", "studded", "quilted", "padded", "chain"}));
    const bool sleeveless = look.hasAny({"breast", "breastplate"});
    const bool chainMail = (look.hasAny({"chain", "ring", "woven"}) ||
                            (look.has("mail") && !look.hasAny({"scale", "splint"}))) &&
                           !look.hasAny({"plate", "breastplate"});
    const bool scales = look.hasAny({"scale", "splint"});
    const bool leather = look.hasAny({"leather", "studded", "shirt"});
    const bool cloth = look.hasAny({"quilted", "padded", "rags"});
    QColor c = look.main;
    const QPainterPath body = torso(b, robe, sleeveless);
    if (plate || chainMail || scales)
        metal(p, body, c, 1.0);
    else
        part(p, body, c, 1.0);

    p.save();
    p.setClipPath(body);
    if (chainMail) {
        for (qreal y = b.r.top() + 1; y < b.r.bottom(); y += 2.5) {
            const int row = int((y - b.r.top()) / 2.5);
            for (qreal x = b.r.left() + (row % 2 ? 1.5 : 0.25); x < b.r.right(); x += 3) {
                dot(p, {x, y}, 0.7, dim(c, 0.45));
                dot(p, {x + 0.8, y - 0.6}, 0.45, lit(c, 0.5));
            }
        }
    } else if (scales) {
        const bool splint = look.has("splint");
        if (splint) {
            for (qreal x = b.r.left() + 2; x < b.r.right(); x += 4)
                line(p, {x, b.y(0.2)}, {x, b.r.bottom()}, dim(c, 0.35), 1.0);
            for (qreal y = b.y(0.3); y < b.r.bottom(); y += 7)
                line(p, {b.r.left(), y}, {b.r.right(), y}, dim(c, 0.5), 1.0);
        } else {
            for (qreal y = b.y(0.1); y < b.r.bottom() + 5; y += 5) {
                const int row = int((y - b.y(0.1)) / 5);
                for (qreal x = b.r.left() + (row % 2 ? 3.5 : 0); x < b.r.right() + 7; x += 7) {
                    QPainterPath scale(QPointF(x - 3.5, y));
                    scale.cubicTo(x - 3.5, y + 4.5, x + 3.5, y + 4.5, x + 3.5, y);
                    part(p, scale, c, 0);
                    stroke(p, scale, dim(c, 0.55), 1.0);
                    line(p, {x - 2, y + 1.5}, {x - 1, y + 2.5}, lit(c, 0.6), 1.0);
                }
            }
        }
    } else if (leather) {
        for (qreal f : {0.32, 0.68}) {
            QPen pen(lit(c, 0.3), 1.0, Qt::DashLine);
            p.setPen(pen);
            p.drawLine(b.at(f, 0.14), b.at(f + (f < 0.5 ? -0.04 : 0.04), 0.95));
        }
        if (look.has("studded") || look.has("hard"))
            for (qreal y = b.y(0.2); y < b.y(0.92); y += 6)
                for (qreal x = b.x(0.3); x < b.x(0.72); x += 6) {
                    dot(p, {x, y}, 1.2, dim(QColor(190, 190, 196), 0.3));
                    dot(p, {x - 0.3, y - 0.3}, 0.5, QColor(240, 240, 240));
                }
        if (look.has("shirt"))
            for (int i = 0; i < 3; ++i)
                line(p, b.at(0.45, 0.12 + 0.06 * i), b.at(0.55, 0.15 + 0.06 * i), QColor(230, 210, 170), 1.0);
    } else if (cloth) {
        if (look.has("rags")) {
            part(p, rectPath(b.rect(0.3, 0.4, 0.48, 0.56)), dim(c, 0.25), 0.6);
            part(p, rectPath(b.rect(0.56, 0.18, 0.7, 0.3)), mix(c, QColor(140, 120, 80), 0.5), 0.6);
            fill(p, ellipse(b.at(0.62, 0.7), 2, 1.5), kHole);
        } else {
            for (qreal d = -b.h(); d < b.h() + b.w(); d += 6) {
                line(p, {b.r.left() + d, b.r.top()}, {b.r.left() + d - b.h(), b.r.bottom()}, dim(c, 0.3),
                     1.0);
                line(p, {b.r.left() + d - b.h(), b.r.top()}, {b.r.left() + d, b.r.bottom()}, dim(c, 0.3),
                     1.0);
            }
        }
    } else if (robe) {
        for (qreal f : {0.38, 0.5, 0.62})
            line(p, b.at(f, 0.55), b.at(0.5 + (f - 0.5) * 2.6, 0.98), dim(c, 0.35), 1.0);
    }
    if (plate) {
        // lames over the belly and a ridge down the chest
        for (qreal y = b.y(0.66); y < b.r.bottom(); y += std::max(4.0, b.h() * 0.06)) {
            line(p, {b.r.left(), y}, {b.r.right(), y}, dim(c, 0.55), 1.0);
            line(p, {b.r.left(), y + 1}, {b.r.right(), y + 1}, lit(c, 0.35), 1.0);
        }
        line(p, b.at(0.5, 0.16), b.at(0.5, 0.58), lit(c, 0.5), 1.0);
        if (look.has("gothic"))
            for (qreal f : {0.36, 0.64})
                line(p, b.at(0.5, 0.2), b.at(f, 0.58), dim(c, 0.35), 1.0);
    }
    p.restore();

    if (look.has("bone"))
        for (int i = 0; i < 4; ++i) {
            QPainterPath rib(b.at(0.3, 0.22 + 0.1 * i));
            rib.quadTo(b.at(0.5, 0.3 + 0.1 * i), b.at(0.7, 0.22 + 0.1 * i));
            stroke(p, rib, dim(kBone, 0.5), 3.0);
            stroke(p, rib, kBone, 1.8);
        }
    if (plate && !sleeveless) {
        for (int side : {-1, 1}) {
            const QRectF pauldron(side < 0 ? b.x(-0.02) : b.x(0.66), b.y(0.02), b.w() * 0.36,
                                  b.h() * (b.h() > b.w() * 1.2 ? 0.2 : 0.28));
            QPainterPath shape;
            shape.moveTo(pauldron.left(), pauldron.bottom());
            shape.cubicTo(pauldron.left(), pauldron.top(), pauldron.right(), pauldron.top(), pauldron.right(),
                          pauldron.bottom());
            shape.quadTo(pauldron.center().x(), pauldron.bottom() - 3, pauldron.left(), pauldron.bottom());
            metal(p, shape, lit(c, 0.08), 0.9);
            line(p, {pauldron.left() + 3, pauldron.bottom() - 4},
                 {pauldron.right() - 3, pauldron.bottom() - 4}, dim(c, 0.4), 1.0);
        }
    }
    if (look.has("demon")) skull(p, b.at(0.5, 0.38), b.w() * 0.22, QColor(210, 190, 150));
    if (look.has("bovine")) {
        for (int side : {-1, 1})
            spike(p, b.at(0.5 + side * 0.14, 0.24), side < 0 ? 200 : -20, b.w() * 0.18, 4, kBone);
    }
    // a belt at the waist
    if (!cloth || !look.has("rags")) {
        const QRectF belt(b.x(robe ? 0.25 : 0.22), b.y(robe ? 0.5 : 0.6), b.w() * (robe ? 0.5 : 0.56),
                          std::max(3.0, b.h() * 0.05));
        part(p, rectPath(belt), robe ? look.accent : QColor(90, 56, 30), 0.8);
        metal(p, rectPath(QRectF(belt.center().x() - 2.5, belt.top() - 0.5, 5, belt.height() + 1)), kBrass,
              0.6);
    } else {
        QList<QPointF> hem;
        for (int i = 0; i <= 8; ++i)
            hem << b.at(0.2 + 0.6 * i / 8.0, i % 2 ? 0.9 : 0.99);
        QPainterPath cut = fromPolygon(hem);
        fill(p, cut, QColor(0, 0, 0, 0));
    }
    if (robe) {
        stroke(p, torso(b, robe, false), QColor(0, 0, 0, 0), 0);
        line(p, b.at(0.07, 0.97), b.at(0.93, 0.97), look.accent, 1.5);
    }
}

void cloak(QPainter& p, const Box& b, const ItemLook& look)
{
    const bool cape = look.has("cape");
    const qreal hem = cape ? 0.84 : 0.97;
    // the hood, seen behind the shoulders
    part(p, ellipse(b.rect(0.26, 0.0, 0.74, 0.22)), dim(look.main, 0.3), 0.8);
    QPainterPath body;
    body.moveTo(b.at(0.5, 0.08));
    body.quadTo(b.at(0.16, 0.08), b.at(0.12, 0.2));
    body.cubicTo(b.at(0.0, 0.5), b.at(0.02, 0.8), b.at(0.0, hem));
    for (int i = 1; i <= 4; ++i)
        body.quadTo(b.at(0.25 * i - 0.125, hem + (i % 2 ? 0.03 : -0.03)), b.at(0.25 * i, hem));
    body.cubicTo(b.at(0.98, 0.8), b.at(1.0, 0.5), b.at(0.88, 0.2));
    body.quadTo(b.at(0.84, 0.08), b.at(0.5, 0.08));
    part(p, body, look.main, 1.0);
    // lining at the opening
    QPainterPath opening;
    opening.moveTo(b.at(0.46, 0.12));
    opening.quadTo(b.at(0.38, 0.6), b.at(0.36, hem));
    opening.lineTo(b.at(0.64, hem));
    opening.quadTo(b.at(0.62, 0.6), b.at(0.54, 0.12));
    opening.closeSubpath();
    part(p, opening, mix(look.main, QColor(30, 20, 20), 0.6), 0.8);
    for (qreal f : {0.2, 0.8}) {
        QPainterPath fold(b.at(f, 0.3));
        fold.quadTo(b.at(f + (f < 0.5 ? -0.04 : 0.04), 0.6), b.at(f + (f < 0.5 ? -0.06 : 0.06), hem - 0.02));
        stroke(p, fold, dim(look.main, 0.4), 1.0);
    }
    line(p, b.at(0.02, hem - 0.01), b.at(0.98, hem - 0.01), look.accent, 1.0);
    ball(p, ellipse(b.at(0.5, 0.12), 3.0, 3.0), look.accent, 0.7);
}

// ---- jewellery -----------------------------------------------------------------------------------

void gemStone(QPainter& p, QPointF c, qreal rx, qreal ry, const QColor& colour, const QColor& setting)
{
    ball(p, ellipse(c, rx + 1.2, ry + 1.2), setting, 0.6);
    ball(p, ellipse(c, rx, ry), colour, 0.6);
    dot(p, c + QPointF(-rx * 0.35, -ry * 0.4), std::max(0.7, rx * 0.25), QColor(255, 255, 255, 230));
}

void ring(QPainter& p, const Box& b, const ItemLook& look)
{
    const bool thick = look.hasAny({"thick", "band", "constricting"});
    const bool gem = !look.hasAny({"band"}) && !(look.has("thick") && look.has("gold"));
    QRectF outer = b.rect(0.08, gem ? 0.3 : 0.18, 0.92, gem ? 0.96 : 0.9);
    const qreal t = std::max(3.0, b.w() * (thick ? 0.2 : 0.14));
    QPainterPath band = ellipse(outer);
    band.addEllipse(outer.adjusted(t, t * 0.8, -t, -t * 0.8));
    band.setFillRule(Qt::OddEvenFill);
    // the inside of the far side of the band is in shadow
    p.save();
    p.setClipPath(band);
    metal(p, band, look.main, 1.0);
    if (look.has("silver") && look.has("gold")) {
        p.setClipRect(QRectF(outer.left() - 1, outer.center().y(), outer.width() + 2, outer.height()));
        metal(p, band, QColor(206, 212, 220), 1.0);
    }
    p.restore();
    if (thick) {
        QPainterPath groove = ellipse(outer.adjusted(t / 2, t * 0.4, -t / 2, -t * 0.4));
        stroke(p, groove, dim(look.main, 0.45), 1.0);
    }
    if (look.has("thorny"))
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * 45.0 + 20;
            const QPointF on(outer.center().x() + std::cos(qDegreesToRadians(a)) * outer.width() / 2,
                             outer.center().y() + std::sin(qDegreesToRadians(a)) * outer.height() / 2);
            spike(p, on, a, 2.5, 2, QColor(90, 140, 60));
        }
    if (look.has("studded")) {
        for (qreal f : {0.25, 0.5, 0.75})
            gemStone(
                p, QPointF(outer.left() + outer.width() * f, outer.bottom() - t * 0.5 - (f == 0.5 ? 0 : 1.5)),
                1.6, 1.6, look.accent, look.main);
    }
    if (gem) {
        const bool big = look.hasAny({"engagement", "ruby", "studded", "magma"});
        const QPointF c(b.cx(), outer.top() + 1);
        const qreal r = b.w() * (big ? 0.2 : 0.16);
        QColor stone = look.has("engagement") ? QColor(230, 240, 255) : look.accent;
        // claws of the setting
        for (int side : {-1, 1})
            spike(p, c + QPointF(side * r * 0.8, r * 0.6), side < 0 ? -120 : -60, r * 1.2, 2.4, look.main);
        gemStone(p, c, r, r * 0.9, stone, look.main);
    }
}

void amulet(QPainter& p, const Box& b, const ItemLook& look)
{
    const bool brooch = look.has("brooch");
    QColor metalColour = look.main;
    if (look.hasAny({"black", "ruby", "sapphire", "pentagram", "eye"}) && !look.hasAny({"silver", "steel"}))
        metalColour = kGold;
    const qreal r = b.w() * (brooch ? 0.34 : 0.24);
    const QPointF c = brooch ? b.at(0.5, 0.54) : b.at(0.5, 0.7);
    if (!brooch) {
        const QPointF clasp = c - QPointF(0, r + 1);
        chain(p, b.at(0.12, 0.02), b.at(0.1, 0.5), clasp,
              look.hasAny({"silver", "steel"}) ? QColor(200, 206, 214) : kGold, 1.6);
        chain(p, b.at(0.88, 0.02), b.at(0.9, 0.5), clasp,
              look.hasAny({"silver", "steel"}) ? QColor(200, 206, 214) : kGold, 1.6);
    }
    if (look.has("ankh")) {
        QPainterPath ankh = ellipse(QPointF(c.x(), c.y() - r * 0.55), r * 0.45, r * 0.55);
        ankh.addEllipse(QPointF(c.x(), c.y() - r * 0.55), r * 0.2, r * 0.3);
        ankh.setFillRule(Qt::OddEvenFill);
        QPainterPath bars;
        bars.addRect(QRectF(c.x() - r * 0.8, c.y() - 0.5, r * 1.6, 2.5));
        bars.addRect(QRectF(c.x() - 1.2, c.y(), 2.4, r * 1.2));
        metal(p, bars.united(ankh), metalColour, 0.8);
    } else if (look.has("star")) {
        metal(p, starPath(c, 6, r * 1.1, r * 1.1, r * 0.55, r * 0.55), metalColour, 0.8);
        gemStone(p, c, 1.6, 1.6, QColor(60, 120, 230), metalColour);
    } else if (look.has("pentagram")) {
        QPainterPath disc = ellipse(c, r, r);
        ball(p, disc, QColor(60, 30, 40), 0.8);
        QPainterPath star;
        for (int i = 0; i <= 5; ++i) {
            const qreal a = qDegreesToRadians(-90 + i * 144.0);
            const QPointF pt = c + QPointF(std::cos(a), std::sin(a)) * r * 0.82;
            if (i == 0)
                star.moveTo(pt);
            else
                star.lineTo(pt);
        }
        stroke(p, star, QColor(240, 60, 40), 1.0);
        stroke(p, ellipse(c, r, r), metalColour, 1.4);
    } else if (look.has("flower")) {
        for (int i = 0; i < 5; ++i) {
            const qreal a = qDegreesToRadians(-90 + i * 72.0);
            ball(p, ellipse(c + QPointF(std::cos(a), std::sin(a)) * r * 0.6, r * 0.45, r * 0.45), metalColour,
                 0.6);
        }
        gemStone(p, c, 1.8, 1.8, QColor(120, 200, 255), metalColour);
    } else if (look.has("bug")) {
        for (int side : {-1, 1})
            for (int i = 0; i < 3; ++i)
                line(p, c + QPointF(side * r * 0.3, (i - 1) * r * 0.35),
                     c + QPointF(side * r * 1.0, (i - 1) * r * 0.55), QColor(60, 40, 30), 1.0);
        ball(p, ellipse(c + QPointF(0, -r * 0.75), r * 0.35, r * 0.3), QColor(60, 50, 40), 0.6);
        QPainterPath shell = ellipse(c + QPointF(0, r * 0.1), r * 0.65, r * 0.85);
        ball(p, shell, QColor(40, 150, 110), 0.8);
        line(p, c + QPointF(0, -r * 0.6), c + QPointF(0, r * 0.9), dim(QColor(40, 150, 110), 0.6), 1.0);
        line(p, c + QPointF(-r * 1.1, -r * 1.0), c + QPointF(r * 1.1, -r * 1.0), QColor(200, 206, 214), 1.0);
    } else if (look.has("eye")) {
        ball(p, ellipse(c, r, r), metalColour, 0.8);
        QPainterPath eye(c + QPointF(-r * 0.8, 0));
        eye.quadTo(c + QPointF(0, -r * 0.9), c + QPointF(r * 0.8, 0));
        eye.quadTo(c + QPointF(0, r * 0.9), c + QPointF(-r * 0.8, 0));
        fill(p, eye, QColor(240, 236, 226));
        dot(p, c, r * 0.35, QColor(40, 120, 200));
        dot(p, c, r * 0.15, kHole);
    } else if (look.has("black") || look.has("pendant")) {
        QPainterPath drop(c + QPointF(0, -r * 1.1));
        drop.cubicTo(c + QPointF(r * 1.2, r * 0.1), c + QPointF(r * 0.6, r * 1.1), c + QPointF(0, r * 1.1));
        drop.cubicTo(c + QPointF(-r * 0.6, r * 1.1), c + QPointF(-r * 1.2, r * 0.1),
                     c + QPointF(0, -r * 1.1));
        ball(p, drop, look.accent.lightness() < 100 ? look.accent : QColor(60, 60, 80), 0.8);
        dot(p, c + QPointF(-r * 0.3, -r * 0.1), 1.0, QColor(255, 255, 255, 200));
        metal(p, roundRect(QRectF(c.x() - 2, c.y() - r * 1.3, 4, 3), 1), metalColour, 0.6);
    } else {
        ball(p, ellipse(c, r, r), metalColour, 0.9);
        const qreal g = r * (look.hasAny({"ruby", "sapphire", "enclosed"}) ? 0.65 : 0.5);
        gemStone(p, c, g, g * 1.1, look.accent, lit(metalColour, 0.1));
    }
}

void bracer(QPainter& p, const Box& b, const ItemLook& look)
{
    const QColor leather = QColor(140, 94, 56);
    const QRectF body = b.rect(0.2, 0.12, 0.8, 0.92);
    QPainterPath shape;
    shape.moveTo(body.topLeft());
    shape.quadTo(body.center().x(), body.top() + 3, body.right(), body.top());
    shape.lineTo(body.right() - 1, body.bottom());
    shape.quadTo(body.center().x(), body.bottom() + 3, body.left() + 1, body.bottom());
    shape.closeSubpath();
    part(p, shape, leather, 1.0);
    fill(p, ellipse(QRectF(body.left() + 1, body.top() - 1.5, body.width() - 2, 4)), QColor(50, 30, 20));
    for (qreal f : {0.25, 0.52, 0.8}) {
        const qreal y = body.top() + body.height() * f;
        QPainterPath strip;
        strip.moveTo(body.left(), y);
        strip.quadTo(body.center().x(), y + 3, body.right(), y);
        strip.lineTo(body.right(), y + 3);
        strip.quadTo(body.center().x(), y + 6, body.left(), y + 3);
        strip.closeSubpath();
        part(p, strip, look.accent, 0.6);
    }
}

// ---- potions and containers ----------------------------------------------------------------------

void liquid(QPainter& p, const QPainterPath& vessel, qreal level, const QColor& c, bool rainbow)
{
    p.save();
    p.setClipPath(vessel);
    const QRectF r = vessel.boundingRect();
    const QRectF fillRect(r.left() - 1, level, r.width() + 2, r.bottom() - level + 1);
    if (rainbow) {
        const QColor bands[] = {{220, 40, 40}, {240, 150, 30}, {230, 220, 50},
                                {50, 180, 60}, {50, 100, 230}, {150, 60, 200}};
        const qreal h = fillRect.height() / 6;
        for (int i = 0; i < 6; ++i)
            fill(p, rectPath(QRectF(fillRect.left(), level + i * h, fillRect.width(), h + 0.5)), bands[i]);
    } else {
        QLinearGradient g(QPointF(r.left(), 0), QPointF(r.right(), 0));
        g.setColorAt(0, lit(c, 0.3));
        g.setColorAt(0.5, c);
        g.setColorAt(1, dim(c, 0.45));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRect(fillRect);
    }
    line(p, {r.left(), level + 0.5}, {r.right(), level + 0.5}, lit(rainbow ? QColor(220, 40, 40) : c, 0.45),
         1.0);
    p.restore();
}

void glass(QPainter& p, const QPainterPath& vessel, const QColor& tint)
{
    fill(p, vessel, QColor(tint.red() / 4 + 20, tint.green() / 4 + 22, tint.blue() / 4 + 26, 235));
}

void glassEdge(QPainter& p, const QPainterPath& vessel, const QColor& tint)
{
    stroke(p, vessel, QColor(tint.red(), tint.green(), tint.blue(), 150), 1.0);
}

void cork(QPainter& p, const QRectF& r)
{
    part(p, roundRect(r, 1), QColor(170, 120, 70), 0.6);
}

void potion(QPainter& p, const Box& b, const ItemLook& look)
{
    const bool full = look.has("full");
    const qreal r = std::min(b.w(), b.h()) * (full ? 0.39 : 0.35);
    const QPointF c(b.cx(), b.r.bottom() - r);
    const qreal nw = b.w() * 0.24;
    QPainterPath vessel = ellipse(c, r, r);
    vessel.addRect(QRectF(c.x() - nw / 2, b.y(0.12), nw, c.y() - r - b.y(0.12) + 3));
    vessel = vessel.simplified();
    glass(p, vessel, look.main);
    liquid(p, ellipse(c, r - 0.5, r - 0.5), full ? c.y() - r * 0.7 : c.y() - r * 0.2, look.accent,
           look.has("rainbow"));
    glassEdge(p, vessel, look.main);
    QPainterPath glint(c + QPointF(-r * 0.7, -r * 0.1));
    glint.quadTo(c + QPointF(-r * 0.62, -r * 0.62), c + QPointF(-r * 0.1, -r * 0.72));
    stroke(p, glint, QColor(255, 255, 255, 190), 1.0);
    part(p, roundRect(QRectF(c.x() - nw / 2 - 1.5, b.y(0.12), nw + 3, 2.5), 1), lit(look.main, 0.2), 0.5);
    cork(p, QRectF(c.x() - nw * 0.4, b.y(0.0), nw * 0.8, b.h() * 0.14));
    if (full) metal(p, rectPath(QRectF(c.x() - nw / 2, c.y() - r - 1, nw, 2)), kGold, 0.5);
}

void elixir(QPainter& p, const Box& b, const ItemLook& look)
{
    const QRectF body = b.rect(0.22, 0.4, 0.78, 1.0);
    const qreal nw = b.w() * 0.22;
    QPainterPath vessel;
    vessel.moveTo(b.cx() - nw / 2, b.y(0.14));
    vessel.lineTo(b.cx() - nw / 2, b.y(0.28));
    vessel.quadTo(body.left(), b.y(0.3), body.left(), body.top() + 2);
    vessel.lineTo(body.left(), body.bottom() - 3);
    vessel.quadTo(body.left(), body.bottom(), body.left() + 3, body.bottom());
    vessel.lineTo(body.right() - 3, body.bottom());
    vessel.quadTo(body.right(), body.bottom(), body.right(), body.bottom() - 3);
    vessel.lineTo(body.right(), body.top() + 2);
    vessel.quadTo(body.right(), b.y(0.3), b.cx() + nw / 2, b.y(0.28));
    vessel.lineTo(b.cx() + nw / 2, b.y(0.14));
    vessel.closeSubpath();
    glass(p, vessel, look.main);
    liquid(p, vessel, b.y(0.46), look.accent, look.has("rainbow"));
    if (look.has("spectral")) {
        p.save();
        p.setClipPath(vessel);
        for (int i = 0; i < 4; ++i)
            dot(p, b.at(0.35 + 0.1 * i, 0.6 + 0.09 * (i % 3)), 1.0, QColor(255, 255, 255, 200));
        p.restore();
    }
    glassEdge(p, vessel, look.main);
    line(p, {body.left() + 2, body.top() + 3}, {body.left() + 2, body.bottom() - 4},
         QColor(255, 255, 255, 170), 1.0);
    part(p, roundRect(QRectF(b.cx() - nw / 2 - 1.5, b.y(0.12), nw + 3, 2.5), 1), lit(look.main, 0.2), 0.5);
    cork(p, QRectF(b.cx() - nw * 0.4, b.y(0.0), nw * 0.8, b.h() * 0.14));
}

void vial(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal w = b.w() * (look.has("large") ? 0.42 : 0.28);
    const QRectF tube(b.cx() - w / 2, b.y(0.16), w, b.h() * 0.82);
    QPainterPath vessel;
    vessel.moveTo(tube.topLeft());
    vessel.lineTo(tube.left(), tube.bottom() - w / 2);
    vessel.arcTo(QRectF(tube.left(), tube.bottom() - w, w, w), 180, 180);
    vessel.lineTo(tube.topRight());
    vessel.closeSubpath();
    glass(p, vessel, look.main);
    const QColor contents = look.accent.lightness() < 60 ? QColor(50, 40, 60) : look.accent;
    liquid(p, vessel, b.y(0.36), contents, false);
    glassEdge(p, vessel, look.main);
    line(p, {tube.left() + 1.5, tube.top() + 3}, {tube.left() + 1.5, tube.bottom() - w * 0.6},
         QColor(255, 255, 255, 170), 1.0);
    part(p, roundRect(QRectF(tube.left() - 1.5, tube.top() - 1, w + 3, 2.5), 1), lit(look.main, 0.2), 0.5);
    cork(p, QRectF(b.cx() - w * 0.4, b.y(0.0), w * 0.8, b.h() * 0.16));
}

void bottle(QPainter& p, const Box& b, const ItemLook& look)
{
    const QRectF body = b.rect(0.14, 0.42, 0.86, 1.0);
    const qreal nw = b.w() * 0.26;
    QPainterPath vessel;
    vessel.moveTo(b.cx() - nw / 2, b.y(0.08));
    vessel.lineTo(b.cx() - nw / 2, b.y(0.26));
    vessel.cubicTo(b.cx() - nw / 2, b.y(0.34), body.left(), b.y(0.34), body.left(), body.top());
    vessel.lineTo(body.left(), body.bottom() - 3);
    vessel.quadTo(body.left(), body.bottom(), body.left() + 3, body.bottom());
    vessel.lineTo(body.right() - 3, body.bottom());
    vessel.quadTo(body.right(), body.bottom(), body.right(), body.bottom() - 3);
    vessel.lineTo(body.right(), body.top());
    vessel.cubicTo(body.right(), b.y(0.34), b.cx() + nw / 2, b.y(0.34), b.cx() + nw / 2, b.y(0.26));
    vessel.lineTo(b.cx() + nw / 2, b.y(0.08));
    vessel.closeSubpath();
    const QColor glassColour(60, 110, 60);
    part(p, vessel, glassColour, 1.0);
    liquid(p, vessel, b.y(0.48), mix(look.accent, glassColour, 0.3), false);
    stroke(p, vessel, dim(glassColour, 0.5), 1.0);
    part(p, rectPath(QRectF(body.left() + 1, b.y(0.6), body.width() - 2, b.h() * 0.2)), kParchment, 0.6);
    line(p, b.at(0.3, 0.68), b.at(0.7, 0.68), dim(kParchment, 0.5), 1.0);
    line(p, b.at(0.3, 0.73), b.at(0.62, 0.73), dim(kParchment, 0.5), 1.0);
    line(p, {body.left() + 2, body.top() + 2}, {body.left() + 2, b.y(0.58)}, QColor(255, 255, 255, 150), 1.0);
    cork(p, QRectF(b.cx() - nw * 0.45, b.y(0.0), nw * 0.9, b.h() * 0.1));
}

void cup(QPainter& p, const Box& b, const ItemLook& look)
{
    QPainterPath bowl;
    bowl.moveTo(b.at(0.14, 0.1));
    bowl.lineTo(b.at(0.86, 0.1));
    bowl.cubicTo(b.at(0.86, 0.42), b.at(0.7, 0.54), b.at(0.5, 0.54));
    bowl.cubicTo(b.at(0.3, 0.54), b.at(0.14, 0.42), b.at(0.14, 0.1));
    metal(p, bowl, look.main, 1.0);
    fill(p, ellipse(b.rect(0.17, 0.06, 0.83, 0.16)), dim(look.main, 0.55));
    metal(p, rectPath(b.rect(0.45, 0.52, 0.55, 0.82)), look.main, 0.8);
    ball(p, ellipse(b.at(0.5, 0.66), b.w() * 0.09, b.w() * 0.07), look.main, 0.6);
    metal(p, ellipse(b.rect(0.22, 0.8, 0.78, 0.96)), look.main, 0.8);
    gemStone(p, b.at(0.5, 0.3), 2.0, 2.0, QColor(200, 30, 40), look.main);
}

// ---- paper and books -----------------------------------------------------------------------------

QColor paperColour(const ItemLook& look)
{
    if (look.has("white")) return QColor(240, 238, 230);
    if (look.has("brown")) return QColor(196, 150, 100);
    if (look.has("blue")) return QColor(150, 180, 235);
    return kParchment;
}

void textLines(QPainter& p, const QRectF& r, const QColor& paper, int lines, quint32 seed)
{
    for (int i = 0; i < lines; ++i) {
        const qreal y = r.top() + r.height() * (i + 0.5) / lines;
        const qreal shorten = ((seed >> (i * 3)) % 4) * r.width() * 0.08;
        line(p, {r.left(), y}, {r.right() - shorten, y}, dim(paper, 0.5), 1.0);
    }
}

void scroll(QPainter& p, const Box& b, const ItemLook& look)
{
    const QColor paper = paperColour(look);
    const QRectF sheet = b.rect(0.2, 0.16, 0.8, 0.84);
    part(p, rectPath(sheet), paper, 0.8);
    textLines(p, sheet.adjusted(3, 3, -3, -3), paper, 4, look.seed);
    for (qreal fy : {0.06, 0.78}) {
        const QRectF roll = b.rect(0.1, fy, 0.9, fy + 0.16);
        QLinearGradient g(roll.topLeft(), roll.bottomLeft());
        g.setColorAt(0, lit(paper, 0.4));
        g.setColorAt(0.5, paper);
        g.setColorAt(1, dim(paper, 0.4));
        p.setPen(QPen(dim(paper, 0.6), 0.8));
        p.setBrush(g);
        p.drawRoundedRect(roll, roll.height() / 2, roll.height() / 2);
        for (qreal x : {roll.left() + 1.5, roll.right() - 1.5})
            fill(p, ellipse(QPointF(x, roll.center().y()), 1.2, roll.height() / 2 - 0.6), dim(paper, 0.45));
    }
    // a wax seal with its ribbon
    line(p, b.at(0.62, 0.86), b.at(0.66, 0.98), QColor(170, 30, 30), 1.5);
    ball(p, ellipse(b.at(0.66, 0.72), 2.4, 2.4), look.accent, 0.6);
}

void note(QPainter& p, const Box& b, const ItemLook& look)
{
    QList<QPointF> outline;
    auto jag = [&](qreal fx, qreal fy0, qreal fy1, int teeth, QList<QPointF>& out) {
        for (int i = 0; i <= teeth; ++i)
            out << b.at(fx + (i % 2 ? 0.04 : -0.04), fy0 + (fy1 - fy0) * i / teeth);
    };
    qreal left = 0.14, right = 0.86;
    const bool torn = look.has("torn");
    const int piece = look.has("1") ? 1 : look.has("2") ? 2 : look.has("3") ? 3 : 0;
    if (torn && piece == 1) right = 0.7;
    if (torn && piece == 2) left = 0.26, right = 0.74;
    if (torn && piece == 3) left = 0.3;
    QList<QPointF> pts;
    if (torn && piece != 1)
        jag(left, 0.9, 0.1, 7, pts);
    else
        pts << b.at(left, 0.9) << b.at(left, 0.1);
    if (torn && piece != 3)
        jag(right, 0.1, 0.9, 7, pts);
    else
        pts << b.at(right, 0.1) << b.at(right, 0.9);
    const QPainterPath sheet = fromPolygon(pts);
    const QColor paper(232, 220, 186);
    part(p, sheet, paper, 0.8);
    p.save();
    p.setClipPath(sheet);
    textLines(p, b.rect(0.18, 0.2, 0.82, 0.8), paper, 5, look.seed);
    p.restore();
    if (look.has("reconstructed"))
        for (qreal fx : {0.38, 0.62}) {
            QList<QPointF> seam;
            jag(fx, 0.1, 0.9, 7, seam);
            QPainterPath path(seam.first());
            for (const QPointF& pt : seam)
                path.lineTo(pt);
            stroke(p, path, dim(paper, 0.55), 1.0);
        }
}

void map(QPainter& p, const Box& b, const ItemLook& look)
{
    const QRectF sheet = b.rect(0.1, 0.12, 0.9, 0.88);
    part(p, rectPath(sheet), kParchment, 0.8);
    const QRectF inner = sheet.adjusted(3, 3, -3, -3);
    if (look.has("star")) {
        part(p, rectPath(inner), QColor(24, 34, 80), 0.6);
        const QPointF stars[] = {{0.2, 0.3}, {0.35, 0.22}, {0.5, 0.4},   {0.68, 0.3},  {0.8, 0.55},
                                 {0.6, 0.7}, {0.3, 0.72},  {0.45, 0.58}, {0.15, 0.55}, {0.85, 0.2}};
        auto at = [&](QPointF f) {
            return QPointF(inner.left() + f.x() * inner.width(), inner.top() + f.y() * inner.height());
        };
        QPainterPath constellation(at(stars[0]));
        for (int i : {1, 2, 3, 4})
            constellation.lineTo(at(stars[i]));
        stroke(p, constellation, QColor(120, 150, 220), 1.0);
        for (const QPointF& s : stars) {
            dot(p, at(s), 1.2, QColor(255, 250, 220));
        }
        for (int i : {2, 4}) {
            line(p, at(stars[i]) - QPointF(3, 0), at(stars[i]) + QPointF(3, 0), QColor(255, 250, 220), 1.0);
            line(p, at(stars[i]) - QPointF(0, 3), at(stars[i]) + QPointF(0, 3), QColor(255, 250, 220), 1.0);
        }
    } else {
        QPainterPath coast(QPointF(inner.left(), inner.top() + inner.height() * 0.3));
        coast.cubicTo(inner.center() + QPointF(-8, -10), inner.center() + QPointF(6, 10),
                      inner.bottomRight() - QPointF(0, 6));
        stroke(p, coast, QColor(110, 80, 50), 1.0);
        QPen pen(QColor(170, 30, 30), 1.2, Qt::DotLine);
        p.setPen(pen);
        p.drawLine(inner.topLeft() + QPointF(4, inner.height() * 0.7), inner.center() + QPointF(6, -4));
        line(p, inner.center() + QPointF(4, -6), inner.center() + QPointF(8, -2), QColor(170, 30, 30), 1.5);
        line(p, inner.center() + QPointF(8, -6), inner.center() + QPointF(4, -2), QColor(170, 30, 30), 1.5);
    }
    for (qreal fx : {0.06, 0.94}) {
        const QRectF roll(b.x(fx) - 2.5, sheet.top() - 2, 5, sheet.height() + 4);
        QLinearGradient g(roll.topLeft(), roll.topRight());
        g.setColorAt(0, lit(kParchment, 0.3));
        g.setColorAt(1, dim(kParchment, 0.4));
        p.setPen(QPen(dim(kParchment, 0.6), 0.8));
        p.setBrush(g);
        p.drawRoundedRect(roll, 2.5, 2.5);
    }
}

void book(QPainter& p, const Box& b, const ItemLook& look)
{
    const QColor cover = look.main;
    part(p, rectPath(b.rect(0.22, 0.12, 0.92, 0.94)), QColor(232, 222, 196), 0.8);
    for (qreal y = b.y(0.2); y < b.y(0.92); y += 3)
        line(p, {b.x(0.86), y}, {b.x(0.915), y}, QColor(180, 170, 150), 1.0);
    const QRectF front = b.rect(0.12, 0.06, 0.86, 0.9);
    part(p, roundRect(front, 2), cover, 1.0);
    const QRectF spine(front.left(), front.top(), front.width() * 0.14, front.height());
    part(p, roundRect(spine, 2), dim(cover, 0.3), 0.8);
    for (qreal f : {0.2, 0.5, 0.8})
        line(p, {spine.left() + 1, spine.top() + spine.height() * f},
             {spine.right() - 1, spine.top() + spine.height() * f}, lit(cover, 0.4), 1.0);
    for (QPointF corner : {front.topRight(), front.bottomRight()}) {
        const qreal s = corner.y() < front.center().y() ? 1 : -1;
        metal(p, polygon({corner, corner + QPointF(-7, 0), corner + QPointF(0, s * 7)}), look.accent, 0.6);
    }
    const QPointF c(front.left() + spine.width() + (front.width() - spine.width()) / 2, front.center().y());
    const qreal r = front.width() * 0.2;
    stroke(p, roundRect(front.adjusted(spine.width() + 3, 3, -3, -3), 1.5), lit(cover, 0.35), 1.0);
    if (look.has("black")) {
        skull(p, c, r * 1.5, kBone);
    } else if (look.has("green") || look.has("fungal")) {
        QPainterPath capShape(c + QPointF(-r, 0));
        capShape.cubicTo(c + QPointF(-r, -r * 1.3), c + QPointF(r, -r * 1.3), c + QPointF(r, 0));
        capShape.closeSubpath();
        metal(p, rectPath(QRectF(c.x() - r * 0.25, c.y() - 1, r * 0.5, r * 0.9)), QColor(230, 220, 190), 0.6);
        part(p, capShape, QColor(200, 120, 60), 0.7);
    } else {
        ball(p, ellipse(c, r, r), look.accent, 0.8);
        QPainterPath star;
        for (int i = 0; i <= 5; ++i) {
            const qreal a = qDegreesToRadians(-90 + i * 144.0);
            const QPointF pt = c + QPointF(std::cos(a), std::sin(a)) * r * 0.75;
            if (i == 0)
                star.moveTo(pt);
            else
                star.lineTo(pt);
        }
        stroke(p, star, look.has("red") ? QColor(120, 20, 20) : dim(look.accent, 0.6), 1.0);
    }
}

// ---- treasure and oddities -----------------------------------------------------------------------

void goldPile(QPainter& p, const Box& b, const ItemLook& look)
{
    QList<QPointF> coins;
    if (look.has("small"))
        coins = {{0.6, 0.22}, {0.28, 0.46}, {0.7, 0.56}, {0.42, 0.8}};
    else if (look.has("medium"))
        coins = {{0.5, 0.38}, {0.36, 0.52}, {0.64, 0.52}, {0.22, 0.7}, {0.5, 0.72}, {0.78, 0.7}};
    else
        coins = {{0.5, 0.2},  {0.38, 0.34}, {0.62, 0.34}, {0.26, 0.5},  {0.5, 0.5}, {0.74, 0.5},
                 {0.16, 0.7}, {0.38, 0.72}, {0.62, 0.72}, {0.84, 0.68}, {0.5, 0.86}};
    const qreal rx = b.w() * (look.has("large") || (!look.has("small") && !look.has("medium")) ? 0.17 : 0.2);
    for (const QPointF& f : coins) {
        const QPointF c = b.at(f.x(), f.y());
        QPainterPath edge = ellipse(c + QPointF(0, 1.2), rx, rx * 0.55);
        fill(p, edge, dim(look.main, 0.45));
        QPainterPath face = ellipse(c, rx, rx * 0.55);
        metal(p, face, look.main, 0.8);
        stroke(p, ellipse(c, rx * 0.6, rx * 0.32), dim(look.main, 0.3), 0.8);
    }
    dot(p, b.at(coins.first().x(), coins.first().y()) + QPointF(-rx * 0.4, -1), 1.0, QColor(255, 255, 240));
}

void ear(QPainter& p, const Box& b, const ItemLook& look)
{
    QPainterPath outer;
    outer.moveTo(b.at(0.34, 0.16));
    outer.cubicTo(b.at(0.5, 0.0), b.at(0.92, 0.06), b.at(0.86, 0.4));
    outer.cubicTo(b.at(0.82, 0.6), b.at(0.66, 0.66), b.at(0.66, 0.8));
    outer.cubicTo(b.at(0.66, 0.98), b.at(0.42, 1.0), b.at(0.36, 0.84));
    outer.cubicTo(b.at(0.32, 0.7), b.at(0.3, 0.5), b.at(0.22, 0.4));
    outer.closeSubpath();
    part(p, outer, look.main, 1.0);
    QPainterPath fold(b.at(0.42, 0.24));
    fold.cubicTo(b.at(0.56, 0.1), b.at(0.8, 0.2), b.at(0.7, 0.44));
    fold.quadTo(b.at(0.62, 0.56), b.at(0.5, 0.6));
    stroke(p, fold, dim(look.main, 0.45), 1.2);
    dot(p, b.at(0.48, 0.46), 1.8, dim(look.main, 0.6));
    // where it was cut off
    line(p, b.at(0.24, 0.38), b.at(0.34, 0.18), QColor(140, 20, 20), 1.5);
    if (look.has("ring")) {
        const QColor ringColour = look.has("gold") ? kGold : QColor(200, 206, 214);
        stroke(p, ellipse(b.at(0.54, 0.9), 3.0, 3.4), dim(ringColour, 0.5), 2.4);
        stroke(p, ellipse(b.at(0.54, 0.9), 3.0, 3.4), ringColour, 1.4);
    }
}

void key(QPainter& p, const Box& b, const ItemLook& look)
{
    p.save();
    p.translate(b.r.center());
    p.rotate(-45);
    const qreal len = std::min(b.w(), b.h()) * 1.32;
    const qreal r = len * 0.2;
    const qreal shaft = std::max(3.0, len * 0.13);
    const QPointF bowCentre(0, -len / 2 + r);
    QPainterPath shape = ellipse(bowCentre, r, r);
    shape.addRect(QRectF(-shaft / 2, bowCentre.y() + r - 1, shaft, len - 2 * r));
    shape.addRect(QRectF(0, len / 2 - len * 0.26, len * 0.2, shaft));
    shape.addRect(QRectF(0, len / 2 - shaft, len * 0.26, shaft));
    shape = shape.simplified();
    QPainterPath hole = ellipse(bowCentre, r * 0.45, r * 0.45);
    metal(p, shape.subtracted(hole), look.main, 1.0);
    p.restore();
}

void gem(QPainter& p, const Box& b, const ItemLook& look)
{
    const QPointF c = b.at(0.5, 0.5);
    const QList<QPointF> outline{b.at(0.28, 0.14), b.at(0.72, 0.14), b.at(0.94, 0.4), b.at(0.5, 0.94),
                                 b.at(0.06, 0.4)};
    const QColor g = look.main;
    fill(p, fromPolygon(outline), g);
    // facets: table lit, crown light, pavilion darker towards the lower right
    part(p, fromPolygon({b.at(0.28, 0.14), b.at(0.72, 0.14), b.at(0.62, 0.4), b.at(0.38, 0.4)}), lit(g, 0.45),
         0);
    part(p, fromPolygon({b.at(0.06, 0.4), b.at(0.28, 0.14), b.at(0.38, 0.4)}), lit(g, 0.25), 0);
    part(p, fromPolygon({b.at(0.94, 0.4), b.at(0.72, 0.14), b.at(0.62, 0.4)}), g, 0);
    part(p, fromPolygon({b.at(0.06, 0.4), b.at(0.38, 0.4), b.at(0.5, 0.94)}), lit(g, 0.05), 0);
    part(p, fromPolygon({b.at(0.38, 0.4), b.at(0.62, 0.4), b.at(0.5, 0.94)}), dim(g, 0.15), 0);
    part(p, fromPolygon({b.at(0.62, 0.4), b.at(0.94, 0.4), b.at(0.5, 0.94)}), dim(g, 0.4), 0);
    stroke(p, fromPolygon(outline), dim(g, 0.6), 1.0);
    line(p, b.at(0.32, 0.2), b.at(0.5, 0.2), QColor(255, 255, 255, 220), 1.0);
    Q_UNUSED(c);
}

void rock(QPainter& p, const Box& b, const ItemLook& look)
{
    QList<QPointF> pts;
    const int n = 9;
    for (int i = 0; i < n; ++i) {
        const qreal a = qDegreesToRadians(-90 + i * 360.0 / n);
        const qreal rr = 0.4 + 0.08 * look.pick(3, i);
        pts << b.at(0.5 + std::cos(a) * rr, 0.54 + std::sin(a) * rr * 0.85);
    }
    const QPainterPath stone = fromPolygon(pts);
    part(p, stone, look.main, 1.0);
    for (int i = 0; i < n; i += 2)
        line(p, b.at(0.5, 0.5), pts[i], dim(look.main, 0.3), 1.0);
    // veins of magic in the stone
    QPainterPath vein(b.at(0.25, 0.35));
    vein.cubicTo(b.at(0.45, 0.5), b.at(0.5, 0.3), b.at(0.72, 0.62));
    stroke(p, vein, QColor(look.accent.red(), look.accent.green(), look.accent.blue(), 110), 3.5);
    stroke(p, vein, lit(look.accent, 0.5), 1.2);
    for (QPointF f : {QPointF(0.3, 0.7), QPointF(0.68, 0.3), QPointF(0.55, 0.82)}) {
        line(p, b.at(f.x(), f.y()) - QPointF(2.5, 0), b.at(f.x(), f.y()) + QPointF(2.5, 0),
             lit(look.accent, 0.6), 1.0);
        line(p, b.at(f.x(), f.y()) - QPointF(0, 2.5), b.at(f.x(), f.y()) + QPointF(0, 2.5),
             lit(look.accent, 0.6), 1.0);
    }
}

void sphere(QPainter& p, const Box& b, const ItemLook& look)
{
    fill(p, ellipse(b.rect(0.16, 0.82, 0.84, 0.98)), QColor(0, 0, 0, 110));
    const QRectF r = b.rect(0.08, 0.04, 0.92, 0.88);
    ball(p, ellipse(r), look.main, 1.0);
    if (look.has("gold") || look.has("golden")) {
        stroke(p, ellipse(QRectF(r.left(), r.center().y() - r.height() * 0.12, r.width(), r.height() * 0.24)),
               dim(look.main, 0.45), 1.0);
    }
    fill(p,
         ellipse(QPointF(r.left() + r.width() * 0.34, r.top() + r.height() * 0.3), r.width() * 0.12,
                 r.height() * 0.08),
         QColor(255, 255, 255, 200));
}

void cube(QPainter& p, const Box& b, const ItemLook& look)
{
    const qreal a = std::min(b.w(), b.h()) * 0.44;
    const qreal s = a * 1.0;
    const QPointF top(b.cx(), b.y(0.5) - (a + s) / 2);
    const QPointF ur = top + QPointF(a * 0.95, a * 0.5), ul = top + QPointF(-a * 0.95, a * 0.5);
    const QPointF c = top + QPointF(0, a);
    const QPointF lr = ur + QPointF(0, s), ll = ul + QPointF(0, s), bottom = c + QPointF(0, s);
    const QColor m = look.main;
    const bool puzzle = look.has("puzzle");
    part(p, polygon({top, ur, c, ul}), lit(m, 0.35), 0.8);
    part(p, polygon({ul, c, bottom, ll}), m, 0.8);
    part(p, polygon({c, ur, lr, bottom}), dim(m, 0.35), 0.8);
    if (puzzle) {
        // engraved squares on each face
        auto inset = [](QPointF a0, QPointF a1, QPointF a2, QPointF a3) {
            const QPointF centre = (a0 + a1 + a2 + a3) / 4;
            auto in = [&](QPointF v) { return centre + (v - centre) * 0.55; };
            return polygon({in(a0), in(a1), in(a2), in(a3)});
        };
        stroke(p, inset(top, ur, c, ul), dim(m, 0.5), 1.0);
        stroke(p, inset(ul, c, bottom, ll), dim(m, 0.55), 1.0);
        stroke(p, inset(c, ur, lr, bottom), dim(m, 0.7), 1.0);
        dot(p, (ul + c + bottom + ll) / 4, 1.2, QColor(200, 30, 30));
    }
    line(p, top + QPointF(0, 1), c - QPointF(0, 1), QColor(255, 255, 255, 0), 1.0);
    line(p, ul + QPointF(1, 1), top + QPointF(0, 1), QColor(255, 255, 255, 170), 1.0);
}

void pyramid(QPainter& p, const Box& b, const ItemLook& look)
{
    const QPointF apex = b.at(0.5, 0.06), left = b.at(0.04, 0.8), front = b.at(0.56, 0.96),
                  right = b.at(0.96, 0.76);
    part(p, polygon({apex, left, front}), lit(look.main, 0.25), 0.8);
    part(p, polygon({apex, front, right}), dim(look.main, 0.3), 0.8);
    line(p, apex + QPointF(-0.5, 2), left + QPointF(2, -1.5), QColor(255, 255, 255, 150), 1.0);
    for (qreal f : {0.45, 0.7}) {
        line(p, apex + (left - apex) * f, apex + (front - apex) * f, dim(look.main, 0.2), 1.0);
        line(p, apex + (front - apex) * f, apex + (right - apex) * f, dim(look.main, 0.55), 1.0);
    }
}

void runeGlyph(QPainter& p, const Box& g, const ItemLook& look, qreal width)
{
    QPainterPath glyph;
    if (look.has("fire")) {
        glyph.moveTo(g.at(0.38, 0.0));
        glyph.lineTo(g.at(0.38, 1.0));
        glyph.moveTo(g.at(0.38, 0.05));
        glyph.lineTo(g.at(0.75, 0.28));
        glyph.moveTo(g.at(0.38, 0.4));
        glyph.lineTo(g.at(0.75, 0.63));
    } else if (look.has("lightning")) {
        glyph.moveTo(g.at(0.72, 0.0));
        glyph.lineTo(g.at(0.28, 0.42));
        glyph.lineTo(g.at(0.72, 0.58));
        glyph.lineTo(g.at(0.28, 1.0));
    } else {
        glyph.moveTo(g.at(0.5, 0.0));
        glyph.lineTo(g.at(0.82, 0.32));
        glyph.lineTo(g.at(0.5, 0.64));
        glyph.lineTo(g.at(0.18, 0.32));
        glyph.closeSubpath();
        glyph.moveTo(g.at(0.5, 0.64));
        glyph.lineTo(g.at(0.2, 1.0));
        glyph.moveTo(g.at(0.5, 0.64));
        glyph.lineTo(g.at(0.8, 1.0));
    }
    const QColor c = look.accent;
    stroke(p, glyph, QColor(c.red(), c.green(), c.blue(), 110), width + 2.0);
    stroke(p, glyph, lit(c, 0.45), width);
}

void rune(QPainter& p, const Box& b, const ItemLook& look)
{
    const bool greater = look.has("greater");
    const QRectF stone = b.rect(0.12, 0.06, 0.88, 0.94);
    QPainterPath shape;
    shape.moveTo(stone.left() + 2, stone.top() + 4);
    shape.quadTo(stone.center().x(), stone.top() - 2, stone.right() - 2, stone.top() + 4);
    shape.quadTo(stone.right() + 1, stone.center().y(), stone.right() - 1, stone.bottom() - 3);
    shape.quadTo(stone.center().x(), stone.bottom() + 1, stone.left() + 1, stone.bottom() - 3);
    shape.quadTo(stone.left() - 1, stone.center().y(), stone.left() + 2, stone.top() + 4);
    part(p, shape, look.main, 1.0);
    if (greater)
        stroke(p, ellipse(b.rect(0.2, 0.16, 0.8, 0.84)),
               QColor(look.accent.red(), look.accent.green(), look.accent.blue(), 170), 1.0);
    runeGlyph(p, Box{b.rect(0.3, 0.24, 0.7, 0.76)}, look, greater ? 2.0 : 1.5);
}

void bomb(QPainter& p, const Box& b, const ItemLook& look)
{
    const QPointF c = b.at(0.44, 0.6);
    const qreal r = b.w() * 0.36;
    metal(p, roundRect(QRectF(c.x() + r * 0.3, c.y() - r * 1.15, r * 0.55, r * 0.5), 1), kIron, 0.6);
    QPainterPath fuse(c + QPointF(r * 0.6, -r * 1.1));
    fuse.quadTo(c + QPointF(r * 0.8, -r * 1.6), c + QPointF(r * 1.2, -r * 1.4));
    stroke(p, fuse, QColor(200, 180, 140), 1.2);
    const QPointF spark = c + QPointF(r * 1.25, -r * 1.45);
    fill(p, starPath(spark, 4, 3.5, 3.5, 1.0, 1.0), QColor(255, 230, 120));
    ball(p, ellipse(c, r, r), look.main, 1.0);
    ItemLook glyphLook = look;
    glyphLook.words = QStringList{"fire"};
    runeGlyph(p, Box{QRectF(c.x() - r * 0.45, c.y() - r * 0.5, r * 0.9, r)}, glyphLook, 1.3);
}

void mushroom(QPainter& p, const Box& b, const ItemLook& look)
{
    auto one = [&](const Box& m, const QColor& capColour) {
        QPainterPath stem;
        stem.moveTo(m.at(0.38, 0.5));
        stem.cubicTo(m.at(0.36, 0.75), m.at(0.26, 0.9), m.at(0.3, 0.98));
        stem.lineTo(m.at(0.7, 0.98));
        stem.cubicTo(m.at(0.74, 0.9), m.at(0.64, 0.75), m.at(0.62, 0.5));
        stem.closeSubpath();
        part(p, stem, QColor(226, 214, 186), 0.8);
        fill(p, ellipse(m.rect(0.12, 0.42, 0.88, 0.56)), QColor(120, 96, 80));
        QPainterPath capPath(m.at(0.04, 0.5));
        capPath.cubicTo(m.at(0.0, 0.0), m.at(1.0, 0.0), m.at(0.96, 0.5));
        capPath.quadTo(m.at(0.5, 0.58), m.at(0.04, 0.5));
        part(p, capPath, capColour, 0.9);
        for (QPointF f : {QPointF(0.3, 0.22), QPointF(0.55, 0.16), QPointF(0.72, 0.32), QPointF(0.42, 0.38)})
            part(p, ellipse(m.at(f.x(), f.y()), m.w() * 0.055, m.w() * 0.045), lit(capColour, 0.45), 0);
    };
    const QColor capColour = look.has("black") ? QColor(62, 44, 72) : look.main;
    one(Box{b.rect(0.0, 0.04, 0.8, 0.96)}, capColour);
    one(Box{b.rect(0.6, 0.5, 1.0, 0.98)}, dim(capColour, 0.1));
}

void brain(QPainter& p, const Box& b, const ItemLook& look)
{
    QPainterPath shape;
    shape.moveTo(b.at(0.1, 0.62));
    shape.cubicTo(b.at(0.0, 0.3), b.at(0.2, 0.12), b.at(0.42, 0.16));
    shape.cubicTo(b.at(0.55, 0.08), b.at(0.9, 0.1), b.at(0.94, 0.42));
    shape.cubicTo(b.at(1.0, 0.66), b.at(0.86, 0.8), b.at(0.66, 0.78));
    shape.lineTo(b.at(0.6, 0.92));
    shape.lineTo(b.at(0.5, 0.92));
    shape.lineTo(b.at(0.52, 0.78));
    shape.cubicTo(b.at(0.3, 0.84), b.at(0.14, 0.76), b.at(0.1, 0.62));
    part(p, shape, look.main, 1.0);
    p.save();
    p.setClipPath(shape);
    const QColor fold = dim(look.main, 0.4);
    QPainterPath folds;
    folds.moveTo(b.at(0.2, 0.3));
    folds.cubicTo(b.at(0.3, 0.45), b.at(0.4, 0.2), b.at(0.5, 0.38));
    folds.moveTo(b.at(0.55, 0.2));
    folds.cubicTo(b.at(0.7, 0.35), b.at(0.75, 0.2), b.at(0.85, 0.35));
    folds.moveTo(b.at(0.15, 0.55));
    folds.cubicTo(b.at(0.3, 0.5), b.at(0.35, 0.7), b.at(0.5, 0.6));
    folds.moveTo(b.at(0.55, 0.55));
    folds.cubicTo(b.at(0.7, 0.45), b.at(0.75, 0.7), b.at(0.9, 0.55));
    stroke(p, folds, fold, 1.0);
    p.restore();
}

void heart(QPainter& p, const Box& b, const ItemLook& look)
{
    QPainterPath shape(b.at(0.5, 0.3));
    shape.cubicTo(b.at(0.5, 0.0), b.at(0.0, 0.0), b.at(0.06, 0.36));
    shape.cubicTo(b.at(0.1, 0.6), b.at(0.4, 0.75), b.at(0.5, 0.94));
    shape.cubicTo(b.at(0.6, 0.75), b.at(0.9, 0.6), b.at(0.94, 0.36));
    shape.cubicTo(b.at(1.0, 0.0), b.at(0.5, 0.0), b.at(0.5, 0.3));
    ball(p, shape, look.main, 1.0);
}

void claw(QPainter& p, const Box& b, const ItemLook& look)
{
    // a furry paw with three hooked claws
    const QPointF bases[] = {b.at(0.2, 0.62), b.at(0.38, 0.56), b.at(0.56, 0.62)};
    const QPointF tips[] = {b.at(0.42, 0.04), b.at(0.74, 0.08), b.at(0.96, 0.34)};
    for (int i = 0; i < 3; ++i) {
        const QPointF base = bases[i], tip = tips[i];
        const qreal half = b.w() * 0.11;
        QPainterPath talon(base + QPointF(-half, 0));
        talon.quadTo(QPointF(base.x() - half, tip.y() + b.h() * 0.06), tip);
        talon.quadTo(QPointF(base.x() + half * 1.2, tip.y() + b.h() * 0.26), base + QPointF(half, 0));
        talon.closeSubpath();
        QLinearGradient g(base, tip);
        g.setColorAt(0, look.main);
        g.setColorAt(0.55, dim(look.main, 0.15));
        g.setColorAt(1, QColor(60, 50, 44));
        p.setPen(QPen(dim(look.main, 0.6), 0.8));
        p.setBrush(g);
        p.drawPath(talon);
    }
    QPainterPath paw = ellipse(b.rect(0.04, 0.52, 0.74, 0.98));
    part(p, paw, QColor(104, 74, 52), 0.9);
    for (int i = 0; i < 4; ++i)
        line(p, b.at(0.14 + 0.15 * i, 0.7), b.at(0.1 + 0.15 * i, 0.86), dim(QColor(104, 74, 52), 0.4), 1.0);
}

void tooth(QPainter& p, const Box& b, const ItemLook& look)
{
    QPainterPath shape(b.at(0.18, 0.2));
    shape.cubicTo(b.at(0.2, 0.02), b.at(0.45, 0.06), b.at(0.5, 0.12));
    shape.cubicTo(b.at(0.55, 0.06), b.at(0.8, 0.02), b.at(0.82, 0.2));
    shape.cubicTo(b.at(0.86, 0.5), b.at(0.74, 0.6), b.at(0.72, 0.96));
    shape.quadTo(b.at(0.6, 0.92), b.at(0.56, 0.6));
    shape.lineTo(b.at(0.44, 0.6));
    shape.quadTo(b.at(0.4, 0.92), b.at(0.28, 0.96));
    shape.cubicTo(b.at(0.26, 0.6), b.at(0.14, 0.5), b.at(0.18, 0.2));
    part(p, shape, look.main, 1.0);
    shine(p, b.at(0.28, 0.2), b.at(0.3, 0.42), 200);
}

void bread(QPainter& p, const Box& b, const ItemLook& look)
{
    QPainterPath loaf(b.at(0.06, 0.78));
    loaf.cubicTo(b.at(0.0, 0.2), b.at(1.0, 0.2), b.at(0.94, 0.78));
    loaf.quadTo(b.at(0.5, 0.86), b.at(0.06, 0.78));
    ball(p, loaf, look.main, 1.0);
    for (int i = 0; i < 3; ++i)
        line(p, b.at(0.26 + 0.18 * i, 0.56), b.at(0.36 + 0.18 * i, 0.38), lit(look.main, 0.5), 1.2);
}

void pouch(QPainter& p, const Box& b, const ItemLook& look)
{
    QPainterPath sack(b.at(0.36, 0.34));
    sack.cubicTo(b.at(0.0, 0.44), b.at(0.02, 0.98), b.at(0.5, 0.96));
    sack.cubicTo(b.at(0.98, 0.98), b.at(1.0, 0.44), b.at(0.64, 0.34));
    sack.closeSubpath();
    part(p, sack, look.main, 1.0);
    QPainterPath ruffle = polygon({b.at(0.36, 0.36), b.at(0.24, 0.08), b.at(0.4, 0.18), b.at(0.5, 0.04),
                                   b.at(0.6, 0.18), b.at(0.76, 0.08), b.at(0.64, 0.36)});
    part(p, ruffle, lit(look.main, 0.1), 0.9);
    line(p, b.at(0.32, 0.35), b.at(0.68, 0.35), look.accent, 1.6);
    line(p, b.at(0.62, 0.36), b.at(0.72, 0.56), look.accent, 1.2);
    shine(p, b.at(0.2, 0.6), b.at(0.26, 0.8), 110);
}

void sign(QPainter& p, const Box& b, const ItemLook& look)
{
    metal(p, rectPath(b.rect(0.0, 0.04, 1.0, 0.09)), kIron, 0.8);
    for (qreal fx : {0.2, 0.8})
        chain(p, b.at(fx, 0.09), b.at(fx, 0.16), b.at(fx, 0.24), kIron.lighter(130), 1.8);
    const QRectF board = b.rect(0.04, 0.24, 0.96, 0.82);
    part(p, roundRect(board, 2), look.main, 1.0);
    for (qreal f : {0.33, 0.66})
        line(p, {board.left() + 1, board.top() + board.height() * f},
             {board.right() - 1, board.top() + board.height() * f}, dim(look.main, 0.4), 1.0);
    // a tankard painted on the board
    const QRectF mug(board.center().x() - board.width() * 0.22, board.top() + board.height() * 0.24,
                     board.width() * 0.36, board.height() * 0.56);
    stroke(p,
           ellipse(QRectF(mug.right() - 4, mug.top() + mug.height() * 0.2, board.width() * 0.22,
                          mug.height() * 0.5)),
           dim(kGold, 0.3), 3.0);
    part(p, rectPath(mug), kGold, 0.8);
    part(
        p,
        roundRect(
            QRectF(mug.left() - 1, mug.top() - mug.height() * 0.18, mug.width() + 2, mug.height() * 0.24), 3),
        QColor(245, 240, 225), 0.6);
}

void anvil(QPainter& p, const Box& b, const ItemLook& look)
{
    part(p, rectPath(b.rect(0.2, 0.68, 0.8, 0.98)), QColor(120, 80, 48), 0.9);
    for (qreal f : {0.35, 0.65})
        line(p, b.at(f, 0.7), b.at(f, 0.96), QColor(80, 50, 30), 1.0);
    QPainterPath shape;
    shape.moveTo(b.at(0.0, 0.32));
    shape.quadTo(b.at(0.12, 0.4), b.at(0.26, 0.42));
    shape.lineTo(b.at(0.34, 0.42));
    shape.quadTo(b.at(0.4, 0.5), b.at(0.36, 0.58));
    shape.lineTo(b.at(0.18, 0.68));
    shape.lineTo(b.at(0.82, 0.68));
    shape.lineTo(b.at(0.64, 0.58));
    shape.quadTo(b.at(0.6, 0.5), b.at(0.66, 0.42));
    shape.lineTo(b.at(0.96, 0.42));
    shape.lineTo(b.at(0.96, 0.3));
    shape.lineTo(b.at(0.2, 0.3));
    shape.quadTo(b.at(0.08, 0.3), b.at(0.0, 0.32));
    metal(p, shape, look.main, 1.0);
    // the hot face of an angry anvil, and its sparks
    line(p, b.at(0.22, 0.31), b.at(0.95, 0.31), QColor(255, 140, 40), 1.4);
    for (int i = 0; i < 5; ++i) {
        const QPointF s = b.at(0.3 + 0.12 * i, 0.22 - 0.04 * (i % 3));
        line(p, s, s + QPointF((i - 2) * 1.5, -4), QColor(255, 210, 90), 1.2);
    }
}

void bear(QPainter& p, const Box& b, const ItemLook& look)
{
    const QColor fur = look.main;
    part(p, ellipse(b.rect(0.2, 0.5, 0.8, 0.98)), fur, 0.9);
    for (int side : {-1, 1}) {
        part(p, ellipse(b.at(0.5 + side * 0.32, 0.66), b.w() * 0.1, b.h() * 0.12), fur, 0.8);
        part(p, ellipse(b.at(0.5 + side * 0.2, 0.92), b.w() * 0.12, b.h() * 0.08), fur, 0.8);
        part(p, ellipse(b.at(0.5 + side * 0.28, 0.12), b.w() * 0.12, b.w() * 0.12), fur, 0.8);
        dot(p, b.at(0.5 + side * 0.28, 0.12), b.w() * 0.05, QColor(220, 170, 130));
    }
    part(p, ellipse(b.rect(0.2, 0.06, 0.8, 0.58)), fur, 0.9);
    part(p, ellipse(b.rect(0.38, 0.32, 0.62, 0.5)), QColor(220, 180, 140), 0.6);
    dot(p, b.at(0.5, 0.35), 1.2, kHole);
    dot(p, b.at(0.38, 0.26), 1.1, kHole);
    dot(p, b.at(0.62, 0.26), 1.1, kHole);
    part(p,
         polygon({b.at(0.36, 0.52), b.at(0.5, 0.58), b.at(0.64, 0.52), b.at(0.64, 0.64), b.at(0.5, 0.58),
                  b.at(0.36, 0.64)}),
         QColor(200, 40, 50), 0.5);
}

void blank(QPainter& p, const Box& b, const ItemLook& look)
{
    QPen pen(look.main, 1.0, Qt::DashLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(b.r.adjusted(2.5, 2.5, -2.5, -2.5));
}

void unknown(QPainter& p, const Box& b, const ItemLook& look)
{
    part(p, roundRect(b.rect(0.12, 0.08, 0.88, 0.92), 4), look.main, 1.0);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(int(std::min(b.w(), b.h()) * 0.6));
    p.setFont(font);
    p.setPen(lit(look.main, 0.6));
    p.drawText(b.r, Qt::AlignCenter, "?");
}

void draw(QPainter& p, const ItemLook& look, const QRectF& area)
{
    const Box box{area};
    using K = ItemKind;
    switch (look.kind) {
    case K::Sword:
        alongBox(p, area, 26, 33, [&](QPainter& q, const Box& b) { sword(q, b, look, false); });
        break;
    case K::Dagger:
        alongBox(p, area, 22, 33, [&](QPainter& q, const Box& b) { sword(q, b, look, true); });
        break;
    case K::Axe:
        alongBox(p, area, 44, 18, [&](QPainter& q, const Box& b) { axe(q, b, look); });
        break;
    case K::Bow:
        bow(p, box, look);
        break;
    case K::Staff:
        alongBox(p, area, 16, 32, [&](QPainter& q, const Box& b) { staff(q, b, look); });
        break;
    case K::Spear:
        alongBox(p, area, 16, 32, [&](QPainter& q, const Box& b) { spear(q, b, look); });
        break;
    case K::Scythe:
        scythe(p, box, look);
        break;
    case K::Mace:
        alongBox(p, area, 28, 26, [&](QPainter& q, const Box& b) { mace(q, b, look); });
        break;
    case K::MorningStar:
        alongBox(p, area, 30, 26, [&](QPainter& q, const Box& b) { morningStar(q, b, look); });
        break;
    case K::Club:
        alongBox(p, area, 26, 26, [&](QPainter& q, const Box& b) { club(q, b, look); });
        break;
    case K::Hammer:
        alongBox(p, area, 36, 22, [&](QPainter& q, const Box& b) { hammer(q, b, look); });
        break;
    case K::Flail:
        flail(p, box, look);
        break;
    case K::Shield:
        shield(p, box, look);
        break;
    case K::Helm:
        helm(p, box, look);
        break;
    case K::Cap:
        cap(p, box, look);
        break;
    case K::Crown:
        crown(p, box, look);
        break;
    case K::Circlet:
        circlet(p, box, look);
        break;
    case K::JesterHat:
        jesterHat(p, box, look);
        break;
    case K::Mask:
        mask(p, box, look);
        break;
    case K::Armour:
        armour(p, box, look);
        break;
    case K::Cloak:
        cloak(p, box, look);
        break;
    case K::Ring:
        ring(p, box, look);
        break;
    case K::Amulet:
        amulet(p, box, look);
        break;
    case K::Bracer:
        bracer(p, box, look);
        break;
    case K::Potion:
        potion(p, box, look);
        break;
    case K::Elixir:
        elixir(p, box, look);
        break;
    case K::Vial:
        vial(p, box, look);
        break;
    case K::Bottle:
        bottle(p, box, look);
        break;
    case K::Scroll:
        scroll(p, box, look);
        break;
    case K::Book:
        book(p, box, look);
        break;
    case K::Gold:
        goldPile(p, box, look);
        break;
    case K::Ear:
        ear(p, box, look);
        break;
    case K::Key:
        key(p, box, look);
        break;
    case K::Gem:
        gem(p, box, look);
        break;
    case K::Rock:
        rock(p, box, look);
        break;
    case K::Sphere:
        sphere(p, box, look);
        break;
    case K::Cube:
        cube(p, box, look);
        break;
    case K::Pyramid:
        pyramid(p, box, look);
        break;
    case K::Note:
        note(p, box, look);
        break;
    case K::Rune:
        rune(p, box, look);
        break;
    case K::Bomb:
        bomb(p, box, look);
        break;
    case K::Map:
        map(p, box, look);
        break;
    case K::Mushroom:
        mushroom(p, box, look);
        break;
    case K::Brain:
        brain(p, box, look);
        break;
    case K::Heart:
        heart(p, box, look);
        break;
    case K::Claw:
        claw(p, box, look);
        break;
    case K::Tooth:
        tooth(p, box, look);
        break;
    case K::Bread:
        bread(p, box, look);
        break;
    case K::Pouch:
        pouch(p, box, look);
        break;
    case K::Sign:
        sign(p, box, look);
        break;
    case K::Anvil:
        anvil(p, box, look);
        break;
    case K::Cup:
        cup(p, box, look);
        break;
    case K::Bear:
        bear(p, box, look);
        break;
    case K::Blank:
        blank(p, box, look);
        break;
    case K::Unknown:
        unknown(p, box, look);
        break;
    }
}

QImage background(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QRadialGradient g(QPointF(size.width() / 2.0, size.height() / 2.0),
                      std::max(size.width(), size.height()) * 0.7);
    g.setColorAt(0, QColor(46, 40, 34));
    g.setColorAt(1, QColor(22, 18, 15));
    p.fillRect(image.rect(), g);
    return image;
}

} // namespace

QSize ItemPainter::pictureSize(int graphic)
{
    struct Range {
        int last, columns, rows;
    };
    // Inventory cells per graphic number, by runs of numbers.
    static const Range ranges[] = {{49, 1, 1},  {55, 1, 2},  {74, 1, 3},  {99, 2, 2},  {167, 2, 3},
                                   {197, 1, 1}, {199, 2, 2}, {202, 1, 3}, {226, 2, 3}, {228, 2, 3},
                                   {232, 1, 1}, {240, 2, 2}, {255, 2, 3}};
    for (const Range& r : ranges)
        if (graphic <= r.last) return QSize(28 * r.columns, 28 * r.rows);
    return QSize();
}

int ItemPainter::bitsPerPixel(int graphic)
{
    return graphic == 227 || graphic == 228 ? 4 : 8;
}

QImage ItemPainter::paint(const ItemLook& look, QSize size)
{
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, look, QRectF(QPointF(0, 0), QSizeF(size)).adjusted(2, 2, -2, -2));
    }
    return shade::withOutline(layer, background(size), QColor(6, 4, 2), 0.85);
}
