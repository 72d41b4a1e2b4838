#include "ui/OriginalMarks.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolTip>
#include <QWidget>

#include <memory>

namespace tarvix {

QString originalTip(const QString& original)
{
    return QStringLiteral("Original: %1").arg(original.isEmpty() ? QStringLiteral("(empty)") : original);
}

OriginalMarks::OriginalMarks(std::function<void(int id)> revert) : m_revert(std::move(revert)) {}

void OriginalMarks::mark(QWidget* control, int id, const QString& original)
{
    if (!m_marked.contains(control)) {
        control->installEventFilter(this);
        QFont bold = control->font();
        bold.setBold(true);
        control->setFont(bold);
    }
    m_marked.insert(control, {id, original});
}

void OriginalMarks::unmark(QWidget* control)
{
    if (!m_marked.remove(control)) return;
    control->removeEventFilter(this);
    control->setFont(QFont()); // back to the dialog's own
}

bool OriginalMarks::eventFilter(QObject* watched, QEvent* event)
{
    auto* control = qobject_cast<QWidget*>(watched);
    const auto mark = control ? m_marked.constFind(control) : m_marked.constEnd();
    if (mark == m_marked.constEnd()) return false;

    if (event->type() == QEvent::ToolTip) {
        const QString own = control->toolTip();
        const QString tip = originalTip(mark->original) + (own.isEmpty() ? QString() : QStringLiteral("\n") + own);
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, control);
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        // An edit keeps its own cut, copy and paste; the revert goes below them.
        std::unique_ptr<QMenu> menu;
        if (auto* line = qobject_cast<QLineEdit*>(control)) {
            menu.reset(line->createStandardContextMenu());
            menu->addSeparator();
        } else {
            menu = std::make_unique<QMenu>(control);
        }
        const int id = mark->id;
        QAction* revert = menu->addAction(QStringLiteral("Revert to Original (%1)").arg(mark->original));
        connect(revert, &QAction::triggered, this, [this, id] { m_revert(id); });
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return false;
}

} // namespace tarvix
