#include "ui/StringTable.h"

#include <QFile>
#include <QHash>

namespace tarvix {

namespace {

const QHash<int, QString>& table()
{
    static const QHash<int, QString> strings = [] {
        QHash<int, QString> map;
        QFile f(QStringLiteral(":/strings.txt"));
        if (!f.open(QIODevice::ReadOnly)) return map;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const int tab = line.indexOf('\t');
            if (tab <= 0) continue;
            bool ok = false;
            const int id = line.left(tab).toInt(&ok);
            if (ok) map.insert(id, QString::fromUtf8(line.mid(tab + 1)));
        }
        return map;
    }();
    return strings;
}

} // namespace

QString loadString(int id, int limit)
{
    return table().value(id).left(limit);
}

} // namespace tarvix
