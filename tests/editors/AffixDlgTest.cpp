#include "editors/items/AffixDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

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
constexpr int kBoxes[] = {1065, 1066, 1067, 1068, 1069, 1070, 1071, 1026};

} // namespace

TEST(AffixDlg, ListsNumberRecordsInHexadecimalAndShareTheEffectList)
{
    SampleCopy diablo("diablo");
    auto d = openEditor<CAffixDlg>(diablo, "diablo7");
    QComboBox* affixes = d->combo(1015);
    ASSERT_EQ(affixes->count(), 179);
    EXPECT_EQ(affixes->itemText(0), "0 - Tin");
    EXPECT_EQ(affixes->itemText(10), "A - Weird");
    EXPECT_EQ(affixes->itemText(kSeparator), "53 - Invalid slot!");
    EXPECT_EQ(affixes->itemText(178), "B2 - blocking");
    EXPECT_EQ(d->text(1027), "7AAF8");
    ASSERT_EQ(d->combo(1016)->count(), 80);
    EXPECT_EQ(d->combo(1016)->itemText(76), "76 - armor class added to life");
    EXPECT_EQ(d->combo(1016)->itemText(77), "77 - 10% of mana added to armor class");

    SampleCopy hellfire("hellfire");
    auto h = openEditor<CAffixDlg>(hellfire, "hell1");
    ASSERT_EQ(h->combo(1015)->count(), 185);
    EXPECT_EQ(h->combo(1015)->itemText(86), "56 - Invalid slot!");
    EXPECT_EQ(h->combo(1015)->itemText(184), "B8 - peril");
    ASSERT_EQ(h->combo(1016)->count(), 94);
    EXPECT_EQ(h->combo(1016)->itemText(76), "76 - lightning damage");
    EXPECT_EQ(h->combo(1016)->itemText(77), "77 - cast spell when used");
    choose(*h, 1015, 184);
    EXPECT_EQ(h->text(1027), QString::number(kHellfireAffixes + 48 * 184, 16).toUpper());
    EXPECT_EQ(h->selectedRow(1016), 86);
}

TEST(AffixDlg, InvalidSlotShowsItsOwnValuesAndWritesNothing)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = record(kSeparator);
    sample.poke(r + 16, {7});                 // a level of its own
    sample.poke(r + 36, {0x2A, 0, 0, 0});     // and a value minimum
    sample.poke(r + 20, {0x11});              // Bows and Jewels
    ScriptedPrompter prompter;
    auto dlg = openEditor<CAffixDlg>(sample, "diablo7");
    choose(*dlg, 1015, 82); // Lightning: other values on display before
    choose(*dlg, 1015, kSeparator);

    EXPECT_EQ(dlg->text(1018), "Invalid slot!");
    EXPECT_EQ(dlg->text(1027), QString::number(r, 16).toUpper());
    EXPECT_EQ(dlg->text(1020), "7");
    EXPECT_EQ(dlg->text(1022), "42");
    EXPECT_EQ(dlg->text(1019), "0");
    EXPECT_TRUE(dlg->isChecked(1065));
    EXPECT_TRUE(dlg->isChecked(1066));
    EXPECT_FALSE(dlg->isChecked(1067));
    EXPECT_TRUE(dlg->isChecked(1071)); // not-cursed byte 0
    EXPECT_EQ(dlg->selectedRow(1016), -1);
    EXPECT_EQ(dlg->combo(1016)->placeholderText(), "(unknown: 255)");

    // Read-only throughout: nothing typed or clicked gets in, and Save writes nothing.
    EXPECT_TRUE(dlg->edit(1018)->isReadOnly());
    for (int id : kEdits) EXPECT_TRUE(dlg->edit(id)->isReadOnly()) << id;
    for (int id : kBoxes) EXPECT_FALSE(dlg->item(id)->isEnabled()) << id;
    EXPECT_FALSE(dlg->item(1016)->isEnabled());
    EXPECT_FALSE(dlg->item(1014)->isEnabled());
    type(*dlg, 1018, "Gold");
    type(*dlg, 1020, "9");
    click(*dlg, 1065);
    click(*dlg, 1014);
    EXPECT_TRUE(sample.changes().empty());
    EXPECT_FALSE(dlg->windowTitle().startsWith('*'));

    // The next record takes input again.
    choose(*dlg, 1015, kSeparator + 1);
    EXPECT_EQ(dlg->text(1018), "quality");
    EXPECT_FALSE(dlg->edit(1018)->isReadOnly());
    EXPECT_FALSE(dlg->edit(1020)->isReadOnly());
    EXPECT_TRUE(dlg->item(1065)->isEnabled());
    EXPECT_TRUE(dlg->item(1016)->isEnabled());
    EXPECT_TRUE(dlg->item(1014)->isEnabled());
    type(*dlg, 1020, "3");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(record(kSeparator + 1) + 16, 3, 1)));
    EXPECT_TRUE(prompter.asked.isEmpty());

    // A zero name pointer is a separator too.
    SampleCopy zero("diablo");
    zero.poke(record(2), {0, 0, 0, 0});
    auto z = openEditor<CAffixDlg>(zero, "diablo7");
    EXPECT_EQ(z->combo(1015)->itemText(2), "2 - Invalid slot!");
    choose(*z, 1015, 2);
    EXPECT_EQ(z->text(1018), "Invalid slot!");
    EXPECT_EQ(z->text(1022), "100");
    EXPECT_TRUE(z->edit(1022)->isReadOnly());
}

TEST(AffixDlg, TheInvalidSlotTextAsANameWritesNothing)
{
    SampleCopy sample("hellfire");
    const std::uint32_t r = kHellfireAffixes + 48 * 85; // Doppelganger's: room for 14 characters
    ScriptedPrompter prompter;
    prompter.saveAnswers = {ScriptedPrompter::SaveAnswer::Discard};
    auto dlg = openEditor<CAffixDlg>(sample, "hell1");
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
    const std::uint32_t target = sample.readLE(r, 4) - 0x401600;
    EXPECT_EQ(sample.bytes().mid(target, 13), QByteArray("Invalid slot\0", 13));
}

TEST(AffixDlg, ItemTypeBoxesAndFlagsWriteOnlyTheirBits)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CAffixDlg>(sample, "diablo7"); // Tin: 0x11, 0x10, 0x00, cursed
    EXPECT_TRUE(dlg->isChecked(1065));
    EXPECT_TRUE(dlg->isChecked(1066));
    EXPECT_TRUE(dlg->isChecked(1067));
    EXPECT_FALSE(dlg->isChecked(1068));
    EXPECT_FALSE(dlg->isChecked(1069));
    EXPECT_TRUE(dlg->isChecked(1071));
    EXPECT_TRUE(dlg->isChecked(1026));

    // Bows and Armors only: 0x10, 0x00, 0x10.
    click(*dlg, 1066);
    click(*dlg, 1067);
    click(*dlg, 1069);
    click(*dlg, 1071); // no longer cursed: the flag byte becomes 1
    click(*dlg, 1014);
    std::map<std::uint32_t, std::uint8_t> expected{
        {record(0) + 20, 0x10}, {record(0) + 21, 0x00}, {record(0) + 22, 0x10}, {record(0) + 32, 1}};
    EXPECT_EQ(sample.changes(), sample.differing(expected));

    // Bits no box stands for, and flag bytes other than 0 or 1, keep their values.
    SampleCopy odd("diablo");
    const std::uint32_t r = record(2); // Bronze
    odd.poke(r + 20, {0xE1, 0x31, 0x4F});
    odd.poke(r + 28, {5});
    odd.poke(r + 32, {9});
    odd.poke(r + 4, {120}); // an effect beyond the list
    auto o = openEditor<CAffixDlg>(odd, "diablo7");
    choose(*o, 1015, 2);
    EXPECT_TRUE(o->isChecked(1026));
    EXPECT_FALSE(o->isChecked(1071));
    EXPECT_EQ(o->selectedRow(1016), -1);
    EXPECT_EQ(o->combo(1016)->placeholderText(), "(unknown: 120)");
    type(*o, 1024, "-7");
    click(*o, 1014);
    EXPECT_EQ(odd.changes(), odd.differing(le(r + 44, 0xFFFFFFF9, 4)));

    click(*o, 1065); // Bows on
    click(*o, 1066); // Jewels off
    click(*o, 1067); // Weapons off
    click(*o, 1068); // Staves off
    click(*o, 1070); // Shields off; Armors stays off: 0xF0, 0x20, 0x4E
    click(*o, 1014);
    EXPECT_EQ(odd.readLE(r + 20, 4), 0x00'4E'20'F0u | (odd.readLE(r + 23, 1) << 24));
    EXPECT_EQ(odd.readLE(r + 28, 1), 5u);
    EXPECT_EQ(odd.readLE(r + 32, 1), 9u);
    EXPECT_EQ(odd.readLE(r + 4, 1), 120u);
}

TEST(AffixDlg, EditsLandExactlyOnTheirBytes)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = record(2); // Bronze
    auto dlg = openEditor<CAffixDlg>(sample, "diablo7");
    choose(*dlg, 1015, 2);
    EXPECT_EQ(dlg->edit(1018)->maxLength(), 6);
    type(*dlg, 1018, "Copper");
    choose(*dlg, 1016, 79);
    type(*dlg, 1019, "-3");   // effect range, signed
    type(*dlg, 1021, "70000");
    type(*dlg, 1020, "255");  // level, an unsigned byte
    type(*dlg, 1022, "0");
    type(*dlg, 1023, "12");
    type(*dlg, 1004, "2");
    click(*dlg, 1026);        // Double Occurance off
    click(*dlg, 1014);

    const std::uint32_t namePtr = sample.readLE(r, 4) - 0x402200;
    std::map<std::uint32_t, std::uint8_t> expected{{namePtr, 'C'}, {namePtr + 1, 'o'}, {namePtr + 2, 'p'},
                                                   {namePtr + 3, 'p'}, {namePtr + 4, 'e'}, {namePtr + 5, 'r'},
                                                   {r + 4, 79}, {r + 16, 255}, {r + 24, 2}, {r + 28, 0}};
    expected.merge(le(r + 8, 0xFFFFFFFD, 4));
    expected.merge(le(r + 12, 70000, 4));
    expected.merge(le(r + 36, 0, 4));
    expected.merge(le(r + 40, 12, 4));
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(AffixDlg, NameEditTakesAtMostFortyNineCharacters)
{
    SampleCopy sample("diablo");
    // A stored name longer than the game's cap: the speech text area holds 60 characters.
    const std::uint32_t pointer = sample.readLE(kDiabloSpeeches + 16 * 197, 4);
    const std::uint32_t target = pointer - 0x402200;
    sample.poke(target, std::vector<std::uint8_t>(60, 'y'));
    sample.poke(target + 60, {0});
    sample.poke(record(1), {static_cast<std::uint8_t>(pointer), static_cast<std::uint8_t>(pointer >> 8),
                            static_cast<std::uint8_t>(pointer >> 16), static_cast<std::uint8_t>(pointer >> 24)});
    auto dlg = openEditor<CAffixDlg>(sample, "diablo7");
    choose(*dlg, 1015, 1);
    EXPECT_EQ(dlg->edit(1018)->maxLength(), 49);
    EXPECT_TRUE(dlg->edit(1018)->toolTip().contains("49"));
    type(*dlg, 1018, QString(55, 'z'));
    click(*dlg, 1014);
    EXPECT_EQ(sample.bytes().mid(target, 51), QByteArray(49, 'z') + QByteArray(1, '\0') + QByteArray(1, 'y'));
}

TEST(AffixDlg, RenderForReview)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CAffixDlg>(sample, "diablo7");
    choose(*dlg, 1015, 10);
    renderForReview(dlg.get(), "affixes");
    choose(*dlg, 1015, kSeparator);
    renderForReview(dlg.get(), "affixes-invalid-slot");
}
