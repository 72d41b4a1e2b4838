// What every editor does to keep typed values from being lost or altered unasked,
// driven through a real editor: the unsaved-changes question at each way out, the title's
// marker, the wheel over a list the user is not using, finding a record by typing, the
// tab order, and the characters a game text can hold.

#include "editors/items/BaseItemsDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;
using Answer = Prompter::SaveAnswer;

namespace {

constexpr std::uint32_t kDiabloItems = 0x8E448;
constexpr std::uint32_t kShortSword = kDiabloItems + 76 * 1;

struct Editing {
    Editing() : dlg(openEditor<CBaseItemsDlg>(sample))
    {
        choose(*dlg, 1015, 1); // Short Sword
        type(*dlg, 1027, "9"); // level
    }
    SampleCopy sample{"diablo"};
    ScriptedPrompter prompter;
    std::unique_ptr<CBaseItemsDlg> dlg;
};

} // namespace

TEST(EditorSafety, ChangingTheRecordAsksAndEachAnswerDoesWhatItSays)
{
    {
        Editing e;
        EXPECT_TRUE(e.dlg->windowTitle().startsWith('*'));
        e.prompter.saveAnswers = {Answer::Cancel};
        choose(*e.dlg, 1015, 2);
        EXPECT_EQ(e.prompter.asked, QStringList{"Unsaved changes: Save changes to 1 - Short Sword?"});
        EXPECT_EQ(e.dlg->selectedRow(1015), 1); // the record and the edit stay
        EXPECT_EQ(e.dlg->text(1027), "9");
        EXPECT_TRUE(e.sample.changes().empty());

        e.prompter.saveAnswers = {Answer::Save};
        choose(*e.dlg, 1015, 2);
        EXPECT_EQ(e.sample.changes(), e.sample.differing(le(kShortSword + 24, 9, 1)));
        EXPECT_EQ(e.dlg->selectedRow(1015), 2);
        EXPECT_EQ(e.dlg->text(1018), "Buckler");
        EXPECT_FALSE(e.dlg->windowTitle().startsWith('*'));
    }
    {
        Editing e;
        e.prompter.saveAnswers = {Answer::Discard};
        choose(*e.dlg, 1015, 2);
        EXPECT_EQ(e.dlg->selectedRow(1015), 2);
        choose(*e.dlg, 1015, 1);
        EXPECT_EQ(e.dlg->text(1027), "2"); // as stored
        EXPECT_TRUE(e.sample.changes().empty());
        EXPECT_EQ(e.prompter.asked.size(), 1); // nothing unsaved the second time
    }
}

TEST(EditorSafety, EscapeTheCloseBoxAndEnterNeverDropEditsUnasked)
{
    {
        Editing e;
        e.prompter.saveAnswers = {Answer::Cancel, Answer::Cancel};
        QTest::keyClick(e.dlg->edit(1027), Qt::Key_Escape);
        EXPECT_TRUE(e.dlg->isVisible());
        QCloseEvent close;
        QApplication::sendEvent(e.dlg.get(), &close);
        EXPECT_TRUE(e.dlg->isVisible());
        EXPECT_EQ(e.prompter.asked.size(), 2);

        e.prompter.saveAnswers = {Answer::Save};
        QTest::keyClick(e.dlg->edit(1027), Qt::Key_Escape);
        EXPECT_FALSE(e.dlg->isVisible());
        EXPECT_EQ(e.sample.changes(), e.sample.differing(le(kShortSword + 24, 9, 1)));
    }
    for (const bool closeBox : {false, true}) {
        for (const Answer answer : {Answer::Discard, Answer::Save}) {
            Editing e;
            e.prompter.saveAnswers = {answer};
            if (closeBox) e.dlg->close();
            else QTest::keyClick(e.dlg->edit(1027), Qt::Key_Escape);
            EXPECT_FALSE(e.dlg->isVisible());
            if (answer == Answer::Save) EXPECT_EQ(e.sample.changes(), e.sample.differing(le(kShortSword + 24, 9, 1)));
            else EXPECT_TRUE(e.sample.changes().empty());
        }
    }
    {
        // Enter keeps the editor open: it offers to save, or to put the record back.
        Editing e;
        e.prompter.saveAnswers = {Answer::Cancel, Answer::Discard, Answer::Save};
        QTest::keyClick(e.dlg->edit(1027), Qt::Key_Return);
        EXPECT_TRUE(e.dlg->isVisible());
        EXPECT_EQ(e.dlg->text(1027), "9");
        QTest::keyClick(e.dlg->edit(1027), Qt::Key_Return);
        EXPECT_TRUE(e.dlg->isVisible());
        EXPECT_EQ(e.dlg->text(1027), "2");
        type(*e.dlg, 1027, "7");
        QTest::keyClick(e.dlg->edit(1027), Qt::Key_Return);
        EXPECT_TRUE(e.dlg->isVisible());
        EXPECT_EQ(e.sample.changes(), e.sample.differing(le(kShortSword + 24, 7, 1)));
        QTest::keyClick(e.dlg->edit(1027), Qt::Key_Return); // nothing unsaved: nothing asked
        EXPECT_EQ(e.prompter.asked.size(), 3);
        EXPECT_TRUE(e.dlg->isVisible());
    }
    {
        // A refused value keeps the editor open with what was typed.
        Editing e;
        type(*e.dlg, 1027, "300");
        e.prompter.saveAnswers = {Answer::Save};
        QTest::keyClick(e.dlg->edit(1027), Qt::Key_Escape);
        EXPECT_TRUE(e.dlg->isVisible());
        EXPECT_EQ(e.dlg->text(1027), "300");
        ASSERT_EQ(e.prompter.errors.size(), 1);
        EXPECT_TRUE(e.prompter.errors[0].contains("Level: 300 is out of range"));
        EXPECT_TRUE(e.sample.changes().empty());
    }
}

TEST(EditorSafety, TheWheelChangesOnlyTheListTheUserIsUsing)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CBaseItemsDlg>(sample);
    QComboBox* itemClass = dlg->combo(1021);
    const int before = itemClass->currentIndex();
    const QPointF at(itemClass->width() / 2.0, itemClass->height() / 2.0);
    QWheelEvent wheel(at, itemClass->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(itemClass, &wheel);
    EXPECT_EQ(itemClass->currentIndex(), before);
    EXPECT_FALSE(dlg->windowTitle().startsWith('*'));
}

TEST(EditorSafety, RecordsAreFoundByAnyPartOfTheirName)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CBaseItemsDlg>(sample);
    QComboBox* items = dlg->combo(1015);
    QTest::keyClicks(items->lineEdit(), "sword");
    QCompleter* completer = items->completer();
    ASSERT_GT(completer->completionCount(), 1);
    completer->setCurrentRow(0);
    EXPECT_EQ(completer->currentCompletion(), "1 - Short Sword");
    QAbstractItemView* popup = completer->popup();
    popup->setCurrentIndex(completer->completionModel()->index(0, 0));
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(dlg->selectedRow(1015), 1);
    EXPECT_EQ(dlg->text(1018), "Short Sword");
    EXPECT_EQ(items->count(), 156); // a search adds no row
}

TEST(EditorSafety, TabFollowsTheScreenAndNamesTakeOnlyGameCharacters)
{
    SampleCopy sample("diablo");
    auto dlg = openEditor<CBaseItemsDlg>(sample);
    // Line by line from the top, left to right: name, its offset, magical name, its offset.
    EXPECT_EQ(dlg->edit(1018)->nextInFocusChain(), dlg->edit(1042));
    QWidget* w = dlg->edit(1042);
    while (w && w->objectName() != "1019") w = w->nextInFocusChain();
    EXPECT_EQ(w, dlg->edit(1019));

    choose(*dlg, 1015, 1);
    QLineEdit* name = dlg->edit(1018);
    name->selectAll();
    QTest::keyClicks(name, "Blade");
    for (const char* pasted : {"\tx", "x\ny", "\u20ac", "\u00e9"}) name->insert(QString::fromUtf8(pasted));
    EXPECT_EQ(name->text(), QString::fromUtf8("Blade\u00e9")); // no tab, no line break, no euro sign
}
