// The field binding on its own: a small dialog of every kind of control, bound to real
// tables of a sample copy, checked byte for byte.

#include "exe/WorkingCopy.h"
#include "support/SampleCopy.h"
#include "support/ScriptedPrompter.h"
#include "tables/GameTables.h"
#include "ui/CDialog.h"
#include "ui/DialogTemplate.h"
#include "ui/FieldBinding.h"
#include "ui/RecordList.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloAffixes = 0x7AAF8;
constexpr std::uint32_t kDiabloMonsters = 0x96C70;

const DialogTemplate& bindingTemplate()
{
    static const DialogTemplate t = DialogTemplate::parse(QStringLiteral(R"(
DIALOG 9001 "Binding" 300 200
FONT 8 "MS Shell Dlg"
EDIT    1 ""        5   5  60 12
COMBO   2 ""        5  20  90 80
LISTBOX 3 ""      100   5  90 60
LISTBOX 4 ""      200   5  90 60 multiple
CHECK   5 "Bows"    5  40  40 10
CHECK   6 "Jewels"  5  52  40 10
CHECK   7 "Cursed"  5  64  40 10
EDIT    8 ""        5  80  90 12
CHECK   9 "Active"  5  95  40 10
LABEL   - "Level"   5 112  30  8
EDIT   10 ""       40 110  60 12
LISTBOX 11 ""     100  70  90 60
COMBO  12 ""      100  80  90 80
ROW 2 "zero"
ROW 2 "one"
ROW 2 "two"
ROW 4 "bit 0"
ROW 4 "bit 1"
ROW 4 "bit 2"
ROW 4 "bit 3"
ROW 4 "bit 4"
ROW 4 "bit 5"
)"),
                                                          QStringLiteral("binding test"));
    return t;
}

// The dialog under test, with the rows a list box gets from its editor.
struct Dialog {
    explicit Dialog(int listRows = 80)
    {
        for (int row = 0; row < listRows; ++row) dlg.addRow(3, QString::number(row), 100 + row);
    }
    CDialog dlg{bindingTemplate()};
};

void showRow(FieldBinding& binding, const SampleCopy& sample, int row)
{
    WorkingCopy file(sample.path.toStdString(), WorkingCopy::Mode::ReadOnly);
    binding.show(file, kDiablo, row);
}

int save(FieldBinding& binding, const SampleCopy& sample)
{
    WorkingCopy file(sample.path.toStdString(), WorkingCopy::Mode::ReadWrite);
    return binding.save(file);
}

} // namespace

TEST(FieldBinding, NamesAndControlsAreResolvedWhenTheDialogIsBuilt)
{
    Dialog d;
    const BoundField unknownField[] = {{"no_such_field", edit(1)}};
    EXPECT_THROW(FieldBinding(d.dlg, tables::kAffixes, unknownField), std::logic_error);
    const BoundField unknownTable[] = {{"nowhere.active", check(9)}};
    EXPECT_THROW(FieldBinding(d.dlg, tables::kAffixes, unknownTable), std::logic_error);
    const BoundField unknownControl[] = {{"level", edit(4242)}};
    EXPECT_THROW(FieldBinding(d.dlg, tables::kAffixes, unknownControl), std::logic_error);
}

TEST(FieldBinding, ChecksOnTheBitsOfOneByteKeepTheBitsNoBoxShows)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = kDiabloAffixes + 48 * 2; // Bronze: not cursed
    sample.poke(r + 20, {0xEE});                     // bits no box stands for, Bows and Jewels clear
    sample.poke(r + 32, {7});                        // "not cursed" as a byte other than 0 or 1
    Dialog d;
    const BoundField layout[] = {
        {"itype_b20", maskedCheck(5, 0x10)},
        {"itype_b20", maskedCheck(6, 0x01)},
        {"not_cursed", invertedCheck(7)},
    };
    FieldBinding binding(d.dlg, tables::kAffixes, layout);
    showRow(binding, sample, 2);
    EXPECT_FALSE(d.dlg.isChecked(5));
    EXPECT_FALSE(d.dlg.isChecked(6));
    EXPECT_FALSE(d.dlg.isChecked(7));
    EXPECT_EQ(save(binding, sample), 0);
    EXPECT_TRUE(sample.changes().empty());

    d.dlg.button(5)->click();
    d.dlg.button(6)->click();
    EXPECT_TRUE(binding.isChanged(5));
    EXPECT_EQ(save(binding, sample), 1);
    EXPECT_EQ(sample.changes(), (std::map<std::uint32_t, std::uint8_t>{{r + 20, 0xFF}}));
    EXPECT_FALSE(binding.isModified());

    d.dlg.button(6)->click(); // Jewels off again; Bows stays as saved
    d.dlg.button(7)->click(); // Cursed: the flag byte becomes 0
    save(binding, sample);
    EXPECT_EQ(sample.readLE(r + 20, 1), 0xFEu);
    EXPECT_EQ(sample.readLE(r + 32, 1), 0u);
    d.dlg.button(7)->click();
    save(binding, sample);
    EXPECT_EQ(sample.readLE(r + 32, 1), 1u);
}

TEST(FieldBinding, BitListKeepsTheBitsBeyondItsRows)
{
    SampleCopy sample("diablo");
    Dialog d;
    const BoundField layout[] = {{"resist_normal", bits(4)}}; // six rows on a byte holding 0x48
    FieldBinding binding(d.dlg, tables::kMonsters, layout);
    showRow(binding, sample, 0);
    EXPECT_TRUE(d.dlg.isRowSelected(4, 3));
    EXPECT_FALSE(d.dlg.isRowSelected(4, 5));

    d.dlg.list(4)->item(0)->setSelected(true);
    d.dlg.list(4)->item(3)->setSelected(false);
    save(binding, sample);
    EXPECT_EQ(sample.changes(), (std::map<std::uint32_t, std::uint8_t>{{kDiabloMonsters + 116, 0x41}}));
}

TEST(FieldBinding, ListBoxRowsAndCodesKeepValuesNoRowNames)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = kDiabloAffixes + 48 * 3;
    sample.poke(r + 4, {200}); // an effect beyond the 80 rows
    Dialog d;
    const BoundField rows[] = {{"effect", listRow(3)}, {"level", comboRow(2)}};
    FieldBinding binding(d.dlg, tables::kAffixes, rows);
    showRow(binding, sample, 3);
    EXPECT_EQ(d.dlg.selectedRow(3), -1);
    EXPECT_TRUE(d.dlg.list(3)->toolTip().contains("200"));
    EXPECT_EQ(d.dlg.selectedRow(2), -1); // level 4 of a three-row list
    EXPECT_EQ(d.dlg.combo(2)->placeholderText(), "(unknown: 4)");
    EXPECT_EQ(save(binding, sample), 0);

    d.dlg.list(3)->setCurrentRow(7);
    EXPECT_EQ(save(binding, sample), 1);
    EXPECT_EQ(sample.changes(), (std::map<std::uint32_t, std::uint8_t>{{r + 4, 7}}));

    // Codes carried as item data: the row's code is written, not its index.
    SampleCopy codes("diablo");
    Dialog e;
    const BoundField data[] = {{"effect", listData(3)}};
    FieldBinding byCode(e.dlg, tables::kAffixes, data);
    showRow(byCode, codes, 3);
    EXPECT_EQ(e.dlg.selectedRow(3), -1); // effect 0: no row carries code 0
    e.dlg.list(3)->setCurrentRow(2);
    save(byCode, codes);
    EXPECT_EQ(codes.changes(), (std::map<std::uint32_t, std::uint8_t>{{r + 4, 102}}));
}

TEST(FieldBinding, EditsWriteOnlyWhatWasTypedAndNamesKeepTheirRoom)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = kDiabloAffixes + 48 * 1; // Brass
    Dialog d;
    const BoundField layout[] = {{"range_min", edit(1)}, {"name", name(8, 30, 29)}, {"active_flags.active", check(9)}};
    FieldBinding binding(d.dlg, tables::kAffixes, layout);
    showRow(binding, sample, 1);
    EXPECT_EQ(d.dlg.text(8), "Brass");
    EXPECT_EQ(d.dlg.edit(8)->maxLength(), 5);
    EXPECT_TRUE(d.dlg.isChecked(9)); // the active flag of monster 1: another table, same row
    EXPECT_EQ(binding.offsetOf(binding.field("active_flags.active")), 0x9A4F0u + 1);

    d.dlg.edit(1)->setText("-3");
    d.dlg.edit(8)->setText("Tin");
    d.dlg.button(9)->click();
    EXPECT_EQ(save(binding, sample), 3);
    const std::uint32_t namePtr = sample.readLE(r, 4) - kDiablo.pointerDelta;
    EXPECT_EQ(sample.changes(), sample.differing({{r + 8, 0xFD},
                                                  {r + 9, 0xFF},
                                                  {r + 10, 0xFF},
                                                  {r + 11, 0xFF},
                                                  {namePtr, 'T'},
                                                  {namePtr + 1, 'i'},
                                                  {namePtr + 2, 'n'},
                                                  {namePtr + 3, 0},
                                                  {0x9A4F0 + 1, 0}}));
    EXPECT_EQ(save(binding, sample), 0);
}

TEST(FieldBinding, ANameSavedShorterLeavesOnlyItsOwnRoom)
{
    SampleCopy sample("diablo");
    Dialog d;
    const BoundField layout[] = {{"name", name(8, 30, 29)}};
    FieldBinding binding(d.dlg, tables::kAffixes, layout);
    showRow(binding, sample, 1); // Brass: five characters
    QLineEdit* line = d.dlg.edit(8);
    line->setText("Tin");
    save(binding, sample);
    // Still on the same record: what was written is the room now, not what was shown.
    line->selectAll();
    QTest::keyClicks(line, "Steel");
    EXPECT_EQ(line->text(), "Ste");
    EXPECT_TRUE(line->toolTip().contains("At most 3"));
    EXPECT_EQ(save(binding, sample), 1);
    const std::uint32_t namePtr = sample.readLE(kDiabloAffixes + 48, 4) - kDiablo.pointerDelta;
    EXPECT_EQ(sample.bytes().mid(namePtr, 6), QByteArray("Ste\0s\0", 6));
}

TEST(FieldBinding, NumbersOutsideTheirFieldAreRefusedAndNothingIsWritten)
{
    struct Case {
        const tables::Table* table;
        const char* field;
        const char* other; // a field typed correctly beside it
        std::vector<const char*> refused;
        const char* accepted;
        std::uint32_t stored;
    };
    const Case cases[] = {
        {&tables::kAffixes, "level", "range_max", {"256", "-5", "", "4x", "1.5"}, "255", 0xFF}, // unsigned byte
        {&tables::kBosses, "dungeon_level", "pack_param", {"128", "-129"}, "-1", 0xFF},        // signed byte
        {&tables::kMonsters, "seeding_size", "monster_level", {"65536", "-1"}, "65535", 0xFFFF}, // unsigned 16
        {&tables::kBosses, "hit_points", "pack_param", {"32768", "-32769"}, "-2", 0xFFFE},     // signed 16
        {&tables::kAffixes, "range_min", "range_max", {"2147483648", "99999999999"}, "-2147483648", 0x80000000},
        {&tables::kSpells, "staff_multiplier", "mana", {"429496730"}, "-7", static_cast<std::uint32_t>(-35)}, // / 5
    };
    for (const Case& c : cases) {
        SampleCopy sample("diablo");
        ScriptedPrompter prompter;
        Dialog d;
        // The field under test beside one that is fine: neither may be written.
        const BoundField layout[] = {{c.field, edit(10)}, {c.other, edit(1)}};
        FieldBinding binding(d.dlg, *c.table, layout);
        showRow(binding, sample, 1);
        d.dlg.edit(1)->setText("3");
        const tables::FieldRef field = binding.field(c.field);
        EXPECT_TRUE(d.dlg.edit(10)->toolTip().contains("whole number from")) << c.field;
        for (const char* typed : c.refused) {
            d.dlg.edit(10)->setText(typed);
            EXPECT_FALSE(d.dlg.edit(10)->styleSheet().isEmpty()) << c.field << " " << typed;
            d.dlg.runHandler([&] { save(binding, sample); });
            EXPECT_TRUE(sample.changes().empty()) << c.field << " " << typed;
        }
        ASSERT_EQ(prompter.errors.size(), c.refused.size()) << c.field;
        EXPECT_TRUE(prompter.errors.back().startsWith("Nothing was saved. Please correct:\nLevel: ")) << c.field;

        d.dlg.edit(10)->setText(c.accepted);
        EXPECT_TRUE(d.dlg.edit(10)->styleSheet().isEmpty());
        EXPECT_EQ(save(binding, sample), 2);
        const std::uint64_t at = binding.offsetOf(field);
        EXPECT_EQ(sample.readLE(static_cast<std::uint32_t>(at), static_cast<int>(tables::widthOf(field.field->type))),
                  c.stored)
            << c.field;
    }
}

TEST(FieldBinding, TextFillingItsBufferIsShownWholeButTypingLeavesRoomForTheZero)
{
    SampleCopy sample("diablo");
    const std::uint32_t single = 0x9FC55; // a 15-byte buffer
    sample.poke(single, std::vector<std::uint8_t>(15, 'A'));
    Dialog d;
    const BoundField layout[] = {{"save_name_single", inlineText(8)}};
    FieldBinding binding(d.dlg, tables::kTexts, layout);
    showRow(binding, sample, 0);
    QLineEdit* line = d.dlg.edit(8);
    EXPECT_EQ(line->text(), QString(15, 'A'));

    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClicks(line, "B"); // would be cut off when written: refused
    EXPECT_EQ(line->text(), QString(14, 'A'));
    line->insert(QStringLiteral("\u20AC")); // no game text holds it, whatever the room
    EXPECT_EQ(line->text(), QString(14, 'A'));
    QTest::keyClicks(line, "A"); // as stored again: nothing to write
    EXPECT_FALSE(binding.isModified());
    EXPECT_EQ(save(binding, sample), 0);
    line->setCursorPosition(3);
    QTest::keyClicks(line, "C"); // a sixteenth character: refused
    EXPECT_EQ(line->text(), QString(15, 'A'));
    QTest::keyClick(line, Qt::Key_Backspace);
    EXPECT_EQ(save(binding, sample), 1);
    EXPECT_EQ(sample.changes(), (std::map<std::uint32_t, std::uint8_t>{{single + 14, 0}}));
}

TEST(FieldBinding, UnnamedRowsOfATableWithSeparatorsAreShownReadOnlyAndNeverWritten)
{
    SampleCopy sample("diablo");
    const std::uint32_t separator = kDiabloAffixes + 48 * 83; // empty name between prefixes and suffixes
    sample.poke(separator + 16, {7});
    sample.poke(kDiabloAffixes + 48 * 2, {0, 0, 0, 0}); // a zero name pointer
    Dialog d;
    const BoundField layout[] = {{"name", name(8, 50, 49, 0, "Invalid slot!").unnamedRowsSeparate()},
                                 {"level", edit(1)},
                                 {"effect", comboRow(2)},
                                 {"itype_b20", maskedCheck(5, 0x10)}};
    FieldBinding binding(d.dlg, tables::kAffixes, layout);
    for (int row : {83, 2}) {
        showRow(binding, sample, row);
        EXPECT_TRUE(binding.isSeparator()) << row;
        EXPECT_EQ(d.dlg.text(8), "Invalid slot!");
        EXPECT_TRUE(d.dlg.edit(8)->isReadOnly());
        EXPECT_TRUE(d.dlg.edit(1)->isReadOnly());
        EXPECT_FALSE(d.dlg.item(2)->isEnabled());
        EXPECT_FALSE(d.dlg.item(5)->isEnabled());
    }
    showRow(binding, sample, 83);
    EXPECT_EQ(d.dlg.text(1), "7"); // the row's own values
    d.dlg.setText(1, "9");         // whatever gets into a control is not written
    d.dlg.setText(8, "Tin");
    EXPECT_FALSE(binding.isModified());
    EXPECT_EQ(save(binding, sample), 0);
    EXPECT_TRUE(sample.changes().empty());

    showRow(binding, sample, 1); // a record again: every control takes input
    EXPECT_FALSE(binding.isSeparator());
    EXPECT_FALSE(d.dlg.edit(1)->isReadOnly());
    EXPECT_TRUE(d.dlg.item(2)->isEnabled());
    EXPECT_TRUE(d.dlg.item(5)->isEnabled());
    EXPECT_FALSE(d.dlg.edit(8)->isReadOnly());
    EXPECT_EQ(d.dlg.edit(8)->maxLength(), 5);
    d.dlg.setText(1, "9");
    EXPECT_EQ(save(binding, sample), 1);
    EXPECT_EQ(sample.changes(), (std::map<std::uint32_t, std::uint8_t>{{kDiabloAffixes + 48 + 16, 9}}));

    // Without separators an empty name is a record whose name has no room.
    Dialog e;
    const BoundField plain[] = {{"name", name(8, 50, 49)}, {"level", edit(1)}};
    FieldBinding records(e.dlg, tables::kAffixes, plain);
    showRow(records, sample, 83);
    EXPECT_FALSE(records.isSeparator());
    EXPECT_EQ(e.dlg.text(8), "");
    EXPECT_TRUE(e.dlg.edit(8)->isReadOnly());
    EXPECT_FALSE(e.dlg.edit(1)->isReadOnly());
}

TEST(FieldBinding, PointerChoiceShowsTheRowOfTheWholeNameAndWritesThatRowsPointer)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = kDiabloMonsters;
    auto textOf = [&](int row, std::uint32_t offset) {
        return sample.readLE(r + 128 * row + offset, 4) - kDiablo.pointerDelta;
    };
    // Record 1's animation file cut to "Monsters\Zombie\Zombie", the first part of record 0's;
    // record 2's in capitals.
    sample.poke(textOf(1, 8) + 22, {0});
    sample.poke(textOf(2, 8), {'M', 'O', 'N', 'S', 'T', 'E', 'R', 'S'});
    Dialog d(0);
    {
        WorkingCopy file(sample.path.toStdString(), WorkingCopy::Mode::ReadOnly);
        const tables::Placement monsters(tables::kMonsters, kDiablo);
        auto rowsOf = [&](const char* field, int count) {
            return distinctTexts(
                tables::readTexts(file, monsters, tables::fieldOf(tables::kMonsters, field), 50, count));
        };
        const TextChoices animations = rowsOf("anim_file", 3);
        EXPECT_EQ(animations.rows,
                  QStringList({"Monsters\\Zombie\\Zombie%c.CL2", "Monsters\\Zombie\\Zombie"}));
        EXPECT_EQ(animations.rowOf, (std::vector<int>{0, 1, 0}));
        EXPECT_EQ(animations.firstUse, (std::vector<int>{0, 1}));
        AddTextChoices(d.dlg, 3, animations);
        const TextChoices colours = rowsOf("color_file", 4); // none for record 0
        EXPECT_EQ(colours.rowOf, (std::vector<int>{-1, 0, 1, 2}));
        AddTextChoices(d.dlg, 11, colours);
    }
    EXPECT_EQ(d.dlg.rowData(3, 1), sample.readLE(r + 128 + 8, 4));

    const BoundField layout[] = {{"anim_file", pointerChoice(3, 50)}, {"color_file", pointerChoice(11, 50)}};
    FieldBinding binding(d.dlg, tables::kMonsters, layout);
    showRow(binding, sample, 2);
    EXPECT_EQ(d.dlg.selectedRow(3), 0); // by name: the row carries record 0's pointer
    showRow(binding, sample, 1);
    EXPECT_EQ(d.dlg.selectedRow(3), 1);
    showRow(binding, sample, 0);
    EXPECT_EQ(d.dlg.selectedRow(3), 0);
    EXPECT_EQ(d.dlg.selectedRow(11), -1);
    EXPECT_TRUE(d.dlg.list(11)->toolTip().contains("none"));
    EXPECT_EQ(save(binding, sample), 0);

    d.dlg.list(3)->setCurrentRow(1);
    d.dlg.list(11)->setCurrentRow(2);
    EXPECT_EQ(save(binding, sample), 2);
    auto expected = le(r + 8, sample.readLE(r + 128 + 8, 4), 4);
    expected.merge(le(r + 28, sample.readLE(r + 3 * 128 + 28, 4), 4));
    EXPECT_EQ(sample.changes(), sample.differing(expected));

    // A stored name no row stands for is named, and kept.
    showRow(binding, sample, 5);
    EXPECT_EQ(d.dlg.selectedRow(3), -1);
    EXPECT_TRUE(d.dlg.list(3)->toolTip().contains("Monsters\\FalSpear\\Phall%c.CL2"));
    EXPECT_EQ(save(binding, sample), 0);
}

TEST(FieldBinding, PointerChoiceMatchesItsOwnPointerThenItsWholeName)
{
    SampleCopy sample("diablo");
    const std::uint32_t bosses = 0x9A560;
    auto pointerOf = [&](int boss) { return sample.readLE(bosses + 32 * boss + 8, 4); };
    sample.poke(bosses + 32 * 5 + 8, {0, 0, 0, 0}); // no colour file
    Dialog d;
    d.dlg.addRow(12, "GENERA", 1);             // begins GENERAL, but is another name
    d.dlg.addRow(12, "bsdb", 2);               // BSDB in other letters, elsewhere
    d.dlg.addRow(12, "GENERAL", pointerOf(4)); // the text of boss 4's own pointer
    const BoundField layout[] = {{"color_file", pointerChoice(12, 50)}};
    FieldBinding binding(d.dlg, tables::kBosses, layout);

    const std::pair<int, int> shown[] = {{0, 1}, {2, 2}, {4, 2}, {1, -1}, {5, -1}}; // boss, row
    for (auto [boss, row] : shown) {
        showRow(binding, sample, boss);
        EXPECT_EQ(d.dlg.selectedRow(12), row) << boss;
        EXPECT_EQ(save(binding, sample), 0) << boss;
    }
    EXPECT_EQ(d.dlg.combo(12)->placeholderText(), "(none)"); // boss 5
    EXPECT_TRUE(sample.changes().empty());

    d.dlg.combo(12)->setCurrentIndex(2); // boss 5 takes boss 4's pointer
    EXPECT_EQ(save(binding, sample), 1);
    EXPECT_EQ(sample.changes(), sample.differing(le(bosses + 32 * 5 + 8, pointerOf(4), 4)));
}
