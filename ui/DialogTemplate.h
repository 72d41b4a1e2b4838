#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvix {

// A dialog as the program's resources describe it: caption, font, size and controls,
// all positions in dialog units. Templates live in res/dialogs/<id>.dlg.
struct ControlTemplate {
    enum class Kind { Label, Edit, Combo, ListBox, Button, Check, Radio, Group, Picture, Icon };
    Kind kind = Kind::Label;
    int id = -1; // -1 for controls the program never addresses
    QString caption;
    int x = 0, y = 0, w = 0, h = 0;
    bool hidden = false;
    bool disabled = false;
    bool readOnly = false;
    bool multiLine = false;
    bool verticalScroll = false; // a multi-line edit has a vertical scroll bar only with it
    bool sunken = false;         // drawn inside a sunken edge
    bool multipleSelection = false;
    bool multiColumn = false;
    bool sorted = false;
    bool defaultButton = false;
    QStringList rows; // rows the template preloads into a list or combo
};

struct DialogTemplate {
    int id = 0;
    QString caption;
    QString fontFamily = QStringLiteral("MS Shell Dlg");
    int fontPointSize = 8;
    int width = 0, height = 0;
    bool minimizeBox = false;
    QList<ControlTemplate> controls;

    const ControlTemplate* control(int controlId) const;

    // Parses the text form; throws std::runtime_error naming the line on a fault.
    static DialogTemplate parse(const QString& text, const QString& origin);
    // Loads :/dialogs/<id>.dlg, once per run.
    static const DialogTemplate& load(int id);
};

} // namespace tarvix
