#include "editors/items/UniqueItemsDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloUniques = 0x7CCB8;
constexpr std::uint32_t kDiabloSpeeches = 0x7EC90;
constexpr int kSlotEffects[] = {1080, 1017, 1021, 1023, 1024, 1025};

std::uint32_t record(int i) { return kDiabloUniques + 84 * i; }

std::vector<std::uint8_t> pointer(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

} // namespace

TEST(UniqueItemsDlg, EffectListsOfBothEditions)
{
    SampleCopy diablo("diablo");
    auto d = openEditor<CUniqueItemsDlg>(diablo, "diablo7");
    EXPECT_EQ(d->combo(1015)->itemText(0), "0 - The Butcher's Cleaver");
    EXPECT_EQ(d->text(1039), "7CCB8");
    EXPECT_EQ(d->combo(1064)->count(), 169);
    for (int id : kSlotEffects) {
        QComboBox* effects = d->combo(id);
        ASSERT_EQ(effects->count(), 80) << id;
        EXPECT_EQ(effects->itemText(44), "44 - unique picture");
        EXPECT_EQ(effects->itemText(76), "76 - armor class added to life");
        EXPECT_EQ(effects->itemText(77), "77 - 10% of mana added to armor class");
        EXPECT_EQ(effects->itemText(79), "79 - - armor class");
    }

    SampleCopy hellfire("hellfire");
    auto h = openEditor<CUniqueItemsDlg>(hellfire, "hell1");
    EXPECT_EQ(h->combo(1064)->count(), 227);
    for (int id : kSlotEffects) {
        QComboBox* effects = h->combo(id);
        ASSERT_EQ(effects->count(), 94) << id;
        EXPECT_EQ(effects->itemText(75), "75 - specified armor class");
        EXPECT_EQ(effects->itemText(76), "76 - lightning damage");
        EXPECT_EQ(effects->itemText(77), "77 - cast spell when used");
        EXPECT_EQ(effects->itemText(78), "78 - +30-clvl% resist fire");
        EXPECT_EQ(effects->itemText(93), "93 - move life to mana");
    }
}

TEST(UniqueItemsDlg, PictureFollowsTheLastPictureSlotAndTheGraphicListWritesNothing)
{
    SampleCopy sample("diablo");
    // Optic Amulet: slot 4 is its picture slot (44); slot 1 becomes one too, earlier.
    sample.poke(record(3) + 24, {44});
    sample.poke(record(3) + 28, {20, 0, 0, 0});
    ScriptedPrompter prompter; // no question may come up: the graphic list is no field
    auto dlg = openEditor<CUniqueItemsDlg>(sample, "diablo7");
    QLabel* picture = dlg->picture(1167);

    // No picture slot: no picture and no graphic; picking one only shows it.
    EXPECT_EQ(dlg->text(1018), "The Butcher's Cleaver");
    EXPECT_EQ(dlg->selectedRow(1064), -1);
    EXPECT_FALSE(picture->isVisibleTo(dlg.get()));
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

TEST(UniqueItemsDlg, EditsLandExactlyOnTheirBytesAndUnknownCodesAreKept)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = record(1); // The Undead Crown
    sample.poke(r + 72, {200});        // slot 6: an effect code beyond the list
    auto dlg = openEditor<CUniqueItemsDlg>(sample, "diablo7");
    choose(*dlg, 1015, 1);
    EXPECT_EQ(dlg->text(1039), "7CD0C");
    EXPECT_EQ(dlg->selectedRow(1025), -1);
    EXPECT_EQ(dlg->combo(1025)->placeholderText(), "(unknown: 200)");
    EXPECT_EQ(dlg->edit(1018)->maxLength(), 16);
    EXPECT_TRUE(dlg->edit(1018)->toolTip().contains("16"));

    type(*dlg, 1018, "The Undying Crown!"); // cut at the stored name's 16 characters
    type(*dlg, 1020, "255");  // unsigned byte
    type(*dlg, 1027, "0");
    type(*dlg, 1019, "-5");   // gold, signed
    choose(*dlg, 1080, 77);
    type(*dlg, 1028, "-2");   // slot 1 maximum
    click(*dlg, 1014);

    const std::uint32_t namePtr = sample.readLE(r, 4) - 0x402200;
    std::map<std::uint32_t, std::uint8_t> expected;
    const QByteArray typed("The Undying Crow");
    for (int i = 0; i < typed.size(); ++i) expected[namePtr + i] = static_cast<std::uint8_t>(typed[i]);
    expected[r + 4] = 255;
    expected[r + 5] = 0;
    expected.merge(le(r + 8, 0xFFFFFFFB, 4));
    expected[r + 12] = 77;
    expected.merge(le(r + 20, 0xFFFFFFFE, 4));
    EXPECT_EQ(sample.changes(), sample.differing(expected));
    EXPECT_EQ(sample.bytes()[namePtr + 16], '\0');
    EXPECT_EQ(sample.readLE(r + 72, 1), 200u);

    choose(*dlg, 1025, 3); // now the code is chosen, and written
    click(*dlg, 1014);
    EXPECT_EQ(sample.readLE(r + 72, 1), 3u);
}

TEST(UniqueItemsDlg, NamesKeepTheirRoomAndUnnamedRecordsStayEditable)
{
    SampleCopy sample("diablo");
    const std::uint32_t speech = sample.readLE(kDiabloSpeeches + 16 * 197, 4); // a 45-character text
    const std::uint32_t cleaver = sample.readLE(record(0), 4);
    const std::uint32_t cleaverEnd = cleaver + 21; // the zero byte of "The Butcher's Cleaver"
    sample.poke(record(0), pointer(speech));
    sample.poke(record(5), pointer(0));
    auto dlg = openEditor<CUniqueItemsDlg>(sample, "diablo7");
    EXPECT_EQ(dlg->combo(1015)->itemText(5), "5 - Empty");

    // A long stored name: at most the 39 characters the game takes.
    EXPECT_EQ(dlg->edit(1018)->maxLength(), 39);
    EXPECT_TRUE(dlg->edit(1018)->toolTip().contains("39"));
    type(*dlg, 1018, QString(45, 'x'));
    click(*dlg, 1014);
    const std::uint32_t target = speech - 0x402200;
    std::map<std::uint32_t, std::uint8_t> written;
    for (std::uint32_t i = 0; i < 39; ++i) written[target + i] = 'x';
    written[target + 39] = 0;
    EXPECT_EQ(sample.changes(), sample.differing(written));

    // No name: "Empty", read-only, no name written; the other fields save as usual.
    SampleCopy fresh("diablo");
    fresh.poke(record(5), pointer(0));
    fresh.poke(record(6), pointer(cleaverEnd)); // points at a zero byte: an empty name
    auto f = openEditor<CUniqueItemsDlg>(fresh, "diablo7");
    choose(*f, 1015, 5);
    EXPECT_EQ(f->text(1018), "Empty");
    EXPECT_TRUE(f->edit(1018)->isReadOnly());
    type(*f, 1018, "Named");
    type(*f, 1027, "12");
    click(*f, 1014);
    EXPECT_EQ(fresh.changes(), fresh.differing(le(record(5) + 5, 12, 1)));

    choose(*f, 1015, 6); // an empty name has no room: no typing
    EXPECT_EQ(f->text(1018), "");
    EXPECT_TRUE(f->edit(1018)->isReadOnly());
    type(*f, 1018, "Named");
    type(*f, 1022, "2");
    click(*f, 1014);
    auto expected = le(record(5) + 5, 12, 1);
    expected.merge(le(record(6) + 6, 2, 1));
    EXPECT_EQ(fresh.changes(), fresh.differing(expected));

    choose(*f, 1015, 7); // a named record takes typing again
    EXPECT_FALSE(f->edit(1018)->isReadOnly());
}

TEST(UniqueItemsDlg, RenderForReview)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CUniqueItemsDlg>(sample, "hell1");
    choose(*dlg, 1015, 3);
    renderForReview(dlg.get(), "unique-items");
    choose(*dlg, 1015, 0);
    renderForReview(dlg.get(), "unique-items-no-picture");
}
