#include "exe/PointerTranslation.h"

namespace tarvix {

std::uint32_t translatePointer(std::uint32_t pointer, std::uint32_t delta)
{
    return pointer - delta;
}

std::uint32_t translateHighRangePointer(std::uint32_t pointer, std::uint32_t delta)
{
    if (pointer >= kHighRangeFirst && pointer <= kHighRangeLast) return pointer - kHighRangeDelta;
    return pointer - delta;
}

} // namespace tarvix
