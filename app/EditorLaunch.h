#pragma once

#include "ui/CEditorDlg.h"

#include <array>
#include <memory>

class QWidget;

namespace tarvix {

// The main window's ten editor buttons ("Shrines" and "Quests" open nothing).
inline constexpr std::array<int, 10> kEditorButtons{1000, 1001, 1002, 1003, 1004,
                                                    1005, 1008, 1009, 1134, 1050};

// The editor that an editor button opens, owned by owner; nullptr for any other id.
std::unique_ptr<CEditorDlg> makeEditor(int buttonId, QWidget* owner);

namespace tables {
struct Table;
struct FieldRef;
}

// Where a row of a table is edited: the editor button, and the row of that editor's
// record list that shows it (-1 where the editor's records are not the table's rows).
// Button 0 where no editor of the main window shows the field.
struct EditorOfRow {
    int button = 0;
    int record = -1;
};
EditorOfRow editorOf(const tables::FieldRef& field, int row);

} // namespace tarvix
