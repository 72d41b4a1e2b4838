#pragma once

#include "exe/Edition.h"
#include "tables/Layout.h"

#include <QString>

#include <cstdint>
#include <string>

namespace tarvix {

class CDialog;
class WorkingCopy;

// A field of the row on display, as the file holds it.
struct StoredField {
    tables::FieldRef field;
    std::uint64_t offset = 0; // file offset of the field in the row shown
    std::uint32_t bits = 0;   // a number's bits, or a pointer
    std::int64_t value = 0;   // the bits read with the field's sign
};

// The same field in another file: the original executable a mod was made from. For a
// text field, its text (none behind a zero pointer).
struct OtherValue {
    StoredField field;
    std::string text;
    bool isNull = false;
};

// What a control may read while it shows its field: texts lie behind pointers, and where
// the mod's original is known, the field's value there.
struct ShowContext {
    WorkingCopy& file;
    const Edition& edition;
    const OtherValue* original = nullptr;
};

// One control standing for one field. It shows the stored value, remembers what it
// showed, says whether the user has changed it since, and turns what it shows now back
// into the field's value. A field may have several controls (check boxes on the bits of
// one byte); each changed one passes the value on to the next.
class FieldControl {
public:
    FieldControl(CDialog& dialog, int id) : m_dialog(dialog), m_id(id) {}
    virtual ~FieldControl() = default;
    FieldControl(const FieldControl&) = delete;
    FieldControl& operator=(const FieldControl&) = delete;

    int id() const { return m_id; }

    // Puts the stored value into the control and remembers what the control shows.
    virtual void show(const StoredField& stored, ShowContext& context) = 0;
    // The control no longer shows what show() or the last save left in it.
    virtual bool changed() const = 0;
    // Number fields: the bits to store, given the bits the field holds before this
    // control's change (so that bits the control does not stand for are kept).
    virtual std::uint32_t encode(std::uint32_t bits) const { return bits; }
    // What keeps the control's value from being stored (a number out of its field's
    // range, text that is no number); empty when it can be stored.
    virtual QString problem() const { return {}; }
    // Text fields write a text rather than bits: the 8-bit text to store.
    virtual bool writesText() const { return false; }
    virtual std::string text() const { return {}; }
    // The change is on disk: what the control shows now is what the file holds.
    virtual void saved() = 0;

    // The row on display is no record but a separator between parts of its table, as
    // this control found when it showed its field: the whole row is shown read-only.
    virtual bool showsSeparator() const { return false; }
    // Whether the control takes input. Called with true before show(), so a control
    // that limits its own input (a name without room) decides that in show().
    virtual void setEditable(bool editable);

    // Another value of the field as this control would show it (the original's value, in
    // the tooltip of a control whose field the mod changed).
    virtual QString describe(const OtherValue& value) const;
    // Puts another value into the control as the user's own change, for Save to write:
    // the control still remembers what it showed of the stored value.
    virtual void present(const OtherValue& value);
    // A text field that may take more characters than the text stored now (a name the
    // mod shortened, whose original room is known): that room; 0 otherwise.
    virtual std::size_t extendedRoom() const { return 0; }

protected:
    CDialog& m_dialog;
    int m_id;
};

} // namespace tarvix
