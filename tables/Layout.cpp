#include "tables/Layout.h"

#include <stdexcept>

namespace tarvix::tables {

std::uint32_t widthOf(Type type, std::uint32_t room)
{
    switch (type) {
    case Type::U8:
    case Type::S8: return 1;
    case Type::U16:
    case Type::S16: return 2;
    case Type::U32:
    case Type::S32:
    case Type::Pointer: return 4;
    case Type::Text: return room;
    }
    return 0;
}

bool isSigned(Type type)
{
    return type == Type::S8 || type == Type::S16 || type == Type::S32;
}

bool isText(Type type)
{
    return type == Type::Pointer || type == Type::Text;
}

const char* typeName(Type type)
{
    switch (type) {
    case Type::U8: return "u8";
    case Type::S8: return "s8";
    case Type::U16: return "u16";
    case Type::S16: return "s16";
    case Type::U32: return "u32";
    case Type::S32: return "s32";
    case Type::Pointer: return "pointer";
    case Type::Text: return "text";
    }
    return "?";
}

Range rangeOf(Type type)
{
    switch (type) {
    case Type::U8: return {0, 0xFF};
    case Type::S8: return {-0x80, 0x7F};
    case Type::U16: return {0, 0xFFFF};
    case Type::S16: return {-0x8000, 0x7FFF};
    case Type::S32: return {INT32_MIN, INT32_MAX};
    case Type::U32:
    case Type::Pointer:
    case Type::Text: return {0, 0xFFFFFFFF};
    }
    return {0, 0};
}

namespace conversions {
const Conversion identity{[](std::int64_t v) { return v; }, [](std::int64_t v) { return v; }};
const Conversion doubledLevel{[](std::int64_t v) { return (v + 2) / 2; }, [](std::int64_t v) { return 2 * v - 2; }};
const Conversion timesFive{[](std::int64_t v) { return v / 5; }, [](std::int64_t v) { return 5 * v; }};
} // namespace conversions

Range shownRange(Type type, const Conversion& conversion)
{
    const Range stored = rangeOf(type);
    Range shown{conversion.toShown(stored.min), conversion.toShown(stored.max)};
    if (shown.min > shown.max) std::swap(shown.min, shown.max);
    // Rounding can carry an end one step past what still fits once stored.
    auto fits = [&](std::int64_t v) {
        const std::int64_t s = conversion.toStored(v);
        return s >= stored.min && s <= stored.max;
    };
    while (shown.min <= shown.max && !fits(shown.min)) ++shown.min;
    while (shown.max >= shown.min && !fits(shown.max)) --shown.max;
    return shown;
}

std::string FieldRef::qualifiedName() const
{
    if (!field) return {};
    return std::string(table->name) + "." + std::string(field->name);
}

FieldRef findField(const Table& table, std::string_view name)
{
    for (const Run& run : table.runs)
        for (const Field& field : run.fields)
            if (field.name == name) return {&table, &run, &field};
    return {};
}

FieldRef fieldOf(const Table& table, std::string_view name)
{
    FieldRef ref = findField(table, name);
    if (!ref)
        throw std::logic_error("table " + std::string(table.name) + " has no field \"" + std::string(name) + "\"");
    return ref;
}

} // namespace tarvix::tables
