#include "app/EditorLaunch.h"

#include "app/CFileSavesDlg.h"
#include "editors/items/AffixDlg.h"
#include "editors/items/BaseItemsDlg.h"
#include "editors/items/ItemFlipsDlg.h"
#include "editors/items/UniqueItemsDlg.h"
#include "editors/magic/CharactersDlg.h"
#include "editors/magic/SpellsDlg.h"
#include "editors/monsters/BossDlg.h"
#include "editors/monsters/MonsterDataDlg.h"
#include "editors/monsters/SpeechesDlg.h"
#include "tables/GameTables.h"

namespace tarvix {

std::unique_ptr<CEditorDlg> makeEditor(int buttonId, QWidget* owner)
{
    switch (buttonId) {
    case 1000: return std::make_unique<CFileSavesDlg>(owner);
    case 1001: return std::make_unique<CCharactersDlg>(owner);
    case 1002: return std::make_unique<CBaseItemsDlg>(owner);
    case 1003: return std::make_unique<CUniqueItemsDlg>(owner);
    case 1004: return std::make_unique<CAffixDlg>(owner);
    case 1005: return std::make_unique<CSpellsDlg>(owner);
    case 1008: return std::make_unique<CMonsterDataDlg>(owner);
    case 1009: return std::make_unique<CBossDlg>(owner);
    case 1050: return std::make_unique<CItemFlipsDlg>(owner);
    case 1134: return std::make_unique<CSpeechesDlg>(owner);
    default: return nullptr;
    }
}

EditorOfRow editorOf(const tables::FieldRef& field, int row)
{
    using namespace tables;
    const Table* t = field.table;
    if (t == &kBaseItems) return {1002, row};
    if (t == &kUniqueItems) return {1003, row};
    if (t == &kAffixes) return {1004, row};
    // The animation and sound files of a monster are edited from its Monster Data record.
    if (t == &kMonsters || t == &kActiveFlags) return {1008, row};
    if (t == &kBosses) return {1009, row};
    if (t == &kSpeeches) return {1134, row};
    if (t == &kGraphicFlips) return {1050, row};
    if (t == &kFlips) return {1050, -1};
    if (t == &kSpells || t == &kSpellIcons) return {1005, row};
    if (t == &kSpellbook) return {1005, -1};
    if (t == &kClasses) return {1001, row};
    if (t == &kTexts && field.field->name != "version_string" && field.field->name != "cursor_file_name")
        return {1000, -1};
    return {};
}

} // namespace tarvix
