#include "AppTestSupport.h"

#include "app/CFileSavesDlg.h"
#include "app/CMainDlg.h"
#include "support/EditorDriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// The save names' 15-byte buffers, each one byte behind the game's backslash, and the version.
constexpr std::uint32_t kDiabloSingle = 0x9FC55, kDiabloMulti = 0x9FC65;
constexpr std::uint32_t kDiabloVersion = 0x8D3C8;

} // namespace

TEST(FileSavesDlg, BothNamesAreShownAndSaveEndsTheDialog)
{
    for (const char* edition : {"diablo", "hellfire"}) {
        SampleCopy sample(edition);
        const bool diablo = edition == QString("diablo");
        auto dlg = openEditor<CFileSavesDlg>(sample);
        EXPECT_EQ(dlg->text(1011), diablo ? "single_%d.sv" : "single_%d.hsv");
        EXPECT_EQ(dlg->text(1012), diablo ? "multi_%d.sv" : "hrinfo_%d.drv");
        EXPECT_TRUE(dlg->edit(1011)->toolTip().contains("14"));
        if (!diablo) renderForReview(dlg.get(), "file-saves");
        click(*dlg, 1014);
        EXPECT_FALSE(dlg->isVisible()) << edition;
        EXPECT_TRUE(sample.changes().empty()) << edition;
    }
}

TEST(FileSavesDlg, AnEmptiedNameWritesOneZeroAndTypingStopsAtFourteen)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CFileSavesDlg>(sample);
    type(*dlg, 1011, "");
    type(*dlg, 1012, "abcdefghijklmnopqrst");
    EXPECT_EQ(dlg->text(1012), "abcdefghijklmn");
    click(*dlg, 1014);
    auto expected = textAt(kDiabloSingle, QByteArray(1, '\0'));
    expected.merge(textAt(kDiabloMulti, QByteArray("abcdefghijklmn\0", 15)));
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(FileSavesDlg, MainWindowButtonOpensItAndTheVersionStringStaysAsItWas)
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    SampleCopy sample("diablo");
    CMainDlg main(Settings(dir.filePath("tarvix.ini")));
    main.show();
    prompter.fileNames = {sample.path};
    main.command(32771)->trigger();
    QLineEdit* version = main.findChild<QLineEdit*>("1019");
    ASSERT_EQ(version->text(), "Diablo v1.09");

    QString opened;
    QTimer::singleShot(0, [&] {
        auto* saves = qobject_cast<CFileSavesDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(saves, nullptr);
        opened = saves->windowTitle();
        type(*saves, 1011, "one_%d.sv");
        click(*saves, 1014);
    });
    main.findChild<QPushButton*>("1000")->click();
    EXPECT_EQ(opened, "File Saves & Version String");
    EXPECT_EQ(version->text(), "Diablo v1.09");
    EXPECT_EQ(sample.bytes().mid(kDiabloVersion, 13), QByteArray("Diablo v1.09\0", 13));
    EXPECT_EQ(sample.changes(), sample.differing(textAt(kDiabloSingle, QByteArray("one_%d.sv\0", 10))));
}
