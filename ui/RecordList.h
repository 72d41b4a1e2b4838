#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace tarvix {

class CDialog;
class WorkingCopy;

// A table whose records each hold a name pointer, as the record lists read them.
struct NamedTable {
    std::uint32_t offset;         // file offset of record 0
    int count;
    std::uint32_t recordSize;
    std::uint32_t nameField;      // offset of the name pointer within a record
    std::size_t window;           // bytes read behind the pointer
    std::uint32_t pointerDelta;
};

// Fills a list with "%i - %s" rows, one per record; a zero pointer shows nullName.
// The rows are added without raising the list's selection handler.
void FillRecordList(CDialog& dialog, int listId, WorkingCopy& file, const NamedTable& table,
                    const QString& nullName = QString());

// The game's texts are 8-bit; these are the program's two ways across.
QString gameText(const std::string& bytes);
std::string gameBytes(const QString& text);

} // namespace tarvix
