#include "ui/FieldControls.h"

#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"
#include "tables/Access.h"
#include "ui/CDialog.h"
#include "ui/DialogInt.h"
#include "ui/GameText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

namespace tarvix {

using tables::Type;

// --- FieldControl

void FieldControl::setEditable(bool editable)
{
    QWidget* w = m_dialog.item(m_id);
    // An edit stays selectable and readable; lists and boxes grey out.
    if (auto* line = qobject_cast<QLineEdit*>(w)) line->setReadOnly(!editable);
    else w->setEnabled(editable);
}

QString FieldControl::describe(const OtherValue& value) const
{
    return QString::number(value.field.value);
}

void FieldControl::present(const OtherValue&) {}

// --- NumberEdit

NumberEdit::NumberEdit(CDialog& dialog, int id, const tables::FieldRef& field, const tables::Conversion& conversion)
    : FieldControl(dialog, id), m_conversion(conversion), m_type(field.field->type),
      m_range(tables::shownRange(field.field->type, conversion)),
      m_rangeText(QStringLiteral("a whole number from %1 to %2").arg(m_range.min).arg(m_range.max))
{
    QLineEdit* line = m_dialog.edit(m_id);
    line->setToolTip(QStringLiteral("Accepts %1.").arg(m_rangeText));
    m_watch = QObject::connect(line, &QLineEdit::textChanged, line, [this] { markProblem(); });
}

NumberEdit::~NumberEdit()
{
    QObject::disconnect(m_watch);
}

std::optional<std::int64_t> NumberEdit::typed() const
{
    const auto value = parseWholeNumber(m_dialog.text(m_id));
    if (!value || *value < m_range.min || *value > m_range.max) return std::nullopt;
    return value;
}

void NumberEdit::markProblem()
{
    QLineEdit* line = m_dialog.edit(m_id);
    const bool bad = changed() && !typed();
    // A red edge that reads in light and dark themes alike; the tooltip says why.
    line->setStyleSheet(bad ? QStringLiteral("QLineEdit { border: 2px solid #d32f2f; }") : QString());
    line->setToolTip(bad ? QStringLiteral("Not stored: this field accepts %1.").arg(m_rangeText)
                         : QStringLiteral("Accepts %1.").arg(m_rangeText));
}

void NumberEdit::show(const StoredField& stored, ShowContext&)
{
    m_dialog.setInt(m_id, m_conversion.toShown(stored.value));
    m_shown = m_dialog.text(m_id);
    markProblem();
}

bool NumberEdit::changed() const
{
    return m_dialog.text(m_id) != m_shown;
}

QString NumberEdit::problem() const
{
    if (typed()) return {};
    const QString text = m_dialog.text(m_id).trimmed();
    if (text.isEmpty()) return QStringLiteral("empty; it accepts %1").arg(m_rangeText);
    if (!parseWholeNumber(text)) return QStringLiteral("\"%1\" is not a number; it accepts %2").arg(text, m_rangeText);
    return QStringLiteral("%1 is out of range; it accepts %2").arg(text, m_rangeText);
}

std::uint32_t NumberEdit::encode(std::uint32_t bits) const
{
    const auto value = typed();
    if (!value) return bits;
    return tables::lowBits(m_conversion.toStored(*value), m_type);
}

QString NumberEdit::describe(const OtherValue& value) const
{
    return QString::number(m_conversion.toShown(value.field.value));
}

void NumberEdit::present(const OtherValue& value)
{
    m_dialog.setText(m_id, describe(value));
    markProblem();
}

void NumberEdit::saved()
{
    m_shown = m_dialog.text(m_id);
    markProblem();
}

// --- RowChoice and DataChoice

RowChoice::RowChoice(CDialog& dialog, int id, const tables::Conversion& conversion)
    : FieldControl(dialog, id), m_conversion(conversion)
{
}

int RowChoice::rowFor(const StoredField& stored) const
{
    const std::int64_t row = m_conversion.toShown(stored.value);
    return row >= 0 && row < m_dialog.rowCount(m_id) ? static_cast<int>(row) : -1;
}

std::uint32_t RowChoice::valueOf(int row) const
{
    return tables::lowBits(m_conversion.toStored(row), m_type);
}

void RowChoice::markUnknown(bool unknown, std::int64_t value)
{
    if (unknown)
        markUnshown(QStringLiteral("(unknown: %1)").arg(value),
                    QStringLiteral("The stored value %1 names no row here; it is kept unless you "
                                   "choose a row.")
                        .arg(value));
    else
        markUnshown({}, {});
}

void RowChoice::markUnshown(const QString& note, const QString& sentence)
{
    QWidget* w = m_dialog.item(m_id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setPlaceholderText(note);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        // A list box has no placeholder; its tooltip says what no row shows.
        list->setToolTip(sentence);
        if (!sentence.isEmpty()) list->scrollToTop();
    }
}

void RowChoice::show(const StoredField& stored, ShowContext&)
{
    m_type = stored.field.field->type;
    const int row = rowFor(stored);
    m_dialog.selectRow(m_id, row);
    if (row >= 0) {
        if (auto* list = qobject_cast<QListWidget*>(m_dialog.item(m_id)))
            list->scrollToItem(list->item(row), QAbstractItemView::PositionAtTop);
    }
    markUnknown(row < 0, stored.value);
    m_shown = m_dialog.selectedRow(m_id);
}

bool RowChoice::changed() const
{
    const int now = m_dialog.selectedRow(m_id);
    return now >= 0 && now != m_shown;
}

std::uint32_t RowChoice::encode(std::uint32_t) const
{
    return valueOf(m_dialog.selectedRow(m_id));
}

void RowChoice::saved()
{
    m_shown = m_dialog.selectedRow(m_id);
}

QString RowChoice::describe(const OtherValue& value) const
{
    const int row = rowFor(value.field);
    return row >= 0 ? m_dialog.rowText(m_id, row) : QStringLiteral("(unknown: %1)").arg(value.field.value);
}

void RowChoice::present(const OtherValue& value)
{
    // A value no row names cannot be chosen: the control keeps what it shows.
    if (const int row = rowFor(value.field); row >= 0) m_dialog.selectRow(m_id, row);
}

DataChoice::DataChoice(CDialog& dialog, int id) : RowChoice(dialog, id, tables::conversions::identity) {}

int DataChoice::rowFor(const StoredField& stored) const
{
    int found = -1;
    for (int row = 0; row < m_dialog.rowCount(m_id); ++row)
        if (m_dialog.rowData(m_id, row) == stored.bits) found = row;
    return found;
}

std::uint32_t DataChoice::valueOf(int row) const
{
    return tables::lowBits(m_dialog.rowData(m_id, row), m_type);
}

// --- CheckBox

CheckBox::CheckBox(CDialog& dialog, int id, Mode mode, std::uint32_t mask)
    : FieldControl(dialog, id), m_mode(mode), m_mask(mask)
{
}

bool CheckBox::ticks(std::uint32_t bits) const
{
    switch (m_mode) {
    case Mode::Plain: return bits != 0;
    case Mode::Masked: return (bits & m_mask) != 0;
    case Mode::Inverted: return bits == 0;
    }
    return false;
}

void CheckBox::show(const StoredField& stored, ShowContext&)
{
    m_dialog.setCheck(m_id, ticks(stored.bits));
    m_shown = m_dialog.isChecked(m_id);
}

QString CheckBox::describe(const OtherValue& value) const
{
    return ticks(value.field.bits) ? QStringLiteral("ticked") : QStringLiteral("not ticked");
}

void CheckBox::present(const OtherValue& value)
{
    m_dialog.setCheck(m_id, ticks(value.field.bits));
}

bool CheckBox::changed() const
{
    return m_dialog.isChecked(m_id) != m_shown;
}

std::uint32_t CheckBox::encode(std::uint32_t bits) const
{
    const bool ticked = m_dialog.isChecked(m_id);
    switch (m_mode) {
    case Mode::Plain: return ticked ? 1 : 0;
    case Mode::Masked: return (bits & ~m_mask) | (ticked ? m_mask : 0);
    case Mode::Inverted: return ticked ? 0 : 1;
    }
    return bits;
}

void CheckBox::saved()
{
    m_shown = m_dialog.isChecked(m_id);
}

// --- BitList

namespace {

std::uint32_t maskOfRows(int rows)
{
    return rows >= 32 ? 0xFFFFFFFFu : ((1u << rows) - 1);
}

} // namespace

std::uint32_t BitList::selectedBits() const
{
    std::uint32_t bits = 0;
    for (int row = 0; row < std::min(32, m_dialog.rowCount(m_id)); ++row)
        if (m_dialog.isRowSelected(m_id, row)) bits |= 1u << row;
    return bits;
}

void BitList::show(const StoredField& stored, ShowContext&)
{
    for (int row = 0; row < std::min(32, m_dialog.rowCount(m_id)); ++row)
        m_dialog.setRowSelected(m_id, row, (stored.bits >> row) & 1u);
    m_shown = selectedBits();
}

bool BitList::changed() const
{
    return selectedBits() != m_shown;
}

std::uint32_t BitList::encode(std::uint32_t bits) const
{
    const std::uint32_t mask = maskOfRows(m_dialog.rowCount(m_id));
    return (bits & ~mask) | (selectedBits() & mask);
}

void BitList::saved()
{
    m_shown = selectedBits();
}

QString BitList::describe(const OtherValue& value) const
{
    QStringList rows;
    for (int row = 0; row < std::min(32, m_dialog.rowCount(m_id)); ++row)
        if ((value.field.bits >> row) & 1u) rows << m_dialog.rowText(m_id, row).trimmed();
    return rows.isEmpty() ? QStringLiteral("none") : rows.join(QStringLiteral(", "));
}

void BitList::present(const OtherValue& value)
{
    for (int row = 0; row < std::min(32, m_dialog.rowCount(m_id)); ++row)
        m_dialog.setRowSelected(m_id, row, (value.field.bits >> row) & 1u);
}

// --- NameEdit

NameEdit::NameEdit(CDialog& dialog, int id, int window, int cap, int offsetId, QString nullText, Unnamed unnamed)
    : FieldControl(dialog, id), m_window(window), m_cap(cap), m_offsetId(offsetId), m_nullText(std::move(nullText)),
      m_unnamed(unnamed)
{
    QLineEdit* line = m_dialog.edit(m_id);
    line->setValidator(new GameTextValidator(line));
}

void NameEdit::show(const StoredField& stored, ShowContext& context)
{
    const StoredName name = readName(context.file, stored.offset, static_cast<std::size_t>(m_window),
                                     context.edition.pointerDelta);
    QLineEdit* line = m_dialog.edit(m_id);
    m_isNull = name.isNull;
    m_isUnnamed = name.isNull || name.text.empty();
    if (m_unnamed == Unnamed::Separator && m_isUnnamed) {
        line->setMaxLength(32767);
        m_dialog.setText(m_id, m_nullText);
        line->setReadOnly(true);
        line->setToolTip(QStringLiteral("This row has no name: it separates parts of the table and is not a "
                                        "record. Nothing of it is written."));
    } else if (name.isNull) {
        line->setMaxLength(32767);
        m_dialog.setText(m_id, m_nullText);
        line->setReadOnly(true);
        line->setToolTip(QStringLiteral("This record has no name in the game; there is nothing to edit."));
    } else {
        std::size_t room = storedTextLength(context.file, name.target, static_cast<std::size_t>(m_cap) + 1);
        // Where the original holds a longer text at the same place, the mod has shortened
        // it: its room is that text's, and a name may grow back into it.
        m_extendedRoom = 0;
        if (const OtherValue* original = context.original;
            original && !original->isNull && original->field.bits == name.pointer && original->text.size() > room) {
            room = original->text.size();
            m_extendedRoom = std::min<std::size_t>(room, static_cast<std::size_t>(m_cap));
        }
        const int limit = static_cast<int>(std::min<std::size_t>(room, static_cast<std::size_t>(m_cap)));
        limitTo(limit);
        m_dialog.setText(m_id, gameText(name.text).left(limit));
    }
    if (m_offsetId) m_dialog.setText(m_offsetId, formatOffset(stored.offset));
    m_shown = m_dialog.text(m_id);
}

bool NameEdit::changed() const
{
    return !m_isNull && !showsSeparator() && m_dialog.text(m_id) != m_shown;
}

std::string NameEdit::text() const
{
    return gameBytes(m_dialog.text(m_id).left(m_cap));
}

void NameEdit::limitTo(int limit)
{
    QLineEdit* line = m_dialog.edit(m_id);
    // An empty stored text leaves no room at all: nothing can be typed.
    line->setReadOnly(limit == 0);
    line->setMaxLength(std::max(limit, 1));
    line->setToolTip(QStringLiteral("At most %1 characters: a name is rewritten in place and "
                                    "cannot grow beyond the one stored.")
                         .arg(limit));
}

void NameEdit::saved()
{
    // The name just written is the stored one now: a shorter name leaves a smaller room,
    // unless the original's room is known.
    const auto written = static_cast<std::size_t>(std::min<qsizetype>(m_dialog.text(m_id).size(), m_cap));
    limitTo(static_cast<int>(std::max(written, m_extendedRoom)));
    m_shown = m_dialog.text(m_id);
}

QString NameEdit::describe(const OtherValue& value) const
{
    return value.isNull ? m_nullText : gameText(value.text);
}

void NameEdit::present(const OtherValue& value)
{
    if (m_isNull || value.isNull || m_dialog.edit(m_id)->isReadOnly()) return;
    m_dialog.setText(m_id, gameText(value.text).left(m_dialog.edit(m_id)->maxLength()));
}

// --- InlineTextEdit

// A stored text that fills its whole buffer has no zero byte and is shown whole, one
// character longer than may be typed: typing may only leave it exactly as stored or
// short enough for the zero byte, so that nothing typed is cut off when it is written.
class InlineTextEdit::RoomValidator : public GameTextValidator {
public:
    using GameTextValidator::GameTextValidator;
    void allow(int maxChars, const QString& stored)
    {
        m_maxChars = maxChars;
        m_stored = stored;
    }
    State validate(QString& input, int& pos) const override
    {
        if (input == m_stored) return Acceptable;
        return input.size() <= m_maxChars ? GameTextValidator::validate(input, pos) : Invalid;
    }

private:
    int m_maxChars = 0;
    QString m_stored;
};

InlineTextEdit::InlineTextEdit(CDialog& dialog, int id) : FieldControl(dialog, id)
{
    QLineEdit* line = m_dialog.edit(m_id);
    m_validator = new RoomValidator(line);
    line->setValidator(m_validator);
}

void InlineTextEdit::show(const StoredField& stored, ShowContext& context)
{
    m_room = static_cast<int>(stored.field.field->room);
    const std::string text = readFixedText(context.file, stored.offset, static_cast<std::size_t>(m_room));
    QLineEdit* line = m_dialog.edit(m_id);
    const QString shown = gameText(text);
    m_validator->allow(m_room - 1, shown);
    line->setMaxLength(std::max<int>(m_room - 1, static_cast<int>(shown.size())));
    m_dialog.setText(m_id, shown);
    line->setToolTip(QStringLiteral("At most %1 characters.").arg(m_room - 1));
    m_shown = m_dialog.text(m_id);
}

bool InlineTextEdit::changed() const
{
    return m_dialog.text(m_id) != m_shown;
}

std::string InlineTextEdit::text() const
{
    return gameBytes(m_dialog.text(m_id).left(std::max(0, m_room - 1)));
}

QString InlineTextEdit::describe(const OtherValue& value) const
{
    return gameText(value.text);
}

void InlineTextEdit::present(const OtherValue& value)
{
    m_dialog.setText(m_id, gameText(value.text).left(m_room - 1));
}

void InlineTextEdit::saved()
{
    m_shown = m_dialog.text(m_id);
}

// --- TextView

TextView::TextView(CDialog& dialog, int id, int window) : FieldControl(dialog, id), m_window(window) {}

void TextView::show(const StoredField& stored, ShowContext& context)
{
    // A pointer that leads outside the file reads as zeros: an empty text, not an error.
    const StoredName name = readName(context.file, stored.offset, static_cast<std::size_t>(m_window),
                                     context.edition.pointerDelta);
    m_dialog.setText(m_id, gameText(name.text));
}

// --- PointerChoice

PointerChoice::PointerChoice(CDialog& dialog, int id, int window)
    : RowChoice(dialog, id, tables::conversions::identity), m_window(window)
{
}

void PointerChoice::show(const StoredField& stored, ShowContext& context)
{
    m_storedText.clear();
    if (stored.bits != 0)
        m_storedText = gameText(readName(context.file, stored.offset, static_cast<std::size_t>(m_window),
                                         context.edition.pointerDelta)
                                    .text);
    RowChoice::show(stored, context);
    if (m_shown >= 0) return;
    if (stored.bits == 0)
        markUnshown(QStringLiteral("(none)"),
                    QStringLiteral("This record names none here; it keeps none unless you choose a row."));
    else
        markUnshown(QStringLiteral("(unknown: %1)").arg(m_storedText),
                    QStringLiteral("This record names \"%1\", which no row stands for; it is kept unless you "
                                   "choose a row.")
                        .arg(m_storedText));
}

int PointerChoice::rowFor(const StoredField& stored) const
{
    return rowOf(stored.bits, m_storedText);
}

int PointerChoice::rowOf(std::uint32_t pointer, const QString& text) const
{
    if (pointer == 0) return -1;
    for (int row = 0; row < m_dialog.rowCount(m_id); ++row)
        if (m_dialog.rowData(m_id, row) == pointer) return row;
    for (int row = 0; row < m_dialog.rowCount(m_id); ++row)
        if (m_dialog.rowText(m_id, row).compare(text, Qt::CaseInsensitive) == 0) return row;
    return -1;
}

QString PointerChoice::describe(const OtherValue& value) const
{
    return value.isNull ? QStringLiteral("(none)") : gameText(value.text);
}

void PointerChoice::present(const OtherValue& value)
{
    if (const int row = rowOf(value.field.bits, gameText(value.text)); row >= 0) m_dialog.selectRow(m_id, row);
}

std::uint32_t PointerChoice::valueOf(int row) const
{
    return m_dialog.rowData(m_id, row);
}

} // namespace tarvix
