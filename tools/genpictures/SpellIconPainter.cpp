#include "SpellIconPainter.h"

#include "Shading.h"

#include <QPainter>
#include <QtMath>

#include <cmath>

using namespace shade;

namespace {

enum class School { Fire, Lightning, Magic, Life, None };

struct Icon {
    const char* name;
    School school;
};

// The rows of the icon list, in order; icon row r is bitmap 696 + r.
const Icon icons[] = {
    {"Firebolt", School::Fire},
    {"Healing", School::Life},
    {"Lightning", School::Lightning},
    {"Flash", School::Lightning},
    {"Identify", School::Magic},
    {"FireWall", School::Fire},
    {"Town Portal", School::Magic},
    {"Stone Curse", School::Magic},
    {"Infravision", School::Magic},
    {"Heal Other", School::Life},
    {"Nova", School::Lightning},
    {"Fireball", School::Fire},
    {"Mana Shield", School::Magic},
    {"Flame Wave", School::Fire},
    {"Inferno", School::Fire},
    {"Chain Lightning", School::Lightning},
    {"???", School::Magic},
    {"Guardian", School::Fire},
    {"Blood Ritual", School::Magic},
    {"Invisibility", School::Magic},
    {"Golem", School::Fire},
    {"Etherealize", School::Magic},
    {"Blood Boil", School::Magic},
    {"Teleport", School::Magic},
    {"Apocalypse", School::Fire},
    {"Item Repair", School::Life},
    {"Blank", School::None},
    {"Phasing", School::Magic},
    {"Staff Recharge", School::Life},
    {"Bone Spirit", School::Magic},
    {"\"flaming skull\"", School::Fire},
    {"\"pentagram ring\"", School::Magic},
    {"\"tilted fire wall\"", School::Fire},
    {"\"bull head\"", School::Fire},
    {"\"pentagram\"", School::Magic},
    {"Blood Star", School::Magic},
    {"Trap Disarm", School::Magic},
    {"Elemental", School::Fire},
    {"Charged Bolt", School::Lightning},
    {"Telekinesis", School::Magic},
    {"Resurrect", School::Life},
    {"Holy Bolt", School::Magic},
    {"Warp", School::Magic},
    {"Seek", School::Magic},
    {"Reflect", School::Magic},
    {"Lightning Wall", School::Lightning},
    {"Immolation", School::Fire},
    {"Berserk", School::Magic},
    {"Ring of Fire", School::Fire},
    {"Jester", School::Magic},
    {"Mana / Magi", School::Magic},
};

QColor discColour(School s)
{
    switch (s) {
    case School::Fire:
        return QColor(214, 70, 18);
    case School::Lightning:
        return QColor(36, 96, 214);
    case School::Magic:
        return QColor(128, 52, 196);
    case School::Life:
        return QColor(40, 150, 64);
    case School::None:
        return QColor(96, 92, 88);
    }
    return {};
}

QColor glyphColour(School s)
{
    switch (s) {
    case School::Fire:
        return QColor(255, 226, 120);
    case School::Lightning:
        return QColor(214, 240, 255);
    case School::Magic:
        return QColor(244, 226, 255);
    case School::Life:
        return QColor(226, 255, 220);
    case School::None:
        return QColor(200, 200, 200);
    }
    return {};
}

struct Glyph {
    QPainter& p;
    School school;
    QColor colour() const { return glyphColour(school); }
    void fill(const QPainterPath& path, QColor c = QColor()) const
    {
        if (!c.isValid()) c = colour();
        const QRectF r = path.boundingRect();
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, lit(c, 0.7));
        g.setColorAt(1, c);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(path);
    }
    void stroke(const QPainterPath& path, qreal width, QColor c = QColor()) const
    {
        shade::stroke(p, path, c.isValid() ? c : colour(), width);
    }
};

QPainterPath flamePath(QPointF base, qreal w, qreal h)
{
    const qreal x = base.x(), y = base.y();
    QPainterPath path(QPointF(x, y));
    path.cubicTo(x - w * 0.62, y, x - w * 0.58, y - h * 0.45, x - w * 0.22, y - h * 0.7);
    path.quadTo(x - w * 0.16, y - h * 0.45, x - w * 0.02, y - h * 0.5);
    path.cubicTo(x - w * 0.12, y - h * 0.8, x + w * 0.06, y - h * 0.9, x + w * 0.02, y - h);
    path.cubicTo(x + w * 0.5, y - h * 0.72, x + w * 0.66, y - h * 0.3, x + w * 0.4, y - h * 0.08);
    path.quadTo(x + w * 0.25, y, x, y);
    path.closeSubpath();
    return path;
}

void flame(const Glyph& g, QPointF base, qreal w, qreal h)
{
    const QPainterPath outer = flamePath(base, w, h);
    QLinearGradient grad(QPointF(0, base.y() - h), QPointF(0, base.y()));
    grad.setColorAt(0, QColor(255, 250, 200));
    grad.setColorAt(0.6, QColor(255, 200, 60));
    grad.setColorAt(1, QColor(255, 130, 30));
    g.p.setPen(Qt::NoPen);
    g.p.setBrush(grad);
    g.p.drawPath(outer);
    g.p.setBrush(QColor(255, 255, 230));
    g.p.drawPath(flamePath(base - QPointF(0, h * 0.05), w * 0.45, h * 0.5));
}

QPainterPath boltPath(QPointF top, qreal w, qreal h)
{
    auto at = [&](qreal fx, qreal fy) { return QPointF(top.x() + (fx - 0.5) * w, top.y() + fy * h); };
    return polygon({at(0.62, 0.0), at(0.14, 0.56), at(0.46, 0.56), at(0.3, 1.0), at(0.88, 0.38),
                    at(0.54, 0.38), at(0.82, 0.0)});
}

QPainterPath starPath(QPointF c, int points, qreal outer, qreal inner, qreal rotation = -90)
{
    QList<QPointF> pts;
    for (int i = 0; i < points * 2; ++i) {
        const qreal a = qDegreesToRadians(rotation + 180.0 * i / points);
        const qreal r = i % 2 ? inner : outer;
        pts << c + QPointF(std::cos(a), std::sin(a)) * r;
    }
    QPainterPath path;
    path.addPolygon(QPolygonF(pts));
    path.closeSubpath();
    return path;
}

QPainterPath pentagramLines(QPointF c, qreal r)
{
    QPainterPath path;
    for (int i = 0; i <= 5; ++i) {
        const qreal a = qDegreesToRadians(-90 + i * 144.0);
        const QPointF pt = c + QPointF(std::cos(a), std::sin(a)) * r;
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    return path;
}

void skull(const Glyph& g, QPointF c, qreal s)
{
    QPainterPath head;
    head.addEllipse(QRectF(c.x() - s * 0.5, c.y() - s * 0.55, s, s * 0.86));
    head.addRoundedRect(QRectF(c.x() - s * 0.3, c.y() + s * 0.1, s * 0.6, s * 0.4), 2, 2);
    head = head.simplified();
    g.fill(head, QColor(240, 232, 210));
    const QColor hole(30, 16, 20);
    dot(g.p, c + QPointF(-s * 0.2, -s * 0.08), s * 0.14, hole);
    dot(g.p, c + QPointF(s * 0.2, -s * 0.08), s * 0.14, hole);
    shade::fill(g.p,
                polygon({c + QPointF(0, s * 0.08), c + QPointF(-s * 0.07, s * 0.22),
                         c + QPointF(s * 0.07, s * 0.22)}),
                hole);
    for (int i = -1; i <= 1; ++i)
        line(g.p, c + QPointF(i * s * 0.13, s * 0.32), c + QPointF(i * s * 0.13, s * 0.48), hole, 1.0);
}

void person(const Glyph& g, QPointF c, qreal s, const QColor& colour, bool dashed)
{
    QPainterPath body;
    body.addEllipse(c + QPointF(0, -s * 0.55), s * 0.2, s * 0.2);
    QPainterPath torso(c + QPointF(-s * 0.42, s * 0.6));
    torso.cubicTo(c + QPointF(-s * 0.42, -s * 0.3), c + QPointF(s * 0.42, -s * 0.3),
                  c + QPointF(s * 0.42, s * 0.6));
    torso.closeSubpath();
    body.addPath(torso);
    if (dashed) {
        QPen pen(colour, 2.5, Qt::DashLine);
        pen.setDashPattern({1.6, 1.0});
        g.p.setPen(pen);
        g.p.setBrush(Qt::NoBrush);
        g.p.drawPath(body.simplified());
    } else {
        g.fill(body.simplified(), colour);
    }
}

void arrowHead(const Glyph& g, QPointF tip, qreal angleDeg, qreal size)
{
    const qreal a = qDegreesToRadians(angleDeg);
    const QPointF dir(std::cos(a), std::sin(a)), side(-dir.y(), dir.x());
    g.fill(polygon({tip, tip - dir * size + side * size * 0.6, tip - dir * size - side * size * 0.6}));
}

void drawGlyph(QPainter& p, int row, School school)
{
    const Glyph g{p, school};
    const QPointF c(28, 28);
    switch (row) {
    case 0: { // Firebolt: a bolt of flame flying up and away
        p.save();
        p.translate(29, 27);
        p.rotate(45);
        flame(g, QPointF(0, 19), 17, 40);
        p.restore();
        break;
    }
    case 1: { // Healing
        QPainterPath plus;
        plus.addRoundedRect(QRectF(23, 11, 10, 34), 2, 2);
        plus.addRoundedRect(QRectF(11, 23, 34, 10), 2, 2);
        g.fill(plus.simplified());
        break;
    }
    case 2:
        g.fill(boltPath(QPointF(28, 9), 28, 38));
        break;
    case 3: { // Flash
        g.fill(starPath(c, 4, 20, 4.5));
        g.fill(starPath(c, 4, 13, 3.5, -45));
        dot(p, c, 4.5, QColor(255, 255, 255));
        break;
    }
    case 4: { // Identify: a lens
        g.stroke(QPainterPath(QPointF(32, 32)), 1);
        QPainterPath handle(QPointF(31, 31));
        handle.lineTo(QPointF(43, 43));
        g.stroke(handle, 6.0);
        g.stroke(ellipse(QPointF(23, 23), 9.5, 9.5), 3.5);
        shade::fill(p, ellipse(QPointF(23, 23), 7.5, 7.5), QColor(180, 220, 255, 110));
        shine(p, QPointF(18, 21), QPointF(21, 18), 230);
        break;
    }
    case 5: { // FireWall
        for (int i = 0; i < 3; ++i)
            flame(g, QPointF(16 + i * 12, 42), 13, i == 1 ? 30 : 24);
        g.fill(rectPath(QRectF(9, 41, 38, 3)), QColor(255, 150, 50));
        break;
    }
    case 6: { // Town Portal: a glowing gate
        QPainterPath gate;
        gate.moveTo(17, 46);
        gate.lineTo(17, 24);
        gate.cubicTo(17, 8, 39, 8, 39, 24);
        gate.lineTo(39, 46);
        gate.closeSubpath();
        QRadialGradient rg(QPointF(28, 28), 16);
        rg.setColorAt(0, QColor(240, 250, 255));
        rg.setColorAt(0.6, QColor(110, 170, 255));
        rg.setColorAt(1, QColor(40, 70, 200));
        p.setPen(Qt::NoPen);
        p.setBrush(rg);
        p.drawPath(gate);
        QPainterPath swirl(QPointF(28, 30));
        for (int i = 1; i <= 24; ++i) {
            const qreal a = i * 0.5, r = i * 0.45;
            swirl.lineTo(28 + std::cos(a) * r, 30 + std::sin(a) * r);
        }
        shade::stroke(p, swirl, QColor(255, 255, 255, 200), 1.2);
        g.stroke(gate, 2.0);
        break;
    }
    case 7: { // Stone Curse: a figure turned to stone on its plinth
        person(g, QPointF(28, 25), 28, QColor(186, 182, 174), false);
        g.fill(roundRect(QRectF(14, 42, 28, 6), 1), QColor(150, 146, 140));
        QPainterPath crack(QPointF(25, 19));
        crack.lineTo(30, 27);
        crack.lineTo(25, 33);
        crack.lineTo(31, 41);
        shade::stroke(p, crack, QColor(60, 56, 52), 1.2);
        break;
    }
    case 8: { // Infravision: an eye that sees heat
        QPainterPath eye(QPointF(9, 28));
        eye.quadTo(QPointF(28, 10), QPointF(47, 28));
        eye.quadTo(QPointF(28, 46), QPointF(9, 28));
        g.fill(eye);
        dot(p, c, 7.5, QColor(220, 40, 30));
        dot(p, c, 3.5, QColor(30, 8, 8));
        dot(p, c + QPointF(-2.5, -2.5), 1.5, QColor(255, 255, 255));
        break;
    }
    case 9: { // Heal Other: a heart with a cross
        QPainterPath heart(QPointF(28, 20));
        heart.cubicTo(QPointF(28, 8), QPointF(8, 8), QPointF(10, 24));
        heart.cubicTo(QPointF(12, 34), QPointF(24, 40), QPointF(28, 47));
        heart.cubicTo(QPointF(32, 40), QPointF(44, 34), QPointF(46, 24));
        heart.cubicTo(QPointF(48, 8), QPointF(28, 8), QPointF(28, 20));
        g.fill(heart);
        QPainterPath plus;
        plus.addRect(QRectF(26, 19, 4, 14));
        plus.addRect(QRectF(21, 24, 14, 4));
        shade::fill(p, plus.simplified(), QColor(40, 150, 64));
        break;
    }
    case 10: { // Nova: a ring bursting outwards
        g.fill(starPath(c, 12, 21, 13));
        shade::fill(p, ellipse(c, 11, 11), discColour(school));
        g.stroke(ellipse(c, 8, 8), 2.5);
        break;
    }
    case 11: { // Fireball
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(c);
            p.rotate(i * 45);
            flame(g, QPointF(0, -6), 10, 15);
            p.restore();
        }
        ball(p, ellipse(c, 9.5, 9.5), QColor(255, 200, 70), 0);
        dot(p, c + QPointF(-3, -3), 3.5, QColor(255, 255, 230));
        break;
    }
    case 12: { // Mana Shield
        QPainterPath sh;
        sh.moveTo(13, 11);
        sh.quadTo(28, 15, 43, 11);
        sh.lineTo(43, 26);
        sh.cubicTo(43, 38, 32, 44, 28, 47);
        sh.cubicTo(24, 44, 13, 38, 13, 26);
        sh.closeSubpath();
        g.stroke(sh, 3.0);
        shade::fill(p, sh, QColor(170, 200, 255, 90));
        g.fill(starPath(QPointF(28, 27), 4, 9, 2.5));
        break;
    }
    case 13: { // Flame Wave: fire rolling along the ground, growing as it goes
        QPainterPath ground(QPointF(8, 42));
        ground.cubicTo(QPointF(16, 36), QPointF(24, 48), QPointF(32, 42));
        ground.cubicTo(QPointF(38, 38), QPointF(44, 42), QPointF(48, 40));
        g.stroke(ground, 3.0, QColor(255, 150, 50));
        flame(g, QPointF(13, 40), 10, 14);
        flame(g, QPointF(26, 44), 13, 24);
        flame(g, QPointF(40, 40), 15, 32);
        break;
    }
    case 14:
        flame(g, QPointF(28, 48), 30, 40);
        break;
    case 15: { // Chain Lightning: one bolt forking to several targets
        QPainterPath chain(QPointF(10, 10));
        chain.lineTo(22, 22);
        chain.lineTo(18, 27);
        chain.lineTo(30, 32);
        chain.moveTo(30, 32);
        chain.lineTo(44, 26);
        chain.moveTo(30, 32);
        chain.lineTo(28, 40);
        chain.lineTo(36, 46);
        g.stroke(chain, 3.0);
        for (QPointF pt : {QPointF(10, 10), QPointF(30, 32), QPointF(44, 26), QPointF(36, 46)})
            dot(p, pt, 3.2, QColor(255, 255, 255));
        break;
    }
    case 16: { // ???
        QFont font("DejaVu Sans");
        font.setBold(true);
        font.setPixelSize(38);
        QPainterPath text;
        text.addText(0, 0, font, "?");
        const QRectF r = text.boundingRect();
        g.fill(text.translated(c - r.center()));
        break;
    }
    case 17: { // Guardian: a watchtower spitting fire
        QPainterPath tower;
        tower.addRect(QRectF(19, 24, 18, 22));
        tower.addRect(QRectF(16, 18, 24, 7));
        for (int i = 0; i < 3; ++i)
            tower.addRect(QRectF(16 + i * 9, 14, 6, 5));
        tower = tower.simplified();
        g.fill(tower, QColor(236, 210, 180));
        shade::fill(p, roundRect(QRectF(25, 32, 6, 14), 3), QColor(60, 30, 20));
        shade::fill(p, rectPath(QRectF(20, 26, 4, 4)), QColor(255, 200, 60));
        shade::fill(p, rectPath(QRectF(32, 26, 4, 4)), QColor(255, 200, 60));
        break;
    }
    case 18: { // Blood Ritual: a drop of blood over a blade
        QPainterPath blade =
            polygon({QPointF(12, 44), QPointF(38, 18), QPointF(42, 14), QPointF(40, 20), QPointF(14, 46)});
        g.fill(blade, QColor(220, 226, 236));
        QPainterPath drop(QPointF(26, 10));
        drop.cubicTo(QPointF(34, 22), QPointF(36, 28), QPointF(30, 34));
        drop.cubicTo(QPointF(24, 38), QPointF(16, 32), QPointF(20, 24));
        drop.closeSubpath();
        ball(p, drop, QColor(210, 20, 30), 0);
        break;
    }
    case 19:
        person(g, QPointF(28, 29), 30, g.colour(), true);
        break;
    case 20: { // Golem: a hulking figure of clay
        QPainterPath golem;
        golem.addRoundedRect(QRectF(22, 9, 12, 10), 2, 2);
        golem.addRoundedRect(QRectF(14, 19, 28, 16), 3, 3);
        golem.addRoundedRect(QRectF(8, 20, 8, 18), 3, 3);
        golem.addRoundedRect(QRectF(40, 20, 8, 18), 3, 3);
        golem.addRoundedRect(QRectF(17, 34, 9, 13), 2, 2);
        golem.addRoundedRect(QRectF(30, 34, 9, 13), 2, 2);
        g.fill(golem.simplified(), QColor(236, 190, 140));
        dot(p, QPointF(25.5, 14), 1.3, QColor(255, 80, 20));
        dot(p, QPointF(30.5, 14), 1.3, QColor(255, 80, 20));
        break;
    }
    case 21: { // Etherealize: a ghost
        QPainterPath ghost(QPointF(14, 46));
        ghost.lineTo(14, 24);
        ghost.cubicTo(14, 6, 42, 6, 42, 24);
        ghost.lineTo(42, 46);
        for (int i = 0; i < 4; ++i)
            ghost.quadTo(QPointF(42 - 3.5 - i * 7, 40), QPointF(42 - 7 - i * 7, 46));
        ghost.closeSubpath();
        g.fill(ghost);
        dot(p, QPointF(23, 24), 2.6, QColor(60, 30, 90));
        dot(p, QPointF(33, 24), 2.6, QColor(60, 30, 90));
        break;
    }
    case 22: { // Blood Boil: bubbling blood
        QPainterPath pool = ellipse(QPointF(28, 40), 17, 7);
        ball(p, pool, QColor(200, 20, 30), 0);
        for (QPointF b : {QPointF(20, 26), QPointF(32, 20), QPointF(27, 31), QPointF(38, 30)}) {
            const qreal r = b.y() < 22 ? 5.5 : 4;
            ball(p, ellipse(b, r, r), QColor(230, 50, 50), 0);
            g.stroke(ellipse(b, r, r), 1.2, QColor(255, 200, 200));
        }
        break;
    }
    case 23: { // Teleport: from here to there
        QPainterPath arc(QPointF(14, 40));
        arc.cubicTo(QPointF(12, 14), QPointF(36, 8), QPointF(40, 20));
        g.stroke(arc, 3.0);
        arrowHead(g, QPointF(42, 26), 75, 9);
        g.fill(ellipse(QPointF(14, 42), 6, 2.5));
        g.fill(ellipse(QPointF(42, 42), 6, 2.5));
        break;
    }
    case 24: { // Apocalypse: fire falling from the sky
        g.fill(starPath(c, 12, 22, 10), QColor(255, 190, 80));
        g.fill(starPath(c, 8, 13, 7, -70), QColor(255, 240, 170));
        dot(p, c, 5, QColor(255, 255, 240));
        break;
    }
    case 25: { // Item Repair: a hammer
        p.save();
        p.translate(c);
        p.rotate(-40);
        g.fill(roundRect(QRectF(-2.5, -10, 5, 30), 2), QColor(230, 190, 140));
        g.fill(roundRect(QRectF(-11, -18, 22, 10), 2));
        p.restore();
        break;
    }
    case 26:
        break; // Blank
    case 27: { // Phasing: a spiral
        QPainterPath swirl(c);
        for (int i = 1; i <= 60; ++i) {
            const qreal a = i * 0.22, r = i * 0.32;
            swirl.lineTo(c.x() + std::cos(a) * r, c.y() + std::sin(a) * r);
        }
        g.stroke(swirl, 3.0);
        break;
    }
    case 28: { // Staff Recharge
        QPainterPath staffPath(QPointF(14, 46));
        staffPath.lineTo(34, 18);
        g.stroke(staffPath, 4.0, QColor(230, 190, 140));
        ball(p, ellipse(QPointF(36, 15), 5.5, 5.5), QColor(120, 180, 255), 0);
        g.fill(starPath(QPointF(20, 16), 4, 7, 2));
        g.fill(starPath(QPointF(44, 34), 4, 6, 1.8));
        break;
    }
    case 29:
        skull(g, QPointF(28, 29), 30);
        break;
    case 30: { // flaming skull
        for (int i = 0; i < 3; ++i)
            flame(g, QPointF(19 + i * 9, 24), 11, i == 1 ? 20 : 15);
        skull(g, QPointF(28, 34), 24);
        break;
    }
    case 31: { // pentagram ring
        g.stroke(ellipse(c, 19, 19), 2.5);
        g.stroke(pentagramLines(c, 19), 2.2);
        break;
    }
    case 32: { // tilted fire wall
        for (int i = 0; i < 3; ++i) {
            p.save();
            p.translate(QPointF(16 + i * 12, 44 - i * 10));
            p.rotate(-30);
            flame(g, QPointF(0, 0), 11, 20);
            p.restore();
        }
        break;
    }
    case 33: { // bull head
        QPainterPath horns(QPointF(17, 22));
        horns.cubicTo(QPointF(6, 22), QPointF(6, 12), QPointF(10, 8));
        horns.cubicTo(QPointF(12, 16), QPointF(16, 17), QPointF(20, 17));
        horns.lineTo(36, 17);
        horns.cubicTo(QPointF(40, 17), QPointF(44, 16), QPointF(46, 8));
        horns.cubicTo(QPointF(50, 12), QPointF(50, 22), QPointF(39, 22));
        horns.closeSubpath();
        g.fill(horns, QColor(246, 236, 210));
        QPainterPath head(QPointF(17, 18));
        head.lineTo(39, 18);
        head.cubicTo(QPointF(40, 32), QPointF(36, 46), QPointF(28, 47));
        head.cubicTo(QPointF(20, 46), QPointF(16, 32), QPointF(17, 18));
        g.fill(head, QColor(230, 180, 130));
        dot(p, QPointF(22.5, 27), 2.0, QColor(120, 10, 10));
        dot(p, QPointF(33.5, 27), 2.0, QColor(120, 10, 10));
        shade::fill(p, ellipse(QPointF(28, 41), 6, 4), QColor(160, 100, 70));
        dot(p, QPointF(25.5, 41), 1.2, QColor(40, 20, 10));
        dot(p, QPointF(30.5, 41), 1.2, QColor(40, 20, 10));
        break;
    }
    case 34:
        g.stroke(pentagramLines(c, 20), 3.0);
        break;
    case 35: { // Blood Star
        ball(p, starPath(c, 5, 21, 9), QColor(230, 40, 50), 0);
        g.stroke(starPath(c, 5, 21, 9), 1.2, QColor(255, 200, 200));
        break;
    }
    case 36: { // Trap Disarm: spikes under a bar
        for (int i = 0; i < 3; ++i)
            g.fill(polygon({QPointF(13 + i * 11, 44), QPointF(18.5 + i * 11, 26), QPointF(24 + i * 11, 44)}));
        g.stroke(ellipse(c, 20, 20), 3.0, QColor(255, 90, 90));
        QPainterPath slash(QPointF(14, 14));
        slash.lineTo(42, 42);
        g.stroke(slash, 3.0, QColor(255, 90, 90));
        break;
    }
    case 37: { // Elemental: a living flame
        flame(g, QPointF(28, 48), 28, 38);
        dot(p, QPointF(24, 34), 2.3, QColor(120, 20, 0));
        dot(p, QPointF(32, 34), 2.3, QColor(120, 20, 0));
        break;
    }
    case 38: { // Charged Bolt: sparks
        for (QPointF s : {QPointF(18, 18), QPointF(36, 24), QPointF(22, 38)}) {
            g.fill(starPath(s, 6, 8, 3));
            dot(p, s, 2.5, QColor(255, 255, 255));
        }
        break;
    }
    case 39: { // Telekinesis: an open hand reaching
        QPainterPath hand;
        hand.addRoundedRect(QRectF(18, 26, 20, 18), 5, 5);
        for (int i = 0; i < 4; ++i)
            hand.addRoundedRect(QRectF(18.5 + i * 5, 12 + (i == 0 || i == 3 ? 4 : 0), 4, 18), 2, 2);
        hand.addRoundedRect(QRectF(9, 28, 14, 5), 2.5, 2.5);
        g.fill(hand.simplified());
        for (int i = 0; i < 3; ++i) {
            QPainterPath wave(QPointF(42 + i * 3, 18 + i * 2));
            wave.quadTo(QPointF(46 + i * 3, 28), QPointF(42 + i * 3, 38 - i * 2));
            g.stroke(wave, 1.2);
        }
        break;
    }
    case 40: { // Resurrect: an ankh
        QPainterPath ankh = ellipse(QPointF(28, 18), 7, 9);
        ankh.addEllipse(QPointF(28, 18), 3, 5);
        ankh.setFillRule(Qt::OddEvenFill);
        QPainterPath bars;
        bars.addRect(QRectF(16, 26, 24, 5));
        bars.addRect(QRectF(25.5, 26, 5, 22));
        g.fill(bars.united(ankh));
        break;
    }
    case 41: { // Holy Bolt: a shining cross
        g.fill(starPath(QPointF(28, 24), 8, 20, 6), QColor(255, 240, 180, 200));
        QPainterPath cross;
        cross.addRect(QRectF(25, 8, 6, 40));
        cross.addRect(QRectF(16, 18, 24, 6));
        g.fill(cross.simplified());
        break;
    }
    case 42: { // Warp: drawn in from all sides
        g.stroke(ellipse(c, 6, 6), 2.5);
        for (int i = 0; i < 4; ++i) {
            const qreal a = i * 90 + 45;
            const QPointF dir(std::cos(qDegreesToRadians(a)), std::sin(qDegreesToRadians(a)));
            QPainterPath shaft(c + dir * 21);
            shaft.lineTo(c + dir * 14);
            g.stroke(shaft, 3.0);
            arrowHead(g, c + dir * 8.5, a + 180, 7);
        }
        break;
    }
    case 43: { // Seek: a compass rose
        g.fill(starPath(c, 4, 21, 5));
        g.fill(starPath(c, 4, 12, 3.5, -45), QColor(200, 170, 255));
        shade::fill(p, polygon({c + QPointF(0, -21), c + QPointF(-5, -5), c + QPointF(5, -5)}),
                    QColor(255, 90, 90));
        break;
    }
    case 44: { // Reflect: a missile turned back by a mirror
        g.fill(roundRect(QRectF(38, 10, 6, 36), 2), QColor(190, 220, 255));
        QPainterPath path(QPointF(10, 14));
        path.lineTo(36, 28);
        path.lineTo(14, 42);
        g.stroke(path, 3.0);
        arrowHead(g, QPointF(11, 44), 147, 9);
        break;
    }
    case 45: { // Lightning Wall
        for (int i = 0; i < 3; ++i)
            g.fill(boltPath(QPointF(15 + i * 13, 10), 14, 36));
        break;
    }
    case 46: { // Immolation: fire bursting out all round
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(c);
            p.rotate(i * 45);
            flame(g, QPointF(0, -9), 9, 13);
            p.restore();
        }
        ball(p, ellipse(c, 6, 6), QColor(255, 220, 120), 0);
        break;
    }
    case 47: { // Berserk: crossed swords
        for (int side : {-1, 1}) {
            p.save();
            p.translate(c);
            p.rotate(side * 40);
            g.fill(polygon({QPointF(-2.5, 12), QPointF(-2.5, -14), QPointF(0, -20), QPointF(2.5, -14),
                            QPointF(2.5, 12)}));
            g.fill(rectPath(QRectF(-7, 10, 14, 3)), QColor(255, 200, 100));
            g.fill(rectPath(QRectF(-1.5, 13, 3, 7)), QColor(200, 130, 80));
            p.restore();
        }
        break;
    }
    case 48: { // Ring of Fire
        for (int i = 0; i < 12; ++i) {
            const qreal a = qDegreesToRadians(i * 30.0);
            flame(g, c + QPointF(std::cos(a) * 15, std::sin(a) * 15 + 5), 9, 14);
        }
        break;
    }
    case 49: { // Jester: a fool's cap
        const QPointF tips[] = {{9, 24}, {28, 8}, {47, 24}};
        const QColor colours[] = {QColor(255, 110, 110), QColor(140, 240, 140), QColor(255, 110, 110)};
        for (int i : {0, 2, 1}) {
            QPainterPath lobe(QPointF(16 + i * 8, 40));
            lobe.quadTo(QPointF(14 + i * 9, 22), tips[i]);
            lobe.quadTo(QPointF(22 + i * 9, 24), QPointF(28 + i * 6, 40));
            lobe.closeSubpath();
            g.fill(lobe, colours[i]);
        }
        g.fill(roundRect(QRectF(13, 38, 30, 7), 2));
        for (const QPointF& t : tips)
            ball(p, ellipse(t, 3.5, 3.5), QColor(255, 210, 80), 0);
        break;
    }
    case 50: { // Mana / Magi: a flask of mana
        QPainterPath flask = ellipse(QPointF(28, 34), 13, 13);
        flask.addRect(QRectF(23, 10, 10, 14));
        flask = flask.simplified();
        g.fill(flask);
        p.save();
        p.setClipPath(flask);
        shade::fill(p, rectPath(QRectF(10, 30, 36, 20)), QColor(40, 90, 240));
        p.restore();
        shade::fill(p, rectPath(QRectF(24, 6, 8, 5)), QColor(190, 140, 90));
        break;
    }
    default:
        break;
    }
}

} // namespace

int SpellIconPainter::count()
{
    return int(std::size(icons));
}

QString SpellIconPainter::name(int row)
{
    return QString::fromLatin1(icons[row].name);
}

QImage SpellIconPainter::paint(int row)
{
    const School school = icons[row].school;
    const QSize size(56, 56);
    QImage ground(size, QImage::Format_ARGB32_Premultiplied);
    ground.fill(QColor(20, 16, 14));
    {
        QPainter p(&ground);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF c(28, 28);
        const QColor base = discColour(school);
        QRadialGradient g(c, 27, QPointF(21, 19));
        g.setColorAt(0, lit(base, 0.35));
        g.setColorAt(0.55, base);
        g.setColorAt(1, dim(base, 0.6));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, 26.5, 26.5);
        // a bevelled rim: dark edge, lit towards the upper left
        stroke(p, ellipse(c, 26, 26), dim(base, 0.7), 1.5);
        QConicalGradient rim(c, 135);
        rim.setColorAt(0, QColor(255, 255, 255, 150));
        rim.setColorAt(0.5, QColor(255, 255, 255, 0));
        rim.setColorAt(1, QColor(255, 255, 255, 150));
        p.setPen(QPen(QBrush(rim), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 24.2, 24.2);
    }
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        drawGlyph(p, row, school);
    }
    return withOutline(layer, ground, QColor(16, 6, 10), 0.85);
}
