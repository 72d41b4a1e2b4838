#include "editors/monsters/SpeechesDlg.h"
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

constexpr std::uint32_t kDiabloSpeeches = 0x7EC90;

std::uint32_t speech(int n)
{
    return kDiabloSpeeches + 16 * n;
}

void pick(CDialog& dlg, int listId, int row)
{
    dlg.list(listId)->setCurrentRow(row);
}

} // namespace

TEST(SpeechesDlg, BothEditionsFillTheirLists)
{
    for (const char* edition : {"diablo", "hellfire"}) {
        SampleCopy sample(edition);
        const bool diablo = edition == QString("diablo");
        auto dlg = openEditor<CSpeechesDlg>(sample, diablo ? "diablo7" : "hell1");
        EXPECT_EQ(dlg->combo(1015)->count(), diablo ? 259 : 338);
        EXPECT_EQ(dlg->combo(1015)->itemText(1), "Speech #1");
        EXPECT_EQ(dlg->list(1094)->count(), diablo ? 858 : 1022);
        EXPECT_EQ(dlg->text(1134), "Speech 0 placeholder text (TEXT_KING1)");
    }
}

TEST(SpeechesDlg, SoundSearchShowsTheLastSpeechAndWritesNothing)
{
    ScriptedPrompter prompter;
    SampleCopy sample("diablo");
    auto dlg = openEditor<CSpeechesDlg>(sample, "diablo7");
    click(*dlg, 1139);
    pick(*dlg, 1094, 410); // speeches 25, 27 and 28
    EXPECT_EQ(dlg->selectedRow(1015), 28);
    EXPECT_EQ(dlg->selectedRow(1094), 410);
    EXPECT_EQ(dlg->text(1134), "Speech 28 placeholder text (TEXT_VILE6)");
    EXPECT_FALSE(dlg->hasUnsavedChanges());

    // An unsaved change of the speech shown is asked about first; Cancel keeps it all.
    type(*dlg, 1138, "9");
    pick(*dlg, 1094, 847); // speeches 35 and 36
    EXPECT_EQ(dlg->selectedRow(1015), 28);
    EXPECT_EQ(dlg->selectedRow(1094), 410);
    EXPECT_EQ(dlg->text(1138), "9");
    prompter.saveAnswers = {Prompter::SaveAnswer::Save};
    pick(*dlg, 1094, 847);
    EXPECT_EQ(dlg->selectedRow(1015), 36);
    EXPECT_EQ(prompter.asked.size(), 2);
    EXPECT_EQ(sample.changes(), sample.differing(le(speech(28) + 8, 9, 1)));

    // No speech uses sound 0: the display stays, and the choice is the speech's to save.
    pick(*dlg, 1094, 0);
    EXPECT_EQ(dlg->selectedRow(1015), 36);
    EXPECT_TRUE(dlg->hasUnsavedChanges());
}

TEST(SpeechesDlg, ChosenSoundIsSavedAndValuesNoControlShowsAreKept)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = speech(3);
    sample.poke(r + 4, {2});                          // "Show Speech" byte other than 0 or 1
    sample.poke(r + 12, {0xFF, 0xFF});                // no sound
    sample.poke(speech(4) + 12, {0x5A, 0x03});        // 858: one beyond the list
    sample.poke(speech(5), {0xF0, 0xFF, 0xFF, 0xFF}); // a text pointer outside the file
    auto dlg = openEditor<CSpeechesDlg>(sample, "diablo7");

    pick(*dlg, 1094, 5); // search unticked: only the selection changes
    EXPECT_EQ(dlg->selectedRow(1015), 0);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(speech(0) + 12, 5, 2)));

    sample.before = sample.bytes();
    choose(*dlg, 1015, 3);
    EXPECT_TRUE(dlg->isChecked(1137));
    EXPECT_EQ(dlg->selectedRow(1094), -1);
    type(*dlg, 1138, "-1");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 8, 255, 1)));
    choose(*dlg, 1015, 4);
    EXPECT_EQ(dlg->selectedRow(1094), -1);
    click(*dlg, 1014);
    choose(*dlg, 1015, 3);
    EXPECT_EQ(dlg->text(1138), "-1");

    choose(*dlg, 1015, 5);
    EXPECT_EQ(dlg->text(1134), "");
    click(*dlg, 1137); // the only change: "Show Speech" 1 -> 0
    click(*dlg, 1014);
    auto expected = le(r + 8, 255, 1);
    expected.merge(le(speech(5) + 4, 0, 1));
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(SpeechesDlg, RenderForReview)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CSpeechesDlg>(sample, "hell1");
    choose(*dlg, 1015, 35);
    renderForReview(dlg.get(), "speeches");
}
