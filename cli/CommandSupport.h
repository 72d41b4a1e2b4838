#pragma once

#include "exe/Edition.h"
#include "tables/Access.h"

#include <cstdint>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarvix::cli {

// A command line that the command cannot make sense of; answered with its usage.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Input a command refuses, having written nothing: the message says why.
struct Refused : std::runtime_error {
    using std::runtime_error::runtime_error;
    // One line per reason, the first `shown` of them and a count of the rest.
    static Refused of(const std::string& heading, const std::vector<std::string>& reasons,
                      std::size_t shown = 40);
};

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> options; // by long name, "--format"

    std::string option(std::string_view name, std::string fallback = {}) const;
};

const tables::Table& tableNamed(std::string_view name);
// A row number of the table as placed; refuses anything else.
int rowNumber(std::string_view text, const tables::Placement& placement);
// The edition by the file's length; refuses a file of any other length.
const Edition& editionOfLength(const std::string& path, std::uint64_t length);
std::string editionName(const Edition& edition); // "Hellfire 1.01"
// "base_items row 1 name", as messages name a field.
std::string named(const tables::FieldRef& field, int row);

// Replaces path with bytes through a temporary file beside it and a rename, so that path
// holds either its old content or the whole new one. mode: permission bits of a new file.
void replaceFile(const std::string& path, std::span<const std::uint8_t> bytes, unsigned mode);
std::span<const std::uint8_t> asBytes(std::string_view text);
std::string readWholeFile(const std::string& path);
// Permission bits of an existing file (FileError naming it otherwise).
unsigned permissionsOf(const std::string& path);

// "0x1F", as offsets are written in this program: upper-case digits after 0x.
std::string hex(std::uint64_t value);

} // namespace tarvix::cli
