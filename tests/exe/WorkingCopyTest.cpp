#include "ScratchDir.h"
#include "WriteFault.h"

#include "exe/FileError.h"
#include "exe/WorkingCopy.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <numeric>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarvix;
using tarvix::test::ScratchDir;
using tarvix::test::WriteFault;

namespace {

std::vector<std::uint8_t> counting(std::size_t n)
{
    std::vector<std::uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{1});
    return bytes;
}

// Expects `action` to throw a FileError that names the file and carries `reason`
// (the system's words) both on its own and inside its message.
template <class Action>
void expectFileError(Action action, const std::string& path, const std::string& reason)
{
    try {
        action();
        ADD_FAILURE() << "no FileError for " << path;
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), path);
        EXPECT_EQ(e.reason(), reason);
        std::string message = e.what();
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
}

constexpr WorkingCopy::Mode kAllModes[] = {WorkingCopy::Mode::ReadOnly, WorkingCopy::Mode::WriteOnly,
                                           WorkingCopy::Mode::ReadWrite};

std::string changedOnDisk(std::uint64_t now, std::uint64_t expected)
{
    return "The file changed on disk: it is now " + std::to_string(now) + " bytes long instead of " +
           std::to_string(expected);
}

} // namespace

TEST(WorkingCopyTest, ReadsLittleEndianFieldsAndZeroFillsPastTheEnd)
{
    ScratchDir dir;
    auto file = dir.write("short.exe", {0x34, 0x12, 0xFE, 0xFF, 0x80, 0xAA, 0xBB});
    WorkingCopy copy(file, WorkingCopy::Mode::ReadOnly);
    EXPECT_EQ(copy.length(), 7u);

    EXPECT_EQ(copy.readUnsigned(0, 2), 0x1234u);
    EXPECT_EQ(copy.readSigned(2, 2), -2);
    EXPECT_EQ(copy.readSigned(4, 1), -128);
    EXPECT_EQ(copy.readUnsigned(4, 1), 0x80u);
    EXPECT_EQ(copy.readSigned(0, 4), static_cast<std::int32_t>(0xFFFE1234u));
    EXPECT_EQ(copy.readSigned(2, 3), -0x7F0002); // 0x80FFFE: three bytes carry their sign too
    EXPECT_EQ(copy.readSigned(0, 3), -0x1EDCC);

    // A buffer that reaches past the end keeps the bytes that exist and zeros the rest,
    // whatever it held before.
    std::vector<std::uint8_t> buffer(4, 0xEE);
    EXPECT_EQ(copy.readInto(5, buffer), 2u);
    EXPECT_EQ(buffer, (std::vector<std::uint8_t>{0xAA, 0xBB, 0, 0}));
    EXPECT_EQ(copy.readInto(50, buffer), 0u);
    EXPECT_EQ(buffer, std::vector<std::uint8_t>(4, 0));
    EXPECT_EQ(copy.readUnsigned(6, 4), 0xBBu);

    EXPECT_THROW(copy.readUnsigned(0, 5), std::invalid_argument);
    EXPECT_THROW(copy.readUnsigned(0, 0), std::invalid_argument);
}

TEST(WorkingCopyTest, WritesStayInsideTheFileAndNeverChangeItsLength)
{
    ScratchDir dir;
    const auto original = counting(16);
    auto file = dir.write("mod.exe", original);
    const std::vector<std::uint8_t> four{0xA1, 0xA2, 0xA3, 0xA4};
    {
        WorkingCopy copy(file, WorkingCopy::Mode::ReadWrite);
        // Straddling the end, starting at the end, or lying beyond it: all refused whole.
        EXPECT_THROW(copy.write(14, four), FileError);
        EXPECT_THROW(copy.write(16, std::vector<std::uint8_t>{0}), FileError);
        EXPECT_THROW(copy.writeUnsigned(100, 1, 0), FileError);
        EXPECT_THROW(copy.writeUnsigned(0, 8, 0), std::invalid_argument);
    }
    EXPECT_EQ(ScratchDir::contents(file), original);

    {
        WorkingCopy copy(file, WorkingCopy::Mode::WriteOnly);
        copy.write(12, four);                 // ends exactly at the end
        copy.writeUnsigned(0, 2, 0xFFFFBEEF); // low bytes only
        copy.close();
    }
    auto expected = original;
    expected[0] = 0xEF;
    expected[1] = 0xBE;
    std::copy(four.begin(), four.end(), expected.begin() + 12);
    EXPECT_EQ(ScratchDir::contents(file), expected);

    {
        // Opened for reading only, a write is refused before it reaches the file.
        WorkingCopy copy(file, WorkingCopy::Mode::ReadOnly);
        EXPECT_THROW(copy.writeUnsigned(0, 1, 0), FileError);
    }
    EXPECT_EQ(ScratchDir::contents(file), expected);
}

TEST(WorkingCopyTest, DirectoryIsNotAWorkingCopy)
{
    // Refused whoever runs the test, unlike a read-only file.
    ScratchDir dir;
    const std::string folder = dir.path("folder.exe");
    std::filesystem::create_directory(folder);
    expectFileError([&] { WorkingCopy copy(folder, WorkingCopy::Mode::ReadOnly); }, folder,
                    "Not a regular file");
    expectFileError([&] { WorkingCopy copy(folder, WorkingCopy::Mode::ReadWrite); }, folder,
                    std::strerror(EISDIR));
}

TEST(WorkingCopyTest, ReadOnlyFileRefusesWritingButOpensForReading)
{
    ScratchDir dir;
    const auto original = counting(8);
    auto file = dir.write("mod.exe", original);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);

    {
        WorkingCopy copy(file, WorkingCopy::Mode::ReadOnly);
        EXPECT_EQ(copy.readUnsigned(0, 1), 1u);
    }
    // Permissions bind everyone but a privileged user, who may write regardless.
    if (::access(file.c_str(), W_OK) == 0) GTEST_SKIP() << "file permissions are not enforced for this user";
    for (auto mode : {WorkingCopy::Mode::WriteOnly, WorkingCopy::Mode::ReadWrite})
        expectFileError([&] { WorkingCopy copy(file, mode); }, file, std::strerror(EACCES));
    EXPECT_EQ(ScratchDir::contents(file), original);
}

TEST(WorkingCopyTest, FileOfAnotherLengthIsNeitherReadNorWritten)
{
    ScratchDir dir;
    const auto original = counting(16);
    auto file = dir.write("mod.exe", original);
    for (auto mode : kAllModes) {
        WorkingCopy copy(file, mode, 16);
        EXPECT_EQ(copy.length(), 16u);
    }
    // Replaced by a file of another length (the other edition's executable, say): every
    // offset an editor holds would be wrong for it.
    for (auto mode : kAllModes) {
        expectFileError([&] { WorkingCopy copy(file, mode, 20); }, file, changedOnDisk(16, 20));
        expectFileError([&] { WorkingCopy copy(file, mode, 12); }, file, changedOnDisk(16, 12));
    }
    EXPECT_EQ(ScratchDir::contents(file), original);

    // Cut short by another program while a cycle has it open: a write inside the old
    // length but past the new end would lengthen the file again, and one inside both
    // would finish a save of which the rest is lost.
    {
        WorkingCopy copy(file, WorkingCopy::Mode::ReadWrite, 16);
        ASSERT_EQ(::truncate(file.c_str(), 10), 0);
        expectFileError([&] { copy.writeUnsigned(12, 2, 0xBEEF); }, file, changedOnDisk(10, 16));
        expectFileError([&] { copy.writeUnsigned(0, 2, 0xBEEF); }, file, changedOnDisk(10, 16));
    }
    EXPECT_EQ(ScratchDir::contents(file), std::vector<std::uint8_t>(original.begin(), original.begin() + 10));

    // Grown, likewise; the two-argument form holds it to its length at opening.
    dir.write("mod.exe", original);
    {
        WorkingCopy copy(file, WorkingCopy::Mode::WriteOnly);
        ASSERT_EQ(::truncate(file.c_str(), 17), 0);
        expectFileError([&] { copy.writeUnsigned(0, 1, 0xAA); }, file, changedOnDisk(17, 16));
    }
    auto grown = original;
    grown.push_back(0);
    EXPECT_EQ(ScratchDir::contents(file), grown);
}

TEST(WorkingCopyTest, FifoIsRefusedWithoutWaitingForAPartner)
{
    ScratchDir dir;
    const std::string fifo = dir.path("mod.exe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    // Opening a FIFO for reading alone waits until someone opens it for writing. Should
    // the open wait, this guard plays that partner after a while so that the test ends
    // and fails rather than hanging the run.
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::atomic<bool> partnered{false};
    std::thread guard([&] {
        std::unique_lock lock(mutex);
        if (finished.wait_for(lock, std::chrono::seconds(30), [&] { return done; })) return;
        partnered = true;
        const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
        finished.wait(lock, [&] { return done; });
        if (fd >= 0) ::close(fd);
    });
    for (auto mode : kAllModes)
        expectFileError([&] { WorkingCopy copy(fifo, mode); }, fifo, "Not a regular file");
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_all();
    guard.join();
    EXPECT_FALSE(partnered) << "opening the FIFO waited for a partner";
}

TEST(WorkingCopyTest, EmptyReadsAndWritesTouchNothing)
{
    ScratchDir dir;
    const auto original = counting(8);
    auto file = dir.write("mod.exe", original);
    {
        WorkingCopy copy(file, WorkingCopy::Mode::ReadWrite);
        // An empty buffer has no storage: what would go wrong with it, the sanitizer
        // build sees even where the result looks right.
        EXPECT_TRUE(copy.read(3, 0).empty());
        EXPECT_TRUE(copy.read(100, 0).empty());
        EXPECT_EQ(copy.readInto(8, {}), 0u);
        copy.write(8, {}); // at the very end: nothing lies outside the file
        copy.write(0, {});
        EXPECT_THROW(copy.write(9, {}), FileError);
        copy.close();
    }
    EXPECT_EQ(ScratchDir::contents(file), original);
}

TEST(WorkingCopyTest, ShortWritesAreFinishedAndAFieldNeverStaysHalfWritten)
{
    using Step = WriteFault::Step;
    ScratchDir dir;
    const auto original = counting(16);
    const std::vector<std::uint8_t> field{0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6};
    auto file = dir.write("mod.exe", original);
    auto withField = original;
    std::copy(field.begin(), field.end(), withField.begin() + 4);

    for (auto mode : {WorkingCopy::Mode::WriteOnly, WorkingCopy::Mode::ReadWrite}) {
        SCOPED_TRACE(mode == WorkingCopy::Mode::WriteOnly ? "write-only" : "read-write");
        dir.write("mod.exe", original);
        {
            // The system may take a field in several pieces.
            WorkingCopy copy(file, mode, 16);
            WriteFault fault(dir.root(), {Step::writes(1), Step::writes(2)});
            copy.write(4, field);
            EXPECT_EQ(fault.calls(), 3u);
        }
        EXPECT_EQ(ScratchDir::contents(file), withField);

        // A disk that takes half the field and then fails: the half is taken back.
        dir.write("mod.exe", original);
        {
            WorkingCopy copy(file, mode, 16);
            WriteFault fault(dir.root(), {Step::writes(3), Step::fails(ENOSPC)});
            expectFileError([&] { copy.write(4, field); }, file, std::strerror(ENOSPC));
        }
        EXPECT_EQ(ScratchDir::contents(file), original);

        // A system that writes nothing and says no more would loop for ever.
        {
            WorkingCopy copy(file, mode, 16);
            WriteFault fault(dir.root(), {Step::writes(2), Step::writes(0)});
            expectFileError([&] { copy.write(4, field); }, file, "The system wrote nothing");
        }
        EXPECT_EQ(ScratchDir::contents(file), original);
    }

    // When even the old bytes cannot go back, the message says so: the field is not
    // what it was, and the user must not believe otherwise.
    {
        WorkingCopy copy(file, WorkingCopy::Mode::ReadWrite, 16);
        WriteFault fault(dir.root(), {Step::writes(3)}, Step::fails(EIO));
        expectFileError([&] { copy.write(4, field); }, file,
                        std::string(std::strerror(EIO)) +
                            ", and the old bytes at offset 0x4 could not be put back: " + std::strerror(EIO));
    }
    auto halfWritten = original;
    std::copy(field.begin(), field.begin() + 3, halfWritten.begin() + 4);
    EXPECT_EQ(ScratchDir::contents(file), halfWritten);
}
