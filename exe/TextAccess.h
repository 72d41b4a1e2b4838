#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvix {

class WorkingCopy;

// A text reached through a 4-byte pointer in a record.
struct StoredName {
    bool isNull = true;        // the pointer is 0: there is no text and nothing may be written
    std::string text;          // the window up to its first zero byte (the whole window if none)
    std::uint32_t target = 0;  // file offset of the text (pointer translated)
    std::uint32_t pointer = 0; // the pointer as stored, for a record re-pointed to this text
};

// Names are 8-bit texts; the window is the number of bytes the caller looks at.
StoredName readName(WorkingCopy& file, std::uint64_t pointerOffset, std::size_t window, std::uint32_t delta);

// Bytes of the text stored at offset, up to (not including) its zero byte: the room a
// new text may take without touching what the game stores behind it.
std::size_t storedTextLength(WorkingCopy& file, std::uint64_t offset, std::size_t limit = 4096);

// Writes text and one zero byte at the pointer's target, cut to the room of the text
// stored there. A zero pointer writes nothing. Returns the characters written.
std::size_t writeName(WorkingCopy& file, std::uint64_t pointerOffset, std::string_view text, std::uint32_t delta);
// The same into a room the caller knows to be the text's own (the text the original
// executable holds at that place, where the mod has shortened it since): at most room
// characters and the zero byte.
std::size_t writeNameWithin(WorkingCopy& file, std::uint64_t pointerOffset, std::string_view text,
                            std::uint32_t delta, std::size_t room);

// Texts stored at a fixed offset rather than behind a pointer.
std::string readFixedText(WorkingCopy& file, std::uint64_t offset, std::size_t window);
// Writes at most maxChars characters and one zero byte.
void writeFixedText(WorkingCopy& file, std::uint64_t offset, std::string_view text, std::size_t maxChars);

} // namespace tarvix
