#include "editors/magic/SpellIconsDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

struct Sample {
    const char* name;
    int spells;
    std::uint32_t firstNamePointer; // what the spell editor hands over
    std::uint32_t icons;
    std::uint32_t spellbook;
};
constexpr Sample kDiabloCase{"diablo", 36, 0xA128C, 0x829C9, 0x82B10};
constexpr Sample kHellfireCase{"hellfire", 51, 0xB6024, 0x93611, 0x93768};

std::unique_ptr<CSpellIconsDlg> openIcons(const SampleCopy& copy, const Sample& s)
{
    auto dlg = std::make_unique<CSpellIconsDlg>();
    dlg->setWorkingCopy(copy.path, copy.edition);
    dlg->setSpells(s.spells, s.firstNamePointer);
    dlg->show();
    return dlg;
}

// The picture shows exactly the program's bitmap id, pixel for pixel.
bool showsBitmap(CSpellIconsDlg& dlg, int id)
{
    const QImage shown = dlg.picture(1167)->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage bitmap = QImage(QStringLiteral(":/bitmaps/%1.bmp").arg(id)).convertToFormat(QImage::Format_RGB32);
    return !bitmap.isNull() && shown == bitmap;
}

} // namespace

TEST(SpellIconsDlg, ShowingEverySpellAndPageOfBothSamplesChangesNothing)
{
    for (const Sample& s : {kDiabloCase, kHellfireCase}) {
        SampleCopy sample(s.name);
        ScriptedPrompter prompter;
        auto dlg = openIcons(sample, s);
        ASSERT_EQ(dlg->rowCount(1015), s.spells);
        expectRowCounts(*dlg, {{1161, s.spells == 36 ? 42 : 51}, {1170, 5}});
        for (int id : {1162, 1163, 1164, 1165, 1166, 1168, 1169}) EXPECT_EQ(dlg->rowCount(id), s.spells + 1) << id;
        expectRowTexts(*dlg, 1015, {{0, "0 - Firebolt"}});
        expectRowTexts(*dlg, 1162, {{0, "Nothing"}, {1, "Firebolt"}});
        EXPECT_EQ(dlg->combo(1161)->currentText(), "Firebolt");
        EXPECT_TRUE(showsBitmap(*dlg, 696));
        EXPECT_EQ(dlg->selectedRow(1170), 0);

        for (int spell = 0; spell < s.spells; ++spell) {
            choose(*dlg, 1015, spell);
            choose(*dlg, 1170, spell % 5);
        }
        EXPECT_TRUE(sample.changes().empty()) << s.name;
        choose(*dlg, 1015, s.spells == 36 ? 7 : 38);
        choose(*dlg, 1170, 1);
        renderForReview(dlg.get(), QStringLiteral("spell-icons-%1").arg(s.name));
        // Nothing is ever unsaved: closing asks nothing.
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
        EXPECT_FALSE(dlg->isVisible());
        EXPECT_TRUE(prompter.asked.isEmpty());
    }
}

TEST(SpellIconsDlg, EveryChangeLandsAtOnceOnItsBytes)
{
    SampleCopy diablo("diablo");
    auto d = openIcons(diablo, kDiabloCase);
    choose(*d, 1015, 3);
    EXPECT_EQ(d->combo(1161)->currentText(), "Flash");
    choose(*d, 1161, 0);
    EXPECT_TRUE(showsBitmap(*d, 696));
    std::map<std::uint32_t, std::uint8_t> expected{{kDiabloCase.icons + 3, 1}};
    EXPECT_EQ(diablo.changes(), diablo.differing(expected));

    choose(*d, 1165, 0); // slot 3 of "Page One" emptied: 0
    expected.merge(le(kDiabloCase.spellbook + 12, 0, 4));
    EXPECT_EQ(diablo.changes(), diablo.differing(expected));
    choose(*d, 1163, 5); // row 5 is spell number 5, listed as 4
    EXPECT_EQ(d->combo(1163)->currentText(), "Identify");
    expected.merge(le(kDiabloCase.spellbook + 4, 5, 4));
    choose(*d, 1170, 1);
    choose(*d, 1165, 0); // slot 3 of "Page Two" emptied: -1
    expected.merge(le(kDiabloCase.spellbook + 28 + 12, 0xFFFFFFFF, 4));
    EXPECT_EQ(diablo.changes(), diablo.differing(expected));

    choose(*d, 1170, 0); // what was written is what shows
    EXPECT_EQ(d->combo(1165)->currentText(), "Nothing");
    EXPECT_EQ(d->combo(1163)->currentText(), "Identify");

    SampleCopy hellfire("hellfire");
    auto h = openIcons(hellfire, kHellfireCase);
    choose(*h, 1015, 36);
    EXPECT_EQ(h->combo(1161)->currentText(), "Mana / Magi");
    EXPECT_TRUE(showsBitmap(*h, 746));
    choose(*h, 1015, 0);
    choose(*h, 1161, 50);
    EXPECT_TRUE(showsBitmap(*h, 746));
    EXPECT_EQ(hellfire.changes(), hellfire.differing({{kHellfireCase.icons, 51}}));
}

TEST(SpellIconsDlg, StoredValuesNoRowNamesShowNothingAndAreKept)
{
    SampleCopy sample("diablo");
    sample.poke(kDiabloCase.icons + 1, {0});
    sample.poke(kDiabloCase.icons + 2, {43}); // one past the Diablo icons
    const std::uint32_t page2 = kDiabloCase.spellbook + 28;
    const int pageTwo[] = {-1, 0, 37, -2}; // 37: one past the spells
    for (int slot = 0; slot < 4; ++slot) sample.pokeLE(page2 + 4 * slot, static_cast<std::uint32_t>(pageTwo[slot]));
    auto dlg = openIcons(sample, kDiabloCase);

    for (int spell : {1, 2}) {
        choose(*dlg, 1015, spell);
        EXPECT_EQ(dlg->selectedRow(1161), -1);
        EXPECT_TRUE(dlg->picture(1167)->pixmap().isNull());
    }
    EXPECT_EQ(dlg->combo(1161)->placeholderText(), "(unknown: 43)");
    choose(*dlg, 1170, 1);
    EXPECT_EQ(dlg->combo(1162)->currentText(), "Nothing");
    EXPECT_EQ(dlg->combo(1163)->currentText(), "Nothing");
    EXPECT_EQ(dlg->selectedRow(1164), -1);
    EXPECT_EQ(dlg->selectedRow(1165), -1);
    EXPECT_EQ(dlg->combo(1165)->placeholderText(), "(unknown: -2)");
    choose(*dlg, 1015, 0);
    choose(*dlg, 1170, 0);
    EXPECT_TRUE(sample.changes().empty());
}

TEST(SpellIconsDlg, FailedWriteIsShownAndTheListGoesBackToWhatIsStored)
{
    SampleCopy sample("diablo");
    ScriptedPrompter prompter;
    auto dlg = openIcons(sample, kDiabloCase);
    {
        MovedAway away(sample);
        choose(*dlg, 1161, 5);
        choose(*dlg, 1162, 3);
        choose(*dlg, 1170, 2); // cannot be read: page one stays on display
        ASSERT_EQ(prompter.errors.size(), 3);
        expectMentions(prompter.errors[0], {sample.path, "No such file"});
        EXPECT_EQ(dlg->combo(1161)->currentText(), "Firebolt");
        EXPECT_TRUE(showsBitmap(*dlg, 696));
        EXPECT_EQ(dlg->combo(1162)->currentText(), "Nothing");
        EXPECT_EQ(dlg->selectedRow(1170), 0);
    }
    choose(*dlg, 1162, 3);
    EXPECT_EQ(sample.changes(), sample.differing(le(kDiabloCase.spellbook, 3, 4)));
}
