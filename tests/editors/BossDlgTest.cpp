#include "editors/monsters/BossDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloBosses = 0x9A560;
const QString kNoSpeech = "Tarvix: No speech associated with this WAV!!\nPlease choose another WAV!";

std::uint32_t boss(int n) { return kDiabloBosses + 32 * n; }

} // namespace

TEST(BossDlg, BothEditionsFillTheirListsAndShowTheRecord)
{
    SampleCopy diablo("diablo");
    auto d = openEditor<CBossDlg>(diablo);
    expectRowCounts(*d, {{1015, 97}, {1021, 112}, {1084, 32}, {1094, 858}, {1095, 31}}); // distinct colour files

    SampleCopy hellfire("hellfire");
    auto h = openEditor<CBossDlg>(hellfire);
    expectRowCounts(*h, {{1015, 100}, {1021, 138}, {1084, 40}, {1094, 1022}, {1095, 31}});
    expectRowTexts(*h, 1015, {{0, "0 - Gharbad the Weak"}});
    expectRowTexts(*h, 1084, {{39, "Bone Demon"}});
    EXPECT_EQ(h->text(1018), "Gharbad the Weak");
    EXPECT_EQ(h->edit(1018)->maxLength(), 16);
    EXPECT_EQ(h->selectedRow(1021), 34);
    EXPECT_EQ(h->combo(1095)->currentText(), "BSDB");
    EXPECT_EQ(h->text(1027), "4");
    EXPECT_EQ(h->text(1106), "120");
    EXPECT_EQ(h->selectedRow(1084), 18);
    EXPECT_TRUE(h->isRowSelected(1088, 5)); // 0x60: Lightning Immune and bit 6
    EXPECT_EQ(h->combo(1125)->currentText(), "Nothing");
    choose(*h, 1015, 13); // pack flag 7
    EXPECT_EQ(h->combo(1125)->currentText(), "Pack, specified To Hit %");
    choose(*h, 1015, 4);
    renderForReview(h.get(), "bosses");
}

TEST(BossDlg, ColourFileRowsStandForWholeNamesWhateverTheirCaseAndCarryTheFirstPointer)
{
    SampleCopy sample("diablo");
    sample.poke(sample.target(boss(14) + 8), {'G', 'E', 0});      // "BR": now the start of GENRL and GENERAL
    sample.poke(sample.target(boss(16) + 8), {'b', 'n', 'g', 0}); // "GTQ": BNG in other letters
    sample.pokeLE(boss(5) + 8, 0);                                 // REDV: no colour file at all
    auto dlg = openEditor<CBossDlg>(sample);
    EXPECT_EQ(dlg->rowCount(1095), 29); // REDV and GTQ gone, BR now GE
    const std::pair<int, const char*> shown[] = {{14, "GE"}, {16, "BNG"}, {4, "GENERAL"}};
    for (auto [n, text] : shown) {
        choose(*dlg, 1015, n);
        EXPECT_EQ(dlg->combo(1095)->currentText(), text) << n;
    }
    // GENERAL at a pointer of its own shows the row of boss 2's, and writes that.
    const int general = dlg->selectedRow(1095);
    choose(*dlg, 1015, 5);
    EXPECT_EQ(dlg->selectedRow(1095), -1);
    EXPECT_EQ(dlg->combo(1095)->placeholderText(), "(none)");
    EXPECT_EQ(dlg->rowData(1095, general), sample.readLE(boss(2) + 8, 4));
    choose(*dlg, 1015, 0);
    choose(*dlg, 1095, general);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(boss(0) + 8, sample.readLE(boss(2) + 8, 4), 4)));
}

TEST(BossDlg, SpeechLinkIsWrittenOnlyWhenAnotherSoundIsChosen)
{
    ScriptedPrompter prompter;
    SampleCopy sample("diablo");
    sample.poke(boss(7) + 28, {0x10, 0x27}); // speech 10000, beyond the table
    auto dlg = openEditor<CBossDlg>(sample);
    EXPECT_EQ(dlg->selectedRow(1094), 839); // speech 144's sound
    choose(*dlg, 1015, 1);                  // speech 0: no speech
    EXPECT_EQ(dlg->selectedRow(1094), -1);
    choose(*dlg, 1015, 7); // no sound, and kept while the rest is saved
    EXPECT_EQ(dlg->selectedRow(1094), -1);
    type(*dlg, 1106, "401");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(boss(7) + 14, 401, 2)));

    // Lazarus speaks speech 35, whose sound speech 36 shares: an unchanged link stays.
    sample.before = sample.bytes();
    choose(*dlg, 1015, 4);
    EXPECT_EQ(dlg->selectedRow(1094), 847);
    type(*dlg, 1106, "601");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(boss(4) + 14, 601, 2)));

    // A sound three speeches share links the last of them.
    sample.before = sample.bytes();
    choose(*dlg, 1094, 410);
    EXPECT_EQ(dlg->windowTitle(), "*Boss Monsters");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(boss(4) + 28, 28, 2)));
    EXPECT_EQ(dlg->windowTitle(), "Boss Monsters");

    // A sound no speech uses: the other fields are written, the link is kept, and the
    // choice stays on display as an unsaved change.
    sample.before = sample.bytes();
    type(*dlg, 1029, "31");
    choose(*dlg, 1094, 0);
    click(*dlg, 1014);
    EXPECT_EQ(prompter.informations, QStringList{kNoSpeech});
    EXPECT_EQ(sample.changes(), sample.differing(le(boss(4) + 18, 31, 1)));
    EXPECT_EQ(dlg->selectedRow(1094), 0);
    EXPECT_TRUE(dlg->hasUnsavedChanges());
    prompter.saveAnswers = {Prompter::SaveAnswer::Discard};
    choose(*dlg, 1015, 4 + 1);
    choose(*dlg, 1015, 4);
    EXPECT_EQ(dlg->selectedRow(1094), 410);
    EXPECT_EQ(prompter.asked.size(), 1);
}
