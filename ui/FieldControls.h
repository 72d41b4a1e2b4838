#pragma once

#include "ui/FieldControl.h"

#include <QMetaObject>
#include <QString>

#include <optional>

namespace tarvix {

// The kinds of control the dialogs bind to fields. Each is small and complete: how it
// shows a stored value and what it makes of what it shows.

// A number typed in an edit, shown through the conversion. Only a whole number within
// the field's range (as shown) can be stored: anything else marks the edit, and Save
// refuses it rather than storing some other number.
class NumberEdit : public FieldControl {
public:
    NumberEdit(CDialog& dialog, int id, const tables::FieldRef& field, const tables::Conversion& conversion);
    ~NumberEdit() override;
    void show(const StoredField& stored, ShowContext& context) override;
    bool changed() const override;
    std::uint32_t encode(std::uint32_t bits) const override;
    QString problem() const override;
    void saved() override;
    QString describe(const OtherValue& value) const override;
    void present(const OtherValue& value) override;

    // The values the edit accepts, as shown, and how they are stored.
    tables::Range range() const { return m_range; }
    const tables::Conversion& conversion() const { return m_conversion; }

private:
    std::optional<std::int64_t> typed() const;
    void markProblem();

    const tables::Conversion& m_conversion;
    tables::Type m_type;
    tables::Range m_range;
    QString m_rangeText;
    QString m_shown;
    QMetaObject::Connection m_watch;
};

// A row of a drop-down list or list box: row = the stored value through the conversion.
// A value that no row stands for shows no selection and is kept.
class RowChoice : public FieldControl {
public:
    RowChoice(CDialog& dialog, int id, const tables::Conversion& conversion);
    const tables::Conversion& conversion() const { return m_conversion; }
    void show(const StoredField& stored, ShowContext& context) override;
    bool changed() const override;
    std::uint32_t encode(std::uint32_t bits) const override;
    void saved() override;
    QString describe(const OtherValue& value) const override;
    void present(const OtherValue& value) override;

protected:
    virtual int rowFor(const StoredField& stored) const;
    virtual std::uint32_t valueOf(int row) const;
    // Says plainly which stored value is kept while no row is selected.
    void markUnknown(bool unknown, std::int64_t value);
    // The same in the caller's words: a short note where a drop-down list shows its row,
    // a sentence in a list box's tooltip. Empty texts say nothing.
    void markUnshown(const QString& note, const QString& sentence);

    const tables::Conversion& m_conversion;
    tables::Type m_type = tables::Type::U32;
    int m_shown = -1;
};

// A row whose item data is the stored code; where several rows carry it, the last.
class DataChoice : public RowChoice {
public:
    DataChoice(CDialog& dialog, int id);

protected:
    int rowFor(const StoredField& stored) const override;
    std::uint32_t valueOf(int row) const override;
};

// A check box. Plain: ticked when the field is not 0, written as 1 or 0. Masked: ticked
// when the mask's bits are set, writing only them. Inverted: ticked when the field is 0.
class CheckBox : public FieldControl {
public:
    enum class Mode { Plain, Masked, Inverted };
    CheckBox(CDialog& dialog, int id, Mode mode, std::uint32_t mask = 0);
    Mode mode() const { return m_mode; }
    std::uint32_t mask() const { return m_mask; }
    void show(const StoredField& stored, ShowContext& context) override;
    bool changed() const override;
    std::uint32_t encode(std::uint32_t bits) const override;
    void saved() override;
    QString describe(const OtherValue& value) const override;
    void present(const OtherValue& value) override;

private:
    bool ticks(std::uint32_t bits) const;

    Mode m_mode;
    std::uint32_t m_mask;
    bool m_shown = false;
};

// A multiple-selection list: row i selected = bit i set. Bits no row shows are kept.
class BitList : public FieldControl {
public:
    using FieldControl::FieldControl;
    void show(const StoredField& stored, ShowContext& context) override;
    bool changed() const override;
    std::uint32_t encode(std::uint32_t bits) const override;
    void saved() override;
    QString describe(const OtherValue& value) const override;
    void present(const OtherValue& value) override;

private:
    std::uint32_t selectedBits() const;
    std::uint32_t m_shown = 0;
};

// A name behind a pointer, rewritten in place: the edit takes no more characters than
// the stored name holds (nor than the game's cap). A zero pointer shows nullText,
// read-only, and writes nothing; an empty stored name has no room and takes no typing.
// Where a table marks its separators by leaving them unnamed, both show nullText and
// the row is a separator (showsSeparator).
class NameEdit : public FieldControl {
public:
    enum class Unnamed { NoText, Separator };
    NameEdit(CDialog& dialog, int id, int window, int cap, int offsetId, QString nullText, Unnamed unnamed);
    void show(const StoredField& stored, ShowContext& context) override;
    bool changed() const override;
    bool writesText() const override { return true; }
    std::string text() const override;
    void saved() override;
    bool showsSeparator() const override { return m_unnamed == Unnamed::Separator && m_isUnnamed; }
    QString describe(const OtherValue& value) const override;
    void present(const OtherValue& value) override;
    std::size_t extendedRoom() const override { return m_extendedRoom; }

private:
    void limitTo(int limit);

    int m_window;
    int m_cap;
    int m_offsetId;
    QString m_nullText;
    Unnamed m_unnamed;
    bool m_isNull = true;
    bool m_isUnnamed = true; // a zero pointer or an empty text
    std::size_t m_extendedRoom = 0; // the original's room, where the mod shortened the name
    QString m_shown;
};

// A text stored in place in a buffer of the field's room: shown up to its first zero
// byte (whole when it has none), at most room - 1 characters of game text typed,
// written with one zero byte.
class InlineTextEdit : public FieldControl {
public:
    InlineTextEdit(CDialog& dialog, int id);
    void show(const StoredField& stored, ShowContext& context) override;
    bool changed() const override;
    bool writesText() const override { return true; }
    std::string text() const override;
    void saved() override;
    QString describe(const OtherValue& value) const override;
    void present(const OtherValue& value) override;

private:
    class RoomValidator;
    RoomValidator* m_validator; // owned by the edit
    int m_room = 0;
    QString m_shown;
};

// A text behind a pointer, shown and never written.
class TextView : public FieldControl {
public:
    TextView(CDialog& dialog, int id, int window);
    void show(const StoredField& stored, ShowContext& context) override;
    bool changed() const override { return false; }
    void saved() override {}

private:
    int m_window;
};

// A list whose rows stand for texts the game already holds, each row carrying the
// pointer to its text as item data (rows the editor adds). The field shows the row with
// its own pointer, failing that the row of its own whole text (compared without regard
// to case; a text that merely begins another is not that other), and stores the chosen
// row's pointer. A zero pointer (no text) shows no selection, and so does a text no row
// names; either is kept until the user chooses a row, and the list says which.
class PointerChoice : public RowChoice {
public:
    PointerChoice(CDialog& dialog, int id, int window);
    void show(const StoredField& stored, ShowContext& context) override;
    QString describe(const OtherValue& value) const override;
    void present(const OtherValue& value) override;

protected:
    int rowFor(const StoredField& stored) const override;
    std::uint32_t valueOf(int row) const override;

private:
    int rowOf(std::uint32_t pointer, const QString& text) const;

    int m_window;
    QString m_storedText;
};

} // namespace tarvix
