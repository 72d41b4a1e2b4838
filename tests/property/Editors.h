#pragma once

// Every editor of the program, opened on a sample copy as its opener would open it: the
// property tests and the file-fault tests go through all of them.

#include "app/EditorLaunch.h"
#include "editors/monsters/MonsterFilesDlg.h"
#include "exe/Edition.h"
#include "support/SampleCopy.h"
#include "tables/GameTables.h"

#include <cctype>
#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <string>

namespace tarvix::test {

struct EditorCase {
    const char* name;
    std::function<std::unique_ptr<CEditorDlg>()> make;
    std::set<int> skip = {}; // controls whose change moves other controls (covered by the editor's own tests)
    // An editor of one record, opened from another editor for each record of this table.
    const tables::Table* oneRecordOf = nullptr;
    std::function<void(CEditorDlg&, int)> pointAt = {};
};

inline void PrintTo(const EditorCase& editor, std::ostream* out)
{
    *out << editor.name;
}

inline std::unique_ptr<CEditorDlg> fromMainWindow(int button)
{
    return makeEditor(button, nullptr);
}

inline const EditorCase kEditors[] = {
    {"Base Items", [] { return fromMainWindow(1002); }},
    {"Monster Data", [] { return fromMainWindow(1008); }, {1017}},
    {"Item Flips", [] { return fromMainWindow(1050); }, {1054}},
    {"Unique Items", [] { return fromMainWindow(1003); }},
    {"Prefixes & Suffixes", [] { return fromMainWindow(1004); }},
    {"Spells", [] { return fromMainWindow(1005); }},
    {"Characters", [] { return fromMainWindow(1001); }},
    {"File Saves", [] { return fromMainWindow(1000); }},
    {"Bosses", [] { return fromMainWindow(1009); }},
    {"Speeches", [] { return fromMainWindow(1134); }},
    {"Monster Files", [] { return std::make_unique<CMonsterFilesDlg>(); }, {1092}, &tables::kMonsters,
     [](CEditorDlg& dlg, int record) { static_cast<CMonsterFilesDlg&>(dlg).setRecord(record); }},
};

struct SampleEdition {
    const char* sample;
    const Edition* edition;
};
inline const SampleEdition kEditions[] = {{"diablo", &kDiablo}, {"hellfire", &kHellfire}};

inline std::unique_ptr<CEditorDlg> open(const EditorCase& editor, const SampleCopy& sample, const Edition& edition,
                                 int record = 0)
{
    std::unique_ptr<CEditorDlg> dlg = editor.make();
    if (!dlg) return nullptr;
    dlg->setWorkingCopy(sample.path, edition);
    if (editor.pointAt) editor.pointAt(*dlg, record);
    dlg->show();
    return dlg;
}

// "Prefixes & Suffixes" -> "PrefixesSuffixes", for test names.
inline std::string editorTestName(const ::testing::TestParamInfo<EditorCase>& info)
{
    std::string name;
    for (char c : std::string(info.param.name))
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    return name;
}

} // namespace tarvix::test
