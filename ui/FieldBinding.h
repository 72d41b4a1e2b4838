#pragma once

#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace tarvix {

class CDialog;
class WorkingCopy;

// How a stored integer is shown in its control and turned back when the user changed it.
struct Conversion {
    std::int64_t (*toShown)(std::int64_t stored);
    std::int64_t (*toStored)(std::int64_t shown);
};

namespace conversions {
extern const Conversion identity;
extern const Conversion rowPlusOne;   // stored 1..n shown as row 0..n-1
extern const Conversion dungeonLevel; // shown (stored + 2) / 2, stored 2 x shown - 2
} // namespace conversions

enum class FieldType { U8, S8, U16, S16, U32, S32, Pointer };

// What a field's control is and how the two meet.
struct Control {
    enum class Kind { Edit, ComboRow, ComboData, Check, Bits, Name };
    enum class Parse { AsField, Signed, Unsigned };

    Kind kind = Kind::Edit;
    int id = 0;
    Conversion conversion = conversions::identity;
    Parse parse = Parse::AsField; // how a typed number is read, where it differs from the field
    int window = 0;               // Name: bytes read behind the pointer
    int cap = 0;                  // Name: characters the game's own limit allows
    int offsetId = 0;             // Name: read-only edit showing the pointer's file offset

    Control parsedSigned() const { Control c = *this; c.parse = Parse::Signed; return c; }
    Control parsedUnsigned() const { Control c = *this; c.parse = Parse::Unsigned; return c; }
};

// Control makers, so that a layout reads like the record table it implements.
Control edit(int id, Conversion conversion = conversions::identity);
Control comboRow(int id, Conversion conversion = conversions::identity); // row = stored, converted
Control comboData(int id);                                              // row whose item data = stored
Control check(int id);                                                  // ticked = stored non-zero
Control bits(int id);                                                   // row i selected = bit i set
Control name(int id, int window, int cap, int offsetId = 0);            // text behind a pointer

struct Field {
    std::uint32_t offset; // within the record
    FieldType type;
    Control control;
};

// Shows a record from a layout and writes back what the user changed. It remembers
// what each control showed: a control still showing that writes nothing, so the stored
// bytes stay exactly as they were even where the display rounds or maps them, and a
// list without a selection never invents a value. Bits that no row shows are kept.
class FieldBinding {
public:
    FieldBinding(CDialog& dialog, std::span<const Field> layout, std::uint32_t pointerDelta,
                 QString emptyName = QStringLiteral("Empty"));

    void show(WorkingCopy& file, std::uint64_t recordOffset);
    // Writes every changed field of the record shown last; returns how many it wrote.
    int save(WorkingCopy& file);

    bool isChanged(int controlId) const;
    std::uint32_t storedBits(int controlId) const; // the field's bytes as read
    // A byte of the record as show() read it, for the few fields an editor handles
    // itself beside the layout (0 beyond the part of the record the layout covers).
    std::uint8_t recordByte(std::uint32_t offset) const;

private:
    struct Shown {
        std::uint32_t stored = 0;
        QString text;
        int row = -1;
        bool checked = false;
        std::uint32_t bits = 0;
        bool nameIsNull = true;
    };
    const Field& fieldOf(int controlId, std::size_t* index = nullptr) const;
    Shown current(const Field& f) const;
    // Writes the field if its control no longer shows what it showed; true if written.
    bool put(const Field& f, Shown& s, WorkingCopy& file, std::uint64_t recordOffset);

    CDialog& m_dialog;
    std::span<const Field> m_layout;
    std::uint32_t m_delta;
    QString m_emptyName;
    std::uint64_t m_record = 0;
    bool m_hasRecord = false;
    std::vector<std::uint8_t> m_bytes;
    std::vector<Shown> m_shown;
};

int fieldWidth(FieldType type);
bool fieldIsSigned(FieldType type);

} // namespace tarvix
