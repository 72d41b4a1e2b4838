#pragma once

#include "app/Settings.h"
#include "exe/Edition.h"
#include "ui/CDialog.h"

#include <QString>

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

    // What Load Mod does with the file its dialog returned: the mod.exe question, the
    // edition by length, the version string, the remembered folder. On a failure the
    // error is shown, nothing has changed and the result is false.
    bool LoadWorkingCopy(const QString& chosenPath);
    // A file to load as soon as the window is first shown (the program's command line).
    void LoadAtStart(const QString& chosenPath) { m_startPath = chosenPath; }

    // Empty until a load succeeds; path and tag always come from the same load.
    const QString& workingCopyPath() const { return m_path; }
    // "diablo7", "hell1", or empty for a file of any other length.
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

private:
    void BuildMenu();
    void OnLoadMod();
    void OnSaveModAs();
    void OnAbout();
    void OnEditor(int buttonId);
    void OnChangeVersion();
    void ShowVersion(const QString& version);

    Settings m_settings;
    QString m_path;
    QString m_tag;
    const Edition* m_edition = nullptr; // goes with m_tag
    QString m_startPath;
    QMenuBar* m_menuBar = nullptr;
};

} // namespace tarvix
