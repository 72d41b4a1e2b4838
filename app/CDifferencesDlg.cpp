#include "app/CDifferencesDlg.h"

#include "exe/FileError.h"
#include "exe/WorkingCopy.h"
#include "tables/CellText.h"
#include "tables/Diff.h"
#include "tables/GameTables.h"
#include "ui/GameText.h"
#include "ui/Prompter.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvix {

namespace {

enum Column { TableColumn, RecordColumn, NameColumn, FieldColumn, OriginalColumn, CurrentColumn, Columns };

QString text(const std::string& bytes)
{
    // Line breaks and tabs stay visible, as the command line shows them.
    return gameText(tables::escapeText(bytes));
}

QString text(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString valueText(const tables::FieldValue& value)
{
    return value.isNull ? QStringLiteral("(none)") : text(value.text);
}

tables::FileImage imageOf(const QString& path, const Edition& edition)
{
    WorkingCopy file(QFile::encodeName(path).toStdString(), WorkingCopy::Mode::ReadOnly, edition.fileLength);
    return tables::FileImage(file);
}

} // namespace

CDifferencesDlg::CDifferencesDlg(const QString& original, const QString& workingCopy, const Edition& edition,
                                 Opener open, QWidget* owner)
    : QDialog(owner), m_original(original), m_workingCopy(workingCopy), m_edition(edition), m_open(std::move(open))
{
    setWindowTitle(QStringLiteral("Differences from the Original"));
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_table = new QTableWidget(0, Columns, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Table"), QStringLiteral("Record"), QStringLiteral("Name"), QStringLiteral("Field"),
         QStringLiteral("Original"), QStringLiteral("Current")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int line, int) { OnOpen(line); });
    resize(760, 420);
    Refresh();
}

void CDifferencesDlg::Refresh()
{
    m_table->setRowCount(0);
    try {
        const tables::FileImage before = imageOf(m_original, m_edition);
        const tables::FileImage after = imageOf(m_workingCopy, m_edition);
        const tables::Differences differences = tables::compare(before, after);
        int line = 0;
        for (const tables::FieldChange& change : differences.fields) {
            // Characters an earlier edit left behind a text's zero byte are read by nobody.
            if (change.sameText()) continue;
            m_table->insertRow(line);
            const QString cells[Columns] = {text(change.field.table->name), QString::number(change.row),
                                            text(change.rowName),          text(change.field.field->name),
                                            valueText(change.before),      valueText(change.after)};
            for (int column = 0; column < Columns; ++column) {
                auto* cell = new QTableWidgetItem(cells[column]);
                cell->setData(Qt::UserRole, QString::fromLatin1(change.field.table->name.data(),
                                                                static_cast<qsizetype>(change.field.table->name.size())));
                cell->setData(Qt::UserRole + 1, change.row);
                cell->setData(Qt::UserRole + 2, text(change.field.field->name));
                m_table->setItem(line, column, cell);
            }
            ++line;
        }
        for (const tables::ByteRange& range : differences.unclaimed) {
            m_table->insertRow(line);
            m_table->setItem(line, TableColumn, new QTableWidgetItem(QStringLiteral("(no table)")));
            m_table->setItem(line, FieldColumn,
                             new QTableWidgetItem(QStringLiteral("bytes 0x%1..0x%2")
                                                      .arg(QString::number(range.begin, 16).toUpper(),
                                                           QString::number(range.end - 1, 16).toUpper())));
            ++line;
        }
        m_summary->setText(
            line == 0 ? QStringLiteral("%1 holds the same values as its original, %2.")
                            .arg(QDir::toNativeSeparators(m_workingCopy), QDir::toNativeSeparators(m_original))
                      : QStringLiteral("%1 %2 between %3 and its original, %4. Double-click a line to open its "
                                       "record.")
                            .arg(line)
                            .arg(line == 1 ? QStringLiteral("difference") : QStringLiteral("differences"),
                                 QDir::toNativeSeparators(m_workingCopy), QDir::toNativeSeparators(m_original)));
        m_table->resizeColumnsToContents();
    } catch (const FileError& error) {
        m_summary->setText(QStringLiteral("The differences cannot be read."));
        Prompter::current().fileError(this, error);
    } catch (const std::exception& error) {
        m_summary->setText(QStringLiteral("The differences cannot be read."));
        Prompter::current().error(this, QString::fromLocal8Bit(error.what()));
    }
}

void CDifferencesDlg::OnOpen(int line)
{
    QTableWidgetItem* cell = m_table->item(line, TableColumn);
    if (!cell || cell->data(Qt::UserRole).isNull()) return;
    const tables::Table* table = tables::findTable(cell->data(Qt::UserRole).toString().toStdString());
    if (!table) return;
    const tables::FieldRef field = tables::findField(*table, cell->data(Qt::UserRole + 2).toString().toStdString());
    if (!field || !m_open(field, cell->data(Qt::UserRole + 1).toInt())) return;
    Refresh();
}

} // namespace tarvix
