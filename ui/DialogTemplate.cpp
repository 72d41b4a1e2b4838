#include "ui/DialogTemplate.h"

#include <QFile>
#include <QHash>

#include <memory>
#include <stdexcept>

namespace tarvix {

namespace {

// Splits a line into words; "quoted text" is one word, with \n, \" and \\ escapes.
QStringList tokenize(const QString& line, const QString& where)
{
    QStringList words;
    int i = 0;
    while (i < line.size()) {
        QChar c = line[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == '#') break;
        if (c == '"') {
            QString word;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                QChar d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\' && i < line.size()) {
                    QChar e = line[i++];
                    word += e == 'n' ? QChar('\n') : e;
                } else {
                    word += d;
                }
            }
            if (!closed) throw std::runtime_error((where + ": unterminated text").toStdString());
            words << word;
            continue;
        }
        int start = i;
        while (i < line.size() && !line[i].isSpace()) ++i;
        words << line.mid(start, i - start);
    }
    return words;
}

int number(const QString& word, const QString& where)
{
    bool ok = false;
    int v = word.toInt(&ok);
    if (!ok) throw std::runtime_error((where + ": expected a number, found '" + word + "'").toStdString());
    return v;
}

const QHash<QString, ControlTemplate::Kind>& kinds()
{
    using K = ControlTemplate::Kind;
    static const QHash<QString, K> map{{"LABEL", K::Label},   {"EDIT", K::Edit},       {"COMBO", K::Combo},
                                       {"LISTBOX", K::ListBox}, {"BUTTON", K::Button}, {"CHECK", K::Check},
                                       {"RADIO", K::Radio},   {"GROUP", K::Group},     {"PICTURE", K::Picture},
                                       {"ICON", K::Icon}};
    return map;
}

} // namespace

const ControlTemplate* DialogTemplate::control(int controlId) const
{
    for (const auto& c : controls)
        if (c.id == controlId) return &c;
    return nullptr;
}

// DIALOG <id> "<caption>" <width> <height> [minimize]
// FONT <points> "<family>"
// <KIND> <id|-> "<caption>" <x> <y> <w> <h> [flags...]
// ROW <id> "<text>"
// Flags: hidden, disabled, readonly, multiline, vscroll (a multi-line edit's scroll bar),
// multiple (selection), multicolumn, sorted, default (button), sunken (edge).
DialogTemplate DialogTemplate::parse(const QString& text, const QString& origin)
{
    DialogTemplate t;
    const QStringList lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString where = origin + ":" + QString::number(n + 1);
        const QStringList w = tokenize(lines[n], where);
        if (w.isEmpty()) continue;
        const QString& key = w[0];
        auto need = [&](int count) {
            if (w.size() < count) throw std::runtime_error((where + ": too few words").toStdString());
        };
        if (key == "DIALOG") {
            need(5);
            t.id = number(w[1], where);
            t.caption = w[2];
            t.width = number(w[3], where);
            t.height = number(w[4], where);
            t.minimizeBox = w.contains("minimize");
        } else if (key == "FONT") {
            need(3);
            t.fontPointSize = number(w[1], where);
            t.fontFamily = w[2];
        } else if (key == "ROW") {
            need(3);
            const int id = number(w[1], where);
            ControlTemplate* target = nullptr;
            for (auto& c : t.controls)
                if (c.id == id) target = &c;
            if (!target) throw std::runtime_error((where + ": ROW for unknown control").toStdString());
            target->rows << w[2];
        } else if (kinds().contains(key)) {
            need(7);
            ControlTemplate c;
            c.kind = kinds().value(key);
            c.id = w[1] == "-" ? -1 : number(w[1], where);
            c.caption = w[2];
            c.x = number(w[3], where);
            c.y = number(w[4], where);
            c.w = number(w[5], where);
            c.h = number(w[6], where);
            for (int i = 7; i < w.size(); ++i) {
                const QString& f = w[i];
                if (f == "hidden") c.hidden = true;
                else if (f == "disabled") c.disabled = true;
                else if (f == "readonly") c.readOnly = true;
                else if (f == "multiline") c.multiLine = true;
                else if (f == "vscroll") c.verticalScroll = true;
                else if (f == "sunken") c.sunken = true;
                else if (f == "multiple") c.multipleSelection = true;
                else if (f == "multicolumn") c.multiColumn = true;
                else if (f == "sorted") c.sorted = true;
                else if (f == "default") c.defaultButton = true;
                else throw std::runtime_error((where + ": unknown flag '" + f + "'").toStdString());
            }
            t.controls << c;
        } else {
            throw std::runtime_error((where + ": unknown keyword '" + key + "'").toStdString());
        }
    }
    return t;
}

const DialogTemplate& DialogTemplate::load(int id)
{
    static QHash<int, std::shared_ptr<DialogTemplate>> cache;
    if (auto it = cache.find(id); it != cache.end()) return **it;
    const QString path = QStringLiteral(":/dialogs/%1.dlg").arg(id);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("dialog template " + path + " is missing").toStdString());
    auto t = std::make_shared<DialogTemplate>(parse(QString::fromUtf8(f.readAll()), path));
    cache.insert(id, t);
    return *t;
}

} // namespace tarvix
