#include "ui/Prompter.h"

#include "exe/FileError.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace tarvix {

namespace {

Prompter* g_current = nullptr;

} // namespace

Prompter& Prompter::current()
{
    static QtPrompter qtPrompter;
    return g_current ? *g_current : qtPrompter;
}

Prompter* Prompter::install(Prompter* prompter)
{
    Prompter* previous = g_current;
    g_current = prompter;
    return previous;
}

QString qtFileFilter(const QString& windowsFilter)
{
    const QStringList parts = windowsFilter.split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return filters.join(";;");
}

QString fileErrorText(const FileError& error)
{
    return QString::fromLocal8Bit(error.what());
}

QString saveChangesText(const QString& what)
{
    return QStringLiteral("Save changes to %1?").arg(what);
}

Prompter::SaveAnswer QtPrompter::askSaveChanges(QWidget* owner, const QString& what)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Unsaved changes"), saveChangesText(what),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return SaveAnswer::Save;
    case QMessageBox::Discard: return SaveAnswer::Discard;
    default: return SaveAnswer::Cancel;
    }
}

bool QtPrompter::question(QWidget* owner, const QString& text, const QString& caption)
{
    return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

int QtPrompter::choose(QWidget* owner, const Choice& choice)
{
    QMessageBox box(QMessageBox::Question, choice.caption, choice.text, QMessageBox::NoButton, owner);
    QList<QAbstractButton*> buttons;
    for (int i = 0; i < choice.answers.size(); ++i)
        buttons << box.addButton(choice.answers[i],
                                 i == choice.cancelAnswer ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    if (auto* b = qobject_cast<QPushButton*>(buttons.value(choice.defaultAnswer))) box.setDefaultButton(b);
    box.setEscapeButton(buttons.value(choice.cancelAnswer));
    box.exec();
    const int chosen = static_cast<int>(buttons.indexOf(box.clickedButton()));
    return chosen >= 0 ? chosen : choice.cancelAnswer;
}

void QtPrompter::information(QWidget* owner, const QString& text, const QString& caption)
{
    QMessageBox::information(owner, caption, text);
}

void QtPrompter::fileError(QWidget* owner, const FileError& error)
{
    this->error(owner, fileErrorText(error));
}

void QtPrompter::error(QWidget* owner, const QString& text)
{
    QMessageBox::critical(owner, QStringLiteral("Tarvix"), text);
}

QString QtPrompter::openFileName(QWidget* owner, const QString& folder, const QString& filter,
                                 const QString& defaultSuffix)
{
    QFileDialog dialog(owner, QString(), folder, qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString QtPrompter::saveFileName(QWidget* owner, const QString& initialPath, const QString& filter,
                                 const QString& defaultSuffix)
{
    QFileDialog dialog(owner, QString(), QString(), qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!initialPath.isEmpty()) dialog.selectFile(initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

} // namespace tarvix
