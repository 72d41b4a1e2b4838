#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"

#include <memory>

namespace tarvix {

// The names the game gives its single and multi player save files, stored in place in
// 15-byte buffers. Save writes them and closes the dialog.
class CFileSavesDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CFileSavesDlg(QWidget* owner = nullptr);
    ~CFileSavesDlg() override;

    void OnShowWindow() override;
    void OnSave();

private:
    std::unique_ptr<FieldBinding> m_fields;
};

} // namespace tarvix
