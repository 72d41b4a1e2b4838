#include "exe/TextAccess.h"

#include "exe/PointerTranslation.h"
#include "exe/WorkingCopy.h"

#include <algorithm>
#include <vector>

namespace tarvix {

namespace {

std::string upToZero(const std::vector<std::uint8_t>& bytes)
{
    auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

} // namespace

StoredName readName(WorkingCopy& file, std::uint64_t pointerOffset, std::size_t window, std::uint32_t delta)
{
    StoredName name;
    std::uint32_t pointer = file.readUnsigned(pointerOffset, 4);
    if (pointer == 0) return name;
    name.isNull = false;
    name.pointer = pointer;
    name.target = translatePointer(pointer, delta);
    name.text = upToZero(file.read(name.target, window));
    return name;
}

std::size_t storedTextLength(WorkingCopy& file, std::uint64_t offset, std::size_t limit)
{
    if (offset >= file.length()) return 0;
    std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(limit, file.length() - offset));
    auto bytes = file.read(offset, count);
    auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return static_cast<std::size_t>(zero - bytes.begin());
}

std::size_t writeName(WorkingCopy& file, std::uint64_t pointerOffset, std::string_view text, std::uint32_t delta)
{
    std::uint32_t pointer = file.readUnsigned(pointerOffset, 4);
    if (pointer == 0) return 0;
    std::uint32_t target = translatePointer(pointer, delta);
    std::size_t room = storedTextLength(file, target);
    // A stored text with no zero byte before the end of the file (or of the look-ahead)
    // has no terminator of its own to overwrite: ours takes its last byte instead, so the
    // write stays inside the stored bytes.
    bool terminated = target + room < file.length() && file.readUnsigned(target + room, 1) == 0;
    if (!terminated && room > 0) --room;
    std::string_view kept = text.substr(0, std::min(room, text.size()));
    std::vector<std::uint8_t> bytes(kept.begin(), kept.end());
    bytes.push_back(0);
    file.write(target, bytes);
    return kept.size();
}

std::size_t writeNameWithin(WorkingCopy& file, std::uint64_t pointerOffset, std::string_view text,
                            std::uint32_t delta, std::size_t room)
{
    std::uint32_t pointer = file.readUnsigned(pointerOffset, 4);
    if (pointer == 0) return 0;
    std::string_view kept = text.substr(0, std::min(room, text.size()));
    std::vector<std::uint8_t> bytes(kept.begin(), kept.end());
    bytes.push_back(0);
    file.write(translatePointer(pointer, delta), bytes);
    return kept.size();
}

std::string readFixedText(WorkingCopy& file, std::uint64_t offset, std::size_t window)
{
    return upToZero(file.read(offset, window));
}

void writeFixedText(WorkingCopy& file, std::uint64_t offset, std::string_view text, std::size_t maxChars)
{
    std::string_view kept = text.substr(0, std::min(maxChars, text.size()));
    std::vector<std::uint8_t> bytes(kept.begin(), kept.end());
    bytes.push_back(0);
    file.write(offset, bytes);
}

} // namespace tarvix
