#include "tables/WritePlan.h"

#include "exe/PointerTranslation.h"
#include "exe/WorkingCopy.h"
#include "tables/CellText.h"
#include "tables/GameTables.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace tarvix::tables {

namespace {

// A text as the editors write it: its characters and one zero byte. What the old text
// leaves behind the new zero byte is kept, as a dialog's Save keeps it: the game reads no
// further, and another pointer may lead into the tail of a text.
std::vector<std::uint8_t> terminated(std::string_view text)
{
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

std::string quoted(std::string_view text)
{
    std::string q(1, '"');
    q += escapeText(text);
    q += '"';
    return q;
}

std::string roomMessage(std::size_t length, std::size_t room, const char* whose)
{
    return "a text of " + std::to_string(length) + " characters, room for " + std::to_string(room) + " (" +
           whose + ")";
}

} // namespace

WritePlan::WritePlan(const FileImage& image) : m_image(&image) {}

std::string WritePlan::add(const FieldRef& field, int row, std::string_view value)
{
    const Field& f = *field.field;
    const FieldValue stored = m_image->value(field, row);
    m_entries.push_back({field, row, std::string(value)});
    if (sameValue(f, stored, value)) return {};
    if (f.readOnly) return "read-only: the program never writes this field";

    const std::uint64_t at = m_image->placement(*field.table).offsetOf(field, row);
    const std::uint64_t size = m_image->bytes().size();
    if (isText(f.type) && value.find('\0') != std::string_view::npos) return "a text cannot hold a zero byte";

    if (f.type == Type::Pointer) {
        if (stored.isNull) return "no text to change: the pointer is 0";
        const std::uint64_t target = translatePointer(stored.pointer, m_image->edition().pointerDelta);
        // The text's own bytes and its zero byte are all the room there is: behind them
        // lies whatever the game stores next.
        const auto extent = m_image->extent(field, row);
        const std::uint64_t taken = extent.size() > 1 ? extent[1].end - extent[1].begin : 0;
        const bool hasZero = taken > stored.text.size();
        const std::size_t room = hasZero ? stored.text.size() : (taken > 0 ? taken - 1 : 0);
        if (target >= size) return "its pointer leads outside the file";
        if (value.size() > room)
            return roomMessage(value.size(), room, "the length of the text stored there now");
        m_writes.push_back({target, terminated(value)});
        return {};
    }
    if (f.type == Type::Text) {
        const std::size_t room = f.room - 1;
        if (value.size() > room) return roomMessage(value.size(), room, "its buffer less the zero byte");
        m_writes.push_back({at, terminated(value)});
        return {};
    }

    const auto number = parseInteger(value);
    if (!number) return quoted(value) + " is not a whole number";
    const Range range = rangeOf(f.type);
    if (*number < range.min || *number > range.max)
        return std::to_string(*number) + " is outside " + std::to_string(range.min) + ".." +
               std::to_string(range.max) + " (" + typeName(f.type) + ")";
    const std::uint32_t bits = lowBits(*number, f.type);
    std::vector<std::uint8_t> bytes(widthOf(f.type));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    if (at + bytes.size() > size) return "the field lies outside the file";
    m_writes.push_back({at, std::move(bytes)});
    return {};
}

std::vector<std::uint8_t> WritePlan::result() const
{
    const auto original = m_image->bytes();
    std::vector<std::uint8_t> bytes(original.begin(), original.end());
    for (const Write& w : m_writes)
        std::copy(w.bytes.begin(), w.bytes.end(), bytes.begin() + w.offset);
    return bytes;
}

std::vector<std::string> WritePlan::conflicts() const
{
    std::vector<std::string> found;
    if (m_writes.empty()) return found;
    const std::vector<std::uint8_t> after = result();
    for (const Entry& e : m_entries) {
        const FieldValue now = valueIn(after, m_image->placement(*e.field.table), e.field, e.row);
        if (sameValue(*e.field.field, now, e.value)) continue;
        std::string message = std::string(e.field.table->name) + " row " + std::to_string(e.row) + " " +
                              std::string(e.field.field->name) + ": would read " + quoted(now.text);
        message += ", not " + quoted(e.value) +
                   ", once the other writes are made (it shares bytes with "
                   "another field, such as one text behind two pointers)";
        found.push_back(std::move(message));
    }

    // A text that a field outside the batch also points at (or into) would change under
    // it. The game reads one text for both, so the batch must say so by writing both.
    std::set<std::tuple<const Field*, int>> planned;
    for (const Entry& e : m_entries) planned.emplace(e.field.field, e.row);
    const auto before = m_image->bytes();
    for (const Table* table : allTables()) {
        const Placement& placement = m_image->placement(*table);
        for (const Run& run : table->runs) {
            for (const Field& field : run.fields) {
                if (field.type != Type::Pointer) continue;
                const FieldRef ref{table, &run, &field};
                for (int row = 0; row < placement.rows(); ++row) {
                    if (planned.contains({&field, row})) continue;
                    const FieldValue was = valueIn(before, placement, ref, row);
                    const FieldValue now = valueIn(after, placement, ref, row);
                    if (sameValue(was, now)) continue;
                    found.push_back(std::string(table->name) + " row " + std::to_string(row) + " " +
                                    std::string(field.name) + ": would change too, from " + quoted(was.text) +
                                    " to " + quoted(now.text) +
                                    ", as it shares its text with a field written here (write both to the "
                                    "same value in one import or recipe, or leave the text alone)");
                }
            }
        }
    }
    return found;
}

void WritePlan::writeTo(WorkingCopy& file) const
{
    for (const Write& w : m_writes)
        file.write(w.offset, w.bytes);
}

} // namespace tarvix::tables
