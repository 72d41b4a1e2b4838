// The dialog template parser on arbitrary text: it may refuse a template, naming the
// line, but never crash, read out of bounds or loop.

#include "ui/DialogTemplate.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        tarvix::DialogTemplate::parse(text, QStringLiteral("fuzz.dlg"));
    } catch (const std::runtime_error& e) {
        // Refusals name where they stopped.
        if (std::string(e.what()).rfind("fuzz.dlg:", 0) != 0) {
            std::fprintf(stderr, "invariant broken: refusal without its line: %s\n", e.what());
            std::abort();
        }
    }
    return 0;
}
