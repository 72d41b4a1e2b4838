// The real program's exit statuses and where its answers go.

#include "CliTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace tarvix::test;

namespace {

Outcome program(Samples& files, const std::string& args)
{
    const std::string out = files.path("stdout"), err = files.path("stderr");
    const int raw = std::system((std::string(TARVIX_CLI) + " " + args + " >" + out + " 2>" + err).c_str());
    const auto text = [](const std::string& path) {
        const auto bytes = Samples::bytes(path);
        return std::string(bytes.begin(), bytes.end());
    };
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text(out), text(err)};
}

} // namespace

TEST(Program, ExitsZeroWhenDoneOneForADifferenceTwoForUsageAndRefusals)
{
    Samples files(kSamples[1]);
    const std::string exe = files.copy("mod.exe");
    const std::string sample = files.source();

    Outcome info = program(files, "info " + exe);
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("edition:  hell1 (Hellfire 1.01)"), std::string::npos) << info.out;
    EXPECT_EQ(program(files, "diff " + sample + " " + exe).status, 0);
    EXPECT_EQ(program(files, "set " + exe + " spells 0 mana 7").status, 0);

    const Outcome diff = program(files, "diff " + sample + " " + exe);
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.out, "spells\t0\tFirebolt\tmana\t6\t7\n");

    const std::string refusedLines[] = {"set " + exe + " spells 0 mana 256",
                                        "dump " + exe,
                                        "frobnicate",
                                        "",
                                        "dump " + exe + " spells --format xml",
                                        "info " + files.path("missing.exe"),
                                        "diff " + sample + " " + files.path("missing.exe")};
    for (const std::string& refused : refusedLines) {
        const Outcome outcome = program(files, refused);
        EXPECT_EQ(outcome.status, 2) << refused;
        EXPECT_FALSE(outcome.err.empty()) << refused;
    }
    // Nothing quietly half-done: an empty -o (an unset variable in a script) is no "in
    // place", and a recipe or dump cut short by a full disk is no success.
    const std::string recipe = files.write("empty.recipe", "tarvix-recipe\t1\nedition\thell1\n");
    EXPECT_EQ(program(files, "recipe apply " + exe + " " + recipe + " -o ''").status, 2);
    EXPECT_EQ(program(files, "recipe").status, 2);
    const std::string pipe = files.path("pipe"); // -o never turns a pipe or device into a file
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(program(files, "recipe apply " + exe + " " + recipe + " -o " + pipe).status, 2);
    struct stat pipeInfo {};
    EXPECT_TRUE(::stat(pipe.c_str(), &pipeInfo) == 0 && S_ISFIFO(pipeInfo.st_mode));
    if (std::FILE* full = std::fopen("/dev/full", "w")) {
        std::fclose(full);
        const std::string command = std::string(TARVIX_CLI) + " dump " + exe + " monsters >/dev/full 2>" +
                                    files.path("stderr");
        const int raw = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 2);
        const auto err = Samples::bytes(files.path("stderr"));
        EXPECT_NE(std::string(err.begin(), err.end()).find("No space left on device"), std::string::npos);
    }

    const Outcome missing = program(files, "info " + files.path("missing.exe"));
    EXPECT_NE(missing.err.find("missing.exe for reading: No such file or directory"), std::string::npos)
        << missing.err;

    for (const char* command :
         {"info", "schema", "dump", "get", "set", "import", "diff", "recipe export", "recipe apply"}) {
        const Outcome help = program(files, std::string(command) + " --help");
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_EQ(help.out.rfind("usage: tarvix-cli " + std::string(command), 0), 0u) << help.out;
    }
}
