#include "editors/items/AffixDlg.h"

#include "editors/items/EffectList.h"
#include "exe/WorkingCopy.h"
#include "tables/GameTables.h"
#include "ui/RecordList.h"

#include <QAbstractButton>
#include <QComboBox>

namespace tarvix {

namespace {

const QString kInvalidSlot = QStringLiteral("Invalid slot!");

// Each item-type byte holds two kinds of item: bit 4 and bit 0.
constexpr std::uint32_t kUpperKind = 0x10;
constexpr std::uint32_t kLowerKind = 0x01;

const BoundField kAffixLayout[] = {
    {"name", name(1018, 50, 49, 1027, kInvalidSlot).unnamedRowsSeparate()},
    {"effect", comboRow(1016)},
    {"range_min", edit(1019)},
    {"range_max", edit(1021)},
    {"level", edit(1020)},
    {"itype_b20", maskedCheck(1065, kUpperKind)}, // Bows
    {"itype_b20", maskedCheck(1066, kLowerKind)}, // Jewels
    {"itype_b21", maskedCheck(1067, kUpperKind)}, // Weapons
    {"itype_b21", maskedCheck(1068, kLowerKind)}, // Staves
    {"itype_b22", maskedCheck(1069, kUpperKind)}, // Armors
    {"itype_b22", maskedCheck(1070, kLowerKind)}, // Shields
    {"not_cursed", invertedCheck(1071)}, // "Cursed"
    {"value_min", edit(1022)},
    {"value_max", edit(1023)},
    {"multiplier", edit(1024)},
    {"occurrence", edit(1004)},
    {"double_flag", check(1026)},
};

constexpr int kListNameWindow = 30;

} // namespace

CAffixDlg::CAffixDlg(QWidget* owner)
    : CEditorDlg(414, owner), m_fields(std::make_unique<FieldBinding>(*this, tables::kAffixes, kAffixLayout))
{
    onRecordChange(1015, [this] { OnSelchangeAffix(); });
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_fields);
}

CAffixDlg::~CAffixDlg() = default;

void CAffixDlg::OnShowWindow()
{
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    const tables::Placement affixes(tables::kAffixes, edition());
    AddRows(*this, 1015,
            textRows(tables::readTexts(file, affixes, tables::fieldOf(tables::kAffixes, "name"), kListNameWindow),
                     Numbering::Hex, kInvalidSlot, kInvalidSlot));
    file.close();
    AddRows(*this, 1016, effectRows(edition()));

    selectRow(1015, 0);
    combo(1015)->setFocus();
    OnSelchangeAffix();
}

void CAffixDlg::OnSelchangeAffix()
{
    if (!ShowRow(*m_fields, selectedRow(1015))) return;
    button(1014)->setEnabled(!m_fields->isSeparator());
}

void CAffixDlg::OnSave()
{
    // A separator writes nothing, and neither does a record given the separators' text
    // as its name.
    if (!m_fields->hasRow() || m_fields->isSeparator() || text(1018) == kInvalidSlot) return;
    SaveRow(*m_fields);
}

} // namespace tarvix
