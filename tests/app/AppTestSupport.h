#pragma once

#include "exe/FileError.h"
#include "ui/Prompter.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace tarvix::test {

// The user at every message box and file dialog: answers from a script, keeps what
// the program showed.
class AppPrompter : public Prompter {
public:
    AppPrompter() : m_previous(Prompter::install(this)) {}
    ~AppPrompter() override { Prompter::install(m_previous); }

    std::deque<bool> answers;      // Yes = true; No once the script runs out
    std::deque<QString> fileNames; // what the next file dialogs return; "" = cancelled
    QStringList asked;             // "caption: text"
    QStringList errors, openFolders, saveInitialPaths;

    bool question(QWidget*, const QString& text, const QString& caption) override
    {
        asked << caption + ": " + text;
        return take(answers, false);
    }
    void information(QWidget*, const QString& text, const QString&) override
    {
        ADD_FAILURE() << "unexpected message: " << text.toStdString();
    }
    void fileError(QWidget*, const FileError& error) override
    {
        errors << QString::fromLocal8Bit(error.what());
    }
    QString openFileName(QWidget*, const QString& folder, const QString&, const QString&) override
    {
        openFolders << folder;
        return take(fileNames, QString());
    }
    QString saveFileName(QWidget*, const QString& initialPath, const QString&, const QString&) override
    {
        saveInitialPaths << initialPath;
        return take(fileNames, QString());
    }

private:
    template <class T> static T take(std::deque<T>& script, T none)
    {
        if (script.empty()) return none;
        T first = script.front();
        script.pop_front();
        return first;
    }
    Prompter* m_previous;
};

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

// Patterned bytes, so that a stray write shows, with a version text at offset.
inline QByteArray executable(qsizetype length, qsizetype offset, const QByteArray& version)
{
    QByteArray bytes(length, '\0');
    for (qsizetype i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(i * 7 % 251 + 1);
    return bytes.replace(offset, version.size(), version);
}

} // namespace tarvix::test
