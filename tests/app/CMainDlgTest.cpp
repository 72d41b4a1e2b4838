#include "AppTestSupport.h"

#include "app/CMainDlg.h"
#include "app/CommandLine.h"
#include "support/EditorDriver.h"
#include "support/MarkDriver.h"

#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTableWidget>
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
    loadMod(game, {true});
    EXPECT_EQ(prompter.asked, QStringList{kModQuestion});
    EXPECT_EQ(main->workingCopyPath(), mod);
    EXPECT_EQ(main->editionTag(), "diablo7");
    EXPECT_EQ(main->windowTitle(), "Tarvix - mod.exe (Diablo)");
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

// The copy of the game's own executable holds the user's work once it exists: it is
// replaced only when the user says so, knowing that the work in it goes.
TEST_F(MainWindowTest, ExistingModExeIsOpenedReplacedOrKeptAsTheUserChooses)
{
    const QString game = diablo("game/diablo.exe"), mod = dir.filePath("game/mod.exe");
    const QString other = diablo("other/game.exe");
    loadMod(game, {true});
    typeAtEnd(" mine");
    const QByteArray edited = readAll(mod);
    ASSERT_EQ(edited.mid(kDiabloVersion, 11), QByteArray("v1.09 mine\0", 11));
    loadMod(other);
    prompter.asked.clear();

    // Cancel: nothing changes, neither the window nor either file.
    prompter.choices = {2};
    loadMod(game, {true});
    ASSERT_EQ(prompter.offered.size(), 1u);
    const Prompter::Choice& asked = prompter.offered[0];
    EXPECT_EQ(prompter.asked, QStringList({kModQuestion, asked.caption + ": " + asked.text}));
    EXPECT_EQ(asked.answers, QStringList({"&Open mod.exe", "&Replace with a Fresh Copy", "Cancel"}));
    EXPECT_EQ(asked.defaultAnswer, 0);
    EXPECT_EQ(asked.cancelAnswer, 2);
    expectMentions(asked.text, {mod, "diablo.exe", "loses every change"});
    EXPECT_EQ(main->workingCopyPath(), other);
    EXPECT_EQ(main->settings().directory(), dir.filePath("other"));
    EXPECT_EQ(firstDifference(readAll(mod), edited), -1);

    // Open (the default): the work in mod.exe goes on.
    prompter.choices = {0};
    loadMod(game, {true});
    EXPECT_EQ(main->workingCopyPath(), mod);
    EXPECT_EQ(version()->text(), "v1.09 mine");
    EXPECT_EQ(firstDifference(readAll(mod), edited), -1);

    // Replace: a fresh copy of the original.
    prompter.choices = {1};
    loadMod(game, {true});
    EXPECT_EQ(main->workingCopyPath(), mod);
    EXPECT_EQ(version()->text(), "v1.09");
    EXPECT_EQ(firstDifference(readAll(mod), readAll(game)), -1);
    EXPECT_EQ(prompter.offered.size(), 3u);

    // An existing mod.exe of another length is refused as any such file is.
    writeAll(mod, "not an executable");
    loadMod(other);
    prompter.choices = {0};
    loadMod(game, {true});
    ASSERT_EQ(prompter.errors.size(), 1);
    expectMentions(prompter.errors[0], {mod + "."});
    prompter.errors.clear();
    EXPECT_EQ(main->workingCopyPath(), other);
    EXPECT_EQ(readAll(mod), "not an executable");
    prompter.asked.clear();
}

TEST_F(MainWindowTest, NoEditsTheChosenFileAndOtherNamesAskNothing)
{
    const QString hell = dir.filePath("Hellfire.exe");
    writeAll(hell, executable(kHellfireLength, kHellfireVersion, QByteArray("Hellfire v1.01\0", 15)));
    loadMod(hell, {false});
    EXPECT_EQ(main->workingCopyPath(), hell);
    EXPECT_EQ(main->editionTag(), "hell1");
    EXPECT_EQ(main->windowTitle(), "Tarvix - Hellfire.exe (Hellfire)");
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

// Until a file is loaded nothing can be edited or saved, and the window says what to do.
TEST_F(MainWindowTest, NothingLoadedDisablesEditingAndHintsAtLoadMod)
{
    const QList<int> editorButtons{1000, 1001, 1002, 1003, 1004, 1005, 1008, 1009, 1134, 1050};
    auto enabledButtons = [&] {
        QList<int> enabled;
        for (int id : editorButtons)
            if (main->findChild<QPushButton*>(QString::number(id))->isEnabled()) enabled << id;
        return enabled;
    };
    EXPECT_EQ(main->windowTitle(), "Tarvix");
    EXPECT_EQ(enabledButtons(), QList<int>{});
    EXPECT_FALSE(main->command(32773)->isEnabled());
    EXPECT_EQ(version()->placeholderText(), "Load a Diablo or Hellfire executable (File > Load Mod)");
    typeAtEnd("abc");
    EXPECT_EQ(version()->text(), "");

    const QString game = diablo("game.exe");
    loadMod(game);
    EXPECT_EQ(main->windowTitle(), "Tarvix - game.exe (Diablo)");
    EXPECT_EQ(enabledButtons(), editorButtons);
    EXPECT_FALSE(main->findChild<QPushButton*>("1006")->isEnabled());
    EXPECT_FALSE(main->findChild<QPushButton*>("1007")->isEnabled());
    EXPECT_TRUE(main->command(32773)->isEnabled());
    EXPECT_EQ(version()->placeholderText(), "");
    typeAtEnd("abc");
    EXPECT_EQ(readAll(game).mid(kDiabloVersion, 9), QByteArray("v1.09abc\0", 9));
}

// A file of another length is not the game: it is refused before it can become a working
// copy or a mod.exe, and what was loaded stays loaded.
TEST_F(MainWindowTest, FileOfAnotherLengthIsRefusedAndTheLoadedOneStays)
{
    const QString first = diablo("first.exe");
    loadMod(first);
    const QByteArray settingsBefore = readAll(main->settings().file());
    for (qsizetype length : {kDiabloLength - 1, kDiabloLength + 1, kHellfireLength - 1, qsizetype{1}}) {
        const QString odd = dir.filePath(QStringLiteral("odd%1/Diablo.exe").arg(length));
        QDir().mkpath(QFileInfo(odd).absolutePath());
        writeAll(odd, patterned(length));
        const QByteArray before = readAll(odd);
        loadMod(odd, {true});
        EXPECT_EQ(prompter.asked, QStringList()) << "asked before refusing";
        ASSERT_EQ(prompter.errors.size(), 1);
        const QString message = prompter.errors.takeFirst();
        expectMentions(message, {odd, QLocale(QLocale::English).toString(length) + " byte", "760,320 bytes", "859,136 bytes"});
        EXPECT_FALSE(QFile::exists(QFileInfo(odd).absolutePath() + "/mod.exe"));
        EXPECT_EQ(firstDifference(readAll(odd), before), -1);

        EXPECT_EQ(main->workingCopyPath(), first);
        EXPECT_EQ(main->editionTag(), "diablo7");
        EXPECT_EQ(main->windowTitle(), "Tarvix - first.exe (Diablo)");
        EXPECT_EQ(version()->text(), "v1.09");
        EXPECT_EQ(readAll(main->settings().file()), settingsBefore);
    }
    typeAtEnd("!"); // still reaches the file loaded first
    EXPECT_EQ(readAll(first).mid(kDiabloVersion, 7), QByteArray("v1.09!\0", 7));
}

// A file of the right length whose tables are not where the game keeps them opens only
// when the user, warned, says so; Enter, Escape or Cancel copies and changes nothing.
TEST_F(MainWindowTest, TablesUnlikeTheGamesAreOpenedOnlyAfterAWarning)
{
    const QString first = diablo("first.exe");
    loadMod(first);
    const QString odd = dir.filePath("odd/DIABLO.exe");
    QDir().mkpath(dir.filePath("odd"));
    writeAll(odd, patterned(kDiabloLength));

    loadMod(odd, {true}); // a mod.exe, yes; then Enter on the warning
    ASSERT_EQ(prompter.asked.size(), 2);
    EXPECT_EQ(prompter.asked[0], kModQuestion);
    expectMentions(prompter.asked[1], {"Unexpected tables: ", odd, "Diablo 1.09", "base_items.name", "Open it anyway?"});
    ASSERT_EQ(prompter.offered.size(), 1u);
    const Prompter::Choice& warning = prompter.offered[0];
    EXPECT_EQ(warning.answers, QStringList({"&Open Anyway", "Cancel"}));
    EXPECT_EQ(warning.defaultAnswer, 1);
    EXPECT_EQ(warning.cancelAnswer, 1);
    prompter.choices = {warning.defaultAnswer};
    loadMod(odd, {true});
    EXPECT_FALSE(QFile::exists(dir.filePath("odd/mod.exe")));
    EXPECT_EQ(main->workingCopyPath(), first);
    EXPECT_EQ(main->settings().directory(), dir.path());

    prompter.asked.clear();
    prompter.choices = {0};
    loadMod(odd, {true});
    EXPECT_EQ(prompter.asked.size(), 2);
    EXPECT_EQ(main->workingCopyPath(), dir.filePath("odd/mod.exe"));
    EXPECT_EQ(main->editionTag(), "diablo7");
    EXPECT_EQ(firstDifference(readAll(dir.filePath("odd/mod.exe")), readAll(odd)), -1);
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

// A write that fails is said once, however many keystrokes fail with it, and the edit
// shows what the file holds rather than text that is nowhere.
TEST_F(MainWindowTest, FailedVersionWritesAreReportedOnceAndTheEditShowsWhatIsStored)
{
    const QString game = diablo("game.exe"), away = dir.filePath("away.exe");
    loadMod(game);
    typeAtEnd("a");
    ASSERT_TRUE(QFile::rename(game, away));
    typeAtEnd("bcd");
    ASSERT_EQ(prompter.errors.size(), 1);
    expectMentions(prompter.errors[0], {game});
    EXPECT_EQ(version()->text(), "v1.09a");

    // Writable again: typing writes, and the next failure is said again.
    ASSERT_TRUE(QFile::rename(away, game));
    typeAtEnd("Z");
    EXPECT_EQ(readAll(game).mid(kDiabloVersion, 8), QByteArray("v1.09aZ\0", 8));
    EXPECT_EQ(prompter.errors.size(), 1);

    // Cut short by another program: nothing can be written where the version was, and
    // nothing is stored there any more.
    QFile cut(game);
    ASSERT_TRUE(cut.resize(kDiabloVersion));
    typeAtEnd("Y");
    EXPECT_EQ(prompter.errors.size(), 2);
    EXPECT_EQ(version()->text(), "");
    EXPECT_EQ(QFileInfo(game).size(), kDiabloVersion);
    prompter.errors.clear();
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
    expectMentions(prompter.errors[0], {game + " to " + dir.filePath("plain/saved.exe") + ": "});
    EXPECT_EQ(main->workingCopyPath(), game);
}

TEST_F(MainWindowTest, FailedLoadKeepsPathTagVersionAndFolderTogether)
{
    const QString good = diablo("good/game.exe");
    loadMod(good);
    const QByteArray settingsBefore = readAll(main->settings().file());

    const QString bad = diablo("bad/diablo.exe");
    QDir().mkpath(dir.filePath("bad/mod.exe")); // the copy cannot replace a folder
    prompter.choices = {1};
    loadMod(bad, {true});
    QDir().mkpath(dir.filePath("worse/Diablo.exe")); // a folder is no executable
    writeAll(dir.filePath("worse/mod.exe"), "older mod");
    loadMod(dir.filePath("worse/Diablo.exe"), {true});
    loadMod(dir.filePath("missing/game.exe"));

    ASSERT_EQ(prompter.errors.size(), 3);
    expectMentions(prompter.errors[0], {bad + " to " + dir.filePath("bad/mod.exe") + ": "});
    expectMentions(prompter.errors[1], {dir.filePath("worse/Diablo.exe") + " for reading: "});
    expectMentions(prompter.errors[2], {dir.filePath("missing/game.exe")});
    EXPECT_EQ(prompter.asked.size(), 2) << "the mod.exe question and the one about the existing mod.exe";
    EXPECT_EQ(readAll(dir.filePath("worse/mod.exe")), "older mod");
    EXPECT_EQ(main->workingCopyPath(), good);
    EXPECT_EQ(main->editionTag(), "diablo7");
    EXPECT_EQ(main->windowTitle(), "Tarvix - game.exe (Diablo)");
    EXPECT_EQ(version()->text(), "v1.09");
    EXPECT_EQ(readAll(main->settings().file()), settingsBefore);
    prompter.asked.clear();

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
    QString about, versionLine;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        about = box->windowTitle();
        versionLine = box->findChild<QLabel*>("1043")->text();
        box->findChild<QPushButton*>("1042")->click();
    });
    main->command(32775)->trigger();
    EXPECT_EQ(about, "About Tarvix");
    EXPECT_EQ(versionLine, QStringLiteral("Tarvix %1").arg(programVersion()));
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
    renderForReview(main.get(), "render-main-empty");
    const QString game = dir.filePath("game.exe");
    writeAll(game, executable(kDiabloLength, kDiabloVersion, QByteArray("Diablo v1.09 - Tarvix test mod\0", 31)));
    loadMod(game);
    renderForReview(main.get(), "render-main");
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        renderForReview(box, "render-about");
        box->close();
    });
    main->command(32775)->trigger();
}

} // namespace

namespace {

// Base item 1's level, in the Diablo sample: what the tests below change.
constexpr qsizetype kShortSwordLevel = 0x8E448 + 76 + 24;

void poke(const QString& path, qsizetype at, char value)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(at);
    f.write(&value, 1);
}

} // namespace

TEST_F(MainWindowTest, TheOriginalOfAModExeIsRememberedAndAnotherOneOfTheSameEditionCanBeChosen)
{
    const QString game = diablo("game/diablo.exe"), mod = dir.filePath("game/mod.exe");
    EXPECT_FALSE(main->command(32776)->isEnabled()); // nothing loaded, nothing to compare
    loadMod(game, {true});
    EXPECT_EQ(main->originalPath(), game);
    EXPECT_TRUE(main->command(32778)->isEnabled());

    // Loaded again later, directly, mod.exe still goes with the game's executable.
    loadMod(diablo("other.exe"));
    EXPECT_EQ(main->originalPath(), "");
    EXPECT_FALSE(main->command(32778)->isEnabled());
    loadMod(mod);
    EXPECT_EQ(main->originalPath(), game);

    // Compare With: the other edition is refused, the working copy itself too.
    const QString hellfire = dir.filePath("hellfire.exe");
    writeAll(hellfire, executable(kHellfireLength, kHellfireVersion, QByteArray("Hellfire v1.01\0", 15)));
    for (const QString& wrong : {hellfire, mod}) {
        prompter.fileNames = {wrong};
        main->command(32776)->trigger();
    }
    ASSERT_EQ(prompter.errors.size(), 2);
    expectMentions(prompter.errors[0], {"is 859,136 bytes long"});
    expectMentions(prompter.errors[1], {"working copy itself"});
    EXPECT_EQ(main->originalPath(), game);
    prompter.errors.clear();

    const QString copy = diablo("backup/diablo-clean.exe");
    prompter.fileNames = {copy};
    main->command(32776)->trigger();
    EXPECT_EQ(main->originalPath(), copy);
    main->command(32777)->trigger(); // forget it
    EXPECT_EQ(main->originalPath(), "");
    loadMod(mod);
    EXPECT_EQ(main->originalPath(), "");
}

TEST_F(MainWindowTest, DifferencesListTheChangedFieldsAndOpenTheirRecord)
{
    const QString game = diablo("game/diablo.exe"), mod = dir.filePath("game/mod.exe");
    loadMod(game, {true});
    poke(mod, kShortSwordLevel, 9);
    poke(mod, kDiabloVersion, 'V'); // "V1.09": the version string differs too

    QStringList lines;
    QString editor, record;
    QTimer::singleShot(0, [&] {
        auto* window = QApplication::activeModalWidget();
        auto* table = window->findChild<QTableWidget*>();
        for (int line = 0; line < table->rowCount(); ++line) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column) cells << table->item(line, column)->text();
            lines << cells.join('|');
        }
        renderForReview(window, "differences");
        // Double-clicking the level's line opens Base Items on the Short Sword.
        QTimer::singleShot(0, [&] {
            auto* opened = QApplication::activeModalWidget();
            editor = opened->objectName();
            record = opened->findChild<QComboBox*>("1015")->currentText();
            opened->close();
        });
        emit table->cellDoubleClicked(0, 0);
        window->close();
    });
    main->command(32778)->trigger();
    EXPECT_EQ(lines, (QStringList{"base_items|1|Short Sword|level|2|9", "texts|0||version_string|v1.09|V1.09"}));
    EXPECT_EQ(editor, "CBaseItemsDlg");
    EXPECT_EQ(record, "1 - Short Sword");
}

// The version string is a field like any other: while it differs from the original's, the
// edit is bold, gives the original in its tooltip and puts it back from its context menu.
TEST_F(MainWindowTest, TheVersionEditIsMarkedWhileItDiffersFromTheOriginal)
{
    const QString game = diablo("game/diablo.exe"), mod = dir.filePath("game/mod.exe");
    loadMod(game, {true});
    EXPECT_FALSE(version()->font().bold());

    typeAtEnd("!");
    EXPECT_TRUE(version()->font().bold());
    renderForReview(main.get(), "render-main-marked");
    EXPECT_TRUE(tooltipOf(version()).startsWith("Original: v1.09")) << tooltipOf(version()).toStdString();
    revertThroughMenu(version());
    EXPECT_EQ(version()->text(), "v1.09");
    EXPECT_FALSE(version()->font().bold());
    // Written back as its characters and one zero, as every text is; the bytes behind
    // that zero, which the game never reads, stay as the edits left them.
    EXPECT_EQ(readAll(mod).mid(kDiabloVersion, 6), QByteArray("v1.09\0", 6));

    // Loaded later with its difference stored; then no original, nothing marked.
    typeAtEnd("?");
    loadMod(diablo("other.exe"));
    EXPECT_FALSE(version()->font().bold());
    loadMod(mod);
    EXPECT_TRUE(version()->font().bold());
    main->command(32777)->trigger(); // forget the original
    EXPECT_FALSE(version()->font().bold());
}
