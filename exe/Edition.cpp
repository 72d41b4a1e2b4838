#include "exe/Edition.h"

namespace tarvix {

const Edition* editionForLength(std::uint64_t length)
{
    if (length == kDiablo.fileLength) return &kDiablo;
    if (length == kHellfire.fileLength) return &kHellfire;
    return nullptr;
}

const Edition* editionForTag(std::string_view tag)
{
    if (tag == kDiablo.tag) return &kDiablo;
    if (tag == kHellfire.tag) return &kHellfire;
    return nullptr;
}

} // namespace tarvix
