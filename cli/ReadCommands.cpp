// Commands that only read: info, schema, dump, get.

#include "cli/Commands.h"

#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"
#include "tables/CellText.h"
#include "tables/Cells.h"
#include "tables/GameTables.h"

#include <algorithm>
#include <ostream>

namespace tarvix::cli {

using namespace tables;

namespace {

std::string jsonString(std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    std::string json(1, '"');
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            json += {'\\', c};
        else if (byte >= 0x20 && byte < 0x7F)
            json += c;
        // The game's texts are 8-bit; each byte is the Latin-1 character of its value.
        else
            json += {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
    }
    return json + '"';
}

// What each column of columnsOf() holds, for writing it as JSON.
enum class Column { Number, Derived, Text, Pointer, NullFlag };

std::vector<Column> columnKinds(const Table& table)
{
    std::vector<Column> kinds;
    if (!table.indexColumn.empty()) kinds.push_back(Column::Number);
    kinds.insert(kinds.end(), table.derived.size(), Column::Derived);
    for (const Run& run : table.runs) {
        for (const Field& field : run.fields) {
            if (field.type == Type::Pointer)
                kinds.insert(kinds.end(), {Column::Pointer, Column::NullFlag});
            else
                kinds.push_back(field.type == Type::Text ? Column::Text : Column::Number);
        }
    }
    return kinds;
}

std::string jsonRow(const std::vector<std::string>& columns, const std::vector<Column>& kinds,
                    const std::vector<std::string>& cells)
{
    std::string json = "{";
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (kinds[c] == Column::NullFlag) continue;
        if (json.size() > 1) json += ", ";
        json += jsonString(columns[c]) + ": ";
        const bool number =
            kinds[c] == Column::Number || (kinds[c] == Column::Derived && parseInteger(cells[c]));
        if (kinds[c] == Column::Pointer && cells[c + 1] == "1")
            json += "null";
        else
            json += number ? cells[c] : jsonString(cells[c]);
    }
    return json + "}";
}

struct OpenTable {
    WorkingCopy file;
    const Edition& edition;
    Placement placement;

    OpenTable(const std::string& path, const Table& table)
        : file(path, WorkingCopy::Mode::ReadOnly), edition(editionOfLength(path, file.length())),
          placement(table, edition, file)
    {
    }
};

} // namespace

int info(const Arguments& args, std::ostream& out, std::ostream&)
{
    const std::string& path = args.positional[0];
    OpenTable texts(path, kTexts);
    const FieldRef version = fieldOf(kTexts, "version_string");
    const std::string text =
        readFixedText(texts.file, texts.placement.offsetOf(version, 0), version.field->room);

    out << "file:     " << path << "\n"
        << "edition:  " << texts.edition.tag << " (" << editionName(texts.edition) << ")\n"
        << "length:   " << texts.file.length() << " bytes\n"
        << "version:  " << escapeText(text) << "\n"
        << "tables:\n";
    for (const Table* table : allTables()) {
        const Placement placement(*table, texts.edition, texts.file);
        std::string name(table->name);
        name.resize(std::max<std::size_t>(name.size(), 14), ' ');
        out << "  " << name << " " << placement.rows() << (placement.rows() == 1 ? " row\n" : " rows\n");
    }
    return kSuccess;
}

int schema(const Arguments& args, std::ostream& out, std::ostream&)
{
    const std::string& path = args.positional[0];
    WorkingCopy file(path, WorkingCopy::Mode::ReadOnly);
    const Edition& edition = editionOfLength(path, file.length());
    std::string text = "table\tfield\ttype\toffset\tstride\trows\n";
    for (const Table* table : allTables()) {
        const Placement placement(*table, edition, file);
        for (const Run& run : table->runs) {
            for (const Field& field : run.fields) {
                std::string type = typeName(field.type);
                if (field.type == Type::Text) (type += '[') += std::to_string(field.room) + ']';
                text += std::string(table->name) + "\t" + std::string(field.name) + "\t" + type + "\t" +
                        hex(placement.offsetOf({table, &run, &field}, 0)) + "\t" +
                        std::to_string(run.stride.of(edition)) + "\t" + std::to_string(placement.rows()) +
                        "\n";
            }
        }
    }
    out << text;
    return kSuccess;
}

int dump(const Arguments& args, std::ostream& out, std::ostream&)
{
    const std::string format = args.option("--format", "tsv");
    if (format != "tsv" && format != "json")
        throw UsageError("--format is tsv or json, not \"" + format + "\"");
    const Table& table = tableNamed(args.positional[1]);
    OpenTable open(args.positional[0], table);
    const std::vector<std::string> columns = columnsOf(table);
    const int rows = open.placement.rows();

    std::string text;
    if (format == "tsv") {
        auto line = [&text](const std::vector<std::string>& cells, auto&& form) {
            for (std::size_t c = 0; c < cells.size(); ++c) {
                if (c) text += '\t';
                text += form(cells[c]);
            }
            text += '\n';
        };
        line(columns, [](const std::string& name) { return name; });
        for (int row = 0; row < rows; ++row)
            line(cellsOf(open.file, open.placement, row), escapeText);
    } else {
        const std::vector<Column> kinds = columnKinds(table);
        text = "{\"table\": " + jsonString(table.name) + ", \"edition\": " + jsonString(open.edition.tag) +
               ", \"rows\": [\n";
        for (int row = 0; row < rows; ++row) {
            text += "  ";
            text += jsonRow(columns, kinds, cellsOf(open.file, open.placement, row));
            text += row + 1 < rows ? ",\n" : "\n";
        }
        text += "]}\n";
    }
    out << text;
    return kSuccess;
}

int get(const Arguments& args, std::ostream& out, std::ostream& err)
{
    const Table& table = tableNamed(args.positional[1]);
    OpenTable open(args.positional[0], table);
    const int row = rowNumber(args.positional[2], open.placement);
    const std::string& name = args.positional[3];
    const std::vector<std::string> columns = columnsOf(table);
    const auto column = std::find(columns.begin(), columns.end(), name);
    if (column == columns.end())
        throw Refused(std::string(table.name) + " has no field \"" + name +
                      "\" (tarvix-cli schema lists them)");
    const std::vector<std::string> cells = cellsOf(open.file, open.placement, row);
    const auto c = static_cast<std::size_t>(column - columns.begin());
    out << escapeText(cells[c]) << "\n";
    const FieldRef field = findField(table, name);
    if (field && field.field->type == Type::Pointer && cells[c + 1] == "1")
        err << "tarvix-cli get: " << table.name << " row " << row << " " << name
            << ": the pointer is 0, there is no text\n";
    return kSuccess;
}

} // namespace tarvix::cli
