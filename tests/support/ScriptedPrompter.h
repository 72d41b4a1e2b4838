#pragma once

#include "exe/FileError.h"
#include "ui/Prompter.h"

#include <QString>
#include <QStringList>

#include <deque>

namespace tarvix::test {

// Answers what the program asks, from a script, and records what it said.
class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter() { m_previous = Prompter::install(this); }
    ~ScriptedPrompter() override { Prompter::install(m_previous); }

    std::deque<bool> answers;         // question(): Yes = true; No when the script runs out
    std::deque<QString> fileNames;    // open/save dialogs; "" = cancelled
    QStringList questions;            // texts asked
    QStringList informations;
    QStringList fileErrors;           // messages shown for file errors

    bool question(QWidget*, const QString& text, const QString&) override
    {
        questions << text;
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void information(QWidget*, const QString& text, const QString&) override { informations << text; }
    void fileError(QWidget*, const FileError& error) override { fileErrors << QString::fromLocal8Bit(error.what()); }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return next(); }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return next(); }

private:
    QString next()
    {
        if (fileNames.empty()) return {};
        QString f = fileNames.front();
        fileNames.pop_front();
        return f;
    }
    Prompter* m_previous = nullptr;
};

} // namespace tarvix::test
