#include "editors/items/ItemFlipsDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace tarvix;
using namespace tarvix::test;

namespace {

using Bytes = std::map<std::uint32_t, std::uint8_t>;

// Where the executables keep what this editor reads, and how many rows the lists have.
struct Places {
    const char* sample;
    const char* tag;
    std::uint32_t flipTablePointer;
    std::uint32_t flipSounds; // 4-byte entries; inventory sounds 4 x (animations + 1) behind
    int animations;
    int sounds;
    std::uint32_t cursorFile;
    std::uint32_t pointerDelta;

    std::uint32_t flipSound(int a) const { return flipSounds + 4 * a; }
    std::uint32_t invSound(int a) const { return flipSounds + 4 * (animations + 1 + a); }
};
constexpr Places kDiabloPlaces{"diablo", "diablo7", 0x1C6EE, 0x91BE0, 35, 858, 0x82FEC, 0x402200};
constexpr Places kHellfirePlaces{"hellfire", "hell1", 0x1F232, 0xA4368, 43, 1022, 0x93C28, 0x401600};

// The graphic-to-flip table as the game finds it: a pointer in the high range takes
// Hellfire's delta in both editions.
std::uint32_t flipTable(const SampleCopy& sample, const Places& p)
{
    const std::uint32_t pointer = sample.readLE(p.flipTablePointer, 4);
    const bool high = pointer >= 0x47A3F0 && pointer <= 0x4833FF;
    return pointer - (high ? 0x401600 : p.pointerDelta);
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

// The user clicks a row of a list box.
void pick(CDialog& dlg, int listId, int row)
{
    dlg.list(listId)->setCurrentRow(row);
}

} // namespace

TEST(ItemFlipsDlg, EveryGraphicOfBothSamplesSavesBackByteForByte)
{
    for (const Places& p : {kDiabloPlaces, kHellfirePlaces}) {
        for (bool unknownCursorFile : {false, true}) {
            SampleCopy sample(p.sample);
            if (unknownCursorFile) sample.poke(p.cursorFile, {'m', 'o', 'd', 0});
            auto dlg = openEditor<CItemFlipsDlg>(sample, p.tag);
            const int rows = dlg->combo(1024)->count();
            EXPECT_EQ(rows, unknownCursorFile ? 256 : (p.animations == 35 ? 169 : 227));
            EXPECT_EQ(dlg->list(1054)->count(), p.animations);
            EXPECT_EQ(dlg->list(1055)->count(), p.sounds);
            EXPECT_EQ(dlg->list(1056)->count(), p.sounds);
            const std::uint32_t table = flipTable(sample, p);
            for (int g = 0; g < rows; ++g) {
                choose(*dlg, 1024, g);
                const int a = static_cast<std::uint8_t>(sample.before[table + g]);
                ASSERT_EQ(dlg->selectedRow(1054), a < p.animations ? a : -1) << p.sample << " graphic " << g;
                if (a < p.animations) {
                    EXPECT_EQ(dlg->selectedRow(1055), storedSound(sample, p.flipSound(a)));
                    EXPECT_EQ(dlg->selectedRow(1056), storedSound(sample, p.invSound(a)));
                }
                click(*dlg, 1014);
            }
            // Every animation's sounds, then back to the graphic's own: nothing to write.
            choose(*dlg, 1024, 0);
            const int own = dlg->selectedRow(1054);
            ASSERT_GE(own, 0);
            for (int a = 0; a < p.animations; ++a) {
                pick(*dlg, 1054, a);
                EXPECT_EQ(dlg->selectedRow(1055), storedSound(sample, p.flipSound(a))) << a;
                EXPECT_EQ(dlg->selectedRow(1056), storedSound(sample, p.invSound(a))) << a;
            }
            pick(*dlg, 1054, own);
            click(*dlg, 1014);
            EXPECT_TRUE(sample.changes().empty()) << p.sample;
            EXPECT_FALSE(dlg->windowTitle().startsWith('*'));
        }
    }
}

TEST(ItemFlipsDlg, ListsShowTheGameNames)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CItemFlipsDlg>(sample, "hell1");
    EXPECT_EQ(dlg->windowTitle(), "Animation Flips");
    EXPECT_EQ(dlg->combo(1024)->itemText(0), "0 - Potion of Full Mana");
    EXPECT_EQ(dlg->combo(1024)->itemText(221), "221 - \"blade with 2 holes at top...lol\""); // not cut
    EXPECT_EQ(dlg->list(1054)->item(0)->text(), "Armor2");
    EXPECT_EQ(dlg->list(1054)->item(42)->text(), "mooses1");
    EXPECT_EQ(dlg->list(1055)->item(0)->text(), "Sfx\\Misc\\Walk1.wav");
    EXPECT_EQ(dlg->list(1056)->item(1021)->text(), dlg->list(1055)->item(1021)->text());
    EXPECT_EQ(dlg->focusWidget(), dlg->combo(1024));
    EXPECT_EQ(dlg->picture(1167)->size(), QSize(28, 28));
}

// Graphics 1, 2, 3 and 96 of Diablo all flip as animation 16 ("Scroll").
TEST(ItemFlipsDlg, SoundsBelongToTheAnimationAndAreWrittenWhole)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CItemFlipsDlg>(sample, "diablo7");
    choose(*dlg, 1024, 2);
    ASSERT_EQ(dlg->selectedRow(1054), 16);
    EXPECT_EQ(dlg->list(1054)->currentItem()->text(), "Scroll");
    // The shown sound is the list's top row.
    EXPECT_EQ(dlg->list(1055)->indexAt(QPoint(2, 2)).row(), storedSound(sample, kDiabloPlaces.flipSound(16)));

    pick(*dlg, 1055, 300); // above 255: both bytes
    pick(*dlg, 1056, 857);
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
    pick(*dlg, 1056, 4);
    click(*dlg, 1014);
    put(expected, kDiabloPlaces.invSound(16), 4, 2);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(ItemFlipsDlg, ChoosingAnotherAnimationShowsItsSoundsAndSaveWritesOnlyWhatChanged)
{
    SampleCopy sample("hellfire");
    ScriptedPrompter prompter;
    auto dlg = openEditor<CItemFlipsDlg>(sample, "hell1");
    const std::uint32_t table = flipTable(sample, kHellfirePlaces);
    choose(*dlg, 1024, 7); // "thick, gold ring": animation 12
    ASSERT_EQ(dlg->selectedRow(1054), 12);

    pick(*dlg, 1054, 40); // the stored sounds of animation 40 come with it
    EXPECT_EQ(dlg->selectedRow(1055), storedSound(sample, kHellfirePlaces.flipSound(40)));
    EXPECT_EQ(dlg->selectedRow(1056), storedSound(sample, kHellfirePlaces.invSound(40)));
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), (Bytes{{table + 7, 40}}));

    // Sounds chosen for animation 40, then another animation: asked about, not dropped.
    pick(*dlg, 1055, 700);
    prompter.saveAnswers = {Prompter::SaveAnswer::Cancel};
    pick(*dlg, 1054, 3);
    ASSERT_EQ(prompter.asked,
              QStringList{"Unsaved changes: Save changes to the sounds of flip animation 40 - cows1?"});
    EXPECT_EQ(dlg->selectedRow(1054), 40);
    EXPECT_EQ(dlg->selectedRow(1055), 700);

    prompter.saveAnswers = {Prompter::SaveAnswer::Discard};
    pick(*dlg, 1054, 3);
    EXPECT_EQ(dlg->selectedRow(1055), storedSound(sample, kHellfirePlaces.flipSound(3)));
    EXPECT_EQ(sample.changes(), (Bytes{{table + 7, 40}}));

    // Saving from the question writes the sounds to the animation they were chosen for;
    // the graphic's new animation waits for Save.
    pick(*dlg, 1056, 999);
    prompter.saveAnswers = {Prompter::SaveAnswer::Save};
    pick(*dlg, 1054, 5);
    Bytes expected{{table + 7, 40}};
    put(expected, kHellfirePlaces.invSound(3), 999, 2);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
    EXPECT_EQ(dlg->selectedRow(1056), storedSound(sample, kHellfirePlaces.invSound(5)));
    EXPECT_TRUE(dlg->windowTitle().startsWith('*')); // the graphic's animation

    // Another graphic: the graphic and the sounds on display are asked about together.
    pick(*dlg, 1055, 1);
    prompter.saveAnswers = {Prompter::SaveAnswer::Save};
    choose(*dlg, 1024, 8);
    EXPECT_EQ(prompter.asked.last(), "Unsaved changes: Save changes to 7 - \"thick, gold ring\"?");
    expected[table + 7] = 5;
    put(expected, kHellfirePlaces.flipSound(5), 1, 2);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
    EXPECT_EQ(dlg->selectedRow(1054), 12);

    // A save from the question that fails keeps the sounds and the animation on display.
    pick(*dlg, 1055, 2);
    const QString moved = sample.path + ".away";
    ASSERT_TRUE(QFile::rename(sample.path, moved));
    prompter.saveAnswers = {Prompter::SaveAnswer::Save};
    pick(*dlg, 1054, 0);
    EXPECT_EQ(prompter.errors.size(), 1);
    EXPECT_EQ(dlg->selectedRow(1054), 12);
    EXPECT_EQ(dlg->selectedRow(1055), 2);
    ASSERT_TRUE(QFile::rename(moved, sample.path));
    click(*dlg, 1014);
    put(expected, kHellfirePlaces.flipSound(12), 2, 2);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(ItemFlipsDlg, FlipTablePointerTakesHellfiresDeltaInTheHighRange)
{
    // The Diablo sample's own pointer lies in the high range.
    SampleCopy sample("diablo");
    const std::uint32_t own = sample.readLE(kDiabloPlaces.flipTablePointer, 4);
    ASSERT_GE(own, 0x47A3F0u);
    ASSERT_LE(own, 0x4833FFu);
    {
        auto dlg = openEditor<CItemFlipsDlg>(sample, "diablo7");
        choose(*dlg, 1024, 4);
        pick(*dlg, 1054, 30);
        click(*dlg, 1014);
        EXPECT_EQ(sample.changes(), (Bytes{{own - 0x401600 + 4, 30}}));
    }

    struct Case {
        std::uint32_t pointer;
        std::uint32_t table;
    };
    for (Case c : {Case{0x47A3F0, 0x78DF0}, Case{0x4833FF, 0x81DFF},    // both bounds: 0x401600
                   Case{0x47A3EF, 0x781EF}, Case{0x483400, 0x81200}}) { // outside: 0x402200
        SampleCopy moved("diablo");
        moved.poke(kDiabloPlaces.flipTablePointer,
                   {static_cast<std::uint8_t>(c.pointer), static_cast<std::uint8_t>(c.pointer >> 8),
                    static_cast<std::uint8_t>(c.pointer >> 16), 0});
        moved.poke(c.table + 4, {9});
        auto dlg = openEditor<CItemFlipsDlg>(moved, "diablo7");
        choose(*dlg, 1024, 4);
        EXPECT_EQ(dlg->selectedRow(1054), 9) << std::hex << c.pointer;
        pick(*dlg, 1054, 11);
        click(*dlg, 1014);
        EXPECT_EQ(moved.changes(), (Bytes{{c.table + 4, 11}})) << std::hex << c.pointer;
    }
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
    auto dlg = openEditor<CItemFlipsDlg>(sample, "diablo7");

    choose(*dlg, 1024, 2);
    EXPECT_EQ(dlg->selectedRow(1054), -1);
    for (int id : {1055, 1056}) {
        EXPECT_EQ(dlg->selectedRow(id), -1);
        EXPECT_FALSE(dlg->item(id)->isEnabled()) << "no animation, no sounds to choose";
    }
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
    pick(*dlg, 1056, 5);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(kDiabloPlaces.invSound(16), 5, 2)));

    // Graphic 2 gets an animation, and only then sounds to choose.
    choose(*dlg, 1024, 2);
    pick(*dlg, 1054, 16);
    EXPECT_TRUE(dlg->item(1055)->isEnabled());
    EXPECT_EQ(dlg->selectedRow(1056), 5);
    click(*dlg, 1014);
    Bytes expected = le(kDiabloPlaces.invSound(16), 5, 2);
    expected[table + 2] = 16;
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(ItemFlipsDlg, GraphicsBeyondTheKnownCursorFileReachTheirEntries)
{
    SampleCopy sample("diablo");
    sample.poke(kDiabloPlaces.cursorFile, {'D', 'a', 't', 'a', '\\', 'm', 'y', '.', 'C', 'E', 'L', 0});
    const std::uint32_t table = flipTable(sample, kDiabloPlaces);
    sample.poke(table + 255, {7});
    auto dlg = openEditor<CItemFlipsDlg>(sample, "diablo7");
    ASSERT_EQ(dlg->combo(1024)->count(), 256);
    EXPECT_EQ(dlg->combo(1024)->itemText(255), "255 - \"scythe\"");
    choose(*dlg, 1024, 255);
    EXPECT_EQ(dlg->selectedRow(1054), 7);
    EXPECT_EQ(dlg->picture(1167)->size(), QSize(56, 84));
    choose(*dlg, 1024, 200);
    pick(*dlg, 1054, 8);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(Bytes{{table + 200, 8}}));
}

TEST(ItemFlipsDlg, RenderForReview)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CItemFlipsDlg>(sample, "hell1");
    choose(*dlg, 1024, 134); // Great Sword: a tall picture
    renderForReview(dlg.get(), "item-flips");

    SampleCopy unknown("diablo");
    unknown.poke(flipTable(unknown, kDiabloPlaces) + 75, {200}); // no such animation: no sounds
    auto d = openEditor<CItemFlipsDlg>(unknown, "diablo7");
    choose(*d, 1024, 75);
    renderForReview(d.get(), "item-flips-no-animation");
}
