#pragma once

#include <QDialog>
#include <QHash>

#include <cstdint>
#include <functional>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace tarvix {

struct DialogTemplate;

// Base of every dialog: built from its template, controls addressed by id, handlers
// run behind one boundary that shows file errors. Filling happens in OnShowWindow,
// once the window is shown, as the editors expect.
class CDialog : public QDialog {
    Q_OBJECT
public:
    CDialog(int templateId, QWidget* owner = nullptr);
    // A template of the caller's own, which must outlive the dialog.
    explicit CDialog(const DialogTemplate& dialogTemplate, QWidget* owner = nullptr);

    QWidget* item(int id) const;
    QLineEdit* edit(int id) const;
    QComboBox* combo(int id) const;
    QListWidget* list(int id) const;
    QAbstractButton* button(int id) const;
    QLabel* picture(int id) const;

    // Control values, set from code without raising the control's change handler.
    void setText(int id, const QString& text);
    QString text(int id) const;
    void setInt(int id, std::int64_t value);
    std::uint32_t getInt(int id, bool isSigned) const;
    void selectRow(int id, int row); // -1 clears the selection
    int selectedRow(int id) const;
    void setCheck(int id, bool checked);
    bool isChecked(int id) const;
    void setRowSelected(int listId, int row, bool selected);
    bool isRowSelected(int listId, int row) const;
    // Combo or list row count and per-row item data.
    int rowCount(int id) const;
    void addRow(int id, const QString& text, std::uint32_t data = 0);
    void setRowData(int id, int row, std::uint32_t data);
    std::uint32_t rowData(int id, int row) const;
    QString rowText(int id, int row) const;
    // The caption of the label that names a control (to its left, or just above it);
    // empty when none does.
    QString labelFor(int id) const;

    // Runs fn; a file error ends it at the failing step and is shown, stop icon.
    // Returns false when fn failed.
    bool runHandler(const std::function<void()>& fn);

protected:
    // Handlers of user actions; programmatic changes made through the setters above
    // do not raise them.
    void onClicked(int id, std::function<void()> handler);
    void onSelChange(int id, std::function<void()> handler);
    void onTextChange(int id, std::function<void()> handler);

    virtual void OnShowWindow() {}

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    const DialogTemplate& dialogTemplate() const { return *m_template; }

private:
    const DialogTemplate* m_template;
    QHash<int, QWidget*> m_controls;
    bool m_shown = false;
};

} // namespace tarvix
