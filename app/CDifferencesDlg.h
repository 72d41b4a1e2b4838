#pragma once

#include "exe/Edition.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QTableWidget;

namespace tarvix {

namespace tables {
struct FieldRef;
}

// Every field the mod changed from its original, in the terms of the tables: table,
// record and its name, field, the original value and the current one. Double-clicking a
// line opens that record's editor; the list is read again when the editor closes.
class CDifferencesDlg : public QDialog {
    Q_OBJECT
public:
    // open shows the record of a field in its editor; false where no editor shows it.
    using Opener = std::function<bool(const tables::FieldRef& field, int row)>;
    CDifferencesDlg(const QString& original, const QString& workingCopy, const Edition& edition, Opener open,
                    QWidget* owner = nullptr);

    QTableWidget* table() const { return m_table; }
    // Reads both files and lists what differs; a file error is said and leaves the list empty.
    void Refresh();

private:
    void OnOpen(int line);

    QString m_original;
    QString m_workingCopy;
    const Edition& m_edition;
    Opener m_open;
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
};

} // namespace tarvix
