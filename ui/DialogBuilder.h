#pragma once

#include <QFont>
#include <QHash>
#include <QRect>

class QWidget;

namespace tarvix {

struct DialogTemplate;

// Dialog units follow the font actually used, as on Windows: a horizontal unit is a
// quarter of the average character width, a vertical unit an eighth of the line height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    // Widens the horizontal unit where the font's texts are wider, relative to its
    // average character, than the font the template was drawn with: every caption
    // then fits its control instead of being cut.
    void fitCaptions(const QFont& font, const DialogTemplate& t);
    int x(int du) const;
    int y(int du) const;
    QRect rect(int x, int y, int w, int h) const;

private:
    double m_baseX;
    double m_baseY;
};

// The template's font, or the nearest that is installed ("Comic Neue" stands in for
// "Comic Sans MS"), else the system font.
QFont templateFont(const DialogTemplate& t);

// Makes the template's controls as children of dialog, at their positions, in tab order.
// Every control with an id gets that id in decimal as its objectName.
QHash<int, QWidget*> buildControls(QWidget* dialog, const DialogTemplate& t);

} // namespace tarvix
