#include "app/EditorLaunch.h"

#include "editors/items/BaseItemsDlg.h"
#include "editors/items/ItemFlipsDlg.h"
#include "editors/magic/SpellsDlg.h"
#include "editors/monsters/MonsterDataDlg.h"

namespace tarvix {

std::unique_ptr<CEditorDlg> makeEditor(int buttonId, QWidget* owner)
{
    // Still to come: 1000 CFileSavesDlg, 1001 CCharactersDlg, 1003 CUniqueItemsDlg,
    // 1004 CAffixDlg, 1009 CBossDlg, 1134 CSpeechesDlg.
    switch (buttonId) {
    case 1002: return std::make_unique<CBaseItemsDlg>(owner);
    case 1005: return std::make_unique<CSpellsDlg>(owner);
    case 1008: return std::make_unique<CMonsterDataDlg>(owner);
    case 1050: return std::make_unique<CItemFlipsDlg>(owner);
    default: return nullptr;
    }
}

} // namespace tarvix
