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

} // namespace tarvix
