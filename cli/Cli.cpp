#include "cli/Cli.h"

#include "cli/Commands.h"
#include "tables/CellText.h"

#include <algorithm>
#include <ostream>

namespace tarvix::cli {

namespace {

struct Command {
    std::string_view name;
    std::string_view synopsis;
    std::string_view summary;
    std::string_view details;
    std::vector<std::string_view> valueOptions; // long names; -o stands for --output
    std::size_t arguments;
    int (*run)(const Arguments&, std::ostream&, std::ostream&);
};

constexpr std::string_view kValues =
    "Values are written as dump writes them: numbers in decimal, signed where the field is;\n"
    "texts as their characters, with every byte outside printable ASCII (tab, newline, bytes\n"
    "from 0x7F up) as \\xHH. A backslash stands for itself (Sfx\\Misc\\Walk1.wav), except\n"
    "that \\x5C is written for one that \\x and two hex digits follow.\n";

const std::vector<Command>& commands()
{
    static const std::vector<Command> list = {
        {"info",
         "FILE",
         "edition, length, version string, tables and rows",
         "Prints the edition (found by the file's length), the length, the version string and\n"
         "every table with its row count.\n",
         {},
         1,
         info},
        {"schema",
         "FILE",
         "every field: type, offset in row 0, stride, rows",
         "Prints one tab-separated line per field of every table, under a header: table,\n"
         "field, type (u8 s8 u16 s16 u32 s32, pointer for a text behind a pointer, text[N] for\n"
         "a text in a buffer of N bytes), the file offset of the field in row 0, the stride\n"
         "between rows and the row count. Row i's field lies at offset + i x stride. A table\n"
         "found through a pointer is placed as FILE's pointer says.\n",
         {},
         1,
         schema},
        {"dump",
         "FILE TABLE [--format tsv|json]",
         "every row of a table",
         "Prints every row of TABLE. TSV (the default) has a header of column names and one\n"
         "line per row, in the form of the sample data files: the row index first, then the\n"
         "fields in row order, and beside each pointer a column <name>_null that is 1 when the\n"
         "pointer is 0 (there is no text) and 0 otherwise. JSON gives each row as an object,\n"
         "with null for a zero pointer.\n\n",
         {"--format"},
         2,
         dump},
        {"get",
         "FILE TABLE ROW FIELD",
         "one field's value",
         "Prints one column of one row as dump prints it.\n\n",
         {},
         4,
         get},
        {"set",
         "FILE TABLE ROW FIELD VALUE",
         "write one field",
         "Writes VALUE into one field, and nothing else. Refused, with nothing written: a\n"
         "number outside the field's type, a text longer than its room (behind a pointer: the\n"
         "length of the text stored there now; in place: its buffer less the zero byte), a\n"
         "read-only field, a zero pointer, a text that another field shares. A text is written\n"
         "as its characters and one zero byte, as the editors write it; what the old text\n"
         "leaves behind that byte stays (the game reads no further). Put -- before a VALUE\n"
         "that starts with a dash and is not a number.\n\n",
         {},
         5,
         set},
        {"import",
         "FILE TABLE TSVFILE",
         "write the cells of a dump that differ",
         "Reads TSVFILE in the form dump writes and writes the cells that differ from FILE.\n"
         "Every cell is checked first: one bad cell refuses the whole import and nothing is\n"
         "written; each bad cell is named by line, row and column. Rows are told apart by the\n"
         "index column (a table without one takes all its rows, in order); rows and columns\n"
         "that are missing are left alone; unknown columns are refused.\n\n",
         {},
         3,
         import},
        {"diff",
         "A B",
         "the fields two executables differ in",
         "Prints one tab-separated line per field whose value differs: table, row, the row's\n"
         "name (where the table has one), field, value in A, value in B, and where a pointer\n"
         "itself changed, the two pointers. Bytes that differ outside every field follow as\n"
         "offset ranges. Exit status 0 when A and B are the same, 1 when they differ.\n\n",
         {},
         2,
         diff},
        {"recipe export",
         "ORIGINAL MOD [-o RECIPE]",
         "the changes of a mod as a recipe",
         "Writes a recipe: the edition and, for every field MOD changes, its table, row, field,\n"
         "original and new value, one per line. Refused when MOD differs from ORIGINAL in a way\n"
         "a recipe cannot carry: bytes outside every field, a pointer moved, anything the\n"
         "game reads that applying the recipe to ORIGINAL would not give back. (Characters\n"
         "an earlier edit left behind a text's zero byte are not read, and not carried.)\n"
         "The recipe goes to standard output, or to RECIPE.\n\n"
         "A recipe is text: a line \"tarvix-recipe\", tab, 1; a line \"edition\", tab, diablo7\n"
         "or hell1; then one line per change with table, row, field, original and new value\n"
         "between tabs. Lines that start with # are comments.\n\n",
         {"--output"},
         2,
         recipeExport},
        {"recipe apply",
         "FILE RECIPE [-o OUT]",
         "apply a recipe",
         "Applies RECIPE to FILE in place, or writes the result to OUT and leaves FILE as it\n"
         "is. Refused, with nothing written: a FILE of another edition, and every field whose\n"
         "value is neither the recipe's original nor its new value. Fields that already hold\n"
         "their new value are left alone, so applying a recipe twice changes nothing more.\n\n",
         {"--output"},
         2,
         recipeApply},
    };
    return list;
}

void overview(std::ostream& out)
{
    out << "usage: tarvix-cli COMMAND ARGUMENTS...\n\n"
           "Reads and edits the data tables inside a Diablo 1.09 or Hellfire 1.01 executable.\n"
           "Never changes a byte it is not asked to, nor the file's length.\n\n"
           "Commands:\n";
    std::size_t width = 0;
    for (const Command& c : commands())
        width = std::max(width, c.name.size() + c.synopsis.size() + 5);
    for (const Command& c : commands()) {
        std::string line = "  " + std::string(c.name) + " " + std::string(c.synopsis);
        line.resize(width, ' ');
        out << line << c.summary << "\n";
    }
    out << "\ntarvix-cli COMMAND --help tells more. Exit status: 0 done, 1 the files differ (diff),\n"
           "2 a usage error or refused input (nothing written).\n";
}

void usage(std::ostream& out, const Command& c)
{
    out << "usage: tarvix-cli " << c.name << " " << c.synopsis << "\n";
}

void help(std::ostream& out, const Command& c)
{
    usage(out, c);
    out << "\n" << c.details;
    if (c.details.ends_with("\n\n")) out << kValues;
}

// Options may come anywhere; "--" ends them, so that a value may start with a dash.
// A word that reads as a negative number is a value, not an option.
Arguments parse(const Command& c, const std::vector<std::string>& words, bool& wantsHelp)
{
    Arguments args;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-' || tables::parseInteger(word)) {
            args.positional.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word == "-h" || word == "--help") {
            wantsHelp = true;
            continue;
        }
        std::string value;
        bool inlineValue = false;
        if (const std::size_t eq = word.find('='); word.starts_with("--") && eq != std::string::npos) {
            value = word.substr(eq + 1);
            word.resize(eq);
            inlineValue = true;
        }
        if (word == "-o") word = "--output";
        if (std::find(c.valueOptions.begin(), c.valueOptions.end(), word) == c.valueOptions.end())
            throw UsageError("unknown option " + words[i]);
        if (!inlineValue) {
            if (i + 1 >= words.size()) throw UsageError(words[i] + " needs a value");
            value = words[++i];
        }
        // An empty value is a mistake (an unset variable in a script), never a choice:
        // -o "" must not quietly mean "in place".
        if (value.empty()) throw UsageError(words[i - (inlineValue ? 0 : 1)] + " needs a value, not an empty one");
        args.options[word] = value;
    }
    return args;
}

} // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        overview(err);
        return kRefused;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        if (args.size() == 1) {
            overview(out);
            return kSuccess;
        }
        std::vector<std::string> rest(args.begin() + 1, args.end());
        rest.push_back("--help");
        return run(rest, out, err);
    }

    std::size_t words = 1;
    std::string name = args[0];
    if (name == "recipe" && args.size() > 1 && !args[1].starts_with("-")) {
        name += " " + args[1];
        words = 2;
    }
    const Command* command = nullptr;
    for (const Command& c : commands())
        if (c.name == name) command = &c;
    if (!command && name == "recipe") {
        const bool wantsHelp = args.size() > 1 && (args[1] == "--help" || args[1] == "-h");
        std::ostream& to = wantsHelp ? out : err;
        if (!wantsHelp) to << "tarvix-cli recipe: export or apply?\n";
        for (const Command& c : commands()) {
            if (!c.name.starts_with("recipe ")) continue;
            if (wantsHelp) {
                help(to, c);
                to << "\n";
            } else {
                usage(to, c);
            }
        }
        return wantsHelp ? kSuccess : kRefused;
    }
    if (!command) {
        err << "tarvix-cli: no command \"" << name << "\"\n\n";
        overview(err);
        return kRefused;
    }

    try {
        bool wantsHelp = false;
        const Arguments parsed =
            parse(*command, {args.begin() + static_cast<std::ptrdiff_t>(words), args.end()}, wantsHelp);
        if (wantsHelp) {
            help(out, *command);
            return kSuccess;
        }
        if (parsed.positional.size() != command->arguments)
            throw UsageError(std::to_string(command->arguments) +
                             (command->arguments == 1 ? " argument expected, " : " arguments expected, ") +
                             std::to_string(parsed.positional.size()) + " given");
        return command->run(parsed, out, err);
    } catch (const UsageError& e) {
        err << "tarvix-cli " << command->name << ": " << e.what() << "\n";
        usage(err, *command);
        err << "(tarvix-cli " << command->name << " --help tells more)\n";
    } catch (const std::exception& e) {
        // Refusals, file errors (which name the file and the system's reason) and
        // malformed data files all end the command the same way: nothing was written.
        err << "tarvix-cli " << command->name << ": " << e.what() << "\n";
    }
    return kRefused;
}

} // namespace tarvix::cli
