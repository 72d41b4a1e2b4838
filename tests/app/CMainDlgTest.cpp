#include "AppTestSupport.h"

#include "app/CMainDlg.h"
#include "ui/DialogRender.h"

#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr qsizetype kDiabloLength = 760320, kHellfireLength = 859136;
constexpr qsizetype kDiabloVersion = 578504, kHellfireVersion = 651968;
const QString kModQuestion =
    "Original exe detected!: This may be an original exe!!\nCreate a mod.exe for editing use?";
const QString kQuitQuestion = "Quit?: Sure you want to quit?";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = std::make_unique<CMainDlg>(Settings(dir.filePath("tarvix.ini")));
        main->show();
    }

    // A Diablo executable whose version region holds "v1.09", a zero and more text.
    QString diablo(const QString& name, qsizetype length = kDiabloLength)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        writeAll(path, executable(length, kDiabloVersion, QByteArray("v1.09\0JUNK", 10)));
        return path;
    }

    // File > Load Mod; the file dialog returns path, answers go to the mod.exe question.
    void loadMod(const QString& path, std::deque<bool> answers = {})
    {
        prompter.fileNames = {path};
        prompter.answers = std::move(answers);
        main->command(32771)->trigger();
    }

    QLineEdit* version() const { return main->findChild<QLineEdit*>("1019"); }
    void typeAtEnd(const QString& text)
    {
        QTest::keyClick(version(), Qt::Key_End);
        QTest::keyClicks(version(), text);
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<CMainDlg> main;
};

TEST_F(MainWindowTest, GameTitleOffersModExeAndYesEditsTheCopy)
{
    const QString game = diablo("game/DIABLO.EXE"), mod = dir.filePath("game/mod.exe");
    writeAll(mod, "earlier edits");
    loadMod(game, {true});
    EXPECT_EQ(prompter.asked, QStringList{kModQuestion});
    EXPECT_EQ(main->workingCopyPath(), mod);
    EXPECT_EQ(main->editionTag(), "diablo7");
    EXPECT_EQ(version()->text(), "v1.09");
    EXPECT_EQ(main->settings().directory(), dir.filePath("game"));

    const QByteArray original = readAll(game);
    typeAtEnd("X");
    QByteArray expected = original;
    expected.replace(kDiabloVersion, 7, QByteArray("v1.09X\0", 7));
    EXPECT_EQ(firstDifference(readAll(mod), expected), -1);
    EXPECT_EQ(firstDifference(readAll(game), original), -1);

    loadMod(""); // cancelled, but it opened in the remembered folder
    EXPECT_EQ(prompter.openFolders.last(), dir.filePath("game"));
    EXPECT_EQ(main->workingCopyPath(), mod);
}

TEST_F(MainWindowTest, NoEditsTheChosenFileAndOtherNamesAskNothing)
{
    const QString hell = dir.filePath("Hellfire.exe");
    writeAll(hell, executable(kHellfireLength, kHellfireVersion, QByteArray("Hellfire v1.01\0", 15)));
    loadMod(hell, {false});
    EXPECT_EQ(main->workingCopyPath(), hell);
    EXPECT_EQ(main->editionTag(), "hell1");
    EXPECT_EQ(version()->text(), "Hellfire v1.01");
    QTest::keyClick(version(), Qt::Key_End);
    QTest::sendKeyEvent(QTest::Click, version(), Qt::Key_Eacute, QString(QChar(0xE9)), Qt::NoModifier);
    EXPECT_EQ(readAll(hell).mid(kHellfireVersion, 16), QByteArray("Hellfire v1.01\xe9\0", 16));
    EXPECT_FALSE(QFile::exists(dir.filePath("mod.exe")));

    for (const char* name : {"diablo107.exe", "mod.exe", "sub/diablo.exe.bak"}) {
        loadMod(diablo(name));
        EXPECT_EQ(main->workingCopyPath(), dir.filePath(name));
    }
    EXPECT_EQ(prompter.asked, QStringList{kModQuestion});
}

TEST_F(MainWindowTest, LengthOneByteOffGivesNoEditionButIsRemembered)
{
    loadMod(diablo("first.exe"));
    for (qsizetype length : {kDiabloLength - 1, kDiabloLength + 1, kHellfireLength - 1}) {
        const QString odd = diablo(QStringLiteral("odd%1/game.exe").arg(length), length);
        const QByteArray before = readAll(odd);
        loadMod(odd);
        EXPECT_EQ(main->workingCopyPath(), odd);
        EXPECT_EQ(main->editionTag(), "");
        EXPECT_EQ(version()->text(), "");
        EXPECT_EQ(main->settings().directory(), QFileInfo(odd).absolutePath());

        // Without an edition nothing is written and no editor opens.
        typeAtEnd("abc");
        QString opened;
        for (const char* id :
             {"1000", "1001", "1002", "1003", "1004", "1005", "1008", "1009", "1134", "1050"}) {
            QTimer::singleShot(0, [&] {
                if (QWidget* w = QApplication::activeModalWidget()) {
                    opened = w->windowTitle();
                    w->close();
                }
            });
            main->findChild<QPushButton*>(id)->click();
            QApplication::processEvents();
        }
        EXPECT_EQ(opened, "");
        EXPECT_EQ(firstDifference(readAll(odd), before), -1);
    }
}

TEST_F(MainWindowTest, VersionEditWritesEveryChangeAtOnceAndLoadingWritesNothing)
{
    // A version string filling its whole region is shown whole and left as it is.
    const QString game = dir.filePath("full.exe");
    QByteArray expected = executable(kDiabloLength, kDiabloVersion, QByteArray(64, 'F'));
    writeAll(game, expected);
    loadMod(game);
    EXPECT_EQ(version()->text(), QString(64, 'F'));
    EXPECT_EQ(firstDifference(readAll(game), expected), -1);

    QTest::keyClick(version(), Qt::Key_End);
    QTest::keyClick(version(), Qt::Key_Backspace);
    expected[kDiabloVersion + 63] = '\0';
    EXPECT_EQ(firstDifference(readAll(game), expected), -1);

    // Emptied: one zero byte. Then 70 keystrokes: 63 characters written as they come.
    version()->selectAll();
    QTest::keyClick(version(), Qt::Key_Delete);
    expected[kDiabloVersion] = '\0';
    EXPECT_EQ(firstDifference(readAll(game), expected), -1);
    const QByteArray typed = QByteArray(70, 'z').replace(0, 10, "0123456789");
    for (int i = 0; i < typed.size(); ++i) {
        QTest::keyClicks(version(), QString(QLatin1Char(typed[i])));
        if (i < 63) expected.replace(kDiabloVersion, i + 2, typed.left(i + 1) + '\0');
        ASSERT_EQ(firstDifference(readAll(game), expected), -1) << "after keystroke " << i + 1;
    }
    EXPECT_EQ(version()->text().toLatin1(), typed.left(63));
}

TEST_F(MainWindowTest, SaveModAsCopiesAndKeepsTheWorkingCopy)
{
    main->command(32773)->trigger();
    EXPECT_TRUE(prompter.saveInitialPaths.isEmpty()) << "nothing loaded, nothing to save";

    const QString game = diablo("work/game.exe"), target = dir.filePath("saved.exe");
    writeAll(target, "an older file");
    loadMod(game);
    prompter.fileNames = {target};
    main->command(32773)->trigger();
    EXPECT_EQ(prompter.saveInitialPaths, QStringList{game});
    const QByteArray saved = readAll(target);
    EXPECT_EQ(firstDifference(saved, readAll(game)), -1);
    EXPECT_EQ(main->workingCopyPath(), game);
    EXPECT_EQ(main->settings().directory(), dir.filePath("work"));
    typeAtEnd("Q");
    EXPECT_EQ(firstDifference(readAll(target), saved), -1);
    EXPECT_NE(firstDifference(readAll(game), saved), -1);

    // A folder below a regular file cannot exist, whoever runs the test.
    writeAll(dir.filePath("plain"), "x");
    prompter.fileNames = {dir.filePath("plain/saved.exe")};
    main->command(32773)->trigger();
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].contains(game + " to " + dir.filePath("plain/saved.exe") + ": "))
        << prompter.errors[0].toStdString();
    EXPECT_EQ(main->workingCopyPath(), game);
}

TEST_F(MainWindowTest, FailedLoadKeepsPathTagVersionAndFolderTogether)
{
    const QString good = diablo("good/game.exe");
    loadMod(good);
    const QByteArray settingsBefore = readAll(main->settings().file());

    const QString bad = diablo("bad/diablo.exe");
    QDir().mkpath(dir.filePath("bad/mod.exe")); // the copy cannot replace a folder
    loadMod(bad, {true});
    QDir().mkpath(dir.filePath("worse/Diablo.exe")); // the copy cannot read a folder
    writeAll(dir.filePath("worse/mod.exe"), "older mod");
    loadMod(dir.filePath("worse/Diablo.exe"), {true});
    loadMod(dir.filePath("missing/game.exe"));

    ASSERT_EQ(prompter.errors.size(), 3);
    EXPECT_TRUE(prompter.errors[0].contains(bad + " to " + dir.filePath("bad/mod.exe") + ": "));
    EXPECT_TRUE(prompter.errors[1].contains(dir.filePath("worse/mod.exe")));
    EXPECT_TRUE(prompter.errors[2].contains(dir.filePath("missing/game.exe")));
    EXPECT_EQ(readAll(dir.filePath("worse/mod.exe")), "older mod");
    EXPECT_EQ(main->workingCopyPath(), good);
    EXPECT_EQ(main->editionTag(), "diablo7");
    EXPECT_EQ(version()->text(), "v1.09");
    EXPECT_EQ(readAll(main->settings().file()), settingsBefore);

    typeAtEnd("!"); // still reaches the file loaded last
    EXPECT_EQ(readAll(good).mid(kDiabloVersion, 7), QByteArray("v1.09!\0", 7));
}

TEST_F(MainWindowTest, OnlyTheQuitQuestionEndsTheMainWindow)
{
    const QString game = diablo("game.exe");
    loadMod(game);
    const QByteArray before = readAll(game);

    version()->setFocus();
    QTest::keyClick(version(), Qt::Key_Return);
    QTest::keyClick(main.get(), Qt::Key_Escape);
    main->close();
    main->command(32774)->trigger();
    EXPECT_EQ(prompter.asked, QStringList(3, kQuitQuestion));
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->workingCopyPath(), game);
    EXPECT_EQ(main->editionTag(), "diablo7");
    EXPECT_EQ(firstDifference(readAll(game), before), -1);

    // The About box's own button closes it and only it.
    QString about;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        about = box->windowTitle();
        box->findChild<QPushButton*>("1042")->click();
    });
    main->command(32775)->trigger();
    EXPECT_EQ(about, "About Tarvix");
    EXPECT_TRUE(main->isVisible());

    prompter.answers = {true};
    main->command(32774)->trigger();
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainWindowTest, EditorButtonsOpenTheirEditorOnTheWorkingCopy)
{
    const QString sample = dir.filePath("hellfire-sample.exe");
    ASSERT_TRUE(QFile::copy(TARVIX_SAMPLE_DIR "/hellfire-sample.exe", sample));
    loadMod(sample);
    ASSERT_EQ(main->editionTag(), "hell1");
    for (auto [button, editor, recordList, records] :
         {std::tuple{"1001", "CCharactersDlg", "1015", 6},
          std::tuple{"1002", "CBaseItemsDlg", "1015", 166},
          std::tuple{"1003", "CUniqueItemsDlg", "1015", 110},
          std::tuple{"1004", "CAffixDlg", "1015", 185},
          std::tuple{"1005", "CSpellsDlg", "1015", 51},
          std::tuple{"1009", "CBossDlg", "1015", 100},
          std::tuple{"1134", "CSpeechesDlg", "1015", 338},
          std::tuple{"1008", "CMonsterDataDlg", "1015", 138},
          std::tuple{"1050", "CItemFlipsDlg", "1024", 227}}) {
        const QString listName = recordList;
        QString opened;
        int rows = 0;
        bool ownerBlocked = false;
        QTimer::singleShot(0, [&] {
            QWidget* w = QApplication::activeModalWidget();
            opened = w->objectName();
            rows = w->findChild<QComboBox*>(listName)->count();
            ownerBlocked = w->parentWidget() == main.get() && w->isModal();
            QTest::keyClick(w, Qt::Key_Escape);
        });
        main->findChild<QPushButton*>(button)->click();
        EXPECT_EQ(opened, editor);
        EXPECT_EQ(rows, records);
        EXPECT_TRUE(ownerBlocked);
        EXPECT_TRUE(main->isVisible());
    }
}

// Pictures for a person to look at.
TEST_F(MainWindowTest, RenderForReview)
{
    const QString folder = QStringLiteral(TARVIX_RENDER_DIR);
    QDir().mkpath(folder);
    const QString game = dir.filePath("game.exe");
    writeAll(game,
             executable(kDiabloLength, kDiabloVersion, QByteArray("Diablo v1.09 - Tarvix test mod\0", 31)));
    loadMod(game);
    for (int scale : {1, 2}) {
        EXPECT_TRUE(
            renderToPng(main.get(), QStringLiteral("%1/render-main-%2x.png").arg(folder).arg(scale), scale));
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            EXPECT_TRUE(
                renderToPng(box, QStringLiteral("%1/render-about-%2x.png").arg(folder).arg(scale), scale));
            box->close();
        });
        main->command(32775)->trigger();
    }
}

} // namespace
