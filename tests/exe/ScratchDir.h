#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace tarvix::test {

// A directory of its own per test, removed afterwards, with helpers to lay down and
// read back whole files.
class ScratchDir {
public:
    ScratchDir()
    {
        auto base = std::filesystem::temp_directory_path() / "tarvix-exe-test-XXXXXX";
        std::string pattern = base.string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch directory");
        m_dir = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_dir, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string root() const { return m_dir.string(); }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        std::string file = path(name);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    static std::vector<std::uint8_t> contents(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path m_dir;
};

// Bytes of a text without its terminator, for laying texts into test files.
inline std::vector<std::uint8_t> bytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

} // namespace tarvix::test
