#include "SampleLayout.h"

namespace tarvix::gensample {

bool holdsSmallInts(const tables::Run& run)
{
    for (const tables::Field& field : run.fields)
        for (std::string_view name : {"active", "flip_sound", "inv_sound", "block_bonus"})
            if (field.name == name) return true;
    return false;
}

} // namespace tarvix::gensample
