// Recipes: the changes of a randomly edited copy, exported and applied to a clean copy,
// give back the edited file byte for byte; whatever a recipe cannot carry or apply is
// refused with nothing written.

#include "CliTestSupport.h"

#include "exe/WorkingCopy.h"
#include "tables/CellText.h"
#include "tables/FileImage.h"
#include "tables/GameTables.h"

#include <cstdlib>
#include <random>
#include <set>

using namespace tarvix;
using namespace tarvix::test;

namespace {

std::uint32_t seedOfThisRun()
{
    if (const char* given = std::getenv("TARVIX_SEED")) return static_cast<std::uint32_t>(std::stoul(given));
    return std::random_device{}();
}

// One random edit through set of a field not edited yet: a number anywhere in its type's
// range, a text no longer than the one stored, with tabs, newlines, backslashes and high
// bytes among its characters.
void editAtRandom(const std::string& exe, std::mt19937& random, std::set<std::string>& edited)
{
    using namespace tables;
    const auto pick = [&](std::size_t count) { return static_cast<std::size_t>(random() % count); };
    for (;;) {
        const auto tablesList = allTables();
        const Table& table = *tablesList[pick(tablesList.size())];
        const Run& run = table.runs[pick(table.runs.size())];
        const Field& field = run.fields[pick(run.fields.size())];
        if (field.readOnly) continue;
        WorkingCopy file(exe, WorkingCopy::Mode::ReadOnly);
        const FileImage image(file);
        const int row = static_cast<int>(pick(static_cast<std::size_t>(image.placement(table).rows())));
        const FieldValue now = image.value({&table, &run, &field}, row);
        if (now.isNull) continue;
        if (!edited.insert(std::string(table.name) + "." + std::to_string(row) + "." + std::string(field.name)).second)
            continue;

        std::string value;
        if (isText(field.type)) {
            const std::size_t room = field.type == Type::Text ? field.room - 1 : now.text.size();
            static const std::string kChars = "\\x0aF \t\nAbc%\xE9\x7F";
            value.resize(room ? pick(room + 1) : 0);
            for (char& c : value)
                c = kChars[pick(kChars.size())];
        } else {
            const Range range = rangeOf(field.type);
            value = std::to_string(std::uniform_int_distribution<std::int64_t>(range.min, range.max)(random));
        }
        const Outcome set = runCli({"set", exe, std::string(table.name), std::to_string(row),
                                    std::string(field.name), "--", escapeText(value)});
        ASSERT_EQ(set.status, 0) << set.err;
        return;
    }
}

} // namespace

TEST(Recipe, OfRandomEditsAppliedToACleanCopyGivesTheEditedFileByteForByte)
{
    const std::uint32_t seed = seedOfThisRun();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (TARVIX_SEED=" + std::to_string(seed) +
                 " repeats this run)");
    std::mt19937 random(seed);
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        Samples files(sample);
        const std::string edited = files.copy("edited.exe");
        std::set<std::string> fields;
        for (int i = 0; i < 60; ++i)
            ASSERT_NO_FATAL_FAILURE(editAtRandom(edited, random, fields));

        const std::string recipe = files.path("mod.recipe");
        const Outcome exported = runCli({"recipe", "export", files.source(), edited, "-o", recipe});
        ASSERT_EQ(exported.status, 0) << exported.err;
        const std::string clean = files.copy("clean.exe");
        const std::string out = files.path("out.exe");
        const Outcome applied = runCli({"recipe", "apply", clean, recipe, "-o", out});
        ASSERT_EQ(applied.status, 0) << applied.err;
        EXPECT_EQ(Samples::bytes(out), Samples::bytes(edited));
        EXPECT_TRUE(files.changes(clean).empty());

        const Outcome again = runCli({"recipe", "apply", out, recipe});
        EXPECT_EQ(again.status, 0) << again.err;
        EXPECT_NE(again.out.find(": 0 of "), std::string::npos) << again.out;
        EXPECT_EQ(Samples::bytes(out), Samples::bytes(edited));

        // The same recipe saved by a text editor with a byte-order mark and CRLF line ends.
        std::string resaved = "\xEF\xBB\xBF";
        for (const std::uint8_t c : Samples::bytes(recipe))
            resaved += c == '\n' ? std::string("\r\n") : std::string(1, static_cast<char>(c));
        const Outcome fromEditor = runCli({"recipe", "apply", out, files.write("resaved.recipe", resaved)});
        EXPECT_EQ(fromEditor.status, 0) << fromEditor.err;
        EXPECT_NE(fromEditor.out.find(": 0 of "), std::string::npos) << fromEditor.out;
    }
}

TEST(Recipe, ATextEditedTwiceGivesBackItsValueThoughNotItsUnreadBytes)
{
    Samples files(kSamples[0]);
    const std::string mod = files.copy("mod.exe");
    // Short Sword, then Blade, then Bo: "Bo", its zero, then "de" and " Sword" never read.
    ASSERT_EQ(runCli({"set", mod, "base_items", "1", "name", "Blade"}).status, 0);
    ASSERT_EQ(runCli({"set", mod, "base_items", "1", "name", "Bo"}).status, 0);
    const std::string recipe = files.path("mod.recipe");
    const Outcome exported = runCli({"recipe", "export", files.source(), mod, "-o", recipe});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string out = files.path("out.exe");
    ASSERT_EQ(runCli({"recipe", "apply", files.copy("clean.exe"), recipe, "-o", out}).status, 0);
    EXPECT_EQ(runCli({"get", out, "base_items", "1", "name"}).out, "Bo\n");
    // Only bytes no text of either file reaches differ: no field does.
    const Outcome diff = runCli({"diff", mod, out});
    EXPECT_EQ(diff.out.find("base_items"), std::string::npos) << diff.out;
}

TEST(Recipe, ConflictsOtherEditionsAndWhatARecipeCannotCarryWriteNothing)
{
    Samples files(kSamples[1]);
    const std::string mod = files.copy("mod.exe");
    ASSERT_EQ(runCli({"set", mod, "base_items", "1", "level", "5"}).status, 0);
    ASSERT_EQ(runCli({"set", mod, "monsters", "3", "hp_first", "30"}).status, 0);
    const std::string recipe = files.path("mod.recipe");
    ASSERT_EQ(runCli({"recipe", "export", files.source(), mod, "-o", recipe}).status, 0);

    const std::string other = files.copy("other.exe");
    ASSERT_EQ(runCli({"set", other, "base_items", "1", "level", "9"}).status, 0);
    const std::vector<std::uint8_t> before = Samples::bytes(other);
    const Outcome conflict = runCli({"recipe", "apply", other, recipe});
    EXPECT_EQ(conflict.status, 2);
    EXPECT_NE(
        conflict.err.find("base_items row 1 level is \"9\", neither the recipe's original \"2\" nor its new "
                          "value \"5\""),
        std::string::npos)
        << conflict.err;
    EXPECT_EQ(Samples::bytes(other), before);

    Samples diablo(kSamples[0]);
    const std::string wrong = diablo.copy("diablo.exe");
    const Outcome edition = runCli({"recipe", "apply", wrong, recipe, "-o", diablo.path("out.exe")});
    EXPECT_EQ(edition.status, 2);
    EXPECT_NE(edition.err.find("is for Hellfire 1.01"), std::string::npos) << edition.err;
    EXPECT_TRUE(diablo.changes(wrong).empty());
    EXPECT_FALSE(std::filesystem::exists(diablo.path("out.exe")));

    // Bytes outside every field, and a pointer moved to another text.
    std::vector<std::uint8_t> bytes = Samples::bytes(mod);
    bytes[0x3E8] ^= 1;
    const tables::Placement base(tables::kBaseItems, kHellfire);
    const std::uint64_t pointer = base.offsetOf(tables::fieldOf(tables::kBaseItems, "name"), 2);
    bytes[pointer] += 1;
    const std::string odd = files.write("odd.exe", std::string(bytes.begin(), bytes.end()));
    const Outcome cannot = runCli({"recipe", "export", files.source(), odd, "-o", files.path("odd.recipe")});
    EXPECT_EQ(cannot.status, 2);
    EXPECT_NE(cannot.err.find("byte 0x3E8 differ outside every field"), std::string::npos) << cannot.err;
    EXPECT_NE(cannot.err.find("base_items row 2 name: its pointer changed"), std::string::npos) << cannot.err;
    EXPECT_FALSE(std::filesystem::exists(files.path("odd.recipe")));

    const Outcome diff = runCli({"diff", files.source(), odd});
    EXPECT_EQ(diff.status, 1);
    EXPECT_NE(diff.out.find("base_items\t1\tShort Sword\tlevel\t2\t5\n"), std::string::npos) << diff.out;
    EXPECT_NE(diff.out.find("byte 0x3E8 outside every field\n"), std::string::npos) << diff.out;
}
