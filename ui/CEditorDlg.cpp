#include "ui/CEditorDlg.h"

#include <QFile>

#include <stdexcept>

namespace tarvix {

const Edition& CEditorDlg::edition() const
{
    if (!m_edition) throw std::logic_error("an editor was opened without a working copy");
    return *m_edition;
}

WorkingCopy CEditorDlg::openWorkingCopy(WorkingCopy::Mode mode) const
{
    return WorkingCopy(QFile::encodeName(m_path).toStdString(), mode);
}

} // namespace tarvix
