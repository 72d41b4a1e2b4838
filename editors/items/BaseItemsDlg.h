#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"

#include <cstdint>
#include <memory>

namespace tarvix {

// The table of base item kinds: every weapon, armour, potion, scroll and ring the game
// can create, one 76-byte record each.
class CBaseItemsDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CBaseItemsDlg(QWidget* owner = nullptr);
    ~CBaseItemsDlg() override;

    void OnShowWindow() override;
    void FillItemLists();
    void AddHellfireMagicCodes();
    void OnSelchangeItem();
    void OnSave();
    void OnFindableItem();
    void OnSelchangeGraphic();

private:
    std::unique_ptr<FieldBinding> m_fields;
};

} // namespace tarvix
