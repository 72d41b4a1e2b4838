#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"

#include <memory>

namespace tarvix {

// The speech table: what the game's characters say, one 16-byte record each, with the
// sound that speaks it. The text is shown, not edited.
class CSpeechesDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CSpeechesDlg(QWidget* owner = nullptr);
    ~CSpeechesDlg() override;

    void OnShowWindow() override;
    void OnSelchangeSpeech();
    void OnSelchangeSound();
    void OnSave();

private:
    void ShowSpeech();
    int StoredSoundRow() const;

    std::unique_ptr<FieldBinding> m_fields;
    tables::FieldRef m_soundField;
};

} // namespace tarvix
