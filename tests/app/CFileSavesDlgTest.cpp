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

// The save names' 15-byte buffers, each one byte behind the game's backslash.
constexpr std::uint32_t kDiabloSingle = 0x9FC55, kDiabloMulti = 0x9FC65;
constexpr std::uint32_t kHellfireSingle = 0xB44DD, kHellfireMulti = 0xB44FD;
constexpr std::uint32_t kDiabloVersion = 0x8D3C8;

std::map<std::uint32_t, std::uint8_t> text(std::uint32_t offset, const QByteArray& bytes)
{
    std::map<std::uint32_t, std::uint8_t> m;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        m[offset + static_cast<std::uint32_t>(i)] = static_cast<std::uint8_t>(bytes[i]);
    return m;
}

} // namespace

TEST(FileSavesDlg, BothNamesAreShownAndAnUntouchedNameKeepsAllItsBytes)
{
    for (const char* edition : {"diablo", "hellfire"}) {
        SampleCopy sample(edition);
        const bool diablo = edition == QString("diablo");
        auto dlg = openEditor<CFileSavesDlg>(sample);
        EXPECT_EQ(dlg->text(1011), diablo ? "single_%d.sv" : "single_%d.hsv");
        EXPECT_EQ(dlg->text(1012), diablo ? "multi_%d.sv" : "hrinfo_%d.drv");
        EXPECT_TRUE(dlg->edit(1011)->toolTip().contains("14"));
        click(*dlg, 1014);
        EXPECT_FALSE(dlg->isVisible()) << edition;
        EXPECT_TRUE(sample.changes().empty()) << edition;
    }

    // A name filling its whole buffer has no zero byte: shown whole, and kept whole
    // while only the other name is saved.
    SampleCopy sample("hellfire");
    sample.poke(kHellfireSingle, std::vector<std::uint8_t>(15, 'S'));
    auto dlg = openEditor<CFileSavesDlg>(sample);
    EXPECT_EQ(dlg->text(1011), QString(15, 'S'));
    type(*dlg, 1012, "m%d");
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(text(kHellfireMulti, QByteArray("m%d\0", 4))));
}

TEST(FileSavesDlg, EmptyNameWritesOneZeroAndTypingStopsAtFourteen)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CFileSavesDlg>(sample);
    type(*dlg, 1011, "");
    type(*dlg, 1012, "abcdefghijklmnopqrst");
    EXPECT_EQ(dlg->text(1012), "abcdefghijklmn");
    click(*dlg, 1014);
    EXPECT_FALSE(dlg->isVisible());
    auto expected = text(kDiabloSingle, QByteArray(1, '\0'));
    expected.merge(text(kDiabloMulti, QByteArray("abcdefghijklmn\0", 15)));
    EXPECT_EQ(sample.changes(), sample.differing(expected));
}

TEST(FileSavesDlg, ClosingWithUnsavedNamesAsksFirst)
{
    SampleCopy sample("diablo");
    ScriptedPrompter prompter;
    auto dlg = openEditor<CFileSavesDlg>(sample);
    type(*dlg, 1011, "mine_%d.sv");
    EXPECT_TRUE(dlg->windowTitle().startsWith('*'));

    prompter.saveAnswers = {Prompter::SaveAnswer::Cancel, Prompter::SaveAnswer::Discard};
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->text(1011), "mine_%d.sv");
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(prompter.asked,
              QStringList(2, "Unsaved changes: Save changes to File Saves & Version String?"));
    EXPECT_TRUE(sample.changes().empty());

    // Answered Save, the names are written and the dialog ends as Save ends it.
    auto again = openEditor<CFileSavesDlg>(sample);
    type(*again, 1012, "m");
    prompter.saveAnswers = {Prompter::SaveAnswer::Save};
    again->close();
    EXPECT_FALSE(again->isVisible());
    EXPECT_EQ(sample.changes(), sample.differing(text(kDiabloMulti, QByteArray("m\0", 2))));
    EXPECT_EQ(prompter.asked.size(), 3);
}

TEST(FileSavesDlg, FailedSaveShowsTheErrorAndKeepsWhatWasTyped)
{
    SampleCopy sample("diablo");
    ScriptedPrompter prompter;
    auto dlg = openEditor<CFileSavesDlg>(sample);
    const QString moved = sample.path + ".away";
    ASSERT_TRUE(QFile::rename(sample.path, moved));
    type(*dlg, 1011, "lost_%d.sv");
    click(*dlg, 1014);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].contains(sample.path));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->text(1011), "lost_%d.sv");

    ASSERT_TRUE(QFile::rename(moved, sample.path));
    click(*dlg, 1014);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(sample.changes(), sample.differing(text(kDiabloSingle, QByteArray("lost_%d.sv\0", 11))));
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
    EXPECT_EQ(sample.changes(), sample.differing(text(kDiabloSingle, QByteArray("one_%d.sv\0", 10))));
}

TEST(FileSavesDlg, RenderForReview)
{
    SampleCopy sample("hellfire");
    auto dlg = openEditor<CFileSavesDlg>(sample);
    renderForReview(dlg.get(), "file-saves");
}
