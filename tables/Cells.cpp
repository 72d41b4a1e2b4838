#include "tables/Cells.h"

#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"

namespace tarvix::tables {

namespace {

std::string nullColumn(const Field& field)
{
    return std::string(field.name) + "_null";
}

} // namespace

std::vector<std::string> columnsOf(const Table& table)
{
    std::vector<std::string> columns;
    if (!table.indexColumn.empty()) columns.emplace_back(table.indexColumn);
    for (const Derived& d : table.derived) columns.emplace_back(d.name);
    for (const Run& run : table.runs) {
        for (const Field& field : run.fields) {
            columns.emplace_back(field.name);
            if (field.type == Type::Pointer) columns.push_back(nullColumn(field));
        }
    }
    return columns;
}

std::vector<std::string> cellsOf(WorkingCopy& file, const Placement& placement, int row)
{
    const Table& table = placement.table();
    const RowBytes bytes = RowBytes::read(file, placement, row);
    std::vector<std::string> cells;
    if (!table.indexColumn.empty()) cells.push_back(std::to_string(row));
    for (const Derived& d : table.derived) cells.push_back(d.value(placement.edition(), row));
    for (const Run& run : table.runs) {
        for (const Field& field : run.fields) {
            const FieldRef ref{&table, &run, &field};
            switch (field.type) {
            case Type::Pointer: {
                const StoredName name =
                    readName(file, bytes.offsetOf(ref), kLongestText, placement.edition().pointerDelta);
                cells.push_back(name.text);
                cells.push_back(name.isNull ? "1" : "0");
                break;
            }
            case Type::Text: cells.push_back(bytes.inlineText(ref)); break;
            default: cells.push_back(std::to_string(bytes.value(ref))); break;
            }
        }
    }
    return cells;
}

} // namespace tarvix::tables
