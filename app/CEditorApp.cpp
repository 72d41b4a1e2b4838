#include "app/CEditorApp.h"

#include "app/CMainDlg.h"
#include "app/ProgramIcon.h"
#include "ui/DialogBuilder.h"
#include "ui/DialogTemplate.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarvix {

namespace {

const QString kSettingsName = QStringLiteral("tarvix.ini");
constexpr int kMainTemplate = 102;

// Opening for writing creates a missing file but never truncates one.
bool canWrite(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadWrite);
}

} // namespace

CEditorApp::CEditorApp(QString programFolder, QString fallbackFolder)
    : m_programFolder(std::move(programFolder)), m_fallbackFolder(std::move(fallbackFolder))
{
}

void CEditorApp::InitSettings()
{
    const QString programFolder =
        m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
    const Settings beside(QDir(programFolder).filePath(kSettingsName));
    m_settings = beside;
    if (!canWrite(beside.file())) {
        // An installed program usually lives in a folder the user may not write; the
        // folder is remembered in the user's own configuration instead.
        const QString fallbackFolder =
            m_fallbackFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                                       : m_fallbackFolder;
        QDir().mkpath(fallbackFolder);
        m_settings = Settings(QDir(fallbackFolder).filePath(kSettingsName));
        if (m_settings.directory().isEmpty()) m_settings.setDirectory(beside.directory());
    }
    // The first Load Mod opens where the user's own files are.
    if (m_settings.directory().isEmpty()) m_settings.setDirectory(QDir::homePath());
}

int CEditorApp::Run(const QStringList& arguments)
{
    InitSettings();
    // Every window takes this icon unless it sets its own: decoding it is a good part of
    // the start-up, so it is done once.
    QApplication::setWindowIcon(programIcon());
    // Menus, message boxes and file dialogs are windows of their own, which take the
    // application's font rather than their owner's: they get the dialogs' font too.
    QApplication::setFont(templateFont(DialogTemplate::load(kMainTemplate)));
    CMainDlg main(m_settings);
    // The file dialog hands over full paths; a name on the command line may be relative.
    if (!arguments.isEmpty()) main.LoadAtStart(QFileInfo(arguments.first()).absoluteFilePath());
    main.exec();
    return 0;
}

} // namespace tarvix
