#pragma once

// A user editing a record of an editor, and what the file should then hold, worked out
// from the table descriptions' offsets with this file's own arithmetic, never by the
// editors' code.

#include "exe/Edition.h"
#include "exe/PointerTranslation.h"
#include "support/EditorDriver.h"
#include "tables/GameTables.h"
#include "ui/CEditorDlg.h"
#include "ui/FieldBinding.h"
#include "ui/FieldControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace tarvix::test {

// The test's own reading of the rules each kind of control follows.
inline std::int64_t storedFromShown(const tables::Conversion& conversion, std::int64_t shown)
{
    if (&conversion == &tables::conversions::doubledLevel) return 2 * shown - 2;
    if (&conversion == &tables::conversions::timesFive) return 5 * shown;
    if (&conversion == &conversions::rowPlusOne) return shown + 1;
    EXPECT_EQ(&conversion, &tables::conversions::identity) << "a conversion this test does not know";
    return shown;
}

inline std::uint32_t lowBytes(std::int64_t value, std::uint32_t width)
{
    return width >= 4 ? static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value) & ((1u << (8 * width)) - 1);
}

// The bytes an editing run expects, built up edit by edit from the file before it.
class Expected {
public:
    explicit Expected(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    std::uint32_t read(std::uint64_t at, std::uint32_t width) const
    {
        std::uint32_t v = 0;
        for (std::uint32_t i = width; i-- > 0;) v = (v << 8) | static_cast<std::uint8_t>(m_bytes[at + i]);
        return v;
    }
    void write(std::uint64_t at, std::uint32_t width, std::uint32_t value)
    {
        for (std::uint32_t i = 0; i < width; ++i) m_bytes[at + i] = static_cast<char>(value >> (8 * i));
    }
    void writeText(std::uint64_t at, const QByteArray& text)
    {
        m_bytes.replace(static_cast<qsizetype>(at), text.size() + 1, text + '\0');
    }
    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

class EditingRun {
public:
    EditingRun(CEditorDlg& dlg, std::mt19937& random, const Edition& edition, const std::set<int>& skip)
        : m_dlg(dlg), m_random(random), m_edition(edition), m_skip(skip)
    {
    }

    struct Editable {
        const FieldBinding* binding;
        FieldBinding::BoundControl bound;
    };

    // Every control a user could change on the record shown.
    std::vector<Editable> editable() const
    {
        std::vector<Editable> all;
        for (const FieldBinding* binding : m_dlg.bindings()) {
            for (const auto& bound : binding->controls()) {
                QWidget* w = m_dlg.item(bound.control->id());
                if (m_skip.count(bound.control->id()) || !w->isVisibleTo(&m_dlg) || !w->isEnabled()) continue;
                if (auto* line = qobject_cast<QLineEdit*>(w); line && line->isReadOnly()) continue;
                if (bound.field.field->readOnly) continue;
                all.push_back({binding, bound});
            }
        }
        return all;
    }

    // Changes the first control that offers another value.
    bool changeAny(Expected& expected)
    {
        for (const Editable& e : editable())
            if (change(*e.binding, e.bound, expected, true)) return true;
        return false;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    // Changes one control as a user would and notes what the file should then hold.
    // Returns false when the control offers no other value.
    bool change(const FieldBinding& binding, const FieldBinding::BoundControl& bound, Expected& expected, bool valid = true)
    {
        const FieldControl* control = bound.control;
        const int id = control->id();
        const tables::Field& f = *bound.field.field;
        const std::uint64_t at = binding.offsetOf(bound.field);
        const std::uint32_t width = tables::widthOf(f.type, f.room);

        if (auto* number = dynamic_cast<const NumberEdit*>(control)) {
            const tables::Range range = number->range();
            if (!valid) {
                type(m_dlg, id, range.max < INT32_MAX ? QString::number(range.max + 1) : QStringLiteral("12x"));
                return true;
            }
            const std::int64_t choices[] = {range.min, range.max, 0, 1,
                                            std::uniform_int_distribution<std::int64_t>(range.min, range.max)(m_random)};
            std::int64_t value = choices[pick(5)];
            if (value < range.min || value > range.max || QString::number(value) == m_dlg.text(id)) value = range.min;
            if (QString::number(value) == m_dlg.text(id)) value = range.max;
            if (QString::number(value) == m_dlg.text(id)) return false;
            type(m_dlg, id, QString::number(value));
            expected.write(at, width, lowBytes(storedFromShown(number->conversion(), value), width));
            return true;
        }
        if (auto* rows = dynamic_cast<const RowChoice*>(control)) {
            const int count = m_dlg.rowCount(id);
            const int now = m_dlg.selectedRow(id);
            if (count < 2 && now >= 0) return false;
            int row = pick(count);
            if (row == now) row = (row + 1) % count;
            const bool byCode = dynamic_cast<const DataChoice*>(control) || dynamic_cast<const PointerChoice*>(control);
            const std::uint32_t code = m_dlg.rowData(id, row);
            choose(m_dlg, id, row);
            expected.write(at, width, byCode ? lowBytes(code, width)
                                              : lowBytes(storedFromShown(rows->conversion(), row), width));
            return true;
        }
        if (auto* box = dynamic_cast<const CheckBox*>(control)) {
            m_dlg.button(id)->click();
            const bool ticked = m_dlg.isChecked(id);
            const std::uint32_t old = expected.read(at, width);
            switch (box->mode()) {
            case CheckBox::Mode::Plain: expected.write(at, width, ticked ? 1 : 0); break;
            case CheckBox::Mode::Inverted: expected.write(at, width, ticked ? 0 : 1); break;
            case CheckBox::Mode::Masked: expected.write(at, width, (old & ~box->mask()) | (ticked ? box->mask() : 0)); break;
            }
            return true;
        }
        if (dynamic_cast<const BitList*>(control)) {
            const int rows = std::min(32, m_dlg.rowCount(id));
            std::uint32_t bits = 0;
            for (int row = 0; row < rows; ++row) {
                const bool on = pick(2) == 1;
                if (on) bits |= 1u << row;
                m_dlg.list(id)->item(row)->setSelected(on);
            }
            const std::uint32_t shownMask = rows >= 32 ? 0xFFFFFFFFu : (1u << rows) - 1;
            const std::uint32_t old = expected.read(at, width);
            if ((old & shownMask) == bits) return false;
            expected.write(at, width, (old & ~shownMask) | bits);
            return true;
        }
        if (dynamic_cast<const NameEdit*>(control) || dynamic_cast<const InlineTextEdit*>(control)) {
            QLineEdit* line = m_dlg.edit(id);
            const int room = line->maxLength();
            QByteArray text;
            const int length = pick(room + 1);
            for (int i = 0; i < length; ++i) text += "abcdefghijklmnopqrstuvwxyz ABC0123"[pick(34)];
            if (QString::fromLatin1(text) == line->text()) return false;
            type(m_dlg, id, QString::fromLatin1(text));
            if (f.type == tables::Type::Text) {
                expected.writeText(at, text);
            } else {
                const std::uint32_t pointer = expected.read(at, 4);
                expected.writeText(translatePointer(pointer, m_edition.pointerDelta), text);
            }
            return true;
        }
        return false; // read-only views and the editors' own kinds
    }

private:
    CEditorDlg& m_dlg;
    std::mt19937& m_random;
    const Edition& m_edition;
    const std::set<int>& m_skip;
};

} // namespace tarvix::test
