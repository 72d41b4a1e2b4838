#pragma once

#include <QString>
#include <QValidator>

#include <string>

namespace tarvix {

// The game's texts are 8-bit; these are the program's two ways across.
QString gameText(const std::string& bytes);
std::string gameBytes(const QString& text);

// A character a game text can hold: one 8-bit character that is not a control
// character (no tab, no line break).
bool isGameCharacter(QChar c);

// Lets an edit take only characters a game text can hold, typed or pasted.
class GameTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace tarvix
