#include "app/CMainDlg.h"

#include "app/CAboutDlg.h"
#include "app/CDifferencesDlg.h"
#include "app/EditorLaunch.h"
#include "app/FileCopy.h"
#include "exe/Edition.h"
#include "exe/FileError.h"
#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"
#include "tables/Access.h"
#include "tables/GameTables.h"
#include "tables/Plausibility.h"
#include "ui/GameText.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
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
constexpr int kCompareWith = 32776;
constexpr int kForgetOriginal = 32777;
constexpr int kDifferences = 32778;
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

QString editionName(const Edition& edition)
{
    return edition.tag == kDiablo.tag ? QStringLiteral("Diablo") : QStringLiteral("Hellfire");
}

QString editionRelease(const Edition& edition)
{
    return editionName(edition) + (edition.tag == kDiablo.tag ? QStringLiteral(" 1.09") : QStringLiteral(" 1.01"));
}

QString bytes(std::uint64_t count)
{
    const QString number = QLocale(QLocale::English).toString(static_cast<qulonglong>(count));
    return count == 1 ? number + QStringLiteral(" byte") : number + QStringLiteral(" bytes");
}

QString lengthRefusal(const QString& path, std::uint64_t length)
{
    return QStringLiteral("Tarvix cannot edit %1.\n\n"
                          "The file is %2 long; Tarvix edits the %3 executable (%4) "
                          "and the %5 executable (%6).")
        .arg(QDir::toNativeSeparators(path), bytes(length), editionRelease(kDiablo), bytes(kDiablo.fileLength),
             editionRelease(kHellfire), bytes(kHellfire.fileLength));
}

// One line per spoiled pointer field, the first few of them: enough to see that it is
// not one stray value.
QString strayList(const std::vector<tables::StrayPointers>& stray)
{
    constexpr std::size_t kShown = 5;
    QStringList lines;
    for (std::size_t i = 0; i < std::min(stray.size(), kShown); ++i) {
        const tables::StrayPointers& s = stray[i];
        const QString place = QString::fromStdString(s.place);
        if (s.pointers == 1)
            lines << QStringLiteral("\u2022 %1: its pointer leads outside the file").arg(place);
        else if (s.outside > 0)
            lines << QStringLiteral("\u2022 %1: %2 of %3 pointers lead outside the file")
                         .arg(place)
                         .arg(s.outside)
                         .arg(s.pointers);
        else
            lines << QStringLiteral("\u2022 %1: all %2 pointers are 0").arg(place).arg(s.pointers);
    }
    if (stray.size() > kShown) lines << QStringLiteral("\u2022 and %1 more").arg(stray.size() - kShown);
    return lines.join('\n');
}

const QString kNothingLoadedHint = QStringLiteral("Load a Diablo or Hellfire executable (File > Load Mod)");

} // namespace

CMainDlg::CMainDlg(Settings settings, QWidget* owner)
    : CDialog(102, owner), m_settings(std::move(settings)), m_marks([this](int) {
          // Written at once, as every change of this edit is.
          if (m_originalVersion) edit(kVersionEdit)->setText(*m_originalVersion);
      })
{
    // The window shows the application's icon, which is decoded once for the whole program.
    BuildMenu();
    edit(kVersionEdit)->setMaxLength(kVersionChars);
    onTextChange(kVersionEdit, [this] { OnChangeVersion(); });
    for (int id : kEditorButtons)
        onClicked(id, [this, id] { OnEditor(id); });
    ShowState();
}

CMainDlg::~CMainDlg()
{
    WritePendingFolder();
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
    file->addSeparator();
    wire(file->addAction(QStringLiteral("Compare &With...")), kCompareWith, &CMainDlg::OnCompareWith);
    wire(file->addAction(QStringLiteral("&Differences...")), kDifferences, &CMainDlg::OnDifferences);
    wire(file->addAction(QStringLiteral("&Forget the Original")), kForgetOriginal, &CMainDlg::OnForgetOriginal);
    file->addSeparator();
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
    // Remembering the folder syncs the settings file to disk: that waits until the user
    // sees the window.
    m_holdFolder = true;
    LoadWorkingCopy(path);
    m_holdFolder = false;
}

void CMainDlg::paintEvent(QPaintEvent* event)
{
    CDialog::paintEvent(event);
    if (!m_pendingFolder.isEmpty()) QTimer::singleShot(0, this, [this] { WritePendingFolder(); });
}

void CMainDlg::RememberFolder(const QString& folder)
{
    if (m_holdFolder) {
        m_pendingFolder = folder;
        return;
    }
    m_pendingFolder.clear();
    m_settings.setDirectory(folder);
}

void CMainDlg::WritePendingFolder()
{
    if (!m_pendingFolder.isEmpty()) m_settings.setDirectory(std::exchange(m_pendingFolder, QString()));
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
    bool loaded = false;
    const bool ran = runHandler([this, &chosenPath, &loaded] {
        // Refused before anything is asked or copied: a file Tarvix cannot edit never
        // becomes a mod.exe.
        const Edition* edition = SupportedEdition(chosenPath);
        if (!edition) return;

        QString path = chosenPath; // the working copy
        QString original;          // a file to copy to the working copy first
        QString madeFrom;          // the game's executable a mod.exe goes with
        if (isGameTitle(QFileInfo(chosenPath).completeBaseName()) &&
            Prompter::current().question(
                this, QStringLiteral("This may be an original exe!!\nCreate a mod.exe for editing use?"),
                QStringLiteral("Original exe detected!"))) {
            path = QDir(folderOf(chosenPath)).filePath(QStringLiteral("mod.exe"));
            original = chosenPath;
            madeFrom = chosenPath;
            if (QFileInfo::exists(path)) {
                switch (AskAboutModExe(path, chosenPath)) {
                case ExistingModExe::Open:
                    original.clear();
                    edition = SupportedEdition(path);
                    if (!edition) return;
                    break;
                case ExistingModExe::Replace: break;
                case ExistingModExe::Cancel: return;
                }
            }
        }
        if (!ConfirmTables(original.isEmpty() ? path : original, *edition)) return;
        if (!original.isEmpty()) copyFile(original, path);

        // Only a file that opens and reads replaces path and tag, and together.
        WorkingCopy file(fileName(path), WorkingCopy::Mode::ReadOnly);
        if (editionForLength(file.length()) != edition) {
            // Changed by someone else since it was looked at.
            Prompter::current().error(this, lengthRefusal(path, file.length()));
            return;
        }
        const QString version = gameText(readFixedText(file, versionOffset(*edition), versionField().field->room));
        file.close();

        m_path = path;
        m_tag = QString::fromLatin1(edition->tag.data(), static_cast<qsizetype>(edition->tag.size()));
        m_edition = edition;
        m_storedVersion = version;
        m_versionWriteFailed = false;
        RememberFolder(folderOf(path));
        // A mod.exe made from (or beside) the game's executable goes with it; any other
        // working copy with what was remembered for it.
        if (!madeFrom.isEmpty() && (!original.isEmpty() || m_settings.originalOf(path).isEmpty()))
            m_settings.setOriginalOf(path, madeFrom);
        UseOriginal(m_settings.originalOf(path));
        ShowVersion(version);
        ShowState();
        loaded = true;
    });
    return ran && loaded;
}

const Edition* CMainDlg::SupportedEdition(const QString& path)
{
    WorkingCopy file(fileName(path), WorkingCopy::Mode::ReadOnly);
    const std::uint64_t length = file.length();
    file.close();
    if (const Edition* edition = editionForLength(length)) return edition;
    Prompter::current().error(this, lengthRefusal(path, length));
    return nullptr;
}

CMainDlg::ExistingModExe CMainDlg::AskAboutModExe(const QString& modPath, const QString& originalPath)
{
    Prompter::Choice choice;
    choice.caption = QStringLiteral("mod.exe already exists");
    choice.text = QStringLiteral("%1 already exists.\n\n"
                                 "Open it to go on with the changes in it, or replace it with a fresh copy "
                                 "of %2? Replacing it loses every change made in it.")
                      .arg(QDir::toNativeSeparators(modPath), QFileInfo(originalPath).fileName());
    choice.answers = {QStringLiteral("&Open mod.exe"), QStringLiteral("&Replace with a Fresh Copy"),
                      QStringLiteral("Cancel")};
    choice.defaultAnswer = 0;
    choice.cancelAnswer = 2;
    switch (Prompter::current().choose(this, choice)) {
    case 0: return ExistingModExe::Open;
    case 1: return ExistingModExe::Replace;
    default: return ExistingModExe::Cancel;
    }
}

bool CMainDlg::ConfirmTables(const QString& path, const Edition& edition)
{
    WorkingCopy file(fileName(path), WorkingCopy::Mode::ReadOnly);
    const std::vector<tables::StrayPointers> stray = tables::strayPointers(file, edition);
    file.close();
    if (stray.empty()) return true;
    // Enter and Escape both keep the file closed: opening it takes a deliberate choice.
    Prompter::Choice choice;
    choice.caption = QStringLiteral("Unexpected tables");
    choice.text =
        QStringLiteral("%1 has the length of the %2 executable, but its tables do not look like the game's:\n"
                       "%3\n\n"
                       "It may be another program of the same length, or a damaged copy. The editors would "
                       "show meaningless values, and saving could damage the file further.\n\n"
                       "Open it anyway?")
            .arg(QDir::toNativeSeparators(path), editionRelease(edition), strayList(stray));
    choice.answers = {QStringLiteral("&Open Anyway"), QStringLiteral("Cancel")};
    choice.defaultAnswer = 1;
    choice.cancelAnswer = 1;
    return Prompter::current().choose(this, choice) == 0;
}

void CMainDlg::ShowVersion(const QString& version)
{
    // A stored string may fill all 64 bytes without a zero; it is shown whole, and
    // showing it writes nothing.
    edit(kVersionEdit)->setMaxLength(std::max<int>(kVersionChars, version.size()));
    setText(kVersionEdit, version);
}

QString CMainDlg::StoredVersion() const
{
    try {
        WorkingCopy file(fileName(m_path), WorkingCopy::Mode::ReadOnly);
        return gameText(readFixedText(file, versionOffset(*m_edition), versionField().field->room));
    } catch (const FileError&) {
        // The failure was just reported; what was last read or written stands for it.
        return m_storedVersion;
    }
}

void CMainDlg::OnChangeVersion()
{
    const QString text = this->text(kVersionEdit);
    if (text.size() <= kVersionChars) edit(kVersionEdit)->setMaxLength(kVersionChars);
    if (!m_edition) return;
    try {
        WorkingCopy file(fileName(m_path), WorkingCopy::Mode::WriteOnly, m_edition->fileLength);
        writeFixedText(file, versionOffset(*m_edition), gameBytes(text), kVersionChars);
        file.close();
        m_storedVersion = text.left(kVersionChars);
        m_versionWriteFailed = false;
        MarkVersion();
    } catch (const FileError& error) {
        // Every keystroke writes: one message says why the file takes none of them, and
        // the edit keeps showing what the file holds.
        if (!std::exchange(m_versionWriteFailed, true)) Prompter::current().fileError(this, error);
        const int cursor = edit(kVersionEdit)->cursorPosition();
        m_storedVersion = StoredVersion();
        ShowVersion(m_storedVersion);
        edit(kVersionEdit)->setCursorPosition(std::min<int>(cursor, m_storedVersion.size()));
        MarkVersion();
    }
}

void CMainDlg::MarkVersion()
{
    QLineEdit* version = edit(kVersionEdit);
    if (m_edition && m_originalVersion && *m_originalVersion != m_storedVersion)
        m_marks.mark(version, kVersionEdit, *m_originalVersion);
    else
        m_marks.unmark(version);
}

void CMainDlg::ShowState()
{
    const bool loaded = m_edition != nullptr;
    for (int id : kEditorButtons)
        button(id)->setEnabled(loaded);
    command(kSaveModAs)->setEnabled(loaded);
    command(kCompareWith)->setEnabled(loaded);
    command(kDifferences)->setEnabled(loaded && !m_original.isEmpty());
    command(kForgetOriginal)->setEnabled(loaded && !m_original.isEmpty());
    QLineEdit* version = edit(kVersionEdit);
    version->setReadOnly(!loaded);
    version->setPlaceholderText(loaded ? QString() : kNothingLoadedHint);
    setWindowTitle(loaded ? QStringLiteral("Tarvix - %1 (%2)").arg(QFileInfo(m_path).fileName(), editionName(*m_edition))
                          : QStringLiteral("Tarvix"));
    MarkVersion();
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
    OpenEditor(buttonId, -1);
}

void CMainDlg::OpenEditor(int buttonId, int row)
{
    if (!m_edition) return;
    std::unique_ptr<CEditorDlg> editor = makeEditor(buttonId, this);
    if (!editor) return;
    editor->setWorkingCopy(m_path, *m_edition);
    editor->setOriginal(m_original);
    if (row >= 0) editor->setStartRecord(row);
    editor->exec();
}

void CMainDlg::UseOriginal(const QString& original)
{
    // A remembered original that is gone, or is no longer of the working copy's edition,
    // is not compared with; it stays remembered in case it comes back.
    m_original.clear();
    m_originalVersion.reset();
    if (original.isEmpty() || !m_edition) return;
    QFile file(original);
    if (!file.exists() || static_cast<std::uint64_t>(file.size()) != m_edition->fileLength) return;
    m_original = original;
    try {
        WorkingCopy copy(fileName(original), WorkingCopy::Mode::ReadOnly, m_edition->fileLength);
        m_originalVersion = gameText(readFixedText(copy, versionOffset(*m_edition), versionField().field->room));
    } catch (const FileError&) {
        // An original that cannot be read now simply marks nothing here; the editors
        // and the Differences window say why when they read it.
    }
}

void CMainDlg::OnCompareWith()
{
    if (!m_edition) return;
    const QString chosen = Prompter::current().openFileName(this, folderOf(m_path), kExeFilter, kExeSuffix);
    if (chosen.isEmpty()) return;
    if (QFileInfo(chosen) == QFileInfo(m_path)) {
        Prompter::current().error(this, QStringLiteral("%1 is the working copy itself: choose the executable it "
                                                       "was made from.")
                                            .arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    WorkingCopy file(fileName(chosen), WorkingCopy::Mode::ReadOnly);
    const std::uint64_t length = file.length();
    file.close();
    if (editionForLength(length) != m_edition) {
        Prompter::current().error(this, QStringLiteral("%1 cannot be the original of %2: it is %3 bytes long, and "
                                                       "the original of a %4 executable is %5 bytes long.")
                                            .arg(QDir::toNativeSeparators(chosen), QFileInfo(m_path).fileName(),
                                                 QLocale(QLocale::English).toString(static_cast<qulonglong>(length)),
                                                 editionName(*m_edition),
                                                 QLocale(QLocale::English).toString(m_edition->fileLength)));
        return;
    }
    m_settings.setOriginalOf(m_path, chosen);
    UseOriginal(chosen);
    ShowState();
}

void CMainDlg::OnForgetOriginal()
{
    m_settings.setOriginalOf(m_path, QString());
    UseOriginal(QString());
    ShowState();
}

void CMainDlg::OnDifferences()
{
    if (!m_edition || m_original.isEmpty()) return;
    CDifferencesDlg differences(
        m_original, m_path, *m_edition,
        [this](const tables::FieldRef& field, int row) {
            const EditorOfRow where = editorOf(field, row);
            if (!where.button) return false;
            OpenEditor(where.button, where.record);
            return true;
        },
        this);
    differences.exec();
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
