#pragma once

#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace tarvix {

// The file and animation part of one monster record: which animation, sound and colour
// file it uses, and the framesets and playback speeds of its animations. A record is
// only ever re-pointed to a file name that some record of the table already uses.
class CMonsterFilesDlg : public CEditorDlg {
    Q_OBJECT
public:
    explicit CMonsterFilesDlg(QWidget* owner = nullptr);
    ~CMonsterFilesDlg() override;

    // The monster record to edit; the opener sets it before the dialog runs.
    void setRecord(int record) { m_record = record; }
    int record() const { return m_record; }

    void OnShowWindow() override;
    void OnSelchangeAnimationFile();
    void OnSave();

    static constexpr int kFrameValues = 12; // six framesets, then six playback speeds

private:
    // What goes with an animation file: the values of the first record that uses it.
    struct AnimationValues {
        std::uint32_t animValue = 0; // offset 0
        std::uint32_t secondAnim = 0;
        std::uint32_t soundPointer = 0;
        int soundRow = -1; // the row of that sound's name; -1 for none
        std::uint32_t specialSound = 0;
        std::array<std::int32_t, kFrameValues> frames{};
    };
    void ShowAnimationValues(const AnimationValues& values);
    // The record's own values as the file holds them (as last shown or saved).
    AnimationValues storedValues() const;

    std::unique_ptr<FieldBinding> m_fields;
    tables::FieldRef m_animValueField; // offset 0, written beside the binding
    std::array<tables::FieldRef, kFrameValues> m_frameFields;
    int m_record = 0;
    std::vector<AnimationValues> m_animationValues; // per animation row
    // The rows that show the record's files as the file holds them.
    int m_storedAnimationRow = -1;
    int m_storedSoundRow = -1;
};

} // namespace tarvix
