#include "ui/RecordList.h"

#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"
#include "ui/CDialog.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringList>

namespace tarvix {

QString gameText(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string gameBytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

void FillRecordList(CDialog& dialog, int listId, WorkingCopy& file, const NamedTable& table, const QString& nullName)
{
    QStringList rows;
    rows.reserve(table.count);
    for (int i = 0; i < table.count; ++i) {
        const StoredName name =
            readName(file, table.offset + table.recordSize * i + table.nameField, table.window, table.pointerDelta);
        rows << QStringLiteral("%1 - %2").arg(i).arg(name.isNull ? nullName : gameText(name.text));
    }
    QWidget* w = dialog.item(listId);
    const QSignalBlocker block(w);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->addItems(rows);
        combo->setCurrentIndex(-1);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->addItems(rows);
    }
}

} // namespace tarvix
