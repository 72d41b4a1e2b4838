#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"

#include <cstdint>
#include <memory>

namespace tarvix {

class WorkingCopy;

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
    bool ReadActiveFlag(WorkingCopy& file);
    std::uint32_t activeFlagOffset() const;
    int resistanceOffset() const;

    std::uint32_t m_monsterTable = 0;
    std::uint8_t m_monsterCount = 0;
    std::uint32_t m_uniqueTable = 0;
    std::uint8_t m_uniqueCount = 0;
    std::uint32_t m_pointerDelta = 0;
    std::uint32_t m_activeTable = 0;
    std::uint32_t m_activeEntrySize = 1;

    std::unique_ptr<FieldBinding> m_fields;
    std::uint32_t m_record = 0;
    int m_monster = 0;
    std::uint8_t m_resistNormal = 0; // copies of offsets 116 and 118 of the monster shown
    std::uint8_t m_resistHell = 0;
    bool m_shownActive = false;
};

} // namespace tarvix
