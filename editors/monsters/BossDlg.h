#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"
#include "ui/OriginalMarks.h"

#include <memory>

namespace tarvix {

// The boss table: the named monsters the game places, one 32-byte record each, with the
// monster kind each one is made from and the speech it gives, chosen by its sound.
class CBossDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CBossDlg(QWidget* owner = nullptr);
    ~CBossDlg() override;

    void OnShowWindow() override;
    void OnSelchangeBoss();
    void OnSave();

    bool hasUnsavedChanges() const override;
    void RevertToOriginal() override;

private:
    void FillColorFiles(WorkingCopy& file);
    void ShowRecord();
    void ShowSpeechSound(WorkingCopy& file);
    bool SpeechSoundChanged() const;
    void WriteSpeechLink(WorkingCopy& file, bool& noSpeech);
    // Where the mod's original is known: the sound list is marked while the boss links
    // another speech than there, and its revert chooses the original speech's sound,
    // which Save then writes as that very speech.
    void MarkSpeech();
    void RevertSpeech();

    std::unique_ptr<FieldBinding> m_fields;
    tables::FieldRef m_speechField;      // bosses.speech: a speech number
    tables::FieldRef m_speechSoundField; // speeches.sound: a sound number
    int m_shownSound = -1;               // the row of "Special Sound" the record showed
    int m_revertedSpeech = -1;           // the original's speech, chosen back by a revert
    int m_speech = 0;                    // the speech number the file holds for the boss shown
    std::unique_ptr<OriginalMarks> m_marks;
};

} // namespace tarvix
