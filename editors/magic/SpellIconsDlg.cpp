#include "editors/magic/SpellIconsDlg.h"

#include "exe/WorkingCopy.h"
#include "tables/Access.h"
#include "tables/FileImage.h"
#include "ui/BitmapPicture.h"
#include "ui/RecordList.h"

#include <QComboBox>

#include <algorithm>
#include <iterator>
#include <QLabel>

namespace tarvix {

namespace {

constexpr int kSlotLists[tables::kSpellbookSlotsPerPage] = {1162, 1163, 1164, 1165, 1166, 1168, 1169};
constexpr const char* kPages[] = {"Page One", "Page Two", "Page Three", "Page Four", "Page Five"};
constexpr int kListNameWindow = 50;
// Icon number v (counted from 1) is the program's bitmap 695 + v.
constexpr int kFirstSpellIconBitmap = 696;

// Hellfire's icons beyond Diablo's 42.
constexpr const char* kHellfireIcons[] = {"Warp",    "Seek",         "Reflect", "Lightning Wall", "Immolation",
                                          "Berserk", "Ring of Fire", "Jester",  "Mana / Magi"};

const tables::FieldRef& iconField()
{
    static const tables::FieldRef field = tables::fieldOf(tables::kSpellIcons, "icon");
    return field;
}

const tables::FieldRef& slotField()
{
    static const tables::FieldRef field = tables::fieldOf(tables::kSpellbook, "value");
    return field;
}

int widthOf(const tables::FieldRef& field)
{
    return static_cast<int>(tables::widthOf(field.field->type));
}

QString unknownNote(std::int64_t value)
{
    return QStringLiteral("(unknown: %1)").arg(value);
}

} // namespace

CSpellIconsDlg::CSpellIconsDlg(QWidget* owner)
    : CEditorDlg(425, owner), m_marks(std::make_unique<OriginalMarks>([this](int id) { RevertList(id); }))
{
    // The spell list chooses what is shown, as a record list does, though nothing here
    // waits to be saved.
    MakeSearchable(combo(1015));
    onSelChange(1015, [this] { OnSelchangeSpell(); });
    onSelChange(1161, [this] { OnSelchangeIcon(); });
    onSelChange(1170, [this] { OnSelchangePage(); });
    for (int slot = 0; slot < tables::kSpellbookSlotsPerPage; ++slot)
        onSelChange(kSlotLists[slot], [this, slot] { WriteSlot(slot, selectedRow(kSlotLists[slot])); });
}

void CSpellIconsDlg::setSpells(int count, std::uint64_t firstNamePointer)
{
    m_spellCount = count;
    m_firstNamePointer = firstNamePointer;
}

void CSpellIconsDlg::OnShowWindow()
{
    if (edition().tag == kHellfire.tag) {
        QStringList icons;
        for (const char* icon : kHellfireIcons) icons << QString::fromLatin1(icon);
        AddRows(*this, 1161, icons);
    }

    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    const tables::FieldRef names = tables::fieldOf(tables::kSpells, "magic_name");
    const std::vector<StoredName> spells = tables::readTexts(file, m_firstNamePointer, names.run->stride.of(edition()),
                                                             m_spellCount, kListNameWindow, edition().pointerDelta);
    AddRows(*this, 1015, textRows(spells, Numbering::Decimal, QStringLiteral("Empty")));
    // Row r of a slot list is spell number r; row 0 empties the slot.
    const QStringList slotRows =
        QStringList{QStringLiteral("Nothing")} + textRows(spells, Numbering::None, QStringLiteral("Empty"));
    for (int id : kSlotLists) AddRows(*this, id, slotRows);
    QStringList pages;
    for (const char* page : kPages) pages << QString::fromLatin1(page);
    AddRows(*this, 1170, pages);

    if (m_spellCount > 0) {
        m_spell = 0;
        ShowIcon(static_cast<std::uint8_t>(file.readUnsigned(iconOffset(m_spell), widthOf(iconField()))));
    }
    m_page = 0;
    ShowSlots(ReadPage(file, m_page));
    file.close();

    selectRow(1170, m_page);
    selectRow(1015, m_spell);
    combo(1015)->setFocus();
}

void CSpellIconsDlg::OnSelchangeSpell()
{
    const int spell = selectedRow(1015);
    if (spell < 0 || spell == m_spell) return;
    // The spell's icon, and the page on display read again.
    const bool shown = runHandler([&] {
        WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
        const auto icon = static_cast<std::uint8_t>(file.readUnsigned(iconOffset(spell), widthOf(iconField())));
        const PageValues values = ReadPage(file, m_page);
        file.close();
        m_spell = spell;
        ShowIcon(icon);
        ShowSlots(values);
    });
    // The controls still show the spell that was on display.
    if (!shown) selectRow(1015, m_spell);
}

void CSpellIconsDlg::OnSelchangeIcon()
{
    const int row = selectedRow(1161);
    if (row < 0 || m_spell < 0) return;
    const auto icon = static_cast<std::uint8_t>(row + 1);
    const bool written = runHandler([&] {
        WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::WriteOnly);
        file.writeUnsigned(iconOffset(m_spell), widthOf(iconField()), icon);
        file.close();
    });
    ShowIcon(written ? icon : m_icon);
}

void CSpellIconsDlg::OnSelchangePage()
{
    const int page = selectedRow(1170);
    // A list box can be left without a selection: the page on display stays.
    if (page < 0 || page == m_page) {
        selectRow(1170, m_page);
        return;
    }
    const bool shown = runHandler([&] {
        WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
        const PageValues values = ReadPage(file, page);
        file.close();
        m_page = page;
        ShowSlots(values);
    });
    if (!shown) selectRow(1170, m_page);
}

void CSpellIconsDlg::WriteSlot(int slot, int row)
{
    if (row < 0) return;
    // The game reads an empty slot as 0 on the first page and as -1 on the others.
    const std::int32_t value = row == 0 && m_page != 0 ? -1 : row;
    const bool written = runHandler([&] {
        WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::WriteOnly);
        file.writeUnsigned(slotOffset(m_page, slot), widthOf(slotField()),
                           tables::lowBits(value, slotField().field->type));
        file.close();
    });
    ShowSlot(slot, written ? value : m_slots[static_cast<std::size_t>(slot)]);
}

std::uint64_t CSpellIconsDlg::iconOffset(int spell) const
{
    return tables::Placement(tables::kSpellIcons, edition()).offsetOf(iconField(), spell);
}

std::uint64_t CSpellIconsDlg::slotOffset(int page, int slot) const
{
    return tables::Placement(tables::kSpellbook, edition())
        .offsetOf(slotField(), tables::kSpellbookSlotsPerPage * page + slot);
}

CSpellIconsDlg::PageValues CSpellIconsDlg::ReadPage(WorkingCopy& file, int page) const
{
    PageValues values{};
    for (int slot = 0; slot < tables::kSpellbookSlotsPerPage; ++slot)
        values[static_cast<std::size_t>(slot)] = static_cast<std::int32_t>(tables::asValue(
            file.readUnsigned(slotOffset(page, slot), widthOf(slotField())), slotField().field->type));
    return values;
}

void CSpellIconsDlg::ShowIcon(std::uint8_t icon)
{
    m_icon = icon;
    // Icon number v is row v - 1; a number no row stands for shows nothing and is kept.
    const int row = icon >= 1 && icon <= rowCount(1161) ? icon - 1 : -1;
    selectRow(1161, row);
    combo(1161)->setPlaceholderText(row < 0 ? unknownNote(icon) : QString());
    if (row >= 0) ShowBitmap(picture(1167), kFirstSpellIconBitmap + row);
    else picture(1167)->clear();
    MarkList(1161, icon, iconField(), m_spell);
}

void CSpellIconsDlg::ShowSlots(const PageValues& values)
{
    for (int slot = 0; slot < tables::kSpellbookSlotsPerPage; ++slot)
        ShowSlot(slot, values[static_cast<std::size_t>(slot)]);
}

void CSpellIconsDlg::ShowSlot(int slot, std::int32_t value)
{
    m_slots[static_cast<std::size_t>(slot)] = value;
    const int id = kSlotLists[slot];
    // Row r is spell number r; 0 and -1 both leave a slot empty.
    const int row = value == -1 ? 0 : value >= 0 && value < rowCount(id) ? value : -1;
    selectRow(id, row);
    combo(id)->setPlaceholderText(row < 0 ? unknownNote(value) : QString());
    MarkList(id, value, slotField(), tables::kSpellbookSlotsPerPage * m_page + slot);
}

void CSpellIconsDlg::MarkList(int id, std::int64_t now, const tables::FieldRef& field, int row)
{
    const tables::FileImage* original = originalImage();
    if (!original || row < 0) return;
    const QString was = QString::fromStdString(original->value(field, row).text);
    if (was.toLongLong() == now) {
        m_marks->unmark(item(id));
        return;
    }
    // The original as the list shows it: its row, or the number no row stands for.
    const int shown = id == 1161 ? was.toInt() - 1 : (was.toInt() == -1 ? 0 : was.toInt());
    m_marks->mark(item(id), id, shown >= 0 && shown < rowCount(id) ? rowText(id, shown) : unknownNote(was.toLongLong()));
}

void CSpellIconsDlg::RevertList(int id)
{
    const tables::FileImage* original = originalImage();
    if (!original) return;
    if (id == 1161) {
        const int row = std::stoi(original->value(iconField(), m_spell).text) - 1;
        if (row >= 0 && row < rowCount(1161)) combo(1161)->setCurrentIndex(row);
        return;
    }
    const int slot = static_cast<int>(std::find(std::begin(kSlotLists), std::end(kSlotLists), id) - kSlotLists);
    const int value = std::stoi(original->value(slotField(), tables::kSpellbookSlotsPerPage * m_page + slot).text);
    const int row = value == -1 ? 0 : value;
    if (row >= 0 && row < rowCount(id)) combo(id)->setCurrentIndex(row);
}

} // namespace tarvix
