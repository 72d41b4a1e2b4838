#pragma once

#include "tables/Access.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QComboBox;

namespace tarvix {

class CDialog;
class WorkingCopy;

// How a list numbers its rows: "%i - %s", "%0X - %s", or the bare text.
enum class Numbering { Decimal, Hex, None };

// Rows for a list of texts; a zero pointer shows nullText, an empty text emptyText
// (where the list gives it one).
QStringList textRows(const std::vector<StoredName>& names, Numbering numbering, const QString& nullText = {},
                     const QString& emptyText = {});

// Adds rows to a combo box or list box at once, without raising its selection handler;
// a drop-down list is left without a selection.
void AddRows(CDialog& dialog, int listId, const QStringList& rows);

// The rows of a list that re-points records to texts the game already holds: one row
// per whole text (compared without regard to case, so a text that merely begins another
// has its own row), in order of first use, each carrying the pointer of its first use.
struct TextChoices {
    QStringList rows;
    std::vector<std::uint32_t> pointers; // per row
    std::vector<int> firstUse;           // per row: the name that brought it
    std::vector<int> rowOf;              // per name: its row; -1 for a zero pointer
};
TextChoices distinctTexts(const std::vector<StoredName>& names);
// Adds the rows in one go, each with its pointer as item data.
void AddTextChoices(CDialog& dialog, int listId, const TextChoices& choices);

// Fills a list with "%i - %s" rows, one per record of the placed table, named by its
// pointer field, from one access cycle.
void FillRecordList(CDialog& dialog, int listId, WorkingCopy& file, const tables::Placement& placement,
                    const tables::FieldRef& nameField, std::size_t window, const QString& nullText = {});

// Lets the user find a record by typing any part of its row: the matching rows drop
// down as they type, and choosing one selects it. What was typed is a search, never a
// new row.
void MakeSearchable(QComboBox* combo);

} // namespace tarvix
