#pragma once

#include "app/Settings.h"

#include <QString>
#include <QStringList>

namespace tarvix {

// The application object: finds the settings file, makes sure it remembers a folder,
// and runs the main window, whose closing ends the program.
class CEditorApp {
public:
    // programFolder holds "tarvix.ini"; fallbackFolder is used instead when the file
    // cannot be written there. Empty: the program's own folder and the user's
    // configuration folder.
    explicit CEditorApp(QString programFolder = {}, QString fallbackFolder = {});

    // Chooses the settings file and remembers the user's home folder when it remembers
    // no folder yet.
    void InitSettings();
    // The whole run: InitSettings, then the main window, modally. arguments are the
    // command line after the program's name; a first one is loaded as Load Mod would.
    int Run(const QStringList& arguments);

    const Settings& settings() const { return m_settings; }

private:
    QString m_programFolder;
    QString m_fallbackFolder;
    Settings m_settings;
};

} // namespace tarvix
