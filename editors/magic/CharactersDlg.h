#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"

#include <memory>

namespace tarvix {

// The player classes: start and maximum attributes, blocking bonus, the frame counts of
// seven animations and four speeds, spread over the game's per-class arrays.
class CCharactersDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CCharactersDlg(QWidget* owner = nullptr);
    ~CCharactersDlg() override;

    void OnShowWindow() override;
    void OnSelchangeClass();
    void OnSave();

private:
    std::unique_ptr<FieldBinding> m_fields;
};

} // namespace tarvix
