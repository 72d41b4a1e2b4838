#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"

#include <memory>

namespace tarvix {

// Which flip animation each item graphic plays when it is dropped, and the two sounds
// of each animation: the flip sound and the inventory sound. The record on display is
// a graphic; its sounds are those of the animation on display, shared by every graphic
// that names the same animation.
class CItemFlipsDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CItemFlipsDlg(QWidget* owner = nullptr);
    ~CItemFlipsDlg() override;

    void OnShowWindow() override;
    void OnSelchangeGraphic();
    void OnSelchangeFlip();
    void OnSave();

private:
    // Shows the stored sounds of animation (-1: none chosen, the sound lists then offer
    // nothing to choose).
    void ShowFlipSounds(WorkingCopy& file, int animation);
    bool settleSoundChanges();

    std::unique_ptr<FieldBinding> m_graphic; // the graphic's animation number
    std::unique_ptr<FieldBinding> m_sounds;  // the sounds of the animation on display
    int m_soundsOf = -1;                     // the animation whose sounds are on display
};

} // namespace tarvix
