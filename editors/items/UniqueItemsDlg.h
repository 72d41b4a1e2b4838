#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"

#include <memory>

namespace tarvix {

// The table of unique items: named items with up to six effects, one 84-byte record
// each. The item's picture is the minimum of its "unique picture" effect slot.
class CUniqueItemsDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CUniqueItemsDlg(QWidget* owner = nullptr);
    ~CUniqueItemsDlg() override;

    void OnShowWindow() override;
    void OnSelchangeItem();
    void OnSave();
    void OnSelchangeGraphic();

private:
    void ShowUniquePicture();

    std::unique_ptr<FieldBinding> m_fields;
};

} // namespace tarvix
