#pragma once

#include "exe/FileError.h"
#include "ui/Prompter.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace tarvix::test {

// The user at every message box and file dialog: answers from a script, keeps what
// the program showed.
class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter() : m_previous(Prompter::install(this)) {}
    ~ScriptedPrompter() override { Prompter::install(m_previous); }

    std::deque<bool> answers;      // Yes = true; No once the script runs out
    std::deque<SaveAnswer> saveAnswers; // Cancel once the script runs out
    std::deque<int> choices;       // answers by index; the cancel answer once the script runs out
    std::vector<Choice> offered;   // every multiple-choice question, as asked
    std::deque<QString> fileNames; // what the next file dialogs return; "" = cancelled
    QStringList asked;             // "caption: text"
    QStringList errors, informations, openFolders, saveInitialPaths;

    SaveAnswer askSaveChanges(QWidget*, const QString& what) override
    {
        asked << "Unsaved changes: " + saveChangesText(what);
        return take(saveAnswers, SaveAnswer::Cancel);
    }
    bool question(QWidget*, const QString& text, const QString& caption) override
    {
        asked << caption + ": " + text;
        return take(answers, false);
    }
    int choose(QWidget*, const Choice& choice) override
    {
        asked << choice.caption + ": " + choice.text;
        offered.push_back(choice);
        return take(choices, choice.cancelAnswer);
    }
    void information(QWidget*, const QString& text, const QString& caption) override
    {
        informations << caption + ": " + text;
    }
    void fileError(QWidget*, const FileError& error) override
    {
        errors << QString::fromLocal8Bit(error.what());
    }
    void error(QWidget*, const QString& text) override { errors << text; }
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

} // namespace tarvix::test
