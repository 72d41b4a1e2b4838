// A mod beside its original: the editor marks exactly the fields and records the mod
// changed, says the original values as the controls would show them, lets a shortened
// name grow back to its original length, and puts a record back to the original.

#include "editors/items/BaseItemsDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"
#include "ui/FieldBinding.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kItems = 0x8E448;
constexpr std::uint32_t kShortSword = kItems + 76 * 1;
constexpr std::uint32_t kBuckler = kItems + 76 * 2;

// The Diablo sample as the original, and a copy with known edits as the mod.
struct ModBesideOriginal {
    ModBesideOriginal()
    {
        const std::uint32_t name = mod.readLE(kShortSword + 16, 4) - kDiablo.pointerDelta;
        mod.poke(name, {'S', 'h', 'o', 'r', 't', 0});    // "Short Sword" shortened to "Short"
        mod.poke(kShortSword + 4, {2});                  // item class: all armors
        mod.poke(kShortSword + 24, {9});                 // level
        mod.poke(kShortSword + 52, {0, 0, 4, 0});        // special flag 18
        mod.poke(kBuckler + 68, {0x2C, 0x01, 0, 0});      // price 300
    }
    std::unique_ptr<CBaseItemsDlg> open(bool withOriginal) { return openEditor<CBaseItemsDlg>(mod, withOriginal ? original : QString()); }
    SampleCopy mod{"diablo"};
    QString original = mod.keepAsOriginal();
};

std::set<int> boldControls(CEditorDlg& dlg)
{
    std::set<int> bold;
    for (const FieldBinding* binding : dlg.bindings())
        for (const auto& bound : binding->controls())
            if (dlg.item(bound.control->id())->font().bold()) bold.insert(bound.control->id());
    return bold;
}

bool recordBold(CEditorDlg& dlg, int row)
{
    return dlg.combo(1015)->itemData(row, Qt::FontRole).value<QFont>().bold();
}

} // namespace

TEST(OriginalDifferences, ExactlyTheChangedFieldsAndRecordsAreMarkedWithTheirOriginalValues)
{
    ModBesideOriginal files;
    auto dlg = files.open(true);
    EXPECT_FALSE(recordBold(*dlg, 0));
    EXPECT_TRUE(recordBold(*dlg, 1));
    EXPECT_TRUE(recordBold(*dlg, 2));
    EXPECT_FALSE(recordBold(*dlg, 3));

    choose(*dlg, 1015, 1);
    EXPECT_EQ(boldControls(*dlg), (std::set<int>{1018, 1021, 1027, 1041}));
    const FieldBinding& fields = *dlg->bindings().front();
    EXPECT_EQ(fields.originalShownBy(1018), "Short Sword");
    EXPECT_EQ(fields.originalShownBy(1021), "Weapons");
    EXPECT_EQ(fields.originalShownBy(1027), "2");
    EXPECT_EQ(fields.originalShownBy(1041), "none");
    EXPECT_EQ(fields.originalShownBy(1039), "");

    // The shortened name may take its original length again.
    EXPECT_EQ(dlg->text(1018), "Short");
    EXPECT_EQ(dlg->edit(1018)->maxLength(), 11);

    choose(*dlg, 1015, 2);
    EXPECT_EQ(boldControls(*dlg), (std::set<int>{1039}));
    EXPECT_EQ(fields.originalShownBy(1039), "50");

    // Without an original nothing is marked and nothing else changes.
    auto plain = files.open(false);
    choose(*plain, 1015, 1);
    EXPECT_TRUE(boldControls(*plain).empty());
    EXPECT_FALSE(recordBold(*plain, 1));
    EXPECT_EQ(plain->edit(1018)->maxLength(), 5);
}

TEST(OriginalDifferences, RevertThenSaveGivesBackTheRecordsOriginalBytes)
{
    ModBesideOriginal files;
    ScriptedPrompter prompter;
    auto dlg = files.open(true);
    choose(*dlg, 1015, 1);
    const QByteArray original = SampleCopy("diablo").before;
    dlg->RevertToOriginal();
    EXPECT_TRUE(dlg->windowTitle().startsWith('*'));
    EXPECT_EQ(dlg->text(1018), "Short Sword");
    click(*dlg, 1014);
    const QByteArray now = files.mod.bytes();
    EXPECT_EQ(now.mid(kShortSword, 76), original.mid(kShortSword, 76));
    const std::uint32_t name = files.mod.readLE(kShortSword + 16, 4) - kDiablo.pointerDelta;
    EXPECT_EQ(now.mid(name, 12), original.mid(name, 12));
    EXPECT_TRUE(boldControls(*dlg).empty());
    EXPECT_FALSE(recordBold(*dlg, 1));
    EXPECT_TRUE(recordBold(*dlg, 2)); // the other record keeps its change

    // One field alone, through the binding a control's menu calls.
    choose(*dlg, 1015, 2);
    FieldBinding& fields = *dlg->bindings().front();
    EXPECT_TRUE(fields.revertFieldOf(1039));
    EXPECT_FALSE(fields.revertFieldOf(1040)); // unchanged: nothing to put back
    click(*dlg, 1014);
    EXPECT_EQ(files.mod.bytes(), original);
    EXPECT_TRUE(prompter.errors.isEmpty());
}
