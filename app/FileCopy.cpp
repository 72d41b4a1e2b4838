#include "app/FileCopy.h"

#include "exe/FileError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace tarvix {

namespace {

[[noreturn]] void fail(const QString& source, const QString& target, const QString& reason)
{
    throw FileError(source.toStdString(), "copy", reason.toStdString(), " to " + target.toStdString());
}

// The save file opens a temporary file beside the target, and when that fails it gives
// only the system's words ("Permission denied"), which read as if the source or the
// target were at fault. Finds the reason when it lies with the folder, else "".
QString folderFault(const QString& target)
{
    const QFileInfo info(target);
    if (info.isDir()) return {};
    // The save file writes where a link leads: a link to nowhere gives no folder at all.
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("it is a link to %1, which does not exist").arg(info.symLinkTarget());
    const QString folder = info.absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0) return {};
    const int err = errno;
    return QStringLiteral("cannot create a temporary file in %1: %2")
        .arg(folder, QString::fromLocal8Bit(std::strerror(err)));
}

} // namespace

void copyFile(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) fail(source, target, in.errorString());
    QSaveFile out(target);
    // Unbuffered, so that each write reaches the file engine here, where a short write
    // can be carried on and the failure that follows it comes with the system's reason.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QString folder = folderFault(target);
        fail(source, target, folder.isEmpty() ? out.errorString() : folder);
    }
    // Like the system's own copy, the copy keeps the source's permissions; the owner
    // may always write it, since a copy is made to be edited.
    out.setPermissions(in.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) fail(source, target, in.errorString());
        if (n == 0) break;
        // A short write is no failure yet: the disk may have taken what it could, and
        // only the next write learns why it stopped.
        for (qint64 done = 0; done < n;) {
            const qint64 written = out.write(buffer + done, n - done);
            if (written < 0) fail(source, target, out.errorString());
            if (written == 0) fail(source, target, QStringLiteral("The system wrote nothing"));
            done += written;
        }
    }
    if (!out.commit()) fail(source, target, out.errorString());
}

} // namespace tarvix
