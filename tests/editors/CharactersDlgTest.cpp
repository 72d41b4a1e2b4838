#include "editors/magic/CharactersDlg.h"
#include "support/EditorDriver.h"

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloFrames = 0x9FDF0; // 11 bytes per class
constexpr std::uint32_t kDiabloStarts = 0x9FE50; // five arrays of 16 bytes

} // namespace

TEST(CharactersDlg, EveryClassOfBothSamplesSavesBackByteForByte)
{
    const QStringList diabloClasses{"Warrior", "Rogue", "Sorceror"};
    for (const char* edition : {"diablo", "hellfire"}) {
        SampleCopy sample(edition);
        const bool diablo = edition == QString("diablo");
        if (diablo) {
            // Values the display could change: a negative start, a blocking bonus slot with
            // high bytes, a frame byte above 127, the spare fourth slot of an array.
            sample.pokeLE(kDiabloStarts + 16 + 4, static_cast<std::uint32_t>(-7));
            sample.poke(kDiabloStarts + 64 + 8, {200, 0x12, 0x34, 0x56});
            sample.poke(kDiabloFrames + 11 + 3, {250});
            sample.poke(kDiabloStarts + 12, {0xAB, 0xCD, 0xEF, 0x01});
        }
        auto dlg = openEditor<CCharactersDlg>(sample);
        QStringList shown;
        for (int row = 0; row < dlg->rowCount(1015); ++row) shown << dlg->rowText(1015, row);
        EXPECT_EQ(shown, diablo ? diabloClasses : diabloClasses + QStringList({"Monk", "Bard", "Barbarian"}));
        for (int row = 0; row < dlg->rowCount(1015); ++row) {
            choose(*dlg, 1015, row);
            click(*dlg, 1014);
        }
        EXPECT_TRUE(sample.changes().empty()) << edition;
        if (diablo) {
            choose(*dlg, 1015, 1);
            EXPECT_EQ(dlg->text(1062), "-7");
            EXPECT_EQ(dlg->text(1075), "250");
            choose(*dlg, 1015, 2);
            EXPECT_EQ(dlg->text(1079), "200"); // the low byte of its slot only
            type(*dlg, 1079, "9");
            click(*dlg, 1014);
            EXPECT_EQ(sample.readLE(kDiabloStarts + 64 + 8, 4), 0x56341209u);
            EXPECT_EQ(sample.changes(), sample.differing({{kDiabloStarts + 64 + 8, 9}}));
        } else {
            renderForReview(dlg.get(), "characters");
        }
    }
}
