#include "editors/magic/CharactersDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// Where the game keeps its class arrays, written out here rather than taken from the
// table descriptions so that a wrong description shows.
constexpr std::uint32_t kDiabloFrames = 0x9FDF0; // 11 bytes per class
constexpr std::uint32_t kDiabloStarts = 0x9FE50; // five arrays of 16 bytes
constexpr std::uint32_t kDiabloMaxima = 0x9FEB0; // 16 bytes per class
constexpr std::uint32_t kHellfireFrames = 0xB4698;
constexpr std::uint32_t kHellfireStarts = 0xB4740; // five arrays of 24 bytes
constexpr std::uint32_t kHellfireMaxima = 0xB47D0;

constexpr int kFrameEdits[11] = {1068, 1069, 1070, 1075, 1071, 1072, 1076, 1073, 1074, 1077, 1078}; // by byte
constexpr int kStartEdits[4] = {1059, 1062, 1064, 1066}; // Strength, Magic, Dexterity, Vitality
constexpr int kMaxEdits[4] = {1061, 1063, 1065, 1067};

std::vector<std::uint8_t> le32(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
            static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
}

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
            sample.poke(kDiabloStarts + 16 + 4, le32(-7));
            sample.poke(kDiabloStarts + 64 + 8, {200, 0x12, 0x34, 0x56});
            sample.poke(kDiabloFrames + 11 + 3, {250});
            sample.poke(kDiabloStarts + 12, {0xAB, 0xCD, 0xEF, 0x01});
        }
        auto dlg = openEditor<CCharactersDlg>(sample, diablo ? "diablo7" : "hell1");
        QStringList shown;
        for (int row = 0; row < dlg->combo(1015)->count(); ++row)
            shown << dlg->combo(1015)->itemText(row);
        const QStringList expected =
            diablo ? diabloClasses : diabloClasses + QStringList{"Monk", "Bard", "Barbarian"};
        EXPECT_EQ(shown, expected);
        for (int row = 0; row < dlg->combo(1015)->count(); ++row) {
            choose(*dlg, 1015, row);
            click(*dlg, 1014);
        }
        EXPECT_TRUE(sample.changes().empty()) << edition;
        if (diablo) {
            choose(*dlg, 1015, 1);
            EXPECT_EQ(dlg->text(1062), "-7");
            EXPECT_EQ(dlg->text(1075), "250");
            choose(*dlg, 1015, 2);
            EXPECT_EQ(dlg->text(1079), "200");
        }
    }
}

TEST(CharactersDlg, DiabloClassTwoIsReadAndWrittenAtItsOwnOffsets)
{
    SampleCopy sample("diablo");
    const std::uint32_t f = kDiabloFrames + 22, m = kDiabloMaxima + 32;
    sample.poke(f, {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111});
    sample.poke(kDiabloStarts + 8, le32(-10));
    sample.poke(kDiabloStarts + 16 + 8, le32(1234));
    sample.poke(kDiabloStarts + 32 + 8, le32(70000));
    sample.poke(kDiabloStarts + 48 + 8, le32(0));
    sample.poke(kDiabloStarts + 64 + 8, {77, 0xAA, 0xBB, 0xCC});
    sample.poke(m, le32(-1));
    sample.poke(m + 4, le32(300));
    sample.poke(m + 8, le32(2147483647));
    sample.poke(m + 12, le32(5));

    auto dlg = openEditor<CCharactersDlg>(sample, "diablo7");
    choose(*dlg, 1015, 2);
    for (int byte = 0; byte < 11; ++byte)
        EXPECT_EQ(dlg->text(kFrameEdits[byte]), QString::number(101 + byte));
    EXPECT_EQ(dlg->text(1059), "-10");
    EXPECT_EQ(dlg->text(1062), "1234");
    EXPECT_EQ(dlg->text(1064), "70000");
    EXPECT_EQ(dlg->text(1066), "0");
    EXPECT_EQ(dlg->text(1079), "77");
    EXPECT_EQ(dlg->text(1061), "-1");
    EXPECT_EQ(dlg->text(1063), "300");
    EXPECT_EQ(dlg->text(1065), "2147483647");
    EXPECT_EQ(dlg->text(1067), "5");

    std::map<std::uint32_t, std::uint8_t> expected;
    for (int byte = 0; byte < 11; ++byte) {
        type(*dlg, kFrameEdits[byte], QString::number(201 + byte));
        expected[f + byte] = static_cast<std::uint8_t>(201 + byte);
    }
    const std::int32_t starts[4] = {-5, 45, -2000000000, 99};
    const std::int32_t maxima[4] = {-300, 255, 0, -1};
    for (int k = 0; k < 4; ++k) {
        type(*dlg, kStartEdits[k], QString::number(starts[k]));
        expected.merge(le(kDiabloStarts + 16 * k + 8, static_cast<std::uint32_t>(starts[k]), 4));
        type(*dlg, kMaxEdits[k], QString::number(maxima[k]));
        expected.merge(le(m + 4 * k, static_cast<std::uint32_t>(maxima[k]), 4));
    }
    type(*dlg, 1079, "9"); // the low byte of its slot only
    expected[kDiabloStarts + 64 + 8] = 9;
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(expected));
    EXPECT_EQ(sample.readLE(kDiabloStarts + 64 + 8, 4), 0xCCBBAA09u);

    choose(*dlg, 1015, 0); // shown again from the file, as stored
    choose(*dlg, 1015, 2);
    EXPECT_EQ(dlg->text(1059), "-5");
    EXPECT_EQ(dlg->text(1064), "-2000000000");
    EXPECT_EQ(dlg->text(1061), "-300");
}

TEST(CharactersDlg, HellfireArraysAreTwentyFourBytesApartAndEditsAreAskedAbout)
{
    SampleCopy sample("hellfire");
    ScriptedPrompter prompter;
    auto dlg = openEditor<CCharactersDlg>(sample, "hell1");
    choose(*dlg, 1015, 5); // Barbarian
    EXPECT_EQ(dlg->text(1059), "40");
    EXPECT_EQ(dlg->text(1062), "0");
    EXPECT_EQ(dlg->text(1061), "255");
    EXPECT_EQ(dlg->text(1067), "150");
    EXPECT_EQ(dlg->text(1068), "10");

    type(*dlg, 1066, "-12");
    type(*dlg, 1079, "31");
    type(*dlg, 1078, "15");
    type(*dlg, 1065, "60");
    prompter.saveAnswers = {Prompter::SaveAnswer::Save};
    choose(*dlg, 1015, 3);
    EXPECT_EQ(prompter.asked, QStringList{"Unsaved changes: Save changes to Barbarian?"});
    EXPECT_EQ(dlg->text(1059), "25"); // Monk
    std::map<std::uint32_t, std::uint8_t> expected =
        le(kHellfireStarts + 3 * 24 + 20, static_cast<std::uint32_t>(-12), 4);
    expected[kHellfireStarts + 4 * 24 + 20] = 31;
    expected[kHellfireFrames + 55 + 10] = 15;
    expected.merge(le(kHellfireMaxima + 80 + 8, 60, 4));
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(CharactersDlg, RenderForReview)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CCharactersDlg>(sample, "hell1");
    choose(*dlg, 1015, 2);
    renderForReview(dlg.get(), "characters");
}
