// The main window's copies on a disk that fails: the mod.exe copy and Save Mod As with
// the disk full, and a dangling link where mod.exe should be. Each fault is said with
// the file and the reason, the window stays as it was, and no file that existed before
// loses a byte.

#include "AppTestSupport.h"
#include "app/CMainDlg.h"
#include "exe/WriteFault.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

using namespace tarvix;
using namespace tarvix::test;
using Step = WriteFault::Step;

namespace {

class MainWindowFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = std::make_unique<CMainDlg>(Settings(dir.filePath("tarvix.ini")));
        main->show();
    }
    QString game(const QString& name)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile::copy(QStringLiteral(TARVIX_SAMPLE_DIR "/diablo-sample.exe"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    void load(const QString& path, std::deque<bool> answers = {})
    {
        prompter.fileNames = {path};
        prompter.answers = std::move(answers);
        main->command(32771)->trigger();
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<CMainDlg> main;
};

} // namespace

TEST_F(MainWindowFaults, AFullDiskDuringTheModExeCopySaysSoAndLeavesNoModExe)
{
    const QString loaded = game("before/game.exe");
    load(loaded);
    const QString original = game("full/diablo.exe");
    const QByteArray bytes = readAll(original);
    {
        WriteFault full(QFileInfo(original).absolutePath().toStdString(), {Step::writes(4096)}, Step::fails(ENOSPC));
        load(original, {true});
    }
    ASSERT_EQ(prompter.errors.size(), 1);
    expectMentions(prompter.errors[0], {dir.filePath("full/mod.exe"), "No space left on device"});
    EXPECT_EQ(QDir(dir.filePath("full")).entryList(QDir::Files), QStringList{"diablo.exe"});
    EXPECT_EQ(readAll(original), bytes);
    EXPECT_EQ(main->workingCopyPath(), loaded);
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MainWindowFaults, AFullDiskDuringSaveModAsKeepsTheFileItWouldHaveReplaced)
{
    const QString loaded = game("work/game.exe");
    load(loaded);
    const QString target = dir.filePath("full/saved.exe");
    QDir().mkpath(dir.filePath("full"));
    writeAll(target, "an older save");
    {
        WriteFault full(dir.filePath("full").toStdString(), {Step::writes(1000)}, Step::fails(ENOSPC));
        prompter.fileNames = {target};
        main->command(32773)->trigger();
    }
    ASSERT_EQ(prompter.errors.size(), 1);
    expectMentions(prompter.errors[0], {target, "No space left on device"});
    EXPECT_EQ(readAll(target), "an older save");
    EXPECT_EQ(main->workingCopyPath(), loaded);

    prompter.fileNames = {target}; // the disk has room again: the same command goes through
    main->command(32773)->trigger();
    EXPECT_EQ(readAll(target), readAll(loaded));
}

TEST_F(MainWindowFaults, ADanglingLinkWhereModExeShouldBeIsSaidForWhatItIs)
{
    const QString loaded = game("before/game.exe");
    load(loaded);
    const QString original = game("linked/diablo.exe");
    const QString mod = dir.filePath("linked/mod.exe");
    const QString nowhere = dir.filePath("nowhere/mod.exe");
    ASSERT_EQ(symlink(nowhere.toLocal8Bit().constData(), mod.toLocal8Bit().constData()), 0);
    load(original, {true});
    ASSERT_EQ(prompter.errors.size(), 1);
    expectMentions(prompter.errors[0], {mod + ": it is a link to " + nowhere + ", which does not exist"});
    EXPECT_EQ(main->workingCopyPath(), loaded);
    EXPECT_TRUE(QFileInfo(mod).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("nowhere")));
}
