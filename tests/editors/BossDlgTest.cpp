#include "editors/monsters/BossDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloBosses = 0x9A560;
constexpr std::uint32_t kHellfireBosses = 0xAF280;
constexpr std::uint32_t kDiabloDelta = 0x402200;
const QString kNoSpeech = "Tarvix: No speech associated with this WAV!!\nPlease choose another WAV!";

std::uint32_t boss(int n)
{
    return kDiabloBosses + 32 * n;
}

// The user picks a row of a list box.
void pick(CDialog& dlg, int listId, int row)
{
    dlg.list(listId)->setCurrentRow(row);
}

} // namespace

TEST(BossDlg, BothEditionsFillTheirLists)
{
    for (const char* edition : {"diablo", "hellfire"}) {
        SampleCopy sample(edition);
        const bool diablo = edition == QString("diablo");
        auto dlg = openEditor<CBossDlg>(sample, diablo ? "diablo7" : "hell1");
        EXPECT_EQ(dlg->combo(1015)->count(), diablo ? 97 : 100);
        EXPECT_EQ(dlg->combo(1021)->count(), diablo ? 112 : 138);
        EXPECT_EQ(dlg->combo(1084)->count(), diablo ? 32 : 40);
        EXPECT_EQ(dlg->list(1094)->count(), diablo ? 858 : 1022);
        EXPECT_EQ(dlg->combo(1095)->count(), 31); // distinct colour file names
    }
}

TEST(BossDlg, ShowsTheRecordAndWritesEachEditOnItsOwnBytes)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CBossDlg>(sample, "hell1");
    EXPECT_EQ(dlg->combo(1015)->itemText(0), "0 - Gharbad the Weak");
    EXPECT_EQ(dlg->text(1018), "Gharbad the Weak");
    EXPECT_EQ(dlg->edit(1018)->maxLength(), 16);
    EXPECT_EQ(dlg->selectedRow(1021), 34);
    EXPECT_EQ(dlg->combo(1095)->currentText(), "BSDB");
    EXPECT_EQ(dlg->text(1027), "4");
    EXPECT_EQ(dlg->text(1106), "120");
    EXPECT_EQ(dlg->selectedRow(1084), 18);
    EXPECT_EQ(dlg->combo(1084)->itemText(39), "Bone Demon");
    EXPECT_EQ(dlg->list(1088)->item(5)->isSelected(), true); // 0x60: Lightning Immune and bit 6
    EXPECT_EQ(dlg->combo(1125)->currentText(), "Nothing");

    const std::uint32_t r = kHellfireBosses + 32 * 3; // Snotspill
    choose(*dlg, 1015, 3);
    choose(*dlg, 1021, 137);
    type(*dlg, 1018, "Snotbubbles"); // cut to the 9 characters stored
    type(*dlg, 1027, "-1");
    type(*dlg, 1106, "-2");
    choose(*dlg, 1084, 39);
    type(*dlg, 1026, "-3");
    type(*dlg, 1029, "200");
    type(*dlg, 1030, "0");
    dlg->list(1088)->item(0)->setSelected(true);
    choose(*dlg, 1125, 4);
    type(*dlg, 1126, "9");
    EXPECT_EQ(dlg->windowTitle(), "*Boss Monsters");
    click(*dlg, 1014);
    EXPECT_EQ(dlg->windowTitle(), "Boss Monsters");

    std::map<std::uint32_t, std::uint8_t> expected;
    const std::uint32_t name = sample.readLE(r + 4, 4) - 0x401600;
    for (int i = 0; i < 9; ++i)
        expected[name + i] = static_cast<std::uint8_t>("Snotbubbl"[i]);
    for (auto part :
         {le(r, 137, 1), le(r + 12, 0xFF, 1), le(r + 14, 0xFFFE, 2), le(r + 16, 39, 1), le(r + 17, 0xFD, 1),
          le(r + 18, 200, 1), le(r + 19, 0, 1), le(r + 20, 4 | 1, 1), le(r + 22, 11, 1), le(r + 24, 9, 1)})
        expected.merge(part);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(BossDlg, ColourFileRowsStandForWholeNames)
{
    SampleCopy sample("diablo");
    auto text = [&](int n) { return sample.readLE(boss(n) + 8, 4) - kDiabloDelta; };
    sample.poke(text(14), {'G', 'E', 0});      // "BR": now the start of GENRL and GENERAL
    sample.poke(text(16), {'b', 'n', 'g', 0}); // "GTQ": BNG in other letters
    sample.poke(boss(5) + 8, {0, 0, 0, 0});    // REDV: no colour file at all
    auto dlg = openEditor<CBossDlg>(sample, "diablo7");
    QComboBox* colours = dlg->combo(1095);
    EXPECT_EQ(colours->count(), 29); // REDV and GTQ gone, BR now GE

    choose(*dlg, 1015, 14);
    EXPECT_EQ(colours->currentText(), "GE");
    choose(*dlg, 1015, 16);
    EXPECT_EQ(colours->currentText(), "BNG");
    choose(*dlg, 1015, 4); // GENERAL at a pointer of its own shows the row of boss 2's
    const int general = colours->currentIndex();
    EXPECT_EQ(colours->currentText(), "GENERAL");
    EXPECT_EQ(colours->itemData(general).toUInt(), sample.readLE(boss(2) + 8, 4));

    choose(*dlg, 1015, 5);
    EXPECT_EQ(colours->currentIndex(), -1);
    EXPECT_EQ(colours->placeholderText(), "(none)");
    type(*dlg, 1106, "401");
    click(*dlg, 1014); // the zero pointer stays
    EXPECT_EQ(sample.changes(), sample.differing(le(boss(5) + 14, 401, 2)));

    // Choosing the shared row writes its one pointer for any boss.
    sample.before = sample.bytes();
    for (int n : {0, 3}) {
        choose(*dlg, 1015, n);
        choose(*dlg, 1095, general);
        click(*dlg, 1014);
    }
    auto expected = le(boss(0) + 8, sample.readLE(boss(2) + 8, 4), 4);
    expected.merge(le(boss(3) + 8, sample.readLE(boss(2) + 8, 4), 4));
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(BossDlg, SpeechLinkIsWrittenOnlyWhenAnotherSoundIsChosen)
{
    ScriptedPrompter prompter;
    SampleCopy sample("diablo");
    auto dlg = openEditor<CBossDlg>(sample, "diablo7");
    EXPECT_EQ(dlg->selectedRow(1094), 839); // speech 144's sound
    choose(*dlg, 1015, 1);                  // speech 0: no speech
    EXPECT_EQ(dlg->selectedRow(1094), -1);

    // Lazarus speaks speech 35, whose sound speech 36 shares: an unchanged link stays.
    choose(*dlg, 1015, 4);
    EXPECT_EQ(dlg->selectedRow(1094), 847);
    type(*dlg, 1106, "601");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(boss(4) + 14, 601, 2)));

    // A sound three speeches share links the last of them.
    sample.before = sample.bytes();
    pick(*dlg, 1094, 410);
    EXPECT_EQ(dlg->windowTitle(), "*Boss Monsters");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(boss(4) + 28, 28, 2)));
    EXPECT_EQ(dlg->windowTitle(), "Boss Monsters");

    // A sound no speech uses: the other fields are written, the link is kept, and the
    // choice stays on display as an unsaved change.
    sample.before = sample.bytes();
    type(*dlg, 1029, "31");
    pick(*dlg, 1094, 0);
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

TEST(BossDlg, StoredValuesNoRowNamesSurviveSave)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = boss(7);
    sample.poke(r, {200});             // monster type beyond the list
    sample.poke(r + 16, {0xFF});       // attack type -1
    sample.poke(r + 20, {0xC2});       // bits 6 and 7 beside Fire Resist
    sample.poke(r + 22, {8});          // pack flag no row names
    sample.poke(r + 28, {0x10, 0x27}); // speech 10000, beyond the table
    auto dlg = openEditor<CBossDlg>(sample, "diablo7");
    choose(*dlg, 1015, 7);
    for (int id : {1021, 1084, 1125, 1094})
        EXPECT_EQ(dlg->selectedRow(id), -1) << id;

    dlg->list(1088)->item(1)->setSelected(false);
    dlg->list(1088)->item(3)->setSelected(true);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 20, 0xC8, 1)));
}

TEST(BossDlg, RenderForReview)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CBossDlg>(sample, "hell1");
    choose(*dlg, 1015, 4);
    renderForReview(dlg.get(), "bosses");
}
