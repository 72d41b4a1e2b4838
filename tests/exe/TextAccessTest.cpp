#include "ScratchDir.h"

#include "exe/Edition.h"
#include "exe/FileError.h"
#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tarvix;
using tarvix::test::bytesOf;
using tarvix::test::ScratchDir;

namespace {

constexpr std::uint32_t kDelta = kDiablo.pointerDelta;

// A little file of pointers and the texts they lead to.
class NameFile {
public:
    explicit NameFile(std::size_t length) : m_bytes(length, 0xCC) {}

    void pointer(std::size_t at, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    void pointerTo(std::size_t at, std::uint32_t target) { pointer(at, target + kDelta); }
    // text and, unless told otherwise, its zero byte
    void text(std::size_t at, const std::string& text, bool terminated = true)
    {
        std::copy(text.begin(), text.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(at));
        if (terminated) m_bytes[at + text.size()] = 0;
    }
    std::vector<std::uint8_t>& bytes() { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace

TEST(TextAccessTest, ZeroPointerReadsAsNoNameAndWritesNothing)
{
    ScratchDir dir;
    NameFile layout(32);
    layout.pointer(0, 0);
    layout.text(8, "Rags"); // what a translated zero pointer must not be mistaken for
    auto file = dir.write("mod.exe", layout.bytes());

    WorkingCopy copy(file, WorkingCopy::Mode::ReadWrite);
    StoredName name = readName(copy, 0, 20, kDelta);
    EXPECT_TRUE(name.isNull);
    EXPECT_EQ(name.text, "");
    EXPECT_EQ(writeName(copy, 0, "Grand Sword", kDelta), 0u);
    copy.close();
    EXPECT_EQ(ScratchDir::contents(file), layout.bytes());
}

TEST(TextAccessTest, ReadNameStopsAtZeroByteOrShowsTheWholeWindow)
{
    ScratchDir dir;
    NameFile layout(64);
    layout.pointerTo(0, 16);
    layout.text(16, "Short Sword");
    layout.pointerTo(4, 40);
    layout.text(40, "Fungal Tome", false); // followed by 0xCC filler, no zero byte
    layout.pointerTo(8, 61);               // text cut off by the end of the file
    layout.text(61, "Cap", false);
    auto file = dir.write("mod.exe", layout.bytes());

    WorkingCopy copy(file, WorkingCopy::Mode::ReadOnly);
    StoredName sword = readName(copy, 0, 50, kDelta);
    EXPECT_FALSE(sword.isNull);
    EXPECT_EQ(sword.target, 16u);
    EXPECT_EQ(sword.text, "Short Sword");

    EXPECT_EQ(readName(copy, 4, 6, kDelta).text, "Fungal");
    EXPECT_EQ(readName(copy, 8, 50, kDelta).text, "Cap"); // the zero fill past the end ends it

    EXPECT_EQ(readFixedText(copy, 16, 5), "Short");
    EXPECT_EQ(readFixedText(copy, 16, 50), "Short Sword");
}

TEST(TextAccessTest, WriteNameKeepsToTheRoomOfTheStoredText)
{
    ScratchDir dir;
    NameFile layout(48);
    layout.pointerTo(0, 8);
    layout.text(8, "Short Sword"); // 11 characters: the room
    layout.text(20, "Claymore");   // what the game stores next
    auto file = dir.write("mod.exe", layout.bytes());
    auto expected = layout.bytes();
    auto expectWritten = [&](std::size_t at, const std::string& text) {
        auto bytes = bytesOf(text);
        bytes.push_back(0);
        std::copy(bytes.begin(), bytes.end(), expected.begin() + static_cast<std::ptrdiff_t>(at));
        EXPECT_EQ(ScratchDir::contents(file), expected) << text;
    };

    {
        WorkingCopy copy(file, WorkingCopy::Mode::ReadWrite);
        EXPECT_EQ(writeName(copy, 0, "Sword of the Long Night", kDelta), 11u);
    }
    expectWritten(8, "Sword of th");

    {
        WorkingCopy copy(file, WorkingCopy::Mode::ReadWrite);
        EXPECT_EQ(writeName(copy, 0, "Great Sword", kDelta), 11u); // exactly the room
    }
    expectWritten(8, "Great Sword");

    {
        // An empty name is one zero byte; the old characters behind it stay.
        WorkingCopy copy(file, WorkingCopy::Mode::ReadWrite);
        EXPECT_EQ(writeName(copy, 0, "", kDelta), 0u);
        EXPECT_EQ(readName(copy, 0, 50, kDelta).text, "");
    }
    expectWritten(8, "");
    EXPECT_EQ(ScratchDir::contents(file).size(), 48u);
}

TEST(TextAccessTest, WriteNameWithoutStoredTerminatorStaysInsideTheFile)
{
    ScratchDir dir;
    NameFile layout(24);
    layout.pointerTo(0, 20);
    layout.text(20, "Helm", false); // runs to the end of the file
    auto file = dir.write("mod.exe", layout.bytes());
    {
        WorkingCopy copy(file, WorkingCopy::Mode::ReadWrite);
        EXPECT_EQ(writeName(copy, 0, "Great Helm", kDelta), 3u);
    }
    auto contents = ScratchDir::contents(file);
    ASSERT_EQ(contents.size(), 24u);
    EXPECT_EQ(std::string(contents.begin() + 20, contents.end()), std::string("Gre\0", 4));

    // A pointer that leads outside the file is refused rather than growing it.
    layout.pointerTo(0, 200);
    dir.write("mod.exe", layout.bytes());
    WorkingCopy copy(file, WorkingCopy::Mode::ReadWrite);
    EXPECT_THROW(writeName(copy, 0, "Helm", kDelta), FileError);
    copy.close();
    EXPECT_EQ(ScratchDir::contents(file), layout.bytes());
}

TEST(TextAccessTest, FixedTextIsCutToItsCapAndEndedByOneZero)
{
    ScratchDir dir;
    NameFile layout(40);
    layout.text(4, "single_%d.sv");
    auto file = dir.write("mod.exe", layout.bytes());
    auto expected = layout.bytes();
    {
        WorkingCopy copy(file, WorkingCopy::Mode::WriteOnly);
        writeFixedText(copy, 4, "a_very_long_save_name.sv", 14);
    }
    std::string written = "a_very_long_sa";
    std::copy(written.begin(), written.end(), expected.begin() + 4);
    expected[18] = 0;
    EXPECT_EQ(ScratchDir::contents(file), expected);
    {
        WorkingCopy copy(file, WorkingCopy::Mode::WriteOnly);
        writeFixedText(copy, 4, "", 14);
    }
    expected[4] = 0;
    EXPECT_EQ(ScratchDir::contents(file), expected);
}
