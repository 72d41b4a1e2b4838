#pragma once

#include "exe/Edition.h"
#include "exe/WorkingCopy.h"
#include "ui/CDialog.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace tarvix::tables {
class FileImage;
}

namespace tarvix {

class FieldBinding;

// An editor of one game table: it is handed the working copy's path and its edition by
// the window that opens it, and reaches the file only inside handlers.
//
// An editor that shows one record at a time tells this class which list chooses the
// record, which button saves it and which bindings hold its fields. Then no typed value
// is dropped unasked: choosing another record, Escape, the close box and Enter ask
// whether to save first, and the title is marked while the record has unsaved changes.
class CEditorDlg : public CDialog {
    Q_OBJECT
public:
    using CDialog::CDialog;

    void setWorkingCopy(const QString& path, const Edition& edition)
    {
        m_path = path;
        m_edition = &edition;
    }
    const QString& workingCopyPath() const { return m_path; }
    // The executable the working copy was made from, where the opener knows it: what
    // the mod changed is marked, and can be put back.
    void setOriginal(const QString& path) { m_originalPath = path; }
    const QString& originalPath() const { return m_originalPath; }
    // A record to show first instead of the first one (a row of the record list).
    void setStartRecord(int row) { m_startRecord = row; }
    // The original read when the editor was shown; nullptr where none is known.
    const tables::FileImage* originalImage() const { return m_original.get(); }
    // Editors are opened on a loaded working copy only; without one this throws.
    const Edition& edition() const;

    // One access cycle on the working copy, in the system's own encoding of its name.
    WorkingCopy openWorkingCopy(WorkingCopy::Mode mode) const;

    // Shows a row of the binding's table, read in one access cycle; false when row is
    // -1 (no record chosen) and nothing was shown.
    bool ShowRow(FieldBinding& fields, int row);
    // Writes what the user changed in the record shown, in one access cycle.
    void SaveRow(FieldBinding& fields);

    // The shown record differs from what the file holds in some control.
    virtual bool hasUnsavedChanges() const;

    // Escape and the close box: asks first when there are unsaved changes.
    void reject() override;

    // Puts the original values of the record shown back, as unsaved changes (the
    // dialog's context menu offers it where an original is known). Editors with fields
    // beside their bindings put those back too.
    virtual void RevertToOriginal();

    // What the editor registered, for tools that drive editors from outside (tests, the
    // benchmark): 0 where it has no record list or no Save button.
    int recordListId() const { return m_recordList; }
    int saveButtonId() const { return m_saveButton; }
    const std::vector<FieldBinding*>& bindings() const { return m_bindings; }

protected:
    // The list that chooses the record on display; the handler shows the chosen record.
    void onRecordChange(int listId, std::function<void()> handler);
    // The button that writes the record on display.
    void onSaveClicked(int buttonId, std::function<void()> handler);
    // Bindings whose controls count as unsaved changes.
    void watchChanges(FieldBinding& binding);
    // Refreshes the title's unsaved-changes marker; editors that keep controls of their
    // own beside their bindings call it when those change.
    void updateTitle();

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Asks about unsaved changes; true when the caller may go on (saved or discarded).
    bool settleChanges(const QString& what);
    // Shows the record of the selector's current row again, from the file.
    void reshowRecord();
    QString recordName() const;
    // Reads the original once; false where none is known or it cannot be read.
    void loadOriginal();
    // Marks the rows of the record list whose record differs from the original.
    void markChangedRecords();
    void markRecord(int row, bool changed);

    QString m_path;
    const Edition* m_edition = nullptr;
    int m_recordList = 0;
    int m_saveButton = 0;
    int m_recordRow = -1; // the row whose record the controls show
    std::function<void()> m_showRecord;
    std::function<void()> m_save;
    std::vector<FieldBinding*> m_bindings;
    QString m_title;
    bool m_watching = false;
    QString m_originalPath;
    std::shared_ptr<const tables::FileImage> m_original;
    int m_startRecord = -1;
};

} // namespace tarvix
