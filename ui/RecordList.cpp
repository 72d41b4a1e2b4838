#include "ui/RecordList.h"

#include "ui/CDialog.h"
#include "ui/GameText.h"

#include <QComboBox>
#include <QCompleter>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

namespace tarvix {

QStringList textRows(const std::vector<StoredName>& names, Numbering numbering, const QString& nullText,
                     const QString& emptyText)
{
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const StoredName& name = names[i];
        QString text = name.isNull ? nullText : gameText(name.text);
        if (!name.isNull && name.text.empty() && !emptyText.isEmpty()) text = emptyText;
        switch (numbering) {
        case Numbering::Decimal: rows << QStringLiteral("%1 - %2").arg(i).arg(text); break;
        case Numbering::Hex: rows << QStringLiteral("%1 - %2").arg(QString::number(i, 16).toUpper(), text); break;
        case Numbering::None: rows << text; break;
        }
    }
    return rows;
}

void AddRows(CDialog& dialog, int listId, const QStringList& rows)
{
    QWidget* w = dialog.item(listId);
    const QSignalBlocker block(w);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const bool wasEmpty = combo->count() == 0;
        combo->addItems(rows);
        if (wasEmpty) combo->setCurrentIndex(-1);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->addItems(rows);
    }
}

TextChoices distinctTexts(const std::vector<StoredName>& names)
{
    TextChoices choices;
    QHash<QString, int> rowOfText;
    choices.rowOf.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const StoredName& name = names[i];
        if (name.isNull) {
            choices.rowOf.push_back(-1);
            continue;
        }
        const QString text = gameText(name.text);
        const QString key = text.toCaseFolded();
        auto found = rowOfText.constFind(key);
        if (found == rowOfText.cend()) {
            found = rowOfText.insert(key, static_cast<int>(choices.rows.size()));
            choices.rows << text;
            choices.pointers.push_back(name.pointer);
            choices.firstUse.push_back(static_cast<int>(i));
        }
        choices.rowOf.push_back(*found);
    }
    return choices;
}

void AddTextChoices(CDialog& dialog, int listId, const TextChoices& choices)
{
    const int first = dialog.rowCount(listId);
    AddRows(dialog, listId, choices.rows);
    for (std::size_t row = 0; row < choices.pointers.size(); ++row)
        dialog.setRowData(listId, first + static_cast<int>(row), choices.pointers[row]);
}

void FillRecordList(CDialog& dialog, int listId, WorkingCopy& file, const tables::Placement& placement,
                    const tables::FieldRef& nameField, std::size_t window, const QString& nullText)
{
    AddRows(dialog, listId, textRows(tables::readTexts(file, placement, nameField, window), Numbering::Decimal, nullText));
}

void MakeSearchable(QComboBox* combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    auto* completer = new QCompleter(combo->model(), combo);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    combo->setCompleter(completer);
    QLineEdit* line = combo->lineEdit();
    line->setPlaceholderText(QStringLiteral("Type a name or number"));
    line->setToolTip(QStringLiteral("Type any part of a name or number to find a record."));
    // Leaving the search puts the chosen record's row back.
    QObject::connect(line, &QLineEdit::editingFinished, combo, [combo] {
        if (combo->currentIndex() >= 0) combo->setEditText(combo->itemText(combo->currentIndex()));
    });
}

} // namespace tarvix
