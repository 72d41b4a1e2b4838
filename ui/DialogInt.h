#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace tarvix {

// The dialog-item integer conversion: optional blanks, an optional minus sign (signed
// only), decimal digits, optional trailing blanks, and a value within 32 bits.
// Anything else does not parse.
std::optional<std::int64_t> parseDialogInt(const QString& text, bool isSigned);

// What a field stores for a text: the parsed value, or 0 when it does not parse.
// Callers keep the low 8 or 16 bits for narrower fields.
std::uint32_t dialogIntBits(const QString& text, bool isSigned);

// A whole number as a user types it: optional blanks around it, an optional sign, at
// least one decimal digit. Nothing else parses, and nothing is cut to fit.
std::optional<std::int64_t> parseWholeNumber(const QString& text);

QString formatDialogInt(std::int64_t value);
// Upper-case hexadecimal without prefix or leading zeros, as offsets are shown.
QString formatOffset(std::uint64_t offset);

} // namespace tarvix
