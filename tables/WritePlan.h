#pragma once

#include "tables/FileImage.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvix {
class WorkingCopy;
}

namespace tarvix::tables {

// The writes of a batch of field values (an import, a recipe, a single set), each value
// checked against its field and all of them against each other before the first byte
// reaches the file: a batch is written whole or not at all, and it writes nothing but
// the bytes of the fields whose values change.
class WritePlan {
public:
    explicit WritePlan(const FileImage& image);

    // Plans writing value (a number in decimal, or a text, unescaped) into the field of
    // row; a value equal to the stored one plans nothing. Returns why the value cannot be
    // written, or nothing when it is planned or needs no write. A text may take no more
    // room than the text stored there now (behind a pointer: its length; in place: its
    // buffer less the zero byte), and is written as its characters and one zero byte, as
    // the editors write it; a number must fit the field's type; a read-only field and a zero
    // pointer take no new value.
    std::string add(const FieldRef& field, int row, std::string_view value);

    // Fields of the plan that would not read back as their own values once every write
    // is made: two pointers of the game may share one text, which then cannot take two
    // values, nor change under a field that keeps its value.
    std::vector<std::string> conflicts() const;

    // Fields with bytes to write.
    std::size_t writeCount() const { return m_writes.size(); }
    // The image's bytes with every planned write made.
    std::vector<std::uint8_t> result() const;
    // Writes the planned bytes and nothing else.
    void writeTo(WorkingCopy& file) const;

private:
    struct Entry {
        FieldRef field;
        int row;
        std::string value;
    };
    struct Write {
        std::uint64_t offset;
        std::vector<std::uint8_t> bytes;
    };

    const FileImage* m_image;
    std::vector<Entry> m_entries; // every field added, changed or not
    std::vector<Write> m_writes;
};

} // namespace tarvix::tables
