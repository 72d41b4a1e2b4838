#pragma once

#include "app/Settings.h"
#include "exe/Edition.h"
#include "ui/CDialog.h"
#include "ui/OriginalMarks.h"

#include <QString>

#include <optional>

class QAction;
class QMenuBar;

namespace tarvix {

// The main window, template 102 with menu 129. It owns the two values that describe
// what is being edited, the working copy's path and its edition tag, and hands both to
// every editor it opens. The program runs as long as this window.
class CMainDlg : public CDialog {
    Q_OBJECT
public:
    explicit CMainDlg(Settings settings, QWidget* owner = nullptr);
    ~CMainDlg() override;

    // What Load Mod does with the file its dialog returned: the edition by length, the
    // mod.exe question, the look of the tables, the version string, the remembered
    // folder. When the file is refused, the user cancels or a step fails, the reason is
    // shown (a cancel needs none), nothing has changed and the result is false.
    bool LoadWorkingCopy(const QString& chosenPath);
    // A file to load as soon as the window is first shown (the program's command line).
    void LoadAtStart(const QString& chosenPath) { m_startPath = chosenPath; }

    // Empty until a load succeeds; path and tag always come from the same load.
    const QString& workingCopyPath() const { return m_path; }
    // The executable the working copy was made from; empty where none is known.
    const QString& originalPath() const { return m_original; }
    // "diablo7" or "hell1"; empty while nothing is loaded.
    const QString& editionTag() const { return m_tag; }
    const Settings& settings() const { return m_settings; }

    QMenuBar* menuBar() const { return m_menuBar; }
    // A command of menu 129 by its id; each action's objectName is the id too.
    QAction* command(int commandId) const;

    // Exit, Escape and the close box all end here: the quit question.
    void reject() override;

protected:
    void OnShowWindow() override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    enum class ExistingModExe { Open, Replace, Cancel };

    void BuildMenu();
    void OnLoadMod();
    void OnSaveModAs();
    void OnAbout();
    void OnEditor(int buttonId);
    void OnCompareWith();
    void OnForgetOriginal();
    void OnDifferences();
    // Opens an editor on the working copy, at a record of its list where row is not -1.
    void OpenEditor(int buttonId, int row);
    // The original the working copy was made from, where it is still there to compare.
    void UseOriginal(const QString& original);
    void OnChangeVersion();
    // The edition of the file by its length; nullptr once the user has been told that
    // it is not an executable Tarvix edits.
    const Edition* SupportedEdition(const QString& path);
    ExistingModExe AskAboutModExe(const QString& modPath, const QString& originalPath);
    // True when the file's tables look like the game's, or the user opens it all the same.
    bool ConfirmTables(const QString& path, const Edition& edition);
    QString StoredVersion() const;
    void ShowVersion(const QString& version);
    // Bold, with the original's text in its tooltip, while the stored version string
    // differs from the original's.
    void MarkVersion();
    // Title, editor buttons, Save Mod As and the version edit, for what is loaded.
    void ShowState();
    void RememberFolder(const QString& folder);
    void WritePendingFolder();

    Settings m_settings;
    QString m_path;
    QString m_original; // the executable the working copy was made from; empty: unknown
    QString m_tag;
    const Edition* m_edition = nullptr; // goes with m_tag
    QString m_storedVersion;            // what the working copy held when last read or written
    bool m_versionWriteFailed = false;  // since the last write that succeeded
    std::optional<QString> m_originalVersion; // the original's, where an original is known and readable
    OriginalMarks m_marks;
    QString m_startPath;
    bool m_holdFolder = false;
    QString m_pendingFolder; // to be remembered once the window has been painted
    QMenuBar* m_menuBar = nullptr;
};

} // namespace tarvix
