#include "editors/magic/SpellsDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloSpells = 0xA1288;
constexpr std::uint32_t kHellfireSpells = 0xB6020;

std::uint32_t spell(bool diablo, int index)
{
    return (diablo ? kDiabloSpells : kHellfireSpells) + 56 * index;
}

} // namespace

TEST(SpellsDlg, BothEditionsFillTheirLists)
{
    for (const bool diablo : {true, false}) {
        SampleCopy sample(diablo ? "diablo" : "hellfire");
        auto dlg = openEditor<CSpellsDlg>(sample, diablo ? "diablo7" : "hell1");
        ASSERT_EQ(dlg->combo(1015)->count(), diablo ? 36 : 51);
        for (int id : {1150, 1151, 1152}) {
            EXPECT_EQ(dlg->combo(id)->count(), diablo ? 66 : 97) << id;
            EXPECT_EQ(dlg->combo(id)->itemText(43), diablo ? "???" : "Rage") << id;
            EXPECT_EQ(dlg->combo(id)->itemText(65), "Unholy Altar portal") << id;
        }
        if (!diablo) {
            EXPECT_EQ(dlg->combo(1150)->itemText(66), "???");
            EXPECT_EQ(dlg->combo(1152)->itemText(85), "Search");
            EXPECT_EQ(dlg->combo(1151)->itemText(96), "Jester");
        }
    }
}

TEST(SpellsDlg, UntouchedValuesKeepTheirStoredBytes)
{
    SampleCopy sample("diablo");
    const std::uint32_t lightning = spell(true, 2), flash = spell(true, 3);
    sample.poke(lightning + 52, {12, 0, 0, 0});        // multiplier not a multiple of 5
    sample.poke(lightning + 24, {7});                  // town spell byte neither 0 nor 1
    sample.poke(flash + 52, {0xF9, 0xFF, 0xFF, 0xFF}); // -7
    sample.poke(flash + 2, {9});                       // casting animation no row names
    sample.poke(flash + 32, {77, 200, 0xFF, 66});      // sound, then three effects no row names
    auto dlg = openEditor<CSpellsDlg>(sample, "diablo7");
    EXPECT_EQ(dlg->text(1037), "Firebolt");
    EXPECT_EQ(dlg->text(1039), "A128C");
    EXPECT_EQ(dlg->text(1042), "A1290");
    EXPECT_EQ(dlg->text(1024), "10"); // stored 50
    EXPECT_EQ(dlg->combo(1094)->currentText(), "Fire");

    choose(*dlg, 1015, 2);
    EXPECT_EQ(dlg->text(1024), "2");
    EXPECT_TRUE(dlg->isChecked(1147));
    {
        ScriptedPrompter prompter; // a mana byte cannot hold 300: nothing is saved
        type(*dlg, 1143, "300");
        click(*dlg, 1014);
        ASSERT_EQ(prompter.errors.size(), 1);
        EXPECT_TRUE(prompter.errors[0].contains("300 is out of range")) << prompter.errors[0].toStdString();
        EXPECT_TRUE(sample.changes().empty());
    }
    type(*dlg, 1143, "44");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing({{lightning + 1, 44}}));

    choose(*dlg, 1015, 3);
    EXPECT_EQ(dlg->text(1024), "-1");
    for (int id : {1092, 1094, 1150, 1151, 1152}) EXPECT_EQ(dlg->selectedRow(id), -1) << id;
    EXPECT_EQ(dlg->combo(1094)->placeholderText(), "(unknown: 77)");
    type(*dlg, 1157, "-3"); // book cost
    click(*dlg, 1014);
    auto expected = sample.differing({{lightning + 1, 44}});
    expected.merge(le(flash + 48, 0xFFFFFFFD, 4));
    EXPECT_EQ(sample.changes(), expected);

    // What the user changes is stored: the multiplier five times over, the lists' rows.
    type(*dlg, 1024, "2");
    choose(*dlg, 1092, 0);
    choose(*dlg, 1152, 65);
    click(*dlg, 1014);
    expected.merge(le(flash + 52, 10, 4));
    expected[flash + 2] = 0;
    expected[flash + 35] = 65;
    EXPECT_EQ(sample.changes(), sample.differing(expected));

    // Typing what was shown, or ticking the box back, leaves the control as shown.
    choose(*dlg, 1015, 2);
    type(*dlg, 1024, "2");
    dlg->button(1147)->click();
    dlg->button(1147)->click();
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(SpellsDlg, NamesStayWithinTheirStoredTextAndAZeroPointerWritesNothing)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CSpellsDlg>(sample, "hell1");
    const std::uint32_t healing = spell(false, 1);
    const std::uint32_t skill = sample.readLE(spell(false, 0) + 8, 4) - 0x401600;
    const std::uint32_t healingName = sample.readLE(healing + 4, 4) - 0x401600;
    EXPECT_EQ(dlg->combo(1094)->currentText(), "Fire"); // Hellfire's sounds lie six further on

    type(*dlg, 1142, "Fireblast"); // "Firebolt" has room for 8
    EXPECT_EQ(dlg->text(1142), "Fireblas");
    EXPECT_TRUE(dlg->edit(1142)->toolTip().contains("8"));
    choose(*dlg, 1094, 1); // "Lightning" is Hellfire's sound 84
    click(*dlg, 1014);
    std::map<std::uint32_t, std::uint8_t> expected{{spell(false, 0) + 32, 84}};
    for (int i = 0; i < 8; ++i) expected[skill + i] = static_cast<std::uint8_t>("Fireblas"[i]);
    EXPECT_EQ(sample.changes(), sample.differing(expected));

    choose(*dlg, 1015, 1);
    ASSERT_EQ(sample.readLE(healing + 8, 4), 0u);
    EXPECT_EQ(dlg->text(1142), "Empty");
    EXPECT_TRUE(dlg->edit(1142)->isReadOnly());
    type(*dlg, 1037, "Heal");
    choose(*dlg, 1150, 96);
    click(*dlg, 1014);
    for (int i = 0; i < 5; ++i) expected[healingName + i] = static_cast<std::uint8_t>("Heal"[i]);
    expected[healing + 33] = 96;
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(SpellsDlg, IconsButtonHandsOverTheSpellNames)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CSpellsDlg>(sample, "hell1");
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

TEST(SpellsDlg, RenderForReview)
{
    SampleCopy diablo("diablo");
    auto d = openEditor<CSpellsDlg>(diablo, "diablo7");
    renderForReview(d.get(), "spells");
    SampleCopy hellfire("hellfire");
    auto h = openEditor<CSpellsDlg>(hellfire, "hell1");
    choose(*h, 1015, 21); // Rage
    renderForReview(h.get(), "spells-hellfire");
}
