#include "ui/FieldBinding.h"

#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"
#include "ui/CDialog.h"
#include "ui/DialogInt.h"
#include "ui/RecordList.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <stdexcept>

namespace tarvix {

namespace conversions {
const Conversion identity{[](std::int64_t v) { return v; }, [](std::int64_t v) { return v; }};
const Conversion rowPlusOne{[](std::int64_t v) { return v - 1; }, [](std::int64_t v) { return v + 1; }};
const Conversion dungeonLevel{[](std::int64_t v) { return (v + 2) / 2; }, [](std::int64_t v) { return 2 * v - 2; }};
} // namespace conversions

Control edit(int id, Conversion conversion) { return Control{Control::Kind::Edit, id, conversion}; }
Control comboRow(int id, Conversion conversion) { return Control{Control::Kind::ComboRow, id, conversion}; }
Control comboData(int id) { return Control{Control::Kind::ComboData, id}; }
Control check(int id) { return Control{Control::Kind::Check, id}; }
Control bits(int id) { return Control{Control::Kind::Bits, id}; }

Control name(int id, int window, int cap, int offsetId)
{
    Control c{Control::Kind::Name, id};
    c.window = window;
    c.cap = cap;
    c.offsetId = offsetId;
    return c;
}

int fieldWidth(FieldType type)
{
    switch (type) {
    case FieldType::U8:
    case FieldType::S8: return 1;
    case FieldType::U16:
    case FieldType::S16: return 2;
    default: return 4;
    }
}

bool fieldIsSigned(FieldType type)
{
    return type == FieldType::S8 || type == FieldType::S16 || type == FieldType::S32;
}

namespace {

std::int64_t asNumber(std::uint32_t stored, FieldType type)
{
    switch (type) {
    case FieldType::S8: return static_cast<std::int8_t>(stored);
    case FieldType::S16: return static_cast<std::int16_t>(stored);
    case FieldType::S32: return static_cast<std::int32_t>(stored);
    default: return stored;
    }
}

std::uint32_t lowBits(std::int64_t value, FieldType type)
{
    const int width = fieldWidth(type);
    const std::uint64_t mask = width == 4 ? 0xFFFFFFFFull : ((1ull << (8 * width)) - 1);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) & mask);
}

std::uint32_t shownBitsMask(int rows)
{
    return rows >= 32 ? 0xFFFFFFFFu : ((1u << rows) - 1);
}

} // namespace

FieldBinding::FieldBinding(CDialog& dialog, std::span<const Field> layout, std::uint32_t pointerDelta,
                           QString emptyName)
    : m_dialog(dialog), m_layout(layout), m_delta(pointerDelta), m_emptyName(std::move(emptyName)),
      m_shown(layout.size())
{
}

const Field& FieldBinding::fieldOf(int controlId, std::size_t* index) const
{
    for (std::size_t i = 0; i < m_layout.size(); ++i) {
        if (m_layout[i].control.id == controlId) {
            if (index) *index = i;
            return m_layout[i];
        }
    }
    throw std::logic_error("no field for control " + std::to_string(controlId));
}

FieldBinding::Shown FieldBinding::current(const Field& f) const
{
    Shown s;
    const Control& c = f.control;
    switch (c.kind) {
    case Control::Kind::Edit:
    case Control::Kind::Name: s.text = m_dialog.text(c.id); break;
    case Control::Kind::ComboRow:
    case Control::Kind::ComboData: s.row = m_dialog.selectedRow(c.id); break;
    case Control::Kind::Check: s.checked = m_dialog.isChecked(c.id); break;
    case Control::Kind::Bits:
        for (int row = 0; row < std::min(32, m_dialog.rowCount(c.id)); ++row)
            if (m_dialog.isRowSelected(c.id, row)) s.bits |= 1u << row;
        break;
    }
    return s;
}

void FieldBinding::show(WorkingCopy& file, std::uint64_t recordOffset)
{
    std::uint32_t span = 0;
    for (const Field& f : m_layout) span = std::max<std::uint32_t>(span, f.offset + fieldWidth(f.type));
    m_bytes = file.read(recordOffset, span);
    const std::vector<std::uint8_t>& record = m_bytes;

    for (std::size_t i = 0; i < m_layout.size(); ++i) {
        const Field& f = m_layout[i];
        const Control& c = f.control;
        Shown& s = m_shown[i];
        s = Shown{};
        for (int b = fieldWidth(f.type) - 1; b >= 0; --b) s.stored = (s.stored << 8) | record[f.offset + b];
        const std::int64_t value = asNumber(s.stored, f.type);

        switch (c.kind) {
        case Control::Kind::Edit: m_dialog.setInt(c.id, c.conversion.toShown(value)); break;
        case Control::Kind::ComboRow: {
            const std::int64_t row = c.conversion.toShown(value);
            m_dialog.selectRow(c.id, row >= 0 && row < m_dialog.rowCount(c.id) ? static_cast<int>(row) : -1);
            break;
        }
        case Control::Kind::ComboData: {
            // Where two rows carry the same code, the later one is the one shown.
            int found = -1;
            for (int row = 0; row < m_dialog.rowCount(c.id); ++row)
                if (m_dialog.rowData(c.id, row) == s.stored) found = row;
            m_dialog.selectRow(c.id, found);
            break;
        }
        case Control::Kind::Check: m_dialog.setCheck(c.id, s.stored != 0); break;
        case Control::Kind::Bits:
            for (int row = 0; row < std::min(32, m_dialog.rowCount(c.id)); ++row)
                m_dialog.setRowSelected(c.id, row, (s.stored >> row) & 1u);
            break;
        case Control::Kind::Name: {
            const StoredName stored = readName(file, recordOffset + f.offset, c.window, m_delta);
            QLineEdit* line = m_dialog.edit(c.id);
            s.nameIsNull = stored.isNull;
            if (stored.isNull) {
                line->setMaxLength(32767);
                m_dialog.setText(c.id, m_emptyName);
                line->setReadOnly(true);
                line->setToolTip(QStringLiteral("This record has no name in the game; there is nothing to edit."));
            } else {
                const std::size_t room = storedTextLength(file, stored.target, static_cast<std::size_t>(c.cap) + 1);
                const int limit = static_cast<int>(std::min<std::size_t>(room, c.cap));
                // An empty stored text leaves no room at all: nothing can be typed.
                line->setReadOnly(limit == 0);
                line->setMaxLength(std::max(limit, 1));
                m_dialog.setText(c.id, gameText(stored.text).left(limit));
                line->setToolTip(QStringLiteral("At most %1 characters: a name is rewritten in place and "
                                                "cannot grow beyond the one stored.")
                                     .arg(limit));
            }
            if (c.offsetId) m_dialog.setText(c.offsetId, formatOffset(recordOffset + f.offset));
            break;
        }
        }
        // A stored value that no row names is said plainly rather than left blank.
        if (c.kind == Control::Kind::ComboRow || c.kind == Control::Kind::ComboData) {
            QComboBox* box = m_dialog.combo(c.id);
            box->setPlaceholderText(box->currentIndex() < 0 ? QStringLiteral("(unknown: %1)").arg(value) : QString());
        }
        // What the control really shows is what Save compares against.
        const Shown now = current(f);
        s.text = now.text;
        s.row = now.row;
        s.checked = now.checked;
        s.bits = now.bits;
    }
    m_record = recordOffset;
    m_hasRecord = true;
}

bool FieldBinding::put(const Field& f, Shown& s, WorkingCopy& file, std::uint64_t recordOffset)
{
    const Control& c = f.control;
    const Shown now = current(f);
    std::uint32_t value = s.stored;
    switch (c.kind) {
    case Control::Kind::Edit: {
        if (now.text == s.text) return false;
        const bool isSigned =
            c.parse == Control::Parse::AsField ? fieldIsSigned(f.type) : c.parse == Control::Parse::Signed;
        const std::uint32_t bitsOfText = dialogIntBits(now.text, isSigned);
        const std::int64_t typed = isSigned ? static_cast<std::int32_t>(bitsOfText) : bitsOfText;
        value = lowBits(c.conversion.toStored(typed), f.type);
        break;
    }
    case Control::Kind::ComboRow:
        if (now.row == s.row || now.row < 0) return false;
        value = lowBits(c.conversion.toStored(now.row), f.type);
        break;
    case Control::Kind::ComboData:
        if (now.row == s.row || now.row < 0) return false;
        value = lowBits(m_dialog.rowData(c.id, now.row), f.type);
        break;
    case Control::Kind::Check:
        if (now.checked == s.checked) return false;
        value = now.checked ? 1 : 0;
        break;
    case Control::Kind::Bits: {
        if (now.bits == s.bits) return false;
        const std::uint32_t mask = shownBitsMask(m_dialog.rowCount(c.id));
        value = lowBits((s.stored & ~mask) | (now.bits & mask), f.type);
        break;
    }
    case Control::Kind::Name: {
        if (now.text == s.text || s.nameIsNull) return false;
        writeName(file, recordOffset + f.offset, gameBytes(now.text.left(c.cap)), m_delta);
        s.text = now.text;
        return true;
    }
    }
    file.writeUnsigned(recordOffset + f.offset, fieldWidth(f.type), value);
    s.stored = value;
    s.text = now.text;
    s.row = now.row;
    s.checked = now.checked;
    s.bits = now.bits;
    return true;
}

int FieldBinding::save(WorkingCopy& file)
{
    if (!m_hasRecord) return 0;
    int written = 0;
    for (std::size_t i = 0; i < m_layout.size(); ++i)
        if (put(m_layout[i], m_shown[i], file, m_record)) ++written;
    return written;
}

bool FieldBinding::isChanged(int controlId) const
{
    std::size_t i = 0;
    const Field& f = fieldOf(controlId, &i);
    const Shown now = current(f);
    const Shown& s = m_shown[i];
    return now.text != s.text || now.row != s.row || now.checked != s.checked || now.bits != s.bits;
}

std::uint8_t FieldBinding::recordByte(std::uint32_t offset) const
{
    return offset < m_bytes.size() ? m_bytes[offset] : 0;
}

std::uint32_t FieldBinding::storedBits(int controlId) const
{
    std::size_t i = 0;
    fieldOf(controlId, &i);
    return m_shown[i].stored;
}

} // namespace tarvix
