#include "app/EditorLaunch.h"

#include "editors/items/BaseItemsDlg.h"
#include "editors/items/ItemFlipsDlg.h"
#include "editors/monsters/BossDlg.h"
#include "editors/monsters/MonsterDataDlg.h"
#include "editors/monsters/SpeechesDlg.h"

namespace tarvix {

std::unique_ptr<CEditorDlg> makeEditor(int buttonId, QWidget* owner)
{
    // Still to come: 1000 CFileSavesDlg, 1001 CCharactersDlg, 1003 CUniqueItemsDlg,
    // 1004 CAffixDlg, 1005 CSpellsDlg.
    switch (buttonId) {
    case 1002: return std::make_unique<CBaseItemsDlg>(owner);
    case 1008: return std::make_unique<CMonsterDataDlg>(owner);
    case 1009: return std::make_unique<CBossDlg>(owner);
    case 1050: return std::make_unique<CItemFlipsDlg>(owner);
    case 1134: return std::make_unique<CSpeechesDlg>(owner);
    default: return nullptr;
    }
}

} // namespace tarvix
