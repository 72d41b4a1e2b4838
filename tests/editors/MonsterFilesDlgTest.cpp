#include "editors/monsters/MonsterFilesDlg.h"
#include "editors/monsters/MonsterDataDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

struct Sample {
    const char* name;
    std::uint32_t monsters;
    int records;
    int animations, sounds, colours; // distinct names, without regard to case
};
const Sample kDiabloSample{"diablo", 0x96C70, 112, 34, 30, 66};
const Sample kHellfireSample{"hellfire", 0xAA8F0, 138, 57, 51, 66};

std::unique_ptr<CMonsterFilesDlg> openFiles(const SampleCopy& sample, int record)
{
    auto dlg = std::make_unique<CMonsterFilesDlg>();
    dlg->setWorkingCopy(sample.path, sample.edition);
    dlg->setRecord(record);
    dlg->show();
    return dlg;
}

std::uint32_t record(const Sample& s, int n) { return s.monsters + 128 * n; }

// The text behind the pointer at offset, read straight from the bytes.
QString textAt(const SampleCopy& sample, std::uint32_t pointerOffset)
{
    if (sample.readLE(pointerOffset, 4) == 0) return {};
    const QByteArray bytes = sample.bytes();
    const qsizetype at = sample.target(pointerOffset);
    return QString::fromLatin1(bytes.mid(at, bytes.indexOf('\0', at) - at));
}

int rowWithText(CDialog& dlg, int listId, const QString& text)
{
    for (int row = 0; row < dlg.rowCount(listId); ++row)
        if (dlg.rowText(listId, row) == text) return row;
    return -1;
}

// Bytes 0..79 of record `to` as record `from` holds them, but for its sound and
// colour fields (16, 24, 28), which the caller adds where they change.
std::map<std::uint32_t, std::uint8_t> animationOf(const SampleCopy& sample, const Sample& s, int from, int to)
{
    std::map<std::uint32_t, std::uint8_t> bytes;
    for (std::uint32_t offset : {0, 8, 12, 20, 32, 36, 40, 44, 48, 52, 56, 60, 64, 68, 72, 76})
        bytes.merge(le(record(s, to) + offset, sample.readLE(record(s, from) + offset, 4), 4));
    return bytes;
}

std::map<std::uint32_t, std::uint8_t> with(std::map<std::uint32_t, std::uint8_t> bytes,
                                           const std::map<std::uint32_t, std::uint8_t>& more)
{
    for (const auto& [offset, value] : more) bytes[offset] = value;
    return bytes;
}

} // namespace

TEST(MonsterFilesDlg, EveryRecordOfBothSamplesShowsItsOwnFiles)
{
    for (const Sample* s : {&kDiabloSample, &kHellfireSample}) {
        SampleCopy sample(s->name);
        for (int n = 0; n < s->records; ++n) {
            auto dlg = openFiles(sample, n);
            expectRowCounts(*dlg, {{1092, s->animations}, {1094, s->sounds}, {1095, s->colours}});
            const std::uint32_t r = record(*s, n);
            for (auto [id, offset] : {std::pair{1092, 8}, std::pair{1094, 16}, std::pair{1095, 28}}) {
                const QString own = textAt(sample, r + offset);
                const int row = dlg->selectedRow(id);
                if (own.isEmpty()) EXPECT_EQ(row, -1) << s->name << " " << n << " " << id;
                else EXPECT_EQ(dlg->rowText(id, row).compare(own, Qt::CaseInsensitive), 0) << s->name << " " << n;
            }
            EXPECT_EQ(dlg->isChecked(1110), sample.readLE(r + 24, 4) != 0);
            EXPECT_EQ(dlg->text(1108), QString::number(static_cast<std::int32_t>(sample.readLE(r + 76, 4))));
        }
    }
    SampleCopy sample("hellfire");
    renderForReview(openFiles(sample, 3).get(), "monster-files"); // Black Death: a colour file too
}

TEST(MonsterFilesDlg, SharedFilesGiveOneRowThatBringsTheEarlierRecordsValues)
{
    SampleCopy sample("diablo");
    const Sample& s = kDiabloSample;
    // Records 8 to 11 share the skeleton axe file; their neutral speeds are 5, 4, 2, 3.
    auto dlg = openFiles(sample, 10);
    const int axe = dlg->selectedRow(1092);
    EXPECT_EQ(dlg->rowText(1092, axe), "Monsters\\SkelAxe\\SklAx%c.CL2");
    EXPECT_EQ(dlg->rowData(1092, axe), sample.readLE(record(s, 8) + 8, 4));
    EXPECT_EQ(dlg->text(1103), "2");

    // Another file brings its values; the record's own file brings its own back.
    choose(*dlg, 1092, 0);
    EXPECT_EQ(dlg->text(1097), "11");
    EXPECT_TRUE(dlg->hasUnsavedChanges());
    choose(*dlg, 1092, axe);
    EXPECT_EQ(dlg->text(1103), "2");
    EXPECT_EQ(dlg->text(1097), "12");
    EXPECT_FALSE(dlg->hasUnsavedChanges());
    click(*dlg, 1014);
    EXPECT_TRUE(sample.changes().empty());

    // Record 26 (a skeleton captain with its own sound) takes record 8's values whole.
    auto other = openFiles(sample, 26);
    choose(*other, 1092, axe);
    EXPECT_EQ(other->text(1103), "5");
    EXPECT_EQ(other->rowText(1094, other->selectedRow(1094)), "Monsters\\SkelAxe\\SklAx%c%i.WAV");
    click(*other, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(with(animationOf(sample, s, 8, 26),
                                                      le(record(s, 26) + 16, sample.readLE(record(s, 8) + 16, 4), 4))));
}

TEST(MonsterFilesDlg, ChosenAnimationWritesItsValuesButWhatTheUserChangesAfterwards)
{
    for (const Sample* s : {&kDiabloSample, &kHellfireSample}) {
        SampleCopy sample(s->name);
        // Record 0 (Zombie) has no colour file. The worm file is first used by record
        // 56, whose sound record 52 used before it: record 56's own pointer is written.
        auto dlg = openFiles(sample, 0);
        const int worm = rowWithText(*dlg, 1092, "Monsters\\Worm\\Worm%c.CL2");
        ASSERT_GE(worm, 0);
        choose(*dlg, 1092, worm);
        EXPECT_EQ(dlg->rowText(1094, dlg->selectedRow(1094)), "Monsters\\Fat\\Fat%c%i.WAV");
        type(*dlg, 1097, "77");
        click(*dlg, 1109);
        click(*dlg, 1014);
        const std::uint32_t r = record(*s, 0);
        auto expected = with(animationOf(sample, *s, 56, 0), le(r + 16, sample.readLE(record(*s, 56) + 16, 4), 4));
        expected = with(expected, le(r + 32, 77, 4));
        expected = with(expected, le(r + 20, sample.readLE(record(*s, 56) + 20, 4) == 0 ? 1 : 0, 4));
        EXPECT_EQ(sample.changes(), sample.differing(expected)) << s->name;
        EXPECT_EQ(sample.readLE(r + 28, 4), 0u);
        EXPECT_FALSE(dlg->hasUnsavedChanges());

        // Saved, the worm file is the record's own: choosing it again changes nothing,
        // and a sound the user picks is written by its row's pointer.
        choose(*dlg, 1092, 0);
        choose(*dlg, 1092, worm);
        EXPECT_EQ(dlg->text(1097), "77");
        choose(*dlg, 1094, 3);
        click(*dlg, 1014);
        EXPECT_EQ(sample.changes(), sample.differing(with(expected, le(r + 16, dlg->rowData(1094, 3), 4))));
    }
}

TEST(MonsterFilesDlg, NameThatBeginsAnotherHasItsOwnRowAndCaseMakesNoNewRow)
{
    SampleCopy sample("diablo");
    const Sample& s = kDiabloSample;
    const QString cut = "Monsters\\Zombie\\Zombie";
    sample.poke(sample.target(record(s, 1) + 8) + cut.size(), {0}); // Ghoul's file: the first part of Zombie's
    sample.poke(sample.target(record(s, 2) + 8), {'M', 'O', 'N', 'S'}); // Rotting Carcass: Zombie's in other case
    sample.poke(record(s, 1), {200}); // and what the cut file brings with it
    sample.poke(record(s, 1) + 56, {9});
    sample.poke(record(s, 2), {201}); // an offset-0 value of its own, kept while its file is

    auto ghoul = openFiles(sample, 1);
    EXPECT_EQ(ghoul->rowCount(1092), s.animations + 1);
    expectRowTexts(*ghoul, 1092, {{0, "Monsters\\Zombie\\Zombie%c.CL2"}, {1, "Monsters\\Zombie\\Zombie"}});
    EXPECT_EQ(ghoul->selectedRow(1092), 1);
    click(*ghoul, 1014);
    auto carcass = openFiles(sample, 2);
    EXPECT_EQ(carcass->selectedRow(1092), 0);
    click(*carcass, 1014);
    EXPECT_TRUE(sample.changes().empty());

    // Zombie takes the cut file: Ghoul's pointer and values. Ghoul's sound has Zombie's
    // name, so Zombie's sound row stays and so does its own pointer.
    auto first = openFiles(sample, 0);
    choose(*first, 1092, 1);
    EXPECT_EQ(first->text(1103), "9");
    click(*first, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(animationOf(sample, s, 1, 0)));
}

TEST(MonsterFilesDlg, FilesButtonOpensTheMonsterOnDisplayAndReturnsToIt)
{
    SampleCopy sample("hellfire");
    ScriptedPrompter prompter;
    prompter.saveAnswers = {Prompter::SaveAnswer::Save};
    auto data = openEditor<CMonsterDataDlg>(sample);
    choose(*data, 1015, 56);
    type(*data, 1036, "33"); // unsaved in Monster Data, and left so

    int opened = -1;
    QString path, animation;
    QTimer::singleShot(0, [&] {
        auto* files = qobject_cast<CMonsterFilesDlg*>(QApplication::activeModalWidget());
        if (!files) return;
        opened = files->record();
        path = files->workingCopyPath();
        animation = files->rowText(1092, files->selectedRow(1092));
        type(*files, 1103, "9");
        files->reject(); // Escape: asked about, saved
        if (files->isVisible()) files->done(QDialog::Rejected);
    });
    click(*data, 1000);
    EXPECT_EQ(opened, 56);
    EXPECT_EQ(path, sample.path);
    EXPECT_EQ(animation, textAt(sample, record(kHellfireSample, 56) + 8));
    EXPECT_EQ(prompter.asked, QStringList{"Unsaved changes: Save changes to Monster Files & Framesets?"});
    EXPECT_EQ(sample.changes(), sample.differing(le(record(kHellfireSample, 56) + 56, 9, 4)));

    EXPECT_EQ(data->selectedRow(1015), 56);
    EXPECT_EQ(data->text(1036), "33");
    EXPECT_TRUE(data->hasUnsavedChanges());
}
