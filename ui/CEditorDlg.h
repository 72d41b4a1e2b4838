#pragma once

#include "exe/Edition.h"
#include "exe/WorkingCopy.h"
#include "ui/CDialog.h"

#include <QString>

namespace tarvix {

// An editor of one game table: it is handed the working copy's path and its edition by
// the window that opens it, and reaches the file only inside handlers.
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
    // Editors are opened on a loaded working copy only; without one this throws.
    const Edition& edition() const;

    // One access cycle on the working copy, in the system's own encoding of its name.
    WorkingCopy openWorkingCopy(WorkingCopy::Mode mode) const;

private:
    QString m_path;
    const Edition* m_edition = nullptr;
};

} // namespace tarvix
