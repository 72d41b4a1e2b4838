#include "app/EditorLaunch.h"

namespace tarvix {

std::unique_ptr<CEditorDlg> makeEditor(int buttonId, QWidget* owner)
{
    // Each editor joins here as it is written, for example
    //   case 1002: return std::make_unique<CBaseItemsDlg>(owner);
    // Still to come:
    //   1000 CFileSavesDlg      1001 CCharactersDlg   1002 CBaseItemsDlg
    //   1003 CUniqueItemsDlg    1004 CAffixDlg        1005 CSpellsDlg
    //   1008 CMonsterDataDlg    1009 CBossDlg         1134 CSpeechesDlg
    //   1050 CItemFlipsDlg
    switch (buttonId) {
    default:
        (void)owner;
        return nullptr;
    }
}

} // namespace tarvix
