// Commands that compare executables: diff, recipe export, recipe apply.

#include "cli/Commands.h"
#include "cli/Recipe.h"

#include "exe/WorkingCopy.h"
#include "tables/CellText.h"
#include "tables/Diff.h"
#include "tables/GameTables.h"
#include "tables/WritePlan.h"

#include <algorithm>
#include <ostream>
#include <set>
#include <tuple>

namespace tarvix::cli {

using namespace tables;

namespace {

std::string describe(const ByteRange& range)
{
    const std::uint64_t count = range.end - range.begin;
    if (count == 1) return "byte " + hex(range.begin);
    return "bytes " + hex(range.begin) + ".." + hex(range.end - 1) + " (" + std::to_string(count) + " bytes)";
}

std::string pointerText(std::uint32_t pointer)
{
    return pointer ? hex(pointer) : "0 (no text)";
}

// Both files opened for reading and read whole.
struct TwoFiles {
    WorkingCopy fileA;
    WorkingCopy fileB;
    FileImage a;
    FileImage b;

    TwoFiles(const std::string& pathA, const std::string& pathB)
        : fileA(pathA, WorkingCopy::Mode::ReadOnly), fileB(pathB, WorkingCopy::Mode::ReadOnly),
          a(checked(fileA)), b(checked(fileB))
    {
        if (&a.edition() != &b.edition())
            throw Refused(pathA + " is the " + editionName(a.edition()) + " executable, " + pathB + " the " +
                          editionName(b.edition()) + " one: only executables of one edition compare");
    }

    static WorkingCopy& checked(WorkingCopy& file)
    {
        editionOfLength(file.path(), file.length());
        return file;
    }
};

} // namespace

int diff(const Arguments& args, std::ostream& out, std::ostream&)
{
    const TwoFiles files(args.positional[0], args.positional[1]);
    const Differences differences = compare(files.a, files.b);
    std::string text;
    for (const FieldChange& change : differences.fields) {
        text += std::string(change.field.table->name) + "\t" + std::to_string(change.row) + "\t" +
                escapeText(change.rowName) + "\t" + std::string(change.field.field->name) + "\t" +
                escapeText(change.before.text) + "\t" + escapeText(change.after.text);
        if (change.retargeted())
            text += "\tpointer " + pointerText(change.before.pointer) + " -> " +
                    pointerText(change.after.pointer);
        else if (change.sameText())
            text += "\tbytes behind the text's end differ";
        text += "\n";
    }
    for (const ByteRange& range : differences.unclaimed)
        text += describe(range) + " outside every field\n";
    out << text;
    return differences.same() ? kSuccess : kDifferent;
}

int recipeExport(const Arguments& args, std::ostream& out, std::ostream&)
{
    const TwoFiles files(args.positional[0], args.positional[1]);
    const std::string& modPath = args.positional[1];
    const Differences differences = compare(files.a, files.b);

    std::vector<std::string> problems;
    for (const ByteRange& range : differences.unclaimed)
        problems.push_back(describe(range) + " differ outside every field");
    for (const FieldChange& change : differences.fields)
        if (change.retargeted())
            problems.push_back(named(change.field, change.row) + ": its pointer changed from " +
                               pointerText(change.before.pointer) + " to " +
                               pointerText(change.after.pointer) +
                               "; a recipe carries only values written in place");
    if (!problems.empty())
        throw Refused::of("cannot make a recipe of " + modPath + ": a recipe would lose these changes",
                          problems);

    Recipe recipe;
    recipe.editionTag = files.a.edition().tag;
    WritePlan plan(files.a);
    for (const FieldChange& change : differences.fields) {
        if (change.sameText()) continue; // only bytes behind the text's end differ
        recipe.changes.push_back({std::string(change.field.table->name), change.row,
                                  std::string(change.field.field->name), change.before.text,
                                  change.after.text, change.rowName});
        const std::string refusal = plan.add(change.field, change.row, change.after.text);
        if (!refusal.empty()) problems.push_back(named(change.field, change.row) + ": " + refusal);
    }
    if (problems.empty()) problems = plan.conflicts();
    // The recipe must give back every byte the game reads; what it would miss is refused
    // rather than dropped. Behind a changed text's new zero byte, inside the text the
    // original held there, the game reads nothing: earlier edits may have left other
    // characters there than the recipe's one write leaves, and that is no change.
    if (problems.empty()) {
        const std::vector<std::uint8_t> applied = plan.result();
        const auto mod = files.b.bytes();
        std::vector<bool> unread(applied.size(), false);
        for (const FieldChange& change : differences.fields) {
            const Type type = change.field.field->type;
            if (!isText(type)) continue;
            const std::vector<ByteRange> was = files.a.extent(change.field, change.row);
            if (type == Type::Pointer && was.size() < 2) continue;
            const ByteRange text = type == Type::Pointer ? was[1] : was[0];
            for (std::uint64_t i = text.begin + change.after.text.size() + 1; i < text.end; ++i) unread[i] = true;
        }
        for (std::size_t i = 0; i < applied.size(); ++i) {
            if (applied[i] == mod[i] || unread[i]) continue;
            std::size_t end = i;
            while (end < applied.size() && applied[end] != mod[end] && !unread[end])
                ++end;
            problems.push_back(describe({i, end}) + " would not come out as in " + modPath +
                               " (bytes behind the end of a text, left there by an earlier edit)");
            i = end;
        }
    }
    if (!problems.empty())
        throw Refused::of("cannot make a recipe of " + modPath + ": applied, it would not give back the file",
                          problems);

    const std::string text = recipe.format();
    const std::string output = args.option("--output");
    if (output.empty())
        out << text;
    else
        replaceFile(output, asBytes(text), 0644);
    return kSuccess;
}

int recipeApply(const Arguments& args, std::ostream& out, std::ostream&)
{
    const std::string& path = args.positional[0];
    const std::string& recipePath = args.positional[1];
    const std::string output = args.option("--output");
    const Recipe recipe = Recipe::parse(readWholeFile(recipePath), recipePath);

    WorkingCopy file(path, output.empty() ? WorkingCopy::Mode::ReadWrite : WorkingCopy::Mode::ReadOnly);
    const Edition& edition = editionOfLength(path, file.length());
    if (recipe.editionTag != edition.tag)
        throw Refused(path + " is the " + editionName(edition) + " executable; " + recipePath + " is for " +
                      editionName(*editionForTag(recipe.editionTag)) + "; nothing written");
    const FileImage image(file);
    WritePlan plan(image);

    std::vector<std::string> problems;
    std::set<std::tuple<std::string, int, std::string>> seen;
    std::size_t already = 0;
    for (const RecipeChange& change : recipe.changes) {
        const std::string where = recipePath + ":" + std::to_string(change.line) + ": ";
        const Table* table = findTable(change.table);
        const FieldRef field = table ? findField(*table, change.field) : FieldRef{};
        if (!field) {
            problems.push_back(where + "no field " + change.table + "." + change.field);
            continue;
        }
        if (change.row >= image.placement(*table).rows()) {
            problems.push_back(where + change.table + " has no row " + std::to_string(change.row));
            continue;
        }
        if (!seen.emplace(change.table, change.row, change.field).second) {
            problems.push_back(where + named(field, change.row) + " is changed twice");
            continue;
        }
        const FieldValue now = image.value(field, change.row);
        if (sameValue(*field.field, now, change.changed)) {
            ++already;
        } else if (!sameValue(*field.field, now, change.original)) {
            problems.push_back(where + named(field, change.row) + " is \"" + escapeText(now.text) +
                               "\", neither the recipe's original \"" + escapeText(change.original) +
                               "\" nor its new value \"" + escapeText(change.changed) + "\"");
            continue;
        }
        const std::string refusal = plan.add(field, change.row, change.changed);
        if (!refusal.empty()) problems.push_back(where + named(field, change.row) + ": " + refusal);
    }
    if (problems.empty()) problems = plan.conflicts();
    if (!problems.empty())
        throw Refused::of(recipePath + ": refused on " + path + ", nothing written", problems);

    if (output.empty()) {
        plan.writeTo(file);
        file.close();
    } else {
        const std::vector<std::uint8_t> bytes = plan.result();
        replaceFile(output, bytes, permissionsOf(path));
    }
    out << (output.empty() ? path : output) << ": " << plan.writeCount() << " of " << recipe.changes.size()
        << " fields changed, " << already << " already had their new values\n";
    return kSuccess;
}

} // namespace tarvix::cli
