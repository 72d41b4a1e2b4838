#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tarvix {

class FileError;

// Everything modal that the user answers goes through here, so that tests can
// install a scripted stand-in and drive the real dialogs offscreen.
class Prompter {
public:
    virtual ~Prompter() = default;

    enum class SaveAnswer { Save, Discard, Cancel };
    // "Save changes to <what>?" with Save (the default), Discard and Cancel.
    virtual SaveAnswer askSaveChanges(QWidget* owner, const QString& what) = 0;

    // Yes/No with a question icon; true for Yes.
    virtual bool question(QWidget* owner, const QString& text, const QString& caption) = 0;

    // A question with one button per answer, in the order given.
    struct Choice {
        QString caption;
        QString text;
        QStringList answers;
        int defaultAnswer = 0; // the one Enter chooses
        int cancelAnswer = 0;  // the one Escape and the close box choose: it must change nothing
    };
    // The index of the answer chosen.
    virtual int choose(QWidget* owner, const Choice& choice) = 0;

    virtual void information(QWidget* owner, const QString& text, const QString& caption) = 0;
    // A stop-icon box naming the file and the system's reason.
    virtual void fileError(QWidget* owner, const FileError& error) = 0;
    // A stop-icon box for a failure that is not a file error: a file the program refuses,
    // or a fault of the program.
    virtual void error(QWidget* owner, const QString& text) = 0;
    // filter uses the Windows form "Description|*.ext||"; empty result = cancelled.
    virtual QString openFileName(QWidget* owner, const QString& folder, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    // The platform asks before an existing file is overwritten.
    virtual QString saveFileName(QWidget* owner, const QString& initialPath, const QString& filter,
                                 const QString& defaultSuffix) = 0;

    static Prompter& current();
    // Makes prompter current (nullptr restores the Qt one); returns the previous one.
    static Prompter* install(Prompter* prompter);
};

// The real one: QMessageBox and QFileDialog.
class QtPrompter : public Prompter {
public:
    SaveAnswer askSaveChanges(QWidget* owner, const QString& what) override;
    bool question(QWidget* owner, const QString& text, const QString& caption) override;
    int choose(QWidget* owner, const Choice& choice) override;
    void information(QWidget* owner, const QString& text, const QString& caption) override;
    void fileError(QWidget* owner, const FileError& error) override;
    void error(QWidget* owner, const QString& text) override;
    QString openFileName(QWidget* owner, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
    QString saveFileName(QWidget* owner, const QString& initialPath, const QString& filter,
                         const QString& defaultSuffix) override;
};

// "Diablo \ Hellfire Executables|*.exe||" -> "Diablo \ Hellfire Executables (*.exe)".
QString qtFileFilter(const QString& windowsFilter);

// The question asked before unsaved changes would be dropped.
QString saveChangesText(const QString& what);

// The text shown for a file error.
QString fileErrorText(const FileError& error);

} // namespace tarvix
