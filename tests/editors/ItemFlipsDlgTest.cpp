#include "editors/items/ItemFlipsDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <map>

using namespace tarvix;
using namespace tarvix::test;

namespace {

using Bytes = std::map<std::uint32_t, std::uint8_t>;

// Where the executables keep what this editor reads, and how many rows the lists have.
struct Places {
    const char* sample;
    std::uint32_t flipTablePointer;
    std::uint32_t flipSounds; // 4-byte entries; inventory sounds 4 x (animations + 1) behind
    int animations, graphics, sounds;
    std::uint32_t cursorFile;

    std::uint32_t flipSound(int a) const { return flipSounds + 4 * a; }
    std::uint32_t invSound(int a) const { return flipSounds + 4 * (animations + 1 + a); }
};
constexpr Places kDiabloPlaces{"diablo", 0x1C6EE, 0x91BE0, 35, 169, 858, 0x82FEC};
constexpr Places kHellfirePlaces{"hellfire", 0x1F232, 0xA4368, 43, 227, 1022, 0x93C28};

// The graphic-to-flip table as the game finds it: a pointer in the high range takes
// Hellfire's delta in both editions.
std::uint32_t flipTable(const SampleCopy& sample, const Places& p)
{
    const std::uint32_t pointer = sample.readLE(p.flipTablePointer, 4);
    const bool high = pointer >= 0x47A3F0 && pointer <= 0x4833FF;
    return pointer - (high ? 0x401600 : sample.edition.pointerDelta);
}

int storedSound(const SampleCopy& sample, std::uint32_t entry)
{
    return static_cast<std::int16_t>(sample.readLE(entry, 2));
}

// Sets bytes of expected, replacing what an earlier save put there.
void put(Bytes& expected, std::uint32_t offset, std::uint32_t value, int width)
{
    for (auto [at, byte] : le(offset, value, width)) expected[at] = byte;
}

} // namespace

TEST(ItemFlipsDlg, EveryGraphicAndAnimationOfBothSamplesShowsWhatIsStoredAndSavesBackByteForByte)
{
    for (const Places& p : {kDiabloPlaces, kHellfirePlaces}) {
        SampleCopy sample(p.sample);
        auto dlg = openEditor<CItemFlipsDlg>(sample);
        expectRowCounts(*dlg, {{1024, p.graphics}, {1054, p.animations}, {1055, p.sounds}, {1056, p.sounds}});
        const std::uint32_t table = flipTable(sample, p);
        for (int g = 0; g < p.graphics; ++g) {
            choose(*dlg, 1024, g);
            const int a = static_cast<std::uint8_t>(sample.before[table + g]);
            ASSERT_EQ(dlg->selectedRow(1054), a < p.animations ? a : -1) << p.sample << " graphic " << g;
            click(*dlg, 1014);
        }
        // Every animation's sounds, then back to the graphic's own: nothing to write.
        choose(*dlg, 1024, 0);
        const int own = dlg->selectedRow(1054);
        ASSERT_GE(own, 0);
        for (int a = 0; a < p.animations; ++a) {
            choose(*dlg, 1054, a);
            EXPECT_EQ(dlg->selectedRow(1055), storedSound(sample, p.flipSound(a))) << a;
            EXPECT_EQ(dlg->selectedRow(1056), storedSound(sample, p.invSound(a))) << a;
        }
        choose(*dlg, 1054, own);
        click(*dlg, 1014);
        EXPECT_TRUE(sample.changes().empty()) << p.sample;
        EXPECT_FALSE(dlg->windowTitle().startsWith('*'));
    }
}

TEST(ItemFlipsDlg, ListsShowTheGameNames)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CItemFlipsDlg>(sample);
    EXPECT_EQ(dlg->windowTitle(), "Animation Flips");
    expectRowTexts(*dlg, 1024, {{0, "0 - Potion of Full Mana"}, {221, "221 - \"blade with 2 holes at top...lol\""}});
    expectRowTexts(*dlg, 1054, {{0, "Armor2"}, {42, "mooses1"}});
    expectRowTexts(*dlg, 1055, {{0, "Sfx\\Misc\\Walk1.wav"}});
    EXPECT_EQ(dlg->rowText(1056, 1021), dlg->rowText(1055, 1021));
    EXPECT_EQ(dlg->focusWidget(), dlg->combo(1024));
    EXPECT_EQ(dlg->picture(1167)->size(), QSize(28, 28));
    choose(*dlg, 1024, 134); // Great Sword: a tall picture
    renderForReview(dlg.get(), "item-flips");
}

// Graphics 1, 2, 3 and 96 of Diablo all flip as animation 16 ("Scroll").
TEST(ItemFlipsDlg, SoundsBelongToTheAnimationAndAreWrittenWhole)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CItemFlipsDlg>(sample);
    choose(*dlg, 1024, 2);
    ASSERT_EQ(dlg->selectedRow(1054), 16);
    EXPECT_EQ(dlg->list(1054)->currentItem()->text(), "Scroll");
    // The shown sound is the list's top row.
    EXPECT_EQ(dlg->list(1055)->indexAt(QPoint(2, 2)).row(), storedSound(sample, kDiabloPlaces.flipSound(16)));

    choose(*dlg, 1055, 300); // above 255: both bytes
    choose(*dlg, 1056, 857);
    EXPECT_TRUE(dlg->windowTitle().startsWith('*'));
    click(*dlg, 1014);
    Bytes expected = le(kDiabloPlaces.flipSound(16), 300, 2);
    put(expected, kDiabloPlaces.invSound(16), 857, 2);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
    EXPECT_FALSE(dlg->windowTitle().startsWith('*'));

    for (int g : {1, 3, 96}) {
        choose(*dlg, 1024, g);
        EXPECT_EQ(dlg->selectedRow(1055), 300) << g;
        EXPECT_EQ(dlg->selectedRow(1056), 857) << g;
    }
    choose(*dlg, 1024, 0); // animation 20 keeps its own
    EXPECT_EQ(dlg->selectedRow(1055), storedSound(sample, kDiabloPlaces.flipSound(20)));

    // A second save writes only the list changed since: the flip sound stays 300.
    choose(*dlg, 1024, 96);
    choose(*dlg, 1056, 4);
    click(*dlg, 1014);
    put(expected, kDiabloPlaces.invSound(16), 4, 2);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(ItemFlipsDlg, ChoosingAnotherAnimationShowsItsSoundsAndSaveWritesOnlyWhatChanged)
{
    SampleCopy sample("hellfire");
    const Places& p = kHellfirePlaces;
    ScriptedPrompter prompter;
    auto dlg = openEditor<CItemFlipsDlg>(sample);
    const std::uint32_t table = flipTable(sample, p);
    choose(*dlg, 1024, 7); // "thick, gold ring": animation 12
    ASSERT_EQ(dlg->selectedRow(1054), 12);

    choose(*dlg, 1054, 40); // the stored sounds of animation 40 come with it
    EXPECT_EQ(dlg->selectedRow(1055), storedSound(sample, p.flipSound(40)));
    EXPECT_EQ(dlg->selectedRow(1056), storedSound(sample, p.invSound(40)));
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), (Bytes{{table + 7, 40}}));

    // Sounds chosen for animation 40, then another animation: asked about, not dropped.
    choose(*dlg, 1055, 700);
    prompter.saveAnswers = {Prompter::SaveAnswer::Cancel};
    choose(*dlg, 1054, 3);
    ASSERT_EQ(prompter.asked, QStringList{"Unsaved changes: Save changes to the sounds of flip animation 40 - cows1?"});
    EXPECT_EQ(dlg->selectedRow(1054), 40);
    EXPECT_EQ(dlg->selectedRow(1055), 700);

    prompter.saveAnswers = {Prompter::SaveAnswer::Discard};
    choose(*dlg, 1054, 3);
    EXPECT_EQ(dlg->selectedRow(1055), storedSound(sample, p.flipSound(3)));
    EXPECT_EQ(sample.changes(), (Bytes{{table + 7, 40}}));

    // Saving from the question writes the sounds to the animation they were chosen for;
    // the graphic's new animation waits for Save.
    choose(*dlg, 1056, 999);
    prompter.saveAnswers = {Prompter::SaveAnswer::Save};
    choose(*dlg, 1054, 5);
    Bytes expected{{table + 7, 40}};
    put(expected, p.invSound(3), 999, 2);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
    EXPECT_EQ(dlg->selectedRow(1056), storedSound(sample, p.invSound(5)));
    EXPECT_TRUE(dlg->windowTitle().startsWith('*')); // the graphic's animation

    // Another graphic: the graphic and the sounds on display are asked about together.
    choose(*dlg, 1055, 1);
    prompter.saveAnswers = {Prompter::SaveAnswer::Save};
    choose(*dlg, 1024, 8);
    EXPECT_EQ(prompter.asked.last(), "Unsaved changes: Save changes to 7 - \"thick, gold ring\"?");
    expected[table + 7] = 5;
    put(expected, p.flipSound(5), 1, 2);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
    EXPECT_EQ(dlg->selectedRow(1054), 12);

    // A save from the question that fails keeps the sounds and the animation on display.
    choose(*dlg, 1055, 2);
    {
        MovedAway away(sample);
        prompter.saveAnswers = {Prompter::SaveAnswer::Save};
        choose(*dlg, 1054, 0);
        EXPECT_EQ(prompter.errors.size(), 1);
        EXPECT_EQ(dlg->selectedRow(1054), 12);
        EXPECT_EQ(dlg->selectedRow(1055), 2);
    }
    click(*dlg, 1014);
    put(expected, p.flipSound(12), 2, 2);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(ItemFlipsDlg, FlipTablePointerTakesHellfiresDeltaInTheHighRange)
{
    // The Diablo sample's own pointer lies in the high range.
    SampleCopy sample("diablo");
    const std::uint32_t own = sample.readLE(kDiabloPlaces.flipTablePointer, 4);
    ASSERT_GE(own, 0x47A3F0u);
    ASSERT_LE(own, 0x4833FFu);
    auto dlg = openEditor<CItemFlipsDlg>(sample);
    choose(*dlg, 1024, 4);
    choose(*dlg, 1054, 30);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), (Bytes{{own - 0x401600 + 4, 30}}));
}

TEST(ItemFlipsDlg, StoredNumbersOutsideTheListsAreKept)
{
    SampleCopy sample("diablo");
    const std::uint32_t table = flipTable(sample, kDiabloPlaces);
    sample.poke(table + 2, {35}); // graphic 2: no such animation
    // Sound -1 with upper bytes of the game's own, and sound 858, one beyond the list.
    sample.poke(kDiabloPlaces.flipSound(16), {0xFF, 0xFF, 0xAB, 0xCD});
    sample.poke(kDiabloPlaces.invSound(16), {0x5A, 0x03, 0x12, 0x34});
    ScriptedPrompter prompter;
    auto dlg = openEditor<CItemFlipsDlg>(sample);

    choose(*dlg, 1024, 2);
    EXPECT_EQ(dlg->selectedRow(1054), -1);
    for (int id : {1055, 1056}) {
        EXPECT_EQ(dlg->selectedRow(id), -1);
        EXPECT_FALSE(dlg->item(id)->isEnabled()) << "no animation, no sounds to choose";
    }
    renderForReview(dlg.get(), "item-flips-no-animation");
    click(*dlg, 1014);
    choose(*dlg, 1024, 1); // animation 16, both sounds outside the list
    EXPECT_EQ(dlg->selectedRow(1054), 16);
    for (int id : {1055, 1056}) {
        EXPECT_EQ(dlg->selectedRow(id), -1);
        EXPECT_TRUE(dlg->item(id)->isEnabled());
    }
    click(*dlg, 1014);
    EXPECT_TRUE(sample.changes().empty());
    EXPECT_TRUE(prompter.asked.isEmpty());

    // Choosing one sound writes its two bytes only; the other entry keeps all four.
    choose(*dlg, 1056, 5);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(kDiabloPlaces.invSound(16), 5, 2)));

    // Graphic 2 gets an animation, and only then sounds to choose.
    choose(*dlg, 1024, 2);
    choose(*dlg, 1054, 16);
    EXPECT_TRUE(dlg->item(1055)->isEnabled());
    EXPECT_EQ(dlg->selectedRow(1056), 5);
    click(*dlg, 1014);
    Bytes expected = le(kDiabloPlaces.invSound(16), 5, 2);
    expected[table + 2] = 16;
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(ItemFlipsDlg, GraphicsBeyondTheKnownCursorFileReachTheirEntriesAndSaveBackByteForByte)
{
    SampleCopy sample("diablo");
    sample.poke(kDiabloPlaces.cursorFile, {'D', 'a', 't', 'a', '\\', 'm', 'y', '.', 'C', 'E', 'L', 0});
    const std::uint32_t table = flipTable(sample, kDiabloPlaces);
    sample.poke(table + 255, {7});
    auto dlg = openEditor<CItemFlipsDlg>(sample);
    ASSERT_EQ(dlg->rowCount(1024), 256);
    expectRowTexts(*dlg, 1024, {{255, "255 - \"scythe\""}});
    for (int g = kDiabloPlaces.graphics; g < 256; ++g) {
        choose(*dlg, 1024, g);
        click(*dlg, 1014);
    }
    EXPECT_TRUE(sample.changes().empty());
    EXPECT_EQ(dlg->selectedRow(1054), 7);
    EXPECT_EQ(dlg->picture(1167)->size(), QSize(56, 84));
    choose(*dlg, 1024, 200);
    choose(*dlg, 1054, 8);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(Bytes{{table + 200, 8}}));
}
