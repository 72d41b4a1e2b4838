// set and get on one field: what fits is written in the field's own bytes and nothing
// else; what does not fit is refused before anything is written. And the escaping that
// carries texts through dumps, sets and recipes.

#include "CliTestSupport.h"

#include "tables/Access.h"
#include "tables/CellText.h"
#include "tables/GameTables.h"

#include <random>

using namespace tarvix;
using namespace tarvix::test;
using tables::fieldOf;

TEST(Set, WritesOnlyTheFieldAndRefusesWhatDoesNotFitWritingNothing)
{
    Samples files(kSamples[1]);
    const std::string exe = files.copy("mod.exe");
    const tables::Placement base(tables::kBaseItems, kHellfire);
    const std::uint64_t minDamage = base.offsetOf(fieldOf(tables::kBaseItems, "min_damage"), 1);

    const Outcome negative = runCli({"set", exe, "base_items", "1", "min_damage", "-2"});
    EXPECT_EQ(negative.status, 0) << negative.err;
    EXPECT_EQ(negative.out, "base_items row 1 min_damage: 2 -> -2\n");
    EXPECT_EQ(files.changes(exe),
              (std::map<std::uint64_t, std::uint8_t>{{minDamage, 0xFE}, {minDamage + 1, 0xFF}}));

    const std::map<std::uint64_t, std::uint8_t> afterFirst = files.changes(exe);
    // Each type's bounds (u8 and a zero pointer: the import's bad cells, the same check).
    const std::vector<std::vector<std::string>> refused = {
        {"base_items", "1", "min_damage", "32768"},             // s16
        {"base_items", "1", "special_flags", "-1"},             // u32
        {"base_items", "1", "max_price", "2147483648"},         // s32
        {"base_items", "1", "name", "Short Swords"},            // one character over the stored text
        {"classes", "0", "name", "Warrior"},                    // read-only, even unchanged
        {"texts", "0", "version_string", std::string(64, 'v')}, // 64-byte buffer: 63 characters
        {"base_items", "1", "nosuchfield", "1"},
        {"base_items", "166", "level", "1"},
    };
    for (const auto& args : refused) {
        std::vector<std::string> line{"set", exe};
        line.insert(line.end(), args.begin(), args.end());
        const Outcome set = runCli(line);
        EXPECT_EQ(set.status, 2) << args[2] << " " << args[3];
        EXPECT_FALSE(set.err.empty());
        EXPECT_EQ(files.changes(exe), afterFirst) << args[2] << " " << args[3];
    }

    EXPECT_EQ(runCli({"set", exe, "base_items", "1", "name", "Short Blade"}).status,
              0); // as long as the stored text
    EXPECT_EQ(runCli({"set", exe, "texts", "0", "version_string", std::string(63, 'v')}).status, 0);
    EXPECT_EQ(runCli({"set", exe, "base_items", "1", "name", "--", "-Dash-"}).status, 0);
    EXPECT_EQ(runCli({"get", exe, "base_items", "1", "name"}).out, "-Dash-\n");
    EXPECT_EQ(runCli({"get", exe, "base_items", "1", "name_null"}).out, "0\n");
}

TEST(Set, TextsWithTabsNewlinesAndHighBytesRoundTripThroughTheirEscapes)
{
    Samples files(kSamples[0]);
    const std::string exe = files.copy("mod.exe");
    const std::string text = "a\tb\nc\xE9\\x41\\n\\";
    const std::string escaped = tables::escapeText(text);
    EXPECT_EQ(escaped, "a\\x09b\\x0Ac\\xE9\\x5Cx41\\n\\");
    ASSERT_EQ(runCli({"set", exe, "monsters", "0", "sound_file", escaped}).status, 0);
    EXPECT_EQ(runCli({"get", exe, "monsters", "0", "sound_file"}).out, escaped + "\n");
    EXPECT_EQ(runCli({"set", exe, "monsters", "0", "sound_file", "\\x00"}).status, 2); // a text's own end

    std::mt19937 random(std::random_device{}());
    const auto seed = random();
    random.seed(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::string tricky = "\\x0aAf9 \t\n\x7F\x80\xFF";
    for (int round = 0; round < 2000; ++round) {
        std::string any(random() % 12, ' ');
        for (char& c : any)
            c = random() % 2 ? tricky[random() % tricky.size()] : static_cast<char>(random() % 255 + 1);
        const std::string cell = tables::escapeText(any);
        ASSERT_EQ(tables::unescapeText(cell), any) << cell;
        for (char c : cell)
            ASSERT_TRUE(c >= 0x20 && c < 0x7F) << cell;
    }
}
