#include "editors/items/ItemPicture.h"

#include "exe/TextAccess.h"
#include "tables/Access.h"
#include "tables/GameTables.h"
#include "ui/BitmapPicture.h"
#include "ui/CDialog.h"
#include "ui/RecordList.h"
#include "ui/StringTable.h"

#include <QLabel>

#include <algorithm>

namespace tarvix {

namespace {

QString graphicRow(int number, int stringId, int limit)
{
    return QStringLiteral("%1 - %2").arg(number).arg(loadString(stringId, limit));
}

} // namespace

int graphicBaseRows(const Edition& edition)
{
    return static_cast<int>(tables::PerEdition{169, 227}.of(edition));
}

void AddGraphicRows(CDialog& dialog, int listId, int first, int last, int limit)
{
    QStringList rows;
    rows.reserve(std::max(0, last - first));
    for (int n = first; n < last; ++n) rows << graphicRow(n, n + 1, limit);
    AddRows(dialog, listId, rows);
}

void ExtendGraphicList(CDialog& dialog, int listId, WorkingCopy& file, const Edition& edition, int limit)
{
    const tables::FieldRef cursorField = tables::fieldOf(tables::kTexts, "cursor_file_name");
    const std::string cursorFile = readFixedText(file, tables::Placement(tables::kTexts, edition).offsetOf(cursorField, 0),
                                                 cursorField.field->room);
    if (cursorFile == "Data\\Inv\\Objcurs.CEL" || cursorFile == "Data\\Inv\\Objcurs2.CEL") return;
    // An unknown cursor file may hold every frame: offer all 256 graphic numbers.
    if (dialog.rowCount(listId) < 227) AddGraphicRows(dialog, listId, dialog.rowCount(listId), 227, limit);
    for (int k = 0; k < 29; ++k) dialog.addRow(listId, graphicRow(dialog.rowCount(listId) % 256, 324 + k, limit));
}

void FillGraphicList(CDialog& dialog, int listId, WorkingCopy& file, const Edition& edition, int limit)
{
    AddGraphicRows(dialog, listId, 0, graphicBaseRows(edition), limit);
    ExtendGraphicList(dialog, listId, file, edition, limit);
}

void ShowItemPicture(QLabel* picture, int graphicNumber)
{
    ShowBitmap(picture, (graphicNumber + 440) & 0xFFFF);
}

} // namespace tarvix
