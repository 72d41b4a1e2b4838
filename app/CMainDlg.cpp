#include "app/CMainDlg.h"

#include "app/CAboutDlg.h"
#include "app/EditorLaunch.h"
#include "app/FileCopy.h"
#include "app/ProgramIcon.h"
#include "exe/Edition.h"
#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"
#include "tables/Access.h"
#include "tables/GameTables.h"
#include "ui/GameText.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tarvix {

namespace {

constexpr int kMenu = 129;
constexpr int kLoadMod = 32771;
constexpr int kSaveModAs = 32773;
constexpr int kExit = 32774;
constexpr int kAbout = 32775;
constexpr int kVersionEdit = 1019;

// The version string's room in the executable: 63 characters and the zero byte.
const tables::FieldRef& versionField()
{
    static const tables::FieldRef field = tables::fieldOf(tables::kTexts, "version_string");
    return field;
}
const int kVersionChars = static_cast<int>(tables::fieldOf(tables::kTexts, "version_string").field->room) - 1;

std::uint64_t versionOffset(const Edition& edition)
{
    return tables::Placement(tables::kTexts, edition).offsetOf(versionField(), 0);
}

const QString kExeFilter = QStringLiteral("Diablo \\ Hellfire Executables|*.exe||");
const QString kExeSuffix = QStringLiteral("exe");

std::string fileName(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Compares as the system's multibyte comparison does: only ASCII letters fold.
bool isGameTitle(const QString& title)
{
    for (const char* game : {"diablo", "hellfire"}) {
        const QLatin1String name(game);
        if (title.size() != name.size()) continue;
        bool same = true;
        for (int i = 0; same && i < title.size(); ++i) {
            const char16_t c = title[i].unicode();
            same = (c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c) == name[i].unicode();
        }
        if (same) return true;
    }
    return false;
}

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

} // namespace

CMainDlg::CMainDlg(Settings settings, QWidget* owner) : CDialog(102, owner), m_settings(std::move(settings))
{
    setWindowIcon(programIcon());
    BuildMenu();
    edit(kVersionEdit)->setMaxLength(kVersionChars);
    onTextChange(kVersionEdit, [this] { OnChangeVersion(); });
    for (int id : kEditorButtons)
        onClicked(id, [this, id] { OnEditor(id); });
}

void CMainDlg::BuildMenu()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QString::number(kMenu));
    // The menu belongs to this window, never to a desktop-wide bar, so the window's
    // size below is right everywhere.
    m_menuBar->setNativeMenuBar(false);
    auto wire = [this](QAction* action, int id, void (CMainDlg::*handler)()) {
        action->setObjectName(QString::number(id));
        connect(action, &QAction::triggered, this,
                [this, handler] { runHandler([this, handler] { (this->*handler)(); }); });
    };
    QMenu* file = m_menuBar->addMenu(QStringLiteral("&File"));
    wire(file->addAction(QStringLiteral("&Load Mod")), kLoadMod, &CMainDlg::OnLoadMod);
    wire(file->addAction(QStringLiteral("Save Mod &As...")), kSaveModAs, &CMainDlg::OnSaveModAs);
    wire(file->addAction(QStringLiteral("&Exit")), kExit, &CMainDlg::reject);
    wire(m_menuBar->addAction(QStringLiteral("&About")), kAbout, &CMainDlg::OnAbout);

    // The template places its controls in a client area without a menu: the bar goes
    // above them and the window grows by its height.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(m_menuBar);
    const int barHeight = std::max(m_menuBar->sizeHint().height(), m_menuBar->heightForWidth(width()));
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != m_menuBar) child->move(child->x(), child->y() + barHeight);
    setFixedSize(width(), height() + barHeight);
}

QAction* CMainDlg::command(int commandId) const
{
    return m_menuBar->findChild<QAction*>(QString::number(commandId));
}

void CMainDlg::OnShowWindow()
{
    if (m_startPath.isEmpty()) return;
    const QString path = std::exchange(m_startPath, QString());
    LoadWorkingCopy(path);
}

void CMainDlg::OnLoadMod()
{
    const QString chosen =
        Prompter::current().openFileName(this, m_settings.directory(), kExeFilter, kExeSuffix);
    if (chosen.isEmpty()) return;
    LoadWorkingCopy(chosen);
}

bool CMainDlg::LoadWorkingCopy(const QString& chosenPath)
{
    return runHandler([this, &chosenPath] {
        QString path = chosenPath;
        if (isGameTitle(QFileInfo(chosenPath).completeBaseName()) &&
            Prompter::current().question(
                this, QStringLiteral("This may be an original exe!!\nCreate a mod.exe for editing use?"),
                QStringLiteral("Original exe detected!"))) {
            path = QDir(folderOf(chosenPath)).filePath(QStringLiteral("mod.exe"));
            copyFile(chosenPath, path);
        }

        // Only a file that opens and reads replaces path and tag, and together.
        QString tag;
        QString version;
        WorkingCopy file(fileName(path), WorkingCopy::Mode::ReadOnly);
        const Edition* edition = editionForLength(file.length());
        if (edition) {
            tag = QString::fromLatin1(edition->tag.data(), static_cast<qsizetype>(edition->tag.size()));
            version = gameText(readFixedText(file, versionOffset(*edition), versionField().field->room));
        }
        file.close();

        m_path = path;
        m_tag = tag;
        m_edition = edition;
        m_settings.setDirectory(folderOf(path));
        ShowVersion(version);
    });
}

void CMainDlg::ShowVersion(const QString& version)
{
    // A stored string may fill all 64 bytes without a zero; it is shown whole, and
    // showing it writes nothing.
    edit(kVersionEdit)->setMaxLength(std::max<int>(kVersionChars, version.size()));
    setText(kVersionEdit, version);
}

void CMainDlg::OnChangeVersion()
{
    const QString text = this->text(kVersionEdit);
    if (text.size() <= kVersionChars) edit(kVersionEdit)->setMaxLength(kVersionChars);
    if (!m_edition) return;
    WorkingCopy file(fileName(m_path), WorkingCopy::Mode::WriteOnly, m_edition->fileLength);
    writeFixedText(file, versionOffset(*m_edition), gameBytes(text), kVersionChars);
    file.close();
}

void CMainDlg::OnSaveModAs()
{
    if (m_path.isEmpty()) return;
    const QString target = Prompter::current().saveFileName(this, m_path, kExeFilter, kExeSuffix);
    if (target.isEmpty()) return;
    copyFile(m_path, target);
}

void CMainDlg::OnAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainDlg::OnEditor(int buttonId)
{
    if (!m_edition) return;
    std::unique_ptr<CEditorDlg> editor = makeEditor(buttonId, this);
    if (!editor) return;
    editor->setWorkingCopy(m_path, *m_edition);
    editor->exec();
}

void CMainDlg::reject()
{
    if (Prompter::current().question(this, QStringLiteral("Sure you want to quit?"), QStringLiteral("Quit?")))
        CDialog::reject();
}

void CMainDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter presses a push button that has the focus; anywhere else (the version edit)
    // it must not end the program, which only the quit question may do.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!qobject_cast<QPushButton*>(focusWidget())) {
            event->accept();
            return;
        }
    }
    CDialog::keyPressEvent(event);
}

} // namespace tarvix
