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

// What a terminal or a spreadsheet types is UTF-8; the game's texts are 8-bit. A character
// the game can hold is its one byte, as the editors store it; anything else is refused.
// And a text that another field also points at (or into) is refused, since writing it
// would change that field too, unless the batch writes both alike.
TEST(Set, TypedCharactersAreTheGamesBytesAndSharedTextsAreWrittenOnlyTogether)
{
    Samples files(kSamples[1]);
    const std::string clean = files.copy("mod.exe");
    ASSERT_EQ(runCli({"set", clean, "base_items", "1", "name", "\xC3\x89p\xC3\xA9\x65"}).status, 0); // Épée
    EXPECT_EQ(runCli({"get", clean, "base_items", "1", "name"}).out, "\\xC9p\\xE9e\n");
    const std::map<std::uint64_t, std::uint8_t> typed = files.changes(clean);
    for (const char* refused : {"\xE9t\xE9", "\xE2\x82\xACuro"}) { // Latin-1 bytes; the euro sign
        const Outcome set = runCli({"set", clean, "base_items", "1", "name", refused});
        EXPECT_EQ(set.status, 2);
        EXPECT_NE(set.err.find("nothing written"), std::string::npos) << set.err;
        EXPECT_EQ(files.changes(clean), typed);
    }

    // Row 2's name pointer made row 1's, then made to lead into its tail ("Sword").
    const tables::Placement base(tables::kBaseItems, kHellfire);
    const auto name = fieldOf(tables::kBaseItems, "name");
    std::vector<std::uint8_t> bytes = Samples::bytes(files.source());
    for (const int into : {0, 6}) {
        SCOPED_TRACE(into);
        std::vector<std::uint8_t> shared = bytes;
        std::uint32_t pointer = 0;
        for (int i = 3; i >= 0; --i) pointer = (pointer << 8) | shared[base.offsetOf(name, 1) + i];
        pointer += into;
        for (int i = 0; i < 4; ++i) shared[base.offsetOf(name, 2) + i] = static_cast<std::uint8_t>(pointer >> (8 * i));
        const std::string exe = files.write("shared.exe", std::string(shared.begin(), shared.end()));

        const Outcome alone = runCli({"set", exe, "base_items", "1", "name", "Short Blade"});
        EXPECT_EQ(alone.status, 2);
        EXPECT_NE(alone.err.find("base_items row 2 name: would change too"), std::string::npos) << alone.err;
        EXPECT_EQ(Samples::bytes(exe), shared);
        EXPECT_EQ(runCli({"set", exe, "base_items", "2", "name", into ? "Blade" : "Short Blade"}).status, 2);
        EXPECT_EQ(Samples::bytes(exe), shared);
    }
    const std::string exe = files.path("shared.exe");
    const std::string both = files.write("both.tsv", "index\tname\n1\tShort Blade\n2\tBlade\n");
    const Outcome together = runCli({"import", exe, "base_items", both});
    EXPECT_EQ(together.status, 0) << together.err;
    EXPECT_EQ(runCli({"get", exe, "base_items", "2", "name"}).out, "Blade\n");
}
