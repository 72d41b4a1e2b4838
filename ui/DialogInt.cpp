#include "ui/DialogInt.h"

namespace tarvix {

std::optional<std::int64_t> parseDialogInt(const QString& text, bool isSigned)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (isSigned && i < t.size() && t[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == t.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        value = value * 10 + (t[i].unicode() - '0');
        if (value > 0xFFFFFFFFLL) return std::nullopt;
    }
    if (negative) value = -value;
    if (isSigned && (value < INT32_MIN || value > INT32_MAX)) return std::nullopt;
    return value;
}

std::uint32_t dialogIntBits(const QString& text, bool isSigned)
{
    return static_cast<std::uint32_t>(parseDialogInt(text, isSigned).value_or(0));
}

std::optional<std::int64_t> parseWholeNumber(const QString& text)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        // Far beyond any field: no need to carry on, and no overflow.
        if (value > (std::int64_t{1} << 40)) return std::nullopt;
        value = value * 10 + (t[i].unicode() - '0');
    }
    return negative ? -value : value;
}

QString formatDialogInt(std::int64_t value)
{
    return QString::number(value);
}

QString formatOffset(std::uint64_t offset)
{
    return QString::number(offset, 16).toUpper();
}

} // namespace tarvix
