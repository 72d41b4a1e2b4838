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
    void ShowDropFlag(std::uint8_t drop);

    std::uint32_t m_itemTable = 0;
    std::uint8_t m_itemCount = 0;
    std::uint32_t m_spellNameTable = 0;
    std::int8_t m_spellCount = 0;
    std::uint32_t m_pointerDelta = 0;
    std::unique_ptr<FieldBinding> m_fields;
    std::uint32_t m_shownRecord = 0;
    bool m_shownFindable = false;
    bool m_shownDouble = false;
};

} // namespace tarvix
