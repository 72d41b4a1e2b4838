// Every editor, its working copy taken away under it: deleted, replaced by a file of
// another length, made read-only. Each fault is said with the file and the reason, the
// dialog stays open with what the user typed, no file loses a byte, and once the file is
// back the same Save goes through.

#include "property/EditingRun.h"
#include "property/Editors.h"
#include "support/ScriptedPrompter.h"

#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class FileFaults : public ::testing::TestWithParam<EditorCase> {};

} // namespace

TEST_P(FileFaults, AreSaidWithTheFileAndTheReasonAndCostNoByte)
{
    SampleCopy sample("diablo");
    ScriptedPrompter prompter;
    auto dlg = open(GetParam(), sample, kDiablo, 3);
    ASSERT_TRUE(dlg);
    std::mt19937 random(1);
    Expected ignored(sample.bytes());
    ASSERT_TRUE(EditingRun(*dlg, random, kDiablo, GetParam().skip).changeAny(ignored)) << GetParam().name;
    const int save = dlg->saveButtonId();
    const QString away = sample.path + ".away";
    const QByteArray other = SampleCopy("hellfire").before;

    struct Fault {
        const char* what;
        std::function<void()> make;
        std::function<void()> undo;
        const char* reason;
    };
    std::vector<Fault> faults{
        {"deleted", [&] { QFile::rename(sample.path, away); }, [&] { QFile::rename(away, sample.path); },
         "No such file or directory"},
        {"replaced by the other edition",
         [&] {
             QFile::rename(sample.path, away);
             writeFile(sample.path, other);
         },
         [&] {
             QFile replaced(sample.path);
             EXPECT_TRUE(replaced.open(QIODevice::ReadOnly) && replaced.readAll() == other)
                 << "the file found in its place was written";
             QFile::remove(sample.path);
             QFile::rename(away, sample.path);
         },
         "changed on disk"},
    };
    // Root writes a read-only file all the same; CI runs this part as another user too.
    if (geteuid() != 0)
        faults.push_back({"made read-only", [&] { QFile::setPermissions(sample.path, QFile::ReadOwner); },
                          [&] { QFile::setPermissions(sample.path, QFile::ReadOwner | QFile::WriteOwner); },
                          "Permission denied"});

    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        prompter.errors.clear();
        fault.make();
        click(*dlg, save);
        ASSERT_EQ(prompter.errors.size(), 1);
        expectMentions(prompter.errors[0], {sample.path, fault.reason});
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_TRUE(dlg->hasUnsavedChanges());
        fault.undo();
        EXPECT_TRUE(sample.changes().empty());
    }

    click(*dlg, save);
    EXPECT_TRUE(prompter.errors.size() == 1 || faults.empty());
    EXPECT_FALSE(sample.changes().empty()) << "the same Save goes through once the file is back";
}

INSTANTIATE_TEST_SUITE_P(AllEditors, FileFaults, ::testing::ValuesIn(kEditors), editorTestName);
