#include "ui/FieldBinding.h"

#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"
#include "tables/GameTables.h"
#include "ui/CDialog.h"
#include "ui/FieldControls.h"
#include "ui/InputError.h"

#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <stdexcept>

namespace tarvix {

namespace conversions {
const Conversion rowPlusOne{[](std::int64_t v) { return v - 1; }, [](std::int64_t v) { return v + 1; }};
const Conversion& dungeonLevel = tables::conversions::doubledLevel;
} // namespace conversions

namespace {

template <class Control, class... Args>
ControlSpec make(int id, Args... args)
{
    return custom<Control>(id, args...);
}

} // namespace

ControlSpec edit(int id)
{
    return {id, [id](CDialog& dialog, const tables::FieldRef& field) -> std::unique_ptr<FieldControl> {
                const Conversion* own = field.field->conversion;
                return std::make_unique<NumberEdit>(dialog, id, field, own ? *own : conversions::identity);
            }};
}

ControlSpec edit(int id, const Conversion& conversion)
{
    return {id, [id, &conversion](CDialog& dialog, const tables::FieldRef& field) -> std::unique_ptr<FieldControl> {
                return std::make_unique<NumberEdit>(dialog, id, field, conversion);
            }};
}
ControlSpec comboRow(int id, const Conversion& conversion) { return make<RowChoice>(id, std::cref(conversion)); }
ControlSpec listRow(int id, const Conversion& conversion) { return comboRow(id, conversion); }
ControlSpec comboData(int id) { return make<DataChoice>(id); }
ControlSpec listData(int id) { return comboData(id); }
ControlSpec check(int id) { return make<CheckBox>(id, CheckBox::Mode::Plain, 0u); }
ControlSpec maskedCheck(int id, std::uint32_t mask) { return make<CheckBox>(id, CheckBox::Mode::Masked, mask); }
ControlSpec invertedCheck(int id) { return make<CheckBox>(id, CheckBox::Mode::Inverted, 0u); }
ControlSpec bits(int id) { return make<BitList>(id); }
NameSpec name(int id, int window, int cap, int offsetId, QString nullText)
{
    return {id, window, cap, offsetId, std::move(nullText)};
}

NameSpec NameSpec::unnamedRowsSeparate() const
{
    NameSpec spec = *this;
    spec.separators = true;
    return spec;
}

NameSpec::operator ControlSpec() const
{
    return make<NameEdit>(id, window, cap, offsetId, nullText,
                          separators ? NameEdit::Unnamed::Separator : NameEdit::Unnamed::NoText);
}
ControlSpec inlineText(int id) { return make<InlineTextEdit>(id); }
ControlSpec textView(int id, int window) { return make<TextView>(id, window); }
ControlSpec pointerChoice(int id, int window) { return make<PointerChoice>(id, window); }

FieldBinding::FieldBinding(CDialog& dialog, const tables::Table& table, std::span<const BoundField> layout)
    : m_dialog(dialog), m_table(&table)
{
    m_tables.push_back(&table);
    for (const BoundField& bound : layout) {
        const tables::FieldRef ref = field(bound.field);
        if (std::find(m_tables.begin(), m_tables.end(), ref.table) == m_tables.end()) m_tables.push_back(ref.table);
        auto group = std::find_if(m_groups.begin(), m_groups.end(), [&](const Group& g) { return g.field.field == ref.field; });
        if (group == m_groups.end()) {
            m_groups.push_back(Group{ref, {}, {}, {}, false});
            group = m_groups.end() - 1;
        }
        // Fails here, when the dialog is built, for an id the template lacks.
        dialog.item(bound.control.id);
        group->controls.push_back(bound.control.make(dialog, ref));
    }
}

FieldBinding::~FieldBinding() = default;

tables::FieldRef FieldBinding::field(std::string_view name) const
{
    const auto dot = name.find('.');
    if (dot == std::string_view::npos) return tables::fieldOf(*m_table, name);
    const tables::Table* other = tables::findTable(name.substr(0, dot));
    if (!other) throw std::logic_error("no table \"" + std::string(name.substr(0, dot)) + "\"");
    return tables::fieldOf(*other, name.substr(dot + 1));
}

void FieldBinding::show(WorkingCopy& file, const Edition& edition, int row)
{
    m_shown.clear();
    for (const tables::Table* table : m_tables) {
        auto placement = std::make_unique<tables::Placement>(*table, edition, file);
        tables::RowBytes bytes = tables::RowBytes::read(file, *placement, row);
        m_shown.push_back(Shown{table, std::move(placement), std::move(bytes)});
    }
    m_edition = &edition;
    m_row = row;
    ShowContext context{file, edition};
    if (m_original && &m_original->edition() != &edition) m_original.reset();
    if (m_separator)
        for (Group& group : m_groups)
            for (auto& control : group.controls) control->setEditable(true);
    m_separator = false;
    for (Group& group : m_groups) {
        const Shown& shown = shownOf(group.field);
        group.stored.field = group.field;
        group.stored.offset = shown.bytes.offsetOf(group.field);
        // A text in place has no bits of its own: its control reads it.
        group.stored.bits = group.field.field->type == tables::Type::Text ? 0 : shown.bytes.bits(group.field);
        group.stored.value = tables::asValue(group.stored.bits, group.field.field->type);
        if (m_original) {
            const tables::Placement& there = m_original->placement(*group.field.table);
            const std::uint64_t at = there.offsetOf(group.field, row);
            const auto bytes = m_original->bytes();
            const tables::FieldValue value = m_original->value(group.field, row);
            group.original.field = group.stored;
            group.original.field.bits =
                group.field.field->type == tables::Type::Text || at >= bytes.size()
                    ? 0
                    : tables::decodeBits(bytes.subspan(at, std::min<std::size_t>(4, bytes.size() - at)),
                                         group.field.field->type);
            group.original.field.value = tables::asValue(group.original.field.bits, group.field.field->type);
            group.original.text = value.text;
            group.original.isNull = value.isNull;
        }
        context.original = m_original ? &group.original : nullptr;
        for (auto& control : group.controls) {
            control->show(group.stored, context);
            m_separator = m_separator || control->showsSeparator();
        }
        context.original = nullptr;
        if (m_original) compareWithOriginal(group, file);
    }
    if (m_separator)
        for (Group& group : m_groups)
            for (auto& control : group.controls) control->setEditable(false);
    m_hasRow = true;
}

const FieldBinding::Shown& FieldBinding::shownOf(const tables::FieldRef& field) const
{
    for (const Shown& shown : m_shown)
        if (shown.table == field.table) return shown;
    throw std::logic_error("no row of " + std::string(field.table->name) + " is shown");
}

bool FieldBinding::write(Group& group, WorkingCopy& file)
{
    const tables::Field& f = *group.field.field;
    FieldControl* textControl = nullptr;
    std::uint32_t bits = group.stored.bits;
    bool changed = false;
    for (auto& control : group.controls) {
        if (!control->changed()) continue;
        changed = true;
        if (control->writesText()) textControl = control.get();
        else bits = control->encode(bits);
    }
    if (!changed) return false;
    if (f.readOnly) throw std::logic_error(group.field.qualifiedName() + " is never written");
    if (textControl) {
        if (f.type == tables::Type::Text)
            writeFixedText(file, group.stored.offset, textControl->text(), f.room - 1);
        else if (const std::size_t room = textControl->extendedRoom())
            writeNameWithin(file, group.stored.offset, textControl->text(), m_edition->pointerDelta, room);
        else
            writeName(file, group.stored.offset, textControl->text(), m_edition->pointerDelta);
    } else {
        file.writeUnsigned(group.stored.offset, static_cast<int>(tables::widthOf(f.type)), bits);
        group.stored.bits = bits;
        group.stored.value = tables::asValue(bits, f.type);
    }
    for (auto& control : group.controls) control->saved();
    if (m_original) compareWithOriginal(group, file);
    return true;
}

void FieldBinding::setOriginal(std::shared_ptr<const tables::FileImage> original)
{
    m_original = std::move(original);
    if (m_original && !m_marks)
        m_marks = std::make_unique<OriginalMarks>([this](int id) {
            if (revertFieldOf(id) && m_reverted) m_reverted();
        });
}

void FieldBinding::compareWithOriginal(Group& group, WorkingCopy& file)
{
    const tables::Field& f = *group.field.field;
    if (f.type == tables::Type::Pointer || f.type == tables::Type::Text) {
        const tables::FieldValue now = tables::readValue(file, *shownOf(group.field).placement, group.field, m_row);
        group.differs = now.isNull != group.original.isNull || now.text != group.original.text;
    } else {
        group.differs = group.stored.bits != group.original.field.bits;
    }
    showMarks(group);
}

void FieldBinding::showMarks(Group& group)
{
    for (auto& control : group.controls) {
        QWidget* w = m_dialog.item(control->id());
        if (group.differs) m_marks->mark(w, control->id(), control->describe(group.original));
        else m_marks->unmark(w);
    }
}

QString FieldBinding::originalShownBy(int controlId) const
{
    return m_marks ? m_marks->originalOf(m_dialog.item(controlId)) : QString();
}

bool FieldBinding::differsFromOriginal() const
{
    if (!m_original || !m_hasRow) return false;
    for (const Group& group : m_groups)
        if (group.differs) return true;
    return false;
}

int FieldBinding::revertToOriginal()
{
    if (!m_original || !m_hasRow || m_separator) return 0;
    int reverted = 0;
    for (Group& group : m_groups) {
        if (!group.differs || group.field.field->readOnly) continue;
        for (auto& control : group.controls) control->present(group.original);
        ++reverted;
    }
    return reverted;
}

bool FieldBinding::revertFieldOf(int controlId)
{
    if (!m_original || !m_hasRow || m_separator) return false;
    for (Group& group : m_groups)
        for (const auto& control : group.controls)
            if (control->id() == controlId) {
                if (!group.differs || group.field.field->readOnly) return false;
                for (auto& each : group.controls) each->present(group.original);
                return true;
            }
    return false;
}

int FieldBinding::save(WorkingCopy& file)
{
    if (!m_hasRow || m_separator) return 0;
    // Everything is checked before anything is written: a refused value leaves the
    // whole record as the file holds it.
    QStringList problems;
    QWidget* first = nullptr;
    for (const Group& group : m_groups) {
        for (const auto& control : group.controls) {
            if (!control->changed()) continue;
            const QString problem = control->problem();
            if (problem.isEmpty()) continue;
            QString label = m_dialog.labelFor(control->id());
            if (label.isEmpty()) label = QString::fromLatin1(group.field.field->name.data(),
                                                             static_cast<qsizetype>(group.field.field->name.size()))
                                             .replace('_', ' ');
            problems << QStringLiteral("%1: %2").arg(label, problem);
            if (!first) first = m_dialog.item(control->id());
        }
    }
    if (!problems.isEmpty()) {
        if (first) first->setFocus();
        throw InputError(QStringLiteral("Nothing was saved. Please correct:\n") + problems.join('\n'));
    }
    int written = 0;
    for (Group& group : m_groups)
        if (write(group, file)) ++written;
    return written;
}

bool FieldBinding::isChanged(int controlId) const
{
    for (const Group& group : m_groups)
        for (const auto& control : group.controls)
            if (control->id() == controlId) return control->changed();
    throw std::logic_error("no field for control " + std::to_string(controlId));
}

bool FieldBinding::isModified() const
{
    if (!m_hasRow || m_separator) return false;
    for (const Group& group : m_groups)
        for (const auto& control : group.controls)
            if (control->changed()) return true;
    return false;
}

std::uint32_t FieldBinding::storedBits(const tables::FieldRef& field) const
{
    for (const Group& group : m_groups)
        if (group.field.field == field.field) return group.stored.bits;
    return shownOf(field).bytes.bits(field);
}

std::vector<FieldBinding::BoundControl> FieldBinding::controls() const
{
    std::vector<BoundControl> all;
    for (const Group& group : m_groups)
        for (const auto& control : group.controls) all.push_back({control.get(), group.field});
    return all;
}

std::uint64_t FieldBinding::offsetOf(const tables::FieldRef& field) const
{
    return shownOf(field).bytes.offsetOf(field);
}

} // namespace tarvix
