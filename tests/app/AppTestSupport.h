#pragma once

#include "support/SampleCopy.h"
#include "support/ScriptedPrompter.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvix::test {

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << path.toStdString();
}

// Where two files first differ, -1 when equal: short failure messages for big files.
inline qsizetype firstDifference(const QByteArray& a, const QByteArray& b)
{
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return ia == a.end() && ib == b.end() ? -1 : ia - a.begin();
}

// Patterned bytes, so that a stray write shows; no game table in them looks like the game's.
inline QByteArray patterned(qsizetype length)
{
    QByteArray bytes(length, '\0');
    for (qsizetype i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(i * 7 % 251 + 1);
    return bytes;
}

// An executable of the given length with a version text at offset: a generated sample
// where one has that length, so that its tables look like the game's; patterned bytes
// otherwise.
inline QByteArray executable(qsizetype length, qsizetype offset, const QByteArray& version)
{
    QByteArray bytes;
    for (const char* sample : {"diablo", "hellfire"}) {
        const QByteArray sampleBytes = readAll(QStringLiteral(TARVIX_SAMPLE_DIR "/%1-sample.exe").arg(sample));
        if (sampleBytes.size() == length) bytes = sampleBytes;
    }
    if (bytes.isEmpty()) bytes = patterned(length);
    return bytes.replace(offset, version.size(), version);
}

} // namespace tarvix::test
