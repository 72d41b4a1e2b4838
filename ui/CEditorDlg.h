#pragma once

#include "ui/CDialog.h"

#include <QString>

#include <string>

namespace tarvix {

// An editor of one game table: it is handed the working copy's path and a copy of the
// edition tag by the window that opens it, and reaches the file only inside handlers.
class CEditorDlg : public CDialog {
    Q_OBJECT
public:
    using CDialog::CDialog;

    void setWorkingCopy(const QString& path, const QString& editionTag)
    {
        m_path = path;
        m_tag = editionTag.left(7);
    }
    const QString& workingCopyPath() const { return m_path; }
    const QString& editionTag() const { return m_tag; }
    std::string pathBytes() const { return m_path.toStdString(); }
    std::string tagBytes() const { return m_tag.toStdString(); }

private:
    QString m_path;
    QString m_tag;
};

} // namespace tarvix
