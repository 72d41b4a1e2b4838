#include "editors/items/BaseItemsDlg.h"
#include "support/EditorDriver.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloItems = 0x8E448;

} // namespace

TEST(BaseItemsDlg, ShowsListsAndRecordsAsStored)
{
    SampleCopy diablo("diablo");
    diablo.poke(kDiabloItems + 76 * 2 + 8, {200}); // the dagger's graphic: beyond the 169 Diablo rows
    auto d = openEditor<CBaseItemsDlg>(diablo);
    expectRowCounts(*d, {{1024, 169}, {1036, 21}, {1037, 37}, {1041, 32}}); // equal flag texts stay separate bits
    expectRowTexts(*d, 1037, {{0, "Empty"}, {1, "Firebolt"}});
    expectRowTexts(*d, 1024, {{130, "130 - \"3 spiked balls `n chain flai"}}); // cut to 29
    expectRowTexts(*d, 1015, {{35, "35 - Empty"}});
    EXPECT_EQ(d->text(1042), "8E458");
    EXPECT_EQ(d->text(1043), "8E45C");
    EXPECT_EQ(d->text(1018), "Gold");
    choose(*d, 1015, 1);
    renderForReview(d.get(), "base-items");

    choose(*d, 1015, 35); // an unused slot: no name, class and location 0
    EXPECT_EQ(d->text(1018), "Empty");
    EXPECT_TRUE(d->edit(1018)->isReadOnly());
    EXPECT_EQ(d->selectedRow(1021), -1);
    EXPECT_EQ(d->selectedRow(1022), -1);
    renderForReview(d.get(), "base-items-unused-slot");
    choose(*d, 1015, 2); // no row, no picture
    EXPECT_EQ(d->selectedRow(1024), -1);
    EXPECT_TRUE(d->picture(1167)->pixmap().isNull());
    choose(*d, 1015, 22); // a named record takes typing again
    EXPECT_FALSE(d->edit(1018)->isReadOnly());
    EXPECT_EQ(d->combo(1036)->currentText(), "Map of the Stars");

    SampleCopy hellfire("hellfire");
    auto h = openEditor<CBaseItemsDlg>(hellfire);
    expectRowCounts(*h, {{1024, 227}, {1036, 39}, {1037, 52}});
    choose(*h, 1015, 22); // code 42 is carried by two rows; the Hellfire one wins
    EXPECT_EQ(h->selectedRow(1036), 32);
    EXPECT_EQ(h->combo(1036)->currentText(), "Cathedral Map");
    choose(*h, 1015, 45);
    EXPECT_EQ(h->combo(1036)->currentText(), "Reconstructed Note");
}

TEST(BaseItemsDlg, DropFlagPairKeepsItsByteUntilChanged)
{
    SampleCopy sample("diablo");
    const std::uint32_t shortBow = kDiabloItems + 76 * 138;
    sample.poke(kDiabloItems + 76 * 2, {3}); // the dagger: a value neither box stands for
    auto dlg = openEditor<CBaseItemsDlg>(sample);

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
    click(*dlg, 1025); // untick: "Double Occurance" goes with it
    EXPECT_FALSE(dlg->isChecked(1026));
    EXPECT_FALSE(dlg->item(1026)->isEnabled());
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), (std::map<std::uint32_t, std::uint8_t>{{shortBow, 0}}));

    click(*dlg, 1025);
    click(*dlg, 1026);
    click(*dlg, 1014);
    EXPECT_EQ(sample.readLE(shortBow, 1), 2u);
}

TEST(BaseItemsDlg, UnknownCursorFileOffersAllGraphicNumbers)
{
    SampleCopy sample("hellfire");
    sample.poke(0x93C28, {'X', 0});
    auto dlg = openEditor<CBaseItemsDlg>(sample);
    ASSERT_EQ(dlg->rowCount(1024), 256);
    expectRowTexts(*dlg, 1024, {{227, "227 - \"blank\""}, {255, "255 - \"scythe\""}});

    choose(*dlg, 1024, 75);
    EXPECT_EQ(dlg->picture(1167)->size(), QSize(56, 56));
    choose(*dlg, 1024, 0);
    EXPECT_EQ(dlg->picture(1167)->size(), QSize(28, 28));
    EXPECT_FALSE(dlg->picture(1167)->pixmap().isNull());
}
