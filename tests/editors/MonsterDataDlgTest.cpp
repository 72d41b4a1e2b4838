#include "editors/monsters/MonsterDataDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloMonsters = 0x96C70;
constexpr std::uint32_t kHellfireMonsters = 0xAA8F0;
constexpr std::uint32_t kDiabloActive = 0x9A4F0;
constexpr std::uint32_t kHellfireActive = 0xAF058;


} // namespace

TEST(MonsterDataDlg, BothEditionsFillTheirLists)
{
    for (const char* edition : {"diablo", "hellfire"}) {
        SampleCopy sample(edition);
        const bool diablo = edition == QString("diablo");
        auto dlg = openEditor<CMonsterDataDlg>(sample, diablo ? "diablo7" : "hell1");
        EXPECT_EQ(dlg->combo(1015)->count(), diablo ? 112 : 138);
        EXPECT_EQ(dlg->combo(1084)->count(), diablo ? 32 : 40);
        EXPECT_EQ(dlg->combo(1089)->count(), diablo ? 90 : 94);
    }
}

TEST(MonsterDataDlg, DungeonLevelsShowHalvedAndStoreDoubled)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = kDiabloMonsters; // Zombie: stored 1 and 3, odd as the game has them
    sample.poke(r + 128 + 85, {255});
    auto dlg = openEditor<CMonsterDataDlg>(sample, "diablo7");
    EXPECT_EQ(dlg->text(1018), "Zombie");
    EXPECT_EQ(dlg->text(1027), "96CC0");
    EXPECT_EQ(dlg->text(1020), "1");
    EXPECT_EQ(dlg->text(1021), "2");

    type(*dlg, 1022, "7"); // an untouched odd level is kept while another field is saved
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 86, 7, 1)));

    const std::pair<const char*, std::uint8_t> cases[] = {{"16", 30}, {"1", 0}, {"128", 254}};
    for (auto [typed, stored] : cases) {
        type(*dlg, 1020, typed);
        click(*dlg, 1014);
        EXPECT_EQ(sample.readLE(r + 84, 1), stored) << typed;
    }
    // Levels that no stored byte can hold are refused, not wrapped.
    ScriptedPrompter prompter;
    for (const char* typed : {"0", "129"}) {
        type(*dlg, 1020, typed);
        click(*dlg, 1014);
        EXPECT_EQ(sample.readLE(r + 84, 1), 254u) << typed;
    }
    ASSERT_EQ(prompter.errors.size(), 2);
    EXPECT_TRUE(prompter.errors[0].contains("Dungeon Levels: 0 is out of range; it accepts a whole number from 1 to 128"))
        << prompter.errors[0].toStdString();
    type(*dlg, 1020, "128");
    choose(*dlg, 1015, 1);
    EXPECT_EQ(dlg->text(1021), "128");
}

TEST(MonsterDataDlg, ExperienceShowsItsDerivedValues)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CMonsterDataDlg>(sample, "diablo7");
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
    auto dlg = openEditor<CMonsterDataDlg>(sample, "diablo7");
    choose(*dlg, 1015, 2);
    QListWidget* list = dlg->list(1088);
    EXPECT_TRUE(dlg->isChecked(1086));
    EXPECT_TRUE(list->item(3)->isSelected()); // Magic Immune
    EXPECT_FALSE(list->item(1)->isSelected());

    dlg->button(1087)->click(); // Hell
    EXPECT_TRUE(list->item(1)->isSelected());
    list->item(4)->setSelected(true); // Fire Immune, written at once without Save
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 118, 0x4A | 16, 1)));

    dlg->button(1086)->click();
    EXPECT_FALSE(list->item(4)->isSelected());
    dlg->button(1087)->click();
    EXPECT_TRUE(list->item(4)->isSelected());

    click(*dlg, 1014); // Save leaves the resistance bytes to the list
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 118, 0x4A | 16, 1)));

    ScriptedPrompter prompter; // a failed write shows the error and the stored bits again
    const QString moved = sample.path + ".away";
    ASSERT_TRUE(QFile::rename(sample.path, moved));
    list->item(5)->setSelected(true);
    EXPECT_EQ(prompter.errors.size(), 1);
    EXPECT_FALSE(list->item(5)->isSelected());
    EXPECT_TRUE(list->item(4)->isSelected());
    ASSERT_TRUE(QFile::rename(moved, sample.path));
}

TEST(MonsterDataDlg, UniqueItemComboFollowsTheItemDropRule)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = kDiabloMonsters + 128 * 50; // drops unique item 1
    auto dlg = openEditor<CMonsterDataDlg>(sample, "diablo7");
    EXPECT_FALSE(dlg->item(1089)->isVisibleTo(dlg.get()));
    choose(*dlg, 1015, 50);
    EXPECT_TRUE(dlg->item(1089)->isVisibleTo(dlg.get()));
    EXPECT_EQ(dlg->selectedRow(1089), 1);

    dlg->combo(1089)->setCurrentIndex(3);
    dlg->combo(1017)->setCurrentIndex(1); // Gold only: the unique item the user did not keep stays stored
    EXPECT_FALSE(dlg->item(1089)->isVisibleTo(dlg.get()));
    EXPECT_EQ(dlg->selectedRow(1089), 1);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 121, 64, 1)));
}

TEST(MonsterDataDlg, ActiveFlagKeepsAStoredTwoUntilChanged)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CMonsterDataDlg>(sample, "hell1");
    choose(*dlg, 1015, 29); // retail only: stored 2
    EXPECT_TRUE(dlg->isChecked(1090));
    click(*dlg, 1014);
    EXPECT_TRUE(sample.changes().empty());

    dlg->button(1090)->click();
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(kHellfireActive + 4 * 29, 0, 1)));
    dlg->button(1090)->click();
    click(*dlg, 1014);
    EXPECT_EQ(sample.readLE(kHellfireActive + 4 * 29, 4), 1u); // only the first byte of an entry is used
}

TEST(MonsterDataDlg, StoredBytesNoRowNamesSurviveSave)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = kDiabloMonsters + 128 * 4;
    sample.poke(r + 96, {60});   // attack type beyond the 32 rows
    sample.poke(r + 100, {5});   // attack special other than 0, 1, 128
    sample.poke(r + 114, {7});   // type beyond the 3 rows
    sample.poke(r + 120, {200}); // unique item beyond the list
    sample.poke(r + 121, {0x81}); // bit 7 set, but no row's value
    sample.poke(kDiabloActive + 4, {7});
    auto dlg = openEditor<CMonsterDataDlg>(sample, "diablo7");
    choose(*dlg, 1015, 4);
    for (int id : {1084, 1085, 1016, 1089, 1017}) EXPECT_EQ(dlg->selectedRow(id), -1) << id;
    EXPECT_TRUE(dlg->item(1089)->isVisibleTo(dlg.get()));
    EXPECT_TRUE(dlg->isChecked(1090));

    type(*dlg, 1036, "33");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 113, 33, 1)));
}

TEST(MonsterDataDlg, NameEditTakesNoMoreThanTheStoredName)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CMonsterDataDlg>(sample, "diablo7"); // "Zombie"
    EXPECT_EQ(dlg->edit(1018)->maxLength(), 6);
    type(*dlg, 1018, "Ghoulish");
    EXPECT_EQ(dlg->text(1018), "Ghouli");
    click(*dlg, 1014);
    const std::uint32_t target = sample.readLE(kDiabloMonsters + 80, 4) - 0x402200;
    EXPECT_EQ(sample.bytes().mid(target, 7), QByteArray("Ghouli\0", 7));
    EXPECT_EQ(sample.changes().size(), 6u);
}

TEST(MonsterDataDlg, RenderForReview)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CMonsterDataDlg>(sample, "hell1");
    choose(*dlg, 1015, 50);
    renderForReview(dlg.get(), "monster-data");
}
