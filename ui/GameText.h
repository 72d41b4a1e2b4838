#pragma once

#include <QString>

#include <string>

namespace tarvix {

// The game's texts are 8-bit; these are the program's two ways across.
QString gameText(const std::string& bytes);
std::string gameBytes(const QString& text);

} // namespace tarvix
