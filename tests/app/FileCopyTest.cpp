#include "app/FileCopy.h"
#include "exe/FileError.h"

#include "exe/ScratchDir.h"
#include "exe/WriteFault.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

using namespace tarvix;
using tarvix::test::ScratchDir;
using tarvix::test::WriteFault;
using Step = WriteFault::Step;

namespace {

// Big enough that the copy takes several writes.
std::vector<std::uint8_t> patterned(std::size_t n)
{
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 % 251 + 1);
    return bytes;
}

QString q(const std::string& path)
{
    return QString::fromStdString(path);
}

// The message copyFile gives, or "" when it succeeds.
std::string copyMessage(const std::string& source, const std::string& target)
{
    try {
        copyFile(q(source), q(target));
    } catch (const FileError& e) {
        return e.what();
    }
    return {};
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(FileCopyTest, FullDiskSaysSoAndKeepsTheOlderFile)
{
    ScratchDir dir;
    const auto game = patterned(300 * 1024);
    const std::string source = dir.write("diablo.exe", game);
    std::filesystem::create_directory(dir.path("mods"));
    const std::string target = dir.write("mods/mod.exe", {'o', 'l', 'd'});
    const std::string expected = "Cannot copy " + source + " to " + target + ": " + std::strerror(ENOSPC);

    const std::vector<std::vector<Step>> disks{
        {},                                // full from the start
        {Step::writes(1000)},              // room for a little, taken in a short write
        {Step::passes(), Step::writes(7)}, // room for more than one block
    };
    for (const auto& plan : disks) {
        WriteFault full(dir.path("mods"), plan, Step::fails(ENOSPC));
        EXPECT_EQ(copyMessage(source, target), expected) << plan.size();
        EXPECT_GT(full.calls(), plan.size());
    }
    EXPECT_EQ(ScratchDir::contents(target), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(namesIn(dir.path("mods")), std::vector<std::string>{"mod.exe"});

    // A disk that takes the copy in short pieces still gets all of it.
    {
        WriteFault slow(dir.path("mods"), {Step::writes(1), Step::writes(4095), Step::writes(10000)});
        EXPECT_EQ(copyMessage(source, target), "");
    }
    EXPECT_EQ(ScratchDir::contents(target), game);
}

TEST(FileCopyTest, ReadOnlyFolderIsNamedAsTheReason)
{
    ScratchDir dir;
    const std::string source = dir.write("diablo.exe", patterned(1000));
    const std::string folder = dir.path("locked");
    std::filesystem::create_directory(folder);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    // Permissions bind everyone but a privileged user, who may write regardless.
    if (::access(folder.c_str(), W_OK) == 0)
        GTEST_SKIP() << "folder permissions are not enforced for this user";

    const std::string target = folder + "/mod.exe";
    EXPECT_EQ(copyMessage(source, target), "Cannot copy " + source + " to " + target +
                                               ": cannot create a temporary file in " + folder + ": " +
                                               std::strerror(EACCES));
    EXPECT_TRUE(namesIn(folder).empty());
}
