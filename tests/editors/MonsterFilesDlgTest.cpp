#include "editors/monsters/MonsterFilesDlg.h"
#include "editors/monsters/MonsterDataDlg.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace tarvix;
using namespace tarvix::test;

namespace {

constexpr std::uint32_t kDiabloMonsters = 0x96C70;
constexpr std::uint32_t kHellfireMonsters = 0xAA8F0;

struct Sample {
    const char* name;
    const char* tag;
    std::uint32_t monsters;
    std::uint32_t delta;
    int records;
    int animations, sounds, colours; // distinct names, without regard to case
};
const Sample kDiabloSample{"diablo", "diablo7", kDiabloMonsters, 0x402200, 112, 34, 30, 66};
const Sample kHellfireSample{"hellfire", "hell1", kHellfireMonsters, 0x401600, 138, 57, 51, 66};

std::unique_ptr<CMonsterFilesDlg> openFiles(const SampleCopy& sample, const Sample& s, int record)
{
    auto dlg = std::make_unique<CMonsterFilesDlg>();
    dlg->setWorkingCopy(sample.path, *editionForTag(s.tag));
    dlg->setRecord(record);
    dlg->show();
    return dlg;
}

// The user clicks a row of a list box.
void pick(CDialog& dlg, int listId, int row)
{
    dlg.list(listId)->setCurrentRow(row);
}

std::uint32_t record(const Sample& s, int n)
{
    return s.monsters + 128 * n;
}

std::uint32_t le32(const QByteArray& bytes, std::uint32_t offset)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return v;
}

// The text behind the pointer at offset, read straight from the bytes.
QString textAt(const QByteArray& bytes, const Sample& s, std::uint32_t pointerOffset)
{
    const std::uint32_t pointer = le32(bytes, pointerOffset);
    if (pointer == 0) return {};
    const qsizetype at = pointer - s.delta;
    return QString::fromLatin1(bytes.mid(at, bytes.indexOf('\0', at) - at));
}
QString textAt(const SampleCopy& sample, const Sample& s, std::uint32_t pointerOffset)
{
    return textAt(sample.bytes(), s, pointerOffset);
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
    for (const auto& [offset, value] : more)
        bytes[offset] = value;
    return bytes;
}

} // namespace

TEST(MonsterFilesDlg, EveryRecordOfBothSamplesShowsItsOwnFilesAndSavesBackByteForByte)
{
    for (const Sample* s : {&kDiabloSample, &kHellfireSample}) {
        SampleCopy sample(s->name);
        const QByteArray& bytes = sample.before;
        for (int n = 0; n < s->records; ++n) {
            auto dlg = openFiles(sample, *s, n);
            ASSERT_EQ(dlg->rowCount(1092), s->animations);
            ASSERT_EQ(dlg->rowCount(1094), s->sounds);
            ASSERT_EQ(dlg->rowCount(1095), s->colours);
            const std::uint32_t r = record(*s, n);
            const std::pair<int, std::uint32_t> lists[] = {{1092, 8}, {1094, 16}, {1095, 28}};
            for (auto [id, offset] : lists) {
                const QString own = textAt(bytes, *s, r + offset);
                const int row = dlg->selectedRow(id);
                if (own.isEmpty())
                    EXPECT_EQ(row, -1) << s->name << " " << n << " " << id;
                else
                    EXPECT_EQ(dlg->rowText(id, row).compare(own, Qt::CaseInsensitive), 0)
                        << s->name << " " << n;
            }
            EXPECT_EQ(dlg->isChecked(1110), le32(bytes, r + 24) != 0);
            EXPECT_EQ(dlg->text(1108), QString::number(static_cast<std::int32_t>(le32(bytes, r + 76))));
            click(*dlg, 1014);
            EXPECT_FALSE(dlg->hasUnsavedChanges());
        }
        EXPECT_TRUE(sample.changes().empty()) << s->name;
    }
}

TEST(MonsterFilesDlg, SharedFilesGiveOneRowThatBringsTheEarlierRecordsValues)
{
    SampleCopy sample("diablo");
    const Sample& s = kDiabloSample;
    // Records 8 to 11 share the skeleton axe file; their neutral speeds are 5, 4, 2, 3.
    auto dlg = openFiles(sample, s, 10);
    const int axe = dlg->selectedRow(1092);
    EXPECT_EQ(dlg->rowText(1092, axe), "Monsters\\SkelAxe\\SklAx%c.CL2");
    EXPECT_EQ(dlg->rowData(1092, axe), sample.readLE(record(s, 8) + 8, 4));
    EXPECT_EQ(dlg->text(1103), "2");

    // Another file brings its values; the record's own file brings its own back.
    pick(*dlg, 1092, 0);
    EXPECT_EQ(dlg->text(1097), "11");
    EXPECT_TRUE(dlg->hasUnsavedChanges());
    pick(*dlg, 1092, axe);
    EXPECT_EQ(dlg->text(1103), "2");
    EXPECT_EQ(dlg->text(1097), "12");
    EXPECT_FALSE(dlg->hasUnsavedChanges());
    click(*dlg, 1014);
    EXPECT_TRUE(sample.changes().empty());

    // Record 26 (a skeleton captain with its own sound) takes record 8's values whole.
    auto other = openFiles(sample, s, 26);
    pick(*other, 1092, axe);
    EXPECT_EQ(other->text(1103), "5");
    EXPECT_EQ(other->rowText(1094, other->selectedRow(1094)), "Monsters\\SkelAxe\\SklAx%c%i.WAV");
    click(*other, 1014);
    EXPECT_EQ(sample.changes(),
              sample.differing(with(animationOf(sample, s, 8, 26),
                                    le(record(s, 26) + 16, sample.readLE(record(s, 8) + 16, 4), 4))));
}

TEST(MonsterFilesDlg, ChosenAnimationWritesItsValuesButWhatTheUserChangesAfterwards)
{
    for (const Sample* s : {&kDiabloSample, &kHellfireSample}) {
        SampleCopy sample(s->name);
        // Record 0 (Zombie) has no colour file. The worm file is first used by record
        // 56, whose sound record 52 used before it: record 56's own pointer is written.
        auto dlg = openFiles(sample, *s, 0);
        const int worm = rowWithText(*dlg, 1092, "Monsters\\Worm\\Worm%c.CL2");
        ASSERT_GE(worm, 0);
        pick(*dlg, 1092, worm);
        EXPECT_EQ(dlg->rowText(1094, dlg->selectedRow(1094)), "Monsters\\Fat\\Fat%c%i.WAV");
        type(*dlg, 1097, "77");
        dlg->button(1109)->click();
        click(*dlg, 1014);
        const std::uint32_t r = record(*s, 0);
        auto expected =
            with(animationOf(sample, *s, 56, 0), le(r + 16, sample.readLE(record(*s, 56) + 16, 4), 4));
        expected = with(expected, le(r + 32, 77, 4));
        expected = with(expected, le(r + 20, sample.readLE(record(*s, 56) + 20, 4) == 0 ? 1 : 0, 4));
        EXPECT_EQ(sample.changes(), sample.differing(expected)) << s->name;
        EXPECT_EQ(sample.readLE(r + 28, 4), 0u);
        EXPECT_FALSE(dlg->hasUnsavedChanges());

        // Saved, the worm file is the record's own: choosing it again changes nothing,
        // and a sound the user picks is written by its row's pointer.
        pick(*dlg, 1092, 0);
        pick(*dlg, 1092, worm);
        EXPECT_EQ(dlg->text(1097), "77");
        pick(*dlg, 1094, 3);
        click(*dlg, 1014);
        EXPECT_EQ(sample.readLE(r + 16, 4), dlg->rowData(1094, 3));
        EXPECT_EQ(sample.changes(), sample.differing(with(expected, le(r + 16, dlg->rowData(1094, 3), 4))));
    }
}

TEST(MonsterFilesDlg, RecordWithoutColourFileShowsNoRowAndKeepsItsZero)
{
    SampleCopy sample("hellfire");
    const Sample& s = kHellfireSample;
    const std::uint32_t r = record(s, 0);
    auto dlg = openFiles(sample, s, 0);
    EXPECT_EQ(dlg->selectedRow(1095), -1);
    EXPECT_TRUE(dlg->list(1095)->toolTip().contains("none"));
    EXPECT_FALSE(dlg->isChecked(1110));

    dlg->button(1110)->click();
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(le(r + 24, 1, 4)));

    pick(*dlg, 1095, 2);
    click(*dlg, 1014);
    EXPECT_EQ(sample.changes(),
              sample.differing(with(le(r + 24, 1, 4), le(r + 28, dlg->rowData(1095, 2), 4))));
    EXPECT_EQ(dlg->rowText(1095, 2), textAt(sample, s, r + 28));
}

TEST(MonsterFilesDlg, NameThatBeginsAnotherHasItsOwnRowAndCaseMakesNoNewRow)
{
    SampleCopy sample("diablo");
    const Sample& s = kDiabloSample;
    const QString zombie = "Monsters\\Zombie\\Zombie%c.CL2";
    const QString cut = "Monsters\\Zombie\\Zombie";
    auto poke = [&](int n, std::uint32_t at, std::vector<std::uint8_t> bytes) {
        sample.poke(sample.readLE(record(s, n) + 8, 4) - s.delta + at, std::move(bytes));
    };
    poke(1, static_cast<std::uint32_t>(cut.size()), {0}); // Ghoul's file: the first part of Zombie's
    poke(2, 0, {'M', 'O', 'N', 'S'});                     // Rotting Carcass: Zombie's in other case
    sample.poke(record(s, 1), {200});                     // and what the cut file brings with it
    sample.poke(record(s, 1) + 56, {9});
    sample.poke(record(s, 2), {201}); // an offset-0 value of its own, kept while its file is

    auto ghoul = openFiles(sample, s, 1);
    EXPECT_EQ(ghoul->rowCount(1092), s.animations + 1);
    EXPECT_EQ(ghoul->rowText(1092, 0), zombie);
    EXPECT_EQ(ghoul->rowText(1092, 1), cut);
    EXPECT_EQ(ghoul->selectedRow(1092), 1);
    click(*ghoul, 1014);

    auto carcass = openFiles(sample, s, 2);
    EXPECT_EQ(carcass->selectedRow(1092), 0);
    click(*carcass, 1014);
    EXPECT_TRUE(sample.changes().empty());

    // Zombie takes the cut file: Ghoul's pointer and values. Ghoul's sound has Zombie's
    // name, so Zombie's sound row stays and so does its own pointer.
    auto first = openFiles(sample, s, 0);
    pick(*first, 1092, 1);
    EXPECT_EQ(first->text(1103), "9");
    click(*first, 1014);
    EXPECT_EQ(sample.changes(), sample.differing(animationOf(sample, s, 1, 0)));
}

TEST(MonsterFilesDlg, FilesButtonOpensTheMonsterOnDisplayAndReturnsToIt)
{
    SampleCopy sample("hellfire");
    const Sample& s = kHellfireSample;
    ScriptedPrompter prompter;
    prompter.saveAnswers = {Prompter::SaveAnswer::Save};
    auto data = openEditor<CMonsterDataDlg>(sample, s.tag);
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
    EXPECT_EQ(animation, textAt(sample, s, record(s, 56) + 8));
    EXPECT_EQ(prompter.asked, QStringList{"Unsaved changes: Save changes to Monster Files & Framesets?"});
    EXPECT_EQ(sample.changes(), sample.differing(le(record(s, 56) + 56, 9, 4)));

    EXPECT_EQ(data->selectedRow(1015), 56);
    EXPECT_EQ(data->text(1036), "33");
    EXPECT_TRUE(data->hasUnsavedChanges());
}

TEST(MonsterFilesDlg, RenderForReview)
{
    SampleCopy sample("hellfire");
    auto dlg = openFiles(sample, kHellfireSample, 3); // Black Death: a colour file too
    renderForReview(dlg.get(), "monster-files");
}
