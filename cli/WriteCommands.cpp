// Commands that write fields: set, import.

#include "cli/Commands.h"

#include "exe/WorkingCopy.h"
#include "tables/CellText.h"
#include "tables/Cells.h"
#include "tables/Tsv.h"
#include "tables/WritePlan.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>

namespace tarvix::cli {

using namespace tables;

namespace {

// The stored field whose "<name>_null" column this is, if it is one.
FieldRef nullFlagOf(const Table& table, std::string_view column)
{
    constexpr std::string_view kSuffix = "_null";
    if (column.size() <= kSuffix.size() || !column.ends_with(kSuffix)) return {};
    const FieldRef field = findField(table, column.substr(0, column.size() - kSuffix.size()));
    return field && field.field->type == Type::Pointer ? field : FieldRef{};
}

const Derived* derivedNamed(const Table& table, std::string_view column)
{
    for (const Derived& d : table.derived)
        if (d.name == column) return &d;
    return nullptr;
}

// Checks the data file's columns against the table's and refuses anything it cannot place.
void checkColumns(const TsvTable& data, const Table& table)
{
    const std::vector<std::string> known = columnsOf(table);
    std::vector<std::string> problems;
    std::set<std::string> seen;
    for (const std::string& column : data.columns()) {
        if (!seen.insert(column).second)
            problems.push_back("column \"" + escapeText(column) + "\" is given twice");
        if (std::find(known.begin(), known.end(), column) == known.end())
            problems.push_back("column \"" + escapeText(column) + "\": " + std::string(table.name) +
                               " has no such column");
    }
    if (!table.indexColumn.empty() && !data.hasColumn(table.indexColumn))
        problems.push_back("no column \"" + std::string(table.indexColumn) +
                           "\", which says which row is which");
    if (!problems.empty()) throw Refused::of(data.path() + ": nothing written", problems);
}

} // namespace

int set(const Arguments& args, std::ostream& out, std::ostream&)
{
    const std::string& path = args.positional[0];
    const Table& table = tableNamed(args.positional[1]);
    WorkingCopy file(path, WorkingCopy::Mode::ReadWrite);
    editionOfLength(path, file.length());
    const FileImage image(file);
    const int row = rowNumber(args.positional[2], image.placement(table));
    const FieldRef field = findField(table, args.positional[3]);
    if (!field)
        throw Refused(std::string(table.name) + " has no field \"" + args.positional[3] +
                      "\" that can be set (tarvix-cli schema lists them)");
    if (field.field->readOnly)
        throw Refused(named(field, row) + " is read-only: the program never writes it");

    std::string value;
    try {
        value = unescapeText(args.positional[4]);
    } catch (const std::invalid_argument& e) {
        throw Refused("cannot set " + named(field, row) + ": " + e.what() + "; nothing written");
    }
    const FieldValue before = image.value(field, row);
    WritePlan plan(image);
    const std::string refusal = plan.add(field, row, value);
    if (!refusal.empty())
        throw Refused("cannot set " + named(field, row) + " to \"" + escapeText(value) + "\": " + refusal +
                      "; nothing written");
    const std::vector<std::string> conflicts = plan.conflicts();
    if (!conflicts.empty())
        throw Refused::of("cannot set " + named(field, row) + "; nothing written", conflicts);
    plan.writeTo(file);
    file.close();
    out << named(field, row) << ": " << escapeText(before.text) << " -> " << escapeText(value)
        << (plan.writeCount() ? "\n" : " (unchanged)\n");
    return kSuccess;
}

int import(const Arguments& args, std::ostream& out, std::ostream&)
{
    const std::string& path = args.positional[0];
    const Table& table = tableNamed(args.positional[1]);
    const std::string& dataPath = args.positional[2];
    readWholeFile(dataPath); // a file that cannot be read is reported with the system's reason
    const TsvTable data = TsvTable::load(dataPath);
    checkColumns(data, table);

    WorkingCopy file(path, WorkingCopy::Mode::ReadWrite);
    const Edition& edition = editionOfLength(path, file.length());
    const FileImage image(file);
    const Placement& placement = image.placement(table);
    if (table.indexColumn.empty() && data.rowCount() != static_cast<std::size_t>(placement.rows()))
        throw Refused(dataPath + ": " + std::to_string(data.rowCount()) +
                      " rows; without an index column every one of " + std::string(table.name) + "'s " +
                      std::to_string(placement.rows()) + " rows is given, in order; nothing written");

    WritePlan plan(image);
    std::vector<std::string> problems;
    std::map<int, std::size_t> lineOfRow;
    for (std::size_t r = 0; r < data.rowCount(); ++r) {
        const std::string line = dataPath + ":" + std::to_string(data.lineOf(r));
        int row = static_cast<int>(r);
        if (!table.indexColumn.empty()) {
            const std::string& index = data.cell(r, table.indexColumn);
            try {
                row = rowNumber(index, placement);
            } catch (const Refused& e) {
                problems.push_back(line + ", column " + std::string(table.indexColumn) + ": " + e.what());
                continue;
            }
            const auto [first, fresh] = lineOfRow.emplace(row, data.lineOf(r));
            if (!fresh) {
                problems.push_back(line + ": row " + index + " is given twice (first on line " +
                                   std::to_string(first->second) + ")");
                continue;
            }
        }
        const std::string where = line + " (row " + std::to_string(row) + "), column ";
        for (const std::string& column : data.columns()) {
            const std::string& cell = data.cell(r, column);
            if (column == table.indexColumn) continue;
            if (const Derived* derived = derivedNamed(table, column)) {
                const std::string own = derived->value(edition, row);
                if (cell != own)
                    problems.push_back(where + column + ": \"" + escapeText(cell) + "\", where row " +
                                       std::to_string(row) + " has \"" + own + "\"; rows cannot be moved");
                continue;
            }
            if (const FieldRef pointer = nullFlagOf(table, column)) {
                const bool isNull = image.value(pointer, row).isNull;
                if (cell != "0" && cell != "1")
                    problems.push_back(where + column + ": \"" + escapeText(cell) + "\" is neither 0 nor 1");
                else if ((cell == "1") != isNull)
                    problems.push_back(where + column + ": the pointer is " + (isNull ? "" : "not ") +
                                       "0 and cannot be changed here; only the text behind it can");
                continue;
            }
            try {
                const std::string refusal = plan.add(findField(table, column), row, unescapeText(cell));
                if (!refusal.empty()) problems.push_back(where + column + ": " + refusal);
            } catch (const std::invalid_argument& e) {
                problems.push_back(where + column + ": " + e.what());
            }
        }
    }
    if (problems.empty()) problems = plan.conflicts();
    if (!problems.empty()) throw Refused::of(dataPath + ": refused, nothing written", problems);

    plan.writeTo(file);
    file.close();
    out << plan.writeCount() << (plan.writeCount() == 1 ? " field" : " fields") << " written to " << path
        << "\n";
    return kSuccess;
}

} // namespace tarvix::cli
