#include "app/FileCopy.h"

#include "exe/FileError.h"

#include <QFile>
#include <QSaveFile>

namespace tarvix {

namespace {

[[noreturn]] void fail(const QString& source, const QString& target, const QString& reason)
{
    throw FileError(source.toStdString(), "copy", reason.toStdString(), " to " + target.toStdString());
}

} // namespace

void copyFile(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) fail(source, target, in.errorString());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) fail(source, target, out.errorString());
    // Like the system's own copy, the copy keeps the source's permissions; the owner
    // may always write it, since a copy is made to be edited.
    out.setPermissions(in.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) fail(source, target, in.errorString());
        if (n == 0) break;
        if (out.write(buffer, n) != n) fail(source, target, out.errorString());
    }
    if (!out.commit()) fail(source, target, out.errorString());
}

} // namespace tarvix
