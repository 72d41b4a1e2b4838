#pragma once

#include "cli/Cli.h"
#include "exe/Edition.h"
#include "exe/ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tarvix::test {

struct Sample {
    const Edition* edition;
    const char* name; // as the data files call the edition
};
inline const Sample kSamples[] = {{&kDiablo, "diablo"}, {&kHellfire, "hellfire"}};

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// The command line run in-process, as the program would run it.
inline Outcome runCli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = cli::run(args, out, err);
    return {status, out.str(), err.str()};
}

// Private copies of a sample executable in a scratch folder, each with the bytes it held
// when made, so that a test can say exactly which bytes a command may change.
class Samples {
public:
    explicit Samples(const Sample& sample) : m_sample(sample) {}

    std::string source() const
    {
        return std::string(TARVIX_SAMPLE_DIR) + "/" + m_sample.name + "-sample.exe";
    }

    std::string copy(const std::string& name)
    {
        const std::string path = m_dir.write(name, ScratchDir::contents(source()));
        EXPECT_EQ(ScratchDir::contents(path).size(), m_sample.edition->fileLength)
            << "missing sample " << source();
        return path;
    }

    std::string write(const std::string& name, const std::string& text)
    {
        return m_dir.write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    std::string path(const std::string& name) const { return m_dir.path(name); }
    static std::vector<std::uint8_t> bytes(const std::string& path) { return ScratchDir::contents(path); }

    // Offsets whose byte in `path` differs from the untouched sample, with the new byte.
    std::map<std::uint64_t, std::uint8_t> changes(const std::string& path) const
    {
        const std::vector<std::uint8_t> now = bytes(path);
        const std::vector<std::uint8_t> was = bytes(source());
        EXPECT_EQ(now.size(), was.size()) << "the file's length changed";
        std::map<std::uint64_t, std::uint8_t> diff;
        for (std::size_t i = 0; i < std::min(now.size(), was.size()); ++i)
            if (now[i] != was[i]) diff[i] = now[i];
        return diff;
    }

    const Sample& sample() const { return m_sample; }

private:
    Sample m_sample;
    ScratchDir m_dir;
};

inline std::string dataFile(const std::string& table, const Sample& sample)
{
    const std::vector<std::uint8_t> bytes =
        ScratchDir::contents(std::string(TARVIX_DATA_DIR) + "/" + table + "_" + sample.name + ".tsv");
    return {bytes.begin(), bytes.end()};
}

} // namespace tarvix::test
