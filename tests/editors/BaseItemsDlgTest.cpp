#include "editors/items/BaseItemsDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloItems = 0x8E448;
} // namespace

TEST(BaseItemsDlg, BothEditionsListTheirRecords)
{
    for (const char* edition : {"diablo", "hellfire"}) {
        SampleCopy sample(edition);
        auto dlg = openEditor<CBaseItemsDlg>(sample, edition == QString("diablo") ? "diablo7" : "hell1");
        const int rows = dlg->combo(1015)->count();
        EXPECT_EQ(rows, edition == QString("diablo") ? 156 : 166);
    }
}

TEST(BaseItemsDlg, ShowsListsAndRecordsAsStored)
{
    SampleCopy diablo("diablo");
    auto d = openEditor<CBaseItemsDlg>(diablo, "diablo7");
    EXPECT_EQ(d->combo(1024)->count(), 169);
    EXPECT_EQ(d->combo(1036)->count(), 21);
    EXPECT_EQ(d->combo(1037)->count(), 37);
    EXPECT_EQ(d->list(1041)->count(), 32);
    EXPECT_EQ(d->combo(1037)->itemText(0), "Empty");
    EXPECT_EQ(d->combo(1037)->itemText(1), "Firebolt");
    EXPECT_EQ(d->combo(1024)->itemText(130), QString("130 - \"3 spiked balls `n chain flai")); // cut to 29
    EXPECT_EQ(d->text(1042), "8E458");
    EXPECT_EQ(d->text(1043), "8E45C");
    EXPECT_EQ(d->text(1018), "Gold");
    EXPECT_EQ(d->combo(1015)->itemText(35), "35 - Empty");

    choose(*d, 1015, 35); // an unused slot: no name, class and location 0
    EXPECT_EQ(d->text(1018), "Empty");
    EXPECT_TRUE(d->edit(1018)->isReadOnly());
    EXPECT_EQ(d->selectedRow(1021), -1);
    EXPECT_EQ(d->selectedRow(1022), -1);

    choose(*d, 1015, 22);
    EXPECT_EQ(d->combo(1036)->currentText(), "Map of the Stars");

    SampleCopy hellfire("hellfire");
    auto h = openEditor<CBaseItemsDlg>(hellfire, "hell1");
    EXPECT_EQ(h->combo(1024)->count(), 227);
    EXPECT_EQ(h->combo(1036)->count(), 39);
    EXPECT_EQ(h->combo(1037)->count(), 52);
    choose(*h, 1015, 22); // code 42 is carried by two rows; the Hellfire one wins
    EXPECT_EQ(h->selectedRow(1036), 32);
    EXPECT_EQ(h->combo(1036)->currentText(), "Cathedral Map");
    choose(*h, 1015, 45);
    EXPECT_EQ(h->combo(1036)->currentText(), "Reconstructed Note");
}

TEST(BaseItemsDlg, EditsLandExactlyOnTheirBytes)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CBaseItemsDlg>(sample, "diablo7");
    choose(*dlg, 1015, 1); // Short Sword
    const std::uint32_t r = kDiabloItems + 76 * 1;
    const std::uint32_t namePtr = sample.readLE(r + 16, 4) - 0x402200;

    type(*dlg, 1018, "Long Knife!!"); // one more than fits: the edit stops at 11
    EXPECT_EQ(dlg->text(1018), "Long Knife!");
    EXPECT_TRUE(dlg->edit(1018)->toolTip().contains("11"));
    dlg->combo(1021)->setCurrentIndex(1);      // All armors -> class 2
    dlg->list(1041)->item(18)->setSelected(true); // both "Faster Attack" rows are separate bits
    type(*dlg, 1033, "251"); // strength, an unsigned byte
    type(*dlg, 1039, "-2");  // price, signed 32-bit
    dlg->combo(1036)->setCurrentIndex(2); // Potion of Healing, code 3
    click(*dlg, 1014);

    std::map<std::uint32_t, std::uint8_t> expected;
    const char* text = "Long Knife!";
    for (int i = 0; i < 11; ++i) expected[namePtr + i] = static_cast<std::uint8_t>(text[i]);
    expected[r + 4] = 2;
    expected.merge(le(r + 52, 1u << 18, 4));
    expected[r + 48] = 251;
    expected.merge(le(r + 68, 0xFFFFFFFE, 4));
    expected[r + 56] = 3;
    EXPECT_EQ(sample.changes(), sample.differing(expected));
    EXPECT_EQ(sample.bytes()[namePtr + 11], '\0');

    dlg->list(1041)->item(19)->setSelected(true);
    dlg->list(1041)->item(18)->setSelected(false);
    click(*dlg, 1014);
    EXPECT_EQ(sample.readLE(r + 52, 4), 1u << 19);
}

TEST(BaseItemsDlg, DropFlagPairKeepsItsByteUntilChanged)
{
    SampleCopy sample("diablo");
    const std::uint32_t shortBow = kDiabloItems + 76 * 138;
    const std::uint32_t dagger = kDiabloItems + 76 * 2;
    sample.poke(dagger, {3}); // a value neither box stands for
    auto dlg = openEditor<CBaseItemsDlg>(sample, "diablo7");

    choose(*dlg, 1015, 138);
    EXPECT_TRUE(dlg->isChecked(1025));
    EXPECT_TRUE(dlg->isChecked(1026));
    click(*dlg, 1014);
    choose(*dlg, 1015, 2);
    EXPECT_FALSE(dlg->isChecked(1025));
    EXPECT_FALSE(dlg->item(1026)->isEnabled());
    click(*dlg, 1014);
    EXPECT_TRUE(sample.changes().empty());

    choose(*dlg, 1015, 138);
    dlg->button(1025)->click(); // untick: "Double Occurance" goes with it
    EXPECT_FALSE(dlg->isChecked(1026));
    EXPECT_FALSE(dlg->item(1026)->isEnabled());
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), (std::map<std::uint32_t, std::uint8_t>{{shortBow, 0}}));

    dlg->button(1025)->click();
    dlg->button(1026)->click();
    click(*dlg, 1014);
    EXPECT_EQ(sample.readLE(shortBow, 1), 2u);
}

TEST(BaseItemsDlg, StoredValuesNoRowNamesSurviveSave)
{
    SampleCopy sample("diablo");
    const std::uint32_t r = kDiabloItems + 76 * 1;
    sample.poke(r + 4, {0, 9});  // class 0, location 9
    sample.poke(r + 8, {200});   // graphic beyond the 169 Diablo rows
    sample.poke(r + 12, {20});   // category beyond the list
    sample.poke(r + 56, {99});   // a magic code no row carries
    sample.poke(r + 60, {77});   // a spell number beyond the list
    auto dlg = openEditor<CBaseItemsDlg>(sample, "diablo7");
    choose(*dlg, 1015, 3);
    choose(*dlg, 1015, 1);
    for (int id : {1021, 1022, 1024, 1023, 1036, 1037}) EXPECT_EQ(dlg->selectedRow(id), -1) << id;
    EXPECT_EQ(dlg->combo(1036)->placeholderText(), "(unknown: 99)");
    EXPECT_TRUE(dlg->picture(1167)->pixmap().isNull());

    type(*dlg, 1040, "123");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 72, 123, 4)));
}

TEST(BaseItemsDlg, UnknownCursorFileOffersAllGraphicNumbers)
{
    SampleCopy sample("hellfire");
    sample.poke(0x93C28, {'X', 0});
    auto dlg = openEditor<CBaseItemsDlg>(sample, "hell1");
    QComboBox* graphics = dlg->combo(1024);
    ASSERT_EQ(graphics->count(), 256);
    EXPECT_EQ(graphics->itemText(227), "227 - \"blank\"");
    EXPECT_EQ(graphics->itemText(255), "255 - \"scythe\"");

    graphics->setCurrentIndex(75);
    EXPECT_EQ(dlg->picture(1167)->size(), QSize(56, 56));
    graphics->setCurrentIndex(0);
    EXPECT_EQ(dlg->picture(1167)->size(), QSize(28, 28));
    EXPECT_FALSE(dlg->picture(1167)->pixmap().isNull());
}

TEST(BaseItemsDlg, FileErrorOnSaveIsShownAndTheDialogStaysUsable)
{
    SampleCopy sample("diablo");
    ScriptedPrompter prompter;
    auto dlg = openEditor<CBaseItemsDlg>(sample, "diablo7");
    const QString moved = sample.path + ".away";
    ASSERT_TRUE(QFile::rename(sample.path, moved));
    type(*dlg, 1039, "5");
    click(*dlg, 1014);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].contains(sample.path));
    EXPECT_TRUE(prompter.errors[0].contains("No such file"));
    EXPECT_TRUE(dlg->isVisible());

    ASSERT_TRUE(QFile::rename(moved, sample.path));
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(kDiabloItems + 68, 5, 4)));
}

TEST(BaseItemsDlg, RenderForReview)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CBaseItemsDlg>(sample, "diablo7");
    choose(*dlg, 1015, 1);
    renderForReview(dlg.get(), "base-items");
    choose(*dlg, 1015, 35); // an unused slot: no name, and values no row names
    renderForReview(dlg.get(), "base-items-unused-slot");
}
