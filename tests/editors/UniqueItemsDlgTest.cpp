#include "editors/items/UniqueItemsDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloUniques = 0x7CCB8;
constexpr std::uint32_t kDiabloSpeeches = 0x7EC90;
constexpr int kSlotEffects[] = {1080, 1017, 1021, 1023, 1024, 1025};

std::uint32_t record(int i) { return kDiabloUniques + 84 * i; }

} // namespace

TEST(UniqueItemsDlg, EffectListsOfBothEditions)
{
    SampleCopy diablo("diablo");
    auto d = openEditor<CUniqueItemsDlg>(diablo);
    expectRowTexts(*d, 1015, {{0, "0 - The Butcher's Cleaver"}});
    EXPECT_EQ(d->text(1039), "7CCB8");
    EXPECT_EQ(d->rowCount(1064), 169);
    for (int id : kSlotEffects) {
        ASSERT_EQ(d->rowCount(id), 80) << id;
        expectRowTexts(*d, id, {{44, "44 - unique picture"}, {76, "76 - armor class added to life"},
                                {77, "77 - 10% of mana added to armor class"}, {79, "79 - - armor class"}});
    }

    SampleCopy hellfire("hellfire");
    auto h = openEditor<CUniqueItemsDlg>(hellfire);
    EXPECT_EQ(h->rowCount(1064), 227);
    for (int id : kSlotEffects) {
        ASSERT_EQ(h->rowCount(id), 94) << id;
        expectRowTexts(*h, id, {{75, "75 - specified armor class"}, {76, "76 - lightning damage"},
                                {77, "77 - cast spell when used"}, {78, "78 - +30-clvl% resist fire"},
                                {93, "93 - move life to mana"}});
    }
    choose(*h, 1015, 3);
    renderForReview(h.get(), "unique-items");
}

TEST(UniqueItemsDlg, PictureFollowsTheLastPictureSlotAndTheGraphicListWritesNothing)
{
    SampleCopy sample("diablo");
    // Optic Amulet: slot 4 is its picture slot (44); slot 1 becomes one too, earlier.
    sample.poke(record(3) + 24, {44});
    sample.pokeLE(record(3) + 28, 20);
    ScriptedPrompter prompter; // no question may come up: the graphic list is no field
    auto dlg = openEditor<CUniqueItemsDlg>(sample);
    QLabel* picture = dlg->picture(1167);

    // No picture slot: no picture and no graphic; picking one only shows it.
    EXPECT_EQ(dlg->text(1018), "The Butcher's Cleaver");
    EXPECT_EQ(dlg->selectedRow(1064), -1);
    EXPECT_FALSE(picture->isVisibleTo(dlg.get()));
    renderForReview(dlg.get(), "unique-items-no-picture");
    choose(*dlg, 1064, 10);
    EXPECT_TRUE(picture->isVisibleTo(dlg.get()));
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_FALSE(dlg->windowTitle().startsWith('*'));
    click(*dlg, 1014);

    choose(*dlg, 1015, 1); // The Undead Crown: slot 2, graphic 77 (2 x 2 cells)
    EXPECT_EQ(dlg->selectedRow(1064), 77);
    EXPECT_TRUE(picture->isVisibleTo(dlg.get()));
    EXPECT_EQ(picture->size(), QSize(56, 56));

    choose(*dlg, 1015, 3);
    EXPECT_EQ(dlg->selectedRow(1017), 44);
    EXPECT_EQ(dlg->selectedRow(1024), 44);
    EXPECT_EQ(dlg->selectedRow(1064), 44); // the later slot's minimum, not 20
    choose(*dlg, 1064, 5);
    click(*dlg, 1014);
    EXPECT_TRUE(sample.changes().empty());
    EXPECT_TRUE(prompter.asked.isEmpty());

    // The picture follows the last picture slot's minimum as it is typed, and saving
    // writes that minimum only.
    type(*dlg, 1029, "30"); // the earlier slot: no effect on the picture
    EXPECT_EQ(dlg->selectedRow(1064), 44);
    type(*dlg, 1035, "100");
    EXPECT_EQ(dlg->selectedRow(1064), 100);
    EXPECT_EQ(picture->size(), QSize(56, 84));
    choose(*dlg, 1024, 43); // no longer a picture slot: the earlier one shows
    EXPECT_EQ(dlg->selectedRow(1064), 30);
    choose(*dlg, 1024, 44);
    click(*dlg, 1014);
    auto expected = le(record(3) + 28, 30, 4);
    expected.merge(le(record(3) + 64, 100, 4));
    EXPECT_EQ(sample.changes(), sample.differing(expected));
    choose(*dlg, 1015, 0);
    choose(*dlg, 1015, 3);
    EXPECT_EQ(dlg->selectedRow(1064), 100);
}

TEST(UniqueItemsDlg, ALongStoredNameTakesAtMostTheThirtyNineCharactersTheGameDoes)
{
    SampleCopy sample("diablo");
    const std::uint32_t speech = sample.readLE(kDiabloSpeeches + 16 * 197, 4); // a 45-character text
    sample.pokeLE(record(0), speech);
    auto dlg = openEditor<CUniqueItemsDlg>(sample);
    EXPECT_EQ(dlg->edit(1018)->maxLength(), 39);
    EXPECT_TRUE(dlg->edit(1018)->toolTip().contains("39"));
    type(*dlg, 1018, QString(45, 'x'));
    click(*dlg, 1014);
    auto written = textAt(sample.target(record(0)), QByteArray(39, 'x'));
    written[sample.target(record(0)) + 39] = 0;
    EXPECT_EQ(sample.changes(), sample.differing(written));
}
