#include "AppTestSupport.h"

#include "app/CEditorApp.h"
#include "app/CMainDlg.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

using namespace tarvix;
using namespace tarvix::test;

namespace {

const QByteArray kDefaultSettings = "[Directory]\nDirectory=c:\n";

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkpath("program")); }
    QString program() const { return dir.filePath("program"); }
    QString fallback() const { return dir.filePath("config"); }

    QTemporaryDir dir;
};

TEST_F(StartupTest, FirstRunRemembersDriveCBesideTheProgram)
{
    CEditorApp app(program(), fallback());
    app.InitSettings();
    EXPECT_EQ(readAll(program() + "/tarvix.ini"), kDefaultSettings);
    EXPECT_FALSE(QFile::exists(fallback() + "/tarvix.ini"));

    // A second start finds the value and leaves the file alone, as with any other value.
    const QByteArray remembered = "[Directory]\nDirectory=/games/diablo\n";
    writeAll(program() + "/tarvix.ini", remembered);
    CEditorApp again(program(), fallback());
    again.InitSettings();
    EXPECT_EQ(readAll(program() + "/tarvix.ini"), remembered);
    EXPECT_EQ(again.settings().directory(), "/games/diablo");
}

TEST_F(StartupTest, EmptyValueIsReplacedByDriveC)
{
    writeAll(program() + "/tarvix.ini", "[Directory]\nDirectory=\n");
    CEditorApp app(program(), fallback());
    app.InitSettings();
    EXPECT_EQ(readAll(program() + "/tarvix.ini"), kDefaultSettings);
}

TEST_F(StartupTest, UnwritableProgramFolderRemembersInConfigFolder)
{
    // A folder below a regular file can never be written, not even by root.
    writeAll(dir.filePath("plain"), "x");
    CEditorApp app(dir.filePath("plain/program"), fallback());
    app.InitSettings();
    EXPECT_EQ(readAll(fallback() + "/tarvix.ini"), kDefaultSettings);
    EXPECT_TRUE(app.settings().setDirectory("/games"));
    CEditorApp next(dir.filePath("plain/program"), fallback());
    next.InitSettings();
    EXPECT_EQ(next.settings().directory(), "/games");
}

TEST_F(StartupTest, CommandLineFileLoadsLikeLoadModAndExitEndsTheRun)
{
    ScriptedPrompter prompter;
    prompter.answers = {true, true}; // make mod.exe; quit
    const QString game = dir.filePath("DIABLO.EXE");
    writeAll(game, executable(760320, 0, {}));

    QString pathSeen, tagSeen;
    QTimer::singleShot(0, [&] {
        auto* main = qobject_cast<CMainDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(main, nullptr);
        pathSeen = main->workingCopyPath();
        tagSeen = main->editionTag();
        main->command(32774)->trigger();
    });
    CEditorApp app(program(), fallback());
    // A name relative to the current folder means the same file as its full path.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const int result = app.Run({"DIABLO.EXE"});
    QDir::setCurrent(cwd);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(prompter.asked.size(), 2);
    EXPECT_EQ(pathSeen, dir.filePath("mod.exe"));
    EXPECT_EQ(tagSeen, "diablo7");
    EXPECT_EQ(firstDifference(readAll(dir.filePath("mod.exe")), readAll(game)), -1);
    EXPECT_EQ(app.settings().directory(), dir.path());
}

} // namespace
