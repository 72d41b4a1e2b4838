#include "app/CommandLine.h"

#include <string_view>

namespace tarvix {

const char* programVersion()
{
    return TARVIX_VERSION;
}

std::optional<int> answerInfoOption(int argc, const char* const* argv, std::ostream& out)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break; // what follows is a file name, whatever it looks like
        if (arg == "--help" || arg == "-h") {
            out << "Usage: tarvix [FILE]\n"
                   "Edits the game tables inside a Diablo 1.09 or Hellfire 1.01 executable.\n"
                   "\n"
                   "  FILE           the executable to open at start, as File > Load Mod does\n"
                   "  -h, --help     show this help and exit\n"
                   "  -v, --version  show the version and exit\n";
            return 0;
        }
        if (arg == "--version" || arg == "-v") {
            out << "Tarvix " << programVersion() << "\n";
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace tarvix
