// The field binding on its own: a small dialog bound to real tables of a sample copy,
// checked byte for byte where the samples' own values do not lead the editors and the
// property driver: stored values no control stands for, refused input, and names and
// texts at the edge of their room.

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

using Bytes = std::map<std::uint32_t, std::uint8_t>;
constexpr std::uint32_t kDiabloAffixes = 0x7AAF8;

const DialogTemplate& bindingTemplate()
{
    static const DialogTemplate t = DialogTemplate::parse(QStringLiteral(R"(
DIALOG 9001 "Binding" 300 200
FONT 8 "MS Shell Dlg"
EDIT    1 ""        5   5  60 12
COMBO   2 ""        5  20  90 80
LISTBOX 3 ""      100   5  90 60
CHECK   5 "Bows"    5  40  40 10
CHECK   6 "Jewels"  5  52  40 10
CHECK   7 "Cursed"  5  64  40 10
EDIT    8 ""        5  80  90 12
LABEL   - "Level"   5 112  30  8
EDIT   10 ""       40 110  60 12
LISTBOX 11 ""     100  70  90 60
ROW 2 "zero"
ROW 2 "one"
ROW 2 "two"
)"),
                                                          QStringLiteral("binding test"));
    return t;
}

// The dialog bound to a table of a Diablo sample copy as an editor binds it; list box 3
// has listRows rows, carrying the codes 100 on.
struct Bound {
    Bound(const tables::Table& table, std::vector<BoundField> layout, int listRows = 80) : binding(dlg, table, layout)
    {
        for (int row = 0; row < listRows; ++row) dlg.addRow(3, QString::number(row), 100 + row);
    }
    void show(int row)
    {
        WorkingCopy file(sample.path.toStdString(), WorkingCopy::Mode::ReadOnly);
        binding.show(file, kDiablo, row);
    }
    int save()
    {
        WorkingCopy file(sample.path.toStdString(), WorkingCopy::Mode::ReadWrite);
        return binding.save(file);
    }
    SampleCopy sample{"diablo"};
    CDialog dlg{bindingTemplate()};
    FieldBinding binding;
};

} // namespace

TEST(FieldBinding, NamesAndControlsAreResolvedWhenTheDialogIsBuilt)
{
    EXPECT_THROW((Bound(tables::kAffixes, {{"no_such_field", edit(1)}})), std::logic_error);
    EXPECT_THROW((Bound(tables::kAffixes, {{"nowhere.active", check(5)}})), std::logic_error);
    EXPECT_THROW((Bound(tables::kAffixes, {{"level", edit(4242)}})), std::logic_error);
}

TEST(FieldBinding, ChecksOnTheBitsOfOneByteKeepTheBitsNoBoxShows)
{
    Bound b(tables::kAffixes, {{"itype_b20", maskedCheck(5, 0x10)},
                               {"itype_b20", maskedCheck(6, 0x01)},
                               {"not_cursed", invertedCheck(7)}});
    const std::uint32_t r = kDiabloAffixes + 48 * 2; // Bronze: not cursed
    b.sample.poke(r + 20, {0xEE});                   // bits no box stands for, Bows and Jewels clear
    b.sample.poke(r + 32, {7});                      // "not cursed" as a byte other than 0 or 1
    b.show(2);
    for (int id : {5, 6, 7}) EXPECT_FALSE(b.dlg.isChecked(id)) << id;
    EXPECT_EQ(b.save(), 0);
    EXPECT_TRUE(b.sample.changes().empty());

    b.dlg.button(5)->click();
    b.dlg.button(6)->click();
    EXPECT_TRUE(b.binding.isChanged(5));
    EXPECT_EQ(b.save(), 1);
    EXPECT_EQ(b.sample.changes(), (Bytes{{r + 20, 0xFF}}));
    EXPECT_FALSE(b.binding.isModified());

    b.dlg.button(6)->click(); // Jewels off again; Bows stays as saved
    b.dlg.button(7)->click(); // Cursed: the flag byte becomes 0
    b.save();
    EXPECT_EQ(b.sample.readLE(r + 20, 1), 0xFEu);
    EXPECT_EQ(b.sample.readLE(r + 32, 1), 0u);
}

TEST(FieldBinding, BitsThatNoRowShowsAreKept)
{
    // Six resistance rows over a byte of eight bits: the game's own two stay as stored.
    Bound b(tables::kMonsters, {{"resist_normal", bits(3)}}, 6);
    b.show(1);
    const auto at = static_cast<std::uint32_t>(b.binding.offsetOf(b.binding.field("resist_normal")));
    b.sample.poke(at, {0xC8});
    b.show(1);
    for (int row = 0; row < 6; ++row) EXPECT_EQ(b.dlg.list(3)->item(row)->isSelected(), row == 3) << row;
    EXPECT_EQ(b.save(), 0);
    EXPECT_TRUE(b.sample.changes().empty());

    b.dlg.list(3)->item(0)->setSelected(true);
    b.dlg.list(3)->item(3)->setSelected(false);
    EXPECT_EQ(b.save(), 1);
    EXPECT_EQ(b.sample.changes(), (Bytes{{at, 0xC1}}));
}

TEST(FieldBinding, RowsAndCodesKeepValuesNoRowNames)
{
    const std::uint32_t r = kDiabloAffixes + 48 * 3;
    Bound b(tables::kAffixes, {{"effect", listRow(3)}, {"level", comboRow(2)}});
    b.sample.poke(r + 4, {200}); // an effect beyond the 80 rows
    b.show(3);
    EXPECT_EQ(b.dlg.selectedRow(3), -1);
    EXPECT_TRUE(b.dlg.list(3)->toolTip().contains("200"));
    EXPECT_EQ(b.dlg.selectedRow(2), -1); // level 4 of a three-row list
    EXPECT_EQ(b.dlg.combo(2)->placeholderText(), "(unknown: 4)");
    EXPECT_EQ(b.save(), 0);
    b.dlg.list(3)->setCurrentRow(7);
    EXPECT_EQ(b.save(), 1);
    EXPECT_EQ(b.sample.changes(), (Bytes{{r + 4, 7}}));

    // Codes carried as item data: the row's code is written, not its index.
    Bound codes(tables::kAffixes, {{"effect", listData(3)}});
    codes.show(3);
    EXPECT_EQ(codes.dlg.selectedRow(3), -1); // effect 0: no row carries code 0
    codes.dlg.list(3)->setCurrentRow(2);
    codes.save();
    EXPECT_EQ(codes.sample.changes(), (Bytes{{r + 4, 102}}));
}

TEST(FieldBinding, ANameSavedShorterLeavesOnlyItsOwnRoom)
{
    Bound b(tables::kAffixes, {{"name", name(8, 30, 29)}});
    b.show(1); // Brass: five characters
    QLineEdit* line = b.dlg.edit(8);
    EXPECT_EQ(line->maxLength(), 5);
    line->setText("Tin");
    b.save();
    // Still on the same record: what was written is the room now, not what was shown.
    line->selectAll();
    QTest::keyClicks(line, "Steel");
    EXPECT_EQ(line->text(), "Ste");
    EXPECT_TRUE(line->toolTip().contains("At most 3"));
    EXPECT_EQ(b.save(), 1);
    EXPECT_EQ(b.sample.bytes().mid(b.sample.target(kDiabloAffixes + 48), 6), QByteArray("Ste\0s\0", 6));
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
        ScriptedPrompter prompter;
        // The field under test beside one that is fine: neither may be written.
        Bound b(*c.table, {{c.field, edit(10)}, {c.other, edit(1)}});
        b.show(1);
        b.dlg.edit(1)->setText("3");
        EXPECT_TRUE(b.dlg.edit(10)->toolTip().contains("whole number from")) << c.field;
        for (const char* typed : c.refused) {
            b.dlg.edit(10)->setText(typed);
            EXPECT_FALSE(b.dlg.edit(10)->styleSheet().isEmpty()) << c.field << " " << typed;
            b.dlg.runHandler([&] { b.save(); });
            EXPECT_TRUE(b.sample.changes().empty()) << c.field << " " << typed;
        }
        ASSERT_EQ(prompter.errors.size(), c.refused.size()) << c.field;
        EXPECT_TRUE(prompter.errors.back().startsWith("Nothing was saved. Please correct:\nLevel: ")) << c.field;

        b.dlg.edit(10)->setText(c.accepted);
        EXPECT_TRUE(b.dlg.edit(10)->styleSheet().isEmpty());
        EXPECT_EQ(b.save(), 2);
        const tables::FieldRef field = b.binding.field(c.field);
        EXPECT_EQ(b.sample.readLE(static_cast<std::uint32_t>(b.binding.offsetOf(field)),
                                  static_cast<int>(tables::widthOf(field.field->type))),
                  c.stored)
            << c.field;
    }
}

TEST(FieldBinding, TextFillingItsBufferIsShownWholeButTypingLeavesRoomForTheZero)
{
    const std::uint32_t single = 0x9FC55; // a 15-byte buffer
    Bound b(tables::kTexts, {{"save_name_single", inlineText(8)}});
    b.sample.poke(single, std::vector<std::uint8_t>(15, 'A'));
    b.show(0);
    QLineEdit* line = b.dlg.edit(8);
    EXPECT_EQ(line->text(), QString(15, 'A'));

    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClicks(line, "B"); // would be cut off when written: refused
    EXPECT_EQ(line->text(), QString(14, 'A'));
    line->insert(QStringLiteral("\u20AC")); // no game text holds it, whatever the room
    EXPECT_EQ(line->text(), QString(14, 'A'));
    QTest::keyClicks(line, "A"); // as stored again: nothing to write
    EXPECT_FALSE(b.binding.isModified());
    EXPECT_EQ(b.save(), 0);
    line->setCursorPosition(3);
    QTest::keyClicks(line, "C"); // a sixteenth character: refused
    EXPECT_EQ(line->text(), QString(15, 'A'));
    QTest::keyClick(line, Qt::Key_Backspace);
    EXPECT_EQ(b.save(), 1);
    EXPECT_EQ(b.sample.changes(), (Bytes{{single + 14, 0}}));
}

TEST(FieldBinding, SeparatorRowsAreNeverWrittenAndAnEmptyNameElsewhereHasNoRoom)
{
    // Row 83 has an empty name: between the prefixes and suffixes, a separator.
    Bound b(tables::kAffixes, {{"name", name(8, 50, 49, 0, "Invalid slot!").unnamedRowsSeparate()}, {"level", edit(1)}});
    b.show(83);
    EXPECT_TRUE(b.binding.isSeparator());
    b.dlg.setText(1, "9"); // whatever gets into a control is not written
    b.dlg.setText(8, "Tin");
    EXPECT_FALSE(b.binding.isModified());
    EXPECT_EQ(b.save(), 0);
    EXPECT_TRUE(b.sample.changes().empty());

    Bound plain(tables::kAffixes, {{"name", name(8, 50, 49)}, {"level", edit(1)}});
    plain.show(83);
    EXPECT_FALSE(plain.binding.isSeparator());
    EXPECT_EQ(plain.dlg.text(8), "");
    EXPECT_TRUE(plain.dlg.edit(8)->isReadOnly());
    EXPECT_FALSE(plain.dlg.edit(1)->isReadOnly());
}

TEST(FieldBinding, PointerChoiceNamesWhatNoRowStandsForAndKeepsIt)
{
    Bound b(tables::kMonsters, {{"anim_file", pointerChoice(3, 50)}, {"color_file", pointerChoice(11, 50)}}, 0);
    {
        WorkingCopy file(b.sample.path.toStdString(), WorkingCopy::Mode::ReadOnly);
        const tables::Placement monsters(tables::kMonsters, kDiablo);
        for (auto [id, field] : {std::pair{3, "anim_file"}, std::pair{11, "color_file"}})
            AddTextChoices(b.dlg, id, distinctTexts(tables::readTexts(file, monsters, tables::fieldOf(tables::kMonsters, field), 50, 3)));
    }
    b.show(0); // no colour file
    EXPECT_EQ(b.dlg.selectedRow(11), -1);
    EXPECT_TRUE(b.dlg.list(11)->toolTip().contains("none"));
    b.show(5); // a file none of the first three records uses
    EXPECT_EQ(b.dlg.selectedRow(3), -1);
    EXPECT_TRUE(b.dlg.list(3)->toolTip().contains("Monsters\\FalSpear\\Phall%c.CL2"));
    EXPECT_EQ(b.save(), 0);
    EXPECT_TRUE(b.sample.changes().empty());
}
