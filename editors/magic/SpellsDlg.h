#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"

#include <memory>

namespace tarvix {

// The spell table: one 56-byte record per spell with its mana figures, casting
// animation and sound, three effects, book and staff levels, charges, prices and the
// pointers to its magic name and skill name.
class CSpellsDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CSpellsDlg(QWidget* owner = nullptr);
    ~CSpellsDlg() override;

    void OnShowWindow() override;
    void OnSelchangeSpell();
    void OnSave();
    void OnIcons();

private:
    void FillEffectLists();

    std::unique_ptr<FieldBinding> m_fields;
};

} // namespace tarvix
