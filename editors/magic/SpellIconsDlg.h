#pragma once

#include "tables/GameTables.h"
#include "ui/CEditorDlg.h"
#include "ui/OriginalMarks.h"

#include <array>
#include <cstdint>
#include <memory>

namespace tarvix {

// The icon number of every spell and the spellbook's five pages of seven slots. Every
// change is written at once, so there is never anything unsaved.
class CSpellIconsDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CSpellIconsDlg(QWidget* owner = nullptr);

    // What the spell editor hands over before the dialog is shown: how many spells there
    // are, and the file offset of spell 0's magic-name pointer (the others follow at the
    // spell table's stride).
    void setSpells(int count, std::uint64_t firstNamePointer);

    void OnShowWindow() override;
    void OnSelchangeSpell();
    void OnSelchangeIcon();
    void OnSelchangePage();
    void WriteSlot(int slot, int row);

private:
    using PageValues = std::array<std::int32_t, tables::kSpellbookSlotsPerPage>;

    std::uint64_t iconOffset(int spell) const;
    std::uint64_t slotOffset(int page, int slot) const;
    PageValues ReadPage(WorkingCopy& file, int page) const;
    // Shows what the file holds, and remembers it as what a failed write goes back to.
    void ShowIcon(std::uint8_t icon);
    void ShowSlots(const PageValues& values);
    void ShowSlot(int slot, std::int32_t value);
    // Where the mod's original is known: a list whose value the mod changed is marked,
    // and its revert chooses the original's row, which writes it as any choice does.
    void MarkList(int id, std::int64_t now, const tables::FieldRef& field, int row);
    void RevertList(int id);

    int m_spellCount = 0;
    std::uint64_t m_firstNamePointer = 0;
    // What the controls show and the file holds: the spell and page on display, the
    // spell's icon byte and the page's slot values.
    int m_spell = -1;
    int m_page = 0;
    std::uint8_t m_icon = 0;
    PageValues m_slots{};
    std::unique_ptr<OriginalMarks> m_marks;
};

} // namespace tarvix
