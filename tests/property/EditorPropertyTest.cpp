// Every editor, both samples: each record shown and saved unchanged leaves the file as it
// was, and seeded runs of random edits change exactly the bytes of the fields edited, each
// to the value the edit means, as EditingRun works it out.
//
// TARVIX_PROPERTY_EDITS sets the edits per editor and edition (default 150);
// TARVIX_PROPERTY_SEED replays one seed.

#include "property/EditingRun.h"
#include "property/Editors.h"
#include "support/ScriptedPrompter.h"

#include <optional>

using namespace tarvix;
using namespace tarvix::test;

namespace {

int settingFrom(const char* name, int fallback)
{
    const QByteArray value = qgetenv(name);
    bool ok = false;
    const int n = value.toInt(&ok);
    return ok ? n : fallback;
}

class EditorProperties : public ::testing::TestWithParam<EditorCase> {};

} // namespace

TEST_P(EditorProperties, EveryRecordSavedUnchangedLeavesTheFileAsItWas)
{
    for (const SampleEdition& e : kEditions) {
        SampleCopy sample(e.sample);
        auto dlg = open(GetParam(), sample, *e.edition);
        if (!dlg) GTEST_SKIP() << GetParam().name << " is not part of the program yet";
        if (const tables::Table* table = GetParam().oneRecordOf) {
            for (int record = 0; record < static_cast<int>(table->rows.of(*e.edition)); ++record) {
                dlg = open(GetParam(), sample, *e.edition, record);
                click(*dlg, dlg->saveButtonId());
                EXPECT_FALSE(dlg->hasUnsavedChanges());
            }
            EXPECT_TRUE(sample.changes().empty()) << e.sample;
            continue;
        }
        const int rows = dlg->recordListId() ? dlg->rowCount(dlg->recordListId()) : 1;
        ASSERT_GT(rows, 0);
        for (int row = 0; row < rows; ++row) {
            if (dlg->recordListId()) choose(*dlg, dlg->recordListId(), row);
            if (dlg->saveButtonId()) click(*dlg, dlg->saveButtonId());
            if (!dlg->isVisible()) dlg = open(GetParam(), sample, *e.edition); // Save may close the dialog
        }
        EXPECT_TRUE(sample.changes().empty()) << e.sample;
    }
}

TEST_P(EditorProperties, RandomEditsChangeExactlyTheirFields)
{
    const int edits = settingFrom("TARVIX_PROPERTY_EDITS", 150);
    for (const SampleEdition& e : kEditions) {
        const unsigned seed = static_cast<unsigned>(settingFrom("TARVIX_PROPERTY_SEED", static_cast<int>(std::random_device{}())));
        SCOPED_TRACE(QStringLiteral("%1 on the %2 sample, seed %3 (TARVIX_PROPERTY_SEED=%3 replays it)")
                         .arg(GetParam().name, e.sample)
                         .arg(seed)
                         .toStdString());
        std::mt19937 random(seed);
        SampleCopy sample(e.sample);
        ScriptedPrompter prompter;
        auto dlg = open(GetParam(), sample, *e.edition);
        if (!dlg) GTEST_SKIP() << GetParam().name << " is not part of the program yet";
        ASSERT_TRUE(dlg->saveButtonId()) << "an editor that saves at once needs its own property test";
        std::optional<EditingRun> editing;
        editing.emplace(*dlg, random, *e.edition, GetParam().skip);

        for (int i = 0; i < edits && !HasFailure(); ++i) {
            if (const tables::Table* table = GetParam().oneRecordOf) {
                dlg = open(GetParam(), sample, *e.edition, editing->pick(static_cast<int>(table->rows.of(*e.edition))));
                editing.emplace(*dlg, random, *e.edition, GetParam().skip);
            } else if (!dlg->isVisible()) {
                dlg = open(GetParam(), sample, *e.edition); // Save may close the dialog
                editing.emplace(*dlg, random, *e.edition, GetParam().skip);
            }
            EditingRun& run = *editing;
            if (dlg->recordListId()) choose(*dlg, dlg->recordListId(), run.pick(dlg->rowCount(dlg->recordListId())));
            const auto controls = run.editable();
            if (controls.empty()) continue;
            Expected expected(sample.bytes());
            const bool refused = run.pick(8) == 0;
            const int count = 1 + run.pick(4);
            std::set<int> done;
            for (int k = 0; k < count; ++k) {
                const auto& c = controls[static_cast<std::size_t>(run.pick(static_cast<int>(controls.size())))];
                if (done.insert(c.bound.control->id()).second) run.change(*c.binding, c.bound, expected);
            }
            bool madeInvalid = false;
            if (refused) {
                for (const auto& c : controls) {
                    if (!dynamic_cast<const NumberEdit*>(c.bound.control) || done.count(c.bound.control->id())) continue;
                    Expected ignored(sample.bytes());
                    madeInvalid = run.change(*c.binding, c.bound, ignored, false);
                    break;
                }
            }
            const QByteArray before = sample.bytes();
            const int errors = static_cast<int>(prompter.errors.size());
            click(*dlg, dlg->saveButtonId());
            if (madeInvalid) {
                EXPECT_EQ(prompter.errors.size(), errors + 1) << "a value out of range was not refused";
                EXPECT_EQ(sample.bytes(), before) << "a refused Save wrote";
                // Put the record back as stored before the next run.
                prompter.saveAnswers = {Prompter::SaveAnswer::Discard};
                if (dlg->isVisible()) QTest::keyClick(dlg.get(), Qt::Key_Escape);
                prompter.saveAnswers.clear();
                continue;
            }
            EXPECT_EQ(prompter.errors.size(), errors) << prompter.errors.join(" | ").toStdString();
            const QByteArray now = sample.bytes();
            ASSERT_EQ(now.size(), expected.bytes().size());
            for (qsizetype at = 0; at < now.size(); ++at) {
                if (now[at] != expected.bytes()[at]) {
                    ADD_FAILURE() << "edit " << i << ": byte 0x" << std::hex << at << " is 0x"
                                  << int(static_cast<std::uint8_t>(now[at])) << ", expected 0x"
                                  << int(static_cast<std::uint8_t>(expected.bytes()[at]));
                    break;
                }
            }
        }
        prompter.errors.clear();
    }
}

INSTANTIATE_TEST_SUITE_P(AllEditors, EditorProperties, ::testing::ValuesIn(kEditors), editorTestName);
