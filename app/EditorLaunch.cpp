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

} // namespace tarvix
