#pragma once

#include "exe/Edition.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <map>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace tarvix::test {

// Where the generated samples are: the build's, unless TARVIX_SAMPLE_DIR names a copy
// (as when CI runs some tests as a user who cannot reach the build folder).
inline QString sampleDir()
{
    const QString there = qEnvironmentVariable("TARVIX_SAMPLE_DIR");
    return there.isEmpty() ? QStringLiteral(TARVIX_SAMPLE_DIR) : there;
}

// A private copy of a generated sample executable, and the bytes it held at the start,
// so a test can say exactly which bytes an action may change.
class SampleCopy {
public:
    explicit SampleCopy(const QString& edition) // "diablo" or "hellfire"
        : edition(edition == "diablo" ? kDiablo : kHellfire)
    {
        path = dir.path() + "/" + edition + "-sample.exe";
        const QString source = QStringLiteral("%1/%2-sample.exe").arg(sampleDir(), edition);
        if (!QFile::copy(source, path)) ADD_FAILURE() << "missing sample " << source.toStdString();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        before = bytes();
    }

    QByteArray bytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void poke(std::uint32_t offset, std::vector<std::uint8_t> values)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(offset);
        f.write(reinterpret_cast<const char*>(values.data()), static_cast<qint64>(values.size()));
        f.close();
        before = bytes();
    }

    void pokeLE(std::uint32_t offset, std::uint32_t value, int width = 4)
    {
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        poke(offset, bytes);
    }

    // A copy of the sample as it is now, beside it, to serve as the mod's original.
    QString keepAsOriginal() const
    {
        const QString original = dir.path() + "/original.exe";
        EXPECT_TRUE(QFile::copy(path, original));
        return original;
    }

    std::uint32_t readLE(std::uint32_t offset, int width) const
    {
        const QByteArray b = bytes();
        std::uint32_t v = 0;
        for (int i = width - 1; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[offset + i]);
        return v;
    }

    // Where the text lies that the pointer at pointerOffset leads to.
    std::uint32_t target(std::uint32_t pointerOffset) const { return readLE(pointerOffset, 4) - edition.pointerDelta; }

    // Offsets whose byte differs from the start, with the new byte.
    std::map<std::uint32_t, std::uint8_t> changes() const
    {
        std::map<std::uint32_t, std::uint8_t> diff;
        const QByteArray now = bytes();
        EXPECT_EQ(now.size(), before.size()) << "the working copy's length changed";
        for (qsizetype i = 0; i < std::min(now.size(), before.size()); ++i)
            if (now[i] != before[i]) diff[static_cast<std::uint32_t>(i)] = static_cast<std::uint8_t>(now[i]);
        return diff;
    }

    // The bytes of expected that really differ from the start (writing a byte its own
    // value changes nothing that a comparison can see).
    std::map<std::uint32_t, std::uint8_t> differing(std::map<std::uint32_t, std::uint8_t> expected) const
    {
        std::erase_if(expected, [&](const auto& kv) { return static_cast<std::uint8_t>(before[kv.first]) == kv.second; });
        return expected;
    }

    const Edition& edition;
    QTemporaryDir dir;
    QString path;
    QByteArray before;
};

// Little-endian bytes of value, for expected changes.
inline std::map<std::uint32_t, std::uint8_t> le(std::uint32_t offset, std::uint32_t value, int width)
{
    std::map<std::uint32_t, std::uint8_t> m;
    for (int i = 0; i < width; ++i) m[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return m;
}

// A message that must name each of parts.
inline void expectMentions(const QString& text, std::initializer_list<QString> parts)
{
    for (const QString& part : parts)
        EXPECT_TRUE(text.contains(part)) << text.toStdString() << " lacks " << part.toStdString();
}

// The bytes of text at offset, for expected changes; a zero byte is the caller's to add.
inline std::map<std::uint32_t, std::uint8_t> textAt(std::uint32_t offset, const QByteArray& text)
{
    std::map<std::uint32_t, std::uint8_t> m;
    for (qsizetype i = 0; i < text.size(); ++i) m[offset + static_cast<std::uint32_t>(i)] = static_cast<std::uint8_t>(text[i]);
    return m;
}

} // namespace tarvix::test
