#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"
#include "ui/OriginalMarks.h"

#include <cstdint>
#include <memory>

namespace tarvix {

// The monster data table (one 128-byte record per monster kind) together with each
// monster's entry in the table of monsters the game may place.
class CMonsterDataDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CMonsterDataDlg(QWidget* owner = nullptr);
    ~CMonsterDataDlg() override;

    void OnShowWindow() override;
    void OnSelchangeMonster();
    void OnNormalNightmare();
    void OnHell();
    void OnSelchangeResistances();
    void OnSelchangeItemDrop();
    void OnChangeExperience();
    void OnSave();
    void OnFiles();

private:
    void ShowRecord();
    void ShowResistances(std::uint8_t resistances);
    // Where the mod's original is known: the list is marked while the byte it shows
    // differs from the original's, and its revert writes the original's bits at once.
    void MarkResistances(std::uint8_t shown);
    void RevertResistances();
    const tables::FieldRef& shownResistField() const;

    std::unique_ptr<FieldBinding> m_fields;
    tables::FieldRef m_resistNormalField;
    tables::FieldRef m_resistHellField;
    tables::FieldRef m_itemDropField;
    tables::FieldRef m_uniqueItemField;
    std::uint8_t m_resistNormal = 0; // the two resistance bytes of the monster shown
    std::uint8_t m_resistHell = 0;
    std::unique_ptr<OriginalMarks> m_marks;
};

} // namespace tarvix
