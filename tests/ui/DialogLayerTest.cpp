#include "support/EditorDriver.h"
#include "ui/CDialog.h"
#include "ui/DialogBuilder.h"
#include "ui/DialogInt.h"
#include "ui/DialogTemplate.h"
#include "ui/Prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

using namespace tarvix;

TEST(DialogInt, ParsesAsTheDialogItemConversionDoes)
{
    EXPECT_EQ(parseDialogInt(" 12 ", false), 12);
    EXPECT_EQ(parseDialogInt("-5", true), -5);
    EXPECT_EQ(parseDialogInt("-5", false), std::nullopt); // a minus sign where unsigned
    EXPECT_EQ(parseDialogInt("4294967295", false), 4294967295LL);
    EXPECT_EQ(parseDialogInt("4294967296", false), std::nullopt);
    EXPECT_EQ(parseDialogInt("-2147483648", true), -2147483648LL);
    EXPECT_EQ(parseDialogInt("2147483648", true), std::nullopt);
    for (const char* bad : {"", " ", "-", "12abc", "1 2", "0x10", "+3"})
        EXPECT_EQ(dialogIntBits(bad, true), 0u) << bad;
    EXPECT_EQ(dialogIntBits("-1", true), 0xFFFFFFFFu);
    EXPECT_EQ(formatOffset(0x8E458), "8E458");
}

TEST(DialogTemplate, ReportsTheLineOfAFault)
{
    EXPECT_THROW(DialogTemplate::parse("DIALOG 1 \"x\" 10 10\nEDIT 5 \"\" 1 2 3\n", "t"), std::runtime_error);
    EXPECT_THROW(DialogTemplate::parse("DIALOG 1 \"x\" 10 10\nROW 9 \"a\"\n", "t"), std::runtime_error);
    try {
        DialogTemplate::parse("DIALOG 1 \"x\" 10 10\n\nEDIT 5 \"\" 1 2 3 4 bogus\n", "t");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("t:3"), std::string::npos);
    }
    const DialogTemplate t = DialogTemplate::parse("DIALOG 7 \"A \\\"b\\\"\\nc\" 10 20 # note\n", "t");
    EXPECT_EQ(t.caption, "A \"b\"\nc");
    EXPECT_EQ(t.height, 20);
}

// Every template the program carries: ids unique, controls inside the dialog, and once
// built, no caption cut off by its control, neither at its end nor below its last line.
TEST(DialogTemplate, EveryTemplateBuildsWithCaptionsInFull)
{
    const QStringList files = QDir(":/dialogs").entryList({"*.dlg"});
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        const int id = file.section('.', 0, 0).toInt();
        const DialogTemplate& t = DialogTemplate::load(id);
        std::set<int> ids;
        for (const ControlTemplate& c : t.controls) {
            if (c.id >= 0) {
                EXPECT_TRUE(ids.insert(c.id).second) << id << ": control " << c.id << " twice";
            }
            EXPECT_LE(c.x + c.w, t.width + 1) << id << ": " << c.caption.toStdString();
            if (c.kind != ControlTemplate::Kind::Combo) {
                EXPECT_LE(c.y + c.h, t.height + 1) << id << ": " << c.id;
            }
        }
        CDialog dlg(id);
        for (QLabel* label : dlg.findChildren<QLabel*>()) {
            if (label->text().isEmpty()) continue;
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height() + 2)
                    << id << ": " << label->text().toStdString();
            } else {
                EXPECT_LE(label->sizeHint().width(), label->width() + 2)
                    << id << ": " << label->text().toStdString();
            }
        }
        for (QAbstractButton* b : dlg.findChildren<QAbstractButton*>()) {
            if (!qobject_cast<QCheckBox*>(b) && !qobject_cast<QRadioButton*>(b)) continue;
            EXPECT_LE(b->sizeHint().width(), b->width() + 2) << id << ": " << b->text().toStdString();
        }
    }
}

// Every template as an empty dialog, at 1x and 2x, for a person to look over: labels
// beside their edits, frames around their controls, nothing clipped or overlapping.
TEST(DialogTemplate, EveryTemplateRendersForReview)
{
    for (const QString& file : QDir(":/dialogs").entryList({"*.dlg"})) {
        CDialog dlg(file.section('.', 0, 0).toInt());
        dlg.show();
        test::renderForReview(&dlg, "template-" + file.section('.', 0, 0));
    }
}

// A multi-line edit has a vertical scroll bar, even with nothing to scroll, exactly when
// its template asks for one; a sunken edge is drawn only where asked for too.
TEST(DialogBuilder, ScrollBarAndSunkenEdgeOnlyWhereTheTemplateAsks)
{
    const DialogTemplate t = DialogTemplate::parse("DIALOG 1 \"x\" 100 100\n"
                                                   "EDIT 1 \"\" 0 0 50 40 multiline readonly vscroll\n"
                                                   "EDIT 2 \"\" 50 0 50 40 multiline\n"
                                                   "PICTURE 3 \"\" 0 50 40 40 sunken\n"
                                                   "PICTURE 4 \"\" 50 50 40 40\n",
                                                   "t");
    QWidget dialog;
    const QHash<int, QWidget*> byId = buildControls(&dialog, t);
    auto* scrolled = qobject_cast<QPlainTextEdit*>(byId.value(1));
    auto* plain = qobject_cast<QPlainTextEdit*>(byId.value(2));
    ASSERT_TRUE(scrolled && plain);
    EXPECT_TRUE(scrolled->isReadOnly());
    EXPECT_EQ(scrolled->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(plain->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    auto* sunken = qobject_cast<QLabel*>(byId.value(3));
    auto* flat = qobject_cast<QLabel*>(byId.value(4));
    ASSERT_TRUE(sunken && flat);
    EXPECT_EQ(sunken->frameShadow(), QFrame::Sunken);
    EXPECT_GT(sunken->frameWidth(), 0);
    EXPECT_EQ(flat->frameWidth(), 0);
}

// A group box's frame runs through the middle of its caption, as on Windows, so the row of
// controls a template places just below the caption lies inside the frame, not under it.
TEST(DialogBuilder, GroupFrameRunsAboveTheRowBelowItsCaption)
{
    const DialogTemplate t = DialogTemplate::parse("DIALOG 1 \"x\" 120 60\n"
                                                   "GROUP - \"Main Attack\" 5 5 110 50\n"
                                                   "EDIT 1 \"\" 10 13 30 12\n",
                                                   "t");
    QWidget dialog;
    const QHash<int, QWidget*> byId = buildControls(&dialog, t);
    auto* group = dialog.findChild<QGroupBox*>();
    ASSERT_TRUE(group);
    const QImage image = group->grab().toImage();
    const int x = image.width() - 8; // right of the caption
    int frameTop = 0;
    while (frameTop < image.height() && image.pixel(x, frameTop) == image.pixel(x, 0))
        ++frameTop;
    EXPECT_LT(group->y() + frameTop, byId.value(1)->y());
}

// The boss editor offers the same attack types as the monster editor, row for row, so a
// stored attack type means the same in both.
TEST(DialogTemplate, BossAndMonsterAttackTypesAgree)
{
    const ControlTemplate* monster = DialogTemplate::load(416).control(1084);
    const ControlTemplate* boss = DialogTemplate::load(420).control(1084);
    ASSERT_TRUE(monster && boss);
    EXPECT_EQ(monster->rows.size(), 32);
    EXPECT_EQ(boss->rows, monster->rows);
}

TEST(CDialog, ControlsByIdAndQuietSetters)
{
    CDialog dlg(131);
    EXPECT_EQ(dlg.item(1015)->objectName(), "1015");
    EXPECT_EQ(dlg.combo(1021)->count(), 5);
    EXPECT_EQ(dlg.selectedRow(1021), -1); // a drop-down list starts with no selection
    EXPECT_THROW(dlg.item(4242), std::logic_error);

    QSignalSpy changed(dlg.combo(1021), &QComboBox::currentIndexChanged);
    dlg.selectRow(1021, 2);
    dlg.setText(1018, "x");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(dlg.selectedRow(1021), 2);
    dlg.selectRow(1021, 99);
    EXPECT_EQ(dlg.selectedRow(1021), -1);
}

TEST(CDialog, EnterClosesWithoutSavingUnlessOnAButton)
{
    struct Probe : CDialog {
        Probe() : CDialog(131) { onClicked(1014, [this] { ++saves; }); }
        int saves = 0;
    };
    Probe dlg;
    dlg.show();
    dlg.button(1014)->setFocus();
    QTest::keyClick(dlg.button(1014), Qt::Key_Return);
    EXPECT_EQ(dlg.saves, 1);
    EXPECT_TRUE(dlg.isVisible());

    dlg.edit(1018)->setFocus();
    QTest::keyClick(dlg.edit(1018), Qt::Key_Return);
    EXPECT_EQ(dlg.saves, 1);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST(Prompter, WindowsFiltersBecomeQtFilters)
{
    EXPECT_EQ(qtFileFilter("Diablo \\ Hellfire Executables|*.exe||"), "Diablo \\ Hellfire Executables (*.exe)");
    EXPECT_EQ(qtFileFilter("A|*.a;*.b|B|*.c||"), "A (*.a *.b);;B (*.c)");
}

// The real message box, answered as a user would: each answer's button gives back its
// index, whatever order the platform lays the buttons out in.
TEST(Prompter, ChoiceAnswersByIndexEnterTakesTheDefaultEscapeTheCancel)
{
    QtPrompter qt;
    const Prompter::Choice choice{"Caption", "Text?", {"&Open", "&Replace", "Cancel"}, 0, 2};
    auto answer = [&](const std::function<void(QMessageBox*)>& user) {
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Caption");
            EXPECT_EQ(box->text(), "Text?");
            for (QAbstractButton* b : box->buttons()) shown << b->text();
            user(box);
        });
        const int chosen = qt.choose(nullptr, choice);
        shown.sort();
        EXPECT_EQ(shown, QStringList({"&Open", "&Replace", "Cancel"}));
        return chosen;
    };
    EXPECT_EQ(answer([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }), 0);
    EXPECT_EQ(answer([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }), 2);
    EXPECT_EQ(answer([](QMessageBox* box) { box->close(); }), 2);
    EXPECT_EQ(answer([](QMessageBox* box) {
                  for (QAbstractButton* b : box->buttons())
                      if (b->text() == "&Replace") b->click();
              }),
              1);
}
