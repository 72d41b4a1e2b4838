#include "app/CFileSavesDlg.h"

#include "exe/WorkingCopy.h"
#include "tables/GameTables.h"

#include <QLineEdit>

namespace tarvix {

namespace {

const BoundField kSaveNameLayout[] = {
    {"save_name_single", inlineText(1011)},
    {"save_name_multi", inlineText(1012)},
};

} // namespace

CFileSavesDlg::CFileSavesDlg(QWidget* owner)
    : CEditorDlg(130, owner), m_fields(std::make_unique<FieldBinding>(*this, tables::kTexts, kSaveNameLayout))
{
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_fields);
}

CFileSavesDlg::~CFileSavesDlg() = default;

void CFileSavesDlg::OnShowWindow()
{
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    m_fields->show(file, edition(), 0);
    file.close();
    edit(1011)->setFocus();
}

void CFileSavesDlg::OnSave()
{
    if (!m_fields->hasRow()) return;
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadWrite);
    m_fields->save(file);
    file.close();
    // Only a save that reached the file ends the dialog; a file error has been thrown
    // before this point and leaves what was typed on display.
    reject();
}

} // namespace tarvix
