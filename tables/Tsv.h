#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvix::tables {

// One data file: tab-separated, one header row, no quoting, Latin-1 kept as bytes.
class TsvTable {
public:
    // Throws std::runtime_error naming the file and line on anything malformed.
    static TsvTable load(const std::string& path);

    const std::string& path() const { return m_path; }
    std::size_t rowCount() const { return m_rows.size(); }
    bool hasColumn(std::string_view column) const;
    const std::vector<std::string>& columns() const { return m_columns; }
    // Throws when the column does not exist.
    const std::string& cell(std::size_t row, std::string_view column) const;
    // Line number of a row in the file, for messages (the header is line 1).
    std::size_t lineOf(std::size_t row) const { return m_lines.at(row); }

private:
    std::size_t columnIndex(std::string_view column) const;

    std::string m_path;
    std::vector<std::string> m_columns;
    std::vector<std::vector<std::string>> m_rows;
    std::vector<std::size_t> m_lines;
};

} // namespace tarvix::tables
