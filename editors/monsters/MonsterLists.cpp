#include "editors/monsters/MonsterLists.h"

#include "ui/CDialog.h"

#include <QListWidget>

#include <algorithm>

namespace tarvix {

namespace {

constexpr const char* kHellfireAttackTypes[] = {"Firebat",   "Hellbat",  "Hork Demon", "Lich",
                                                "Arch Lich", "Psychorb", "Necromorb",  "Bone Demon"};
constexpr const char* kResistanceRows[] = {" Magic Resist", " Fire Resist", " Lightning Resist",
                                           "Magic Immune",  "Fire Immune",  "Lightning Immune"};
constexpr int kRowsPerColumn = 3;

} // namespace

void AddHellfireAttackTypes(CDialog& dialog, int comboId, const Edition& edition)
{
    if (edition.tag != kHellfire.tag) return;
    for (const char* attack : kHellfireAttackTypes)
        dialog.addRow(comboId, QString::fromLatin1(attack));
}

void FillResistanceList(CDialog& dialog, int listId, int minColumn)
{
    QListWidget* list = dialog.list(listId);
    const QFontMetrics metrics = list->fontMetrics();
    int column = minColumn;
    for (const char* row : kResistanceRows) {
        dialog.addRow(listId, QString::fromLatin1(row));
        column = std::max(column, metrics.horizontalAdvance(QString::fromLatin1(row)) + 12);
    }
    const int rowHeight = metrics.height();
    list->setGridSize(QSize(column, rowHeight));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * list->frameWidth() + 2;
    list->resize(std::max(list->width(), 2 * column + frame),
                 std::max(list->height(), kRowsPerColumn * rowHeight + frame));
}

} // namespace tarvix
