#include "cli/Recipe.h"

#include "cli/CommandSupport.h"
#include "exe/Edition.h"
#include "tables/CellText.h"

namespace tarvix::cli {

namespace {

constexpr std::string_view kMagic = "tarvix-recipe";
constexpr std::string_view kVersion = "1";

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> cells;
    for (;;) {
        const std::size_t tab = line.find('\t');
        cells.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return cells;
        line.remove_prefix(tab + 1);
    }
}

} // namespace

std::string Recipe::format() const
{
    using tables::escapeText;
    std::string text = std::string(kMagic) + "\t" + std::string(kVersion) + "\n";
    text += "edition\t" + editionTag + "\n";
    text += "# table\trow\tfield\toriginal\tnew\n";
    const RecipeChange* previous = nullptr;
    for (const RecipeChange& c : changes) {
        if (!previous || previous->table != c.table || previous->row != c.row) {
            text += "# " + c.table + " " + std::to_string(c.row);
            if (!c.rowName.empty()) text += ": " + escapeText(c.rowName);
            text += "\n";
        }
        text += c.table + "\t" + std::to_string(c.row) + "\t" + c.field + "\t" + escapeText(c.original) +
                "\t" + escapeText(c.changed) + "\n";
        previous = &c;
    }
    return text;
}

Recipe Recipe::parse(std::string_view text, const std::string& path)
{
    Recipe recipe;
    bool sawMagic = false;
    std::size_t lineNo = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // A text editor may have saved the recipe with a byte-order mark in front.
        if (lineNo == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        if (line.empty() || line.front() == '#') continue;

        const std::string where = path + ":" + std::to_string(lineNo) + ": ";
        const std::vector<std::string_view> cells = splitTabs(line);
        if (!sawMagic) {
            if (cells.size() != 2 || cells[0] != kMagic)
                throw Refused(where + "not a Tarvix recipe (it starts with \"tarvix-recipe\", a tab and 1)");
            if (cells[1] != kVersion)
                throw Refused(where + "a recipe of format " + std::string(cells[1]) +
                              "; this program reads format 1");
            sawMagic = true;
            continue;
        }
        if (recipe.editionTag.empty()) {
            if (cells.size() != 2 || cells[0] != "edition" || !editionForTag(cells[1]))
                throw Refused(where + "expected \"edition\", a tab and diablo7 or hell1");
            recipe.editionTag = cells[1];
            continue;
        }
        if (cells.size() != 5)
            throw Refused(where + std::to_string(cells.size()) +
                          " columns; a change has five: table, row, field, original, new");
        RecipeChange change;
        change.table = cells[0];
        change.field = cells[2];
        const auto row = tables::parseInteger(cells[1]);
        if (!row || *row < 0 || *row > 0xFFFF)
            throw Refused(where + "\"" + std::string(cells[1]) + "\" is not a row");
        change.row = static_cast<int>(*row);
        try {
            change.original = tables::unescapeText(cells[3]);
            change.changed = tables::unescapeText(cells[4]);
        } catch (const std::invalid_argument& e) {
            throw Refused(where + e.what());
        }
        change.line = lineNo;
        recipe.changes.push_back(std::move(change));
    }
    if (recipe.editionTag.empty()) throw Refused(path + ": not a Tarvix recipe (no edition line)");
    return recipe;
}

} // namespace tarvix::cli
