#include "editors/magic/SpellsDlg.h"
#include "support/EditorDriver.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

std::uint32_t spell(const SampleCopy& sample, int index)
{
    return (&sample.edition == &kDiablo ? 0xA1288 : 0xB6020) + 56 * index;
}

} // namespace

TEST(SpellsDlg, BothEditionsFillTheirListsAndSoundsCarryTheEditionsNumbers)
{
    for (const bool diablo : {true, false}) {
        SampleCopy sample(diablo ? "diablo" : "hellfire");
        auto dlg = openEditor<CSpellsDlg>(sample);
        ASSERT_EQ(dlg->rowCount(1015), diablo ? 36 : 51);
        for (int id : {1150, 1151, 1152}) {
            EXPECT_EQ(dlg->rowCount(id), diablo ? 66 : 97) << id;
            expectRowTexts(*dlg, id, {{43, diablo ? "???" : "Rage"}, {65, "Unholy Altar portal"}});
        }
        EXPECT_EQ(dlg->combo(1094)->currentText(), "Fire"); // Hellfire's sounds lie six further on
        // "Lightning" is sound 78 in Diablo, 84 in Hellfire.
        choose(*dlg, 1094, 1);
        click(*dlg, 1014);
        EXPECT_EQ(sample.changes(), sample.differing({{spell(sample, 0) + 32, diablo ? 78 : 84}}));
        if (diablo) renderForReview(dlg.get(), "spells");
    }
    SampleCopy hellfire("hellfire");
    auto h = openEditor<CSpellsDlg>(hellfire);
    expectRowTexts(*h, 1150, {{66, "???"}});
    expectRowTexts(*h, 1152, {{85, "Search"}});
    expectRowTexts(*h, 1151, {{96, "Jester"}});
    choose(*h, 1015, 21); // Rage
    renderForReview(h.get(), "spells-hellfire");
}

TEST(SpellsDlg, UntouchedValuesKeepTheirStoredBytes)
{
    SampleCopy sample("diablo");
    const std::uint32_t lightning = spell(sample, 2), flash = spell(sample, 3);
    sample.poke(lightning + 52, {12, 0, 0, 0});        // multiplier not a multiple of 5
    sample.poke(lightning + 24, {7});                  // town spell byte neither 0 nor 1
    sample.poke(flash + 52, {0xF9, 0xFF, 0xFF, 0xFF}); // -7
    sample.poke(flash + 2, {9});                       // casting animation no row names
    sample.poke(flash + 32, {77, 200, 0xFF, 66});      // sound, then three effects no row names
    auto dlg = openEditor<CSpellsDlg>(sample);
    EXPECT_EQ(dlg->text(1024), "10"); // stored 50
    EXPECT_EQ(dlg->text(1039), "A128C"); // where the record's two name pointers lie
    EXPECT_EQ(dlg->text(1042), "A1290");

    // Typing what was shown, or ticking the box back, leaves the control as shown.
    choose(*dlg, 1015, 2);
    EXPECT_EQ(dlg->text(1024), "2");
    EXPECT_TRUE(dlg->isChecked(1147));
    type(*dlg, 1024, "2");
    click(*dlg, 1147);
    click(*dlg, 1147);
    type(*dlg, 1143, "44");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing({{lightning + 1, 44}}));

    sample.before = sample.bytes();
    choose(*dlg, 1015, 3);
    EXPECT_EQ(dlg->text(1024), "-1");
    for (int id : {1092, 1094, 1150, 1151, 1152}) EXPECT_EQ(dlg->selectedRow(id), -1) << id;
    EXPECT_EQ(dlg->combo(1094)->placeholderText(), "(unknown: 77)");
    type(*dlg, 1143, "44");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing({{flash + 1, 44}}));
}

TEST(SpellsDlg, IconsButtonHandsOverTheSpellNames)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CSpellsDlg>(sample);
    QString opened, lastSpell, lastSlotRow;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        opened = w->objectName();
        modal = w->parentWidget() == dlg.get() && w->isModal();
        const auto* spells = w->findChild<QComboBox*>("1015");
        lastSpell = spells->itemText(spells->count() - 1);
        const auto* slot = w->findChild<QComboBox*>("1169");
        lastSlotRow = slot->itemText(slot->count() - 1);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    click(*dlg, 1016);
    EXPECT_EQ(opened, "CSpellIconsDlg");
    EXPECT_TRUE(modal);
    EXPECT_EQ(lastSpell, "50 - Rune of Stone");
    EXPECT_EQ(lastSlotRow, "Rune of Stone");
    EXPECT_TRUE(sample.changes().empty());
}
