// Controls that editors handle beside their bindings (lists that write every choice at
// once, the boss's speech link): with the mod's original known, those whose value the
// mod changed are marked, say the original in their tooltip, and their context menu
// puts the original back.

#include "editors/magic/SpellIconsDlg.h"
#include "editors/monsters/BossDlg.h"
#include "editors/monsters/MonsterDataDlg.h"
#include "support/EditorDriver.h"
#include "support/MarkDriver.h"
#include "tables/Access.h"
#include "tables/GameTables.h"

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kIcons = 0x829C9;
constexpr std::uint32_t kSpellbook = 0x82B10;

} // namespace

TEST(OriginalBesideBindings, ChangedListsAreMarkedAndTheirMenuPutsTheOriginalBack)
{
    SampleCopy mod("diablo");
    const QString original = mod.keepAsOriginal();
    mod.poke(kIcons, {5});                  // Firebolt shows the Identify icon
    mod.poke(kSpellbook + 12, {2, 0, 0, 0}); // page one, slot 3: Healing instead of 31

    CSpellIconsDlg dlg;
    dlg.setWorkingCopy(mod.path, kDiablo);
    dlg.setOriginal(original);
    const tables::Placement spells(tables::kSpells, kDiablo);
    dlg.setSpells(spells.rows(), spells.offsetOf(tables::fieldOf(tables::kSpells, "magic_name"), 0));
    dlg.show();

    EXPECT_TRUE(dlg.item(1161)->font().bold());
    EXPECT_TRUE(dlg.item(1165)->font().bold());
    EXPECT_FALSE(dlg.item(1162)->font().bold());
    EXPECT_TRUE(tooltipOf(dlg.item(1161)).startsWith("Original: Firebolt")) << tooltipOf(dlg.item(1161)).toStdString();

    revertThroughMenu(dlg.item(1161));
    revertThroughMenu(dlg.item(1165));
    EXPECT_EQ(mod.bytes(), SampleCopy("diablo").before);
    EXPECT_FALSE(dlg.item(1161)->font().bold());
    EXPECT_FALSE(dlg.item(1165)->font().bold());
}

TEST(OriginalBesideBindings, ResistancesChangedByTheModAreMarkedForTheDifficultyShown)
{
    SampleCopy mod("diablo");
    const QString original = mod.keepAsOriginal();
    constexpr std::uint32_t kZombieHell = 0x96C70 + 118;
    mod.poke(kZombieHell, {0x48 | 0x10}); // Fire Immune in Hell

    auto shown = openEditor<CMonsterDataDlg>(mod, original);
    CMonsterDataDlg& dlg = *shown;
    EXPECT_FALSE(dlg.item(1088)->font().bold()); // Normal / Nightmare shown: unchanged
    dlg.button(1087)->click();                   // Hell
    EXPECT_TRUE(dlg.item(1088)->font().bold());
    EXPECT_TRUE(tooltipOf(dlg.item(1088)).startsWith("Original: Magic Immune")) << tooltipOf(dlg.item(1088)).toStdString();
    revertThroughMenu(dlg.item(1088));
    EXPECT_EQ(mod.bytes(), SampleCopy("diablo").before);
    EXPECT_FALSE(dlg.item(1088)->font().bold());
}

TEST(OriginalBesideBindings, ARevertedSpeechLinkIsTheOriginalSpeechItselfThoughAnotherSharesItsSound)
{
    SampleCopy mod("diablo");
    const QString original = mod.keepAsOriginal();
    constexpr std::uint32_t kLazarusSpeech = 0x9A560 + 32 * 4 + 28;
    mod.poke(kLazarusSpeech, {36, 0}); // speech 36 shares its sound with the original's 35

    auto shown = openEditor<CBossDlg>(mod, original);
    CBossDlg& dlg = *shown;
    choose(dlg, 1015, 4);
    EXPECT_TRUE(dlg.item(1094)->font().bold());
    EXPECT_TRUE(tooltipOf(dlg.item(1094)).startsWith("Original: speech 35, ")) << tooltipOf(dlg.item(1094)).toStdString();
    revertThroughMenu(dlg.item(1094));
    click(dlg, 1014);
    EXPECT_EQ(mod.bytes(), SampleCopy("diablo").before);
    EXPECT_FALSE(dlg.item(1094)->font().bold());
}
