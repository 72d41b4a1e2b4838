#include "ui/DialogBuilder.h"

#include "ui/DialogTemplate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tarvix {

DialogUnits::DialogUnits(const QFont& font)
{
    QFontMetricsF fm(font);
    const double alphabet = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = std::round(alphabet / 52.0 * 2.0) / 2.0;
    m_baseY = std::ceil(fm.height());
}

int DialogUnits::x(int du) const { return static_cast<int>(std::lround(du * m_baseX / 4.0)); }
int DialogUnits::y(int du) const { return static_cast<int>(std::lround(du * m_baseY / 8.0)); }

void DialogUnits::fitCaptions(const QFont& font, const DialogTemplate& t)
{
    using K = ControlTemplate::Kind;
    QFontMetricsF fm(font);
    // The style decides how much a check or radio button adds to its text; ask it.
    QCheckBox checkProbe;
    QRadioButton radioProbe;
    checkProbe.setFont(font);
    radioProbe.setFont(font);
    double needed = m_baseX;
    for (const ControlTemplate& c : t.controls) {
        if (c.caption.isEmpty() || c.w <= 0) continue;
        double width = 0;
        if (c.kind == K::Label && !c.caption.contains('\n')) { // a label with line breaks wraps
            width = fm.horizontalAdvance(c.caption) + 1;
        } else if (c.kind == K::Check || c.kind == K::Radio) {
            QAbstractButton& probe =
                c.kind == K::Check ? static_cast<QAbstractButton&>(checkProbe) : radioProbe;
            probe.setText(c.caption);
            width = probe.sizeHint().width();
        } else {
            continue;
        }
        needed = std::max(needed, width * 4.0 / c.w);
    }
    // A runaway caption must not blow the dialog up; beyond this it may be cut.
    m_baseX = std::min(needed, m_baseX * 1.35);
}

QRect DialogUnits::rect(int x0, int y0, int w, int h) const
{
    const int left = x(x0), top = y(y0);
    return QRect(left, top, x(x0 + w) - left, y(y0 + h) - top);
}

QFont templateFont(const DialogTemplate& t)
{
    static const QStringList installed = QFontDatabase::families();
    QFont font;
    if (installed.contains(t.fontFamily)) font.setFamily(t.fontFamily);
    else if (t.fontFamily.startsWith(QLatin1String("Comic")) && installed.contains(QStringLiteral("Comic Neue")))
        font.setFamily(QStringLiteral("Comic Neue"));
    // 7 and 8 points are Windows' small dialog sizes; on other desktops they read too
    // small, so they count from the desktop's usual 9 points.
    font.setPointSizeF(t.fontPointSize + 2);
    return font;
}

namespace {

// Static controls of Windows draw "&&" as one ampersand and "&x" as an underlined x.
QString staticText(const QString& caption)
{
    QString out;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

// Windows runs a group box's frame through the middle of its caption, so the first row of
// controls that a template places just below the caption lies inside the frame. Qt's styles
// put the whole caption above the frame, which would cut through that row.
class GroupFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QFontMetrics fm = fontMetrics();
        qDrawShadeRect(&p, rect().adjusted(0, fm.height() / 2, 0, 0), palette(), true, 1, 0);
        const QString text = staticText(title());
        if (text.isEmpty()) return;
        const QRect caption(fm.averageCharWidth(), 0, fm.horizontalAdvance(text) + 4, fm.height());
        p.fillRect(caption, palette().window());
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(caption, Qt::AlignCenter, text);
    }
};

QWidget* makeControl(QWidget* parent, const ControlTemplate& c, const DialogUnits& du)
{
    using K = ControlTemplate::Kind;
    QRect r = du.rect(c.x, c.y, c.w, c.h);
    QWidget* w = nullptr;
    switch (c.kind) {
    case K::Label: {
        auto* label = new QLabel(staticText(c.caption), parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(c.caption.contains('\n') || r.height() > du.y(10));
        w = label;
        break;
    }
    case K::Edit:
        if (c.multiLine) {
            auto* edit = new QPlainTextEdit(parent);
            edit->setReadOnly(c.readOnly);
            // As the platform's edit control: the bar is there, even when idle, only if asked for.
            edit->setVerticalScrollBarPolicy(c.verticalScroll ? Qt::ScrollBarAlwaysOn
                                                              : Qt::ScrollBarAlwaysOff);
            w = edit;
        } else {
            auto* edit = new QLineEdit(parent);
            edit->setReadOnly(c.readOnly);
            edit->setTextMargins(1, 0, 1, 0);
            w = edit;
        }
        break;
    case K::Combo: {
        auto* combo = new QComboBox(parent);
        combo->addItems(c.rows);
        combo->setCurrentIndex(-1); // a drop-down list starts without a selection
        // The template's height is that of the opened list; the closed box is one line.
        const int closed = std::max(du.y(12), combo->fontMetrics().height() + 6);
        combo->setMaxVisibleItems(std::max(5, (r.height() - closed) / std::max(1, combo->fontMetrics().height())));
        r.setHeight(closed);
        w = combo;
        break;
    }
    case K::ListBox: {
        auto* list = new QListWidget(parent);
        list->addItems(c.rows);
        list->setSelectionMode(c.multipleSelection ? QAbstractItemView::MultiSelection
                                                   : QAbstractItemView::SingleSelection);
        // Every row of a list box is one line of text, as on Windows. Saying so spares the
        // view measuring each row before it can scroll: a list of a thousand game names
        // would otherwise cost a frame each time a record selects a row in it.
        list->setUniformItemSizes(true);
        if (c.multiColumn) {
            list->setFlow(QListView::TopToBottom);
            list->setWrapping(true);
            list->setResizeMode(QListView::Adjust);
        }
        w = list;
        break;
    }
    case K::Button: {
        auto* button = new QPushButton(c.caption, parent);
        // Enter is handled by the dialog; buttons never grab it by taking the focus.
        button->setAutoDefault(false);
        button->setDefault(false);
        w = button;
        break;
    }
    case K::Check: {
        auto* box = new QCheckBox(c.caption, parent);
        r.setHeight(std::max(r.height(), box->sizeHint().height()));
        r.moveTop(r.top() - (r.height() - du.y(c.h)) / 2);
        w = box;
        break;
    }
    case K::Radio: {
        auto* radio = new QRadioButton(c.caption, parent);
        r.setHeight(std::max(r.height(), radio->sizeHint().height()));
        r.moveTop(r.top() - (r.height() - du.y(c.h)) / 2);
        w = radio;
        break;
    }
    case K::Group: {
        auto* group = new GroupFrame(c.caption, parent);
        w = group;
        break;
    }
    case K::Picture: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = picture;
        break;
    }
    case K::Icon: {
        auto* icon = new QLabel(parent);
        bool ok = false;
        const int iconId = c.caption.toInt(&ok);
        if (ok) icon->setPixmap(QIcon(QStringLiteral(":/icons/%1-32.png").arg(iconId)).pixmap(32, 32));
        r.setSize(QSize(32, 32));
        w = icon;
        break;
    }
    }
    if (c.sunken) {
        if (auto* frame = qobject_cast<QFrame*>(w)) frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    w->setGeometry(r);
    if (c.id >= 0) w->setObjectName(QString::number(c.id));
    if (c.hidden) w->hide();
    if (c.disabled) w->setEnabled(false);
    return w;
}

} // namespace

QHash<int, QWidget*> buildControls(QWidget* dialog, const DialogTemplate& t)
{
    DialogUnits du(dialog->font());
    du.fitCaptions(dialog->font(), t);
    QHash<int, QWidget*> byId;
    QList<QWidget*> groups;
    struct Focusable {
        int middle; // vertical middle of the control's line, in dialog units
        int x;
        QWidget* widget;
    };
    std::vector<Focusable> focusable;
    for (const ControlTemplate& c : t.controls) {
        QWidget* w = makeControl(dialog, c, du);
        if (c.id >= 0) byId.insert(c.id, w);
        if (c.kind == ControlTemplate::Kind::Group) groups << w;
        // A control's line is that of its top row: a drop-down list's template height is
        // that of its opened list, and a tall list box starts on the line of its label.
        const int lineHeight = std::min(c.h, 12);
        if (w->focusPolicy() != Qt::NoFocus) focusable.push_back({c.y + lineHeight / 2, c.x, w});
    }
    // Tab goes through the controls as they stand on screen, line by line from the top
    // and left to right along a line, whatever order the template lists them in.
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const Focusable& a, const Focusable& b) { return a.middle < b.middle; });
    constexpr int kSameLine = 5;
    for (std::size_t first = 0; first < focusable.size();) {
        std::size_t end = first + 1;
        while (end < focusable.size() && focusable[end].middle - focusable[first].middle <= kSameLine) ++end;
        std::stable_sort(focusable.begin() + static_cast<std::ptrdiff_t>(first),
                         focusable.begin() + static_cast<std::ptrdiff_t>(end),
                         [](const Focusable& a, const Focusable& b) { return a.x < b.x; });
        first = end;
    }
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1].widget, focusable[i].widget);
    // Frames are drawn behind the controls they surround, whatever their template order.
    for (QWidget* g : groups) g->lower();
    dialog->setFixedSize(du.x(t.width), du.y(t.height));
    return byId;
}

} // namespace tarvix
