// Reads and writes names, fixed texts and fields at arbitrary offsets, through arbitrary
// pointers, in arbitrary files. Every step is checked against a model computed from the
// file's bytes alone, and against the promises that matter most: the file keeps its
// length, and a text never reaches beyond the room of the text stored where it goes.

#include "MemoryFile.h"

#include "exe/Edition.h"
#include "exe/FileError.h"
#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

using namespace tarvix;
using tarvix::fuzz::MemoryFile;
using tarvix::fuzz::require;

namespace {

constexpr std::size_t kLookAhead = 4096; // how far storedTextLength looks by default

// The file as it should be, and what reading it should give.
struct Model {
    std::vector<std::uint8_t> bytes;

    std::uint64_t size() const { return bytes.size(); }
    // Byte i after offset; zero past the end, with no wrap-around of huge offsets.
    std::uint8_t at(std::uint64_t offset, std::uint64_t i = 0) const
    {
        return offset < size() && i < size() - offset ? bytes[offset + i] : 0;
    }
    std::uint32_t unsignedAt(std::uint64_t offset, int width) const
    {
        std::uint32_t v = 0;
        for (int i = width - 1; i >= 0; --i)
            v = (v << 8) | at(offset, static_cast<std::uint64_t>(i));
        return v;
    }
    std::string textAt(std::uint64_t offset, std::size_t window) const
    {
        std::string text;
        for (std::size_t i = 0; i < window && at(offset, i) != 0; ++i)
            text += static_cast<char>(at(offset, i));
        return text;
    }
    std::size_t storedLength(std::uint64_t offset, std::size_t limit) const
    {
        std::size_t n = 0;
        while (n < limit && offset < size() && n < size() - offset && bytes[offset + n] != 0)
            ++n;
        return n;
    }
    bool fits(std::uint64_t offset, std::uint64_t count) const
    {
        return offset <= size() && count <= size() - offset;
    }
    void put(std::uint64_t offset, const std::vector<std::uint8_t>& data)
    {
        std::copy(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    }
};

enum class Op {
    ReadName,
    WriteName,
    ReadFixed,
    WriteFixed,
    StoredLength,
    ReadBytes,
    ReadField,
    WriteField,
    WriteBytes,
    kMaxValue = WriteBytes
};

std::uint64_t pickOffset(FuzzedDataProvider& in, std::uint64_t length)
{
    // Mostly in or just past the file, where the interesting edges are; now and then anywhere.
    if (in.ConsumeProbability<float>() < 0.9f) return in.ConsumeIntegralInRange<std::uint64_t>(0, length + 8);
    return in.ConsumeIntegral<std::uint64_t>();
}

std::vector<std::uint8_t> textBytes(const std::string& text, std::size_t kept)
{
    std::vector<std::uint8_t> bytes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(kept));
    bytes.push_back(0);
    return bytes;
}

// Runs `action`, which must throw a FileError exactly when `refused`.
template <class Action> void expectRefusedWhen(bool refused, Action action, const char* what)
{
    bool threw = false;
    try {
        action();
    } catch (const FileError&) {
        threw = true;
    }
    if (threw != refused) tarvix::fuzz::broken(what);
}

// Every byte that changed lies in [first, last].
void requireChangesWithin(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
                          std::uint64_t first, std::uint64_t last, const char* what)
{
    require(before.size() == after.size(), "the file's length changed");
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) require(i >= first && i <= last, what);
}

void step(Op op, WorkingCopy& copy, WorkingCopy::Mode mode, FuzzedDataProvider& in, Model& model,
          std::uint32_t delta, const MemoryFile& file)
{
    const bool writable = mode != WorkingCopy::Mode::ReadOnly;
    const std::uint64_t offset = pickOffset(in, model.size());
    const auto before = file.contents();
    switch (op) {
    case Op::ReadName: {
        const auto window = in.ConsumeIntegralInRange<std::size_t>(0, 600);
        const StoredName name = readName(copy, offset, window, delta);
        const std::uint32_t pointer = model.unsignedAt(offset, 4);
        require(name.isNull == (pointer == 0), "readName: zero pointer");
        if (pointer == 0) {
            require(name.text.empty(), "readName: text behind a zero pointer");
        } else {
            require(name.target == pointer - delta, "readName: target");
            require(name.text == model.textAt(name.target, window), "readName: text");
        }
        break;
    }
    case Op::WriteName: {
        const std::string text = in.ConsumeRandomLengthString(80);
        const std::uint32_t pointer = model.unsignedAt(offset, 4);
        const std::uint32_t target = pointer - delta;
        const std::size_t stored = model.storedLength(target, kLookAhead);
        std::size_t room = stored;
        if (!(model.fits(target, room + 1) && model.at(target, room) == 0) && room > 0) --room;
        const std::size_t kept = std::min(room, text.size());
        const bool writes = pointer != 0;
        const bool refused = writes && (!writable || !model.fits(target, kept + 1));
        std::size_t written = 0;
        expectRefusedWhen(
            refused, [&] { written = writeName(copy, offset, text, delta); }, "writeName: refusal");
        if (writes && !refused) {
            require(written == kept, "writeName: characters written");
            model.put(target, textBytes(text, kept));
        }
        // The text and its zero byte stay within the stored text and its own zero byte
        // (or its last byte, when it has none before the end of the file).
        requireChangesWithin(before, file.contents(), target, std::uint64_t{target} + stored,
                             "writeName: wrote outside the stored text's room");
        break;
    }
    case Op::ReadFixed: {
        const auto window = in.ConsumeIntegralInRange<std::size_t>(0, 600);
        require(readFixedText(copy, offset, window) == model.textAt(offset, window), "readFixedText");
        break;
    }
    case Op::WriteFixed: {
        const std::string text = in.ConsumeRandomLengthString(80);
        const auto maxChars = in.ConsumeIntegralInRange<std::size_t>(0, 80);
        const std::size_t kept = std::min(maxChars, text.size());
        const bool refused = !writable || !model.fits(offset, kept + 1);
        expectRefusedWhen(
            refused, [&] { writeFixedText(copy, offset, text, maxChars); }, "writeFixedText: refusal");
        if (!refused) model.put(offset, textBytes(text, kept));
        if (offset < model.size())
            requireChangesWithin(before, file.contents(), offset, offset + maxChars,
                                 "writeFixedText: wrote past its cap");
        break;
    }
    case Op::StoredLength: {
        const auto limit = in.ConsumeIntegralInRange<std::size_t>(0, 5000);
        require(storedTextLength(copy, offset, limit) == model.storedLength(offset, limit),
                "storedTextLength");
        break;
    }
    case Op::ReadBytes: {
        const auto count = in.ConsumeIntegralInRange<std::size_t>(0, 600);
        std::vector<std::uint8_t> buffer(count, 0xEE);
        const std::size_t got = copy.readInto(offset, buffer);
        const std::size_t exist =
            offset < model.size() ? std::min<std::uint64_t>(count, model.size() - offset) : 0;
        require(got == exist, "readInto: count");
        for (std::size_t i = 0; i < count; ++i)
            require(buffer[i] == model.at(offset, i), "readInto: bytes and zero fill");
        break;
    }
    case Op::ReadField: {
        const int width = in.ConsumeIntegralInRange(0, 5);
        if (width < 1 || width > 4) {
            bool threw = false;
            try {
                copy.readUnsigned(offset, width);
            } catch (const std::invalid_argument&) {
                threw = true;
            }
            require(threw, "readUnsigned: width");
            break;
        }
        const std::uint32_t v = model.unsignedAt(offset, width);
        require(copy.readUnsigned(offset, width) == v, "readUnsigned");
        const int shift = 32 - 8 * width;
        require(copy.readSigned(offset, width) == static_cast<std::int32_t>(v << shift) >> shift,
                "readSigned");
        break;
    }
    case Op::WriteField: {
        const int width = in.ConsumeIntegralInRange(1, 4);
        const auto value = in.ConsumeIntegral<std::uint32_t>();
        const bool refused = !writable || !model.fits(offset, static_cast<std::uint64_t>(width));
        expectRefusedWhen(
            refused, [&] { copy.writeUnsigned(offset, width, value); }, "writeUnsigned: refusal");
        if (!refused) {
            std::vector<std::uint8_t> le;
            for (int i = 0; i < width; ++i)
                le.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
            model.put(offset, le);
        }
        break;
    }
    case Op::WriteBytes: {
        const auto bytes = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 16));
        const bool refused = !writable || !model.fits(offset, bytes.size());
        expectRefusedWhen(
            refused, [&] { copy.write(offset, bytes); }, "write: refusal");
        if (!refused) model.put(offset, bytes);
        break;
    }
    }
    require(file.length() == model.size(), "the file's length changed");
    require(file.contents() == model.bytes, "the file differs from the model");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MemoryFile file;
    FuzzedDataProvider in(data, size);

    const std::uint32_t delta = in.PickValueInArray(
        {kDiablo.pointerDelta, kHellfire.pointerDelta, in.ConsumeIntegral<std::uint32_t>()});
    Model model;
    model.bytes = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 1024));
    // Pointers that lead into the file, as the game's tables hold them, are too rare in
    // random bytes to be found by chance.
    for (int n = in.ConsumeIntegralInRange(0, 4); n > 0 && model.size() >= 4; --n) {
        const auto at = in.ConsumeIntegralInRange<std::uint64_t>(0, model.size() - 4);
        const auto target =
            static_cast<std::uint32_t>(in.ConsumeIntegralInRange<std::uint64_t>(0, model.size() + 2));
        for (int i = 0; i < 4; ++i)
            model.bytes[at + i] = static_cast<std::uint8_t>((target + delta) >> (8 * i));
    }
    file.lay(model.bytes);

    for (int cycle = 0; cycle < 8 && in.remaining_bytes() > 0; ++cycle) {
        const auto mode = in.PickValueInArray(
            {WorkingCopy::Mode::ReadOnly, WorkingCopy::Mode::WriteOnly, WorkingCopy::Mode::ReadWrite});
        // Editors open with their edition's length; now and then the file is not that long.
        const std::uint64_t expected = in.ConsumeProbability<float>() < 0.1f
                                           ? in.ConsumeIntegralInRange<std::uint64_t>(0, model.size() + 2)
                                           : model.size();
        std::optional<WorkingCopy> copy;
        expectRefusedWhen(
            expected != model.size(), [&] { copy.emplace(file.path(), mode, expected); },
            "open: expected length");
        if (!copy) continue;
        for (int n = in.ConsumeIntegralInRange(1, 8); n > 0 && in.remaining_bytes() > 0; --n)
            step(in.ConsumeEnum<Op>(), *copy, mode, in, model, delta, file);
        copy->close();
    }
    require(file.contents() == model.bytes, "the file differs from the model");
    return 0;
}
