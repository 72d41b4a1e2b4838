#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"

#include <memory>

namespace tarvix {

// The table of magic prefixes and suffixes, one 48-byte record each, in one run in which
// unnamed rows separate the prefixes from the suffixes.
class CAffixDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CAffixDlg(QWidget* owner = nullptr);
    ~CAffixDlg() override;

    void OnShowWindow() override;
    void OnSelchangeAffix();
    void OnSave();

private:
    std::unique_ptr<FieldBinding> m_fields;
};

} // namespace tarvix
