#include "ui/CEditorDlg.h"

#include "tables/Diff.h"
#include "tables/FileImage.h"
#include "ui/FieldBinding.h"
#include "ui/Prompter.h"
#include "ui/RecordList.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <stdexcept>

namespace tarvix {

const Edition& CEditorDlg::edition() const
{
    if (!m_edition) throw std::logic_error("an editor was opened without a working copy");
    return *m_edition;
}

WorkingCopy CEditorDlg::openWorkingCopy(WorkingCopy::Mode mode) const
{
    // Every offset an editor uses belongs to its edition's length: a file replaced or cut
    // on disk since it was loaded is refused rather than written at the wrong places.
    return WorkingCopy(QFile::encodeName(m_path).toStdString(), mode, edition().fileLength);
}

bool CEditorDlg::ShowRow(FieldBinding& fields, int row)
{
    if (row < 0) return false;
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    fields.show(file, edition(), row);
    file.close();
    return true;
}

void CEditorDlg::SaveRow(FieldBinding& fields)
{
    if (!fields.hasRow()) return;
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadWrite);
    fields.save(file);
    file.close();
}

bool CEditorDlg::hasUnsavedChanges() const
{
    for (const FieldBinding* binding : m_bindings)
        if (binding->isModified()) return true;
    return false;
}

void CEditorDlg::onRecordChange(int listId, std::function<void()> handler)
{
    m_recordList = listId;
    m_showRecord = handler;
    if (auto* records = qobject_cast<QComboBox*>(item(listId))) MakeSearchable(records);
    onSelChange(listId, [this] {
        const int chosen = selectedRow(m_recordList);
        if (chosen == m_recordRow) return;
        if (m_recordRow >= 0 && !settleChanges(recordName())) {
            // The record stays on display with what the user typed.
            selectRow(m_recordList, m_recordRow);
            return;
        }
        m_showRecord();
        m_recordRow = selectedRow(m_recordList);
        updateTitle();
    });
}

void CEditorDlg::onSaveClicked(int buttonId, std::function<void()> handler)
{
    m_save = handler;
    m_saveButton = buttonId;
    onClicked(buttonId, [this] {
        m_save();
        updateTitle();
        // The record saved may now match the original, or differ from it for the first time.
        if (m_original && m_recordList && !m_bindings.empty() && m_bindings.front()->hasRow()) {
            WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
            const int row = m_bindings.front()->row();
            bool changed = false;
            for (const tables::Table* table : m_bindings.front()->tables())
                changed = changed || tables::rowDiffers(file, *m_original, *table, row);
            markRecord(row, changed);
        }
    });
}

void CEditorDlg::watchChanges(FieldBinding& binding)
{
    m_bindings.push_back(&binding);
    binding.onRevert([this] { updateTitle(); });
}

QString CEditorDlg::recordName() const
{
    if (m_recordList && m_recordRow >= 0) return rowText(m_recordList, m_recordRow);
    // The caption without the unsaved-changes marker.
    return m_title.isNull() ? windowTitle() : m_title;
}

bool CEditorDlg::settleChanges(const QString& what)
{
    if (!hasUnsavedChanges()) return true;
    switch (Prompter::current().askSaveChanges(this, what)) {
    case Prompter::SaveAnswer::Save:
        // A save that fails (a file error, a value out of range) has said why; the
        // record and the edits stay on display.
        if (!m_save || !runHandler(m_save)) return false;
        updateTitle();
        return !hasUnsavedChanges();
    case Prompter::SaveAnswer::Discard: return true;
    case Prompter::SaveAnswer::Cancel: return false;
    }
    return false;
}

void CEditorDlg::reshowRecord()
{
    if (m_showRecord) runHandler(m_showRecord);
    updateTitle();
}

void CEditorDlg::reject()
{
    if (!settleChanges(recordName())) return;
    CDialog::reject();
}

void CEditorDlg::updateTitle()
{
    if (m_title.isNull()) m_title = windowTitle();
    setWindowTitle(hasUnsavedChanges() ? QStringLiteral("*") + m_title : m_title);
}

void CEditorDlg::loadOriginal()
{
    if (m_originalPath.isEmpty() || !m_edition) return;
    runHandler([this] {
        WorkingCopy file(QFile::encodeName(m_originalPath).toStdString(), WorkingCopy::Mode::ReadOnly,
                         edition().fileLength);
        m_original = std::make_shared<tables::FileImage>(file);
    });
    for (FieldBinding* binding : m_bindings) binding->setOriginal(m_original);
}

void CEditorDlg::markRecord(int row, bool changed)
{
    QFont font = this->font();
    font.setBold(changed);
    QWidget* w = item(m_recordList);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setItemData(row, changed ? QVariant(font) : QVariant(), Qt::FontRole);
        combo->setItemData(row, changed ? QStringLiteral("Changed from the original") : QVariant(), Qt::ToolTipRole);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (QListWidgetItem* it = list->item(row)) it->setFont(font);
    }
}

void CEditorDlg::markChangedRecords()
{
    if (!m_original || !m_recordList || m_bindings.empty()) return;
    runHandler([this] {
        WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
        const tables::FileImage now(file);
        file.close();
        const auto& mine = m_bindings.front()->tables();
        for (const tables::FieldChange& change : tables::compare(*m_original, now).fields) {
            if (std::find(mine.begin(), mine.end(), change.field.table) == mine.end() || change.sameText()) continue;
            markRecord(change.row, true);
        }
    });
}

void CEditorDlg::RevertToOriginal()
{
    for (FieldBinding* binding : m_bindings) binding->revertToOriginal();
    updateTitle();
}

void CEditorDlg::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_original) return CDialog::contextMenuEvent(event);
    bool differs = false;
    for (const FieldBinding* binding : m_bindings) differs = differs || binding->differsFromOriginal();
    QMenu menu(this);
    QAction* revert = menu.addAction(QStringLiteral("Revert Record to Original"));
    revert->setEnabled(differs);
    connect(revert, &QAction::triggered, this, [this] { RevertToOriginal(); });
    menu.exec(event->globalPos());
}

void CEditorDlg::showEvent(QShowEvent* event)
{
    if (!m_watching) loadOriginal();
    CDialog::showEvent(event);
    if (m_watching) return;
    m_watching = true;
    markChangedRecords();
    if (m_startRecord >= 0 && m_recordList && m_startRecord < rowCount(m_recordList)) {
        if (auto* records = qobject_cast<QComboBox*>(item(m_recordList))) records->setCurrentIndex(m_startRecord);
        else if (auto* records = qobject_cast<QListWidget*>(item(m_recordList))) records->setCurrentRow(m_startRecord);
    }
    m_title = windowTitle();
    if (m_recordList) m_recordRow = selectedRow(m_recordList);
    // Every input control may change what is unsaved; the title follows at once.
    for (QLineEdit* e : findChildren<QLineEdit*>())
        connect(e, &QLineEdit::textChanged, this, &CEditorDlg::updateTitle);
    for (QComboBox* c : findChildren<QComboBox*>())
        connect(c, &QComboBox::currentIndexChanged, this, &CEditorDlg::updateTitle);
    for (QListWidget* l : findChildren<QListWidget*>())
        connect(l, &QListWidget::itemSelectionChanged, this, &CEditorDlg::updateTitle);
    for (QAbstractButton* b : findChildren<QAbstractButton*>())
        if (b->isCheckable()) connect(b, &QAbstractButton::toggled, this, &CEditorDlg::updateTitle);
}

void CEditorDlg::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier)) {
        event->accept();
        // Enter presses a push button that has the focus. Anywhere else it never closes
        // the editor: it offers to save what was typed, or to put the record back.
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
            b->click();
            return;
        }
        if (!hasUnsavedChanges()) return;
        switch (Prompter::current().askSaveChanges(this, recordName())) {
        case Prompter::SaveAnswer::Save:
            if (m_save) runHandler(m_save);
            updateTitle();
            break;
        case Prompter::SaveAnswer::Discard: reshowRecord(); break;
        case Prompter::SaveAnswer::Cancel: break;
        }
        return;
    }
    CDialog::keyPressEvent(event);
}

} // namespace tarvix
