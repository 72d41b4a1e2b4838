#include "ui/GameText.h"

namespace tarvix {

QString gameText(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string gameBytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

bool isGameCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 0x20 && u <= 0xFF && u != 0x7F;
}

QValidator::State GameTextValidator::validate(QString& input, int&) const
{
    for (QChar c : input)
        if (!isGameCharacter(c)) return Invalid;
    return Acceptable;
}

} // namespace tarvix
