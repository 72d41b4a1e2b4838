// Every editor, its working copy taken away under it: deleted, replaced by a file of
// another length, made read-only. Each fault is said with the file and the reason, the
// dialog stays open with what the user typed, no file loses a byte, and once the file is
// back the same Save goes through.

#include "property/Editors.h"
#include "support/EditorDriver.h"
#include "support/ScriptedPrompter.h"
#include "ui/FieldBinding.h"
#include "ui/FieldControls.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace tarvix;
using namespace tarvix::test;

namespace {

// The user changes the first number, text or list row they may change.
bool changeSomething(CEditorDlg& dlg)
{
    for (const FieldBinding* binding : dlg.bindings()) {
        for (const auto& bound : binding->controls()) {
            const int id = bound.control->id();
            QWidget* w = dlg.item(id);
            if (bound.field.field->readOnly || !w->isEnabled() || !w->isVisibleTo(&dlg)) continue;
            if (auto* line = qobject_cast<QLineEdit*>(w); line && line->isReadOnly()) continue;
            if (const auto* number = dynamic_cast<const NumberEdit*>(bound.control)) {
                const qlonglong now = dlg.text(id).toLongLong();
                type(dlg, id, QString::number(now < number->range().max ? now + 1 : now - 1));
                return true;
            }
            if (dynamic_cast<const InlineTextEdit*>(bound.control) || dynamic_cast<const NameEdit*>(bound.control)) {
                type(dlg, id, dlg.text(id) == "x" ? "y" : "x");
                return true;
            }
            if (dynamic_cast<const RowChoice*>(bound.control) && dlg.rowCount(id) > 1) {
                const int row = dlg.selectedRow(id) == 0 ? 1 : 0;
                if (auto* combo = qobject_cast<QComboBox*>(w)) combo->setCurrentIndex(row);
                else dlg.list(id)->setCurrentRow(row);
                return true;
            }
        }
    }
    return false;
}

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
    ASSERT_TRUE(changeSomething(*dlg)) << GetParam().name;
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
        EXPECT_TRUE(prompter.errors[0].contains(sample.path)) << prompter.errors[0].toStdString();
        EXPECT_TRUE(prompter.errors[0].contains(fault.reason)) << prompter.errors[0].toStdString();
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
