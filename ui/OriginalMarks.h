#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace tarvix {

// Marks the controls whose field the mod changed from its original: a bold face, which
// reads in light and dark themes alike, the original value ahead of the control's own
// tooltip, and "Revert to Original" in its context menu.
class OriginalMarks : public QObject {
public:
    // revert puts the original value of the control with that id back into it.
    explicit OriginalMarks(std::function<void(int id)> revert);

    void mark(QWidget* control, int id, const QString& original);
    void unmark(QWidget* control);
    bool isMarked(const QWidget* control) const { return m_marked.contains(control); }
    // The original value a marked control says it had; empty for one not marked.
    QString originalOf(const QWidget* control) const { return m_marked.value(control).original; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Mark {
        int id;
        QString original;
    };
    std::function<void(int)> m_revert;
    QHash<const QWidget*, Mark> m_marked;
};

// The tooltip line that gives a field's original value.
QString originalTip(const QString& original);

} // namespace tarvix
