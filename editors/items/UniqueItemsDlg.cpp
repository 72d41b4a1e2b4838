#include "editors/items/UniqueItemsDlg.h"

#include "editors/items/EffectList.h"
#include "editors/items/ItemPicture.h"
#include "exe/WorkingCopy.h"
#include "tables/GameTables.h"
#include "ui/RecordList.h"

#include <QComboBox>
#include <QLabel>

namespace tarvix {

namespace {

// The controls of one effect slot: its effect, its minimum and its maximum.
struct EffectSlot {
    int effect;
    int min;
    int max;
};
constexpr EffectSlot kSlots[] = {
    {1080, 1026, 1028}, {1017, 1029, 1030}, {1021, 1031, 1032},
    {1023, 1033, 1034}, {1024, 1035, 1036}, {1025, 1037, 1038},
};

const BoundField kUniqueItemLayout[] = {
    {"name", name(1018, 40, 39, 1039)},
    {"unique_code", edit(1020)},
    {"level", edit(1027)},
    {"num_effects", edit(1022)},
    {"gold", edit(1019)},
    {"effect0", comboRow(1080)}, {"min0", edit(1026)}, {"max0", edit(1028)},
    {"effect1", comboRow(1017)}, {"min1", edit(1029)}, {"max1", edit(1030)},
    {"effect2", comboRow(1021)}, {"min2", edit(1031)}, {"max2", edit(1032)},
    {"effect3", comboRow(1023)}, {"min3", edit(1033)}, {"max3", edit(1034)},
    {"effect4", comboRow(1024)}, {"min4", edit(1035)}, {"max4", edit(1036)},
    {"effect5", comboRow(1025)}, {"min5", edit(1037)}, {"max5", edit(1038)},
};

constexpr int kListNameWindow = 50;
constexpr int kGraphicNameLimit = 49;

} // namespace

CUniqueItemsDlg::CUniqueItemsDlg(QWidget* owner)
    : CEditorDlg(415, owner), m_fields(std::make_unique<FieldBinding>(*this, tables::kUniqueItems, kUniqueItemLayout))
{
    onRecordChange(1015, [this] { OnSelchangeItem(); });
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_fields);
    onSelChange(1064, [this] { OnSelchangeGraphic(); });
    // The picture follows the record's picture slot as the user edits it.
    for (const EffectSlot& slot : kSlots) {
        onSelChange(slot.effect, [this] { ShowUniquePicture(); });
        onTextChange(slot.min, [this] { ShowUniquePicture(); });
    }
}

CUniqueItemsDlg::~CUniqueItemsDlg() = default;

void CUniqueItemsDlg::OnShowWindow()
{
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    FillGraphicList(*this, 1064, file, edition(), kGraphicNameLimit);
    FillRecordList(*this, 1015, file, tables::Placement(tables::kUniqueItems, edition()),
                   tables::fieldOf(tables::kUniqueItems, "name"), kListNameWindow, QStringLiteral("Empty"));
    file.close();
    const QStringList effects = effectRows(edition());
    for (const EffectSlot& slot : kSlots) AddRows(*this, slot.effect, effects);

    selectRow(1015, 0);
    combo(1015)->setFocus();
    OnSelchangeItem();
}

void CUniqueItemsDlg::OnSelchangeItem()
{
    if (!ShowRow(*m_fields, selectedRow(1015))) return;
    ShowUniquePicture();
}

void CUniqueItemsDlg::OnSave()
{
    // The graphic list is a preview only: the picture is the picture slot's minimum.
    SaveRow(*m_fields);
}

void CUniqueItemsDlg::OnSelchangeGraphic()
{
    picture(1167)->show();
    ShowItemPicture(picture(1167), selectedRow(1064));
}

void CUniqueItemsDlg::ShowUniquePicture()
{
    // Where several slots are picture slots, the game ends with the last one's.
    int graphic = -1;
    for (const EffectSlot& slot : kSlots)
        if (selectedRow(slot.effect) == kUniquePictureEffect) graphic = static_cast<int>(getInt(slot.min, false) & 0xFF);
    selectRow(1064, graphic);
    picture(1167)->setVisible(graphic >= 0);
    ShowItemPicture(picture(1167), graphic);
}

} // namespace tarvix
