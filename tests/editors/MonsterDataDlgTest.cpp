#include "editors/monsters/MonsterDataDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloMonsters = 0x96C70;
constexpr std::uint32_t kDiabloActive = 0x9A4F0;
constexpr std::uint32_t kHellfireActive = 0xAF058;

} // namespace

TEST(MonsterDataDlg, DungeonLevelsShowHalvedAndHellfireOffersNinetyFourUniqueItems)
{
    SampleCopy sample("diablo");
    sample.poke(kDiabloMonsters + 128 + 85, {255});
    auto dlg = openEditor<CMonsterDataDlg>(sample);
    EXPECT_EQ(dlg->rowCount(1089), 90);
    EXPECT_EQ(dlg->text(1018), "Zombie");
    EXPECT_EQ(dlg->text(1020), "1"); // stored 1 and 3, odd as the game has them
    EXPECT_EQ(dlg->text(1021), "2");
    choose(*dlg, 1015, 1);
    EXPECT_EQ(dlg->text(1021), "128");

    SampleCopy hellfire("hellfire");
    auto h = openEditor<CMonsterDataDlg>(hellfire);
    EXPECT_EQ(h->rowCount(1089), 94);
    choose(*h, 1015, 50);
    renderForReview(h.get(), "monster-data");
}

TEST(MonsterDataDlg, ExperienceShowsItsDerivedValues)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CMonsterDataDlg>(sample);
    EXPECT_EQ(dlg->text(1038), "54");
    EXPECT_EQ(dlg->text(1039), "2108");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"100", "2200", "4400"}, {"", "2000", "4000"}, {"65536", "2000", "4000"}, {"abc", "2000", "4000"}};
    for (auto [typed, twice, four] : cases) {
        type(*dlg, 1038, typed);
        EXPECT_EQ(dlg->text(1039), twice) << typed;
        EXPECT_EQ(dlg->text(1040), four) << typed;
    }
}

TEST(MonsterDataDlg, ResistanceListWritesItsByteAtOnceAndKeepsHiddenBits)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = kDiabloMonsters + 128 * 2; // 116 = 0x48, 118 = 0x4A: bit 6 set in both
    auto dlg = openEditor<CMonsterDataDlg>(sample);
    choose(*dlg, 1015, 2);
    QListWidget* list = dlg->list(1088);
    EXPECT_TRUE(dlg->isChecked(1086));
    EXPECT_TRUE(list->item(3)->isSelected()); // Magic Immune
    EXPECT_FALSE(list->item(1)->isSelected());

    click(*dlg, 1087); // Hell
    EXPECT_TRUE(list->item(1)->isSelected());
    list->item(4)->setSelected(true); // Fire Immune, written at once without Save
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 118, 0x4A | 16, 1)));

    click(*dlg, 1086);
    EXPECT_FALSE(list->item(4)->isSelected());
    click(*dlg, 1087);
    EXPECT_TRUE(list->item(4)->isSelected());

    click(*dlg, 1014); // Save leaves the resistance bytes to the list
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 118, 0x4A | 16, 1)));

    ScriptedPrompter prompter; // a failed write shows the error and the stored bits again
    MovedAway away(sample);
    list->item(5)->setSelected(true);
    EXPECT_EQ(prompter.errors.size(), 1);
    EXPECT_FALSE(list->item(5)->isSelected());
    EXPECT_TRUE(list->item(4)->isSelected());
}

TEST(MonsterDataDlg, UniqueItemComboFollowsTheItemDropRule)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = kDiabloMonsters + 128 * 50; // drops unique item 1
    sample.poke(kDiabloMonsters + 128 * 4 + 121, {0x81}); // bit 7 set, but no row's value
    auto dlg = openEditor<CMonsterDataDlg>(sample);
    EXPECT_FALSE(dlg->item(1089)->isVisibleTo(dlg.get()));
    choose(*dlg, 1015, 4);
    EXPECT_EQ(dlg->selectedRow(1017), -1);
    EXPECT_TRUE(dlg->item(1089)->isVisibleTo(dlg.get()));
    choose(*dlg, 1015, 50);
    EXPECT_TRUE(dlg->item(1089)->isVisibleTo(dlg.get()));
    EXPECT_EQ(dlg->selectedRow(1089), 1);

    choose(*dlg, 1089, 3);
    choose(*dlg, 1017, 1); // Gold only: the unique item the user did not keep stays stored
    EXPECT_FALSE(dlg->item(1089)->isVisibleTo(dlg.get()));
    EXPECT_EQ(dlg->selectedRow(1089), 1);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 121, 64, 1)));
}

TEST(MonsterDataDlg, ActiveFlagKeepsAStoredTwoUntilChanged)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CMonsterDataDlg>(sample);
    choose(*dlg, 1015, 29); // retail only: stored 2
    EXPECT_TRUE(dlg->isChecked(1090));
    click(*dlg, 1014);
    EXPECT_TRUE(sample.changes().empty());

    click(*dlg, 1090);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(kHellfireActive + 4 * 29, 0, 1)));
    click(*dlg, 1090);
    click(*dlg, 1014);
    EXPECT_EQ(sample.readLE(kHellfireActive + 4 * 29, 4), 1u); // only the first byte of an entry is used

    SampleCopy diablo("diablo"); // any byte but 0 is active
    diablo.poke(kDiabloActive + 4, {7});
    auto d = openEditor<CMonsterDataDlg>(diablo);
    choose(*d, 1015, 4);
    EXPECT_TRUE(d->isChecked(1090));
}
