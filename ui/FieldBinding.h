#pragma once

#include "tables/Access.h"
#include "tables/FileImage.h"
#include "ui/OriginalMarks.h"
#include "ui/FieldControl.h"

#include <QString>

#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace tarvix {

class CDialog;
class WorkingCopy;

using tables::Conversion;

namespace conversions {
using tables::conversions::doubledLevel;
using tables::conversions::identity;
using tables::conversions::timesFive;
extern const Conversion rowPlusOne; // stored 1..n shown as row 0..n-1
extern const Conversion& dungeonLevel; // the monster tables' doubled levels
} // namespace conversions

// How to make the control that stands for a field, once the field is known.
struct ControlSpec {
    int id = 0;
    std::function<std::unique_ptr<FieldControl>(CDialog&, const tables::FieldRef&)> make;
};

// A name behind a pointer: window = bytes read, cap = characters the game takes,
// offsetId = an edit showing the pointer's file offset, nullText = shown for a zero
// pointer.
struct NameSpec {
    int id;
    int window;
    int cap;
    int offsetId;
    QString nullText;
    bool separators = false;

    // The table marks its separators (and its end) by rows without a name, a zero
    // pointer or an empty text: such a row shows nullText and the whole row read-only,
    // and nothing of it is written.
    NameSpec unnamedRowsSeparate() const;
    operator ControlSpec() const;
};

// Control makers, so that a layout reads like the dialog it fills.
ControlSpec edit(int id);                                // a number, through the field's own conversion
ControlSpec edit(int id, const Conversion& conversion);
ControlSpec comboRow(int id, const Conversion& conversion = conversions::identity); // row = stored, converted
ControlSpec listRow(int id, const Conversion& conversion = conversions::identity);  // the same in a list box
ControlSpec comboData(int id);                                   // row whose item data = stored
ControlSpec listData(int id);                                    // the same in a list box
ControlSpec check(int id);                                       // ticked = stored not 0
ControlSpec maskedCheck(int id, std::uint32_t mask);             // ticked = the mask's bits set
ControlSpec invertedCheck(int id);                               // ticked = stored 0
ControlSpec bits(int id);                                        // row i selected = bit i set
NameSpec name(int id, int window, int cap, int offsetId = 0, QString nullText = QStringLiteral("Empty"));
ControlSpec inlineText(int id);                                  // text in the field's own buffer
ControlSpec textView(int id, int window);                        // text behind a pointer, read-only
ControlSpec pointerChoice(int id, int window);                   // row carrying the stored pointer
// A control of the editor's own making.
template <class Control, class... Args>
ControlSpec custom(int id, Args... args)
{
    return {id, [=](CDialog& dialog, const tables::FieldRef&) {
                return std::unique_ptr<FieldControl>(new Control(dialog, id, args...));
            }};
}

// One line of a layout: a field by name and its control. A field of another table at
// the same row is named "table.field".
struct BoundField {
    std::string_view field;
    ControlSpec control;
};

// Shows a row of a table in a dialog's controls and writes back what the user changed.
// Every control remembers what it showed, so a control still showing that writes
// nothing: the stored bytes stay exactly as they were even where the display rounds or
// maps them, and a list without a selection never invents a value. A row that is a
// separator of its table is shown as stored and cannot be changed.
class FieldBinding {
public:
    // Resolves every name at once: an unknown table or field is a fault of the program
    // and throws std::logic_error here, when the dialog is built.
    FieldBinding(CDialog& dialog, const tables::Table& table, std::span<const BoundField> layout);
    ~FieldBinding();

    const tables::Table& table() const { return *m_table; }
    // A field of the table (or "table.field"), resolved now; throws for an unknown name.
    tables::FieldRef field(std::string_view name) const;

    // Reads every run of the row, of every table the layout names, in this access cycle.
    void show(WorkingCopy& file, const Edition& edition, int row);
    // Writes every field whose control changed; returns how many fields it wrote.
    int save(WorkingCopy& file);

    bool hasRow() const { return m_hasRow; }
    // The row shown is a separator of its table (a control said so): every control is
    // read-only and save() writes nothing.
    bool isSeparator() const { return m_separator; }
    int row() const { return m_row; }
    bool isChanged(int controlId) const;
    bool isModified() const;

    // The row shown last, for the few fields an editor handles itself beside the layout:
    // a field's bits as read (or as the binding last wrote them), and its file offset.
    std::uint32_t storedBits(const tables::FieldRef& field) const;
    std::uint64_t offsetOf(const tables::FieldRef& field) const;

    // Every control and the field it stands for, in layout order, for tools that look
    // at an editor from outside (tests, the benchmark).
    struct BoundControl {
        const FieldControl* control;
        tables::FieldRef field;
    };
    std::vector<BoundControl> controls() const;

    // The original executable the working copy was made from, read once by the editor:
    // controls whose field differs from it are marked, a name may grow back to the
    // original's length, and the original's values can be put back.
    void setOriginal(std::shared_ptr<const tables::FileImage> original);
    bool hasOriginal() const { return m_original != nullptr; }
    // Some field of the row shown differs from the original.
    bool differsFromOriginal() const;
    // Puts the original values of the row shown into every control whose field differs
    // (or into the controls of one field), as unsaved changes; returns how many fields.
    int revertToOriginal();
    bool revertFieldOf(int controlId);
    // The original value a control whose field differs gives in its tooltip, as it
    // would show it; empty for a control whose field does not differ.
    QString originalShownBy(int controlId) const;
    // Called after a revert that the user asked for through a control's menu.
    void onRevert(std::function<void()> reverted) { m_reverted = std::move(reverted); }
    // The tables whose row show() reads: the binding's own, then those the layout names.
    const std::vector<const tables::Table*>& tables() const { return m_tables; }

private:
    struct Group {
        tables::FieldRef field;
        std::vector<std::unique_ptr<FieldControl>> controls;
        StoredField stored;
        OtherValue original; // the field in the mod's original, where that is known
        bool differs = false;
    };
    struct Shown {
        const tables::Table* table;
        std::unique_ptr<tables::Placement> placement;
        tables::RowBytes bytes;
    };
    const Shown& shownOf(const tables::FieldRef& field) const;
    // The field's value in the original, and whether the file now holds another.
    void compareWithOriginal(Group& group, WorkingCopy& file);
    void showMarks(Group& group);
    bool write(Group& group, WorkingCopy& file);

    CDialog& m_dialog;
    const tables::Table* m_table;
    std::vector<Group> m_groups;
    std::vector<const tables::Table*> m_tables; // the table, then others the layout names
    std::vector<Shown> m_shown;
    const Edition* m_edition = nullptr;
    int m_row = 0;
    bool m_hasRow = false;
    bool m_separator = false;
    std::shared_ptr<const tables::FileImage> m_original;
    std::unique_ptr<OriginalMarks> m_marks;
    std::function<void()> m_reverted;
};

} // namespace tarvix
