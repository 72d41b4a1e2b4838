#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvix::cli {

// A mod as a list of field changes, made to be read, shared and kept under version
// control: UTF-8-safe text, one change per line, sorted as the tables are, so that two
// recipes compare line by line.
//
//     tarvix-recipe	1
//     edition	hell1
//     # table	row	field	original	new
//     # base_items 1: Short Sword
//     base_items	1	name	Short Sword	Short Blade
//     base_items	1	max_price	50	70
//
// Columns are separated by one tab; values are written as dump writes them (numbers in
// decimal, texts escaped). Lines starting with # and empty lines are comments.
struct RecipeChange {
    std::string table;
    int row = 0;
    std::string field;
    std::string original; // unescaped
    std::string changed;  // unescaped
    std::string rowName;  // written as a comment only
    std::size_t line = 0; // where it was read, for messages
};

struct Recipe {
    std::string editionTag;
    std::vector<RecipeChange> changes;

    std::string format() const;
    // Throws Refused naming the file and line of anything it cannot read.
    static Recipe parse(std::string_view text, const std::string& path);
};

} // namespace tarvix::cli
