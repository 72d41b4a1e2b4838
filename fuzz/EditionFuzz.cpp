// Edition detection as loading does it: open the file, take its length, pick the
// edition; then the tag lookups and the pointer translations every editor relies on.

#include "MemoryFile.h"

#include "exe/Edition.h"
#include "exe/FileError.h"
#include "exe/PointerTranslation.h"
#include "exe/WorkingCopy.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

using namespace tarvix;
using tarvix::fuzz::MemoryFile;
using tarvix::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MemoryFile file;
    FuzzedDataProvider in(data, size);

    // Lengths at and around the two editions' are where a mistake would show.
    const std::uint64_t near = in.PickValueInArray({kDiablo.fileLength, kHellfire.fileLength});
    const auto length = in.ConsumeBool() ? near + in.ConsumeIntegralInRange<std::uint64_t>(0, 4) - 2
                                         : in.ConsumeIntegralInRange<std::uint64_t>(0, 1u << 20);
    file.setLength(length);
    const Edition* edition = nullptr;
    {
        WorkingCopy copy(file.path(), WorkingCopy::Mode::ReadOnly);
        require(copy.length() == length, "length at opening");
        edition = editionForLength(copy.length());
    }
    require((edition != nullptr) == (length == kDiablo.fileLength || length == kHellfire.fileLength),
            "editionForLength: which lengths are editions");
    if (edition) {
        require(edition->fileLength == length, "editionForLength: the edition's own length");
        require(editionForTag(edition->tag) == edition, "the edition's tag leads back to it");
        // A working copy opened for this edition takes exactly that length.
        WorkingCopy same(file.path(), WorkingCopy::Mode::ReadWrite, edition->fileLength);
        const Edition& other = edition == &kDiablo ? kHellfire : kDiablo;
        bool refused = false;
        try {
            WorkingCopy wrong(file.path(), WorkingCopy::Mode::ReadOnly, other.fileLength);
        } catch (const FileError&) {
            refused = true;
        }
        require(refused, "a working copy of the other edition's length opened");
    }

    const std::uint64_t anyLength = in.ConsumeIntegral<std::uint64_t>();
    const Edition* byLength = editionForLength(anyLength);
    require(byLength == (anyLength == kDiablo.fileLength     ? &kDiablo
                         : anyLength == kHellfire.fileLength ? &kHellfire
                                                             : nullptr),
            "editionForLength");

    const std::string tag = in.ConsumeRandomLengthString(16);
    const Edition* byTag = editionForTag(tag);
    require(byTag == (tag == "diablo7" ? &kDiablo : tag == "hell1" ? &kHellfire : nullptr), "editionForTag");
    const auto picked = byEdition<int>(tag, 1, 2);
    require(picked.has_value() == (byTag != nullptr), "byEdition: known tags only");
    if (picked) require(*picked == (byTag == &kDiablo ? 1 : 2), "byEdition: the tag's own value");

    const auto pointer = in.ConsumeIntegral<std::uint32_t>();
    const auto delta = in.ConsumeIntegral<std::uint32_t>();
    require(translatePointer(pointer, delta) == static_cast<std::uint32_t>(pointer - delta),
            "translatePointer");
    const bool high = pointer >= 0x47A3F0u && pointer <= 0x4833FFu;
    require(translateHighRangePointer(pointer, delta) ==
                static_cast<std::uint32_t>(pointer - (high ? 0x401600u : delta)),
            "translateHighRangePointer");
    return 0;
}
