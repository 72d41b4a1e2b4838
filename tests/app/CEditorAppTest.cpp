#include "AppTestSupport.h"

#include "app/CEditorApp.h"
#include "app/CMainDlg.h"
#include "app/CommandLine.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace tarvix;
using namespace tarvix::test;

namespace {

const QByteArray kDefaultSettings = "[Directory]\nDirectory=" + QDir::homePath().toUtf8() + "\n";

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkpath("program")); }
    QString program() const { return dir.filePath("program"); }
    QString fallback() const { return dir.filePath("config"); }

    QTemporaryDir dir;
};

TEST_F(StartupTest, FirstRunRemembersTheHomeFolderBesideTheProgram)
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

TEST_F(StartupTest, EmptyValueIsReplacedByTheHomeFolder)
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
    bool oneIcon = false, oneFont = false;
    QTimer::singleShot(0, [&] {
        auto* main = qobject_cast<CMainDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(main, nullptr);
        pathSeen = main->workingCopyPath();
        tagSeen = main->editionTag();
        // The window shows the program's icon, not a second decoding of it.
        oneIcon = !QApplication::windowIcon().isNull() &&
                  main->windowIcon().cacheKey() == QApplication::windowIcon().cacheKey();
        // Menus and message boxes are windows of their own: they take the application's font.
        QMenu fileMenu;
        QWidget messageBoxLike;
        oneFont = fileMenu.font() == main->font() && messageBoxLike.font() == main->font() &&
                  main->menuBar()->font() == main->font();
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
    EXPECT_TRUE(oneIcon);
    EXPECT_TRUE(oneFont);
}

// A file named on the command line is loaded before the window is first painted, so the
// window shows it at once; remembering its folder syncs the disk and waits until then.
TEST_F(StartupTest, CommandLineFileIsShownBeforeItsFolderIsWritten)
{
    const QString game = dir.filePath("game/game.exe");
    QDir().mkpath(dir.filePath("game"));
    writeAll(game, executable(760320, 0, {}));
    const Settings settings(dir.filePath("tarvix.ini"));
    settings.setDirectory("/before");
    {
        CMainDlg main(settings);
        main.LoadAtStart(game);
        main.show();
        EXPECT_EQ(main.workingCopyPath(), game);
        EXPECT_EQ(main.windowTitle(), "Tarvix - game.exe (Diablo)");
        EXPECT_EQ(settings.directory(), "/before");
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        main.repaint();
        QCoreApplication::processEvents();
        EXPECT_EQ(settings.directory(), dir.filePath("game"));
    }

    // Closed before it was ever painted, the window still remembers the folder.
    settings.setDirectory("/before");
    {
        CMainDlg main(settings);
        main.LoadAtStart(game);
        main.show();
        main.hide();
    }
    EXPECT_EQ(settings.directory(), dir.filePath("game"));
}

// Both answered without a window system: the program's own test runs them without a display.
TEST(CommandLine, HelpAndVersionAnswerAndEndOtherArgumentsStart)
{
    auto answer = [](std::vector<const char*> args, std::string* printed = nullptr) {
        args.insert(args.begin(), "tarvix");
        std::ostringstream out;
        const std::optional<int> code = answerInfoOption(static_cast<int>(args.size()), args.data(), out);
        if (printed) *printed = out.str();
        return code;
    };
    std::string help, version;
    EXPECT_EQ(answer({"--help"}, &help), 0);
    EXPECT_EQ(answer({"/games/DIABLO.EXE", "-h"}), 0);
    EXPECT_NE(help.find("Usage: tarvix [FILE]"), std::string::npos) << help;
    EXPECT_NE(help.find("--version"), std::string::npos) << help;
    EXPECT_EQ(answer({"--version"}, &version), 0);
    EXPECT_EQ(version, std::string("Tarvix ") + programVersion() + "\n");

    EXPECT_EQ(answer({}), std::nullopt);
    EXPECT_EQ(answer({"/games/DIABLO.EXE"}), std::nullopt);
    EXPECT_EQ(answer({"-platform", "offscreen", "game.exe"}), std::nullopt);
    EXPECT_EQ(answer({"--", "--help"}), std::nullopt) << "a file may be named --help";
}

} // namespace
