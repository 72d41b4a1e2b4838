#pragma once

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

namespace tarvix::test {

// Right-clicks a control and picks the menu's last action, as a user would.
inline void revertThroughMenu(QWidget* control)
{
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        ASSERT_TRUE(menu->actions().last()->text().startsWith("Revert to Original"));
        menu->actions().last()->trigger();
        menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), control->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(control, &click);
}

// The tooltip a control shows when the mouse rests on it.
inline QString tooltipOf(QWidget* control)
{
    QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), control->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(control, &ask);
    return QToolTip::text();
}

} // namespace tarvix::test
