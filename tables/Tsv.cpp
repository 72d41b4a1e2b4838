#include "tables/Tsv.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarvix::tables {

namespace {

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return cells;
}

} // namespace

TsvTable TsvTable::load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot open");
    TsvTable table;
    table.m_path = path;
    std::string line;
    std::size_t lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // Spreadsheets saving "UTF-8 text" often start the file with a byte-order mark;
        // it belongs to no cell.
        if (lineNo == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (line.empty()) continue;
        auto cells = splitTabs(line);
        if (table.m_columns.empty()) {
            table.m_columns = std::move(cells);
            continue;
        }
        if (cells.size() != table.m_columns.size()) {
            std::ostringstream msg;
            msg << path << ":" << lineNo << ": " << cells.size() << " cells, header has "
                << table.m_columns.size();
            throw std::runtime_error(msg.str());
        }
        table.m_rows.push_back(std::move(cells));
        table.m_lines.push_back(lineNo);
    }
    if (table.m_columns.empty()) throw std::runtime_error(path + ": no header row");
    return table;
}

bool TsvTable::hasColumn(std::string_view column) const
{
    return std::find(m_columns.begin(), m_columns.end(), column) != m_columns.end();
}

std::size_t TsvTable::columnIndex(std::string_view column) const
{
    auto it = std::find(m_columns.begin(), m_columns.end(), column);
    if (it == m_columns.end())
        throw std::runtime_error(m_path + ": no column \"" + std::string(column) + "\"");
    return static_cast<std::size_t>(it - m_columns.begin());
}

const std::string& TsvTable::cell(std::size_t row, std::string_view column) const
{
    return m_rows.at(row)[columnIndex(column)];
}

} // namespace tarvix::tables
