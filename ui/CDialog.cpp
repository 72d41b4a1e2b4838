#include "ui/CDialog.h"

#include "exe/FileError.h"
#include "ui/DialogBuilder.h"
#include "ui/DialogInt.h"
#include "ui/DialogTemplate.h"
#include "ui/InputError.h"
#include "ui/Prompter.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include <stdexcept>

namespace tarvix {

CDialog::CDialog(int templateId, QWidget* owner) : CDialog(DialogTemplate::load(templateId), owner) {}

CDialog::CDialog(const DialogTemplate& dialogTemplate, QWidget* owner) : QDialog(owner), m_template(&dialogTemplate)
{
    setWindowTitle(m_template->caption);
    setFont(templateFont(*m_template));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (m_template->minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    m_controls = buildControls(this, *m_template);
    // The mouse wheel changes a drop-down list only once the user has put the focus on
    // it: scrolling over the dialog must not change a value on the way.
    for (QWidget* w : std::as_const(m_controls)) {
        if (!qobject_cast<QComboBox*>(w)) continue;
        w->setFocusPolicy(Qt::StrongFocus);
        w->installEventFilter(this);
    }
}

bool CDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        if (auto* w = qobject_cast<QWidget*>(watched); w && !w->hasFocus()) {
            event->ignore();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QWidget* CDialog::item(int id) const
{
    QWidget* w = m_controls.value(id);
    if (!w) throw std::logic_error("dialog " + std::to_string(m_template->id) + " has no control " + std::to_string(id));
    return w;
}

template <class T>
static T* as(QWidget* w, int id)
{
    T* t = qobject_cast<T*>(w);
    if (!t) throw std::logic_error("control " + std::to_string(id) + " is not of the expected kind");
    return t;
}

QLineEdit* CDialog::edit(int id) const { return as<QLineEdit>(item(id), id); }
QComboBox* CDialog::combo(int id) const { return as<QComboBox>(item(id), id); }
QListWidget* CDialog::list(int id) const { return as<QListWidget>(item(id), id); }
QAbstractButton* CDialog::button(int id) const { return as<QAbstractButton>(item(id), id); }
QLabel* CDialog::picture(int id) const { return as<QLabel>(item(id), id); }

void CDialog::setText(int id, const QString& text)
{
    QWidget* w = item(id);
    const QSignalBlocker block(w);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
        e->setCursorPosition(0);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->setPlainText(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    }
}

QString CDialog::text(int id) const
{
    QWidget* w = item(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    return {};
}

void CDialog::setInt(int id, std::int64_t value) { setText(id, formatDialogInt(value)); }

std::uint32_t CDialog::getInt(int id, bool isSigned) const { return dialogIntBits(text(id), isSigned); }

void CDialog::selectRow(int id, int row)
{
    QWidget* w = item(id);
    const QSignalBlocker block(w);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        c->setCurrentIndex(row >= 0 && row < c->count() ? row : -1);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        l->clearSelection();
        if (row >= 0 && row < l->count()) l->setCurrentRow(row);
    }
}

int CDialog::selectedRow(int id) const
{
    QWidget* w = item(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentIndex();
    if (auto* l = qobject_cast<QListWidget*>(w)) {
        const auto items = l->selectedItems();
        return items.isEmpty() ? -1 : l->row(items.first());
    }
    return -1;
}

void CDialog::setCheck(int id, bool checked)
{
    QAbstractButton* b = button(id);
    const QSignalBlocker block(b);
    b->setChecked(checked);
}

bool CDialog::isChecked(int id) const { return button(id)->isChecked(); }

void CDialog::setRowSelected(int listId, int row, bool selected)
{
    QListWidget* l = list(listId);
    const QSignalBlocker block(l);
    if (QListWidgetItem* it = l->item(row)) it->setSelected(selected);
}

bool CDialog::isRowSelected(int listId, int row) const
{
    QListWidgetItem* it = list(listId)->item(row);
    return it && it->isSelected();
}

int CDialog::rowCount(int id) const
{
    QWidget* w = item(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->count();
    if (auto* l = qobject_cast<QListWidget*>(w)) return l->count();
    return 0;
}

void CDialog::addRow(int id, const QString& text, std::uint32_t data)
{
    QWidget* w = item(id);
    const QSignalBlocker block(w);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        // A drop-down list shows no row until one is chosen.
        const bool wasEmpty = c->count() == 0;
        c->addItem(text, QVariant::fromValue(data));
        if (wasEmpty) c->setCurrentIndex(-1);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        auto* it = new QListWidgetItem(text, l);
        it->setData(Qt::UserRole, QVariant::fromValue(data));
    }
}

void CDialog::setRowData(int id, int row, std::uint32_t data)
{
    QWidget* w = item(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) c->setItemData(row, QVariant::fromValue(data));
    else if (auto* l = qobject_cast<QListWidget*>(w))
        if (QListWidgetItem* it = l->item(row)) it->setData(Qt::UserRole, QVariant::fromValue(data));
}

std::uint32_t CDialog::rowData(int id, int row) const
{
    QWidget* w = item(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->itemData(row).toUInt();
    if (auto* l = qobject_cast<QListWidget*>(w))
        if (QListWidgetItem* it = l->item(row)) return it->data(Qt::UserRole).toUInt();
    return 0;
}

QString CDialog::labelFor(int id) const
{
    const ControlTemplate* control = m_template->control(id);
    if (!control) return {};
    // The label to the left on the same line, as dialogs place them; failing that, the
    // nearest one just above (a column heading).
    const ControlTemplate* best = nullptr;
    int bestDistance = 1 << 30;
    const int middle = control->y + control->h / 2;
    for (const ControlTemplate& c : m_template->controls) {
        if (c.kind != ControlTemplate::Kind::Label || c.caption.isEmpty()) continue;
        int distance = -1;
        if (c.x + c.w <= control->x + 2 && std::abs(c.y + c.h / 2 - middle) <= 4) distance = control->x - (c.x + c.w);
        else if (c.y + c.h <= control->y + 1 && control->y - (c.y + c.h) <= 6 && c.x < control->x + control->w &&
                 c.x + c.w > control->x)
            distance = 1000 + control->y - (c.y + c.h);
        if (distance >= 0 && distance < bestDistance) {
            bestDistance = distance;
            best = &c;
        }
    }
    if (!best) return {};
    QString text = best->caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return text.simplified();
}

QString CDialog::rowText(int id, int row) const
{
    QWidget* w = item(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->itemText(row);
    if (auto* l = qobject_cast<QListWidget*>(w))
        if (QListWidgetItem* it = l->item(row)) return it->text();
    return {};
}

bool CDialog::runHandler(const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (const FileError& e) {
        Prompter::current().fileError(this, e);
    } catch (const InputError& e) {
        Prompter::current().error(this, e.message());
    } catch (const std::exception& e) {
        // Not a file error: a fault of the program itself. Say so rather than crash.
        Prompter::current().error(this, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void CDialog::onClicked(int id, std::function<void()> handler)
{
    connect(button(id), &QAbstractButton::clicked, this, [this, handler] { runHandler(handler); });
}

void CDialog::onSelChange(int id, std::function<void()> handler)
{
    QWidget* w = item(id);
    if (auto* c = qobject_cast<QComboBox*>(w))
        connect(c, &QComboBox::currentIndexChanged, this, [this, handler] { runHandler(handler); });
    else if (auto* l = qobject_cast<QListWidget*>(w))
        connect(l, &QListWidget::itemSelectionChanged, this, [this, handler] { runHandler(handler); });
}

void CDialog::onTextChange(int id, std::function<void()> handler)
{
    QWidget* w = item(id);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        connect(e, &QLineEdit::textChanged, this, [this, handler] { runHandler(handler); });
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        connect(p, &QPlainTextEdit::textChanged, this, [this, handler] { runHandler(handler); });
}

void CDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Tests and review tools find a dialog by its class name.
    if (objectName().isEmpty()) setObjectName(QString::fromLatin1(metaObject()->className()).section("::", -1));
    // Only the first showing fills; restoring a minimised window must not refill.
    if (m_shown) return;
    m_shown = true;
    runHandler([this] { OnShowWindow(); });
}

void CDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            // Enter on a push button presses it; anywhere else it closes the dialog
            // without saving, as the Escape key does.
            if (auto* b = qobject_cast<QAbstractButton*>(focusWidget()); b && b->inherits("QPushButton")) {
                b->click();
            } else {
                reject();
            }
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

} // namespace tarvix
