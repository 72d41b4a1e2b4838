#include "editors/items/AffixDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloAffixes = 0x7AAF8;
constexpr std::uint32_t kHellfireAffixes = 0x8A820;
constexpr std::uint32_t kDiabloSpeeches = 0x7EC90;
constexpr int kSeparator = 83; // between the Diablo prefixes and suffixes

std::uint32_t record(int i) { return kDiabloAffixes + 48 * i; }

// Every control of the record but the name.
constexpr int kEdits[] = {1019, 1021, 1020, 1022, 1023, 1024, 1004};
constexpr int kBoxes[] = {1065, 1066, 1067, 1068, 1069, 1070, 1071, 1026, 1016};

} // namespace

TEST(AffixDlg, ListsNumberRecordsInHexadecimalAndTakeTheEditionsEffects)
{
    SampleCopy diablo("diablo");
    auto d = openEditor<CAffixDlg>(diablo);
    expectRowCounts(*d, {{1015, 179}, {1016, 80}});
    expectRowTexts(*d, 1015, {{0, "0 - Tin"}, {10, "A - Weird"}, {kSeparator, "53 - Invalid slot!"}, {178, "B2 - blocking"}});
    choose(*d, 1015, 10);
    renderForReview(d.get(), "affixes");

    SampleCopy hellfire("hellfire");
    auto h = openEditor<CAffixDlg>(hellfire);
    expectRowCounts(*h, {{1015, 185}, {1016, 94}});
    expectRowTexts(*h, 1015, {{86, "56 - Invalid slot!"}, {184, "B8 - peril"}});
}

TEST(AffixDlg, InvalidSlotShowsItsOwnValuesAndWritesNothing)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = record(kSeparator);
    sample.poke(r + 16, {7}); // a level of its own
    sample.pokeLE(record(2), 0); // a zero name pointer is a separator too
    ScriptedPrompter prompter;
    auto dlg = openEditor<CAffixDlg>(sample);
    expectRowTexts(*dlg, 1015, {{2, "2 - Invalid slot!"}});
    choose(*dlg, 1015, 82); // Lightning: other values on display before
    choose(*dlg, 1015, kSeparator);
    EXPECT_EQ(dlg->text(1018), "Invalid slot!");
    EXPECT_EQ(dlg->text(1027), QString::number(r, 16).toUpper());
    EXPECT_EQ(dlg->text(1020), "7");
    renderForReview(dlg.get(), "affixes-invalid-slot");

    // Read-only throughout: nothing typed or clicked gets in, and Save writes nothing.
    EXPECT_TRUE(dlg->edit(1018)->isReadOnly());
    for (int id : kEdits) EXPECT_TRUE(dlg->edit(id)->isReadOnly()) << id;
    for (int id : kBoxes) EXPECT_FALSE(dlg->item(id)->isEnabled()) << id;
    EXPECT_FALSE(dlg->item(1014)->isEnabled());
    type(*dlg, 1018, "Gold");
    type(*dlg, 1020, "9");
    click(*dlg, 1065);
    click(*dlg, 1014);
    choose(*dlg, 1015, 2);
    EXPECT_EQ(dlg->text(1018), "Invalid slot!");
    EXPECT_TRUE(dlg->edit(1022)->isReadOnly());
    EXPECT_TRUE(sample.changes().empty());
    EXPECT_FALSE(dlg->windowTitle().startsWith('*'));

    // The next record takes input again.
    choose(*dlg, 1015, kSeparator + 1);
    EXPECT_EQ(dlg->text(1018), "quality");
    EXPECT_FALSE(dlg->edit(1018)->isReadOnly());
    EXPECT_TRUE(dlg->item(1065)->isEnabled());
    EXPECT_TRUE(dlg->item(1014)->isEnabled());
    type(*dlg, 1020, "3");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(record(kSeparator + 1) + 16, 3, 1)));
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST(AffixDlg, TheInvalidSlotTextAsANameWritesNothing)
{
    SampleCopy sample("hellfire");
    const std::uint32_t r = kHellfireAffixes + 48 * 85; // Doppelganger's: room for 14 characters
    ScriptedPrompter prompter;
    prompter.saveAnswers = {ScriptedPrompter::SaveAnswer::Discard};
    auto dlg = openEditor<CAffixDlg>(sample);
    choose(*dlg, 1015, 85);
    type(*dlg, 1018, "Invalid slot!");
    type(*dlg, 1020, "40");
    click(*dlg, 1014);
    EXPECT_TRUE(sample.changes().empty());

    choose(*dlg, 1015, 0); // still unsaved: asked, and discarded
    EXPECT_EQ(prompter.asked.size(), 1);
    choose(*dlg, 1015, 85);
    type(*dlg, 1018, "Invalid slot");
    click(*dlg, 1014);
    EXPECT_EQ(sample.bytes().mid(sample.target(r), 13), QByteArray("Invalid slot\0", 13));
}

TEST(AffixDlg, EachItemTypeBoxStandsForItsBitAndCursedForTheFlagByte)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CAffixDlg>(sample); // Tin: 0x11, 0x10, 0x00, cursed
    for (int id : {1065, 1066, 1067, 1071, 1026}) EXPECT_TRUE(dlg->isChecked(id)) << id;
    for (int id : {1068, 1069, 1070}) EXPECT_FALSE(dlg->isChecked(id)) << id;

    // Bows and Armors only: 0x10, 0x00, 0x10.
    click(*dlg, 1066);
    click(*dlg, 1067);
    click(*dlg, 1069);
    click(*dlg, 1071); // no longer cursed: the flag byte becomes 1
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing({{record(0) + 20, 0x10}, {record(0) + 21, 0x00},
                                                  {record(0) + 22, 0x10}, {record(0) + 32, 1}}));
    click(*dlg, 1068); // Staves
    click(*dlg, 1070); // Shields
    click(*dlg, 1014);
    EXPECT_EQ(sample.readLE(record(0) + 20, 3), 0x110110u);
}

TEST(AffixDlg, NameEditTakesAtMostFortyNineCharacters)
{
    SampleCopy sample("diablo");
    // A stored name longer than the game's cap: the speech text area holds 60 characters.
    const std::uint32_t pointer = sample.readLE(kDiabloSpeeches + 16 * 197, 4);
    const std::uint32_t target = pointer - kDiablo.pointerDelta;
    sample.poke(target, std::vector<std::uint8_t>(60, 'y'));
    sample.poke(target + 60, {0});
    sample.pokeLE(record(1), pointer);
    auto dlg = openEditor<CAffixDlg>(sample);
    choose(*dlg, 1015, 1);
    EXPECT_EQ(dlg->edit(1018)->maxLength(), 49);
    EXPECT_TRUE(dlg->edit(1018)->toolTip().contains("49"));
    type(*dlg, 1018, QString(55, 'z'));
    click(*dlg, 1014);
    EXPECT_EQ(sample.bytes().mid(target, 51), QByteArray(49, 'z') + QByteArray(1, '\0') + QByteArray(1, 'y'));
}
