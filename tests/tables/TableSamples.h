#pragma once

#include "exe/Edition.h"

#include <string>

namespace tarvix::test {

// The generated samples, as the table tests read them.
struct TableSample {
    const Edition* edition;
    const char* file;   // in the build's sample folder
    const char* suffix; // as the data files name the edition
};
inline const TableSample kTableSamples[] = {{&kDiablo, "diablo-sample.exe", "diablo"},
                                            {&kHellfire, "hellfire-sample.exe", "hellfire"}};

inline std::string samplePath(const TableSample& s)
{
    return std::string(TARVIX_SAMPLE_DIR) + "/" + s.file;
}

} // namespace tarvix::test
